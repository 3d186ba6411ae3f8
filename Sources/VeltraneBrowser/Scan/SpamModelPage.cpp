// The spam model follows the browser's page: page changes, the site information of the open page,
// the scan on open, progress polling beside long page calls, and opening a post for a run.
#include "Scan/SpamModel.h"

#include "Base/Lang.h"
#include "Browser/Browser.h"
#include "Browser/BrowserTab.h"
#include "Browser/PageLoad.h"
#include "Page/SpamEngine.h"

#include <QCoro/QCoroTimer>
#include <QWebEnginePage>

#include <chrono>

using namespace std::chrono_literals;

namespace {

std::chrono::milliseconds seconds(double s)
{
    return std::chrono::milliseconds(qint64(s * 1000));
}

} // namespace

void SpamModel::navigationChanged()
{
    ++m_refreshSerial;   // a pending refresh is for a page that did not settle
    Browser *browser = m_browser.data();
    if (!browser)
        return;
    const QUuid id = browser->pageID();
    if (!m_pageID || *m_pageID != id) {
        m_pageID = id;
        resetResults();
        setPreparing(false);
        setInfo(std::nullopt);
        setStatus(QString(), QString());
        // A scan or an AI pass waiting for the old page gives up.
        emit landed();
    }
    if (browser->isLoading() || working())
        return;
    const quint64 serial = m_refreshSerial;
    QTimer::singleShot(refreshDelayMs, this, [this, id, serial] {
        if (serial == m_refreshSerial)
            refreshSite(id, serial);
    });
}

QCoro::Task<void> SpamModel::refreshSite(QUuid id, quint64 serial)
{
    QPointer<SpamModel> self(this);
    if (!m_engine)
        co_return;
    const std::optional<SiteInfo> answer = co_await m_engine->info();
    if (!self || serial != m_refreshSerial || !samePage(id))
        co_return;
    setInfo(answer);
    if (working())
        co_return;
    const std::optional<ScanStore::PostKey> key = ScanStore::canonical(m_browser ? m_browser->address() : QString());
    const std::optional<QString> fromList = m_openedFromList;
    m_openedFromList.reset();
    if (!answer || !answer->supported) {
        m_autoScanned.reset();
    } else if (key) {
        const QString &url = key->url;
        const bool asked = m_autoScan && *m_autoScan == url;
        // Choosing posts in the post list opens them without scanning; any other way of opening
        // a post scans it.
        const bool chosenFromList = m_selectingPosts && fromList && *fromList == url;
        if (asked || (m_scanOnOpen && !chosenFromList && !m_hasScanned && m_autoScanned != url)) {
            startScanOnOpen(url, id);
            co_return;
        }
    }
    if (!answer)
        setStatus(tr("Works on YouTube and Instagram comment pages."), QString());
    else if (!answer->supported)
        setStatus(localizedSiteMessage(answer->guide), QString());
    else if (!m_hasScanned)
        setStatus(localizedSiteMessage(answer->intro), QString());
}

void SpamModel::startScanOnOpen(const QString &url, QUuid id)
{
    m_autoScan.reset();
    m_autoScanned = url;
    setStatus(tr("Loading comments…"), QString());
    setPreparing(true);
    QTimer::singleShot(scanOnOpenDelayMs, Qt::PreciseTimer, this, [this, id] {
        if (!samePage(id))
            return;
        setPreparing(false);
        if (working() || m_hasScanned)
            return;
        scan(false, true);
    });
}

// ---- progress -------------------------------------------------------------------------------

void SpamModel::startPolling(QUuid pageID)
{
    ++m_pollSerial;
    m_pollBusy = false;
    m_pollPage = pageID;
    m_pollTimer.start();
}

void SpamModel::stopPolling()
{
    ++m_pollSerial;   // an answer still on its way is dropped
    m_pollBusy = false;
    m_pollTimer.stop();
}

void SpamModel::pollTick()
{
    if (!samePage(m_pollPage)) {
        stopPolling();
        return;
    }
    if (m_pollBusy || !m_engine)
        return;
    m_pollBusy = true;
    pollOnce(m_pollSerial);
}

QCoro::Task<void> SpamModel::pollOnce(quint64 serial)
{
    QPointer<SpamModel> self(this);
    std::optional<ScanProgress> answer;
    try {
        answer = co_await m_engine->progress();
    } catch (...) {
        // A failed poll is tried again at the next tick.
    }
    if (!self || serial != m_pollSerial)
        co_return;
    m_pollBusy = false;
    if (!answer || !samePage(m_pollPage))
        co_return;
    mirrorProgress(*answer);
    if (answer->phase == QLatin1String("delete") && answer->gone)
        noteDeleted(*answer->gone, ScanStore::canonical(m_scannedURL.value_or(QString())));
}

// ---- opening a post for a run ------------------------------------------------------------------

QCoro::Task<bool> SpamModel::load(QString url, double timeout)
{
    QPointer<Browser> browser = m_browser;
    if (!browser)
        co_return false;
    QPointer<SpamModel> self(this);
    // Whether it opened, and whether the site wants a sign-in, is read from this load itself and
    // where it ended after its redirects: while it runs, the tab still shows the page before it
    // (perhaps a sign-in page left there), and that says nothing about this one.
    const std::unique_ptr<PageLoad> watch = browser->openWatched(url);
    if (!watch || timeout <= 0)
        co_return false;
    const auto refused = [&browser, &watch] { return !browser->error().isEmpty() || watch->toSignIn() || watch->failed(); };
    double counted = 0;
    while (true) {
        co_await QCoro::sleepFor(250ms);
        if (!self || !browser || m_tourStop || refused())
            co_return false;
        counted += 0.25;
        if (watch->ended()) {
            // The page must stay put a moment: a script may send it on (to a sign-in as well).
            co_await QCoro::sleepFor(800ms);
            if (!self || !browser || refused())
                co_return false;
            if (watch->ended() && !watch->page()->url().isEmpty())
                co_return true;
            counted += 0.8;
        }
        if (counted >= timeout)
            co_return false;
    }
}

QCoro::Task<bool> SpamModel::waitForComments(double timeout)
{
    if (timeout <= 0 || m_tourStop || !m_engine)
        co_return false;
    QPointer<SpamModel> self(this);
    double counted = 0;
    while (true) {
        const std::optional<SiteInfo> answer = co_await m_engine->info();
        if (!self)
            co_return false;
        if (answer && answer->supported) {
            co_await QCoro::sleepFor(answer->site == QLatin1String("youtube") ? seconds(0.3) : seconds(2.0));
            if (!self)
                co_return false;
            if (m_browser && !m_browser->isLoading()) {
                setInfo(answer);
                m_pageID = m_browser->pageID();
                co_return true;
            }
            co_return false;
        }
        co_await QCoro::sleepFor(500ms);
        if (!self || counted + 0.5 >= timeout)
            co_return false;
        counted += 0.5;
        if (m_tourStop)
            co_return false;
    }
}

void SpamModel::mirrorProgress(const ScanProgress &p)
{
    setProgress(p);
    if (scanning() && !aiChecking()) {
        ScanActivity activity = m_scanActivity;
        if (p.collected)
            activity.collected = *p.collected;
        if (p.flagged)
            activity.flagged = *p.flagged;
        if (p.samples && !p.samples->isEmpty())
            activity.samples = *p.samples;
        if (p.phase == QLatin1String("collect")) {
            activity.stage = ScanActivity::Stage::collecting;
        } else if (p.phase == QLatin1String("check") || p.phase == QLatin1String("done")) {
            activity.stage = ScanActivity::Stage::rules;
            activity.rulesChecked = p.count;
        }
        setScanActivity(activity);
    }
    if (const std::optional<StatusLine> line = ScanReport::progressLine(p))
        setStatus(line->text, line->kind);
}
