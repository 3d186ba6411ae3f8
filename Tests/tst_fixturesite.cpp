// The fixture site answers for the real host names inside the web engine.
#include "FixtureSite.h"
#include "WebTestMain.h"

#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineProfile>

using vt::test::FixtureSite;

namespace {

QVariant evaluate(QWebEnginePage &page, const QString &script)
{
    QVariant out;
    bool done = false;
    page.runJavaScript(script, [&](const QVariant &v) {
        out = v;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        return QStringLiteral("<timeout>");
    return out;
}

}   // namespace

class FixtureSiteTest : public QObject {
    Q_OBJECT
private slots:
    void servesHostsThroughTheResolverRules_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<QString>("title");
        QTest::newRow("youtube") << FixtureSite::url("www.youtube.com") << "YouTube";
        QTest::newRow("google sign-in") << FixtureSite::url("accounts.google.com", "/ServiceLogin?service=youtube")
                                        << "Sign in - Google Accounts";
        QTest::newRow("instagram") << FixtureSite::url("www.instagram.com", "/accounts/login/") << "Login • Instagram";
    }

    void servesHostsThroughTheResolverRules()
    {
        QFETCH(QUrl, url);
        QFETCH(QString, title);
        QWebEngineProfile profile;
        QWebEnginePage page(&profile);
        QSignalSpy finished(&page, &QWebEnginePage::loadFinished);
        page.load(url);
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().first().toBool(), true);
        QCOMPARE(page.title(), title);
    }

    void otherHostsDoNotResolve()
    {
        QWebEngineProfile profile;
        QWebEnginePage page(&profile);
        QSignalSpy finished(&page, &QWebEnginePage::loadFinished);
        page.load(QUrl("https://example.org/"));
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().first().toBool(), false);
    }

    void signInSetsTheSitesSessionCookies()
    {
        QWebEngineProfile profile;
        QWebEnginePage page(&profile);
        QSignalSpy finished(&page, &QWebEnginePage::loadFinished);
        page.load(FixtureSite::url("accounts.google.com",
                                   "/ServiceLogin?service=youtube&continue=https%3A%2F%2Fwww.youtube.com%2F"));
        QVERIFY(finished.wait(20000));
        finished.clear();
        evaluate(page, "document.getElementById('identifier').value='owner';document.getElementById('form').submit();");
        QTRY_COMPARE_WITH_TIMEOUT(page.url().host(), QString("www.youtube.com"), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(page, "ytcfg.get('LOGGED_IN')").toBool(), true, 20000);
    }
};

VT_WEB_TEST_MAIN(FixtureSiteTest)
#include "tst_fixturesite.moc"
