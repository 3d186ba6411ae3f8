#pragma once
// The spam model: makes the parts that keep the application's state, gives each the objects it
// works with and wires their signals to one another. Lives on the GUI thread; views and the
// agent listen to the parts themselves: JobState (the running job and Stop's request),
// StatusLine, OwnerSettings (every "vt." setting), PostReview (the comments and their review
// marks), OpenPage (the page it follows, its site information, scan on open, progress polling),
// ScanReport (a scan's texts, the review's issue text and its history run), HistoryState (totals,
// run session, reread counters, the notice when the history is off), PostCatalog (the post
// list's rows, discovery, monitoring, the statistics read), PostQueue (queue and channel scans),
// RemovalJob (deletions and their progress) and AutoScanSchedule (the automatic scans). ScanJob
// (one scan, made by scan()) and AIPass (one AI pass, made by aiPass()) are given the parts they
// work on.
//
// The model's own members are split by concern over several files: SpamModel.cpp (making and
// wiring the parts, reset), SpamModelSettings.cpp (the effects of the settings), SpamModelRules.cpp
// (incremental options), SpamModelScan.cpp (starting a scan and Stop), SpamModelAI.cpp (starting
// an AI pass), SpamModelReview.cpp (revealing a comment, opening a stored post), SpamModelPosts.cpp
// and SpamModelRemoval.cpp (the model's side of the post list and of deletion).

#include "Base/Alerts.h"
#include "Browser/Browser.h"
#include "Rules/SortKey.h"
#include "Rules/SpamRules.h"
#include "Scan/ChannelPost.h"
#include "Scan/AutoScanSchedule.h"
#include "Scan/HistoryState.h"
#include "Scan/JobState.h"
#include "Scan/OpenPage.h"
#include "Scan/OwnerSettings.h"
#include "Scan/PostCatalog.h"
#include "Scan/PostQueue.h"
#include "Scan/PostReview.h"
#include "Scan/RemovalJob.h"
#include "Scan/ScanActivity.h"
#include "Scan/ScanReport.h"
#include "Scan/StatusLine.h"
#include "Store/ScanStore.h"
#include "Store/StoreThread.h"
#include "Wire/Comment.h"
#include "Wire/FoundPost.h"
#include "Wire/Recent.h"
#include "Wire/ScanProgress.h"
#include "Wire/ScanResult.h"
#include "Wire/SiteInfo.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUuid>
#include <QCoro/QCoroTask>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

class Alerts;
class AppSettings;
class DesktopNotifier;
class SpamEngine;
class VeltraneAccount;

class SpamModel : public QObject, public SpamRules {
    Q_OBJECT

    // Raised when something the owner asked for needs the service account.
    Q_PROPERTY(int accountRequest READ accountRequest NOTIFY accountRequestChanged)

public:
    using ChannelPost = ::ChannelPost;

    // What the report of one scan is made of (ScanReport's).
    using ScanFacts = ScanReport::Facts;

    // The AI answers reused from the store.
    using Reuse = PostReview::Reuse;

    static constexpr qint64 incrementalWindowSeconds = 604800;   // 7 days
    static constexpr int knownIdsLimit = 5000;
    static constexpr qint64 stopAtKnown = 12;

    // No account: a service client with the configured endpoint. No store: the history at its
    // default path. No settings: the application's settings file. Given objects must outlive
    // the model; the browser is only watched.
    SpamModel(SpamEngine *engine, Browser *browser, VeltraneAccount *account = nullptr, ScanStore *store = nullptr,
              AppSettings *settings = nullptr, QObject *parent = nullptr);
    ~SpamModel() override;

    SpamEngine *engine() const { return m_engine; }
    Browser *browser() const { return m_browser.data(); }
    VeltraneAccount *account() const { return m_account; }
    ScanStore *store() const { return m_store; }
    // The history's second connection, off the window's thread: scans' records and the expiry.
    StoreThread &storeThread() const { return *m_storeThread; }
    // Writes a scan's whole record there (all of it or none); the window goes on meanwhile.
    QCoro::Task<ScanStore::Recorded> recordScan(ScanStore::ScanRecord scan);
    AppSettings *settings() const { return m_settings; }
    OwnerSettings &ownerSettings() const { return *m_owner; }

    // ---- published state --------------------------------------------------------------
    // The open post's comments and their review marks.
    PostReview &review() { return m_review; }
    const PostReview &review() const { return m_review; }
    // The status line itself.
    StatusLine &statusLine() { return m_statusLine; }
    const StatusLine &statusLine() const { return m_statusLine; }
    // The running job and Stop's request.
    JobState &jobs() { return m_jobs; }
    const JobState &jobs() const { return m_jobs; }

    // The history's totals, run session, counters and notice (HistoryState).
    HistoryState &history() { return m_history; }
    const HistoryState &history() const { return m_history; }
    // Raised when something the owner asked for needs the service account.
    int accountRequest() const { return m_accountRequest; }
    void raiseAccountRequest();

    // ---- settings (OwnerSettings: read and set there, watched through its changed(key)) -----
    // Keyword edits; each stores the list and re-judges the open page.
    void addKeywords(const QString &text);
    void removeKeyword(const QString &word);
    // Re-judges the open page after the owner's words changed and stores the new verdicts.
    void wordsChanged();

    // The post list's row of the browser's page (PostCatalog::currentPage).
    std::optional<ChannelPost> currentPost() const;

    // ---- results of the open page -------------------------------------------------------
    // Forgets the open page's results, review marks and AI bookkeeping.
    void resetResults();
    // Forgets the current review's marks and notes.
    void clearReview();
    // Whether a rescan of the post may collect only the newest comments, and what it sends.
    std::optional<Recent> recentOptions(const std::optional<ScanStore::PostKey> &page,
                                        const QDateTime &now = QDateTime::currentDateTime()) const;

    // ---- report and run log ----------------------------------------------------------------
    // The texts and the history run of a scan.
    ScanReport &scanReport() { return m_scanReport; }
    const ScanReport &scanReport() const { return m_scanReport; }

    // ---- the owner's posts, monitoring and automatic scans ----------------------------------
    // Takes the browser away from page tracking before a job over several posts.
    void takeOverBrowser();
    // The post list: its rows, discovery, monitoring, the statistics read and clearing.
    PostCatalog &catalog() const;
    // The automatic scans (their schedule, run and notice live there).
    AutoScanSchedule &autoScans() const;
    // Scans of several posts.
    PostQueue &queue() const;

    // ---- the scan of the open post (SpamModelScan.cpp) ------------------------------------
    // Collects, judges, asks the AI check, stores and sums up the open post. Returns at once,
    // changing nothing, while another scan or a deletion runs, during a site sign-in, before the
    // page's site information arrived, on an unsupported or loading page, or when the model's
    // page is not the browser's. Never throws: every failure ends in the status line.
    QCoro::Task<void> scan(bool full, bool record);
    // The owner's Stop: the running collection, AI pass and queue are asked to stop; what the page
    // or the service has not answered after stopGraceMs is abandoned.
    void stopScan();
    int stopGraceMs = 8000;

    // ---- AI pass and consent (SpamModelAI.cpp) --------------------------------------------
    // Asks the service about the comments the rules left undecided (one AIPass; nothing stored
    // without `page`). Returns the closing sentence.
    // With `answers`, the scores are gathered there for the scan's record, not written.
    QCoro::Task<QString> aiPass(QUuid pageID, std::optional<ScanStore::PostKey> page,
                                QHash<QString, ScanStore::Known> known, Reuse before,
                                QList<ScanStore::AIAnswer> *answers = nullptr);
    // Where questions to the owner go (Alerts::shared() unless set; not owned).
    Alerts *alerts() const;
    void setAlerts(Alerts *alerts) { m_alerts = alerts; }

    // ---- the open page (its state, scan on open, progress polling, opening a post for a run) -
    OpenPage &openPage() { return m_openPage; }
    const OpenPage &openPage() const { return m_openPage; }

    // ---- deletion (SpamModelRemoval.cpp) ----------------------------------------------------
    // The deletions on the open post and of stored records, with their progress and outcome.
    RemovalJob &removalJob() const;

    // ---- acting on the open page for the agent and the statistics (SpamModelReview.cpp) -----
    // Scrolls the page to a comment; no answer.
    void reveal(const QString &id);
    // Opens a stored post and scans it once it has loaded.
    void openPost(const QString &url);

signals:
    void accountRequestChanged();

private:
    // Removes what is past the retention on the history's own thread, a short batch at a time
    // (so that scans and deletions are recorded between them); `before` counts what the earlier
    // batches of this expiry removed.
    void purgeInSteps(qint64 before = -1);

    // Whether the review is the last scan of the browser's page and no job runs.
    bool showsScannedPage() const;
    // Makes the deletion job over the parts (SpamModelRemoval.cpp).
    void makeRemovalJob();
    // Wires the settings' effects, then reads them.
    void readSettings();

    SpamEngine *m_engine = nullptr;
    QPointer<Browser> m_browser;
    VeltraneAccount *m_account = nullptr;
    std::unique_ptr<ScanStore> m_ownStore;   // none when a store was given
    ScanStore *m_store = nullptr;
    std::unique_ptr<StoreThread> m_storeThread;   // gone before the store it writes beside
    AppSettings *m_settings = nullptr;
    // Declared before the parts, which are given them.
    StatusLine m_statusLine;
    JobState m_jobs;
    std::unique_ptr<OwnerSettings> m_owner = std::make_unique<OwnerSettings>(m_settings);
    PostCatalog *m_catalog = new PostCatalog(*m_store, m_jobs, *m_owner, m_account, m_browser, m_engine, &m_openPage,
                                             this);
    PostQueue *m_queue = new PostQueue(
        *m_catalog, m_openPage, m_jobs, m_statusLine, m_scanReport, m_history, *m_owner, *m_store, m_browser,
        [this](bool full, bool record) { return scan(full, record); }, this);
    AutoScanSchedule *m_autoScans = new AutoScanSchedule(
        *m_owner, m_jobs, *m_catalog, m_browser, [this] { return m_queue->scanChannels(true); }, this);
    RemovalJob *m_removalJob = nullptr;   // made over the parts above

    int m_accountRequest = 0;
    HistoryState m_history{m_store, m_statusLine};
    OpenPage m_openPage{m_browser.data(), m_engine,     *m_owner,
                        m_jobs,           m_statusLine, [this](bool full, bool record) { return scan(full, record); }};
    PostReview m_review{*m_owner, *m_store, [this] { return showsScannedPage(); }};
    ScanReport m_scanReport{*m_owner, m_openPage, m_review, m_history, m_store, m_statusLine};
    Alerts *m_alerts = nullptr;
};
