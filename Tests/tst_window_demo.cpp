// The README's demo in the real window, on the demo's stand-in sites, answered in the real boxes
// with the mouse: what the window says it deletes is what goes on the stand-in site (and nothing
// of another post); a tile opened without a check leaves the panel saying whose results it shows;
// a post that cannot be opened says why in its tile and in Checks; a sign-out confirmed in its box
// holds on the stand-in; the agent setup box gives this instance's whole configuration. Runs in
// the language VT_LANG gives (English unless set; CTest runs it in Korean as well).
#include "Base/AppSettings.h"
#include "Base/Lang.h"
#include "Browser/AccountSession.h"
#include "Browser/Browser.h"
#include "DemoSite.h"
#include "FakeService.h"
#include "FixtureSite.h"
#include "PageTools.h"
#include "Panel/DeleteBar.h"
#include "Panel/PanelTab.h"
#include "Panel/ScanLog.h"
#include "Panel/SpamPanel.h"
#include "Panel/SpamPanelModel.h"
#include "Scan/AIPass.h"
#include "Scan/SpamModel.h"
#include "Settings/HistoryPaneModel.h"
#include "Settings/SettingsOpener.h"
#include "Settings/SettingsTab.h"
#include "Settings/SettingsWindow.h"
#include "Shell/AccountMenu.h"
#include "Shell/AgentSetupView.h"
#include "Shell/AppState.h"
#include "Shell/MainWindow.h"
#include "Shell/PostDock.h"
#include "Shell/PostDockActions.h"
#include "Shell/PostTile.h"
#include "Shell/SidebarSites.h"
#include "Shell/VeltraneBrowserApp.h"
#include "Shell/WindowAlerts.h"
#include "Shell/WorkspaceSidebar.h"
#include "Shell/WorkspaceView.h"
#include "Store/ScanStore.h"
#include "TestMain.h"
#include "Theme/HeaderButton.h"
#include "Theme/WorkspaceButton.h"
#include "WindowClicks.h"

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace vt::test;

namespace {

constexpr int kSlow = 240000;

QString postKey(const QUrl &url)
{
    const std::optional<ScanStore::PostKey> key = ScanStore::canonical(url.toString());
    return key ? key->url : QString();
}

// The real window over the real model, with the alerts the application installs.
struct Window {
    AppState state;
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(&state, &AppSettings::shared());
    WindowAlerts alerts{window.get()};

    Window()
    {
        Alerts::setShared(&alerts);
        window->resize(1440, 900);
        window->show();
    }
    ~Window()
    {
        Alerts::setShared(nullptr);
        window.reset();
    }
    SpamModel *model() { return state.spam(); }
    Browser *browser() { return state.browser(); }
    WorkspaceView *workspace() { return window->workspace(); }
    PostDock *dock() { return workspace()->dock(); }
    SpamPanel *panel() { return workspace()->panel(); }

    PostTile *tile(const QString &url)
    {
        for (PostTile *t : dock()->tiles())
            if (t->post().url == url)
                return t;
        return nullptr;
    }
    void clickTick(PostTile *t) { QTest::mouseClick(t, Qt::LeftButton, {}, PostTile::tickArea().center()); }
    // A click on the tile away from its tick: opens the post.
    void clickTile(PostTile *t) { QTest::mouseClick(t, Qt::LeftButton, {}, QPoint(t->width() / 2, t->height() - 12)); }

    // "Sign in to YouTube" under the browser, a name on the stand-in's sign-in page, Next.
    bool signIn()
    {
        WorkspaceButton *button = dock()->actionsArea()->signInButton();
        if (!QTest::qWaitFor([&] { return button->isVisible() && button->isEnabled(); }, kSlow))
            return false;
        QTest::mouseClick(button, Qt::LeftButton);
        if (!QTest::qWaitFor(
                [&] {
            return !browser()->isLoading()
                && evaluate(browser()->currentTab()->page(), "!!document.getElementById('form')").toBool();
                },
                kSlow))
            return false;
        evaluate(browser()->currentTab()->page(),
                 "document.getElementById('identifier').value='owner';document.getElementById('form').submit();");
        return QTest::qWaitFor(
            [&] {
            return SidebarSites::isSignedIn(browser()->accounts()->status(LoginProvider::youtube))
                && !browser()->isLoading() && !browser()->accounts()->isAuthenticating();
            },
            kSlow);
    }

    // "Load latest posts": the owner's posts arrive, ticked.
    bool loadPosts(int count)
    {
        WorkspaceButton *load = dock()->actionsArea()->loadButton();
        if (!QTest::qWaitFor([&] { return load && load->isVisible() && load->isEnabled(); }, kSlow))
            return false;
        QTest::mouseClick(load, Qt::LeftButton);
        return QTest::qWaitFor([&] { return !model()->jobs().findingPosts() && dock()->tiles().size() >= count; },
                               kSlow);
    }

    // "Deselect all", then the tick of this post alone, then "Check 1 for spam".
    bool checkOnly(const QString &url)
    {
        QTest::mouseClick(dock()->deselectAllButton(), Qt::LeftButton);
        PostTile *t = tile(url);
        if (!t)
            return false;
        clickTick(t);
        WorkspaceButton *scan = dock()->actionsArea()->scanButton();
        if (!QTest::qWaitFor([&] { return t->look().ticked && scan->isVisible() && scan->isEnabled(); }, kSlow))
            return false;
        if (scan->text() != (Lang::system() ? QStringLiteral("1개 스팸 검사") : QStringLiteral("Check 1 for spam")))
            return false;
        QTest::mouseClick(scan, Qt::LeftButton);
        return true;
    }
};

QAbstractButton *destructiveButton(QMessageBox *box)
{
    for (QAbstractButton *b : box->buttons())
        if (box->buttonRole(b) == QMessageBox::DestructiveRole)
            return b;
    return nullptr;
}

}   // namespace

class WindowDemoTest : public QObject {
    Q_OBJECT
    FakeService *m_service = nullptr;
    std::unique_ptr<DemoSite> m_demo;

private slots:
    void initTestCase()
    {
        m_service = new FakeService(this);
        QVERIFY(m_service->start());
        qputenv("VT_SERVER_URL", m_service->url().toString().toUtf8());
        qputenv("VT_START_URL", "https://www.youtube.com/");
    }

    // Each case on a fresh stand-in (every comment back) and a signed-out browser.
    void init()
    {
        FixtureSite::shared()->resetRoutes();
        m_demo = std::make_unique<DemoSite>();
        m_demo->install(*FixtureSite::shared());
        AppSettings::shared().remove(QStringLiteral("vt.aiConsent"));
        AppSettings::shared().remove(QStringLiteral("vt.aiOn"));
    }

    void cleanup()
    {
        AppSettings::shared().remove(QStringLiteral("vt.scanOnOpen"));
        // Signed out again for the next case (the cookies live in the shared profile).
        AppState state;
        if (SidebarSites::isSignedIn(state.browser()->accounts()->status(LoginProvider::youtube))) {
            state.browser()->accounts()->signOut(LoginProvider::youtube);
            QTRY_VERIFY_WITH_TIMEOUT(!state.browser()->accounts()->clearing(), kSlow);
        }
    }

    // The README's steps 1 to 4: the comments the window offers for deletion, and only those,
    // go on the stand-in site; the Short, which shows some of the same comments, keeps all its
    // own. Then a tile opened without a check: the panel says whose results it shows.
    void deletesWhatTheWindowSaid()
    {
        const QList<QUrl> posts = m_demo->youtubePosts();
        const QString curry = postKey(YouTubeFixture::watchUrl("vDemoMixed1"));
        Window w;
        QVERIFY(w.signIn());
        QVERIFY(w.loadPosts(int(posts.size())));
        QVERIFY(w.checkOnly(curry));

        // The first scan asks once about the AI check; the owner agrees.
        QMessageBox *box = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((box = shownQuestion()) != nullptr, kSlow);
        QCOMPARE(box->text(), AIPass::consentQuestion().title);
        QVERIFY(answerQuestion(box, AIPass::consentQuestion().buttons.at(0)));
        QTRY_VERIFY_WITH_TIMEOUT(!w.model()->jobs().working() && w.tile(curry) && w.tile(curry)->post().scannedAt,
                                 kSlow);

        // The panel lists the flagged comments, ticked; "Delete N" names what goes.
        DeleteBar *bar = w.panel()->deleteBar();
        QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible() && !bar->picks().isEmpty(), kSlow);
        QSet<QString> picked;
        for (const ScanStore::Record &r : bar->picks()) {
            QCOMPARE(r.post, curry);
            picked.insert(r.id);
        }
        QVERIFY(bar->deleteButton()->text().contains(QString::number(picked.size())));
        QTest::mouseClick(bar->deleteButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT((box = shownQuestion()) != nullptr, kSlow);
        QAbstractButton *yes = destructiveButton(box);
        QVERIFY(yes);
        QVERIFY(box->defaultButton() != yes);
        QTest::mouseClick(yes, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!w.model()->jobs().working() && !m_demo->youtube().deleted("vDemoMixed1").isEmpty(),
                                 kSlow);
        QTRY_VERIFY_WITH_TIMEOUT(!w.model()->jobs().working(), kSlow);

        // On the site: every picked comment, and nothing outside the picked threads; nothing of the Short.
        const QSet<QString> gone = m_demo->youtube().deleted("vDemoMixed1");
        for (const QString &id : picked)
            QVERIFY2(gone.contains(id), qPrintable(id + " still on the site"));
        for (const QString &id : gone)
            QVERIFY2(picked.contains(id.section(u'.', 0, 0)) || picked.contains(id),
                     qPrintable(id + " was not asked for"));
        QVERIFY(m_demo->youtube().deleted("sDemoShort1").isEmpty());
        // The status line under the tiles says it is done.
        QTRY_COMPARE_WITH_TIMEOUT(w.dock()->statusText(), w.model()->statusLine().text(), kSlow);
        QVERIFY2(w.dock()->statusText().contains(QString::number(picked.size())), qPrintable(w.dock()->statusText()));

        // Another post's tile opens that post unchecked: the panel names the post its results are from.
        const QString brunch = postKey(YouTubeFixture::watchUrl("vDemo300c01"));
        w.clickTile(w.tile(brunch));
        QTRY_COMPARE_WITH_TIMEOUT(postKey(QUrl(w.browser()->address())), brunch, kSlow);
        QTRY_VERIFY_WITH_TIMEOUT(!w.panel()->otherPostNotice().isEmpty(), kSlow);
        const QString notice = w.panel()->otherPostNotice();
        QVERIFY2(notice.contains(QStringLiteral("양파 카레 만들기")), qPrintable(notice));
        QVERIFY2(notice.contains(Lang::system() ? QStringLiteral("타일을 선택") : QStringLiteral("tick its tile")),
                 qPrintable(notice));
        QVERIFY(!w.model()->jobs().working());
        // Checked, the notice goes.
        QVERIFY(w.checkOnly(brunch));
        QTRY_VERIFY_WITH_TIMEOUT(!w.model()->jobs().working() && w.tile(brunch)->post().scannedAt, kSlow);
        QTRY_VERIFY_WITH_TIMEOUT(w.panel()->otherPostNotice().isEmpty(), kSlow);

        // Clearing that history asks in the same box as every other question; "Cancel" keeps it.
        w.workspace()->settings()->open(SettingsTab::history);
        QPointer<SettingsWindow> settings = w.workspace()->settings()->window();
        QVERIFY(settings);
        QTRY_VERIFY_WITH_TIMEOUT(settings->isVisible(), 60000);
        const QString clearText = Lang::system() ? QStringLiteral("지우기") : QStringLiteral("Clear");
        QPushButton *clear = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
            for (QPushButton *b : settings->findChildren<QPushButton *>())
                if (b->text() == clearText && b->isVisible() && b->isEnabled())
                    clear = b;
            return clear != nullptr;
            }(),
            60000);
        QString title, text;
        bool destructiveIsDefault = true, answered = false;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            QMessageBox *question = shownQuestion();
            if (!question)
                return;
            answer.stop();
            title = question->text();
            text = question->informativeText();
            QAbstractButton *danger = destructiveButton(question);
            destructiveIsDefault = !danger || question->defaultButton() == danger || question->escapeButton() == danger;
            answered = answerQuestion(question, Lang::system() ? QStringLiteral("취소") : QStringLiteral("Cancel"));
        });
        answer.start(100);
        QTest::mouseClick(clear, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(answered, kSlow);
        QCOMPARE(title, HistoryPaneModel::clearTitle());
        QCOMPARE(text, HistoryPaneModel::clearText(w.model()->history().stats().comments));
        QVERIFY(!destructiveIsDefault);
        QCOMPARE(w.model()->store()->comments(curry, 10).size(), 10);
        settings->close();
    }

    // A Short opened under the address of a video is served, as the real site serves it; a post
    // that cannot be opened says why, in its tile and in Checks.
    void failedPostSaysWhy()
    {
        AppSettings::shared().setValue(QStringLiteral("vt.scanOnOpen"), false);   // the address alone, no scan
        Window w;
        QVERIFY(w.signIn());
        w.browser()->open(YouTubeFixture::watchUrl("sDemoShort1").toString());
        QTRY_VERIFY_WITH_TIMEOUT(!w.browser()->isLoading() && w.browser()->error().isEmpty()
                                     && w.browser()->title().contains(QStringLiteral("계란말이")),
                                 kSlow);

        QVERIFY(w.loadPosts(int(m_demo->youtubePosts().size())));
        m_demo->youtube().video("vDemo2000c1")->unreachable = true;
        const QString post = postKey(YouTubeFixture::watchUrl("vDemo2000c1"));
        QVERIFY(w.checkOnly(post));
        QTRY_VERIFY_WITH_TIMEOUT(!w.model()->jobs().working()
                                     && w.tile(post)->post().state == ChannelPost::State::failed,
                                 kSlow);
        PostTile *tile = w.tile(post);
        const QString reason = tile->post().note;
        QVERIFY(!reason.isEmpty());
        QVERIFY2(tile->toolTip().contains(reason), qPrintable(tile->toolTip()));
        QVERIFY(tile->accessibleDescription().contains(reason));
        // Checks: the log's newest entry says it.
        QTRY_VERIFY_WITH_TIMEOUT(w.panel()->logButton()->isEnabled(), kSlow);
        // The failed run reaches the history a moment after the tile says so.
        QTRY_VERIFY2_WITH_TIMEOUT(!w.panel()->viewModel()->sessions().isEmpty()
                                      && w.panel()->viewModel()->sessions().last().summary().contains(reason),
                                  qPrintable(w.panel()->viewModel()->sessions().isEmpty()
                                                 ? QString()
                                                 : w.panel()->viewModel()->sessions().last().summary()),
                                  kSlow);
        QTest::mouseClick(w.panel()->logButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(w.panel()->log()->isVisible(), 60000);
        w.panel()->toggleLog();
    }

    // Signing out in the menu's box (the site named, "Sign out" never the default) holds: the
    // stand-in hands its cookies back only to a browser that signs in again.
    void signOutHolds()
    {
        AppSettings::shared().setValue(QStringLiteral("vt.scanOnOpen"), false);
        Window w;
        QVERIFY(w.signIn());
        const QUrl curry = YouTubeFixture::watchUrl("vDemoMixed1");
        w.browser()->open(curry.toString());
        QTRY_VERIFY_WITH_TIMEOUT(!w.browser()->isLoading() && postKey(QUrl(w.browser()->address())) == postKey(curry),
                                 kSlow);

        SidebarSites *sites = w.workspace()->sidebar()->sites();
        sites->showMenu();
        AccountMenu *menu = sites->menu();
        QVERIFY(menu);
        QAbstractButton *out = menu->findChild<QAbstractButton *>(LoginProvider(LoginProvider::youtube).rawValue() + "."
                                                                  + QString::number(int(AccountMenu::Action::signOut)));
        QVERIFY(out);
        QCOMPARE(out->text(), Lang::system() ? QStringLiteral("로그아웃") : QStringLiteral("Sign out"));
        QTest::mouseClick(out, Qt::LeftButton);
        QMessageBox *box = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((box = shownQuestion()) != nullptr, kSlow);
        QCOMPARE(box->text(), AccountMenu::confirmTitle(LoginProvider::youtube));
        QVERIFY(box->text().contains("YouTube"));
        QCOMPARE(box->informativeText(), AccountMenu::confirmMessage());
        QCOMPARE(box->windowTitle(), box->text());
        QAbstractButton *yes = destructiveButton(box);
        QVERIFY(yes);
        QCOMPARE(yes->text(), AccountMenu::actionTitle(AccountMenu::Action::signOut));
        QVERIFY(box->defaultButton() != yes);
        QVERIFY(box->escapeButton() != yes);
        QTest::mouseClick(yes, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(w.browser()->accounts()->status(LoginProvider::youtube), LoginStatus::signedOut,
                                  kSlow);
        QTRY_VERIFY_WITH_TIMEOUT(!w.browser()->accounts()->clearing(), kSlow);

        // The post again: still signed out, and the site refuses a deletion.
        w.browser()->open(curry.toString());
        QTRY_VERIFY_WITH_TIMEOUT(!w.browser()->isLoading() && postKey(QUrl(w.browser()->address())) == postKey(curry),
                                 kSlow);
        QTest::qWait(1500);   // time for a cookie the page might have handed back to arrive
        QCOMPARE(w.browser()->accounts()->status(LoginProvider::youtube), LoginStatus::signedOut);
        QVERIFY(!evaluate(w.browser()->currentTab()->page(), "window.ytcfg.get('LOGGED_IN')").toBool());
    }

    // The agent button in the sidebar: this instance's configuration whole (its data folder and
    // language for the bridge), clear of the post list, copied by its button.
    void agentSetupForThisInstance()
    {
        Window w;
        WorkspaceSidebar *sidebar = w.workspace()->sidebar();
        QTest::mouseClick(sidebar->agentButton(), Qt::LeftButton);
        AgentSetupView *setup = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((setup = sidebar->agentPopover()) && setup->isVisible(), kSlow);
        const QJsonObject server = QJsonDocument::fromJson(setup->shownConfig().toUtf8())
                                       .object()["mcpServers"]
                                       .toObject()["veltrane"]
                                       .toObject();
        QCOMPARE(server["command"].toString(), AgentSetupView::agentPath());
        const QJsonObject env = server["env"].toObject();
        QCOMPARE(env["XDG_DATA_HOME"].toString(),
                 QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
        QCOMPARE(env["VT_LANG"].toString(), Lang::system() ? QStringLiteral("ko") : QStringLiteral("en"));
        QTRY_VERIFY_WITH_TIMEOUT(setup->configShownWhole(), 60000);
        // Clear of the tiles under the browser.
        const QRect dock(w.dock()->mapToGlobal(QPoint(0, 0)), w.dock()->size());
        QVERIFY2(!QRect(setup->pos(), setup->size()).intersects(dock), "the setup box covers the post list");
        QString copied;
        setup->copyText = [&copied](const QString &text) {
            copied = text;
            return true;
        };
        QTest::mouseClick(setup->button(), Qt::LeftButton);
        QCOMPARE(copied, setup->shownConfig());
        QCOMPARE(setup->copyState(), AgentSetupView::CopyState::copied);
    }
};

int main(int argc, char *argv[])
{
    vt::test::isolateUserFolders();
    if (qEnvironmentVariableIsEmpty("VT_LANG"))
        qputenv("VT_LANG", "en");
    qputenv("VT_REDUCE_MOTION", "1");
    QApplication app(argc, argv);
    VeltraneBrowserApp::applyTheme(app);
    if (!FixtureSite::startShared())
        return 1;
    WindowDemoTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window_demo.moc"
