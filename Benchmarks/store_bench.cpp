// The store's cost over plain SQLite: storing a 10,000-comment scan with remember(), and the
// review panel's queries on a history of 200,000 comments, each next to the same work written
// directly against SQLite in the same run. Prints medians and ratios (store / direct).
#include "Store/ScanStore.h"
#include "StoreTestData.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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
            case SQLITE_FLOAT: sink += qint64(sqlite3_column_double(st, c)); break;
            case SQLITE_INTEGER: sink += sqlite3_column_int64(st, c); break;
            default: break;
            }
        }
    }
    sqlite3_finalize(st);
    return rows + (sink == 42 ? 1 : 0);
}

} // namespace

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const int reps = 5;

    // ---- storing one 10,000-comment scan ----
    QList<double> storeTimes;
    QList<double> plainTimes;
    for (int rep = 0; rep < reps; ++rep) {
        const auto page = vt::test::makePage(QStringLiteral("r%1-").arg(rep), 10000);
        {
            ScanStore store(dir.filePath(QStringLiteral("remember-%1.sqlite").arg(rep)));
            store.isOpen();
            storeTimes.append(timeMs([&] { store.remember(site, mainPost, page, std::nullopt, QDateTime::currentDateTime()); }));
        }
        {
            const QString path = dir.filePath(QStringLiteral("plain-%1.sqlite").arg(rep));
            { ScanStore schema(path); schema.isOpen(); }   // the same schema, indexes and journal mode
            vt::test::RawDb db(path);
            plainTimes.append(timeMs([&] { plainInsert(db.handle(), mainPost, page); }));
        }
    }
    const double rememberMs = median(storeTimes);
    const double insertMs = median(plainTimes);
    out << QStringLiteral("remember 10000 comments: store %1 ms, plain INSERT %2 ms, ratio %3\n")
               .arg(rememberMs, 0, 'f', 1).arg(insertMs, 0, 'f', 1).arg(rememberMs / insertMs, 0, 'f', 2);
    out.flush();

    // ---- the panel's queries on 200,000 comments ----
    const QString path = dir.filePath(QStringLiteral("history.sqlite"));
    ScanStore store(path);
    const QDateTime now = QDateTime::currentDateTime();
    store.remember(site, mainPost, vt::test::makePage(QStringLiteral("main-"), 10000), std::nullopt, now);
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
    const QByteArray mainUtf8 = mainPost.toUtf8();
    auto bindPost = [&](sqlite3_stmt *st) {
        sqlite3_bind_text(st, 1, mainUtf8.constData(), int(mainUtf8.size()), SQLITE_TRANSIENT);
    };
    const double startSecs = double(now.date().addDays(-29).startOfDay().toMSecsSinceEpoch()) / 1000.0;

    struct Query {
        QString name;
        std::function<void()> store;
        std::function<void()> plain;
    };
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
             plainSelect(raw.handle(),
                         "SELECT first_seen_at FROM comments WHERE state = 'spam' AND first_seen_at >= ?1",
                         bindStart);
         }},
    };
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
                   .arg(q.name, -22).arg(sa, 0, 'f', 2).arg(sb, 0, 'f', 2).arg(sa / sb, 0, 'f', 2);
        out.flush();
    }
    return 0;
}
