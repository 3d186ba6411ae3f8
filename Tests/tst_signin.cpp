// Site sign-in tracking on the fixture site: statuses from navigation, cookies and the probe;
// sign-out.
#include "Auth/AccountSession.h"
#include "Browser/Browser.h"
#include "FixtureSite.h"
#include "Lang.h"
#include "PageTools.h"
#include "WebTestMain.h"

#include <QSignalSpy>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

using vt::test::evaluate;
using vt::test::FixtureSite;

namespace {

constexpr int slow = 20000;

QWebEngineProfile *profile()
{
    return Browser::defaultProfile();
}

bool ownsCookie(const AccountSession &accounts, LoginProvider site)
{
    for (const QNetworkCookie &c : accounts.cookies())
        if (site.owns(c.domain()))
            return true;
    return false;
}

} // namespace

class SignInTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Browser> browser;

    AccountSession &accounts() { return *browser->accounts(); }
    BrowserPage *page() { return browser->currentTab()->page(); }

    // Fills the shown sign-in form with `who` and submits it.
    void submit(const QString &field, const QString &who)
    {
        QTRY_VERIFY_WITH_TIMEOUT(!browser->isLoading() && evaluate(page(), "!!document.getElementById('form')").toBool(), slow);
        evaluate(page(), QStringLiteral("document.getElementById('%1').value='%2';document.getElementById('form').submit();")
                             .arg(field, who));
    }

    void signInYouTube(const QString &who = "owner")
    {
        browser->signIn(LoginProvider::youtube);
        submit("identifier", who);
    }

    void signInInstagram(const QString &who = "owner")
    {
        browser->signIn(LoginProvider::instagram);
        submit("username", who);
    }

private slots:
    void init()
    {
        AccountSession::resetProbeScript();
        FixtureSite::shared()->resetRoutes();
        profile()->cookieStore()->deleteAllCookies();
        browser = std::make_unique<Browser>(profile());
    }

    void cleanup()
    {
        browser.reset();
    }

    void startsSignedOutWithoutCookies()
    {
        QCOMPARE(accounts().status(LoginProvider::youtube), LoginStatus::unknown);
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedOut, slow);
        QCOMPARE(accounts().status(LoginProvider::instagram), LoginStatus::signedOut);
    }

    void youtubeSignInReachesSignedIn()
    {
        browser->open("https://www.youtube.com/");
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedOut, slow);
        browser->signIn(LoginProvider::youtube);
        QCOMPARE(accounts().status(LoginProvider::youtube), LoginStatus::signingIn);
        QCOMPARE(accounts().activeProvider(), std::optional<LoginProvider>(LoginProvider::youtube));
        QVERIFY(accounts().isAuthenticating());
        submit("identifier", "owner");
        QTRY_COMPARE_WITH_TIMEOUT(browser->address(), QString("https://www.youtube.com/"), slow);
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedIn, slow);
        QCOMPARE(accounts().activeProvider(), std::nullopt);
        QCOMPARE(accounts().status(LoginProvider::instagram), LoginStatus::signedOut);
    }
};

VT_WEB_TEST_MAIN(SignInTest)
#include "tst_signin.moc"
