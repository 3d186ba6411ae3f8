#pragma once
// main() for test programs that drive the web engine on the fixture site: isolated user folders,
// a QApplication, the shared FixtureSite started and mapped before the web engine starts. The
// program fails when the application asked for anything off the local servers.

#include "FixtureNetwork.h"
#include "FixtureSite.h"
#include "TestMain.h"

#include <QApplication>
#include <QTest>

namespace vt::test {

// The exit code of a test program: failed, or 1 when a download went off the local servers.
inline int offsiteCheck(int failed)
{
    const FixtureNetwork *network = FixtureNetwork::shared();
    if (!network || network->offsite().isEmpty())
        return failed;
    for (const QString &url : network->offsite())
        qWarning("A request left the local servers: %s", qPrintable(url));
    return failed ? failed : 1;
}

}   // namespace vt::test

#define VT_WEB_TEST_MAIN(TestObject)                                                                                   \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        vt::test::isolateUserFolders();                                                                                \
        QApplication app(argc, argv);                                                                                  \
        if (!vt::test::FixtureSite::startShared())                                                                     \
            return 1;                                                                                                  \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        const int failed = QTest::qExec(&tc, argc, argv);                                                              \
        return vt::test::offsiteCheck(failed);                                                                         \
    }
