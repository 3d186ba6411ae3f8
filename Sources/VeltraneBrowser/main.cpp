#include "Base/AppSettings.h"
#include "Browser/Browser.h"
#include "Shell/VeltraneBrowser.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glimora"));
    QApplication::setOrganizationName(QStringLiteral("Veltrane"));

    Browser browser(nullptr, {}, &AppSettings::shared());
    VeltraneBrowser window(&browser);
    window.show();
    browser.open(VeltraneBrowser::startPage());
    return app.exec();
}
