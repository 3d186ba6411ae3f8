// A start that must expire half of a large history: posts of 1,000 comments scanned evenly over
// the last year, the retention 180 days. The model is made over the history as the application
// makes it at its start, and its expiry runs while the window marks a comment deleted every
// 50 ms; printed are the window's longest wait (the longest of its turns) until the expiry is
// done, against its goal of 50 ms, and, on a copy of the same history in the same run, the same
// expiry run in batches on the window's own thread (the way it ran before) as the baseline.
//
//   expiry_bench [comments, default 1000000]

#include "BigHistory.h"
#include "TestMain.h"

#include "Base/AppSettings.h"
#include "Scan/SpamModel.h"
#include "Service/VeltraneAccount.h"
#include "Store/ScanStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

struct Wait {
    double longestMs = 0;   // the longest turn of the window's loop
    double longestWriteMs = 0;
    int writes = 0;
    int refused = 0;
    double seconds = 0;
    int remaining = 0;
};

// Runs the loop until `done`, timing every turn: a precise 5 ms tick notes how late it came, and a
// deletion mark every 50 ms stands in for the owner's work.
Wait watch(ScanStore &store, const vt::test::BigHistory &history, const std::function<bool()> &done)
{
    Wait w;
    QEventLoop loop;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(5);
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    qint64 lastWrite = 0;
    int next = 0;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        const qint64 now = clock.nsecsElapsed();
        w.longestMs = std::max(w.longestMs, double(now - last) / 1e6 - 5.0);
        if (done()) {
            loop.quit();
            return;
        }
        if (now - lastWrite >= 50000000) {
            lastWrite = now;
            // The newest posts: never expired.
            const ScanStore::PostKey post{history.site, history.postUrl(next % 20)};
            const QString id = QStringLiteral("big%1-%2").arg(next % 20).arg(next / 20);
            ++next;
            const bool ok = store.markDeleted(post, {id}, QDateTime::currentDateTime());
            w.longestWriteMs = std::max(w.longestWriteMs, double(clock.nsecsElapsed() - now) / 1e6);
            ++w.writes;
            w.refused += ok ? 0 : 1;
        }
        last = clock.nsecsElapsed();
    });
    tick.start();
    loop.exec();
    w.seconds = double(clock.elapsed()) / 1000.0;
    w.remaining = store.stats().comments;
    return w;
}

void print(const char *how, const Wait &w)
{
    std::printf("%s: longest wait of the window %.1f ms (goal under 50 ms), longest deletion mark %.1f ms, "
                "%d marks, %d refused, %.1f s, %d comments left\n",
                how, w.longestMs, w.longestWriteMs, w.writes, w.refused, w.seconds, w.remaining);
    std::fflush(stdout);
}

}   // namespace

int main(int argc, char *argv[])
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    const int size = app.arguments().value(1).toInt() > 0 ? app.arguments().value(1).toInt() : 1000000;

    QTemporaryDir dir;
    const QString original = dir.filePath(QStringLiteral("original.sqlite"));
    vt::test::BigHistory history;
    history.comments = size;
    history.days = 360;
    QElapsedTimer built;
    built.start();
    if (!history.write(original, QDateTime::currentDateTime())) {
        std::fprintf(stderr, "expiry_bench: could not build the history\n");
        return 1;
    }
    std::printf("history of %d comments over %d days built in %.1f s; the retention is 180 days\n", size, history.days,
                built.elapsed() / 1000.0);
    std::fflush(stdout);
    const QString before = dir.filePath(QStringLiteral("before.sqlite"));
    const QString after = dir.filePath(QStringLiteral("after.sqlite"));
    if (!QFile::copy(original, before) || !QFile::copy(original, after))
        return 1;

    // The baseline: batches of 500 on the window's own thread, one an event-loop turn.
    {
        ScanStore store(before);
        store.keepDays = 180;
        QElapsedTimer opened;
        opened.start();
        store.isOpen();   // its first batch runs here, as at every open before
        std::printf("the history opened with a first batch in %.1f ms\n", double(opened.nsecsElapsed()) / 1e6);
        std::function<void()> step = [&] {
            store.purgeSome();
            if (store.purgePending())
                QTimer::singleShot(0, step);
        };
        QTimer::singleShot(0, step);
        print("expiry on the window's thread (before)", watch(store, history, [&] { return !store.purgePending(); }));
    }

    // The application's start: the model over the history, the expiry on the history's thread.
    {
        AppSettings settings(dir.filePath(QStringLiteral("settings.json")));
        settings.setValue(QStringLiteral("vt.keepDays"), 180);
        VeltraneAccount account(QUrl(QStringLiteral("http://127.0.0.1:9")), QString());
        ScanStore store(after);
        // Opened before the watch, as the baseline's: the open is the start's, not the expiry's.
        // The model leaves the open no expiry to run (it is made before the open in the program).
        store.purgeAtOpen = false;
        QElapsedTimer made;
        made.start();
        store.isOpen();
        const double openMs = double(made.nsecsElapsed()) / 1e6;
        made.restart();
        SpamModel model(nullptr, nullptr, &account, &store, &settings);
        const double makeMs = double(made.nsecsElapsed()) / 1e6;
        // Done once no comment past the retention is left, asked through a connection of its own.
        sqlite3 *probe = nullptr;
        sqlite3_open_v2(after.toUtf8().constData(), &probe, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt *expired = nullptr;
        sqlite3_prepare_v2(probe, "SELECT 1 FROM comments WHERE seen_at < ?1 LIMIT 1", -1, &expired, nullptr);
        const double cutoff = double(QDateTime::currentMSecsSinceEpoch()) / 1000.0 - 180.0 * 86400.0;
        QElapsedTimer asked;
        asked.start();
        const Wait w = watch(store, history, [&] {
            if (asked.elapsed() < 100)
                return false;
            asked.restart();
            sqlite3_reset(expired);
            sqlite3_bind_double(expired, 1, cutoff);
            return sqlite3_step(expired) == SQLITE_DONE;
        });
        sqlite3_finalize(expired);
        sqlite3_close(probe);
        std::printf("the history opened in %.1f ms, the model made in %.1f ms\n", openMs, makeMs);
        print("expiry on the history's thread (now)", w);
    }
    return 0;
}
