#pragma once
// The short verdict of one stored comment: why it was flagged or cleared, its AI percent when
// the verdict rests on an AI score, a tone that colours it and a longer help text. Pure functions
// of their inputs, in the run's language.

#include "Store/ScanStore.h"

#include <QCoreApplication>
#include <QMap>
#include <QString>

#include <optional>

struct Verdict {
    Q_DECLARE_TR_FUNCTIONS(Verdict)
public:
    enum class Tone { danger, warn, ok, neutral };

    QString label;
    std::optional<int> percent;
    Tone tone = Tone::neutral;
    QString help;

    struct Input {
        Comment::Verdict verdict = Comment::Verdict::other;
        QString kind;
        QString reason;
        std::optional<double> aiProb;
        bool byAI = false;
        QMap<QString, int> thresholds;
        bool pending = false;
        bool deleted = false;
        bool kept = false;
    };

    static Verdict make(const Input &in);
    // The verdict of a stored comment: by AI when it has a probability, never pending or kept.
    static Verdict of(const ScanStore::Record &record, const QMap<QString, int> &thresholds);

    // The display words of a comma-separated reason code list, joined by " · ".
    static QString describeReason(const QString &reason, double score);

    bool operator==(const Verdict &) const = default;
};
