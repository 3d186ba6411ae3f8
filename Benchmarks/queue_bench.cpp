// A queue of 20 posts on each fixture site, scanned through the spam model with the real browser
// and page scripts: the time per post against the floor of opening one post and letting it
// settle (load, then the wait for its comments) measured in the same run. Goal: under 1.3x.
//
//   queue_bench [posts per site]
#include "Await.h"
#include "BridgeHarness.h"
#include "FixtureSite.h"
#include "InstagramFixture.h"
#include "ModelHarness.h"
#include "TestMain.h"
#include "YouTubeFixture.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

using namespace vt::test;

namespace {

constexpr double goal = 1.3;

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

// Opening and settling one post as the queue does it, in ms; negative when it did not open.
double floorOf(SpamModel &model, const QString &url)
{
    QElapsedTimer clock;
    clock.start();
    if (!await(model.openPage().load(url, PostQueue::loadBudget), 120000))
        return -1;
    if (!await(model.openPage().waitForComments(PostQueue::commentsBudget), 120000))
        return -1;
    return double(clock.nsecsElapsed()) / 1e6;
}

bool measure(const char *name, const QString &site, SpamModel &model, const QStringList &floorPosts,
             const QStringList &queue)
{
    QList<double> floors;
    for (const QString &url : floorPosts) {
        const double ms = floorOf(model, url);
        if (ms < 0) {
            std::fprintf(stderr, "%s: %s did not open\n", name, qPrintable(url));
            return false;
        }
        floors << ms;
    }
    QList<ChannelPost> rows;
    for (const QString &url : queue) {
        ChannelPost row;
        row.site = site;
        row.url = url;
        rows << row;
    }
    model.catalog().setRows({});
    QElapsedTimer clock;
    clock.start();
    await(model.queue().scanSelected(rows), 3600000);
    const double total = double(clock.nsecsElapsed()) / 1e6;
    int done = 0;
    int comments = 0;
    for (const ChannelPost &row : model.catalog().rows()) {
        done += row.state == ChannelPost::State::done ? 1 : 0;
        comments += row.total;
    }
    if (done != queue.size()) {
        std::fprintf(stderr, "%s: %d of %d posts scanned (%s)\n", name, done, int(queue.size()),
                     qPrintable(model.statusLine().text()));
        return false;
    }
    const double floor = median(floors);
    const double perPost = total / queue.size();
    const double ratio = perPost / std::max(0.001, floor);
    std::printf("%s: a queue of %d posts (%d comments in all)\n", name, int(queue.size()), comments);
    std::printf("  per post %.0f ms; floor, opening and settling one post: %.0f ms (median of %d)\n", perPost, floor,
                int(floors.size()));
    std::printf("  ratio %.2fx (goal under %.1fx: %s)\n", ratio, goal, ratio < goal ? "met" : "missed");
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
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    const int floors = 3;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();

    // Posts of a few dozen comments each, as a channel's recent posts have.
    YouTubeFixture youtube;
    const QList<YtComment> ytBase = YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"),
                                                         now);
    QStringList ytFloor;
    QStringList ytQueue;
    for (int i = 0; i < count + floors; ++i) {
        const QString id = QStringLiteral("vQueue%1").arg(i, 5, 10, QLatin1Char('0'));
        youtube.addVideo({id, QStringLiteral("queue post %1").arg(i), false, false,
                          YouTubeFixture::bulk(30, quint32(100 + i), now, ytBase)});
        (i < floors ? ytFloor : ytQueue) << YouTubeFixture::watchUrl(id).toString();
    }
    youtube.install(*site);

    InstagramFixture instagram;
    const QList<IgComment> igBase =
        InstagramFixture::load(QStringLiteral(VT_FIXTURES_DIR "/instagram/comments-mixed.json"), now);
    QStringList igFloor;
    QStringList igQueue;
    for (int i = 0; i < count + floors; ++i) {
        const QString code = InstagramFixture::makeCode(quint64(700 + i));
        instagram.addPost({code, false, QStringLiteral("queue post %1").arg(i), QStringLiteral("owner"),
                           now - qint64(i) * 60000, false, InstagramFixture::bulk(30, quint32(200 + i), now, igBase)});
        (i < floors ? igFloor : igQueue) << InstagramFixture::postUrl(code).toString();
    }
    instagram.install(*site);

    BridgeHarness h;
    ModelHarness models({{"vt.aiOn", false}, {"vt.scanOnOpen", false}});
    models.useBrowser(&h.engine, &h.browser);
    SpamModel &model = models.model();
    h.browser.onNavigate = [&model] { model.openPage().navigationChanged(); };

    const bool ok = measure("youtube", "youtube", model, ytFloor, ytQueue)
        && measure("instagram", "instagram", model, igFloor, igQueue);
    h.browser.onNavigate = {};
    return ok ? 0 : 1;
}
