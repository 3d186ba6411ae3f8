// Whether a rescan of a post may collect only its newest comments, and what it sends the page.
#include "Scan/SpamModel.h"

#include "Service/VeltraneAccount.h"

std::optional<Recent> SpamModel::recentOptions(const std::optional<ScanStore::PostKey> &page,
                                               const QDateTime &now) const
{
    if (!page || !m_account->hasToken())
        return std::nullopt;
    const std::optional<ScanStore::Post> post = m_store->post(page->url);
    if (!post || !post->watched)
        return std::nullopt;
    if (m_owner->limit() == 0) {
        // Collected whole at least every 7 days. A full collection "in the future" means the
        // clock was set back; treating it as recent would skip full collections until then.
        if (!post->fullAt || !post->fullAt->isValid() || *post->fullAt > now
            || post->fullAt->secsTo(now) > incrementalWindowSeconds)
            return std::nullopt;
    }
    const QStringList known = m_store->recentIDs(page->url, knownIdsLimit);
    if (known.isEmpty())
        return std::nullopt;
    Recent recent;
    recent.known = known;
    recent.need = m_store->pendingIDs(page->url);
    recent.stopAtKnown = stopAtKnown;
    return recent;
}
