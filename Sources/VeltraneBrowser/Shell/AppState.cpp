#include "Shell/AppState.h"

#include "Agent/AgentController.h"
#include "Agent/LocalServer.h"
#include "Base/AppSettings.h"
#include "Browser/Browser.h"
#include "Page/SpamEngine.h"
#include "Posts/PostDesk.h"
#include "Scan/SpamModel.h"
#include "Service/VeltraneAccount.h"
#include "Sites/AuthPolicy.h"
#include "Sites/LoginProvider.h"


AppState::AppState(QObject *parent)
    : QObject(parent)
{
    // 1. The browser, over the persistent profile; it makes the site sign-in object itself.
    m_browser = new Browser(nullptr, {}, &AppSettings::shared(), this);
    // 2. The page bridge, in the world "vtx" of the browser's pages.
    m_engine = new SpamEngine(m_browser, this);
    // 3. The spam model, with its own service client and the history at its default path.
    m_spam = new SpamModel(m_engine, m_browser, nullptr, nullptr, nullptr, this);
    // 4. The post list model, over the spam model, for the whole run.
    m_desk = new PostDesk(m_spam, this);
    // 5. The agent dispatcher starts its control server itself; when it cannot, it keeps the
    //    reason and the run goes on without agent control.
    m_agent = new AgentController(m_browser, m_spam, m_spam->store(), ControlFile(), this);
    // 6. A sign-in may start only while the model exists and is idle; every page change reaches
    //    the model's page tracking.
    QPointer<SpamModel> spam(m_spam);
    m_browser->canStartLogin = [spam] { return spam && !spam->jobs().working(); };
    m_browser->onNavigate = [spam] {
        if (spam)
            spam->openPage().navigationChanged();
    };
    // 7. The automatic-scan loop, after the first delay that VT_AUTOSCAN_FIRST may set.
    m_firstAutoScan = AutoScanSchedule::firstDelay(qgetenv("VT_AUTOSCAN_FIRST"));
    m_spam->autoScans().start(m_firstAutoScan);
    // 8. The service-account refresh over the model's client; nothing waits for it, and it
    //    never fails (a silent service leaves the client signed out).
    if (VeltraneAccount *account = m_spam->account())
        account->refresh(true);
    // 9. The start page; an address the browser cannot use shows its error text.
    m_browser->open(startPage());
}

AppState::~AppState()
{
    shutdown();
    // The dispatcher and the model go before the pages they read, the pages before the profile
    // they live in (the profile is the application's child).
    m_browser->canStartLogin = nullptr;
    m_browser->onNavigate = nullptr;
    delete m_agent;
    m_agent = nullptr;
    delete m_desk;
    m_desk = nullptr;
    delete m_spam;
    m_spam = nullptr;
    delete m_engine;
    m_engine = nullptr;
    delete m_browser;
    m_browser = nullptr;
}

void AppState::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    if (m_agent && m_agent->server())
        m_agent->server()->stop();
}

QString AppState::agentError() const
{
    return m_agent ? m_agent->error() : QString();
}

QString AppState::startPage()
{
    if (qEnvironmentVariableIsSet("VT_START_URL"))
        return qEnvironmentVariable("VT_START_URL");
    const QString stored = AppSettings::shared().stringValue(QStringLiteral("vt.lastPage"));
    if (!stored.isEmpty()) {
        const QUrl url(stored, QUrl::StrictMode);
        if (url.isValid() && AuthPolicy::canRestore(url))
            return url.toString(QUrl::FullyEncoded);
    }
    return LoginProvider(LoginProvider::youtube).home().toString();
}
