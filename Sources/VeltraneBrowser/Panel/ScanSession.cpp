#include "Panel/ScanSession.h"

#include "Base/Lang.h"
#include "Panel/RunText.h"

#include <QStringList>

QList<ScanSession> ScanSession::group(const QList<ScanStore::Run> &runs)
{
    QList<ScanSession> sessions;
    for (const ScanStore::Run &run : runs) {
        // Only neighbours join. A run without a session string was logged on its own and is
        // never taken for a part of another action.
        if (!sessions.isEmpty() && !run.session.isEmpty() && sessions.last().runs.last().session == run.session)
            sessions.last().runs.append(run);
        else
            sessions.append(ScanSession{{run}});
    }
    return sessions;
}

QList<ScanSession> ScanSession::group(const QList<ScanStore::Run> &runs, int limit)
{
    const qsizetype extra = limit >= 0 ? qMax<qsizetype>(0, runs.size() - limit) : 0;
    QList<ScanSession> sessions = group(runs.first(extra));
    sessions.append(group(runs.sliced(extra)));
    return sessions;
}

QString ScanSession::title() const
{
    return title(Lang::system(), QDateTime::currentDateTime());
}

QString ScanSession::title(bool korean, const QDateTime &now) const
{
    if (runs.isEmpty())
        return QString();
    QString t = RunText::time(runs.first().at, now, korean);
    if (runs.first().automatic)
        t += korean ? QStringLiteral(" · 자동 검사") : QStringLiteral(" · automatic");
    return t;
}

QString ScanSession::summary() const
{
    return summary(Lang::system());
}

QString ScanSession::summary(bool korean) const
{
    if (runs.isEmpty())
        return QString();
    auto n = [](qint64 v) { return QString::number(v); };
    if (runs.first().kind == ScanStore::Run::Kind::Delete) {
        qint64 total = 0, deleted = 0;
        for (const ScanStore::Run &r : runs) {
            total += r.total;
            deleted += r.deleted;
        }
        if (deleted == 0)
            return korean ? QStringLiteral("삭제하지 못했습니다") : QStringLiteral("Nothing deleted");
        if (deleted < total)
            return korean ? n(total) + QStringLiteral("개 중 ") + n(deleted) + QStringLiteral("개 삭제")
                          : QStringLiteral("Deleted ") + n(deleted) + QStringLiteral(" of ") + n(total);
        return korean ? n(deleted) + QStringLiteral("개 삭제") : QStringLiteral("Deleted ") + n(deleted);
    }
    qint64 ok = 0, comments = 0, added = 0, flagged = 0;
    for (const ScanStore::Run &r : runs) {
        if (r.failed)
            continue;
        ++ok;
        comments += r.total;
        added += r.added;
        flagged += r.flagged;
    }
    const qint64 count = runs.size();
    const qint64 failed = count - ok;
    QStringList items;
    if (korean)
        items.append(QStringLiteral("게시물 ") + n(count));
    else
        items.append(count == 1 ? QStringLiteral("1 post") : n(count) + QStringLiteral(" posts"));
    if (ok > 0)
        items.append(korean ? QStringLiteral("댓글 ") + n(comments) : n(comments) + QStringLiteral(" comments"));
    if (added >= 1)
        items.append(korean ? QStringLiteral("새 댓글 ") + n(added) : n(added) + QStringLiteral(" new"));
    if (flagged >= 1)
        items.append(korean ? QStringLiteral("스팸 의심 ") + n(flagged) : n(flagged) + QStringLiteral(" flagged"));
    if (failed >= 1)
        items.append(korean ? QStringLiteral("실패 ") + n(failed) : n(failed) + QStringLiteral(" failed"));
    return items.join(QStringLiteral(" · "));
}

bool ScanSession::marked() const
{
    for (const ScanStore::Run &r : runs) {
        if (r.flagged > 0 || r.failed)
            return true;
    }
    return false;
}
