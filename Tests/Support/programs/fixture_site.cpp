// Serves the fixture site until stopped, for trying the application offline:
//
//   ./build/fixture_site &        prints the line to export, e.g.
//   export QTWEBENGINE_CHROMIUM_FLAGS='--host-resolver-rules="MAP www.youtube.com 127.0.0.1:PORT, ..." --ignore-certificate-errors'
//   VT_START_URL=https://www.youtube.com/ ./build/VeltraneBrowser

#include "FixtureSite.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    vt::test::FixtureSite site;
    if (!site.start()) {
        std::fputs("fixture_site: the HTTPS server did not start\n", stderr);
        return 1;
    }
    std::printf("export QTWEBENGINE_CHROMIUM_FLAGS='%s'\n", site.chromiumFlags().constData());
    std::fflush(stdout);
    return app.exec();
}
