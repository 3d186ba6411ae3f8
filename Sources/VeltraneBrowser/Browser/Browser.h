#pragma once
// The application's one web browser: one tab per site, one shown at a time, the page identity
// (pageID, renewed whenever the shown page may have changed), the shown page's state mirrored into
// properties, the media toggles, and the site sign-in object `accounts`.
//
// All tabs share one persistent QWebEngineProfile (cookies and sessions are common to all).
// The browser has no widgets: a window shows currentTab()->page() in a QWebEngineView and follows
// currentTabChanged().

#include "Browser/AccountSession.h"
#include "Sites/LoginProvider.h"
#include "Browser/BrowserTab.h"
#include "Browser/PageLoad.h"

#include <QHash>
#include <QObject>
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>

class AppSettings;
class QWebEngineProfile;

class Browser : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString address READ address NOTIFY addressChanged)
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
    Q_PROPERTY(bool isLoading READ isLoading NOTIFY isLoadingChanged)
    Q_PROPERTY(bool canGoBack READ canGoBack NOTIFY canGoBackChanged)
    Q_PROPERTY(bool canGoForward READ canGoForward NOTIFY canGoForwardChanged)
    Q_PROPERTY(QString error READ error NOTIFY errorChanged)
    Q_PROPERTY(bool isMuted READ isMuted NOTIFY isMutedChanged)
    Q_PROPERTY(bool blocksAutoplay READ blocksAutoplay NOTIFY blocksAutoplayChanged)
public:
    using PageFactory = std::function<BrowserPage *(QWebEngineProfile *profile)>;

    // dataStore: the profile of every tab (default: the persistent profile under the data
    // folder, see defaultProfile()); makeWebView: the page factory (default: a BrowserPage);
    // preferences: where the media toggles are read and written (none: both on, nothing stored).
    explicit Browser(QWebEngineProfile *dataStore = nullptr, PageFactory makeWebView = {},
                     AppSettings *preferences = nullptr, QObject *parent = nullptr);
    ~Browser() override;

    // The persistent profile "Veltrane" with its storage and cache under the data folder
    // (GenericDataLocation/Veltrane/web), made once per process.
    static QWebEngineProfile *defaultProfile();
    // Deletes the shared profile once every page over it is gone, before the application ends,
    // and waits (at most 3 s) until its cookie file holds the lasting cookies of `kept`.
    static void releaseDefaultProfile(const QList<QNetworkCookie> &kept = {});

    LoginProvider selectedSite() const { return m_selectedSite; }
    BrowserTab *currentTab() const { return m_tabs.value(m_selectedSite); }
    BrowserTab *tab(LoginProvider site) const { return m_tabs.value(site); }
    AccountSession *accounts() const { return m_accounts; }
    QUuid pageID() const { return m_pageID; }

    QString address() const { return m_address; }
    QString title() const { return m_title; }
    bool isLoading() const { return m_isLoading; }
    bool canGoBack() const { return m_canGoBack; }
    bool canGoForward() const { return m_canGoForward; }
    QString error() const { return m_error; }
    bool isMuted() const { return m_isMuted; }
    bool blocksAutoplay() const { return m_blocksAutoplay; }

    // Opens a typed or stored address.
    void open(const QString &text);
    // Opens it the same way and watches that load in the page it goes to, from before it begins;
    // none when the address is refused.
    std::unique_ptr<PageLoad> openWatched(const QString &text);
    // Shows a site's tab, opening its home page if the tab was never asked for anything.
    void selectSite(LoginProvider site);
    // Shows a site's tab and starts that site's sign-in in it.
    void signIn(LoginProvider site);
    // Loads the failed address again, or reloads.
    void retry();
    void setMuted(bool on);
    void setAutoplayBlocked(bool on);

    // The message for a failed load with the engine's error code.
    static QString failureText(int code);

    static std::optional<QUrl> pageURL(const QString &text, const QString &base);
    static std::optional<QUrl> navigationURL(const QString &text, const QString &base);
    // The media policy script for two flag values; its first line is mediaScriptMarker.
    static QString mediaScript(bool muted, bool blocksAutoplay);
    static const QString mediaScriptMarker;

    // Called after a page change (several times for one load; receivers accept repeats).
    std::function<void()> onNavigate;
    // Asked before selectSite, signIn, a main-frame navigation to a sign-in page and a pop-up.
    std::function<bool()> canStartLogin;

signals:
    void selectedSiteChanged();
    void currentTabChanged(BrowserPage *page);
    void addressChanged();
    void titleChanged();
    void isLoadingChanged();
    void canGoBackChanged();
    void canGoForwardChanged();
    void errorChanged();
    void isMutedChanged();
    void blocksAutoplayChanged();
    // A page dialog answered without showing it (see BrowserPage).
    void pageDialog(BrowserPage::DialogKind kind, const QString &message);

private:
    BrowserTab *makeTab();
    BrowserTab *tabOf(const BrowserPage *page) const;
    void activate(LoginProvider site);
    // starting: the address a main-frame load has just started for (the page's own address lags).
    void sync(bool invalidate, const QUrl &starting = QUrl());
    void navigationFailed(const LoadFailure &failure, BrowserPage *view);
    void sessionChanged(LoginProvider site, const std::optional<QUrl> &url);
    void applyMediaPolicy();
    void installMediaScript(BrowserPage *page);
    void setError(const QString &text);
    void suspendMedia(BrowserPage *page, bool suspend);
    bool loginAllowed() const { return !canStartLogin || canStartLogin(); }

    QWebEngineProfile *m_profile;
    PageFactory m_makeWebView;
    AppSettings *m_preferences;
    AccountSession *m_accounts;
    LoginProvider m_selectedSite = LoginProvider::youtube;
    QHash<LoginProvider, BrowserTab *> m_tabs;
    QUuid m_pageID = QUuid::createUuid();
    QString m_address;
    QUrl m_pageURL;   // the shown page's own address at the last sync
    QString m_title;
    bool m_isLoading = false;
    bool m_canGoBack = false;
    bool m_canGoForward = false;
    QString m_error;
    bool m_isMuted = true;
    bool m_blocksAutoplay = true;
};
