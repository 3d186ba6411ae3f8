// The time from Stop to the scan's answer while a request of the site hangs, on both sites: a
// YouTube video whose sixth page of comments never answers, an Instagram post whose fourth page
// never answers. The stop is asked once the collection waits on that request; the baseline is a
// progress call through the same bridge in the same run. Goal: under 2 s.
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

using namespace vt::test;

namespace {

constexpr double goalMs = 2000;

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

// One scan of the open post, stopped once `waitingAt` comments are in and the next request hangs.
// The time from stop() to the answer in ms, or a negative value when the scan went wrong.
double stopLatency(BridgeHarness &h, int waitingAt)
{
    bool done = false;
    std::optional<ScanResult> result;
    auto task = h.engine.scan(0, false, false, 1, std::nullopt);
    auto body = [&]() -> QCoro::Task<void> {
        try {
            result = co_await std::move(task);
        } catch (...) {
        }
        done = true;
    };
    auto driver = body();
    QElapsedTimer waited;
    waited.start();
    // Collected up to the hanging request, then a little longer so that it is surely in flight.
    while (!done && waited.elapsed() < 60000) {
        std::optional<ScanProgress> p;
        try {
            p = await(h.engine.progress(), 10000);
        } catch (...) {
        }
        if (p && p->phase == QLatin1String("collect") && p->count >= waitingAt)
            break;
        QTest::qWait(50);
    }
    if (done)
        return -1;
    QTest::qWait(500);
    QElapsedTimer clock;
    clock.start();
    h.engine.stop();
    while (!done && clock.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    if (!done || !result || result->items.size() < waitingAt || !result->partial)
        return -1;
    return ms;
}

double progressRoundTrip(BridgeHarness &h)
{
    QList<double> times;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer clock;
        clock.start();
        (void)await(h.engine.progress(), 10000);
        times << double(clock.nsecsElapsed()) / 1e6;
    }
    return median(times);
}

bool measure(const char *name, BridgeHarness &h, const QUrl &url, int waitingAt, int rounds)
{
    QList<double> times;
    for (int i = 0; i < rounds; ++i) {
        if (!h.open(url))
            return false;
        const double ms = stopLatency(h, waitingAt);
        if (ms < 0) {
            std::fprintf(stderr, "%s: the scan did not wait on the hanging request or answered wrongly\n", name);
            return false;
        }
        times << ms;
    }
    const double base = progressRoundTrip(h);
    const double m = median(times);
    std::printf("%s: stop -> answer while a request hangs, %d rounds\n", name, rounds);
    std::printf("  median %.0f ms, worst %.0f ms (goal under %.0f ms: %s)\n", m,
                *std::max_element(times.begin(), times.end()), goalMs, m < goalMs ? "met" : "missed");
    std::printf("  baseline, one progress call through the bridge: %.1f ms (stop takes %.0fx that)\n", base,
                m / std::max(0.001, base));
    return true;
}

}   // namespace

int main(int argc, char **argv)
{
    isolateUserFolders();
    QApplication app(argc, argv);
    FixtureSite *site = FixtureSite::startShared();
    if (!site)
        return 1;
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();

    YouTubeFixture youtube;
    const QList<YtComment> ytBase = YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"),
                                                         now);
    const QString id = QStringLiteral("vStopBench1");
    youtube.addVideo({id, QStringLiteral("stop benchmark"), false, false, YouTubeFixture::bulk(400, 5, now, ytBase)});
    youtube.setFailure(SiteFailure::Hang, 100);   // pages of 20 threads: the sixth hangs
    youtube.install(*site);

    InstagramFixture instagram;
    const QList<IgComment> igBase =
        InstagramFixture::load(QStringLiteral(VT_FIXTURES_DIR "/instagram/comments-mixed.json"), now);
    const QString code = InstagramFixture::makeCode(1);
    instagram.addPost({code, false, QStringLiteral("stop benchmark"), QStringLiteral("owner"), now, false,
                       InstagramFixture::bulk(300, 3, now, igBase)});
    instagram.setFailingPagesFrom(45, SiteFailure::Hang);   // pages of 15 threads: the fourth hangs
    instagram.install(*site);
    int igWaitingAt = 0;
    {
        const QList<IgComment> threads = instagram.ordered(*instagram.post(code));
        for (const IgComment &t : threads.mid(0, 45))
            igWaitingAt += 1 + int(instagram.repliesOf(*instagram.post(code), t.id).size());
    }

    BridgeHarness h;
    if (!measure("youtube", h, YouTubeFixture::watchUrl(id), 100, rounds))
        return 1;
    h.browser.selectSite(LoginProvider::instagram);
    if (!QTest::qWaitFor(
            [&] { return h.browser.currentTab() == h.browser.tab(LoginProvider::instagram) && !h.browser.isLoading(); },
            20000))
        return 1;
    if (!measure("instagram", h, InstagramFixture::postUrl(code), igWaitingAt, rounds))
        return 1;
    return 0;
}
