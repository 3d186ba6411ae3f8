#include "Scan/PostCatalog.h"

#include "Base/ImageStore.h"
#include "Base/Lang.h"
#include "Browser/Browser.h"
#include "Browser/BrowserError.h"
#include "Scan/JobState.h"
#include "Scan/OpenPage.h"
#include "Scan/OwnerSettings.h"
#include "Page/SpamEngine.h"
#include "Service/VeltraneAccount.h"
#include "Sites/AuthPolicy.h"

#include <QCoro/QCoroTimer>
#include <QPointer>
#include <QThreadPool>
#include <QUrl>

#include <chrono>

using namespace std::chrono_literals;

namespace {

const QString kYouTubeHost = QStringLiteral("https://www.youtube.com");
const QString kInstagramHost = QStringLiteral("https://www.instagram.com");
constexpr double kPageBudget = 30;
constexpr int kStoredRows = 200;

BrowserError channelFailure(LoginProvider provider)
{
    const QString name = provider.displayName();
    return BrowserError(
        QCoreApplication::translate("PostCatalog", "Couldn't find your channel. Check your %1 sign-in.").arg(name));
}

ChannelPost freshRow(const QString &site, const QString &url, const QString &title,
                     const std::optional<QString> &thumbnail)
{
    ChannelPost row;
    row.site = site;
    row.url = url;
    row.title = title;
    row.thumbnail = thumbnail;
    return row;
}

// An owner's profile address as the page reported it: only a page of the site's own web host is
// opened.
bool isInstagramPage(const QString &address)
{
    const QUrl url(address, QUrl::StrictMode);
    return url.isValid() && url.scheme() == QLatin1String("https") && url.host() == QLatin1String("www.instagram.com")
        && url.port() == -1 && url.userInfo().isEmpty();
}

}   // namespace

PostCatalog::PostCatalog(ScanStore &store, JobState &jobs, const OwnerSettings &settings, VeltraneAccount *account,
                         Browser *browser, SpamEngine *engine, OpenPage *page, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_jobs(jobs)
    , m_settings(settings)
    , m_account(account)
    , m_browser(browser)
    , m_engine(engine)
    , m_page(page)
{
}

void PostCatalog::setDiscoveryStatus(const QString &text)
{
    if (m_discoveryStatus == text)
        return;
    m_discoveryStatus = text;
    emit discoveryStatusChanged();
}

bool PostCatalog::hasToken() const
{
    return m_account && m_account->hasToken();
}

std::optional<ScanStore::PostKey> PostCatalog::currentPage() const
{
    if (!m_browser)
        return std::nullopt;
    return ScanStore::canonical(m_browser->address());
}

void PostCatalog::setRows(const QList<ChannelPost> &rows)
{
    if (m_rows == rows)
        return;
    m_rows = rows;
    emit rowsChanged();
}

void PostCatalog::setRow(const QString &url, const std::function<void(ChannelPost &)> &change)
{
    QList<ChannelPost> rows = m_rows;
    for (ChannelPost &row : rows) {
        if (row.url == url) {
            change(row);
            setRows(rows);
            return;
        }
    }
}

void PostCatalog::takeCounts(const QString &url, const ScanStore::Counts &counts)
{
    for (ChannelPost &row : m_rows) {
        if (row.url != url)
            continue;
        if (row.total != counts.total || row.flagged != counts.flagged) {
            row.total = counts.total;
            row.flagged = counts.flagged;
            emit rowsChanged();
        }
        return;
    }
}

std::optional<ChannelPost> PostCatalog::rowOf(const QString &url) const
{
    for (const ChannelPost &row : m_rows) {
        if (row.url == url)
            return row;
    }
    return std::nullopt;
}

void PostCatalog::listPost(const ScanStore::Post &post, int added)
{
    ChannelPost fresh = row(post, ChannelPost::State::done);
    fresh.added = added;
    QList<ChannelPost> rows = m_rows;
    qsizetype at = -1;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows.at(i).url == post.url) {
            at = i;
            break;
        }
    }
    if (m_jobs.touring()) {
        // A job over several posts keeps its queue's order and takes in no other post.
        if (at < 0)
            return;
        fresh.note = rows.at(at).note;
        rows[at] = fresh;
    } else {
        // The post just scanned moves to the top.
        if (at >= 0)
            rows.removeAt(at);
        rows.prepend(fresh);
    }
    setRows(rows);
}

ChannelPost PostCatalog::row(const ScanStore::Post &post, ChannelPost::State state)
{
    ChannelPost out;
    out.site = post.site;
    out.url = post.url;
    out.title = post.title;
    out.state = state;
    out.total = post.total;
    out.flagged = post.flagged;
    out.watched = post.watched;
    out.deleted = post.deleted;
    if (post.scannedAt.isValid() && post.scannedAt.toMSecsSinceEpoch() > 0)
        out.scannedAt = post.scannedAt;
    out.thumbnail = post.thumbnail ? post.thumbnail : ChannelPost::thumbnailOf(post.site, post.url, {});
    return out;
}

QList<LoginProvider> PostCatalog::providers() const
{
    QList<LoginProvider> out;
    if (!m_browser)
        return out;
    const QHash<LoginProvider, LoginStatus> statuses = m_browser->accounts()->statuses();
    for (const LoginProvider site : {LoginProvider(LoginProvider::youtube), LoginProvider(LoginProvider::instagram)}) {
        const auto it = statuses.constFind(site);
        if (it != statuses.constEnd() && (*it == LoginStatus::savedSession || *it == LoginStatus::signedIn))
            out.append(site);
    }
    return out;
}

// ---- discovery ---------------------------------------------------------------------------------

QCoro::Task<bool> PostCatalog::openForDiscovery(QString url, double timeout)
{
    if (m_jobs.stop().queue || !m_page)
        co_return false;
    co_return co_await m_page->load(std::move(url), timeout);
}

QCoro::Task<QList<FoundPost>> PostCatalog::discover(LoginProvider provider, std::optional<int> limit)
{
    const int effective = std::max(0, limit.value_or(m_settings.postLimit()));
    const BrowserError failure = channelFailure(provider);
    QPointer<PostCatalog> self(this);
    if (!m_engine || !m_browser)
        throw failure;

    if (provider == LoginProvider::instagram) {
        if (!co_await openForDiscovery(kInstagramHost + u'/', kPageBudget) || !self)
            throw failure;
        const std::optional<QString> profile = co_await m_engine->myProfile();
        if (!self || !profile || !isInstagramPage(*profile))
            throw failure;
        if (!co_await openForDiscovery(*profile, kPageBudget) || !self)
            throw failure;
        co_return co_await m_engine->myPosts(QStringLiteral("instagram"), effective);
    }

    if (!co_await openForDiscovery(kYouTubeHost + QStringLiteral("/profile"), kPageBudget) || !self)
        throw failure;
    BrowserTab *tab = m_browser ? m_browser->currentTab() : nullptr;
    const QUrl at = tab && tab->page() ? tab->page()->url() : QUrl();
    if (at.isEmpty())
        throw failure;
    // The encoded path parts go into the tab addresses as they are.
    const QStringList parts = at.path(QUrl::FullyEncoded).split(u'/', Qt::SkipEmptyParts);
    QString base;
    if (parts.size() >= 2 && parts.at(0) == QLatin1String("channel"))
        base = kYouTubeHost + QStringLiteral("/channel/") + parts.at(1);
    else if (!parts.isEmpty() && parts.at(0).startsWith(u'@'))
        base = kYouTubeHost + u'/' + parts.at(0);
    else
        throw failure;

    QList<QList<FoundPost>> lists;
    for (const QString &name : {QStringLiteral("videos"), QStringLiteral("shorts")}) {
        if (m_jobs.stop().queue)
            break;
        const bool loaded = co_await openForDiscovery(base + u'/' + name, kPageBudget);
        if (!self)
            co_return {};
        if (!loaded)
            continue;
        QList<FoundPost> list;
        try {
            list = co_await m_engine->myPosts(QStringLiteral("youtube"), effective);
        } catch (const std::exception &) {
            // A tab that cannot be read counts as empty.
        }
        if (!self)
            co_return {};
        lists.append(list);
    }
    QList<FoundPost> merged;
    QSet<QString> seen;
    for (int i = 0; i < effective; ++i) {
        for (const QList<FoundPost> &list : std::as_const(lists)) {
            if (i < list.size() && !seen.contains(list.at(i).url)) {
                seen.insert(list.at(i).url);
                merged.append(list.at(i));
            }
        }
    }
    co_return merged.mid(0, effective);
}

// ---- the post list's candidates ----------------------------------------------------------------

QList<ChannelPost> PostCatalog::candidates()
{
    QList<ChannelPost> list = m_rows;
    QSet<QString> known;
    for (const ChannelPost &p : std::as_const(m_rows))
        known.insert(p.url);
    QSet<QString> stored;
    for (const ScanStore::Post &post : m_store.posts(kStoredRows)) {
        stored.insert(post.url);
        if (!known.contains(post.url))
            list.append(row(post, ChannelPost::State::done));
    }
    known.unite(stored);
    for (const ScanStore::Found &found : m_store.found()) {
        // One row per post, also for a found address written in another form.
        const std::optional<ScanStore::PostKey> key = ScanStore::canonical(found.url);
        if (!key || known.contains(key->url))
            continue;
        known.insert(key->url);
        list.append(freshRow(key->site, key->url, found.title, found.thumbnail));
    }
    const std::optional<ScanStore::PostKey> page = currentPage();
    if (m_dismissedPage && (!page || *m_dismissedPage != page->url))
        m_dismissedPage.reset();
    if (page && page->url != m_dismissedPage && !known.contains(page->url)) {
        const QString title = m_browser ? ScanStore::cleanTitle(m_browser->title()) : QString();
        const std::optional<QString> thumb = m_page && m_page->info() ? m_page->info()->thumbnail : std::nullopt;
        list.prepend(freshRow(page->site, page->url, title, ChannelPost::thumbnailOf(page->site, page->url, {thumb})));
    }
    return list;
}

void PostCatalog::loadHistory()
{
    if (!m_rows.isEmpty() || m_jobs.touring())
        return;
    QList<ChannelPost> rows;
    for (const ScanStore::Post &post : m_store.posts(kStoredRows))
        rows.append(row(post, ChannelPost::State::done));
    setRows(rows);
    emit totalsChanged();
}

void PostCatalog::forget(const QString &url)
{
    if (m_jobs.working())
        return;
    m_store.forget(url);
    QList<ChannelPost> kept;
    for (const ChannelPost &p : std::as_const(m_rows)) {
        if (p.url != url)
            kept.append(p);
    }
    setRows(kept);
    // Discovery must not bring the post back, nor the post list the open page.
    if (const std::optional<ScanStore::PostKey> key = ScanStore::canonical(url)) {
        m_store.dismiss(key->site, key->url, QDateTime::currentDateTime());
        const std::optional<ScanStore::PostKey> page = currentPage();
        if (page && page->url == key->url)
            m_dismissedPage = key->url;
    }
    emit runsChanged();
    emit totalsChanged();
}

int PostCatalog::addDiscovered(const QList<FoundPost> &posts)
{
    QSet<QString> known;
    for (const ChannelPost &p : candidates())
        known.insert(p.url);
    const QSet<QString> dismissed = m_store.dismissed();
    QList<ScanStore::Found> taken;
    for (const FoundPost &post : posts) {
        if (taken.size() >= discoveredBatch)
            break;
        const std::optional<ScanStore::PostKey> key = ScanStore::canonical(post.url);
        if (!key || dismissed.contains(key->url) || known.contains(key->url))
            continue;
        known.insert(key->url);
        taken.append(ScanStore::Found{key->site, key->url, post.title,
                                      ChannelPost::thumbnailOf(key->site, key->url, {post.thumb})});
    }
    if (!taken.isEmpty())
        m_store.addFound(taken);
    return int(taken.size());
}

QString PostCatalog::nothingMoreToLoad()
{
    return tr("No more posts to load.");
}

QCoro::Task<int> PostCatalog::loadMore(LoginProvider provider)
{
    if (m_jobs.working() || !m_browser || m_browser->accounts()->isAuthenticating())
        co_return 0;
    const QString name = provider.displayName();
    if (!providers().contains(provider)) {
        setDiscoveryStatus(tr("Sign in to %1 to load your posts.").arg(name));
        co_return 0;
    }
    // The browser is taken over first, so that a stop asked as soon as the load shows holds.
    emit browserNeeded();
    m_jobs.start(JobState::Job::discovery);
    setDiscoveryStatus(tr("Loading %1 posts…").arg(name));
    const QString site = provider.rawValue();
    int listed = 0;
    for (const ChannelPost &p : candidates())
        listed += p.site == site ? 1 : 0;
    const int limit = listed + int(m_store.dismissed(site).size()) + discoveredBatch;

    QPointer<PostCatalog> self(this);
    const QString stopped = tr("Loading stopped.");
    const QString nothing = nothingMoreToLoad();
    int added = 0;
    QString text;
    try {
        const QList<FoundPost> found = co_await discover(provider, limit);
        if (!self)
            co_return 0;
        added = addDiscovered(found);
        text = m_jobs.stop().queue ? stopped : added > 0 ? QString() : nothing;
    } catch (const BrowserError &e) {
        if (!self)
            co_return 0;
        const QString message = localizedSiteMessage(e.description());
        text = m_jobs.stop().queue ? stopped : !message.isEmpty() ? message : nothing;
    } catch (const std::exception &e) {
        if (!self)
            co_return 0;
        const QString message = localizedSiteMessage(QString::fromUtf8(e.what()));
        text = m_jobs.stop().queue ? stopped : !message.isEmpty() ? message : nothing;
    }
    setDiscoveryStatus(text);
    m_jobs.end(JobState::Job::discovery);
    co_return added;
}

void PostCatalog::stopLoading()
{
    if (!m_jobs.findingPosts())
        return;
    m_jobs.stop().queue = true;
    if (m_engine)
        m_engine->stopReadingPosts();
}

// ---- monitoring --------------------------------------------------------------------------------

bool PostCatalog::setWatched(const QString &url, bool on)
{
    if (on && !hasToken()) {
        // Monitoring needs the service account: the request waits for the sign-in.
        m_pendingMonitor = url;
        emit accountNeeded();
        return false;
    }
    const std::optional<ScanStore::PostKey> key = ScanStore::canonical(url);
    // Rows and stored posts are filed under the canonical address.
    const QString target = key ? key->url : url;
    QList<ChannelPost> rows = m_rows;
    if (on) {
        if (key) {
            const std::optional<ScanStore::PostKey> page = currentPage();
            const bool open = page && *page == *key;
            const std::optional<QString> thumb = open && m_page && m_page->info() ? m_page->info()->thumbnail
                                                                                  : std::nullopt;
            const std::optional<QString> thumbnail = ChannelPost::thumbnailOf(key->site, key->url, {thumb});
            const QString title = open && m_browser ? ScanStore::cleanTitle(m_browser->title()) : QString();
            if (m_store.isOpen())
                m_store.watch(key->site, key->url, title, thumbnail);
            if (thumbnail)
                ImageStore::shared().prefetch(*thumbnail);
        } else if (m_store.isOpen()) {
            m_store.setWatched(url, true);
        }
        bool listed = false;
        for (ChannelPost &p : rows) {
            if (p.url == target) {
                p.watched = true;
                listed = true;
                break;
            }
        }
        if (!listed) {
            if (const std::optional<ScanStore::Post> post = m_store.post(target))
                rows.prepend(row(*post, ChannelPost::State::done));
        }
    } else {
        m_store.setWatched(target, false);
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (rows.at(i).url != target)
                continue;
            if (!rows.at(i).scannedAt && !m_jobs.touring())
                rows.removeAt(i);
            else
                rows[i].watched = false;
            break;
        }
    }
    setRows(rows);
    emit totalsChanged();
    return true;
}

void PostCatalog::finishPendingMonitor()
{
    if (!m_pendingMonitor)
        return;
    const QString url = *m_pendingMonitor;
    m_pendingMonitor = std::nullopt;
    if (hasToken())
        setWatched(url, true);
}

// ---- the history ------------------------------------------------------------------------------

PostCatalog::DashboardData PostCatalog::dashboard(int days, const QDateTime &now) const
{
    return dashboardOf(m_store, days, now);
}

PostCatalog::DashboardData PostCatalog::dashboardOf(ScanStore &store, int days, const QDateTime &now)
{
    DashboardData data;
    data.stats = store.stats();
    for (const LoginProvider site : LoginProvider::allCases())
        data.bySite.insert(site.rawValue(), store.stats(site.rawValue()));
    data.daily = store.daily(days, now);
    data.topPosts = store.topPosts(5);
    data.topAuthors = store.topAuthors(5);
    data.recent = store.recentDeleted(10);
    for (const ScanStore::Post &post : store.posts(200))
        data.posts.insert(post.url, post);
    return data;
}

void PostCatalog::dashboardAside(int days, const QDateTime &now, QObject *context,
                                 std::function<void(const DashboardData &)> done) const
{
    ScanStore *store = &m_store;
    QPointer<QObject> receiver(context);
    // Each query is quick, but together they would hold the window on a long history.
    if (!store->isOpen() || store->path() == QStringLiteral(":memory:")) {
        const DashboardData data = dashboard(days, now);
        QMetaObject::invokeMethod(
            context,
            [receiver, done, data] {
            if (receiver)
                done(data);
            },
            Qt::QueuedConnection);
        return;
    }
    const QString path = store->path();
    QThreadPool::globalInstance()->start([receiver, done, path, days, now] {
        DashboardData data;
        {
            ScanStore reader(path, ScanStore::Access::readOnly);
            data = dashboardOf(reader, days, now);
        }
        QMetaObject::invokeMethod(
            receiver,
            [receiver, done, data] {
            if (receiver)
                done(data);
            },
            Qt::QueuedConnection);
    });
}

bool PostCatalog::clearHistory()
{
    if (m_jobs.working())
        return false;
    if (!m_store.clear(true))
        return false;
    ImageStore::shared().clear();
    // Monitored posts stay in the store, so they stay in the list.
    QList<ChannelPost> kept;
    for (const ChannelPost &row : std::as_const(m_rows)) {
        if (const std::optional<ScanStore::Post> stored = m_store.post(row.url)) {
            ChannelPost fresh = row;
            fresh.total = stored->total;
            fresh.flagged = stored->flagged;
            fresh.deleted = stored->deleted;
            fresh.watched = stored->watched;
            kept.append(fresh);
        }
    }
    setRows(kept);
    emit totalsChanged();
    emit runsChanged();
    emit deletionsChanged();
    return true;
}
