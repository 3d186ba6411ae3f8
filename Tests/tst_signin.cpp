// Site sign-in tracking on the fixture site: statuses from navigation, cookies and the probe;
// sign-out.
#include "Base/AppSettings.h"
#include "Browser/AccountSession.h"
#include "Await.h"
#include "Browser/Browser.h"
#include "Browser/StoredCookies.h"
#include "FixtureSite.h"
#include "Base/Lang.h"
#include "PageTools.h"
#include "Shell/AccountMenu.h"
#include "WebTestMain.h"

#include <QLabel>

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

#include <sqlite3.h>

using vt::test::evaluate;
using vt::test::FixtureSite;

namespace {

constexpr int slow = 20000;
// Longer than a sign-out's own ceilings for pages and cookies that never answer: the wait for a
// sign-out ends when it does.
constexpr int signOutCeiling = 240000;

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

// statusesChanged is raised for either site: a status joins the trail only when it differs
// from the one before (`from` at first), so the other site's reports (a cookie scan landing
// late on a busy machine) add nothing.
void noteChange(QList<int> &trail, LoginStatus from, LoginStatus status)
{
    if (int(status) != (trail.isEmpty() ? int(from) : trail.last()))
        trail << int(status);
}

QString trail(const QList<int> &statuses)
{
    QStringList names;
    for (const int s : statuses)
        names << QString::number(s);
    return QStringLiteral("statuses seen: ") + names.join(QStringLiteral(", "));
}

}   // namespace

class SignInTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Browser> browser;

    AccountSession &accounts() { return *browser->accounts(); }
    BrowserPage *page() { return browser->currentTab()->page(); }

    // Fills the shown sign-in form with `who` and submits it.
    void submit(const QString &field, const QString &who)
    {
        QTRY_VERIFY_WITH_TIMEOUT(!browser->isLoading()
                                     && evaluate(page(), "!!document.getElementById('form')").toBool(),
                                 slow);
        evaluate(page(),
                 QStringLiteral("document.getElementById('%1').value='%2';document.getElementById('form').submit();")
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
    // The cookie store reports changes only once the profile's network has started.
    void initTestCase()
    {
        QWebEnginePage wake(profile());
        QSignalSpy loaded(&wake, &QWebEnginePage::loadFinished);
        wake.load(FixtureSite::shared()->server().url("/"));
        QVERIFY(loaded.wait(slow));
    }

    void init()
    {
        AccountSession::resetProbeScript();
        FixtureSite::shared()->resetRoutes();
        profile()->cookieStore()->deleteAllCookies();
        browser = std::make_unique<Browser>(profile());
    }

    void cleanup() { browser.reset(); }

    void startsSignedOutWithoutCookies()
    {
        QCOMPARE(accounts().status(LoginProvider::youtube), LoginStatus::unknown);
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedOut, slow);
        QCOMPARE(accounts().status(LoginProvider::instagram), LoginStatus::signedOut);
    }

    // While the sign-in page loads, the page being left may still report its address: on a busy
    // machine its commit arrives after the sign-in has begun. The site stays signing in through
    // that (no page work can start mid sign-in); a load that ends elsewhere still ends the sign-in.
    void pageBeingLeftDoesNotInterruptTheSignIn()
    {
        FixtureSite::shared()->route("accounts.google.com", "GET", "/ServiceLogin",
                                     [](const vt::test::HttpRequest &, const vt::test::HttpResponder &r) {
            r.replyAfter(1500, vt::test::HttpReply::html("<h1>Sign in</h1><form id=\"form\"></form>"));
        });
        browser->open("https://www.youtube.com/");
        QTRY_VERIFY_WITH_TIMEOUT(!browser->isLoading() && browser->address() == "https://www.youtube.com/", slow);
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedOut, slow);
        QList<int> seen;
        bool leftAuthenticating = false;
        QObject listening;   // ends the connection with this test's locals
        connect(&accounts(), &AccountSession::statusesChanged, &listening,
                [&, from = accounts().status(LoginProvider::youtube)] {
            noteChange(seen, from, accounts().status(LoginProvider::youtube));
        });
        connect(&accounts(), &AccountSession::activeProviderChanged, &listening,
                [&] { leftAuthenticating |= !accounts().isAuthenticating(); });
        browser->signIn(LoginProvider::youtube);
        QTRY_VERIFY_WITH_TIMEOUT(page()->isLoading(), slow);
        accounts().navigationChanged(QUrl("https://www.youtube.com/"));   // the late report of the page left
        QTRY_VERIFY_WITH_TIMEOUT(!browser->isLoading()
                                     && evaluate(page(), "!!document.getElementById('form')").toBool(),
                                 slow);
        QVERIFY2(seen == QList<int>({int(LoginStatus::signingIn)}), qPrintable(trail(seen)));
        QVERIFY(!leftAuthenticating);
        QCOMPARE(accounts().activeProvider(), std::optional<LoginProvider>(LoginProvider::youtube));

        // The owner goes elsewhere before the sign-in page arrived.
        browser->open("https://www.youtube.com/");
        QTRY_VERIFY_WITH_TIMEOUT(!browser->isLoading() && browser->address() == "https://www.youtube.com/", slow);
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedOut, slow);
        browser->signIn(LoginProvider::youtube);
        QTRY_VERIFY_WITH_TIMEOUT(page()->isLoading(), slow);
        browser->open("https://www.youtube.com/");
        QTRY_VERIFY_WITH_TIMEOUT(!browser->isLoading() && browser->address() == "https://www.youtube.com/", slow);
        QTRY_COMPARE_WITH_TIMEOUT(accounts().activeProvider(), std::nullopt, slow);
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedOut, slow);
    }

    void youtubeSignInReachesSignedIn()
    {
        browser->open("https://www.youtube.com/");
        QTRY_VERIFY_WITH_TIMEOUT(!browser->isLoading() && browser->address() == "https://www.youtube.com/", slow);
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedOut, slow);
        QList<int> seen;     // every status of the site from here on
        QObject listening;   // ends the connection with this test's locals
        connect(&accounts(), &AccountSession::statusesChanged, &listening,
                [&, from = accounts().status(LoginProvider::youtube)] {
            noteChange(seen, from, accounts().status(LoginProvider::youtube));
        });
        QSignalSpy active(&accounts(), &AccountSession::activeProviderChanged);
        browser->signIn(LoginProvider::youtube);
        QCOMPARE(accounts().status(LoginProvider::youtube), LoginStatus::signingIn);
        QCOMPARE(accounts().activeProvider(), std::optional<LoginProvider>(LoginProvider::youtube));
        QVERIFY(accounts().isAuthenticating());
        // While the sign-in page loads the site stays signing in: the load's start reports the
        // page being loaded, not the one it replaces.
        QTRY_VERIFY_WITH_TIMEOUT(!browser->isLoading()
                                     && evaluate(page(), "!!document.getElementById('form')").toBool(),
                                 slow);
        QVERIFY2(seen == QList<int>({int(LoginStatus::signingIn)}), qPrintable(trail(seen)));
        QCOMPARE(active.count(), 1);
        submit("identifier", "owner");
        QTRY_COMPARE_WITH_TIMEOUT(browser->address(), QString("https://www.youtube.com/"), slow);
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedIn, slow);
        QCOMPARE(accounts().activeProvider(), std::nullopt);
        QVERIFY(!accounts().isAuthenticating());
        QCOMPARE(accounts().status(LoginProvider::instagram), LoginStatus::signedOut);
        // The sign-in page was never remembered as the last page.
        QCOMPARE(AppSettings::shared().stringValue("vt.lastPage"), QString("https://www.youtube.com/"));
    }

    void instagramSignInReachesSignedIn()
    {
        signInInstagram();
        QCOMPARE(browser->selectedSite(), LoginProvider::instagram);
        QTRY_COMPARE_WITH_TIMEOUT(browser->address(), QString("https://www.instagram.com/"), slow);
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::instagram), LoginStatus::signedIn, slow);
        QCOMPARE(accounts().status(LoginProvider::youtube), LoginStatus::signedOut);
    }

    // The sign-in outcomes the sites' pages give, by address and by page content.
    void signInOutcomes_data()
    {
        QTest::addColumn<int>("site");
        QTest::addColumn<QString>("who");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QString verification = Lang::system() ? QString("브라우저 화면에서 추가 인증을 완료해 주세요.")
                                                    : QString("Complete the extra verification in the web view.");
        const QString refusedByAddress = Lang::system() ? QString("서비스에서 앱 내 로그인을 제한했습니다.")
                                                        : QString("The service restricted in-app sign-in.");
        const QString refusedByPage = Lang::system()
            ? QString("서비스에서 앱 내 로그인을 제한했습니다. 외부 브라우저의 로그인은 이 앱으로 전달되지 않습니다.")
            : QString(
                "The service restricted in-app sign-in. A sign-in in an external browser is not carried over to this app.");
        QTest::newRow("youtube verification")
            << int(LoginProvider::youtube) << "verify" << int(LoginStatus::verification) << verification;
        QTest::newRow("youtube refused in the address")
            << int(LoginProvider::youtube) << "denied" << int(LoginStatus::blocked) << refusedByAddress;
        QTest::newRow("youtube refused by the page")
            << int(LoginProvider::youtube) << "refused" << int(LoginStatus::blocked) << refusedByPage;
        QTest::newRow("instagram verification")
            << int(LoginProvider::instagram) << "verify" << int(LoginStatus::verification) << verification;
        QTest::newRow("instagram refused in the address")
            << int(LoginProvider::instagram) << "denied" << int(LoginStatus::blocked) << refusedByAddress;
    }

    void signInOutcomes()
    {
        QFETCH(int, site);
        QFETCH(QString, who);
        QFETCH(int, status);
        QFETCH(QString, message);
        const LoginProvider provider = LoginProvider::Value(site);
        if (provider == LoginProvider::youtube)
            signInYouTube(who);
        else
            signInInstagram(who);
        QTRY_COMPARE_WITH_TIMEOUT(int(accounts().status(provider)), status, slow);
        QCOMPARE(accounts().message(), message);
        QCOMPARE(accounts().activeProvider(), std::optional<LoginProvider>(provider));
        QVERIFY(accounts().isAuthenticating());
        // Leaving the sign-in page hands the site back to the cookies.
        browser->open(provider.home().toString());
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(provider), LoginStatus::signedOut, slow);
        QCOMPARE(accounts().activeProvider(), std::nullopt);
        QCOMPARE(accounts().message(), QString());
    }

    // The status machine of navigation reports, step by step ("-" reports no address).
    void navigationReports_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("youtube");
        QTest::addColumn<int>("instagram");
        QTest::addColumn<QString>("active");   // "" for none
        QTest::addColumn<QString>("message");
        const int unknown = LoginStatus::unknown;
        const QString google = "https://accounts.google.com/ServiceLogin?service=youtube";
        const QString refused = "https://accounts.google.com/signin/x?error=disallowed_useragent";
        const QString insta = "https://www.instagram.com/accounts/login/?next=%2F";
        const QString refusal = Lang::system() ? QString("서비스에서 앱 내 로그인을 제한했습니다.")
                                               : QString("The service restricted in-app sign-in.");
        const QString verify = Lang::system() ? QString("브라우저 화면에서 추가 인증을 완료해 주세요.")
                                              : QString("Complete the extra verification in the web view.");
        QTest::newRow("sign-in page") << QStringList{google} << int(LoginStatus::signingIn) << unknown << "youtube"
                                      << "";
        QTest::newRow("straight to the other site's sign-in")
            << QStringList{google, insta} << unknown << int(LoginStatus::signingIn) << "instagram"
            << "";
        QTest::newRow("no address while active") << QStringList{google, "-"} << unknown << unknown << ""
                                                 << "";
        QTest::newRow("refused in the address")
            << QStringList{refused} << int(LoginStatus::blocked) << unknown << "youtube" << refusal;
        QTest::newRow("verification") << QStringList{"https://www.instagram.com/challenge/1/"} << unknown
                                      << int(LoginStatus::verification) << "instagram" << verify;
        QTest::newRow("leaving empties the message")
            << QStringList{refused, "https://www.youtube.com/"} << unknown << unknown << ""
            << "";
        QTest::newRow("refusal then the other site's verification")
            << QStringList{refused, "https://www.facebook.com/checkpoint/2"} << unknown
            << int(LoginStatus::verification) << "instagram" << verify;
        QTest::newRow("ordinary page") << QStringList{"https://www.youtube.com/watch?v=a"} << unknown << unknown << ""
                                       << "";
    }
    void navigationReports()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, youtube);
        QFETCH(int, instagram);
        QFETCH(QString, active);
        QFETCH(QString, message);
        QWebEngineProfile scratch;   // off the record: the event loop does not run, so no cookie scan decides
        AccountSession session(&scratch);
        for (const QString &step : steps)
            session.navigationChanged(step == "-" ? std::nullopt : std::optional<QUrl>(QUrl(step)));
        QCOMPARE(int(session.status(LoginProvider::youtube)), youtube);
        QCOMPARE(int(session.status(LoginProvider::instagram)), instagram);
        QCOMPARE(session.activeProvider() ? session.activeProvider()->rawValue() : QString(), active);
        QCOMPARE(session.isAuthenticating(), !active.isEmpty());
        QCOMPARE(session.message(), message);
        // The same report again (a reload) changes no status.
        QSignalSpy statuses(&session, &AccountSession::statusesChanged);
        session.navigationChanged(steps.last() == "-" ? std::nullopt : std::optional<QUrl>(QUrl(steps.last())));
        QCOMPARE(statuses.count(), 0);
    }

    void signInPageThatFailsToLoad()
    {
        FixtureSite::shared()->route("accounts.google.com", "GET", "/ServiceLogin",
                                     [](const vt::test::HttpRequest &, const vt::test::HttpResponder &r) {
            r.closeConnection();
        });
        browser->signIn(LoginProvider::youtube);
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::failed, slow);
        QCOMPARE(accounts().message(),
                 (Lang::system()
                      ? QString("로그인 페이지를 불러오지 못했습니다. 네트워크 연결을 확인한 뒤 다시 시도해 주세요.")
                      : QString("Couldn't load the sign-in page. Check your connection and try again.")));
        QVERIFY(browser->error().startsWith(Lang::system() ? QString("페이지를 불러오지 못했습니다. ")
                                                           : QString("Couldn't load the page. ")));
        // A sign-in page is never the address to retry: retry reloads the view.
        QVERIFY(!browser->currentTab()->failedURL);
    }

    // Which cookies count as a live session.
    void cookieRules_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("domain");
        QTest::addColumn<int>("expiresInDays");   // 0: no expiry (a session cookie)
        QTest::addColumn<int>("youtube");
        QTest::addColumn<int>("instagram");
        const int in = LoginStatus::savedSession, out = LoginStatus::signedOut;
        QTest::newRow("SID on youtube") << QByteArray("SID") << ".youtube.com" << 30 << in << out;
        QTest::newRow("1PSID on google with dot") << QByteArray("__Secure-1PSID") << ".google.com" << 30 << in << out;
        QTest::newRow("3PSID on google without dot") << QByteArray("__Secure-3PSID") << "google.com" << 30 << in << out;
        QTest::newRow("session cookie without expiry") << QByteArray("SID") << ".youtube.com" << 0 << in << out;
        QTest::newRow("expired") << QByteArray("SID") << ".youtube.com" << -1 << out << out;
        QTest::newRow("sessionid on youtube") << QByteArray("sessionid") << ".youtube.com" << 30 << out << out;
        QTest::newRow("sessionid on instagram") << QByteArray("sessionid") << ".instagram.com" << 30 << out << in;
        QTest::newRow("name case differs") << QByteArray("SessionId") << ".instagram.com" << 30 << out << out;
        QTest::newRow("not a session name") << QByteArray("PREF") << ".youtube.com" << 30 << out << out;
    }

    void cookieRules()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, domain);
        QFETCH(int, expiresInDays);
        QFETCH(int, youtube);
        QFETCH(int, instagram);
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedOut, slow);
        QNetworkCookie cookie(name, "value");
        cookie.setDomain(domain);
        cookie.setPath("/");
        cookie.setSecure(true);
        if (expiresInDays != 0)
            cookie.setExpirationDate(QDateTime::currentDateTimeUtc().addDays(expiresInDays));
        const QString host = domain.startsWith('.') ? "www" + domain : domain;
        QSignalSpy scans(&accounts(), &AccountSession::cookiesScanned);
        profile()->cookieStore()->setCookie(cookie, QUrl("https://" + host + "/"));
        if (expiresInDays >= 0)   // the debounced scan of the reported cookie
            QTRY_VERIFY_WITH_TIMEOUT(!scans.isEmpty() && !accounts().cookies().isEmpty(), slow);
        else   // an expired cookie is never reported
            QTest::qWait(300);
        QCOMPARE(int(accounts().status(LoginProvider::youtube)), youtube);
        QCOMPARE(int(accounts().status(LoginProvider::instagram)), instagram);
    }

    // A burst of cookie changes gives one scan, after the last change.
    void cookieChangesAreDebounced()
    {
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedOut, slow);
        QSignalSpy scans(&accounts(), &AccountSession::cookiesScanned);
        auto set = [](const QByteArray &name) {
            QNetworkCookie cookie(name, "v");
            cookie.setDomain(".youtube.com");
            cookie.setPath("/");
            cookie.setExpirationDate(QDateTime::currentDateTimeUtc().addDays(1));
            profile()->cookieStore()->setCookie(cookie, QUrl("https://www.youtube.com/"));
        };
        set("PREF");
        QTest::qWait(100);
        set("SID");
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::savedSession, slow);
        QTest::qWait(400);
        QCOMPARE(scans.count(), 1);
    }

    // A site that is signing in, verifying, blocked, failed or signed in keeps that status while
    // a session cookie is there, and becomes signed out when none is.
    void liveCookieKeepsOtherStatuses()
    {
        signInYouTube("verify");
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::verification, slow);
        QNetworkCookie cookie("SID", "value");
        cookie.setDomain(".youtube.com");
        cookie.setPath("/");
        cookie.setExpirationDate(QDateTime::currentDateTimeUtc().addDays(1));
        profile()->cookieStore()->setCookie(cookie, QUrl("https://www.youtube.com/"));
        QTRY_VERIFY_WITH_TIMEOUT(!accounts().cookies().isEmpty(), slow);
        QTest::qWait(400);
        // The active site is never decided by the cookies.
        QCOMPARE(accounts().status(LoginProvider::youtube), LoginStatus::verification);
    }

    // Signed in in one run, a saved session in the next: two processes on one data folder.
    void savedSessionAfterRestart()
    {
        QTemporaryDir data;


        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", data.path());
        auto run = [&](const QString &mode) {
            QProcess process;
            process.setProcessEnvironment(env);
            process.start(VT_BINARY_DIR "/signin_status", {mode});
            // The fixture site answers from this process's event loop.
            (void)QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 90000);
            if (process.state() != QProcess::NotRunning || process.exitCode() != 0)
                return QString("failed (%1): ").arg(process.exitCode()) + process.readAllStandardError().right(400);
            return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
        };
        const QString saved =
            QString("youtube=%1 instagram=%2").arg(int(LoginStatus::savedSession)).arg(int(LoginStatus::signedOut));
        QCOMPARE(run("signin"), saved);
        QCOMPARE(run("status"), saved);
    }

    // The profile's cookie file as the engine leaves it, also while the engine holds it locked.
    void storedCookiesAreRead()
    {
        QTemporaryDir dir;
        const QByteArray path = (dir.path() + "/Cookies").toUtf8();
        sqlite3 *engine = nullptr;
        QCOMPARE(sqlite3_open(path.constData(), &engine), SQLITE_OK);
        // 13 000 000 000 000 000 microseconds after 1601-01-01 is 2012-12-14T23:06:40Z.
        const char *setup =
            "CREATE TABLE cookies (host_key TEXT, name TEXT, value TEXT, path TEXT, expires_utc INTEGER,"
            " has_expires INTEGER, is_secure INTEGER, is_httponly INTEGER);"
            "INSERT INTO cookies VALUES ('.youtube.com', 'SID', 'x', '/', 13000000000000000, 1, 1, 0);"
            "INSERT INTO cookies VALUES ('.instagram.com', 'sessionid', 'y', '/', 0, 0, 1, 1);"
            "PRAGMA locking_mode=EXCLUSIVE;"
            "UPDATE cookies SET value = 'z' WHERE name = 'SID';";
        QCOMPARE(sqlite3_exec(engine, setup, nullptr, nullptr, nullptr), SQLITE_OK);
        const QList<QNetworkCookie> cookies = StoredCookies::read(dir.path());
        sqlite3_close(engine);
        QCOMPARE(cookies.size(), 2);
        QCOMPARE(cookies[0].name(), QByteArray("SID"));
        QCOMPARE(cookies[0].domain(), QString(".youtube.com"));
        QCOMPARE(cookies[0].expirationDate(), QDateTime(QDate(2012, 12, 14), QTime(23, 6, 40), Qt::UTC));
        QVERIFY(cookies[0].isSecure());
        QCOMPARE(cookies[1].name(), QByteArray("sessionid"));
        QVERIFY(cookies[1].isSessionCookie());
        QVERIFY(cookies[1].isHttpOnly());
        QVERIFY(StoredCookies::read(dir.path() + "/missing").isEmpty());
    }

    void withoutProbeScriptNeverSignedIn()
    {
        AccountSession::setProbeScript(std::nullopt);
        signInYouTube();
        QTRY_COMPARE_WITH_TIMEOUT(browser->address(), QString("https://www.youtube.com/"), slow);
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::savedSession, slow);
        QTest::qWait(600);
        QCOMPARE(accounts().status(LoginProvider::youtube), LoginStatus::savedSession);
    }

    // Probe replies on an ordinary page of a site.
    void probeReplies_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("refusalMessage");
        QTest::newRow("signed in") << "return {signedIn: true};" << int(LoginStatus::signedIn) << false;
        QTest::newRow("signed out") << "return {signedOut: true};" << int(LoginStatus::signedOut) << false;
        QTest::newRow("blocked wins over signed in")
            << "return {blocked: true, signedIn: true};" << int(LoginStatus::blocked) << true;
        QTest::newRow("a text member spoils the reply")
            << "return {signedIn: true, note: 'x'};" << int(LoginStatus::savedSession) << false;
        QTest::newRow("a number member spoils the reply")
            << "return {signedIn: 1};" << int(LoginStatus::savedSession) << false;
        QTest::newRow("a promise is no reply")
            << "return Promise.resolve({signedIn: true});" << int(LoginStatus::savedSession) << false;
        QTest::newRow("a throwing probe") << "throw new Error('x');" << int(LoginStatus::savedSession) << false;
        QTest::newRow("not an object") << "return true;" << int(LoginStatus::savedSession) << false;
    }

    void probeReplies()
    {
        QFETCH(QString, script);
        QFETCH(int, status);
        QFETCH(bool, refusalMessage);
        QNetworkCookie cookie("SID", "value");
        cookie.setDomain(".youtube.com");
        cookie.setPath("/");
        cookie.setExpirationDate(QDateTime::currentDateTimeUtc().addDays(1));
        profile()->cookieStore()->setCookie(cookie, QUrl("https://www.youtube.com/"));
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::savedSession, slow);
        AccountSession::setProbeScript("window.__probes = (window.__probes || 0) + 1;\n" + script);
        browser->open("https://www.youtube.com/watch?v=abc");
        QTRY_VERIFY_WITH_TIMEOUT(!browser->isLoading() && browser->address().contains("watch"), slow);
        // The probe runs 250 ms after the page settles; its reply comes before this later answer.
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(page(), "window.__probes || 0").toInt() >= 1, slow);
        QTRY_COMPARE_WITH_TIMEOUT(int(accounts().status(LoginProvider::youtube)), status, slow);
        QCOMPARE(accounts().message().contains(Lang::system() ? QString("외부 브라우저") : QString("external browser")),
                 refusalMessage);
    }

    // An undecided reply is retried 1.5 s apart, three times, then given up until the next page.
    void undecidedProbeIsRetriedThreeTimes()
    {
        AccountSession::setProbeScript("window.__probes = (window.__probes || 0) + 1; return {};");
        browser->open("https://www.youtube.com/watch?v=abc");
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(page(), "window.__probes || 0").toInt(), 4, slow);
        QTRY_COMPARE_WITH_TIMEOUT(accounts().probeRetries(), 0, slow);
        QTest::qWait(1800);
        QCOMPARE(evaluate(page(), "window.__probes").toInt(), 4);
    }

    // On a sign-in page: signed in is not believed, signed out of the active site changes
    // nothing, and an undecided reply is not retried.
    void probeOnSignInPage()
    {
        AccountSession::setProbeScript(
            "window.__probes = (window.__probes || 0) + 1; return {signedIn: true, signedOut: true};");
        browser->signIn(LoginProvider::youtube);
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(page(), "window.__probes || 0").toInt(), 1, slow);
        QTest::qWait(1800);
        QCOMPARE(evaluate(page(), "window.__probes").toInt(), 1);
        QCOMPARE(accounts().status(LoginProvider::youtube), LoginStatus::signingIn);
    }

    void signOutRemovesOnlyThatSite()
    {
        signInInstagram();
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::instagram), LoginStatus::signedIn, slow);
        signInYouTube();
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedIn, slow);
        QVERIFY(ownsCookie(accounts(), LoginProvider::youtube));
        // Page storage of both sites.
        evaluate(page(), "localStorage.setItem('k', 'youtube')");
        evaluate(browser->tab(LoginProvider::instagram)->page(), "localStorage.setItem('k', 'instagram')");

        QSignalSpy clearing(&accounts(), &AccountSession::clearingChanged);
        vt::test::await(accounts().signOut(LoginProvider::youtube), signOutCeiling);
        QCOMPARE(clearing.count(), 2);
        QCOMPARE(accounts().clearing(), std::nullopt);
        QCOMPARE(accounts().status(LoginProvider::youtube), LoginStatus::signedOut);
        QCOMPARE(accounts().message(),
                 Lang::system() ? QString("YouTube의 앱 내 로그인 정보를 삭제했습니다.")
                                : QString("Removed the in-app sign-in for YouTube."));
        QVERIFY(!ownsCookie(accounts(), LoginProvider::youtube));
        QVERIFY(ownsCookie(accounts(), LoginProvider::instagram));
        // The tab of the site reopens its home page, signed out there too.
        QTRY_COMPARE_WITH_TIMEOUT(browser->address(), QString("https://www.youtube.com/"), slow);
        QTRY_COMPARE_WITH_TIMEOUT(
            evaluate(page(), "document.getElementById('state') && document.getElementById('state').textContent")
                .toString(),
            QString("signed out"), slow);
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedOut, slow);
        QCOMPARE(accounts().status(LoginProvider::instagram), LoginStatus::signedIn);
        QCOMPARE(evaluate(page(), "localStorage.getItem('k')"), QVariant());
        // The other site's page still shows it signed in, with its storage.
        browser->selectSite(LoginProvider::instagram);
        browser->open("https://www.instagram.com/");
        QTRY_VERIFY2_WITH_TIMEOUT(evaluate(page(), "!!document.getElementById('profile')").toBool(),
                                  qPrintable(page()->url().toString() + " | "
                                             + evaluate(page(), "document.body && document.body.innerText").toString()
                                             + " | "
                                             + QString::number(ownsCookie(accounts(), LoginProvider::instagram))),
                                  slow);
        QCOMPARE(evaluate(page(), "localStorage.getItem('k')").toString(), QString("instagram"));
    }

    // A cookie that stays after the removal: the sign-out says it did not complete.
    void signOutThatLeavesTheSessionSaysSo()
    {
        signInYouTube();
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedIn, slow);
        accounts().deleteCookie = [](const QNetworkCookie &) {};
        accounts().cookieCeilingMs = 1000;   // the cookies never go, however long it waits
        bool reopened = false;
        accounts().onSessionChanged = [&](LoginProvider, std::optional<QUrl>) { reopened = true; };
        vt::test::await(accounts().signOut(LoginProvider::youtube), signOutCeiling);
        QCOMPARE(accounts().clearing(), std::nullopt);
        QVERIFY(accounts().status(LoginProvider::youtube) != LoginStatus::signedOut);
        QVERIFY(
            accounts().message().contains(Lang::system() ? QString("마치지 못했습니다") : QString("did not complete")));
        QVERIFY(!reopened);
    }

    // An origin that takes its time to clear (longer than the fixed rounds a sign-out once had)
    // is waited for, and the sign-out completes.
    void signOutWaitsForSlowClearing()
    {
        signInYouTube();
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedIn, slow);
        accounts().clearStorageScript = "setTimeout(() => { window.__vtCleared = true; }, 11000);";
        vt::test::await(accounts().signOut(LoginProvider::youtube), signOutCeiling);
        QCOMPARE(accounts().clearing(), std::nullopt);
        QCOMPARE(accounts().status(LoginProvider::youtube), LoginStatus::signedOut);
        QCOMPARE(accounts().message(),
                 Lang::system() ? QString("YouTube의 앱 내 로그인 정보를 삭제했습니다.")
                                : QString("Removed the in-app sign-in for YouTube."));
        QVERIFY(!ownsCookie(accounts(), LoginProvider::youtube));
    }

    // Page data that will not clear (the clearing script says so, or never answers, for some
    // origins): the sign-out says so, names what is left and keeps the sign-in, so that it can be
    // tried again; the second try, with the clearing let through, signs out.
    void signOutWhoseSiteDataStaysSaysSo_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("ceiling");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("every origin") << QString("window.__vtCleared = false;") << 0
                                      << QStringList{"www.youtube.com", "accounts.google.com", "m.youtube.com"};
        QTest::newRow("one origin") << QString("window.__vtCleared = location.hostname !== 'accounts.google.com';") << 0
                                    << QStringList{"accounts.google.com"};
        // Only the ceiling ends a round no page answers; the outcome is the same however slow.
        QTest::newRow("no answer") << QString("void 0;") << 1000
                                   << QStringList{"www.youtube.com", "accounts.google.com", "m.youtube.com"};
    }
    void signOutWhoseSiteDataStaysSaysSo()
    {
        QFETCH(QString, script);
        QFETCH(int, ceiling);
        QFETCH(QStringList, left);
        signInYouTube();
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedIn, slow);
        AccountMenu menu(browser.get(), &accounts());
        const QString clearing = accounts().clearStorageScript;
        const int pageCeiling = accounts().pageCeilingMs;
        accounts().clearStorageScript = script;
        if (ceiling)
            accounts().pageCeilingMs = ceiling;
        bool reopened = false;
        accounts().onSessionChanged = [&](LoginProvider, std::optional<QUrl>) { reopened = true; };
        vt::test::await(accounts().signOut(LoginProvider::youtube), signOutCeiling);
        QCOMPARE(accounts().clearing(), std::nullopt);
        QCOMPARE(accounts().status(LoginProvider::youtube), LoginStatus::signedIn);
        QVERIFY(ownsCookie(accounts(), LoginProvider::youtube));
        QVERIFY(!reopened);
        const QString message = accounts().message();
        QVERIFY2(message.contains(Lang::system() ? QString("로그아웃하지 않았습니다") : QString("did not complete")),
                 qPrintable(message));
        QVERIFY(!message.contains(Lang::system() ? QString("삭제했습니다") : QString("Removed")));
        for (const QString &host :
             {QString("www.youtube.com"), QString("accounts.google.com"), QString("m.youtube.com")})
            QCOMPARE(message.contains(host), left.contains(host));
        // The site accounts menu shows it, and still offers the sign-out.
        QStringList shown;
        for (QLabel *label : menu.findChildren<QLabel *>())
            shown << label->text();
        QVERIFY(shown.contains(message));
        QVERIFY(menu.rows().at(0).actions.contains(AccountMenu::Action::signOut));

        accounts().clearStorageScript = clearing;
        accounts().pageCeilingMs = pageCeiling;
        vt::test::await(accounts().signOut(LoginProvider::youtube), signOutCeiling);
        QCOMPARE(accounts().status(LoginProvider::youtube), LoginStatus::signedOut);
        QCOMPARE(accounts().message(),
                 Lang::system() ? QString("YouTube의 앱 내 로그인 정보를 삭제했습니다.")
                                : QString("Removed the in-app sign-in for YouTube."));
        QVERIFY(reopened);
    }

    // A page that does not go blank in time (here it starts a load that never ends): nothing
    // is removed and the status stays.
    void signOutGivesUpWhenThePageDoesNotClose()
    {
        FixtureSite::shared()->route("www.youtube.com", "GET", "/hang",
                                     [](const vt::test::HttpRequest &, const vt::test::HttpResponder &) {});
        signInYouTube();
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedIn, slow);
        bool reopened = false;
        accounts().onSessionChanged = [&](LoginProvider, std::optional<QUrl>) { reopened = true; };
        auto signOut = accounts().signOut(LoginProvider::youtube);
        page()->load(QUrl("https://www.youtube.com/hang"));
        vt::test::await(std::move(signOut), signOutCeiling);
        QCOMPARE(accounts().clearing(), std::nullopt);
        QCOMPARE(accounts().status(LoginProvider::youtube), LoginStatus::signedIn);
        QCOMPARE(accounts().message(),
                 (Lang::system()
                      ? QString("웹 화면을 닫지 못해 로그아웃하지 않았습니다. 다시 시도해 주세요.")
                      : QString("Couldn't close the web view, so you were not signed out. Please try again.")));
        QVERIFY(ownsCookie(accounts(), LoginProvider::youtube));
        QVERIFY(!reopened);
        page()->triggerAction(QWebEnginePage::Stop);
    }

    void secondSignOutWhileOneRunsDoesNothing()
    {
        signInYouTube();
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::youtube), LoginStatus::signedIn, slow);
        auto first = accounts().signOut(LoginProvider::youtube);
        QCOMPARE(accounts().clearing(), std::optional<LoginProvider>(LoginProvider::youtube));
        QVERIFY(accounts().isAuthenticating());
        QSignalSpy statuses(&accounts(), &AccountSession::statusesChanged);
        auto second = accounts().signOut(LoginProvider::instagram);
        QVERIFY(second.isReady());
        QCOMPARE(accounts().clearing(), std::optional<LoginProvider>(LoginProvider::youtube));
        vt::test::await(std::move(first), signOutCeiling);
        QCOMPARE(accounts().status(LoginProvider::youtube), LoginStatus::signedOut);
        QCOMPARE(accounts().status(LoginProvider::instagram), LoginStatus::signedOut);
    }

    void signOutOfASiteNoPageShows()
    {
        signInInstagram();
        QTRY_COMPARE_WITH_TIMEOUT(accounts().status(LoginProvider::instagram), LoginStatus::signedIn, slow);
        browser->selectSite(LoginProvider::youtube);
        browser->open("https://www.youtube.com/");
        QTRY_VERIFY_WITH_TIMEOUT(!browser->isLoading() && browser->address() == "https://www.youtube.com/", slow);
        // The Instagram tab still shows its page: it is closed. Load it away first to see no wait.
        browser->tab(LoginProvider::instagram)->page()->setUrl(QUrl("about:blank"));
        QTRY_COMPARE_WITH_TIMEOUT(browser->tab(LoginProvider::instagram)->page()->url().toString(),
                                  QString("about:blank"), slow);
        vt::test::await(accounts().signOut(LoginProvider::instagram), signOutCeiling);
        QCOMPARE(accounts().status(LoginProvider::instagram), LoginStatus::signedOut);
        QVERIFY(!ownsCookie(accounts(), LoginProvider::instagram));
        // The shown YouTube page was left alone.
        QCOMPARE(browser->address(), QString("https://www.youtube.com/"));
    }
};
VT_WEB_TEST_MAIN(SignInTest)
#include "tst_signin.moc"
