// Sites, sign-in pages and sign-in states: the pure URL rules of the sign-in vocabulary.
#include "Sites/AuthPolicy.h"
#include "Sites/LoginProvider.h"
#include "Sites/LoginStatus.h"
#include "Base/Lang.h"
#include "LanguageScope.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QTest>
#include <QUrlQuery>

namespace {

// "" for no site.
QString siteName(const std::optional<LoginProvider> &p)
{
    return p ? p->rawValue() : QString();
}

}   // namespace

class AuthTest : public QObject {
    Q_OBJECT
private slots:
    void classify_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("site");       // LoginProvider::site
        QTest::addColumn<QString>("provider");   // AuthPolicy::provider
        QTest::addColumn<bool>("auth");
        QTest::addColumn<bool>("blocked");
        QTest::addColumn<bool>("verification");
        QTest::addColumn<bool>("restore");

        // Only secure URLs count.
        QTest::newRow("http") << "http://www.youtube.com/signin"
                              << ""
                              << "" << false << false << false << false;
        QTest::newRow("user name") << "https://me@www.youtube.com/signin"
                                   << ""
                                   << "" << false << false << false << false;
        QTest::newRow("password") << "https://me:pw@accounts.google.com/x"
                                  << ""
                                  << "" << false << false << false << false;
        QTest::newRow("port 8443") << "https://accounts.google.com:8443/"
                                   << ""
                                   << "" << false << false << false << false;
        QTest::newRow("port 443 as none") << "https://accounts.google.com:443/x"
                                          << ""
                                          << "youtube" << true << false << false << false;
        // Case of scheme, host and path.
        QTest::newRow("upper scheme and host") << "HTTPS://WWW.YOUTUBE.COM/SignIn?x=1"
                                               << "youtube"
                                               << "youtube" << true << false << false << false;
        QTest::newRow("signin prefix is literal") << "https://www.youtube.com/signinfoo"
                                                  << "youtube"
                                                  << "youtube" << true << false << false << false;
        QTest::newRow("youtube logout") << "https://youtube.com/logout"
                                        << "youtube"
                                        << "youtube" << true << false << false << false;
        QTest::newRow("youtube accounts host") << "https://accounts.youtube.com/accounts/SetSID"
                                               << "youtube"
                                               << "youtube" << true << false << false << false;
        QTest::newRow("youtube watch") << "https://www.youtube.com/watch?v=abc"
                                       << "youtube"
                                       << "youtube" << false << false << false << true;
        QTest::newRow("bare youtube restores") << "https://youtube.com/watch?v=abc"
                                               << "youtube"
                                               << "youtube" << false << false << false << true;
        QTest::newRow("mobile youtube") << "https://m.youtube.com/watch?v=abc"
                                        << ""
                                        << "" << false << false << false << false;
        QTest::newRow("suffix host") << "https://evilyoutube.com/signin"
                                     << ""
                                     << "" << false << false << false << false;
        // Shared sign-in hosts: authentication whatever the path.
        QTest::newRow("google sign-in") << "https://accounts.google.com/anything"
                                        << ""
                                        << "youtube" << true << false << false << false;
        QTest::newRow("facebook") << "https://www.facebook.com/"
                                  << ""
                                  << "instagram" << true << false << false << false;
        QTest::newRow("mobile facebook") << "https://m.facebook.com/login"
                                         << ""
                                         << "instagram" << true << false << false << false;
        // Instagram paths.
        QTest::newRow("instagram login") << "https://www.instagram.com/accounts/login/"
                                         << "instagram"
                                         << "instagram" << true << false << false << false;
        QTest::newRow("instagram login with query") << "https://www.instagram.com/accounts/login/?next=%2Fp%2Fx%2F"
                                                    << "instagram"
                                                    << "instagram" << true << false << false << false;
        QTest::newRow("instagram post") << "https://www.instagram.com/p/Cabc/"
                                        << "instagram"
                                        << "instagram" << false << false << false << true;
        QTest::newRow("instagram challenge") << "https://www.instagram.com/challenge/123/"
                                             << "instagram"
                                             << "instagram" << true << false << true << false;
        QTest::newRow("instagram two factor") << "https://www.instagram.com/accounts/two_factor?x"
                                              << "instagram"
                                              << "instagram" << true << false << true << false;
        QTest::newRow("challenge on youtube") << "https://www.youtube.com/challenge"
                                              << "youtube"
                                              << "youtube" << false << false << false << true;
        QTest::newRow("checkpoint on google") << "https://accounts.google.com/signin/checkpoint"
                                              << ""
                                              << "youtube" << true << false << true << false;
        // Refusal of an embedded sign-in.
        QTest::newRow("refused by path") << "https://accounts.google.com/signin/v2/DeniedSigninRejected"
                                         << ""
                                         << "youtube" << true << true << false << false;
        QTest::newRow("refused by error") << "https://accounts.google.com/x?error=disallowed_useragent"
                                          << ""
                                          << "youtube" << true << true << false << false;
        QTest::newRow("refused by error_code") << "https://m.facebook.com/x?a&error_code=disallowed_useragent"
                                               << ""
                                               << "instagram" << true << true << false << false;
        QTest::newRow("refusal value is exact") << "https://accounts.google.com/x?error=DISALLOWED_USERAGENT"
                                                << ""
                                                << "youtube" << true << false << false << false;
        QTest::newRow("refusal only on sign-in pages") << "https://www.youtube.com/watch?error=disallowed_useragent"
                                                       << "youtube"
                                                       << "youtube" << false << false << false << true;
        QTest::newRow("other site") << "https://example.com/"
                                    << ""
                                    << "" << false << false << false << false;
    }
    void classify()
    {
        QFETCH(QString, url);
        QFETCH(QString, site);
        QFETCH(QString, provider);
        QFETCH(bool, auth);
        QFETCH(bool, blocked);
        QFETCH(bool, verification);
        QFETCH(bool, restore);
        const QUrl u(url);
        QCOMPARE(siteName(LoginProvider::site(u)), site);
        QCOMPARE(siteName(AuthPolicy::provider(u)), provider);
        QCOMPARE(AuthPolicy::isAuthentication(u), auth);
        QCOMPARE(AuthPolicy::isBlocked(u), blocked);
        QCOMPARE(AuthPolicy::needsVerification(u), verification);
        QCOMPARE(AuthPolicy::canRestore(u), restore);
        if (auth)   // every authentication page has a site to sign in to
            QVERIFY(AuthPolicy::provider(u).has_value());
    }

    void owns_data()
    {
        QTest::addColumn<QString>("domain");
        QTest::addColumn<QString>("owner");
        QTest::newRow("google with leading dot") << ".google.com"
                                                 << "youtube";
        QTest::newRow("google sign-in host") << "accounts.google.com"
                                             << "youtube";
        QTest::newRow("mixed case trailing dot") << "YouTube.COM."
                                                 << "youtube";
        QTest::newRow("youtube subdomain") << ".www.youtube.com"
                                           << "youtube";
        QTest::newRow("no separating dot") << "notyoutube.com"
                                           << "";
        QTest::newRow("facebook") << "facebook.com"
                                  << "instagram";
        QTest::newRow("instagram cookie domain") << ".instagram.com"
                                                 << "instagram";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("dots only") << "..."
                                   << "";
    }
    void owns()
    {
        QFETCH(QString, domain);
        QFETCH(QString, owner);
        QString found;
        for (const LoginProvider p : LoginProvider::allCases()) {
            if (p.owns(domain)) {
                QVERIFY2(found.isEmpty(), "a domain belongs to at most one site");
                found = p.rawValue();
            }
        }
        QCOMPARE(found, owner);
    }

    void loginURL_data()
    {
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("returnTo");   // "" for none
        QTest::addColumn<QString>("expectedPrefix");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");   // decoded query value

        const QString google = "https://accounts.google.com/ServiceLogin?service=youtube&continue=";
        const QString insta = "https://www.instagram.com/accounts/login/?next=";
        QTest::newRow("youtube without return") << "youtube"
                                                << "" << google << "continue"
                                                << "https://www.youtube.com/";
        QTest::newRow("youtube keeps its page") << "youtube"
                                                << "https://www.youtube.com/watch?v=a&t=1" << google << "continue"
                                                << "https://www.youtube.com/watch?v=a&t=1";
        QTest::newRow("other site gives home") << "youtube"
                                               << "https://www.instagram.com/p/x/" << google << "continue"
                                               << "https://www.youtube.com/";
        QTest::newRow("sign-in page gives home") << "youtube"
                                                 << "https://www.youtube.com/signin" << google << "continue"
                                                 << "https://www.youtube.com/";
        QTest::newRow("instagram path and query")
            << "instagram"
            << "https://www.instagram.com/p/Cx/?img_index=2&a=b" << insta << "next"
            << "/p/Cx/?img_index=2&a=b";
        QTest::newRow("instagram empty query kept") << "instagram"
                                                    << "https://www.instagram.com/p/Cx/?" << insta << "next"
                                                    << "/p/Cx/?";
        QTest::newRow("instagram double slash") << "instagram"
                                                << "https://www.instagram.com//evil.com/x" << insta << "next"
                                                << "/";
        QTest::newRow("instagram no path no query") << "instagram"
                                                    << "https://www.instagram.com" << insta << "next"
                                                    << "";
        QTest::newRow("instagram without return") << "instagram"
                                                  << "" << insta << "next"
                                                  << "/";
        QTest::newRow("instagram encoded path stays encoded") << "instagram"
                                                              << "https://www.instagram.com/a%20b/" << insta << "next"
                                                              << "/a%20b/";
    }
    void loginURL()
    {
        QFETCH(QString, site);
        QFETCH(QString, returnTo);
        QFETCH(QString, expectedPrefix);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const LoginProvider p = *LoginProvider::fromRawValue(site);
        const QUrl url = p.loginURL(returnTo.isEmpty() ? std::nullopt : std::optional<QUrl>(QUrl(returnTo)));
        QVERIFY2(url.toString(QUrl::FullyEncoded).startsWith(expectedPrefix), qPrintable(url.toString()));
        const QUrlQuery query(url);
        QCOMPARE(query.queryItems().size(), key == "continue" ? 2 : 1);
        QCOMPARE(query.queryItemValue(key, QUrl::FullyDecoded), value);
        QVERIFY(AuthPolicy::isAuthentication(url));
        QCOMPARE(AuthPolicy::provider(url), std::optional<LoginProvider>(p));
    }

    void pageURL_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("expected");   // "" for no URL

        QTest::newRow("bare host gets https and www") << "  youtube.com/watch?v=a#t\n"
                                                      << ""
                                                      << "https://www.youtube.com/watch?v=a#t";
        QTest::newRow("instagram bare") << "https://instagram.com/p/x/"
                                        << ""
                                        << "https://www.instagram.com/p/x/";
        QTest::newRow("port 443") << "https://www.youtube.com:443/"
                                  << ""
                                  << "https://www.youtube.com:443/";
        QTest::newRow("empty") << "   "
                               << ""
                               << "";
        QTest::newRow("protocol relative") << "//www.youtube.com/"
                                           << "https://www.youtube.com/"
                                           << "";
        QTest::newRow("relative against base") << "/shorts/x"
                                               << "https://www.youtube.com/watch?v=a"
                                               << "https://www.youtube.com/shorts/x";
        QTest::newRow("relative without base") << "/shorts/x"
                                               << ""
                                               << "";
        QTest::newRow("relative against other site") << "/x"
                                                     << "https://example.com/"
                                                     << "";
        QTest::newRow("http refused") << "http://www.youtube.com/"
                                      << ""
                                      << "";
        QTest::newRow("upper-case scheme refused") << "HTTPS://www.youtube.com/"
                                                   << ""
                                                   << "";
        QTest::newRow("upper-case host refused") << "https://WWW.YOUTUBE.COM/"
                                                 << ""
                                                 << "";
        QTest::newRow("mobile host refused") << "m.youtube.com"
                                             << ""
                                             << "";
        QTest::newRow("other host") << "example.com"
                                    << ""
                                    << "";
        QTest::newRow("user part") << "https://a@www.youtube.com/"
                                   << ""
                                   << "";
        QTest::newRow("host hidden behind user part") << "https://www.youtube.com@evil.com/"
                                                      << ""
                                                      << "";
        QTest::newRow("other port") << "www.youtube.com:8080/"
                                    << ""
                                    << "";
        QTest::newRow("javascript") << "javascript:alert('://www.youtube.com')"
                                    << ""
                                    << "";
        QTest::newRow("space inside") << "www.youtube.com/a b"
                                      << ""
                                      << "";
    }
    void pageURL()
    {
        QFETCH(QString, text);
        QFETCH(QString, base);
        QFETCH(QString, expected);
        const auto url = AuthPolicy::pageURL(text, base);
        QCOMPARE(url ? url->toString(QUrl::FullyEncoded) : QString(), expected);
    }

    void navigationURL()
    {
        QCOMPARE(AuthPolicy::navigationURL("youtube.com", ""), std::optional<QUrl>(QUrl("https://www.youtube.com")));
        const QString signIn = " https://accounts.google.com/ServiceLogin?service=youtube ";
        QCOMPARE(AuthPolicy::navigationURL(signIn, ""), std::optional<QUrl>(QUrl(signIn.trimmed())));
        QVERIFY(!AuthPolicy::navigationURL("https://example.com/", "").has_value());
        QVERIFY(!AuthPolicy::navigationURL("http://accounts.google.com/", "").has_value());
    }

    void providers()
    {
        QCOMPARE(LoginProvider::allCases().size(), 2);
        QCOMPARE(LoginProvider::allCases().first(), LoginProvider(LoginProvider::youtube));
        for (const LoginProvider p : LoginProvider::allCases()) {
            QCOMPARE(LoginProvider::fromRawValue(p.rawValue()), std::optional<LoginProvider>(p));
            QCOMPARE(LoginProvider::site(p.home()), std::optional<LoginProvider>(p));
            QVERIFY(AuthPolicy::canRestore(p.home()));
        }
        QVERIFY(!LoginProvider::fromRawValue("YouTube").has_value());
        QVERIFY(!LoginProvider::fromRawValue("").has_value());
        QCOMPARE(LoginProvider(LoginProvider::youtube).sessionCookieNames(),
                 QStringList({"SID", "__Secure-1PSID", "__Secure-3PSID"}));
        QCOMPARE(LoginProvider(LoginProvider::instagram).sessionCookieNames(), QStringList({"sessionid"}));
    }

    void labels_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("ko");
        QTest::addColumn<QString>("en");
        QTest::newRow("unknown") << int(LoginStatus::unknown) << "로그인 확인 전"
                                 << "Not checked yet";
        QTest::newRow("savedSession") << int(LoginStatus::savedSession) << "로그인됨"
                                      << "Signed in";
        QTest::newRow("signedIn") << int(LoginStatus::signedIn) << "로그인됨"
                                  << "Signed in";
        QTest::newRow("signedOut") << int(LoginStatus::signedOut) << "로그인 필요"
                                   << "Sign-in needed";
        QTest::newRow("signingIn") << int(LoginStatus::signingIn) << "로그인 진행 중"
                                   << "Signing in";
        QTest::newRow("verification") << int(LoginStatus::verification) << "추가 인증 필요"
                                      << "Extra verification needed";
        QTest::newRow("blocked") << int(LoginStatus::blocked) << "앱 내 로그인 제한"
                                 << "In-app sign-in restricted";
        QTest::newRow("failed") << int(LoginStatus::failed) << "연결 확인 필요"
                                << "Connection needs checking";
    }
    void labels()
    {
        QFETCH(int, status);
        QFETCH(QString, ko);
        QFETCH(QString, en);
        const LoginStatus s(static_cast<LoginStatus::Value>(status));
        QCOMPARE(inLanguage(true, [&] { return s.label(); }), ko);
        QCOMPARE(inLanguage(false, [&] { return s.label(); }), en);
        QCOMPARE(s.label(), Lang::system() ? ko : en);
    }
    void defaultStatusIsUnknown() { QCOMPARE(LoginStatus(), LoginStatus(LoginStatus::unknown)); }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    AuthTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_auth.moc"
