// The window's decisions without a window: theme, controls, layout and resizers, window frame,
// start-up values, site list, accounts menu, agent setup, browser pane and page menu, in both
// languages.
#include "Scan/AIPass.h"
#include "Browser/Browser.h"
#include "Shell/AccountMenu.h"
#include "Shell/AgentSetupView.h"
#include "Shell/AppState.h"
#include "Shell/BrowserPane.h"
#include "Theme/CheckGlyph.h"
#include "Theme/Design.h"
#include "Theme/HeaderButton.h"
#include "Theme/IconButton.h"
#include "Shell/MainWindow.h"
#include "Shell/PaneResizer.h"
#include "Theme/PlainText.h"
#include "Theme/RangeSlider.h"
#include "Theme/ServiceIcon.h"
#include "Shell/SidebarSites.h"
#include "Shell/VeltraneBrowserApp.h"
#include "Shell/WebViewHost.h"
#include "Scan/SpamModel.h"
#include "Shell/WindowAlerts.h"
#include "Theme/Avatar.h"
#include "Theme/Popover.h"
#include "Theme/WorkspaceButton.h"
#include "Shell/WorkspaceSidebar.h"
#include "Shell/WorkspaceView.h"
#include "LanguageScope.h"
#include "TestMain.h"

#include <QApplication>
#include <QClipboard>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QJsonArray>
#include <QTest>
#include <QTextDocument>

#include <optional>

Q_DECLARE_METATYPE(std::optional<QString>)
Q_DECLARE_METATYPE(LoginProvider)
Q_DECLARE_METATYPE(LoginStatus)
Q_DECLARE_METATYPE(Alerts::Question)

namespace {

bool near(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) <= 3 && qAbs(a.green() - b.green()) <= 3 && qAbs(a.blue() - b.blue()) <= 3;
}

}   // namespace

using Opt = std::optional<double>;
Q_DECLARE_METATYPE(Opt)

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    // --- theme ------------------------------------------------------------------------------

    void risk_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<QColor>("color");
        const QColor orange = QColor::fromRgb(224, 118, 47), amber = QColor::fromRgb(214, 172, 46),
                     grey = QColor::fromRgb(140, 140, 140);
        QTest::newRow("100") << 100 << Design::brand();
        QTest::newRow("above 100") << 130 << Design::brand();
        QTest::newRow("90") << 90 << Design::brand();
        QTest::newRow("89") << 89 << orange;
        QTest::newRow("70") << 70 << orange;
        QTest::newRow("69") << 69 << amber;
        QTest::newRow("50") << 50 << amber;
        QTest::newRow("49") << 49 << grey;
        QTest::newRow("0") << 0 << grey;
        QTest::newRow("negative") << -5 << grey;
    }
    void risk()
    {
        QFETCH(int, percent);
        QFETCH(QColor, color);
        QCOMPARE(Design::risk(percent), color);
    }

    void paletteAliases()
    {
        QCOMPARE(Design::accent(), Design::text());
        QCOMPARE(Design::danger(), Design::text());
        QCOMPARE(Design::warn(), Design::text());
        QCOMPARE(Design::onAccent(), Design::canvas());
        QCOMPARE(Design::accentSoft(), Design::elevated());
        QCOMPARE(Design::tint(), Design::muted());
        QCOMPARE(Design::success(), Design::secondary());
        QCOMPARE(Design::spamHit().rgb(), Design::brand().rgb());
        QCOMPARE(Design::spamHit().alphaF(), 0.9f);
        QCOMPARE(Design::canvas(), QColor(10, 10, 10));
        QCOMPARE(Design::signedIn(), QColor(0, 208, 255));
        QCOMPARE(Design::border().rgba(), QColor(255, 255, 255, qRound(0.08 * 255)).rgba());
    }

    void reduceMotion_data()
    {
        QTest::addColumn<QByteArray>("env");   // null: unset
        QTest::addColumn<QByteArray>("gtk");   // settings.ini contents; empty: no file
        QTest::addColumn<bool>("reduced");
        QTest::newRow("nothing set") << QByteArray() << QByteArray() << false;
        QTest::newRow("variable on") << QByteArray("1") << QByteArray() << true;
        QTest::newRow("variable off beats the desktop")
            << QByteArray("0") << QByteArray("[Settings]\ngtk-enable-animations=0\n") << false;
        QTest::newRow("desktop animations off")
            << QByteArray() << QByteArray("[Settings]\ngtk-enable-animations=false\n") << true;
        QTest::newRow("desktop animations on")
            << QByteArray() << QByteArray("[Settings]\ngtk-enable-animations=1\n") << false;
    }
    void reduceMotion()
    {
        QFETCH(QByteArray, env);
        QFETCH(QByteArray, gtk);
        QFETCH(bool, reduced);
        QTemporaryDir dir;
        QString path;
        if (!gtk.isEmpty()) {
            path = dir.filePath("settings.ini");
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(gtk);
        }
        QCOMPARE(Design::reduceMotion(env, path), reduced);
    }

    // --- shared controls ----------------------------------------------------------------------

    void workspaceButton_data()
    {
        QTest::addColumn<int>("flags");   // 1 prominent, 2 critical, 4 strong, 8 large
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("hovered");
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<bool>("reduce");
        QTest::addColumn<QColor>("label");
        QTest::addColumn<QColor>("fill");
        QTest::addColumn<bool>("border");
        QTest::addColumn<bool>("shadow");
        QTest::addColumn<double>("brightness");
        QTest::addColumn<double>("opacity");
        QTest::addColumn<double>("scale");
        QTest::newRow("critical wins over prominent, hovered")
            << 3 << true << true << false << false << Design::onBrand() << Design::brand() << false << true << 0.045
            << 1.0 << 1.0;
        QTest::newRow("prominent hovered darkens") << 1 << true << true << false << false << Design::onAccent()
                                                   << Design::accent() << false << true << -0.07 << 1.0 << 1.0;
        QTest::newRow("disabled filled: no shadow, no brightening")
            << 1 << false << true << true << false << Design::onAccent() << Design::accent() << false << false << 0.0
            << 0.4 << 1.0;
        QTest::newRow("pressed shrinks") << 1 << true << false << true << false << Design::onAccent()
                                         << Design::accent() << false << true << 0.0 << 0.76 << 0.97;
        QTest::newRow("pressed, reduced motion: dims only") << 1 << true << false << true << true << Design::onAccent()
                                                            << Design::accent() << false << true << 0.0 << 0.76 << 1.0;
        QTest::newRow("strong") << 4 << true << false << false << false << Design::text() << Design::surface() << true
                                << false << 0.0 << 1.0 << 1.0;
        QTest::newRow("strong hovered") << 4 << true << true << false << false << Design::text() << Design::elevated()
                                        << true << false << 0.0 << 1.0 << 1.0;
        QTest::newRow("quiet") << 0 << true << false << false << false << Design::secondary() << Design::card() << true
                               << false << 0.0 << 1.0 << 1.0;
        QTest::newRow("quiet hovered while disabled") << 0 << false << true << false << false << Design::secondary()
                                                      << Design::surface() << true << false << 0.0 << 0.4 << 1.0;
    }
    void workspaceButton()
    {
        QFETCH(int, flags);
        QFETCH(bool, enabled);
        QFETCH(bool, hovered);
        QFETCH(bool, pressed);
        QFETCH(bool, reduce);
        const WorkspaceButton::Flags f{bool(flags & 1), bool(flags & 2), bool(flags & 4), bool(flags & 8)};
        const WorkspaceButton::Look look = WorkspaceButton::look(f, enabled, hovered, pressed, reduce);
        QTEST(look.label, "label");
        QTEST(look.fill, "fill");
        QTEST(look.border.has_value(), "border");
        QTEST(look.shadow.has_value(), "shadow");
        QTEST(look.brightness, "brightness");
        QTEST(look.opacity, "opacity");
        QTEST(look.scale, "scale");
    }

    void buttonSizes()
    {
        const auto large = WorkspaceButton::look({.large = true}, true, false, false, false);
        QCOMPARE(large.fontSize, 15);
        QCOMPARE(large.radius, 12.0);
        QCOMPARE(large.minHeight, 50);
        const auto normal = WorkspaceButton::look({}, true, false, false, false);
        QCOMPARE(normal.fontSize, 13);
        QCOMPARE(normal.padding, 16);
        QCOMPARE(normal.minHeight, 40);
        QCOMPARE(WorkspaceButton::look({.strong = true}, true, true, false, false).border, Design::strongBorder());
        QCOMPARE(WorkspaceButton::look({}, true, true, false, false).border, Design::strongBorder());
    }

    void headerAndIconButtons()
    {
        // Lit when active, or hovered while enabled.
        QCOMPARE(HeaderButton::look(false, true, true, false, false).fill, Design::elevated());
        QCOMPARE(HeaderButton::look(false, false, true, false, false).fill, Design::surface());
        QCOMPARE(HeaderButton::look(true, false, false, false, false).label, Design::text());
        QCOMPARE(HeaderButton::look(false, false, false, false, false).opacity, 0.35);
        QCOMPARE(HeaderButton::look(false, true, false, true, false).opacity, 0.7);
        QCOMPARE(HeaderButton::look(false, true, false, true, true).scale, 1.0);
        QCOMPARE(HeaderButton::look(false, true, false, true, false).scale, 0.97);
        const IconButton::Look activeHovered = IconButton::look(true, true, true);
        QCOMPARE(activeHovered.fill, std::optional<QColor>(Design::accentSoft()));
        QCOMPARE(activeHovered.symbol, Design::accent());
        QCOMPARE(IconButton::look(false, true, true).fill, std::optional<QColor>(Design::surface()));
        QCOMPARE(IconButton::look(false, false, true).fill, std::nullopt);
        QCOMPARE(IconButton::look(false, false, true).symbol, Design::secondary());
        QCOMPARE(IconButton::look(false, false, false).opacity, 0.3);
        QCOMPARE(CheckGlyph::symbol(CheckGlyph::State::mixed), QString("minus.square.fill"));
        QCOMPARE(CheckGlyph::color(CheckGlyph::State::mixed), Design::accent());
        QCOMPARE(CheckGlyph::color(CheckGlyph::State::off), Design::muted());
    }

    void rangeSliderClicks_data()
    {
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::addColumn<double>("at");   // value under the click
        QTest::addColumn<double>("newLower");
        QTest::addColumn<double>("newUpper");
        QTest::newRow("50 moves the upper thumb") << 20.0 << 80.0 << 50.0 << 20.0 << 50.0;
        QTest::newRow("30 moves the lower thumb") << 20.0 << 80.0 << 30.0 << 30.0 << 80.0;
        QTest::newRow("left of the track: lower to 0") << 20.0 << 80.0 << -20.0 << 0.0 << 80.0;
        QTest::newRow("both at 40, click at 40: nothing") << 40.0 << 40.0 << 40.0 << 40.0 << 40.0;
        QTest::newRow("both at 40, right: upper") << 40.0 << 40.0 << 45.0 << 40.0 << 45.0;
        QTest::newRow("both at 40, left: lower") << 40.0 << 40.0 << 35.0 << 35.0 << 40.0;
    }
    void rangeSliderClicks()
    {
        QFETCH(double, lower);
        QFETCH(double, upper);
        QFETCH(double, at);
        const double width = 218;   // track 200: a value v sits at 9 + 2v
        const double v = RangeSlider::valueAt(9 + 2 * at, 0, 100, width);
        const std::optional<bool> raising = RangeSlider::choose(v, lower, upper);
        if (raising)
            RangeSlider::step(v, *raising, lower, upper);
        QTEST(lower, "newLower");
        QTEST(upper, "newUpper");
    }

    void rangeSliderGeometry()
    {
        // 49.5 rounds to 50, 49.4 to 49 (track 100 from 9: px = 9 + v).
        QCOMPARE(RangeSlider::valueAt(9 + 49.5, 0, 100, 118), 50.0);
        QCOMPARE(RangeSlider::valueAt(9 + 49.4, 0, 100, 118), 49.0);
        // Narrower than 19 points: the track is 1 long; equal bounds: span 1, every thumb at 0.
        QCOMPARE(RangeSlider::trackLength(10), 1.0);
        QCOMPARE(RangeSlider::position(70, 50, 50, 300), 0.0);
        // The lower thumb dragged past the upper one stops there.
        double lower = 20, upper = 60;
        RangeSlider::step(90, false, lower, upper);
        QCOMPARE(lower, 60.0);
        QCOMPARE(RangeSlider::accessibleValue(20.7, 80.2), QString("20%–80%"));
    }

    void serviceIcons()
    {
        const auto yt = ServiceIcon::geometry(LoginProvider::youtube, 20);
        QCOMPARE(yt[0].rect, QRectF(0, 3, 20, 14));
        QCOMPARE(yt[0].radius, 4.4);
        QCOMPARE(yt[1].rect.size(), QSizeF(6, 6.8));
        QCOMPARE(yt[1].rect.center(), QPointF(10.6, 10));
        const auto ig = ServiceIcon::geometry(LoginProvider::instagram, 20);
        QCOMPARE(ig[0].rect, QRectF(1.2, 1.2, 17.6, 17.6));
        QCOMPARE(ig[0].radius, 5.4);
        QCOMPARE(ig[0].lineWidth, 1.7);
        QCOMPARE(ig[1].rect.size(), QSizeF(8, 8));
        QCOMPARE(ig[1].lineWidth, 1.6);
        QCOMPARE(ig[2].rect.size(), QSizeF(1.8, 1.8));
        QCOMPARE(ig[2].rect.center(), QPointF(14, 6));   // 4 right of and 4 above the centre
    }

    // --- layout ------------------------------------------------------------------------------

    void workspaceGeometry_data()
    {
        QTest::addColumn<QSizeF>("window");
        QTest::addColumn<double>("storedMenu");
        QTest::addColumn<double>("storedPanel");
        QTest::addColumn<double>("storedDock");
        QTest::addColumn<double>("sidebar");
        QTest::addColumn<double>("panel");   // shown width with its trailing padding
        QTest::addColumn<double>("limit");
        QTest::addColumn<double>("browser");
        QTest::addColumn<double>("dock");
        QTest::newRow("defaults") << QSizeF(1440, 900) << 220.0 << 460.0 << 300.0 << 220.0 << 460.0 << 720.0 << 575.0
                                  << 300.0;
        QTest::newRow("narrow sidebar stored")
            << QSizeF(1440, 900) << 150.0 << 460.0 << 300.0 << 200.0 << 460.0 << 740.0 << 575.0 << 300.0;
        QTest::newRow("wide sidebar stored")
            << QSizeF(1440, 900) << 400.0 << 460.0 << 300.0 << 300.0 << 460.0 << 640.0 << 575.0 << 300.0;
        QTest::newRow("area 1000 wide, panel 900 stored")
            << QSizeF(1220, 600) << 220.0 << 900.0 << 300.0 << 220.0 << 500.0 << 500.0 << 285.0 << 290.0;
        QTest::newRow("area 850 wide") << QSizeF(1070, 900) << 220.0 << 460.0 << 300.0 << 220.0 << 380.0 << 380.0
                                       << 575.0 << 300.0;
        QTest::newRow("panel below 380 stored")
            << QSizeF(1440, 900) << 220.0 << 100.0 << 300.0 << 220.0 << 380.0 << 720.0 << 575.0 << 300.0;
        // The post list's stored height is shown within the page's and its own minimums.
        QTest::newRow("smallest window") << QSizeF(1280, 720) << 220.0 << 460.0 << 300.0 << 220.0 << 460.0 << 560.0
                                         << 395.0 << 300.0;
        QTest::newRow("dock too tall for the page")
            << QSizeF(1280, 720) << 220.0 << 460.0 << 600.0 << 220.0 << 460.0 << 560.0 << 360.0 << 335.0;
        QTest::newRow("dock below its minimum")
            << QSizeF(1280, 720) << 220.0 << 460.0 << 50.0 << 220.0 << 460.0 << 560.0 << 405.0 << 290.0;
        QTest::newRow("full HD keeps the stored dock")
            << QSizeF(1920, 1080) << 220.0 << 460.0 << 600.0 << 220.0 << 460.0 << 1200.0 << 455.0 << 600.0;
    }
    void workspaceGeometry()
    {
        QFETCH(QSizeF, window);
        QFETCH(double, storedMenu);
        QFETCH(double, storedPanel);
        QFETCH(double, storedDock);
        const WorkspaceView::Geometry g = WorkspaceView::layout(window, storedMenu, storedPanel, storedDock);
        QTEST(g.sidebar.width(), "sidebar");
        QTEST(g.panel.width() + 12, "panel");
        QTEST(g.panelLimit, "limit");
        QTEST(g.browserHeight, "browser");
        QTEST(g.dockHeight, "dock");
        QCOMPARE(g.browserHeight + 1 + g.dockHeight, g.card.height());
        // The card fills what the panel leaves, inside 12 points of padding; the handles cover the gutters.
        QCOMPARE(g.card.left(), g.sidebar.right() + 12);
        QCOMPARE(g.leadingResizer, QRectF(g.sidebar.right(), 0, 12, window.height()));
        QCOMPARE(g.trailingResizer.left(), g.card.right());
        QCOMPARE(g.trailingResizer.right(), g.panel.left());
        QCOMPARE(g.panel.right() + 12, window.width());
    }

    void resizerDrag_data()
    {
        QTest::addColumn<double>("shown");
        QTest::addColumn<double>("translation");
        QTest::addColumn<bool>("growsLeft");
        QTest::addColumn<double>("upper");
        QTest::addColumn<double>("stored");
        // Sidebar: range 200...300, starts from the shown width.
        QTest::newRow("150 stored shows 200, +10 stores 210") << 200.0 << 10.0 << false << 300.0 << 210.0;
        QTest::newRow("400 stored shows 300, -30 stores 270") << 300.0 << -30.0 << false << 300.0 << 270.0;
        QTest::newRow("far right stores 300") << 220.0 << 900.0 << false << 300.0 << 300.0;
        QTest::newRow("far left stores 200") << 220.0 << -900.0 << false << 300.0 << 200.0;
        // Panel: grows to the left, range 380...limit.
        QTest::newRow("panel 40 left from 460") << 460.0 << -40.0 << true << 720.0 << 500.0;
        QTest::newRow("panel held by its limit") << 460.0 << -400.0 << true << 500.0 << 500.0;
        QTest::newRow("narrow window: only 380") << 380.0 << -50.0 << true << 380.0 << 380.0;
    }
    void resizerDrag()
    {
        QFETCH(double, shown);
        QFETCH(double, translation);
        QFETCH(bool, growsLeft);
        QFETCH(double, upper);
        const double lower = growsLeft ? 380 : 200;
        QTEST(PaneResizer::dragged(shown, translation, growsLeft, {lower, upper}), "stored");
    }

    void locks_data()
    {
        QTest::addColumn<bool>("working");
        QTest::addColumn<bool>("clearing");
        QTest::addColumn<bool>("authenticating");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("dock");
        QTest::newRow("idle") << false << false << false << false << false;
        QTest::newRow("model works: sidebar and pane, not the dock") << true << false << false << true << false;
        QTest::newRow("sign-out clears a site") << false << true << true << true << true;
        QTest::newRow("sign-in in progress: dock only") << false << false << true << false << true;
    }
    void locks()
    {
        QFETCH(bool, working);
        QFETCH(bool, clearing);
        QFETCH(bool, authenticating);
        QTEST(WorkspaceView::locked(working, clearing), "locked");
        QTEST(WorkspaceView::dockLocked(clearing, authenticating), "dock");
    }

    void windowFrame_data()
    {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<QSize>("stored");   // invalid: none
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("minimum");
        QTest::newRow("large screen") << QSize(2560, 1400) << QSize() << QSize(1440, 900) << QSize(1200, 720);
        QTest::newRow("1400 x 900 screen with a panel")
            << QSize(1400, 868) << QSize() << QSize(1400, 868) << QSize(1200, 720);
        QTest::newRow("kept size") << QSize(2560, 1400) << QSize(1700, 1000) << QSize(1700, 1000) << QSize(1200, 720);
        QTest::newRow("kept size larger than this screen")
            << QSize(1600, 900) << QSize(2400, 1300) << QSize(1600, 900) << QSize(1200, 720);
        QTest::newRow("kept size below the minimum")
            << QSize(2560, 1400) << QSize(600, 400) << QSize(1200, 720) << QSize(1200, 720);
        QTest::newRow("screen smaller than the minimum")
            << QSize(1024, 600) << QSize() << QSize(1024, 600) << QSize(1024, 600);
    }
    void windowFrame()
    {
        QFETCH(QSize, available);
        QFETCH(QSize, stored);
        const MainWindow::Frame f = MainWindow::frame(available,
                                                      stored.isValid() ? std::optional<QSize>(stored) : std::nullopt);
        QTEST(f.size, "size");
        QTEST(f.minimum, "minimum");
    }

    // --- start-up ----------------------------------------------------------------------------

    void sandboxSwitch_data()
    {
        QTest::addColumn<int>("euid");
        QTest::addColumn<QByteArray>("env");
        QTest::addColumn<bool>("needed");
        QTest::newRow("root") << 0 << QByteArray() << true;
        QTest::newRow("root, already off") << 0 << QByteArray("1") << false;
        QTest::newRow("root, set to 0") << 0 << QByteArray("0") << true;
        QTest::newRow("user") << 1000 << QByteArray() << false;
    }
    void sandboxSwitch()
    {
        QFETCH(int, euid);
        QFETCH(QByteArray, env);
        QTEST(VeltraneBrowserApp::needsSandboxSwitch(uid_t(euid), env), "needed");
    }

    // The engine's log stays quiet unless the user asked for logging in the flags.
    void chromiumFlags_data()
    {
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QByteArray>("started");
        QTest::newRow("none") << QByteArray() << QByteArray("--log-level=3");
        QTest::newRow("blank") << QByteArray("  ") << QByteArray("--log-level=3");
        QTest::newRow("other flags kept")
            << QByteArray("--host-resolver-rules=\"MAP * ~NOTFOUND\" --ignore-certificate-errors")
            << QByteArray("--host-resolver-rules=\"MAP * ~NOTFOUND\" --ignore-certificate-errors --log-level=3");
        QTest::newRow("own log level") << QByteArray("--log-level=0") << QByteArray("--log-level=0");
        QTest::newRow("logging on") << QByteArray("--enable-logging --v=1") << QByteArray("--enable-logging --v=1");
        QTest::newRow("verbose module") << QByteArray("--ignore-gpu-blocklist --vmodule=*=2")
                                        << QByteArray("--ignore-gpu-blocklist --vmodule=*=2");
        QTest::newRow("a flag that only starts alike")
            << QByteArray("--verbose-mode") << QByteArray("--verbose-mode --log-level=3");
    }
    void chromiumFlags()
    {
        QFETCH(QByteArray, user);
        QTEST(VeltraneBrowserApp::quietChromiumFlags(user), "started");
    }

    void debugSwitch_data()
    {
        QTest::addColumn<QByteArray>("env");
        QTest::addColumn<bool>("debug");
        QTest::newRow("unset") << QByteArray() << false;
        QTest::newRow("1") << QByteArray("1") << true;
        QTest::newRow("0") << QByteArray("0") << false;
        QTest::newRow("yes is not 1") << QByteArray("yes") << false;
    }
    void debugSwitch()
    {
        QFETCH(QByteArray, env);
        QTEST(VeltraneBrowserApp::debugOutput(env), "debug");
    }

    // --- sidebar ------------------------------------------------------------------------------

    void siteRows_data()
    {
        QTest::addColumn<LoginStatus>("status");
        QTest::addColumn<bool>("korean");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("accessible");
        const QString badge = "person.crop.circle.fill.badge.checkmark", plain = "person.crop.circle";
        QTest::newRow("saved session counts as signed in")
            << LoginStatus(LoginStatus::savedSession) << false << "" << badge << "YouTube, Signed in";
        QTest::newRow("signed in, ko") << LoginStatus(LoginStatus::signedIn) << true << "" << badge
                                       << "YouTube, 로그인됨";
        QTest::newRow("signed out") << LoginStatus(LoginStatus::signedOut) << false << "Sign-in needed" << plain
                                    << "YouTube, Sign-in needed";
        QTest::newRow("signed out, ko") << LoginStatus(LoginStatus::signedOut) << true << "로그인 필요" << plain
                                        << "YouTube, 로그인 필요";
        QTest::newRow("blocked") << LoginStatus(LoginStatus::blocked) << false << "In-app sign-in restricted" << plain
                                 << "YouTube, In-app sign-in restricted";
        QTest::newRow("blocked, ko") << LoginStatus(LoginStatus::blocked) << true << "앱 내 로그인 제한" << plain
                                     << "YouTube, 앱 내 로그인 제한";
        QTest::newRow("not checked") << LoginStatus(LoginStatus::unknown) << false << "Not checked yet" << plain
                                     << "YouTube, Not checked yet";
        QTest::newRow("signing in, ko") << LoginStatus(LoginStatus::signingIn) << true << "로그인 진행 중" << plain
                                        << "YouTube, 로그인 진행 중";
    }
    void siteRows()
    {
        QFETCH(LoginStatus, status);
        QFETCH(bool, korean);
        LanguageScope language(korean);
        QTEST(SidebarSites::stateText(status), "state");
        QTEST(SidebarSites::accountSymbol(status), "symbol");
        QTEST(SidebarSites::accessibleLabel(LoginProvider::youtube, status), "accessible");
        const bool in = SidebarSites::isSignedIn(status);
        QCOMPARE(SidebarSites::accountColor(status, true), in ? Design::signedIn() : Design::accent());
        QCOMPARE(SidebarSites::accountColor(status, false), in ? Design::signedIn() : Design::muted());
    }

    void sidebarTexts()
    {
        QCOMPARE(inLanguage(false, [&] { return SidebarSites::accountTooltip(LoginProvider::instagram); }),
                 QString("Instagram sign-in and sign-out"));
        QCOMPARE(inLanguage(true, [&] { return SidebarSites::accountTooltip(LoginProvider::instagram); }),
                 QString("Instagram 로그인·로그아웃"));
        QCOMPARE(inLanguage(true, [&] { return SidebarSites::accountAccessible(LoginProvider::youtube); }),
                 QString("YouTube 계정"));
        QCOMPARE(inLanguage(false, [&] { return WorkspaceSidebar::caption(); }), QString("CHANNELS"));
        QCOMPARE(inLanguage(true, [&] { return WorkspaceSidebar::caption(); }), QString("내 채널"));
    }

    void accountRow_data()
    {
        QTest::addColumn<bool>("token");
        QTest::addColumn<bool>("device");
        QTest::addColumn<bool>("korean");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("subtitle");
        QTest::newRow("signed in") << true << false << false << "checkmark.seal"
                                   << "AI check"
                                   << "Manage account";
        QTest::newRow("signed in, ko") << true << true << true << "checkmark.seal"
                                       << "AI 검사"
                                       << "계정 관리";
        QTest::newRow("device accounts") << false << true << false << "sparkles"
                                         << "AI check"
                                         << "Get started";
        QTest::newRow("no device accounts") << false << false << false << "sparkles"
                                            << "Sign in"
                                            << "Get started";
        QTest::newRow("no device accounts, ko") << false << false << true << "sparkles"
                                                << "로그인"
                                                << "시작하기";
    }
    void accountRow()
    {
        QFETCH(bool, token);
        QFETCH(bool, device);
        QFETCH(bool, korean);
        LanguageScope language(korean);
        const WorkspaceSidebar::AccountRow row = WorkspaceSidebar::accountRow(token, device);
        QTEST(row.symbol, "symbol");
        QTEST(row.title, "title");
        QTEST(row.subtitle, "subtitle");
    }

    // A picture's placeholder: the first letter of the name past the "@" of a handle, upper-cased.
    void avatarInitials_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("initial");
        QTest::newRow("handle") << "@quickcash"
                                << "Q";
        QTest::newRow("handle with spaces") << "  @@mina_k "
                                            << "M";
        QTest::newRow("plain name") << "angry_guy"
                                    << "A";
        QTest::newRow("Korean") << "@김민지"
                                << "김";
        QTest::newRow("digits") << "@1stviewer"
                                << "1";
        QTest::newRow("punctuation first") << "_(ツ)_"
                                           << "ツ";
        QTest::newRow("letter beyond the basic plane")
            << QString::fromUtf8("@\U0001D49Cbc") << QString::fromUtf8("\U0001D49C");
        QTest::newRow("only the sign") << "@"
                                       << "?";
        QTest::newRow("empty") << ""
                               << "?";
        QTest::newRow("emoji only") << QString::fromUtf8("\U0001F389") << "?";
    }
    void avatarInitials()
    {
        QFETCH(QString, name);
        QTEST(Avatar::initial(name), "initial");
        // One author keeps one colour, and the letter stays readable on it.
        QCOMPARE(Avatar::colour(name), Avatar::colour(name));
        QVERIFY(Avatar::colour(name).lightness() < 140);
    }
    void avatarColoursDiffer()
    {
        QSet<QRgb> colours;
        for (const char *name : {"@quickcash", "@mina", "angry_guy", "promo4u", "@viewer", "Cash Coach"})
            colours.insert(Avatar::colour(QString::fromUtf8(name)).rgb());
        QVERIFY(colours.size() >= 3);
    }

    // The owner's questions as the theme draws them, in both languages: the dark panel, the
    // destructive answer in the brand red and the others plain beside it; without one, the
    // default answer filled with the accent.
    void questionBoxes_data()
    {
        QTest::addColumn<Alerts::Question>("question");
        for (bool korean : {false, true}) {
            const QString lang = korean ? " ko" : " en";
            QTest::newRow(qPrintable("AI consent" + lang))
                << inLanguage(korean, [] { return AIPass::consentQuestion(); });
            QTest::newRow(qPrintable("deletion" + lang)) << inLanguage(korean, [] { return RemovalJob::question(30); });
        }
    }
    void questionBoxes()
    {
        QFETCH(Alerts::Question, question);
        QWidget host;
        host.resize(640, 360);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        WindowAlerts alerts(&host);
        QCoro::Task<int> answer = alerts.ask(question);
        QMessageBox *box = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((box = host.findChild<QMessageBox *>()) && box->isVisible(), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(!box->buttons().first()->property("alertKind").toString().isEmpty(), 30000);
        const QImage shot = box->grab().toImage();
        QVERIFY(near(shot.pixelColor(2, 2), Design::panel()));
        QAbstractButton *safe = nullptr;
        for (QAbstractButton *b : box->buttons()) {
            const int index = int(question.buttons.indexOf(b->text().remove(u'&')));
            QVERIFY2(index >= 0, qPrintable(b->text()));
            const QString kind = index == question.destructive ? "danger"
                : question.destructive < 0 && index == 0       ? "primary"
                                                               : "plain";
            QCOMPARE(b->property("alertKind").toString(), kind);
            const QPoint at = b->mapTo(box, QPoint(b->width() / 2, 3));
            const QColor fill = kind == "danger" ? Design::brand()
                : kind == "primary"              ? Design::accent()
                                                 : Design::card();
            QVERIFY2(near(shot.pixelColor(at), fill), qPrintable(b->text() + ": " + shot.pixelColor(at).name()));
            if (index != question.destructive)
                safe = b;
        }
        QVERIFY(safe);
        QPointer<QMessageBox> open = box;
        safe->click();
        QTRY_VERIFY_WITH_TIMEOUT(!open || !open->isVisible(), 30000);
    }

    // A pop-up has no frame of the window manager: it draws its own edge around the panel colour.
    void popoverEdge()
    {
        Popover popover(nullptr, Qt::Widget);
        popover.resize(200, 120);
        const QImage shot = popover.grab().toImage();
        QVERIFY(near(shot.pixelColor(100, 60), Design::panel()));
        for (const QPoint &edge : {QPoint(0, 60), QPoint(199, 60), QPoint(100, 0), QPoint(100, 119)})
            QVERIFY2(shot.pixelColor(edge).lightness() > Design::panel().lightness() + 20,
                     qPrintable(shot.pixelColor(edge).name()));
    }

    void accountMenuRows_data()
    {
        QTest::addColumn<LoginStatus>("status");
        QTest::addColumn<bool>("working");
        QTest::addColumn<bool>("clearing");
        QTest::addColumn<bool>("korean");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("signed in") << LoginStatus(LoginStatus::signedIn) << false << false << false
                                   << QStringList{"Open", "Sign out"} << true;
        QTest::newRow("saved session, ko") << LoginStatus(LoginStatus::savedSession) << false << false << true
                                           << QStringList{"열기", "로그아웃"} << true;
        QTest::newRow("not checked") << LoginStatus(LoginStatus::unknown) << false << false << false
                                     << QStringList{"Sign in"} << true;
        QTest::newRow("signed out, ko") << LoginStatus(LoginStatus::signedOut) << false << false << true
                                        << QStringList{"로그인"} << true;
        QTest::newRow("model working") << LoginStatus(LoginStatus::signedIn) << true << false << false
                                       << QStringList{"Open", "Sign out"} << false;
        QTest::newRow("a site being cleared")
            << LoginStatus(LoginStatus::signedOut) << false << true << false << QStringList{"Sign in"} << false;
    }
    void accountMenuRows()
    {
        QFETCH(LoginStatus, status);
        QFETCH(bool, working);
        QFETCH(bool, clearing);
        QFETCH(bool, korean);
        LanguageScope language(korean);
        const AccountMenu::Row row = AccountMenu::row(LoginProvider::instagram, status, working, clearing);
        QStringList titles;
        for (AccountMenu::Action a : row.actions)
            titles << AccountMenu::actionTitle(a);
        QTEST(titles, "buttons");
        QTEST(row.enabled, "enabled");
        QCOMPARE(row.name, QString("Instagram"));
        QCOMPARE(row.label, status.label());
    }

    void accountMenuTexts()
    {
        QCOMPARE(inLanguage(false, [&] { return AccountMenu::note(); }),
                 QString("Your YouTube and Instagram sign-ins are kept in Glimora on this computer."));
        QCOMPARE(inLanguage(true, [&] { return AccountMenu::note(); }),
                 QString("YouTube와 Instagram 로그인 정보는 이 컴퓨터의 Glimora에 유지됩니다."));
        QCOMPARE(inLanguage(false, [&] { return AccountMenu::confirmTitle(LoginProvider::youtube); }),
                 QString("Sign out of YouTube?"));
        QCOMPARE(inLanguage(true, [&] { return AccountMenu::confirmTitle(LoginProvider::instagram); }),
                 QString("Instagram에서 로그아웃할까요?"));
        QCOMPARE(inLanguage(false, [&] { return AccountMenu::confirmTitle(std::nullopt); }),
                 QString("Sign out of this site?"));
        QCOMPARE(inLanguage(true, [&] { return AccountMenu::confirmTitle(std::nullopt); }),
                 QString("사이트에서 로그아웃할까요?"));
        QCOMPARE(
            inLanguage(false, [&] { return AccountMenu::confirmMessage(); }),
            QString(
                "This removes the sign-in and site data Glimora stored for this service. Sign-ins in other browsers are not affected."));
        QCOMPARE(
            inLanguage(true, [&] { return AccountMenu::confirmMessage(); }),
            QString(
                "Glimora에 저장된 이 서비스의 로그인 정보와 사이트 데이터를 삭제합니다. 다른 브라우저의 로그인은 유지됩니다."));
        QCOMPARE(inLanguage(true, [&] { return AccountMenu::title(); }), QString("사이트 계정"));
        QCOMPARE(inLanguage(false, [&] { return AccountMenu::subtitle(); }), QString("Sign in to your channels"));
    }

    // --- agent setup -----------------------------------------------------------------------------

    void agentConfig_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("dataHome");   // "" for no environment
        QTest::newRow("plain") << "/usr/lib/veltrane/veltrane-agent"
                               << "";
        QTest::newRow("spaces and letters") << "/home/김 철수/My Apps/veltrane-agent"
                                            << "/home/김 철수/.local/share";
        QTest::newRow("quote and backslash") << "/opt/a\"b\\c/veltrane-agent"
                                             << "/srv/x\"y\\z/demo/data";
    }
    void agentConfig()
    {
        QFETCH(QString, command);
        QFETCH(QString, dataHome);
        QList<std::pair<QString, QString>> env;
        if (!dataHome.isEmpty())
            env = {{"XDG_DATA_HOME", dataHome}, {"VT_LANG", "ko"}};
        const QString text = AgentSetupView::config(command, env);
        QJsonParseError error;
        const QJsonObject server =
            QJsonDocument::fromJson(text.toUtf8(), &error).object()["mcpServers"].toObject()["veltrane"].toObject();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(server["command"].toString(), command);
        QCOMPARE(server["args"].toArray(), QJsonArray{"mcp"});
        QVERIFY(text.indexOf("\"args\"") < text.indexOf("\"command\""));
        QVERIFY(!text.contains("\\/"));
        if (!command.contains('"'))
            QVERIFY(text.contains(command));   // the path literally, slashes and all
        QVERIFY(text.contains("\n      \"command\" : \""));
        if (dataHome.isEmpty()) {
            QVERIFY(!server.contains("env"));
        } else {
            QCOMPARE(server["env"].toObject(), (QJsonObject{{"XDG_DATA_HOME", dataHome}, {"VT_LANG", "ko"}}));
            QVERIFY(text.indexOf("\"command\"") < text.indexOf("\"env\""));
            QVERIFY(text.indexOf("\"VT_LANG\"") < text.indexOf("\"XDG_DATA_HOME\""));   // sorted
        }
    }

    void agentTexts()
    {
        QCOMPARE(inLanguage(false, [&] { return AgentSetupView::buttonTitle(AgentSetupView::CopyState::ready); }),
                 QString("Copy settings"));
        QCOMPARE(inLanguage(true, [&] { return AgentSetupView::buttonTitle(AgentSetupView::CopyState::copied); }),
                 QString("복사됨"));
        QCOMPARE(inLanguage(true, [&] { return AgentSetupView::title(); }), QString("AI 에이전트 연결"));
        QCOMPARE(inLanguage(false, [&] { return AgentSetupView::note(); }),
                 QString("Deleting is always confirmed in the app."));
        QVERIFY(AgentSetupView::agentPath().endsWith("/veltrane-agent"));
        QVERIFY(QDir::isAbsolutePath(AgentSetupView::agentPath()));
    }

    // The copy never wipes what the clipboard held, and says so only when it copied.
    void agentCopy()
    {
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->setText("kept");
        QVERIFY(!AgentSetupView::copy(clipboard, QString()));
        QCOMPARE(clipboard->text(), QString("kept"));
        const QString config = AgentSetupView::config("/x/veltrane-agent");
        QVERIFY(AgentSetupView::copy(clipboard, config));
        QCOMPARE(clipboard->text(), config);
        QVERIFY(!AgentSetupView::copy(nullptr, config));

        AgentSetupView view(nullptr, Qt::Widget);
        view.copyConfig();
        QCOMPARE(view.copyState(), AgentSetupView::CopyState::copied);
        QCOMPARE(clipboard->text(), view.shownConfig());
        QCOMPARE(clipboard->mimeData()->formats(), QStringList{"text/plain"});
        // A clipboard that does not take the text: the button says so.
        AgentSetupView refused(nullptr, Qt::Widget);
        refused.copyText = [](const QString &) { return false; };
        refused.copyConfig();
        QCOMPARE(refused.copyState(), AgentSetupView::CopyState::failed);
    }

    // --- browser pane --------------------------------------------------------------------------

    void toolbar_data()
    {
        QTest::addColumn<bool>("loading");
        QTest::addColumn<bool>("back");
        QTest::addColumn<bool>("muted");
        QTest::addColumn<bool>("blocked");
        QTest::addColumn<bool>("working");
        QTest::addColumn<bool>("korean");
        QTest::addColumn<QStringList>("icons");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QList<bool>>("enabled");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("idle, no history")
            << false << false << true << true << false << false
            << QStringList{"chevron.left", "chevron.right", "arrow.clockwise", "speaker.slash.fill", "play.slash.fill"}
            << QStringList{"Back", "Forward", "Reload", "Unmute browser", "Allow autoplay"}
            << QList<bool>{false, false, true, true, true} << QStringList{"", "", "", "Muted", "Autoplay off"};
        QTest::newRow("loading, ko") << true << true << false << false << false << true
                                     << QStringList{"chevron.left", "chevron.right", "xmark", "speaker.wave.2", "play"}
                                     << QStringList{"뒤로", "앞으로", "불러오기 중지", "브라우저 음소거",
                                                    "자동 재생 끄기"}
                                     << QList<bool>{true, false, true, true, true}
                                     << QStringList{"", "", "", "음소거 꺼짐", "자동 재생 켜짐"};
        QTest::newRow("working: toggles stay")
            << false << true << false << true << true << false
            << QStringList{"chevron.left", "chevron.right", "arrow.clockwise", "speaker.wave.2", "play.slash.fill"}
            << QStringList{"Back", "Forward", "Reload", "Mute browser", "Allow autoplay"}
            << QList<bool>{false, false, false, true, true} << QStringList{"", "", "", "Unmuted", "Autoplay off"};
    }
    void toolbar()
    {
        QFETCH(bool, loading);
        QFETCH(bool, back);
        QFETCH(bool, muted);
        QFETCH(bool, blocked);
        QFETCH(bool, working);
        QFETCH(bool, korean);
        LanguageScope language(korean);
        const QList<BrowserPane::Item> items = BrowserPane::toolbar({back, false, loading, muted, blocked}, working);
        QStringList icons, labels, values;
        QList<bool> enabled;
        for (const BrowserPane::Item &i : items) {
            icons << i.icon;
            labels << i.label;
            enabled << i.enabled;
            values << i.value;
        }
        QTEST(icons, "icons");
        QTEST(labels, "labels");
        QTEST(enabled, "enabled");
        QTEST(values, "values");
        QCOMPARE(items[3].active, muted);
        QCOMPARE(items[4].active, blocked);
    }

    void paneTexts()
    {
        QCOMPARE(BrowserPane::addressIcon("https://www.youtube.com/"), QString("lock"));
        QCOMPARE(BrowserPane::addressIcon("http://www.youtube.com/"), QString("globe"));
        QCOMPARE(BrowserPane::addressIcon(""), QString("globe"));
        QCOMPARE(inLanguage(true, [&] { return BrowserPane::placeholder(); }), QString("댓글 페이지 주소 입력"));
        QCOMPARE(inLanguage(false, [&] { return BrowserPane::fieldLabel(); }), QString("Comment page address"));
        QCOMPARE(inLanguage(true, [&] { return BrowserPane::tryAgain(); }), QString("다시 시도"));
        QCOMPARE(BrowserPane::desktopWidth(LoginProvider::instagram), 960.0);
        QCOMPARE(BrowserPane::desktopWidth(LoginProvider::youtube), 0.0);
    }

    void zoom_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("desktop");
        QTest::addColumn<double>("current");
        QTest::addColumn<Opt>("set");
        QTest::newRow("Instagram at 720") << 720.0 << 960.0 << 1.0 << Opt(0.75);
        QTest::newRow("Instagram widened to 1200") << 1200.0 << 960.0 << 0.75 << Opt(1.0);
        QTest::newRow("723: within 0.005, unchanged") << 723.0 << 960.0 << 0.75 << Opt();
        QTest::newRow("726: set") << 726.0 << 960.0 << 0.75 << Opt(0.75625);
        QTest::newRow("YouTube stays at 1") << 720.0 << 0.0 << 1.0 << Opt();
        QTest::newRow("YouTube back from a zoom") << 720.0 << 0.0 << 0.75 << Opt(1.0);
        QTest::newRow("not laid out yet") << 0.0 << 960.0 << 1.0 << Opt();
    }
    void zoom()
    {
        QFETCH(double, width);
        QFETCH(double, desktop);
        QFETCH(double, current);
        QTEST(WebViewHost::zoom(width, desktop, current), "set");
    }

    void pageMenu_data()
    {
        using C = WebViewHost::MenuContext;
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("korean");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QList<bool>>("enabled");
        QTest::newRow("page") << 0 << false << QStringList{"Back", "Forward", "Reload"}
                              << QList<bool>{true, false, true};
        QTest::newRow("page, ko") << 0 << true << QStringList{"뒤로", "앞으로", "새로고침"}
                                  << QList<bool>{true, false, true};
        QTest::newRow("selection on a link")
            << 1 << false << QStringList{"Copy", "Copy Link Address"} << QList<bool>{true, true};
        QTest::newRow("link, ko") << 2 << true << QStringList{"링크 주소 복사"} << QList<bool>{true};
        QTest::newRow("text field") << 3 << false
                                    << QStringList{"Undo", "Redo", "", "Cut", "Copy", "Paste", "Select All"}
                                    << QList<bool>{false, false, true, false, false, true, true};
        QTest::newRow("text field, ko") << 3 << true << QStringList{"실행 취소", "다시 실행", "",         "잘라내기",
                                                                    "복사",      "붙여넣기",  "모두 선택"}
                                        << QList<bool>{false, false, true, false, false, true, true};
        (void)C();
    }
    void pageMenu()
    {
        QFETCH(int, kind);
        QFETCH(bool, korean);
        LanguageScope language(korean);
        WebViewHost::MenuContext c;
        c.canGoBack = true;
        if (kind == 1)
            c.hasSelection = c.hasLink = true;
        if (kind == 2)
            c.hasLink = true;
        if (kind == 3)
            c.editable = c.canPaste = true;
        QStringList titles;
        QList<bool> enabled;
        for (const WebViewHost::MenuItem &item : WebViewHost::menuItems(c)) {
            titles << item.title;
            enabled << item.enabled;
            // Nothing that opens windows, saves, shows the source or inspects the page.
            QVERIFY(item.action != QWebEnginePage::ViewSource && item.action != QWebEnginePage::InspectElement
                    && item.action != QWebEnginePage::SavePage && item.action != QWebEnginePage::OpenLinkInNewWindow
                    && item.action != QWebEnginePage::OpenLinkInNewTab
                    && item.action != QWebEnginePage::DownloadLinkToDisk);
        }
        QTEST(titles, "titles");
        QTEST(enabled, "enabled");
    }

    void failureTexts_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("en");
        QTest::addColumn<QString>("ko");
        QTest::newRow("offline") << -106 << "Couldn't load the page. Check the internet connection."
                                 << "페이지를 불러오지 못했습니다. 인터넷 연결을 확인해 주세요.";
        QTest::newRow("no such host")
            << -105 << "Couldn't load the page. The site's address could not be found. Check the internet connection."
            << "페이지를 불러오지 못했습니다. 사이트 주소를 찾지 못했습니다. 인터넷 연결을 확인해 주세요.";
        QTest::newRow("timeout") << -118 << "Couldn't load the page. The site took too long to answer."
                                 << "페이지를 불러오지 못했습니다. 사이트가 제때 응답하지 않았습니다.";
        QTest::newRow("closed") << -100 << "Couldn't load the page. The connection to the site was lost."
                                << "페이지를 불러오지 못했습니다. 사이트와 연결이 끊어졌습니다.";
        QTest::newRow("certificate") << -202
                                     << "Couldn't load the page. The site's security certificate could not be verified."
                                     << "페이지를 불러오지 못했습니다. 사이트의 보안 인증서를 확인하지 못했습니다.";
        QTest::newRow("anything else") << -999 << "Couldn't load the page. Please try again in a moment."
                                       << "페이지를 불러오지 못했습니다. 잠시 후 다시 시도해 주세요.";
    }
    void failureTexts()
    {
        QFETCH(int, code);
        QTEST(inLanguage(false, [&] { return Browser::failureText(code); }), "en");
        QTEST(inLanguage(true, [&] { return Browser::failureText(code); }), "ko");
    }

    // A page title that looks like markup is shown as its characters.
    void plainTooltips()
    {
        const QString title = "<img src=x onerror=alert(1)><b>bold</b>";
        QTextDocument doc;
        doc.setHtml(PlainText::toolTip(title));
        QCOMPARE(doc.toPlainText(), title);
        QCOMPARE(PlainText::toolTip(QString()), QString());
    }
};

int main(int argc, char *argv[])
{
    vt::test::isolateUserFolders();
    QApplication app(argc, argv);
    ShellTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shell.moc"
