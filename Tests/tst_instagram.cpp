// The Instagram page scripts on fixture pages under the real host name, through the page bridge:
// full and incremental collection, the signed-out page, deletion of chosen comments and the
// refusals. What both sites share (what the page is, progress, likes rule, limit, stop) is in
// tst_sitescan.cpp.
#include "Await.h"
#include "BridgeHarness.h"
#include "InstagramFixture.h"
#include "PageTools.h"
#include "WebTestMain.h"

#include "Browser/BrowserError.h"
#include "Base/Lang.h"
#include "LanguageScope.h"

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

const QString kPost = InstagramFixture::makeCode(1);
const QString kReel = InstagramFixture::makeCode(2);
const QString kBig = InstagramFixture::makeCode(3);
const QString kRefuse = InstagramFixture::makeCode(4);
const QString kFriends = InstagramFixture::makeCode(5);
const QString kPartialData = QStringLiteral(
    "사이트가 댓글 일부를 보내지 않아 일부만 수집했습니다. 다시 검사해 주세요.");

}   // namespace

class InstagramTest : public QObject {
    Q_OBJECT
    InstagramFixture *m_site = nullptr;
    BridgeHarness *m_h = nullptr;
    QList<IgComment> m_mixed;
    qint64 m_now = 0;

    IgPost &post(const QString &code) { return *m_site->post(code); }

    void resetSite(InstagramFixture::Viewer viewer = InstagramFixture::Viewer::Owner)
    {
        m_site->setViewer(viewer);
        m_site->setDelayMs(0);
        m_site->resetCounters();
    }

    static QStringList ids(const QList<Comment> &items)
    {
        QStringList out;
        for (const Comment &c : items)
            out << c.id;
        return out;
    }

private slots:
    void initTestCase()
    {
        m_now = QDateTime::currentMSecsSinceEpoch();
        m_site = new InstagramFixture(this);
        m_mixed = InstagramFixture::load(QStringLiteral(VT_FIXTURES_DIR "/instagram/comments-mixed.json"), m_now);
        QVERIFY(m_mixed.size() > 25);
        const qint64 day = 86400000;
        m_site->addPost({kPost, false, QStringLiteral("양파 카레 만들기\n#요리 #레시피"), QStringLiteral("owner"),
                         m_now - day, false, m_mixed});
        m_site->addPost({kReel, true, QStringLiteral("30초 계란말이 🍳"), QStringLiteral("owner"), m_now - 2 * day,
                         false, m_mixed.mid(0, 12)});
        m_site->addPost({kBig, false, QStringLiteral("1년 동안 모은 레시피 총정리"), QStringLiteral("owner"),
                         m_now - 3 * day, false, InstagramFixture::bulk(900, 11, m_now, m_mixed)});
        m_site->addPost({kRefuse, false, QStringLiteral("삭제가 막힌 게시물"), QStringLiteral("owner"), m_now - 4 * day,
                         true, m_mixed});
        m_site->addPost({kFriends, false, QStringLiteral("친구의 게시물"), QStringLiteral("friend"), m_now - 5 * day,
                         false, m_mixed});
        QVERIFY(m_site->visible(post(kBig)).size() >= 1000);
        m_site->install(*FixtureSite::shared());
        m_h = new BridgeHarness;
        // The harness starts on the YouTube tab; the Instagram tab is shown from here on.
        m_h->browser.selectSite(LoginProvider::instagram);
        QTRY_VERIFY_WITH_TIMEOUT(m_h->browser.currentTab() == m_h->browser.tab(LoginProvider::instagram), 20000);
        QVERIFY(m_h->open(InstagramFixture::profileUrl("owner")));
    }
    void cleanupTestCase() { delete m_h; }

    // A post opened from the profile grid keeps the profile's document (and its og:image, the
    // profile picture): the thumbnail is still the post's own picture.
    void thumbnailOfAPostOpenedFromTheGrid()
    {
        resetSite();
        QVERIFY(m_h->open(InstagramFixture::postUrl(kPost)));
        const std::optional<SiteInfo> direct = await(m_h->engine.info());
        QVERIFY(direct && direct->thumbnail);
        QVERIFY(m_h->open(InstagramFixture::profileUrl("owner")));
        QWebEnginePage *page = m_h->browser.currentTab()->page();
        evaluate(page, QStringLiteral("history.pushState({}, '', '/p/%1/'); true").arg(kPost));
        QTRY_VERIFY_WITH_TIMEOUT(page->url().path() == QStringLiteral("/p/%1/").arg(kPost), 20000);
        QTest::qWait(100);
        const std::optional<SiteInfo> fromGrid = await(m_h->engine.info());
        QVERIFY(fromGrid && fromGrid->supported);
        QCOMPARE(fromGrid->url, direct->url);
        QCOMPARE(fromGrid->thumbnail, direct->thumbnail);
    }

    // Every comment with its replies after it, the page rules' verdicts, likes and owners.
    void fullScan_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("reel");
        QTest::addColumn<bool>("repliesFromHead");
        QTest::newRow("post") << kPost << false << false;
        QTest::newRow("reel") << kReel << true << false;
        QTest::newRow("replies paged from the head") << kPost << false << true;
    }
    void fullScan()
    {
        QFETCH(QString, code);
        QFETCH(bool, reel);
        QFETCH(bool, repliesFromHead);
        resetSite();
        m_site->setRepliesFromHead(repliesFromHead);
        const auto restore = qScopeGuard([this] { m_site->setRepliesFromHead(false); });
        QVERIFY(m_h->open(InstagramFixture::postUrl(code, reel)));
        const ScanResult r = m_h->scan();
        const QList<IgComment> expected = m_site->visible(post(code));
        QCOMPARE(ids(r.items), [&] {
            QStringList l;
            for (const IgComment &c : expected)
                l << c.id;
            return l;
        }());
        QCOMPARE(r.total, qint64(expected.size()));
        QVERIFY(r.canRemove);
        QVERIFY(!r.likesUnknown);
        QVERIFY(!r.siteSorted);
        QCOMPARE(r.complete, std::optional<bool>(true));
        QVERIFY(!r.caughtUp);
        for (int i = 0; i < r.items.size(); ++i) {
            const Comment &c = r.items.at(i);
            const IgComment &src = expected.at(i);
            QCOMPARE(c.order, i);
            QCOMPARE(c.text, src.text);
            QCOMPARE(c.authorName, src.username);
            QCOMPARE(c.likeCount, std::optional<double>(src.likes));
            QCOMPARE(c.isOwner, src.username == QLatin1String("owner"));
            QCOMPARE(c.authorId, std::optional<QString>(src.userId));   // the site's pk comes as a number too
            QCOMPARE(c.publishedAt, std::optional<double>(double(src.publishedMs / 1000 * 1000)));
            QVERIFY(c.avatar && c.avatar->startsWith(QLatin1String("https://")));
            const QStringList codes = c.reason.split(QLatin1Char(','), Qt::SkipEmptyParts);
            if (src.expect.isEmpty())
                QVERIFY2(c.state == QLatin1String("ok"), qPrintable(src.text + " -> " + c.reason));
            else
                QVERIFY2(c.state == QLatin1String("spam") && codes.contains(src.expect) && c.checked,
                         qPrintable(src.text + " -> " + c.state + " " + c.reason + ", expected " + src.expect));
        }
    }

    // Cursors that run in a circle: the scan ends once the pages bring nothing new.
    void loopingCursors()
    {
        resetSite();
        m_site->setLoops(true);
        const auto restore = qScopeGuard([this] { m_site->setLoops(false); });
        QVERIFY(m_h->open(InstagramFixture::postUrl(kPost)));
        const int before = m_site->commentRequests();
        const ScanResult r = await(m_h->engine.scan(0, false, false, 1, std::nullopt), 60000);
        QCOMPARE(r.items.size(), m_site->visible(post(kPost)).size());
        QVERIFY2(m_site->commentRequests() - before < 60,
                 qPrintable(QString::number(m_site->commentRequests() - before)));
    }

    // New comments since the last scan: the scan stops after the known ones, yet fetches the
    // pending ones it was asked for.
    void incrementalScan()
    {
        resetSite();
        const QString code = InstagramFixture::makeCode(6);
        IgPost p{code,
                 false,
                 QStringLiteral("새 댓글 테스트"),
                 QStringLiteral("owner"),
                 m_now,
                 false,
                 InstagramFixture::bulk(300, 5, m_now - 3600000, m_mixed)};
        m_site->addPost(p);
        const QList<IgComment> before = m_site->ordered(post(code));
        Recent recent;
        for (const IgComment &c : m_site->visible(post(code)))
            recent.known << c.id;
        recent.need = {before.at(70).id};
        // Three new threads, the newest on the post.
        QList<IgComment> fresh;
        for (int i = 0; i < 3; ++i) {
            IgComment c = m_mixed.at(4 + i);
            c.id = QStringLiteral("1800000000000000%1").arg(i);
            c.parent.clear();
            c.publishedMs = m_now - 1000 * (i + 1);
            fresh << c;
        }
        post(code).comments = fresh + post(code).comments;
        QVERIFY(m_h->open(InstagramFixture::postUrl(code)));
        m_site->resetCounters();
        const ScanResult r = m_h->scan(true, false, 1, recent);
        QCOMPARE(r.caughtUp, std::optional<bool>(true));
        QVERIFY(!r.complete);
        QVERIFY(r.siteSorted);
        const QStringList got = ids(r.items);
        for (const IgComment &c : fresh)
            QVERIFY(got.contains(c.id));
        QVERIFY(got.contains(before.at(70).id));
        QVERIFY(r.items.size() < m_site->visible(post(code)).size() / 2);
        // Without pending ids it stops after the first page of known ones.
        recent.need.clear();
        m_site->resetCounters();
        const ScanResult quick = m_h->scan(true, false, 1, recent);
        QCOMPARE(quick.caughtUp, std::optional<bool>(true));
        QVERIFY(quick.items.size() < r.items.size());
        QVERIFY(m_site->commentRequests() < 20);
    }

    // Signed out, the page shows a few comments and no replies: those are read from the page.
    void signedOutReadsThePage()
    {
        resetSite(InstagramFixture::Viewer::SignedOut);
        QVERIFY(m_h->open(InstagramFixture::postUrl(kPost)));
        const ScanResult r = m_h->scan();
        const QList<IgComment> threads = m_site->ordered(post(kPost)).mid(0, 15);
        QCOMPARE(r.items.size(), threads.size());
        QVERIFY(!r.canRemove);
        for (int i = 0; i < threads.size(); ++i) {
            QCOMPARE(r.items.at(i).id, threads.at(i).id);
            QCOMPARE(r.items.at(i).text, threads.at(i).text);
            QCOMPARE(r.items.at(i).authorName, threads.at(i).username);
            QCOMPARE(r.items.at(i).likeCount, std::optional<double>(threads.at(i).likes));
            QCOMPARE(r.items.at(i).isOwner, threads.at(i).username == QLatin1String("owner"));
        }
        QCOMPARE(m_site->commentRequests(), 0);
    }

    // When the site's data cannot be read, the comments the page shows are collected, loading
    // more comments and replies through the page's own buttons; a page that shows none while
    // the site counts some is an error, not an empty success.
    void pageListWhenTheDataMoved()
    {
        resetSite();
        m_site->setApiMoved(true);
        QVERIFY(m_h->open(InstagramFixture::postUrl(kPost)));
        const ScanResult r = m_h->scan();
        const QList<IgComment> expected = m_site->visible(post(kPost));
        QCOMPARE(r.items.size(), expected.size());
        QHash<QString, IgComment> byId;
        for (const IgComment &c : expected)
            byId.insert(c.id, c);
        QString lastThread;
        for (const Comment &c : r.items) {
            QVERIFY2(byId.contains(c.id), qPrintable(c.id));
            const IgComment &src = byId.value(c.id);
            QCOMPARE(c.text, src.text);
            QCOMPARE(c.authorName, src.username);
            QCOMPARE(c.likeCount, std::optional<double>(src.likes));
            QCOMPARE(c.isOwner, src.username == QLatin1String("owner"));
            // The page links authors by name only; the owner's id is known from the post.
            QCOMPARE(c.authorId, c.isOwner ? std::optional<QString>(src.userId) : std::nullopt);
            if (src.parent.isEmpty())
                lastThread = c.id;
            else
                QCOMPARE(src.parent, lastThread);
        }
        QVERIFY(r.canRemove);
        QCOMPARE(r.complete, std::optional<bool>(true));
        m_site->setApiMoved(false);
    }
    void pageShowsNoneOfCountedComments()
    {
        resetSite();
        QVERIFY(m_h->open(InstagramFixture::postUrl(kPost)));
        // The page's comment list is gone (a layout the script does not know).
        QVERIFY(
            evaluate(m_h->browser.currentTab()->page(), "document.getElementById('vt-fixture-comments').remove(); true")
                .toBool());
        m_site->setApiMoved(true);
        try {
            LanguageScope korean(true);
            m_h->scan();
            QFAIL("no error");
        } catch (const BrowserError &e) {
            QCOMPARE(
                e.description(),
                QStringLiteral(
                    "이 게시물에서 댓글을 찾지 못했습니다. 댓글이 없는 게시물이거나, 댓글 목록이 보이지 않는 화면입니다."));
        }
        m_site->setApiMoved(false);
    }

    // A later page that fails keeps what was read, marked incomplete.
    void laterPageFails()
    {
        resetSite();
        m_site->setFailingPagesFrom(45);
        QVERIFY(m_h->open(InstagramFixture::postUrl(kBig)));
        const ScanResult r = m_h->scan();
        m_site->setFailingPagesFrom(-1);
        const QList<IgComment> threads = m_site->ordered(post(kBig)).mid(0, 45);
        int expected = 0;
        for (const IgComment &t : threads)
            expected += 1 + int(m_site->repliesOf(post(kBig), t.id).size());
        QCOMPARE(r.items.size(), expected);
        QVERIFY(!r.complete);
        QCOMPARE(koreanText(r.partial), kPartialData);
        QCOMPARE(r.total, qint64(m_site->visible(post(kBig)).size()));
    }

    // Requests the site never answers, or answers with something other than its data: what was
    // read is kept and the answer says why it is partial; a stop ends the collection at once,
    // also while a request hangs.
    void siteFailsOrStalls_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("threadsFrom");
        QTest::addColumn<int>("how");
        QTest::addColumn<bool>("replies");
        QTest::addColumn<bool>("stop");
        QTest::addColumn<int>("callLimitMs");   // the scan call's own limit; 0: the app's
        QTest::newRow("a later page is an error page with 200")
            << kBig << 45 << int(SiteFailure::ErrorPage) << false << false << 0;
        QTest::newRow("a later page never answers") << kBig << 45 << int(SiteFailure::Hang) << false << false << 0;
        QTest::newRow("stop while a page never answers") << kBig << 45 << int(SiteFailure::Hang) << false << true << 0;
        QTest::newRow("reply pages answer 500") << kPost << -1 << int(SiteFailure::ServerError) << true << false << 0;
        // About ninety threads wait on replies that never come: the scan waits once in all, not
        // once per thread, and answers within its call's limit.
        QTest::newRow("reply pages never answer") << kBig << -1 << int(SiteFailure::Hang) << true << false << 30000;
    }

    void siteFailsOrStalls()
    {
        QFETCH(QString, code);
        QFETCH(int, threadsFrom);
        QFETCH(int, how);
        QFETCH(bool, replies);
        QFETCH(bool, stop);
        QFETCH(int, callLimitMs);
        resetSite();
        if (callLimitMs)
            m_h->engine.longCallScale = double(callLimitMs) / SpamEngine::scanTimeoutMs(0);
        const auto restore = qScopeGuard([this] { m_h->engine.longCallScale = 1.0; });
        if (replies)
            m_site->setFailingReplies(SiteFailure(how));
        else
            m_site->setFailingPagesFrom(threadsFrom, SiteFailure(how));
        QVERIFY(m_h->open(InstagramFixture::postUrl(code)));
        const QList<IgComment> threads = m_site->ordered(post(code));
        int expected = 0;
        for (const IgComment &t : threads.mid(0, threadsFrom < 0 ? threads.size() : threadsFrom)) {
            const int shown = int(m_site->repliesOf(post(code), t.id).size());
            // Failing reply pages leave the replies that came with the thread.
            expected += 1 + (replies ? std::min(shown, 1) : shown);
        }
        bool asked = false;
        const ScanResult r = m_h->scanPolling([this] { return m_h->engine.scan(0, false, false, 1, std::nullopt); },
                                              nullptr,
                                              [&](const ScanProgress &p) {
            if (stop && !asked && p.phase == QLatin1String("collect") && p.count >= expected) {
                m_h->engine.stop();
                asked = true;
            }
        });
        m_site->setFailingPagesFrom(-1);
        m_site->setFailingReplies(SiteFailure::None);
        QCOMPARE(asked, stop);
        QCOMPARE(r.items.size(), expected);
        QVERIFY(r.items.size() < m_site->visible(post(code)).size());
        QVERIFY(!r.complete.value_or(false));
        QCOMPARE(koreanText(r.partial),
                 QString(stop          ? QStringLiteral("검사를 멈춰 일부만 수집했습니다.")
                             : replies ? QStringLiteral(
                                   "사이트가 답글 일부를 보내지 않아 일부만 수집했습니다. 다시 검사해 주세요.")
                                       : kPartialData));
        QCOMPARE(r.total, qint64(m_site->visible(post(code)).size()));
    }

    // The site asks for a check instead of answering: the scan says so rather than collecting nothing.
    void scanWhenTheSiteAsksForACheck()
    {
        resetSite();
        m_site->setReadsChallenged(true);
        QVERIFY(m_h->open(InstagramFixture::postUrl(kPost)));
        try {
            LanguageScope korean(true);
            m_h->scan();
            QFAIL("no error");
        } catch (const BrowserError &e) {
            QCOMPARE(e.description(),
                     QStringLiteral("삭제하려면 사이트에 로그인한 뒤 내 댓글 화면에서 다시 검사해 주세요."));
        }
        m_site->setReadsChallenged(false);
    }

    // Deletes only the chosen comments, wherever they are in the list, and reports them as it
    // goes; also when the post is shown as a dialog over the profile grid.
    void removeChosen_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("inDialog");
        QTest::newRow("post page") << 7 << false;
        QTest::newRow("post opened from the grid") << 9 << true;
    }
    void removeChosen()
    {
        QFETCH(int, number);
        QFETCH(bool, inDialog);
        resetSite();
        const QString code = InstagramFixture::makeCode(quint64(number));
        IgPost p{code,
                 false,
                 QStringLiteral("삭제 테스트"),
                 QStringLiteral("owner"),
                 m_now,
                 false,
                 InstagramFixture::bulk(60, quint32(number), m_now, m_mixed)};
        p.inDialog = inDialog;
        m_site->addPost(p);
        QVERIFY(m_h->open(InstagramFixture::postUrl(code)));
        const ScanResult r = m_h->scan();
        QStringList chosen;
        for (const Comment &c : r.items)
            if (c.state == QLatin1String("spam") && chosen.size() < 3)
                chosen << c.id;
        // A spam reply and a spam thread far down the list (beyond the first page).
        QHash<QString, QString> parentOf;
        for (const IgComment &c : post(code).comments)
            parentOf.insert(c.id, c.parent);
        for (const Comment &c : r.items)
            if (!parentOf.value(c.id).isEmpty() && c.state == QLatin1String("spam") && !chosen.contains(c.id)) {
                chosen << c.id;
                break;
            }
        for (int i = r.items.size() - 1; i >= 0; --i)
            if (parentOf.value(r.items.at(i).id).isEmpty() && r.items.at(i).state == QLatin1String("spam")) {
                chosen << r.items.at(i).id;
                break;
            }
        QCOMPARE(chosen.size(), 5);
        const QList<IgComment> untouched = [&] {
            QList<IgComment> l;
            for (const IgComment &c : m_site->visible(post(code)))
                if (!chosen.contains(c.id) && !chosen.contains(c.parent))
                    l << c;
            return l;
        }();

        auto task = m_h->engine.remove(chosen, InstagramFixture::postUrl(code).toString());
        bool done = false;
        std::optional<RemoveResult> result;
        auto body = [&]() -> QCoro::Task<void> {
            result = co_await std::move(task);
            done = true;
        };
        auto driver = body();
        bool partial = false;
        QElapsedTimer clock;
        clock.start();
        while (!done && clock.elapsed() < 120000) {
            if (auto p = await(m_h->engine.progress()))
                if (p->phase == QLatin1String("delete") && p->gone) {
                    for (const QString &g : *p->gone)
                        QVERIFY(chosen.contains(g));
                    partial = partial || (!p->gone->isEmpty() && p->gone->size() < chosen.size());
                }
            QTest::qWait(50);
        }
        QVERIFY(done);
        QVERIFY2(!result->stopped, qPrintable(result->stopped ? result->stopped->text : QString()));
        QCOMPARE(QSet<QString>(result->gone.begin(), result->gone.end()), QSet<QString>(chosen.begin(), chosen.end()));
        QVERIFY(partial);
        QCOMPARE(m_site->deleteRequests(), chosen.size());
        for (const IgComment &c : untouched)
            QVERIFY(!m_site->deleted(code).contains(c.id));
        // A new scan finds exactly the rest.
        const ScanResult after = m_h->scan();
        QCOMPARE(after.items.size(), untouched.size());
    }

    // Far down a long post the page has not loaded: the chosen comments go by the site's own
    // Delete request (the one the comment options send), and the page loads no more of the list
    // or of any replies for them; what the site answers stops the deletion as on the page.
    void removeFarDownALongPost_data()
    {
        QTest::addColumn<quint64>("number");
        QTest::addColumn<int>("viewer");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<QString>("text");   // empty: deleted
        QTest::addColumn<QString>("kind");
        const int owner = int(InstagramFixture::Viewer::Owner);
        QTest::newRow("a thread and a reply") << quint64(8) << owner << false << QString() << QString();
        QTest::newRow("the site refuses")
            << quint64(10) << owner << true << "삭제를 눌렀지만 댓글이 사라지지 않아 중단했습니다."
            << "error";
        QTest::newRow("the site asks for a check")
            << quint64(11) << int(InstagramFixture::Viewer::StaleSession) << false
            << "삭제하려면 사이트에 로그인한 뒤 내 댓글 화면에서 다시 검사해 주세요."
            << "blocked";
    }
    void removeFarDownALongPost()
    {
        QFETCH(quint64, number);
        QFETCH(int, viewer);
        QFETCH(bool, refuse);
        QFETCH(QString, text);
        QFETCH(QString, kind);
        resetSite(InstagramFixture::Viewer(viewer));
        const QString code = InstagramFixture::makeCode(number);
        m_site->addPost({code, false, QStringLiteral("긴 게시물"), QStringLiteral("owner"), m_now, refuse,
                         InstagramFixture::bulk(600, 21, m_now, m_mixed)});
        QVERIFY(m_h->open(InstagramFixture::postUrl(code)));
        const ScanResult r = m_h->scan();
        QHash<QString, QString> parentOf;
        for (const IgComment &c : post(code).comments)
            parentOf.insert(c.id, c.parent);
        QStringList chosen;
        for (int i = r.items.size() - 1; i >= 0 && chosen.size() < 2; --i) {
            const Comment &c = r.items.at(i);
            const bool reply = !parentOf.value(c.id).isEmpty();
            if ((chosen.isEmpty() && !reply) || (chosen.size() == 1 && reply))
                chosen << c.id;
        }
        QCOMPARE(chosen.size(), 2);
        // Pages of threads and of replies, whoever asks for them.
        const auto listPages = [] {
            int n = 0;
            for (const HttpRequest &q : FixtureSite::shared()->requests(QStringLiteral("www.instagram.com")))
                n += q.path.startsWith(QLatin1String("/api/v1/media/"))
                    && (q.path.endsWith(QLatin1String("/comments/"))
                        || q.path.endsWith(QLatin1String("/child_comments/")));
            return n;
        };
        const int before = listPages();
        const RemoveResult out = await(m_h->engine.remove(chosen, InstagramFixture::postUrl(code).toString()), 120000);
        QCOMPARE(listPages() - before, 0);
        if (text.isEmpty()) {
            QVERIFY2(!out.stopped, qPrintable(out.stopped ? out.stopped->text : QString()));
            QCOMPARE(QSet<QString>(out.gone.begin(), out.gone.end()), QSet<QString>(chosen.begin(), chosen.end()));
            QCOMPARE(m_site->deleteRequests(), 2);
        } else {
            QVERIFY(out.gone.isEmpty());
            QVERIFY(out.stopped);
            QCOMPARE(koreanText(out.stopped->text), text);
            QCOMPARE(out.stopped->kind, kind);
            QCOMPARE(m_site->deleteRequests(), 1);
            QVERIFY(m_site->deleted(code).isEmpty());
        }
    }

    void removeStops_data()
    {
        QTest::addColumn<int>("viewer");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kind");
        const int owner = int(InstagramFixture::Viewer::Owner);
        QTest::newRow("the site refuses")
            << owner << kRefuse << QString() << "삭제를 눌렀지만 댓글이 사라지지 않아 중단했습니다."
            << "error";
        QTest::newRow("someone else's post")
            << owner << kFriends << QString()
            << "메뉴에 삭제가 없어 중단했습니다. 내 게시물의 댓글만 삭제할 수 있습니다."
            << "error";
        QTest::newRow("the site asks for a check")
            << int(InstagramFixture::Viewer::StaleSession) << kPost << QString()
            << "삭제하려면 사이트에 로그인한 뒤 내 댓글 화면에서 다시 검사해 주세요."
            << "blocked";
        QTest::newRow("signed out") << int(InstagramFixture::Viewer::SignedOut) << kPost << QString()
                                    << "삭제하려면 사이트에 로그인한 뒤 내 댓글 화면에서 다시 검사해 주세요."
                                    << "blocked";
        QTest::newRow("another post") << owner << kPost << InstagramFixture::postUrl(kReel, true).toString()
                                      << "댓글 페이지가 바뀌었습니다. 다시 검사해 주세요."
                                      << "error";
    }
    void removeStops()
    {
        QFETCH(int, viewer);
        QFETCH(QString, code);
        QFETCH(QString, url);
        QFETCH(QString, text);
        QFETCH(QString, kind);
        resetSite(InstagramFixture::Viewer(viewer));
        QVERIFY(m_h->open(InstagramFixture::postUrl(code)));
        const ScanResult r = m_h->scan();
        QVERIFY(r.items.size() > 5);
        QStringList chosen;
        for (const Comment &c : r.items)
            if (c.authorName != QLatin1String("owner") && chosen.size() < 2)
                chosen << c.id;
        const RemoveResult out =
            await(m_h->engine.remove(chosen, url.isEmpty() ? InstagramFixture::postUrl(code).toString() : url), 60000);
        QVERIFY(out.gone.isEmpty());
        QVERIFY(out.stopped);
        QCOMPARE(koreanText(out.stopped->text), text);
        QCOMPARE(out.stopped->kind, kind);
        QVERIFY(m_site->deleted(code).isEmpty());
        QVERIFY(isSiteMessage(out.stopped->text));
    }

    void flagAndReveal()
    {
        resetSite();
        QVERIFY(m_h->open(InstagramFixture::postUrl(kPost)));
        const ScanResult r = m_h->scan();
        QWebEnginePage *page = m_h->browser.currentTab()->page();
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(page, "document.querySelectorAll('[data-fixture-thread]').length").toInt()
                                     > 5,
                                 10000);
        const QString first = r.items.at(3).id;
        await(m_h->engine.flag({first}, InstagramFixture::postUrl(kPost).toString()));
        QCOMPARE(evaluate(page, "document.querySelectorAll('[data-vtx-flag]').length").toInt(), 1);
        QVERIFY(evaluate(page, "document.querySelector('[data-vtx-flag] a[href*=\"/c/" + first + "/\"]') !== null")
                    .toBool());
        // Another post's address marks nothing but still answers.
        await(m_h->engine.flag({first}, InstagramFixture::postUrl(kReel, true).toString()));
        m_h->engine.reveal(r.items.last().id);
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(page, "document.querySelectorAll('[data-fixture-thread]').length").toInt()
                                     >= m_site->ordered(post(kPost)).size(),
                                 15000);
    }
};

VT_WEB_TEST_MAIN(InstagramTest)
#include "tst_instagram.moc"
