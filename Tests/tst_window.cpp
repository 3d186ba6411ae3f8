// The first window: the start page, the window's frame, and the page on screen.
#include "Base/AppSettings.h"
#include "Browser/Browser.h"
#include "FixtureSite.h"
#include "PageTools.h"
#include "Shell/VeltraneBrowser.h"
#include "WebTestMain.h"

#include <QProcess>
#include <QWebEngineView>

using vt::test::FixtureSite;

namespace {

constexpr int slow = 20000;

// Share of the pixels that have the fixture pages' red heading colour.
double redShare(const QImage &image)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    qint64 red = 0;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2) {
            const QRgb p = img.pixel(x, y);
            if (qRed(p) > 180 && qGreen(p) < 40 && qBlue(p) < 40)
                ++red;
        }
    return double(red) / (double(img.width() / 2) * (img.height() / 2));
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        qunsetenv("VT_START_URL");
        AppSettings::shared().remove("vt.lastPage");
    }

    void startPage_data()
    {
        QTest::addColumn<QVariant>("env");        // invalid: unset
        QTest::addColumn<QString>("lastPage");    // empty: none stored
        QTest::addColumn<QString>("expected");
        const QString home = "https://www.youtube.com/";
        QTest::newRow("nothing") << QVariant() << "" << home;
        QTest::newRow("restorable last page") << QVariant() << "https://www.instagram.com/p/abc/" << "https://www.instagram.com/p/abc/";
        QTest::newRow("sign-in page as last page") << QVariant() << "https://www.instagram.com/accounts/login/" << home;
        QTest::newRow("other site as last page") << QVariant() << "https://example.org/" << home;
        QTest::newRow("start address wins") << QVariant("https://www.youtube.com/watch?v=x") << "https://www.instagram.com/p/abc/" << "https://www.youtube.com/watch?v=x";
        QTest::newRow("empty start address still wins") << QVariant("") << "https://www.instagram.com/p/abc/" << "";
    }

    void startPage()
    {
        QFETCH(QVariant, env);
        QFETCH(QString, lastPage);
        QFETCH(QString, expected);
        if (env.isValid())
            qputenv("VT_START_URL", env.toString().toUtf8());
        if (!lastPage.isEmpty())
            AppSettings::shared().setValue("vt.lastPage", lastPage);
        QCOMPARE(VeltraneBrowser::startPage(), expected);
    }

    void windowShowsTheStartPage()
    {
        qputenv("VT_START_URL", "https://www.youtube.com/");
        Browser browser(Browser::defaultProfile(), {}, &AppSettings::shared());
        VeltraneBrowser window(&browser);
        QCOMPARE(window.windowTitle(), QString("Glimora"));
        QCOMPARE(window.size(), QSize(1440, 900));
        QCOMPARE(window.minimumSize(), QSize(1200, 720));
        window.show();
        browser.open(VeltraneBrowser::startPage());
        QTRY_VERIFY_WITH_TIMEOUT(!browser.isLoading() && browser.address() == "https://www.youtube.com/", slow);
        QCOMPARE(window.view()->page(), browser.currentTab()->page());
        // The page reaches the screen some time after it has loaded.
        QImage shot;
        QTRY_VERIFY_WITH_TIMEOUT((shot = window.grab().toImage(), redShare(shot) > 0.01), slow);
        shot.save(VT_BINARY_DIR "/window.png");

        // Another site's tab takes the window's view.
        browser.open("https://www.instagram.com/p/abc/");
        QTRY_COMPARE_WITH_TIMEOUT(window.view()->page(), browser.currentTab()->page(), slow);
        QCOMPARE(browser.selectedSite(), LoginProvider::instagram);
    }

    // The program itself starts headless and opens VT_START_URL on the fixture site.
    void programOpensTheStartAddress()
    {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VT_START_URL", "https://www.youtube.com/watch?v=started");
        program.setProcessEnvironment(env);
        program.start(VT_BINARY_DIR "/VeltraneBrowser");
        QVERIFY(program.waitForStarted());
        auto asked = [] {
            for (const vt::test::HttpRequest &r : FixtureSite::shared()->requests("www.youtube.com"))
                if (r.path == "/watch" && r.query.queryItemValue("v") == "started")
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(asked(), slow);
        QCOMPARE(program.state(), QProcess::Running);
        program.terminate();
        if (!program.waitForFinished(5000)) {
            program.kill();
            program.waitForFinished(5000);
        }
    }
};

VT_WEB_TEST_MAIN(WindowTest)
#include "tst_window.moc"
