#pragma once
// The one-line status of a running scan or deletion and its progress fraction, read from the
// spam model's published state. Shown by the panel, its live stage and the post list.

#include "Scan/ScanActivity.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class SpamModel;
struct ChannelPost;

class ScanStatusText {
    Q_DECLARE_TR_FUNCTIONS(ScanStatusText)
public:
    ScanStatusText() = delete;

    // What the texts read of the model, so that they can be checked without one.
    struct State {
        ScanActivity activity;
        bool touring = false;
        QList<ChannelPost> posts;
        bool busy = false;
        std::optional<std::pair<qint64, qint64>> removal;   // done, total
    };
    static State of(const SpamModel &model);

    // Texts in the run's language.
    static QString stageText(const ScanActivity &activity);
    static QStringList stageCounts(const ScanActivity &activity);
    static QString scanLine(const State &state);
    static std::optional<double> scanFraction(const State &state);
    static QString removalLine(const State &state);

    // The same over the model.
    static QString scanLine(const SpamModel &model);
    static std::optional<double> scanFraction(const SpamModel &model);
    static QString removalLine(const SpamModel &model);
};
