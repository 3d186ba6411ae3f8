#include "Scan/AutoScanSchedule.h"

#include "Browser/AccountSession.h"
#include "Browser/Browser.h"
#include "Scan/DesktopNotifier.h"
#include "Scan/JobState.h"
#include "Scan/OwnerSettings.h"
#include "Scan/PostCatalog.h"

#include <QCoro/QCoroTimer>
#include <QGuiApplication>
#include <QWindow>

#include <chrono>
#include <cmath>

namespace {

constexpr double kLongestFirstDelay = 86400;

}   // namespace

const QString AutoScanSchedule::noticeKey = QStringLiteral("vt.autoscan");

AutoScanSchedule::AutoScanSchedule(OwnerSettings &settings, JobState &jobs, PostCatalog &catalog, Browser *browser,
                                   ChannelScan scan, QObject *parent)
    : QObject(parent)
    , channelScan(std::move(scan))
    , m_settings(settings)
    , m_jobs(jobs)
    , m_catalog(catalog)
    , m_browser(browser)
{
}

double AutoScanSchedule::firstDelay(const QByteArray &value)
{
    bool ok = false;
    const double seconds = value.trimmed().toDouble(&ok);
    if (!ok || std::isnan(seconds))
        return defaultFirst;
    return std::clamp(seconds, 0.0, kLongestFirstDelay);
}

void AutoScanSchedule::start(double firstCheck)
{
    stop();
    if (std::isnan(firstCheck))
        firstCheck = defaultFirst;
    m_alive = std::make_shared<bool>(true);
    loop(m_alive, std::clamp(firstCheck, 0.0, kLongestFirstDelay));
}

void AutoScanSchedule::stop()
{
    if (m_alive)
        *m_alive = false;
    m_alive.reset();
}

bool AutoScanSchedule::running() const
{
    return m_alive && *m_alive;
}

QCoro::Task<void> AutoScanSchedule::loop(std::shared_ptr<bool> alive, double firstCheck)
{
    QPointer<AutoScanSchedule> self(this);
    co_await QCoro::sleepFor(std::chrono::milliseconds(qint64(firstCheck * 1000)));
    while (*alive && self) {
        co_await ifDue();
        if (!*alive || !self)
            co_return;
        co_await QCoro::sleepFor(std::chrono::milliseconds(periodMs));
    }
}

bool AutoScanSchedule::windowOnScreen() const
{
    if (!m_browser)
        return false;
    QWindow *window = m_browserWindow.data();
    if (!window && qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        for (QWindow *w : QGuiApplication::topLevelWindows()) {
            if (w->isVisible()) {
                window = w;
                break;
            }
        }
    }
    if (!window || !window->isVisible() || !window->isExposed())
        return false;
    return !(window->windowStates() & Qt::WindowMinimized);
}

QCoro::Task<void> AutoScanSchedule::ifDue()
{
    const QDateTime now = QDateTime::currentDateTime();
    if (m_settings.autoScanHours() < 1 || !m_settings.autoScanTimeDue(now) || m_jobs.working())
        co_return;
    if (applicationActive) {
        if (applicationActive())
            co_return;
    } else {
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            co_return;
        if (QGuiApplication::applicationState() == Qt::ApplicationActive)
            co_return;
    }
    if (!windowOnScreen())
        co_return;
    if (!m_browser || m_browser->accounts()->isAuthenticating() || m_browser->isLoading())
        co_return;
    if (m_catalog.providers().isEmpty())
        co_return;
    // Written first, so that a run that fails or is stopped still counts as the last one.
    m_settings.setLastAutoScan(now);
    QPointer<AutoScanSchedule> self(this);
    if (channelScan)
        co_await channelScan();
    if (!self)
        co_return;
    // Only the posts this run scanned count: rows scanned before it (the history the list shows
    // after the run) do not. Stored scan times may have whole seconds only.
    const QDateTime since = now.addSecs(-1);
    int scanned = 0;
    int flagged = 0;
    for (const ChannelPost &p : m_catalog.rows()) {
        if (p.state == ChannelPost::State::done && p.scannedAt && *p.scannedAt >= since) {
            ++scanned;
            flagged += p.flagged;
        }
    }
    const Notice told = notice(scanned, flagged);
    notify(told.title, told.body);
}

AutoScanSchedule::Notice AutoScanSchedule::notice(int scanned, int flagged)
{
    if (scanned == 0) {
        // Nothing could be scanned: saying "no suspected comments" would sound like all is well.
        return {tr("Automatic scan failed"), tr("The automatic scan couldn't scan any posts. Check the app.")};
    }
    const QString body = tr("Scanned %1 posts automatically.").arg(scanned);
    if (flagged >= 1)
        return {tr("%1 suspected comments").arg(flagged), body + tr(" Review and delete in the app.")};
    return {tr("No suspected comments"), body};
}

DesktopNotifier *AutoScanSchedule::notifier() const
{
    return m_notifier ? m_notifier : &DesktopNotifier::shared();
}

void AutoScanSchedule::notify(const QString &title, const QString &body)
{
    notifier()->post(noticeKey, title, body);
}

void AutoScanSchedule::setBrowserWindow(QWindow *window)
{
    m_browserWindow = window;
}
