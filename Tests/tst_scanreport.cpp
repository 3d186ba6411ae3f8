// What the spam model tells the owner and writes to the history: the note sentences and the closing
// status line of a scan in both languages, the issue notes, the runs with their items and sessions,
// the post counts, and the status line while a page call runs.
#include "LanguageScope.h"
#include "ModelHarness.h"
#include "TestMain.h"

#include "Base/Lang.h"
#include "Scan/HistoryState.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(SpamModel::ScanFacts)

namespace {

const QString kPost = QStringLiteral("https://www.youtube.com/watch?v=abcdefghijk");

SpamModel::ScanFacts facts(qint64 total, qint64 flagged, std::optional<bool> caughtUp = std::nullopt, qint64 added = 0)
{
    SpamModel::ScanFacts f;
    f.total = total;
    f.flagged = flagged;
    f.caughtUp = caughtUp;
    f.added = added;
    f.siteSorted = true;
    return f;
}

ScanStore::Post storedPost(const QString &url, int total)
{
    ScanStore::Post post;
    post.site = "youtube";
    post.url = url;
    post.scannedAt = QDateTime::currentDateTime();
    post.total = total;
    return post;
}

}   // namespace

class ScanReportTest : public QObject {
    Q_OBJECT
private slots:
    void statusLine_data();
    void statusLine();
    void notes_data();
    void notes();
    void reportScanKeepsNotesInTheIssue();
    void sessionsOfRuns();
    void failedRuns();
    void syncPost();
    void historyAlone_data();
    void historyAlone();
    void scanRunItems();
    void progressLine_data();
    void progressLine();
    void mirrorProgress();
};

void ScanReportTest::statusLine_data()
{
    QTest::addColumn<bool>("korean");
    QTest::addColumn<SpamModel::ScanFacts>("facts");
    QTest::addColumn<QString>("emptyText");   // the page's own text for no comments; empty: no page info
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("line");
    QTest::addColumn<StatusKind>("kind");

    const QString koEmpty = QStringLiteral(
        "이 영상에서 댓글을 찾지 못했습니다. 댓글이 꺼져 있거나 아직 없는 영상입니다.");
    const QString emptyCode = QStringLiteral("youtube.empty");
    const QString note = QStringLiteral(" 1 cleared last time and unchanged were skipped.");
    QTest::newRow("en none found") << false << facts(0, 0) << "" << note << "No comments found." << StatusKind::warn;
    QTest::newRow("ko none found") << true << facts(0, 0) << "" << note << "댓글을 찾지 못했습니다."
                                   << StatusKind::warn;
    QTest::newRow("en page's empty text")
        << false << facts(0, 0) << emptyCode << note
        << "No comments found on this video. Comments are turned off or there are none yet." << StatusKind::warn;
    QTest::newRow("ko page's empty text") << true << facts(0, 0) << emptyCode << note << koEmpty << StatusKind::warn;
    QTest::newRow("en page's text outside the table")
        << false << facts(0, 0) << "댓글이 없어요" << note << "No comments found." << StatusKind::warn;
    QTest::newRow("ko page's text outside the table")
        << true << facts(0, 0) << "댓글이 없어요" << note << "댓글이 없어요" << StatusKind::warn;
    QTest::newRow("en 12 clean") << false << facts(12, 0) << ""
                                 << ""
                                 << "Checked 12 comments; no suspected spam." << StatusKind::ok;
    QTest::newRow("ko 12 clean") << true << facts(12, 0) << ""
                                 << ""
                                 << "댓글 12개를 검사했고 스팸 의심 댓글이 없습니다." << StatusKind::ok;
    QTest::newRow("en 3 of 40") << false << facts(40, 3) << "" << note
                                << "3 of 40 comments flagged. Untick anything that isn't spam." + note
                                << StatusKind::warn;
    QTest::newRow("ko 3 of 40") << true << facts(40, 3) << ""
                                << ""
                                << "댓글 40개 중 3개 검출. 아닌 것은 체크를 해제하세요." << StatusKind::warn;
    QTest::newRow("en caught up, nothing new") << false << facts(50, 0, true, 0) << ""
                                               << ""
                                               << "No new comments." << StatusKind::ok;
    QTest::newRow("ko caught up, nothing new") << true << facts(50, 0, true, 0) << ""
                                               << ""
                                               << "새 댓글이 없습니다." << StatusKind::ok;
    QTest::newRow("en caught up, 2 new 1 spam")
        << false << facts(50, 1, true, 2) << ""
        << ""
        << "Collected 2 new comments. 1 flagged to review. Untick anything that isn't spam." << StatusKind::warn;
    QTest::newRow("ko caught up, 2 new 1 spam")
        << true << facts(50, 1, true, 2) << ""
        << ""
        << "새 댓글 2개를 수집했습니다. 검토할 의심 댓글 1개. 아닌 것은 체크를 해제하세요." << StatusKind::warn;
    SpamModel::ScanFacts cut = facts(84, 2);
    cut.partial = QStringLiteral("partialData");
    QTest::newRow("en partial after the counts")
        << false << cut << ""
        << ""
        << "2 of 84 comments flagged. Untick anything that isn't spam. The site didn't send some of the comments, so only"
           " part of them was collected. Please scan again."
        << StatusKind::warn;
    QTest::newRow("ko partial after the counts")
        << true << cut << ""
        << ""
        << "댓글 84개 중 2개 검출. 아닌 것은 체크를 해제하세요. 사이트가 댓글 일부를 보내지 않아 일부만 수집했습니다. 다시 검사해 주세요."
        << StatusKind::warn;
    SpamModel::ScanFacts stoppedClean = facts(10, 0);
    stoppedClean.partial = QStringLiteral("partialStopped");
    QTest::newRow("en partial with nothing flagged is a warning")
        << false << stoppedClean << ""
        << ""
        << "Checked 10 comments; no suspected spam. The scan was stopped, so only part of the comments was collected."
        << StatusKind::warn;
    SpamModel::ScanFacts nothing = facts(0, 0);
    nothing.partial = QStringLiteral("youtube.noData");
    QTest::newRow("en partial with no comments says why")
        << false << nothing << "" << note << "The site didn't send the comments. Please scan again in a moment."
        << StatusKind::warn;
    QTest::newRow("en caught up false counts as not") << false << facts(5, 0, false, 3) << ""
                                                      << ""
                                                      << "Checked 5 comments; no suspected spam." << StatusKind::ok;
}

void ScanReportTest::statusLine()
{
    QFETCH(bool, korean);
    QFETCH(SpamModel::ScanFacts, facts);
    QFETCH(QString, emptyText);
    QFETCH(QString, note);
    QFETCH(QString, line);
    QFETCH(StatusKind, kind);
    LanguageScope language(korean);
    ModelHarness h;
    SpamModel &m = h.model();
    if (!emptyText.isEmpty()) {
        SiteInfo info;
        info.supported = true;
        info.emptyText = emptyText;
        m.openPage().setInfo(info);
    }
    QCOMPARE(m.scanReport().status(facts, note), (StatusLine::Value{line, kind}));
}

void ScanReportTest::notes_data()
{
    QTest::addColumn<bool>("korean");
    QTest::addColumn<SpamModel::ScanFacts>("facts");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("sort");
    QTest::addColumn<bool>("noLikesOnly");
    QTest::addColumn<QString>("note");

    SpamModel::ScanFacts all = facts(100, 2);
    all.storeKnewSome = true;
    all.unknown = 4;
    all.edited = 1;
    all.repeatNote = QStringLiteral(" <repeat>");
    all.skipped = 3;
    all.aiNote = QStringLiteral(" <ai>");
    all.siteSorted = false;
    all.likesUnknown = true;
    all.hidden = true;
    QTest::newRow("en every sentence in order")
        << false << all << 100 << "newest" << true
        << " Since the last scan: 4 new, 1 edited. <repeat> 3 cleared last time and unchanged were skipped. <ai>"
           " Loaded only up to the collection limit (100). This page can't be switched to newest, so sorting covers"
           " only what was loaded. Like counts couldn't be read on this page, so \"skip comments with likes\" was not"
           " applied. The window was covered, so some comments may not have loaded. Scan again with the window visible"
           " to check them all.";
    QTest::newRow("ko every sentence in order")
        << true << all << 100 << "newest" << true
        << " 지난 검사 이후 새 댓글 4개, 수정된 댓글 1개. <repeat> 지난 검사에서 정상이던 3개는 그대로라 건너뛰었습니다. <ai>"
           " 수집 개수 설정(최대 100개)까지만 불러왔습니다. 이 화면은 최신순으로 바꿀 수 없어 불러온 범위 안에서만 정렬했습니다."
           " 이 화면에서는 좋아요 수를 읽지 못해 \"좋아요 없는 댓글만\" 기준은 적용되지 않았습니다."
           " 창이 가려져 있어 댓글을 다 불러오지 못했을 수 있습니다. 창이 보이는 상태에서 다시 스캔하면 전부 확인합니다.";
    SpamModel::ScanFacts caught = all;
    caught.caughtUp = true;
    QTest::newRow("caught up drops since, limit and window")
        << false << caught << 100 << "newest" << true
        << " <repeat> 3 cleared last time and unchanged were skipped. <ai> This page can't be switched to newest, so"
           " sorting covers only what was loaded. Like counts couldn't be read on this page, so \"skip comments with"
           " likes\" was not applied.";
    QTest::newRow("limit reached by the total")
        << false << facts(100, 0) << 100 << "page" << false << " Loaded only up to the collection limit (100).";
    QTest::newRow("limit not reached") << false << facts(99, 0) << 100 << "page" << false << "";
    SpamModel::ScanFacts notLimited = facts(100, 0);
    notLimited.limited = false;
    QTest::newRow("page says not limited") << false << notLimited << 100 << "page" << false << "";
    SpamModel::ScanFacts limited = facts(20, 0);
    limited.limited = true;
    QTest::newRow("page says limited") << false << limited << 300 << "page" << false
                                       << " Loaded only up to the collection limit (300).";
    QTest::newRow("no limit set") << false << facts(100, 0) << 0 << "page" << false << "";
    SpamModel::ScanFacts sorted = facts(10, 0);
    QTest::newRow("site sorted newest") << false << sorted << 0 << "newest" << false << "";
    SpamModel::ScanFacts likes = facts(10, 0);
    likes.likesUnknown = true;
    QTest::newRow("likes unknown, rule off") << false << likes << 0 << "page" << false << "";
}

void ScanReportTest::notes()
{
    QFETCH(bool, korean);
    QFETCH(SpamModel::ScanFacts, facts);
    QFETCH(int, limit);
    QFETCH(QString, sort);
    QFETCH(bool, noLikesOnly);
    QFETCH(QString, note);
    ModelHarness h({{"vt.limit", limit}, {"vt.sort", sort}, {"vt.noLikesOnly", noLikesOnly}});
    QCOMPARE(inLanguage(korean, [&] { return h.model().scanReport().note(facts); }), note);
}

void ScanReportTest::reportScanKeepsNotesInTheIssue()
{
    ModelHarness h;
    SpamModel &m = h.model();
    SpamModel::ScanFacts covered = facts(30, 1);
    covered.hidden = true;
    m.scanReport().publish(covered);
    QCOMPARE(m.statusLine().kind(), StatusKind::warn);
    QVERIFY(m.statusLine().text().startsWith("1 of 30 comments flagged."));
    QCOMPARE(m.scanReport().issue(),
             QStringLiteral("The window was covered, so some comments may not have loaded. Scan again with"
                            " the window visible to check them all."));

    // No comments: the line itself joins the issue, and the note is not shown.
    m.clearReview();
    SpamModel::ScanFacts none = facts(0, 0);
    none.skipped = 4;
    m.scanReport().publish(none);
    QCOMPARE(m.statusLine().text(), QStringLiteral("No comments found."));
    QCOMPARE(m.scanReport().issue(), QStringLiteral("No comments found."));
    // The run of such a scan carries no note.
    m.scanReport().logRun(ScanStore::PostKey{"youtube", kPost}, none, {});
    QCOMPARE(h.store().runs(kPost).value(0).note, QString());
}

void ScanReportTest::sessionsOfRuns()
{
    ModelHarness h;
    SpamModel &m = h.model();
    ScanStore::Run run;
    run.site = "youtube";
    run.post = kPost;
    run.at = QDateTime::currentDateTime();
    run.automatic = true;   // replaced by the model
    run.session = "caller's";
    QSignalSpy versions(&m.history(), &HistoryState::runsVersionChanged);
    m.history().logRun(run, {});
    m.history().logRun(run, {});
    m.history().setRunSession(QStringLiteral("QUEUE-1"));
    m.history().setSessionAuto(true);
    m.history().logRun(run, {});
    m.history().logRun(run, {});
    QCOMPARE(versions.count(), 4);
    QCOMPARE(m.history().runsVersion(), 4);
    QVERIFY(m.history().loggedRun());
    const QList<ScanStore::Run> runs = h.store().runs(kPost);
    QCOMPARE(runs.size(), 4);
    QSet<QString> sessions;
    int automatic = 0;
    for (const ScanStore::Run &r : runs) {
        sessions.insert(r.session);
        automatic += r.automatic ? 1 : 0;
        if (r.session != QLatin1String("QUEUE-1")) {
            QCOMPARE(r.session.size(), 36);
            QCOMPARE(r.session, r.session.toUpper());
            QVERIFY(!r.automatic);
        }
    }
    QCOMPARE(sessions.size(), 3);   // two single runs, one queue
    QCOMPARE(automatic, 2);
}

void ScanReportTest::failedRuns()
{
    ModelHarness h;
    SpamModel &m = h.model();
    m.history().logFailedScan(QStringLiteral("https://www.youtube.com/"), QStringLiteral("Scan error: x"));
    QCOMPARE(m.history().runsVersion(), 0);
    QVERIFY(!m.history().loggedRun());

    m.history().logFailedScan(kPost + "&t=5s", QStringLiteral("Scan error: x"));
    m.history().logFailedRemoval(kPost, 7, QStringLiteral("Delete error: y"));
    QCOMPARE(m.history().runsVersion(), 2);
    const QList<ScanStore::Run> runs = h.store().runs(kPost);
    QCOMPARE(runs.size(), 2);
    for (const ScanStore::Run &r : runs) {
        QVERIFY(r.failed);
        QCOMPARE(r.items, 0);
        QCOMPARE(r.site, QStringLiteral("youtube"));
        QCOMPARE(r.deleted, 0);
        if (r.kind == ScanStore::Run::Kind::Delete) {
            QCOMPARE(r.total, 7);
            QCOMPARE(r.note, QStringLiteral("Delete error: y"));
        } else {
            QCOMPARE(r.total, 0);
            QCOMPARE(r.note, QStringLiteral("Scan error: x"));
        }
    }
}

void ScanReportTest::syncPost()
{
    ModelHarness h;
    SpamModel &m = h.model();
    const QList<Comment> page{ModelHarness::comment("a", "x", "spam"), ModelHarness::comment("b", "y"),
                              ModelHarness::comment("c", "z")};
    QVERIFY(h.store().record(storedPost(kPost, 0)));
    QVERIFY(h.store().remember("youtube", kPost, page, std::nullopt, QDateTime::currentDateTime()));

    // Not listed: the totals still follow.
    m.history().syncPost(kPost);
    QCOMPARE(m.history().stats().flagged, 1);
    QCOMPARE(m.history().stats().comments, 3);

    ChannelPost row;
    row.site = "youtube";
    row.url = kPost;
    m.catalog().setRows({row, row});
    QSignalSpy spy(&m.catalog(), &PostCatalog::rowsChanged);
    m.history().syncPost(kPost);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(m.catalog().rows().at(0).total, 3);
    QCOMPARE(m.catalog().rows().at(0).flagged, 1);
    QCOMPARE(m.catalog().rows().at(1), row);
    QCOMPARE(h.store().post(kPost)->total, 3);
}

void ScanReportTest::historyAlone_data()
{
    QTest::addColumn<bool>("off");   // the history file cannot be opened
    QTest::newRow("history works") << false;
    QTest::newRow("history off") << true;
}

void ScanReportTest::historyAlone()
{
    // The history state works with its store and the status line, no spam model.
    QFETCH(bool, off);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("scans.sqlite"));
    if (off) {
        QFile blocker(dir.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        path = dir.filePath(QStringLiteral("file/scans.sqlite"));   // its folder is a file
    }
    ScanStore store(path);
    StatusLine status;
    HistoryState history(&store, status);
    QSignalSpy notices(&history, &HistoryState::noticeChanged);
    QSignalSpy runs(&history, &HistoryState::runsVersionChanged);
    QStringList counted;
    QObject listening;   // ends the connection with this test's locals
    QObject::connect(&history, &HistoryState::postCounted, &listening,
                     [&](const QString &url, const ScanStore::Counts &counts) {
        counted << url + u' ' + QString::number(counts.total) + u'/' + QString::number(counts.flagged);
    });
    if (!off) {
        const QList<Comment> page{ModelHarness::comment("a", "x", "spam"), ModelHarness::comment("b", "y")};
        QVERIFY(store.record(storedPost(kPost, 0)));
        QVERIFY(store.remember("youtube", kPost, page, std::nullopt, QDateTime::currentDateTime()));
    }

    // The recount goes to the post list's row (through postCounted) and to the totals.
    history.syncPost(kPost);
    QCOMPARE(counted, QStringList{kPost + (off ? " 0/0" : " 2/1")});
    QCOMPARE(history.stats().comments, off ? 0 : 2);
    QCOMPARE(history.notice().isEmpty(), !off);
    QCOMPARE(notices.count(), off ? 1 : 0);
    QCOMPARE(status.value(), (StatusLine::Value{history.notice(), off ? StatusKind::warn : StatusKind::plain}));

    // The status line tells of a history that is off once; the notice stays.
    status.set(QStringLiteral("later"), StatusKind::ok);
    history.check();
    QCOMPARE(status.text(), QStringLiteral("later"));

    // A run is stored only by a working history; either way the views read the runs again.
    ScanStore::Run run;
    run.kind = ScanStore::Run::Kind::Scan;
    run.site = "youtube";
    run.post = kPost;
    run.at = QDateTime::currentDateTime();
    QCOMPARE(history.logRun(run, {}), !off);
    QCOMPARE(runs.count(), 1);
    QVERIFY(history.loggedRun());
    QCOMPARE(store.runs(kPost).size(), off ? 0 : 1);
}

void ScanReportTest::scanRunItems()
{
    ModelHarness h;
    SpamModel &m = h.model();
    const ScanStore::PostKey page{"youtube", kPost};
    // Stored before: one pending spam of an earlier scan.
    Comment earlier = ModelHarness::comment("old", "buy now", "spam");
    earlier.reason = QStringLiteral("custom:buy");
    QVERIFY(h.store().remember("youtube", kPost, {earlier}, std::nullopt, QDateTime::currentDateTime().addDays(-1)));
    QVERIFY(h.store().record(storedPost(kPost, 5)));

    Comment dict = ModelHarness::comment("new1", "you idiot", "spam");
    dict.reason = QStringLiteral("dict:abuse:idiot");
    dict.hits = {"idiot"};
    Comment clean = ModelHarness::comment("new2", "nice");
    Comment ai = ModelHarness::comment("new3", "hm", "spam");
    ai.aiKind = QStringLiteral("sexual");
    ai.aiProb = 0.95;
    Comment plainSpam = ModelHarness::comment("new4", "x", "spam");
    plainSpam.reason = QStringLiteral("repeat:2");
    Comment oldAgain = earlier;
    oldAgain.hits = {"buy"};
    const QList<Comment> comments{oldAgain, dict, clean, ai, plainSpam};
    // The page's new spam is stored as pending; the new clean comment only as a comment.
    QVERIFY(
        h.store().remember("youtube", kPost, {dict, clean, ai, plainSpam}, std::nullopt, QDateTime::currentDateTime()));
    m.review().setComments(comments);
    m.scanReport().report(QStringLiteral("Checked."));

    SpamModel::ScanFacts f = facts(5, 4, std::nullopt, 4);
    m.scanReport().logRun(page, f, {"new1", "new2", "new3", "new4"});
    const QList<ScanStore::Run> runs = h.store().runs(kPost);
    QCOMPARE(runs.size(), 1);
    const ScanStore::Run &run = runs.first();
    QCOMPARE(run.kind, ScanStore::Run::Kind::Scan);
    QCOMPARE(run.flagged, 4);   // the pending records of the whole post
    QCOMPARE(run.added, 4);
    QCOMPARE(run.total, 5);   // the stored post's total
    QCOMPARE(run.note, QStringLiteral("Checked."));
    QVERIFY(!run.failed);

    QCOMPARE(h.store().items(run.id).size(), 5);

    // Pending records first (store order), then the new comments that are not pending, in page order.
    const QList<ScanStore::Item> items = m.scanReport().runItems(kPost, {"new1", "new2", "new3", "new4"});
    QStringList order;
    QHash<QString, ScanStore::Item> byId;
    for (const ScanStore::Item &item : items) {
        order.append(item.id);
        byId.insert(item.id, item);
    }
    QCOMPARE(order.size(), 5);
    QCOMPARE(QSet<QString>(order.cbegin(), order.cbegin() + 4), (QSet<QString>{"old", "new1", "new3", "new4"}));
    QCOMPARE(order.at(4), QStringLiteral("new2"));
    QVERIFY(!byId.value("old").fresh);
    QCOMPARE(byId.value("old").hits, QStringList{"buy"});
    QVERIFY(byId.value("new1").fresh);
    QCOMPARE(byId.value("new1").hits, QStringList{"idiot"});
    QCOMPARE(byId.value("new2").kind, QString());
    QCOMPARE(byId.value("new2").state, QStringLiteral("ok"));

    // Fresh comments that are not pending carry the kind of their verdict.
    m.review().setComments({dict, ai, plainSpam, clean});
    const QList<ScanStore::Item> fromPage = m.scanReport().runItems(QStringLiteral(
                                                                        "https://www.youtube.com/watch?v=otherpost01"),
                                                                    {"new1", "new3", "new4", "new2"});
    QCOMPARE(fromPage.size(), 4);
    QCOMPARE(fromPage.at(0).kind, QStringLiteral("abuse"));    // the built-in word's kind
    QCOMPARE(fromPage.at(1).kind, QStringLiteral("sexual"));   // the AI kind
    QCOMPARE(fromPage.at(2).kind, QStringLiteral("spam"));
    QCOMPARE(fromPage.at(3).kind, QString());

    // The first scan of a post marks nothing fresh: only the pending records are listed.
    m.scanReport().logRun(page, f, {});
    qint64 latest = 0;
    for (const ScanStore::Run &r : h.store().runs(kPost))
        latest = std::max(latest, r.id);
    QCOMPARE(h.store().items(latest).size(), 4);
    m.review().setComments(comments);
    QCOMPARE(m.scanReport().runItems(kPost, {}).size(), 4);
}

void ScanReportTest::progressLine_data()
{
    QTest::addColumn<bool>("korean");
    QTest::addColumn<QString>("phase");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("line");   // "-": the line is left alone
    QTest::addColumn<StatusKind>("kind");

    const QString koCollect = QStringLiteral(R"({"code":"progress.collectingOf","args":[57,300]})");
    QTest::newRow("en collect") << false << "collect" << 57 << 300 << koCollect << "Collecting comments… 57"
                                << StatusKind::plain;
    QTest::newRow("ko collect") << true << "collect" << 57 << 300 << koCollect << "댓글 수집 중… 57개"
                                << StatusKind::plain;
    QTest::newRow("en check") << false << "check" << 3 << 40 << "progress.checking"
                              << "Checking… 3/40" << StatusKind::plain;
    QTest::newRow("ko check") << true << "check" << 3 << 40 << "progress.checking"
                              << "검사 중… 3/40" << StatusKind::plain;
    QTest::newRow("en delete, no text") << false << "delete" << 0 << 0 << ""
                                        << "Deleting…" << StatusKind::warn;
    QTest::newRow("ko delete, no text") << true << "delete" << 0 << 0 << ""
                                        << "삭제 중…" << StatusKind::warn;
    QTest::newRow("en delete counts") << false << "delete" << 2 << 5 << R"({"code":"progress.deleting","args":[2,5]})"
                                      << "Deleting… 2/5" << StatusKind::warn;
    QTest::newRow("ko delete counts") << true << "delete" << 2 << 5 << R"({"code":"progress.deleting","args":[2,5]})"
                                      << "삭제 중… 2/5" << StatusKind::warn;
    QTest::newRow("en delete, older script's counts") << false << "delete" << 2 << 5 << "삭제 중… 2/5"
                                                      << "Deleting… 2/5" << StatusKind::warn;
    QTest::newRow("en delete, other Korean wording") << false << "delete" << 2 << 5 << "삭제 중… 다음 댓글"
                                                     << "Deleting… 2/5" << StatusKind::warn;
    QTest::newRow("en delete, unknown text") << false << "delete" << 1 << 3 << "잠시만요"
                                             << "Deleting… 1/3" << StatusKind::warn;
    QTest::newRow("en delete, table text") << false << "delete" << 1 << 3 << "cancelled"
                                           << "Deletion cancelled." << StatusKind::warn;
    QTest::newRow("ko delete, table text") << true << "delete" << 1 << 3 << "cancelled"
                                           << "삭제를 취소했습니다." << StatusKind::warn;
    QTest::newRow("done leaves the line") << false << "done" << 40 << 40 << "progress.done"
                                          << "-" << StatusKind::plain;
    QTest::newRow("other phase leaves the line") << false << "scroll" << 1 << 1 << "x"
                                                 << "-" << StatusKind::plain;
}

void ScanReportTest::progressLine()
{
    QFETCH(bool, korean);
    QFETCH(QString, phase);
    QFETCH(int, count);
    QFETCH(int, total);
    QFETCH(QString, text);
    QFETCH(QString, line);
    QFETCH(StatusKind, kind);
    LanguageScope language(korean);
    ScanProgress p;
    p.phase = phase;
    p.count = count;
    p.total = total;
    p.text = text;
    const std::optional<StatusLine::Value> got = ScanReport::progressLine(p);
    if (line == QLatin1String("-")) {
        QVERIFY(!got);
        return;
    }
    QVERIFY(got);
    QCOMPARE(got->text, line);
    QCOMPARE(got->kind, kind);
}

void ScanReportTest::mirrorProgress()
{
    ModelHarness h;
    SpamModel &m = h.model();
    m.statusLine().set("before", StatusKind::ok);
    ScanProgress collect;
    collect.phase = "collect";
    collect.count = 12;
    collect.collected = 12;
    collect.flagged = 2;
    collect.samples = QList<Comment>{ModelHarness::comment("s", "sample")};

    // Not scanning (a deletion's poll): only the report and the line follow.
    m.openPage().mirrorProgress(collect);
    QCOMPARE(m.openPage().progress(), std::optional<ScanProgress>(collect));
    QCOMPARE(m.openPage().scanActivity(), ScanActivity());
    QCOMPARE(m.statusLine().text(), QStringLiteral("Collecting comments… 12"));
    QCOMPARE(m.statusLine().kind(), StatusKind::plain);

    m.jobs().set(JobState::Job::scan, true);
    m.openPage().mirrorProgress(collect);
    QCOMPARE(m.openPage().scanActivity().stage, ScanActivity::Stage::collecting);
    QCOMPARE(m.openPage().scanActivity().collected, 12);
    QCOMPARE(m.openPage().scanActivity().flagged, 2);
    QCOMPARE(m.openPage().scanActivity().samples.size(), 1);

    // "done": rules stage and count, the line stays; an empty sample list keeps the old samples.
    ScanProgress done;
    done.phase = "done";
    done.count = 40;
    done.samples = QList<Comment>{};
    m.statusLine().set("kept", StatusKind::plain);
    m.openPage().mirrorProgress(done);
    QCOMPARE(m.openPage().scanActivity().stage, ScanActivity::Stage::rules);
    QCOMPARE(m.openPage().scanActivity().rulesChecked, 40);
    QCOMPARE(m.openPage().scanActivity().samples.size(), 1);
    QCOMPARE(m.statusLine().text(), QStringLiteral("kept"));

    // During the AI pass the activity belongs to the AI pass.
    m.jobs().setPhase(JobState::Phase::ai);
    const ScanActivity frozen = m.openPage().scanActivity();
    ScanProgress check;
    check.phase = "check";
    check.count = 5;
    check.total = 9;
    m.openPage().mirrorProgress(check);
    QCOMPARE(m.openPage().scanActivity(), frozen);
    QCOMPARE(m.statusLine().text(), QStringLiteral("Checking… 5/9"));
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    qputenv("VT_LANG", "en");
    QCoreApplication app(argc, argv);
    ScanReportTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_scanreport.moc"
