#pragma once
// A browser shown in an offscreen view with the page bridge bound to it, for tests and
// benchmarks that run the page scripts on fixture pages.

#include "Browser/Browser.h"
#include "Scan/SpamEngine.h"

#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

namespace vt::test {

struct BridgeHarness {
    Browser browser;
    QWebEngineView view;
    SpamEngine engine{&browser};

    BridgeHarness()
    {
        view.setPage(browser.currentTab()->page());
        QObject::connect(&browser, &Browser::currentTabChanged, &view, [this](BrowserPage *page) { view.setPage(page); });
        view.resize(1280, 900);
        view.show();
    }

    // Opens an address and waits until the page has loaded (and its own scripts have run).
    bool open(const QUrl &url, int settleMs = 150)
    {
        // open() may switch to the other site's tab: watch the page that loads.
        browser.open(url.toString());
        QSignalSpy finished(browser.currentTab()->page(), &QWebEnginePage::loadFinished);
        if (!finished.wait(20000))
            return false;
        QTest::qWait(settleMs);
        return QTest::qWaitFor([this] { return !browser.isLoading(); }, 10000);
    }
};

} // namespace vt::test
