// The spam model's post list without a browser: rows of stored posts, the candidates in their one
// order with one row per canonical address, a scanned post entering the list, filling the list
// from the history, forgetting a post and clearing the history, storing discovered posts,
// monitoring with its service sign-in rule, and the automatic run's notice.
#include "LanguageScope.h"
#include "ModelHarness.h"
#include "TestMain.h"

#include "Scan/AutoScanSchedule.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QString kYtA = QStringLiteral("https://www.youtube.com/watch?v=aaaaaaaaaaa");
const QString kYtB = QStringLiteral("https://www.youtube.com/watch?v=bbbbbbbbbbb");
const QString kIgA = QStringLiteral("https://www.instagram.com/p/AAAAAAAAAAA/");
const QString kIgB = QStringLiteral("https://www.instagram.com/p/BBBBBBBBBBB/");

ScanStore::Post stored(const QString &site, const QString &url, qint64 secondsAgo, bool watched = false,
                       int flagged = 0)
{
    ScanStore::Post p;
    p.site = site;
    p.url = url;
    p.title = QStringLiteral("stored ") + url.right(12);
    p.scannedAt = secondsAgo < 0 ? QDateTime::fromSecsSinceEpoch(0) : QDateTime::currentDateTime().addSecs(-secondsAgo);
    p.total = 10;
    p.flagged = flagged;
    p.watched = watched;
    return p;
}

FoundPost found(const QString &url, const QString &title = QString())
{
    return FoundPost{url, title, std::nullopt};
}

QStringList urls(const QList<ChannelPost> &rows)
{
    QStringList out;
    for (const ChannelPost &r : rows)
        out << r.url;
    return out;
}

}   // namespace

class PostListTest : public QObject {
    Q_OBJECT
private slots:
    void rowOfStoredPost_data()
    {
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("url");
        QTest::addColumn<qint64>("secondsAgo");
        QTest::addColumn<bool>("hasScanTime");
        QTest::addColumn<QString>("thumbnail");
        QTest::newRow("youtube, derived picture")
            << "youtube" << kYtA << qint64(60) << true << "https://i.ytimg.com/vi/aaaaaaaaaaa/mqdefault.jpg";
        QTest::newRow("instagram, no picture") << "instagram" << kIgA << qint64(60) << true << QString();
        QTest::newRow("only monitored: no scan time") << "instagram" << kIgA << qint64(-1) << false << QString();
    }
    void rowOfStoredPost()
    {
        QFETCH(QString, site);
        QFETCH(QString, url);
        QFETCH(qint64, secondsAgo);
        QFETCH(bool, hasScanTime);
        QFETCH(QString, thumbnail);
        const ChannelPost r = PostCatalog::row(stored(site, url, secondsAgo, true, 2), ChannelPost::State::done);
        QCOMPARE(r.url, url);
        QCOMPARE(r.state, ChannelPost::State::done);
        QCOMPARE(r.flagged, 2);
        QVERIFY(r.watched);
        QCOMPARE(r.added, 0);
        QCOMPARE(r.note, QString());
        QCOMPARE(r.scannedAt.has_value(), hasScanTime);
        QCOMPARE(r.thumbnail.value_or(QString()), thumbnail);
    }

    // The model's rows, then stored posts, then found posts: each address once, also when a found
    // address is another form of a listed one.
    void candidatesOrder()
    {
        ModelHarness h;
        QVERIFY(h.store().record(stored("youtube", kYtA, 100)));
        QVERIFY(h.store().record(stored("instagram", kIgA, 50)));
        QVERIFY(h.store().addFound({{"youtube", "https://www.youtube.com/shorts/aaaaaaaaaaa", "short of A", {}},
                                    {"youtube", kYtB, "found B", {}},
                                    {"instagram", "https://www.instagram.com/reel/BBBBBBBBBBB/", "reel B", {}},
                                    {"instagram", kIgB, "again B", {}}}));
        ChannelPost mine;
        mine.site = "instagram";
        mine.url = kIgA;
        mine.state = ChannelPost::State::failed;
        h.model().catalog().setRows({mine});
        const QList<ChannelPost> rows = h.model().catalog().candidates();
        QCOMPARE(urls(rows), QStringList({kIgA, kYtA, kYtB, kIgB}));
        QCOMPARE(rows.at(0).state, ChannelPost::State::failed);
        QCOMPARE(rows.at(1).state, ChannelPost::State::done);
        QCOMPARE(rows.at(2).state, ChannelPost::State::waiting);
        QCOMPARE(rows.at(2).title, QString("found B"));
        QCOMPARE(rows.at(3).title, QString("reel B"));
        // No browser: no open page, and the model's list is not changed.
        QCOMPARE(h.model().catalog().rows().size(), 1);
    }

    // A post just scanned moves to the top, except while a job over several posts runs: then it
    // is updated in place, and a post outside the job's list is not taken in.
    void listPost_data()
    {
        QTest::addColumn<bool>("touring");
        QTest::addColumn<QString>("scanned");
        QTest::addColumn<QStringList>("order");
        const QString kYtC = QStringLiteral("https://www.youtube.com/watch?v=ccccccccccc");
        const QString kYtD = QStringLiteral("https://www.youtube.com/watch?v=ddddddddddd");
        QTest::newRow("third post, idle") << false << kYtC << QStringList{kYtC, kYtA, kYtB};
        QTest::newRow("third post, during a queue") << true << kYtC << QStringList{kYtA, kYtB, kYtC};
        QTest::newRow("new post, idle") << false << kYtD << QStringList{kYtD, kYtA, kYtB, kYtC};
        QTest::newRow("new post, during a queue") << true << kYtD << QStringList{kYtA, kYtB, kYtC};
    }
    void listPost()
    {
        QFETCH(bool, touring);
        QFETCH(QString, scanned);
        QFETCH(QStringList, order);
        ModelHarness h;
        QList<ChannelPost> rows;
        for (const QString &u : {kYtA, kYtB, QStringLiteral("https://www.youtube.com/watch?v=ccccccccccc")}) {
            ChannelPost r;
            r.site = "youtube";
            r.url = u;
            r.state = ChannelPost::State::waiting;
            rows << r;
        }
        h.model().catalog().setRows(rows);
        h.model().jobs().set(JobState::Job::queue, touring);
        ScanStore::Post post = stored("youtube", scanned, 5, false, 3);
        h.model().catalog().listPost(post, 4);
        QCOMPARE(urls(h.model().catalog().rows()), order);
        for (const ChannelPost &r : h.model().catalog().rows()) {
            if (r.url != scanned)
                continue;
            QCOMPARE(r.state, ChannelPost::State::done);
            QCOMPARE(r.flagged, 3);
            QCOMPARE(r.added, 4);
            QVERIFY(r.scannedAt);
        }
    }

    // The history fills an empty list (watched first, then the latest scans) and the totals;
    // a list that has rows, or a job over several posts, is left alone, totals included.
    void loadHistory_data()
    {
        QTest::addColumn<bool>("listed");
        QTest::addColumn<bool>("touring");
        QTest::addColumn<bool>("fills");
        QTest::newRow("empty list") << false << false << true;
        QTest::newRow("rows present") << true << false << false;
        QTest::newRow("empty, during a job") << false << true << false;
    }
    void loadHistory()
    {
        QFETCH(bool, listed);
        QFETCH(bool, touring);
        QFETCH(bool, fills);
        ModelHarness h;
        // The model is made before the history grows, so that reading the totals shows.
        QCOMPARE(h.model().history().stats().posts, 0);
        QVERIFY(h.store().record(stored("youtube", kYtA, 100)));
        QVERIFY(h.store().record(stored("instagram", kIgA, 50, false, 2)));
        QVERIFY(h.store().record(stored("youtube", kYtB, 500, true)));
        ChannelPost mine;
        mine.site = "instagram";
        mine.url = kIgB;
        if (listed)
            h.model().catalog().setRows({mine});
        h.model().jobs().set(JobState::Job::queue, touring);
        const QList<ChannelPost> before = h.model().catalog().rows();
        QSignalSpy stats(&h.model().history(), &HistoryState::statsChanged);
        h.model().catalog().loadHistory();
        if (fills) {
            QCOMPARE(urls(h.model().catalog().rows()), QStringList({kYtB, kIgA, kYtA}));
            QCOMPARE(h.model().catalog().rows().at(1).state, ChannelPost::State::done);
            QCOMPARE(h.model().history().stats().posts, 3);
            QCOMPARE(stats.count(), 1);
        } else {
            QCOMPARE(h.model().catalog().rows(), before);
            QCOMPARE(stats.count(), 0);
        }
    }

    // Forgetting a post: nothing while the model works; otherwise the post leaves the history and
    // the list, discovery does not bring it back, and the scan log reloads.
    void forgetPost_data()
    {
        QTest::addColumn<bool>("working");
        QTest::newRow("idle") << false;
        QTest::newRow("while a scan runs") << true;
    }
    void forgetPost()
    {
        QFETCH(bool, working);
        ModelHarness h;
        QVERIFY(h.store().record(stored("youtube", kYtA, 100)));
        QVERIFY(h.store().record(stored("youtube", kYtB, 50)));
        h.model().catalog().loadHistory();
        const QList<ChannelPost> before = h.model().catalog().rows();
        const int runs = h.model().history().runsVersion();
        h.model().jobs().set(JobState::Job::scan, working);
        h.model().catalog().forget(kYtA);
        if (working) {
            QCOMPARE(h.model().catalog().rows(), before);
            QVERIFY(h.store().post(kYtA));
            QVERIFY(!h.store().dismissed().contains(kYtA));
            QCOMPARE(h.model().history().runsVersion(), runs);
            return;
        }
        QCOMPARE(urls(h.model().catalog().rows()), QStringList({kYtB}));
        QCOMPARE(h.store().post(kYtA), std::nullopt);
        QVERIFY(h.store().dismissed().contains(kYtA));
        QCOMPARE(h.model().history().runsVersion(), runs + 1);
        QCOMPARE(h.model().history().stats().posts, 1);
        QVERIFY(!urls(h.model().catalog().candidates()).contains(kYtA));
        // Discovery finding it again (in another address form) does not list it.
        QCOMPARE(h.model().catalog().addDiscovered({found("https://youtu.be/aaaaaaaaaaa", "again")}), 0);
    }

    // Clearing the history keeps the monitored posts in the list, with their counts at zero.
    void clearHistoryKeepsMonitored()
    {
        ModelHarness h;
        QVERIFY(h.store().record(stored("youtube", kYtA, 100, true, 4)));
        QVERIFY(h.store().record(stored("instagram", kIgA, 50, false, 2)));
        h.model().catalog().loadHistory();
        QCOMPARE(h.model().catalog().rows().size(), 2);
        const int runs = h.model().history().runsVersion();
        QVERIFY(h.model().catalog().clearHistory());
        QCOMPARE(urls(h.model().catalog().rows()), QStringList({kYtA}));
        const ChannelPost kept = h.model().catalog().rows().first();
        QVERIFY(kept.watched);
        QCOMPARE(kept.total, 0);
        QCOMPARE(kept.flagged, 0);
        QVERIFY(h.model().history().runsVersion() > runs);
        QCOMPARE(urls(h.model().catalog().candidates()), QStringList({kYtA}));
    }

    void addDiscovered_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("stored");   // canonical addresses the found table gains
        QTest::addColumn<int>("added");
        QTest::newRow("new posts") << QStringList{kYtB, kIgB} << QStringList{kYtB, kIgB} << 2;
        QTest::newRow("short link and Shorts form of a listed post")
            << QStringList{"https://youtu.be/aaaaaaaaaaa", "https://www.youtube.com/shorts/aaaaaaaaaaa"}
            << QStringList{} << 0;
        QTest::newRow("a Shorts and a watch address of one video")
            << QStringList{"https://www.youtube.com/shorts/bbbbbbbbbbb", kYtB} << QStringList{kYtB} << 1;
        QTest::newRow("dismissed") << QStringList{"https://www.instagram.com/p/DDDDDDDDDDD/"} << QStringList{} << 0;
        QTest::newRow("not a post") << QStringList{"https://www.youtube.com/@someone", "https://example.com/p/x"}
                                    << QStringList{} << 0;
    }
    void addDiscovered()
    {
        QFETCH(QStringList, given);
        QFETCH(QStringList, stored);
        QFETCH(int, added);
        ModelHarness h;
        QVERIFY(h.store().record(::stored("youtube", kYtA, 100)));
        QVERIFY(
            h.store().dismiss("instagram", "https://www.instagram.com/p/DDDDDDDDDDD/", QDateTime::currentDateTime()));
        QList<FoundPost> posts;
        for (const QString &u : given)
            posts << found(u, "t");
        QCOMPARE(h.model().catalog().addDiscovered(posts), added);
        QStringList inTable;
        for (const ScanStore::Found &f : h.store().found())
            inTable << f.url;
        QCOMPARE(inTable, stored);
    }

    void addDiscoveredTakesThirty()
    {
        ModelHarness h;
        QList<FoundPost> posts;
        for (int i = 0; i < 45; ++i)
            posts << found(QStringLiteral("https://www.instagram.com/p/POST%1/").arg(i, 7, 10, QChar(u'0')));
        QCOMPARE(h.model().catalog().addDiscovered(posts), 30);
        const QList<ScanStore::Found> table = h.store().found();
        QCOMPARE(table.size(), 30);
        QCOMPARE(table.first().url, posts.first().url);
        QCOMPARE(table.last().url, posts.at(29).url);
        // The next batch brings the rest.
        QCOMPARE(h.model().catalog().addDiscovered(posts), 15);
    }

    // Without the service account monitoring waits for the sign-in; the request is answered
    // false and the account is asked for.
    void monitorNeedsServiceSignIn()
    {
        ModelHarness h;
        QSignalSpy asked(&h.model(), &SpamModel::accountRequestChanged);
        QVERIFY(!h.model().catalog().setWatched(kIgA, true));
        QCOMPARE(h.model().catalog().pendingMonitor(), std::optional<QString>(kIgA));
        QCOMPARE(asked.count(), 1);
        QCOMPARE(h.store().post(kIgA), std::nullopt);
        // Still no account when the settings close: the request is dropped.
        h.model().catalog().finishPendingMonitor();
        QCOMPARE(h.model().catalog().pendingMonitor(), std::nullopt);
        QCOMPARE(h.store().post(kIgA), std::nullopt);
        // Turning it off needs no account.
        QVERIFY(h.model().catalog().setWatched(kIgA, false));
    }

    void finishPendingMonitorWithAccount()
    {
        ModelHarness h({}, true);
        h.model().catalog().setPendingMonitor(kIgA);
        h.model().catalog().finishPendingMonitor();
        QCOMPARE(h.model().catalog().pendingMonitor(), std::nullopt);
        QVERIFY(h.store().post(kIgA) && h.store().post(kIgA)->watched);
    }

    // Monitoring a post that has no row yet: stored unscanned, taken off the dismissed list, shown
    // at the top; turning it off again removes both, except while a job over several posts runs.
    void monitorUnlistedPost_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<bool>("touring");
        QTest::newRow("canonical") << kIgB << false;
        QTest::newRow("reel form of it") << "https://www.instagram.com/reel/BBBBBBBBBBB/?igsh=x" << false;
        QTest::newRow("during a queue") << kIgB << true;
    }
    void monitorUnlistedPost()
    {
        QFETCH(QString, given);
        QFETCH(bool, touring);
        ModelHarness h({}, true);
        QVERIFY(h.store().record(stored("instagram", kIgA, 100)));
        QVERIFY(h.store().dismiss("instagram", kIgB, QDateTime::currentDateTime()));
        h.model().catalog().setRows({PostCatalog::row(*h.store().post(kIgA), ChannelPost::State::done)});
        QVERIFY(h.model().catalog().setWatched(given, true));
        const std::optional<ScanStore::Post> post = h.store().post(kIgB);
        QVERIFY(post);
        QVERIFY(post->watched);
        QCOMPARE(post->scannedAt.toSecsSinceEpoch(), 0);
        QVERIFY(!h.store().dismissed().contains(kIgB));
        QCOMPARE(urls(h.model().catalog().rows()), QStringList({kIgB, kIgA}));
        QVERIFY(h.model().catalog().rows().first().watched);
        QVERIFY(!h.model().catalog().rows().first().scannedAt);
        QCOMPARE(h.model().history().stats().watched, 1);

        h.model().jobs().set(JobState::Job::queue, touring);
        QVERIFY(h.model().catalog().setWatched(given, false));
        QCOMPARE(h.store().post(kIgB), std::nullopt);
        QCOMPARE(h.model().history().stats().watched, 0);
        if (touring) {
            QCOMPARE(urls(h.model().catalog().rows()), QStringList({kIgB, kIgA}));
            QVERIFY(!h.model().catalog().rows().first().watched);
        } else {
            QCOMPARE(urls(h.model().catalog().rows()), QStringList({kIgA}));
        }
    }

    // A scanned post keeps its row and its history when it is no longer monitored.
    void unwatchScannedPost()
    {
        ModelHarness h({}, true);
        QVERIFY(h.store().record(stored("instagram", kIgA, 100, true)));
        h.model().catalog().setRows({PostCatalog::row(*h.store().post(kIgA), ChannelPost::State::done)});
        QVERIFY(h.model().catalog().setWatched(kIgA, false));
        QCOMPARE(h.model().catalog().rows().size(), 1);
        QVERIFY(!h.model().catalog().rows().first().watched);
        QVERIFY(h.store().post(kIgA) && !h.store().post(kIgA)->watched);
    }

    void autoScanNotice_data()
    {
        QTest::addColumn<int>("scanned");
        QTest::addColumn<int>("flagged");
        QTest::addColumn<bool>("korean");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("body");
        QTest::newRow("flags") << 3 << 7 << false << "7 suspected comments"
                               << "Scanned 3 posts automatically. Review and delete in the app.";
        QTest::newRow("no flags") << 12 << 0 << false << "No suspected comments"
                                  << "Scanned 12 posts automatically.";
        QTest::newRow("nothing scanned") << 0 << 0 << false << "Automatic scan failed"
                                         << "The automatic scan couldn't scan any posts. Check the app.";
        QTest::newRow("flags, Korean") << 3 << 1 << true << "의심 댓글 1개"
                                       << "게시물 3개를 자동으로 검사했습니다. 앱에서 확인하고 삭제하세요.";
        QTest::newRow("no flags, Korean") << 2 << 0 << true << "의심 댓글 없음"
                                          << "게시물 2개를 자동으로 검사했습니다.";
        QTest::newRow("nothing scanned, Korean")
            << 0 << 0 << true << "자동 검사 실패"
            << "자동 검사에서 게시물을 하나도 검사하지 못했습니다. 앱에서 확인하세요.";
    }
    void autoScanNotice()
    {
        QFETCH(int, scanned);
        QFETCH(int, flagged);
        QFETCH(bool, korean);
        QFETCH(QString, title);
        QFETCH(QString, body);
        QCOMPARE(inLanguage(korean, [&] { return AutoScanSchedule::notice(scanned, flagged); }),
                 (AutoScanSchedule::Notice{title, body}));
    }

    void autoScanFirstDelay_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<double>("seconds");
        QTest::newRow("absent") << QByteArray() << 60.0;
        QTest::newRow("seconds") << QByteArray("5") << 5.0;
        QTest::newRow("fraction, blanks") << QByteArray(" 0.5 ") << 0.5;
        QTest::newRow("negative") << QByteArray("-30") << 0.0;
        QTest::newRow("huge") << QByteArray("1e300") << 86400.0;
        QTest::newRow("infinite") << QByteArray("inf") << 86400.0;
        QTest::newRow("not a number") << QByteArray("soon") << 60.0;
        QTest::newRow("nan") << QByteArray("nan") << 60.0;
        QTest::newRow("trailing text") << QByteArray("5s") << 60.0;
    }
    void autoScanFirstDelay()
    {
        QFETCH(QByteArray, value);
        QFETCH(double, seconds);
        QCOMPARE(AutoScanSchedule::firstDelay(value), seconds);
    }

    // Without a browser nothing is due and nothing is loaded.
    void noBrowser()
    {
        ModelHarness h({{"vt.autoScanHours", 1}});
        QVERIFY(h.model().catalog().providers().isEmpty());
        QVERIFY(!h.model().autoScans().windowOnScreen());
        bool ran = false;
        h.model().autoScans().applicationActive = [] { return false; };
        h.model().autoScans().channelScan = [&ran]() -> QCoro::Task<void> {
            ran = true;
            co_return;
        };
        auto check = h.model().autoScans().ifDue();
        QVERIFY(check.isReady());
        QVERIFY(!ran);
        QVERIFY(!h.settings().contains("vt.lastAutoScan"));
        auto load = h.model().catalog().loadMore(LoginProvider::youtube);
        QVERIFY(load.isReady());
        QCOMPARE(h.model().catalog().discoveryStatus(), QString());
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    qputenv("VT_LANG", "en");
    QCoreApplication app(argc, argv);
    PostListTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_postlist.moc"
