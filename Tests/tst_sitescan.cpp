// The page scripts as both sites share them, on fixture pages under the real host names, through
// the page bridge: what the page is, a full scan of thousands with its progress, the likes rule,
// the limit of a scan and a stop in the middle of collecting; one table of cases, a row per site.
#include "Await.h"
#include "BridgeHarness.h"
#include "InstagramFixture.h"
#include "WebTestMain.h"
#include "YouTubeFixture.h"

#include "Base/Lang.h"
#include "LanguageScope.h"

#include <QDateTime>
#include <QSet>

using namespace vt::test;

Q_DECLARE_METATYPE(LoginProvider::Value)

namespace {

// The Korean text the owner reads for a page script's message; empty when there is none.
QString koreanText(const std::optional<QString> &message)
{
    return message ? inLanguage(true, [&] { return localizedSiteMessage(*message); }) : QString();
}

// YouTube: a video of the mixed comments and one of more than two thousand.
const QString kMixed = QStringLiteral("vMixedAbc01");
const QString kBulk = QStringLiteral("vBulkAbc001");
const QString kShort = QStringLiteral("sShortAb001");
// Instagram: a post of the mixed comments and one of more than a thousand.
const QString kPost = InstagramFixture::makeCode(1);
const QString kReel = InstagramFixture::makeCode(2);
const QString kBig = InstagramFixture::makeCode(3);
const QString kFriends = InstagramFixture::makeCode(5);

// Who a stand-in site sees, in the terms both sites share.
enum class Viewer { signedOut, owner, otherUser };

}   // namespace

class SiteScanTest : public QObject {
    Q_OBJECT
    YouTubeFixture *m_yt = nullptr;
    InstagramFixture *m_ig = nullptr;
    BridgeHarness *m_h = nullptr;

    // One face over both stand-in sites: a post's address, the comments its page shows, and the
    // latency of the site's answers.
    static QUrl postUrl(LoginProvider site, const QString &post)
    {
        return site == LoginProvider::youtube ? YouTubeFixture::watchUrl(post) : InstagramFixture::postUrl(post);
    }
    QSet<QString> shownIds(LoginProvider site, const QString &post)
    {
        QSet<QString> ids;
        if (site == LoginProvider::youtube) {
            const YtVideo &video = *m_yt->video(post);
            for (const YtComment &thread : m_yt->ordered(video, false)) {
                ids.insert(thread.id);
                for (const YtComment &reply : m_yt->repliesOf(video, thread.id))
                    ids.insert(reply.id);
            }
        } else {
            for (const IgComment &c : m_ig->visible(*m_ig->post(post)))
                ids.insert(c.id);
        }
        return ids;
    }
    qsizetype shownCount(LoginProvider site, const QString &post)
    {
        return site == LoginProvider::youtube ? m_yt->visibleCount(*m_yt->video(post))
                                              : m_ig->visible(*m_ig->post(post)).size();
    }
    void setViewer(LoginProvider site, Viewer viewer)
    {
        if (site == LoginProvider::youtube)
            m_yt->setViewer(viewer == Viewer::owner           ? YouTubeFixture::Viewer::Owner
                                : viewer == Viewer::otherUser ? YouTubeFixture::Viewer::OtherUser
                                                              : YouTubeFixture::Viewer::SignedOut);
        else
            m_ig->setViewer(viewer == Viewer::owner           ? InstagramFixture::Viewer::Owner
                                : viewer == Viewer::otherUser ? InstagramFixture::Viewer::OtherUser
                                                              : InstagramFixture::Viewer::SignedOut);
    }
    void setDelayMs(LoginProvider site, int ms)
    {
        if (site == LoginProvider::youtube)
            m_yt->setDelayMs(ms);
        else
            m_ig->setDelayMs(ms);
    }
    void resetSites()
    {
        m_yt->setViewer(YouTubeFixture::Viewer::Owner);
        m_yt->setDelayMs(0);
        m_ig->setViewer(InstagramFixture::Viewer::Owner);
        m_ig->setDelayMs(0);
        m_ig->resetCounters();
    }

private slots:
    void initTestCase()
    {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        m_yt = new YouTubeFixture(this);
        const QList<YtComment> ytMixed =
            YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"), now);
        QVERIFY(ytMixed.size() > 30);
        m_yt->addVideo({kMixed, QStringLiteral("양파 카레 만들기 | Onion curry"), false, false, ytMixed});
        m_yt->addVideo({kBulk, QStringLiteral("1년 동안 모은 레시피 총정리"), false, false,
                        YouTubeFixture::bulk(1500, 7, now, ytMixed)});
        m_yt->addVideo({kShort, QStringLiteral("30초 계란말이 #shorts"), true, false, ytMixed.mid(0, 20)});
        QVERIFY(m_yt->visibleCount(*m_yt->video(kBulk)) >= 2000);
        m_yt->install(*FixtureSite::shared());
        m_ig = new InstagramFixture(this);
        const QList<IgComment> igMixed =
            InstagramFixture::load(QStringLiteral(VT_FIXTURES_DIR "/instagram/comments-mixed.json"), now);
        QVERIFY(igMixed.size() > 25);
        const qint64 day = 86400000;
        m_ig->addPost({kPost, false, QStringLiteral("양파 카레 만들기\n#요리 #레시피"), QStringLiteral("owner"),
                       now - day, false, igMixed});
        m_ig->addPost({kReel, true, QStringLiteral("30초 계란말이 🍳"), QStringLiteral("owner"), now - 2 * day, false,
                       igMixed.mid(0, 12)});
        m_ig->addPost({kBig, false, QStringLiteral("1년 동안 모은 레시피 총정리"), QStringLiteral("owner"),
                       now - 3 * day, false, InstagramFixture::bulk(900, 11, now, igMixed)});
        m_ig->addPost({kFriends, false, QStringLiteral("친구의 게시물"), QStringLiteral("friend"), now - 5 * day, false,
                       igMixed});
        QVERIFY(m_ig->visible(*m_ig->post(kBig)).size() >= 1000);
        m_ig->install(*FixtureSite::shared());
        m_h = new BridgeHarness;
        // Each site's tab shown once; opening a post later switches to its site's tab.
        m_h->browser.selectSite(LoginProvider::instagram);
        QTRY_VERIFY_WITH_TIMEOUT(m_h->browser.currentTab() == m_h->browser.tab(LoginProvider::instagram), 20000);
        QVERIFY(m_h->open(InstagramFixture::profileUrl("owner")));
    }
    void cleanupTestCase() { delete m_h; }

    // What the page is, for each kind of page and viewer: whether the scripts answer, whether it is
    // a supported post and its comments may be deleted, the address reported, the post's picture,
    // and the text the owner reads before a scan (the intro on a supported page, else the guide).
    void info_data()
    {
        QTest::addColumn<LoginProvider::Value>("site");   // the site whose page opens
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<int>("viewer");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<bool>("supported");
        QTest::addColumn<bool>("canRemove");
        QTest::addColumn<QString>("reportedUrl");
        QTest::addColumn<bool>("picture");              // the post's picture is given: a post the site has
        QTest::addColumn<QString>("shownBeforeScan");   // how that text starts; empty: any
        const QString video = QStringLiteral("스팸 검사를 누르면 이 영상의 댓글을"),
                      elsewhere = QStringLiteral("youtube.com에서는 영상 페이지에서"),
                      post = QStringLiteral("내 게시물을 연 상태에서");
        const int owner = int(Viewer::owner), other = int(Viewer::otherUser), out = int(Viewer::signedOut);
        const auto yt = LoginProvider::youtube, ig = LoginProvider::instagram;
        QTest::newRow("youtube, own video") << yt << YouTubeFixture::watchUrl(kMixed) << owner << true << true << true
                                            << "https://www.youtube.com/watch?v=" + kMixed << true << video;
        QTest::newRow("youtube, own short") << yt << YouTubeFixture::shortsUrl(kShort) << owner << true << true << true
                                            << "https://www.youtube.com/shorts/" + kShort << true << video;
        QTest::newRow("youtube, someone else's video")
            << yt << YouTubeFixture::watchUrl(kMixed) << other << true << true << false
            << "https://www.youtube.com/watch?v=" + kMixed << true << video;
        QTest::newRow("youtube, signed out") << yt << YouTubeFixture::watchUrl(kMixed) << out << true << true << false
                                             << "https://www.youtube.com/watch?v=" + kMixed << true << video;
        QTest::newRow("youtube, home page") << yt << FixtureSite::url("www.youtube.com") << owner << true << false
                                            << false << "https://www.youtube.com/" << false << elsewhere;
        QTest::newRow("youtube, sign-in page")
            << yt << FixtureSite::url("accounts.google.com", "/ServiceLogin?service=youtube") << owner << false << false
            << false << "" << false << QString();
        QTest::newRow("instagram, a post not on the site, signed out")
            << ig << FixtureSite::url("www.instagram.com", "/p/Cx1234abcd/") << out << true << true << false
            << "https://www.instagram.com/p/Cx1234abcd/" << false << post;
        QTest::newRow("instagram, own post") << ig << InstagramFixture::postUrl(kPost) << owner << true << true << true
                                             << "https://www.instagram.com/p/" + kPost + "/" << true << QString();
        QTest::newRow("instagram, own reel")
            << ig << InstagramFixture::postUrl(kReel, true) << owner << true << true << true
            << "https://www.instagram.com/reel/" + kReel + "/" << true << QString();
        QTest::newRow("instagram, someone else's post")
            << ig << InstagramFixture::postUrl(kFriends) << owner << true << true << false
            << "https://www.instagram.com/p/" + kFriends + "/" << true << QString();
        QTest::newRow("instagram, another viewer")
            << ig << InstagramFixture::postUrl(kPost) << other << true << true << false
            << "https://www.instagram.com/p/" + kPost + "/" << true << QString();
        QTest::newRow("instagram, signed out") << ig << InstagramFixture::postUrl(kPost) << out << true << true << false
                                               << "https://www.instagram.com/p/" + kPost + "/" << true << QString();
        QTest::newRow("instagram, profile") << ig << InstagramFixture::profileUrl("owner") << owner << true << false
                                            << false << "https://www.instagram.com/owner/" << false << QString();
        QTest::newRow("instagram, sign-in page") << ig << FixtureSite::url("www.instagram.com", "/accounts/login/")
                                                 << out << false << false << false << "" << false << QString();
    }
    void info()
    {
        QFETCH(LoginProvider::Value, site);
        QFETCH(QUrl, url);
        QFETCH(int, viewer);
        QFETCH(bool, answers);
        QFETCH(bool, supported);
        QFETCH(bool, canRemove);
        QFETCH(QString, reportedUrl);
        QFETCH(bool, picture);
        QFETCH(QString, shownBeforeScan);
        resetSites();
        setViewer(site, Viewer(viewer));
        QVERIFY(m_h->open(url));
        const std::optional<SiteInfo> info = await(m_h->engine.info());
        QCOMPARE(info.has_value(), answers);
        if (!answers)
            return;
        QCOMPARE(info->site, LoginProvider(site).rawValue());
        QCOMPARE(info->supported, supported);
        QCOMPARE(info->canRemove, canRemove);
        QCOMPARE(info->url, reportedUrl);
        if (picture)
            QVERIFY(info->thumbnail && info->thumbnail->startsWith(QLatin1String("https://")));
        const QString shown = koreanText(supported ? info->intro : info->guide);
        QVERIFY2(shown.startsWith(shownBeforeScan), qPrintable(shown));
        // The texts are keys of the application's translation table.
        for (const QString &text : {info->intro, info->guide, info->emptyText, info->readOnlyHint})
            QVERIFY2(isSiteMessage(text), qPrintable(text));
    }

    // More than a thousand comments, paged threads and replies: every one once, with progress
    // while collecting. Asked for the newest first, the site answers so and the script says so.
    void fullScanOfThousandsWithProgress_data()
    {
        QTest::addColumn<LoginProvider::Value>("site");
        QTest::addColumn<QString>("post");
        QTest::addColumn<int>("delayMs");   // latency of the site's answers
        QTest::addColumn<bool>("newest");
        QTest::newRow("youtube") << LoginProvider::youtube << kBulk << 0 << false;
        QTest::newRow("instagram") << LoginProvider::instagram << kBig << 5 << true;
    }
    void fullScanOfThousandsWithProgress()
    {
        QFETCH(LoginProvider::Value, site);
        QFETCH(QString, post);
        QFETCH(int, delayMs);
        QFETCH(bool, newest);
        resetSites();
        setDelayMs(site, delayMs);
        QVERIFY(m_h->open(postUrl(site, post)));
        QList<ScanProgress> seen;
        const ScanResult r =
            m_h->scanPolling([this, newest] { return m_h->engine.scan(0, newest, false, 1, std::nullopt); }, &seen);
        const qsizetype expected = shownCount(site, post);
        QCOMPARE(r.items.size(), expected);
        QSet<QString> ids;
        for (const Comment &c : r.items)
            ids.insert(c.id);
        QCOMPARE(ids.size(), expected);
        QCOMPARE(r.total, qint64(expected));
        QCOMPARE(r.complete, std::optional<bool>(true));
        QCOMPARE(r.siteSorted, newest);
        bool midway = false;
        for (const ScanProgress &p : seen)
            if (p.phase == QLatin1String("collect") && p.count > 0 && p.count < expected && p.total == expected
                && p.samples && !p.samples->isEmpty())
                midway = true;
        QVERIFY2(midway, "no progress seen while collecting");
    }

    void likesRule_data()
    {
        QTest::addColumn<LoginProvider::Value>("site");
        QTest::addColumn<QString>("post");
        QTest::addColumn<bool>("noLikesOnly");
        QTest::addColumn<int>("minLikes");
        QTest::newRow("youtube, off") << LoginProvider::youtube << kMixed << false << 5;
        QTest::newRow("youtube, no likes only") << LoginProvider::youtube << kMixed << true << 1;
        QTest::newRow("youtube, at least 20") << LoginProvider::youtube << kMixed << true << 20;
        QTest::newRow("youtube, minimum below one counts as one") << LoginProvider::youtube << kMixed << true << 0;
        QTest::newRow("instagram, off") << LoginProvider::instagram << kPost << false << 5;
        QTest::newRow("instagram, no likes only") << LoginProvider::instagram << kPost << true << 1;
        QTest::newRow("instagram, at least 20") << LoginProvider::instagram << kPost << true << 20;
    }
    void likesRule()
    {
        QFETCH(LoginProvider::Value, site);
        QFETCH(QString, post);
        QFETCH(bool, noLikesOnly);
        QFETCH(int, minLikes);
        resetSites();
        QVERIFY(m_h->open(postUrl(site, post)));
        const ScanResult r = m_h->scan(false, noLikesOnly, minLikes);
        int skipped = 0;
        for (const Comment &c : r.items) {
            const bool liked = noLikesOnly && !c.isOwner && c.likeCount && *c.likeCount >= std::max(1, minLikes);
            QCOMPARE(c.state == QLatin1String("skip"), liked);
            if (liked) {
                QCOMPARE(koreanText(c.reason), QStringLiteral("좋아요가 있어 검사에서 제외"));
                ++skipped;
            }
        }
        QCOMPARE(skipped > 0, noLikesOnly);
    }

    // A scan with a limit reads that many of the comments the page shows and says it was limited.
    void limit_data()
    {
        QTest::addColumn<LoginProvider::Value>("site");
        QTest::addColumn<QString>("post");
        QTest::addColumn<int>("limit");
        QTest::newRow("youtube") << LoginProvider::youtube << kBulk << 50;
        QTest::newRow("instagram") << LoginProvider::instagram << kBig << 100;
    }
    void limit()
    {
        QFETCH(LoginProvider::Value, site);
        QFETCH(QString, post);
        QFETCH(int, limit);
        resetSites();
        QVERIFY(m_h->open(postUrl(site, post)));
        const ScanResult r = m_h->scan(false, false, 1, std::nullopt, limit);
        QCOMPARE(r.items.size(), limit);
        QCOMPARE(r.limited, std::optional<bool>(true));
        QVERIFY(!r.complete);
        const QSet<QString> all = shownIds(site, post);
        for (const Comment &c : r.items)
            QVERIFY(all.contains(c.id));
    }

    // A stop while collecting ends the scan with what was read, never complete; a stop flag left
    // from this scan does not stop the next one.
    void stopMidCollection_data()
    {
        QTest::addColumn<LoginProvider::Value>("site");
        QTest::addColumn<QString>("post");
        QTest::addColumn<int>("delayMs");   // latency of the site's answers while the stop lands
        QTest::addColumn<int>("stopAt");    // comments read when Stop is pressed
        QTest::newRow("youtube") << LoginProvider::youtube << kBulk << 40 << 100;
        QTest::newRow("instagram") << LoginProvider::instagram << kBig << 30 << 60;
    }
    void stopMidCollection()
    {
        QFETCH(LoginProvider::Value, site);
        QFETCH(QString, post);
        QFETCH(int, delayMs);
        QFETCH(int, stopAt);
        resetSites();
        setDelayMs(site, delayMs);
        QVERIFY(m_h->open(postUrl(site, post)));
        bool asked = false;
        const ScanResult r = m_h->scanPolling([this] { return m_h->engine.scan(0, false, false, 1, std::nullopt); },
                                              nullptr,
                                              [&](const ScanProgress &p) {
            if (!asked && p.phase == QLatin1String("collect") && p.count >= stopAt) {
                m_h->engine.stop();
                asked = true;
            }
        });
        const qsizetype shown = shownCount(site, post);
        QVERIFY(asked);
        QVERIFY(r.items.size() >= stopAt);
        QVERIFY(r.items.size() < shown);
        QVERIFY(!r.complete.value_or(false));
        setDelayMs(site, 0);
        const ScanResult again = m_h->scan();
        QCOMPARE(again.items.size(), shown);
    }
};

VT_WEB_TEST_MAIN(SiteScanTest)
#include "tst_sitescan.moc"
