#pragma once
// The sign-in state of each site, learnt from the current page's navigation (reported by the
// browser), from the shared cookie store and from a small probe script run in the page. Also
// starts a sign-in and signs a site out of the built-in browser.
//
// Qt cannot list all cookies, so the session keeps a mirror of the profile's cookie store, fed
// by its cookieAdded/cookieRemoved notifications and started from the cookies the profile left on
// disk (StoredCookies).

#include "Sites/LoginProvider.h"
#include "Sites/LoginStatus.h"
#include "Browser/LoadFailure.h"

#include <QHash>
#include <QList>
#include <QNetworkCookie>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QVariantMap>
#include <QCoro/QCoroTask>

#include <functional>
#include <optional>

class BrowserPage;
class QWebEngineProfile;

class AccountSession : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString message READ message NOTIFY messageChanged)
public:
    explicit AccountSession(QWebEngineProfile *dataStore, QObject *parent = nullptr);
    ~AccountSession() override;

    QWebEngineProfile *dataStore() const { return m_dataStore; }
    QHash<LoginProvider, LoginStatus> statuses() const { return m_statuses; }
    // unknown for a site without an entry.
    LoginStatus status(LoginProvider provider) const;
    // The site whose authentication page the main page shows.
    std::optional<LoginProvider> activeProvider() const { return m_activeProvider; }
    // The site being signed out.
    std::optional<LoginProvider> clearing() const { return m_clearing; }
    QString message() const { return m_message; }
    // Page work must not start while this is true.
    bool isAuthenticating() const { return m_activeProvider.has_value() || m_clearing.has_value(); }

    BrowserPage *mainWebView() const { return m_mainWebView; }
    // The current tab's page becomes the main page.
    void attach(BrowserPage *view);
    // Opens the site's sign-in page in the main page.
    void signIn(LoginProvider provider, const std::optional<QUrl> &returnTo);
    // The main page's address changed, a main-frame load started, or another tab became current.
    void navigationChanged(const std::optional<QUrl> &url);
    // The main page was asked to load url: when that is no sign-in page, a sign-in that the page
    // showed or was loading is over (the engine may not report that load's start).
    void openingPage(const QUrl &url);
    // A main-frame load failed while provider's sign-in was active.
    void navigationFailed(const LoadFailure &failure, LoginProvider provider);

    // Probes view after afterMs milliseconds, replacing a probe still pending.
    void refresh(BrowserPage *view, int afterMs);
    // Removes the site's cookies and the page storage of its origins from the built-in browser,
    // once its pages went blank; done only when every origin confirmed its storage cleared and
    // the cookie store reports the cookies gone. Storage that cannot be cleared leaves the
    // cookies in place and the message names what is left. The outcome shows in statuses,
    // clearing and message.
    QCoro::Task<> signOut(LoginProvider provider);

    // Called after a completed sign-out with the site and its home page.
    std::function<void(LoginProvider, std::optional<QUrl>)> onSessionChanged;

    // The mirror of the cookie store.
    QList<QNetworkCookie> cookies() const { return m_cookies; }

    // ":/Resources/auth-probe.js", read once; none when missing (then no probe runs).
    static std::optional<QString> probeScript();
    // Replaces the probe script for the rest of the run (tests).
    static void setProbeScript(const std::optional<QString> &script);
    // Back to the script of the resource.
    static void resetProbeScript();

    // How a sign-out deletes one cookie; tests replace it to see a deletion that does not happen.
    std::function<void(const QNetworkCookie &)> deleteCookie;
    // The script a sign-out runs in a blank page of each of the site's origins; it sets
    // window.__vtCleared to true once that origin's storage is gone, or to false when it cannot
    // be cleared. Tests replace it to hold it back.
    QString clearStorageScript;
    // A sign-out waits for the pages' own answers (or their loads failing); these only bound a
    // page that never answers (closing the views, each of the two clearing rounds) and a cookie
    // store that never reports the removal.
    int pageCeilingMs = 60000;
    int cookieCeilingMs = 30000;

    int probeRetries() const { return m_probeRetries; }

signals:
    void statusesChanged();
    void activeProviderChanged();
    void clearingChanged();
    void messageChanged();
    // A cookie scan decided the sites (tests, diagnostics).
    void cookiesScanned();
    // One probe finished with a usable reply (tests, diagnostics).
    void probed(LoginProvider provider, const QVariantMap &reply);

private:
    void setStatus(LoginStatus status, LoginProvider provider);
    void setMessage(const QString &text);
    void setActiveProvider(const std::optional<LoginProvider> &provider);
    void setClearing(const std::optional<LoginProvider> &provider);
    void cookiesDidChange();
    void refreshCookies();
    void inspect(BrowserPage *view);
    bool hasLiveSession(LoginProvider provider) const;
    void cookieAdded(const QNetworkCookie &cookie);
    void cookieRemoved(const QNetworkCookie &cookie);
    void settleSignIn(BrowserPage *view);

    QWebEngineProfile *m_dataStore;
    QHash<LoginProvider, LoginStatus> m_statuses;
    std::optional<LoginProvider> m_activeProvider;
    std::optional<LoginProvider> m_clearing;
    QString m_message;
    QPointer<BrowserPage> m_mainWebView;
    QList<QPointer<BrowserPage>> m_attachedViews;
    int m_probeRetries = 0;
    quint64 m_probeGeneration = 0;
    QTimer m_refreshTimer;
    QPointer<BrowserPage> m_refreshView;
    QTimer m_cookieTimer;
    QList<QNetworkCookie> m_cookies;
    // A sign-in page asked for and its view not settled yet: while it loads, the page it leaves
    // may still report its own address (a late commit). Such reports are not taken then; when
    // the view stops loading, the page it shows decides.
    struct PendingSignIn {
        QPointer<BrowserPage> view;
    };
    std::optional<PendingSignIn> m_pendingSignIn;
};
