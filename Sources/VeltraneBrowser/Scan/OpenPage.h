#pragma once
// The page the spam model works on. Follows the browser's page changes (a new page forgets the
// last page's results and ends what waited for it), asks a settled page what it is and may scan
// it on open, polls the page's progress beside a long page call into its progress, activity and
// the status line, and opens a post for a run and waits for its comments. Keeps what is known of
// the page: its site information, the page and post its results belong to, and how far its scan
// got. Views listen to its signals.

#include "Scan/JobState.h"
#include "Scan/OwnerSettings.h"
#include "Scan/ScanActivity.h"
#include "Scan/StatusLine.h"
#include "Store/ScanStore.h"
#include "Wire/ScanProgress.h"
#include "Wire/SiteInfo.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUuid>
#include <QCoro/QCoroTask>

#include <functional>
#include <optional>

class Browser;
class SpamEngine;

class OpenPage : public QObject {
    Q_OBJECT

public:
    // Starts the scan of the open page (the spam model's, with its guards).
    using Scan = std::function<QCoro::Task<void>(bool full, bool record)>;

    // The browser is only watched; the engine, the settings, the job and the status line must
    // outlive the page.
    OpenPage(Browser *browser, SpamEngine *engine, OwnerSettings &owner, JobState &jobs, StatusLine &status, Scan scan,
             QObject *parent = nullptr);

    const std::optional<SiteInfo> &info() const { return m_info; }
    void setInfo(const std::optional<SiteInfo> &info);
    const std::optional<ScanProgress> &progress() const { return m_progress; }
    void setProgress(const std::optional<ScanProgress> &progress);
    const ScanActivity &scanActivity() const { return m_scanActivity; }
    void setScanActivity(const ScanActivity &activity);
    // Whether the page's scan finished, whether it collected only the newest comments, and how
    // many were new; read when needed, not announced.
    bool hasScanned() const { return m_hasScanned; }
    void setHasScanned(bool on) { m_hasScanned = on; }
    bool recentOnly() const { return m_recentOnly; }
    void setRecentOnly(bool on) { m_recentOnly = on; }
    int recentAdded() const { return m_recentAdded; }
    void setRecentAdded(int count) { m_recentAdded = count; }

    // The browser page the results belong to.
    std::optional<QUuid> pageID() const { return m_pageID; }
    void setPageID(const std::optional<QUuid> &id) { m_pageID = id; }
    // The address and post key of the last scan of this page.
    std::optional<QString> scannedURL() const { return m_scannedURL; }
    void setScannedURL(const std::optional<QString> &url) { m_scannedURL = url; }
    std::optional<ScanStore::PostKey> scannedPage() const { return m_scannedPage; }
    void setScannedPage(const std::optional<ScanStore::PostKey> &page) { m_scannedPage = page; }
    // Whether the owner is choosing posts in the post list (a post opened from it is not
    // scanned on open).
    bool selectingPosts() const { return m_selectingPosts; }
    void setSelectingPosts(bool on) { m_selectingPosts = on; }

    // The browser's page-change hook: forgets a previous page's results and, once the page has
    // settled, asks it what it is (and may scan it on open).
    void navigationChanged();
    // Drops a pending refresh of the page (and the scan on open it would start).
    void dropRefresh() { ++m_refreshSerial; }
    // A post to scan as soon as it opens, whatever the scan-on-open setting says.
    std::optional<QString> autoScan() const { return m_autoScan; }
    void setAutoScan(const std::optional<QString> &url) { m_autoScan = url; }
    // Set by the post list just before it opens a post while the owner is choosing posts: that
    // post is not scanned on open.
    void setOpenedFromPostList(const std::optional<QString> &url);
    int refreshDelayMs = 150;
    int scanOnOpenDelayMs = 2000;

    // Opens an address and waits until it has loaded; false on a stop, a load error, a sign-in
    // page or when the budget (seconds of waiting) is spent.
    QCoro::Task<bool> load(QString url, double timeout);
    // Waits until the open page is a supported comment page that has settled; publishes its
    // site information and takes its page as the model's.
    QCoro::Task<bool> waitForComments(double timeout);

    // Whether the browser still shows the page of that id.
    bool samePage(const QUuid &pageID) const;

    // Progress polling beside a long page call: every progressIntervalMs.
    static constexpr int progressIntervalMs = 350;
    void startPolling(QUuid pageID);
    void stopPolling();
    // Publishes one progress report: the report itself, the scan stage while a scan runs
    // outside the AI pass, and the status line.
    void mirrorProgress(const ScanProgress &progress);

signals:
    void infoChanged();
    void progressChanged();
    void scanActivityChanged();
    // The browser shows another page: the results of the last one are to be forgotten.
    void pageReplaced();
    // The page reported comments deleted during a deletion on the post it scanned.
    void deletedReported(const QStringList &ids, const std::optional<ScanStore::PostKey> &page);

private:
    template <typename T>
    void update(T &field, const T &value, void (OpenPage::*changed)());
    QCoro::Task<void> refreshSite(QUuid id, quint64 serial);
    void startScanOnOpen(const QString &url, QUuid id);
    void pollTick();
    QCoro::Task<void> pollOnce(quint64 serial);

    QPointer<Browser> m_browser;
    SpamEngine *m_engine = nullptr;
    OwnerSettings &m_owner;
    JobState &m_jobs;
    StatusLine &m_status;
    Scan m_scan;
    std::optional<SiteInfo> m_info;
    std::optional<ScanProgress> m_progress;
    ScanActivity m_scanActivity;
    bool m_hasScanned = false;
    bool m_recentOnly = false;
    int m_recentAdded = 0;
    std::optional<QUuid> m_pageID;
    std::optional<QString> m_scannedURL;
    std::optional<ScanStore::PostKey> m_scannedPage;
    bool m_selectingPosts = true;
    quint64 m_refreshSerial = 0;
    std::optional<QString> m_openedFromList;
    std::optional<QString> m_autoScan;
    std::optional<QString> m_autoScanned;
    QTimer m_pollTimer;
    quint64 m_pollSerial = 0;
    bool m_pollBusy = false;
    QUuid m_pollPage;
};
