// Serves the fixture sites until stopped, for trying the application offline: generated YouTube
// videos and Instagram posts full of believable comments (spam, scams and abuse among them),
// linked from the YouTube home page, the owner's channel and the owner's Instagram profile
// (DemoSite). scripts/demo.sh starts it with the application; by hand:
//
//   ./build/fixture_site &        prints the line to export, e.g.
//   export QTWEBENGINE_CHROMIUM_FLAGS='--host-resolver-rules="MAP www.youtube.com 127.0.0.1:PORT, ..." --ignore-certificate-errors'
//   VT_START_URL=https://www.youtube.com/ ./build/VeltraneBrowser

#include "DemoSite.h"
#include "FixtureSite.h"

#include <QCoreApplication>

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
    demo.install(site);

    std::printf("export QTWEBENGINE_CHROMIUM_FLAGS='%s'\n", site.chromiumFlags().constData());
    std::printf("# then: VT_START_URL=https://www.youtube.com/ ./build/VeltraneBrowser\n");
    std::printf("# YouTube videos are listed on https://www.youtube.com/, Instagram posts on https://www.instagram.com/owner/\n");
    std::fflush(stdout);
    return app.exec();
}
