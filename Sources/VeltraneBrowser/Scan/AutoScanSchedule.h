#pragma once
// The automatic scans: the loop that looks every period whether a run is due, the run itself (the
// channel scan of the latest posts while the owner is not using the application) and the desktop
// notice that reports it. The interval is the owner's setting; the last run's time is kept in the
// settings file.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QCoro/QCoroTask>

#include <functional>
#include <memory>

class Browser;
class DesktopNotifier;
class JobState;
class OwnerSettings;
class PostCatalog;
class QWindow;

class AutoScanSchedule : public QObject {
    Q_OBJECT

public:
    static constexpr double defaultFirst = 60;
    static const QString noticeKey;   // "vt.autoscan"

    // The channel scan of the latest posts of the signed-in sites, as an automatic one.
    using ChannelScan = std::function<QCoro::Task<void>()>;

    // Reads the interval and writes the last run's time in `settings`; runs `scan` when due and
    // counts what it scanned in the catalog's rows. The browser is only watched; the other
    // objects must outlive the schedule.
    AutoScanSchedule(OwnerSettings &settings, JobState &jobs, PostCatalog &catalog, Browser *browser, ChannelScan scan,
                     QObject *parent = nullptr);

    // Starts (or restarts) the loop: the first check after firstCheck seconds, then one every
    // periodMs.
    void start(double firstCheck);
    void stop();
    bool running() const;
    int periodMs = 60000;
    // The first delay from VT_AUTOSCAN_FIRST's text: a number of seconds from 0 to one day; a
    // negative number gives 0, more than a day a day, anything else the default.
    static double firstDelay(const QByteArray &value);
    // One check of the schedule and, when due, the automatic channel scan and its notice.
    QCoro::Task<void> ifDue();
    // Whether the browser's window is shown and not minimised.
    bool windowOnScreen() const;
    // The window the browser is shown in (the first visible top-level window when unset).
    void setBrowserWindow(QWindow *window);
    // Whether the owner is using the application (its state is active) unless replaced.
    std::function<bool()> applicationActive;
    // The channel scan of the automatic run (tests may replace it).
    ChannelScan channelScan;

    // The notice of an automatic run from the posts it scanned itself and their flags.
    struct Notice {
        QString title;
        QString body;
        bool operator==(const Notice &) const = default;
    };
    static Notice notice(int scanned, int flagged);
    // Posts a notice under noticeKey, replacing the one shown before.
    void notify(const QString &title, const QString &body);
    DesktopNotifier *notifier() const;
    // Where notices go (DesktopNotifier::shared() unless set; not owned).
    void setNotifier(DesktopNotifier *notifier) { m_notifier = notifier; }
    // Asks for permission to show notifications; the desktop's notification service needs none,
    // so the request is only counted (the moments it would be asked stay visible).
    void requestNotifications() { ++m_notificationRequests; }
    int notificationRequests() const { return m_notificationRequests; }

private:
    QCoro::Task<void> loop(std::shared_ptr<bool> alive, double firstCheck);

    OwnerSettings &m_settings;
    JobState &m_jobs;
    PostCatalog &m_catalog;
    QPointer<Browser> m_browser;
    QPointer<QWindow> m_browserWindow;
    DesktopNotifier *m_notifier = nullptr;
    int m_notificationRequests = 0;
    std::shared_ptr<bool> m_alive;
};
