#pragma once
// Deletion: of the ticked comments on the open post, and of picked stored records post by post.
// Nothing is deleted without the owner's confirmation, and only ids that were asked for and that
// the page reports gone are recorded. Runs on the model's page and job state; owns what one
// deletion needs to know while its page calls run.

#include "Base/Alerts.h"
#include "Store/ScanStore.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QCoro/QCoroTask>

#include <algorithm>
#include <functional>
#include <optional>

class SpamModel;

class RemovalJob : public QObject {
    Q_OBJECT

public:
    // Answers whether the owner agreed to delete these ids; none means the model's own alert.
    using Confirm = std::function<QCoro::Task<bool>(QStringList ids)>;

    explicit RemovalJob(SpamModel &model);

    // Progress of a deletion of stored records over several posts; the model's `removal`.
    struct Progress {
        qint64 done = 0;
        qint64 total = 0;
        bool operator==(const Progress &) const = default;
    };
    const std::optional<Progress> &progress() const { return m_progress; }
    void setProgress(const std::optional<Progress> &progress);
    // How many comments the last deletion removed; the model's `lastRemovalCount`.
    int lastCount() const { return m_lastCount; }
    void setLastCount(int count);

    // Every deletion works in passes of at most `pass` comments or stored records.
    static constexpr int pass = 30;
    template <typename T>
    struct Plan {
        QList<T> now;        // this pass
        int deferred = 0;    // left for a later pass
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
    };
    // Of `comments`, the replies that go with the threads of `ids`, by thread.
    static QHash<QString, QList<Comment>> threadsOf(const QList<Comment> &comments, const QStringList &ids);
    static Replies count(const QHash<QString, QList<Comment>> &threads);

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

    // See SpamModel::removeSelected and SpamModel::removeStored.
    QCoro::Task<void> removeSelected(Confirm confirm, Asker asker = Asker::owner);
    QCoro::Task<int> removeStored(QList<ScanStore::Record> records, Confirm confirm, bool dryRun);
    // Whether everything the last deletion did reached the history; when not, why.
    bool lastRecorded() const { return m_unrecorded.isEmpty(); }
    const QString &lastUnrecorded() const { return m_unrecorded; }
    // Whether the site stopped the last deletion with a block.
    bool lastBlocked() const { return m_lastBlocked; }
    // The replies that went with the threads the last deletion on the open post removed.
    const Replies &lastReplies() const { return m_lastReplies; }
    // Ids the page reports deleted during a deletion on the open post, as they arrive.
    void noteDeleted(const QStringList &ids, const std::optional<ScanStore::PostKey> &page);

private:
    // Stores comments of a post as deleted and brings its row, counts and readers up to date.
    void recordDeleted(const ScanStore::PostKey &post, const QStringList &fresh);
    void end();
    // Clears the marks of the asked comments and counts the replies that went with their threads.
    void settleThreads(const std::optional<ScanStore::PostKey> &post, const QStringList &asked);
    // Keeps the reason of the first history write of this deletion that failed.
    void noteWritten(bool written);
    // The sentence the status line ends with when the history did not take it all.
    QString unrecordedSentence() const;
    bool samePage(const QUuid &pageID) const;

    SpamModel &m_model;
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
