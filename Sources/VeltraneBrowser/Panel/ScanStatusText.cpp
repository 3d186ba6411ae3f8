#include "Panel/ScanStatusText.h"

#include "Base/Lang.h"
#include "Scan/SpamModel.h"

namespace {

QString n(qint64 v)
{
    return QString::number(v);
}

qint64 finished(const QList<ChannelPost> &posts)
{
    qint64 count = 0;
    for (const ChannelPost &p : posts) {
        if (p.state == ChannelPost::State::done || p.state == ChannelPost::State::failed)
            ++count;
    }
    return count;
}

// The number of the post in hand: the finished ones, plus the one being scanned.
qint64 position(const QList<ChannelPost> &posts)
{
    const qint64 done = finished(posts);
    for (const ChannelPost &p : posts) {
        if (p.state == ChannelPost::State::scanning)
            return qMin<qint64>(done + 1, posts.size());
    }
    return done;
}

} // namespace

ScanStatusText::State ScanStatusText::of(const SpamModel &model)
{
    State s;
    s.activity = model.scanActivity();
    s.touring = model.touring();
    s.posts = model.posts();
    s.busy = model.busy();
    if (model.removal())
        s.removal = std::make_pair(model.removal()->done, model.removal()->total);
    return s;
}

QString ScanStatusText::stageText(const ScanActivity &a, bool korean)
{
    switch (a.stage) {
    case ScanActivity::Stage::connecting:
        return korean ? QStringLiteral("게시물 여는 중") : QStringLiteral("Opening the post");
    case ScanActivity::Stage::collecting:
        return korean ? QStringLiteral("댓글 수집 중") : QStringLiteral("Collecting comments");
    case ScanActivity::Stage::ai:
        if (a.aiTotal > 0)
            return QStringLiteral("AI ") + n(a.aiChecked) + u'/' + n(a.aiTotal);
        return korean ? QStringLiteral("AI 검사 중") : QStringLiteral("AI check");
    case ScanActivity::Stage::rules:
    case ScanActivity::Stage::complete:
        break;
    }
    return korean ? QStringLiteral("검사 중") : QStringLiteral("Checking");
}

QStringList ScanStatusText::stageCounts(const ScanActivity &a, bool korean)
{
    QStringList parts;
    if (a.collected > 0)
        parts.append(korean ? QStringLiteral("댓글 ") + n(a.collected) : n(a.collected) + QStringLiteral(" comments"));
    if (a.flagged > 0)
        parts.append(korean ? QStringLiteral("의심 ") + n(a.flagged) : n(a.flagged) + QStringLiteral(" flagged"));
    return parts;
}

QString ScanStatusText::scanLine(const State &s, bool korean)
{
    QStringList parts{stageText(s.activity, korean)};
    if (s.touring) {
        const QString queue = n(position(s.posts)) + u'/' + n(s.posts.size());
        parts.append((korean ? QStringLiteral("게시물 ") : QStringLiteral("post ")) + queue);
    }
    parts.append(stageCounts(s.activity, korean));
    return parts.join(QStringLiteral(" · "));
}

std::optional<double> ScanStatusText::scanFraction(const State &s)
{
    if (s.touring && s.posts.size() >= 2)
        return double(finished(s.posts)) / double(s.posts.size());
    if (s.activity.stage == ScanActivity::Stage::ai && s.activity.aiTotal > 0)
        return qMin(double(qMax<qint64>(0, s.activity.aiChecked)) / double(s.activity.aiTotal), 1.0);
    return std::nullopt;
}

QString ScanStatusText::removalLine(const State &s, bool korean)
{
    QStringList parts;
    if (s.busy)
        parts.append(korean ? QStringLiteral("삭제 중") : QStringLiteral("Deleting"));
    else
        parts.append(korean ? QStringLiteral("삭제할 댓글을 찾는 중") : QStringLiteral("Finding the comments to delete"));
    if (s.removal && s.removal->second > 1) {
        const QString at = n(s.removal->first + 1) + u'/' + n(s.removal->second);
        parts.append((korean ? QStringLiteral("게시물 ") : QStringLiteral("post ")) + at);
    }
    return parts.join(QStringLiteral(" · "));
}

QString ScanStatusText::scanLine(const SpamModel &model)
{
    return scanLine(of(model), Lang::system());
}

std::optional<double> ScanStatusText::scanFraction(const SpamModel &model)
{
    return scanFraction(of(model));
}

QString ScanStatusText::removalLine(const SpamModel &model)
{
    return removalLine(of(model), Lang::system());
}
