// Serves the fixture sites until stopped, for trying the application offline: generated YouTube
// videos and Instagram posts full of believable comments (spam, scams and abuse among them),
// linked from the YouTube home page, the owner's channel and the owner's Instagram profile
// (DemoSite). scripts/demo.sh starts it with the application; by hand:
//
//   ./build/fixture_site &        prints the line to export, e.g.
//   export QTWEBENGINE_CHROMIUM_FLAGS='--host-resolver-rules="MAP www.youtube.com 127.0.0.1:PORT, ..." --ignore-certificate-errors'
//   VT_START_URL=https://www.youtube.com/ ./build/VeltraneBrowser
//
//   ./build/fixture_site --video vBench5000c:5000   also serves an unlisted video of that many
//                                                   comments (threads with their replies)

#include "DemoSite.h"
#include "FixtureSite.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cstdio>

using namespace vt::test;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    FixtureSite site;
    if (!site.start()) {
        std::fputs("fixture_site: the HTTPS server did not start\n", stderr);
        return 1;
    }
    DemoSite demo;
    const QStringList args = app.arguments();
    for (qsizetype i = args.indexOf(QStringLiteral("--video")); i >= 0 && i + 1 < args.size();
         i = args.indexOf(QStringLiteral("--video"), i + 2)) {
        const QString id = args.at(i + 1).section(u':', 0, 0);
        const int count = args.at(i + 1).section(u':', 1, 1).toInt();
        if (id.size() != 11 || count <= 0) {
            std::fputs("fixture_site: --video takes ID:COUNT with an 11-character id\n", stderr);
            return 2;
        }
        // Threads of the mixed comments with their replies, cut to exactly `count`.
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        const QList<YtComment> mixed =
            YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"), now);
        QList<YtComment> comments;
        for (int threads = count / 3 + 1; comments.size() < count; threads *= 2)
            comments = YouTubeFixture::bulk(threads, 77, now, mixed);
        YtVideo video;
        video.id = id;
        video.title = QStringLiteral("Benchmark video");
        video.comments = comments.mid(0, count);
        demo.youtube().addVideo(video);
    }
    demo.install(site);

    std::printf("export QTWEBENGINE_CHROMIUM_FLAGS='%s'\n", site.chromiumFlags().constData());
    std::printf("# then: VT_START_URL=https://www.youtube.com/ ./build/VeltraneBrowser\n");
    std::printf(
        "# YouTube videos are listed on https://www.youtube.com/, Instagram posts on https://www.instagram.com/owner/\n");
    std::fflush(stdout);
    return app.exec();
}
