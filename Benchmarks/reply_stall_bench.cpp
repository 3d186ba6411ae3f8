// A scan whose reply requests are never answered, on both fixture sites, for posts with more
// and more threads that have replies to load. The baseline is the same scan with the replies
// answering, in the same run. Goal: the scan ends partial, with every top-level comment, well
// within the page call's own limit however many threads wait on replies.
#include "Await.h"
#include "BridgeHarness.h"
#include "FixtureSite.h"
#include "InstagramFixture.h"
#include "TestMain.h"
#include "YouTubeFixture.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QSet>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace vt::test;

namespace {

struct Post {
    QUrl url;
    QSet<QString> threads;   // top-level comments
    int waiting = 0;         // threads whose replies need a request
};

struct Site {
    const char *name;
    std::function<Post(int)> make;   // a post with about n threads whose replies need a request
    std::function<void(bool)> hangReplies;
};

// Milliseconds of one scan of the post, or a negative value when it answered wrongly.
double scanTime(BridgeHarness &h, const Post &post, bool expectPartial)
{
    if (!h.open(post.url))
        return -1;
    QElapsedTimer clock;
    clock.start();
    ScanResult r;
    try {
        r = await(h.engine.scan(0, false, false, 1, std::nullopt), SpamEngine::scanTimeoutMs(0) + 60000);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "  the scan failed: %s\n", e.what());
        return -1;
    }
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    int tops = 0;
    for (const Comment &c : r.items)
        tops += post.threads.contains(c.id) ? 1 : 0;
    if (expectPartial != bool(r.partial)) {
        std::fprintf(stderr, "  the scan %s partial\n", r.partial ? "was" : "was not");
        return -1;
    }
    if (tops != post.threads.size() || (expectPartial && r.complete.value_or(false))) {
        std::fprintf(stderr, "  %d of %d threads\n", tops, int(post.threads.size()));
        return -1;
    }
    return ms;
}

bool measure(BridgeHarness &h, Site &site, const QList<int> &counts)
{
    const double limit = SpamEngine::scanTimeoutMs(0);
    std::printf("%s: scan while the reply requests never answer (the page call's limit %.0f s)\n", site.name,
                limit / 1000);
    for (const int n : counts) {
        const Post post = site.make(n);
        site.hangReplies(false);
        const double base = scanTime(h, post, false);
        site.hangReplies(true);
        const double stalled = scanTime(h, post, true);
        site.hangReplies(false);
        if (base < 0 || stalled < 0)
            return false;
        std::printf(
            "  %4d threads, %3d waiting on replies: %8.0f ms (answering: %6.0f ms, %.0fx), %.1f %% of the call's limit\n",
            int(post.threads.size()), post.waiting, stalled, base, stalled / std::max(1.0, base),
            100.0 * stalled / limit);
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
    QList<int> counts;
    for (int i = 1; i < argc; ++i)
        counts << std::max(1, atoi(argv[i]));
    if (counts.isEmpty())
        counts = {5, 20, 80, 450};
    const qint64 now = QDateTime::currentMSecsSinceEpoch();

    YouTubeFixture youtube;
    const QList<YtComment> ytBase = YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"),
                                                         now);
    youtube.install(*fixture);
    Site yt{"youtube",
            [&](int n) {
        // Every seventh thread has replies.
        const QString id = QStringLiteral("vStall%1").arg(n, 5, 10, QLatin1Char('0'));
        youtube.addVideo(
            {id, QStringLiteral("reply stall"), false, false, YouTubeFixture::bulk(7 * n, 13, now, ytBase)});
        Post p{YouTubeFixture::watchUrl(id)};
        for (const YtComment &c : youtube.ordered(*youtube.video(id), false)) {
            p.threads.insert(c.id);
            p.waiting += youtube.repliesOf(*youtube.video(id), c.id).isEmpty() ? 0 : 1;
        }
        return p;
            },
            [&](bool on) { youtube.setFailure(on ? SiteFailure::Hang : SiteFailure::None, -1, on); }};

    InstagramFixture instagram;
    const QList<IgComment> igBase =
        InstagramFixture::load(QStringLiteral(VT_FIXTURES_DIR "/instagram/comments-mixed.json"), now);
    instagram.install(*fixture);
    quint64 codes = 100;
    Site ig{"instagram",
            [&](int n) {
        // Every ninth thread has replies; those with one come with the thread.
        const QString code = InstagramFixture::makeCode(++codes);
        instagram.addPost({code, false, QStringLiteral("reply stall"), QStringLiteral("owner"), now, false,
                           InstagramFixture::bulk(9 * n, 17, now, igBase)});
        Post p{InstagramFixture::postUrl(code)};
        for (const IgComment &c : instagram.ordered(*instagram.post(code))) {
            p.threads.insert(c.id);
            p.waiting += instagram.repliesOf(*instagram.post(code), c.id).size() > 1 ? 1 : 0;
        }
        return p;
            },
            [&](bool on) { instagram.setFailingReplies(on ? SiteFailure::Hang : SiteFailure::None); }};

    BridgeHarness h;
    if (!measure(h, yt, counts))
        return 1;
    h.browser.selectSite(LoginProvider::instagram);
    if (!QTest::qWaitFor(
            [&] { return h.browser.currentTab() == h.browser.tab(LoginProvider::instagram) && !h.browser.isLoading(); },
            20000))
        return 1;
    if (!measure(h, ig, counts))
        return 1;
    return 0;
}
