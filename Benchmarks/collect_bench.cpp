// Collecting the large fixture posts of both sites through the page bridge (a YouTube video with
// over 2,000 comments, an Instagram post with over 1,000): comments per second, and how much of that
// time is spent outside the page (the call, polling, the answer's crossing and decoding). The share
// is taken within each call: the page times its own work and reports it with the answer ("pageMs"),
// so the noise between two separate scans does not enter it.
#include "Await.h"
#include "BridgeHarness.h"
#include "FixtureSite.h"
#include "InstagramFixture.h"
#include "TestMain.h"
#include "YouTubeFixture.h"

#include "Page/PageCall.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonDocument>

#include <algorithm>
#include <cstdio>

using namespace vt::test;

namespace {

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

QJsonObject scanArgs()
{
    return QJsonObject{{"opts",
                        QJsonObject{{"limit", 0},
                                    {"sortNewest", false},
                                    {"noLikesOnly", false},
                                    {"minLikes", 1},
                                    {"keywords", QJsonArray()}}}};
}

// Measures one post that is already open in the harness; false when a scan comes back short.
bool measure(const char *name, BridgeHarness &h, int expected, int rounds)
{
    await(h.engine.info());   // installs the scripts

    QList<double> full, inPage, outside, decode;
    qint64 answerBytes = 0;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer clock;
        clock.start();
        const ScanResult r = await(h.engine.scan(0, false, false, 1, std::nullopt), 120000);
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        if (r.items.size() != expected || !r.pageMs) {
            std::fprintf(stderr, "%s: collected %lld of %d comments%s\n", name, qlonglong(r.items.size()), expected,
                         r.pageMs ? "" : ", no page time in the answer");
            return false;
        }
        full << ms;
        inPage << *r.pageMs;
        outside << 100.0 * std::max(0.0, ms - *r.pageMs) / ms;

        const auto raw = await(PageCall::run(h.browser.currentTab()->page(), QStringLiteral("vtx"),
                                             QStringLiteral("return JSON.stringify(await window.__vtx.scan(opts));"),
                                             scanArgs()),
                               120000);
        const QByteArray bytes = raw.text->toUtf8();
        answerBytes = bytes.size();
        clock.restart();
        const ScanResult decoded = ScanResult::fromJsonBytes(bytes);
        decode << double(clock.nsecsElapsed()) / 1e6;
        if (decoded.items.size() != expected)
            return false;
    }

    const double f = median(full), p = median(inPage), o = median(outside), d = median(decode);
    std::printf("%s: %d comments, %d rounds (median)\n", name, expected, rounds);
    std::printf("  page's own time in the call (baseline): %8.1f ms  %8.0f comments/s\n", p, expected / (p / 1000.0));
    std::printf("  the whole call through the bridge:      %8.1f ms  %8.0f comments/s  (%.3fx the baseline)\n", f,
                expected / (f / 1000.0), f / p);
    std::printf("  outside the page, same call: %.1f%% (rounds:", o);
    for (double x : outside)
        std::printf(" %.1f", x);
    std::printf(")\n");
    std::printf("  decoding alone: %.1f ms for %lld bytes (%.1f%% of the call)\n", d, qlonglong(answerBytes),
                100.0 * d / f);
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
    const QString id = QStringLiteral("vBenchmark1");
    youtube.addVideo({id, QStringLiteral("benchmark"), false, false, YouTubeFixture::bulk(1500, 7, now, ytBase)});
    youtube.install(*site);

    InstagramFixture instagram;
    const QList<IgComment> igBase =
        InstagramFixture::load(QStringLiteral(VT_FIXTURES_DIR "/instagram/comments-mixed.json"), now);
    const QString code = InstagramFixture::makeCode(1);
    instagram.addPost({code, false, QStringLiteral("benchmark"), QStringLiteral("owner"), now, false,
                       InstagramFixture::bulk(900, 11, now, igBase)});
    instagram.install(*site);

    BridgeHarness h;
    if (!h.open(YouTubeFixture::watchUrl(id))
        || !measure("youtube", h, youtube.visibleCount(*youtube.video(id)), rounds))
        return 1;

    h.browser.selectSite(LoginProvider::instagram);
    if (!QTest::qWaitFor(
            [&] { return h.browser.currentTab() == h.browser.tab(LoginProvider::instagram) && !h.browser.isLoading(); },
            20000))
        return 1;
    if (!h.open(InstagramFixture::postUrl(code))
        || !measure("instagram", h, int(instagram.visible(*instagram.post(code)).size()), rounds))
        return 1;
    return 0;
}
