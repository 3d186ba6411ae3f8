// The window on the fixture site: the start page, the frame, the sign-in state shown, a failed
// load, the resizers, the review panel and the sheets the sidebar opens; and the program itself:
// it quits cleanly on SIGTERM with the site sign-in kept for the next start and its agent control
// file gone.
#include "Base/AppSettings.h"
#include "Base/ImageStore.h"
#include "Base/Lang.h"
#include "Browser/AccountSession.h"
#include "Browser/Browser.h"
#include "Browser/StoredCookies.h"
#include "Dashboard/StatisticsSheet.h"
#include "DemoSite.h"
#include "FakeService.h"
#include "FixtureSite.h"
#include "Panel/PanelActions.h"
#include "Panel/SpamPanel.h"
#include "Panel/SpamPanelModel.h"
#include "Scan/SpamModel.h"
#include "Settings/SettingsOpener.h"
#include "Settings/SettingsWindow.h"
#include "Agent/AgentController.h"
#include "Agent/ControlFile.h"
#include "Agent/LocalServer.h"
#include "Theme/IconButton.h"
#include "Theme/WorkspaceButton.h"
#include "PageTools.h"
#include "Shell/AccountMenu.h"
#include "Shell/AppState.h"
#include "Shell/BrowserPane.h"
#include "Shell/MainWindow.h"
#include "Shell/PaneResizer.h"
#include "Shell/PostDock.h"
#include "Shell/PostDockActions.h"
#include "Shell/PostDockModel.h"
#include "Shell/PostTile.h"
#include "Posts/PostDesk.h"
#include "Shell/SidebarSites.h"
#include "Shell/VeltraneBrowserApp.h"
#include "Shell/WebViewHost.h"
#include "Shell/WorkspaceSidebar.h"
#include "Shell/WorkspaceView.h"
#include "Store/ScanStore.h"
#include "TestMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QScrollArea>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <csignal>
#include <memory>
#include <unistd.h>

using vt::test::FakeService;
using vt::test::FixtureSite;

namespace {

constexpr int slow = 30000;

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

// The whole text of the label is on screen: wrapped within its height, or on one line within its width.
bool showsWhole(const QLabel *label)
{
    if (label->wordWrap())
        return label->heightForWidth(label->width()) <= label->height();
    return label->sizeHint().width() <= label->width();
}

// The shown labels under `root` whose text is cut, as "text (width)".
QStringList cutLabels(const QWidget *root)
{
    QStringList cut;
    for (const QLabel *l : root->findChildren<QLabel *>()) {
        if (l->isVisibleTo(root->window()) && !l->text().isEmpty() && l->pixmap().isNull() && !showsWhole(l))
            cut << QStringLiteral("%1 (%2 of %3)").arg(l->text().left(40)).arg(l->width()).arg(l->sizeHint().width());
    }
    return cut;
}

// A request for path on www.youtube.com with query item run=<run>, and whether it carried SID.
std::optional<bool> homeRequest(const QString &run)
{
    for (const vt::test::HttpRequest &r : FixtureSite::shared()->requests("www.youtube.com"))
        if (r.path == "/" && r.query.queryItemValue("run") == run)
            return !FixtureSite::cookie(r, "SID").isEmpty();
    return std::nullopt;
}

}   // namespace

class WindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<AppState> state;
    std::unique_ptr<MainWindow> window;

    void open()
    {
        state = std::make_unique<AppState>();
        window = std::make_unique<MainWindow>(state.get(), &AppSettings::shared());
        window->show();
        QTRY_VERIFY_WITH_TIMEOUT(!state->browser()->isLoading() && !state->browser()->address().isEmpty(), slow);
    }

    Browser *browser() { return state->browser(); }
    BrowserPane *pane() { return window->workspace()->browserPane(); }
    SidebarSites *sites() { return window->workspace()->sidebar()->sites(); }

private slots:
    void init() { qputenv("VT_START_URL", "https://www.youtube.com/"); }

    void cleanup()
    {
        window.reset();
        state.reset();
        qunsetenv("VT_START_URL");
        for (const char *key : {"vt.lastPage", "vt.windowWidth", "vt.windowHeight", "vt.windowMaximized",
                                "vt.menuWidth", "vt.panelWidth", "vt.dockHeight"})
            AppSettings::shared().remove(key);
        FixtureSite::shared()->resetRoutes();
    }

    // The window as a first run shows it at 1280 x 720 (run in both languages): whole texts, a
    // hint in every empty place, the host of a long address in view.
    void firstLookAt1280x720()
    {
        open();
        window->showNormal();
        window->resize(1280, 720);
        WorkspaceView *workspace = window->workspace();
        QTRY_COMPARE_WITH_TIMEOUT(workspace->size(),
                                  window->centralWidget() ? window->centralWidget()->size() : workspace->size(), slow);
        WorkspaceSidebar *sidebar = workspace->sidebar();
        // The service offers device accounts: the start-up refresh signs in.
        QTRY_COMPARE_WITH_TIMEOUT(sidebar->shownAccountRow().subtitle,
                                  Lang::system() ? QString("계정 관리") : QString("Manage account"), slow);
        QVERIFY(sidebar->accountRowFits());

        // Nothing scanned, nothing listed: both say what to do.
        QCOMPARE(workspace->panel()->emptyHintText(), SpamPanelModel::emptyHint(PanelTab::comments, false));
        QTRY_COMPARE_WITH_TIMEOUT(
            workspace->dock()->emptyHintText(),
            (Lang::system() ? QString("YouTube에 로그인한 다음 최신 게시물을 불러와 검사할 게시물을 고르세요.")
                            : QString("Sign in to YouTube, then load your latest posts and pick the ones to check.")),
            slow);

        // A sign-in page with a long address: the field shows it from the host on.
        const QString signIn = "https://www.youtube.com/signin?continue="
            + QString("https%3A%2F%2Fwww.youtube.com%2Fwatch%3Fv%3D").repeated(6) + "&hl=en&flowName=GlifWebSignIn";
        FixtureSite::shared()->page("www.youtube.com", "/signin", "<h1>sign in</h1>");
        browser()->open(signIn);
        QTRY_COMPARE_WITH_TIMEOUT(pane()->addressField()->text(), signIn, slow);
        QCOMPARE(pane()->addressField()->cursorPosition(), 0);

        // A failed load's message is whole, on two lines if need be. The sign-in page may still be
        // loading: the load asked for decides all the same, and the field shows its address.
        browser()->open("https://www.youtube.com/broken");
        QTRY_VERIFY_WITH_TIMEOUT(!pane()->bannerText().isEmpty(), slow);
        QTRY_COMPARE_WITH_TIMEOUT(pane()->addressField()->text(), QString("https://www.youtube.com/broken"), slow);
        QTRY_VERIFY2_WITH_TIMEOUT(cutLabels(pane()->banner()).isEmpty(),
                                  qPrintable(cutLabels(pane()->banner()).join(", ")), slow);

        // Every settings tab: no text cut, the AI check not "On" before the owner agreed.
        QCOMPARE(state->spam()->ownerSettings().aiConsent(), std::nullopt);
        workspace->settings()->open(SettingsTab::ai);
        QPointer<SettingsWindow> settings = workspace->settings()->window();
        QVERIFY(settings);
        QTRY_VERIFY_WITH_TIMEOUT(settings->isVisible(), slow);
        QCOMPARE(settings->statusShown(SettingsTab::ai),
                 Lang::system() ? QString("동의 필요") : QString("Needs your consent"));
        for (const SettingsTab tab : SettingsTab::allCases()) {
            settings->setTab(tab);
            QTRY_VERIFY2_WITH_TIMEOUT(cutLabels(settings).isEmpty(),
                                      qPrintable(tab.rawValue() + ": " + cutLabels(settings).join(", ")), slow);
        }
        settings->close();
        QTRY_VERIFY_WITH_TIMEOUT(!settings, slow);

        // The statistics of an empty history say how to fill them.
        workspace->openStatistics();
        QPointer<StatisticsSheet> sheet = workspace->statistics();
        QVERIFY(sheet);
        QTRY_VERIFY_WITH_TIMEOUT(sheet->isVisible(), slow);
        QLabel *hint = sheet->findChild<QLabel *>("emptyHint");
        QVERIFY(hint);
        QCOMPARE(hint->text(), StatisticsSheet::emptyHint(sheet->data()));
        QVERIFY(!hint->text().isEmpty());
        QVERIFY2(cutLabels(sheet).isEmpty(), qPrintable(cutLabels(sheet).join(", ")));
        sheet->close();
        QTRY_VERIFY_WITH_TIMEOUT(!sheet, slow);
    }

    void startPage_data()
    {
        QTest::addColumn<QVariant>("env");       // invalid: unset
        QTest::addColumn<QString>("lastPage");   // empty: none stored
        QTest::addColumn<QString>("expected");
        const QString home = "https://www.youtube.com/";
        QTest::newRow("nothing") << QVariant() << "" << home;
        QTest::newRow("restorable last page") << QVariant() << "https://www.instagram.com/p/abc/"
                                              << "https://www.instagram.com/p/abc/";
        QTest::newRow("sign-in page as last page") << QVariant() << "https://www.instagram.com/accounts/login/" << home;
        QTest::newRow("other site as last page") << QVariant() << "https://example.org/" << home;
        QTest::newRow("start address wins")
            << QVariant("https://www.youtube.com/watch?v=x") << "https://www.instagram.com/p/abc/"
            << "https://www.youtube.com/watch?v=x";
        QTest::newRow("empty start address still wins") << QVariant("") << "https://www.instagram.com/p/abc/"
                                                        << "";
    }
    void startPage()
    {
        QFETCH(QVariant, env);
        QFETCH(QString, lastPage);
        QFETCH(QString, expected);
        qunsetenv("VT_START_URL");
        if (env.isValid())
            qputenv("VT_START_URL", env.toString().toUtf8());
        if (!lastPage.isEmpty())
            AppSettings::shared().setValue("vt.lastPage", lastPage);
        QCOMPARE(AppState::startPage(), expected);
    }

    // Title, frame, the page on screen, the sign-in state after signing in, switching sites.
    void windowShowsThePageAndTheSignIn()
    {
        open();
        QCOMPARE(window->windowTitle(), QString("Glimora"));
        QCOMPARE(window->minimumSize(), QSize(1200, 720));
        QCOMPARE(window->size(), QSize(1440, 900));
        QCOMPARE(pane()->webView()->page(), browser()->currentTab()->page());
        QCOMPARE(pane()->addressField()->text(), QString("https://www.youtube.com/"));
        QImage shot;
        QTRY_VERIFY_WITH_TIMEOUT((shot = window->grab().toImage(), redShare(shot) > 0.005), slow);

        QTRY_COMPARE_WITH_TIMEOUT(browser()->accounts()->status(LoginProvider::youtube), LoginStatus::signedOut, slow);
        QCOMPARE(sites()->rowState(LoginProvider::youtube),
                 Lang::system() ? QString("로그인 필요") : QString("Sign-in needed"));
        // Sign in from the accounts menu, as the owner does.
        sites()->accountButton(LoginProvider::youtube)->click();
        QVERIFY(sites()->menu());
        QCOMPARE(sites()->menu()->rows().at(0).actions, QList<AccountMenu::Action>{AccountMenu::Action::signIn});
        sites()->menu()->trigger(LoginProvider::youtube, AccountMenu::Action::signIn);
        BrowserPage *page = browser()->currentTab()->page();
        QTRY_VERIFY_WITH_TIMEOUT(!browser()->isLoading()
                                     && vt::test::evaluate(page, "!!document.getElementById('form')").toBool(),
                                 slow);
        vt::test::evaluate(
            page, "document.getElementById('identifier').value='owner';document.getElementById('form').submit();");
        QTRY_VERIFY_WITH_TIMEOUT(SidebarSites::isSignedIn(browser()->accounts()->status(LoginProvider::youtube)), slow);
        QCOMPARE(sites()->rowState(LoginProvider::youtube), QString());
        QVERIFY(sites()
                    ->siteButton(LoginProvider::youtube)
                    ->accessibleName()
                    .endsWith(Lang::system() ? QString("로그인됨") : QString("Signed in")));
        QCOMPARE(sites()->rowState(LoginProvider::instagram),
                 Lang::system() ? QString("로그인 필요") : QString("Sign-in needed"));
        sites()->showMenu();
        AccountMenu *menu = sites()->menu();
        QCOMPARE(menu->rows().at(0).actions,
                 (QList<AccountMenu::Action>{AccountMenu::Action::open, AccountMenu::Action::signOut}));
        // "Sign out", then "Cancel": nothing is removed.
        QStringList asked;
        bool answer = false;
        menu->confirm = [&](const QString &title, const QString &, std::function<void(bool)> done) {
            asked << title;
            QCOMPARE(menu->disconnect(), std::optional<LoginProvider>(LoginProvider::youtube));
            done(answer);
        };
        menu->trigger(LoginProvider::youtube, AccountMenu::Action::signOut);
        QCOMPARE(asked, QStringList{AccountMenu::confirmTitle(LoginProvider::youtube)});
        QCOMPARE(menu->disconnect(), std::nullopt);
        QVERIFY(!browser()->accounts()->clearing());
        QVERIFY(SidebarSites::isSignedIn(browser()->accounts()->status(LoginProvider::youtube)));
        menu->close();

        // The site list switches the browser; Instagram is laid out as a 960-point page.
        QTest::mouseClick(sites()->siteButton(LoginProvider::instagram), Qt::LeftButton);
        QCOMPARE(browser()->selectedSite(), LoginProvider::instagram);
        QTRY_COMPARE_WITH_TIMEOUT(pane()->webView()->page(), browser()->currentTab()->page(), slow);
        const double width = pane()->webView()->width();
        QVERIFY(width < 960);
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(pane()->webView()->page()->zoomFactor() - width / 960) < 0.006, slow);
    }

    // Signing out from the menu: confirmed, the rows locked while the data goes, then "Sign in".
    void signOutFromTheMenu()
    {
        open();
        browser()->signIn(LoginProvider::youtube);
        BrowserPage *page = browser()->currentTab()->page();
        QTRY_VERIFY_WITH_TIMEOUT(!browser()->isLoading()
                                     && vt::test::evaluate(page, "!!document.getElementById('form')").toBool(),
                                 slow);
        vt::test::evaluate(
            page, "document.getElementById('identifier').value='owner';document.getElementById('form').submit();");
        QTRY_VERIFY_WITH_TIMEOUT(SidebarSites::isSignedIn(browser()->accounts()->status(LoginProvider::youtube)), slow);
        sites()->showMenu();
        AccountMenu *menu = sites()->menu();
        QList<bool> lockedWhileClearing;
        QObject listening;   // ends the connection with this test's locals
        connect(browser()->accounts(), &AccountSession::clearingChanged, &listening, [&] {
            if (browser()->accounts()->clearing())
                lockedWhileClearing << !menu->rows().at(0).enabled << !pane()->takesPageClicks()
                                    << !pane()->addressField()->isEnabled()
                                    << !window->workspace()->sidebar()->sites()->isEnabledTo(window.get());
        });
        menu->confirm = [](const QString &, const QString &message, std::function<void(bool)> done) {
            QCOMPARE(message, AccountMenu::confirmMessage());
            done(true);
        };
        menu->trigger(LoginProvider::youtube, AccountMenu::Action::signOut);
        QTRY_COMPARE_WITH_TIMEOUT(browser()->accounts()->status(LoginProvider::youtube), LoginStatus::signedOut, slow);
        QTRY_VERIFY_WITH_TIMEOUT(!browser()->accounts()->clearing(), slow);
        QCOMPARE(lockedWhileClearing, (QList<bool>{true, true, true, true}));
        QVERIFY(pane()->takesPageClicks());
        QVERIFY(pane()->addressField()->isEnabled());
        QCOMPARE(menu->rows().at(0).actions, QList<AccountMenu::Action>{AccountMenu::Action::signIn});
        QVERIFY(menu->rows().at(0).enabled);
        QVERIFY(!browser()->accounts()->message().isEmpty());
        QCOMPARE(sites()->rowState(LoginProvider::youtube),
                 Lang::system() ? QString("로그인 필요") : QString("Sign-in needed"));
    }

    // A failed load: our message in the run's language, no engine error page.
    void failedLoadShowsOwnMessage()
    {
        open();
        browser()->open("https://www.youtube.com/broken");
        QTRY_VERIFY_WITH_TIMEOUT(!browser()->error().isEmpty(), slow);
        QVERIFY(pane()->bannerText().startsWith(Lang::system() ? QString("페이지를 불러오지 못했습니다. ")
                                                               : QString("Couldn't load the page. ")));
        QVERIFY(!pane()->bannerText().contains("ERR_"));
        const QString shown = vt::test::evaluate(browser()->currentTab()->page(),
                                                 "document.body ? document.body.innerText : ''")
                                  .toString();
        QVERIFY2(!shown.contains("ERR_") && !shown.contains("reached"), qPrintable(shown));
        // "Try again" clears the banner while the page loads again.
        FixtureSite::shared()->page("www.youtube.com", "/broken", "<h1>back</h1>");
        browser()->retry();
        QTRY_VERIFY_WITH_TIMEOUT(pane()->bannerText().isEmpty() && !browser()->isLoading(), slow);
    }

    // The address field keeps what the owner types through a page change; Escape restores it.
    void addressFieldEditing()
    {
        open();
        QLineEdit *field = pane()->addressField();
        field->setFocus();
        QTRY_VERIFY_WITH_TIMEOUT(field->hasFocus(), slow);
        field->setText("typed");
        browser()->open("https://www.youtube.com/watch?v=next");
        QTRY_COMPARE_WITH_TIMEOUT(browser()->address(), QString("https://www.youtube.com/watch?v=next"), slow);
        QCOMPARE(field->text(), QString("typed"));
        QTest::keyClick(field, Qt::Key_Escape);
        QCOMPARE(field->text(), QString("https://www.youtube.com/watch?v=next"));
        // A text that names no page: the browser's error, and the field shows the address again.
        field->setFocus();
        field->setText("not an address");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(browser()->error(),
                 Lang::system() ? QString("YouTube 또는 Instagram 주소를 입력해 주세요.")
                                : QString("Enter a YouTube or Instagram address."));
        QCOMPARE(field->text(), QString("https://www.youtube.com/watch?v=next"));
        QVERIFY(!pane()->bannerText().isEmpty());

        // A page title that looks like markup shows as its characters in the field's tooltip.
        FixtureSite::shared()
            ->page("www.youtube.com", "/markup",
                   "<title>&lt;img src=x onerror=alert(1)&gt;&lt;b&gt;Bold&lt;/b&gt;</title><h1>t</h1>");
        browser()->open("https://www.youtube.com/markup");
        QTRY_COMPARE_WITH_TIMEOUT(browser()->title(), QString("<img src=x onerror=alert(1)><b>Bold</b>"), slow);
        QTextDocument tip;
        tip.setHtml(field->parentWidget()->toolTip());
        QCOMPARE(tip.toPlainText(), browser()->title());
    }

    // The handles write clamped widths at every step and the panes follow.
    void resizersStoreClampedWidths()
    {
        open();
        auto drag = [&](QWidget *handle, double dx) {
            const QPoint at = handle->rect().center();
            const QPointF g = handle->mapToGlobal(QPointF(at));
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), g, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(handle, &press);
            for (double step : {dx / 2, dx}) {
                QMouseEvent move(QEvent::MouseMove, QPointF(at) + QPointF(step, 0), g + QPointF(step, 0), Qt::NoButton,
                                 Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(handle, &move);
            }
            QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at) + QPointF(dx, 0), g + QPointF(dx, 0),
                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(handle, &release);
        };
        WorkspaceView *workspace = window->workspace();
        drag(workspace->sidebarResizer(), 500);
        QCOMPARE(AppSettings::shared().doubleValue("vt.menuWidth", 0), 300.0);
        QCOMPARE(workspace->sidebar()->width(), 300);
        drag(workspace->sidebarResizer(), -30);
        QCOMPARE(AppSettings::shared().doubleValue("vt.menuWidth", 0), 270.0);
        drag(workspace->panelResizer(), -40);   // to the left widens the panel
        QCOMPARE(AppSettings::shared().doubleValue("vt.panelWidth", 0), 500.0);
        QCOMPARE(workspace->currentGeometry().panel.width(), 488.0);
    }

    // The hairline between the page and the post list moves the split; the post list's height is
    // kept for the next start, and both keep their minimums in the smallest window.
    void cardSplitKeepsItsHeight()
    {
        AppSettings::shared().setValue("vt.windowWidth", 1280);
        AppSettings::shared().setValue("vt.windowHeight", 720);
        open();
        QCOMPARE(window->size(), QSize(1280, 720));
        QSplitter *split = window->workspace()->cardSplitter();
        QTRY_COMPARE_WITH_TIMEOUT(split->height(), 696, slow);
        QCOMPARE(split->sizes(), (QList<int>{395, 300}));   // no height stored yet
        QCOMPARE(pane()->height(), 395);
        auto drag = [&](double dy) {
            QWidget *handle = split->handle(1);
            const QPoint at = handle->rect().center();
            const QPointF g = handle->mapToGlobal(QPointF(at));
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), g, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(handle, &press);
            for (double step : {dy / 2, dy}) {
                QMouseEvent move(QEvent::MouseMove, QPointF(at) + QPointF(0, step), g + QPointF(0, step), Qt::NoButton,
                                 Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(handle, &move);
            }
            QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at) + QPointF(0, dy), g + QPointF(0, dy),
                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(handle, &release);
        };
        // Up as far as it goes: the page keeps its minimum.
        drag(-300);
        QCOMPARE(split->sizes(), (QList<int>{360, 335}));
        QCOMPARE(AppSettings::shared().doubleValue("vt.dockHeight", 0), 335.0);
        QVERIFY(pane()->height() >= WorkspaceView::browserMinimum);
        // Down as far as it goes: the post list keeps its own, a whole row of tiles in view.
        drag(400);
        QCOMPARE(split->sizes(), (QList<int>{695 - int(WorkspaceView::dockMinimum), int(WorkspaceView::dockMinimum)}));
        QCOMPARE(AppSettings::shared().doubleValue("vt.dockHeight", 0), WorkspaceView::dockMinimum);
        QScrollArea *tiles = window->workspace()->dock()->findChild<QScrollArea *>();
        QVERIFY(tiles);
        QTRY_VERIFY2_WITH_TIMEOUT(tiles->viewport()->height() >= PostDockModel::tileHeight,
                                  qPrintable(QString::number(tiles->viewport()->height())), 60000);
        drag(-40);
        const int dock = int(WorkspaceView::dockMinimum) + 40;
        QCOMPARE(split->sizes(), (QList<int>{695 - dock, dock}));
        QCOMPARE(AppSettings::shared().doubleValue("vt.dockHeight", 0), double(dock));
        drag(0);   // taking the line without moving it leaves the split as it is
        QCOMPARE(split->sizes(), (QList<int>{695 - dock, dock}));
        // A taller window gives its height to the page.
        window->resize(1920, 1080);
        QTRY_COMPARE_WITH_TIMEOUT(split->sizes(), (QList<int>{1055 - dock, dock}), slow);
        window->resize(1280, 720);
        QTRY_COMPARE_WITH_TIMEOUT(split->sizes(), (QList<int>{695 - dock, dock}), slow);
        // The next start shows the same split.
        window->close();
        window = std::make_unique<MainWindow>(state.get(), &AppSettings::shared());
        window->show();
        QTRY_COMPARE_WITH_TIMEOUT(window->workspace()->cardSplitter()->sizes(), (QList<int>{695 - dock, dock}), slow);
    }

    // The panel over the real model, the account row over its service client, the sheets the
    // sidebar opens, and the locks that follow the model's working flag.
    void panelAndSheetsFollowTheModel()
    {
        open();
        WorkspaceView *workspace = window->workspace();
        WorkspaceSidebar *sidebar = workspace->sidebar();
        SpamPanel *panel = workspace->panel();
        QVERIFY(panel);
        QCOMPARE(panel->viewModel()->model(), state->spam());
        QVERIFY(panel->isVisible());
        QCOMPARE(QRectF(panel->geometry()), workspace->currentGeometry().panel);
        QVERIFY(state->agentError().isEmpty());
        QVERIFY(state->agent()->server());

        // The service offers device accounts: the start-up refresh signs in, and the row follows.
        QTRY_COMPARE_WITH_TIMEOUT(sidebar->shownAccountRow().subtitle,
                                  Lang::system() ? QString("계정 관리") : QString("Manage account"), slow);
        QCOMPARE(sidebar->shownAccountRow().symbol, QString("checkmark.seal"));

        auto iconButton = [&](const QString &ko, const QString &en) -> IconButton * {
            for (IconButton *b : sidebar->findChildren<IconButton *>())
                if (b->label() == (Lang::system() ? ko : en))
                    return b;
            return nullptr;
        };
        IconButton *stats = iconButton("통계", "Statistics");
        IconButton *settingsButton = iconButton("검사 설정", "Scan settings");
        QVERIFY(stats && settingsButton);

        // Statistics: one sheet, over the window, on the model's history.
        stats->click();
        QVERIFY(workspace->statistics());
        QTRY_VERIFY_WITH_TIMEOUT(workspace->statistics()->isVisible(), slow);
        QCOMPARE(workspace->statistics()->parentWidget()->window(), window.get());
        QPointer<StatisticsSheet> sheet = workspace->statistics();
        sheet->close();
        QTRY_VERIFY_WITH_TIMEOUT(!sheet, slow);

        // Settings on the AI tab, then the account row moves the same window to the account tab.
        settingsButton->click();
        QPointer<SettingsWindow> settings = workspace->settings()->window();
        QVERIFY(settings);
        QCOMPARE(settings->tab(), SettingsTab::ai);
        QAbstractButton *accountRow = nullptr;
        for (QAbstractButton *b : sidebar->findChildren<QAbstractButton *>())
            if (b->accessibleName().startsWith(sidebar->shownAccountRow().title + ", "))
                accountRow = b;
        QVERIFY(accountRow);
        accountRow->click();
        QCOMPARE(workspace->settings()->window(), settings.data());
        QCOMPARE(settings->tab(), SettingsTab::account);
        settings->close();
        QTRY_VERIFY_WITH_TIMEOUT(!settings, slow);
        // The model asks for the account (the AI check needs a sign-in): the account tab opens.
        state->spam()->raiseAccountRequest();
        QVERIFY(workspace->settings()->window());
        QCOMPARE(workspace->settings()->window()->tab(), SettingsTab::account);
        workspace->settings()->window()->close();
        QTRY_VERIFY_WITH_TIMEOUT(!workspace->settings()->window(), slow);

        // While the model works: the sidebar and the browser pane lock, no sign-in may start.
        QVERIFY(browser()->canStartLogin());
        state->spam()->jobs().set(JobState::Job::scan, true);
        QVERIFY(sidebar->locked());
        QVERIFY(!pane()->addressField()->isEnabled());
        QVERIFY(!browser()->canStartLogin());
        state->spam()->jobs().set(JobState::Job::scan, false);
        QVERIFY(!sidebar->locked());
        QVERIFY(pane()->addressField()->isEnabled());
        QVERIFY(browser()->canStartLogin());
    }

    // The post list under the browser and the panel read the one post list model, and a post
    // opened in the browser appears in the list, focused.
    void dockFollowsTheOpenPost()
    {
        open();
        PostDock *dock = window->workspace()->dock();
        QVERIFY(dock && dock->isVisible());
        QCOMPARE(state->desk()->model(), state->spam());
        QCOMPARE(window->workspace()->panel()->viewModel()->actions()->focused(), state->desk()->focused());
        const QString post = QStringLiteral("https://www.youtube.com/watch?v=dockdockdoc");
        // Its picture is in the image cache already: the tile downloads nothing.
        const QString picture = ChannelPost::thumbnailOf("youtube", post, {}).value();
        QVERIFY(QDir().mkpath(ImageStore::shared().directory()));
        QImage still(64, 36, QImage::Format_RGB32);
        still.fill(Qt::darkCyan);
        QVERIFY(still.save(ImageStore::shared().cacheFile(picture), "JPG"));
        browser()->open(post);
        QTRY_COMPARE_WITH_TIMEOUT(state->desk()->focused(), std::optional<QString>(post), slow);
        QTRY_VERIFY_WITH_TIMEOUT(!dock->tiles().isEmpty() && dock->tiles().first()->post().url == post, slow);
        QVERIFY(dock->tiles().first()->look().focused);
        QVERIFY(!ImageStore::shared().isLoading(picture));
        QCOMPARE(window->workspace()->panel()->viewModel()->actions()->focused(), std::optional<QString>(post));
        // A site sign-in in progress locks the list; the model's own work does not.
        QVERIFY(!dock->locked());
        state->spam()->jobs().set(JobState::Job::scan, true);
        QVERIFY(!dock->locked());
        state->spam()->jobs().set(JobState::Job::scan, false);
    }

    // "Load latest posts" in the post list, signed in on the fixture sites as the owner tries
    // them: the owner's posts of the selected site arrive in the list, ticked for a scan.
    void loadLatestPostsFromTheSite_data()
    {
        QTest::addColumn<int>("site");
        QTest::addColumn<QString>("field");   // the name field of the site's sign-in form
        QTest::newRow("YouTube") << int(LoginProvider::youtube) << "identifier";
        QTest::newRow("Instagram") << int(LoginProvider::instagram) << "username";
    }
    void loadLatestPostsFromTheSite()
    {
        QFETCH(int, site);
        QFETCH(QString, field);
        const LoginProvider provider{LoginProvider::Value(site)};
        vt::test::DemoSite demo;
        demo.install(*FixtureSite::shared());
        open();
        browser()->signIn(provider);
        BrowserPage *page = browser()->currentTab()->page();
        QTRY_VERIFY_WITH_TIMEOUT(!browser()->isLoading()
                                     && vt::test::evaluate(page, "!!document.getElementById('form')").toBool(),
                                 slow);
        vt::test::evaluate(page,
                           QString(
                               "document.getElementById('%1').value='owner';document.getElementById('form').submit();")
                               .arg(field));
        QTRY_VERIFY_WITH_TIMEOUT(SidebarSites::isSignedIn(browser()->accounts()->status(provider)), slow);
        QTRY_VERIFY_WITH_TIMEOUT(!browser()->isLoading() && !browser()->accounts()->isAuthenticating(), slow);

        PostDock *dock = window->workspace()->dock();
        QCOMPARE(dock->siteKey(), provider.rawValue());
        WorkspaceButton *load = dock->actionsArea()->loadButton();
        QTRY_VERIFY_WITH_TIMEOUT(load && load->isVisible() && load->isEnabled(), slow);
        QCOMPARE(load->text(), Lang::system() ? QString("최신 게시물 불러오기") : QString("Load latest posts"));
        QTest::mouseClick(load, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(state->spam()->jobs().findingPosts(), slow);
        QTRY_VERIFY_WITH_TIMEOUT(!state->spam()->jobs().findingPosts(), 3 * slow);
        QCOMPARE(state->spam()->catalog().discoveryStatus(), QString());

        const QList<QUrl> posts = provider == LoginProvider::youtube ? demo.youtubePosts() : demo.instagramPosts();
        QStringList expected;
        for (const QUrl &url : posts)
            expected << ScanStore::canonical(url.toString())->url;
        QStringList shown, ticked;
        QTRY_VERIFY_WITH_TIMEOUT(dock->tiles().size() >= expected.size(), slow);
        for (PostTile *tile : dock->tiles()) {
            shown << tile->post().url;
            if (tile->look().ticked)
                ticked << tile->post().url;
        }
        for (const QString &url : std::as_const(expected)) {
            QVERIFY2(shown.contains(url), qPrintable(url + " not in " + shown.join(' ')));
            QVERIFY2(ticked.contains(url), qPrintable(url + " not ticked"));
        }
    }

    // The size is kept for the next start, as long as the screen holds it.
    void windowKeepsItsSize()
    {
        open();
        window->resize(1300, 800);
        window->close();
        window = std::make_unique<MainWindow>(state.get(), &AppSettings::shared());
        QCOMPARE(window->size(), QSize(1300, 800));
    }

    // The program itself: started headless (as root it switches the sandbox off by itself), signed
    // in on the fixture site, ended with SIGTERM: it quits cleanly, and its next start is still
    // signed in.
    void programQuitsCleanlyKeepingTheSignIn()
    {
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *sub : {"config", "data", "cache"}) {
            QDir(home.path()).mkpath(sub);
            env.insert(QString("XDG_%1_HOME").arg(QString(sub).toUpper()), home.filePath(sub));
        }
        env.remove("QTWEBENGINE_DISABLE_SANDBOX");
        env.insert("VT_SERVER_URL", qEnvironmentVariable("VT_SERVER_URL"));
        const QString controlFile = ControlFile(home.filePath("data") + "/Veltrane").path();
        bool controlWhileRunning = false;
        FixtureSite::shared()->page(
            "www.youtube.com", "/smoke-signin",
            "<form id='f' method='post' action='https://accounts.google.com/signin/challenge/pwd'>"
            "<input name='identifier' value='owner'><input name='continue' value='https://www.youtube.com/?run=1'></form>"
            "<script>document.getElementById('f').submit();</script>");

        auto run = [&](const QString &start, const QString &runId, bool &signedIn, QString &err) -> bool {
            QProcess program;
            env.insert("VT_START_URL", start);
            program.setProcessEnvironment(env);
            program.start(VT_BINARY_DIR "/VeltraneBrowser");
            if (!program.waitForStarted())
                return false;
            // The fixture site answers from this process's event loop: wait by polling it.
            if (!QTest::qWaitFor([&] { return homeRequest(runId).has_value(); }, 60000)) {
                program.kill();
                program.waitForFinished();
                err = "no request: " + program.readAllStandardError().right(600);
                return false;
            }
            signedIn = *homeRequest(runId);
            controlWhileRunning = QFile::exists(controlFile);
            QTest::qWait(200);   // let the page settle; the cookies themselves are written at quit
            ::kill(program.processId(), SIGTERM);
            const bool ended = QTest::qWaitFor([&] { return program.state() == QProcess::NotRunning; }, 60000);
            err = program.readAllStandardError();
            if (!ended) {
                program.kill();
                program.waitForFinished();
                return false;
            }
            return program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0;
        };

        bool signedIn = false;
        QString err;
        QVERIFY2(run("https://www.youtube.com/smoke-signin", "1", signedIn, err), qPrintable(err));
        QVERIFY(signedIn);
        if (::geteuid() == 0)
            QVERIFY2(err.contains("sandbox is switched off"), qPrintable(err));
        QVERIFY2(!err.contains("FullyDecoded"), qPrintable(err));
        // The web engine says nothing of its own: no start-up report, no Chromium log lines.
        const QRegularExpression engineLine(QStringLiteral(
                                                "qt\\.webenginecontext|^\\[\\d+:\\d+:|Sandboxing disabled|^js:"),
                                            QRegularExpression::MultilineOption);
        QVERIFY2(!engineLine.match(err).hasMatch(), qPrintable(err));
        bool cookieKept = false;
        for (const QNetworkCookie &c : StoredCookies::read(home.filePath("data") + "/Veltrane/web"))
            cookieKept |= c.name() == "SID" && c.domain() == ".youtube.com";
        QVERIFY(cookieKept);
        // The agent control server listened while the program ran; its file went at the end.
        QVERIFY(controlWhileRunning);
        QVERIFY(!QFile::exists(controlFile));

        // With VT_DEBUG=1 the engine's report is there again.
        env.insert("VT_DEBUG", "1");
        QVERIFY2(run("https://www.youtube.com/?run=2", "2", signedIn, err), qPrintable(err));
        QVERIFY(signedIn);
        QVERIFY2(err.contains("qt.webenginecontext"), qPrintable(err));
    }

    // Closing the window ends the run the same way (last in this program: it asks to quit).
    void closingTheWindowEndsTheRun()
    {
        open();
        QSignalSpy last(qApp, &QGuiApplication::lastWindowClosed);
        QTimer::singleShot(0, window.get(), [this] { window->close(); });
        // A run whose window does not end it would hang here: a watchdog ends it with another code.
        QTimer::singleShot(slow, qApp, [] { QCoreApplication::exit(7); });
        QCOMPARE(qApp->exec(), 0);
        QCOMPARE(last.count(), 1);
        QCOMPARE(AppSettings::shared().intValue("vt.windowWidth", 0), 1440);
    }
};

int main(int argc, char *argv[])
{
    vt::test::isolateUserFolders();
    // A full-HD screen, so the window opens at its own size.
    QTemporaryDir screens;
    QFile config(screens.filePath("screens.json"));
    if (config.open(QIODevice::WriteOnly))
        config.write(
            R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.close();
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toLocal8Bit());
    QApplication app(argc, argv);
    VeltraneBrowserApp::applyTheme(app);
    if (!FixtureSite::startShared())
        return 1;
    // The product's service, stood in for on this machine.
    FakeService service;
    if (!service.start())
        return 1;
    qputenv("VT_SERVER_URL", service.url().toString().toUtf8());
    WindowTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window.moc"
