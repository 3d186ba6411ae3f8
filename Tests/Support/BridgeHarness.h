#pragma once
// A browser shown in an offscreen view with the page bridge bound to it, for tests and
// benchmarks that run the page scripts on fixture pages.

#include "Await.h"
#include "FixtureSite.h"
#include "Browser/AccountSession.h"
#include "Browser/Browser.h"
#include "Browser/BrowserError.h"
#include "Page/SpamEngine.h"

#include <QElapsedTimer>
#include <QNetworkCookie>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <functional>
#include <optional>

namespace vt::test {

struct BridgeHarness {
    Browser browser;
    QWebEngineView view;
    SpamEngine engine{&browser};

    BridgeHarness()
    {
        view.setPage(browser.currentTab()->page());
        QObject::connect(&browser, &Browser::currentTabChanged, &view,
                         [this](BrowserPage *page) { view.setPage(page); });
        view.resize(1280, 900);
        view.show();
    }

    // Opens an address and waits until the page has loaded (and its own scripts have run).
    bool open(const QUrl &url, int settleMs = 150)
    {
        // open() may switch to the other site's tab: watch the page that loads.
        browser.open(url.toString());
        QSignalSpy finished(browser.currentTab()->page(), &QWebEnginePage::loadFinished);
        if (!finished.wait(60000))
            return false;
        QTest::qWait(settleMs);
        return QTest::qWaitFor([this] { return !browser.isLoading(); }, 30000);
    }

    // Both sites signed in: their session cookies in the browser's store and a sign-in probe that
    // reports them (reset it with AccountSession::resetProbeScript()). A site left on its sign-in
    // page counts as signing in, so such a tab goes to the site's home page.
    bool signInBothSites(int timeoutMs = 60000)
    {
        AccountSession::setProbeScript(QStringLiteral("return {signedIn: true};"));
        QWebEngineCookieStore *cookies = browser.accounts()->dataStore()->cookieStore();
        const auto cookie = [cookies](const QByteArray &name, const QByteArray &domain, const char *home) {
            QNetworkCookie c(name, "fixture");
            c.setDomain(domain);
            c.setPath("/");
            c.setSecure(true);
            c.setExpirationDate(QDateTime::currentDateTime().addDays(30));
            cookies->setCookie(c, QUrl(home));
        };
        cookie("SID", ".youtube.com", "https://www.youtube.com/");
        cookie("sessionid", ".instagram.com", "https://www.instagram.com/");
        const auto signedIn = [this](LoginProvider site) {
            const LoginStatus status = browser.accounts()->statuses().value(site, LoginStatus::signedOut);
            return status == LoginStatus::savedSession || status == LoginStatus::signedIn;
        };
        for (const LoginProvider site :
             {LoginProvider(LoginProvider::youtube), LoginProvider(LoginProvider::instagram)}) {
            if (signedIn(site))
                continue;
            browser.selectSite(site);
            if (!QTest::qWaitFor([&] { return browser.currentTab() == browser.tab(site); }, timeoutMs))
                return false;
            if (!open(FixtureSite::url(site == LoginProvider::youtube ? "www.youtube.com" : "www.instagram.com")))
                return false;
        }
        return QTest::qWaitFor([&] { return signedIn(LoginProvider::youtube) && signedIn(LoginProvider::instagram); },
                               timeoutMs);
    }

    ScanResult scan(bool newest = false, bool noLikes = false, int minLikes = 1,
                    std::optional<Recent> recent = std::nullopt, qint64 limit = 0)
    {
        return await(engine.scan(limit, newest, noLikes, minLikes, recent), 180000);
    }

    // The scan with the progress polled beside it, as the model does.
    ScanResult scanPolling(std::function<QCoro::Task<ScanResult>()> start, QList<ScanProgress> *seen,
                           std::function<void(const ScanProgress &)> onProgress = {})
    {
        auto task = start();
        bool done = false;
        std::optional<ScanResult> result;
        std::exception_ptr error;
        // The lambda outlives its coroutine: a coroutine lambda's captures live in the lambda object.
        auto body = [&]() -> QCoro::Task<void> {
            try {
                result = co_await std::move(task);
            } catch (...) {
                error = std::current_exception();
            }
            done = true;
        };
        auto driver = body();
        QElapsedTimer clock;
        clock.start();
        while (!done && clock.elapsed() < 180000) {
            try {
                if (auto p = await(engine.progress(), 10000)) {
                    if (seen)
                        seen->append(*p);
                    if (onProgress)
                        onProgress(*p);
                }
            } catch (const BrowserError &) {
            }
            QTest::qWait(80);
        }
        if (!done)
            throw std::runtime_error("scan did not end");
        if (error)
            std::rethrow_exception(error);
        return *result;
    }
};

}   // namespace vt::test
