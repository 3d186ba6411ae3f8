// The window beside an export: a history of one post with 1,000,000 comments, the window's own
// connection marking a comment deleted every 20 ms, once while the CSV export runs on its thread
// and once the same writes without it (the baseline), alternately in the same run. Printed: the
// longest write (the window's stall), the longest gap between the window's turns, the writes
// refused, each with and without the export, and the ratio of the longest stalls.
// Goal: during the export no stall over 50 ms and no refused write.
//
//   export_stall_bench [rounds, default 3] [comments, default 1000000]

#include "BigHistory.h"
#include "TestMain.h"

#include "Store/ExportJob.h"
#include "Store/ScanStore.h"
#include "Store/StoreThread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

struct Stalls {
    double longestWriteMs = 0;
    double longestGapMs = 0;
    int writes = 0;
    int refused = 0;
    QString firstRefusal;
    double seconds = 0;
};

// Marks comments of the post deleted one at a time every 20 ms until `done` says stop (or, with
// a count, after that many writes), timing each write and each gap between the loop's turns.
Stalls writeBeside(ScanStore &store, const ScanStore::PostKey &post, int &next, const std::function<bool()> &done,
                   int count = -1)
{
    Stalls s;
    QEventLoop loop;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(20);
    QElapsedTimer clock;
    clock.start();
    qint64 lastTurn = clock.nsecsElapsed();
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        const qint64 start = clock.nsecsElapsed();
        s.longestGapMs = std::max(s.longestGapMs, double(start - lastTurn) / 1e6 - 20.0);
        if ((count >= 0 && s.writes >= count) || (count < 0 && done())) {
            loop.quit();
            return;
        }
        const QString id = QStringLiteral("big0-%1").arg(next++);
        const bool ok = store.markDeleted(post, {id}, QDateTime::currentDateTime());
        const qint64 end = clock.nsecsElapsed();
        s.longestWriteMs = std::max(s.longestWriteMs, double(end - start) / 1e6);
        ++s.writes;
        if (!ok) {
            ++s.refused;
            if (s.firstRefusal.isEmpty())
                s.firstRefusal = store.lastError();
        }
        lastTurn = end;
    });
    tick.start();
    loop.exec();
    s.seconds = double(clock.elapsed()) / 1000.0;
    return s;
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

}   // namespace

int main(int argc, char *argv[])
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const int rounds = std::max(1, args.value(0).toInt() > 0 ? args.value(0).toInt() : 3);
    const int size = args.value(1).toInt() > 0 ? args.value(1).toInt() : 1000000;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("scans.sqlite"));
    vt::test::BigHistory history;
    history.comments = size;
    history.perPost = size;   // one post holds them all
    history.days = 10;
    QElapsedTimer built;
    built.start();
    if (!history.write(path, QDateTime::currentDateTime())) {
        std::fprintf(stderr, "export_stall_bench: could not build the history\n");
        return 1;
    }
    std::printf("history of one post with %d comments built in %.1f s\n", size, built.elapsed() / 1000.0);
    std::fflush(stdout);

    ScanStore store(path);
    // As in the application: the history's own thread copies the log back, not the window.
    StoreThread beside(&store);
    if (!store.isOpen() || !beside.separate()) {
        std::fprintf(stderr, "export_stall_bench: %s\n", qPrintable(store.openError()));
        return 1;
    }
    const ScanStore::PostKey post{history.site, history.postUrl(0)};
    int next = 0;
    QList<double> with, without, gapsWith, gapsWithout;
    int refusedWith = 0, refusedWithout = 0;
    QString refusal;
    for (int round = 0; round < rounds; ++round) {
        bool finished = false;
        ExportJob job(&store, dir.filePath(QStringLiteral("export.csv")));
        qint64 rows = 0;
        QObject::connect(&job, &ExportJob::finished, [&](const ScanExport::Result &r) {
            finished = true;
            rows = r.rows;
        });
        job.start();
        const Stalls during = writeBeside(store, post, next, [&] { return finished; });
        const Stalls alone = writeBeside(store, post, next, {}, during.writes);
        with << during.longestWriteMs;
        without << alone.longestWriteMs;
        gapsWith << during.longestGapMs;
        gapsWithout << alone.longestGapMs;
        refusedWith += during.refused;
        refusedWithout += alone.refused;
        if (refusal.isEmpty())
            refusal = during.firstRefusal;
        std::printf(
            "round %d: export of %lld rows in %.1f s; %d writes beside it: longest %.1f ms, longest gap %.1f ms, "
            "%d refused; the same writes alone: longest %.1f ms, longest gap %.1f ms, %d refused\n",
            round + 1, rows, during.seconds, during.writes, during.longestWriteMs, during.longestGapMs, during.refused,
            alone.longestWriteMs, alone.longestGapMs, alone.refused);
        std::fflush(stdout);
    }
    const double w = median(with), a = median(without);
    std::printf(
        "longest window stall during the export %.1f ms (longest gap between turns %.1f ms), without it %.1f ms "
        "(%.1f ms): %.2fx; writes refused %d beside the export, %d without (goal: under 50 ms, none refused)\n",
        w, median(gapsWith), a, median(gapsWithout), a > 0 ? w / a : 0.0, refusedWith, refusedWithout);
    if (!refusal.isEmpty())
        std::printf("first refusal: %s\n", qPrintable(refusal));
    return 0;
}
