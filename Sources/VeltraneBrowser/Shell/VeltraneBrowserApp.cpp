#include "Shell/VeltraneBrowserApp.h"

#include "Base/AppSettings.h"
#include "Base/LocalZone.h"
#include "Browser/AccountSession.h"
#include "Browser/Browser.h"
#include "Scan/SpamModel.h"
#include "Shell/AppState.h"
#include "Theme/Design.h"
#include "Shell/MainWindow.h"
#include "Shell/WindowAlerts.h"

#include <QApplication>
#include <QFont>
#include <QLoggingCategory>
#include <QPalette>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QToolTip>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int quitPipe[2] = {-1, -1};

void onQuitSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(quitPipe[1], &byte, 1);
}

}   // namespace

bool VeltraneBrowserApp::needsSandboxSwitch(uid_t euid, const QByteArray &disableSandbox)
{
    return euid == 0 && disableSandbox != "1";
}

const char *VeltraneBrowserApp::sandboxNotice()
{
    return "Glimora: running as root, so the web engine's sandbox is switched off (QTWEBENGINE_DISABLE_SANDBOX=1).\n";
}

bool VeltraneBrowserApp::debugOutput(const QByteArray &vtDebug)
{
    return vtDebug.trimmed() == "1";
}

QByteArray VeltraneBrowserApp::quietChromiumFlags(const QByteArray &userFlags)
{
    static const QRegularExpression logFlag(QStringLiteral("(^|\\s)--?(log-level|enable-logging|v|vmodule)(=|\\s|$)"));
    if (logFlag.match(QString::fromLocal8Bit(userFlags)).hasMatch())
        return userFlags;
    return userFlags.trimmed().isEmpty() ? QByteArray("--log-level=3") : userFlags + " --log-level=3";
}

const char *VeltraneBrowserApp::quietLoggingRules()
{
    // The engine's start-up report, the pages' console messages, and the engine's notice that the
    // sandbox is off (the program says so itself).
    return "qt.webenginecontext.info=false\n"
           "js.info=false\njs.warning=false\njs.critical=false\n"
           "default.info=false";
}

void VeltraneBrowserApp::quietWebEngine()
{
    if (debugOutput(qgetenv("VT_DEBUG")))
        return;
    // Rules in QT_LOGGING_RULES come after these and win.
    QLoggingCategory::setFilterRules(QString::fromLatin1(quietLoggingRules()));
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", quietChromiumFlags(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS")));
}

void VeltraneBrowserApp::installQuitSignals()
{
    if (quitPipe[0] >= 0)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, quitPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(quitPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(quitPipe[0], &byte, 1);
        QCoreApplication::quit();
    });
    struct sigaction action { };
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

void VeltraneBrowserApp::applyTheme(QApplication &app)
{
    QPalette pal;
    pal.setColor(QPalette::Window, Design::canvas());
    pal.setColor(QPalette::WindowText, Design::text());
    pal.setColor(QPalette::Base, Design::card());
    pal.setColor(QPalette::AlternateBase, Design::surface());
    pal.setColor(QPalette::Text, Design::text());
    pal.setColor(QPalette::PlaceholderText, Design::muted());
    pal.setColor(QPalette::Button, Design::surface());
    pal.setColor(QPalette::ButtonText, Design::text());
    pal.setColor(QPalette::ToolTipBase, Design::elevated());
    pal.setColor(QPalette::ToolTipText, Design::text());
    pal.setColor(QPalette::Highlight, Design::tint());
    pal.setColor(QPalette::HighlightedText, Design::onAccent());
    pal.setColor(QPalette::Link, Design::accent());
    pal.setColor(QPalette::Disabled, QPalette::WindowText, Design::muted());
    pal.setColor(QPalette::Disabled, QPalette::Text, Design::muted());
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, Design::muted());
    app.setPalette(pal);
    QToolTip::setPalette(pal);
    // Korean needs a CJK family; the system's sans-serif font comes first for Latin text.
    QFont font = app.font();
    font.setFamilies({QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans"), Design::fontFamily()});
    font.setPixelSize(13);
    app.setFont(font);
}

int VeltraneBrowserApp::run(int argc, char *argv[])
{
    LocalZone::pin();
    if (needsSandboxSwitch(::geteuid(), qgetenv("QTWEBENGINE_DISABLE_SANDBOX"))) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        std::fputs(sandboxNotice(), stderr);
    }
    quietWebEngine();
    // The web engine shares its GL contexts with the window's; this must be said before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glimora"));
    QApplication::setOrganizationName(QStringLiteral("Veltrane"));
    applyTheme(app);
    installQuitSignals();
    int code = 0;
    QList<QNetworkCookie> cookies;
    {
        AppState state;
        MainWindow window(&state, &AppSettings::shared());
        // Logout asks first whether the program may end; the window keeps its frame then.
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window] { window.saveFrame(); });
        QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window, &state] {
            if (window.isVisible())
                window.saveFrame();
            state.shutdown();
        });
        // Questions to the owner (AI consent, deletions) as window-modal alerts.
        WindowAlerts alerts(&window);
        Alerts::setShared(&alerts);
        window.show();
        // Just started by the owner, the window comes to the front. A desktop without a window
        // manager never makes it active by itself, and the questions are put only while it is.
        window.activateWindow();
        if (SpamModel *spam = state.spam())
            spam->autoScans().setBrowserWindow(window.windowHandle());
        code = app.exec();
        Alerts::setShared(nullptr);
        cookies = state.browser()->accounts()->cookies();
    }
    // The state went with its pages; the profile goes now, while the engine still runs, and
    // writes the cookies as it goes.
    Browser::releaseDefaultProfile(cookies);
    return code;
}
