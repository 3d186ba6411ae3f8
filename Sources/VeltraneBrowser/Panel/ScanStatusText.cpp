#include "Panel/ScanStatusText.h"

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

}   // namespace

ScanStatusText::State ScanStatusText::of(const SpamModel &model)
{
    State s;
    s.activity = model.openPage().scanActivity();
    s.touring = model.jobs().touring();
    s.posts = model.catalog().rows();
    s.busy = model.jobs().busy();
    if (const std::optional<RemovalJob::Progress> &removal = model.removalJob().progress())
        s.removal = std::make_pair(removal->done, removal->total);
    return s;
}

QString ScanStatusText::stageText(const ScanActivity &a)
{
    switch (a.stage) {
    case ScanActivity::Stage::connecting:
        return tr("Opening the post");
    case ScanActivity::Stage::collecting:
        return tr("Collecting comments");
    case ScanActivity::Stage::ai:
        if (a.aiTotal > 0)
            return QStringLiteral("AI ") + n(a.aiChecked) + u'/' + n(a.aiTotal);
        return tr("AI check");
    case ScanActivity::Stage::rules:
    case ScanActivity::Stage::complete:
        break;
    }
    return tr("Checking");
}

QStringList ScanStatusText::stageCounts(const ScanActivity &a)
{
    QStringList parts;
    if (a.collected > 0)
        parts.append(tr("%1 comments").arg(n(a.collected)));
    if (a.flagged > 0)
        parts.append(tr("%1 flagged").arg(n(a.flagged)));
    return parts;
}

QString ScanStatusText::scanLine(const State &s)
{
    QStringList parts{stageText(s.activity)};
    if (s.touring) {
        const QString queue = n(position(s.posts)) + u'/' + n(s.posts.size());
        parts.append(tr("post %1").arg(queue));
    }
    parts.append(stageCounts(s.activity));
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

QString ScanStatusText::removalLine(const State &s)
{
    QStringList parts;
    if (s.busy)
        parts.append(tr("Deleting"));
    else
        parts.append(tr("Finding the comments to delete"));
    if (s.removal && s.removal->second > 1) {
        const QString at = n(s.removal->first + 1) + u'/' + n(s.removal->second);
        parts.append(tr("post %1").arg(at));
    }
    return parts.join(QStringLiteral(" · "));
}

QString ScanStatusText::scanLine(const SpamModel &model)
{
    return scanLine(of(model));
}

std::optional<double> ScanStatusText::scanFraction(const SpamModel &model)
{
    return scanFraction(of(model));
}

QString ScanStatusText::removalLine(const SpamModel &model)
{
    return removalLine(of(model));
}
