// What the agent and the statistics sheet do on the open page: tick the comments chosen for
// deletion, scroll to one comment, open a stored post for a scan.

#include "Scan/SpamModel.h"

#include "Base/Lang.h"
#include "Browser/AccountSession.h"
#include "Browser/BrowserError.h"
#include "Page/SpamEngine.h"

void SpamModel::selectReviewed(const QStringList &ids)
{
    const BrowserError stale(tr("Please review this page's scan results again."));
    const std::optional<QUuid> browserPage = m_browser ? std::optional<QUuid>(m_browser->pageID()) : std::nullopt;
    const std::optional<QString> address = m_browser ? std::optional<QString>(m_browser->address()) : std::nullopt;
    if (working() || !m_hasScanned || browserPage != m_pageID || address != m_scannedURL)
        throw stale;
    QSet<QString> spamIds;
    for (const Comment &c : std::as_const(m_comments)) {
        if (c.state == QLatin1String("spam"))
            spamIds.insert(c.id);
    }
    for (const QString &id : ids) {
        if (!spamIds.contains(id))
            throw stale;
    }
    const QSet<QString> chosen(ids.cbegin(), ids.cend());
    QList<Comment> next = m_comments;
    bool changed = false;
    for (Comment &c : next) {
        if (c.state != QLatin1String("spam"))
            continue;
        const bool tick = chosen.contains(c.id);
        changed = changed || c.checked != tick;
        c.checked = tick;
    }
    if (changed)
        setComments(next);
}

void SpamModel::reveal(const QString &id)
{
    if (m_scanning || m_busy || !m_engine)
        return;
    const std::optional<QUuid> browserPage = m_browser ? std::optional<QUuid>(m_browser->pageID()) : std::nullopt;
    if (browserPage != m_pageID)
        return;
    m_engine->reveal(id);
}

void SpamModel::openPost(const QString &url)
{
    if (m_scanning || m_busy || m_touring || m_findingPosts)
        return;
    if (m_browser && m_browser->accounts()->isAuthenticating())
        return;
    // Page tracking compares the canonical address of the page that opens.
    const std::optional<ScanStore::PostKey> key = ScanStore::canonical(url);
    m_autoScan = key ? key->url : url;
    if (m_browser)
        m_browser->open(url);
}
