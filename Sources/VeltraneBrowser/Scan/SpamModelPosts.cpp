// The owner's posts: finding them on the signed-in sites, the post list's candidates in their one
// order, loading more of them, and monitoring single posts.
#include "Scan/SpamModel.h"

#include "Base/ImageStore.h"
#include "Base/Lang.h"
#include "Browser/BrowserError.h"
#include "Page/SpamEngine.h"
#include "Service/VeltraneAccount.h"
#include "Sites/AuthPolicy.h"

#include <QCoro/QCoroTimer>
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
    return BrowserError(Lang::pick(QStringLiteral("내 채널을 찾지 못했습니다. ") + name + QStringLiteral(" 로그인 상태를 확인해 주세요."),
                                   QStringLiteral("Couldn't find your channel. Check your ") + name + QStringLiteral(" sign-in.")));
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

} // namespace

ChannelPost SpamModel::row(const ScanStore::Post &post, ChannelPost::State state)
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

void SpamModel::takeOverBrowser()
{
    m_openPage.dropRefresh();   // the page refresh in wait (and its scan on open) is not the job's
    m_tourStop = false;
    setAutoScan(std::nullopt);
    setPreparing(false);
}

QList<LoginProvider> SpamModel::tourProviders() const
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

QCoro::Task<bool> SpamModel::openForDiscovery(QString url, double timeout)
{
    if (m_tourStop)
        co_return false;
    co_return co_await load(std::move(url), timeout);
}

QCoro::Task<QList<FoundPost>> SpamModel::discover(LoginProvider provider, std::optional<int> limit)
{
    const int effective = std::max(0, limit.value_or(m_postLimit));
    const BrowserError failure = channelFailure(provider);
    QPointer<SpamModel> self(this);
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
        if (m_tourStop)
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

QList<ChannelPost> SpamModel::scanCandidates()
{
    QList<ChannelPost> list = m_posts;
    QSet<QString> known;
    for (const ChannelPost &p : std::as_const(m_posts))
        known.insert(p.url);
    QSet<QString> stored;
    for (const ScanStore::Post &post : m_store->posts(kStoredRows)) {
        stored.insert(post.url);
        if (!known.contains(post.url))
            list.append(row(post, ChannelPost::State::done));
    }
    known.unite(stored);
    for (const ScanStore::Found &found : m_store->found()) {
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
        const std::optional<QString> thumb = m_info ? m_info->thumbnail : std::nullopt;
        list.prepend(freshRow(page->site, page->url, title, ChannelPost::thumbnailOf(page->site, page->url, {thumb})));
    }
    return list;
}

void SpamModel::loadHistory()
{
    if (!m_posts.isEmpty() || touring())
        return;
    QList<ChannelPost> rows;
    for (const ScanStore::Post &post : m_store->posts(kStoredRows))
        rows.append(row(post, ChannelPost::State::done));
    setPosts(rows);
    setStats(m_store->stats());
}

void SpamModel::forgetPost(const QString &url)
{
    if (working())
        return;
    m_store->forget(url);
    QList<ChannelPost> kept;
    for (const ChannelPost &p : std::as_const(m_posts)) {
        if (p.url != url)
            kept.append(p);
    }
    setPosts(kept);
    // Discovery must not bring the post back, nor the post list the open page.
    if (const std::optional<ScanStore::PostKey> key = ScanStore::canonical(url)) {
        m_store->dismiss(key->site, key->url, QDateTime::currentDateTime());
        const std::optional<ScanStore::PostKey> page = currentPage();
        if (page && page->url == key->url)
            m_dismissedPage = key->url;
    }
    raiseRunsVersion();
    setStats(m_store->stats());
}

int SpamModel::addDiscovered(const QList<FoundPost> &posts)
{
    QSet<QString> known;
    for (const ChannelPost &p : scanCandidates())
        known.insert(p.url);
    const QSet<QString> dismissed = m_store->dismissed();
    QList<ScanStore::Found> taken;
    for (const FoundPost &post : posts) {
        if (taken.size() >= discoveredBatch)
            break;
        const std::optional<ScanStore::PostKey> key = ScanStore::canonical(post.url);
        if (!key || dismissed.contains(key->url) || known.contains(key->url))
            continue;
        known.insert(key->url);
        taken.append(ScanStore::Found {key->site, key->url, post.title,
                                       ChannelPost::thumbnailOf(key->site, key->url, {post.thumb})});
    }
    if (!taken.isEmpty())
        m_store->addFound(taken);
    return int(taken.size());
}

QString SpamModel::nothingMoreToLoad()
{
    return Lang::pick(QStringLiteral("더 불러올 게시물이 없습니다."), QStringLiteral("No more posts to load."));
}

QCoro::Task<int> SpamModel::loadMorePosts(LoginProvider provider)
{
    if (working() || !m_browser || m_browser->accounts()->isAuthenticating())
        co_return 0;
    const QString name = provider.displayName();
    if (!tourProviders().contains(provider)) {
        setDiscoveryStatus(Lang::pick(QStringLiteral("게시물을 불러오려면 ") + name + QStringLiteral("에 로그인해 주세요."),
                                      QStringLiteral("Sign in to ") + name + QStringLiteral(" to load your posts.")));
        co_return 0;
    }
    // The browser is taken over first, so that a stop asked as soon as the load shows holds.
    takeOverBrowser();
    setFindingPosts(true);
    setDiscoveryStatus(Lang::pick(name + QStringLiteral(" 게시물을 불러오는 중…"),
                                  QStringLiteral("Loading ") + name + QStringLiteral(" posts…")));
    const QString site = provider.rawValue();
    int listed = 0;
    for (const ChannelPost &p : scanCandidates())
        listed += p.site == site ? 1 : 0;
    const int limit = listed + int(m_store->dismissed(site).size()) + discoveredBatch;

    QPointer<SpamModel> self(this);
    const QString stopped = Lang::pick(QStringLiteral("목록 불러오기를 중지했습니다."), QStringLiteral("Loading stopped."));
    const QString nothing = nothingMoreToLoad();
    int added = 0;
    QString text;
    try {
        const QList<FoundPost> found = co_await discover(provider, limit);
        if (!self)
            co_return 0;
        added = addDiscovered(found);
        text = m_tourStop ? stopped : added > 0 ? QString() : nothing;
    } catch (const BrowserError &e) {
        if (!self)
            co_return 0;
        const QString message = localizedSiteMessage(e.description());
        text = m_tourStop ? stopped : !message.isEmpty() ? message : nothing;
    } catch (const std::exception &e) {
        if (!self)
            co_return 0;
        const QString message = localizedSiteMessage(QString::fromUtf8(e.what()));
        text = m_tourStop ? stopped : !message.isEmpty() ? message : nothing;
    }
    setDiscoveryStatus(text);
    setFindingPosts(false);
    co_return added;
}

void SpamModel::stopLoadingPosts()
{
    if (!findingPosts())
        return;
    m_tourStop = true;
    if (m_engine)
        m_engine->stopReadingPosts();
}

// ---- monitoring --------------------------------------------------------------------------------

bool SpamModel::setWatched(const QString &url, bool on)
{
    if (on && !m_account->hasToken()) {
        // Monitoring needs the service account: the request waits for the sign-in.
        m_pendingMonitor = url;
        raiseAccountRequest();
        return false;
    }
    const std::optional<ScanStore::PostKey> key = ScanStore::canonical(url);
    // Rows and stored posts are filed under the canonical address.
    const QString target = key ? key->url : url;
    QList<ChannelPost> rows = m_posts;
    if (on) {
        if (key) {
            const std::optional<ScanStore::PostKey> page = currentPage();
            const bool open = page && *page == *key;
            const std::optional<QString> thumb = open && m_info ? m_info->thumbnail : std::nullopt;
            const std::optional<QString> thumbnail = ChannelPost::thumbnailOf(key->site, key->url, {thumb});
            const QString title = open && m_browser ? ScanStore::cleanTitle(m_browser->title()) : QString();
            if (m_store->isOpen())
                m_store->watch(key->site, key->url, title, thumbnail);
            if (thumbnail)
                ImageStore::shared().prefetch(*thumbnail);
        } else if (m_store->isOpen()) {
            m_store->setWatched(url, true);
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
            if (const std::optional<ScanStore::Post> post = m_store->post(target))
                rows.prepend(row(*post, ChannelPost::State::done));
        }
    } else {
        m_store->setWatched(target, false);
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (rows.at(i).url != target)
                continue;
            if (!rows.at(i).scannedAt && !touring())
                rows.removeAt(i);
            else
                rows[i].watched = false;
            break;
        }
    }
    setPosts(rows);
    setStats(m_store->stats());
    return true;
}

void SpamModel::finishPendingMonitor()
{
    if (!m_pendingMonitor)
        return;
    const QString url = *m_pendingMonitor;
    m_pendingMonitor.reset();
    if (m_account->hasToken())
        setWatched(url, true);
}
