#pragma once
// What the collecting-and-rules pane offers: the choices of its four pickers (with the stored
// value as an extra first choice where the pane must show a value set elsewhere) and its texts
// (in the run's language). SettingBinder writes a picked value, refusing any the picker does not offer.
//
//   for (const PaneChoice &c : BasicPaneModel::limitChoices(settings.limit())) ...

#include "Settings/PaneChoice.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>
#include <QString>

class SpamModel;

class BasicPaneModel {
    Q_DECLARE_TR_FUNCTIONS(BasicPaneModel)

public:
    BasicPaneModel() = delete;

    static QList<PaneChoice> limitChoices(qint64 current);
    static QList<PaneChoice> postLimitChoices();
    static QList<PaneChoice> autoScanChoices();
    static QList<PaneChoice> minLikesChoices(qint64 current);

    // Row 4's subtitle, naming the current minimum.
    static QString likesSubtitle(qint64 minLikes);
    // The built-in words row's subtitle from the lists' counts ("abuse", "sexual"; missing: 0).
    static QString builtinSubtitle(const QHash<QString, int> &counts, const QLocale &locale = QLocale());

    // The add button is enabled for 2 or more perceived characters once blanks other than line
    // breaks are trimmed from both ends.
    static bool canAdd(const QString &input);
    // Adds the field's words (the model splits and checks them); the field is emptied after.
    static void add(SpamModel &model, const QString &input);

    // Characters as perceived (grapheme clusters).
    static int perceivedLength(const QString &text);
    // Trims blanks other than line breaks from both ends.
    static QString trimKeepingBreaks(const QString &text);
};
