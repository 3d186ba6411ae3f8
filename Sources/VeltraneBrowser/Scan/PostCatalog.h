#pragma once
// The owner's post list: its rows, finding posts on the signed-in sites, the candidates in their
// one display and scan order, loading more, monitoring single posts, and the history read for the
// statistics sheet. The only writer of the rows; views listen to rowsChanged().

#include "Sites/LoginProvider.h"
#include "Scan/ChannelPost.h"
#include "Store/ScanStore.h"
#include "Wire/FoundPost.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QCoro/QCoroTask>

#include <functional>
#include <optional>

class Browser;
class JobState;
class OpenPage;
class OwnerSettings;
class SpamEngine;
class VeltraneAccount;

class PostCatalog : public QObject {
    Q_OBJECT

public:
    static constexpr int discoveredBatch = 30;

    // Discovery runs as a job of `jobs` and reads the post limit in `settings`. Without a
    // browser, an engine and a page it finds nothing, and without a browser the open page is not
    // offered; without an account monitoring waits for one. The given objects must outlive the
    // catalog, except the browser, which is only watched.
    PostCatalog(ScanStore &store, JobState &jobs, const OwnerSettings &settings, VeltraneAccount *account = nullptr,
                Browser *browser = nullptr, SpamEngine *engine = nullptr, OpenPage *page = nullptr,
                QObject *parent = nullptr);

    const QList<ChannelPost> &rows() const { return m_rows; }
    void setRows(const QList<ChannelPost> &rows);
    // Changes the row of one address, when listed.
    void setRow(const QString &url, const std::function<void(ChannelPost &)> &change);
    // Takes a post's stored counts into its row, when listed.
    void takeCounts(const QString &url, const ScanStore::Counts &counts);
    // The row of an address, when listed.
    std::optional<ChannelPost> rowOf(const QString &url) const;
    // Puts a stored post into the list (replacing its row) with the count of new comments: at
    // the top, or in its place while a job over several posts runs (which takes in no other post).
    void listPost(const ScanStore::Post &post, int added);
    // The canonical key of the browser's address; none without a browser or off a post.
    std::optional<ScanStore::PostKey> currentPage() const;

    // The list row of a stored post; a post stored only as monitored (time 0) has no scan time.
    static ChannelPost row(const ScanStore::Post &post, ChannelPost::State state);
    // The signed-in sites (a saved session counts), YouTube first; none without a browser.
    QList<LoginProvider> providers() const;
    // The owner's latest posts on one site (the post limit setting when no limit is given).
    // Navigates the browser. Throws BrowserError.
    QCoro::Task<QList<FoundPost>> discover(LoginProvider provider, std::optional<int> limit);
    // The post list in display and scan order: the open post when listed nowhere else, the
    // rows, the stored posts, the found posts; one row per canonical address.
    QList<ChannelPost> candidates();
    // Stores up to discoveredBatch posts new to the list; returns how many.
    int addDiscovered(const QList<FoundPost> &posts);
    // Fills an empty list from the history (nothing while a job over several posts runs).
    void loadHistory();
    // Forgets a post with its history and keeps discovery from bringing it back; nothing while
    // a job runs.
    void forget(const QString &url);
    // What the last load of posts found or why it failed.
    const QString &discoveryStatus() const { return m_discoveryStatus; }
    void setDiscoveryStatus(const QString &text);
    // The discovery status after a load that found nothing new.
    static QString nothingMoreToLoad();
    // Loads more of a site's posts into the list; returns how many came (0 when refused, stopped
    // or failed). Reports in discoveryStatus only.
    QCoro::Task<int> loadMore(LoginProvider provider);
    void stopLoading();
    // Turns monitoring of a post on or off. Turning it on needs the service account: without it
    // the address waits in pendingMonitor, accountNeeded() asks for it and the answer is false.
    bool setWatched(const QString &url, bool on);
    // Completes a monitoring request that waited for the service sign-in (dropped without one).
    void finishPendingMonitor();
    std::optional<QString> pendingMonitor() const { return m_pendingMonitor; }
    void setPendingMonitor(const std::optional<QString> &url) { m_pendingMonitor = url; }

    // One snapshot of the history for the statistics sheet.
    struct DashboardData {
        ScanStore::Stats stats;                   // all sites
        QMap<QString, ScanStore::Stats> bySite;   // "youtube" and "instagram", always both
        QList<ScanStore::DayCount> daily;         // oldest day first
        QList<ScanStore::Post> topPosts;          // at most 5
        QList<ScanStore::Author> topAuthors;      // at most 5
        QList<ScanStore::Record> recent;          // at most 10, newest deletion first
        QHash<QString, ScanStore::Post> posts;    // the first 200 listed posts by url
    };
    // Reads the snapshot from the store, synchronously; the store's empty answers pass through.
    DashboardData dashboard(int days, const QDateTime &now) const;
    // The same snapshot read on a worker thread over a connection of its own (at once from this
    // one when the history is in memory or off); `done` runs on this thread while `context` lives.
    void dashboardAside(int days, const QDateTime &now, QObject *context,
                        std::function<void(const DashboardData &)> done) const;
    static DashboardData dashboardOf(ScanStore &store, int days, const QDateTime &now);
    // Clears the history keeping monitored posts, and the image cache; nothing while a job runs.
    // Returns whether it cleared.
    bool clearHistory();

signals:
    void rowsChanged();
    void discoveryStatusChanged();
    // The stored posts changed: the history's totals want reading again; runsChanged() and
    // deletionsChanged() say that its runs or deletions did too.
    void totalsChanged();
    void runsChanged();
    void deletionsChanged();
    // Monitoring waits for the service account.
    void accountNeeded();
    // A load of posts is about to take the browser away from page tracking.
    void browserNeeded();

private:
    QCoro::Task<bool> openForDiscovery(QString url, double timeout);
    bool hasToken() const;

    ScanStore &m_store;
    JobState &m_jobs;
    const OwnerSettings &m_settings;
    VeltraneAccount *m_account;
    QPointer<Browser> m_browser;
    SpamEngine *m_engine;
    OpenPage *m_page;
    QList<ChannelPost> m_rows;
    QString m_discoveryStatus;
    std::optional<QString> m_pendingMonitor;
    // The open page the owner forgot: not offered again while it stays open.
    std::optional<QString> m_dismissedPage;
};
