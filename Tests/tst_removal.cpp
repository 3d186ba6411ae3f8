// Deletion end to end: the real browser on the fixture sites, the page scripts, the spam model and
// the history database. Deletion on the open post, deletion of stored records post by post, and
// what survives when the application is killed in the middle of a deletion.
// Runs in the language VT_LANG gives (English unless set; CTest runs it in Korean as well).
#include "Await.h"
#include "BridgeHarness.h"
#include "FakeService.h"
#include "InstagramFixture.h"
#include "ModelRig.h"
#include "StatusTexts.h"
#include "StoreTestData.h"
#include "TestMain.h"
#include "YouTubeFixture.h"

#include "Base/Lang.h"
#include "Page/PageCall.h"
#include "Scan/SpamModel.h"
#include "Store/ScanStore.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <csignal>
#include <memory>

#include <sys/types.h>

using namespace vt::test;

namespace {

// Videos, each deleted from once: the site keeps what was deleted.
const QString kPass31 = QStringLiteral("vRmPass31aa");
const QString kPass30 = QStringLiteral("vRmPass30aa");
const QString kOver = QStringLiteral("vRmOverRep1");
const QString kUnder = QStringLiteral("vRmUnder301");
const QString kPoll = QStringLiteral("vRmPoll12aa");
const QString kAsk = QStringLiteral("vRmAsk00001");
const QString kLeave = QStringLiteral("vRmLeave001");
const QString kDenied = QStringLiteral("vRmDenied01");
const QString kStale = QStringLiteral("vRmStale001");
const QString kCheck = QStringLiteral("vRmCheck001");
const QString kStoreA = QStringLiteral("vRmStoreA01");
const QString kStoreB = QStringLiteral("vRmStoreB01");
const QString kStoreC = QStringLiteral("vRmStoreC01");
const QString kOrderA = QStringLiteral("vRmOrderA01");
const QString kOrderB = QStringLiteral("vRmOrderB01");
const QString kFailNext = QStringLiteral("vRmFailNx01");
const QString kMissNext = QStringLiteral("vRmMissNx01");
const QString kGoneNext = QStringLiteral("vRmGoneNx01");
const QString kGoneHere = QStringLiteral("vRmGoneHr01");
const QString kMissing = QStringLiteral("vRmMissing1");   // not on the site
const QString kCutOff = QStringLiteral("vRmCutOff01");    // its page never arrives
const QString kUnmarked = QStringLiteral("vRmUnmark01");
const QString kUnlogged = QStringLiteral("vRmUnlog001");
const QString kStopA = QStringLiteral("vRmStopA001");
const QString kStopB = QStringLiteral("vRmStopB001");
const QString kStopC = QStringLiteral("vRmStopC001");
const QString kBlockA = QStringLiteral("vRmBlockA01");
const QString kBlockB = QStringLiteral("vRmBlockB01");
const QString kKill = QStringLiteral("vRmKill0001");
const QString kKillThreads = QStringLiteral("vRmKillThr1");
const QString kSignInA = QStringLiteral("vRmSignInA1");
const QString kSignInB = QStringLiteral("vRmSignInB1");
const QString kIgRefuse = InstagramFixture::makeCode(81);
const QString kIgStale = InstagramFixture::makeCode(82);

bool korean()
{
    return Lang::system();
}

QString postKey(const QString &url)
{
    const std::optional<ScanStore::PostKey> key = ScanStore::canonical(url);
    return key ? key->url : QString();
}

QString postKey(const QUrl &url)
{
    return postKey(url.toString());
}

QString deletedLine(int n, int deferred)
{
    if (korean())
        return QStringLiteral("%1개를 삭제했습니다.").arg(n)
            + (deferred ? QStringLiteral(" 나머지 %1개는 다음에 이어서 지우세요.").arg(deferred) : QString());
    return QStringLiteral("Deleted %1.").arg(n)
        + (deferred ? QStringLiteral(" Delete the other %1 next time.").arg(deferred) : QString());
}

QString openingLine()
{
    return korean() ? QStringLiteral("게시물을 여는 중…") : QStringLiteral("Opening the post…");
}

// The ids the history holds as deleted for a post.
QSet<QString> deletedIn(ScanStore &store, const QString &post)
{
    QSet<QString> out;
    for (const ScanStore::Record &r : store.comments(post, 100000))
        if (r.deletedAt)
            out.insert(r.id);
    return out;
}

ScanStore::Run newestRun(ScanStore &store, const QString &post, ScanStore::Run::Kind kind)
{
    ScanStore::Run newest;
    for (const ScanStore::Run &r : store.runs(post))
        if (r.kind == kind && r.id > newest.id)
            newest = r;
    return newest;
}

int deleteRuns(ScanStore &store, const QString &post)
{
    int n = 0;
    for (const ScanStore::Run &r : store.runs(post))
        n += r.kind == ScanStore::Run::Kind::Delete ? 1 : 0;
    return n;
}

QCoro::Task<bool> yes(QStringList)
{
    co_return true;
}

}   // namespace

class RemovalTest : public QObject {
    Q_OBJECT
    YouTubeFixture *m_yt = nullptr;
    InstagramFixture *m_ig = nullptr;
    FakeService *m_service = nullptr;
    BridgeHarness *m_h = nullptr;
    QList<YtComment> m_spamBase;
    QList<YtComment> m_okBase;
    qint64 m_now = 0;

    // A video whose page rules flag `spam` comments and leave `ok` ones, mixed in page order.
    void addVideo(const QString &id, int spam, int ok)
    {
        quint32 state = qHash(id) | 1u;
        QList<YtComment> comments;
        int s = 0, o = 0;
        for (int i = 0; s < spam || o < ok; ++i) {
            const bool isSpam = s < spam && (o >= ok || i % 3 != 2);
            YtComment c = isSpam ? m_spamBase.at(s % m_spamBase.size()) : m_okBase.at(o % m_okBase.size());
            (isSpam ? s : o) += 1;
            c.id = YouTubeFixture::makeId(state);
            c.parent.clear();
            c.owner = false;
            c.pinned = false;
            c.likes = isSpam ? 0 : 3;
            c.publishedMs = m_now - qint64(i + 1) * 60000;
            c.text += QStringLiteral(" #%1").arg(i + 1);
            comments.append(c);
        }
        m_yt->addVideo({id, QStringLiteral("Video ") + id, false, false, comments});
    }

    // A video of flagged threads with `replies` ordinary replies each, and one ordinary thread;
    // the replies' texts are plain and differ from each other, so that no rule flags them.
    void addThreadVideo(const QString &id, int threads, int replies)
    {
        quint32 state = qHash(id) | 1u;
        QList<YtComment> comments;
        qint64 at = m_now;
        for (int i = 0; i <= threads; ++i) {
            YtComment top = i < threads ? m_spamBase.at(i % m_spamBase.size()) : m_okBase.constLast();
            top.id = YouTubeFixture::makeId(state);
            top.parent.clear();
            top.owner = top.pinned = false;
            top.likes = i < threads ? 0 : 3;
            top.publishedMs = (at -= 60000);
            top.text += QStringLiteral(" #%1").arg(i + 1);
            comments.append(top);
            for (int r = 0; r < replies; ++r) {
                static const QStringList plain{
                    QStringLiteral("Made this on Sunday and my kids loved it"),
                    QStringLiteral("What pan size did you use for the second step?"),
                    QStringLiteral("The music in the background is lovely"),
                    QStringLiteral("Could you show the sauce a bit closer next time"),
                    QStringLiteral("Greetings from Busan, watching every week"),
                    QStringLiteral("I added some garlic and it was great"),
                };
                YtComment reply = m_okBase.at(0);
                reply.text = plain.at((i * replies + r) % plain.size());
                reply.id = YouTubeFixture::makeId(state, top.id);
                reply.parent = top.id;
                reply.owner = reply.pinned = false;
                reply.likes = 1;
                reply.publishedMs = (at -= 60000);
                reply.text += QStringLiteral(" (reply %1.%2)").arg(i + 1).arg(r + 1);
                comments.append(reply);
            }
        }
        m_yt->addVideo({id, QStringLiteral("Video ") + id, false, false, comments});
    }

    Rig *rig() { return new Rig(*m_h, *m_service, false, {{QStringLiteral("vt.aiOn"), false}}); }

    // Opens a post and scans it as the owner would; the flagged comments in page order.
    QStringList scanPost(Rig &rig, const QUrl &url)
    {
        SpamModel &m = *rig.model;
        if (!m_h->open(url))
            return {};
        if (!QTest::qWaitFor(
                [&] { return m.openPage().info() && m.openPage().info()->supported && !m.jobs().working(); }, 60000))
            return {};
        await(m.scan(true, true), 240000);
        QStringList spam;
        for (const Comment &c : m.review().comments())
            if (c.state == QLatin1String("spam"))
                spam.append(c.id);
        return spam;
    }

    // Ticks exactly the first `n` flagged comments.
    QStringList tick(SpamModel &m, int n)
    {
        QList<Comment> list = m.review().comments();
        QStringList ticked;
        for (Comment &c : list) {
            if (c.state != QLatin1String("spam"))
                continue;
            c.checked = ticked.size() < n;
            if (c.checked)
                ticked.append(c.id);
        }
        m.review().setComments(list);
        return ticked;
    }

    // The stored spam records of a post, in page order.
    QList<ScanStore::Record> storedPicks(ScanStore &store, const QUrl &url, const QStringList &order)
    {
        QHash<QString, ScanStore::Record> byId;
        for (const ScanStore::Record &r : store.pending(postKey(url)))
            byId.insert(r.id, r);
        QList<ScanStore::Record> out;
        for (const QString &id : order)
            if (byId.contains(id))
                out.append(byId.value(id));
        return out;
    }

    // Runs a script in the page's comment-script world.
    bool inScriptWorld(const QString &source)
    {
        const PageCall::Answer a = await(
            PageCall::run(m_h->browser.currentTab()->page(), QStringLiteral("vtx"), source));
        return a.text.value_or(QString()) == QLatin1String("true");
    }

private slots:
    void initTestCase()
    {
        m_now = QDateTime::currentMSecsSinceEpoch();
        const QList<YtComment> mixed =
            YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"), m_now);
        // Texts the page rules decide by themselves, whoever writes them and wherever they stand.
        const QStringList ruled = {"testimonial", "contact", "invest",        "gambling", "loan",
                                   "sidejob",     "adult",   "impersonation", "promo",    "link"};
        for (const YtComment &c : mixed) {
            if (!c.parent.isEmpty() || c.owner)
                continue;
            if (ruled.contains(c.expect))
                m_spamBase.append(c);
            else if (c.expect.isEmpty())
                m_okBase.append(c);
        }
        QVERIFY(m_spamBase.size() >= 10 && m_okBase.size() >= 5);

        m_yt = new YouTubeFixture(this);
        addVideo(kPass31, 31, 5);
        addVideo(kPass30, 30, 5);
        addVideo(kOver, 6, 3);
        addVideo(kUnder, 30, 2);
        addVideo(kPoll, 12, 2);
        addVideo(kAsk, 3, 2);
        addVideo(kStale, 2, 2);
        addVideo(kCheck, 2, 2);
        for (const QString &id : {kStoreA, kStoreB, kStoreC})
            addVideo(id, 15, 3);
        for (const QString &id :
             {kOrderA, kOrderB, kFailNext, kMissNext, kGoneNext, kGoneHere, kStopA, kStopB, kStopC, kBlockB})
            addVideo(id, 2, 2);
        addVideo(kBlockA, 4, 2);
        addVideo(kSignInA, 2, 2);
        addVideo(kSignInB, 2, 2);
        addVideo(kKill, 8, 2);
        addThreadVideo(kKillThreads, 4, 1);
        addVideo(kLeave, 4, 2);
        addVideo(kDenied, 2, 2);
        addVideo(kCutOff, 2, 2);
        addVideo(kUnmarked, 4, 2);
        addVideo(kUnlogged, 4, 2);
        m_yt->video(kCutOff)->unreachable = true;
        m_yt->install(*FixtureSite::shared());

        const QList<IgComment> igMixed =
            InstagramFixture::load(QStringLiteral(VT_FIXTURES_DIR "/instagram/comments-mixed.json"), m_now);
        m_ig = new InstagramFixture(this);
        IgPost refuse;
        refuse.code = kIgRefuse;
        refuse.caption = QStringLiteral("Market day");
        refuse.takenAtMs = m_now - 86400000;
        refuse.comments = igMixed;
        refuse.refuseDelete = true;
        m_ig->addPost(refuse);
        IgPost stale = refuse;
        stale.code = kIgStale;
        stale.refuseDelete = false;
        stale.comments = InstagramFixture::bulk(20, 82, m_now, igMixed);
        m_ig->addPost(stale);
        m_ig->install(*FixtureSite::shared());

        m_service = new FakeService(this);
        QVERIFY(m_service->start());
        m_h = new BridgeHarness;
    }
    void cleanupTestCase() { delete m_h; }
    void init()
    {
        m_yt->setViewer(YouTubeFixture::Viewer::Owner);
        m_yt->holdActionsAfter(-1);
        m_ig->setViewer(InstagramFixture::Viewer::Owner);
    }

    // Passes of at most 30: the owner is asked for the 30, exactly those are deleted on the site,
    // taken out of the list and recorded with the run; the rest stays ticked for next time.
    void passes_data()
    {
        QTest::addColumn<QString>("video");
        QTest::addColumn<int>("ticked");
        QTest::newRow("31 ticked") << kPass31 << 31;
        QTest::newRow("exactly 30") << kPass30 << 30;
    }
    void passes()
    {
        QFETCH(QString, video);
        QFETCH(int, ticked);
        std::unique_ptr<Rig> r(rig());
        SpamModel &m = *r->model;
        r->alerts.answer = 1;
        const QUrl url = YouTubeFixture::watchUrl(video);
        QVERIFY(scanPost(*r, url).size() >= ticked);
        const QString post = postKey(url);
        const QStringList ids = tick(m, ticked);
        const QStringList asked = ids.mid(0, 30);

        await(m.removalJob().removeSelected(), 240000);
        QCOMPARE(r->alerts.asked, 1);
        QCOMPARE(r->alerts.last.title,
                 korean() ? QStringLiteral("댓글 30개를 삭제합니다") : QStringLiteral("Delete 30 comments"));
        QCOMPARE(r->alerts.last.buttons,
                 korean() ? QStringList({"취소", "30개 삭제"}) : QStringList({"Cancel", "Delete 30"}));
        QCOMPARE(m.statusLine().text(), deletedLine(30, ticked - 30));
        QCOMPARE(m.statusLine().kind(), StatusKind::ok);
        QCOMPARE(m.removalJob().lastCount(), 30);
        QVERIFY(!m.jobs().busy());
        QVERIFY(!m.openPage().progress());

        const QSet<QString> expected(asked.begin(), asked.end());
        QCOMPARE(m_yt->deleted(video), expected);
        QCOMPARE(deletedIn(r->store, post), expected);
        QCOMPARE(r->store.post(post)->deleted, 30);
        QCOMPARE(m.catalog().rows().value(0).url, post);
        QCOMPARE(m.catalog().rows().value(0).deleted, 30);
        QCOMPARE(m.removalJob().selectedIds(), ids.mid(30));
        for (const Comment &c : m.review().comments())
            QVERIFY2(!expected.contains(c.id), qPrintable(c.id));

        const ScanStore::Run run = newestRun(r->store, post, ScanStore::Run::Kind::Delete);
        QCOMPARE(run.total, 30);
        QCOMPARE(run.deleted, 30);
        QVERIFY(!run.failed);
        QCOMPARE(run.note, QString());
        QCOMPARE(run.items, 30);
        for (const ScanStore::Record &item : r->store.items(run.id)) {
            QVERIFY(expected.contains(item.id));
            QCOMPARE(item.state, QStringLiteral("spam"));
            QVERIFY2(!item.kind.isEmpty(), qPrintable(item.id));
        }
    }

    // What the page claims is checked against what was asked: extra ids in its answer and in its
    // progress reports are not recorded, and ids it leaves out are reported as remaining.
    void pageAnswers_data()
    {
        QTest::addColumn<QString>("video");
        QTest::addColumn<int>("ticked");
        QTest::addColumn<bool>("overReports");
        QTest::addColumn<int>("deleted");
        QTest::newRow("page claims more than was asked") << kOver << 3 << true << 3;
        QTest::newRow("page deletes 28 of 30") << kUnder << 30 << false << 28;
    }
    void pageAnswers()
    {
        QFETCH(QString, video);
        QFETCH(int, ticked);
        QFETCH(bool, overReports);
        QFETCH(int, deleted);
        std::unique_ptr<Rig> r(rig());
        SpamModel &m = *r->model;
        const QUrl url = YouTubeFixture::watchUrl(video);
        const QStringList spam = scanPost(*r, url);
        QVERIFY(spam.size() >= ticked);
        const QString post = postKey(url);
        const QStringList ids = tick(m, ticked);
        QStringList extra;
        if (overReports) {
            extra = spam.mid(ticked);
            for (const Comment &c : m.review().comments())
                if (c.state != QLatin1String("spam")) {
                    extra.append(c.id);
                    break;
                }
            extra.append(QStringLiteral("UgxNotOnThisPost0000AaABAg"));
        }
        QJsonArray extraJson;
        for (const QString &id : extra)
            extraJson.append(id);
        QVERIFY(inScriptWorld(
            QStringLiteral(
                "const extra = %1, drop = %2;"
                "const remove = window.__vtx.remove, progress = window.__vtxProgress;"
                "window.__vtx.remove = async (ids, url) => {"
                "  const r = await remove(ids.slice(0, ids.length - drop), url);"
                "  return Object.assign({}, r, { gone: r.gone.concat(extra) }); };"
                "window.__vtxProgress = () => { const p = progress(); return p && p.gone ? Object.assign({}, p, { gone: p.gone.concat(extra) }) : p; };"
                "return true;")
                .arg(QString::fromUtf8(QJsonDocument(extraJson).toJson(QJsonDocument::Compact)))
                .arg(ticked - deleted)));

        await(m.removalJob().removeSelected(yes), 240000);
        const QSet<QString> expected(ids.begin(), ids.begin() + deleted);
        QCOMPARE(m_yt->deleted(video), expected);
        QCOMPARE(deletedIn(r->store, post), expected);
        QCOMPARE(m.removalJob().lastCount(), deleted);
        QCOMPARE(r->store.post(post)->deleted, deleted);
        QCOMPARE(m.catalog().rows().value(0).deleted, deleted);
        QSet<QString> listed;
        for (const Comment &c : m.review().comments())
            listed.insert(c.id);
        for (const QString &id : extra.mid(0, extra.size() - 1))
            QVERIFY2(listed.contains(id), qPrintable(id));
        const ScanStore::Run run = newestRun(r->store, post, ScanStore::Run::Kind::Delete);
        QCOMPARE(run.deleted, deleted);
        QCOMPARE(run.total, ticked);
        if (deleted == ticked) {
            QCOMPARE(m.statusLine().text(), deletedLine(deleted, 0));
            QCOMPARE(m.statusLine().kind(), StatusKind::ok);
            QCOMPARE(run.note, QString());
            return;
        }
        const QString text = korean()
            ? QStringLiteral("%1개 삭제 확인, %2개는 아직 남아 있습니다.").arg(deleted).arg(ticked - deleted)
            : QStringLiteral("%1 deleted; %2 still remain.").arg(deleted).arg(ticked - deleted);
        QCOMPARE(m.statusLine().text(), text);
        QCOMPARE(m.statusLine().kind(), StatusKind::warn);
        QCOMPARE(m.scanReport().issue(), text);
        QCOMPARE(run.note, text);
        QVERIFY(!run.failed);
        QCOMPARE(m.removalJob().selectedIds(), ids.mid(deleted));
    }

    // Comments the progress reports name are recorded as they go; the page's answer adds only the
    // rest. Reports for another post, or of ids not asked for, record nothing.
    void recordedWhileDeleting()
    {
        std::unique_ptr<Rig> r(rig());
        SpamModel &m = *r->model;
        const QUrl url = YouTubeFixture::watchUrl(kPoll);
        const QStringList spam = scanPost(*r, url);
        QCOMPARE(spam.size(), 12);
        const QString post = postKey(url);
        const QStringList ids = tick(m, 12);
        QString okId;
        for (const Comment &c : m.review().comments())
            if (c.state != QLatin1String("spam"))
                okId = c.id;
        m_yt->holdActionsAfter(10);
        auto task = std::make_unique<QCoro::Task<void>>(m.removalJob().removeSelected(yes));
        QTRY_COMPARE_WITH_TIMEOUT(m_yt->heldActions(), 1, 120000);
        QTRY_COMPARE_WITH_TIMEOUT(deletedIn(r->store, post).size(), 10, 30000);
        QCOMPARE(r->store.post(post)->deleted, 10);
        const int version = m.history().deletionsVersion();
        m.removalJob().noteDeleted({ids.at(10)}, ScanStore::canonical(YouTubeFixture::watchUrl(kAsk).toString()));
        m.removalJob().noteDeleted({okId, ids.at(11) + QStringLiteral("x")}, ScanStore::canonical(url.toString()));
        QCOMPARE(m.history().deletionsVersion(), version);
        QCOMPARE(deletedIn(r->store, post).size(), 10);
        m_yt->releaseHeld();
        QTRY_VERIFY_WITH_TIMEOUT(!m.jobs().busy(), 120000);

        QCOMPARE(m.statusLine().text(), deletedLine(12, 0));
        QCOMPARE(m.statusLine().kind(), StatusKind::ok);
        QCOMPARE(m.removalJob().lastCount(), 12);
        QCOMPARE(deletedIn(r->store, post), QSet<QString>(ids.begin(), ids.end()));
        QCOMPARE(r->store.post(post)->deleted, 12);
        QCOMPARE(m.catalog().rows().value(0).deleted, 12);
        QCOMPARE(newestRun(r->store, post, ScanStore::Run::Kind::Delete).deleted, 12);
    }

    // The site deleted the comments but the history refuses to take it (as a full disk would): the
    // status line says so with the history's reason, in the warning tone, and the review keeps it;
    // the count stays what the site deleted. The next deletion that lands reads as done again.
    void refusedHistoryWrite_data()
    {
        QTest::addColumn<QString>("video");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("reason");
        QTest::newRow("marking the comments deleted")
            << kUnmarked
            << "CREATE TRIGGER refuse BEFORE UPDATE OF deleted_at ON comments BEGIN SELECT RAISE(ABORT, 'no room for the marks'); END"
            << "no room for the marks";
        QTest::newRow("the deletion's run")
            << kUnlogged
            << "CREATE TRIGGER refuse BEFORE INSERT ON runs BEGIN SELECT RAISE(ABORT, 'no room for the run'); END"
            << "no room for the run";
    }
    void refusedHistoryWrite()
    {
        QFETCH(QString, video);
        QFETCH(QString, trigger);
        QFETCH(QString, reason);
        std::unique_ptr<Rig> r(rig());
        SpamModel &m = *r->model;
        const QUrl url = YouTubeFixture::watchUrl(video);
        QCOMPARE(scanPost(*r, url).size(), 4);
        const QStringList ids = tick(m, 3);
        RawDb raw(r->store.path());
        QVERIFY(raw.exec(trigger));
        auto dropped = qScopeGuard([&] { raw.exec("DROP TRIGGER IF EXISTS refuse"); });

        await(m.removalJob().removeSelected(yes), 240000);
        QCOMPARE(m_yt->deleted(video), QSet<QString>(ids.begin(), ids.end()));
        QCOMPARE(m.removalJob().lastCount(), 3);
        QCOMPARE(m.statusLine().kind(), StatusKind::warn);
        const QString unrecorded = korean() ? QStringLiteral("기록에 다 저장되지 않았습니다")
                                            : QStringLiteral("not fully recorded");
        QVERIFY2(m.statusLine().text().startsWith(deletedLine(3, 0)) && m.statusLine().text().contains(unrecorded)
                     && m.statusLine().text().contains(reason),
                 qPrintable(m.statusLine().text()));
        QVERIFY2(m.scanReport().issue().contains(reason), qPrintable(m.scanReport().issue()));
        QVERIFY(!m.removalJob().lastRecorded());
        QVERIFY(m.removalJob().lastUnrecorded().contains(reason));

        QVERIFY(raw.exec("DROP TRIGGER refuse"));
        const QStringList last = tick(m, 1);
        QCOMPARE(last.size(), 1);
        await(m.removalJob().removeSelected(yes), 240000);
        QCOMPARE(m.statusLine().text(), deletedLine(1, 0));
        QCOMPARE(m.statusLine().kind(), StatusKind::ok);
        QVERIFY(m.removalJob().lastRecorded());
        QVERIFY(deletedIn(r->store, postKey(url)).contains(last.first()));
    }

    // The owner opens another page after the site deleted some of the comments: those are recorded
    // for the post they were on, with the run; the new page's list and status are left alone.
    void pageLeftMidDeletion()
    {
        std::unique_ptr<Rig> r(rig());
        SpamModel &m = *r->model;
        const QUrl url = YouTubeFixture::watchUrl(kLeave);
        QCOMPARE(scanPost(*r, url).size(), 4);
        const QString post = postKey(url);
        tick(m, 4);
        m_yt->holdActionsAfter(2);
        auto task = std::make_unique<QCoro::Task<void>>(m.removalJob().removeSelected(yes));
        QTRY_COMPARE_WITH_TIMEOUT(m_yt->heldActions(), 1, 120000);
        QTRY_COMPARE_WITH_TIMEOUT(deletedIn(r->store, post).size(), 2, 30000);
        const QSet<QString> gone = m_yt->deleted(kLeave);
        m_h->browser.open(YouTubeFixture::watchUrl(kAsk).toString());
        QTRY_VERIFY_WITH_TIMEOUT(!m.jobs().busy(), 60000);
        m_yt->releaseHeld();

        QCOMPARE(deletedIn(r->store, post), gone);
        QCOMPARE(r->store.post(post)->deleted, 2);
        QCOMPARE(m.catalog().rows().value(0).deleted, 2);
        QCOMPARE(m.removalJob().lastCount(), 2);
        const ScanStore::Run run = newestRun(r->store, post, ScanStore::Run::Kind::Delete);
        QCOMPARE(run.deleted, 2);
        QCOMPARE(run.total, 4);
        QCOMPARE(run.items, 2);
        QVERIFY2(!m.statusLine().text().contains(korean() ? QStringLiteral("삭제") : QStringLiteral("delete")),
                 qPrintable(m.statusLine().text()));
        QVERIFY(m.scanReport().issue().isEmpty());
        QVERIFY(m.review().comments().isEmpty());
    }

    // The site refuses or asks for a sign-in or a check: the deletion stops with the site's reason,
    // "blocked" for the last two, records nothing and keeps the failed run.
    void siteStops_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<int>("viewer");        // 0 owner, 1 stale session, 2 challenged
        QTest::addColumn<QString>("message");   // as the owner reads it
        QTest::addColumn<bool>("blocked");
        const QString notGone = korean()
            ? QStringLiteral("삭제를 눌렀지만 댓글이 사라지지 않아 중단했습니다.")
            : QStringLiteral("Stopped: Delete was pressed but the comment did not go away.");
        const QString signIn = korean()
            ? QStringLiteral("삭제하려면 사이트에 로그인한 뒤 내 댓글 화면에서 다시 검사해 주세요.")
            : QStringLiteral("To delete, sign in to the site and scan again on your own comment page.");
        QTest::newRow("instagram refuses") << InstagramFixture::postUrl(kIgRefuse) << 0 << notGone << false;
        QTest::newRow("instagram asks for a check") << InstagramFixture::postUrl(kIgStale) << 1 << signIn << true;
        QTest::newRow("youtube asks to sign in") << YouTubeFixture::watchUrl(kStale) << 1 << signIn << true;
        QTest::newRow("youtube asks for a check") << YouTubeFixture::watchUrl(kCheck) << 2 << notGone << true;
    }
    void siteStops()
    {
        QFETCH(QUrl, url);
        QFETCH(int, viewer);
        QFETCH(QString, message);
        QFETCH(bool, blocked);
        std::unique_ptr<Rig> r(rig());
        SpamModel &m = *r->model;
        QVERIFY(scanPost(*r, url).size() >= 2);
        const QString post = postKey(url);
        const QStringList ids = tick(m, 2);
        const bool instagram = url.host().contains(QLatin1String("instagram"));
        if (instagram && viewer == 1)
            m_ig->setViewer(InstagramFixture::Viewer::StaleSession);
        else if (viewer)
            m_yt->setViewer(viewer == 1 ? YouTubeFixture::Viewer::StaleSession : YouTubeFixture::Viewer::Challenged);

        await(m.removalJob().removeSelected(yes), 240000);
        QCOMPARE(m.statusLine().text(), message);
        QCOMPARE(m.statusLine().kind(), StatusKind::warn);
        QCOMPARE(m.removalJob().lastBlocked(), blocked);
        QCOMPARE(m.scanReport().issue(), m.statusLine().text());
        QCOMPARE(m.removalJob().lastCount(), 0);
        QVERIFY(deletedIn(r->store, post).isEmpty());
        QCOMPARE(m.removalJob().selectedIds(), ids);
        const ScanStore::Run run = newestRun(r->store, post, ScanStore::Run::Kind::Delete);
        QVERIFY(run.failed);
        QCOMPARE(run.deleted, 0);
        QCOMPARE(run.note, m.statusLine().text());
    }

    // Nothing reaches the page without the owner's yes, nor after the page changed while the
    // question was open.
    void askedFirst_data()
    {
        QTest::addColumn<int>("answer");   // -2: no alerts installed
        QTest::addColumn<bool>("leavePage");
        QTest::newRow("cancel") << 0 << false;
        QTest::newRow("alert closed") << -1 << false;
        QTest::newRow("no one to ask") << -2 << false;
        QTest::newRow("page left while asking") << 1 << true;
    }
    void askedFirst()
    {
        QFETCH(int, answer);
        QFETCH(bool, leavePage);
        std::unique_ptr<Rig> r(rig());
        SpamModel &m = *r->model;
        const QUrl url = YouTubeFixture::watchUrl(kAsk);
        QVERIFY(scanPost(*r, url).size() >= 3);
        const QString post = postKey(url);
        tick(m, 3);
        r->alerts.answer = answer;
        if (answer == -2)
            m.setAlerts(nullptr);
        if (leavePage) {
            const QUuid asked = m_h->browser.pageID();
            auto opened = std::make_shared<bool>(false);
            r->alerts.answerWhen = [this, asked, opened] {
                if (!*opened) {
                    *opened = true;
                    m_h->browser.open(YouTubeFixture::watchUrl(kOver).toString());
                }
                return m_h->browser.pageID() != asked;
            };
        }
        const int requests = m_yt->actionRequests();
        const int runs = m.history().runsVersion();

        await(m.removalJob().removeSelected(), 120000);
        QCOMPARE(m_yt->actionRequests(), requests);
        QVERIFY(m_yt->deleted(kAsk).isEmpty());
        QVERIFY(deletedIn(r->store, post).isEmpty());
        QCOMPARE(m.history().runsVersion(), runs);
        QCOMPARE(m.removalJob().lastCount(), 0);
        QVERIFY(!m.jobs().busy());
        QVERIFY(!m.openPage().progress());
        const QString cancelled = korean() ? QStringLiteral("삭제를 취소했습니다.")
                                           : QStringLiteral("Deletion cancelled.");
        if (leavePage) {
            QVERIFY(m.statusLine().text() != cancelled);
            return;
        }
        QCOMPARE(m.statusLine().text(), cancelled);
        QCOMPARE(m.statusLine().kind(), StatusKind::plain);
        QCOMPARE(m.removalJob().selectedIds().size(), 3);
    }

    // 45 picks over 3 posts: one question for the first 30, the two posts they belong to are
    // opened, rescanned and cleared, the third is left for next time; one summary, one session.
    void storedAcrossPosts()
    {
        std::unique_ptr<Rig> r(rig());
        SpamModel &m = *r->model;
        QList<ScanStore::Record> records;
        QHash<QString, QStringList> spamOf;
        for (const QString &video : {kStoreA, kStoreB, kStoreC}) {
            const QUrl url = YouTubeFixture::watchUrl(video);
            spamOf[video] = scanPost(*r, url).mid(0, 15);
            QCOMPARE(spamOf[video].size(), 15);
            records += storedPicks(r->store, url, spamOf[video]);
        }
        QCOMPARE(records.size(), 45);
        r->alerts.answer = 1;
        QList<std::optional<RemovalJob::Progress>> steps;
        QObject listening;   // ends the connection with this test's locals
        connect(&m.removalJob(), &RemovalJob::progressChanged, &listening,
                [&] { steps.append(m.removalJob().progress()); });

        QCOMPARE(await(m.removalJob().removeStored(records), 480000), 30);
        QCOMPARE(r->alerts.asked, 1);
        QCOMPARE(r->alerts.last.title,
                 korean() ? QStringLiteral("댓글 30개를 삭제합니다") : QStringLiteral("Delete 30 comments"));
        QCOMPARE(m.statusLine().text(), deletedLine(30, 15));
        QCOMPARE(m.statusLine().kind(), StatusKind::ok);
        QCOMPARE(m_yt->deleted(kStoreA), QSet<QString>(spamOf[kStoreA].begin(), spamOf[kStoreA].end()));
        QCOMPARE(m_yt->deleted(kStoreB), QSet<QString>(spamOf[kStoreB].begin(), spamOf[kStoreB].end()));
        QVERIFY(m_yt->deleted(kStoreC).isEmpty());
        QCOMPARE(steps,
                 (QList<std::optional<RemovalJob::Progress>>{RemovalJob::Progress{0, 2}, RemovalJob::Progress{1, 2},
                                                             std::nullopt}));
        const ScanStore::Run a = newestRun(r->store, postKey(YouTubeFixture::watchUrl(kStoreA)),
                                           ScanStore::Run::Kind::Delete);
        const ScanStore::Run b = newestRun(r->store, postKey(YouTubeFixture::watchUrl(kStoreB)),
                                           ScanStore::Run::Kind::Delete);
        QCOMPARE(a.deleted, 15);
        QCOMPARE(b.deleted, 15);
        QVERIFY(!a.session.isEmpty());
        QCOMPARE(a.session, b.session);
        QCOMPARE(deleteRuns(r->store, postKey(YouTubeFixture::watchUrl(kStoreC))), 0);
        QCOMPARE(m.history().stats().deleted, 30);
        QVERIFY(!m.jobs().touring());
        QVERIFY(!m.history().runSession());
        QVERIFY(!m.removalJob().progress());
    }

    // Picks [A1, B1, A2] with A open and scanned: A is handled first with both of its picks, without
    // reopening it, then B is opened for B1.
    void storedInPostOrder()
    {
        std::unique_ptr<Rig> r(rig());
        SpamModel &m = *r->model;
        const QUrl urlA = YouTubeFixture::watchUrl(kOrderA), urlB = YouTubeFixture::watchUrl(kOrderB);
        const QStringList b = scanPost(*r, urlB);
        const QList<ScanStore::Record> pickB = storedPicks(r->store, urlB, b);
        const QStringList a = scanPost(*r, urlA);
        const QList<ScanStore::Record> pickA = storedPicks(r->store, urlA, a);
        QVERIFY(pickA.size() == 2 && pickB.size() == 2);
        QStringList statuses;
        QList<std::optional<RemovalJob::Progress>> steps;
        QObject listening;   // ends the connections with this test's locals
        onStatusText(m.statusLine(), &listening, [&](const QString &text) { statuses.append(text); });
        connect(&m.removalJob(), &RemovalJob::progressChanged, &listening,
                [&] { steps.append(m.removalJob().progress()); });

        QCOMPARE(await(m.removalJob().removeStored({pickA.at(0), pickB.at(0), pickA.at(1)}, yes), 240000), 3);
        QCOMPARE(statuses.count(openingLine()), 1);
        QCOMPARE(steps,
                 (QList<std::optional<RemovalJob::Progress>>{RemovalJob::Progress{0, 2}, RemovalJob::Progress{1, 2},
                                                             std::nullopt}));
        QCOMPARE(m_yt->deleted(kOrderA), QSet<QString>(a.begin(), a.end()));
        QCOMPARE(m_yt->deleted(kOrderB), QSet<QString>{b.at(0)});
        const ScanStore::Run runA = newestRun(r->store, postKey(urlA), ScanStore::Run::Kind::Delete);
        const ScanStore::Run runB = newestRun(r->store, postKey(urlB), ScanStore::Run::Kind::Delete);
        QCOMPARE(runA.deleted, 2);
        QCOMPARE(runB.deleted, 1);
        QVERIFY(runA.id < runB.id);
        QCOMPARE(m.statusLine().text(), deletedLine(3, 0));
    }

    // A post that cannot be handled gets a failed run with the reason and its number of picks, and
    // the next post is still cleared; the summary says what was left.
    void storedPostFails_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("next");
        QTest::addColumn<QString>("note");   // the failed run's note, or how it begins when it ends with "…"
        QTest::newRow("post that does not load")
            << kCutOff << kFailNext
            << (korean() ? QStringLiteral("게시물을 열지 못했습니다.") : QStringLiteral("Couldn't open the post."));
        QTest::newRow("post gone from the site")
            << kMissing << kMissNext
            << (korean() ? QStringLiteral("검사 중 오류: …") : QStringLiteral("Scan error: …"));
        QTest::newRow("picks no longer on the post")
            << kGoneHere << kGoneNext
            << (korean() ? QStringLiteral("게시물에서 찾지 못했습니다.") : QStringLiteral("Not found on the post."));
    }
    void storedPostFails()
    {
        QFETCH(QString, first);
        QFETCH(QString, next);
        QFETCH(QString, note);
        std::unique_ptr<Rig> r(rig());
        SpamModel &m = *r->model;
        const QUrl nextUrl = YouTubeFixture::watchUrl(next);
        const QList<ScanStore::Record> nextPicks = storedPicks(r->store, nextUrl, scanPost(*r, nextUrl));
        QCOMPARE(nextPicks.size(), 2);
        const QString firstPost = postKey(YouTubeFixture::watchUrl(first));
        QList<ScanStore::Record> records;
        for (int i = 0; i < 2; ++i) {
            ScanStore::Record gone = nextPicks.at(i);
            gone.post = firstPost;
            gone.id = QStringLiteral("UgxNoLongerHere%1AaABAg").arg(i);
            records.append(gone);
        }
        records += nextPicks;
        // Another page is open, so both posts are opened.
        QVERIFY(scanPost(*r, YouTubeFixture::watchUrl(kAsk)).size() > 0);

        QCOMPARE(await(m.removalJob().removeStored(records, yes), 240000), 2);
        const ScanStore::Run failed = newestRun(r->store, firstPost, ScanStore::Run::Kind::Delete);
        QVERIFY(failed.failed);
        if (note.endsWith(u'…'))
            QVERIFY2(failed.note.startsWith(note.chopped(1)), qPrintable(failed.note));
        else
            QCOMPARE(failed.note, note);
        QCOMPARE(failed.total, 2);
        QCOMPARE(failed.deleted, 0);
        QCOMPARE(m_yt->deleted(next).size(), 2);
        const QString summary = korean()
            ? QStringLiteral("2개 삭제, 2개는 남았습니다. 게시물에서 찾지 못했거나 지워지지 않았습니다.")
            : QStringLiteral("2 deleted; 2 remain. They were not found on the post or could not be deleted.");
        QCOMPARE(m.statusLine().text(), summary);
        QCOMPARE(m.statusLine().kind(), StatusKind::warn);
        QCOMPARE(newestRun(r->store, failed.post, ScanStore::Run::Kind::Delete).session,
                 newestRun(r->store, postKey(nextUrl), ScanStore::Run::Kind::Delete).session);
    }

    // A post on which the owner may not delete (signed out meanwhile): nothing is sent to the site,
    // the post gets a failed run, and the summary says where deleting works.
    void storedNotAllowed()
    {
        std::unique_ptr<Rig> r(rig());
        SpamModel &m = *r->model;
        const QUrl url = YouTubeFixture::watchUrl(kDenied);
        const QList<ScanStore::Record> records = storedPicks(r->store, url, scanPost(*r, url));
        QCOMPARE(records.size(), 2);
        m_yt->setViewer(YouTubeFixture::Viewer::SignedOut);
        QVERIFY(m_h->open(YouTubeFixture::watchUrl(kAsk)));
        const int requests = m_yt->actionRequests();

        QCOMPARE(await(m.removalJob().removeStored(records, yes), 240000), 0);
        const QString signIn = korean() ? QStringLiteral("댓글 삭제는 로그인한 내 게시물에서 할 수 있습니다.")
                                        : QStringLiteral("You can delete comments on your own posts after signing in.");
        const QString summary = korean() ? QStringLiteral("0개 삭제, 2개는 남았습니다. ") + signIn
                                         : QStringLiteral("0 deleted; 2 remain. ") + signIn;
        QCOMPARE(m.statusLine().text(), summary);
        QCOMPARE(m.statusLine().kind(), StatusKind::warn);
        QCOMPARE(m_yt->actionRequests(), requests);
        const ScanStore::Run run = newestRun(r->store, postKey(url), ScanStore::Run::Kind::Delete);
        QVERIFY(run.failed);
        QCOMPARE(run.note, signIn);
        QCOMPARE(run.total, 2);
    }

    // Stop while the second of three posts opens: it is not recorded as failed, the third is not
    // opened, and the summary says the run was stopped.
    void storedStopped()
    {
        std::unique_ptr<Rig> r(rig());
        SpamModel &m = *r->model;
        QList<ScanStore::Record> records;
        for (const QString &video : {kStopA, kStopB, kStopC}) {
            const QUrl url = YouTubeFixture::watchUrl(video);
            records += storedPicks(r->store, url, scanPost(*r, url));
        }
        QCOMPARE(records.size(), 6);
        QVERIFY(scanPost(*r, YouTubeFixture::watchUrl(kAsk)).size() > 0);
        QObject listening;   // ends the connection with this test's locals
        onStatusText(m.statusLine(), &listening, [&](const QString &text) {
            if (text == openingLine() && m.removalJob().progress() && m.removalJob().progress()->done == 1)
                m.stopScan();
        });

        QCOMPARE(await(m.removalJob().removeStored(records, yes), 240000), 2);
        const QString summary = korean() ? QStringLiteral("2개 삭제, 4개는 남았습니다. 중지했습니다.")
                                         : QStringLiteral("2 deleted; 4 remain. Stopped.");
        QCOMPARE(m.statusLine().text(), summary);
        QCOMPARE(m.statusLine().kind(), StatusKind::warn);
        QCOMPARE(m_yt->deleted(kStopA).size(), 2);
        QVERIFY(m_yt->deleted(kStopB).isEmpty());
        QVERIFY(m_yt->deleted(kStopC).isEmpty());
        QCOMPARE(deleteRuns(r->store, postKey(YouTubeFixture::watchUrl(kStopB))), 0);
        QCOMPARE(deleteRuns(r->store, postKey(YouTubeFixture::watchUrl(kStopC))), 0);
        QVERIFY(!m.jobs().touring());
    }

    // The site asks for a sign-in after 2 deletions on the first of two posts: the run stops there
    // with the site's reason and the run's count, said once.
    void storedBlocked()
    {
        std::unique_ptr<Rig> r(rig());
        SpamModel &m = *r->model;
        QList<ScanStore::Record> records;
        for (const QString &video : {kBlockA, kBlockB}) {
            const QUrl url = YouTubeFixture::watchUrl(video);
            records += storedPicks(r->store, url, scanPost(*r, url));
        }
        QCOMPARE(records.size(), 6);
        QVERIFY(scanPost(*r, YouTubeFixture::watchUrl(kAsk)).size() > 0);
        m_yt->holdActionsAfter(2);
        auto task = std::make_unique<QCoro::Task<int>>(m.removalJob().removeStored(records, yes));
        QTRY_COMPARE_WITH_TIMEOUT(m_yt->heldActions(), 1, 180000);
        m_yt->setViewer(YouTubeFixture::Viewer::StaleSession);
        m_yt->releaseHeld();
        QCOMPARE(await(std::move(*task), 240000), 2);

        const QString reason = korean()
            ? QStringLiteral("삭제하려면 사이트에 로그인한 뒤 내 댓글 화면에서 다시 검사해 주세요.")
            : QStringLiteral("To delete, sign in to the site and scan again on your own comment page.");
        const QString text = reason + (korean() ? QStringLiteral(" (2개는 삭제됨)") : QStringLiteral(" (2 deleted)"));
        QCOMPARE(m.statusLine().text(), text);
        QCOMPARE(m.statusLine().kind(), StatusKind::warn);
        QVERIFY(m.scanReport().issue().contains(text));
        QVERIFY(m.removalJob().lastBlocked());
        QCOMPARE(m_yt->deleted(kBlockA).size(), 2);
        QCOMPARE(deletedIn(r->store, postKey(YouTubeFixture::watchUrl(kBlockA))).size(), 2);
        QVERIFY(m_yt->deleted(kBlockB).isEmpty());
        QCOMPARE(deleteRuns(r->store, postKey(YouTubeFixture::watchUrl(kBlockB))), 0);
    }

    // The site sends the page to its sign-in while it deletes on the first of two posts, and the
    // sign-in page is slow to come: the tab still shows the post's address, yet the run stops
    // there with the check's reason and never opens the second post.
    void storedSentToSignIn()
    {
        std::unique_ptr<Rig> r(rig());
        SpamModel &m = *r->model;
        QList<ScanStore::Record> records;
        for (const QString &video : {kSignInA, kSignInB}) {
            const QUrl url = YouTubeFixture::watchUrl(video);
            records += storedPicks(r->store, url, scanPost(*r, url));
        }
        QCOMPARE(records.size(), 4);
        QVERIFY(scanPost(*r, YouTubeFixture::watchUrl(kAsk)).size() > 0);
        // The sign-in page never arrives while the test runs.
        auto held = std::make_shared<QList<HttpResponder>>();
        auto holding = std::make_shared<bool>(true);
        FixtureSite::shared()->route(QStringLiteral("accounts.google.com"), "GET", QStringLiteral("/ServiceLogin"),
                                     [held, holding](const HttpRequest &, const HttpResponder &responder) {
            if (*holding)
                held->append(responder);
            else
                responder.reply(HttpReply::html("<h1>Sign in</h1>"));
        });
        auto release = qScopeGuard([held, holding] {
            *holding = false;
            for (const HttpResponder &responder : std::as_const(*held))
                responder.reply(HttpReply::html("<h1>Sign in</h1>"));
        });
        m_yt->holdActionsAfter(1);
        auto task = std::make_unique<QCoro::Task<int>>(m.removalJob().removeStored(records, yes));
        QTRY_COMPARE_WITH_TIMEOUT(m_yt->heldActions(), 1, 180000);
        QCOMPARE(postKey(m_h->browser.address()), postKey(YouTubeFixture::watchUrl(kSignInA)));
        m_h->browser.currentTab()->page()->runJavaScript(QStringLiteral(
            "location.href = 'https://accounts.google.com/ServiceLogin?service=youtube&continue=https%3A%2F%2Fwww.youtube.com%2F';"));
        QTRY_COMPARE_WITH_TIMEOUT(held->size(), 1, 60000);
        m_yt->releaseHeld();
        await(std::move(*task), 240000);

        const QString check = korean()
            ? QStringLiteral("사이트가 로그인이나 확인을 요구해 중단했습니다. 화면에서 직접 확인한 뒤 다시 시도하세요.")
            : QStringLiteral("The site asked you to sign in or pass a check. Finish it on the page, then try again.");
        QVERIFY2(m.statusLine().text().startsWith(check), qPrintable(m.statusLine().text()));
        QCOMPARE(m.statusLine().kind(), StatusKind::warn);
        QVERIFY(m_yt->deleted(kSignInB).isEmpty());
        QCOMPARE(deleteRuns(r->store, postKey(YouTubeFixture::watchUrl(kSignInB))), 0);
        // The history marks nothing the site did not delete (the page went with the call's answer).
        QVERIFY(m_yt->deleted(kSignInA).contains(deletedIn(r->store, postKey(YouTubeFixture::watchUrl(kSignInA)))));
    }

    // The application is killed while the site holds a delete request open: every comment the
    // site reported gone before is in the history afterwards, and the file is intact.
    void killedMidDeletion()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("scans.sqlite"));
        const QUrl url = YouTubeFixture::watchUrl(kKill);
        const QString post = postKey(url);
        m_yt->holdActionsAfter(5);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *sub : {"config", "data", "cache"}) {
            QDir(dir.path()).mkpath(QString::fromLatin1(sub));
            env.insert(QStringLiteral("XDG_%1_HOME").arg(QString::fromLatin1(sub).toUpper()),
                       dir.filePath(QString::fromLatin1(sub)));
        }
        QProcess runner;
        runner.setProcessEnvironment(env);
        runner.start(QStringLiteral(VT_BINARY_DIR "/removal_runner"), {path, url.toString()});
        QVERIFY(runner.waitForStarted(30000));
        QTRY_VERIFY_WITH_TIMEOUT(m_yt->heldActions() == 1 || runner.state() == QProcess::NotRunning, 240000);
        QVERIFY2(runner.state() == QProcess::Running, runner.readAllStandardError().right(600).constData());
        const QSet<QString> gone = m_yt->deleted(kKill);
        QCOMPARE(gone.size(), 5);
        {
            RawDb reader(path, SQLITE_OPEN_READONLY);
            QVERIFY(reader.isOpen());
            QTRY_COMPARE_WITH_TIMEOUT(reader.count(QStringLiteral("comments WHERE deleted_at IS NOT NULL")), qint64(5),
                                      30000);
        }
        QVERIFY(!runner.readAllStandardOutput().contains("ended"));
        ::kill(pid_t(runner.processId()), SIGKILL);
        QVERIFY(runner.waitForFinished(30000));
        QCOMPARE(runner.exitStatus(), QProcess::CrashExit);
        m_yt->releaseHeld();

        RawDb db(path);
        QVERIFY(db.isOpen());
        QCOMPARE(db.value(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
        ScanStore store(path);
        QVERIFY(store.isOpen());
        QCOMPARE(deletedIn(store, post), gone);
    }

    // Killed while the site holds the deletion of a thread open: every thread the site deleted
    // before is in the history at that very moment, with the replies that went with it; the one
    // in flight, which the site then deletes, and its replies are settled by the next complete
    // scan (as deleted, and as gone from the site); nothing gone from the site stays pending.
    void killedMidThreadDeletion()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("scans.sqlite"));
        const QUrl url = YouTubeFixture::watchUrl(kKillThreads);
        const QString post = postKey(url);
        YtVideo *video = m_yt->video(kKillThreads);
        const auto repliesOf = [&](const QSet<QString> &threads) {
            QSet<QString> out;
            for (const YtComment &c : video->comments)
                if (threads.contains(c.parent))
                    out.insert(c.id);
            return out;
        };
        m_yt->holdActionsAfter(2);
        auto release = qScopeGuard([this] { m_yt->releaseHeld(); });
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *sub : {"config", "data", "cache"}) {
            QDir(dir.path()).mkpath(QString::fromLatin1(sub));
            env.insert(QStringLiteral("XDG_%1_HOME").arg(QString::fromLatin1(sub).toUpper()),
                       dir.filePath(QString::fromLatin1(sub)));
        }
        QProcess runner;
        runner.setProcessEnvironment(env);
        runner.start(QStringLiteral(VT_BINARY_DIR "/removal_runner"), {path, url.toString()});
        QVERIFY(runner.waitForStarted(30000));
        QTRY_VERIFY_WITH_TIMEOUT(m_yt->heldActions() == 1 || runner.state() == QProcess::NotRunning, 240000);
        QVERIFY2(runner.state() == QProcess::Running, runner.readAllStandardError().right(600).constData());
        ::kill(pid_t(runner.processId()), SIGKILL);
        QVERIFY(runner.waitForFinished(30000));
        QCOMPARE(runner.exitStatus(), QProcess::CrashExit);
        const QSet<QString> before = m_yt->deleted(kKillThreads);
        QCOMPARE(before.size(), 2);
        {
            RawDb reader(path, SQLITE_OPEN_READONLY);
            QVERIFY(reader.isOpen());
            QCOMPARE(reader.count(QStringLiteral("comments WHERE deleted_at IS NOT NULL")), qint64(2));
            QCOMPARE(reader.count(QStringLiteral("comments WHERE gone = 'thread'")), qint64(2));
        }
        {
            ScanStore store(path);
            QCOMPARE(deletedIn(store, post), before);
            QSet<QString> withThread;
            for (const ScanStore::Record &r : store.allComments(1000))
                if (r.gone == QLatin1String("thread"))
                    withThread.insert(r.id);
            QCOMPARE(withThread, repliesOf(before));
        }
        m_yt->releaseHeld();
        const QSet<QString> after = m_yt->deleted(kKillThreads);
        QCOMPARE(after.size(), 3);

        // The next run scans the post whole.
        std::unique_ptr<Rig> r(new Rig(*m_h, *m_service, false, {{QStringLiteral("vt.aiOn"), false}}, path));
        const QStringList left = scanPost(*r, url);
        QCOMPARE(left.size(), 1);
        QCOMPARE(deletedIn(r->store, post), after);
        QHash<QString, QString> gone;
        for (const ScanStore::Record &rec : r->store.allComments(1000))
            if (!rec.gone.isEmpty())
                gone.insert(rec.id, rec.gone);
        for (const QString &id : repliesOf(before))
            QCOMPARE(gone.value(id), QStringLiteral("thread"));
        for (const QString &id : repliesOf(after - before))
            QCOMPARE(gone.value(id), QStringLiteral("site"));
        QCOMPARE(gone.size(), 3);
        QStringList pending = r->store.pendingIDs(post);
        pending.sort();
        QStringList expected = left;
        expected.sort();
        QCOMPARE(pending, expected);
        QCOMPARE(r->store.syncCounts(post).flagged, 1);
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
    RemovalTest tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_removal.moc"
