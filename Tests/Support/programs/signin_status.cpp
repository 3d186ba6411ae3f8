// Runs the browser's sign-in tracking in a process of its own, for tests of what survives a
// restart. Uses the environment it is given (data folder, resolver rules of the fixture site).
//
//   signin_status signin   sign in to YouTube on the fixture site, print the statuses, quit
//   signin_status status   print the statuses the stored cookies give, quit
//
// Output: one line "youtube=<status> instagram=<status>" with the numbers of LoginStatus.

#include "Browser/Browser.h"
#include "PageTools.h"

#include <QApplication>
#include <QTest>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString mode = app.arguments().value(1);
    AccountSession::setProbeScript(std::nullopt);   // the statuses that the cookies alone give
    int code = 0;
    QList<QNetworkCookie> cookies;
    {
        Browser browser;
        AccountSession &accounts = *browser.accounts();
        if (mode == QLatin1String("signin")) {
            browser.signIn(LoginProvider::youtube);
            BrowserPage *page = browser.currentTab()->page();
            if (!QTest::qWaitFor(
                    [&] {
                return !browser.isLoading() && vt::test::evaluate(page, "!!document.getElementById('form')").toBool();
                    },
                    30000))
                code = 2;
            vt::test::evaluate(
                page, "document.getElementById('identifier').value='owner';document.getElementById('form').submit();");
            if (!QTest::qWaitFor([&] { return accounts.status(LoginProvider::youtube) == LoginStatus::savedSession; },
                                 30000))
                code = 3;
        } else if (!QTest::qWaitFor([&] { return accounts.status(LoginProvider::youtube) != LoginStatus::unknown; },
                                    30000)) {
            code = 4;
        }
        // Let later cookie reports settle before reading.
        QTest::qWait(500);
        std::printf("youtube=%d instagram=%d\n", int(accounts.status(LoginProvider::youtube)),
                    int(accounts.status(LoginProvider::instagram)));
        cookies = accounts.cookies();
    }
    // Quit as the application does: the profile goes while the engine runs, and the cookie
    // file is written before the next run reads it.
    Browser::releaseDefaultProfile(cookies);
    return code;
}
