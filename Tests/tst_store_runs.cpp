// Runs with their items, posts and their counters, found and dismissed posts, forget and clear.
#include "Store/ScanStore.h"
#include "StoreTestData.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

using vt::test::makeComment;
using vt::test::RawDb;

namespace {

const QString yt = QStringLiteral("youtube");
const QString ig = QStringLiteral("instagram");
const QString postA = QStringLiteral("https://www.youtube.com/watch?v=aaa");
const QString postB = QStringLiteral("https://www.youtube.com/watch?v=bbb");
const QString postI = QStringLiteral("https://www.instagram.com/p/iii/");

QDateTime at(int day, int hour = 12)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, 0));
}

ScanStore::Run makeRun(const QString &site, const QString &post, const QDateTime &when,
                       ScanStore::Run::Kind kind = ScanStore::Run::Kind::Scan, bool failed = false)
{
    ScanStore::Run r;
    r.session = QStringLiteral("session");
    r.kind = kind;
    r.site = site;
    r.post = post;
    r.at = when;
    r.total = 3;
    r.flagged = 1;
    r.added = 2;
    r.failed = failed;
    r.note = QStringLiteral("note");
    return r;
}

ScanStore::Post makePost(const QString &site, const QString &url, const QString &title, const QDateTime &scanned,
                         int total = 10, int flagged = 3)
{
    return ScanStore::Post{site, url, title, scanned, total, flagged, false, 0, std::nullopt, std::nullopt};
}

}   // namespace

class StoreRunsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void logReadsBackWhole();
    void fortyFirstRunTrimsOldest();
    void runsOfSiteKeepLastGoodScans();
    void itemsTakeTheRunsVerdict();
    void recordKeepsWhatIsNotGiven();
    void removedClampsAtZero_data();
    void removedClampsAtZero();
    void watching();
    void foundAndDismissed();
    void statsPerSite();
    void topPosts();
    void forgetOnePost();
    void clearKeepingWatched();
    void clearEverything();

private:
    QTemporaryDir m_dir;
    QString m_path;
    ScanStore *m_store = nullptr;
    int m_counter = 0;
};

void StoreRunsTest::init()
{
    m_path = m_dir.filePath(QStringLiteral("runs-%1.sqlite").arg(++m_counter));
    m_store = new ScanStore(m_path);
    m_store->keepDays = 365 * 100;
}

void StoreRunsTest::cleanup()
{
    delete m_store;
    m_store = nullptr;
}

void StoreRunsTest::logReadsBackWhole()
{
    ScanStore &s = *m_store;
    ScanStore::Run run = makeRun(yt, postA, at(1), ScanStore::Run::Kind::Delete);
    run.automatic = true;
    run.deleted = 2;
    const qint64 id = s.log(run,
                            {ScanStore::Item{"a", "spam", "spam", "link", 0.75, {}, true},
                             ScanStore::Item{"b", "ok", "", "", std::nullopt, {"a", "b"}, false},
                             ScanStore::Item{"a", "ok", "", "later", std::nullopt, {}, false}});
    QVERIFY(id > 0);
    const auto runs = s.runs(postA);
    QCOMPARE(runs.size(), 1);
    run.id = id;
    run.items = 2;   // the later item with the same id replaced the earlier one
    QCOMPARE(runs.first(), run);
    RawDb raw(m_path);
    QVERIFY(raw.value("SELECT hits FROM run_items WHERE id = 'a'").isNull());
    QCOMPARE(raw.value("SELECT hits FROM run_items WHERE id = 'b'").toString(), QStringLiteral("a\nb"));
    QCOMPARE(raw.value("SELECT reason FROM run_items WHERE id = 'a'").toString(), QStringLiteral("later"));
    QCOMPARE(s.hits(postA), (QHash<QString, QStringList>{{"b", {"a", "b"}}}));
}

void StoreRunsTest::fortyFirstRunTrimsOldest()
{
    ScanStore &s = *m_store;
    const qint64 other = s.log(makeRun(yt, postB, at(1)), {ScanStore::Item{"x", "ok", "", "", {}, {}, false}});
    QList<qint64> ids;
    for (int i = 0; i < 41; ++i)
        ids.append(s.log(makeRun(yt, postA, at(1).addSecs(i)), {ScanStore::Item{"c", "ok", "", "", {}, {}, false}}));
    const auto runs = s.runs(postA);
    QCOMPARE(runs.size(), 40);
    QCOMPARE(runs.first().id, ids.at(1));
    QCOMPARE(runs.last().id, ids.last());
    RawDb raw(m_path);
    QCOMPARE(raw.count(QStringLiteral("run_items WHERE run = %1").arg(ids.first())), 0);
    QCOMPARE(raw.count("run_items"), 41);   // 40 of postA, 1 of postB
    QCOMPARE(s.runs(postB).size(), 1);
    QCOMPARE(s.runs(postB).first().id, other);
    // Ids are never reused after the trim.
    QVERIFY(s.log(makeRun(yt, postA, at(2)), {}) > ids.last());
}

void StoreRunsTest::runsOfSiteKeepLastGoodScans()
{
    ScanStore &s = *m_store;
    const qint64 a1 = s.log(makeRun(yt, postA, at(1)), {});
    const qint64 a2 = s.log(makeRun(yt, postA, at(2)), {});
    const qint64 b1 = s.log(makeRun(yt, postB, at(3)), {});
    s.log(makeRun(yt, postB, at(4), ScanStore::Run::Kind::Scan, true), {});   // failed
    s.log(makeRun(ig, postI, at(5)), {});
    const qint64 last = s.log(makeRun(yt, postA, at(6), ScanStore::Run::Kind::Delete), {});
    QList<qint64> ids;
    for (const auto &r : s.runs(yt, 1))
        ids.append(r.id);
    QCOMPARE(ids, (QList<qint64>{a2, b1, last}));
    Q_UNUSED(a1);
    QCOMPARE(s.runs(yt, 100).size(), 5);
}

void StoreRunsTest::itemsTakeTheRunsVerdict()
{
    ScanStore &s = *m_store;
    Comment old = makeComment("c1", "first");
    old.publishedAt = 1000;
    Comment spam = makeComment("c2", "second", "spam", "link");
    QVERIFY(s.remember(yt, postA, {old, spam, makeComment("c3", "third")}, std::nullopt, at(1)));
    const qint64 id = s.log(makeRun(yt, postA, at(1)),
                            {ScanStore::Item{"c1", "ok", "", "", std::nullopt, {}, true},
                             ScanStore::Item{"c3", "spam", "abuse", "dict:abuse:w", 0.8, {"w"}, true},
                             ScanStore::Item{"c2", "ok", "", "cleared", std::nullopt, {}, false}});
    auto items = s.items(id);
    QCOMPARE(items.size(), 3);
    QCOMPARE(items.at(0).id, QStringLiteral("c3"));   // spam first
    QCOMPARE(items.at(0).kind, QStringLiteral("abuse"));
    QCOMPARE(items.at(0).aiProb, 0.8);
    QCOMPARE(items.at(0).hits, QStringList{"w"});
    QVERIFY(items.at(0).fresh);
    QCOMPARE(items.at(1).id, QStringLiteral("c1"));   // then newest publication
    QCOMPARE(items.at(2).id, QStringLiteral("c2"));
    QCOMPARE(items.at(2).state, QStringLiteral("ok"));   // the run's state, not the stored one
    QCOMPARE(items.at(2).reason, QStringLiteral("cleared"));
    QVERIFY(!items.at(2).fresh);

    QVERIFY(s.forget(postA));
    QVERIFY(s.items(id).isEmpty());
}

void StoreRunsTest::recordKeepsWhatIsNotGiven()
{
    ScanStore &s = *m_store;
    QVERIFY(s.addFound({ScanStore::Found{yt, postA, "found", {}}}));
    QVERIFY(s.dismiss(yt, postA, at(1)));
    ScanStore::Post p = makePost(yt, postA, "Title", at(1));
    p.thumbnail = "https://img.example/t.jpg";
    p.fullAt = at(1);
    QVERIFY(s.record(p));
    QVERIFY(s.setWatched(postA, true));
    QVERIFY(s.removed(postA, 1));
    QVERIFY(s.found().isEmpty());
    QVERIFY(s.dismissed().isEmpty());

    ScanStore::Post again = makePost(yt, postA, "", at(2), 20, 5);   // no title, thumbnail or full scan
    again.watched = false;
    again.deleted = 0;
    QVERIFY(s.record(again));
    const auto stored = s.post(postA);
    QVERIFY(stored);
    QCOMPARE(*stored,
             (ScanStore::Post{yt, postA, "Title", at(2), 20, 5, true, 1, QStringLiteral("https://img.example/t.jpg"),
                              at(1)}));
}

void StoreRunsTest::removedClampsAtZero_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("flagged");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("totalAfter");
    QTest::addColumn<int>("flaggedAfter");
    QTest::newRow("more than flagged") << 10 << 3 << 5 << 5 << 0;
    QTest::newRow("more than both") << 2 << 1 << 5 << 0 << 0;
    QTest::newRow("within") << 10 << 3 << 2 << 8 << 1;
    QTest::newRow("none") << 10 << 3 << 0 << 10 << 3;
    QTest::newRow("negative changes nothing") << 10 << 3 << -4 << 10 << 3;
}

void StoreRunsTest::removedClampsAtZero()
{
    QFETCH(int, total);
    QFETCH(int, flagged);
    QFETCH(int, count);
    QFETCH(int, totalAfter);
    QFETCH(int, flaggedAfter);
    ScanStore &s = *m_store;
    QVERIFY(s.record(makePost(yt, postA, "A", at(1), total, flagged)));
    QVERIFY(s.removed(postA, count));
    QVERIFY(s.removed(postB, count));   // no row: nothing happens
    const auto p = s.post(postA);
    QCOMPARE(p->total, totalAfter);
    QCOMPARE(p->flagged, flaggedAfter);
    QCOMPARE(p->deleted, qMax(0, count));
    QVERIFY(!s.post(postB));
}

void StoreRunsTest::watching()
{
    ScanStore &s = *m_store;
    // Monitoring a post never scanned creates it with scan time 0 and takes it off the dismissed list.
    QVERIFY(s.dismiss(yt, postA, at(1)));
    QVERIFY(s.watch(yt, postA, "Watched", QStringLiteral("https://img.example/w.jpg")));
    auto p = s.post(postA);
    QVERIFY(p && p->watched);
    QCOMPARE(p->scannedAt.toSecsSinceEpoch(), 0);
    QCOMPARE(p->title, QStringLiteral("Watched"));
    QVERIFY(s.dismissed().isEmpty());
    // Turning it off again removes the row that holds nothing.
    QVERIFY(s.setWatched(postA, false));
    QVERIFY(!s.post(postA));

    // A scanned post only loses the flag; watching it keeps its data.
    QVERIFY(s.record(makePost(yt, postB, "B", at(2))));
    QVERIFY(s.watch(yt, postB, "other title", std::nullopt));
    QCOMPARE(s.post(postB)->title, QStringLiteral("B"));
    QVERIFY(s.post(postB)->watched);
    QVERIFY(s.setWatched(postB, false));
    QVERIFY(s.post(postB));
    QVERIFY(!s.post(postB)->watched);
    // An unscanned row that has comments stays.
    QVERIFY(s.watch(yt, postA, "", std::nullopt));
    QVERIFY(s.remember(yt, postA, {makeComment("c", "x")}, std::nullopt, at(3)));
    QVERIFY(s.setWatched(postA, false));
    QVERIFY(s.post(postA));
    // setWatched never creates a row.
    QVERIFY(s.setWatched(QStringLiteral("https://www.youtube.com/watch?v=none"), true));
    QVERIFY(!s.post(QStringLiteral("https://www.youtube.com/watch?v=none")));
}

void StoreRunsTest::foundAndDismissed()
{
    ScanStore &s = *m_store;
    QVERIFY(s.addFound({ScanStore::Found{yt, postB, "B first", {}},
                        ScanStore::Found{ig, postI, "I", QStringLiteral("https://img.example/i.jpg")}}));
    QVERIFY(s.addFound({ScanStore::Found{yt, postA, "A", {}}, ScanStore::Found{yt, postB, "B again", {}}}));
    const auto found = s.found();
    QCOMPARE(found.size(), 3);
    QCOMPARE(found.at(0), (ScanStore::Found{yt, postB, "B first", {}}));
    QCOMPARE(found.at(1).thumbnail, QStringLiteral("https://img.example/i.jpg"));
    QCOMPARE(found.at(2).url, postA);
    QVERIFY(s.dismiss(yt, postA, at(1)));
    QVERIFY(s.dismiss(ig, postI, at(1)));
    QVERIFY(s.dismiss(yt, postA, at(2)));
    QCOMPARE(s.dismissed(yt), QSet<QString>{postA});
    QCOMPARE(s.dismissed(), (QSet<QString>{postA, postI}));
}

void StoreRunsTest::statsPerSite()
{
    ScanStore &s = *m_store;
    QVERIFY(s.remember(yt, postA, vt::test::makePage("y", 20), std::nullopt, at(1)));   // 2 spam
    QVERIFY(s.remember(ig, postI, vt::test::makePage("i", 10), std::nullopt, at(1)));   // 1 spam
    QVERIFY(s.markDeleted(yt, {"y0", "y1"}, at(2)));
    QVERIFY(s.record(makePost(yt, postA, "A", at(1))));
    QVERIFY(s.record(makePost(ig, postI, "I", at(1))));
    QVERIFY(s.watch(yt, postB, "B", std::nullopt));
    QCOMPARE(s.stats(), (ScanStore::Stats{3, 1, 30, 2, 2}));
    QCOMPARE(s.stats(yt), (ScanStore::Stats{2, 1, 20, 1, 2}));
    QCOMPARE(s.stats(ig), (ScanStore::Stats{1, 0, 10, 1, 0}));
}

void StoreRunsTest::topPosts()
{
    ScanStore &s = *m_store;
    QVERIFY(s.record(makePost(yt, postA, "A", at(1), 5, 0)));
    QVERIFY(s.record(makePost(yt, postB, "B", at(2), 5, 2)));
    QVERIFY(s.record(makePost(ig, postI, "I", at(3), 5, 1)));
    QVERIFY(s.record(makePost(yt, "https://www.youtube.com/watch?v=ccc", "C", at(4), 5, 0)));
    QVERIFY(s.removed(postA, 0));
    QVERIFY(s.removed(postI, 1));   // deleted 1, flagged 0
    QStringList order;
    for (const auto &p : s.topPosts(10))
        order.append(p.title);
    // B has flagged comments but no deletion: not among the most deleted.
    QCOMPARE(order, QStringList({"I"}));
    QVERIFY(s.removed(postB, 2));
    order.clear();
    for (const auto &p : s.topPosts(10))
        order.append(p.title);
    QCOMPARE(order, QStringList({"B", "I"}));
    QCOMPARE(s.topPosts(1).size(), 1);
    QVERIFY(s.setWatched(postA, true));
    order.clear();
    for (const auto &p : s.posts(10))
        order.append(p.title);
    QCOMPARE(order, QStringList({"A", "C", "I", "B"}));
    QCOMPARE(s.posts(2).size(), 2);
}

void StoreRunsTest::forgetOnePost()
{
    ScanStore &s = *m_store;
    QVERIFY(s.remember(yt, postA, vt::test::makePage("a", 5), std::nullopt, at(1)));
    QVERIFY(s.remember(yt, postB, vt::test::makePage("b", 5), std::nullopt, at(1)));
    QVERIFY(s.record(makePost(yt, postA, "A", at(1))));
    QVERIFY(s.record(makePost(yt, postB, "B", at(1))));
    QVERIFY(s.log(makeRun(yt, postA, at(1)), {ScanStore::Item{"a0", "spam", "", "", {}, {}, true}}) > 0);
    QVERIFY(s.log(makeRun(yt, postB, at(1)), {ScanStore::Item{"b0", "spam", "", "", {}, {}, true}}) > 0);
    QVERIFY(s.addFound({ScanStore::Found{yt, postA, "A", {}}}));
    QVERIFY(s.dismiss(yt, postA, at(1)));
    QVERIFY(s.forget(postA));
    QVERIFY(!s.post(postA));
    QVERIFY(s.comments(postA, 10).isEmpty());
    QVERIFY(s.runs(postA).isEmpty());
    QVERIFY(s.found().isEmpty());                    // no longer offered as found...
    QCOMPARE(s.dismissed(), QSet<QString>{postA});   // ...and still dismissed
    QCOMPARE(s.stats(), (ScanStore::Stats{1, 0, 5, 1, 0}));
    RawDb raw(m_path);
    QCOMPARE(raw.count("run_items"), 1);
}

void StoreRunsTest::clearKeepingWatched()
{
    ScanStore &s = *m_store;
    QVERIFY(s.remember(yt, postA, vt::test::makePage("a", 5), std::nullopt, at(1)));
    ScanStore::Post watched = makePost(yt, postA, "A", at(1));
    watched.fullAt = at(1);
    QVERIFY(s.record(watched));
    QVERIFY(s.setWatched(postA, true));
    QVERIFY(s.removed(postA, 2));
    QVERIFY(s.record(makePost(yt, postB, "B", at(1))));
    QVERIFY(s.log(makeRun(yt, postA, at(1)), {ScanStore::Item{"a0", "spam", "", "", {}, {}, true}}) > 0);
    QVERIFY(s.addFound({ScanStore::Found{ig, postI, "I", {}}}));
    QVERIFY(s.dismiss(yt, "https://www.youtube.com/watch?v=ddd", at(1)));

    QVERIFY(s.clear(true));
    const auto posts = s.posts(10);
    QCOMPARE(posts.size(), 1);
    QCOMPARE(posts.first(), (ScanStore::Post{yt, postA, "A", at(1), 0, 0, true, 0, std::nullopt, std::nullopt}));
    QCOMPARE(s.stats(), (ScanStore::Stats{1, 1, 0, 0, 0}));
    QVERIFY(s.runs(yt, 10).isEmpty());
    QCOMPARE(s.found().size(), 1);
    QCOMPARE(s.dismissed().size(), 1);
}

void StoreRunsTest::clearEverything()
{
    ScanStore &s = *m_store;
    QVERIFY(s.remember(yt, postA, vt::test::makePage("a", 5), std::nullopt, at(1)));
    QVERIFY(s.record(makePost(yt, postA, "A", at(1))));
    QVERIFY(s.setWatched(postA, true));
    QVERIFY(s.log(makeRun(yt, postA, at(1)), {ScanStore::Item{"a0", "spam", "", "", {}, {}, true}}) > 0);
    QVERIFY(s.addFound({ScanStore::Found{ig, postI, "I", {}}}));
    QVERIFY(s.dismiss(yt, postB, at(1)));
    QVERIFY(s.clear(false));
    RawDb raw(m_path);
    for (const char *table : {"posts", "comments", "runs", "run_items", "found", "dismissed"})
        QCOMPARE(raw.count(QLatin1String(table)), 0);
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    StoreRunsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_store_runs.moc"
