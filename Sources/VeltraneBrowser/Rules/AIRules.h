#pragma once
// Fixed rules of the AI check: its categories, their display names and fallback thresholds, the
// verdict of one score, and the text of a failed service call. Texts are in the run's language.

#include "Wire/AIScore.h"
#include "Wire/APIFailure.h"

#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <QStringList>

class AIRules {
    Q_DECLARE_TR_FUNCTIONS(AIRules)

public:
    AIRules() = delete;

    // A probability placed against the threshold; made by SpamModel::place.
    struct Placement {
        bool flagged = false;   // judged spam
        bool checked = false;   // pre-selected for deletion; always equal to flagged
        QString reason;         // verdict text in the interface language
        bool operator==(const Placement &) const = default;
    };

    struct Verdict {
        QString kind;
        double prob = 0;
        bool operator==(const Verdict &) const = default;
    };

    // "spam", "abuse", "sexual": the order of asking, showing and breaking ties.
    static const QStringList &kinds();
    // The categories the owner may switch off: "abuse", "sexual".
    static const QStringList &optional();
    // Category -> display name.
    static QMap<QString, QString> labels();
    // Whole percent per category: spam 90, abuse 50, sexual 50.
    static const QMap<QString, int> &defaultThresholds();
    // A reader's threshold of kind: the given map, else the default, else 90.
    static int threshold(const QMap<QString, int> &thresholds, const QString &kind);
    // Error code of the service -> text for the owner.
    static QMap<QString, QString> errors();

    // The category with the highest score among the asked ones (earlier wins ties) and the sum of
    // the asked categories' scores, capped at 1. No kinds: ("spam", 0).
    static Verdict verdict(const AIScore &score, const QStringList &kinds);

    // The text for the owner of a failed service call.
    static QString message(const APIFailure &failure);
    // For a caller that still passes the run's language along; the text follows the run's language.
    static QString message(const APIFailure &failure, bool) { return message(failure); }
};
