// What the agent and the statistics sheet do on the open page: scroll to one comment, open a
// stored post for a scan.

#include "Scan/SpamModel.h"

#include "Browser/AccountSession.h"
#include "Page/SpamEngine.h"

void SpamModel::reveal(const QString &id)
{
    if (m_jobs.scanning() || m_jobs.busy() || !m_engine)
        return;
    const std::optional<QUuid> browserPage = m_browser ? std::optional<QUuid>(m_browser->pageID()) : std::nullopt;
    if (browserPage != m_openPage.pageID())
        return;
    m_engine->reveal(id);
}

void SpamModel::openPost(const QString &url)
{
    if (m_jobs.scanning() || m_jobs.busy() || m_jobs.touring() || m_jobs.findingPosts())
        return;
    if (m_browser && m_browser->accounts()->isAuthenticating())
        return;
    // Page tracking compares the canonical address of the page that opens.
    const std::optional<ScanStore::PostKey> key = ScanStore::canonical(url);
    m_openPage.setAutoScan(key ? key->url : url);
    if (m_browser)
        m_browser->open(url);
}

bool SpamModel::showsScannedPage() const
{
    const std::optional<QUuid> browserPage = m_browser ? std::optional<QUuid>(m_browser->pageID()) : std::nullopt;
    const std::optional<QString> address = m_browser ? std::optional<QString>(m_browser->address()) : std::nullopt;
    return !m_jobs.working() && m_openPage.hasScanned() && browserPage == m_openPage.pageID()
        && address == m_openPage.scannedURL();
}
