// The owner's own channel through the page bridge: the Instagram profile address, the latest
// posts of an Instagram profile and of a YouTube channel's videos and Shorts tabs, the limit,
// the stop, the refusals, and how the answer objects become posts.
#include "Await.h"
#include "BridgeHarness.h"
#include "ChannelFixture.h"
#include "InstagramFixture.h"
#include "PageTools.h"
#include "WebTestMain.h"

#include "Browser/BrowserError.h"
#include "Base/Lang.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QScopeGuard>
#include <QTemporaryDir>

using namespace vt::test;

Q_DECLARE_METATYPE(LoginProvider::Value)

class ChannelTest : public QObject {
    Q_OBJECT
    InstagramFixture *m_ig = nullptr;
    ChannelFixture *m_yt = nullptr;
    BridgeHarness *m_h = nullptr;
    QTemporaryDir m_dir;

    // Opens an address in its site's tab.
    bool openOn(LoginProvider site, const QUrl &url)
    {
        if (m_h->browser.currentTab() != m_h->browser.tab(site)) {
            m_h->browser.selectSite(site);
            if (!QTest::qWaitFor(
                    [&] { return m_h->browser.currentTab() == m_h->browser.tab(site) && !m_h->browser.isLoading(); },
                    20000))
                return false;
        }
        return m_h->open(url);
    }
    QString path() const { return m_h->browser.currentTab()->page()->url().path(); }
    // The latency of a site's answers, whichever stand-in serves it.
    void setDelayMs(LoginProvider site, int ms)
    {
        if (site == LoginProvider::youtube)
            m_yt->setDelayMs(ms);
        else
            m_ig->setDelayMs(ms);
    }

    static QStringList urls(const QList<FoundPost> &posts)
    {
        QStringList out;
        for (const FoundPost &p : posts)
            out << p.url;
        return out;
    }

    template <typename T>
    QString errorOf(QCoro::Task<T> task)
    {
        try {
            await(std::move(task), 60000);
        } catch (const BrowserError &e) {
            return e.description();
        }
        return QStringLiteral("<no error>");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        m_ig = new InstagramFixture(this);
        for (int i = 1; i <= 40; ++i) {
            IgPost p;
            p.code = InstagramFixture::makeCode(100 + i);
            p.reel = i % 4 == 0;
            p.caption = QStringLiteral("게시물 %1번\n#해시태그 #요리").arg(i);
            p.takenAtMs = now - qint64(i) * 3600000;
            m_ig->addPost(p);
        }
        m_ig->addPost({InstagramFixture::makeCode(200),
                       false,
                       QStringLiteral("친구 게시물"),
                       QStringLiteral("friend"),
                       now,
                       false,
                       {}});
        m_ig->install(*FixtureSite::shared());
        m_yt = new ChannelFixture(this);
        m_yt->setVideos(ChannelFixture::make(QStringLiteral("v"), 75));
        m_yt->setShorts(ChannelFixture::make(QStringLiteral("s"), 40));
        m_yt->install(*FixtureSite::shared());
        m_h = new BridgeHarness;
    }
    void cleanupTestCase() { delete m_h; }
    void init()
    {
        m_ig->setViewer(InstagramFixture::Viewer::Owner);
        m_ig->setDelayMs(0);
        m_ig->setApiMoved(false);
        m_ig->setReadsChallenged(false);
        m_yt->setInlineData(true);
        m_yt->setSignedIn(true);
        m_yt->setProfileTarget(QStringLiteral("/@sorakitchen"));
        m_yt->setDelayMs(0);
        m_yt->setOldVideoFormat(false);
        SpamEngine::setChannelScriptFile(QString());
    }

    void instagramProfile_data()
    {
        QTest::addColumn<int>("viewer");
        QTest::addColumn<QString>("profile");
        QTest::newRow("owner") << int(InstagramFixture::Viewer::Owner) << "https://www.instagram.com/owner/";
        QTest::newRow("another account") << int(InstagramFixture::Viewer::OtherUser)
                                         << "https://www.instagram.com/friend/";
    }
    void instagramProfile()
    {
        QFETCH(int, viewer);
        QFETCH(QString, profile);
        m_ig->setViewer(InstagramFixture::Viewer(viewer));
        QVERIFY(openOn(LoginProvider::instagram, FixtureSite::url("www.instagram.com")));
        QCOMPARE(await(m_h->engine.myProfile(), 60000), std::optional<QString>(profile));
    }

    // Signed out, the site's root is its sign-in page: the channel call refuses it.
    void instagramProfileSignedOut()
    {
        m_ig->setViewer(InstagramFixture::Viewer::SignedOut);
        QVERIFY(openOn(LoginProvider::instagram, FixtureSite::url("www.instagram.com")));
        QCOMPARE(path(), QStringLiteral("/accounts/login/"));
        QCOMPARE(errorOf(m_h->engine.myProfile()), SpamEngine::channelMessage());
    }

    void profileRefusedOnYouTube()
    {
        QVERIFY(openOn(LoginProvider::youtube, FixtureSite::url("www.youtube.com", "/@sorakitchen/videos")));
        QCOMPARE(errorOf(m_h->engine.myProfile()), SpamEngine::channelMessage());
    }

    void instagramPosts_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("expected");
        QTest::newRow("five") << 5 << 5;
        QTest::newRow("more than one page") << 35 << 35;
        QTest::newRow("more than there are") << 60 << 40;
        QTest::newRow("none") << 0 << 0;
    }
    void instagramPosts()
    {
        QFETCH(int, limit);
        QFETCH(int, expected);
        QVERIFY(openOn(LoginProvider::instagram, InstagramFixture::profileUrl("owner")));
        const QList<FoundPost> posts = await(m_h->engine.myPosts(QStringLiteral("instagram"), limit), 60000);
        QCOMPARE(posts.size(), expected);
        const QList<const IgPost *> mine = m_ig->postsOf(QStringLiteral("owner"));
        for (int i = 0; i < posts.size(); ++i) {
            const IgPost *p = mine.at(i);
            QCOMPARE(posts.at(i).url, InstagramFixture::postUrl(p->code, p->reel).toString());
            QCOMPARE(posts.at(i).title, p->caption.section(u'\n', 0, 0));
            QVERIFY(posts.at(i).thumb && posts.at(i).thumb->startsWith(QLatin1String("https://")));
        }
    }

    // "/profile" leads to the signed-in owner's channel, under a handle or a channel id.
    void youtubeProfileRedirect_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("handle") << "/@sorakitchen";
        QTest::newRow("channel id") << "/channel/UCfixtureOwnerChannel0001/featured";
    }
    void youtubeProfileRedirect()
    {
        QFETCH(QString, target);
        m_yt->setProfileTarget(target);
        QVERIFY(openOn(LoginProvider::youtube, FixtureSite::url("www.youtube.com", "/profile")));
        QCOMPARE(path(), target);
        m_yt->setSignedIn(false);
        QVERIFY(openOn(LoginProvider::youtube, FixtureSite::url("www.youtube.com", "/profile")));
        QCOMPARE(m_h->browser.currentTab()->page()->url().host(), QStringLiteral("accounts.google.com"));
    }

    void youtubePosts_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("oldFormat");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("bracketData");   // window["ytInitialData"] = ... instead of var ytInitialData = ...
        QTest::newRow("videos, one batch") << "/@sorakitchen/videos" << false << 7 << 7 << false;
        QTest::newRow("videos, three batches") << "/@sorakitchen/videos" << false << 70 << 70 << false;
        QTest::newRow("videos, all") << "/channel/UCfixtureOwnerChannel0001/videos" << false << 100 << 75 << false;
        QTest::newRow("videos, older format") << "/@sorakitchen/videos" << true << 45 << 45 << false;
        QTest::newRow("shorts") << "/@sorakitchen/shorts" << false << 35 << 35 << false;
        QTest::newRow("shorts, all") << "/@sorakitchen/shorts" << false << 50 << 40 << false;
        QTest::newRow("videos, data set on window") << "/@sorakitchen/videos" << false << 45 << 45 << true;
        QTest::newRow("shorts, older format") << "/@sorakitchen/shorts" << true << 33 << 33 << false;
    }
    void youtubePosts()
    {
        QFETCH(QString, page);
        QFETCH(bool, oldFormat);
        QFETCH(int, limit);
        QFETCH(int, expected);
        QFETCH(bool, bracketData);
        m_yt->setOldVideoFormat(oldFormat);
        m_yt->setBracketData(bracketData);
        const auto restore = qScopeGuard([this] { m_yt->setBracketData(false); });
        QVERIFY(openOn(LoginProvider::youtube, FixtureSite::url("www.youtube.com", page)));
        const QList<FoundPost> posts = await(m_h->engine.myPosts(QStringLiteral("youtube"), limit), 60000);
        QCOMPARE(posts.size(), expected);
        const bool shorts = page.endsWith(QLatin1String("/shorts"));
        const QList<YtUpload> uploads = shorts ? ChannelFixture::make(QStringLiteral("s"), 40)
                                               : ChannelFixture::make(QStringLiteral("v"), 75);
        for (int i = 0; i < posts.size(); ++i) {
            const QString want = shorts ? QStringLiteral("https://www.youtube.com/shorts/") + uploads.at(i).id
                                        : QStringLiteral("https://www.youtube.com/watch?v=") + uploads.at(i).id;
            QCOMPARE(posts.at(i).url, want);
            QCOMPARE(posts.at(i).title, uploads.at(i).title);
            QVERIFY(posts.at(i).thumb
                    && posts.at(i).thumb->startsWith(QStringLiteral("https://i.ytimg.com/vi/") + uploads.at(i).id));
        }
    }

    // A stop while the posts are read ends the listing with what was read; a new call starts afresh.
    void postsStop_data()
    {
        QTest::addColumn<LoginProvider::Value>("site");
        QTest::addColumn<QUrl>("page");
        QTest::addColumn<int>("delayMs");   // latency of the site's answers while the stop lands
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("atLeast");   // posts read before the stop
        QTest::newRow("instagram") << LoginProvider::instagram << InstagramFixture::profileUrl("owner") << 400 << 40
                                   << 1;
        QTest::newRow("youtube") << LoginProvider::youtube
                                 << FixtureSite::url("www.youtube.com", "/@sorakitchen/videos") << 500 << 75 << 30;
    }
    void postsStop()
    {
        QFETCH(LoginProvider::Value, site);
        QFETCH(QUrl, page);
        QFETCH(int, delayMs);
        QFETCH(int, limit);
        QFETCH(int, atLeast);
        setDelayMs(site, delayMs);
        QVERIFY(openOn(site, page));
        auto task = m_h->engine.myPosts(LoginProvider(site).rawValue(), limit);
        QTimer::singleShot(150, &m_h->engine, [this] { m_h->engine.stopReadingPosts(); });
        const QList<FoundPost> posts = await(std::move(task), 60000);
        QVERIFY2(posts.size() >= atLeast && posts.size() < limit, qPrintable(QString::number(posts.size())));
        // A new call starts afresh.
        setDelayMs(site, 0);
        QCOMPARE(await(m_h->engine.myPosts(LoginProvider(site).rawValue(), limit), 60000).size(), limit);
    }

    // Without the site's data, the page itself: the navigation's profile link, the profile's
    // grid, the channel tab's rendered grid.
    void fromThePageWhenTheDataIsMissing()
    {
        m_ig->setApiMoved(true);
        QVERIFY(openOn(LoginProvider::instagram, FixtureSite::url("www.instagram.com")));
        QCOMPARE(await(m_h->engine.myProfile(), 60000),
                 std::optional<QString>(QStringLiteral("https://www.instagram.com/owner/")));
        QVERIFY(openOn(LoginProvider::instagram, InstagramFixture::profileUrl("owner")));
        const QList<FoundPost> ig = await(m_h->engine.myPosts(QStringLiteral("instagram"), 5), 60000);
        const QList<const IgPost *> mine = m_ig->postsOf(QStringLiteral("owner"));
        QCOMPARE(ig.size(), 5);
        for (int i = 0; i < ig.size(); ++i) {
            QCOMPARE(ig.at(i).url, InstagramFixture::postUrl(mine.at(i)->code, mine.at(i)->reel).toString());
            QCOMPARE(ig.at(i).title, mine.at(i)->caption.section(u'\n', 0, 0));
        }
        m_yt->setInlineData(false);
        for (const QString &tab : {QStringLiteral("videos"), QStringLiteral("shorts")}) {
            QVERIFY(openOn(LoginProvider::youtube, FixtureSite::url("www.youtube.com", "/@sorakitchen/" + tab)));
            const QList<FoundPost> yt = await(m_h->engine.myPosts(QStringLiteral("youtube"), 10), 60000);
            const QList<YtUpload> uploads =
                ChannelFixture::make(tab == QLatin1String("shorts") ? QStringLiteral("s") : QStringLiteral("v"), 10);
            QCOMPARE(yt.size(), 10);
            for (int i = 0; i < yt.size(); ++i) {
                QVERIFY2(yt.at(i).url.endsWith(uploads.at(i).id), qPrintable(yt.at(i).url));
                QCOMPARE(yt.at(i).title, uploads.at(i).title);
            }
        }
    }

    // Uploads in a format the script cannot read: an error that says so, not an empty list.
    void youtubeUnknownFormat()
    {
        const QString text = (Lang::system()
                                  ? QStringLiteral("내 게시물 목록을 읽지 못했습니다. (사이트 화면이 바뀌었을 수 있음)")
                                  : QStringLiteral(
                                      "Couldn't read your list of posts. (The site's layout may have changed.)"));
        m_yt->setUnknownFormat(true);
        const auto restore = qScopeGuard([this] { m_yt->setUnknownFormat(false); });
        for (const bool inlineData : {true, false}) {
            m_yt->setInlineData(inlineData);
            QVERIFY(openOn(LoginProvider::youtube, FixtureSite::url("www.youtube.com", "/@sorakitchen/videos")));
            QCOMPARE(errorOf(m_h->engine.myPosts(QStringLiteral("youtube"), 5)), text);
        }
        m_yt->setInlineData(true);
    }

    // The site asks for a check: the listing stops with that, not with an empty list.
    void instagramAsksForACheck()
    {
        const QString text =
            (Lang::system()
                 ? QStringLiteral("로그인이 필요하거나 사이트가 확인을 요청해 내 게시물을 불러오지 못했습니다.")
                 : QStringLiteral("Couldn't load your posts: the site asks you to sign in or to confirm it's you."));
        QVERIFY(openOn(LoginProvider::instagram, InstagramFixture::profileUrl("owner")));
        m_ig->setReadsChallenged(true);
        QCOMPARE(errorOf(m_h->engine.myPosts(QStringLiteral("instagram"), 5)), text);
        QVERIFY(openOn(LoginProvider::instagram, FixtureSite::url("www.instagram.com")));
        QCOMPARE(errorOf(m_h->engine.myProfile()), text);
    }

    // The page must be the asked site's channel tab or profile.
    void postsRefused_data()
    {
        QTest::addColumn<int>("site");
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<QString>("asked");
        QTest::newRow("other site") << int(LoginProvider::youtube)
                                    << FixtureSite::url("www.youtube.com", "/@sorakitchen/videos") << "instagram";
        QTest::newRow("not a channel tab")
            << int(LoginProvider::youtube) << FixtureSite::url("www.youtube.com", "/") << "youtube";
        QTest::newRow("not a profile") << int(LoginProvider::instagram)
                                       << InstagramFixture::postUrl(InstagramFixture::makeCode(101)) << "instagram";
        QTest::newRow("sign-in page") << int(LoginProvider::instagram)
                                      << FixtureSite::url("www.instagram.com", "/accounts/login/") << "instagram";
    }
    void postsRefused()
    {
        QFETCH(int, site);
        QFETCH(QUrl, url);
        QFETCH(QString, asked);
        QVERIFY(openOn(LoginProvider(LoginProvider::Value(site)), url));
        QCOMPARE(errorOf(m_h->engine.myPosts(asked, 5)), SpamEngine::channelMessage());
    }

    // Three answer objects: one with only a url, one with only a title, one with a url, a
    // number as title and a thumb: two posts.
    void threeAnswerObjects()
    {
        const QString file = m_dir.filePath(QStringLiteral("channel-three.js"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "return [{url: 'https://www.youtube.com/watch?v=aaaaaaaaaaa'}, {title: 'only a title'},"
            " {url: 'https://www.youtube.com/watch?v=ccccccccccc', title: 5, thumb: 'https://i.ytimg.com/vi/c/hq.jpg'}];");
        f.close();
        SpamEngine::setChannelScriptFile(file);
        QVERIFY(openOn(LoginProvider::youtube, FixtureSite::url("www.youtube.com", "/@sorakitchen/videos")));
        const QList<FoundPost> posts = await(m_h->engine.myPosts(QStringLiteral("youtube"), 5), 60000);
        QCOMPARE(posts.size(), 2);
        QCOMPARE(posts.at(0),
                 (FoundPost{QStringLiteral("https://www.youtube.com/watch?v=aaaaaaaaaaa"), QString(), std::nullopt}));
        QCOMPARE(posts.at(1),
                 (FoundPost{QStringLiteral("https://www.youtube.com/watch?v=ccccccccccc"), QString(),
                            QStringLiteral("https://i.ytimg.com/vi/c/hq.jpg")}));
    }

    void answersThatAreNoPosts_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("count");
        QTest::newRow("null") << QByteArray("null") << 0;
        QTest::newRow("a string") << QByteArray("\"https://www.youtube.com/watch?v=x\"") << 0;
        QTest::newRow("an object") << QByteArray("{\"url\": \"https://a/\"}") << 0;
        QTest::newRow("an array with a number") << QByteArray("[{\"url\": \"https://a/\"}, 3]") << 0;
        QTest::newRow("url not a string")
            << QByteArray("[{\"url\": 3}, {\"url\": \"https://b/\", \"thumb\": null}]") << 1;
        QTest::newRow("empty") << QByteArray("[]") << 0;
    }
    void answersThatAreNoPosts()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, count);
        const QJsonValue v = QJsonDocument::fromJson("[" + json + "]").array().first();
        const QList<FoundPost> posts = SpamEngine::foundPosts(v);
        QCOMPARE(posts.size(), count);
        for (const FoundPost &p : posts)
            QVERIFY(!p.thumb);
    }

    // The script's own errors reach the caller as their text; a missing script is a refusal.
    void scriptErrorsAndMissingScript()
    {
        QVERIFY(openOn(LoginProvider::youtube, FixtureSite::url("www.youtube.com", "/@sorakitchen/videos")));
        const QString file = m_dir.filePath(QStringLiteral("channel-throws.js"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("throw new Error('boom');");
        f.close();
        SpamEngine::setChannelScriptFile(file);
        QCOMPARE(errorOf(m_h->engine.myPosts(QStringLiteral("youtube"), 5)), QStringLiteral("boom"));
        SpamEngine::setChannelScriptFile(m_dir.filePath(QStringLiteral("missing.js")));
        QCOMPARE(errorOf(m_h->engine.myPosts(QStringLiteral("youtube"), 5)), SpamEngine::channelMessage());
    }

    // A reload while the listing waits for the site ends it with the page-changed message.
    void reloadWhileReading()
    {
        m_yt->setDelayMs(800);
        QVERIFY(openOn(LoginProvider::youtube, FixtureSite::url("www.youtube.com", "/@sorakitchen/videos")));
        auto task = m_h->engine.myPosts(QStringLiteral("youtube"), 75);
        QTimer::singleShot(200, &m_h->engine, [this] { m_h->browser.retry(); });
        QCOMPARE(errorOf(std::move(task)), SpamEngine::pageChangedMessage());
        m_yt->setDelayMs(0);
    }
};

VT_WEB_TEST_MAIN(ChannelTest)
#include "tst_channel.moc"
