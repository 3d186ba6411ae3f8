// The scan of the open post (its steps are ScanJob's), and the owner's Stop.
#include "Scan/SpamModel.h"

#include "Scan/ScanJob.h"

#include "Browser/Browser.h"
#include "Page/SpamEngine.h"

#include <memory>

#include <QCoro/QCoroFuture>

QCoro::Task<ScanStore::Recorded> SpamModel::recordScan(ScanStore::ScanRecord scan)
{
    const bool keepText = m_store->storeText;
    QFuture<ScanStore::Recorded> written = m_storeThread->run<ScanStore::Recorded>(
        [scan = std::move(scan), keepText](ScanStore &store) {
        store.storeText = keepText;
        ScanStore::Recorded done = store.recordScan(scan);
        if (!done.stored)
            done.error = store.lastError();
        return done;
    });
    co_return co_await written;
}

QCoro::Task<void> SpamModel::scan(bool full, bool record)
{
    // Silent guards: nothing changes when the scan cannot start.
    if (m_jobs.scanning() || m_jobs.busy())
        co_return;
    Browser *browser = m_browser.data();
    if (browser && browser->accounts() && browser->accounts()->isAuthenticating())
        co_return;
    const std::optional<SiteInfo> &info = m_openPage.info();
    if (!info || !info->supported)
        co_return;
    if (!browser || browser->isLoading() || !m_engine)
        co_return;
    if (!m_openPage.pageID() || *m_openPage.pageID() != browser->pageID())
        co_return;
    ScanJob::Hooks hooks{
        [this] { resetResults(); },
        [this](const std::optional<ScanStore::PostKey> &page) { return recentOptions(page); },
        [this] { raiseAccountRequest(); },
        [this] { return m_catalog->rows(); },
        [this](const ScanStore::Post &post, int added) { m_catalog->listPost(post, added); },
        [this](ScanStore::ScanRecord record) { return recordScan(std::move(record)); },
    };
    ScanJob job({browser, m_engine, m_store, m_account, alerts(), *m_owner, m_review, m_openPage, m_scanReport,
                 m_history, m_jobs, m_statusLine},
                std::move(hooks), full, record);
    co_await job.run();
}

void SpamModel::stopScan()
{
    ScanActivity a = m_openPage.scanActivity();
    a.interrupted = true;
    m_openPage.setScanActivity(a);
    if (m_jobs.touring())
        m_jobs.stop().queue = true;
    if (!m_jobs.aiChecking()) {
        if (m_engine)
            m_engine->stop();
    } else {
        m_jobs.stop().ai = true;
    }
    // A page or a service that does not answer the stop is not waited for beyond a short grace.
    if (m_jobs.scanning()) {
        const quint64 serial = m_jobs.stop().scanSerial;
        QTimer::singleShot(stopGraceMs, this, [this, serial] {
            if (m_jobs.scanning() && serial == m_jobs.stop().scanSerial) {
                m_jobs.stop().abandon = true;
                m_jobs.land();
            }
        });
    }
}
