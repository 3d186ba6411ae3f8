// The post list model over a real spam model, history and settings: the list and its ticks with
// the select-all mode of each site, the arrival numbers and their one-second life, loading more
// posts, starting the queue scan of the ticked posts, and showing a post in the browser on the
// fixture site.
#include "Await.h"
#include "BridgeHarness.h"
#include "JobFlagSpy.h"
#include "ModelHarness.h"
#include "PageTools.h"
#include "WebTestMain.h"

#include "Posts/PostDesk.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QWebEngineLoadingInfo>

using namespace vt::test;

namespace {

constexpr int kSlow = 60000;

QString yt(char c)
{
    return QStringLiteral("https://www.youtube.com/watch?v=") + QString(11, QChar::fromLatin1(c));
}

QString ig(char c)
{
    return QStringLiteral("https://www.instagram.com/p/") + QString(11, QChar::fromLatin1(c)) + u'/';
}

// Stored posts list in the order of their last scan, newest first: `rank` 0 is the first.
ScanStore::Post stored(const QString &url, int rank, bool scanned = true)
{
    ScanStore::Post p;
    p.site = url.contains(QLatin1String("youtube")) ? QStringLiteral("youtube") : QStringLiteral("instagram");
    p.url = url;
    p.title = QStringLiteral("post ") + url.right(4);
    p.scannedAt = scanned ? QDateTime::currentDateTime().addSecs(-60 * (rank + 1)) : QDateTime::fromSecsSinceEpoch(0);
    p.watched = !scanned;
    p.total = 5;
    return p;
}

// A post found on the owner's channel and never scanned.
ScanStore::Found found(const QString &url)
{
    return ScanStore::Found{url.contains(QLatin1String("youtube")) ? QStringLiteral("youtube")
                                                                   : QStringLiteral("instagram"),
                            url, QStringLiteral("found ") + url.right(4), std::nullopt};
}

QStringList urls(const QList<ChannelPost> &rows)
{
    QStringList out;
    for (const ChannelPost &r : rows)
        out << r.url;
    return out;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// Three YouTube posts A, B, C and two Instagram posts A, B, in that list order.
void seedFive(ScanStore &store)
{
    QVERIFY(store.record(stored(yt('A'), 0)));
    QVERIFY(store.record(stored(ig('A'), 1)));
    QVERIFY(store.record(stored(yt('B'), 2)));
    QVERIFY(store.record(stored(ig('B'), 3)));
    QVERIFY(store.record(stored(yt('C'), 4)));
}

ChannelPost rowOf(const PostDesk &desk, const QString &url)
{
    for (const ChannelPost &p : desk.posts())
        if (p.url == url)
            return p;
    return {};
}

}   // namespace

class PostDeskTest : public QObject {
    Q_OBJECT
    BridgeHarness *m_web = nullptr;

    BridgeHarness &web()
    {
        if (!m_web)
            m_web = new BridgeHarness;
        return *m_web;
    }

private slots:
    void cleanupTestCase() { delete m_web; }

    // A first refresh ticks every post (both sites start in select-all mode) and numbers the new
    // posts per site in list order; the numbers are gone about a second later.
    void firstRefresh()
    {
        ModelHarness h;
        seedFive(h.store());
        PostDesk desk(&h.model());
        QCOMPARE(desk.posts(), QList<ChannelPost>());
        desk.refresh();
        QCOMPARE(urls(desk.posts()), QStringList({yt('A'), ig('A'), yt('B'), ig('B'), yt('C')}));
        QCOMPARE(urls(desk.posts("youtube")), QStringList({yt('A'), yt('B'), yt('C')}));
        QCOMPARE(sorted(desk.checked().values()), sorted(urls(desk.posts())));
        const QHash<QString, int> expected{{yt('A'), 0}, {yt('B'), 1}, {yt('C'), 2}, {ig('A'), 0}, {ig('B'), 1}};
        QCOMPARE(desk.arrivals(), expected);
        QVERIFY(desk.isAllChecked("youtube"));
        QVERIFY(desk.isAllChecked("instagram"));
        QTRY_VERIFY_WITH_TIMEOUT(desk.arrivals().isEmpty(), 10000);
        // A refresh that finds nothing new numbers nothing.
        desk.refresh();
        QVERIFY(desk.arrivals().isEmpty());
        QVERIFY(!desk.settling());
    }

    // A second refresh with new posts replaces the numbers, and they live a second from then.
    void laterRefreshRenumbers()
    {
        ModelHarness h;
        seedFive(h.store());
        PostDesk desk(&h.model());
        desk.refresh();
        // However long this takes on a busy machine, the first second's numbers are replaced.
        QTest::qWait(300);
        QVERIFY(h.store().addFound({found(yt('D')), found(ig('C'))}));
        QElapsedTimer sinceSecond;
        desk.refresh();
        sinceSecond.start();
        const QHash<QString, int> expected{{yt('D'), 0}, {ig('C'), 0}};
        QCOMPARE(desk.arrivals(), expected);
        QSignalSpy emptied(&desk, &PostDesk::arrivalsChanged);
        QTRY_VERIFY_WITH_TIMEOUT(desk.arrivals().isEmpty(), 10000);
        QCOMPARE(emptied.count(), 1);
        // Timers may fire a little early; the numbers never go much before the second is over.
        QVERIFY2(sinceSecond.elapsed() >= PostDesk::settleMs - 50, qPrintable(QString::number(sinceSecond.elapsed())));
    }

    // Ticks through the select-all mode of each site: a list of steps and the ticks after them.
    // Steps: "refresh", "toggle <url>", "all <site>", "none <site>", "find <url>" (a post found on
    // the channel), "forget <url>" (gone from the history).
    void ticks_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("youtube");     // the YouTube queue, in list order
        QTest::addColumn<QStringList>("instagram");   // the Instagram queue
        QTest::addColumn<bool>("allYouTube");         // isAllChecked("youtube")
        QTest::newRow("unticking one keeps the others")
            << QStringList{"refresh", "toggle " + yt('B')} << QStringList{yt('A'), yt('C')}
            << QStringList{ig('A'), ig('B')} << false;
        QTest::newRow("after unticking one, new posts of that site are not ticked")
            << QStringList{"refresh", "toggle " + yt('B'), "find " + yt('D'), "find " + ig('C'), "refresh"}
            << QStringList{yt('A'), yt('C')} << QStringList{ig('A'), ig('B'), ig('C')} << false;
        QTest::newRow("ticking a post back does not bring select-all back")
            << QStringList{"refresh", "toggle " + yt('B'), "toggle " + yt('B'), "find " + yt('D'), "refresh"}
            << QStringList{yt('A'), yt('B'), yt('C')} << QStringList{ig('A'), ig('B')} << false;
        QTest::newRow("deselect all on one site keeps the other")
            << QStringList{"refresh", "none youtube", "find " + yt('D'), "refresh"} << QStringList{}
            << QStringList{ig('A'), ig('B')} << false;
        QTest::newRow("select all after deselect all")
            << QStringList{"refresh", "none youtube", "all youtube", "find " + yt('D'), "refresh"}
            << QStringList{yt('A'), yt('B'), yt('C'), yt('D')} << QStringList{ig('A'), ig('B')} << true;
        QTest::newRow("a forgotten post loses its tick")
            << QStringList{"refresh", "none youtube", "toggle " + yt('C'), "forget " + yt('C'), "refresh"}
            << QStringList{} << QStringList{ig('A'), ig('B')} << false;
        QTest::newRow("select all before the first refresh")
            << QStringList{"none instagram", "all instagram", "refresh"} << QStringList{yt('A'), yt('B'), yt('C')}
            << QStringList{ig('A'), ig('B')} << true;
    }
    void ticks()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, youtube);
        QFETCH(QStringList, instagram);
        QFETCH(bool, allYouTube);
        ModelHarness h;
        seedFive(h.store());
        PostDesk desk(&h.model());
        for (const QString &step : std::as_const(steps)) {
            const QString verb = step.section(u' ', 0, 0);
            const QString arg = step.section(u' ', 1);
            if (verb == "refresh")
                desk.refresh();
            else if (verb == "toggle")
                desk.toggle(rowOf(desk, arg));
            else if (verb == "all" || verb == "none")
                desk.setAll(verb == "all", arg);
            else if (verb == "find")
                QVERIFY(h.store().addFound({found(arg)}));
            else if (verb == "forget")
                QVERIFY(h.store().forget(arg));
            else
                QFAIL(qPrintable("unknown step " + step));
        }
        QCOMPARE(urls(desk.queue("youtube")), youtube);
        QCOMPARE(urls(desk.queue("instagram")), instagram);
        QCOMPARE(desk.isAllChecked("youtube"), allYouTube);
    }

    // A site without posts is never "all checked", even in select-all mode.
    void allCheckedNeedsPosts()
    {
        ModelHarness h;
        QVERIFY(h.store().record(stored(yt('A'), 0)));
        PostDesk desk(&h.model());
        desk.refresh();
        QVERIFY(desk.isAllChecked("youtube"));
        QVERIFY(!desk.isAllChecked("instagram"));
        desk.setAll(true, "instagram");
        QVERIFY(!desk.isAllChecked("instagram"));
        QVERIFY(desk.queue("instagram").isEmpty());
    }

    // Loading more posts: when some came, the site's ticks become exactly its never-scanned
    // posts (also unticking scanned posts ticked before) and its select-all mode ends; when none
    // came, the list refreshes under the usual rules.
    void loadMore_data()
    {
        QTest::addColumn<bool>("adds");
        QTest::addColumn<QStringList>("youtube");
        QTest::addColumn<QStringList>("afterNextFind");   // the queue after one more post is found
        QTest::newRow("posts added") << true << QStringList{yt('M'), yt('D'), yt('E')}
                                     << QStringList{yt('M'), yt('D'), yt('E')};
        QTest::newRow("nothing added") << false << QStringList{yt('M'), yt('A'), yt('B')}
                                       << QStringList{yt('M'), yt('A'), yt('B'), yt('F')};
    }
    void loadMore()
    {
        QFETCH(bool, adds);
        QFETCH(QStringList, youtube);
        QFETCH(QStringList, afterNextFind);
        ModelHarness h;
        QVERIFY(h.store().record(stored(yt('A'), 0)));
        QVERIFY(h.store().record(stored(yt('M'), 1, false)));   // monitored, never scanned
        QVERIFY(h.store().record(stored(yt('B'), 2)));
        QVERIFY(h.store().record(stored(ig('A'), 3)));
        PostDesk desk(&h.model());
        desk.refresh();
        QList<LoginProvider> asked;
        desk.loadPosts = [&](LoginProvider site) -> QCoro::Task<int> {
            asked << site;
            if (!adds)
                co_return 0;
            h.store().addFound({found(yt('D')), found(yt('E'))});
            co_return 2;
        };
        await(desk.loadMore(LoginProvider::youtube), kSlow);
        QCOMPARE(asked, QList<LoginProvider>({LoginProvider::youtube}));
        QCOMPARE(urls(desk.queue("youtube")), youtube);
        QCOMPARE(urls(desk.queue("instagram")), QStringList({ig('A')}));
        QVERIFY(h.store().addFound({found(yt('F'))}));
        desk.refresh();
        QCOMPARE(urls(desk.queue("youtube")), afterNextFind);
    }

    // The queue scan starts only with ticked posts and an idle model; it gets the site's ticked
    // posts in list order, and the model stops keeping opened posts from being scanned.
    void start_data()
    {
        QTest::addColumn<QString>("untick");   // "all" for nothing ticked
        QTest::addColumn<bool>("working");
        QTest::addColumn<QStringList>("opened");
        QTest::newRow("ticked posts") << yt('B') << false << QStringList{yt('A'), yt('C')};
        QTest::newRow("nothing ticked") << "all" << false << QStringList{};
        QTest::newRow("model working") << yt('B') << true << QStringList{};
    }
    void start()
    {
        QFETCH(QString, untick);
        QFETCH(bool, working);
        QFETCH(QStringList, opened);
        ModelHarness h;
        h.useBrowser(&web().engine, &web().browser);
        seedFive(h.store());
        PostDesk desk(&h.model());
        desk.refresh();
        if (untick == "all")
            desk.setAll(false, "youtube");
        else
            desk.toggle(rowOf(desk, untick));
        QStringList seen;
        h.model().queue().steps.open = [&](QString url) -> QCoro::Task<bool> {
            seen << url;
            co_return true;
        };
        h.model().queue().steps.waitForComments = []() -> QCoro::Task<bool> { co_return true; };
        h.model().queue().steps.scan = []() -> QCoro::Task<void> { co_return; };
        h.model().openPage().setSelectingPosts(true);
        h.model().jobs().set(JobState::Job::discovery, working);
        JobFlagSpy touring(h.model().jobs(), &JobState::touring);
        desk.start("youtube");
        if (opened.isEmpty()) {
            QVERIFY(h.model().openPage().selectingPosts());
            QCOMPARE(touring.count(), 0);
            QVERIFY(seen.isEmpty());
            h.model().jobs().set(JobState::Job::discovery, false);
            return;
        }
        QVERIFY(!h.model().openPage().selectingPosts());
        QTRY_COMPARE_WITH_TIMEOUT(touring.count(), 2, kSlow);
        QCOMPARE(seen, opened);
    }

    // Showing a post focuses it and counts the pick; the browser opens it unless it is the page
    // already open, which is not loaded again.
    void showOpensOnlyAnotherPost()
    {
        BridgeHarness &w = web();
        ModelHarness h;
        h.useBrowser(&w.engine, &w.browser);
        QVERIFY(h.store().record(stored(yt('A'), 0)));
        QVERIFY(h.store().record(stored(yt('B'), 1)));
        QVERIFY(w.open(QUrl(yt('A'))));
        PostDesk desk(&h.model());
        desk.refresh();
        QSignalSpy focus(&desk, &PostDesk::focusedChanged);
        QList<QUrl> started;
        QWebEnginePage *page = w.browser.currentTab()->page();
        QObject listening;   // ends the connection with this test's locals
        connect(page, &QWebEnginePage::loadingChanged, &listening, [&](const QWebEngineLoadingInfo &info) {
            if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
                started << info.url();
        });

        desk.show(rowOf(desk, yt('A')), &w.browser);
        QCOMPARE(desk.focused(), std::optional<QString>(yt('A')));
        QCOMPARE(desk.picks(), 1);
        desk.show(rowOf(desk, yt('A')), &w.browser);
        QCOMPARE(desk.picks(), 2);
        QCOMPARE(focus.count(), 1);
        // A round trip to the page lets a navigation that was asked for start before the next one.
        evaluate(page, QStringLiteral("1"));
        QCOMPARE(started, QList<QUrl>());

        desk.show(rowOf(desk, yt('B')), &w.browser);
        QCOMPARE(desk.focused(), std::optional<QString>(yt('B')));
        QCOMPARE(desk.picks(), 3);
        QTRY_VERIFY_WITH_TIMEOUT(w.browser.address() == yt('B') && !w.browser.isLoading(), kSlow);
        // Loads happen in order: a reload of the open post would come before B's.
        QCOMPARE(started, QList<QUrl>({QUrl(yt('B'))}));
    }
};

VT_WEB_TEST_MAIN(PostDeskTest)

#include "tst_postdesk.moc"
