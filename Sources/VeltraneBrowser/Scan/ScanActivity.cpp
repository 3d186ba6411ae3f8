#include "Scan/ScanActivity.h"

QList<ScanActivity::Stage> ScanActivity::allStages()
{
    return {Stage::connecting, Stage::collecting, Stage::rules, Stage::ai, Stage::complete};
}

std::optional<ScanActivity::Stage> ScanActivity::stageFromRawValue(int rawValue)
{
    if (rawValue < int(Stage::connecting) || rawValue > int(Stage::complete))
        return std::nullopt;
    return static_cast<Stage>(rawValue);
}

QList<ScanActivity::AIState> ScanActivity::allAIStates()
{
    return {AIState::pending, AIState::running, AIState::complete, AIState::skipped, AIState::partial, AIState::failed};
}

ScanActivity ScanActivity::fresh(bool aiOn)
{
    ScanActivity activity;
    if (!aiOn)
        activity.aiState = AIState::skipped;
    return activity;
}

QList<Comment> ScanActivity::samplesOf(const QList<Comment> &comments)
{
    return comments.size() <= 6 ? comments : comments.mid(comments.size() - 6);
}

int ScanActivity::spamCount(const QList<Comment> &comments)
{
    int n = 0;
    for (const Comment &c : comments)
        n += c.verdict() == Comment::Verdict::spam ? 1 : 0;
    return n;
}
