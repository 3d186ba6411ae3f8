// Cold start of the program to its first shown page, and the resident memory of its whole process
// tree (the program and the web engine's helper processes), against a bare Qt WebEngine window
// that shows the same local page, measured alternately in the same run.
//
//   coldstart_bench [rounds]      default 3 rounds of each
//   coldstart_bench --bare URL    (internal) the bare window
//
// "Shown" is when the page, after its load event, has produced two animation frames and tells the
// fixture site so; both programs load the same page from the same local server.

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
#include <QWebEngineView>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <optional>

using vt::test::FixtureSite;

namespace {

using bench::median;
using bench::Sample;
using bench::treeRss;

std::optional<Sample> measure(const QString &program, const QStringList &args, QProcessEnvironment env, int round)
{
    QTemporaryDir home;
    for (const char *sub : {"config", "data", "cache"}) {
        QDir(home.path()).mkpath(sub);
        env.insert(QStringLiteral("XDG_%1_HOME").arg(QString(sub).toUpper()), home.filePath(sub));
    }
    const QString marker = QStringLiteral("%1-%2").arg(QFileInfo(program).fileName()).arg(round);
    env.insert("VT_START_URL", "https://www.youtube.com/bench?run=" + marker);
    QStringList realArgs = args;
    for (QString &a : realArgs)
        a.replace("RUN", marker);
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    child.start(program, realArgs);
    if (!child.waitForStarted())
        return std::nullopt;
    return bench::sampleShown(child, clock, marker, 120000);
}

int bare(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWebEngineView view;
    view.resize(1440, 900);
    view.show();
    view.load(QUrl(app.arguments().value(2)));
    std::signal(SIGTERM, [](int) { std::_Exit(0); });
    return app.exec();
}

}   // namespace

int main(int argc, char *argv[])
{
    if (argc > 2 && QByteArray(argv[1]) == "--bare")
        return bare(argc, argv);
    vt::test::isolateUserFolders();
    QApplication app(argc, argv);
    FixtureSite *site = FixtureSite::startShared();
    if (!site)
        return 1;
    const int rounds = qMax(1, app.arguments().value(1).toInt() > 0 ? app.arguments().value(1).toInt() : 3);
    site->page(
        "www.youtube.com", "/bench",
        "<!doctype html><html><head><title>Bench</title></head><body><h1 style='background:#c00;color:#fff'>Page</h1>"
        "<p>A local page for the cold start.</p><script>"
        "addEventListener('load', () => requestAnimationFrame(() => requestAnimationFrame(() => {"
        "  fetch('/bench-shown' + location.search); })));</script></body></html>");
    site->page("www.youtube.com", "/bench-shown", "ok");

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
    const QString self = QCoreApplication::applicationFilePath();
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath("VeltraneBrowser");

    QList<double> appMs, appRss, bareMs, bareRss;
    for (int i = 0; i < rounds; ++i) {
        const auto b = measure(self, {"--bare", "https://www.youtube.com/bench?run=RUN"}, env, i);
        const auto a = measure(program, {}, env, i);
        if (!a || !b) {
            std::fprintf(stderr, "coldstart_bench: a run did not show its page\n");
            return 1;
        }
        bareMs << b->ms;
        bareRss << b->rssMiB;
        appMs << a->ms;
        appRss << a->rssMiB;
        std::printf("round %d: bare %.0f ms %.0f MiB · program %.0f ms %.0f MiB\n", i + 1, b->ms, b->rssMiB, a->ms,
                    a->rssMiB);
        std::fflush(stdout);
    }
    const double t = median(appMs) / median(bareMs);
    const double m = median(appRss) / median(bareRss);
    std::printf("first shown page: program %.0f ms, bare window %.0f ms: %.2fx (goal under 1.3x)\n", median(appMs),
                median(bareMs), t);
    std::printf(
        "resident memory of the process tree: program %.0f MiB, bare window %.0f MiB: %.2fx (goal under 1.2x)\n",
        median(appRss), median(bareRss), m);
    return 0;
}
