// Runs with their items, posts, found and dismissed posts, and the history-wide deletions.
#include "Store/RecordReader.h"
#include "Store/ScanStore.h"
#include "Store/ScanStoreSql.h"

#include <sqlite3.h>

using namespace vt::sql;

namespace {

constexpr int keptRuns = 40;

const QString runColumns = QStringLiteral(
    "SELECT id, session, kind, site, post, at, total, flagged, added, deleted, failed, note, auto, "
    "(SELECT COUNT(*) FROM run_items WHERE run = runs.id) ");
const QString postColumns = QStringLiteral(
    "SELECT site, url, title, scanned_at, total, flagged, watched, deleted, thumbnail, full_at ");

std::optional<ScanStore::Run> readRun(const QVariantList &row)
{
    if (row.size() < 14 || !isInteger(row.at(0)) || !isText(row.at(1)) || !isText(row.at(2)) || !isText(row.at(3))
        || !isText(row.at(4)) || !(isReal(row.at(5)) || isInteger(row.at(5))))
        return std::nullopt;
    ScanStore::Run r;
    const QString kind = row.at(2).toString();
    if (kind == QLatin1String("scan"))
        r.kind = ScanStore::Run::Kind::Scan;
    else if (kind == QLatin1String("delete"))
        r.kind = ScanStore::Run::Kind::Delete;
    else
        return std::nullopt;
    r.id = row.at(0).toLongLong();
    r.session = row.at(1).toString();
    r.site = row.at(3).toString();
    r.post = row.at(4).toString();
    r.at = date(row.at(5).toDouble());
    r.total = int(integer(row.at(6)));
    r.flagged = int(integer(row.at(7)));
    r.added = int(integer(row.at(8)));
    r.deleted = int(integer(row.at(9)));
    r.failed = integer(row.at(10)) != 0;
    r.note = text(row.at(11));
    r.automatic = integer(row.at(12)) != 0;
    r.items = int(integer(row.at(13)));
    return r;
}

std::optional<ScanStore::Post> readPost(const QVariantList &row)
{
    if (row.size() < 10 || !isText(row.at(0)) || !isText(row.at(1)) || !isText(row.at(2))
        || !(isReal(row.at(3)) || isInteger(row.at(3))) || !isInteger(row.at(4)) || !isInteger(row.at(5)))
        return std::nullopt;
    ScanStore::Post p;
    p.site = row.at(0).toString();
    p.url = row.at(1).toString();
    p.title = row.at(2).toString();
    p.scannedAt = date(row.at(3).toDouble());
    p.total = int(row.at(4).toLongLong());
    p.flagged = int(row.at(5).toLongLong());
    p.watched = integer(row.at(6)) != 0;
    p.deleted = int(integer(row.at(7)));
    p.thumbnail = optText(row.at(8));
    if (isReal(row.at(9)))
        p.fullAt = date(row.at(9).toDouble());
    return p;
}

template <typename T, typename Read>
QList<T> readAll(const QList<QVariantList> &rows, Read read)
{
    QList<T> result;
    for (const QVariantList &row : rows) {
        if (auto value = read(row))
            result.append(std::move(*value));
    }
    return result;
}

}   // namespace

QString ScanStore::Run::kindName(Kind kind)
{
    return kind == Kind::Delete ? QStringLiteral("delete") : QStringLiteral("scan");
}

// ---- runs ------------------------------------------------------------------------------

qint64 ScanStore::log(const Run &run, const QList<Item> &items)
{
    if (!open())
        return 0;
    qint64 id = 0;
    const bool ok = transaction([&] {
        if (!exec(QStringLiteral("INSERT INTO runs (session, kind, site, post, at, total, flagged, added, deleted, "
                                 "failed, note, auto) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  {run.session, Run::kindName(run.kind), run.site, run.post, seconds(run.at), run.total, run.flagged,
                   run.added, run.deleted, run.failed, run.note, run.automatic}))
            return false;
        // The id is only ours when the insert really added a row.
        if (sqlite3_changes(m_db) != 1)
            return false;
        id = sqlite3_last_insert_rowid(m_db);
        for (const Item &item : items) {
            if (!exec(QStringLiteral("INSERT OR REPLACE INTO run_items (run, id, state, kind, reason, ai_prob, fresh, "
                                     "hits) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                      {id, item.id, item.state, item.kind, item.reason, orNull(item.aiProb), item.fresh,
                       item.hits.isEmpty() ? QVariant() : QVariant(item.hits.join(QLatin1Char('\n')))}))
                return false;
        }
        const QString older = QStringLiteral(
            "post = ?1 AND id NOT IN (SELECT id FROM runs WHERE post = ?1 ORDER BY id DESC LIMIT ?2)");
        return exec(QStringLiteral("DELETE FROM run_items WHERE run IN (SELECT id FROM runs WHERE ") + older
                        + QLatin1Char(')'),
                    {run.post, keptRuns})
            && exec(QStringLiteral("DELETE FROM runs WHERE ") + older, {run.post, keptRuns});
    });
    return ok ? id : 0;
}

QList<ScanStore::Run> ScanStore::runs(const QString &post)
{
    if (!open())
        return {};
    return readAll<Run>(run(runColumns + QStringLiteral("FROM runs WHERE post = ? ORDER BY id"), {post}), readRun);
}

QList<ScanStore::Run> ScanStore::runs(const QString &site, int limit)
{
    if (!open())
        return {};
    return readAll<Run>(
        run(runColumns
                + QStringLiteral(
                    "FROM runs WHERE site = ?1 AND (id IN (SELECT id FROM runs WHERE site = ?1 ORDER BY id "
                    "DESC LIMIT ?2)\n  OR id IN (SELECT MAX(id) FROM runs WHERE site = ?1 AND kind = "
                    "'scan' AND failed = 0 GROUP BY post)) ORDER BY id"),
            {site, limit}),
        readRun);
}

QList<ScanStore::Record> ScanStore::items(qint64 runId)
{
    QList<Record> result;
    if (!open())
        return result;
    RecordReader reader;
    eachStep(
        QStringLiteral(
            "SELECT c.site, c.id, c.post, c.author, c.text, c.published_at, c.like_count, i.state, i.kind, i.reason, "
            "i.ai_prob, c.first_seen_at, c.seen_at, c.deleted_at, c.avatar,\n       i.fresh, i.hits\n"
            "FROM run_items i JOIN runs r ON r.id = i.run JOIN comments c ON c.site = r.site AND c.id = i.id\n"
            "WHERE i.run = ? ORDER BY (i.state = 'spam') DESC, COALESCE(c.published_at, 0) DESC, c.rowid"),
        {runId}, true, [&](sqlite3_stmt *statement) {
            auto record = reader.read(statement, RecordReader::kBaseColumns);
            if (!record || sqlite3_column_count(statement) < 17)
                return true;
            // The run's own columns where the comment's gone and owner would be.
            record->fresh = sqlite3_column_type(statement, 15) == SQLITE_INTEGER
                && sqlite3_column_int64(statement, 15) != 0;
            if (sqlite3_column_type(statement, 16) == SQLITE_TEXT)
                record->hits = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 16)),
                                                 sqlite3_column_bytes(statement, 16))
                                   .split(QLatin1Char('\n'));
            result.append(std::move(*record));
            return true;
        });
    return result;
}

QHash<QString, QStringList> ScanStore::hits(const QString &post)
{
    QHash<QString, QStringList> result;
    if (!open())
        return result;
    const Rows rows = run(QStringLiteral("SELECT i.id, i.hits FROM run_items i JOIN runs r ON r.id = i.run WHERE "
                                         "r.post = ? AND i.hits IS NOT NULL ORDER BY i.run"),
                          {post});
    for (const Row &row : rows) {
        if (row.size() >= 2 && isText(row.at(0)) && isText(row.at(1)))
            result.insert(row.at(0).toString(), row.at(1).toString().split(QLatin1Char('\n')));
    }
    return result;
}

// ---- posts -----------------------------------------------------------------------------

bool ScanStore::record(const Post &post)
{
    if (!open())
        return false;
    return transaction([&] {
        return exec(QStringLiteral(
                        "INSERT INTO posts (url, site, title, scanned_at, total, flagged, watched, deleted, thumbnail, "
                        "full_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)\n"
                        "ON CONFLICT (url) DO UPDATE SET site = excluded.site, scanned_at = excluded.scanned_at, "
                        "total = excluded.total, flagged = excluded.flagged, "
                        "title = CASE WHEN excluded.title = '' THEN posts.title ELSE excluded.title END, "
                        "thumbnail = COALESCE(excluded.thumbnail, posts.thumbnail), "
                        "full_at = COALESCE(excluded.full_at, posts.full_at)"),
                    {post.url, post.site, post.title, seconds(post.scannedAt), post.total, post.flagged, post.watched,
                     post.deleted, orNull(post.thumbnail), post.fullAt ? QVariant(seconds(*post.fullAt)) : QVariant()})
            && exec(QStringLiteral("DELETE FROM found WHERE url = ?"), {post.url})
            && exec(QStringLiteral("DELETE FROM dismissed WHERE url = ?"), {post.url});
    });
}

ScanStore::Counts ScanStore::syncCounts(const QString &post)
{
    Counts counts;
    if (!open())
        return counts;
    const Rows rows = run(QStringLiteral("SELECT (SELECT COUNT(*) FROM comments WHERE post = ?1 AND deleted_at IS NULL "
                                         "AND ")
                              + currentSql()
                              + QStringLiteral("),\n       (SELECT COUNT(*) FROM comments WHERE post = ?1 AND ")
                              + pendingSql() + QLatin1Char(')'),
                          {post});
    if (!rows.isEmpty() && rows.first().size() >= 2) {
        counts.total = int(integer(rows.first().at(0)));
        counts.flagged = int(integer(rows.first().at(1)));
    }
    exec(QStringLiteral("UPDATE posts SET total = ?, flagged = ? WHERE url = ?"), {counts.total, counts.flagged, post});
    return counts;
}

bool ScanStore::removed(const QString &post, int count)
{
    if (!open())
        return false;
    // A negative count would raise the counters and lower the deletions; nothing was removed.
    if (count <= 0)
        return true;
    return exec(QStringLiteral("UPDATE posts SET flagged = MAX(0, flagged - ?), total = MAX(0, total - ?), "
                               "deleted = deleted + ? WHERE url = ?"),
                {count, count, count, post});
}

bool ScanStore::setWatched(const QString &url, bool on)
{
    if (!open())
        return false;
    if (!exec(QStringLiteral("UPDATE posts SET watched = ? WHERE url = ?"), {on, url}))
        return false;
    if (on)
        return true;
    return exec(QStringLiteral("DELETE FROM posts WHERE url = ?1 AND scanned_at <= 0 AND NOT EXISTS (SELECT 1 FROM "
                               "comments WHERE post = ?1)"),
                {url});
}

bool ScanStore::watch(const QString &site, const QString &url, const QString &title,
                      const std::optional<QString> &thumbnail)
{
    if (!open())
        return false;
    return transaction([&] {
        return exec(QStringLiteral("INSERT INTO posts (url, site, title, scanned_at, total, flagged, watched, deleted, "
                                   "thumbnail) VALUES (?, ?, ?, 0, 0, 0, 1, 0, ?)\n"
                                   "ON CONFLICT (url) DO UPDATE SET watched = 1"),
                    {url, site, title, orNull(thumbnail)})
            && exec(QStringLiteral("DELETE FROM dismissed WHERE url = ?"), {url});
    });
}

std::optional<ScanStore::Post> ScanStore::post(const QString &url)
{
    if (!open())
        return std::nullopt;
    for (const Row &row : run(postColumns + QStringLiteral("FROM posts WHERE url = ?"), {url})) {
        if (auto p = readPost(row))
            return p;
    }
    return std::nullopt;
}

QList<ScanStore::Post> ScanStore::posts(int limit)
{
    if (!open())
        return {};
    return readAll<Post>(run(postColumns + QStringLiteral("FROM posts ORDER BY watched DESC, scanned_at DESC LIMIT ?"),
                             {limit}),
                         readPost);
}

QList<ScanStore::Post> ScanStore::topPosts(int limit)
{
    if (!open())
        return {};
    return readAll<Post>(run(postColumns
                                 + QStringLiteral("FROM posts WHERE deleted > 0 ORDER BY deleted DESC, "
                                                  "flagged DESC, scanned_at DESC LIMIT ?"),
                             {limit}),
                         readPost);
}

ScanStore::Stats ScanStore::stats(const std::optional<QString> &site)
{
    Stats s;
    if (!open())
        return s;
    if (m_totals) {
        // Every site's counts in one pass, kept until the file changes: the statistics ask for
        // the whole history and for each site, one after the other.
        const Rows version = run(QStringLiteral("PRAGMA data_version"));
        const qint64 mark = version.isEmpty() || version.first().isEmpty() ? -1 : integer(version.first().first());
        const qint64 changes = sqlite3_total_changes64(m_db);
        if (mark < 0 || !m_siteStats || mark != m_statsMark || changes != m_statsChanges) {
            QHash<QString, Stats> bySite;
            bool ok = each(QStringLiteral(
                               "SELECT site, COUNT(*), COALESCE(SUM(watched = 1), 0) FROM posts GROUP BY site"),
                           {}, true, [&](const Row &row) {
                               if (row.size() >= 3 && isText(row.at(0))) {
                                   Stats &st = bySite[row.at(0).toString()];
                                   st.posts = int(integer(row.at(1)));
                                   st.watched = int(integer(row.at(2)));
                               }
                               return true;
                           });
            ok = ok
                && each(QStringLiteral("SELECT site, comments, deleted FROM comment_totals"), {}, true,
                        [&](const Row &row) {
                if (row.size() >= 3 && isText(row.at(0))) {
                    Stats &st = bySite[row.at(0).toString()];
                    st.comments = int(integer(row.at(1)));
                    st.deleted = int(integer(row.at(2)));
                }
                return true;
                   });
            // Pending spam counted per post and sighting time (a scan's comments share one), so
            // that each post's last full scan is looked up once a group instead of once a comment.
            ok = ok
                && each(QStringLiteral(
                            "SELECT site, SUM(n) FROM (SELECT site, post, seen_at, COUNT(*) AS n FROM comments WHERE "
                            "state = 'spam' AND deleted_at IS NULL GROUP BY site, post, seen_at) AS g WHERE "
                            "g.seen_at >= COALESCE((SELECT full_at FROM posts WHERE posts.url = g.post), 0) "
                            "GROUP BY site"),
                        {}, true, [&](const Row &row) {
                            if (row.size() >= 2 && isText(row.at(0)))
                                bySite[row.at(0).toString()].flagged = int(integer(row.at(1)));
                            return true;
                        });
            if (!ok)
                return s;
            m_siteStats = bySite;
            m_statsMark = mark;
            m_statsChanges = changes;
        }
        if (site)
            return m_siteStats->value(*site);
        for (const Stats &st : std::as_const(*m_siteStats))
            s = Stats{s.posts + st.posts, s.watched + st.watched, s.comments + st.comments, s.flagged + st.flagged,
                      s.deleted + st.deleted};
        return s;
    }
    const QString where = site ? QStringLiteral(" WHERE site = ?1") : QString();
    const QString whereAnd = site ? QStringLiteral(" WHERE site = ?1 AND") : QStringLiteral(" WHERE");
    const QString sql = QStringLiteral("SELECT (SELECT COUNT(*) FROM posts") + where
        + QStringLiteral("), (SELECT COUNT(*) FROM posts") + whereAnd
        + QStringLiteral(" watched = 1), (SELECT COUNT(*) FROM comments") + where
        + QStringLiteral("), (SELECT COUNT(*) FROM comments") + whereAnd + QLatin1Char(' ') + pendingSql()
        + QStringLiteral("), (SELECT COUNT(*) FROM comments") + whereAnd + QStringLiteral(" deleted_at IS NOT NULL)");
    const Rows rows = run(sql, site ? QVariantList{*site} : QVariantList{});
    if (!rows.isEmpty() && rows.first().size() >= 5) {
        const Row &row = rows.first();
        s = Stats{int(integer(row.at(0))), int(integer(row.at(1))), int(integer(row.at(2))), int(integer(row.at(3))),
                  int(integer(row.at(4)))};
    }
    return s;
}

// ---- found and dismissed ---------------------------------------------------------------

bool ScanStore::addFound(const QList<Found> &found)
{
    if (!open())
        return false;
    const double now = seconds(QDateTime::currentDateTimeUtc());
    return transaction([&] {
        for (const Found &f : found) {
            if (!exec(QStringLiteral(
                          "INSERT OR IGNORE INTO found (url, site, title, thumbnail, found_at) VALUES (?, ?, "
                          "?, ?, ?)"),
                      {f.url, f.site, f.title, orNull(f.thumbnail), now}))
                return false;
        }
        return true;
    });
}

QList<ScanStore::Found> ScanStore::found()
{
    QList<Found> result;
    if (!open())
        return result;
    for (const Row &row : run(QStringLiteral("SELECT site, url, title, thumbnail FROM found ORDER BY rowid"))) {
        if (row.size() >= 4 && isText(row.at(0)) && isText(row.at(1)) && isText(row.at(2)))
            result.append(Found{row.at(0).toString(), row.at(1).toString(), row.at(2).toString(), optText(row.at(3))});
    }
    return result;
}

bool ScanStore::dismiss(const QString &site, const QString &url, const QDateTime &now)
{
    if (!open())
        return false;
    return exec(QStringLiteral("INSERT OR REPLACE INTO dismissed (url, site, at) VALUES (?, ?, ?)"),
                {url, site, seconds(now)});
}

QSet<QString> ScanStore::dismissed(const std::optional<QString> &site)
{
    QSet<QString> result;
    if (!open())
        return result;
    const Rows rows = site ? run(QStringLiteral("SELECT url FROM dismissed WHERE site = ?"), {*site})
                           : run(QStringLiteral("SELECT url FROM dismissed"));
    for (const Row &row : rows) {
        if (!row.isEmpty() && isText(row.first()))
            result.insert(row.first().toString());
    }
    return result;
}

// ---- deletion --------------------------------------------------------------------------

bool ScanStore::forget(const QString &post)
{
    if (!open())
        return false;
    return transaction([&] {
        return exec(QStringLiteral("DELETE FROM comments WHERE post = ?"), {post})
            && exec(QStringLiteral("DELETE FROM posts WHERE url = ?"), {post})
            && exec(QStringLiteral("DELETE FROM found WHERE url = ?"), {post})
            && exec(QStringLiteral("DELETE FROM run_items WHERE run IN (SELECT id FROM runs WHERE post = ?)"), {post})
            && exec(QStringLiteral("DELETE FROM runs WHERE post = ?"), {post});
    });
}

bool ScanStore::clear(bool keepWatched)
{
    if (!open())
        return false;
    const bool ok = transaction([&] {
        // Without its delete trigger the table is emptied at once instead of row by row; the
        // totals are emptied with it, all in the one transaction.
        if (m_totals
            && (!exec(QStringLiteral("DROP TRIGGER IF EXISTS comment_totals_delete"), {}, false)
                || !exec(QStringLiteral("DELETE FROM comments")) || !exec(QStringLiteral("DELETE FROM comment_totals"))
                || !exec(QString::fromLatin1(totalsDeleteTrigger), {}, false)))
            return false;
        if (!exec(QStringLiteral("DELETE FROM comments")) || !exec(QStringLiteral("DELETE FROM run_items"))
            || !exec(QStringLiteral("DELETE FROM runs")))
            return false;
        if (keepWatched)
            return exec(QStringLiteral("DELETE FROM posts WHERE watched = 0"))
                && exec(QStringLiteral("UPDATE posts SET total = 0, flagged = 0, deleted = 0, full_at = NULL"));
        return exec(QStringLiteral("DELETE FROM posts")) && exec(QStringLiteral("DELETE FROM found"))
            && exec(QStringLiteral("DELETE FROM dismissed"));
    });
    if (!ok)
        return false;
    // Space is given back as a courtesy; the deletion itself already stands.
    const QString before = m_lastError;
    if (!exec(QStringLiteral("VACUUM"), {}, false) && m_db)
        m_lastError = before;
    return true;
}

ScanStore::Recorded ScanStore::recordScan(const ScanRecord &scan)
{
    Recorded out;
    if (!open())
        return out;
    const QString &site = scan.post.site;
    const QString &url = scan.post.url;
    out.stored = transaction([&] {
        if (!remember(site, url, scan.comments, scan.rules, scan.post.scannedAt, scan.hashes))
            return false;
        if (!scan.answers.isEmpty() && !rememberAI(site, scan.answers, scan.aiOptions))
            return false;
        if (!record(scan.post))
            return false;
        if (scan.completeSeen) {
            const std::optional<Unseen> unseen = settleUnseen(PostKey{site, url}, *scan.completeSeen,
                                                              scan.post.scannedAt);
            if (!unseen)
                return false;
            out.settledDeleted = int(unseen->deleted.size());
        }
        out.counts = syncCounts(url);
        if (m_lastRc != SQLITE_DONE)
            return false;
        if (!scan.run)
            return true;
        const QList<Record> stillPending = pending(url);
        if (m_lastRc != SQLITE_DONE)
            return false;
        Run run = *scan.run;
        run.total = out.counts.total;
        run.flagged = int(stillPending.size());
        out.run = log(run, scan.items ? scan.items(stillPending) : QList<Item>());
        return out.run != 0;
    });
    if (!out.stored) {
        out.settledDeleted = 0;
        out.counts = {};
        out.run = 0;
    }
    return out;
}
