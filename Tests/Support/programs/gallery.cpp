// Renders one view of the window to a PNG over fixture data, so every view can be looked at in
// both languages without the real sites.
//
//   gallery VIEW --lang ko|en --out DIR      writes DIR/VIEW-LANG.png
//   gallery --list                           prints the views
//
// Views: design, controls, site-icons, site-list, account-menu, agent-setup, sidebar,
// browser-pane, window (1440x900; window-1280 and window-1920 at 1280x720 and 1920x1080, the
// smallest window and a full-HD screen), removal-alert, removal-alert-replies, agent-removal-alert,
// consent-alert, signout-alert and clear-history-alert (the deletion's confirmation, with replies that
// go with the chosen threads, as the agent's request, the AI check's consent question, the site
// sign-out's and the history clearing's questions); the review panel's panel, panel-rows, panel-bars, panel-stage, panel-log;
// the post list's dock and dock-tiles (over a fixture history and a filled image cache); and the settings and statistics views of SettingsGallery.h (over a fixture history, without
// the site). Those that show the sign-in state sign in to YouTube on the fixture site
// first; the browser pane and the window show the fixture's YouTube page.

#include "Scan/AIPass.h"
#include "Base/AppSettings.h"
#include "Browser/Browser.h"
#include "FakeService.h"
#include "FixtureSite.h"
#include "PageTools.h"
#include "PanelGallery.h"
#include "PostGallery.h"
#include "Settings/HistoryPaneModel.h"
#include "Shell/AccountMenu.h"
#include "Theme/AlertStyle.h"
#include "Shell/AgentSetupView.h"
#include "Shell/AppState.h"
#include "Theme/BrandMark.h"
#include "Shell/BrowserPane.h"
#include "Theme/CheckGlyph.h"
#include "Theme/CheckStyle.h"
#include "Theme/Design.h"
#include "Theme/Hairline.h"
#include "Theme/HeaderButton.h"
#include "Theme/IconButton.h"
#include "Shell/MainWindow.h"
#include "Shell/WindowAlerts.h"
#include "Scan/SpamModel.h"
#include "Base/Lang.h"
#include "Theme/RangeSlider.h"
#include "Theme/ServiceIcon.h"
#include "Shell/SidebarSites.h"
#include "Shell/VeltraneBrowserApp.h"
#include "Theme/WorkspaceButton.h"
#include "Shell/WorkspaceSidebar.h"
#include "Shell/WorkspaceView.h"
#include "SettingsGallery.h"
#include "TestMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <QVBoxLayout>

#include <QMessageBox>

#include <cstdio>
#include <memory>

using vt::test::FixtureSite;

namespace {

const QStringList views = QStringList{"design",
                                      "controls",
                                      "site-icons",
                                      "site-list",
                                      "account-menu",
                                      "agent-setup",
                                      "sidebar",
                                      "browser-pane",
                                      "window",
                                      "window-1280",
                                      "window-1920",
                                      "removal-alert",
                                      "removal-alert-replies",
                                      "agent-removal-alert",
                                      "consent-alert",
                                      "signout-alert",
                                      "clear-history-alert"}
    + PanelGallery::views() + PostGallery::views();

constexpr int slow = 30000;

// The questions the alert views show: a thread's replies by the owner and others go with the
// chosen comments; the agent's request names the post and its comments.
Alerts::Question alertQuestion(const QString &view)
{
    const RemovalJob::Replies replies{7, 5, 2};
    if (view == "removal-alert")
        return RemovalJob::question(30);
    if (view == "removal-alert-replies")
        return RemovalJob::question(12, replies);
    if (view == "agent-removal-alert") {
        QList<Comment> chosen;
        const QStringList texts{
            QStringLiteral("카톡 아이디 vip8282 추가하시면 무료 리딩방 초대해 드립니다"),
            QStringLiteral("<b>Best online casino</b>, 200% welcome bonus"),
            QStringLiteral(
                "Bitcoin trading signals with 95% accuracy, message me on Telegram @signals_pro for the VIP group"),
            QStringLiteral("신규가입 첫충 30% 토토 사이트 안전놀이터 추천 ▶ bet-77.kr"),
            QStringLiteral("I make $800 a day working from home, no experience needed, see my profile"),
            QStringLiteral("무직자 저신용 당일 대출 가능, 소액결제 현금화 상담 문의주세요"),
            QStringLiteral("코인 선물 리딩방 수익률 300% 보장, 지금 입장하세요"),
        };
        for (qsizetype i = 0; i < texts.size(); ++i) {
            Comment c;
            c.id = QStringLiteral("c%1").arg(i);
            c.authorName = QStringLiteral("@spam_account_%1").arg(i + 1);
            c.text = texts.at(i);
            c.state = QStringLiteral("spam");
            chosen.append(c);
        }
        return RemovalJob::agentQuestion(chosen, replies, QStringLiteral("양파 카레 만들기 | Onion curry"));
    }
    return AIPass::consentQuestion();
}

QLabel *caption(const QString &text)
{
    auto *l = new QLabel(text);
    l->setTextFormat(Qt::PlainText);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Design::muted());
    l->setPalette(p);
    return l;
}

// A dark page that holds a view for its picture.
QWidget *sheet(QWidget *content, const QColor &background = Design::canvas())
{
    auto *page = new QWidget;
    page->setAutoFillBackground(true);
    QPalette p = page->palette();
    p.setColor(QPalette::Window, background);
    page->setPalette(p);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addWidget(content);
    return page;
}

// The palette, the risk bands and the motions.
class DesignCard : public QWidget {
public:
    DesignCard() { setFixedSize(760, 420); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), Design::canvas());
        const QList<QPair<QString, QColor>> colours{{"canvas", Design::canvas()},
                                                    {"sidebar", Design::sidebar()},
                                                    {"panel", Design::panel()},
                                                    {"card", Design::card()},
                                                    {"surface", Design::surface()},
                                                    {"elevated", Design::elevated()},
                                                    {"focusFill", Design::focusFill()},
                                                    {"muted", Design::muted()},
                                                    {"secondary", Design::secondary()},
                                                    {"text", Design::text()},
                                                    {"brand", Design::brand()},
                                                    {"signedIn", Design::signedIn()},
                                                    {"onBrand", Design::onBrand()},
                                                    {"spamHit", Design::spamHit()},
                                                    {"border", Design::border()},
                                                    {"strongBorder", Design::strongBorder()},
                                                    {"focusBorder", Design::focusBorder()},
                                                    {"shadow", Design::shadow()}};
        QFont f = font();
        f.setPixelSize(10);
        p.setFont(f);
        for (int i = 0; i < colours.size(); ++i) {
            const QRectF cell(20 + (i % 6) * 120, 20 + (i / 6) * 80, 108, 44);
            p.fillPath(Design::rounded(cell, 8), Design::surface());
            p.fillPath(Design::rounded(cell.adjusted(4, 4, -4, -4), 6), colours[i].second);
            p.setPen(Design::secondary());
            p.drawText(QRectF(cell.left(), cell.bottom() + 2, cell.width(), 16), Qt::AlignLeft, colours[i].first);
        }
        const QList<int> bands{95, 75, 55, 30};
        for (int i = 0; i < bands.size(); ++i) {
            const QRectF bar(20 + i * 180, 280, 160, 24);
            p.fillPath(Design::rounded(bar, 6), Design::risk(bands[i]));
            p.setPen(Design::text());
            p.drawText(QRectF(bar.left(), bar.bottom() + 4, 160, 16), Qt::AlignLeft,
                       QStringLiteral("risk(%1)").arg(bands[i]));
        }
        QRectF surface(20, 340, 300, 60);
        Design::workspaceSurface(p, surface);
        p.setPen(Design::secondary());
        p.drawText(surface, Qt::AlignCenter, QStringLiteral("workspaceSurface"));
        p.drawText(QRectF(340, 340, 400, 60), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("quick %1 ms · leave %2 ms · spring %3 ms · reduce motion %4")
                       .arg(Design::Motion::quick().durationMs)
                       .arg(Design::Motion::leave().durationMs)
                       .arg(Design::Motion::spring().durationMs)
                       .arg(Design::reduceMotion() ? "on" : "off"));
    }
};

QWidget *controls()
{
    auto *box = new QWidget;
    auto *grid = new QGridLayout(box);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(12);
    int row = 0;
    auto add = [&](const QString &name, QList<QWidget *> widgets) {
        grid->addWidget(caption(name), row, 0);
        for (int i = 0; i < widgets.size(); ++i)
            grid->addWidget(widgets[i], row, i + 1, Qt::AlignLeft);
        ++row;
    };
    auto disabled = [](QWidget *w) {
        w->setEnabled(false);
        return w;
    };
    add("BrandMark", {new BrandMark(30), new BrandMark(32)});
    add("WorkspaceButtonStyle",
        {new WorkspaceButton("Quiet", {}), new WorkspaceButton("Strong", {.strong = true}),
         new WorkspaceButton("Prominent", {.prominent = true}), new WorkspaceButton("Critical", {.critical = true}),
         disabled(new WorkspaceButton("Disabled", {.prominent = true}))});
    add("large",
        {new WorkspaceButton("Large prominent", {.prominent = true, .large = true}),
         new WorkspaceButton("Large critical", {.critical = true, .large = true})});
    auto *active = new HeaderButton("Active");
    active->setActive(true);
    add("HeaderButtonStyle", {new HeaderButton("Header"), active, disabled(new HeaderButton("Disabled"))});
    QList<QWidget *> icons;
    for (const char *name :
         {"chevron.left", "chevron.right", "arrow.clockwise", "xmark", "speaker.slash.fill", "speaker.wave.2",
          "play.slash.fill", "play", "chart.bar.xaxis", "slider.horizontal.3", "terminal"})
        icons << new IconButton(name, name);
    static_cast<IconButton *>(icons[4])->setActive(true);
    static_cast<IconButton *>(icons[6])->setActive(true);
    add("IconButton", icons);
    add("disabled", {disabled(new IconButton("chevron.left", "back"))});
    add("CheckGlyph",
        {new CheckGlyph(CheckGlyph::State::off), new CheckGlyph(CheckGlyph::State::on),
         new CheckGlyph(CheckGlyph::State::mixed)});
    auto *on = new CheckStyle("Checked");
    on->setChecked(true);
    add("CheckStyle", {on, new CheckStyle("Not checked")});
    auto *slider = new RangeSlider(0, 100);
    slider->setValues(20, 80);
    slider->setFixedWidth(260);
    add("RangeSlider", {slider, caption(RangeSlider::accessibleValue(20, 80))});
    auto *line = new Hairline;
    line->setFixedWidth(260);
    add("Hairline", {line});
    return sheet(box);
}

QWidget *siteIcons()
{
    auto *box = new QWidget;
    auto *grid = new QGridLayout(box);
    int col = 0;
    for (int size : {16, 22, 32, 64}) {
        grid->addWidget(new ServiceIcon(LoginProvider::youtube, size), 0, col, Qt::AlignCenter);
        grid->addWidget(new ServiceIcon(LoginProvider::instagram, size), 1, col, Qt::AlignCenter);
        grid->addWidget(caption(QString::number(size)), 2, col, Qt::AlignCenter);
        ++col;
    }
    return sheet(box, Design::sidebar());
}

// Signs in to YouTube on the fixture site, the way an owner does in the window.
bool signIn(Browser &browser)
{
    browser.signIn(LoginProvider::youtube);
    BrowserPage *page = browser.currentTab()->page();
    if (!QTest::qWaitFor(
            [&] {
        return !browser.isLoading() && vt::test::evaluate(page, "!!document.getElementById('form')").toBool();
            },
            slow))
        return false;
    vt::test::evaluate(page,
                       "document.getElementById('identifier').value='owner';document.getElementById('form').submit();");
    return QTest::qWaitFor(
        [&] {
        const LoginStatus s = browser.accounts()->status(LoginProvider::youtube);
        return SidebarSites::isSignedIn(s)
            && browser.accounts()->status(LoginProvider::instagram) != LoginStatus::unknown && !browser.isLoading();
        },
        slow);
}

void settle(int ms)
{
    QTest::qWait(ms);
}

}   // namespace

int main(int argc, char *argv[])
{
    vt::test::isolateUserFolders();
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.contains("--list")) {
        for (const QString &v : views + vt::test::settingsGalleryViews())
            std::printf("%s\n", qPrintable(v));
        return 0;
    }
    const QString view = args.value(0);
    const int langAt = args.indexOf("--lang");
    const QString lang = langAt >= 0 ? args.value(langAt + 1) : QStringLiteral("en");
    const int outAt = args.indexOf("--out");
    const QString out = outAt >= 0 ? args.value(outAt + 1) : QStringLiteral(".");
    const bool settingsView = vt::test::settingsGalleryViews().contains(view);
    if ((!views.contains(view) && !settingsView) || (lang != "ko" && lang != "en")) {
        std::fprintf(stderr, "usage: gallery VIEW --lang ko|en --out DIR  (VIEW one of: %s)\n",
                     qPrintable((views + vt::test::settingsGalleryViews()).join(", ")));
        return 2;
    }
    qputenv("VT_LANG", lang.toLatin1());
    // A full-HD screen, so the window opens at its own size.
    QTemporaryDir screens;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        QFile config(screens.filePath("screens.json"));
        if (config.open(QIODevice::WriteOnly))
            config.write(
                R"({"screens": [{"name": "gallery", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        config.close();
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toLocal8Bit());
    }
    QApplication app(argc, argv);
    VeltraneBrowserApp::applyTheme(app);
    if (settingsView || PanelGallery::views().contains(view) || PostGallery::views().contains(view)) {
        // Over their own fixture history (and the service stand-in); no site needed.
        const QImage image = settingsView         ? vt::test::renderSettingsView(view, lang == "ko")
            : PostGallery::views().contains(view) ? PostGallery::render(view)
                                                  : PanelGallery::render(view);
        QDir().mkpath(out);
        const QString path = QDir(out).filePath(view + "-" + lang + ".png");
        if (image.isNull() || !image.save(path)) {
            std::fprintf(stderr, "gallery: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
        return 0;
    }
    FixtureSite *site = FixtureSite::startShared();
    if (!site)
        return 1;
    qputenv("VT_START_URL", "https://www.youtube.com/");
    // The window's service client talks to a stand-in on this machine.
    vt::test::FakeService service;
    if (!service.start())
        return 1;
    qputenv("VT_SERVER_URL", service.url().toString().toUtf8());

    std::unique_ptr<AppState> state;
    std::unique_ptr<QWidget> shown;
    std::unique_ptr<WindowAlerts> alerts;
    std::optional<QCoro::Task<int>> question;   // the open question; its box is the picture
    auto needState = [&] {
        state = std::make_unique<AppState>();
        return state->browser();
    };

    if (view == "design") {
        shown.reset(sheet(new DesignCard));
    } else if (view == "controls") {
        shown.reset(controls());
    } else if (view == "site-icons") {
        shown.reset(siteIcons());
    } else if (view == "agent-setup") {
        auto *setup = new AgentSetupView(nullptr, Qt::Widget);
        shown.reset(setup);
    } else if (view == "site-list" || view == "account-menu" || view == "sidebar") {
        Browser *browser = needState();
        if (!signIn(*browser)) {
            std::fprintf(stderr, "gallery: the fixture sign-in did not finish\n");
            return 1;
        }
        if (view == "site-list") {
            auto *sites = new SidebarSites(browser, browser->accounts());
            sites->setFixedWidth(196);   // a 220-point sidebar less its padding
            shown.reset(sheet(sites, Design::sidebar()));
        } else if (view == "account-menu") {
            auto *menu = new AccountMenu(browser, browser->accounts());
            menu->setWindowFlags(Qt::Widget);
            shown.reset(menu);
        } else {
            auto *sidebar = new WorkspaceSidebar(browser, nullptr);
            sidebar->resize(220, 720);
            shown.reset(sidebar);
        }
    } else if (view == "browser-pane") {
        Browser *browser = needState();
        auto *pane = new BrowserPane(browser);
        pane->resize(900, 420);
        shown.reset(pane);
        shown->show();
        (void)QTest::qWaitFor([&] { return !browser->isLoading() && browser->address() == "https://www.youtube.com/"; },
                              slow);
        // A failed load shows the banner above the page.
        browser->open("https://www.youtube.com/broken");
        (void)QTest::qWaitFor([&] { return !browser->error().isEmpty(); }, slow);
    } else if (view == "removal-alert" || view == "removal-alert-replies" || view == "agent-removal-alert"
               || view == "consent-alert") {
        // The deletion's confirmation or the AI check's consent question as the window puts it to the owner.
        auto *host = sheet(new QWidget);
        host->resize(640, 360);
        host->show();
        alerts = std::make_unique<WindowAlerts>(host);
        question.emplace(alerts->ask(alertQuestion(view)));
        shown.reset(host);
    } else if (view == "signout-alert" || view == "clear-history-alert") {
        // The same box, as the account menu and the history settings put their questions.
        auto *host = sheet(new QWidget);
        host->resize(640, 360);
        host->show();
        const Alerts::Question q = view == "signout-alert"
            ? Alerts::Question{AccountMenu::confirmTitle(LoginProvider::youtube),
                               AccountMenu::confirmMessage(),
                               {AccountMenu::cancelTitle(), AccountMenu::actionTitle(AccountMenu::Action::signOut)},
                               1}
            : Alerts::Question{HistoryPaneModel::clearTitle(),
                               HistoryPaneModel::clearText(1756),
                               {QCoreApplication::translate("HistoryPaneModel", "Cancel"),
                                QCoreApplication::translate("HistoryPaneModel", "Clear")},
                               1};
        AlertStyle::questionBox(host, q, nullptr)->open();
        shown.reset(host);
    } else if (view.startsWith("window")) {
        Browser *browser = needState();
        if (!signIn(*browser)) {
            std::fprintf(stderr, "gallery: the fixture sign-in did not finish\n");
            return 1;
        }
        auto *window = new MainWindow(state.get(), &AppSettings::shared());
        window->resize(view == "window-1280"       ? QSize(1280, 720)
                           : view == "window-1920" ? QSize(1920, 1080)
                                                   : QSize(1440, 900));
        shown.reset(window);
    }
    const bool alert = view.endsWith("-alert") || view == "removal-alert-replies";
    const bool wholeWindow = view.startsWith("window");
    if (!wholeWindow && view != "browser-pane" && view != "sidebar" && !alert)
        shown->adjustSize();
    if (wholeWindow || view == "browser-pane") {
        shown->show();
        settle(1500);   // the page reaches the screen some time after it loaded
    } else {
        shown->ensurePolished();
        shown->show();
        settle(100);
    }
    QWidget *pictured = shown.get();
    if (alert)
        pictured = shown->findChild<QMessageBox *>();
    const QImage image = pictured ? pictured->grab().toImage() : QImage();
    QDir().mkpath(out);
    const QString path = QDir(out).filePath(view + "-" + lang + ".png");
    if (image.isNull() || !image.save(path)) {
        std::fprintf(stderr, "gallery: image %dx%d\n", image.width(), image.height());
        std::fprintf(stderr, "gallery: cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%s\n", qPrintable(path));
    shown.reset();
    state.reset();
    return 0;
}
