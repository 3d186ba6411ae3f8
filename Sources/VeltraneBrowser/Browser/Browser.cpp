#include "Browser/Browser.h"
#include "Browser/StoredCookies.h"

#include "Base/AppSettings.h"
#include "Sites/AuthPolicy.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QPointer>
#include <QStandardPaths>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include <set>
#include <tuple>

namespace {

const QString lastPageKey = QStringLiteral("vt.lastPage");
const QString mutedKey = QStringLiteral("vt.browserMuted");
const QString noAutoplayKey = QStringLiteral("vt.browserNoAutoplay");

// Chromium's "aborted": the load was replaced by another one or stopped.
constexpr int abortedCode = -3;
constexpr int unreportedCode = -2;   // Chromium's FAILED: the load asked for ended without a report

// The page side of the media policy. INITIAL and INITIAL_BLOCK are the only variable parts.
const char mediaPolicySource[] = R"JS((() => {
  const initial = INITIAL;
  const initialBlock = INITIAL_BLOCK;
  if (typeof window.__glimoraSetMuted === 'function') {
    window.__glimoraSetMuted(initial);
    window.__glimoraSetAutoplayBlocked(initialBlock);
    return;
  }
  const gestureWindow = 2500;
  const EVENTS = ['play', 'playing', 'volumechange', 'loadedmetadata', 'timeupdate'];

  // Sets the policy up in one window. A same-origin frame that runs no document script of its
  // own (about:blank, srcdoc, a frame the page writes itself) gets it from its parent, with the
  // parent's flags and the parent's gestures.
  const install = (window, initialMuted, initialBlocked, parentGesture) => {
    const document = window.document;
    const location = window.location;
    const HTMLMediaElement = window.HTMLMediaElement;
    const proto = HTMLMediaElement.prototype;
    const nativePlay = proto.play;
    let muted = initialMuted;
    let blocked = initialBlocked;
    const ownMuted = new WeakMap();
    const seen = new WeakSet();
    const refs = new Set();
    const startedAt = new WeakMap();
    const roots = new WeakSet();
    const rootRefs = new Set();
    const children = new Set();
    let lastGesture = -Infinity;
    const isMedia = (el) => !!el && (el instanceof HTMLMediaElement
      || (el.nodeType === 1 && (el.localName === 'video' || el.localName === 'audio') && typeof el.pause === 'function'));

    const gesture = (event) => { if (event.isTrusted) lastGesture = window.performance.now(); };
    for (const type of ['pointerdown', 'mousedown', 'keydown', 'touchend'])
      window.addEventListener(type, gesture, true);
    const recentGesture = () => window.performance.now() - lastGesture <= gestureWindow || (!!parentGesture && parentGesture());

    const permitted = (el) => {
      if (recentGesture()) {
        startedAt.set(el, location.href);
        return true;
      }
      return startedAt.get(el) === location.href;
    };
    const onMediaEvent = (event) => apply(event.target, event.type === 'play');
    // Mutes it, and stops it when it plays without the owner (a start within the owner's gesture
    // counts as the owner's; anything seen playing later must have been started by the owner at
    // this address). An element is registered once and then watched itself, so it is kept in
    // check also outside the document (made but not added).
    const apply = (el, starting = false) => {
      if (!isMedia(el)) return;
      if (!seen.has(el)) {
        seen.add(el);
        refs.add(new WeakRef(el));
        for (const type of EVENTS) el.addEventListener(type, onMediaEvent, true);
      }
      if (muted) {
        if (!ownMuted.has(el)) ownMuted.set(el, el.muted);
        if (!el.muted) el.muted = true;
      }
      if (blocked && !el.paused && !(starting ? permitted(el) : startedAt.get(el) === location.href)) el.pause();
    };
    const live = (set) => {
      const out = [];
      for (const ref of set) {
        const x = ref.deref();
        if (x) out.push(x); else set.delete(ref);
      }
      return out;
    };

    // A same-origin child frame without a policy of its own gets this one.
    const frameWindow = new Map();   // the engine's own contentWindow getter per frame class
    for (const Frame of [window.HTMLIFrameElement, window.HTMLFrameElement]) {
      const d = Frame && Object.getOwnPropertyDescriptor(Frame.prototype, 'contentWindow');
      if (d && d.get) frameWindow.set(Frame.prototype, d.get);
    }
    const adopt = (frame) => {
      let child = null;
      try {
        const get = frameWindow.get(Object.getPrototypeOf(frame));
        child = get ? get.call(frame) : null;
      } catch (e) { return; }
      if (!child || child === window) return;
      try {
        if (typeof child.__glimoraSetMuted === 'function' || !child.document) return;
      } catch (e) { return; }   // another origin: its own document script runs there
      try { install(child, muted, blocked, recentGesture); children.add(new WeakRef(child)); } catch (e) {}
    };

    const sweepIn = (root) => {
      for (const el of root.querySelectorAll('video, audio, iframe, frame')) {
        if (el.localName === 'iframe' || el.localName === 'frame') adopt(el);
        else apply(el);
      }
    };
    // Media events do not leave a shadow root: each root is watched on its own.
    const watchRoot = (root) => {
      if (!root || roots.has(root)) return;
      roots.add(root);
      rootRefs.add(new WeakRef(root));
      for (const type of EVENTS) root.addEventListener(type, onMediaEvent, true);
      new window.MutationObserver(() => sweepIn(root)).observe(root, { childList: true, subtree: true });
      sweepIn(root);
    };
    // Open roots made by the parser (declarative) never pass attachShadow.
    const findRoots = () => {
      for (const el of document.querySelectorAll('*')) if (el.shadowRoot) watchRoot(el.shadowRoot);
    };
    const sweep = () => {
      sweepIn(document);
      for (const root of live(rootRefs)) sweepIn(root);
    };
    const relay = () => {
      const message = { type: 'glimora-media-mode', muted, autoplayBlocked: blocked };
      for (let i = 0; i < window.frames.length; i++) {
        try { window.frames[i].postMessage(message, '*'); } catch (e) {}
      }
      // Adopted frames hear it directly too: a document.open() in them drops their listeners.
      for (const child of live(children)) {
        try { child.__glimoraSetMuted(muted); child.__glimoraSetAutoplayBlocked(blocked); } catch (e) {}
      }
    };

    window.__glimoraSetMuted = (value) => {
      muted = !!value;
      for (const el of live(refs)) {
        if (muted) apply(el);
        else if (ownMuted.has(el)) { el.muted = ownMuted.get(el); ownMuted.delete(el); }
      }
      sweep();
      relay();
    };
    window.__glimoraSetAutoplayBlocked = (value) => {
      blocked = !!value;
      sweep();
      if (blocked)
        for (const el of live(refs))
          if (!el.paused && startedAt.get(el) !== location.href) el.pause();
      relay();
    };

    window.addEventListener('message', (event) => {
      const data = event.data;
      if (event.source !== window.parent || !data || data.type !== 'glimora-media-mode') return;
      if (typeof data.muted === 'boolean') window.__glimoraSetMuted(data.muted);
      if (typeof data.autoplayBlocked === 'boolean') window.__glimoraSetAutoplayBlocked(data.autoplayBlocked);
    });
    for (const type of EVENTS)
      window.addEventListener(type, onMediaEvent, true);

    proto.play = function (...args) {
      apply(this);
      if (blocked && !permitted(this))
        return window.Promise.reject(new window.DOMException('Glimora: autoplay is off', 'NotAllowedError'));
      return nativePlay.apply(this, args);
    };
    // Media made by script is watched from the start, before it is added anywhere.
    const docProto = window.Document.prototype;
    const nativeCreate = docProto.createElement;
    docProto.createElement = function (...args) {
      const el = nativeCreate.apply(this, args);
      if (isMedia(el)) apply(el);
      return el;
    };
    const nativeCreateNS = docProto.createElementNS;
    docProto.createElementNS = function (...args) {
      const el = nativeCreateNS.apply(this, args);
      if (isMedia(el)) apply(el);
      return el;
    };
    const NativeAudio = window.Audio;
    if (typeof NativeAudio === 'function') {
      const Audio = function Audio(...args) {
        const el = new NativeAudio(...args);
        apply(el);
        return el;
      };
      Audio.prototype = NativeAudio.prototype;
      window.Audio = Audio;
    }
    const nativeAttach = window.Element.prototype.attachShadow;
    if (nativeAttach) {
      window.Element.prototype.attachShadow = function (...args) {
        const root = nativeAttach.apply(this, args);
        watchRoot(root);
        return root;
      };
    }
    // A frame the page reaches for (to write into it) gets the policy before the page uses it.
    for (const Frame of [window.HTMLIFrameElement, window.HTMLFrameElement]) {
      if (!Frame) continue;
      for (const name of ['contentWindow', 'contentDocument']) {
        const d = Object.getOwnPropertyDescriptor(Frame.prototype, name);
        if (!d || !d.get) continue;
        Object.defineProperty(Frame.prototype, name, Object.assign({}, d, {
          get() { adopt(this); return d.get.call(this); },
        }));
      }
    }

    new window.MutationObserver(sweep).observe(document, { childList: true, subtree: true });
    document.addEventListener('DOMContentLoaded', () => { findRoots(); sweep(); relay(); });
    window.addEventListener('load', () => { findRoots(); sweep(); relay(); });
    sweep();
  };
  install(window, initial, initialBlock, null);
})();
)JS";

// The page's own title. For a page without one the engine reports its address (without a
// trailing slash on a bare host, or without "http://"); that is no title.
QString ownTitle(const QWebEnginePage *view)
{
    const QString title = view->title();
    const QUrl url = view->url();
    if (title.isEmpty() || url.isEmpty())
        return title;
    for (const QString &shown : {url.toString(), url.toDisplayString()}) {
        QStringList forms{shown};
        if (shown.endsWith(QLatin1Char('/')))
            forms << shown.chopped(1);
        for (const QString &form : std::as_const(forms)) {
            if (title == form || (form.startsWith(QLatin1String("http://")) && title == form.mid(7)))
                return QString();
        }
    }
    return title;
}

}   // namespace

const QString Browser::mediaScriptMarker = QStringLiteral("// Glimora media policy");

QString Browser::mediaScript(bool muted, bool blocksAutoplay)
{
    QString body = QString::fromLatin1(mediaPolicySource);
    body.replace(QStringLiteral("INITIAL_BLOCK"), blocksAutoplay ? QStringLiteral("true") : QStringLiteral("false"));
    body.replace(QStringLiteral("INITIAL"), muted ? QStringLiteral("true") : QStringLiteral("false"));
    return mediaScriptMarker + u'\n' + body;
}

namespace {
QPointer<QWebEngineProfile> sharedProfile;
}

QWebEngineProfile *Browser::defaultProfile()
{
    if (!sharedProfile) {
        auto *p = new QWebEngineProfile(QStringLiteral("Veltrane"), QCoreApplication::instance());
        const QString root = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
            + QStringLiteral("/Veltrane/web");
        p->setPersistentStoragePath(root);
        p->setCachePath(root + QStringLiteral("/cache"));
        p->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
        sharedProfile = p;
    }
    return sharedProfile;
}

void Browser::releaseDefaultProfile(const QList<QNetworkCookie> &kept)
{
    if (!sharedProfile)
        return;
    const QString storage = sharedProfile->persistentStoragePath();
    // The engine writes the cookie file as the profile goes, on its own threads. Left to the
    // application's children, the profile went after the engine had shut down, and a busy
    // machine lost the last cookies (a sign-in) that way.
    delete sharedProfile.data();

    // Wait, within a bound, until the file holds what the session last knew; the engine gives no
    // signal for it.
    using Key = std::tuple<QByteArray, QString, QString>;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    auto persistent = [&now](const QList<QNetworkCookie> &cookies) {
        std::set<Key> keys;
        for (const QNetworkCookie &c : cookies) {
            if (!c.isSessionCookie() && c.expirationDate() > now)
                keys.insert({c.name(), c.domain(), c.path()});
        }
        return keys;
    };
    const std::set<Key> expected = persistent(kept);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 3000 && persistent(StoredCookies::read(storage)) != expected) {
        QEventLoop loop;
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

Browser::Browser(QWebEngineProfile *dataStore, PageFactory makeWebView, AppSettings *preferences, QObject *parent)
    : QObject(parent)
    , m_profile(dataStore ? dataStore : defaultProfile())
    , m_makeWebView(makeWebView ? std::move(makeWebView)
                                : PageFactory([](QWebEngineProfile *p) { return new BrowserPage(p); }))
    , m_preferences(preferences)
{
    // The media toggles decide what may play; the engine's own gesture rule would count the
    // application's injected scripts and hide what the owner chose.
    m_profile->settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    // A failed load shows the application's own message above the page, not the engine's page.
    m_profile->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    if (m_preferences) {
        m_isMuted = m_preferences->boolValue(mutedKey, true);
        m_blocksAutoplay = m_preferences->boolValue(noAutoplayKey, true);
    }
    m_accounts = new AccountSession(m_profile, this);
    BrowserTab *first = makeTab();
    m_tabs.insert(LoginProvider::youtube, first);
    m_accounts->attach(first->page());
    QPointer<Browser> self(this);
    m_accounts->onSessionChanged = [self](LoginProvider site, const std::optional<QUrl> &url) {
        if (self)
            self->sessionChanged(site, url);
    };
}

Browser::~Browser()
{
    m_accounts->onSessionChanged = nullptr;
    // Pages go before the session that observes them.
    qDeleteAll(m_tabs);
    m_tabs.clear();
}

std::optional<QUrl> Browser::pageURL(const QString &text, const QString &base)
{
    return AuthPolicy::pageURL(text, base);
}

std::optional<QUrl> Browser::navigationURL(const QString &text, const QString &base)
{
    return AuthPolicy::navigationURL(text, base);
}

BrowserTab *Browser::tabOf(const BrowserPage *page) const
{
    for (BrowserTab *tab : m_tabs)
        if (tab->page() == page)
            return tab;
    return nullptr;
}

void Browser::setError(const QString &text)
{
    if (m_error == text)
        return;
    m_error = text;
    emit errorChanged();
}

BrowserTab *Browser::makeTab()
{
    BrowserPage *page = m_makeWebView(m_profile);
    auto *tab = new BrowserTab(page, this);
    installMediaScript(page);
    QPointer<Browser> self(this);
    auto isCurrent = [self, page] { return self && self->currentTab() && self->currentTab()->page() == page; };

    page->navigationPolicy = [self](const QUrl &url, QWebEnginePage::NavigationType, bool isMainFrame) {
        if (!self || !isMainFrame || !AuthPolicy::isAuthentication(url) || self->loginAllowed())
            return true;
        self->setError(tr("Finish the current comment task before signing in."));
        return false;
    };

    connect(page, &BrowserPage::loadStateChanged, this,
            [this, tab, page, isCurrent](const QWebEngineLoadingInfo &info) {
        switch (info.status()) {
        case QWebEngineLoadingInfo::LoadStartedStatus:
            tab->asked.reset();
            tab->clearError();
            if (isCurrent()) {
                setError(QString());
                sync(true, info.url());
            }
            break;
        case QWebEngineLoadingInfo::LoadSucceededStatus:
            // The page before ended while the load asked for reported nothing: the engine will not
            // report it any more (it failed, showing its own error text in the old page).
            if (tab->asked && info.url() != *tab->asked) {
                const QUrl asked = *tab->asked;
                tab->asked.reset();
                navigationFailed({asked, unreportedCode, QString(), false}, page);
                break;
            }
            tab->asked.reset();
            if (tab->errorURL == info.url()) {
                tab->clearError();
                if (isCurrent())
                    setError(QString());
            }
            page->runJavaScript(mediaScript(m_isMuted, m_blocksAutoplay), QWebEngineScript::MainWorld);
            tab->failedURL.reset();
            if (isCurrent())
                sync(false);
            break;
        case QWebEngineLoadingInfo::LoadFailedStatus:
            tab->asked.reset();
            // An HTTP error status still shows the server's page.
            if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain) {
                tab->failedURL.reset();
                if (isCurrent())
                    sync(false);
                break;
            }
            navigationFailed({info.url(), info.errorCode(), info.errorString(), info.errorCode() == abortedCode}, page);
            if (info.errorCode() == abortedCode && isCurrent())
                sync(false);
            break;
        case QWebEngineLoadingInfo::LoadStoppedStatus:
            if (isCurrent())
                sync(false);
            break;
        }
    });
    auto observe = [this, isCurrent] {
        if (isCurrent())
            sync(false);
    };
    connect(page, &QWebEnginePage::urlChanged, this, observe);
    connect(page, &QWebEnginePage::titleChanged, this, observe);
    connect(page->action(QWebEnginePage::Back), &QAction::changed, this, observe);
    connect(page->action(QWebEnginePage::Forward), &QAction::changed, this, observe);

    connect(page, &QWebEnginePage::renderProcessTerminated, this, [this, tab, isCurrent] {
        tab->error = tr("The web view stopped. Please reload.");
        tab->errorURL.clear();
        if (isCurrent()) {
            setError(tab->error);
            sync(true);
        }
    });
    // No window is ever made: a secure pop-up opens in the page that asked for it.
    connect(page, &QWebEnginePage::newWindowRequested, this, [this, page](QWebEngineNewWindowRequest &request) {
        if (!loginAllowed())
            return;
        const QUrl url = request.requestedUrl();
        if (AuthPolicy::isSecure(url))
            page->load(url);
    });
    connect(page, &BrowserPage::dialogRequested, this, &Browser::pageDialog);
    return tab;
}

void Browser::activate(LoginProvider site)
{
    if (site == m_selectedSite)
        return;
    suspendMedia(currentTab()->page(), true);
    if (!m_tabs.contains(site))
        m_tabs.insert(site, makeTab());
    m_selectedSite = site;
    BrowserTab *tab = currentTab();
    emit selectedSiteChanged();
    emit currentTabChanged(tab->page());
    suspendMedia(tab->page(), false);
    m_accounts->attach(tab->page());
    setError(tab->error);
    sync(true);
}

void Browser::suspendMedia(BrowserPage *page, bool suspend)
{
    // In the application's own world: the page's scripts neither see nor undo it.
    page->setAudioMuted(suspend);
    page->runJavaScript(
        suspend
            ? QStringLiteral(
                "document.querySelectorAll('video, audio').forEach(e => { if (!e.paused) { e.__vtSuspended = true; e.pause(); } });")
            : QStringLiteral(
                "document.querySelectorAll('video, audio').forEach(e => { if (e.__vtSuspended) { delete e.__vtSuspended; e.play().catch(() => {}); } });"),
        QWebEngineScript::ApplicationWorld);
}

void Browser::open(const QString &text)
{
    openWatched(text);
}

std::unique_ptr<PageLoad> Browser::openWatched(const QString &text)
{
    const std::optional<QUrl> url = navigationURL(text, m_address);
    if (!url) {
        setError(tr("Enter a YouTube or Instagram address."));
        return nullptr;
    }
    if (const std::optional<LoginProvider> site = AuthPolicy::provider(*url))
        activate(*site);
    BrowserTab *tab = currentTab();
    tab->requested = true;
    tab->clearError();
    tab->failedURL.reset();
    setError(QString());
    // The load asked for decides: a sign-in that the page before it showed or was loading is
    // over, although the engine may not report this load's start.
    m_accounts->openingPage(*url);
    tab->page()->endLoad();
    tab->asked = *url;
    // The engine may report the load's start before load() returns.
    auto watch = std::make_unique<PageLoad>(tab->page(), *url);
    tab->page()->load(*url);
    return watch;
}

void Browser::selectSite(LoginProvider site)
{
    if (m_accounts->clearing() || !loginAllowed())
        return;
    activate(site);
    if (!currentTab()->requested)
        open(site.home().toString());
}

void Browser::signIn(LoginProvider site)
{
    if (m_accounts->clearing() || !loginAllowed())
        return;
    activate(site);
    BrowserTab *tab = currentTab();
    tab->requested = true;
    const QUrl current = tab->page()->url();
    m_accounts->signIn(site, current.isEmpty() ? std::nullopt : std::optional<QUrl>(current));
}

void Browser::retry()
{
    BrowserTab *tab = currentTab();
    setError(QString());
    tab->clearError();
    if (tab->failedURL) {
        const QUrl url = *tab->failedURL;
        tab->failedURL.reset();
        tab->page()->endLoad();
        tab->asked = url;
        tab->page()->load(url);
    } else {
        tab->page()->triggerAction(QWebEnginePage::ReloadAndBypassCache);
    }
}

void Browser::setMuted(bool on)
{
    if (on == m_isMuted)
        return;
    m_isMuted = on;
    if (m_preferences)
        m_preferences->setValue(mutedKey, on);
    emit isMutedChanged();
    applyMediaPolicy();
}

void Browser::setAutoplayBlocked(bool on)
{
    if (on == m_blocksAutoplay)
        return;
    m_blocksAutoplay = on;
    if (m_preferences)
        m_preferences->setValue(noAutoplayKey, on);
    emit blocksAutoplayChanged();
    applyMediaPolicy();
}

void Browser::applyMediaPolicy()
{
    const QString script = mediaScript(m_isMuted, m_blocksAutoplay);
    for (BrowserTab *tab : std::as_const(m_tabs)) {
        installMediaScript(tab->page());
        tab->page()->runJavaScript(script, QWebEngineScript::MainWorld);
    }
}

void Browser::installMediaScript(BrowserPage *page)
{
    QWebEngineScriptCollection &scripts = page->scripts();
    for (const QWebEngineScript &script : scripts.toList())
        if (script.sourceCode().startsWith(mediaScriptMarker))
            scripts.remove(script);
    QWebEngineScript script;
    script.setName(QStringLiteral("vt-media-policy"));
    script.setSourceCode(mediaScript(m_isMuted, m_blocksAutoplay));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(true);
    script.setWorldId(QWebEngineScript::MainWorld);
    scripts.insert(script);
}

void Browser::sync(bool invalidate, const QUrl &starting)
{
    BrowserPage *view = currentTab()->page();
    const QUrl url = view->url();
    // After a failed load the page keeps what it showed before; the address is the one that failed
    // (the sign-in tracking has been told of the failure, and follows the page).
    const QUrl shown = currentTab()->errorURL.isEmpty() ? url : currentTab()->errorURL;
    // At a load's start the page still reports the address it leaves; the sign-in tracking
    // is told the one being loaded.
    const QUrl reported = starting.isEmpty() ? url : starting;
    const QString newAddress = shown.isEmpty() ? QString() : shown.toString(QUrl::FullyEncoded);
    const bool changed = newAddress != m_address;
    const bool moved = url != m_pageURL;
    const bool flipped = m_isLoading != view->isLoading();
    if (invalidate || changed || moved) {
        m_pageID = QUuid::createUuid();
        if (invalidate || moved)
            m_accounts->navigationChanged(reported.isEmpty() ? std::nullopt : std::optional<QUrl>(reported));
        m_pageURL = url;
        if (changed) {
            m_address = newAddress;
            emit addressChanged();
        }
    }
    const QString title = ownTitle(view);
    if (title != m_title) {
        m_title = title;
        emit titleChanged();
    }
    if (flipped) {
        m_isLoading = view->isLoading();
        emit isLoadingChanged();
    }
    if (view->history()->canGoBack() != m_canGoBack) {
        m_canGoBack = !m_canGoBack;
        emit canGoBackChanged();
    }
    if (view->history()->canGoForward() != m_canGoForward) {
        m_canGoForward = !m_canGoForward;
        emit canGoForwardChanged();
    }
    if (changed && !url.isEmpty() && url == shown && AuthPolicy::canRestore(url))
        AppSettings::shared().setValue(lastPageKey, newAddress);
    if (invalidate || changed || moved || flipped) {
        if (onNavigate)
            onNavigate();
        if (!m_isLoading)
            m_accounts->refresh(view, 250);
    }
}

void Browser::navigationFailed(const LoadFailure &failure, BrowserPage *view)
{
    if (failure.cancelled)
        return;
    BrowserTab *tab = tabOf(view);
    if (!tab)
        return;
    if (failure.url.isValid() && AuthPolicy::canRestore(failure.url))
        tab->failedURL = failure.url;
    else
        tab->failedURL.reset();
    tab->error = failureText(failure.code);
    tab->errorURL = failure.url;
    if (tab != currentTab())
        return;
    setError(tab->error);
    // The sign-in in progress is the one that failed: asked before the view settles, since the
    // settled view (which keeps its earlier page) would end the sign-in as if it had been left.
    const std::optional<LoginProvider> active = m_accounts->activeProvider();
    if (active)
        m_accounts->navigationFailed(failure, *active);
    sync(false);
}

QString Browser::failureText(int code)
{
    // Chromium's network error codes, grouped by what the owner can do about them.
    QString reason;
    switch (code) {
    case -106:   // INTERNET_DISCONNECTED
    case -21:    // NETWORK_CHANGED
    case -109:   // ADDRESS_UNREACHABLE
        reason = tr("Check the internet connection.");
        break;
    case -105:   // NAME_NOT_RESOLVED
    case -137:   // NAME_RESOLUTION_FAILED
        reason = tr("The site's address could not be found. Check the internet connection.");
        break;
    case -7:     // TIMED_OUT
    case -118:   // CONNECTION_TIMED_OUT
        reason = tr("The site took too long to answer.");
        break;
    case -100:   // CONNECTION_CLOSED
    case -101:   // CONNECTION_RESET
    case -102:   // CONNECTION_REFUSED
    case -104:   // CONNECTION_FAILED
    case -324:   // EMPTY_RESPONSE
        reason = tr("The connection to the site was lost.");
        break;
    case -130:   // PROXY_CONNECTION_FAILED
        reason = tr("Couldn't connect to the proxy server.");
        break;
    default:
        if (code <= -200 && code > -300)
            reason = tr("The site's security certificate could not be verified.");
        else
            reason = tr("Please try again in a moment.");
    }
    return tr("Couldn't load the page. %1").arg(reason);
}

void Browser::sessionChanged(LoginProvider site, const std::optional<QUrl> &url)
{
    BrowserTab *tab = m_tabs.value(site);
    if (!tab)
        return;
    tab->requested = false;
    tab->clearError();
    tab->failedURL.reset();
    if (site != m_selectedSite)
        return;
    sync(true);
    if (url)
        open(url->toString());
}
