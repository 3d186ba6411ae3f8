// The scan of one post end to end: the real browser on the fixture sites, the page scripts, the
// spam model, the history database and the service client against the stand-in service.
// Runs in the language VT_LANG gives (English unless set; CTest runs it in Korean as well).
#include "Await.h"
#include "BridgeHarness.h"
#include "FakeService.h"
#include "InstagramFixture.h"
#include "ModelRig.h"
#include "StatusTexts.h"
#include "TestMain.h"
#include "YouTubeFixture.h"

#include "Base/Alerts.h"
#include "Base/AppSettings.h"
#include "Base/Lang.h"
#include "Rules/AIRules.h"
#include "Scan/AIPass.h"
#include "Scan/SpamModel.h"
#include "Service/VeltraneAccount.h"
#include "Store/ScanStore.h"

#include <QApplication>
#include <QCoro/QCoroTimer>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <chrono>
#include <memory>

using namespace vt::test;
using namespace std::chrono_literals;

namespace {

const QString kPost = QStringLiteral("vScan300a01");   // 300 comments
const QString kLong = QStringLiteral("vScanLong01");   // thousands, for stopping and page changes
const QString kOther = QStringLiteral("vScanOther1");
const QString kIgCode = InstagramFixture::makeCode(71);

bool korean()
{
    return Lang::system();
}

struct Expected {
    QString text;
    QString expect;   // the page rules' reason, empty when the page leaves it ok
    bool owner = false;
};

// The canonical address under which the store files the post at url.
QString postKey(const QString &url)
{
    const std::optional<ScanStore::PostKey> key = ScanStore::canonical(url);
    return key ? key->url : QString();
}

double aiProbability(const QString &text)
{
    const QJsonObject s = FakeService::score(text, AIRules::kinds()).toObject();
    return std::min(1.0,
                    s.value(QStringLiteral("spam")).toDouble() + s.value(QStringLiteral("abuse")).toDouble()
                        + s.value(QStringLiteral("sexual")).toDouble());
}

}   // namespace

class ScanTest : public QObject {
    Q_OBJECT
    YouTubeFixture *m_yt = nullptr;
    InstagramFixture *m_ig = nullptr;
    FakeService *m_service = nullptr;
    BridgeHarness *m_h = nullptr;
    QHash<QString, Expected> m_expected;   // every fixture comment by id

    bool openPost(Rig &rig, const QUrl &url)
    {
        if (!m_h->open(url))
            return false;
        return QTest::qWaitFor(
            [&] {
            return rig.model->openPage().info() && rig.model->openPage().info()->supported
                && !rig.model->jobs().working();
            },
            30000);
    }

    // The verdicts the fixture predicts: the page rules' reasons, then the stand-in service's
    // scores against the threshold for every comment the page left undecided.
    void checkVerdicts(const QList<Comment> &got, int *aiFound, int *aiAsked)
    {
        *aiFound = 0;
        *aiAsked = 0;
        for (const Comment &c : got) {
            QVERIFY2(m_expected.contains(c.id), qPrintable(c.id));
            const Expected &e = m_expected.value(c.id);
            if (!e.expect.isEmpty()) {
                QVERIFY2(c.state == QLatin1String("spam"), qPrintable(c.text + " -> " + c.state + " " + c.reason));
                continue;
            }
            if (c.state == QLatin1String("skip")) {
                QVERIFY2(!c.aiProb, qPrintable(c.text));
                continue;
            }
            QVERIFY2(c.aiProb.has_value(), qPrintable(c.text + " -> " + c.state + " " + c.reason));
            ++*aiAsked;
            const bool flagged = aiProbability(c.text) >= 0.8;
            *aiFound += flagged ? 1 : 0;
            QVERIFY2(c.state == (flagged ? QLatin1String("spam") : QLatin1String("ok")),
                     qPrintable(c.text + " -> " + c.state + " " + c.reason));
        }
    }

    QString flaggedLine(int flagged, int total) const
    {
        return korean()
            ? QStringLiteral("댓글 %1개 중 %2개 검출. 아닌 것은 체크를 해제하세요.").arg(total).arg(flagged)
            : QStringLiteral("%1 of %2 comments flagged. Untick anything that isn't spam.").arg(flagged).arg(total);
    }
    QString aiSentence(int asked, int found) const
    {
        if (found == 0)
            return korean() ? QStringLiteral(" AI가 %1개를 검사했고 문제 댓글은 없습니다.").arg(asked)
                            : QStringLiteral(" The AI checked %1 and found no problem comments.").arg(asked);
        return korean() ? QStringLiteral(" AI가 %1개를 검사해 %2개를 찾았습니다.").arg(asked).arg(found)
                        : QStringLiteral(" The AI checked %1 and found %2.").arg(asked).arg(found);
    }

    ScanStore::Run lastRun(ScanStore &store, const QString &url)
    {
        const QList<ScanStore::Run> runs = store.runs(url);
        ScanStore::Run newest;
        for (const ScanStore::Run &r : runs)
            if (r.id > newest.id)
                newest = r;
        return newest;
    }

    // Starts a scan without waiting for it; the task is kept until the test ends.
    std::unique_ptr<QCoro::Task<void>> startScan(Rig &rig)
    {
        return std::make_unique<QCoro::Task<void>>(rig.model->scan(true, true));
    }

private slots:
    void initTestCase()
    {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        const QList<YtComment> mixed =
            YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"), now);
        m_yt = new YouTubeFixture(this);
        const QList<YtComment> three = YouTubeFixture::bulk(250, 21, now, mixed).mid(0, 300);
        m_yt->addVideo({kPost, QStringLiteral("Onion curry"), false, false, three});
        m_yt->addVideo(
            {kLong, QStringLiteral("Recipes of a year"), false, false, YouTubeFixture::bulk(1500, 22, now, mixed)});
        m_yt->addVideo({kOther, QStringLiteral("Another video"), false, false, mixed.mid(0, 10)});
        for (const QString &id : {kPost, kLong, kOther})
            for (const YtComment &c : m_yt->video(id)->comments)
                m_expected.insert(c.id, {c.text, c.expect, c.owner});
        m_yt->install(*FixtureSite::shared());

        const QList<IgComment> igMixed =
            InstagramFixture::load(QStringLiteral(VT_FIXTURES_DIR "/instagram/comments-mixed.json"), now);
        m_ig = new InstagramFixture(this);
        IgPost post;
        post.code = kIgCode;
        post.caption = QStringLiteral("Weekend market");
        post.takenAtMs = now - 86400000;
        post.comments = igMixed;
        m_ig->addPost(post);
        for (const IgComment &c : igMixed)
            m_expected.insert(c.id, {c.text, c.expect, false});
        m_ig->install(*FixtureSite::shared());

        m_service = new FakeService(this);
        QVERIFY(m_service->start());
        m_h = new BridgeHarness;
    }
    void cleanupTestCase() { delete m_h; }
    void init()
    {
        // Requests an earlier test abandoned still wait out their delay at the service; counting
        // them would make this test's concurrency look higher than it is.
        QTRY_COMPARE_WITH_TIMEOUT(m_service->inFlight(), 0, 60000);
        m_service->clearFaults();
        m_service->latencyMs = 0;
        m_service->deviceAccounts = true;
        m_service->resetCounters();
        m_yt->setDelayMs(0);
    }

    // A complete scan of each site's post: every comment collected, judged as the fixture
    // predicts, stored with its verdict, the post counted, the status line and the run written.
    void completeScan_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<int>("expectedTotal");
        QTest::newRow("youtube, 300 comments") << YouTubeFixture::watchUrl(kPost) << 300;
        QTest::newRow("instagram post") << InstagramFixture::postUrl(kIgCode)
                                        << int(m_ig->visible(*m_ig->post(kIgCode)).size());
    }
    void completeScan()
    {
        QFETCH(QUrl, url);
        QFETCH(int, expectedTotal);
        Rig rig(*m_h, *m_service, true);
        QVERIFY(openPost(rig, url));
        const ScanStore::PostKey key = *ScanStore::canonical(m_h->browser.address());
        await(rig.model->scan(true, true), 240000);
        SpamModel &m = *rig.model;

        QVERIFY(m.openPage().hasScanned());
        QVERIFY(!m.jobs().scanning());
        QVERIFY(!m.openPage().progress());
        QCOMPARE(m.review().comments().size(), expectedTotal);
        int aiFound = 0, aiAsked = 0;
        checkVerdicts(m.review().comments(), &aiFound, &aiAsked);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(aiAsked > 0);
        const int flagged = int(m.review().spam().size());
        QCOMPARE(m.openPage().scanActivity().stage, ScanActivity::Stage::complete);
        QCOMPARE(m.openPage().scanActivity().aiState, ScanActivity::AIState::complete);
        QCOMPARE(m.openPage().scanActivity().flagged, qint64(flagged));
        QCOMPARE(m.scanReport().lastFacts().value(QStringLiteral("complete")), true);
        const int batches = (aiAsked + AIPass::batchSize - 1) / AIPass::batchSize;
        QCOMPARE(m_service->requestCount(QStringLiteral("api/ai/check")), batches);
        QVERIFY(m_service->maxInFlight() <= AIPass::maxInFlight);

        // The store holds every comment with the verdict shown.
        QHash<QString, QString> stored;
        for (const ScanStore::Record &r : rig.store.comments(key.url, 100000))
            stored.insert(r.id, r.state);
        QCOMPARE(stored.size(), expectedTotal);
        for (const Comment &c : m.review().comments())
            QCOMPARE(stored.value(c.id), c.state == QLatin1String("skip") ? stored.value(c.id) : c.state);
        const std::optional<ScanStore::Post> post = rig.store.post(key.url);
        QVERIFY(post);
        QCOMPARE(post->total, expectedTotal);
        QCOMPARE(post->flagged, flagged);
        QVERIFY(post->fullAt);
        QCOMPARE(*post->fullAt, post->scannedAt);
        QCOMPARE(m.catalog().rows().size(), 1);
        QCOMPARE(m.catalog().rows().first().total, expectedTotal);
        QCOMPARE(m.history().stats().comments, expectedTotal);

        // The summary and the run.
        QCOMPARE(m.statusLine().text(), flaggedLine(flagged, expectedTotal) + aiSentence(aiAsked, aiFound));
        QCOMPARE(m.statusLine().kind(), StatusKind::warn);
        const ScanStore::Run run = lastRun(rig.store, key.url);
        QCOMPARE(run.total, expectedTotal);
        QCOMPARE(run.flagged, flagged);
        QCOMPARE(run.added, 0);
        QVERIFY(!run.failed);
        QCOMPARE(run.note, m.scanReport().issue());

        // A rescan of the unchanged post asks the service nothing.
        m_service->resetCounters();
        QVERIFY(openPost(rig, url));
        await(rig.model->scan(false, true), 240000);
        QCOMPARE(m_service->requestCount(QStringLiteral("api/ai/check")), 0);
        QVERIFY(m.openPage().hasScanned());
        QCOMPARE(int(m.review().spam().size()), flagged);
        QCOMPARE(rig.store.post(key.url)->flagged, flagged);
        QCOMPARE(rig.store.post(key.url)->total, expectedTotal);
        QCOMPARE(lastRun(rig.store, key.url).added, 0);
        QCOMPARE(rig.store.runs(key.url).size(), 2);
    }

    // Stop while the page collects: the page's partial answer is judged and kept, but it is not
    // a full collection of the post.
    void stopDuringCollection()
    {
        Rig rig(*m_h, *m_service, true);
        m_yt->setDelayMs(40);
        QVERIFY(openPost(rig, YouTubeFixture::watchUrl(kLong)));
        auto task = startScan(rig);
        QTRY_VERIFY_WITH_TIMEOUT(rig.model->openPage().scanActivity().collected >= 100, 120000);
        rig.model->stopScan();
        QVERIFY(rig.model->openPage().scanActivity().interrupted);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.model->jobs().scanning(), 120000);
        QVERIFY(rig.model->openPage().hasScanned());
        const int total = m_yt->visibleCount(*m_yt->video(kLong));
        QVERIFY(rig.model->review().comments().size() < total);
        const std::optional<ScanStore::Post> post = rig.store.post(postKey(m_h->browser.address()));
        QVERIFY(post);
        QVERIFY(!post->fullAt);
        QCOMPARE(rig.model->scanReport().lastFacts().value(QStringLiteral("complete")), false);
    }

    // Stop during the AI pass: the batches out are applied, no further batch is sent.
    void stopDuringAIPass()
    {
        Rig rig(*m_h, *m_service, true);
        m_service->latencyMs = 400;
        QVERIFY(openPost(rig, YouTubeFixture::watchUrl(kPost)));
        auto task = startScan(rig);
        QTRY_VERIFY_WITH_TIMEOUT(rig.model->jobs().aiChecking(), 120000);
        rig.model->stopScan();
        QVERIFY(rig.model->jobs().stop().ai);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.model->jobs().scanning(), 120000);
        const int answered = int(std::count_if(rig.model->review().comments().begin(),
                                               rig.model->review().comments().end(),
                                               [](const Comment &c) { return c.aiProb.has_value(); }));
        const QString stopped = korean()
            ? QStringLiteral(" AI 검사를 중지했습니다. AI가 확인한 것은 %1개이고 나머지는 규칙 검사 결과입니다.")
                  .arg(answered)
            : QStringLiteral(" AI check stopped. The AI checked %1; the rest are rule results.").arg(answered);
        QVERIFY2(rig.model->statusLine().text().endsWith(stopped), qPrintable(rig.model->statusLine().text()));
        QCOMPARE(rig.model->openPage().scanActivity().aiState, ScanActivity::AIState::partial);
        QVERIFY(m_service->requestCount(QStringLiteral("api/ai/check")) < 14);
        QVERIFY(answered % AIPass::batchSize == 0 && answered > 0);
        QVERIFY(rig.model->openPage().hasScanned());
    }

    // A page that never answers and ignores the stop request is given up on after the grace:
    // the model is free again, nothing of the post is taken as collected.
    void stopAbandonsSilentPage()
    {
        QTemporaryDir scripts;
        for (const char *name : {"bridge", "spam", "time", "pagedata", "youtube", "instagram"}) {
            const QString file = QString::fromLatin1(name) + QStringLiteral(".js");
            QVERIFY(QFile::copy(QStringLiteral(VT_SOURCE_DIR "/Resources/ext/") + file, scripts.filePath(file)));
        }
        {
            QFile bridge(scripts.filePath(QStringLiteral("bridge.js")));
            QVERIFY(bridge.open(QIODevice::Append));
            bridge.write("\n;window.__vtx.scan = function () { return new Promise(function () {}); };\n");
        }
        SpamEngine::setScriptFolder(scripts.path());
        Rig rig(*m_h, *m_service, true);
        rig.model->stopGraceMs = 300;
        QVERIFY(openPost(rig, YouTubeFixture::watchUrl(kPost)));
        const QString post = postKey(m_h->browser.address());
        auto task = startScan(rig);
        QVERIFY(rig.model->jobs().scanning());
        rig.model->stopScan();
        QTRY_VERIFY_WITH_TIMEOUT(!rig.model->jobs().scanning(), 30000);
        SpamEngine::setScriptFolder(QString());
        QVERIFY(!rig.model->openPage().hasScanned());
        QVERIFY(!rig.model->jobs().working());
        QCOMPARE(rig.model->statusLine().kind(), StatusKind::warn);
        QVERIFY(rig.model->review().comments().isEmpty());
        QVERIFY(!rig.store.post(post));
        const QList<ScanStore::Run> runs = rig.store.runs(post);
        QCOMPARE(runs.size(), 1);
        QVERIFY(runs.first().failed);
        QCOMPARE(runs.first().note, rig.model->statusLine().text());
    }

    // The owner opens another page while the page collects, or while the AI check runs: the scan
    // ends without results, status or run.
    void pageChangeMidScan_data()
    {
        QTest::addColumn<bool>("duringAI");
        QTest::newRow("collection") << false;
        QTest::newRow("AI pass") << true;
    }
    void pageChangeMidScan()
    {
        QFETCH(bool, duringAI);
        Rig rig(*m_h, *m_service, true);
        if (duringAI)
            m_service->latencyMs = 5000;   // no answer comes back before the page changes
        else
            m_yt->setDelayMs(40);
        const QUrl url = YouTubeFixture::watchUrl(duringAI ? kPost : kLong);
        QVERIFY(openPost(rig, url));
        const QString post = ScanStore::canonical(m_h->browser.address())->url;
        auto task = startScan(rig);
        if (duringAI)
            QTRY_VERIFY_WITH_TIMEOUT(rig.model->jobs().aiChecking(), 120000);
        else
            QTRY_VERIFY_WITH_TIMEOUT(rig.model->openPage().scanActivity().collected >= 50, 120000);
        m_h->browser.open(YouTubeFixture::watchUrl(kOther).toString());
        QTRY_VERIFY_WITH_TIMEOUT(!rig.model->jobs().scanning(), 60000);
        QVERIFY(!rig.model->openPage().hasScanned());
        QVERIFY(rig.model->review().comments().isEmpty());
        QVERIFY(rig.model->history().runsVersion() == 0);
        QVERIFY(rig.store.runs(post).isEmpty());
        QVERIFY(!rig.model->statusLine().text().contains(QStringLiteral("Scan error")));
        if (duringAI) {
            // Nothing more is sent for the page that left (the four out may still be on their way).
            QVERIFY(m_service->requestCount(QStringLiteral("api/ai/check")) <= AIPass::maxInFlight);
            QVERIFY(!rig.model->jobs().aiChecking());
        }
    }

    // The service fails during the AI pass: the rules' results stand and the closing sentence
    // says why the AI check stopped.
    void serviceFailures_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("code");
        QTest::newRow("service down") << 0 << 0 << QStringLiteral("unreachable");
        QTest::newRow("429 busy") << 1 << 429 << QStringLiteral("busy");
        QTest::newRow("401 signed out") << 2 << 401 << QStringLiteral("signed-out");
    }
    void serviceFailures()
    {
        QFETCH(int, fault);
        QFETCH(int, status);
        QFETCH(QString, code);
        Rig rig(*m_h, *m_service, true);
        QVERIFY(openPost(rig, YouTubeFixture::watchUrl(kPost)));
        const FakeService::Fault f = fault == 0 ? FakeService::Fault::close()
            : fault == 1                        ? FakeService::Fault::tooMany(0)
                                                : FakeService::Fault::withStatus(401, "signed-out");
        m_service->fail(QStringLiteral("api/ai/check"), f, -1);
        await(rig.model->scan(true, true), 240000);
        const QString text = AIRules::message(APIFailure(status, code), korean());
        const QString closing = korean() ? u' ' + text + QStringLiteral(" AI가 확인한 것은 0개입니다.")
                                         : u' ' + text + QStringLiteral(" The AI checked 0.");
        QVERIFY2(rig.model->statusLine().text().endsWith(closing),
                 qPrintable(rig.model->statusLine().text() + " | " + closing));
        QCOMPARE(rig.model->openPage().scanActivity().aiState, ScanActivity::AIState::failed);
        QVERIFY(rig.model->scanReport().issue().contains(text));
        QVERIFY(rig.model->openPage().hasScanned());
        QVERIFY(!rig.model->jobs().aiChecking());
        for (const Comment &c : rig.model->review().comments())
            QVERIFY(!c.aiProb);
        QCOMPARE(rig.store.post(postKey(m_h->browser.address()))->total, 300);
    }

    // Not signed in to the service: the rules' results with the note, and the window is asked
    // to show the account.
    void notSignedIn()
    {
        m_service->deviceAccounts = false;
        Rig rig(*m_h, *m_service, false);
        QVERIFY(openPost(rig, YouTubeFixture::watchUrl(kPost)));
        await(rig.model->scan(true, true), 240000);
        const QString note = korean()
            ? QStringLiteral(
                " AI 검사는 켜져 있지만 로그인되어 있지 않아 건너뛰었습니다. 검사 설정에서 Glimora 계정으로 로그인하세요.")
            : QStringLiteral(
                " The AI check is on but was skipped because you are not signed in. Sign in with your Glimora account in Settings.");
        QVERIFY2(rig.model->statusLine().text().endsWith(note), qPrintable(rig.model->statusLine().text()));
        QCOMPARE(rig.model->accountRequest(), 1);
        QCOMPARE(rig.model->openPage().scanActivity().aiState, ScanActivity::AIState::skipped);
        QCOMPARE(m_service->requestCount(QStringLiteral("api/ai/check")), 0);
    }

    // Authors deleted before are known by their channel or user id: someone else under a deleted
    // author's name is left alone, a deleted author under a new name is flagged.
    void repeatOffendersByAuthorId_data()
    {
        QTest::addColumn<QString>("site");
        QTest::newRow("youtube") << "youtube";
        QTest::newRow("instagram") << "instagram";
    }
    void repeatOffendersByAuthorId()
    {
        QFETCH(QString, site);
        const bool yt = site == QLatin1String("youtube");
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        // Author names and ids as each site gives them: "@handle" and channel, user name and pk.
        const auto name = [yt](const char *n) { return yt ? QLatin1Char('@') + QLatin1String(n) : QLatin1String(n); };
        const auto idOf = [yt](int n) {
            return yt ? QStringLiteral("UCrepeat%1repeatrepeatrepeat").arg(n).left(24)
                      : QStringLiteral("6100000000%1").arg(n);
        };
        const QStringList texts{QStringLiteral("오늘도 잘 보고 갑니다"),
                                QStringLiteral("레시피 감사합니다, 주말에 해볼게요"),
                                QStringLiteral("Looks delicious, thanks for sharing")};
        // On the page: an innocent under a deleted author's name, a deleted author renamed, a stranger.
        const QList<std::pair<QString, QString>> authors{{name("twin"), idOf(2)},
                                                         {name("newname"), idOf(3)},
                                                         {name("stranger"), idOf(4)}};
        QUrl url;
        QStringList pageIds;
        if (yt) {
            quint32 state = 991;
            YtVideo v{QStringLiteral("vRepeatIds1"), QStringLiteral("Repeat"), false, false, {}};
            for (int i = 0; i < authors.size(); ++i) {
                YtComment c;
                c.id = YouTubeFixture::makeId(state);
                c.author = authors.at(i).first;
                c.channelId = authors.at(i).second;
                c.text = texts.at(i);
                c.publishedMs = now - 3600000 * (i + 1);
                v.comments << c;
                pageIds << c.id;
            }
            m_yt->addVideo(v);
            url = YouTubeFixture::watchUrl(v.id);
        } else {
            IgPost post;
            post.code = InstagramFixture::makeCode(72);
            post.caption = QStringLiteral("Repeat");
            post.takenAtMs = now - 86400000;
            for (int i = 0; i < authors.size(); ++i) {
                IgComment c;
                c.id = QStringLiteral("1800000000000000%1").arg(i + 1);
                c.username = authors.at(i).first;
                c.userId = authors.at(i).second;
                c.text = texts.at(i);
                c.publishedMs = now - 3600000 * (i + 1);
                post.comments << c;
                pageIds << c.id;
            }
            m_ig->addPost(post);
            url = InstagramFixture::postUrl(post.code);
        }

        Rig rig(*m_h, *m_service, false, {{QStringLiteral("vt.aiOn"), false}});
        // Deleted before on another post of the site: "twin" of another account, and "oldname",
        // the account now called "newname".
        QList<Comment> old;
        for (const auto &[n, id] : {std::pair{name("twin"), idOf(1)}, std::pair{name("oldname"), idOf(3)}}) {
            Comment c;
            c.id = QStringLiteral("old-") + id;
            c.text = QStringLiteral("spam");
            c.authorName = n;
            c.authorId = id;
            c.state = QStringLiteral("spam");
            old << c;
        }
        const QString elsewhere = yt ? QStringLiteral("https://www.youtube.com/watch?v=vRepeatOld1")
                                     : QStringLiteral("https://www.instagram.com/p/RepeatOld1/");
        QVERIFY(rig.store.remember(site, elsewhere, old, std::nullopt, QDateTime::currentDateTime().addDays(-2)));
        QVERIFY(rig.store.markDeleted(site, {old.at(0).id, old.at(1).id}, QDateTime::currentDateTime().addDays(-1)));

        QVERIFY(openPost(rig, url));
        await(rig.model->scan(true, true), 240000);
        QHash<QString, Comment> got;
        for (const Comment &c : rig.model->review().comments())
            got.insert(c.id, c);
        QCOMPARE(got.size(), 3);
        const Comment twin = got.value(pageIds.at(0)), renamed = got.value(pageIds.at(1)),
                      stranger = got.value(pageIds.at(2));
        QCOMPARE(twin.authorId, std::optional<QString>(idOf(2)));
        QVERIFY2(twin.state != QLatin1String("spam") && !twin.knownSpammer, qPrintable(twin.state + " " + twin.reason));
        QCOMPARE(renamed.state, QStringLiteral("spam"));
        QCOMPARE(renamed.reason, QStringLiteral("repeat:1"));
        QVERIFY(renamed.knownSpammer && renamed.checked);
        QVERIFY2(stranger.state != QLatin1String("spam"), qPrintable(stranger.reason));
        // Stored with their ids: deleting the innocent now makes that account, not the name, known.
        QVERIFY(rig.store.markDeleted(site, {pageIds.at(0)}, QDateTime::currentDateTime()));
        QCOMPARE(rig.store.offenderIds(site, {idOf(1), idOf(2), idOf(4)}),
                 (QHash<QString, int>{{idOf(1), 1}, {idOf(2), 1}}));
    }

    // The consent question: asked once in front, never in the background; a refusal turns the AI
    // check off; the answer is kept even when the page changed while the question was open.
    void consent_data()
    {
        QTest::addColumn<bool>("active");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("leavePage");
        QTest::newRow("agreed") << true << 0 << false;
        QTest::newRow("refused") << true << 1 << false;
        QTest::newRow("in the background") << false << 0 << false;
        QTest::newRow("agreed after the page changed") << true << 0 << true;
    }
    void consent()
    {
        QFETCH(bool, active);
        QFETCH(int, answer);
        QFETCH(bool, leavePage);
        Rig rig(*m_h, *m_service, true);
        rig.settings.remove(QStringLiteral("vt.aiConsent"));
        rig.model = std::make_unique<SpamModel>(&m_h->engine, &m_h->browser, rig.account.get(), &rig.store,
                                                &rig.settings);
        SpamModel *m = rig.model.get();
        m_h->browser.onNavigate = [m] { m->openPage().navigationChanged(); };
        m->setAlerts(&rig.alerts);
        QVERIFY(!m->ownerSettings().aiConsent());
        rig.alerts.active = active;
        rig.alerts.answer = answer;
        QVERIFY(openPost(rig, YouTubeFixture::watchUrl(kPost)));
        if (leavePage) {
            const QUuid asked = m_h->browser.pageID();
            auto opened = std::make_shared<bool>(false);
            rig.alerts.answerWhen = [this, asked, opened] {
                if (!*opened) {
                    *opened = true;
                    m_h->browser.open(YouTubeFixture::watchUrl(kOther).toString());
                }
                return m_h->browser.pageID() != asked;
            };
        }
        await(m->scan(true, true), 240000);
        QCOMPARE(rig.alerts.asked, active ? 1 : 0);
        if (active) {
            QCOMPARE(rig.alerts.last.title,
                     korean() ? QStringLiteral("AI 검사를 사용할까요?") : QStringLiteral("Use the AI check?"));
            QCOMPARE(rig.alerts.last.buttons.size(), 2);
        }
        const int requests = m_service->requestCount(QStringLiteral("api/ai/check"));
        if (!active) {
            QVERIFY(!m->ownerSettings().aiConsent());
            QCOMPARE(requests, 0);
            QVERIFY(m->ownerSettings().aiOn());
            return;
        }
        QCOMPARE(m->ownerSettings().aiConsent(), std::optional<bool>(answer == 0));
        QCOMPARE(rig.settings.value(QStringLiteral("vt.aiConsent")), QVariant(answer == 0));
        QCOMPARE(m->ownerSettings().aiOn(), answer == 0);
        if (leavePage) {
            QVERIFY(!m->openPage().hasScanned());
            QCOMPARE(requests, 0);
            return;
        }
        QCOMPARE(requests > 0, answer == 0);
        // The next scan does not ask again.
        QVERIFY(openPost(rig, YouTubeFixture::watchUrl(kPost)));
        await(m->scan(true, false), 240000);
        QCOMPARE(rig.alerts.asked, 1);
    }

    // The AI pass on its own, over comments laid on the open page: batches of 20, at most four
    // out at once, answers applied as they arrive, one store transaction per batch.
    void aiPass_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>(
            "special");   // "noscore": one text of the first batch gets no score; "nopage": nothing stored
        QTest::addColumn<int>("requests");
        QTest::addColumn<int>("state");
        QTest::newRow("45 comments") << 45 << QString() << 3 << int(ScanActivity::AIState::complete);
        QTest::newRow("120 comments") << 120 << QString() << 6 << int(ScanActivity::AIState::complete);
        QTest::newRow("a score missing") << 20 << QStringLiteral("noscore") << 1 << int(ScanActivity::AIState::partial);
        QTest::newRow("no post key") << 25 << QStringLiteral("nopage") << 2 << int(ScanActivity::AIState::complete);
    }
    void aiPass()
    {
        QFETCH(int, count);
        QFETCH(QString, special);
        QFETCH(int, requests);
        QFETCH(int, state);
        Rig rig(*m_h, *m_service, true);
        QVERIFY(openPost(rig, YouTubeFixture::watchUrl(kOther)));
        // Long enough that the batches sent together are all still waiting when the last one
        // arrives, also on a busy machine.
        m_service->latencyMs = 1500;
        QList<Comment> comments;
        int expectFound = 0;
        for (int i = 0; i < count; ++i) {
            QString text = QStringLiteral("comment number %1").arg(i);
            if (i % 10 == 3) {
                text += QStringLiteral(" casino bonus");
                ++expectFound;
            }
            if (special == QLatin1String("noscore") && i == 7)
                text += QStringLiteral(" [noscore]");
            Comment c;
            c.id = QStringLiteral("Ugz%1AaABAg").arg(i, 16, 10, QLatin1Char('0'));
            c.text = text;
            c.authorName = QStringLiteral("@viewer%1").arg(i);
            c.order = i;
            c.state = QStringLiteral("ok");
            comments.append(c);
        }
        rig.model->review().setComments(comments);
        const std::optional<ScanStore::PostKey> page = special == QLatin1String("nopage")
            ? std::nullopt
            : std::optional<ScanStore::PostKey>(
                ScanStore::PostKey{QStringLiteral("youtube"),
                                   QStringLiteral("https://www.youtube.com/watch?v=") + kOther});
        if (page)
            QVERIFY(rig.store.remember(page->site, page->url, comments, QStringLiteral("rules"),
                                       QDateTime::currentDateTime()));
        QStringList statuses;
        onStatusText(rig.model->statusLine(), this, [&](const QString &text) { statuses << text; });
        const QString note = await(rig.model->aiPass(m_h->browser.pageID(), page, {}, {}), 120000);

        QCOMPARE(m_service->requestCount(QStringLiteral("api/ai/check")), requests);
        QVERIFY(m_service->maxInFlight() <= AIPass::maxInFlight);
        if (requests >= AIPass::maxInFlight)
            QCOMPARE(m_service->maxInFlight(), AIPass::maxInFlight);
        QCOMPARE(int(rig.model->openPage().scanActivity().aiState), state);
        QVERIFY(!rig.model->jobs().aiChecking());
        QVERIFY(rig.model->openPage().scanActivity().inspecting.isEmpty());
        const int answered = count - (special == QLatin1String("noscore") ? 1 : 0);
        QCOMPARE(int(rig.model->review().spam().size()), expectFound);
        const QString expectedNote = korean()
            ? QStringLiteral(" AI가 %1개를 검사해 %2개를 찾았습니다.").arg(answered).arg(expectFound)
            : QStringLiteral(" The AI checked %1 and found %2.").arg(answered).arg(expectFound);
        QCOMPARE(note, expectedNote);
        // One status line per finished batch, counting up to all of them.
        QCOMPARE(statuses.size(), requests + 1);
        QVERIFY(statuses.first().endsWith(QStringLiteral("0/%1").arg(count)));
        QVERIFY(statuses.last().contains(QStringLiteral("%1/%1").arg(count)));
        // Stored per answer only with a post key.
        int stored = 0;
        if (page) {
            QStringList ids;
            for (const Comment &c : comments)
                ids << c.id;
            for (const ScanStore::Known &k : rig.store.known(page->site, ids))
                stored += k.score ? 1 : 0;
            QCOMPARE(stored, answered);
        }
    }

    // A service that does not answer a Stop is given up on after the grace.
    void stopAbandonsSilentService()
    {
        Rig rig(*m_h, *m_service, true);
        rig.model->stopGraceMs = 300;
        QVERIFY(openPost(rig, YouTubeFixture::watchUrl(kPost)));
        m_service->latencyMs = 15000;
        auto task = startScan(rig);
        QTRY_VERIFY_WITH_TIMEOUT(rig.model->jobs().aiChecking(), 120000);
        rig.model->stopScan();
        QTRY_VERIFY_WITH_TIMEOUT(!rig.model->jobs().scanning(), 30000);
        QVERIFY(rig.model->openPage().hasScanned());
        const QString stopped = korean()
            ? QStringLiteral(" AI 검사를 중지했습니다. AI가 확인한 것은 0개이고 나머지는 규칙 검사 결과입니다.")
            : QStringLiteral(" AI check stopped. The AI checked 0; the rest are rule results.");
        QVERIFY2(rig.model->statusLine().text().endsWith(stopped), qPrintable(rig.model->statusLine().text()));
        QCOMPARE(m_service->requestCount(QStringLiteral("api/ai/check")), AIPass::maxInFlight);
        m_service->latencyMs = 0;
    }

    // With scan on open, a post the owner opens is scanned two seconds after it opened; one
    // chosen in the post list is not.
    void scanOnOpen_data()
    {
        QTest::addColumn<bool>("fromPostList");
        QTest::newRow("opened in the browser") << false;
        QTest::newRow("chosen in the post list") << true;
    }
    void scanOnOpen()
    {
        QFETCH(bool, fromPostList);
        Rig rig(*m_h, *m_service, true, {{QStringLiteral("vt.scanOnOpen"), true}});
        SpamModel &m = *rig.model;
        const QUrl url = YouTubeFixture::watchUrl(fromPostList ? kOther : kPost);
        const QString intro = korean()
            ? QStringLiteral("스팸 검사를 누르면 이 영상의 댓글을 불러와 검사합니다. 로그인하지 않아도 됩니다.")
            : QStringLiteral("Press Scan for spam to load and check this video's comments. No sign-in needed.");
        m.openPage().setSelectingPosts(true);
        if (fromPostList)
            m.openPage().setOpenedFromPostList(postKey(url.toString()));
        QElapsedTimer clock;
        QVERIFY(m_h->open(url));
        clock.start();
        if (fromPostList) {
            QTRY_VERIFY_WITH_TIMEOUT(m.openPage().info() && m.openPage().info()->supported, 30000);
            QCOMPARE(m.statusLine().text(), intro);
            QVERIFY(!m.jobs().preparing());
            QVERIFY(!m.jobs().scanning());
            return;
        }
        const QString loading = korean() ? QStringLiteral("댓글을 불러오는 중…") : QStringLiteral("Loading comments…");
        QTRY_VERIFY_WITH_TIMEOUT(m.jobs().preparing(), 30000);
        QCOMPARE(m.statusLine().text(), loading);
        const qint64 prepared = clock.elapsed();
        QTRY_VERIFY_WITH_TIMEOUT(m.jobs().scanning(), 30000);
        QVERIFY2(clock.elapsed() - prepared >= 1900, qPrintable(QString::number(clock.elapsed() - prepared)));
        QVERIFY(!m.jobs().preparing());
        QTRY_VERIFY_WITH_TIMEOUT(m.openPage().hasScanned(), 240000);
        QTRY_VERIFY_WITH_TIMEOUT(!m.jobs().scanning(), 60000);
        QCOMPARE(rig.store.runs(postKey(url.toString())).size(), 1);

        // Reloaded, the post keeps its one scan on open: the page offers its introduction.
        QVERIFY(m_h->open(url));
        QTRY_VERIFY_WITH_TIMEOUT(m.openPage().info() && m.openPage().info()->supported && !m.openPage().hasScanned(),
                                 30000);
        QTRY_COMPARE_WITH_TIMEOUT(m.statusLine().text(), intro, 30000);
        QVERIFY(!m.jobs().preparing());
        QVERIFY(!m.jobs().scanning());
    }

    // Opening a post for a run: the load, then the wait for its comments.
    void loadAndWaitForComments_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<bool>("stop");
        QTest::addColumn<bool>("loads");
        QTest::addColumn<bool>("commentsReady");
        QTest::newRow("youtube post") << YouTubeFixture::watchUrl(kOther) << false << true << true;
        QTest::newRow("instagram post") << InstagramFixture::postUrl(kIgCode) << false << true << true;
        QTest::newRow("home page") << FixtureSite::url(QStringLiteral("www.youtube.com")) << false << true << false;
        QTest::newRow("sign-in page") << FixtureSite::url(QStringLiteral("accounts.google.com"),
                                                          QStringLiteral("/ServiceLogin?service=youtube"))
                                      << false << false << false;
        QTest::newRow("stopped") << YouTubeFixture::watchUrl(kOther) << true << false << false;
    }
    void loadAndWaitForComments()
    {
        QFETCH(QUrl, url);
        QFETCH(bool, stop);
        QFETCH(bool, loads);
        QFETCH(bool, commentsReady);
        Rig rig(*m_h, *m_service, true);
        SpamModel &m = *rig.model;
        m.jobs().stop().queue = stop;
        QCOMPARE(await(m.openPage().load(url.toString(), 30), 60000), loads);
        if (!loads)
            return;
        m.openPage().setPageID(std::nullopt);
        m.openPage().setInfo(std::nullopt);
        // A short budget for a page that never becomes a comment page.
        QCOMPARE(await(m.openPage().waitForComments(commentsReady ? 20 : 2), 60000), commentsReady);
        if (commentsReady) {
            QVERIFY(m.openPage().info() && m.openPage().info()->supported);
            QCOMPARE(m.openPage().pageID(), std::optional<QUuid>(m_h->browser.pageID()));
        } else {
            QVERIFY(!m.openPage().pageID());
        }
    }
};

int main(int argc, char *argv[])
{
    isolateUserFolders();
    if (!qEnvironmentVariableIsSet("VT_LANG"))
        qputenv("VT_LANG", "en");
    QApplication app(argc, argv);
    if (!FixtureSite::startShared())
        return 1;
    ScanTest tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_scan.moc"
