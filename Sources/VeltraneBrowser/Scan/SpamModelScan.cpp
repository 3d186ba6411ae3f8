// The scan of the open post (its steps are ScanJob's), the landings it waits for, and the owner's
// Stop.
#include "Scan/SpamModel.h"

#include "Scan/ScanJob.h"

#include "Browser/Browser.h"
#include "Page/SpamEngine.h"

#include <memory>

#include <QCoro/QCoroFuture>

QCoro::Task<void> SpamModel::nextLanding()
{
    // Signals are awaited through a direct one-shot connection: several landings before the
    // waiter runs must not resume it more than once.
    struct Awaiter {
        SpamModel *model;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> waiter)
        {
            auto connection = std::make_shared<QMetaObject::Connection>();
            *connection = QObject::connect(model, &SpamModel::landed, model, [connection, waiter, m = model] {
                QObject::disconnect(*connection);
                QMetaObject::invokeMethod(m, [waiter] { waiter.resume(); }, Qt::QueuedConnection);
            });
        }
        void await_resume() const noexcept {}
    };
    co_await Awaiter{this};
}

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

QCoro::Task<void> SpamModel::yieldToLoop()
{
    struct Awaiter {
        SpamModel *model;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> waiter)
        {
            QMetaObject::invokeMethod(model, [waiter] { waiter.resume(); }, Qt::QueuedConnection);
        }
        void await_resume() const noexcept {}
    };
    co_await Awaiter{this};
}

bool SpamModel::samePage(const QUuid &pageID) const
{
    return m_browser && m_browser->pageID() == pageID;
}

void SpamModel::endScan()
{
    stopPolling();
    setScanning(false);
    setProgress(std::nullopt);
}

QCoro::Task<void> SpamModel::scan(bool full, bool record)
{
    // Silent guards: nothing changes when the scan cannot start.
    if (scanning() || busy())
        co_return;
    Browser *browser = m_browser.data();
    if (browser && browser->accounts() && browser->accounts()->isAuthenticating())
        co_return;
    if (!info() || !info()->supported)
        co_return;
    if (!browser || browser->isLoading() || !m_engine)
        co_return;
    if (!m_openPage.pageID() || *m_openPage.pageID() != browser->pageID())
        co_return;
    ScanJob job(*this, full, record);
    co_await job.run();
}

void SpamModel::stopScan()
{
    ScanActivity a = scanActivity();
    a.interrupted = true;
    setScanActivity(a);
    if (touring())
        m_jobs.stop().queue = true;
    if (!aiChecking()) {
        if (m_engine)
            m_engine->stop();
    } else {
        m_jobs.stop().ai = true;
    }
    // A page or a service that does not answer the stop is not waited for beyond a short grace.
    if (scanning()) {
        const quint64 serial = m_jobs.stop().scanSerial;
        QTimer::singleShot(stopGraceMs, this, [this, serial] {
            if (scanning() && serial == m_jobs.stop().scanSerial) {
                m_jobs.stop().abandon = true;
                emit landed();
            }
        });
    }
}
