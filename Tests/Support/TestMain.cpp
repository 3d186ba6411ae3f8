#include "TestMain.h"

#include <QDir>

namespace vt::test {

void isolateUserFolders()
{
    static QTemporaryDir home;   // lives until the process ends
    if (!home.isValid())
        qFatal("cannot create a temporary home folder");
    for (const char *sub : {"config", "data", "cache"})
        QDir(home.path()).mkpath(QString::fromLatin1(sub));
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath("config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", QDir(home.path()).filePath("data").toLocal8Bit());
    qputenv("XDG_CACHE_HOME", QDir(home.path()).filePath("cache").toLocal8Bit());
    qputenv("HOME", home.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

}   // namespace vt::test
