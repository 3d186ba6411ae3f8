#pragma once
// The central model of the application: the open post's comments with their verdicts, the
// status line, the running job, the post list, the history totals and every owner setting ("vt."
// keys). Lives on the GUI thread; views and the agent bind to its properties.
//
// The model coordinates objects that own their part and its state. OpenPage (the page it
// follows, its site information, scan on open, progress polling, how far its scan got),
// ScanReport (a scan's texts, the review's issue text and its history run), HistoryState (totals,
// run session, reread counters, the notice when the history is off), JobState (the running job
// and Stop's request) and StatusLine keep their state with their own signals, which views listen
// to; ScanJob (one scan, made by scan()) and AIPass (one AI pass, made by aiPass()) are given the
// parts they work on. For the others the properties show their state and the signals are the
// model's own (a part raises them through publish()): PostReview (the comments and their review
// marks), OwnerSettings (every "vt." setting, read once when the model is made and
// written back at once on change), PostCatalog (the post list's rows, discovery, monitoring, the
// statistics read), PostQueue (queue and channel scans), RemovalJob (deletions and their
// progress) and AutoScanSchedule (the automatic scans and their notice).
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
class QWindow;
class SpamEngine;
class VeltraneAccount;

class SpamModel : public QObject, public SpamRules {
    Q_OBJECT

    // The open page and its results.
    Q_PROPERTY(QList<Comment> comments READ comments WRITE setComments NOTIFY commentsChanged)
    Q_PROPERTY(QList<Comment> spam READ spam NOTIFY commentsChanged)
    Q_PROPERTY(bool onlySpam READ onlySpam WRITE setOnlySpam NOTIFY onlySpamChanged)
    Q_PROPERTY(QHash<QString, Comment> justKept READ justKept WRITE setJustKept NOTIFY justKeptChanged)

    // Jobs.
    Q_PROPERTY(QString discoveryStatus READ discoveryStatus WRITE setDiscoveryStatus NOTIFY discoveryStatusChanged)
    Q_PROPERTY(std::optional<Removal> removal READ removal WRITE setRemoval NOTIFY removalChanged)
    Q_PROPERTY(int lastRemovalCount READ lastRemovalCount WRITE setLastRemovalCount NOTIFY lastRemovalCountChanged)

    // Post list, history and counters that only grow.
    Q_PROPERTY(QList<ChannelPost> posts READ posts WRITE setPosts NOTIFY postsChanged)
    Q_PROPERTY(int accountRequest READ accountRequest NOTIFY accountRequestChanged)

    // The owner's settings.
    Q_PROPERTY(bool scanOnOpen READ scanOnOpen WRITE setScanOnOpen NOTIFY scanOnOpenChanged)
    Q_PROPERTY(bool aiOn READ aiOn WRITE setAIOn NOTIFY aiOnChanged)
    Q_PROPERTY(bool aiAbuse READ aiAbuse WRITE setAIAbuse NOTIFY aiAbuseChanged)
    Q_PROPERTY(bool aiSexual READ aiSexual WRITE setAISexual NOTIFY aiSexualChanged)
    Q_PROPERTY(bool aiKeepPraise READ aiKeepPraise WRITE setAIKeepPraise NOTIFY aiKeepPraiseChanged)
    Q_PROPERTY(int threshold READ threshold CONSTANT)
    Q_PROPERTY(QStringList keywords READ keywords WRITE setKeywords NOTIFY keywordsChanged)
    Q_PROPERTY(bool builtinWords READ builtinWords WRITE setBuiltinWords NOTIFY builtinWordsChanged)
    Q_PROPERTY(qint64 limit READ limit WRITE setLimit NOTIFY limitChanged)
    Q_PROPERTY(QString sort READ sortName WRITE setSortName NOTIFY sortChanged)
    Q_PROPERTY(bool noLikesOnly READ noLikesOnly WRITE setNoLikesOnly NOTIFY noLikesOnlyChanged)
    Q_PROPERTY(qint64 minLikes READ minLikes WRITE setMinLikes NOTIFY minLikesChanged)
    Q_PROPERTY(int postLimit READ postLimit WRITE setPostLimit NOTIFY postLimitChanged)
    Q_PROPERTY(int keepDays READ keepDays WRITE setKeepDays NOTIFY keepDaysChanged)
    Q_PROPERTY(bool storeText READ storeText WRITE setStoreText NOTIFY storeTextChanged)
    Q_PROPERTY(bool flagKnownSpammers READ flagKnownSpammers WRITE setFlagKnownSpammers NOTIFY flagKnownSpammersChanged)
    Q_PROPERTY(bool skipUnchanged READ skipUnchanged WRITE setSkipUnchanged NOTIFY skipUnchangedChanged)
    Q_PROPERTY(int autoScanHours READ autoScanHours WRITE setAutoScanHours NOTIFY autoScanHoursChanged)
    Q_PROPERTY(QString aiOptionsKey READ aiOptionsKey NOTIFY aiOptionsChanged)

public:
    using ChannelPost = ::ChannelPost;

    // Progress of a deletion of stored records over several posts.
    using Removal = RemovalJob::Progress;

    // What the report of one scan is made of (ScanReport's).
    using ScanFacts = ScanReport::Facts;

    // The AI answers reused from the store.
    using Reuse = PostReview::Reuse;

    static const QList<int> &postLimitPresets() { return OwnerSettings::postLimitPresets(); }
    static const QList<int> &keepDaysPresets() { return OwnerSettings::keepDaysPresets(); }
    static const QList<int> &autoScanPresets() { return OwnerSettings::autoScanPresets(); }
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
    // The open post's comments and their review marks.
    PostReview &review() { return m_review; }
    const PostReview &review() const { return m_review; }
    const QList<Comment> &comments() const { return m_review.comments(); }
    void setComments(const QList<Comment> &comments) { m_review.setComments(comments); }
    QList<Comment> spam() const { return m_review.spam(); }
    // The status line itself.
    StatusLine &statusLine() { return m_statusLine; }
    const StatusLine &statusLine() const { return m_statusLine; }
    // The running job and Stop's request.
    JobState &jobs() { return m_jobs; }
    const JobState &jobs() const { return m_jobs; }
    bool onlySpam() const { return m_review.onlySpam(); }
    void setOnlySpam(bool on) { m_review.setOnlySpam(on); }
    const QHash<QString, Comment> &justKept() const { return m_review.justKept(); }
    void setJustKept(const QHash<QString, Comment> &kept) { m_review.setJustKept(kept); }

    QString discoveryStatus() const;
    // The discovery status after a load that found nothing new.
    static QString nothingMoreToLoad();
    void setDiscoveryStatus(const QString &text);
    const std::optional<Removal> &removal() const;
    void setRemoval(const std::optional<Removal> &removal);
    int lastRemovalCount() const;
    void setLastRemovalCount(int count);

    const QList<ChannelPost> &posts() const;
    void setPosts(const QList<ChannelPost> &posts);
    // The history's totals, run session, counters and notice (HistoryState).
    HistoryState &history() { return m_history; }
    const HistoryState &history() const { return m_history; }
    // Raised when something the owner asked for needs the service account.
    int accountRequest() const { return m_accountRequest; }
    void raiseAccountRequest();

    std::optional<bool> aiConsent() const { return m_owner->aiConsent(); }
    // The owner's answer to the consent question, stored under "vt.aiConsent".
    void setAIConsent(bool agreed) { m_owner->setAIConsent(agreed); }

    // ---- settings (OwnerSettings; the model shows them as its properties) -----------------
    bool scanOnOpen() const { return m_owner->scanOnOpen(); }
    void setScanOnOpen(bool on) { m_owner->setScanOnOpen(on); }
    bool aiOn() const { return m_owner->aiOn(); }
    void setAIOn(bool on) { m_owner->setAIOn(on); }
    bool aiAbuse() const { return m_owner->aiAbuse(); }
    void setAIAbuse(bool on) { m_owner->setAIAbuse(on); }
    bool aiSexual() const { return m_owner->aiSexual(); }
    void setAISexual(bool on) { m_owner->setAISexual(on); }
    bool aiKeepPraise() const { return m_owner->aiKeepPraise(); }
    void setAIKeepPraise(bool on) { m_owner->setAIKeepPraise(on); }
    int threshold() const { return m_owner->threshold(); }
    const QStringList &keywords() const { return m_owner->keywords(); }
    void setKeywords(const QStringList &words) { m_owner->setKeywords(words); }
    bool builtinWords() const { return m_owner->builtinWords(); }
    void setBuiltinWords(bool on) { m_owner->setBuiltinWords(on); }
    qint64 limit() const { return m_owner->limit(); }
    void setLimit(qint64 limit) { m_owner->setLimit(limit); }
    SortKey sort() const { return m_owner->sort(); }
    void setSort(SortKey key) { m_owner->setSort(key); }
    QString sortName() const { return sort().rawValue(); }
    void setSortName(const QString &raw)   // ignores anything that is not a sort key
    {
        if (const std::optional<SortKey> key = SortKey::fromRawValue(raw))
            setSort(*key);
    }
    bool noLikesOnly() const { return m_owner->noLikesOnly(); }
    void setNoLikesOnly(bool on) { m_owner->setNoLikesOnly(on); }
    qint64 minLikes() const { return m_owner->minLikes(); }
    void setMinLikes(qint64 likes) { m_owner->setMinLikes(likes); }
    int postLimit() const { return m_owner->postLimit(); }
    void setPostLimit(int count) { m_owner->setPostLimit(count); }
    int keepDays() const { return m_owner->keepDays(); }
    void setKeepDays(int days) { m_owner->setKeepDays(days); }
    bool storeText() const { return m_owner->storeText(); }
    void setStoreText(bool on) { m_owner->setStoreText(on); }
    bool flagKnownSpammers() const { return m_owner->flagKnownSpammers(); }
    void setFlagKnownSpammers(bool on) { m_owner->setFlagKnownSpammers(on); }
    bool skipUnchanged() const { return m_owner->skipUnchanged(); }
    void setSkipUnchanged(bool on) { m_owner->setSkipUnchanged(on); }
    int autoScanHours() const { return m_owner->autoScanHours(); }
    void setAutoScanHours(int hours) { m_owner->setAutoScanHours(hours); }

    QMap<QString, int> thresholds() const { return m_owner->thresholds(); }
    QStringList aiOptions() const { return m_owner->aiOptions(); }
    QString aiOptionsKey() const { return m_owner->aiOptionsKey(); }

    // Keyword edits; each stores the list and re-judges the open page.
    void addKeywords(const QString &text);
    void removeKeyword(const QString &word);
    // Re-judges the open page after the owner's words changed and stores the new verdicts.
    void wordsChanged();
    bool autoScanTimeDue(const QDateTime &now) const { return m_owner->autoScanTimeDue(now); }

    // The canonical key of the browser's address; none without a browser or off a post.
    std::optional<ScanStore::PostKey> currentPage() const;
    // The post list's row of the current page.
    std::optional<ChannelPost> currentPost() const;

    // ---- results of the open page -------------------------------------------------------
    // Forgets the open page's results, review marks and AI bookkeeping.
    void resetResults();
    // Forgets the current review's marks and notes.
    void clearReview();
    // Ticks exactly these spam comments of the open page (PostReview::selectReviewed).
    void selectReviewed(const QStringList &ids) { m_review.selectReviewed(ids); }
    // Whether a rescan of the post may collect only the newest comments, and what it sends.
    std::optional<Recent> recentOptions(const std::optional<ScanStore::PostKey> &page,
                                        const QDateTime &now = QDateTime::currentDateTime()) const;

    // ---- report and run log ----------------------------------------------------------------
    // The texts and the history run of a scan.
    ScanReport &scanReport() { return m_scanReport; }
    const ScanReport &scanReport() const { return m_scanReport; }

    // ---- the owner's posts, monitoring and automatic scans ----------------------------------
    // (PostCatalog: discovery, the post list's candidates, loading more, monitoring.)
    using FoundPost = ::FoundPost;

    // The list row of a stored post; a post stored only as monitored (time 0) has no scan time.
    static ChannelPost row(const ScanStore::Post &post, ChannelPost::State state);
    // Takes the browser away from page tracking before a job over several posts.
    void takeOverBrowser();
    // The signed-in sites (a saved session counts), YouTube first; none without a browser.
    QList<LoginProvider> tourProviders() const;
    // The owner's latest posts on one site (the post limit setting when no limit is given).
    // Navigates the browser. Throws BrowserError.
    QCoro::Task<QList<FoundPost>> discover(LoginProvider provider, std::optional<int> limit);
    // The post list in display and scan order: the open post when listed nowhere else, the
    // model's rows, the stored posts, the found posts; one row per canonical address.
    QList<ChannelPost> scanCandidates();
    // Stores up to 30 posts new to the list; returns how many.
    int addDiscovered(const QList<FoundPost> &posts);
    // Fills an empty list from the history (nothing while a job over several posts runs).
    void loadHistory();
    // Forgets a post with its history and keeps discovery from bringing it back; nothing while
    // the model is working.
    void forgetPost(const QString &url);
    static constexpr int discoveredBatch = PostCatalog::discoveredBatch;
    // The post list (its rows live there).
    PostCatalog &catalog() const;
    // Loads more of a site's posts into the list; returns how many came (0 when refused, stopped
    // or failed). Reports in discoveryStatus only.
    QCoro::Task<int> loadMorePosts(LoginProvider provider);
    // Stop of a running load of posts.
    void stopLoadingPosts();
    // Turns monitoring of a post on or off. Turning it on needs the service account: without it
    // the address waits in pendingMonitor, the account is asked for and the answer is false.
    bool setWatched(const QString &url, bool on);
    // Completes a monitoring request that waited for the service sign-in (dropped without one).
    void finishPendingMonitor();

    // The automatic scans (their schedule, run and notice live there).
    AutoScanSchedule &autoScans() const;
    void startAutoScan(double firstCheck);
    void stopAutoScan();
    bool autoScanRunning() const;
    static constexpr double autoScanDefaultFirst = AutoScanSchedule::defaultFirst;
    static double autoScanFirstDelay(const QByteArray &value) { return AutoScanSchedule::firstDelay(value); }
    void setBrowserWindow(QWindow *window);

    // Scans of several posts (PostQueue). The scope of a channel scan: the latest posts with the
    // monitored ones.
    enum class TourScope { latest };
    PostQueue &queue() const;
    QCoro::Task<void> scanChannels(TourScope scope, bool automatic);
    QCoro::Task<void> scanSelectedPosts(QList<ChannelPost> posts);
    static constexpr double queuedLoadBudget = 30;
    static constexpr double queuedCommentsBudget = 20;

    // ---- statistics and clearing of the history (PostCatalog) ------------------------------
    using DashboardData = PostCatalog::DashboardData;
    // Reads the snapshot from the store, synchronously; the store's empty answers pass through.
    DashboardData dashboard(int days, const QDateTime &now = QDateTime::currentDateTime());
    // The same read off the window's thread; `done` runs on the window's thread while `context` lives.
    void dashboardAside(int days, QObject *context, std::function<void(const DashboardData &)> done);
    // Clears the history keeping monitored posts, and the image cache; nothing while a job runs.
    // Returns whether it cleared.
    bool clearHistory();

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
    // Puts a stored post into the post list (replacing its row) with the count of new comments.
    void listPost(const ScanStore::Post &post, int added);

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
    // Every deletion works in passes of at most removalPass comments or stored records.
    static constexpr int removalPass = RemovalJob::pass;
    // Answers whether the owner agreed to delete these ids; none means the model's own alert.
    using Confirm = RemovalJob::Confirm;
    // Whether the open page lets the owner delete: a supported page of a site that allows it, and
    // no site sign-in in progress.
    bool canRemove() const;
    // The ticked spam comments of the open page, in page order.
    QStringList selectedIds() const;
    // The confirmation of a deletion of `count` comments; "Delete <count>" is the second button.
    static Alerts::Question removalQuestion(int count, RemovalJob::Replies replies = {});
    // Puts a question to the owner in front of the browser's window; the index of the button
    // chosen, -1 for none.
    QCoro::Task<int> present(Alerts::Question question);
    // Deletes the ticked comments of the open page (the first removalPass of them) after the
    // owner confirmed; the outcome shows in the status line, lastRemovalCount and the history.
    // An agent's request is confirmed with a question that says so and shows what it deletes.
    QCoro::Task<void> removeSelected(Confirm confirm = {}, RemovalJob::Asker asker = RemovalJob::Asker::owner);
    // Deletes picked stored records post by post (each opened and rescanned first) after one
    // confirmation for the pass; answers how many comments were deleted. A dry run deletes
    // nothing and reports what would be deleted.
    QCoro::Task<int> removeStored(QList<ScanStore::Record> records, Confirm confirm = {}, bool dryRun = false);
    bool lastRemovalBlocked() const;
    // Ids the page reports deleted during a deletion on the open post, as they arrive.
    void noteDeleted(const QStringList &ids, const std::optional<ScanStore::PostKey> &page);
    // The deletion job (its state lives there).
    RemovalJob &removalJob() const;

    // ---- acting on the open page for the agent and the statistics (SpamModelReview.cpp) -----
    // Scrolls the page to a comment; no answer.
    void reveal(const QString &id);
    // Opens a stored post and scans it once it has loaded.
    void openPost(const QString &url);

signals:
    void commentsChanged();
    void onlySpamChanged();
    void justKeptChanged();
    void discoveryStatusChanged();
    void removalChanged();
    void lastRemovalCountChanged();
    void postsChanged();
    void accountRequestChanged();
    void scanOnOpenChanged();
    void aiOnChanged();
    void aiAbuseChanged();
    void aiSexualChanged();
    void aiKeepPraiseChanged();
    void keywordsChanged();
    void builtinWordsChanged();
    void limitChanged();
    void sortChanged();
    void noLikesOnlyChanged();
    void minLikesChanged();
    void postLimitChanged();
    void keepDaysChanged();
    void storeTextChanged();
    void flagKnownSpammersChanged();
    void skipUnchangedChanged();
    void autoScanHoursChanged();
    void aiOptionsChanged();

private:
    // Removes what is past the retention on the history's own thread, a short batch at a time
    // (so that scans and deletions are recorded between them); `before` counts what the earlier
    // batches of this expiry removed.
    void purgeInSteps(qint64 before = -1);

    // Wires the settings' signals and effects, then reads them.
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
    RemovalJob *m_removalJob = new RemovalJob(*this);
    PostCatalog *m_catalog = new PostCatalog(*this);
    PostQueue *m_queue = new PostQueue(*this);
    AutoScanSchedule *m_autoScans = new AutoScanSchedule(*this);

    int m_accountRequest = 0;
    HistoryState m_history {m_store, m_statusLine};
    OpenPage m_openPage {m_browser.data(), m_engine, *m_owner, m_jobs, m_statusLine,
                         [this](bool full, bool record) { return scan(full, record); }};
    PostReview m_review {*this};
    ScanReport m_scanReport {*m_owner, m_openPage, m_review, m_history, m_store, m_statusLine};
    Alerts *m_alerts = nullptr;
};
