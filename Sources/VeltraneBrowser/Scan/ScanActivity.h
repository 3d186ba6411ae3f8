#pragma once
// The live stage of the running scan, as the review panel's scan stage shows it.

#include "Wire/Comment.h"

#include <QList>
#include <QSet>
#include <QString>

#include <optional>

struct ScanActivity {
    enum class Stage { connecting = 0, collecting = 1, rules = 2, ai = 3, complete = 4 };
    enum class AIState { pending, running, complete, skipped, partial, failed };

    Stage stage = Stage::connecting;
    AIState aiState = AIState::pending;
    qint64 collected = 0;   // collected so far (the page's total once collection ends)
    qint64 rulesChecked = 0;
    qint64 aiChecked = 0;
    qint64 aiTotal = 0;
    qint64 flagged = 0;
    QList<Comment> samples;     // the most recent comments (the scan keeps the last 6)
    QSet<QString> inspecting;   // ids the AI check is looking at right now
    bool interrupted = false;

    static QList<Stage> allStages();
    static std::optional<Stage> stageFromRawValue(int rawValue);
    static QList<AIState> allAIStates();

    // The values a fresh scan starts from; the AI state is skipped when the AI check is off.
    static ScanActivity fresh(bool aiOn);
    // The last comments of a list as the stage shows them (at most 6), and how many are spam.
    static QList<Comment> samplesOf(const QList<Comment> &comments);
    static int spamCount(const QList<Comment> &comments);

    bool operator==(const ScanActivity &) const = default;
};
