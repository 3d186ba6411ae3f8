// The spam model finding the owner's posts on the fixture sites: discovery on both sites with the
// limit and the merge of the YouTube tabs, its failures, loading more posts into the list with
// its status texts and stop, and the automatic scan: its conditions, the loop and the notice read
// back from a notification service of the test's own.
#include "Await.h"
#include "BridgeHarness.h"
#include "ChannelFixture.h"
#include "InstagramFixture.h"
#include "JobFlagSpy.h"
#include "ModelHarness.h"
#include "NotificationBus.h"
#include "WebTestMain.h"

#include "Browser/BrowserError.h"
#include "Scan/DesktopNotifier.h"
#include "Sites/AuthPolicy.h"

#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

using namespace vt::test;

namespace {

constexpr int kSlow = 60000;

QString watch(const QString &id)
{
    return QStringLiteral("https://www.youtube.com/watch?v=") + id;
}

// The canonical addresses of found posts.
QStringList keys(const QList<FoundPost> &posts)
{
    QStringList out;
    for (const FoundPost &p : posts) {
        const auto key = ScanStore::canonical(p.url);
        out << (key ? key->url : QStringLiteral("<not a post: %1>").arg(p.url));
    }
    return out;
}

ChannelPost doneRow(const QString &url, int flagged, const QDateTime &scannedAt,
                    ChannelPost::State state = ChannelPost::State::done)
{
    ChannelPost r;
    r.site = QStringLiteral("instagram");
    r.url = url;
    r.state = state;
    r.flagged = flagged;
    r.scannedAt = scannedAt;
    return r;
}

}   // namespace

class PostDiscoveryTest : public QObject {
    Q_OBJECT
    InstagramFixture *m_ig = nullptr;
    ChannelFixture *m_yt = nullptr;
    BridgeHarness *m_h = nullptr;
    ModelHarness *m_mh = nullptr;
    QList<YtUpload> m_videos;
    QList<YtUpload> m_shorts;

    SpamModel &model() { return m_mh->model(); }

    bool signIn() { return m_h->signInBothSites(kSlow) && model().catalog().providers().size() == 2; }

private slots:
    void initTestCase()
    {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        m_ig = new InstagramFixture(this);
        for (int i = 1; i <= 8; ++i) {
            IgPost p;
            p.code = InstagramFixture::makeCode(300 + i);
            p.reel = i % 3 == 0;
            p.caption = QStringLiteral("post %1").arg(i);
            p.takenAtMs = now - qint64(i) * 3600000;
            m_ig->addPost(p);
        }
        m_ig->install(*FixtureSite::shared());
        m_yt = new ChannelFixture(this);
        m_videos = ChannelFixture::make(QStringLiteral("v"), 7);
        m_shorts = ChannelFixture::make(QStringLiteral("s"), 4);
        m_yt->setVideos(m_videos);
        m_yt->setShorts(m_shorts);
        m_yt->install(*FixtureSite::shared());
        m_h = new BridgeHarness;
        m_mh = new ModelHarness;
        m_mh->useBrowser(&m_h->engine, &m_h->browser);
        model().autoScans().setBrowserWindow(m_h->view.windowHandle());
    }
    void cleanupTestCase()
    {
        delete m_mh;
        delete m_h;
        AccountSession::resetProbeScript();
    }
    void init()
    {
        m_ig->setViewer(InstagramFixture::Viewer::Owner);
        m_ig->setDelayMs(0);
        m_yt->setSignedIn(true);
        m_yt->setProfileTarget(QStringLiteral("/@sorakitchen"));
        m_yt->setDelayMs(0);
    }

    // Runs first, before any sign-in.
    void loadMoreNeedsSiteSignIn()
    {
        QCOMPARE(model().catalog().providers(), QList<LoginProvider>());
        QCOMPARE(await(model().catalog().loadMore(LoginProvider::instagram), kSlow), 0);
        QCOMPARE(model().catalog().discoveryStatus(), QString("Sign in to Instagram to load your posts."));
        QVERIFY(!model().jobs().findingPosts());
        QVERIFY(m_h->browser.address().isEmpty() || !m_h->browser.address().contains("instagram"));
        // A channel scan has no site to visit.
        const QList<ChannelPost> before{
            doneRow("https://www.instagram.com/p/AAAAAAAAAAA/", 0, QDateTime::currentDateTime())};
        model().catalog().setRows(before);
        await(model().queue().scanChannels(false), kSlow);
        QCOMPARE(model().statusLine().text(), QString("Sign in to YouTube or Instagram on the left first."));
        QCOMPARE(model().statusLine().kind(), StatusKind::warn);
        QCOMPARE(model().scanReport().issue(), model().statusLine().text());
        QCOMPARE(model().catalog().rows(), before);
        QVERIFY(!model().jobs().touring());
        model().catalog().setRows({});
    }

    void toursSignedInSitesYouTubeFirst()
    {
        QVERIFY(signIn());
        QCOMPARE(model().catalog().providers(),
                 QList<LoginProvider>({LoginProvider::youtube, LoginProvider::instagram}));
    }

    void discoverYouTube_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<int>("limit");   // -1: the post limit setting (5)
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("base");
        QTest::newRow("handle, limit 3") << "/@sorakitchen" << 3 << QStringList{"v", "s", "v"} << "/@sorakitchen";
        QTest::newRow("channel id, setting")
            << "/channel/UCfixtureOwnerChannel0001/featured" << -1 << QStringList{"v", "s", "v", "s", "v"}
            << "/channel/UCfixtureOwnerChannel0001";
        QTest::newRow("more than there are")
            << "/@sorakitchen" << 20 << QStringList{"v", "s", "v", "s", "v", "s", "v", "s", "v", "v", "v"}
            << "/@sorakitchen";
        QTest::newRow("none") << "/@sorakitchen" << 0 << QStringList{} << "/@sorakitchen";
    }
    void discoverYouTube()
    {
        QFETCH(QString, profile);
        QFETCH(int, limit);
        QFETCH(QStringList, ids);
        QFETCH(QString, base);
        QVERIFY(signIn());
        m_yt->setProfileTarget(profile);
        const qsizetype before = FixtureSite::shared()->requests("www.youtube.com").size();
        const QList<FoundPost> posts = await(model().catalog().discover(LoginProvider::youtube,
                                                                        limit < 0 ? std::nullopt
                                                                                  : std::optional<int>(limit)),
                                             3 * kSlow);
        // Videos and Shorts alternate, each in its tab's order.
        QStringList expected;
        int v = 0;
        int s = 0;
        for (const QString &kind : ids)
            expected << watch(kind == "v" ? m_videos.at(v++).id : m_shorts.at(s++).id);
        QCOMPARE(keys(posts), expected);
        QStringList pages;
        const QList<HttpRequest> seen = FixtureSite::shared()->requests("www.youtube.com");
        for (qsizetype i = before; i < seen.size(); ++i)
            if (seen.at(i).method == "GET")
                pages << seen.at(i).path;
        QVERIFY2(pages.contains(base + "/videos") && pages.contains(base + "/shorts"), qPrintable(pages.join(", ")));
        // The browser stays on the last page discovery loaded.
        QCOMPARE(m_h->browser.currentTab()->page()->url().path(), base + "/shorts");
    }

    void discoverFails_data()
    {
        QTest::addColumn<int>("site");
        QTest::addColumn<QString>("profile");
        QTest::addColumn<bool>("signedOut");
        QTest::newRow("profile leads to a feed") << int(LoginProvider::youtube) << "/feed/you" << false;
        QTest::newRow("profile leads to /channel alone") << int(LoginProvider::youtube) << "/channel" << false;
        QTest::newRow("YouTube signed out") << int(LoginProvider::youtube) << "/@sorakitchen" << true;
        QTest::newRow("Instagram signed out") << int(LoginProvider::instagram) << "" << true;
    }
    void discoverFails()
    {
        QFETCH(int, site);
        QFETCH(QString, profile);
        QFETCH(bool, signedOut);
        const LoginProvider provider = LoginProvider(LoginProvider::Value(site));
        if (provider == LoginProvider::youtube) {
            m_yt->setProfileTarget(profile);
            m_yt->setSignedIn(!signedOut);
        } else if (signedOut) {
            m_ig->setViewer(InstagramFixture::Viewer::SignedOut);
        }
        QString error = "<no error>";
        try {
            await(model().catalog().discover(provider, 3), 3 * kSlow);
        } catch (const BrowserError &e) {
            error = e.description();
        }
        QCOMPARE(error, QString("Couldn't find your channel. Check your ") + provider.displayName() + " sign-in.");
    }

    // What the channel script answers decides no address outside the site: a profile elsewhere is
    // not opened. A YouTube tab that cannot be read counts as empty; an Instagram error is passed on.
    void discoverScriptAnswers_data()
    {
        QTest::addColumn<int>("site");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("error");   // empty: no error and no posts
        const QString failure = "Couldn't find your channel. Check your Instagram sign-in.";
        QTest::newRow("profile on another host")
            << int(LoginProvider::instagram) << "return 'https://evil.example/owner/';" << failure;
        QTest::newRow("profile on the other site")
            << int(LoginProvider::instagram) << "return 'https://www.youtube.com/@sorakitchen/videos';" << failure;
        QTest::newRow("profile under a look-alike host")
            << int(LoginProvider::instagram) << "return 'https://www.instagram.com.evil.example/owner/';" << failure;
        QTest::newRow("profile without TLS")
            << int(LoginProvider::instagram) << "return 'http://www.instagram.com/owner/';" << failure;
        QTest::newRow("profile as a script")
            << int(LoginProvider::instagram) << "return 'javascript:alert(1)';" << failure;
        QTest::newRow("no profile") << int(LoginProvider::instagram) << "return null;" << failure;
        QTest::newRow("Instagram error") << int(LoginProvider::instagram) << "throw new Error('boom');"
                                         << "boom";
        QTest::newRow("YouTube tabs unreadable") << int(LoginProvider::youtube) << "throw new Error('boom');"
                                                 << "";
    }
    void discoverScriptAnswers()
    {
        QFETCH(int, site);
        QFETCH(QString, script);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString file = dir.filePath("channel.js");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(script.toUtf8());
        f.close();
        SpamEngine::setChannelScriptFile(file);
        auto restore = qScopeGuard([] { SpamEngine::setChannelScriptFile(QString()); });
        QString seen;
        QList<FoundPost> posts{FoundPost{"x", "", {}}};
        try {
            posts = await(model().catalog().discover(LoginProvider(LoginProvider::Value(site)), 3), 3 * kSlow);
        } catch (const BrowserError &e) {
            seen = e.description();
        }
        QCOMPARE(seen, error);
        if (error.isEmpty())
            QVERIFY(posts.isEmpty());
        QVERIFY(!m_h->browser.address().contains("evil"));
    }

    // Discovery after one that found the YouTube tab signed out: the tab still shows the sign-in
    // page while the profile page is on its way. The profile page is held until the model's first
    // look at the tab (a quarter second in) has come and gone; what decides is where the asked-for
    // page ends, not the page before it.
    void discoverAfterASignInPageWasLeft()
    {
        QVERIFY(signIn());
        m_yt->setProfileTarget("/@sorakitchen");
        m_yt->setSignedIn(false);
        QString error = "<no error>";
        try {
            await(model().catalog().discover(LoginProvider::youtube, 3), 3 * kSlow);
        } catch (const BrowserError &e) {
            error = e.description();
        }
        QCOMPARE(error, QString("Couldn't find your channel. Check your YouTube sign-in."));
        QTRY_VERIFY_WITH_TIMEOUT(!m_h->browser.isLoading(), kSlow);
        QVERIFY(AuthPolicy::isAuthentication(m_h->browser.tab(LoginProvider::youtube)->page()->url()));

        m_yt->setSignedIn(true);
        auto held = std::make_shared<int>(0);
        FixtureSite::shared()->route("www.youtube.com", "GET", "/profile",
                                     [held](const HttpRequest &, const HttpResponder &r) {
            ++*held;
            // Timers fire in the order they fall due: the model's, started as the page was asked
            // for, comes before this one.
            QTimer::singleShot(600, qApp, [r] { r.reply(FixtureSite::redirect("/@sorakitchen")); });
        });
        auto restore = qScopeGuard([this] { m_yt->install(*FixtureSite::shared()); });
        QList<FoundPost> posts;
        error = "<no error>";
        try {
            posts = await(model().catalog().discover(LoginProvider::youtube, 3), 3 * kSlow);
        } catch (const BrowserError &e) {
            error = e.description();
        }
        QCOMPARE(error, QString("<no error>"));
        QCOMPARE(*held, 1);
        QCOMPARE(keys(posts),
                 (QStringList{watch(m_videos.at(0).id), watch(m_shorts.at(0).id), watch(m_videos.at(1).id)}));
    }

    void discoverInstagram_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("expected");
        QTest::newRow("three") << 3 << 3;
        QTest::newRow("all") << 20 << 8;
    }
    void discoverInstagram()
    {
        QFETCH(int, limit);
        QFETCH(int, expected);
        QVERIFY(signIn());
        const QList<FoundPost> posts = await(model().catalog().discover(LoginProvider::instagram, limit), 3 * kSlow);
        QCOMPARE(posts.size(), expected);
        const QList<const IgPost *> mine = m_ig->postsOf(QStringLiteral("owner"));
        for (int i = 0; i < posts.size(); ++i)
            QCOMPARE(posts.at(i).url, InstagramFixture::postUrl(mine.at(i)->code, mine.at(i)->reel).toString());
    }

    // Loading more: every post once (Shorts under their watch address), then nothing more.
    void loadMore()
    {
        QVERIFY(signIn());
        JobFlagSpy finding(model().jobs(), &JobState::findingPosts);
        QCOMPARE(await(model().catalog().loadMore(LoginProvider::youtube), 3 * kSlow), 11);
        QCOMPARE(finding.count(), 2);
        QVERIFY(!model().jobs().findingPosts());
        QCOMPARE(model().catalog().discoveryStatus(), QString());
        QStringList youtube;
        for (const ChannelPost &r : model().catalog().candidates())
            if (r.site == "youtube")
                youtube << r.url;
        QCOMPARE(youtube.size(), 11);
        for (const YtUpload &u : m_videos + m_shorts)
            QVERIFY2(youtube.contains(watch(u.id)), qPrintable(u.id));
        QCOMPARE(await(model().catalog().loadMore(LoginProvider::youtube), 3 * kSlow), 0);
        QCOMPARE(model().catalog().discoveryStatus(), QString("No more posts to load."));
        QCOMPARE(await(model().catalog().loadMore(LoginProvider::instagram), 3 * kSlow), 8);
        QCOMPARE(model().catalog().discoveryStatus(), QString());
    }

    // A stop during the load ends it with its own text, also when discovery then fails.
    void loadMoreStop()
    {
        QVERIFY(signIn());
        m_yt->setDelayMs(300);
        auto c = std::make_unique<JobFlagSpy>(model().jobs(), &JobState::findingPosts, [this] {
            if (model().jobs().findingPosts())
                model().catalog().stopLoading();
        });
        QCOMPARE(await(model().catalog().loadMore(LoginProvider::youtube), 3 * kSlow), 0);
        c.reset();
        QCOMPARE(model().catalog().discoveryStatus(), QString("Loading stopped."));
        QVERIFY(!model().jobs().findingPosts());
    }

    // A queue over the posts' own steps: each post opened, waited for and scanned in turn; its
    // row tells how it went, and one summary ends it. Letters per ticked post: o scanned with one
    // flag, x not opened, s a scan that refused silently, e a scan that failed with its error.
    void queue_data()
    {
        QTest::addColumn<QStringList>("ticked");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("states");   // per queue row: d done, f failed
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<QString>("status");
        QTest::addColumn<StatusKind>("kind");
        QTest::addColumn<QString>("issue");
        const QString a = "https://www.instagram.com/p/QAAAAAAAAAA/";
        const QString b = "https://www.instagram.com/p/QBBBBBBBBBB/";
        const QString c = "https://www.instagram.com/p/QCCCCCCCCCC/";
        const QString couldNot = "Couldn't open the comments.";
        QTest::newRow("three, all scanned")
            << QStringList{a, b, c} << "ooo"
            << "ddd" << QStringList{"", "", ""} << "3/3 posts checked · 3 flagged" << StatusKind::warn << "";
        QTest::newRow("the second does not open")
            << QStringList{a, b, c} << "oxo"
            << "dfd" << QStringList{"", couldNot, ""} << "2/3 posts checked · 2 flagged" << StatusKind::warn
            << "1 posts could not be checked. See their statuses.";
        QTest::newRow("a scan refused silently")
            << QStringList{a} << "s"
            << "f" << QStringList{couldNot} << "0/1 posts checked · 0 flagged" << StatusKind::warn
            << "1 posts could not be checked. See their statuses.";
        QTest::newRow("a scan failed") << QStringList{a} << "e"
                                       << "f" << QStringList{"Scan error: boom"} << "0/1 posts checked · 0 flagged"
                                       << StatusKind::warn << "1 posts could not be checked. See their statuses.";
        QTest::newRow("a reel and a post address of one post")
            << QStringList{"https://www.instagram.com/reel/QAAAAAAAAAA/", a} << "o"
            << "d" << QStringList{""} << "1/1 posts checked · 1 flagged" << StatusKind::warn << "";
        QTest::newRow("not a post") << QStringList{"https://www.instagram.com/owner/"} << ""
                                    << "" << QStringList{} << "" << StatusKind::plain << "";
    }
    void queue()
    {
        QFETCH(QStringList, ticked);
        QFETCH(QString, steps);
        QFETCH(QString, states);
        QFETCH(QStringList, notes);
        QFETCH(QString, status);
        QFETCH(StatusKind, kind);
        QFETCH(QString, issue);
        QTRY_VERIFY_WITH_TIMEOUT(!m_h->browser.accounts()->isAuthenticating(), kSlow);
        model().statusLine().set(QString(), StatusKind::plain);
        const ChannelPost other = doneRow("https://www.instagram.com/p/OTHERAAAAAA/", 0, QDateTime::currentDateTime());
        model().catalog().setRows({other});
        QList<ChannelPost> rows;
        for (const QString &u : ticked)
            rows << doneRow(u, 0, QDateTime());
        QString open;
        int step = 0;
        QStringList opened;
        model().queue().steps.open = [&](QString url) -> QCoro::Task<bool> {
            open = url;
            step = int(opened.size());
            opened << url;
            co_return steps.at(step) != u'x';
        };
        model().queue().steps.waitForComments = []() -> QCoro::Task<bool> { co_return true; };
        model().queue().steps.scan = [&]() -> QCoro::Task<void> {
            const QChar what = steps.at(step);
            if (what == u'o') {
                QList<ChannelPost> now = model().catalog().rows();
                for (ChannelPost &r : now)
                    if (r.url == open) {
                        r.state = ChannelPost::State::done;
                        r.flagged = 1;
                    }
                model().catalog().setRows(now);
                model().openPage().setHasScanned(true);
            } else if (what == u'e') {
                model().statusLine().set("Scan error: boom", StatusKind::plain);
            }
            co_return;
        };
        JobFlagSpy touring(model().jobs(), &JobState::touring);
        await(model().queue().scanSelected(rows), kSlow);
        model().queue().steps = {};
        QCOMPARE(model().statusLine().text(), status);
        QCOMPARE(model().statusLine().kind(), kind);
        QCOMPARE(model().scanReport().issue(), issue);
        QVERIFY(!model().jobs().touring());
        QCOMPARE(model().history().runSession(), std::nullopt);
        QCOMPARE(touring.count(), states.isEmpty() ? 0 : 2);
        // The queue first, in order, then the rows the list had before.
        const QList<ChannelPost> after = model().catalog().rows();
        QCOMPARE(after.size(), states.isEmpty() ? 1 : states.size() + 1);
        QCOMPARE(after.last().url, other.url);
        for (int i = 0; i < states.size(); ++i) {
            QCOMPARE(after.at(i).state, states.at(i) == u'd' ? ChannelPost::State::done : ChannelPost::State::failed);
            QCOMPARE(after.at(i).note, notes.at(i));
            QVERIFY(ScanStore::canonical(after.at(i).url)->url == after.at(i).url);
            // Each failed post has one failed run in the log.
            const QList<ScanStore::Run> runs = m_mh->store().runs(after.at(i).url);
            QCOMPARE(runs.size(), states.at(i) == u'f' ? 1 : 0);
            if (!runs.isEmpty())
                QCOMPARE(runs.first().note, notes.at(i));
        }
        QCOMPARE(opened.size(), states.size());
        for (const QString &u : opened)
            m_mh->store().forget(u);
    }

    // One check of the schedule: each condition that keeps the run from starting, and what a run
    // leaves behind.
    void autoScanIfDue_data()
    {
        QTest::addColumn<int>("hours");
        QTest::addColumn<bool>("active");
        QTest::addColumn<int>("window");   // 0 shown, 1 never shown, 2 minimised
        QTest::addColumn<bool>("working");
        QTest::addColumn<bool>("runs");
        QTest::newRow("due") << 1 << false << 0 << false << true;
        QTest::newRow("off") << 0 << false << 0 << false << false;
        QTest::newRow("owner uses the app") << 6 << true << 0 << false << false;
        QTest::newRow("window never shown") << 24 << false << 1 << false << false;
        QTest::newRow("window minimised") << 1 << false << 2 << false << false;
        QTest::newRow("another job runs") << 1 << false << 0 << true << false;
    }
    void autoScanIfDue()
    {
        QFETCH(int, hours);
        QFETCH(bool, active);
        QFETCH(int, window);
        QFETCH(bool, working);
        QFETCH(bool, runs);
        QVERIFY(signIn());
        QTRY_VERIFY_WITH_TIMEOUT(!m_h->browser.isLoading(), kSlow);
        NotificationBus bus;
        QVERIFY2(bus.start(), qPrintable(bus.error()));
        DesktopNotifier notifier(bus.client());
        model().autoScans().setNotifier(&notifier);
        model().ownerSettings().set(OwnerSettings::Key::autoScanHours, hours);
        m_mh->settings().remove("vt.lastAutoScan");
        model().autoScans().applicationActive = [active] { return active; };
        QWindow other;
        if (window == 1)
            model().autoScans().setBrowserWindow(&other);
        if (window == 2) {
            other.show();
            other.setWindowStates(Qt::WindowMinimized);
            model().autoScans().setBrowserWindow(&other);
        }
        model().jobs().set(JobState::Job::removal, working);
        int ran = 0;
        const QDateTime now = QDateTime::currentDateTime();
        // The run's own posts: one flagged post scanned now, one failed; a post scanned before the
        // run (the history the list shows afterwards) does not count.
        model().autoScans().channelScan = [&]() -> QCoro::Task<void> {
            ++ran;
            model().catalog().setRows(
                {doneRow("https://www.instagram.com/p/AAAAAAAAAAA/", 2, QDateTime::currentDateTime()),
                 doneRow("https://www.instagram.com/p/BBBBBBBBBBB/", 0, QDateTime::currentDateTime(),
                         ChannelPost::State::failed),
                 doneRow("https://www.instagram.com/p/CCCCCCCCCCC/", 5, now.addSecs(-1800))});
            co_return;
        };
        await(model().autoScans().ifDue(), kSlow);
        model().jobs().set(JobState::Job::removal, false);
        model().autoScans().setBrowserWindow(m_h->view.windowHandle());
        model().catalog().setRows({});
        model().autoScans().setNotifier(nullptr);
        QCOMPARE(ran, runs ? 1 : 0);
        QCOMPARE(m_mh->settings().contains("vt.lastAutoScan"), runs);
        if (!runs) {
            QTest::qWait(100);
            QCOMPARE(bus.service().calls.size(), 0);
            return;
        }
        QVERIFY(m_mh->settings().dateValue("vt.lastAutoScan")->secsTo(now) <= 1);
        QTRY_COMPARE_WITH_TIMEOUT(bus.service().calls.size(), 1, kSlow);
        QCOMPARE(bus.service().calls.first(),
                 (ShownNotice{"Veltrane", 0, "2 suspected comments",
                              "Scanned 1 posts automatically. Review and delete in the app."}));
    }

    // The loop: the first check after a short delay, then one per period; a run moves the last
    // time, so the next checks wait; a last time ahead of the clock (set back) does not stop the
    // runs; each notice replaces the one before.
    void autoScanLoop()
    {
        QVERIFY(signIn());
        NotificationBus bus;
        QVERIFY2(bus.start(), qPrintable(bus.error()));
        DesktopNotifier notifier(bus.client());
        model().autoScans().setNotifier(&notifier);
        model().ownerSettings().set(OwnerSettings::Key::autoScanHours, 1);
        m_mh->settings().remove("vt.lastAutoScan");
        model().autoScans().applicationActive = [] { return false; };
        int ran = 0;
        model().autoScans().channelScan = [&]() -> QCoro::Task<void> {
            ++ran;
            co_return;   // nothing could be scanned
        };
        model().autoScans().periodMs = 200;
        model().autoScans().start(0.3);
        QVERIFY(model().autoScans().running());
        QTRY_COMPARE_WITH_TIMEOUT(bus.service().calls.size(), 1, kSlow);
        QCOMPARE(ran, 1);
        QCOMPARE(bus.service().calls.first().title, QString("Automatic scan failed"));
        // Several periods later: still one run, the interval has not passed.
        QTest::qWait(1000);
        QCOMPARE(ran, 1);
        m_mh->settings().setValue("vt.lastAutoScan", QDateTime::currentDateTime().addSecs(5 * 3600));
        QTRY_COMPARE_WITH_TIMEOUT(ran, 2, kSlow);
        QTRY_COMPARE_WITH_TIMEOUT(bus.service().calls.size(), 2, kSlow);
        QCOMPARE(bus.service().shown().size(), 1);
        QCOMPARE(bus.service().calls.at(1).replaces, bus.service().shown().firstKey());
        model().autoScans().stop();
        QVERIFY(!model().autoScans().running());
        m_mh->settings().remove("vt.lastAutoScan");
        QTest::qWait(1000);
        QCOMPARE(ran, 2);
        model().autoScans().setNotifier(nullptr);
        model().autoScans().channelScan = {};
    }
};

VT_WEB_TEST_MAIN(PostDiscoveryTest)

#include "tst_postdiscovery.moc"
