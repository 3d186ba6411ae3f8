// The real application, headless on the fixture site, for the MCP interoperability test
// (Tests/mcp/real-app.mjs): the window, the spam model and the agent control server as the
// program makes them, with one fixture post, and the owner's questions answered from standard
// input instead of an alert.
//   interop_app
// Uses the data and settings folders of its environment (XDG_*_HOME or HOME). Prints
// "ready <port> <post url>" once the control file is written, and "confirm <id>,<id>" (the
// comments ticked on the open post) when the owner is asked to delete: a line "yes" chooses the
// delete button, any other line cancels. The end of its input, SIGTERM or SIGINT quit it as the
// application quits, removing the control file.
#include "FixtureSite.h"
#include "YouTubeFixture.h"

#include "Agent/AgentController.h"
#include "Agent/LocalServer.h"
#include "Base/Alerts.h"
#include "Base/AppSettings.h"
#include "Browser/AccountSession.h"
#include "Browser/Browser.h"
#include "Scan/SpamModel.h"
#include "Shell/AppState.h"
#include "Shell/MainWindow.h"
#include "Shell/VeltraneBrowserApp.h"

#include <QApplication>
#include <QCoro/QCoroTimer>
#include <QPointer>
#include <QSocketNotifier>

#include <chrono>
#include <cstdio>
#include <unistd.h>

using namespace vt::test;

namespace {

const QString kPost = QStringLiteral("vInterop001");

void say(const QByteArray &line)
{
    std::fputs((line + '\n').constData(), stdout);
    std::fflush(stdout);
}

// The owner's answers, one line of standard input each.
class StdinAlerts : public Alerts {
public:
    explicit StdinAlerts(SpamModel *model)
        : m_model(model)
    {
    }

    void heard(const QByteArray &line) { m_answers.append(line.trimmed()); }

    bool canAsk() const override { return true; }
    QCoro::Task<int> ask(Question question) override
    {
        using namespace std::chrono_literals;
        const QStringList ids = m_model ? m_model->removalJob().selectedIds() : QStringList();
        say("confirm " + ids.join(QLatin1Char(',')).toUtf8());
        while (m_answers.isEmpty())
            co_await QCoro::sleepFor(20ms);
        const bool yes = m_answers.takeFirst() == "yes";
        co_return yes ? (question.destructive >= 0 ? question.destructive : 0) : (question.destructive == 0 ? 1 : 0);
    }

private:
    QPointer<SpamModel> m_model;
    QList<QByteArray> m_answers;
};

}   // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glimora"));
    QApplication::setOrganizationName(QStringLiteral("Veltrane"));
    VeltraneBrowserApp::installQuitSignals();

    FixtureSite *site = FixtureSite::startShared();
    if (!site) {
        std::fputs("interop_app: the fixture site did not start\n", stderr);
        return 1;
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    YouTubeFixture youtube;
    youtube.addVideo({kPost, QStringLiteral("Interop post"), false, false,
                      YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"), now)});
    // Slow enough that a scan can be interrupted, quick enough for the client's timeouts.
    youtube.setDelayMs(250);
    youtube.install(*site);

    // Nothing listens there: the service is never reached, and the AI check stays off.
    qputenv("VT_SERVER_URL", "http://127.0.0.1:9");
    qputenv("VT_START_URL", "https://www.youtube.com/");
    AppSettings::shared().setValue(QStringLiteral("vt.scanOnOpen"), false);
    AppSettings::shared().setValue(QStringLiteral("vt.aiOn"), false);

    int code = 0;
    QList<QNetworkCookie> cookies;
    {
        AppState state;
        MainWindow window(&state, &AppSettings::shared());
        QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&state] { state.shutdown(); });
        StdinAlerts alerts(state.spam());
        Alerts::setShared(&alerts);
        window.show();
        if (!state.agent() || !state.agent()->server()) {
            std::fprintf(stderr, "interop_app: no control server: %s\n", qPrintable(state.agentError()));
            return 1;
        }
        QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
        QByteArray pending;
        QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
            char buffer[512];
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0) {
                input.setEnabled(false);
                QCoreApplication::quit();
                return;
            }
            pending.append(buffer, n);
            for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
                alerts.heard(pending.left(end));
                pending.remove(0, end + 1);
            }
        });
        say("ready " + QByteArray::number(state.agent()->server()->port()) + ' '
            + YouTubeFixture::watchUrl(kPost).toString().toUtf8());
        code = app.exec();
        Alerts::setShared(nullptr);
        cookies = state.browser()->accounts()->cookies();
    }
    Browser::releaseDefaultProfile(cookies);
    return code;
}
