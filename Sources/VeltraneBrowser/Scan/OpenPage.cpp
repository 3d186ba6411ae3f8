#include "Scan/OpenPage.h"

#include "Base/Lang.h"
#include "Browser/Browser.h"
#include "Browser/BrowserTab.h"
#include "Browser/PageLoad.h"
#include "Page/SpamEngine.h"
#include "Scan/ScanReport.h"

#include <QCoro/QCoroTimer>
#include <QWebEnginePage>

#include <chrono>

using namespace std::chrono_literals;

namespace {

std::chrono::milliseconds seconds(double s)
{
    return std::chrono::milliseconds(qint64(s * 1000));
}

}   // namespace

OpenPage::OpenPage(Browser *browser, SpamEngine *engine, OwnerSettings &owner, JobState &jobs, StatusLine &status,
                   Scan scan, QObject *parent)
    : QObject(parent)
    , m_browser(browser)
    , m_engine(engine)
    , m_owner(owner)
    , m_jobs(jobs)
    , m_status(status)
    , m_scan(std::move(scan))
{
    m_pollTimer.setInterval(progressIntervalMs);
    m_pollTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_pollTimer, &QTimer::timeout, this, &OpenPage::pollTick);
}

template <typename T>
void OpenPage::update(T &field, const T &value, void (OpenPage::*changed)())
{
    if (field == value)
        return;
    field = value;
    emit(this->*changed)();
}

bool OpenPage::samePage(const QUuid &pageID) const
{
    return m_browser && m_browser->pageID() == pageID;
}

void OpenPage::setInfo(const std::optional<SiteInfo> &info)
{
    update(m_info, info, &OpenPage::infoChanged);
}
void OpenPage::setProgress(const std::optional<ScanProgress> &progress)
{
    update(m_progress, progress, &OpenPage::progressChanged);
}
void OpenPage::setScanActivity(const ScanActivity &activity)
{
    update(m_scanActivity, activity, &OpenPage::scanActivityChanged);
}

void OpenPage::setOpenedFromPostList(const std::optional<QString> &url)
{
    // Kept in canonical form: page tracking compares it with the canonical page address.
    const std::optional<ScanStore::PostKey> key = url ? ScanStore::canonical(*url) : std::nullopt;
    m_openedFromList = key ? std::optional<QString>(key->url) : url;
}

void OpenPage::navigationChanged()
{
    ++m_refreshSerial;   // a pending refresh is for a page that did not settle
    Browser *browser = m_browser.data();
    if (!browser)
        return;
    const QUuid id = browser->pageID();
    if (!pageID() || *pageID() != id) {
        setPageID(id);
        emit pageReplaced();
        m_jobs.leavePhase(JobState::Phase::preparing);
        setInfo(std::nullopt);
        m_status.set(QString(), StatusKind::plain);
        // A scan or an AI pass waiting for the old page gives up.
        m_jobs.land();
    }
    if (browser->isLoading() || m_jobs.working())
        return;
    const quint64 serial = m_refreshSerial;
    QTimer::singleShot(refreshDelayMs, this, [this, id, serial] {
        if (serial == m_refreshSerial)
            refreshSite(id, serial);
    });
}

QCoro::Task<void> OpenPage::refreshSite(QUuid id, quint64 serial)
{
    QPointer<OpenPage> self(this);
    if (!m_engine)
        co_return;
    const std::optional<SiteInfo> answer = co_await m_engine->info();
    if (!self || serial != m_refreshSerial || !samePage(id))
        co_return;
    setInfo(answer);
    if (m_jobs.working())
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
        const bool chosenFromList = selectingPosts() && fromList && *fromList == url;
        if (asked || (m_owner.scanOnOpen() && !chosenFromList && !hasScanned() && m_autoScanned != url)) {
            startScanOnOpen(url, id);
            co_return;
        }
    }
    if (!answer)
        m_status.set(tr("Works on YouTube and Instagram comment pages."), StatusKind::plain);
    else if (!answer->supported)
        m_status.set(localizedSiteMessage(answer->guide), StatusKind::plain);
    else if (!hasScanned())
        m_status.set(localizedSiteMessage(answer->intro), StatusKind::plain);
}

void OpenPage::startScanOnOpen(const QString &url, QUuid id)
{
    m_autoScan.reset();
    m_autoScanned = url;
    m_status.set(tr("Loading comments…"), StatusKind::plain);
    m_jobs.setPhase(JobState::Phase::preparing);
    QTimer::singleShot(scanOnOpenDelayMs, Qt::PreciseTimer, this, [this, id] {
        if (!samePage(id))
            return;
        m_jobs.leavePhase(JobState::Phase::preparing);
        if (m_jobs.working() || hasScanned())
            return;
        m_scan(false, true);
    });
}

// ---- progress -------------------------------------------------------------------------------

void OpenPage::startPolling(QUuid pageID)
{
    ++m_pollSerial;
    m_pollBusy = false;
    m_pollPage = pageID;
    m_pollTimer.start();
}

void OpenPage::stopPolling()
{
    ++m_pollSerial;   // an answer still on its way is dropped
    m_pollBusy = false;
    m_pollTimer.stop();
}

void OpenPage::pollTick()
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

QCoro::Task<void> OpenPage::pollOnce(quint64 serial)
{
    QPointer<OpenPage> self(this);
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
    if (answer->phase == QLatin1String("delete") && answer->gone) {
        emit deletedReported(*answer->gone, ScanStore::canonical(scannedURL().value_or(QString())));
        // Recorded (or refused by the history, which the deletion reports): the page goes on.
        if (m_engine)
            m_engine->acknowledge(answer->gone->size());
    }
}

// ---- opening a post for a run ------------------------------------------------------------------

QCoro::Task<bool> OpenPage::load(QString url, double timeout)
{
    QPointer<Browser> browser = m_browser;
    if (!browser)
        co_return false;
    QPointer<OpenPage> self(this);
    // Whether it opened, and whether the site wants a sign-in, is read from this load itself and
    // where it ended after its redirects: while it runs, the tab still shows the page before it
    // (perhaps a sign-in page left there), and that says nothing about this one.
    const std::unique_ptr<PageLoad> watch = browser->openWatched(url);
    if (!watch || timeout <= 0)
        co_return false;
    const auto refused = [&browser, &watch] {
        return !browser->error().isEmpty() || watch->toSignIn() || watch->failed();
    };
    double counted = 0;
    while (true) {
        co_await QCoro::sleepFor(250ms);
        if (!self || !browser || m_jobs.stop().queue || refused())
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

QCoro::Task<bool> OpenPage::waitForComments(double timeout)
{
    if (timeout <= 0 || m_jobs.stop().queue || !m_engine)
        co_return false;
    QPointer<OpenPage> self(this);
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
                setPageID(m_browser->pageID());
                co_return true;
            }
            co_return false;
        }
        co_await QCoro::sleepFor(500ms);
        if (!self || counted + 0.5 >= timeout)
            co_return false;
        counted += 0.5;
        if (m_jobs.stop().queue)
            co_return false;
    }
}

void OpenPage::mirrorProgress(const ScanProgress &p)
{
    setProgress(p);
    if (m_jobs.scanning() && !m_jobs.aiChecking()) {
        ScanActivity activity = scanActivity();
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
    if (const std::optional<ScanReport::StatusLine> line = ScanReport::progressLine(p))
        m_status.set(line->text, line->kind);
}
