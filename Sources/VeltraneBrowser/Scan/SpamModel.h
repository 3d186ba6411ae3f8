#pragma once
// The central model of the application: the open post's comments with their verdicts, the
// status line, the running job, the post list, the history totals and every owner setting ("vt."
// keys). Lives on the GUI thread; views and the agent bind to its properties.
//
// The model coordinates objects that own their part and its state; the properties show that
// state and their signals are the model's own (a part raises them through publish()):
// PostReview (the comments and their review marks), OpenPage (the page it follows, its site
// information, scan on open, progress polling, how far its scan got), ScanJob (one scan, made by
// scan()), AIPass (one AI pass, made by aiPass()), ScanReport (a scan's texts, the review's issue
// text and its history run), HistoryState (totals, run session, reread counters, the notice when
// the history is off), OwnerSettings (every "vt." setting, read once when the model is made and
// written back at once on change), PostCatalog (the post list's rows, discovery, monitoring, the
// statistics read), PostQueue (queue and channel scans), RemovalJob (deletions and their
// progress) and AutoScanSchedule (the automatic scans and their notice). The running job is one
// Job with its step and Phase; the bool properties scanning, busy, touring, findingPosts,
// working, preparing and aiChecking are views of it.
//
// The model's own members are split by concern over several files: SpamModel.cpp (job, status
// line, reset), SpamModelSettings.cpp (the effects of the settings), SpamModelRules.cpp
// (incremental options), SpamModelScan.cpp (starting a scan and Stop), SpamModelAI.cpp (starting
// an AI pass), SpamModelReview.cpp (revealing a comment, opening a stored post), SpamModelPosts.cpp
// and SpamModelRemoval.cpp (the model's side of the post list, the queue, the automatic scans and
// deletion).

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

    // The open page and its results.
    Q_PROPERTY(std::optional<SiteInfo> info READ info WRITE setInfo NOTIFY infoChanged)
    Q_PROPERTY(QString status READ status NOTIFY statusChanged)
    Q_PROPERTY(QString statusKind READ statusKind NOTIFY statusKindChanged)
    Q_PROPERTY(std::optional<ScanProgress> progress READ progress WRITE setProgress NOTIFY progressChanged)
    Q_PROPERTY(ScanActivity scanActivity READ scanActivity WRITE setScanActivity NOTIFY scanActivityChanged)
    Q_PROPERTY(bool hasScanned READ hasScanned WRITE setHasScanned NOTIFY hasScannedChanged)
    Q_PROPERTY(bool recentOnly READ recentOnly WRITE setRecentOnly NOTIFY recentOnlyChanged)
    Q_PROPERTY(int recentAdded READ recentAdded WRITE setRecentAdded NOTIFY recentAddedChanged)
    Q_PROPERTY(QString issue READ issue NOTIFY issueChanged)

    // Jobs.
    // Read-only views of the running job (job(), step(), phase()).
    Q_PROPERTY(bool scanning READ scanning NOTIFY scanningChanged)
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    Q_PROPERTY(bool touring READ touring NOTIFY touringChanged)
    Q_PROPERTY(bool findingPosts READ findingPosts NOTIFY findingPostsChanged)
    Q_PROPERTY(bool working READ working NOTIFY workingChanged)
    Q_PROPERTY(bool preparing READ preparing NOTIFY preparingChanged)
    Q_PROPERTY(bool aiChecking READ aiChecking NOTIFY aiCheckingChanged)

    // Post list, history and counters that only grow.
    Q_PROPERTY(ScanStore::Stats stats READ stats WRITE setStats NOTIFY statsChanged)
    Q_PROPERTY(std::optional<QString> runSession READ runSession WRITE setRunSession NOTIFY runSessionChanged)
    Q_PROPERTY(int runsVersion READ runsVersion NOTIFY runsVersionChanged)
    Q_PROPERTY(int deletionsVersion READ deletionsVersion NOTIFY deletionsVersionChanged)
    Q_PROPERTY(int accountRequest READ accountRequest NOTIFY accountRequestChanged)
    Q_PROPERTY(QString historyNotice READ historyNotice NOTIFY historyNoticeChanged)

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
    SpamModel(SpamEngine *engine, Browser *browser, VeltraneAccount *account = nullptr,
              ScanStore *store = nullptr, AppSettings *settings = nullptr, QObject *parent = nullptr);
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
    const std::optional<SiteInfo> &info() const { return m_openPage.info(); }
    void setInfo(const std::optional<SiteInfo> &info);
    // The open post's comments and their review marks.
    PostReview &review() { return m_review; }
    const PostReview &review() const { return m_review; }
    QString status() const { return m_statusLine.text(); }
    // The status line's tone as its text ("", "ok", "warn", "error", "blocked").
    QString statusKind() const { return statusKindText(m_statusLine.kind()); }
    // The status line itself.
    StatusLine &statusLine() { return m_statusLine; }
    // The running job and Stop's request.
    JobState &jobs() { return m_jobs; }
    const JobState &jobs() const { return m_jobs; }
    const std::optional<ScanProgress> &progress() const { return m_openPage.progress(); }
    void setProgress(const std::optional<ScanProgress> &progress);
    const ScanActivity &scanActivity() const { return m_openPage.scanActivity(); }
    void setScanActivity(const ScanActivity &activity);
    bool hasScanned() const { return m_openPage.hasScanned(); }
    void setHasScanned(bool on);
    bool recentOnly() const { return m_openPage.recentOnly(); }
    void setRecentOnly(bool on);
    int recentAdded() const { return m_openPage.recentAdded(); }
    void setRecentAdded(int count);
    QString issue() const { return m_scanReport.issue(); }

    using Job = JobState::Job;
    using Phase = JobState::Phase;
    Job job() const { return m_jobs.job(); }
    Job step() const { return m_jobs.step(); }
    Phase phase() const { return m_jobs.phase(); }
    // Starts a job: a scan or a deletion under a running queue or discovery becomes its step;
    // a queue or discovery started over a running scan or deletion takes it as its step.
    void startJob(Job job);
    // Ends a job or step of that kind; a queue or discovery that ends leaves its step running.
    void endJob(Job job);
    void setPhase(Phase phase);

    bool scanning() const { return m_jobs.scanning(); }
    bool busy() const { return m_jobs.busy(); }
    bool touring() const { return m_jobs.touring(); }
    bool findingPosts() const { return m_jobs.findingPosts(); }
    bool working() const { return m_jobs.working(); }
    bool preparing() const { return m_jobs.preparing(); }
    bool aiChecking() const { return m_jobs.aiChecking(); }
    // startJob/endJob (setPreparing/setAIChecking: setPhase) by the kind they name.
    void setScanning(bool on) { on ? startJob(Job::scan) : endJob(Job::scan); }
    void setBusy(bool on) { on ? startJob(Job::removal) : endJob(Job::removal); }
    void setTouring(bool on) { on ? startJob(Job::queue) : endJob(Job::queue); }
    void setFindingPosts(bool on) { on ? startJob(Job::discovery) : endJob(Job::discovery); }
    void setPreparing(bool on);
    void setAIChecking(bool on);

    // The history's totals, run session, counters and notice (HistoryState).
    HistoryState &history() { return m_history; }
    const ScanStore::Stats &stats() const { return m_history.stats(); }
    void setStats(const ScanStore::Stats &stats) { m_history.setStats(stats); }
    const std::optional<QString> &runSession() const { return m_history.runSession(); }
    void setRunSession(const std::optional<QString> &session) { m_history.setRunSession(session); }
    int runsVersion() const { return m_history.runsVersion(); }
    int deletionsVersion() const { return m_history.deletionsVersion(); }
    // Raised when something the owner asked for needs the service account.
    int accountRequest() const { return m_accountRequest; }
    void raiseAccountRequest();
    QString historyNotice() const { return m_history.notice(); }
    // Whether the last scan's results all reached the history; when not, why (empty for a page
    // that has nothing to store).
    bool lastScanRecorded() const { return m_scanReport.recorded(); }
    QString lastScanUnsaved() const { return m_scanReport.unsaved(); }

    // ---- settings (OwnerSettings: read and set there, watched through its changed(key)) -----
    // Keyword edits; each stores the list and re-judges the open page.
    void addKeywords(const QString &text);
    void removeKeyword(const QString &word);
    // Re-judges the open page after the owner's words changed and stores the new verdicts.
    void wordsChanged();

    // The canonical key of the browser's address; none without a browser or off a post.
    std::optional<ScanStore::PostKey> currentPage() const;
    // The post list's row of the current page.
    std::optional<ChannelPost> currentPost() const;

    // ---- results of the open page -------------------------------------------------------
    // Forgets the open page's results, review marks and AI bookkeeping.
    void resetResults();
    // Adds a note to the review's issue text, once (ScanReport::report).
    void report(const QString &note) { m_scanReport.report(note); }
    // Forgets the current review's marks and notes.
    void clearReview();
    // Whether a rescan of the post may collect only the newest comments, and what it sends.
    std::optional<Recent> recentOptions(const std::optional<ScanStore::PostKey> &page,
                                        const QDateTime &now = QDateTime::currentDateTime()) const;

    // ---- status line, report and run log ------------------------------------------------
    void setStatus(const QString &text, StatusKind kind);
    // The same with the kind's text; any other text is plain.
    void setStatus(const QString &text, const QString &kind) { setStatus(text, statusKindOf(kind)); }
    // The texts and the history run of a scan.
    ScanReport &scanReport() { return m_scanReport; }
    const ScanReport &scanReport() const { return m_scanReport; }

    // Publishes one progress report (OpenPage::mirrorProgress).
    void mirrorProgress(const ScanProgress &progress) { m_openPage.mirrorProgress(progress); }

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
    bool tourStop() const { return m_jobs.stop().queue; }
    void setTourStop(bool on) { m_jobs.stop().queue = on; }
    bool aiStop() const { return m_jobs.stop().ai; }

    // ---- AI pass and consent (SpamModelAI.cpp) --------------------------------------------
    static constexpr int aiBatchSize = 20;
    static constexpr int aiMaxInFlight = 4;
    // Asks the service about the comments the rules left undecided (one AIPass; nothing stored
    // without `page`). Returns the closing sentence.
    // With `answers`, the scores are gathered there for the scan's record, not written.
    QCoro::Task<QString> aiPass(QUuid pageID, std::optional<ScanStore::PostKey> page,
                                QHash<QString, ScanStore::Known> known, Reuse before,
                                QList<ScanStore::AIAnswer> *answers = nullptr);
    // Where questions to the owner go (Alerts::shared() unless set; not owned).
    Alerts *alerts() const;
    void setAlerts(Alerts *alerts) { m_alerts = alerts; }

    // ---- the open page (OpenPage; these forward to it) --------------------------------------
    OpenPage &openPage() { return m_openPage; }
    void navigationChanged() { m_openPage.navigationChanged(); }
    std::optional<QString> autoScan() const { return m_openPage.autoScan(); }
    void setAutoScan(const std::optional<QString> &url) { m_openPage.setAutoScan(url); }
    void setOpenedFromPostList(const std::optional<QString> &url) { m_openPage.setOpenedFromPostList(url); }
    QCoro::Task<bool> load(QString url, double timeout) { return m_openPage.load(std::move(url), timeout); }
    QCoro::Task<bool> waitForComments(double timeout) { return m_openPage.waitForComments(timeout); }
    static constexpr int progressIntervalMs = 350;
    void startPolling(QUuid pageID) { m_openPage.startPolling(pageID); }
    void stopPolling() { m_openPage.stopPolling(); }

    // ---- deletion (SpamModelRemoval.cpp) ----------------------------------------------------
    // The deletions on the open post and of stored records, with their progress and outcome.
    RemovalJob &removalJob() const;

    // ---- acting on the open page for the agent and the statistics (SpamModelReview.cpp) -----
    // Scrolls the page to a comment; no answer.
    void reveal(const QString &id);
    // Opens a stored post and scans it once it has loaded.
    void openPost(const QString &url);

signals:
    void infoChanged();
    void statusChanged();
    void statusKindChanged();
    void progressChanged();
    void scanActivityChanged();
    void hasScannedChanged();
    void recentOnlyChanged();
    void recentAddedChanged();
    void issueChanged();
    void scanningChanged();
    void busyChanged();
    void touringChanged();
    void findingPostsChanged();
    void workingChanged();
    void preparingChanged();
    void aiCheckingChanged();
    void statsChanged();
    void runSessionChanged();
    void runsVersionChanged();
    void deletionsVersionChanged();
    void accountRequestChanged();
    void historyNoticeChanged();
    // Something the scan or the AI pass waits for has arrived (or should be given up).
    void landed();

private:
    // A scan's steps work on the model's page bookkeeping and stop flags.
    friend class ScanJob;
    friend class AIPass;
    friend class OpenPage;

    // Removes what is past the retention on the history's own thread, a short batch at a time
    // (so that scans and deletions are recorded between them); `before` counts what the earlier
    // batches of this expiry removed.
    void purgeInSteps(qint64 before = -1);
    // Resumes from the event loop after the next landed().
    QCoro::Task<void> nextLanding();
    // Lets the event loop run once before going on.
    QCoro::Task<void> yieldToLoop();
    void endScan();
    bool samePage(const QUuid &pageID) const;

    // Announces every view of the job state that changed.
    void announceJobState();
    // Whether the review is the last scan of the browser's page and no job runs.
    bool showsScannedPage() const;
    // Makes the deletion job over the parts (SpamModelRemoval.cpp).
    void makeRemovalJob();
    // Wires the settings' effects, then reads them.
    void readSettings();

    SpamEngine *m_engine = nullptr;
    QPointer<Browser> m_browser;
    VeltraneAccount *m_account = nullptr;
    std::unique_ptr<ScanStore> m_ownStore;
    ScanStore *m_store = nullptr;
    std::unique_ptr<StoreThread> m_storeThread;   // gone before the store it writes beside
    AppSettings *m_settings = nullptr;
    // Declared before the parts, which are given them.
    StatusLine m_statusLine;
    JobState m_jobs;
    struct JobViews {
        bool scanning = false, busy = false, touring = false, findingPosts = false, working = false,
             preparing = false, aiChecking = false;
    } m_jobViews;
    std::unique_ptr<OwnerSettings> m_owner = std::make_unique<OwnerSettings>(m_settings);
    PostCatalog *m_catalog = new PostCatalog(*m_store, m_jobs, *m_owner, m_account, m_browser, m_engine, &m_openPage, this);
    PostQueue *m_queue = new PostQueue(*m_catalog, m_openPage, m_jobs, m_statusLine, m_scanReport, m_history, *m_owner,
                                       *m_store, m_browser, [this](bool full, bool record) { return scan(full, record); }, this);
    AutoScanSchedule *m_autoScans = new AutoScanSchedule(*m_owner, m_jobs, *m_catalog, m_browser,
                                                         [this] { return m_queue->scanChannels(true); }, this);
    RemovalJob *m_removalJob = nullptr;   // made over the parts above

    int m_accountRequest = 0;
    HistoryState m_history {*this};
    ScanReport m_scanReport {*this};
    PostReview m_review {*m_owner, *m_store, [this] { return showsScannedPage(); }};
    OpenPage m_openPage {*this};
    Alerts *m_alerts = nullptr;
};
