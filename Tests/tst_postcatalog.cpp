// The post list on its own, over a history database in a temporary folder, a job state and the
// owner's settings, with no spam model, browser or service account: which of its actions a
// running job holds back and what each tells its listeners, the list's candidates from the store,
// the discovery status, and monitoring without an account.
#include "Await.h"
#include "TestMain.h"

#include "Base/AppSettings.h"
#include "Scan/JobState.h"
#include "Scan/OwnerSettings.h"
#include "Scan/PostCatalog.h"
#include "Store/ScanStore.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using vt::test::await;

namespace {

const QString kYtA = QStringLiteral("https://www.youtube.com/watch?v=aaaaaaaaaaa");
const QString kYtB = QStringLiteral("https://www.youtube.com/watch?v=bbbbbbbbbbb");
const QString kIgA = QStringLiteral("https://www.instagram.com/p/AAAAAAAAAAA/");

ScanStore::Post stored(const QString &site, const QString &url, qint64 secondsAgo, bool watched = false)
{
    ScanStore::Post p;
    p.site = site;
    p.url = url;
    p.title = QStringLiteral("stored ") + url.right(12);
    p.scannedAt = QDateTime::currentDateTime().addSecs(-secondsAgo);
    p.total = 10;
    p.flagged = 1;
    p.watched = watched;
    return p;
}

QStringList urls(const QList<ChannelPost> &rows)
{
    QStringList out;
    for (const ChannelPost &r : rows)
        out << r.url;
    return out;
}

// A catalog over its own store, settings file and job state, and the names of the signals it
// raised, in order.
struct Bench {
    QTemporaryDir dir;
    ScanStore store{dir.filePath(QStringLiteral("scans.sqlite"))};
    AppSettings file{dir.filePath(QStringLiteral("settings.json"))};
    OwnerSettings settings{&file};
    JobState jobs;
    PostCatalog catalog{store, jobs, settings};
    QStringList heard;

    Bench()
    {
        const auto note = [this](const QString &name) { return [this, name] { heard << name; }; };
        QObject::connect(&catalog, &PostCatalog::rowsChanged, &catalog, note(QStringLiteral("rows")));
        QObject::connect(&catalog, &PostCatalog::totalsChanged, &catalog, note(QStringLiteral("totals")));
        QObject::connect(&catalog, &PostCatalog::runsChanged, &catalog, note(QStringLiteral("runs")));
        QObject::connect(&catalog, &PostCatalog::deletionsChanged, &catalog, note(QStringLiteral("deletions")));
        QObject::connect(&catalog, &PostCatalog::discoveryStatusChanged, &catalog, note(QStringLiteral("status")));
        QObject::connect(&catalog, &PostCatalog::accountNeeded, &catalog, note(QStringLiteral("account")));
        QObject::connect(&catalog, &PostCatalog::browserNeeded, &catalog, note(QStringLiteral("browser")));
    }
};

enum class Action { loadHistory, forget, clearHistory };

}   // namespace

Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(JobState::Job)

class PostCatalogTest : public QObject {
    Q_OBJECT
private slots:
    // Filling the list waits only for a queue (which owns the rows meanwhile); forgetting and
    // clearing wait for any job. What acts tells the history which of its views to read again.
    void jobsHoldBack_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<JobState::Job>("job");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("heard");
        const QStringList both{kYtA, kYtB};   // the monitored post first
        const QStringList none;
        QTest::newRow("fill, idle") << Action::loadHistory << JobState::Job::idle << both
                                    << QStringList{"rows", "totals"};
        QTest::newRow("fill, under a scan")
            << Action::loadHistory << JobState::Job::scan << both << QStringList{"rows", "totals"};
        QTest::newRow("fill, under a queue") << Action::loadHistory << JobState::Job::queue << none << none;
        QTest::newRow("forget, idle") << Action::forget << JobState::Job::idle << QStringList{kYtB}
                                      << QStringList{"rows", "runs", "totals"};
        QTest::newRow("forget, under a scan") << Action::forget << JobState::Job::scan << both << none;
        QTest::newRow("forget, under discovery") << Action::forget << JobState::Job::discovery << both << none;
        QTest::newRow("clear, idle") << Action::clearHistory << JobState::Job::idle << QStringList{kYtA}
                                     << QStringList{"rows", "totals", "runs", "deletions"};
        QTest::newRow("clear, under a deletion") << Action::clearHistory << JobState::Job::removal << both << none;
    }
    void jobsHoldBack()
    {
        QFETCH(Action, action);
        QFETCH(JobState::Job, job);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, heard);
        Bench b;
        QVERIFY(b.store.record(stored("youtube", kYtA, 100, true)));
        QVERIFY(b.store.record(stored("youtube", kYtB, 50)));
        if (action != Action::loadHistory) {
            b.catalog.loadHistory();
            b.heard.clear();
        }
        b.jobs.start(job);
        switch (action) {
        case Action::loadHistory:
            b.catalog.loadHistory();
            break;
        case Action::forget:
            b.catalog.forget(kYtA);
            break;
        case Action::clearHistory:
            QCOMPARE(b.catalog.clearHistory(), job == JobState::Job::idle);
            break;
        }
        QCOMPARE(urls(b.catalog.rows()), rows);
        QCOMPARE(b.heard, heard);
        const bool acted = !heard.isEmpty();
        if (action == Action::forget) {
            QCOMPARE(b.store.post(kYtA).has_value(), !acted);
            QCOMPARE(b.store.dismissed().contains(kYtA), acted);
        }
        if (action == Action::clearHistory) {
            // The monitored post stays, its counts gone with the history; the other one goes.
            QVERIFY(b.store.post(kYtA));
            QCOMPARE(b.store.post(kYtB).has_value(), !acted);
            QCOMPARE(b.catalog.rows().first().total, acted ? 0 : 10);
        }
    }

    // The candidates without a browser: the rows, then stored posts not listed, then found posts
    // (one row per canonical address, a dismissed address not offered again).
    void candidatesFromStore()
    {
        Bench b;
        QVERIFY(b.store.record(stored("instagram", kIgA, 10)));
        QVERIFY(b.store.record(stored("youtube", kYtA, 100)));
        QVERIFY(b.store.addFound({{"youtube", "https://www.youtube.com/shorts/aaaaaaaaaaa", "short of A", {}},
                                  {"youtube", "https://youtu.be/bbbbbbbbbbb", "B", {}}}));
        ChannelPost listed;
        listed.site = QStringLiteral("youtube");
        listed.url = kYtB;
        b.catalog.setRows({listed});
        QCOMPARE(urls(b.catalog.candidates()), QStringList({kYtB, kIgA, kYtA}));
        b.catalog.setRows({});
        QCOMPARE(urls(b.catalog.candidates()), QStringList({kIgA, kYtA, kYtB}));
        QCOMPARE(b.catalog.candidates().last().title, QStringLiteral("B"));
        // Discovery takes nothing already offered, and keeps what was forgotten away.
        QVERIFY(
            b.store.dismiss("youtube", "https://www.youtube.com/watch?v=ccccccccccc", QDateTime::currentDateTime()));
        QCOMPARE(b.catalog.addDiscovered(
                     {FoundPost{"https://youtu.be/aaaaaaaaaaa", "again", std::nullopt},
                      FoundPost{"https://www.youtube.com/watch?v=ccccccccccc", "gone", std::nullopt},
                      FoundPost{"https://www.youtube.com/watch?v=ddddddddddd", "new", std::nullopt}}),
                 1);
        QCOMPARE(urls(b.catalog.candidates()).last(), QStringLiteral("https://www.youtube.com/watch?v=ddddddddddd"));
    }

    // Without a browser a load of posts is refused before it says anything; the status changes
    // only when set to another text; a stop reaches only a running discovery.
    void discoveryStatus_data()
    {
        QTest::addColumn<JobState::Job>("job");
        QTest::addColumn<bool>("stopAsked");
        QTest::newRow("idle") << JobState::Job::idle << false;
        QTest::newRow("a scan") << JobState::Job::scan << false;
        QTest::newRow("a discovery") << JobState::Job::discovery << true;
    }
    void discoveryStatus()
    {
        QFETCH(JobState::Job, job);
        QFETCH(bool, stopAsked);
        Bench b;
        QCOMPARE(await(b.catalog.loadMore(LoginProvider::youtube), 20000), 0);
        QCOMPARE(b.catalog.discoveryStatus(), QString());
        QCOMPARE(b.heard, QStringList());
        b.catalog.setDiscoveryStatus(PostCatalog::nothingMoreToLoad());
        b.catalog.setDiscoveryStatus(PostCatalog::nothingMoreToLoad());
        QCOMPARE(b.heard, QStringList({"status"}));
        QVERIFY(b.catalog.providers().isEmpty());
        b.jobs.start(job);
        b.catalog.stopLoading();
        QCOMPARE(b.jobs.stop().queue, stopAsked);
    }

    // With no account at all, turning monitoring on waits and asks for one; closing the settings
    // without it drops the request. Turning it off needs none.
    void monitorWithoutAccount()
    {
        Bench b;
        QVERIFY(b.store.record(stored("instagram", kIgA, 10, true)));
        b.catalog.loadHistory();
        b.heard.clear();
        QVERIFY(!b.catalog.setWatched(kYtA, true));
        QCOMPARE(b.catalog.pendingMonitor(), std::optional<QString>(kYtA));
        QCOMPARE(b.heard, QStringList({"account"}));
        b.catalog.finishPendingMonitor();
        QCOMPARE(b.catalog.pendingMonitor(), std::nullopt);
        QCOMPARE(b.store.post(kYtA), std::nullopt);
        b.heard.clear();
        QVERIFY(b.catalog.setWatched(kIgA, false));
        QVERIFY(!b.store.post(kIgA)->watched);
        QVERIFY(!b.catalog.rows().first().watched);
        QCOMPARE(b.heard, QStringList({"rows", "totals"}));
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    qputenv("VT_LANG", "en");
    QCoreApplication app(argc, argv);
    PostCatalogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_postcatalog.moc"
