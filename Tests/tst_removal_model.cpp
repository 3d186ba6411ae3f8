// The deletion of stored records up to the point where it would touch a page, and the recording
// of reported deletions outside a deletion: a model over its real store and settings, no browser.
// Runs in the language VT_LANG gives (English unless set; CTest runs it in Korean as well).
#include "Await.h"
#include "JobFlagSpy.h"
#include "ModelHarness.h"
#include "ScriptedAlerts.h"
#include "TestMain.h"

#include "Base/Lang.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

using namespace vt::test;

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

} // namespace

class RemovalModelTest : public QObject {
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
        QTest::newRow("45 over 3 posts") << 15 << 3
            << "Dry run: 30 comments on 2 posts would be deleted. The other 15 would be left for next time. Nothing was deleted."
            << "시험 실행: 게시물 2개에서 댓글 30개를 삭제하게 됩니다. 나머지 15개는 다음 차례로 남습니다. 아무것도 삭제하지 않았습니다.";
        QTest::newRow("one comment") << 1 << 1
            << "Dry run: 1 comment on 1 post would be deleted. Nothing was deleted."
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

        QCOMPARE(await(m.removeStored(records, {}, true)), 0);
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
        QTest::addColumn<int>("answer");      // -2: no alerts installed
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

        QCOMPARE(await(m.removeStored(list)), 0);
        QCOMPARE(alerts.asked, asked);
        if (asked) {
            QCOMPARE(alerts.last.title, ::korean() ? QStringLiteral("댓글 30개를 삭제합니다") : QStringLiteral("Delete 30 comments"));
            QCOMPARE(alerts.last.buttons.value(1), ::korean() ? QStringLiteral("30개 삭제") : QStringLiteral("Delete 30"));
            QCOMPARE(alerts.last.destructive, 1);
        }
        if (cancelled) {
            QCOMPARE(m.statusLine().text(), ::korean() ? QStringLiteral("삭제를 취소했습니다.") : QStringLiteral("Deletion cancelled."));
            QCOMPARE(m.statusLine().kind(), StatusKind::plain);
        } else {
            QCOMPARE(status.count(), 0);
        }
        QCOMPARE(touring.count(), 0);
        QCOMPARE(stats.count(), 0);
        QCOMPARE(m.history().runsVersion(), 0);
        QVERIFY(!m.removal());
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
            comments.append(ModelHarness::comment(QStringLiteral("Ugxreport%1").arg(i), QStringLiteral("text %1").arg(i),
                                                  QStringLiteral("spam"), i));
        QVERIFY(h.store().remember(QStringLiteral("youtube"), kPostA, comments, QStringLiteral("rules"), now));
        m.noteDeleted({QStringLiteral("Ugxreport0"), QStringLiteral("Ugxreport1")},
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
    RemovalModelTest tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_removal_model.moc"
