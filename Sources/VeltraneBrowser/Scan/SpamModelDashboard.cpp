// The statistics snapshot and the clearing of the history.

#include "Scan/SpamModel.h"

#include "Base/ImageStore.h"
#include "Sites/LoginProvider.h"

SpamModel::DashboardData SpamModel::dashboard(int days, const QDateTime &now)
{
    DashboardData data;
    data.stats = m_store->stats();
    for (const LoginProvider site : LoginProvider::allCases())
        data.bySite.insert(site.rawValue(), m_store->stats(site.rawValue()));
    data.daily = m_store->daily(days, now);
    data.topPosts = m_store->topPosts(5);
    data.topAuthors = m_store->topAuthors(5);
    data.recent = m_store->recentDeleted(10);
    for (const ScanStore::Post &post : m_store->posts(200))
        data.posts.insert(post.url, post);
    return data;
}

bool SpamModel::clearHistory()
{
    if (working())
        return false;
    if (!m_store->clear(true))
        return false;
    ImageStore::shared().clear();
    // Monitored posts stay in the store, so they stay in the list.
    QList<ChannelPost> kept;
    for (const ChannelPost &row : std::as_const(m_posts)) {
        if (const std::optional<ScanStore::Post> stored = m_store->post(row.url)) {
            ChannelPost fresh = row;
            fresh.total = stored->total;
            fresh.flagged = stored->flagged;
            fresh.deleted = stored->deleted;
            fresh.watched = stored->watched;
            kept.append(fresh);
        }
    }
    setPosts(kept);
    setStats(m_store->stats());
    raiseRunsVersion();
    raiseDeletionsVersion();
    return true;
}
