// Deleting one comment near the top of a long post against one far down it, on both fixture
// sites with a fixed latency on every site request. The post is opened afresh and scanned (as
// the app does before a deletion), then one comment is deleted; the time is that of the page's
// delete call. The baseline is the thread at position 20, measured in the same run
// on the same post. Goal: position 2,000 within 3x of position 20.
#include "Await.h"
#include "BridgeHarness.h"
#include "FixtureSite.h"
#include "InstagramFixture.h"
#include "TestMain.h"
#include "YouTubeFixture.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace vt::test;

namespace {

constexpr int kThreads = 2200;
constexpr double goalRatio = 3.0;

struct Site {
    const char *name;
    QUrl url;
    std::function<void(int)> setDelay;
    QStringList threads;   // thread ids in the order the page shows them
    std::function<bool(const QString &)> deleted;
};

// Opens the post, scans it without latency and deletes the thread at `position` with
// `latencyMs` on every request. Milliseconds of the delete call, or a negative value.
double deleteAt(BridgeHarness &h, Site &site, int position, int latencyMs)
{
    site.setDelay(0);
    if (!h.open(site.url))
        return -1;
    ScanResult scanned;
    try {
        scanned = await(h.engine.scan(0, false, false, 1, std::nullopt), 300000);
    } catch (...) {
        return -1;
    }
    if (scanned.items.size() < kThreads)
        return -1;
    const QString id = site.threads.at(position - 1);
    site.setDelay(latencyMs);
    QElapsedTimer clock;
    clock.start();
    RemoveResult out;
    try {
        out = await(h.engine.remove({id}, site.url.toString()), 600000);
    } catch (...) {
        site.setDelay(0);
        return -1;
    }
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    site.setDelay(0);
    if (out.stopped || out.gone != QStringList{id} || !site.deleted(id)) {
        std::fprintf(stderr, "%s: position %d was not deleted (%s)\n", site.name, position,
                     out.stopped ? qPrintable(out.stopped->text) : "no stop");
        return -1;
    }
    return ms;
}

bool measure(BridgeHarness &h, Site &site, const QList<int> &latencies)
{
    std::printf("%s: delete one thread of %d, by its position in the list\n", site.name, kThreads);
    for (int k = 0; k < latencies.size(); ++k) {
        // A comment deleted in one round is not there in the next: each round takes its neighbours.
        const int latency = latencies.at(k);
        const double near = deleteAt(h, site, 20 + k, latency);
        const double far = deleteAt(h, site, 2000 + k, latency);
        if (near < 0 || far < 0)
            return false;
        const double ratio = far / std::max(1.0, near);
        std::printf(
            "  %3d ms per request: position %d %7.0f ms, position %d %7.0f ms, ratio %.1fx (goal within %.0fx: %s)\n",
            latency, 20 + k, near, 2000 + k, far, ratio, goalRatio, ratio <= goalRatio ? "met" : "missed");
        std::fflush(stdout);
    }
    return true;
}

}   // namespace

int main(int argc, char **argv)
{
    isolateUserFolders();
    QApplication app(argc, argv);
    // Another version of the page scripts (a folder of ext/*.js), to compare two in one build.
    if (qEnvironmentVariableIsSet("VT_BENCH_SCRIPTS"))
        SpamEngine::setScriptFolder(qEnvironmentVariable("VT_BENCH_SCRIPTS"));
    FixtureSite *fixture = FixtureSite::startShared();
    if (!fixture)
        return 1;
    QList<int> latencies;
    for (int i = 1; i < argc; ++i)
        latencies << std::max(0, atoi(argv[i]));
    if (latencies.isEmpty())
        latencies = {30, 250};
    const qint64 now = QDateTime::currentMSecsSinceEpoch();

    YouTubeFixture youtube;
    const QList<YtComment> ytBase = YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"),
                                                         now);
    const QString videoId = QStringLiteral("vDepthBench");
    youtube.addVideo(
        {videoId, QStringLiteral("deletion depth"), false, false, YouTubeFixture::bulk(kThreads, 9, now, ytBase)});
    youtube.install(*fixture);
    Site yt{"youtube",
            YouTubeFixture::watchUrl(videoId),
            [&](int ms) { youtube.setDelayMs(ms); },
            {},
            [&](const QString &id) { return youtube.deleted(videoId).contains(id); }};
    for (const YtComment &c : youtube.ordered(*youtube.video(videoId), false))
        yt.threads << c.id;

    InstagramFixture instagram;
    const QList<IgComment> igBase =
        InstagramFixture::load(QStringLiteral(VT_FIXTURES_DIR "/instagram/comments-mixed.json"), now);
    const QString code = InstagramFixture::makeCode(3);
    instagram.addPost({code, false, QStringLiteral("deletion depth"), QStringLiteral("owner"), now, false,
                       InstagramFixture::bulk(kThreads, 5, now, igBase)});
    instagram.install(*fixture);
    Site ig{"instagram",
            InstagramFixture::postUrl(code),
            [&](int ms) { instagram.setDelayMs(ms); },
            {},
            [&](const QString &id) { return instagram.deleted(code).contains(id); }};
    for (const IgComment &c : instagram.ordered(*instagram.post(code)))
        ig.threads << c.id;

    BridgeHarness h;
    if (!measure(h, yt, latencies))
        return 1;
    h.browser.selectSite(LoginProvider::instagram);
    if (!QTest::qWaitFor(
            [&] { return h.browser.currentTab() == h.browser.tab(LoginProvider::instagram) && !h.browser.isLoading(); },
            20000))
        return 1;
    if (!measure(h, ig, latencies))
        return 1;
    return 0;
}
