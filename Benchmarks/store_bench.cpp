// The store's cost over plain SQLite: storing a 10,000-comment scan with remember(), the review
// panel's queries on a history of 200,000 comments, each next to the same work written directly
// against SQLite in the same run (medians and ratios store / direct; goal for the panel's queries:
// under 1.5), and the statistics view's stats() and daily() on a history of 1,000,000 comments
// (goal: each under 50 ms), next to the plain full-history queries they replace.
//
//   store_bench [comments in the big history, default 1000000]
#include "Store/ScanStore.h"
#include "Base/LocalZone.h"
#include "BigHistory.h"
#include "StoreTestData.h"
#include "Store/ScanExport.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

const QString site = QStringLiteral("youtube");
const QString mainPost = QStringLiteral("https://www.youtube.com/watch?v=main");

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double timeMs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

void bindText(sqlite3_stmt *st, int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(st, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// The same rows as remember() writes, by a plain prepared INSERT in one transaction.
void plainInsert(sqlite3 *db, const QString &post, const QList<Comment> &page)
{
    const double t = double(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO comments (site, id, post, hash, seen_at, first_seen_at, author, text, "
                       "published_at, like_count, state, kind, reason, ai_prob, avatar, rules) VALUES (?, ?, ?, ?, "
                       "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                       -1, &st, nullptr);
    for (const Comment &c : page) {
        bindText(st, 1, site);
        bindText(st, 2, c.id);
        bindText(st, 3, post);
        bindText(st, 4, ScanStore::hash(c.text));
        sqlite3_bind_double(st, 5, t);
        sqlite3_bind_double(st, 6, t);
        bindText(st, 7, c.authorName);
        bindText(st, 8, c.text);
        sqlite3_bind_double(st, 9, *c.publishedAt);
        sqlite3_bind_double(st, 10, *c.likeCount);
        bindText(st, 11, c.state);
        bindText(st, 12, c.state == QLatin1String("spam") ? QStringLiteral("spam") : QString());
        bindText(st, 13, c.reason);
        sqlite3_bind_null(st, 14);
        bindText(st, 15, *c.avatar);
        sqlite3_bind_null(st, 16);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}

// Runs a SELECT directly and reads every value of every row into Qt types, as a caller would.
qint64 plainSelect(sqlite3 *db, const char *sql, const std::function<void(sqlite3_stmt *)> &bind)
{
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    bind(st);
    qint64 rows = 0;
    qint64 sink = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_TEXT:
                sink += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)),
                                          sqlite3_column_bytes(st, c))
                            .size();
                break;
            case SQLITE_FLOAT:
                sink += qint64(sqlite3_column_double(st, c));
                break;
            case SQLITE_INTEGER:
                sink += sqlite3_column_int64(st, c);
                break;
            default:
                break;
            }
        }
    }
    sqlite3_finalize(st);
    return rows + (sink == 42 ? 1 : 0);
}

// Turns a file back into the previous version: no kept totals, no statistics indexes.
const char *const previousVersion =
    "DROP TRIGGER comment_totals_insert; DROP TRIGGER comment_totals_delete; DROP TRIGGER comment_totals_update; "
    "DROP TABLE comment_totals; DROP INDEX comments_pending_seen; DROP INDEX comments_deleted_at; "
    "DROP INDEX comments_spam_first; PRAGMA user_version = 2";

struct Query {
    QString name;
    std::function<void()> store;
    std::function<void()> plain;
};

void compare(QTextStream &out, const QList<Query> &queries)
{
    for (const Query &q : queries) {
        q.store();   // warm the statement cache and the page cache for both
        q.plain();
        QList<double> a;
        QList<double> b;
        for (int rep = 0; rep < 7; ++rep) {
            a.append(timeMs(q.store));
            b.append(timeMs(q.plain));
        }
        const double sa = median(a);
        const double sb = median(b);
        out << QStringLiteral("%1: store %2 ms, direct %3 ms, ratio %4\n")
                   .arg(q.name, -26)
                   .arg(sa, 0, 'f', 2)
                   .arg(sb, 0, 'f', 2)
                   .arg(sa / sb, 0, 'f', 2);
        out.flush();
    }
}

}   // namespace

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    LocalZone::pin();   // as the application does at its start
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const int reps = 5;

    // ---- storing one 10,000-comment scan ----
    QList<double> storeTimes;
    QList<double> plainTimes;
    QList<double> oldTimes;
    for (int rep = 0; rep < reps; ++rep) {
        const auto page = vt::test::makePage(QStringLiteral("r%1-").arg(rep), 10000);
        {
            ScanStore store(dir.filePath(QStringLiteral("remember-%1.sqlite").arg(rep)));
            store.isOpen();
            storeTimes.append(
                timeMs([&] { store.remember(site, mainPost, page, std::nullopt, QDateTime::currentDateTime()); }));
        }
        {
            const QString path = dir.filePath(QStringLiteral("plain-%1.sqlite").arg(rep));
            {
                ScanStore schema(path);
                schema.isOpen();
            }   // the same schema, indexes and journal mode
            vt::test::RawDb db(path);
            plainTimes.append(timeMs([&] { plainInsert(db.handle(), mainPost, page); }));
        }
        {
            // The cost of keeping the statistics' totals and indexes: the previous version's schema.
            const QString path = dir.filePath(QStringLiteral("plain-v2-%1.sqlite").arg(rep));
            {
                ScanStore schema(path);
                schema.isOpen();
            }
            vt::test::RawDb db(path);
            db.exec(QString::fromLatin1(previousVersion));
            oldTimes.append(timeMs([&] { plainInsert(db.handle(), mainPost, page); }));
        }
    }
    const double rememberMs = median(storeTimes);
    const double insertMs = median(plainTimes);
    out << QStringLiteral("remember 10000 comments: store %1 ms, plain INSERT (one a statement) %2 ms, ratio %3 "
                          "(the same in the previous file version, without the statistics' totals and indexes: "
                          "%4 ms)\n")
               .arg(rememberMs, 0, 'f', 1)
               .arg(insertMs, 0, 'f', 1)
               .arg(rememberMs / insertMs, 0, 'f', 2)
               .arg(median(oldTimes), 0, 'f', 1);
    out.flush();

    // ---- the panel's queries on 200,000 comments ----
    const QString path = dir.filePath(QStringLiteral("history.sqlite"));
    ScanStore store(path);
    const QDateTime now = QDateTime::currentDateTime();
    // The main post as it grows over 20 scans, with a deletion after every fourth: its times
    // come in batches (one per scan, one per deletion), as they always do.
    const auto mainPage = vt::test::makePage(QStringLiteral("main-"), 10000);
    QSet<QString> mainGone;
    for (int scan = 0; scan < 20; ++scan) {
        const QDateTime at = now.addSecs(-3600 * (20 - scan));
        QList<Comment> seen;
        for (const Comment &c : mainPage.mid(0, 500 * (scan + 1))) {
            if (!mainGone.contains(c.id))
                seen.append(c);
        }
        store.remember(site, mainPost, seen, std::nullopt, at);
        if (scan % 4 == 3) {
            QStringList gone;
            for (int i = scan; i < seen.size(); i += 97)
                gone.append(seen.at(i).id);
            store.markDeleted(site, gone, at.addSecs(60));
            mainGone.unite(QSet<QString>(gone.cbegin(), gone.cend()));
        }
    }
    // The worst case: a post whose every time differs.
    const QString oddPost = QStringLiteral("https://www.youtube.com/watch?v=odd");
    store.remember(site, oddPost, vt::test::makePage(QStringLiteral("odd-"), 5000), std::nullopt, now);
    for (int p = 0; p < 190; ++p) {
        const QString post = QStringLiteral("https://www.youtube.com/watch?v=p%1").arg(p);
        store.remember(site, post, vt::test::makePage(QStringLiteral("p%1-").arg(p), 1000), std::nullopt,
                       now.addSecs(-3600 * p));
        store.record(ScanStore::Post{site, post, QStringLiteral("Post"), now, 1000, 100, false, 0, {}, {}});
        QStringList gone;
        for (int i = 0; i < 50; ++i)
            gone.append(QStringLiteral("p%1-%2").arg(p).arg(i * 20));
        store.markDeleted(site, gone, now.addSecs(-3600 * p));
    }
    store.record(ScanStore::Post{site, mainPost, QStringLiteral("Main"), now, 10000, 1000, true, 0, {}, {}});
    out << QStringLiteral("history: %1 comments\n").arg(store.stats().comments);

    vt::test::RawDb raw(path);
    raw.exec(QStringLiteral("UPDATE comments SET seen_at = seen_at - rowid * 0.731, first_seen_at = first_seen_at - "
                            "rowid * 1.377 WHERE post = '%1'")
                 .arg(oddPost));
    const QByteArray mainUtf8 = mainPost.toUtf8();
    auto bindPost = [&](sqlite3_stmt *st) {
        sqlite3_bind_text(st, 1, mainUtf8.constData(), int(mainUtf8.size()), SQLITE_TRANSIENT);
    };
    const QByteArray oddUtf8 = oddPost.toUtf8();
    auto bindOdd = [&](sqlite3_stmt *st) {
        sqlite3_bind_text(st, 1, oddUtf8.constData(), int(oddUtf8.size()), SQLITE_TRANSIENT);
    };
    const double startSecs = double(now.date().addDays(-29).startOfDay().toMSecsSinceEpoch()) / 1000.0;

    const QList<Query> queries{
        {QStringLiteral("comments(post, 5000)"), [&] { store.comments(mainPost, 5000); },
         [&] {
        plainSelect(raw.handle(),
                    "SELECT site, id, post, author, text, published_at, like_count, state, kind, reason, "
                    "ai_prob, first_seen_at, seen_at, deleted_at, avatar FROM comments WHERE post = ?1 AND "
                    "(deleted_at IS NOT NULL OR seen_at >= COALESCE((SELECT full_at FROM posts WHERE posts.url "
                    "= comments.post), 0)) ORDER BY seen_at DESC, COALESCE(published_at, 0) DESC, rowid LIMIT "
                    "5000",
                    bindPost);
         }},
        {QStringLiteral("comments(odd post, 5000)"), [&] { store.comments(oddPost, 5000); },
         [&] {
        plainSelect(raw.handle(),
                    "SELECT site, id, post, author, text, published_at, like_count, state, kind, reason, "
                    "ai_prob, first_seen_at, seen_at, deleted_at, avatar FROM comments WHERE post = ?1 AND "
                    "(deleted_at IS NOT NULL OR seen_at >= COALESCE((SELECT full_at FROM posts WHERE posts.url "
                    "= comments.post), 0)) ORDER BY seen_at DESC, COALESCE(published_at, 0) DESC, rowid LIMIT "
                    "5000",
                    bindOdd);
         }},
        {QStringLiteral("pending(post)"), [&] { store.pending(mainPost); },
         [&] {
        plainSelect(raw.handle(),
                    "SELECT site, id, post, author, text, published_at, like_count, state, kind, reason, "
                    "ai_prob, first_seen_at, seen_at, deleted_at, avatar FROM comments WHERE post = ?1 AND "
                    "state = 'spam' AND deleted_at IS NULL AND seen_at >= COALESCE((SELECT full_at FROM posts "
                    "WHERE posts.url = comments.post), 0) ORDER BY seen_at DESC, COALESCE(published_at, 0) "
                    "DESC, rowid",
                    bindPost);
         }},
        {QStringLiteral("stats()"), [&] { store.stats(); },
         [&] {
        plainSelect(raw.handle(),
                    "SELECT (SELECT COUNT(*) FROM posts), (SELECT COUNT(*) FROM posts WHERE watched = 1), "
                    "(SELECT COUNT(*) FROM comments), (SELECT COUNT(*) FROM comments WHERE state = 'spam' AND "
                    "deleted_at IS NULL AND seen_at >= COALESCE((SELECT full_at FROM posts WHERE posts.url = "
                    "comments.post), 0)), (SELECT COUNT(*) FROM comments WHERE deleted_at IS NOT NULL)",
                    [](sqlite3_stmt *) {});
         }},
        {QStringLiteral("daily(30)"), [&] { store.daily(30, now); },
         [&] {
        auto bindStart = [&](sqlite3_stmt *st) { sqlite3_bind_double(st, 1, startSecs); };
        plainSelect(raw.handle(), "SELECT deleted_at FROM comments WHERE deleted_at >= ?1", bindStart);
        plainSelect(raw.handle(), "SELECT first_seen_at FROM comments WHERE state = 'spam' AND first_seen_at >= ?1",
                    bindStart);
         }},
        };
    compare(out, queries);

    // ---- the statistics view on a year of 1,000,000 comments ----
    const int bigCount = argc > 1 ? std::max(1000, QString::fromLocal8Bit(argv[1]).toInt()) : 1000000;
    const QString bigPath = dir.filePath(QStringLiteral("big.sqlite"));
    vt::test::BigHistory year;
    year.comments = bigCount;
    year.days = 365;
    {
        QElapsedTimer built;
        built.start();
        if (!year.write(bigPath, now)) {
            out << "could not build the big history\n";
            return 1;
        }
        out << QStringLiteral("history: a year of %1 comments, built in %2 s\n")
                   .arg(bigCount)
                   .arg(double(built.elapsed()) / 1000.0, 0, 'f', 1);
        out.flush();
    }
    ScanStore big(bigPath);
    big.keepDays = 400;
    // The same history as the previous file version kept it, for the whole-table reads of before.
    const QString oldPath = dir.filePath(QStringLiteral("big-v2.sqlite"));
    QFile::copy(bigPath, oldPath);
    vt::test::RawDb bigRaw(oldPath);
    bigRaw.exec(QString::fromLatin1(previousVersion));
    const double bigStart30 = double(now.date().addDays(-29).startOfDay().toMSecsSinceEpoch()) / 1000.0;
    const double bigStart365 = double(now.date().addDays(-364).startOfDay().toMSecsSinceEpoch()) / 1000.0;
    // What the statistics view ran before: counts and day lists read from the whole table.
    auto fullDaily = [&](double start) {
        auto bindStart = [&](sqlite3_stmt *st) { sqlite3_bind_double(st, 1, start); };
        plainSelect(bigRaw.handle(), "SELECT deleted_at FROM comments WHERE deleted_at >= ?1", bindStart);
        plainSelect(bigRaw.handle(), "SELECT first_seen_at FROM comments WHERE state = 'spam' AND first_seen_at >= ?1",
                    bindStart);
    };
    const QList<Query> statistics{
        {QStringLiteral("stats()"), [&] { big.stats(); },
         [&] {
        plainSelect(bigRaw.handle(),
                    "SELECT (SELECT COUNT(*) FROM posts), (SELECT COUNT(*) FROM posts WHERE watched = 1), "
                    "(SELECT COUNT(*) FROM comments), (SELECT COUNT(*) FROM comments "
                    "WHERE state = 'spam' AND deleted_at IS NULL AND seen_at >= COALESCE((SELECT full_at FROM "
                    "posts WHERE posts.url = comments.post), 0)), (SELECT COUNT(*) FROM comments "
                    "WHERE deleted_at IS NOT NULL)",
                    [](sqlite3_stmt *) {});
         }},
        {QStringLiteral("stats(\"youtube\")"), [&] { big.stats(site); },
         [&] {
        plainSelect(bigRaw.handle(),
                    "SELECT (SELECT COUNT(*) FROM posts WHERE site = ?1), (SELECT COUNT(*) FROM posts WHERE "
                    "site = ?1 AND watched = 1), (SELECT COUNT(*) FROM comments WHERE site = ?1), "
                    "(SELECT COUNT(*) FROM comments WHERE site = ?1 AND state = 'spam' AND "
                    "deleted_at IS NULL AND seen_at >= COALESCE((SELECT full_at FROM posts WHERE posts.url = "
                    "comments.post), 0)), (SELECT COUNT(*) FROM comments WHERE site = ?1 AND "
                    "deleted_at IS NOT NULL)",
                    [&](sqlite3_stmt *st) { sqlite3_bind_text(st, 1, "youtube", -1, SQLITE_STATIC); });
         }},
        {QStringLiteral("daily(30)"), [&] { big.daily(30, now); }, [&] { fullDaily(bigStart30); }},
        {QStringLiteral("daily(365)"), [&] { big.daily(365, now); }, [&] { fullDaily(bigStart365); }},
        {QStringLiteral("topAuthors(5)"), [&] { big.topAuthors(5); },
         [&] {
        plainSelect(bigRaw.handle(),
                    "SELECT site, author, COUNT(*), MAX(avatar) FROM comments WHERE deleted_at IS NOT NULL AND "
                    "author IS NOT NULL AND author != '' GROUP BY site, author ORDER BY COUNT(*) DESC, author "
                    "LIMIT 5",
                    [](sqlite3_stmt *) {});
         }},
        {QStringLiteral("topPosts(5)"), [&] { big.topPosts(5); },
         [&] {
        plainSelect(bigRaw.handle(),
                    "SELECT site, url, title, scanned_at, total, flagged, watched, deleted, thumbnail, full_at "
                    "FROM posts WHERE deleted > 0 OR flagged > 0 ORDER BY deleted DESC, flagged DESC, "
                    "scanned_at DESC LIMIT 5",
                    [](sqlite3_stmt *) {});
         }},
        {QStringLiteral("recentDeleted(10)"), [&] { big.recentDeleted(10); },
         [&] {
        plainSelect(bigRaw.handle(),
                    "SELECT site, id, post, author, text, published_at, like_count, state, kind, reason, "
                    "ai_prob, first_seen_at, seen_at, deleted_at, avatar FROM comments WHERE deleted_at IS NOT "
                    "NULL ORDER BY deleted_at DESC, rowid DESC LIMIT 10",
                    [](sqlite3_stmt *) {});
         }},
        {QStringLiteral("posts(200)"), [&] { big.posts(200); },
         [&] {
        plainSelect(bigRaw.handle(),
                    "SELECT site, url, title, scanned_at, total, flagged, watched, deleted, thumbnail, full_at "
                    "FROM posts ORDER BY watched DESC, scanned_at DESC LIMIT 200",
                    [](sqlite3_stmt *) {});
         }},
        {QStringLiteral("stats(), first after a change"),
         [&] {
        ScanStore fresh(bigPath);   // a connection of its own keeps nothing yet
        fresh.keepDays = 400;
        fresh.isOpen();
        fresh.stats();
         },
         [&] {
        plainSelect(bigRaw.handle(), "SELECT COUNT(*) FROM comments WHERE deleted_at IS NOT NULL",
                    [](sqlite3_stmt *) {});
        }},
        {QStringLiteral("the whole sheet, nothing kept"),
         [&] {
        ScanStore fresh(bigPath);
        fresh.keepDays = 400;
        fresh.stats();
        fresh.stats(QStringLiteral("youtube"));
        fresh.stats(QStringLiteral("instagram"));
        fresh.daily(365, now);
        fresh.topPosts(5);
        fresh.topAuthors(5);
        fresh.recentDeleted(10);
        fresh.posts(200);
         },
         [&] { fullDaily(bigStart365); }},
        };
    out << QStringLiteral("statistics on %1 comments (goal: store under 50 ms each; direct: the previous "
                          "whole-table reads on the same history in the previous file version)\n")
               .arg(bigCount);
    compare(out, statistics);

    // The one-time upgrade of that history from the previous file version at the first open.
    ScanStore upgraded(oldPath);
    upgraded.keepDays = 400;
    const double upgradeMs = timeMs([&] { upgraded.isOpen(); });
    out << QStringLiteral("first open of the previous version with %1 comments (upgrade): %2 ms, stats() after: %3\n")
               .arg(bigCount)
               .arg(upgradeMs, 0, 'f', 0)
               .arg(upgraded.stats() == big.stats() ? QStringLiteral("same") : QStringLiteral("DIFFERENT"));
    // ---- opening the history: retention ----
    {
        // Nothing expires: the open's purge against the open of an empty history.
        const QString keepPath = dir.filePath(QStringLiteral("keep.sqlite"));
        QFile::copy(bigPath, keepPath);
        QList<double> keepOpen;
        QList<double> emptyOpen;
        for (int rep = 0; rep < 5; ++rep) {
            ScanStore keep(keepPath);
            keep.keepDays = 400;
            keepOpen.append(timeMs([&] { keep.isOpen(); }));
            const QString emptyPath = dir.filePath(QStringLiteral("empty-%1.sqlite").arg(rep));
            {
                ScanStore made(emptyPath);
                made.isOpen();
            }
            ScanStore empty(emptyPath);
            emptyOpen.append(timeMs([&] { empty.isOpen(); }));
        }
        QList<double> purgeOnly;
        {
            ScanStore keep(keepPath);
            keep.keepDays = 400;
            keep.isOpen();
            for (int rep = 0; rep < 5; ++rep)
                purgeOnly.append(timeMs([&] { keep.purge(); }));
        }
        out << QStringLiteral("open of %1 comments when nothing expires: %2 ms (purge alone %3 ms), open of an empty "
                              "history %4 ms, ratio %5\n")
                   .arg(bigCount)
                   .arg(median(keepOpen), 0, 'f', 2)
                   .arg(median(purgeOnly), 0, 'f', 2)
                   .arg(median(emptyOpen), 0, 'f', 2)
                   .arg(median(keepOpen) / median(emptyOpen), 0, 'f', 2);
        out.flush();

        // Half of the year expires at once (retention 180 days): the longest the window waits in
        // one go, against the whole removal, and against the open of an empty history.
        const QString halfPath = dir.filePath(QStringLiteral("half.sqlite"));
        QFile::copy(bigPath, halfPath);
        qint64 before = vt::test::RawDb(halfPath).count(QStringLiteral("comments"));
        ScanStore half(halfPath);
        half.keepDays = 180;
        double longest = timeMs([&] { half.isOpen(); });
        double total = longest;
        int steps = 1;
        while (half.purgePending()) {
            const double ms = timeMs([&] { half.purgeSome(); });
            longest = std::max(longest, ms);
            total += ms;
            ++steps;
        }
        const qint64 after = vt::test::RawDb(halfPath).count(QStringLiteral("comments"));
        out << QStringLiteral("half a year expiring (%1 of %2 comments): longest wait %3 ms in %4 steps, %5 ms in all; "
                              "longest wait / empty open %6\n")
                   .arg(before - after)
                   .arg(before)
                   .arg(longest, 0, 'f', 1)
                   .arg(steps)
                   .arg(total, 0, 'f', 0)
                   .arg(longest / median(emptyOpen), 0, 'f', 2);
        out.flush();
    }

    // ---- the CSV export of the whole history ----
    {
        const QString csvPath = dir.filePath(QStringLiteral("export.csv"));
        const QString plainPath = dir.filePath(QStringLiteral("plain.csv"));
        qint64 rows = 0;
        const double exportMs = timeMs([&] { rows = ScanExport::save(big, csvPath).rows; });
        // A plain read of the same rows in the same order, each value written as text.
        const double plainMs = timeMs([&] {
            QFile file(plainPath);
            file.open(QIODevice::WriteOnly);
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(bigRaw.handle(),
                               "SELECT site, id, post, author, text, published_at, like_count, state, kind, reason, "
                               "ai_prob, first_seen_at, seen_at, deleted_at, avatar FROM comments ORDER BY site, "
                               "post, seen_at DESC, rowid",
                               -1, &st, nullptr);
            QByteArray buffer;
            while (sqlite3_step(st) == SQLITE_ROW) {
                for (int c = 0; c < sqlite3_column_count(st); ++c) {
                    if (c)
                        buffer += ',';
                    buffer += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)),
                                                sqlite3_column_bytes(st, c))
                                  .toUtf8();
                }
                buffer += "\r\n";
                if (buffer.size() >= (1 << 20)) {
                    file.write(buffer);
                    buffer.clear();
                }
            }
            file.write(buffer);
            sqlite3_finalize(st);
        });
        out << QStringLiteral("CSV export of %1 rows: %2 ms, plain read + write %3 ms, ratio %4 (goal under 2)\n")
                   .arg(rows)
                   .arg(exportMs, 0, 'f', 0)
                   .arg(plainMs, 0, 'f', 0)
                   .arg(exportMs / plainMs, 0, 'f', 2);
    }
    return 0;
}
