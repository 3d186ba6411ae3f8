// Comment records: the upsert after a scan, verdicts, AI answers, marks and the read queries.
#include "Rules/AIRules.h"
#include "Store/RecordReader.h"
#include "Store/ScanStore.h"
#include "Store/ScanStoreSql.h"
#include "Rules/SpamRules.h"

#include <QMap>

#include <algorithm>
#include <limits>

#include <sqlite3.h>

using namespace vt::sql;

namespace {

// The kind stored with a verdict: the AI kind, else the word-list kind, else "spam"; empty unless spam.
QString storedKind(const Comment &c)
{
    if (c.verdict() != Comment::Verdict::spam)
        return QLatin1String("");
    if (c.aiKind)
        return *c.aiKind;
    if (const auto hit = SpamRules::builtinHit(c.reason))
        return hit->kind;
    return QStringLiteral("spam");
}

QString placeholders(qsizetype count)
{
    QString text;
    text.reserve(count * 2);
    for (qsizetype i = 0; i < count; ++i) {
        if (i)
            text += QLatin1Char(',');
        text += QLatin1Char('?');
    }
    return text;
}

}   // namespace

template <typename Body>
void ScanStore::chunked(const QStringList &values, Body body)
{
    // 500 a statement keeps every IN list with its other arguments below SQLite's parameter limit.
    constexpr qsizetype slice = 500;
    for (qsizetype from = 0; from < values.size(); from += slice) {
        const QStringList part = values.mid(from, slice);
        body(placeholders(part.size()), part);
    }
}

bool ScanStore::Record::isPendingSpam() const
{
    return verdict() == Comment::Verdict::spam && !deletedAt && gone.isEmpty();
}

bool ScanStore::Record::canPick() const
{
    if (deletedAt || !gone.isEmpty())
        return false;
    return verdict() != Comment::Verdict::skip || reason == QLatin1String("unchanged")
        || reason == QLatin1String("kept");
}

// ---- writers ---------------------------------------------------------------------------

bool ScanStore::remember(const QString &site, const QString &post, const QList<Comment> &comments,
                         const std::optional<QString> &rules, const QDateTime &now, const TextHashes &hashes)
{
    if (!open())
        return false;
    // Up to 50 comments a statement (800 parameters, within every SQLite's limit): the kept
    // totals' triggers make SQLite save each changed page once a statement, so one statement a
    // comment would cost twice the plain insert. The rows are upserted in order, exactly as one
    // statement each would do.
    constexpr qsizetype perStatement = 50;
    // A file whose upgrade was blocked has no author_id column yet: its rows are written without.
    static const QString head = QStringLiteral(
        "INSERT INTO comments (site, id, post, hash, seen_at, first_seen_at, author, text, published_at, like_count, "
        "state, kind, reason, ai_prob, avatar, rules");
    static const QString row = QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?");
    // Without the columns of comments gone from their post (a blocked upgrade), rows go without them.
    static const QString goneHead = QStringLiteral(", owner");
    static const QString goneRow = QStringLiteral(", ?");
    static const QString goneTail = QStringLiteral(
        ", gone = NULL, gone_at = NULL, removing_at = NULL, owner = excluded.owner");
    // The same comment always has the same author: a page that gives no id (its rendered list
    // read instead of its data) leaves a stored id in place, unless author texts are not kept.
    static const QString idTail = QStringLiteral(
        ", author_id = CASE WHEN excluded.author_id IS NULL AND excluded.text IS NOT NULL THEN comments.author_id "
        "ELSE excluded.author_id END");
    static const QString tail = QStringLiteral(
        "\nON CONFLICT (site, id) DO UPDATE SET post = excluded.post, seen_at = excluded.seen_at, "
        "rules = excluded.rules, author = excluded.author, text = excluded.text, "
        "published_at = excluded.published_at, like_count = excluded.like_count, state = excluded.state, "
        "kind = excluded.kind, reason = excluded.reason, ai_prob = excluded.ai_prob, deleted_at = NULL, "

        "first_seen_at = COALESCE(comments.first_seen_at, excluded.first_seen_at), "
        "kept_at = CASE WHEN comments.hash = excluded.hash THEN comments.kept_at ELSE NULL END, "
        "options = CASE WHEN comments.hash = excluded.hash THEN comments.options ELSE NULL END, "
        "spam = CASE WHEN comments.hash = excluded.hash THEN comments.spam ELSE NULL END, "
        "abuse = CASE WHEN comments.hash = excluded.hash THEN comments.abuse ELSE NULL END, "
        "sexual = CASE WHEN comments.hash = excluded.hash THEN comments.sexual ELSE NULL END, "
        "avatar = CASE WHEN excluded.avatar IS NULL AND excluded.text IS NOT NULL THEN comments.avatar "
        "ELSE excluded.avatar END, "
        "hash = excluded.hash");
    auto upsert = [&](qsizetype rows, bool withIds, bool withGone) {
        QString sql = head + (withGone ? goneHead : QString())
            + (withIds ? QStringLiteral(", author_id) VALUES ") : QStringLiteral(") VALUES "));
        for (qsizetype i = 0; i < rows; ++i) {
            if (i)
                sql += QStringLiteral(", ");
            sql += row + (withGone ? goneRow : QString()) + (withIds ? QStringLiteral(", ?)") : QStringLiteral(")"));
        }
        return sql + tail + (withGone ? goneTail : QString()) + (withIds ? idTail : QString());
    };
    static const QString full[2][2] = {{upsert(perStatement, false, false), upsert(perStatement, false, true)},
                                       {upsert(perStatement, true, false), upsert(perStatement, true, true)}};
    const bool withIds = m_authorIds;
    const bool withGone = m_goneColumns;
    const double t = seconds(now);
    const QVariant rulesValue = orNull(rules);
    return transaction([&] {
        for (qsizetype from = 0; from < comments.size(); from += perStatement) {
            const qsizetype count = std::min(perStatement, comments.size() - from);
            QVariantList args;
            args.reserve(count * 18);
            for (const Comment &c : comments.mid(from, count)) {
                args << site << c.id << post << hashes.of(c.id, c.text) << t << t
                     << (storeText ? QVariant(c.authorName) : QVariant()) << (storeText ? QVariant(c.text) : QVariant())
                     << orNull(c.publishedAt) << orNull(c.likeCount) << c.state << storedKind(c) << c.reason
                     << orNull(c.aiProb) << (storeText ? orNull(c.avatar) : QVariant()) << rulesValue;
                if (withGone)
                    args << (c.isOwner ? 1 : 0);
                if (withIds) {
                    const QString id = c.authorId ? c.authorId->trimmed() : QString();
                    args << (storeText && !id.isEmpty() ? QVariant(id) : QVariant());
                }
            }
            // A full slice reuses one cached statement; the last, shorter one is prepared once.
            const bool stored = count == perStatement ? exec(full[withIds][withGone], args)
                                                      : exec(upsert(count, withIds, withGone), args, false);
            if (!stored)
                return false;
        }
        return true;
    });
}

bool ScanStore::rememberVerdicts(const QString &site, const QList<Comment> &comments)
{
    if (!open())
        return false;
    return transaction([&] {
        for (const Comment &c : comments) {
            if (!exec(QStringLiteral("UPDATE comments SET state = ?, kind = ?, reason = ?, ai_prob = ? "
                                     "WHERE site = ? AND id = ?"),
                      {c.state, storedKind(c), c.reason, orNull(c.aiProb), site, c.id}))
                return false;
        }
        return true;
    });
}

bool ScanStore::rememberAI(const QString &site, const QList<AIAnswer> &answers, const QString &options)
{
    if (!open())
        return false;
    return transaction([&] {
        for (const AIAnswer &a : answers) {
            if (!exec(QStringLiteral("UPDATE comments SET options = ?, spam = ?, abuse = ?, sexual = ? "
                                     "WHERE site = ? AND id = ? AND hash = ?"),
                      {options, a.score.spam, a.score.abuse, a.score.sexual, site, a.id, a.hash}))
                return false;
        }
        return true;
    });
}

bool ScanStore::markKept(const QString &site, const QStringList &ids, const QDateTime &now)
{
    return stamp(QStringLiteral("kept_at"), site, ids, now);
}

bool ScanStore::markDeleted(const QString &site, const QStringList &ids, const QDateTime &now)
{
    return stamp(QStringLiteral("deleted_at"), site, ids, now);
}

bool ScanStore::markDeleted(const PostKey &post, const QStringList &ids, const QDateTime &now)
{
    if (ids.isEmpty())
        return true;
    if (!open())
        return false;
    return transaction(
        [&] { return stamp(QStringLiteral("deleted_at"), post.site, ids, now) && removed(post.url, int(ids.size())); });
}

// Runs `head` + "(ids)" over the ids in slices; `head` ends with "id IN ".
bool ScanStore::updateIds(const QString &head, const QVariantList &args, const QStringList &ids)
{
    bool ok = true;
    chunked(ids, [&](const QString &marks, const QStringList &part) {
        QVariantList all = args;
        for (const QString &id : part)
            all.append(id);
        ok = exec(head + QLatin1Char('(') + marks + QLatin1Char(')'), all, false) && ok;
    });
    return ok;
}

bool ScanStore::markRemoving(const PostKey &post, const QStringList &ids, const QDateTime &now)
{
    // A file whose upgrade was blocked keeps no such marks this run; the next run adds them.
    if (ids.isEmpty() || (open() && !m_goneColumns))
        return true;
    if (!open())
        return false;
    return transaction([&] {
        return updateIds(QStringLiteral("UPDATE comments SET removing_at = ? WHERE site = ? AND id IN "),
                         {seconds(now), post.site}, ids);
    });
}

bool ScanStore::settleRemoving(const PostKey &post, const QStringList &ids)
{
    if (ids.isEmpty() || (open() && !m_goneColumns))
        return true;
    if (!open())
        return false;
    return transaction([&] {
        return updateIds(QStringLiteral("UPDATE comments SET removing_at = NULL WHERE site = ? AND id IN "),
                         {post.site}, ids);
    });
}

namespace {

QString goneText(ScanStore::Gone why)
{
    return why == ScanStore::Gone::withThread ? QStringLiteral("thread") : QStringLiteral("site");
}

}   // namespace

bool ScanStore::markGone(const PostKey &post, const QStringList &ids, Gone why, const QDateTime &now)
{
    if (ids.isEmpty() || (open() && !m_goneColumns))
        return true;
    if (!open())
        return false;
    // A comment recorded as deleted stays so.
    return transaction([&] {
        return updateIds(QStringLiteral("UPDATE comments SET gone = ?, gone_at = ? WHERE site = ? AND post = ? AND "
                                        "deleted_at IS NULL AND id IN "),
                         {goneText(why), seconds(now), post.site, post.url}, ids);
    });
}

QList<ScanStore::Record> ScanStore::threadReplies(const QString &site, const QString &post, const QStringList &threads)
{
    QList<Record> out;
    if (!open())
        return out;
    // A reply's id is its thread's id and a dot: the ids from "<thread>." up to "<thread>/".
    for (const QString &thread : threads) {
        if (thread.isEmpty() || thread.contains(QLatin1Char('.')))
            continue;
        out += readRecords(recordSql()
                               + QStringLiteral("FROM comments WHERE site = ? AND id > ? AND id < ? AND post = ? AND "
                                                "deleted_at IS NULL AND ")
                               + currentSql() + QStringLiteral(" ORDER BY rowid"),
                           {site, thread + QLatin1Char('.'), thread + QLatin1Char('/'), post});
    }
    return out;
}

std::optional<ScanStore::Unseen> ScanStore::settleUnseen(const PostKey &post, const QSet<QString> &seen,
                                                         const QDateTime &now)
{
    if (!open())
        return std::nullopt;
    Unseen out;
    if (!m_goneColumns)
        return out;
    const bool read = each(QStringLiteral("SELECT id, removing_at FROM comments WHERE site = ? AND post = ? AND "
                                          "deleted_at IS NULL AND gone IS NULL"),
                           {post.site, post.url}, false, [&](const Row &row) {
                               if (row.size() < 2 || !isText(row.at(0)))
                                   return true;
                               const QString id = row.at(0).toString();
                               if (!seen.contains(id))
                                   (isReal(row.at(1)) ? out.deleted : out.gone).append(id);
                               return true;
                           });
    if (!read)
        return std::nullopt;
    if (out.deleted.isEmpty() && out.gone.isEmpty())
        return out;
    const bool ok = transaction([&] {
        // Our deletion of these was under way when it was cut short: the site took them.
        return updateIds(QStringLiteral(
                             "UPDATE comments SET deleted_at = ?, removing_at = NULL WHERE site = ? AND id IN "),
                         {seconds(now), post.site}, out.deleted)
            && removed(post.url, int(out.deleted.size()))
            && updateIds(QStringLiteral("UPDATE comments SET gone = ?, gone_at = ? WHERE site = ? AND id IN "),
                         {goneText(Gone::fromSite), seconds(now), post.site}, out.gone);
    });
    if (!ok)
        return std::nullopt;
    return out;
}

// `column` is one of our own column names, never data.
bool ScanStore::stamp(const QString &column, const QString &site, const QStringList &ids, const QDateTime &now)
{
    if (!open())
        return false;
    bool ok = true;
    chunked(ids, [&](const QString &marks, const QStringList &part) {
        QVariantList args{seconds(now), site};
        for (const QString &id : part)
            args.append(id);
        ok = exec(QStringLiteral("UPDATE comments SET ") + column + QStringLiteral(" = ? WHERE site = ? AND id IN (")
                      + marks + QLatin1Char(')'),
                  args, false)
            && ok;
    });
    return ok;
}

// ---- readers ---------------------------------------------------------------------------

QHash<QString, ScanStore::Known> ScanStore::known(const QString &site, const QStringList &ids)
{
    QHash<QString, Known> result;
    if (!open())
        return result;
    chunked(ids, [&](const QString &marks, const QStringList &part) {
        QVariantList args{site};
        for (const QString &id : part)
            args.append(id);
        const Rows rows = run(QStringLiteral("SELECT id, hash, options, spam, abuse, sexual, state, reason, rules, "
                                             "kept_at FROM comments WHERE site = ? AND id IN (")
                                  + marks + QLatin1Char(')'),
                              args, false);
        for (const Row &row : rows) {
            if (row.size() < 10 || !isText(row.at(0)) || !isText(row.at(1)))
                continue;
            Known k;
            k.hash = row.at(1).toString();
            k.options = optText(row.at(2));
            if (isReal(row.at(3)) && isReal(row.at(4)) && isReal(row.at(5)))
                k.score = AIScore{row.at(3).toDouble(), row.at(4).toDouble(), row.at(5).toDouble()};
            k.state = optText(row.at(6));
            k.reason = optText(row.at(7));
            k.rules = optText(row.at(8));
            k.kept = !row.at(9).isNull();
            result.insert(row.at(0).toString(), k);
        }
    });
    return result;
}

QHash<QString, ScanStore::Problem> ScanStore::problems(const QString &post)
{
    QHash<QString, Problem> result;
    if (!open())
        return result;
    const Rows rows = run(QStringLiteral("SELECT id, spam, abuse, sexual, options FROM comments WHERE post = ? AND "
                                         "spam IS NOT NULL AND deleted_at IS NULL AND kept_at IS NULL"),
                          {post});
    for (const Row &row : rows) {
        if (row.size() < 5 || !isText(row.at(0)) || !isReal(row.at(1)))
            continue;
        const AIScore score{row.at(1).toDouble(), isReal(row.at(2)) ? row.at(2).toDouble() : 0.0,
                            isReal(row.at(3)) ? row.at(3).toDouble() : 0.0};
        const QString options = text(row.at(4));
        QStringList kinds{QStringLiteral("spam")};
        for (const char *kind : {"abuse", "sexual"}) {
            if (options.contains(QLatin1String(kind)))
                kinds.append(QLatin1String(kind));
        }
        const auto verdict = AIRules::verdict(score, kinds);
        result.insert(row.at(0).toString(), Problem{verdict.prob, verdict.kind});
    }
    return result;
}

QHash<QString, int> ScanStore::offenders(const QString &site, const QStringList &authors, bool storedWithoutId)
{
    QHash<QString, int> result;
    if (!open())
        return result;
    QStringList names;
    for (const QString &a : authors) {
        if (!a.isEmpty())
            names.append(a);
    }
    const QString only = storedWithoutId && m_authorIds ? QStringLiteral(" AND author_id IS NULL") : QString();
    chunked(names, [&](const QString &marks, const QStringList &part) {
        QVariantList args{site};
        for (const QString &name : part)
            args.append(name);
        const Rows rows = run(QStringLiteral("SELECT author, COUNT(*) FROM comments WHERE site = ? AND deleted_at IS "
                                             "NOT NULL AND author IN (")
                                  + marks + QStringLiteral(")") + only + QStringLiteral(" GROUP BY author"),
                              args, false);
        for (const Row &row : rows) {
            if (row.size() >= 2 && isText(row.at(0)) && isInteger(row.at(1)))
                result.insert(row.at(0).toString(), int(row.at(1).toLongLong()));
        }
    });
    return result;
}

QHash<QString, int> ScanStore::offenderIds(const QString &site, const QStringList &authorIds)
{
    QHash<QString, int> result;
    if (!open() || !m_authorIds)
        return result;
    QStringList ids;
    for (const QString &id : authorIds) {
        if (!id.trimmed().isEmpty())
            ids.append(id);
    }
    chunked(ids, [&](const QString &marks, const QStringList &part) {
        QVariantList args{site};
        for (const QString &id : part)
            args.append(id);
        const Rows rows = run(QStringLiteral(
                                  "SELECT author_id, COUNT(*) FROM comments WHERE site = ? AND deleted_at IS "
                                  "NOT NULL AND author_id IN (")
                                  + marks + QStringLiteral(") GROUP BY author_id"),
                              args, false);
        for (const Row &row : rows) {
            if (row.size() >= 2 && isText(row.at(0)) && isInteger(row.at(1)))
                result.insert(row.at(0).toString(), int(row.at(1).toLongLong()));
        }
    });
    return result;
}

namespace {

QStringList texts(const QList<QVariantList> &rows)
{
    QStringList result;
    for (const QVariantList &row : rows) {
        if (!row.isEmpty() && isText(row.first()))
            result.append(row.first().toString());
    }
    return result;
}

}   // namespace

QList<ScanStore::Record> ScanStore::recentDeleted(int limit)
{
    if (!open())
        return {};
    return readRecords(recordSql()
                           + QStringLiteral("FROM comments WHERE deleted_at IS NOT NULL ORDER BY deleted_at DESC, "
                                            "rowid DESC LIMIT ?"),
                       {limit});
}

QList<ScanStore::Author> ScanStore::topAuthors(int limit)
{
    QList<Author> result;
    if (!open())
        return result;
    const Rows rows = run(QStringLiteral("SELECT site, author, COUNT(*), MAX(avatar) FROM comments WHERE deleted_at IS "
                                         "NOT NULL AND author IS NOT NULL AND author != '' GROUP BY site, author "
                                         "ORDER BY COUNT(*) DESC, author LIMIT ?"),
                          {limit});
    for (const Row &row : rows) {
        if (row.size() < 4 || !isText(row.at(0)) || !isText(row.at(1)) || !isInteger(row.at(2)))
            continue;
        result.append(
            Author{row.at(0).toString(), row.at(1).toString(), int(row.at(2).toLongLong()), optText(row.at(3))});
    }
    return result;
}

QList<ScanStore::DayCount> ScanStore::daily(int days, const QDateTime &now)
{
    QList<DayCount> result;
    if (days < 1 || !open())
        return result;
    const QDate first = now.toLocalTime().date().addDays(1 - days);
    const QDateTime start = first.startOfDay();
    if (!first.isValid() || !start.isValid())
        return result;

    // Day starts in the local calendar, computed once; each time is placed by a binary search.
    QList<QDate> dayList;
    QList<double> starts;
    for (int i = 0; i < days; ++i) {
        const QDate day = first.addDays(i);
        const QDateTime dayStart = day.startOfDay();
        if (!day.isValid() || !dayStart.isValid())
            continue;
        dayList.append(day);
        starts.append(seconds(dayStart));
    }
    const QDateTime after = first.addDays(days).startOfDay();
    const double end = after.isValid() ? seconds(after) : std::numeric_limits<double>::infinity();
    auto bucket = [&](const QString &sql) {
        QList<int> counts(starts.size(), 0);
        each(sql, {seconds(start)}, true, [&](const Row &row) {
            if (row.size() >= 2 && isReal(row.first()) && isInteger(row.at(1))) {
                const double t = row.first().toDouble();
                if (t >= end)
                    return true;
                const auto it = std::upper_bound(starts.cbegin(), starts.cend(), t);
                if (it != starts.cbegin())
                    counts[std::distance(starts.cbegin(), it) - 1] += int(row.at(1).toLongLong());
            }
            return true;
        });
        return counts;
    };
    // Read from the time indexes, one row per distinct time (a deletion's or a scan's comments share one).
    const auto deleted = bucket(
        QStringLiteral("SELECT deleted_at, COUNT(*) FROM comments WHERE deleted_at >= ? GROUP BY deleted_at"));
    const auto flagged = bucket(QStringLiteral("SELECT first_seen_at, COUNT(*) FROM comments WHERE state = 'spam' AND "
                                               "first_seen_at >= ? GROUP BY first_seen_at"));
    for (qsizetype i = 0; i < dayList.size(); ++i)
        result.append(DayCount{dayList.at(i).startOfDay(), deleted.at(i), flagged.at(i)});
    return result;
}

QList<ScanStore::Record> ScanStore::comments(const QString &post, int limit)
{
    if (!open())
        return {};
    return readRecords(recordSql()
                           + QStringLiteral("FROM comments WHERE post = ? AND (deleted_at IS "
                                            "NOT NULL OR ")
                           + currentSql()
                           + QStringLiteral(") ORDER BY seen_at DESC, COALESCE(published_at, 0) DESC, rowid LIMIT ?"),
                       {post, limit});
}

QList<ScanStore::Record> ScanStore::comments(const QString &post, int limit, int offset, int count)
{
    count = std::min(count, limit - offset);
    if (offset < 0 || count <= 0 || !open())
        return {};
    return readRecords(recordSql()
                           + QStringLiteral("FROM comments WHERE post = ? AND (deleted_at IS "
                                            "NOT NULL OR ")
                           + currentSql()
                           + QStringLiteral(") ORDER BY seen_at DESC, COALESCE(published_at, 0) DESC, rowid LIMIT ? "
                                            "OFFSET ?"),
                       {post, count, offset});
}

ScanStore::Outline ScanStore::outline(const QString &post, int limit)
{
    Outline outline;
    if (!open())
        return outline;
    // Of the same records as comments(post, limit); the tests on the values' types are those a
    // record is read with, so that the count equals what reading every record would show.
    const QString first = QStringLiteral("FROM comments WHERE rowid IN (SELECT rowid FROM comments WHERE post = ? AND "
                                         "(deleted_at IS NOT NULL OR ")
        + currentSql()
        + QStringLiteral(") ORDER BY seen_at DESC, COALESCE(published_at, 0) DESC, rowid LIMIT ?) AND typeof(site) = "
                         "'text' AND typeof(id) = 'text' AND typeof(post) = 'text' AND typeof(seen_at) = 'real' AND "
                         "typeof(deleted_at) != 'real' AND typeof(text) = 'text' AND text != '' AND ");
    RecordReader reader;
    const bool read = eachStep(recordSql() + first
                                   + QStringLiteral("typeof(state) = 'text' AND state = 'spam' ORDER BY seen_at DESC, "
                                                    "COALESCE(published_at, 0) DESC, rowid"),
                               {post, limit}, true, [&](sqlite3_stmt *statement) {
                                   if (auto r = reader.read(statement))
                                       outline.pending.append(std::move(*r));
                                   return true;
                               });
    const Rows others = read ? run(QStringLiteral("SELECT COUNT(*) ") + first
                                       + QStringLiteral("NOT (typeof(state) = 'text' AND state = 'spam')"),
                                   {post, limit})
                             : Rows();
    if (!others.isEmpty() && !others.first().isEmpty())
        outline.others = int(integer(others.first().first()));
    return outline;
}

QStringList ScanStore::recentIDs(const QString &post, int limit)
{
    if (!open())
        return {};
    return texts(run(QStringLiteral("SELECT id FROM comments WHERE post = ? AND deleted_at IS NULL ORDER BY "
                                    "COALESCE(published_at, first_seen_at * 1000) DESC, rowid DESC LIMIT ?"),
                     {post, limit}));
}

QStringList ScanStore::pendingIDs(const QString &post)
{
    if (!open())
        return {};
    return texts(run(QStringLiteral("SELECT id FROM comments WHERE post = ? AND ") + pendingSql(), {post}));
}

QList<ScanStore::Record> ScanStore::pending(const QString &post)
{
    if (!open())
        return {};
    return readRecords(recordSql() + QStringLiteral("FROM comments WHERE post = ? AND ") + pendingSql()
                           + QStringLiteral(" ORDER BY seen_at DESC, COALESCE(published_at, 0) DESC, rowid"),
                       {post});
}

ScanStore::PendingSummary ScanStore::pendingSummary(const QString &site, const QStringList &posts)
{
    PendingSummary summary;
    if (!open())
        return summary;
    // Grouped by post and sighting time first (a scan's comments share one), so that each post's
    // last full scan is looked up once a group.
    chunked(posts, [&](const QString &marks, const QStringList &part) {
        QVariantList args{site};
        for (const QString &post : part)
            args.append(post);
        const Rows rows =
            run(QStringLiteral("SELECT COALESCE(SUM(n), 0), MIN(lowest) FROM (SELECT post, seen_at, COUNT(*) "
                               "AS n, MIN(ai_prob) AS lowest FROM comments WHERE site = ? AND post IN (")
                    + marks
                    + QStringLiteral(") AND state = 'spam' AND deleted_at IS NULL AND text != '' GROUP BY "
                                     "post, seen_at) AS g WHERE g.seen_at >= COALESCE((SELECT full_at FROM "
                                     "posts WHERE posts.url = g.post), 0)"),
                args, false);
        if (rows.isEmpty() || rows.first().size() < 2)
            return;
        summary.count += int(integer(rows.first().at(0)));
        if (const std::optional<double> lowest = optReal(rows.first().at(1)))
            summary.lowestProb = summary.lowestProb ? std::min(*summary.lowestProb, *lowest) : *lowest;
    });
    return summary;
}

QList<ScanStore::Record> ScanStore::allComments(int limit)
{
    if (!open())
        return {};
    return readRecords(recordSql() + QStringLiteral("FROM comments ORDER BY site, post, seen_at DESC, rowid LIMIT ?"),
                       {limit});
}

QList<ScanStore::Record> ScanStore::readRecords(const QString &sql, const QVariantList &args)
{
    QList<Record> result;
    RecordReader reader;
    eachStep(sql, args, true, [&](sqlite3_stmt *statement) {
        if (auto r = reader.read(statement))
            result.append(std::move(*r));
        return true;
    });
    return result;
}

bool ScanStore::eachComment(const std::function<bool(const Record &)> &row)
{
    if (!open())
        return false;
    // Post by post, one short read each, so that a reader on another connection never keeps
    // the application's writes waiting for the whole history.
    QList<std::pair<QString, QString>> keys;
    if (!each(QStringLiteral("SELECT DISTINCT site, post FROM comments ORDER BY site, post"), {}, false,
              [&](const Row &values) {
        if (values.size() >= 2 && isText(values.at(0)) && isText(values.at(1)))
            keys.append({values.at(0).toString(), values.at(1).toString()});
        return true;
        }))
        return false;
    RecordReader reader;
    bool stopped = false;
    for (const auto &[site, post] : std::as_const(keys)) {
        const bool ok = eachStep(recordSql()
                                     + QStringLiteral(
                                         "FROM comments WHERE site = ?1 AND post = ?2 ORDER BY seen_at DESC, rowid"),
                                 {site, post}, true, [&](sqlite3_stmt *statement) {
                                     if (const auto r = reader.read(statement)) {
                                         stopped = !row(*r);
                                         return !stopped;
                                     }
                                     return true;
                                 });
        if (!ok)
            return false;
        if (stopped)
            return true;
    }
    return true;
}
