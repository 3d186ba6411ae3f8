#pragma once
// What the row of one stored comment shows: name, date, text, the risk tint of a flagged
// comment, whether its verdict pill shows and the lines of its unfolded details. Every text is
// drawn as plain text.

#include "Panel/Verdict.h"
#include "Store/ScanStore.h"

#include <QColor>
#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

class StoredCommentRow {
    Q_DECLARE_TR_FUNCTIONS(StoredCommentRow)
public:
    StoredCommentRow() = delete;

    // Texts and dates in the run's language.
    static QString author(const QString &name);
    static QString body(const ScanStore::Record &record);
    // The publication date in the interface language, without time; empty without one.
    static QString meta(const ScanStore::Record &record);
    // The percent whose risk colour tints a pending spam comment; none for any other.
    static std::optional<int> tintPercent(const ScanStore::Record &record);
    static bool showsPill(const ScanStore::Record &record, const Verdict &verdict);

    struct Details {
        QString help;
        QList<QPair<QString, QString>> lines;   // label, value
        bool operator==(const Details &) const = default;
    };
    static Details details(const ScanStore::Record &record, const Verdict &verdict);

    static QString tooltip();
};
