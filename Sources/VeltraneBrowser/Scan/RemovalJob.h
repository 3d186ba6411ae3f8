#pragma once
// Deletion: of the ticked comments on the open post, and of picked stored records post by post.
// Nothing is deleted without the owner's confirmation, and only ids that were asked for and that
// the page reports gone are recorded. Owns its progress and outcome; works on the parts it is
// given (the open page, its review, the history, the running job and the status line).
//
// A deletion on the open post, in named steps:
//   plan     the ticked spam comments of this pass and the replies that go with their threads
//            (refused silently while another job runs, during a sign-in, on another page)
//   confirm  the owner's (or the agent's) question
//   delete   the asked comments marked in the history, then the page calls; reports of deleted
//            ids arrive meanwhile through noteDeleted() and are recorded at once
//   record   the ids the page answered, the open post's list and the run in the history
//   report   the status line and the review's issue
// A deletion of stored records plans its pass over posts, confirms once, then per post opens
// it, scans it, picks the records on it and deletes them as above, and reports once at the end.
// A failed page call leaves through one failure path; a post that fails is logged and skipped.

#include "Base/Alerts.h"
#include "Scan/StatusKind.h"
#include "Store/ScanStore.h"
#include "Wire/Comment.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QCoro/QCoroTask>

#include <algorithm>
#include <exception>
#include <functional>
#include <optional>

class Browser;
class HistoryState;
class JobState;
class OpenPage;
class PostCatalog;
class PostReview;
class ScanReport;
class SpamEngine;
class StatusLine;
struct RemoveResult;

class RemovalJob : public QObject {
    Q_OBJECT

public:
    // Answers whether the owner agreed to delete these ids; none means the owner's own alert.
    using Confirm = std::function<QCoro::Task<bool>(QStringList ids)>;

    // What a deletion works with; every object outlives the job.
    struct Inputs {
        ScanStore *store = nullptr;
        SpamEngine *engine = nullptr;
        Browser *browser = nullptr;   // only watched
        PostReview &review;
        OpenPage &page;
        PostCatalog &catalog;
        JobState &jobs;
        StatusLine &status;
        HistoryState &history;
        ScanReport &report;
        // Where questions to the owner go.
        std::function<Alerts *()> alerts;
        // The coordinator's scan of the open post (full, record), run on each opened post.
        std::function<QCoro::Task<void>(bool, bool)> scan;
        // Takes the browser away from page tracking before a job over several posts.
        std::function<void()> takeOverBrowser;
    };
    RemovalJob(Inputs inputs, QObject *parent = nullptr);

    // Progress of a deletion of stored records over several posts (posts done of all).
    struct Progress {
        qint64 done = 0;
        qint64 total = 0;
        bool operator==(const Progress &) const = default;
    };
    const std::optional<Progress> &progress() const { return m_progress; }
    void setProgress(const std::optional<Progress> &progress);
    // How many comments the last deletion removed.
    int lastCount() const { return m_lastCount; }
    void setLastCount(int count);

    // Every deletion works in passes of at most `pass` comments or stored records.
    static constexpr int pass = 30;
    // Seconds a stored deletion waits for a post to load, then for its comments.
    static constexpr double loadBudget = 30;
    static constexpr double commentsBudget = 20;
    template <typename T>
    struct Plan {
        QList<T> now;       // this pass
        int deferred = 0;   // left for a later pass
    };
    template <typename T>
    static Plan<T> plan(const QList<T> &items)
    {
        Plan<T> out;
        out.now = items.mid(0, pass);
        out.deferred = int(std::max<qsizetype>(0, items.size() - pass));
        return out;
    }

    // The replies the site deletes with the chosen comments: deleting a comment that starts a
    // thread takes the whole thread. Replies chosen themselves are not counted.
    struct Replies {
        int count = 0;
        int unflagged = 0;   // not flagged as spam
        int owner = 0;       // written by the owner
        bool operator==(const Replies &) const = default;
        Replies &operator+=(const Replies &other);
    };
    // Of `comments`, the replies that go with the threads of `ids`, by thread.
    static QHash<QString, QList<Comment>> threadsOf(const QList<Comment> &comments, const QStringList &ids);
    static Replies count(const QHash<QString, QList<Comment>> &threads);

    // The ticked spam comments of `comments`, in page order.
    static QStringList selectedIn(const QList<Comment> &comments);
    // The ticked spam comments of the open post.
    QStringList selectedIds() const;
    // A deletion on the open post: this pass of the ticked spam comments, the rest deferred, and
    // the replies that go with their threads.
    struct PagePlan {
        Plan<QString> ids;
        QHash<QString, QList<Comment>> threads;
        Replies replies;
    };
    static PagePlan planPage(const QList<Comment> &comments);
    // A deletion of stored records: this pass, by post in the order the posts first come.
    struct StoredPlan {
        Plan<ScanStore::Record> records;
        QStringList posts;
        QHash<QString, QList<ScanStore::Record>> byPost;
        QStringList ids;
    };
    static StoredPlan planStored(const QList<ScanStore::Record> &records);
    // The replies the site deletes with the picked threads, as the history knows them.
    static Replies storedReplies(ScanStore &store, const StoredPlan &plan);

    // Whether the open page lets the owner delete: a supported page of a site that allows it, and
    // no site sign-in in progress.
    bool canRemove() const;

    // Who asked for the deletion the owner is to confirm.
    enum class Asker { owner, agent };
    // The confirmation of a deletion of `count` comments and the replies that go with them;
    // "Delete <count>" is the second button.
    static Alerts::Question question(int count, Replies replies);
    static Alerts::Question question(int count) { return question(count, Replies()); }
    // The confirmation of a deletion the connected agent asked for: says so, names the post and
    // shows the comments it would delete.
    static Alerts::Question agentQuestion(const QList<Comment> &chosen, Replies replies, const QString &post);
    // How many chosen comments the agent's question shows by name.
    static constexpr int agentShown = 5;

    // Deletes the ticked comments of the open page (the first `pass` of them) after the owner
    // confirmed; the outcome shows in the status line, lastCount() and the history. An agent's
    // request is confirmed with a question that says so and shows what it deletes.
    QCoro::Task<void> removeSelected(Confirm confirm = {}, Asker asker = Asker::owner);
    // Deletes picked stored records post by post (each opened and rescanned first) after one
    // confirmation for the pass; answers how many comments were deleted. A dry run deletes
    // nothing and reports what would be deleted.
    QCoro::Task<int> removeStored(QList<ScanStore::Record> records, Confirm confirm = {}, bool dryRun = false);
    // Whether everything the last deletion did reached the history; when not, why.
    bool lastRecorded() const { return m_unrecorded.isEmpty(); }
    const QString &lastUnrecorded() const { return m_unrecorded; }
    // Whether the site stopped the last deletion with a block.
    bool lastBlocked() const { return m_lastBlocked; }
    // The replies that went with the threads the last deletion on the open post removed.
    const Replies &lastReplies() const { return m_lastReplies; }
    // Ids the page reports deleted during a deletion on the open post, as they arrive.
    void noteDeleted(const QStringList &ids, const std::optional<ScanStore::PostKey> &page);

signals:
    void progressChanged();
    void lastCountChanged();

private:
    // One deletion on the open post while it runs.
    struct OnPage {
        PagePlan plan;
        QUuid pageID;
        QString url;
        std::optional<ScanStore::PostKey> post;   // kept: a page change forgets the results
        QList<Comment> asked;                     // as they were when the page calls started
        QSet<QString> gone;                       // asked ids the page deleted
    };
    // What the status line says at the end of a deletion, and whether the issue repeats it.
    struct Summary {
        QString text;
        StatusKind kind = StatusKind::plain;
        bool toIssue = false;
        QString runNote;   // the history run's note
    };
    // A deletion of stored records over its posts.
    struct Tour {
        int deleted = 0;
        Replies withThreads;
        bool blocked = false;
        QString stopText;
    };

    // The open post's steps.
    void begin();
    std::optional<OnPage> planOnPage() const;
    QCoro::Task<bool> confirmOnPage(const OnPage &job, Confirm confirm, Asker asker);
    // Marks the asked comments in the history, starts polling; answers the ids to outline.
    QStringList startOnPage(OnPage &job);
    QCoro::Task<RemoveResult> deleteOnPage(const OnPage &job, QStringList flagIds);
    void fail(const OnPage &job, std::exception_ptr error);
    void collectGone(OnPage &job, const RemoveResult &result);
    Summary summarize(const OnPage &job, const RemoveResult &result);
    void recordRun(const OnPage &job, const Summary &summary, bool moved);
    void report(Summary summary);
    void end();

    // The stored records' steps.
    QCoro::Task<bool> confirmStored(const StoredPlan &plan, Confirm confirm);
    void startStored(qint64 posts);
    QCoro::Task<std::optional<QString>> openPost(QString url);
    QCoro::Task<std::optional<QString>> scanPost();
    std::optional<QString> pick(const QString &url, const QList<ScanStore::Record> &picks, Tour &tour);
    QCoro::Task<void> deletePicked(Tour &tour);
    void failed(const QString &url, qsizetype count, const QString &note);
    void reportStored(const StoredPlan &plan, const Tour &tour);
    void endStored();

    // Stores comments of a post as deleted and brings its row, counts and readers up to date.
    void recordDeleted(const ScanStore::PostKey &post, const QStringList &fresh);
    // Clears the marks of the asked comments and counts the replies that went with their threads.
    void settleThreads(const std::optional<ScanStore::PostKey> &post, const QStringList &asked);
    // Keeps the reason of the first history write of this deletion that failed.
    void noteWritten(bool written);
    // The sentence the status line ends with when the history did not take it all.
    QString unrecordedSentence() const;
    bool samePage(const QUuid &pageID) const;
    bool authenticating() const;
    bool stopAsked() const;
    Alerts *alerts() const;

    ScanStore *m_store = nullptr;
    SpamEngine *m_engine = nullptr;
    QPointer<Browser> m_browser;
    PostReview &m_review;
    OpenPage &m_page;
    PostCatalog &m_catalog;
    JobState &m_jobs;
    StatusLine &m_status;
    HistoryState &m_history;
    ScanReport &m_report;
    std::function<Alerts *()> m_alerts;
    std::function<QCoro::Task<void>(bool, bool)> m_scan;
    std::function<void()> m_takeOverBrowser;

    std::optional<Progress> m_progress;
    int m_lastCount = 0;
    QSet<QString> m_deletedNow;
    // While the page calls run: the ids asked for and the post they belong to. Reports of other
    // ids or another post are not recorded.
    QSet<QString> m_asked;
    std::optional<ScanStore::PostKey> m_post;
    // The replies of each asked thread, as the scan saw them, and those recorded as gone with it.
    QHash<QString, QList<Comment>> m_threads;
    QSet<QString> m_goneWithThread;
    Replies m_lastReplies;
    // The site's reason of the last deletion's stop, without the deleted count.
    QString m_lastStop;
    bool m_lastBlocked = false;
    // Why a history write of the running deletion failed; empty while they all landed.
    QString m_unrecorded;
};
