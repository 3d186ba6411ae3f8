// The YouTube page scripts on fixture pages under the real host name, through the page bridge:
// full and incremental collection, order, a stop while a request hangs, deletion. What both sites
// share (what the page is, progress, likes rule, limit, stop) is in tst_sitescan.cpp.
#include "Await.h"
#include "BridgeHarness.h"
#include "PageTools.h"
#include "WebTestMain.h"
#include "YouTubeFixture.h"

#include "Browser/BrowserError.h"
#include "Base/Lang.h"
#include "LanguageScope.h"
#include "Wire/DecodeError.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QScopeGuard>

using namespace vt::test;

namespace {

// The Korean text the owner reads for a page script's message; empty when there is none.
QString koreanText(const std::optional<QString> &message)
{
    return message ? inLanguage(true, [&] { return localizedSiteMessage(*message); }) : QString();
}

const QString kMixed = QStringLiteral("vMixedAbc01");
const QString kBulk = QStringLiteral("vBulkAbc001");
const QString kShort = QStringLiteral("sShortAb001");
const QString kOff = QStringLiteral("vCommOff001");


}   // namespace

class YouTubeTest : public QObject {
    Q_OBJECT
    YouTubeFixture *m_site = nullptr;
    BridgeHarness *m_h = nullptr;
    QList<YtComment> m_mixed;

    YtVideo &video(const QString &id) { return *m_site->video(id); }

    void resetSite(YouTubeFixture::Viewer viewer = YouTubeFixture::Viewer::Owner)
    {
        m_site->setViewer(viewer);
        m_site->setDelayMs(0);
    }

private slots:
    void initTestCase()
    {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        m_site = new YouTubeFixture(this);
        m_mixed = YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"), now);
        QVERIFY(m_mixed.size() > 30);
        m_site->addVideo({kMixed, QStringLiteral("양파 카레 만들기 | Onion curry"), false, false, m_mixed});
        m_site->addVideo({kBulk, QStringLiteral("1년 동안 모은 레시피 총정리"), false, false,
                          YouTubeFixture::bulk(1500, 7, now, m_mixed)});
        m_site->addVideo({kShort, QStringLiteral("30초 계란말이 #shorts"), true, false, m_mixed.mid(0, 20)});
        m_site->addVideo({kOff, QStringLiteral("댓글 꺼진 영상"), false, true, {}});
        QVERIFY(m_site->visibleCount(video(kBulk)) >= 2000);
        m_site->install(*FixtureSite::shared());
        m_h = new BridgeHarness;
    }
    void cleanupTestCase() { delete m_h; }

    // Every comment, replies after their thread, with the page rules' verdicts.
    void fullScanOfMixedPage()
    {
        resetSite();
        QVERIFY(m_h->open(YouTubeFixture::watchUrl(kMixed)));
        const ScanResult r = m_h->scan();
        QCOMPARE(r.items.size(), m_mixed.size());
        QCOMPARE(r.total, qint64(m_mixed.size()));
        QVERIFY(r.canRemove);
        QVERIFY(!r.likesUnknown);
        QVERIFY(!r.siteSorted);
        QCOMPARE(r.complete, std::optional<bool>(true));
        QHash<QString, YtComment> byId;
        for (const YtComment &c : m_mixed)
            byId.insert(c.id, c);
        QString lastThread;
        for (int i = 0; i < r.items.size(); ++i) {
            const Comment &c = r.items.at(i);
            QCOMPARE(c.order, i);
            QVERIFY2(byId.contains(c.id), qPrintable(c.id));
            const YtComment &src = byId.value(c.id);
            QCOMPARE(c.text, src.text);
            QCOMPARE(c.authorName, src.author);
            QCOMPARE(c.likeCount, std::optional<double>(src.likes));
            QCOMPARE(c.isOwner, src.owner);
            QCOMPARE(c.authorId, std::optional<QString>(src.channelId));
            QVERIFY(c.publishedAt.has_value());
            QVERIFY(std::abs(*c.publishedAt - double(src.publishedMs)) < 3600000.0 * 24);
            if (src.parent.isEmpty())
                lastThread = c.id;
            else
                QCOMPARE(src.parent, lastThread);
            const QStringList codes = c.reason.split(QLatin1Char(','), Qt::SkipEmptyParts);
            if (src.expect.isEmpty()) {
                QVERIFY2(c.state == QLatin1String("ok"), qPrintable(src.text + " -> " + c.reason));
            } else {
                QVERIFY2(c.state == QLatin1String("spam") && codes.contains(src.expect),
                         qPrintable(src.text + " -> " + c.state + " " + c.reason + ", expected " + src.expect));
                QVERIFY(c.score > 0 && c.score <= 1);
                QVERIFY(c.checked);
            }
        }
    }

    void newestFirst()
    {
        resetSite();
        QVERIFY(m_h->open(YouTubeFixture::watchUrl(kMixed)));
        const ScanResult r = m_h->scan(true);
        QVERIFY(r.siteSorted);
        QStringList threads;
        for (const Comment &c : r.items)
            if (!c.id.contains(QLatin1Char('.')))
                threads << c.id;
        QStringList expected;
        for (const YtComment &c : m_site->ordered(video(kMixed), true))
            if (!expected.contains(c.id))
                expected << c.id;   // the pinned comment comes again in its place: once is enough
        QCOMPARE(threads, expected);
        QCOMPARE(r.items.size(), m_mixed.size());
        // The page itself shows newest first too.
        QTRY_VERIFY_WITH_TIMEOUT(
            evaluate(
                m_h->browser.currentTab()->page(),
                "document.querySelectorAll('#sort-menu tp-yt-paper-listbox a')[1].classList.contains('iron-selected')")
                .toBool(),
            5000);
    }

    // An incremental scan stops after the known comments and still fetches the pending ones.
    void incrementalScanStopsAtKnown()
    {
        resetSite();
        QVERIFY(m_h->open(YouTubeFixture::watchUrl(kBulk)));
        const QList<YtComment> newest = m_site->ordered(video(kBulk), true);
        Recent recent;
        for (int i = 30; i < newest.size(); ++i)   // the newest 30 threads are new (index 0 is pinned? none here)
            recent.known << newest.at(i).id;
        recent.need = {newest.at(60).id};
        recent.stopAtKnown = 12;
        const int before = m_site->nextRequests();
        const ScanResult r = m_h->scan(true, false, 1, recent);
        QCOMPARE(r.caughtUp, std::optional<bool>(true));
        QVERIFY(!r.complete.value_or(false));
        QSet<QString> got;
        for (const Comment &c : r.items)
            got.insert(c.id);
        for (int i = 0; i < 30; ++i)
            QVERIFY(got.contains(newest.at(i).id));
        QVERIFY(got.contains(newest.at(60).id));
        QVERIFY(r.items.size() < m_site->visibleCount(video(kBulk)) / 4);
        QVERIFY(m_site->nextRequests() - before < 40);
    }

    // The site's continuations run in a circle: the scan ends once the pages bring nothing new.
    void loopingContinuations()
    {
        resetSite();
        const QString id = QStringLiteral("vLoopsAb001");
        YtVideo v{id, QStringLiteral("끝없이 이어지는 댓글"), false, false,
                  YouTubeFixture::bulk(60, 9, QDateTime::currentMSecsSinceEpoch(), m_mixed)};
        v.loops = true;
        m_site->addVideo(v);
        QVERIFY(m_h->open(YouTubeFixture::watchUrl(id)));
        const int before = m_site->nextRequests();
        const ScanResult r = await(m_h->engine.scan(0, false, false, 1, std::nullopt), 60000);
        QCOMPARE(r.items.size(), m_site->visibleCount(video(id)));
        QVERIFY2(m_site->nextRequests() - before < 60, qPrintable(QString::number(m_site->nextRequests() - before)));
    }

    // Without the newest order, known comments say nothing about what is new: no early stop.
    void incrementalScanWithoutNewestOrder()
    {
        resetSite();
        const QString id = QStringLiteral("vNoSortA001");
        YtVideo v{id, QStringLiteral("정렬 메뉴가 없는 영상"), false, false,
                  YouTubeFixture::bulk(200, 5, QDateTime::currentMSecsSinceEpoch(), m_mixed)};
        v.noSort = true;
        m_site->addVideo(v);
        QVERIFY(m_h->open(YouTubeFixture::watchUrl(id)));
        const QList<YtComment> newest = m_site->ordered(video(id), true);
        Recent recent;
        for (int i = 30; i < newest.size(); ++i)
            recent.known << newest.at(i).id;
        recent.stopAtKnown = 12;
        const ScanResult r = m_h->scan(true, false, 1, recent);
        QVERIFY(!r.siteSorted);
        QVERIFY(!r.caughtUp.value_or(false));
        QCOMPARE(r.complete, std::optional<bool>(true));
        QSet<QString> got;
        for (const Comment &c : r.items)
            got.insert(c.id);
        for (int i = 0; i < 30; ++i)
            QVERIFY(got.contains(newest.at(i).id));
    }

    // The site's data fails part of the way: what was read is kept with the site's own count, the
    // answer is partial and says why (never complete), and the rendered list is not read instead.
    // A page that fails once is tried again and the scan completes.
    void siteFailsPartWay_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("threadsFrom");
        QTest::addColumn<bool>("replies");
        QTest::addColumn<int>("times");
        QTest::addColumn<int>("callLimitMs");   // the scan call's own limit; 0: the app's
        QTest::newRow("a later page answers 500") << kBulk << int(SiteFailure::ServerError) << 200 << false << -1 << 0;
        QTest::newRow("a later page is cut off") << kBulk << int(SiteFailure::CutOff) << 200 << false << -1 << 0;
        QTest::newRow("a later page is an error page with 200")
            << kBulk << int(SiteFailure::ErrorPage) << 200 << false << -1 << 0;
        QTest::newRow("a later page never answers") << kBulk << int(SiteFailure::Hang) << 100 << false << -1 << 0;
        QTest::newRow("reply pages answer 500") << kMixed << int(SiteFailure::ServerError) << -1 << true << -1 << 0;
        // Over two hundred threads wait on replies that never come: the scan waits once in all,
        // not once per thread, and answers within its call's limit.
        QTest::newRow("reply pages never answer") << kBulk << int(SiteFailure::Hang) << -1 << true << -1 << 30000;
        QTest::newRow("a page fails once, then answers")
            << kBulk << int(SiteFailure::ErrorPage) << 1440 << false << 1 << 0;
    }

    void siteFailsPartWay()
    {
        QFETCH(QString, id);
        QFETCH(int, how);
        QFETCH(int, threadsFrom);
        QFETCH(bool, replies);
        QFETCH(int, times);
        QFETCH(int, callLimitMs);
        resetSite();
        m_site->setFailure(SiteFailure(how), threadsFrom, replies, times);
        QVERIFY(m_h->open(YouTubeFixture::watchUrl(id)));
        if (callLimitMs)
            m_h->engine.longCallScale = double(callLimitMs) / SpamEngine::scanTimeoutMs(0);
        const auto restore = qScopeGuard([this] { m_h->engine.longCallScale = 1.0; });
        const ScanResult r = m_h->scan();
        m_site->setFailure(SiteFailure::None);
        const int all = m_site->visibleCount(video(id));
        QCOMPARE(r.total, qint64(all));
        if (times > 0) {
            QCOMPARE(r.items.size(), all);
            QCOMPARE(r.complete, std::optional<bool>(true));
            QVERIFY(!r.partial);
            return;
        }
        QVERIFY(!r.complete.value_or(false));
        const QList<YtComment> threads = m_site->ordered(video(id), false);
        int expected = 0;
        for (const YtComment &t : threads.mid(0, threadsFrom < 0 ? threads.size() : threadsFrom))
            expected += 1 + (replies ? 0 : int(m_site->repliesOf(video(id), t.id).size()));
        QCOMPARE(r.items.size(), expected);
        QVERIFY(r.items.size() < all);
        QCOMPARE(koreanText(r.partial),
                 QString(replies ? "사이트가 답글 일부를 보내지 않아 일부만 수집했습니다. 다시 검사해 주세요."
                                 : "사이트가 댓글 일부를 보내지 않아 일부만 수집했습니다. 다시 검사해 주세요."));
    }

    // A stop while a data request hangs ends the collection with what was read.
    void stopWhileARequestHangs()
    {
        resetSite();
        m_site->setFailure(SiteFailure::Hang, 100);
        QVERIFY(m_h->open(YouTubeFixture::watchUrl(kBulk)));
        bool asked = false;
        const ScanResult r = m_h->scanPolling([this] { return m_h->engine.scan(0, false, false, 1, std::nullopt); },
                                              nullptr,
                                              [&](const ScanProgress &p) {
            if (!asked && p.phase == QLatin1String("collect") && p.count >= 100) {
                m_h->engine.stop();
                asked = true;
            }
        });
        m_site->setFailure(SiteFailure::None);
        QVERIFY(asked);
        QCOMPARE(r.items.size(), 100);   // the threads of the pages before the one that hangs
        QVERIFY(!r.complete.value_or(false));
        QCOMPARE(koreanText(r.partial), QStringLiteral("검사를 멈춰 일부만 수집했습니다."));
        QCOMPARE(r.total, qint64(m_site->visibleCount(video(kBulk))));
    }

    // When the site's data cannot be reached the scripts read the rendered list instead.
    void renderedListWhenDataIsRefused_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("shorts");
        QTest::addColumn<bool>("sidePanel");
        QTest::newRow("video") << "vDomOnly001" << false << false;
        QTest::newRow("short") << "sDomOnly001" << true << false;
        QTest::newRow("video, side-panel layout") << "vDomPanel01" << false << true;
    }
    void renderedListWhenDataIsRefused()
    {
        QFETCH(QString, id);
        QFETCH(bool, shorts);
        QFETCH(bool, sidePanel);
        resetSite();
        YtVideo v{id, QStringLiteral("데이터 없이"), shorts, false, m_mixed};
        v.dataRefused = true;
        v.sidePanel = sidePanel;
        m_site->addVideo(v);
        QVERIFY(m_h->open(shorts ? YouTubeFixture::shortsUrl(id) : YouTubeFixture::watchUrl(id)));
        const ScanResult r = m_h->scan();
        QCOMPARE(r.items.size(), m_mixed.size());
        QCOMPARE(r.complete, std::optional<bool>(true));
        QHash<QString, YtComment> byId;
        for (const YtComment &c : m_mixed)
            byId.insert(c.id, c);
        for (const Comment &c : r.items) {
            QVERIFY(byId.contains(c.id));
            QCOMPARE(c.text, byId.value(c.id).text);
            QCOMPARE(c.authorName, byId.value(c.id).author);
            QCOMPARE(c.likeCount, std::optional<double>(byId.value(c.id).likes));
            QCOMPARE(c.isOwner, byId.value(c.id).owner);
        }
        // Newest first through the page's own sort menu.
        const ScanResult newest = m_h->scan(true);
        QVERIFY(newest.siteSorted);
        QStringList threads, expected;
        for (const Comment &c : newest.items)
            if (!c.id.contains(QLatin1Char('.')))
                threads << c.id;
        for (const YtComment &c : m_site->ordered(video(id), true))
            if (!expected.contains(c.id))
                expected << c.id;
        QCOMPARE(threads, expected);
    }

    // Authors by channel: the data names every author's channel; the rendered list shows it only in
    // the link of a channel without a handle. Two channels may show the same name.
    void authorChannels_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("data") << false;
        QTest::newRow("rendered list") << true;
    }
    void authorChannels()
    {
        QFETCH(bool, refused);
        resetSite();
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        quint32 state = 77;
        auto comment = [&](const QString &author, const QString &channel, const QString &parent = QString()) {
            YtComment c;
            c.id = YouTubeFixture::makeId(state, parent);
            c.parent = parent;
            c.author = author;
            c.channelId = channel;
            c.text = QStringLiteral("맛있어 보여요 ") + author;
            c.publishedMs = now - 3600000;
            c.owner = channel == YouTubeFixture::ownerChannel();
            return c;
        };
        const YtComment first = comment(QStringLiteral("@twin"), QStringLiteral("UCtwinAtwinAtwinAtwinA01"));
        const QList<YtComment> comments{
            first,
            comment(QStringLiteral("@channelowner"), YouTubeFixture::ownerChannel(), first.id),
            comment(QStringLiteral("@twin"), QStringLiteral("UCtwinBtwinBtwinBtwinB02")),
            comment(QStringLiteral("김씨네 옛 채널"), QStringLiteral("UColdChannelNoHandle0003")),
        };
        const QString id = refused ? QStringLiteral("vAuthorsDom") : QStringLiteral("vAuthors001");
        YtVideo v{id, QStringLiteral("작성자"), false, false, comments};
        v.dataRefused = refused;
        m_site->addVideo(v);
        QVERIFY(m_h->open(YouTubeFixture::watchUrl(id)));
        const ScanResult r = m_h->scan();
        QCOMPARE(r.items.size(), comments.size());
        QHash<QString, YtComment> byId;
        for (const YtComment &c : comments)
            byId.insert(c.id, c);
        for (const Comment &c : r.items) {
            const YtComment &src = byId.value(c.id);
            QCOMPARE(c.authorName, src.author);
            const bool shown = !refused || !src.author.startsWith(QLatin1Char('@'));
            QCOMPARE(c.authorId, shown ? std::optional<QString>(src.channelId) : std::nullopt);
        }
    }

    // Replies that come as threads of their own, through the data and through the rendered list.
    void nestedReplies_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("data") << false;
        QTest::newRow("rendered list") << true;
    }
    void nestedReplies()
    {
        QFETCH(bool, refused);
        resetSite();
        const QString id = refused ? QStringLiteral("vNestedDom1") : QStringLiteral("vNested0001");
        YtVideo v{id, QStringLiteral("답글 스레드"), false, false, m_mixed};
        v.subThreads = true;
        v.dataRefused = refused;
        m_site->setPageSize(20, 2);
        m_site->addVideo(v);
        QVERIFY(m_h->open(YouTubeFixture::watchUrl(id)));
        const ScanResult r = m_h->scan();
        m_site->setPageSize(20, 10);
        QCOMPARE(r.items.size(), m_mixed.size());
        QSet<QString> ids;
        for (const Comment &c : r.items)
            ids.insert(c.id);
        for (const YtComment &c : m_mixed)
            QVERIFY(ids.contains(c.id));
    }

    // The site moves to another video without a new document: the scripts follow the address.
    void navigationInsideTheDocument()
    {
        resetSite();
        QVERIFY(m_h->open(YouTubeFixture::watchUrl(kMixed)));
        QCOMPARE(m_h->scan().items.size(), m_mixed.size());
        evaluate(m_h->browser.currentTab()->page(),
                 QStringLiteral("history.pushState({}, '', '/watch?v=%1')").arg(kBulk));
        QTRY_COMPARE_WITH_TIMEOUT(m_h->browser.address(), YouTubeFixture::watchUrl(kBulk).toString(), 5000);
        const std::optional<SiteInfo> info = await(m_h->engine.info());
        QVERIFY(info);
        QCOMPARE(info->url, QStringLiteral("https://www.youtube.com/watch?v=") + kBulk);
        QCOMPARE(m_h->scan().items.size(), m_site->visibleCount(video(kBulk)));
    }

    void shortsPage()
    {
        resetSite();
        QVERIFY(m_h->open(YouTubeFixture::shortsUrl(kShort)));
        const ScanResult r = m_h->scan();
        QCOMPARE(r.items.size(), m_site->visibleCount(video(kShort)));
        QVERIFY(r.canRemove);
    }

    void commentsTurnedOff()
    {
        resetSite();
        QVERIFY(m_h->open(YouTubeFixture::watchUrl(kOff)));
        const ScanResult r = m_h->scan();
        QVERIFY(r.items.isEmpty());
        QCOMPARE(r.total, 0);
    }

    void scanOnUnsupportedPageFails()
    {
        resetSite();
        QVERIFY(m_h->open(FixtureSite::url("www.youtube.com")));
        // The error is the page's message in the owner's language.
        for (const auto &[korean, text] : {std::pair(true, QStringLiteral("지원하는 댓글 화면이 아닙니다")),
                                           std::pair(false, QStringLiteral("This is not a supported comment page"))}) {
            LanguageScope language(korean);
            try {
                m_h->scan();
                QFAIL("no error");
            } catch (const BrowserError &e) {
                QCOMPARE(e.description(), text);
            }
        }
    }

    void reloadDuringScan()
    {
        resetSite();
        m_site->setDelayMs(40);
        QVERIFY(m_h->open(YouTubeFixture::watchUrl(kBulk)));
        auto task = m_h->engine.scan(0, false, false, 1, std::nullopt);
        QTimer::singleShot(500, m_h->browser.currentTab()->page(), [this] { m_h->browser.retry(); });
        try {
            await(std::move(task), 60000);
            QFAIL("no error");
        } catch (const BrowserError &e) {
            QCOMPARE(e.description(), SpamEngine::pageChangedMessage());
        }
        m_site->setDelayMs(0);
    }

    // Deletes only the chosen comments and reports them while it works.
    void removeChosen_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("shorts");
        QTest::addColumn<int>("bulkThreads");   // 0: the mixed list
        QTest::addColumn<int>("skip");          // spam comments passed over before choosing
        QTest::newRow("video") << "vDelete0001" << false << 0 << 0;
        QTest::newRow("short") << "sDelete0001" << true << 0 << 0;
        QTest::newRow("far down a long list") << "vDelete0002" << false << 400 << 150;
    }
    void removeChosen()
    {
        QFETCH(QString, id);
        QFETCH(bool, shorts);
        QFETCH(int, bulkThreads);
        QFETCH(int, skip);
        resetSite();
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        QList<YtComment> comments = YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"),
                                                         now);
        if (bulkThreads)
            comments = YouTubeFixture::bulk(bulkThreads, 11, now, comments);
        m_site->addVideo({id, QStringLiteral("삭제 테스트"), shorts, false, comments});
        const QUrl url = shorts ? YouTubeFixture::shortsUrl(id) : YouTubeFixture::watchUrl(id);
        QVERIFY(m_h->open(url));
        const ScanResult r = m_h->scan();
        QStringList chosen;
        int passed = 0;
        for (const Comment &c : r.items)
            if (c.state == QLatin1String("spam") && !c.id.contains(QLatin1Char('.')) && passed++ >= skip
                && chosen.size() < 5)
                chosen << c.id;
        // A spam reply in a thread, too.
        for (const Comment &c : r.items)
            if (c.id.contains(QLatin1Char('.')) && c.state == QLatin1String("spam") && !chosen.contains(c.id)
                && chosen.size() < 6)
                chosen << c.id;
        QVERIFY(chosen.size() >= 5);

        auto task = m_h->engine.remove(chosen, url.toString());
        bool done = false;
        std::optional<RemoveResult> result;
        auto body = [&]() -> QCoro::Task<void> {
            result = co_await std::move(task);
            done = true;
        };
        auto driver = body();
        bool partial = false;   // some deleted and reported, others still to come
        QStringList goneDuring;
        QElapsedTimer clock;
        clock.start();
        while (!done && clock.elapsed() < 120000) {
            if (auto p = await(m_h->engine.progress())) {
                if (p->phase == QLatin1String("delete") && p->gone) {
                    goneDuring = *p->gone;
                    partial = partial || (!goneDuring.isEmpty() && goneDuring.size() < chosen.size());
                }
            }
            QTest::qWait(60);
        }
        QVERIFY(done);
        QVERIFY2(!result->stopped, qPrintable(result->stopped ? result->stopped->text : QString()));
        QCOMPARE(QSet<QString>(result->gone.begin(), result->gone.end()), QSet<QString>(chosen.begin(), chosen.end()));
        QVERIFY(partial);
        for (const QString &g : goneDuring)
            QVERIFY(chosen.contains(g));
        QCOMPARE(m_site->deleted(id), QSet<QString>(chosen.begin(), chosen.end()));
        // The page now shows the rest, and a new scan finds exactly those.
        const ScanResult after = m_h->scan();
        for (const Comment &c : after.items)
            QVERIFY(!chosen.contains(c.id));
        QCOMPARE(after.items.size(), m_site->visibleCount(*m_site->video(id)));
    }

    // A comment far down a long list the page has not loaded: it goes by the site's own action
    // request (the one its menu sends, read from the comment's data during the scan) and no page
    // of the list is loaded for it; what the site answers stops the deletion as on the menu.
    void removeFarDown_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("viewer");
        QTest::addColumn<bool>("reply");
        QTest::addColumn<QString>("text");   // empty: deleted
        QTest::addColumn<QString>("kind");
        const int owner = int(YouTubeFixture::Viewer::Owner);
        QTest::newRow("a thread") << "vFarDown001" << owner << false << QString() << QString();
        QTest::newRow("a reply") << "vFarDown002" << owner << true << QString() << QString();
        QTest::newRow("session expired") << "vFarDown003" << int(YouTubeFixture::Viewer::StaleSession) << false
                                         << "삭제하려면 사이트에 로그인한 뒤 내 댓글 화면에서 다시 검사해 주세요."
                                         << "blocked";
        QTest::newRow("check asked") << "vFarDown004" << int(YouTubeFixture::Viewer::Challenged) << false
                                     << "삭제를 눌렀지만 댓글이 사라지지 않아 중단했습니다."
                                     << "blocked";
    }
    void removeFarDown()
    {
        QFETCH(QString, id);
        QFETCH(int, viewer);
        QFETCH(bool, reply);
        QFETCH(QString, text);
        QFETCH(QString, kind);
        resetSite(YouTubeFixture::Viewer(viewer));
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        m_site->addVideo({id, QStringLiteral("긴 목록"), false, false, YouTubeFixture::bulk(400, 23, now, m_mixed)});
        const QList<YtComment> threads = m_site->ordered(video(id), false);
        QString target = threads.at(threads.size() - 3).id;
        if (reply)
            for (int i = int(threads.size()) - 1; i > int(threads.size()) - 60; --i)
                if (const QList<YtComment> replies = m_site->repliesOf(video(id), threads.at(i).id);
                    !replies.isEmpty()) {
                    target = replies.last().id;
                    break;
                }
        QCOMPARE(target.contains(QLatin1Char('.')), reply);
        QVERIFY(m_h->open(YouTubeFixture::watchUrl(id)));
        QCOMPARE(m_h->scan().items.size(), m_site->visibleCount(video(id)));
        // Pages of threads the page's own list loads.
        const auto listPages = [] {
            int n = 0;
            for (const HttpRequest &q : FixtureSite::shared()->requests(QStringLiteral("www.youtube.com")))
                n += q.path == QLatin1String("/youtubei/v1/next") && !q.header("x-fixture-app").isEmpty();
            return n;
        };
        const int pagesBefore = listPages(), actionsBefore = m_site->actionRequests();
        const RemoveResult out = await(m_h->engine.remove({target}, YouTubeFixture::watchUrl(id).toString()), 60000);
        QVERIFY2(listPages() - pagesBefore <= 1, qPrintable(QString::number(listPages() - pagesBefore)));
        QCOMPARE(m_site->actionRequests() - actionsBefore, 1);
        if (text.isEmpty()) {
            QVERIFY2(!out.stopped, qPrintable(out.stopped ? out.stopped->text : QString()));
            QCOMPARE(out.gone, QStringList{target});
            QCOMPARE(m_site->deleted(id), QSet<QString>{target});
        } else {
            QVERIFY(out.gone.isEmpty());
            QVERIFY(out.stopped);
            QCOMPARE(koreanText(out.stopped->text), text);
            QCOMPARE(out.stopped->kind, kind);
            QVERIFY(m_site->deleted(id).isEmpty());
        }
    }

    void removeStops_data()
    {
        QTest::addColumn<int>("viewer");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kind");
        QTest::newRow("not the owner")
            << int(YouTubeFixture::Viewer::OtherUser) << QString()
            << "메뉴에 삭제가 없어 중단했습니다. 내 채널의 영상에 달린 댓글만 삭제할 수 있습니다."
            << "error";
        QTest::newRow("session expired") << int(YouTubeFixture::Viewer::StaleSession) << QString()
                                         << "삭제하려면 사이트에 로그인한 뒤 내 댓글 화면에서 다시 검사해 주세요."
                                         << "blocked";
        QTest::newRow("check asked") << int(YouTubeFixture::Viewer::Challenged) << QString()
                                     << "삭제를 눌렀지만 댓글이 사라지지 않아 중단했습니다."
                                     << "blocked";
        QTest::newRow("signed out") << int(YouTubeFixture::Viewer::SignedOut) << QString()
                                    << "삭제하려면 사이트에 로그인한 뒤 내 댓글 화면에서 다시 검사해 주세요."
                                    << "blocked";
        QTest::newRow("another post") << int(YouTubeFixture::Viewer::Owner)
                                      << YouTubeFixture::watchUrl(kBulk).toString()
                                      << "댓글 페이지가 바뀌었습니다. 다시 검사해 주세요."
                                      << "error";
    }
    void removeStops()
    {
        QFETCH(int, viewer);
        QFETCH(QString, url);
        QFETCH(QString, text);
        QFETCH(QString, kind);
        resetSite(YouTubeFixture::Viewer(viewer));
        const QString id = QStringLiteral("vRefuse0001");
        m_site->addVideo({id, QStringLiteral("남의 영상"), false, false, m_mixed});
        QVERIFY(m_h->open(YouTubeFixture::watchUrl(id)));
        const ScanResult r = m_h->scan();
        // Threads the page shows: they go through the page's own menu.
        QWebEnginePage *page = m_h->browser.currentTab()->page();
        evaluate(page, "document.querySelector('ytd-comments').scrollIntoView()");
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(page, "document.querySelectorAll('ytd-comment-thread-renderer').length")
                                         .toInt()
                                     > 5,
                                 10000);
        QStringList chosen;
        for (const Comment &c : r.items)
            if (!c.id.contains(QLatin1Char('.')) && chosen.size() < 2)
                chosen << c.id;
        const RemoveResult out =
            await(m_h->engine.remove(chosen, url.isEmpty() ? YouTubeFixture::watchUrl(id).toString() : url), 60000);
        QVERIFY(out.gone.isEmpty());
        QVERIFY(out.stopped);
        QCOMPARE(koreanText(out.stopped->text), text);
        QCOMPARE(out.stopped->kind, kind);
        QVERIFY(m_site->deleted(id).isEmpty());
        QVERIFY(isSiteMessage(out.stopped->text));
    }

    void flagAndReveal()
    {
        resetSite();
        QVERIFY(m_h->open(YouTubeFixture::watchUrl(kMixed)));
        const ScanResult r = m_h->scan();
        // The page renders its comments once the owner scrolls to them.
        evaluate(m_h->browser.currentTab()->page(), "document.querySelector('ytd-comments').scrollIntoView()");
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(m_h->browser.currentTab()->page(),
                                          "document.querySelectorAll('ytd-comment-thread-renderer').length")
                                         .toInt()
                                     > 5,
                                 10000);
        const QString first = r.items.at(3).id;   // a thread: replies are not shown until opened
        await(m_h->engine.flag({first}, YouTubeFixture::watchUrl(kMixed).toString()));
        QCOMPARE(evaluate(m_h->browser.currentTab()->page(), "document.querySelectorAll('[data-vtx-flag]').length")
                     .toInt(),
                 1);
        // On another post's address the page marks nothing but still answers a boolean.
        await(m_h->engine.flag({first}, YouTubeFixture::watchUrl(kBulk).toString()));
        m_h->engine.reveal(r.items.last().id);
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(m_h->browser.currentTab()->page(), "window.scrollY").toDouble() > 100, 15000);
    }
};

VT_WEB_TEST_MAIN(YouTubeTest)
#include "tst_youtube.moc"
