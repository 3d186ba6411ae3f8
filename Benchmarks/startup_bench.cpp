// Start of the program to its first shown page with a big history, against the same program with
// an empty history, measured alternately in the same run: the time and the resident memory of the
// whole process tree (the program and the web engine's helpers). The histories are built here,
// once, straight into the store file (posts of 1,000 comments scanned over the last 170 days, so
// that nothing expires at the open); then, of the largest size, a realistic history over the same
// 170 days and one over a year, half of which the start must expire (put back before each start).
//
//   startup_bench [rounds] [sizes...]     default 3 rounds; sizes 100000 1000000
//
// "Shown" is when the page, after its load event, has produced two animation frames and tells the
// fixture site so. Goal: within 1.3x of the empty history in time, 1.2x in memory.

#include "BigHistory.h"
#include "RealisticHistory.h"
#include "FixtureSite.h"
#include "ProcessStats.h"
#include "TestMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <optional>

using vt::test::FixtureSite;

namespace {

using bench::median;
using bench::Sample;
using bench::treeRss;

// One start of the program over the data folder `data` (its history stays between starts).
std::optional<Sample> measure(const QString &program, const QString &data, QProcessEnvironment env,
                              const QString &marker)
{
    QTemporaryDir home;
    for (const char *sub : {"config", "cache"}) {
        QDir(home.path()).mkpath(sub);
        env.insert(QStringLiteral("XDG_%1_HOME").arg(QString(sub).toUpper()), home.filePath(sub));
    }
    env.insert("XDG_DATA_HOME", data);
    env.insert("VT_START_URL", "https://www.youtube.com/bench?run=" + marker);
    QProcess child;
    child.setProcessEnvironment(env);
    child.setStandardOutputFile(QProcess::nullDevice());
    child.setStandardErrorFile(QProcess::nullDevice());   // the web engine's start-up notes
    QElapsedTimer clock;
    clock.start();
    child.start(program, {});
    if (!child.waitForStarted())
        return std::nullopt;
    return bench::sampleShown(child, clock, marker, 180000);
}


// The history file of a start put back as it was before the start changed it.
void restore(const QString &data, const QString &pristine)
{
    if (pristine.isEmpty())
        return;
    const QString file = data + "/Veltrane/scans.sqlite";
    for (const char *suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(file + QString::fromLatin1(suffix));
    QFile::copy(pristine, file);
}

// A realistic history of that many comments over 170 days (nothing expires at the default
// retention of 180 days), and one over a year, half of which a start must expire.
bool addRealistic(const QTemporaryDir &dir, const QDateTime &now, int size, QStringList &folders, QStringList &labels,
                  QStringList &pristine)
{
    if (size <= 0)
        return true;
    for (const int days : {170, 365}) {
        const QString data = dir.filePath(QStringLiteral("realistic-%1").arg(days));
        QDir().mkpath(data + "/Veltrane");
        vt::test::RealisticHistory history;
        history.comments = size;
        history.days = days;
        const QString file = days > 180 ? dir.filePath(QStringLiteral("realistic-%1.sqlite").arg(days))
                                        : data + "/Veltrane/scans.sqlite";
        QElapsedTimer built;
        built.start();
        if (!history.write(file, now)) {
            std::fprintf(stderr, "startup_bench: could not build the realistic history\n");
            return false;
        }
        std::printf("realistic history of %d comments over %d days built in %.1f s\n", size, days,
                    built.elapsed() / 1000.0);
        std::fflush(stdout);
        folders.append(data);
        labels.append(days > 180 ? QStringLiteral("realistic, half expiring") : QStringLiteral("realistic"));
        pristine.append(days > 180 ? file : QString());
    }
    return true;
}

}   // namespace

int main(int argc, char *argv[])
{
    vt::test::isolateUserFolders();
    QApplication app(argc, argv);
    FixtureSite *site = FixtureSite::startShared();
    if (!site)
        return 1;
    const QStringList args = app.arguments().mid(1);
    const int rounds = std::max(1, args.value(0).toInt() > 0 ? args.value(0).toInt() : 3);
    QList<int> sizes{0};
    for (const QString &a : args.mid(1))
        sizes.append(a.toInt());
    if (sizes.size() == 1)
        sizes << 100000 << 1000000;
    site->page(
        "www.youtube.com", "/bench",
        "<!doctype html><html><head><title>Bench</title></head><body><h1 style='background:#c00;color:#fff'>Page</h1>"
        "<p>A local page for the start.</p><script>"
        "addEventListener('load', () => requestAnimationFrame(() => requestAnimationFrame(() => {"
        "  fetch('/bench-shown' + location.search); })));</script></body></html>");
    site->page("www.youtube.com", "/bench-shown", "ok");

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath("VeltraneBrowser");

    QTemporaryDir dir;
    const QDateTime now = QDateTime::currentDateTime();
    QStringList folders;
    QStringList labels;
    QStringList pristine;   // a history copied back before each start (the start changes it), or empty
    for (const int size : sizes) {
        const QString data = dir.filePath(QStringLiteral("data-%1").arg(size));
        QDir().mkpath(data + "/Veltrane");
        folders.append(data);
        labels.append(QStringLiteral("%1 comments").arg(size, 7));
        pristine.append(QString());
        if (size <= 0)
            continue;
        vt::test::BigHistory history;
        history.comments = size;
        history.days = 170;
        QElapsedTimer built;
        built.start();
        if (!history.write(data + "/Veltrane/scans.sqlite", now)) {
            std::fprintf(stderr, "startup_bench: could not build the history of %d comments\n", size);
            return 1;
        }
        std::printf("history of %d comments built in %.1f s\n", size, built.elapsed() / 1000.0);
        std::fflush(stdout);
    }
    if (!addRealistic(dir, now, sizes.last(), folders, labels, pristine))
        return 1;
    // A first start of each sets up its profile folders, so that every measured start is alike.
    for (int i = 0; i < folders.size(); ++i) {
        restore(folders.at(i), pristine.at(i));
        measure(program, folders.at(i), env, QStringLiteral("warm-%1").arg(i));
    }

    QList<QList<double>> ms(folders.size()), rss(folders.size());
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < folders.size(); ++i) {
            restore(folders.at(i), pristine.at(i));
            const auto s = measure(program, folders.at(i), env, QStringLiteral("r%1-%2").arg(round).arg(i));
            if (!s) {
                std::fprintf(stderr, "startup_bench: a start with %s did not show its page\n",
                             qPrintable(labels.at(i)));
                return 1;
            }
            ms[i] << s->ms;
            rss[i] << s->rssMiB;
            std::printf("round %d, %s: %.0f ms, %.0f MiB\n", round + 1, qPrintable(labels.at(i)), s->ms, s->rssMiB);
            std::fflush(stdout);
        }
    }
    const double baseMs = median(ms.at(0));
    const double baseRss = median(rss.at(0));
    std::printf("empty history: first shown page %.0f ms, %.0f MiB\n", baseMs, baseRss);
    for (int i = 1; i < folders.size(); ++i)
        std::printf("%s: first shown page %.0f ms (%.2fx the empty history, goal under 1.3x), "
                    "%.0f MiB (%.2fx, goal under 1.2x)\n",
                    qPrintable(labels.at(i)), median(ms.at(i)), median(ms.at(i)) / baseMs, median(rss.at(i)),
                    median(rss.at(i)) / baseRss);
    return 0;
}
