#include "Shell/AppState.h"

#include "Base/AppSettings.h"
#include "Browser/Browser.h"
#include "Page/SpamEngine.h"
#include "Sites/AuthPolicy.h"
#include "Sites/LoginProvider.h"

#include <cmath>

AppState::AppState(QObject *parent)
    : QObject(parent)
{
    // 1. The browser, over the persistent profile; it makes the site sign-in object itself.
    m_browser = new Browser(nullptr, {}, &AppSettings::shared(), this);
    // 2. The page bridge, in the world "vtx" of the browser's pages.
    m_engine = new SpamEngine(m_browser, this);
    // 3.-5. The spam model, the post list model and the agent dispatcher are created here, in
    //    this order, once they exist.
    // 6. The hooks canStartLogin (false while the spam model works or once it is gone) and
    //    onNavigate (the model's navigationChanged) are installed over the spam model, held weakly.
    // 7. The automatic-scan loop starts over the spam model after this delay.
    m_firstAutoScan = autoScanDelay(qEnvironmentVariableIsSet("VT_AUTOSCAN_FIRST")
                                        ? std::optional<QString>(qEnvironmentVariable("VT_AUTOSCAN_FIRST"))
                                        : std::nullopt);
    // 8. The service-account refresh runs over the spam model's client.
    // 9. The start page; an address the browser cannot use shows its error text.
    m_browser->open(startPage());
}

AppState::~AppState()
{
    shutdown();
    // The pages go before the profile they live in (the profile is the application's child).
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
    // The agent control server is stopped and the history store closed here once they exist.
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

double AppState::autoScanDelay(const std::optional<QString> &text)
{
    constexpr double fallback = 60;
    if (!text)
        return fallback;
    bool ok = false;
    const double value = text->trimmed().toDouble(&ok);
    if (!ok || std::isnan(value))
        return fallback;
    if (value < 0)
        return 0;
    if (value > longestDelay)
        return longestDelay;
    return value;
}
