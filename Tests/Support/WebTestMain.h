#pragma once
// main() for test programs that drive the web engine on the fixture site: isolated user folders,
// a QApplication, the shared FixtureSite started and mapped before the web engine starts.

#include "FixtureSite.h"
#include "TestMain.h"

#include <QApplication>
#include <QTest>

#define VT_WEB_TEST_MAIN(TestObject)                                   \
    int main(int argc, char *argv[])                                   \
    {                                                                  \
        vt::test::isolateUserFolders();                                \
        QApplication app(argc, argv);                                  \
        if (!vt::test::FixtureSite::startShared())                     \
            return 1;                                                  \
        TestObject tc;                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                     \
        return QTest::qExec(&tc, argc, argv);                          \
    }
