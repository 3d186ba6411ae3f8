#include "Shell/VeltraneBrowser.h"

#include "Base/AppSettings.h"
#include "Sites/AuthPolicy.h"
#include "Sites/LoginProvider.h"
#include "Browser/Browser.h"

#include <QWebEngineView>

VeltraneBrowser::VeltraneBrowser(Browser *browser, QWidget *parent)
    : QMainWindow(parent)
    , m_browser(browser)
    , m_view(new QWebEngineView(this))
{
    setWindowTitle(QStringLiteral("Glimora"));
    resize(1440, 900);
    setMinimumSize(1200, 720);
    setCentralWidget(m_view);
    showPage(browser->currentTab()->page());
    connect(browser, &Browser::currentTabChanged, this, &VeltraneBrowser::showPage);
}

void VeltraneBrowser::showPage(BrowserPage *page)
{
    if (m_view->page() != page)
        m_view->setPage(page);
}

QString VeltraneBrowser::startPage()
{
    if (qEnvironmentVariableIsSet("VT_START_URL"))
        return qEnvironmentVariable("VT_START_URL");
    const QString stored = AppSettings::shared().stringValue(QStringLiteral("vt.lastPage"));
    if (!stored.isEmpty()) {
        const QUrl url(stored, QUrl::StrictMode);
        if (url.isValid() && AuthPolicy::canRestore(url))
            return url.toString(QUrl::FullyEncoded);
    }
    return LoginProvider(LoginProvider::youtube).home().toString();
}
