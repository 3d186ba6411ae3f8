#include "Browser/AccountSession.h"

#include "Sites/AuthPolicy.h"
#include "Browser/BrowserPage.h"
#include "Browser/StoredCookies.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QSet>
#include <QWebEngineScript>
#include <QWebEngineCookieStore>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QCoro/QCoroTimer>

using namespace std::chrono_literals;

namespace {

std::optional<std::optional<QString>> &probeOverride()
{
    static std::optional<std::optional<QString>> value;
    return value;
}

bool sameCookie(const QNetworkCookie &a, const QNetworkCookie &b)
{
    return a.name() == b.name() && a.domain() == b.domain() && a.path() == b.path();
}

QString removalText(LoginProvider provider)
{
    return QCoreApplication::translate("AccountSession", "Removed the in-app sign-in for %1.")
        .arg(provider.displayName());
}

QString incompleteRemovalText(LoginProvider provider)
{
    return QCoreApplication::translate(
               "AccountSession", "Sign-out of %1 did not complete: its sign-in is still stored. Please try again.")
        .arg(provider.displayName());
}

QString uncleared(LoginProvider provider, const QStringList &hosts)
{
    return QCoreApplication::translate("AccountSession",
                                       "Sign-out of %1 did not complete: the site data of %2 could not be cleared, "
                                       "so you are still signed in. Please try again.")
        .arg(provider.displayName(), hosts.join(QStringLiteral(", ")));
}

// Page storage (local and session storage, databases, caches, service workers) of the
// document's origin; sets window.__vtCleared when done.
const char defaultClearScript[] = R"JS(
(() => {
  const quiet = (f) => { try { return Promise.resolve(f()).catch(() => {}); } catch (e) { return Promise.resolve(); } };
  Promise.all([
    quiet(() => localStorage.clear()),
    quiet(() => sessionStorage.clear()),
    quiet(() => indexedDB.databases().then(dbs => Promise.all(dbs.map(db => new Promise(done => {
      const r = indexedDB.deleteDatabase(db.name); r.onsuccess = r.onerror = r.onblocked = () => done();
    }))))),
    quiet(() => caches.keys().then(keys => Promise.all(keys.map(k => caches.delete(k))))),
    quiet(() => navigator.serviceWorker.getRegistrations().then(rs => Promise.all(rs.map(r => r.unregister())))),
  ]).then(() => { window.__vtCleared = true; });
  return true;
})()
)JS";

// The origins whose page storage belongs to a site.
QStringList storageHosts(LoginProvider provider)
{
    if (provider == LoginProvider::youtube)
        return {SiteHosts::youtubeWww,      SiteHosts::youtube,      QStringLiteral("m.youtube.com"),
                SiteHosts::youtubeAccounts, SiteHosts::googleSignIn, QStringLiteral("www.google.com")};
    return {SiteHosts::instagramWww, SiteHosts::instagram, SiteHosts::facebookWww, SiteHosts::facebook,
            SiteHosts::facebookMobile};
}

}   // namespace

AccountSession::AccountSession(QWebEngineProfile *dataStore, QObject *parent)
    : QObject(parent)
    , m_dataStore(dataStore)
{
    m_refreshTimer.setSingleShot(true);
    m_refreshTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_refreshTimer, &QTimer::timeout, this, [this] {
        if (m_refreshView)
            inspect(m_refreshView);
    });
    m_cookieTimer.setSingleShot(true);
    m_cookieTimer.setTimerType(Qt::PreciseTimer);
    m_cookieTimer.setInterval(200);
    connect(&m_cookieTimer, &QTimer::timeout, this, [this] {
        refreshCookies();
        if (m_mainWebView)
            refresh(m_mainWebView, 250);
    });

    deleteCookie = [this](const QNetworkCookie &cookie) { m_dataStore->cookieStore()->deleteCookie(cookie); };
    clearStorageScript = QString::fromLatin1(defaultClearScript);

    // The file tells the truth only before the engine has used the profile in this process: it
    // writes its changes in batches.
    static QSet<QString> readPaths;
    const QString storage = m_dataStore->persistentStoragePath();
    if (!m_dataStore->isOffTheRecord() && !readPaths.contains(storage)) {
        readPaths.insert(storage);
        m_cookies = StoredCookies::read(storage);
    }
    QWebEngineCookieStore *store = m_dataStore->cookieStore();
    connect(store, &QWebEngineCookieStore::cookieAdded, this, &AccountSession::cookieAdded);
    connect(store, &QWebEngineCookieStore::cookieRemoved, this, &AccountSession::cookieRemoved);
    store->loadAllCookies();
    // The first scan, after the debounce: any burst of reports at start restarts it.
    m_cookieTimer.start();
}

AccountSession::~AccountSession() = default;

LoginStatus AccountSession::status(LoginProvider provider) const
{
    return m_statuses.value(provider, LoginStatus::unknown);
}

void AccountSession::setStatus(LoginStatus status, LoginProvider provider)
{
    const auto it = m_statuses.constFind(provider);
    if (it != m_statuses.cend() && *it == status)
        return;
    m_statuses.insert(provider, status);
    emit statusesChanged();
}

void AccountSession::setMessage(const QString &text)
{
    m_message = text;
    emit messageChanged();
}

void AccountSession::setActiveProvider(const std::optional<LoginProvider> &provider)
{
    if (m_activeProvider == provider)
        return;
    m_activeProvider = provider;
    emit activeProviderChanged();
}

void AccountSession::setClearing(const std::optional<LoginProvider> &provider)
{
    if (m_clearing == provider)
        return;
    m_clearing = provider;
    emit clearingChanged();
}

void AccountSession::attach(BrowserPage *view)
{
    if (m_pendingSignIn && m_pendingSignIn->view != view)
        m_pendingSignIn.reset();
    m_refreshTimer.stop();
    ++m_probeGeneration;
    m_mainWebView = view;
    m_attachedViews.removeIf([](const QPointer<BrowserPage> &p) { return p.isNull(); });
    if (view && !m_attachedViews.contains(view))
        m_attachedViews.append(view);
}

void AccountSession::signIn(LoginProvider provider, const std::optional<QUrl> &returnTo)
{
    if (m_clearing || !m_mainWebView)
        return;
    const QUrl url = provider.loginURL(returnTo);
    m_mainWebView->endLoad();
    navigationChanged(url);
    m_pendingSignIn = PendingSignIn{m_mainWebView};
    m_mainWebView->load(url);
}

void AccountSession::navigationChanged(const std::optional<QUrl> &url)
{
    if (m_pendingSignIn) {
        BrowserPage *view = m_pendingSignIn->view;
        if (view && view == m_mainWebView && view->isLoading()) {
            if (!url || !AuthPolicy::isAuthentication(*url))
                return;   // decided when the view settles
        } else {
            m_pendingSignIn.reset();
        }
    }
    m_probeRetries = 0;
    std::optional<LoginProvider> next;
    if (url && AuthPolicy::isAuthentication(*url))
        next = AuthPolicy::provider(*url);
    if (m_activeProvider && m_activeProvider != next) {
        setStatus(LoginStatus::unknown, *m_activeProvider);
        setMessage(QString());
        QTimer::singleShot(0, this, [this] { refreshCookies(); });
    }
    setActiveProvider(next);
    if (!url || !next)
        return;
    if (AuthPolicy::isBlocked(*url)) {
        setStatus(LoginStatus::blocked, *next);
        setMessage(tr("The service restricted in-app sign-in."));
    } else if (AuthPolicy::needsVerification(*url)) {
        setStatus(LoginStatus::verification, *next);
        setMessage(tr("Complete the extra verification in the web view."));
    } else {
        setStatus(LoginStatus::signingIn, *next);
        if (!m_message.isEmpty())
            setMessage(QString());
    }
}

void AccountSession::openingPage(const QUrl &url)
{
    if (m_clearing || AuthPolicy::isAuthentication(url))
        return;   // a sign-in page's own load tells
    m_pendingSignIn.reset();
    navigationChanged(url);
}

void AccountSession::navigationFailed(const LoadFailure &failure, LoginProvider provider)
{
    if (failure.cancelled)
        return;
    m_pendingSignIn.reset();
    setStatus(LoginStatus::failed, provider);
    setMessage(tr("Couldn't load the sign-in page. Check your connection and try again."));
}

void AccountSession::cookieAdded(const QNetworkCookie &cookie)
{
    m_cookies.removeIf([&](const QNetworkCookie &c) { return sameCookie(c, cookie); });
    m_cookies.append(cookie);
    cookiesDidChange();
}

void AccountSession::cookieRemoved(const QNetworkCookie &cookie)
{
    m_cookies.removeIf([&](const QNetworkCookie &c) { return sameCookie(c, cookie); });
    cookiesDidChange();
}

void AccountSession::cookiesDidChange()
{
    m_cookieTimer.start();   // restarts a pending one
}

bool AccountSession::hasLiveSession(LoginProvider provider) const
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QStringList names = provider.sessionCookieNames();
    for (const QNetworkCookie &cookie : m_cookies) {
        if (!provider.owns(cookie.domain()) || !names.contains(QString::fromUtf8(cookie.name())))
            continue;
        if (cookie.isSessionCookie() || !cookie.expirationDate().isValid() || cookie.expirationDate() > now)
            return true;
    }
    return false;
}

void AccountSession::refreshCookies()
{
    // The mirror is read at once, so scans cannot overlap; a scan during a sign-out changes nothing.
    if (m_clearing)
        return;
    for (LoginProvider p : LoginProvider::allCases()) {
        if (m_activeProvider == p)
            continue;
        if (hasLiveSession(p)) {
            const LoginStatus s = status(p);
            if (s == LoginStatus::unknown || s == LoginStatus::signedOut)
                setStatus(LoginStatus::savedSession, p);
        } else {
            setStatus(LoginStatus::signedOut, p);
        }
    }
    emit cookiesScanned();
}

std::optional<QString> AccountSession::probeScript()
{
    if (probeOverride())
        return *probeOverride();
    static const std::optional<QString> script = []() -> std::optional<QString> {
        QFile file(QStringLiteral(":/Resources/auth-probe.js"));
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        return QString::fromUtf8(file.readAll());
    }();
    return script;
}

void AccountSession::setProbeScript(const std::optional<QString> &script)
{
    probeOverride() = script;
}

void AccountSession::resetProbeScript()
{
    probeOverride().reset();
}

// The view stopped loading without showing the sign-in page: what it shows now is the truth.
void AccountSession::settleSignIn(BrowserPage *view)
{
    if (!m_pendingSignIn || !view || view != m_pendingSignIn->view || view->isLoading())
        return;
    m_pendingSignIn.reset();
    const QUrl url = view->url();
    if (url.isEmpty() || !AuthPolicy::isAuthentication(url))
        navigationChanged(url.isEmpty() ? std::nullopt : std::optional<QUrl>(url));
}

void AccountSession::refresh(BrowserPage *view, int afterMs)
{
    settleSignIn(view);
    ++m_probeGeneration;
    m_refreshView = view;
    m_refreshTimer.start(qMax(0, afterMs));
}

void AccountSession::inspect(BrowserPage *view)
{
    const std::optional<QString> script = probeScript();
    if (m_clearing || !view || m_mainWebView != view || view->isLoading() || view->url().isEmpty() || !script)
        return;
    const QUrl url = view->url();
    const std::optional<LoginProvider> provider = AuthPolicy::provider(url);
    if (!provider)
        return;
    // The probe is the body of a function of `provider`. A promise is no usable reply: the page
    // call of the engine does not wait for it.
    const QString call = QStringLiteral("(() => { const r = (function (provider) {\n%1\n})(%2);"
                                        " return (r && typeof r.then === 'function') ? null : r; })()")
                             .arg(*script, u'"' + provider->rawValue() + u'"');
    const quint64 generation = m_probeGeneration;
    QPointer<AccountSession> self(this);
    QPointer<BrowserPage> page(view);
    const LoginProvider p = *provider;
    view->runJavaScript(call, QWebEngineScript::MainWorld, [self, page, url, generation, p](const QVariant &result) {
        if (!self || !page)
            return;
        AccountSession &s = *self;
        if (generation != s.m_probeGeneration || s.m_clearing || s.m_mainWebView != page || page->url() != url
            || page->isLoading())
            return;
        if (result.typeId() != QMetaType::QVariantMap)
            return;
        const QVariantMap reply = result.toMap();
        for (const QVariant &v : reply)
            if (v.typeId() != QMetaType::Bool)
                return;
        emit s.probed(p, reply);
        const bool blocked = reply.value(QStringLiteral("blocked")).toBool();
        const bool signedIn = reply.value(QStringLiteral("signedIn")).toBool();
        const bool signedOut = reply.value(QStringLiteral("signedOut")).toBool();
        if (blocked) {
            s.m_probeRetries = 0;
            s.setStatus(LoginStatus::blocked, p);
            s.setMessage(tr("The service restricted in-app sign-in. A sign-in in an external browser is not carried "
                            "over to this app."));
        } else if (AuthPolicy::needsVerification(url)) {
            s.m_probeRetries = 0;
            s.setStatus(LoginStatus::verification, p);
        } else if (!AuthPolicy::isAuthentication(url) && signedIn) {
            s.m_probeRetries = 0;
            s.setStatus(LoginStatus::signedIn, p);
        } else if (signedOut && s.m_activeProvider != p) {
            s.m_probeRetries = 0;
            s.setStatus(LoginStatus::signedOut, p);
        } else if (AuthPolicy::isAuthentication(url) || s.m_probeRetries > 2) {
            s.m_probeRetries = 0;
        } else {
            ++s.m_probeRetries;
            s.refresh(page, 1500);
        }
    });
}

QCoro::Task<> AccountSession::signOut(LoginProvider provider)
{
    if (m_clearing)
        co_return;
    QPointer<AccountSession> self(this);
    setClearing(provider);
    m_pendingSignIn.reset();
    if (m_activeProvider == provider)
        setActiveProvider(std::nullopt);
    m_refreshTimer.stop();
    ++m_probeGeneration;
    m_cookieTimer.stop();

    QList<QPointer<BrowserPage>> views;
    for (const QPointer<BrowserPage> &view : std::as_const(m_attachedViews)) {
        if (!view || view->url().isEmpty())
            continue;
        if (AuthPolicy::provider(view->url()) == provider)
            views.append(view);
    }
    // Each view goes blank. One that starts loading anything else once that was asked for (a
    // link, the owner, a page script) will not, and the sign-out stops there.
    const QUrl blank(QStringLiteral("about:blank"));
    auto strayed = std::make_shared<bool>(false);
    QList<QMetaObject::Connection> watches;
    for (const QPointer<BrowserPage> &view : std::as_const(views)) {
        view->triggerAction(QWebEnginePage::Stop);
        watches << connect(view.data(), &BrowserPage::loadStateChanged, this,
                           [strayed, blank](const QWebEngineLoadingInfo &info) {
            if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus && info.url() != blank)
                *strayed = true;
        });
        view->load(blank);
    }
    auto closed = [&views] {
        for (const QPointer<BrowserPage> &view : views)
            if (view && (view->url().toString() != QLatin1String("about:blank") || view->isLoading()))
                return false;
        return true;
    };
    {
        const QDeadlineTimer ceiling(pageCeilingMs);
        while (!closed() && !*strayed && !ceiling.hasExpired()) {
            co_await QCoro::sleepFor(10ms);
            if (!self)
                co_return;
        }
    }
    for (const QMetaObject::Connection &watch : std::as_const(watches))
        disconnect(watch);
    if (*strayed || !closed()) {
        setClearing(std::nullopt);
        setMessage(tr("Couldn't close the web view, so you were not signed out. Please try again."));
        co_return;
    }

    // Page storage: a blank document of each of the site's origins, made without any request,
    // clears what that origin stored. A round ends once every origin answered, its page failed
    // to load or its web process ended; an origin that did not confirm is tried once more on a
    // new page; what still has not is reported, and the sign-in is left in place so that the
    // owner can sign out again.
    QStringList left = storageHosts(provider);
    for (int round = 0; round < 2 && !left.isEmpty(); ++round) {
        const QStringList tried = left;
        QList<QPointer<QWebEnginePage>> pages;
        auto cleared = std::make_shared<QSet<QString>>();
        auto refused = std::make_shared<QSet<QString>>();
        QList<std::shared_ptr<std::function<void()>>> polls;
        const QString script = clearStorageScript;
        for (const QString &host : tried) {
            auto *page = new QWebEnginePage(m_dataStore, this);
            pages << page;
            auto poll = std::make_shared<std::function<void()>>();
            polls << poll;
            QPointer<QWebEnginePage> watched(page);
            *poll = [watched, host, cleared, refused, poll] {
                if (!watched)
                    return;
                watched->runJavaScript(QStringLiteral(
                                           "typeof window.__vtCleared === 'boolean' ? window.__vtCleared : null"),
                                       QWebEngineScript::ApplicationWorld,
                                       [watched, host, cleared, refused, poll](const QVariant &answer) {
                    if (!*poll)
                        return;
                    if (answer.typeId() == QMetaType::Bool) {
                        (answer.toBool() ? cleared : refused)->insert(host);
                        *poll = nullptr;   // ends the cycle of the poll holding itself
                    } else if (watched) {
                        QTimer::singleShot(20, watched, [poll] {
                            if (*poll)
                                (*poll)();
                        });
                    }
                });
            };
            connect(page, &QWebEnginePage::loadFinished, page, [page, script, host, refused, poll](bool ok) {
                if (!*poll)
                    return;
                if (!ok) {
                    refused->insert(host);
                    *poll = nullptr;
                    return;
                }
                page->runJavaScript(script, QWebEngineScript::ApplicationWorld);
                (*poll)();
            });
            connect(page, &QWebEnginePage::renderProcessTerminated, page, [host, refused, poll] {
                if (!*poll)
                    return;
                refused->insert(host);
                *poll = nullptr;
            });
            page->setHtml(QStringLiteral("<!doctype html><title></title>"),
                          QUrl(QStringLiteral("https://") + host + u'/'));
        }
        const QDeadlineTimer ceiling(pageCeilingMs);
        while (cleared->size() + refused->size() < tried.size() && !ceiling.hasExpired()) {
            co_await QCoro::sleepFor(10ms);
            if (!self)
                co_return;
        }
        for (const auto &poll : std::as_const(polls))
            *poll = nullptr;
        for (const QPointer<QWebEnginePage> &page : std::as_const(pages))
            delete page.data();
        left.clear();
        for (const QString &host : tried)
            if (!cleared->contains(host))
                left << host;
    }
    if (!left.isEmpty()) {
        setClearing(std::nullopt);
        setMessage(uncleared(provider, left));
        refreshCookies();
        co_return;
    }

    // Cookies of the site's domains, then look again: the removal is done only when the store
    // reports them gone.
    auto owned = [this, provider] {
        QList<QNetworkCookie> out;
        for (const QNetworkCookie &cookie : std::as_const(m_cookies))
            if (provider.owns(cookie.domain()))
                out << cookie;
        return out;
    };
    for (const QNetworkCookie &cookie : owned())
        deleteCookie(cookie);
    {
        const QDeadlineTimer ceiling(cookieCeilingMs);
        while (!owned().isEmpty() && !ceiling.hasExpired()) {
            co_await QCoro::sleepFor(10ms);
            if (!self)
                co_return;
        }
    }
    if (hasLiveSession(provider)) {
        setClearing(std::nullopt);
        setMessage(incompleteRemovalText(provider));
        refreshCookies();
        co_return;
    }
    setStatus(LoginStatus::signedOut, provider);
    setClearing(std::nullopt);
    setMessage(removalText(provider));
    if (onSessionChanged)
        onSessionChanged(provider, provider.home());
}
