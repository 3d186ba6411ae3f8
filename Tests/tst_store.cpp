// The history file itself: schema, migration of older files, retention, and what happens
// when the file cannot be opened, is damaged, fails part way, or is shared with another copy.
#include "Store/ScanStore.h"
#include "StoreTestData.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using vt::test::RawDb;

namespace {

const QString yt = QStringLiteral("youtube");
const QString postA = QStringLiteral("https://www.youtube.com/watch?v=aaa");

QString fixture(const QString &name)
{
    QFile file(QStringLiteral(VT_FIXTURES_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return QString::fromUtf8(file.readAll());
}

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QString writerProgram()
{
    return QStringLiteral(VT_BINARY_DIR "/store_writer");
}

QString recorderProgram()
{
    return QStringLiteral(VT_BINARY_DIR "/scan_recorder");
}

QStringList names(RawDb &db, const QString &type)
{
    QStringList out;
    for (const auto &row : db.rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = '%1' AND name NOT "
                                                  "LIKE 'sqlite_%' ORDER BY name")
                                       .arg(type)))
        out.append(row.first().toString());
    return out;
}

// The statistics as the whole table gives them, to hold the kept totals against.
ScanStore::Stats fullStats(RawDb &db, const std::optional<QString> &site)
{
    const QString where = site ? QStringLiteral(" WHERE site = '%1'").arg(*site) : QString();
    const QString whereAnd = site ? QStringLiteral(" WHERE site = '%1' AND").arg(*site) : QStringLiteral(" WHERE");
    const auto row = db.rows(
        QStringLiteral("SELECT (SELECT COUNT(*) FROM posts%1), (SELECT COUNT(*) FROM posts%2 watched = 1), "
                       "(SELECT COUNT(*) FROM comments%1), (SELECT COUNT(*) FROM comments%2 state = 'spam' AND "
                       "deleted_at IS NULL AND seen_at >= COALESCE((SELECT full_at FROM posts WHERE posts.url = "
                       "comments.post), 0)), (SELECT COUNT(*) FROM comments%2 deleted_at IS NOT NULL)")
            .arg(where, whereAnd));
    if (row.isEmpty())
        return {};
    const auto &v = row.first();
    return {int(v.at(0).toLongLong()), int(v.at(1).toLongLong()), int(v.at(2).toLongLong()), int(v.at(3).toLongLong()),
            int(v.at(4).toLongLong())};
}

// The whole table's deletions and new spam within daily()'s window, to hold its sums against.
std::pair<int, int> fullDaily(RawDb &db, const QDateTime &from, const QDateTime &to)
{
    const double a = double(from.toMSecsSinceEpoch()) / 1000.0;
    const double b = double(to.toMSecsSinceEpoch()) / 1000.0;
    return {int(db.count(QStringLiteral("comments WHERE deleted_at >= %1 AND deleted_at < %2")
                             .arg(a, 0, 'f', 3)
                             .arg(b, 0, 'f', 3))),
            int(db.count(QStringLiteral("comments WHERE state = 'spam' AND first_seen_at >= %1 AND first_seen_at < %2")
                             .arg(a, 0, 'f', 3)
                             .arg(b, 0, 'f', 3)))};
}

}   // namespace

class StoreTest : public QObject {
    Q_OBJECT
private slots:
    void newFileHasSchemaAndVersion();
    void defaultPathIsUnderDataFolder();
    void memoryStoreCreatesNoFolder();
    void migratesFirstVersion();
    void regroupsSecondVersion();
    void migratesThirdVersion();
    void migratesFourthVersion();
    void totalsFollowEveryChange_data();
    void totalsFollowEveryChange();
    void missingTotalsAreMadeAgain_data();
    void missingTotalsAreMadeAgain();
    void blockedUpgradeStillCounts();
    void retention();
    void migratesFifthVersion();
    void purgeInBatches_data();
    void purgeInBatches();
    void failedOpenIsKeptAndReported();
    void damagedFileIsLeftAlone_data();
    void damagedFileIsLeftAlone();
    void newerFileIsLeftAlone_data();
    void newerFileIsLeftAlone();
    void linksAreNeverFollowed_data();
    void linksAreNeverFollowed();
    void failedBatchRollsBackWhole();
    void failedRunInsertStoresNoItems();
    void busyFileIsReportedNotDropped();
    void twoCopiesWriteTogether();
    void killedWriterLeavesLastCommittedScan();
    void writeFailureRollsBackTheBatch();
    void killedScanRecordIsWholeOrAbsent();
    void orphanedLogIsKeptAside();

private:
    QTemporaryDir m_dir;
    QString file(const QString &name) const { return m_dir.filePath(name); }
    // A file made from a fixture script.
    QString fromFixture(const QString &name)
    {
        const QString path = file(name + QStringLiteral(".sqlite"));
        QFile::remove(path);
        RawDb db(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        if (!db.exec(fixture(name + QStringLiteral(".sql"))))
            qFatal("fixture %s does not load: %s", qPrintable(name), sqlite3_errmsg(db.handle()));
        return path;
    }
};

void StoreTest::newFileHasSchemaAndVersion()
{
    const QString path = file(QStringLiteral("new/deeper/scans.sqlite"));
    {
        ScanStore store(path);
        QVERIFY(!QFileInfo::exists(path));   // opens lazily
        QCOMPARE(store.stats(), ScanStore::Stats{});
        QVERIFY(store.isOpen());
        QVERIFY(store.openError().isEmpty());
    }
    QCOMPARE(QFileInfo(file(QStringLiteral("new"))).permissions() & 0x7777,
             QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadUser
                 | QFileDevice::WriteUser | QFileDevice::ExeUser);
    RawDb db(path);
    QCOMPARE(names(db, QStringLiteral("table")),
             QStringList({"comment_totals", "comments", "dismissed", "found", "posts", "run_items", "runs"}));
    QCOMPARE(names(db, QStringLiteral("index")),
             QStringList({"comments_deleted_at", "comments_deleted_author", "comments_deleted_author_avatar",
                          "comments_deleted_author_id", "comments_pending", "comments_pending_seen",
                          "comments_pending_text", "comments_post", "comments_seen", "comments_spam_first", "runs_at",
                          "runs_post", "runs_site"}));
    QCOMPARE(names(db, QStringLiteral("trigger")),
             QStringList({"comment_totals_delete", "comment_totals_insert", "comment_totals_update"}));
    QCOMPARE(db.value(QStringLiteral("PRAGMA user_version")).toLongLong(), 5);
    QCOMPARE(db.count(QStringLiteral("runs")), 0);
    // Changes go to a write-ahead log, so that a reader never holds up the window's writes.
    QCOMPARE(db.value(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    // The columns in their order, as older files will have them after the upgrade.
    QStringList columns;
    for (const auto &row : db.rows(QStringLiteral("PRAGMA table_info(comments)")))
        columns.append(row.at(1).toString());
    QCOMPARE(columns.join(','),
             QStringLiteral("site,id,post,hash,options,spam,abuse,sexual,seen_at,author,text,"
                            "published_at,like_count,state,kind,reason,ai_prob,first_seen_at,"
                            "deleted_at,avatar,rules,kept_at,gone,gone_at,removing_at,owner,author_id"));
}

void StoreTest::defaultPathIsUnderDataFolder()
{
    QCOMPARE(ScanStore::defaultPath(),
             QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Veltrane/scans.sqlite");
    QVERIFY(ScanStore::defaultPath().startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
}

void StoreTest::memoryStoreCreatesNoFolder()
{
    const QStringList before = QDir(m_dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    ScanStore store(std::nullopt);
    QCOMPARE(store.path(), QStringLiteral(":memory:"));
    QVERIFY(store.remember(yt, postA, vt::test::makePage("m", 3), std::nullopt, QDateTime::currentDateTime()));
    QCOMPARE(store.stats().comments, 3);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
    QVERIFY(!QFileInfo::exists(QDir::current().filePath(":memory:")));
}

void StoreTest::migratesFirstVersion()
{
    const QString path = fromFixture(QStringLiteral("store_v0"));
    {
        ScanStore store(path);
        store.keepDays = 365 * 100;   // the fixture's times are old
        const auto runs = store.runs(yt, 100);
        QCOMPARE(runs.size(), 3);
        // Runs are made in order of scan time: A (1), D (2), B (3), C (4); E was never scanned.
        QCOMPARE(runs.at(0).post, postA);
        QCOMPARE(runs.at(0).id, 1);
        QCOMPARE(runs.at(0).session, QStringLiteral("legacy:youtube:1"));
        QCOMPARE(runs.at(0).total, 10);
        QCOMPARE(runs.at(0).flagged, 1);
        QCOMPARE(runs.at(1).id, 3);
        QCOMPARE(runs.at(1).session, QStringLiteral("legacy:youtube:1"));   // 100 s later: same group
        QCOMPARE(runs.at(1).note, QString());                               // an empty scan has no note
        QCOMPARE(runs.at(2).id, 4);
        QCOMPARE(runs.at(2).session, QStringLiteral("legacy:youtube:4"));   // 301 s later: a new group
        const auto insta = store.runs(QStringLiteral("instagram"), 100);
        QCOMPARE(insta.size(), 1);
        QCOMPARE(insta.first().session, QStringLiteral("legacy:instagram:2"));
        QVERIFY(store.runs(QStringLiteral("https://www.youtube.com/watch?v=eee")).isEmpty());

        // The added columns work: an old comment reads back with defaults and can be updated.
        auto kept = store.known(yt, {QStringLiteral("c1")});
        QVERIFY(kept.contains("c1"));
        QCOMPARE(kept["c1"].score, (AIScore{0.9, 0.0, 0.0}));
        const auto old = store.comments(postA, 10);
        QCOMPARE(old.size(), 1);
        QCOMPARE(old.first().state, QStringLiteral("ok"));
        QCOMPARE(old.first().firstSeenAt, old.first().lastSeenAt);
        QCOMPARE(store.post(postA)->watched, false);
        QVERIFY(!store.post(postA)->fullAt);
    }
    RawDb db(path);
    QCOMPARE(db.value("PRAGMA user_version").toLongLong(), 5);
    QCOMPARE(db.count("runs"), 4);
    // Opening again changes nothing.
    const auto before = db.rows("SELECT * FROM runs ORDER BY id");
    {
        ScanStore again(path);
        again.keepDays = 365 * 100;
        QCOMPARE(again.stats().posts, 5);
    }
    QCOMPARE(db.rows("SELECT * FROM runs ORDER BY id"), before);
}

void StoreTest::regroupsSecondVersion()
{
    const QString path = fromFixture(QStringLiteral("store_v1"));
    {
        ScanStore store(path);
        store.keepDays = 365 * 100;
        QVERIFY(store.isOpen());
    }
    RawDb db(path);
    QCOMPARE(db.value("PRAGMA user_version").toLongLong(), 5);
    QHash<qint64, QString> session;
    QHash<qint64, QString> note;
    for (const auto &row : db.rows("SELECT id, session, note FROM runs")) {
        session.insert(row.at(0).toLongLong(), row.at(1).toString());
        note.insert(row.at(0).toLongLong(), row.at(2).toString());
    }
    QCOMPARE(session.size(), 9);   // no legacy run was added for the post without one
    for (qint64 id : {1, 2, 3, 4, 5})
        QCOMPARE(session[id], QStringLiteral("legacy:youtube:1"));
    QCOMPARE(session[6], QStringLiteral("legacy:youtube:6"));
    QCOMPARE(session[7], QStringLiteral("legacy:instagram:7"));
    QCOMPARE(session[8], QStringLiteral("b4c1-session"));
    QCOMPARE(session[9], QStringLiteral("legacy:https://www.youtube.com/watch?v=p9"));   // unreadable time
    QCOMPARE(note[1], QStringLiteral("kept"));
    QCOMPARE(note[2], QString());   // successful empty scan
    QCOMPARE(note[5], QStringLiteral("failed to load"));
    QCOMPARE(db.count("run_items"), 1);
    // The columns of the newest version were added.
    QCOMPARE(db.rows("SELECT name FROM pragma_table_info('posts') WHERE name = 'full_at'").size(), 1);
    QCOMPARE(db.rows("SELECT name FROM pragma_table_info('comments') WHERE name IN ('avatar','rules','kept_at')")
                 .size(),
             3);
}

void StoreTest::migratesThirdVersion()
{
    const QString path = fromFixture(QStringLiteral("store_v2"));
    {
        ScanStore store(path);
        store.keepDays = 365 * 100;
        QCOMPARE(store.stats(), (ScanStore::Stats{3, 1, 9, 4, 2}));
        QCOMPARE(store.stats(yt), (ScanStore::Stats{2, 0, 7, 3, 2}));
        QCOMPARE(store.stats(QStringLiteral("instagram")), (ScanStore::Stats{1, 1, 2, 1, 0}));
        QCOMPARE(store.stats(QStringLiteral("nowhere")), (ScanStore::Stats{}));
        // Nothing else changed: the comments, the pending list and the runs read as before.
        QCOMPARE(store.comments(postA, 10).size(), 0);
        QCOMPARE(store.pendingIDs(QStringLiteral("https://www.youtube.com/watch?v=p1")), QStringList{"c2"});
        QCOMPARE(store.runs(yt, 10).size(), 1);
        const auto days = store.daily(2, QDateTime::fromSecsSinceEpoch(1700086500));
        int deleted = 0;
        int flagged = 0;
        for (const auto &d : days) {
            deleted += d.deleted;
            flagged += d.flagged;
        }
        QCOMPARE(deleted, 2);
        QCOMPARE(flagged, 5);   // e1 has no first sighting
    }
    RawDb db(path);
    QCOMPARE(db.value("PRAGMA user_version").toLongLong(), 5);
    QCOMPARE(db.rows("SELECT site, comments, deleted FROM comment_totals ORDER BY site"),
             (QList<QVariantList>{{QStringLiteral("instagram"), qint64(2), qint64(0)},
                                  {QStringLiteral("youtube"), qint64(7), qint64(2)}}));
    // Opening again changes nothing.
    const auto before = db.rows("SELECT * FROM comment_totals ORDER BY site");
    {
        ScanStore again(path);
        again.keepDays = 365 * 100;
        QCOMPARE(again.stats().comments, 9);
    }
    QCOMPARE(db.rows("SELECT * FROM comment_totals ORDER BY site"), before);
}

void StoreTest::migratesFourthVersion()
{
    const QString path = fromFixture(QStringLiteral("store_v3"));
    const QString oldColumns = QStringLiteral(
        "site, id, post, hash, options, spam, abuse, sexual, seen_at, author, text, published_at, like_count, state, "
        "kind, reason, ai_prob, first_seen_at, deleted_at, avatar, rules, kept_at");
    QList<QVariantList> before;
    QList<QVariantList> otherTables;
    const QString others = QStringLiteral("SELECT (SELECT group_concat(url || title || scanned_at) FROM posts), "
                                          "(SELECT group_concat(session || post || at) FROM runs), "
                                          "(SELECT group_concat(site || comments || deleted) FROM comment_totals)");
    {
        RawDb db(path);
        before = db.rows(QStringLiteral("SELECT ") + oldColumns + QStringLiteral(" FROM comments ORDER BY site, id"));
        otherTables = db.rows(others);
    }
    QCOMPARE(before.size(), 9);
    const QString p2 = QStringLiteral("https://www.youtube.com/watch?v=p2");
    const QString ann = QStringLiteral("UCannannannannannannann1");
    {
        ScanStore store(path);
        store.keepDays = 365 * 100;
        QCOMPARE(store.stats(), (ScanStore::Stats{3, 1, 9, 4, 2}));
        // Deletions from before ids were kept count by name, as stored without an id.
        QCOMPARE(store.offenders(yt, {"Ann", "Dan", "Bob"}, true), (QHash<QString, int>{{"Ann", 1}, {"Dan", 1}}));
        QVERIFY(store.offenderIds(yt, {ann}).isEmpty());
        // New sightings keep their author's id, and a deletion then counts by it.
        Comment again = vt::test::makeComment("n1", "spam again", "spam");
        again.authorName = QStringLiteral("Ann");
        again.authorId = ann;
        QVERIFY(store.remember(yt, p2, {again}, std::nullopt, QDateTime::fromSecsSinceEpoch(1700100000)));
        QVERIFY(store.markDeleted(yt, {"n1"}, QDateTime::fromSecsSinceEpoch(1700100100)));
        QCOMPARE(store.offenderIds(yt, {ann}), (QHash<QString, int>{{ann, 1}}));
        QCOMPARE(store.offenders(yt, {"Ann"}, true), (QHash<QString, int>{{"Ann", 1}}));
        QCOMPARE(store.offenders(yt, {"Ann"}), (QHash<QString, int>{{"Ann", 2}}));
    }
    RawDb db(path);
    QCOMPARE(db.value("PRAGMA user_version").toLongLong(), 5);
    // Nothing of the old file was lost or changed: every old row reads as it was, without an id.
    QCOMPARE(db.rows(QStringLiteral("SELECT ") + oldColumns
                     + QStringLiteral(" FROM comments WHERE id != 'n1' ORDER BY site, id")),
             before);
    QCOMPARE(db.count("comments WHERE id != 'n1' AND author_id IS NOT NULL"), 0);
    QCOMPARE(db.value("SELECT author_id FROM comments WHERE id = 'n1'").toString(), ann);
    QCOMPARE(db.rows(others).first().mid(0, 2), otherTables.first().mid(0, 2));
    QCOMPARE(db.rows("SELECT site, comments, deleted FROM comment_totals ORDER BY site"),
             (QList<QVariantList>{{QStringLiteral("instagram"), qint64(2), qint64(0)},
                                  {QStringLiteral("youtube"), qint64(8), qint64(3)}}));
    // Opening again changes nothing.
    const auto after = db.rows("SELECT * FROM comments ORDER BY site, id");
    {
        ScanStore again(path);
        again.keepDays = 365 * 100;
        QCOMPARE(again.stats().comments, 10);
    }
    QCOMPARE(db.rows("SELECT * FROM comments ORDER BY site, id"), after);
    QCOMPARE(db.value("PRAGMA user_version").toLongLong(), 5);
}

void StoreTest::totalsFollowEveryChange_data()
{
    QTest::addColumn<QString>("change");
    for (const char *change : {"none", "new comments", "seen again", "deleted", "deleted twice", "verdicts",
                               "full scan", "forget", "purge", "clear keeping watched", "clear all", "another program"})
        QTest::newRow(change) << QString::fromLatin1(change);
}

void StoreTest::totalsFollowEveryChange()
{
    QFETCH(QString, change);
    const QString path = fromFixture(QStringLiteral("store_v2"));
    const QString p1 = QStringLiteral("https://www.youtube.com/watch?v=p1");
    const QString p2 = QStringLiteral("https://www.youtube.com/watch?v=p2");
    const QDateTime later = QDateTime::fromSecsSinceEpoch(1700100000);
    ScanStore store(path);
    store.keepDays = 365 * 100;
    QVERIFY(store.isOpen());
    RawDb raw(path);

    using vt::test::makeComment;
    if (change == QLatin1String("new comments")) {
        QVERIFY(store.remember(yt, p2,
                               {makeComment("n1", "a", "spam"), makeComment("n2", "b"), makeComment("n3", "c", "spam")},
                               std::nullopt, later));
        QVERIFY(store.remember(QStringLiteral("tiktok"), QStringLiteral("elsewhere"), {makeComment("t1", "a", "spam")},
                               std::nullopt, later));
    } else if (change == QLatin1String("seen again")) {
        QVERIFY(store.remember(yt, p1, {makeComment("c4", "gone"), makeComment("c1", "old spam", "spam")}, std::nullopt,
                               later));
        QVERIFY(store.remember(yt, p2, {makeComment("d2", "rude")}, std::nullopt, later));
    } else if (change == QLatin1String("deleted")) {
        QVERIFY(store.markDeleted(yt, {"c2", "c3", "e1", "missing"}, later));
    } else if (change == QLatin1String("deleted twice")) {
        QVERIFY(store.markDeleted(yt, {"c4", "d2"}, later));
    } else if (change == QLatin1String("verdicts")) {
        QVERIFY(store.rememberVerdicts(yt, {makeComment("c3", "fine", "spam"), makeComment("c2", "spam", "ok")}));
    } else if (change == QLatin1String("full scan")) {
        QVERIFY(store.record(ScanStore::Post{yt, p2, "P2", later, 0, 0, false, 0, {}, later}));
    } else if (change == QLatin1String("forget")) {
        QVERIFY(store.forget(p1));
    } else if (change == QLatin1String("purge")) {
        QVERIFY(
            store.remember(yt, p2, {makeComment("fresh", "a", "spam")}, std::nullopt, QDateTime::currentDateTime()));
        store.keepDays = 30;
        QVERIFY(store.purge());
    } else if (change == QLatin1String("clear keeping watched")) {
        QVERIFY(store.clear(true));
    } else if (change == QLatin1String("clear all")) {
        QVERIFY(store.clear(false));
    } else if (change == QLatin1String("another program")) {
        // An older copy of the application, or any other program, writing the file directly.
        QVERIFY(
            raw.exec("INSERT INTO comments (site, id, post, hash, seen_at, state, first_seen_at, deleted_at) VALUES "
                     "('instagram', 'x1', 'https://www.instagram.com/p/q2/', 'h', 1700000300, 'spam', 1700000300, "
                     "1700000400), ('youtube', 'x2', 'https://www.youtube.com/watch?v=p2', 'h', 1700000300, 'spam', "
                     "1700000300, NULL)"));
        QVERIFY(raw.exec("DELETE FROM comments WHERE id IN ('i2', 'c4')"));
        QVERIFY(raw.exec("UPDATE comments SET site = 'instagram' WHERE id = 'd2'"));
        QVERIFY(raw.exec("UPDATE comments SET deleted_at = 1700000900 WHERE id = 'c2'"));
        QVERIFY(raw.exec("INSERT INTO comments (site, id, post, hash, seen_at, state) VALUES ('youtube', 'x2', "
                         "'https://www.youtube.com/watch?v=p2', 'h2', 1700000300, 'ok') ON CONFLICT (site, id) DO "
                         "UPDATE SET state = excluded.state, deleted_at = 1700000950"));
    }
    auto sameAsWholeTable = [&] {
        for (const auto &site :
             {std::optional<QString>(), std::optional<QString>(yt), std::optional<QString>(QStringLiteral("instagram")),
              std::optional<QString>(QStringLiteral("tiktok"))})
            QCOMPARE(store.stats(site), fullStats(raw, site));
    };
    sameAsWholeTable();
    // And the totals go on following later changes.
    QVERIFY(store.remember(yt, p2, {makeComment("z1", "a", "spam"), makeComment("z2", "b")}, std::nullopt, later));
    QVERIFY(store.markDeleted(yt, {"z1"}, later));
    QVERIFY(store.forget(QStringLiteral("https://www.instagram.com/p/q1/")));
    sameAsWholeTable();
    const QDateTime now = QDateTime::fromSecsSinceEpoch(1700200000);
    const auto days = store.daily(60, now);
    QCOMPARE(days.size(), 60);
    std::pair<int, int> sums;
    for (const auto &d : days) {
        sums.first += d.deleted;
        sums.second += d.flagged;
    }
    QCOMPARE(sums, fullDaily(raw, days.first().day, now.date().addDays(1).startOfDay()));
}

void StoreTest::missingTotalsAreMadeAgain_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<qint64>("version");   // the file's version afterwards
    QTest::newRow("table") << "DROP TABLE comment_totals" << qint64(5);
    QTest::newRow("trigger") << "DROP TRIGGER comment_totals_delete" << qint64(5);
    QTest::newRow("index") << "DROP INDEX comments_spam_first" << qint64(5);
    QTest::newRow("wrong totals") << "UPDATE comment_totals SET comments = 99; PRAGMA user_version = 2" << qint64(5);
}

void StoreTest::missingTotalsAreMadeAgain()
{
    QFETCH(QString, damage);
    QFETCH(qint64, version);
    const QString path = fromFixture(QStringLiteral("store_v2"));
    {
        ScanStore store(path);
        store.keepDays = 365 * 100;
        QVERIFY(store.isOpen());
    }
    {
        RawDb raw(path);
        QVERIFY(raw.exec(damage));
    }
    {
        ScanStore store(path);
        store.keepDays = 365 * 100;
        QVERIFY(store.remember(yt, postA, vt::test::makePage("m", 20), std::nullopt,
                               QDateTime::fromSecsSinceEpoch(1700000900)));
        RawDb raw(path);
        QCOMPARE(store.stats(), fullStats(raw, std::nullopt));
        QCOMPARE(store.stats(yt), fullStats(raw, yt));
        QCOMPARE(store.stats(), (ScanStore::Stats{3, 1, 29, 6, 2}));
    }
    RawDb raw(path);
    QCOMPARE(raw.value("PRAGMA user_version").toLongLong(), version);
    QCOMPARE(names(raw, QStringLiteral("trigger")).size(), 3);
}

void StoreTest::blockedUpgradeStillCounts()
{
    const QString path = fromFixture(QStringLiteral("store_v2"));
    {
        RawDb other(path);
        QVERIFY(other.exec("BEGIN IMMEDIATE"));   // another copy is writing through the whole first open
        ScanStore store(path);
        store.keepDays = 365 * 100;
        QVERIFY(store.isOpen());
        QCOMPARE(store.stats(), (ScanStore::Stats{3, 1, 9, 4, 2}));
        QCOMPARE(store.stats(QStringLiteral("instagram")), (ScanStore::Stats{1, 1, 2, 1, 0}));
        QCOMPARE(store.daily(2, QDateTime::fromSecsSinceEpoch(1700086500)).last().deleted, 1);
        QVERIFY(other.exec("COMMIT"));
        QCOMPARE(RawDb(path).value("PRAGMA user_version").toLongLong(), 2);
        // Without the author id column yet, comments are still stored, and matched by name only.
        Comment c = vt::test::makeComment("b1", "blocked", "spam");
        c.authorId = QStringLiteral("UCblockedblockedblocked1");
        QVERIFY(store.remember(yt, postA, {c}, std::nullopt, QDateTime::fromSecsSinceEpoch(1700000800)));
        QVERIFY(store.markDeleted(yt, {"b1"}, QDateTime::fromSecsSinceEpoch(1700000900)));
        QVERIFY(store.offenderIds(yt, {*c.authorId}).isEmpty());
        QCOMPARE(store.offenders(yt, {c.authorName}, true), (QHash<QString, int>{{c.authorName, 1}}));
    }
    ScanStore later(path);   // the next run upgrades
    later.keepDays = 365 * 100;
    QCOMPARE(later.stats(), (ScanStore::Stats{3, 1, 10, 4, 3}));
    QCOMPARE(RawDb(path).value("PRAGMA user_version").toLongLong(), 5);
}

void StoreTest::retention()
{
    const QString path = file(QStringLiteral("retention.sqlite"));
    const QDateTime now = QDateTime::currentDateTime();
    const QString watched = QStringLiteral("https://www.youtube.com/watch?v=watched");
    const QString stale = QStringLiteral("https://www.youtube.com/watch?v=stale");
    {
        ScanStore store(path);
        QVERIFY(store.remember(yt, postA, {vt::test::makeComment("old", "x")}, std::nullopt, now.addDays(-181)));
        QVERIFY(store.remember(yt, postA, {vt::test::makeComment("young", "y")}, std::nullopt, now.addDays(-179)));
        QVERIFY(store.remember(yt, watched, {vt::test::makeComment("w1", "z")}, std::nullopt, now.addDays(-400)));
        QVERIFY(store.record(ScanStore::Post{yt, postA, "A", now.addDays(-1), 1, 0, false, 0, {}, {}}));
        QVERIFY(store.record(ScanStore::Post{yt, watched, "W", now.addDays(-400), 1, 0, false, 0, {}, {}}));
        QVERIFY(store.setWatched(watched, true));
        QVERIFY(store.record(ScanStore::Post{yt, stale, "S", now.addDays(-400), 0, 0, false, 0, {}, {}}));
        ScanStore::Run oldRun;
        oldRun.session = "s";
        oldRun.site = yt;
        oldRun.post = postA;
        oldRun.at = now.addDays(-200);
        QVERIFY(store.log(oldRun, {ScanStore::Item{"old", "ok", "", "", {}, {}, false}}) > 0);
        oldRun.at = now.addDays(-2);
        QVERIFY(store.log(oldRun, {ScanStore::Item{"young", "ok", "", "", {}, {}, false}}) > 0);
        QVERIFY(store.addFound({ScanStore::Found{yt, "https://www.youtube.com/watch?v=f", "F", {}}}));
        QVERIFY(store.dismiss(yt, "https://www.youtube.com/watch?v=d", now.addDays(-181)));
        // Setting keepDays before the next purge does not reach back into this run's open.
        QCOMPARE(store.stats().comments, 3);
    }
    {
        ScanStore store(path);   // the next run of the application purges at its first open
        QCOMPARE(store.stats(), (ScanStore::Stats{2, 1, 1, 0, 0}));
        QVERIFY(store.known(yt, {"old", "young", "w1"}).contains("young"));
        QVERIFY(store.post(watched));                     // monitored posts are never purged...
        QVERIFY(store.comments(watched, 10).isEmpty());   // ...their old comments are
        QVERIFY(!store.post(stale));
        const auto runs = store.runs(postA);
        QCOMPARE(runs.size(), 1);
        QCOMPARE(runs.first().items, 1);
        QCOMPARE(store.found().size(), 1);
        QVERIFY(store.dismissed().isEmpty());

        // A shorter period takes effect when purge() runs again.
        store.keepDays = 100;
        QVERIFY(store.purge());
        QCOMPARE(store.stats().comments, 0);
    }
    RawDb db(path);
    QCOMPARE(db.count("run_items"), 1);   // the 200-day-old run went together with its items
}

void StoreTest::migratesFifthVersion()
{
    // A file as the previous version left it: no time indexes, version 4.
    const QString path = file(QStringLiteral("v4.sqlite"));
    const QDateTime now = QDateTime::currentDateTime();
    {
        ScanStore store(path);
        QVERIFY(store.remember(yt, postA, vt::test::makePage("v", 40), std::nullopt, now.addDays(-3)));
        QVERIFY(store.markDeleted(yt, {"v1", "v2", "v11"}, now.addDays(-2)));
        QVERIFY(store.record(ScanStore::Post{yt, postA, "A", now.addDays(-3), 37, 4, false, 3, {}, {}}));
    }
    QList<QVariantList> comments;
    QList<QVariantList> posts;
    {
        RawDb db(path);
        QVERIFY(db.exec("DROP INDEX comments_seen; DROP INDEX runs_at; DROP INDEX comments_deleted_author_avatar; "
                        "DROP INDEX comments_pending_text; PRAGMA user_version = 4"));
        comments = db.rows("SELECT rowid, * FROM comments ORDER BY rowid");
        posts = db.rows("SELECT * FROM posts ORDER BY url");
    }
    QCOMPARE(comments.size(), 40);
    {
        ScanStore store(path);
        QVERIFY(store.isOpen());
        QCOMPARE(store.topAuthors(5).size(), 3);
    }
    RawDb db(path);
    QCOMPARE(db.value("PRAGMA user_version").toLongLong(), 5);
    QCOMPARE(db.count("sqlite_master WHERE type = 'index' AND name IN ('comments_seen', 'runs_at', "
                      "'comments_deleted_author_avatar', 'comments_pending_text')"),
             4);
    // Every row stays as it was.
    QCOMPARE(db.rows("SELECT rowid, * FROM comments ORDER BY rowid"), comments);
    QCOMPARE(db.rows("SELECT * FROM posts ORDER BY url"), posts);
    // The purge finds expired comments through the index, not by reading the table.
    const auto plan = db.rows("EXPLAIN QUERY PLAN SELECT rowid FROM comments WHERE seen_at < 5 LIMIT 10");
    QVERIFY(!plan.isEmpty());
    QVERIFY2(plan.first().last().toString().contains("comments_seen"), qPrintable(plan.first().last().toString()));
}

void StoreTest::purgeInBatches_data()
{
    QTest::addColumn<int>("expired");
    QTest::addColumn<int>("kept");
    QTest::addColumn<int>("batch");
    QTest::addColumn<int>("steps");   // calls of purgeSome() until nothing is pending
    QTest::newRow("nothing expires") << 0 << 30 << 10 << 1;
    QTest::newRow("fewer than a batch") << 7 << 20 << 10 << 1;
    QTest::newRow("exactly a batch") << 10 << 5 << 10 << 2;
    QTest::newRow("several batches") << 45 << 30 << 10 << 5;
    QTest::newRow("everything expires") << 25 << 0 << 10 << 3;
}

void StoreTest::purgeInBatches()
{
    QFETCH(int, expired);
    QFETCH(int, kept);
    QFETCH(int, batch);
    const QString path = file(QStringLiteral("batches-%1.sqlite").arg(QTest::currentDataTag()));
    const QDateTime now = QDateTime::currentDateTime();
    const QString stale = QStringLiteral("https://www.youtube.com/watch?v=stale");
    {
        ScanStore store(path);
        store.keepDays = 1000;
        // Expired comments spread over several scans, kept ones between them in the table.
        for (int i = 0; i < std::max(expired, kept); ++i) {
            if (i < expired)
                QVERIFY(store.remember(yt, stale, {vt::test::makeComment(QStringLiteral("e%1").arg(i), "old")},
                                       std::nullopt, now.addDays(-200 - i)));
            if (i < kept)
                QVERIFY(store.remember(yt, postA, {vt::test::makeComment(QStringLiteral("k%1").arg(i), "new")},
                                       std::nullopt, now.addDays(-170).addSecs(i)));
        }
        QVERIFY(store.record(ScanStore::Post{yt, stale, "S", now.addDays(-200), expired, 0, false, 0, {}, {}}));
        QVERIFY(store.record(ScanStore::Post{yt, postA, "A", now.addDays(-1), kept, 0, false, 0, {}, {}}));
    }
    ScanStore store(path);
    store.keepDays = 1000;
    QVERIFY(store.isOpen());
    QVERIFY(!store.purgePending());
    store.keepDays = 180;
    int steps = 0;
    do {
        QVERIFY(store.purgeSome(batch));
        ++steps;
        QVERIFY(steps < 100);
        RawDb db(path);
        // Never more than a batch a step, and the post goes only with the last of its comments.
        QCOMPARE(db.count("comments WHERE id LIKE 'e%'"), std::max(0, expired - steps * batch));
        QCOMPARE(db.count(QStringLiteral("posts WHERE url = '%1'").arg(stale)), store.purgePending() ? 1 : 0);
    } while (store.purgePending());
    QTEST(steps, "steps");
    QCOMPARE(store.purged(), qint64(expired));
    RawDb db(path);
    QStringList left;
    for (const QVariantList &row : db.rows("SELECT id FROM comments ORDER BY id"))
        left.append(row.first().toString());
    QStringList expected;
    for (int i = 0; i < kept; ++i)
        expected.append(QStringLiteral("k%1").arg(i));
    expected.sort();
    QCOMPARE(left, expected);
    QCOMPARE(store.stats().comments, kept);   // the kept totals followed every batch
    QVERIFY(store.purge());                   // nothing more to do
    QCOMPARE(store.purged(), qint64(expired));
}

void StoreTest::failedOpenIsKeptAndReported()
{
    // A folder where the file should be: the open fails.
    const QString path = file(QStringLiteral("blocked.sqlite"));
    QVERIFY(QDir().mkpath(path));
    ScanStore store(path);
    QVERIFY(!store.remember(yt, postA, vt::test::makePage("x", 2), std::nullopt, QDateTime::currentDateTime()));
    QVERIFY(!store.openError().isEmpty());
    QVERIFY2(store.openError().contains(path), qPrintable(store.openError()));
    QCOMPARE(store.lastError(), store.openError());
    QCOMPARE(store.stats(), ScanStore::Stats{});
    QVERIFY(store.comments(postA, 10).isEmpty());
    QVERIFY(store.daily(7, QDateTime::currentDateTime()).isEmpty());
    QCOMPARE(store.log(ScanStore::Run{}, {}), 0);
    QVERIFY(!store.purge());
    // Not retried during the run, even once the obstacle is gone.
    QVERIFY(QDir(path).removeRecursively());
    QVERIFY(!store.isOpen());
    QVERIFY(!QFileInfo::exists(path));
}

void StoreTest::damagedFileIsLeftAlone_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("not a database") << "text";
    QTest::newRow("truncated") << "truncate";
    QTest::newRow("garbled pages") << "garble";
}

void StoreTest::damagedFileIsLeftAlone()
{
    QFETCH(QString, damage);
    const QString path = file(QStringLiteral("damaged-%1.sqlite").arg(damage));
    if (damage == QLatin1String("text")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("These are the owner's notes, not a database.\n").repeated(200));
    } else {
        {
            ScanStore store(path);
            QVERIFY(
                store.remember(yt, postA, vt::test::makePage("c", 3000), std::nullopt, QDateTime::currentDateTime()));
        }
        QVERIFY(!QFileInfo::exists(path + "-wal"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        const qint64 size = f.size();
        QVERIFY(size > 100000);
        if (damage == QLatin1String("truncate")) {
            QVERIFY(f.resize(size / 2));
        } else {
            // Overwrite the pages after the first few with noise.
            QVERIFY(f.seek(4096 * 3));
            f.write(QByteArray(int(size - 4096 * 4), '\xA5'));
        }
    }
    const QByteArray before = fileHash(path);

    ScanStore store(path);
    const bool wrote = store.remember(yt, postA, vt::test::makePage("n", 5), std::nullopt,
                                      QDateTime::currentDateTime());
    const auto stats = store.stats();
    const auto comments = store.comments(postA, 10);
    QVERIFY(!wrote);
    QCOMPARE(stats, ScanStore::Stats{});
    QVERIFY(comments.isEmpty());
    QVERIFY2(store.openError().contains(QStringLiteral("damaged")), qPrintable(store.openError()));
    QVERIFY(!store.isOpen());
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(fileHash(path), before);
}

void StoreTest::newerFileIsLeftAlone_data()
{
    QTest::addColumn<QString>("schema");   // what the newer copy left, at user_version 6
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("tables and columns it no longer has")
        << "CREATE TABLE posts (url TEXT PRIMARY KEY, site TEXT, "
           "title TEXT, scanned_at REAL, total INTEGER, flagged INTEGER)"
        << false;
    QTest::newRow("this version's schema and more") << "" << false;
    QTest::newRow("read by the export") << "" << true;
}

void StoreTest::newerFileIsLeftAlone()
{
    QFETCH(QString, schema);
    QFETCH(bool, readOnly);
    const QString path = file(QStringLiteral("newer-%1.sqlite").arg(QTest::currentDataTag()));
    if (schema.isEmpty()) {
        ScanStore older(path);
        QVERIFY(older.remember(yt, postA, vt::test::makePage("c", 20), std::nullopt, QDateTime::currentDateTime()));
    }
    {
        RawDb db(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        QVERIFY(db.exec(schema.isEmpty() ? QStringLiteral("CREATE TABLE later (x)") : schema));
        QVERIFY(db.exec("PRAGMA user_version = 6"));
    }
    const QByteArray before = fileHash(path);

    ScanStore store(path, readOnly ? ScanStore::Access::readOnly : ScanStore::Access::readWrite);
    QVERIFY(!store.isOpen());
    QVERIFY(!store.remember(yt, postA, vt::test::makePage("n", 5), std::nullopt, QDateTime::currentDateTime()));
    QCOMPARE(store.stats(), ScanStore::Stats{});
    QVERIFY(!store.purge());
    QCOMPARE(fileHash(path), before);
    QCOMPARE(QDir(m_dir.path()).entryList({QFileInfo(path).fileName() + "-*"}, QDir::Files), QStringList());
    // Said with the file and what to do.
    const QString told = store.openError();
    QVERIFY2(told.contains("newer version") && told.contains(path), qPrintable(told));
}

void StoreTest::linksAreNeverFollowed_data()
{
    QTest::addColumn<QString>("at");       // the name that is a link
    QTest::addColumn<bool>("toHistory");   // leading to a history file (else nowhere)
    QTest::newRow("the file, to another history") << "" << true;
    QTest::newRow("the file, to nowhere") << "" << false;
    QTest::newRow("its journal, to nowhere") << "-journal" << false;
    QTest::newRow("its write-ahead log, to nowhere") << "-wal" << false;
}

void StoreTest::linksAreNeverFollowed()
{
    QFETCH(QString, at);
    QFETCH(bool, toHistory);
    const QString path = file(QStringLiteral("linked-%1.sqlite").arg(QTest::currentDataTag()));
    const QString target = file(QStringLiteral("elsewhere-%1.sqlite").arg(QTest::currentDataTag()));
    if (toHistory) {
        ScanStore elsewhere(target);
        QVERIFY(elsewhere.remember(yt, postA, vt::test::makePage("c", 20), std::nullopt, QDateTime::currentDateTime()));
    }
    if (!at.isEmpty()) {
        ScanStore real(path);
        QVERIFY(real.remember(yt, postA, vt::test::makePage("c", 20), std::nullopt, QDateTime::currentDateTime()));
    }
    QVERIFY(QFile::link(target, path + at));
    const QByteArray before = fileHash(path);
    const QByteArray targetBefore = fileHash(target);

    ScanStore store(path);
    QVERIFY(!store.remember(yt, postA, vt::test::makePage("n", 5), std::nullopt, QDateTime::currentDateTime()));
    QVERIFY(!store.isOpen());
    QVERIFY2(store.openError().contains("is a link") && store.openError().contains(path + at),
             qPrintable(store.openError()));
    QCOMPARE(fileHash(target), targetBefore);
    QCOMPARE(QFileInfo::exists(target), toHistory);
    QCOMPARE(fileHash(path), before);
    QVERIFY(QFileInfo(path + at).isSymLink());
}

void StoreTest::failedBatchRollsBackWhole()
{
    const QString path = file(QStringLiteral("rollback.sqlite"));
    ScanStore store(path);
    QVERIFY(store.remember(yt, postA, vt::test::makePage("a", 5), std::nullopt, QDateTime::currentDateTime()));
    RawDb raw(path);
    QVERIFY(raw.exec("CREATE TRIGGER boom BEFORE INSERT ON comments WHEN NEW.id = 'b7' "
                     "BEGIN SELECT RAISE(ABORT, 'no room for b7'); END"));

    QVERIFY(!store.remember(yt, postA, vt::test::makePage("b", 10), std::nullopt, QDateTime::currentDateTime()));
    QVERIFY2(store.lastError().contains("no room for b7"), qPrintable(store.lastError()));
    QCOMPARE(raw.count("comments"), 5);   // nothing of the failed batch, everything before it
    QVERIFY(store.openError().isEmpty());

    // No transaction is left open: the next batch is written and seen by other connections.
    QVERIFY(raw.exec("DROP TRIGGER boom"));
    QVERIFY(store.remember(yt, postA, vt::test::makePage("b", 10), std::nullopt, QDateTime::currentDateTime()));
    QCOMPARE(raw.count("comments"), 15);
}

void StoreTest::failedRunInsertStoresNoItems()
{
    const QString path = file(QStringLiteral("log.sqlite"));
    ScanStore store(path);
    ScanStore::Run run;
    run.session = "s";
    run.site = yt;
    run.post = postA;
    run.at = QDateTime::currentDateTime();
    const qint64 first = store.log(run, {ScanStore::Item{"a", "ok", "", "", {}, {}, true}});
    QVERIFY(first > 0);

    // The insert of the run is silently skipped: its id would be the earlier run's.
    RawDb raw(path);
    QVERIFY(raw.exec("CREATE TRIGGER skip BEFORE INSERT ON runs BEGIN SELECT RAISE(IGNORE); END"));
    QCOMPARE(store.log(run, {ScanStore::Item{"b", "spam", "spam", "link", 0.9, {}, true}}), 0);
    QCOMPARE(raw.count("run_items"), 1);
    QCOMPARE(store.runs(postA).first().items, 1);

    QVERIFY(raw.exec("DROP TRIGGER skip"));
    QVERIFY(store.log(run, {}) > first);
}

void StoreTest::busyFileIsReportedNotDropped()
{
    const QString path = file(QStringLiteral("busy.sqlite"));
    ScanStore store(path);
    QVERIFY(store.isOpen());
    RawDb other(path);
    QVERIFY(other.exec("BEGIN IMMEDIATE"));   // another copy is writing and does not let go
    QVERIFY(!store.remember(yt, postA, vt::test::makePage("a", 3), std::nullopt, QDateTime::currentDateTime()));
    QVERIFY2(store.lastError().contains("another copy"), qPrintable(store.lastError()));
    QVERIFY(other.exec("COMMIT"));
    QVERIFY(store.remember(yt, postA, vt::test::makePage("a", 3), std::nullopt, QDateTime::currentDateTime()));
    QCOMPARE(store.stats().comments, 3);
}

void StoreTest::twoCopiesWriteTogether()
{
    const QString path = file(QStringLiteral("copies.sqlite"));
    ScanStore here(path);
    QVERIFY(here.isOpen());
    const int scans = 25;
    QList<QProcess *> copies;
    for (const char *tag : {"x", "y"}) {
        auto *p = new QProcess(this);
        p->start(writerProgram(), {path, "copies", tag, QString::number(scans)});
        copies.append(p);
    }
    for (QProcess *p : copies)
        QVERIFY(p->waitForStarted());
    // This copy reads and writes meanwhile too.
    for (int i = 0; i < 20; ++i) {
        QVERIFY2(here.remember(yt, postA, vt::test::makePage(QStringLiteral("h%1-").arg(i), 50), std::nullopt,
                               QDateTime::currentDateTime()),
                 qPrintable(here.lastError()));
        here.stats();
    }
    for (QProcess *p : copies) {
        QVERIFY(p->waitForFinished(120000));
        const QString out = QString::fromUtf8(p->readAllStandardOutput());
        QVERIFY2(p->exitCode() == 0, qPrintable(out + p->readAllStandardError()));
    }
    QCOMPARE(here.stats().comments, 2 * scans * 200 + 20 * 50);
    QCOMPARE(here.runs("youtube", 1000).size(), 2 * scans);
    RawDb raw(path);
    QCOMPARE(raw.value("PRAGMA integrity_check").toString(), QStringLiteral("ok"));
    qDeleteAll(copies);
}

void StoreTest::killedWriterLeavesLastCommittedScan()
{
    const QString path = file(QStringLiteral("killed.sqlite"));
    QProcess writer;
    writer.start(writerProgram(), {path, "crash"});
    QVERIFY(writer.waitForStarted());
    QByteArray out;
    while (!out.contains("writing")) {
        QVERIFY2(writer.waitForReadyRead(30000), out.constData());
        out += writer.readAllStandardOutput();
    }
    QVERIFY(out.contains("committed"));
    QTest::qWait(400);   // well inside the big batch
    QCOMPARE(writer.state(), QProcess::Running);
    writer.kill();
    QVERIFY(writer.waitForFinished(10000));

    {
        ScanStore store(path);
        QVERIFY2(store.isOpen(), qPrintable(store.openError()));
        QCOMPARE(store.comments(QStringLiteral("https://www.youtube.com/watch?v=small"), 10000).size(), 500);
        QCOMPARE(store.comments(QStringLiteral("https://www.youtube.com/watch?v=big"), 10).size(), 0);
        QCOMPARE(store.pendingIDs(QStringLiteral("https://www.youtube.com/watch?v=small")).size(), 50);
    }
    RawDb raw(path);
    QCOMPARE(raw.value("PRAGMA integrity_check").toString(), QStringLiteral("ok"));
}

void StoreTest::writeFailureRollsBackTheBatch()
{
    const QString path = file(QStringLiteral("full.sqlite"));
    QProcess writer;
    // A file size limit: room for the small scan, not for 300,000 comments.
    writer.start(writerProgram(), {path, "fsize", QString::number(4 * 1024 * 1024)});
    QVERIFY(writer.waitForFinished(120000));
    const QString out = QString::fromUtf8(writer.readAllStandardOutput());
    QCOMPARE(writer.exitCode(), 3);
    QVERIFY2(out.contains("committed") && out.contains("error ") && out.contains("usable"), qPrintable(out));
    QVERIFY2(out.contains("I/O error"), qPrintable(out));

    ScanStore store(path);
    QCOMPARE(store.comments(QStringLiteral("https://www.youtube.com/watch?v=small"), 10000).size(), 500);
    QCOMPARE(store.comments(QStringLiteral("https://www.youtube.com/watch?v=big"), 10).size(), 0);
    RawDb raw(path);
    QCOMPARE(raw.value("PRAGMA integrity_check").toString(), QStringLiteral("ok"));
}

void StoreTest::killedScanRecordIsWholeOrAbsent()
{
    // A scan's record (comments, post row, run) is killed at random points while it is written,
    // again and again: each scan is in the history whole or not at all.
    const QString path = file(QStringLiteral("recorded.sqlite"));
    const int perScan = 4000;
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    int inFlight = 0;
    for (int round = 0; round < 8; ++round) {
        QProcess recorder;
        recorder.start(recorderProgram(), {path, QString::number(round * 1000), QString::number(perScan)});
        QVERIFY(recorder.waitForStarted());
        // Killed during the first to third record of the round, somewhere in its writes.
        const int records = 1 + int(random.bounded(3));
        QByteArray out;
        while (out.count("writing") < records) {
            QVERIFY2(recorder.waitForReadyRead(120000), out.constData());
            out += recorder.readAllStandardOutput();
        }
        QTest::qSleep(int(random.bounded(250)));
        QCOMPARE(recorder.state(), QProcess::Running);
        recorder.kill();
        QVERIFY(recorder.waitForFinished(30000));
        out += recorder.readAllStandardOutput();
        QVERIFY2(!out.contains("error"), out.constData());
        inFlight += out.count("writing") - out.count("recorded");
    }
    qInfo("seed %u; records cut short: %d", seed, inFlight);

    RawDb raw(path);
    QCOMPARE(raw.value("PRAGMA integrity_check").toString(), QStringLiteral("ok"));
    const auto posts = raw.rows("SELECT p FROM (SELECT post AS p FROM comments UNION SELECT url FROM posts "
                                "UNION SELECT post FROM runs)");
    QVERIFY(!posts.isEmpty());
    for (const auto &row : posts) {
        const QString url = row.at(0).toString();
        const qint64 comments = raw.count(QStringLiteral("comments WHERE post = '%1'").arg(url));
        const qint64 rows = raw.count(QStringLiteral("posts WHERE url = '%1'").arg(url));
        const qint64 runs = raw.count(QStringLiteral("runs WHERE post = '%1'").arg(url));
        QVERIFY2((comments == perScan && rows == 1 && runs == 1) || (comments == 0 && rows == 0 && runs == 0),
                 qPrintable(QStringLiteral("%1: %2 comments, %3 post rows, %4 runs (seed %5)")
                                .arg(url)
                                .arg(comments)
                                .arg(rows)
                                .arg(runs)
                                .arg(seed)));
    }
    ScanStore store(path);
    const ScanStore::Stats stats = store.stats();
    QCOMPARE(stats.comments, stats.posts * perScan);
}

void StoreTest::orphanedLogIsKeptAside()
{
    // A history whose program was killed keeps its last commits in its write-ahead log. Moved away
    // without that log (as the owner may move a damaged file), the log left behind is not replayed
    // into the new file but kept aside whole.
    const QString path = file(QStringLiteral("moved/scans.sqlite"));
    QProcess writer;
    writer.start(writerProgram(), {path, "crash"});
    QVERIFY(writer.waitForStarted());
    QByteArray out;
    while (!out.contains("writing")) {
        QVERIFY2(writer.waitForReadyRead(30000), out.constData());
        out += writer.readAllStandardOutput();
    }
    writer.kill();
    QVERIFY(writer.waitForFinished(10000));
    QVERIFY(QFileInfo::exists(path + "-wal"));
    QVERIFY(QFile::rename(path, path + ".elsewhere"));
    const QByteArray log = fileHash(path + "-wal");

    ScanStore fresh(path);
    QVERIFY2(fresh.remember(yt, postA, vt::test::makePage("n", 3), std::nullopt, QDateTime::currentDateTime()),
             qPrintable(fresh.lastError()));
    QCOMPARE(fresh.stats().comments, 3);
    const QString folder = QFileInfo(path).absolutePath();
    const QStringList aside = QDir(folder).entryList({"scans.sqlite-wal.orphaned-*"});
    QCOMPARE(aside.size(), 1);
    QCOMPARE(fileHash(folder + "/" + aside.first()), log);
    QCOMPARE(RawDb(path).value("PRAGMA integrity_check").toString(), QStringLiteral("ok"));
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    StoreTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_store.moc"
