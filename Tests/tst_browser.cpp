// The browser on the fixture site: tabs, page identity, typed addresses, load errors, the
// sign-in hook, pop-ups and page dialogs.
#include "Base/AppSettings.h"
#include "Browser/Browser.h"
#include "FixtureSite.h"
#include "Base/Lang.h"
#include "PageTools.h"
#include "WebTestMain.h"

#include <QSignalSpy>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

using vt::test::evaluate;
using vt::test::FixtureSite;

namespace {

constexpr int slow = 20000;

const QString badAddress()
{
    return Lang::system() ? QString("YouTube 또는 Instagram 주소를 입력해 주세요.")
                          : QString("Enter a YouTube or Instagram address.");
}

}   // namespace

class BrowserTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Browser> browser;

    BrowserPage *page() { return browser->currentTab()->page(); }

    // Opens text and waits until the shown page has settled on expected.
    void openAndWait(const QString &text, const QString &expected)
    {
        browser->open(text);
        QTRY_VERIFY_WITH_TIMEOUT(!browser->isLoading() && browser->address() == expected, slow);
    }

private slots:
    void init()
    {
        FixtureSite::shared()->resetRoutes();
        Browser::defaultProfile()->cookieStore()->deleteAllCookies();
        AppSettings::shared().remove("vt.lastPage");
        browser = std::make_unique<Browser>(Browser::defaultProfile());
    }

    void cleanup() { browser.reset(); }

    void startsWithTheYouTubeTabOnly()
    {
        QCOMPARE(browser->selectedSite(), LoginProvider::youtube);
        QVERIFY(browser->tab(LoginProvider::youtube));
        QVERIFY(!browser->tab(LoginProvider::instagram));
        QCOMPARE(browser->address(), QString());
        QCOMPARE(browser->accounts()->mainWebView(), page());
    }

    // Typed addresses: what opens where, and what is refused without touching the page.
    void typedAddresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");   // empty: refused
        QTest::addColumn<int>("site");
        QTest::newRow("bare youtube host") << "youtube.com"
                                           << "https://www.youtube.com/" << int(LoginProvider::youtube);
        QTest::newRow("watch path with spaces") << "  youtube.com/watch?v=abc  "
                                                << "https://www.youtube.com/watch?v=abc" << int(LoginProvider::youtube);
        QTest::newRow("instagram post switches tab")
            << "instagram.com/p/Cxyz/"
            << "https://www.instagram.com/p/Cxyz/" << int(LoginProvider::instagram);
        QTest::newRow("sign-in page typed in full")
            << "https://accounts.google.com/ServiceLogin?service=youtube"
            << "https://accounts.google.com/ServiceLogin?service=youtube" << int(LoginProvider::youtube);
        QTest::newRow("http") << "http://www.youtube.com/"
                              << "" << int(LoginProvider::youtube);
        QTest::newRow("other port") << "https://www.youtube.com:8443/"
                                    << "" << int(LoginProvider::youtube);
        QTest::newRow("user part") << "https://me@www.youtube.com/"
                                   << "" << int(LoginProvider::youtube);
        QTest::newRow("two slashes") << "//www.youtube.com/"
                                     << "" << int(LoginProvider::youtube);
        QTest::newRow("mobile host") << "m.youtube.com/watch?v=abc"
                                     << "" << int(LoginProvider::youtube);
        QTest::newRow("other site") << "example.org"
                                    << "" << int(LoginProvider::youtube);
    }

    void typedAddresses()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(int, site);
        if (expected.isEmpty()) {
            const QUuid before = browser->pageID();
            browser->open(text);
            QCOMPARE(browser->error(), badAddress());
            QCOMPARE(browser->pageID(), before);
            QCOMPARE(browser->address(), QString());
            QTest::qWait(300);
            QCOMPARE(page()->url(), QUrl());
            return;
        }
        openAndWait(text, expected);
        QCOMPARE(int(browser->selectedSite()), site);
        QCOMPARE(browser->error(), QString());
    }

    void relativePathNeedsAShownPage()
    {
        browser->open("/watch?v=abc");
        QCOMPARE(browser->error(), badAddress());
        openAndWait("https://www.youtube.com/", "https://www.youtube.com/");
        openAndWait("/watch?v=xyz", "https://www.youtube.com/watch?v=xyz");
    }

    // pageID is renewed on every load (also a reload of the same address), on an in-page address
    // change and on a tab switch; never by a title change or by another tab.
    void pageIdentity()
    {
        openAndWait("https://www.youtube.com/watch?v=one", "https://www.youtube.com/watch?v=one");
        QUuid id = browser->pageID();

        page()->triggerAction(QWebEnginePage::Reload);
        QTRY_VERIFY_WITH_TIMEOUT(browser->pageID() != id, slow);
        QTRY_VERIFY_WITH_TIMEOUT(!browser->isLoading(), slow);
        id = browser->pageID();

        evaluate(page(), "document.title = 'changed'");
        QTRY_COMPARE_WITH_TIMEOUT(browser->title(), QString("changed"), slow);
        QCOMPARE(browser->pageID(), id);

        evaluate(page(), "history.pushState({}, '', '/watch?v=two')");
        QTRY_COMPARE_WITH_TIMEOUT(browser->address(), QString("https://www.youtube.com/watch?v=two"), slow);
        QVERIFY(browser->pageID() != id);
        id = browser->pageID();

        // A background tab's page changes touch nothing.
        browser->open("https://www.instagram.com/p/abc/");
        QVERIFY(browser->pageID() != id);
        QTRY_VERIFY_WITH_TIMEOUT(!browser->isLoading() && browser->address() == "https://www.instagram.com/p/abc/",
                                 slow);
        id = browser->pageID();
        const QString address = browser->address();
        BrowserPage *youtube = browser->tab(LoginProvider::youtube)->page();
        QSignalSpy loaded(youtube, &QWebEnginePage::loadFinished);
        youtube->load(QUrl("https://www.youtube.com/watch?v=three"));
        QVERIFY(loaded.wait(slow));
        QCOMPARE(browser->pageID(), id);
        QCOMPARE(browser->address(), address);
    }

    // The title is the page's own: empty for a page without one (the engine would show the address).
    void titleIsEmptyWithoutAPageTitle_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QString>("title");
        QTest::newRow("no title") << "/untitled" << QByteArray() << "";
        QTest::newRow("root without title") << "/" << QByteArray() << "";
        QTest::newRow("own title") << "/titled" << QByteArray("<title>Mine</title>") << "Mine";
    }
    void titleIsEmptyWithoutAPageTitle()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, head);
        QFETCH(QString, title);
        FixtureSite::shared()->page("www.youtube.com", path,
                                    "<!doctype html><html><head>" + head + "</head><body>x</body></html>");
        openAndWait("https://www.youtube.com" + path, "https://www.youtube.com" + path);
        QTest::qWait(200);   // a late title report
        QCOMPARE(browser->title(), title);
    }

    void onNavigateIsCalledForPageChanges()
    {
        int calls = 0;
        browser->onNavigate = [&] { ++calls; };
        openAndWait("https://www.youtube.com/", "https://www.youtube.com/");
        QVERIFY(calls >= 2);   // the start and the end of the load at least
    }

    void lastPageKeepsOnlyRestorablePages()
    {
        openAndWait("https://www.youtube.com/watch?v=keep", "https://www.youtube.com/watch?v=keep");
        QCOMPARE(AppSettings::shared().stringValue("vt.lastPage"), QString("https://www.youtube.com/watch?v=keep"));
        openAndWait("https://accounts.google.com/ServiceLogin?service=youtube",
                    "https://accounts.google.com/ServiceLogin?service=youtube");
        QCOMPARE(AppSettings::shared().stringValue("vt.lastPage"), QString("https://www.youtube.com/watch?v=keep"));
    }

    void failedLoadAndRetry()
    {
        int broken = 0;
        bool fixed = false;
        FixtureSite::shared()->route("www.youtube.com", "GET", "/broken",
                                     [&](const vt::test::HttpRequest &, const vt::test::HttpResponder &r) {
            ++broken;
            if (!fixed)
                r.closeConnection();
            else
                r.reply(vt::test::HttpReply::html("<title>Back</title><h1>Back</h1>"));
        });
        browser->open("https://www.youtube.com/broken");
        QTRY_VERIFY_WITH_TIMEOUT(!browser->error().isEmpty(), slow);
        QVERIFY(browser->error().startsWith(Lang::system() ? QString("페이지를 불러오지 못했습니다. ")
                                                           : QString("Couldn't load the page. ")));
        QCOMPARE(browser->currentTab()->error, browser->error());
        QCOMPARE(browser->currentTab()->failedURL, std::optional<QUrl>(QUrl("https://www.youtube.com/broken")));
        fixed = true;
        const int before = broken;
        browser->retry();
        QCOMPARE(browser->error(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(browser->title(), QString("Back"), slow);
        QCOMPARE(broken, before + 1);
        QVERIFY(!browser->currentTab()->failedURL);
    }

    // A load replaced by another one is no failure.
    void replacedLoadIsNoFailure()
    {
        FixtureSite::shared()->route("www.youtube.com", "GET", "/slow",
                                     [](const vt::test::HttpRequest &, const vt::test::HttpResponder &r) {
            r.replyAfter(3000, vt::test::HttpReply::html("<title>Slow</title>"));
        });
        browser->open("https://www.youtube.com/slow");
        QTRY_VERIFY_WITH_TIMEOUT(browser->isLoading(), slow);
        openAndWait("https://www.youtube.com/watch?v=next", "https://www.youtube.com/watch?v=next");
        QTest::qWait(300);
        QCOMPARE(browser->error(), QString());
        QCOMPARE(browser->currentTab()->error, QString());
        QVERIFY(!browser->currentTab()->failedURL);
    }

    // An address that fails, opened while the page before it still loads: that load decides. The
    // failure shows with its address (the page before stays, the engine's error page never
    // shows), "Try again" loads it, and a sign-in begun by the page before is over, not failed.
    void failureWhileThePreviousPageLoads_data()
    {
        QTest::addColumn<QString>("previous");
        QTest::addColumn<bool>("committed");   // the previous page shows, a picture of it still loads
        QTest::newRow("page shown, picture loading") << "https://www.youtube.com/held" << true;
        QTest::newRow("page not answered yet") << "https://www.youtube.com/hang" << false;
        QTest::newRow("sign-in page shown, picture loading")
            << "https://accounts.google.com/ServiceLogin?service=youtube&held=1" << true;
    }
    void failureWhileThePreviousPageLoads()
    {
        QFETCH(QString, previous);
        QFETCH(bool, committed);
        auto hold = [](const vt::test::HttpRequest &, const vt::test::HttpResponder &) {};
        FixtureSite::shared()->route("www.youtube.com", "GET", "/hang", hold);
        FixtureSite::shared()->route("www.youtube.com", "GET", "/held.png", hold);
        FixtureSite::shared()->route("accounts.google.com", "GET", "/held.png", hold);
        FixtureSite::shared()->page("www.youtube.com", "/held", "<title>Held</title><img src='/held.png'>");
        FixtureSite::shared()->page("accounts.google.com", "/ServiceLogin",
                                    "<title>Sign in</title><img src='/held.png'>");
        browser->open(previous);
        if (committed)
            QTRY_COMPARE_WITH_TIMEOUT(browser->address(), previous, slow);
        else
            QTRY_VERIFY_WITH_TIMEOUT(browser->isLoading(), slow);
        QVERIFY(browser->isLoading());
        const auto load = browser->openWatched("https://www.youtube.com/broken");
        QTRY_VERIFY_WITH_TIMEOUT(!browser->error().isEmpty(), slow);
        QVERIFY(browser->error().startsWith(Lang::system() ? QString("페이지를 불러오지 못했습니다. ")
                                                           : QString("Couldn't load the page. ")));
        QCOMPARE(browser->currentTab()->failedURL, std::optional<QUrl>(QUrl("https://www.youtube.com/broken")));
        QCOMPARE(browser->address(), QString("https://www.youtube.com/broken"));
        QVERIFY(load->ended() && load->failed());
        QCOMPARE(browser->accounts()->activeProvider(), std::nullopt);
        QVERIFY(browser->accounts()->status(LoginProvider::youtube) != LoginStatus::failed);
        const QString shown = evaluate(page(), "document.body ? document.body.innerText : ''").toString();
        QVERIFY2(!shown.contains("ERR_"), qPrintable(shown));
        // Try again: the address that failed loads, and shows.
        FixtureSite::shared()->page("www.youtube.com", "/broken", "<title>Back</title><h1>back</h1>");
        browser->retry();
        QTRY_VERIFY_WITH_TIMEOUT(!browser->isLoading() && browser->title() == "Back", slow);
        QCOMPARE(browser->address(), QString("https://www.youtube.com/broken"));
        QCOMPARE(browser->error(), QString());
    }

    void tabErrorFollowsTheTab()
    {
        browser->open("https://www.youtube.com/broken");
        QTRY_VERIFY_WITH_TIMEOUT(!browser->error().isEmpty(), slow);
        const QString error = browser->error();
        openAndWait("https://www.instagram.com/p/x/", "https://www.instagram.com/p/x/");
        QCOMPARE(browser->error(), QString());
        browser->selectSite(LoginProvider::youtube);
        QCOMPARE(browser->error(), error);
    }

    void selectSiteOpensHomeOnlyForAnUnusedTab()
    {
        browser->selectSite(LoginProvider::instagram);
        QCOMPARE(browser->selectedSite(), LoginProvider::instagram);
        QTRY_COMPARE_WITH_TIMEOUT(browser->address(), QString("https://www.instagram.com/"), slow);
        openAndWait("https://www.instagram.com/p/y/", "https://www.instagram.com/p/y/");
        browser->selectSite(LoginProvider::youtube);
        browser->selectSite(LoginProvider::instagram);
        QTest::qWait(300);
        QCOMPARE(browser->address(), QString("https://www.instagram.com/p/y/"));
        QCOMPARE(browser->accounts()->mainWebView(), page());
    }

    // While the model works: no site switch, no sign-in, a main-frame sign-in navigation is
    // cancelled with its message, a pop-up is dropped; once idle all of it goes through.
    void signInRefusedWhileWorking()
    {
        bool working = true;
        browser->canStartLogin = [&] { return !working; };
        openAndWait("https://www.youtube.com/popup", "https://www.youtube.com/popup");

        browser->selectSite(LoginProvider::instagram);
        QCOMPARE(browser->selectedSite(), LoginProvider::youtube);
        browser->signIn(LoginProvider::youtube);
        QCOMPARE(browser->accounts()->activeProvider(), std::nullopt);

        evaluate(page(), "location.href = 'https://accounts.google.com/ServiceLogin?service=youtube'");
        QTRY_COMPARE_WITH_TIMEOUT(browser->error(),
                                  Lang::system() ? QString("진행 중인 댓글 작업을 마친 뒤 로그인해 주세요.")
                                                 : QString("Finish the current comment task before signing in."),
                                  slow);
        QTest::qWait(300);
        QCOMPARE(browser->address(), QString("https://www.youtube.com/popup"));

        evaluate(page(), "openSecure()");
        QTest::qWait(500);
        QCOMPARE(browser->address(), QString("https://www.youtube.com/popup"));

        working = false;
        evaluate(page(), "location.href = 'https://accounts.google.com/ServiceLogin?service=youtube'");
        QTRY_COMPARE_WITH_TIMEOUT(browser->accounts()->status(LoginProvider::youtube), LoginStatus::signingIn, slow);
    }

    void popupsOpenInTheSamePage_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::newRow("window.open") << "openSecure()"
                                     << "https://www.youtube.com/popup/target";
        QTest::newRow("target blank link") << "document.getElementById('link').click()"
                                           << "https://www.youtube.com/popup/target";
        QTest::newRow("insecure window.open is dropped") << "openInsecure()"
                                                         << "https://www.youtube.com/popup";
    }

    void popupsOpenInTheSamePage()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        openAndWait("https://www.youtube.com/popup", "https://www.youtube.com/popup");
        evaluate(page(), script);
        QTest::qWait(500);
        QTRY_VERIFY_WITH_TIMEOUT(!browser->isLoading() && browser->address() == expected, slow);
        QCOMPARE(browser->tab(LoginProvider::instagram), nullptr);
    }

    // Page dialogs answer at once: nothing modal can block the application.
    void dialogsNeverBlock()
    {
        QSignalSpy dialogs(browser.get(), &Browser::pageDialog);
        openAndWait("https://www.youtube.com/dialogs", "https://www.youtube.com/dialogs");
        QCOMPARE(evaluate(page(), "JSON.stringify(window.dialogResults)").toString(),
                 QString(R"({"alert":"done","confirm":false,"prompt":null})"));
        QCOMPARE(dialogs.count(), 3);
        QCOMPARE(dialogs.at(0).at(1).toString(), QString("hello"));
        QCOMPARE(dialogs.at(1).at(0).value<BrowserPage::DialogKind>(), BrowserPage::DialogKind::confirm);
    }

    void processEndShowsItsMessage()
    {
        openAndWait("https://www.youtube.com/", "https://www.youtube.com/");
        const QUuid id = browser->pageID();
        page()->load(QUrl("chrome://kill"));
        QTRY_COMPARE_WITH_TIMEOUT(browser->error(),
                                  Lang::system() ? QString("웹 화면이 종료되었습니다. 새로고침해 주세요.")
                                                 : QString("The web view stopped. Please reload."),
                                  slow);
        QVERIFY(browser->pageID() != id);
    }
};

VT_WEB_TEST_MAIN(BrowserTest)
#include "tst_browser.moc"
