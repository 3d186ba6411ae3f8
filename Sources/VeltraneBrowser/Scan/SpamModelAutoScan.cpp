// The automatic scans: the loop that looks every minute whether a run is due, the run itself (the
// channel scan of the latest posts while the owner is not using the application) and the desktop
// notice that reports it.
#include "Scan/SpamModel.h"

#include "Base/AppSettings.h"
#include "Base/Lang.h"
#include "Scan/DesktopNotifier.h"

#include <QCoro/QCoroTimer>
#include <QGuiApplication>
#include <QWindow>

#include <chrono>
#include <cmath>

namespace {

const QString kLastAutoScan = QStringLiteral("vt.lastAutoScan");
constexpr double kLongestFirstDelay = 86400;

} // namespace

const QString SpamModel::noticeKey = QStringLiteral("vt.autoscan");

double SpamModel::autoScanFirstDelay(const QByteArray &value)
{
    bool ok = false;
    const double seconds = value.trimmed().toDouble(&ok);
    if (!ok || std::isnan(seconds))
        return autoScanDefaultFirst;
    return std::clamp(seconds, 0.0, kLongestFirstDelay);
}

void SpamModel::startAutoScan(double firstCheck)
{
    stopAutoScan();
    if (std::isnan(firstCheck))
        firstCheck = autoScanDefaultFirst;
    m_autoLoop = std::make_shared<bool>(true);
    autoLoop(m_autoLoop, std::clamp(firstCheck, 0.0, kLongestFirstDelay));
}

void SpamModel::stopAutoScan()
{
    if (m_autoLoop)
        *m_autoLoop = false;
    m_autoLoop.reset();
}

bool SpamModel::autoScanRunning() const
{
    return m_autoLoop && *m_autoLoop;
}

QCoro::Task<void> SpamModel::autoLoop(std::shared_ptr<bool> alive, double firstCheck)
{
    QPointer<SpamModel> self(this);
    co_await QCoro::sleepFor(std::chrono::milliseconds(qint64(firstCheck * 1000)));
    while (*alive && self) {
        co_await autoScanIfDue();
        if (!*alive || !self)
            co_return;
        co_await QCoro::sleepFor(std::chrono::milliseconds(autoScanPeriodMs));
    }
}

bool SpamModel::windowOnScreen() const
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

QCoro::Task<void> SpamModel::autoScanIfDue()
{
    const QDateTime now = QDateTime::currentDateTime();
    if (m_autoScanHours < 1 || !autoScanTimeDue(now) || working())
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
    if (tourProviders().isEmpty())
        co_return;
    // Written first, so that a run that fails or is stopped still counts as the last one.
    m_settings->setValue(kLastAutoScan, now);
    QPointer<SpamModel> self(this);
    co_await scanLatestAutomatically();
    if (!self)
        co_return;
    // Only the posts this run scanned count: rows scanned before it (the history the list shows
    // after the run) do not. Stored scan times may have whole seconds only.
    const QDateTime since = now.addSecs(-1);
    int scanned = 0;
    int flagged = 0;
    for (const ChannelPost &p : std::as_const(m_posts)) {
        if (p.state == ChannelPost::State::done && p.scannedAt && *p.scannedAt >= since) {
            ++scanned;
            flagged += p.flagged;
        }
    }
    const Notice notice = autoScanNotice(scanned, flagged, Lang::system());
    notify(notice.title, notice.body);
}

QCoro::Task<void> SpamModel::scanLatestAutomatically()
{
    if (automaticChannelScan) {
        co_await automaticChannelScan();
        co_return;
    }
    co_await scanChannels(TourScope::latest, true);
}

SpamModel::Notice SpamModel::autoScanNotice(int scanned, int flagged, bool korean)
{
    const QString m = QString::number(scanned);
    const QString n = QString::number(flagged);
    if (scanned == 0) {
        // Nothing could be scanned: saying "no suspected comments" would sound like all is well.
        if (korean)
            return {QStringLiteral("자동 검사 실패"),
                    QStringLiteral("자동 검사에서 게시물을 하나도 검사하지 못했습니다. 앱에서 확인하세요.")};
        return {QStringLiteral("Automatic scan failed"),
                QStringLiteral("The automatic scan couldn't scan any posts. Check the app.")};
    }
    if (korean) {
        const QString body = QStringLiteral("게시물 ") + m + QStringLiteral("개를 자동으로 검사했습니다.");
        if (flagged >= 1)
            return {QStringLiteral("의심 댓글 ") + n + QStringLiteral("개"), body + QStringLiteral(" 앱에서 확인하고 삭제하세요.")};
        return {QStringLiteral("의심 댓글 없음"), body};
    }
    const QString body = QStringLiteral("Scanned ") + m + QStringLiteral(" posts automatically.");
    if (flagged >= 1)
        return {n + QStringLiteral(" suspected comments"), body + QStringLiteral(" Review and delete in the app.")};
    return {QStringLiteral("No suspected comments"), body};
}

DesktopNotifier *SpamModel::notifier() const
{
    return m_notifier ? m_notifier : &DesktopNotifier::shared();
}

void SpamModel::notify(const QString &title, const QString &body)
{
    notifier()->post(noticeKey, title, body);
}

void SpamModel::setBrowserWindow(QWindow *window)
{
    m_browserWindow = window;
}
