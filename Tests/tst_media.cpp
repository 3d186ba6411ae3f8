// The media policy on the fixture site's media page: muting, blocking media that starts by
// itself, the owner's gestures, frames, and the two stored toggles.
#include "Base/AppSettings.h"
#include "Browser/Browser.h"
#include "FixtureSite.h"
#include "PageTools.h"
#include "WebTestMain.h"

#include <QTemporaryDir>
#include <QWebEngineProfile>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

using vt::test::evaluate;

namespace {

constexpr int slow = 20000;
const QString mediaPage = QStringLiteral("https://www.youtube.com/media");

// "paused,muted" of an element of the page (or of the frame with frame=true).
QString state(QWebEnginePage *page, const QString &id, bool frame = false)
{
    const QString doc = frame ? "document.getElementById('f').contentDocument" : "document";
    return evaluate(
               page,
               QString(
                   "(() => { const e = %1.getElementById('%2'); return (e.paused ? 'paused' : 'playing') + ',' + (e.muted ? 'muted' : 'sound'); })()")
                   .arg(doc, id))
        .toString();
}

}   // namespace

class MediaTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Browser> browser;
    std::unique_ptr<QWebEngineView> view;
    QTemporaryDir folder;
    std::unique_ptr<AppSettings> preferences;

    BrowserPage *page() { return browser->currentTab()->page(); }

    void make(AppSettings *prefs)
    {
        view.reset();
        browser = std::make_unique<Browser>(Browser::defaultProfile(), Browser::PageFactory(), prefs);
        view = std::make_unique<QWebEngineView>();
        view->setPage(page());
        view->resize(800, 600);
        view->show();
    }

    void openMedia()
    {
        browser->open(mediaPage);
        QTRY_VERIFY_WITH_TIMEOUT(!browser->isLoading() && browser->address() == mediaPage, slow);
        // The media has loaded far enough to have played if it was let.
        QTRY_VERIFY_WITH_TIMEOUT(
            evaluate(
                page(),
                "document.getElementById('v').readyState >= 2 && document.getElementById('f').contentDocument.getElementById('a').readyState >= 2")
                .toBool(),
            slow);
        QTest::qWait(300);
    }

    void clickPlayButton()
    {
        QWidget *target = view->focusProxy();
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(100, 50));
    }

private slots:
    void init()
    {
        preferences = std::make_unique<AppSettings>(folder.filePath("settings.json"));
        for (const QString &key : preferences->keys())
            preferences->remove(key);
    }

    void cleanup()
    {
        view.reset();
        browser.reset();
        preferences.reset();
    }

    void nothingPlaysOrSoundsByItselfAtFirst()
    {
        make(nullptr);
        QVERIFY(browser->isMuted());
        QVERIFY(browser->blocksAutoplay());
        openMedia();
        QCOMPARE(state(page(), "v"), QString("paused,muted"));
        QCOMPARE(state(page(), "a"), QString("paused,muted"));
        QCOMPARE(state(page(), "a", true), QString("paused,muted"));
        // A play call without a gesture of the owner is refused.
        evaluate(
            page(),
            "document.getElementById('b').play().then(() => window.__outcome = 'played', e => window.__outcome = e.name + ': ' + e.message)");
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(page(), "window.__outcome || ''").toString(),
                                  QString("NotAllowedError: Glimora: autoplay is off"), slow);
    }

    // Media that a plain look at the document does not find: in a closed shadow root, in a frame
    // the page wrote itself (no document of its own to run the policy in), added after the load.
    void mediaOutOfPlainReachStaysSilent_data()
    {
        QTest::addColumn<QString>("element");
        QTest::newRow("autoplay in a shadow root") << "shadow";
        QTest::newRow("play() in an about:blank frame") << "blank";
        QTest::newRow("autoplay added after the load") << "late";
    }

    void mediaOutOfPlainReachStaysSilent()
    {
        QFETCH(QString, element);
        make(nullptr);
        browser->open(mediaPage + "/hidden");
        QTRY_VERIFY_WITH_TIMEOUT(!browser->isLoading() && browser->address() == mediaPage + "/hidden", slow);
        const QString el = QString("window.__hidden && window.__hidden.%1").arg(element);
        // Loaded far enough to have started by itself if it was let.
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(page(), QString("!!(%1) && (%1).readyState >= 3").arg(el)).toBool(), slow);
        QTest::qWait(300);
        const QString read =
            QString(
                "(() => { const e = %1; return (e.paused ? 'paused' : 'playing') + ',' + (e.muted ? 'muted' : 'sound'); })()")
                .arg(el);
        QCOMPARE(evaluate(page(), read).toString(), QString("paused,muted"));
        // The policy keeps track of it: unmuting gives back its own value, muting takes it again.
        browser->setMuted(false);
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(page(), read).toString(), QString("paused,sound"), slow);
        browser->setMuted(true);
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(page(), read).toString(), QString("paused,muted"), slow);
    }

    void theOwnersClickStartsPlayback()
    {
        make(nullptr);
        openMedia();
        // A click made by a script is no gesture.
        evaluate(page(), "document.getElementById('play').click()");
        QTest::qWait(300);
        QCOMPARE(state(page(), "b"), QString("paused,muted"));
        clickPlayButton();
        QTRY_COMPARE_WITH_TIMEOUT(state(page(), "b"), QString("playing,muted"), slow);
        // What the owner started keeps playing when blocking is switched on again.
        browser->setAutoplayBlocked(false);
        QTRY_COMPARE_WITH_TIMEOUT(state(page(), "v"), QString("paused,muted"), slow);   // switching off starts nothing
        evaluate(page(), "document.getElementById('v').play()");
        QTRY_COMPARE_WITH_TIMEOUT(state(page(), "v"), QString("playing,muted"), slow);
        browser->setAutoplayBlocked(true);
        QTRY_COMPARE_WITH_TIMEOUT(state(page(), "v"), QString("paused,muted"), slow);
        QCOMPARE(state(page(), "b"), QString("playing,muted"));
    }

    // A gesture counts for 2500 ms; what it started stays permitted only at that page address.
    void gestureWindowAndPageAddress()
    {
        make(nullptr);
        openMedia();
        auto play = [this](const QString &id) -> QString {
            evaluate(
                page(),
                QString(
                    "window.__outcome = ''; document.getElementById('%1').play().then(() => window.__outcome = 'played', e => window.__outcome = e.name)")
                    .arg(id));
            QString outcome;
            (void)
                QTest::qWaitFor([&] { return !(outcome = evaluate(page(), "window.__outcome").toString()).isEmpty(); },
                                slow);
            return outcome;
        };
        // The page's clock stands still, so that a busy machine cannot use up the window; the
        // test moves it on.
        evaluate(page(), "window.__clock = performance.now(); performance.now = () => window.__clock;");
        clickPlayButton();
        QTRY_COMPARE_WITH_TIMEOUT(state(page(), "b"), QString("playing,muted"), slow);
        QCOMPARE(play("v"), QString("played"));   // within the gesture's window
        evaluate(page(), "document.getElementById('v').pause()");
        evaluate(page(), "window.__clock += 2700;");
        QCOMPARE(play("a"), QString("NotAllowedError"));
        QCOMPARE(play("v"), QString("played"));   // started by the owner at this address
        // After an in-page address change the owner has to start them again.
        evaluate(page(), "history.pushState({}, '', '/media?next=1')");
        browser->setAutoplayBlocked(false);
        browser->setAutoplayBlocked(true);
        QTRY_COMPARE_WITH_TIMEOUT(state(page(), "b"), QString("paused,muted"), slow);
        QTRY_COMPARE_WITH_TIMEOUT(state(page(), "v"), QString("paused,muted"), slow);
        QCOMPARE(play("v"), QString("NotAllowedError"));
    }

    void unmutingGivesBackThePagesOwnMuting()
    {
        make(nullptr);
        openMedia();
        QCOMPARE(state(page(), "q"), QString("paused,muted"));
        browser->setMuted(false);
        QTRY_COMPARE_WITH_TIMEOUT(state(page(), "v"), QString("paused,sound"), slow);
        QCOMPARE(state(page(), "q"), QString("paused,muted"));   // the page muted it itself
        QTRY_COMPARE_WITH_TIMEOUT(state(page(), "a", true), QString("paused,sound"), slow);   // the frame follows
        browser->setMuted(true);
        QTRY_COMPARE_WITH_TIMEOUT(state(page(), "v"), QString("paused,muted"), slow);
        // An element that unmutes itself is muted again.
        evaluate(page(), "document.getElementById('v').muted = false");
        QTRY_COMPARE_WITH_TIMEOUT(state(page(), "v"), QString("paused,muted"), slow);
    }

    void withBothTogglesOffPagesPlayAsUsual()
    {
        preferences->setValue("vt.browserMuted", false);
        preferences->setValue("vt.browserNoAutoplay", false);
        make(preferences.get());
        QVERIFY(!browser->isMuted());
        QVERIFY(!browser->blocksAutoplay());
        openMedia();
        QTRY_COMPARE_WITH_TIMEOUT(state(page(), "v"), QString("playing,sound"), slow);
        QTRY_COMPARE_WITH_TIMEOUT(state(page(), "a", true), QString("playing,sound"), slow);
        // Switching blocking on pauses what started by itself, in the frames too.
        browser->setAutoplayBlocked(true);
        QTRY_COMPARE_WITH_TIMEOUT(state(page(), "v"), QString("paused,sound"), slow);
        QTRY_COMPARE_WITH_TIMEOUT(state(page(), "a", true), QString("paused,sound"), slow);
    }

    // A tab in the background plays nothing; its media goes on when it is shown again.
    void backgroundTabIsSuspended()
    {
        preferences->setValue("vt.browserMuted", false);
        preferences->setValue("vt.browserNoAutoplay", false);
        make(preferences.get());
        openMedia();
        BrowserPage *youtube = page();
        QTRY_COMPARE_WITH_TIMEOUT(state(youtube, "v"), QString("playing,sound"), slow);
        browser->open("https://www.instagram.com/p/abc/");
        QCOMPARE(browser->selectedSite(), LoginProvider::instagram);
        QTRY_COMPARE_WITH_TIMEOUT(state(youtube, "v"), QString("paused,sound"), slow);
        QVERIFY(youtube->isAudioMuted());
        browser->selectSite(LoginProvider::youtube);
        QTRY_COMPARE_WITH_TIMEOUT(state(youtube, "v"), QString("playing,sound"), slow);
        QVERIFY(!youtube->isAudioMuted());
    }

    void togglesAreReadAndStored_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("expected");
        QTest::newRow("missing") << QVariant() << true;
        QTest::newRow("false") << QVariant(false) << false;
        QTest::newRow("true") << QVariant(true) << true;
        QTest::newRow("not a Boolean") << QVariant("no") << true;
        QTest::newRow("a number") << QVariant(0) << true;
    }

    void togglesAreReadAndStored()
    {
        QFETCH(QVariant, stored);
        QFETCH(bool, expected);
        if (stored.isValid()) {
            preferences->setValue("vt.browserMuted", stored);
            preferences->setValue("vt.browserNoAutoplay", stored);
        }
        make(preferences.get());
        QCOMPARE(browser->isMuted(), expected);
        QCOMPARE(browser->blocksAutoplay(), expected);
        browser->setMuted(!expected);
        browser->setAutoplayBlocked(!expected);
        QCOMPARE(preferences->value("vt.browserMuted"), QVariant(!expected));
        QCOMPARE(preferences->value("vt.browserNoAutoplay"), QVariant(!expected));
    }

    void withoutPreferencesNothingIsStored()
    {
        make(nullptr);
        browser->setMuted(false);
        QVERIFY(!browser->isMuted());
        QCOMPARE(AppSettings::shared().contains("vt.browserMuted"), false);
    }

    // Each page holds exactly one policy script, with the current flags; other scripts stay.
    void onePolicyScriptPerPage()
    {
        make(nullptr);
        QWebEngineScript other;
        other.setName("other");
        other.setSourceCode("window.__other = true;");
        page()->scripts().insert(other);
        browser->setMuted(false);
        browser->setAutoplayBlocked(false);
        int policies = 0;
        for (const QWebEngineScript &s : page()->scripts().toList())
            if (s.sourceCode().startsWith(Browser::mediaScriptMarker)) {
                ++policies;
                QCOMPARE(s.sourceCode(), Browser::mediaScript(false, false));
            }
        QCOMPARE(policies, 1);
        QCOMPARE(page()->scripts().find("other").size(), 1);
    }

    void scriptTextCarriesOnlyTheTwoFlags()
    {
        const QString a = Browser::mediaScript(true, false);
        QVERIFY(a.startsWith("// Glimora media policy\n"));
        QVERIFY(a.contains("const initial = true;"));
        QVERIFY(a.contains("const initialBlock = false;"));
        QString b = Browser::mediaScript(false, true);
        b.replace("const initial = false;", "const initial = true;")
            .replace("const initialBlock = true;", "const initialBlock = false;");
        QCOMPARE(b, a);
    }
};

VT_WEB_TEST_MAIN(MediaTest)
#include "tst_media.moc"
