#include "Panel/ScanSession.h"

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
    return title(QDateTime::currentDateTime());
}

QString ScanSession::title(const QDateTime &now) const
{
    if (runs.isEmpty())
        return QString();
    QString t = RunText::time(runs.first().at, now);
    if (runs.first().automatic)
        t += tr(" · automatic");
    return t;
}

QString ScanSession::summary() const
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
            return tr("Nothing deleted");
        if (deleted < total)
            return tr("Deleted %1 of %2").arg(n(deleted), n(total));
        return tr("Deleted %1").arg(n(deleted));
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
    items.append(count == 1 ? tr("1 post") : tr("%1 posts").arg(n(count)));
    if (ok > 0)
        items.append(tr("%1 comments").arg(n(comments)));
    if (added >= 1)
        items.append(tr("%1 new").arg(n(added)));
    if (flagged >= 1)
        items.append(tr("%1 flagged").arg(n(flagged)));
    if (failed >= 1) {
        items.append(tr("%1 failed").arg(n(failed)));
        // Why: the first failed post's reason.
        for (const ScanStore::Run &r : runs) {
            if (r.failed && !r.note.simplified().isEmpty()) {
                items.append(r.note.simplified());
                break;
            }
        }
    }
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
