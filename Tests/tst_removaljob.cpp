// The deletion of stored records up to the point where it would touch a page, and the recording
// of reported deletions outside a deletion: a model over its real store and settings, no browser.
// The plans of both deletions are made from their inputs alone, without a model.
// Runs in the language VT_LANG gives (English unless set; CTest runs it in Korean as well).
#include "Await.h"
#include "JobFlagSpy.h"
#include "ModelHarness.h"
#include "ScriptedAlerts.h"
#include "TestMain.h"

#include "Base/Lang.h"
#include "Scan/JobState.h"
#include "Scan/RemovalJob.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace vt::test;

Q_DECLARE_METATYPE(RemovalJob::Replies)

namespace {

const QString kPostA = QStringLiteral("https://www.youtube.com/watch?v=vStoredA001");
const QString kPostB = QStringLiteral("https://www.youtube.com/watch?v=vStoredB001");
const QString kPostC = QStringLiteral("https://www.youtube.com/watch?v=vStoredC001");

bool korean()
{
    return Lang::system();
}

// `count` picked spam records of one post.
QList<ScanStore::Record> picks(const QString &post, int count)
{
    QList<ScanStore::Record> out;
    for (int i = 0; i < count; ++i) {
        ScanStore::Record r;
        r.site = QStringLiteral("youtube");
        r.post = post;
        r.id = QStringLiteral("Ugx%1%2").arg(post.right(4)).arg(i, 4, 10, QLatin1Char('0'));
        r.state = QStringLiteral("spam");
        r.reason = QStringLiteral("link");
        out.append(r);
    }
    return out;
}

// Comments of the open post from "id verdict [ticked] [owner]" lines, in page order.
QList<Comment> pageComments(const QStringList &lines)
{
    QList<Comment> out;
    for (const QString &line : lines) {
        const QStringList parts = line.split(u' ');
        Comment c = ModelHarness::comment(parts.at(0), QStringLiteral("text of ") + parts.at(0), parts.at(1),
                                          out.size());
        c.checked = parts.contains(QStringLiteral("ticked"));
        c.isOwner = parts.contains(QStringLiteral("owner"));
        out.append(c);
    }
    return out;
}

// Picked stored records from "post id" lines.
QList<ScanStore::Record> storedPicks(const QStringList &lines)
{
    QList<ScanStore::Record> out;
    for (const QString &line : lines) {
        ScanStore::Record r;
        r.site = QStringLiteral("youtube");
        r.post = QStringLiteral("https://www.youtube.com/watch?v=") + line.section(u' ', 0, 0);
        r.id = line.section(u' ', 1, 1);
        r.state = QStringLiteral("spam");
        out.append(r);
    }
    return out;
}

QStringList numbered(const QString &prefix, int count, const QString &tail)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out.append(prefix + QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')) + tail);
    return out;
}

}   // namespace

class RemovalJobTest : public QObject {
    Q_OBJECT

private slots:
    // A dry run tells what this pass would delete and touches nothing: no question, no run, no
    // job, no history write.
    void dryRun_data()
    {
        QTest::addColumn<int>("perPost");
        QTest::addColumn<int>("postCount");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("korean");
        QTest::newRow("45 over 3 posts")
            << 15 << 3
            << "Dry run: 30 comments on 2 posts would be deleted. The other 15 would be left for next time. Nothing was deleted."
            << "시험 실행: 게시물 2개에서 댓글 30개를 삭제하게 됩니다. 나머지 15개는 다음 차례로 남습니다. 아무것도 삭제하지 않았습니다.";
        QTest::newRow("one comment")
            << 1 << 1 << "Dry run: 1 comment on 1 post would be deleted. Nothing was deleted."
            << "시험 실행: 게시물 1개에서 댓글 1개를 삭제하게 됩니다. 아무것도 삭제하지 않았습니다.";
    }
    void dryRun()
    {
        QFETCH(int, perPost);
        QFETCH(int, postCount);
        QFETCH(QString, english);
        QFETCH(QString, korean);
        ModelHarness h;
        SpamModel &m = h.model();
        ScriptedAlerts alerts;
        alerts.answer = 1;
        m.setAlerts(&alerts);
        QList<ScanStore::Record> records;
        for (const QString &post : QStringList{kPostA, kPostB, kPostC}.mid(0, postCount))
            records += picks(post, perPost);
        JobFlagSpy touring(m.jobs(), &JobState::touring);
        QSignalSpy stats(&m.history(), &HistoryState::statsChanged);

        QCOMPARE(await(m.removalJob().removeStored(records, {}, true)), 0);
        QCOMPARE(m.statusLine().text(), ::korean() ? korean : english);
        QCOMPARE(m.statusLine().kind(), StatusKind::plain);
        QCOMPARE(alerts.asked, 0);
        QCOMPARE(touring.count(), 0);
        QCOMPARE(stats.count(), 0);
        QCOMPARE(m.history().runsVersion(), 0);
        QCOMPARE(m.history().deletionsVersion(), 0);
        QVERIFY(!m.history().runSession());
    }

    // Nothing starts without a yes: refused silently while another job runs or with nothing
    // picked; every answer but the delete button (and no one to ask) cancels before any run.
    void refusedOrDeclined_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<int>("answer");   // -2: no alerts installed
        QTest::addColumn<int>("asked");
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("nothing picked") << 0 << false << 1 << 0 << false;
        QTest::newRow("another job runs") << 5 << true << 1 << 0 << false;
        QTest::newRow("cancel") << 45 << false << 0 << 1 << true;
        QTest::newRow("alert closed") << 45 << false << -1 << 1 << true;
        QTest::newRow("no one to ask") << 45 << false << -2 << 0 << true;
    }
    void refusedOrDeclined()
    {
        QFETCH(int, records);
        QFETCH(bool, busy);
        QFETCH(int, answer);
        QFETCH(int, asked);
        QFETCH(bool, cancelled);
        ModelHarness h;
        SpamModel &m = h.model();
        ScriptedAlerts alerts;
        alerts.answer = answer;
        if (answer != -2)
            m.setAlerts(&alerts);
        m.jobs().set(JobState::Job::removal, busy);
        QList<ScanStore::Record> list = picks(kPostA, std::min(records, 20));
        if (records > 20)
            list += picks(kPostB, records - 20);
        JobFlagSpy touring(m.jobs(), &JobState::touring);
        QSignalSpy stats(&m.history(), &HistoryState::statsChanged);
        QSignalSpy status(&m.statusLine(), &StatusLine::changed);

        QCOMPARE(await(m.removalJob().removeStored(list)), 0);
        QCOMPARE(alerts.asked, asked);
        if (asked) {
            QCOMPARE(alerts.last.title,
                     ::korean() ? QStringLiteral("댓글 30개를 삭제합니다") : QStringLiteral("Delete 30 comments"));
            QCOMPARE(alerts.last.buttons.value(1),
                     ::korean() ? QStringLiteral("30개 삭제") : QStringLiteral("Delete 30"));
            QCOMPARE(alerts.last.destructive, 1);
        }
        if (cancelled) {
            QCOMPARE(m.statusLine().text(),
                     ::korean() ? QStringLiteral("삭제를 취소했습니다.") : QStringLiteral("Deletion cancelled."));
            QCOMPARE(m.statusLine().kind(), StatusKind::plain);
        } else {
            QCOMPARE(status.count(), 0);
        }
        QCOMPARE(touring.count(), 0);
        QCOMPARE(stats.count(), 0);
        QCOMPARE(m.history().runsVersion(), 0);
        QVERIFY(!m.removalJob().progress());
    }

    // The plan of a deletion on the open post, made from the comments alone: the ticked spam
    // comments in page order, at most one pass of them, and the replies the site deletes with the
    // threads of this pass (a reply chosen itself is not one of them).
    void planPage_data()
    {
        QTest::addColumn<QStringList>("comments");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<int>("deferred");
        QTest::addColumn<RemovalJob::Replies>("replies");
        QTest::newRow("ticked spam only, in page order")
            << QStringList{"A spam ticked", "B ok ticked", "C spam", "D spam ticked", "E skip ticked"}
            << QStringList{"A", "D"} << 0 << RemovalJob::Replies{};
        QTest::newRow("a thread takes its replies")
            << QStringList{"A spam ticked", "A.1 ok", "A.2 spam owner", "B spam ticked", "B.1 spam ticked", "C.1 ok"}
            << QStringList{"A", "B", "B.1"} << 0 << RemovalJob::Replies{2, 1, 1};
        QTest::newRow("a reply alone takes nothing") << QStringList{"A ok", "A.1 spam ticked", "A.2 ok owner"}
                                                     << QStringList{"A.1"} << 0 << RemovalJob::Replies{};
        QTest::newRow("one pass; a later pass's thread keeps its replies")
            << numbered(QStringLiteral("S"), 45, QStringLiteral(" spam ticked"))
                + QStringList{"S00.1 ok", "S40.1 ok owner"}
            << numbered(QStringLiteral("S"), 30, QString()) << 15 << RemovalJob::Replies{1, 1, 0};
        QTest::newRow("nothing ticked") << QStringList{"A spam", "B ok"} << QStringList{} << 0 << RemovalJob::Replies{};
    }
    void planPage()
    {
        QFETCH(QStringList, comments);
        QFETCH(QStringList, ids);
        QFETCH(int, deferred);
        QFETCH(RemovalJob::Replies, replies);
        const RemovalJob::PagePlan plan = RemovalJob::planPage(pageComments(comments));
        QCOMPARE(plan.ids.now, ids);
        QCOMPARE(plan.ids.deferred, deferred);
        QCOMPARE(plan.replies, replies);
        // The question the owner confirms counts what this pass deletes and its replies.
        const Alerts::Question question = RemovalJob::question(int(ids.size()), plan.replies);
        QCOMPARE(question.buttons.value(1),
                 (::korean() ? QStringLiteral("%1개 삭제") : QStringLiteral("Delete %1")).arg(ids.size()));
    }

    // The plan of a deletion of stored records: one pass of the picks, grouped by post in the
    // order the posts first come; a post whose picks all fall to a later pass is not opened.
    void planStored_data()
    {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QStringList>("posts");
        QTest::addColumn<QStringList>("firstPostIds");
        QTest::addColumn<int>("deferred");
        QTest::newRow("posts in first-come order") << QStringList{"vB b1", "vA a1", "vB b2", "vC c1"}
                                                   << QStringList{"vB", "vA", "vC"} << QStringList{"b1", "b2"} << 0;
        QTest::newRow("the last post falls to the next pass")
            << numbered(QStringLiteral("vA a"), 20, QString()) + numbered(QStringLiteral("vB b"), 10, QString())
                + numbered(QStringLiteral("vC c"), 5, QString())
            << QStringList{"vA", "vB"} << numbered(QStringLiteral("a"), 20, QString()) << 5;
    }
    void planStored()
    {
        QFETCH(QStringList, records);
        QFETCH(QStringList, posts);
        QFETCH(QStringList, firstPostIds);
        QFETCH(int, deferred);
        const QList<ScanStore::Record> picks = storedPicks(records);
        const RemovalJob::StoredPlan plan = RemovalJob::planStored(picks);
        QStringList urls;
        for (const QString &post : posts)
            urls.append(QStringLiteral("https://www.youtube.com/watch?v=") + post);
        QCOMPARE(plan.posts, urls);
        QStringList first;
        for (const ScanStore::Record &r : plan.byPost.value(urls.first()))
            first.append(r.id);
        QCOMPARE(first, firstPostIds);
        QCOMPARE(plan.records.deferred, deferred);
        QCOMPARE(plan.ids.size(), std::min<qsizetype>(picks.size(), RemovalJob::pass));
        QCOMPARE(plan.byPost.size(), posts.size());
    }

    // The replies a stored deletion's question counts come from the history: the stored replies
    // of each picked thread, not the picks themselves, with the unflagged and the owner's apart.
    void storedReplies_data()
    {
        QTest::addColumn<QStringList>("picked");
        QTest::addColumn<RemovalJob::Replies>("replies");
        QTest::newRow("a thread") << QStringList{"A"} << RemovalJob::Replies{3, 1, 1};
        QTest::newRow("a picked reply is not counted") << QStringList{"A", "A.3"} << RemovalJob::Replies{2, 1, 1};
        QTest::newRow("a reply alone takes nothing") << QStringList{"B.1"} << RemovalJob::Replies{};
        QTest::newRow("two threads") << QStringList{"A", "B"} << RemovalJob::Replies{5, 3, 1};
    }
    void storedReplies()
    {
        QFETCH(QStringList, picked);
        QFETCH(RemovalJob::Replies, replies);
        QTemporaryDir dir;
        ScanStore store(dir.filePath(QStringLiteral("scans.sqlite")));
        const QList<Comment> comments = pageComments(
            {"A spam", "A.1 ok", "A.2 spam owner", "A.3 spam", "B spam", "B.1 ok", "B.2 skip", "C spam"});
        QVERIFY(store.remember(QStringLiteral("youtube"), kPostA, comments, QStringLiteral("rules"),
                               QDateTime::currentDateTime()));
        QList<ScanStore::Record> picks;
        for (const ScanStore::Record &r : store.comments(kPostA, 100)) {
            if (picked.contains(r.id))
                picks.append(r);
        }
        QCOMPARE(picks.size(), picked.size());
        QCOMPARE(RemovalJob::storedReplies(store, RemovalJob::planStored(picks)), replies);
    }

    // A deletion of stored records is a job over posts: the scans and deletions it runs are its
    // steps, and the views see it as they saw a queue (touring), with busy during each deletion.
    void storedDeletionAsAJob_data()
    {
        QTest::addColumn<QStringList>("moves");   // "+kind" starts, "-kind" ends
        QTest::addColumn<bool>("touring");
        QTest::addColumn<bool>("scanning");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<bool>("working");
        QTest::newRow("started") << QStringList{"+deletion"} << true << false << false << true;
        QTest::newRow("its scan") << QStringList{"+deletion", "+scan"} << true << true << false << true;
        QTest::newRow("its deletion") << QStringList{"+deletion", "+removal"} << true << false << true << true;
        QTest::newRow("after a step") << QStringList{"+deletion", "+removal", "-removal"} << true << false << false
                                      << true;
        QTest::newRow("ended") << QStringList{"+deletion", "+scan", "-scan", "-deletion"} << false << false << false
                               << false;
    }
    void storedDeletionAsAJob()
    {
        QFETCH(QStringList, moves);
        const QHash<QString, JobState::Job> kinds{{"deletion", JobState::Job::deletion},
                                                  {"scan", JobState::Job::scan},
                                                  {"removal", JobState::Job::removal}};
        JobState jobs;
        for (const QString &move : moves)
            jobs.set(kinds.value(move.mid(1)), move.startsWith(u'+'));
        QTEST(jobs.touring(), "touring");
        QTEST(jobs.scanning(), "scanning");
        QTEST(jobs.busy(), "busy");
        QTEST(jobs.working(), "working");
    }

    // A report of deleted comments that arrives when no deletion runs records nothing: the
    // history keeps the comments as they were.
    void reportOutsideADeletion()
    {
        ModelHarness h;
        SpamModel &m = h.model();
        const QDateTime now = QDateTime::currentDateTime();
        QList<Comment> comments;
        for (int i = 0; i < 3; ++i)
            comments.append(ModelHarness::comment(QStringLiteral("Ugxreport%1").arg(i),
                                                  QStringLiteral("text %1").arg(i), QStringLiteral("spam"), i));
        QVERIFY(h.store().remember(QStringLiteral("youtube"), kPostA, comments, QStringLiteral("rules"), now));
        m.removalJob().noteDeleted({QStringLiteral("Ugxreport0"), QStringLiteral("Ugxreport1")},
                                   ScanStore::PostKey{QStringLiteral("youtube"), kPostA});
        QCOMPARE(m.history().deletionsVersion(), 0);
        for (const ScanStore::Record &r : h.store().comments(kPostA, 10))
            QVERIFY2(!r.deletedAt, qPrintable(r.id));
    }
};

int main(int argc, char *argv[])
{
    isolateUserFolders();
    if (!qEnvironmentVariableIsSet("VT_LANG"))
        qputenv("VT_LANG", "en");
    QCoreApplication app(argc, argv);
    RemovalJobTest tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_removaljob.moc"
