#pragma once
// The application's local history: one SQLite file with posts, comments and their
// verdicts, AI answers, deletions, runs, found and dismissed posts.
//
// Each store is used from one thread: the application's own from the GUI thread; a read-only
// store on another thread (the export) reads the same file through its own connection, and a
// second writer (StoreThread) records scans and expiry beside the window. A file keeps its
// changes in a write-ahead log ("-wal" beside it), so that readers never hold up a writer. The file opens lazily on the first operation; when it
// cannot be opened (or turns out to be damaged) every operation returns its empty
// result and openError() says why, so the caller can show it in one status line.
// Writers return whether their change reached the file; lastError() holds the reason
// of the last failure. A failed batch is rolled back as a whole, never half-written.
// Times are QDateTime in local time; the file keeps seconds since 1970 (UTC).

#include "Wire/AIScore.h"
#include "Store/TextHashes.h"
#include "Wire/Comment.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>

#include <functional>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

class ScanStore {
    Q_DECLARE_TR_FUNCTIONS(ScanStore)

public:
    // ---- keys ---------------------------------------------------------------------

    // A post's site key ("youtube" or "instagram") and its canonical address.
    struct PostKey {
        QString site;
        QString url;
        bool operator==(const PostKey &) const = default;
    };

    // The key under which the store files a post, or none when the address is not a post.
    static std::optional<PostKey> canonical(const QString &address);
    // SHA-256 of the UTF-8 text as 64 lower-case hex digits.
    static QString hash(const QString &text);
    // A browser page title as stored for a post: no "(N)" counter, no " - YouTube".
    static QString cleanTitle(const QString &title);
    // Whether a video id or post code may be put into an address unencoded:
    // letters, digits, "-" and "_", 1 to 64 characters.
    static bool isKeyId(QStringView id);

    // ---- records --------------------------------------------------------------------

    // One stored comment as read back.
    struct Record {
        QString site;
        QString id;
        QString post;
        QString author;
        QString text;
        std::optional<double> publishedAt;   // milliseconds since 1970
        std::optional<double> likeCount;
        QString state = QStringLiteral("ok");
        QString kind;
        QString reason;
        std::optional<double> aiProb;
        QDateTime firstSeenAt;
        QDateTime lastSeenAt;
        std::optional<QDateTime> deletedAt;
        std::optional<QString> avatar;
        // "thread": went with its thread when our deletion removed it; "site": the site no longer
        // shows it. Empty while it is on the post (or deleted by the owner).
        QString gone;
        bool owner = false;   // written by the post's owner
        QStringList hits;     // filled only by items(run)
        bool fresh = false;   // set only by items(run)

        // The stored state as the rules read it.
        Comment::Verdict verdict() const { return Comment::verdictOf(state); }
        bool isPendingSpam() const;
        bool canPick() const;
        bool operator==(const Record &) const = default;
    };

    // What the store remembers of a comment for a re-scan.
    struct Known {
        QString hash;
        std::optional<QString> options;
        std::optional<AIScore> score;
        std::optional<QString> state;
        std::optional<QString> reason;
        std::optional<QString> rules;
        bool kept = false;
        bool operator==(const Known &) const = default;
    };

    // One AI answer handed to rememberAI.
    struct AIAnswer {
        QString id;
        QString hash;
        AIScore score;
    };

    // The verdict of a comment's stored AI scores.
    struct Problem {
        double prob = 0;
        QString kind;
        bool operator==(const Problem &) const = default;
    };

    // One calendar day of the statistics trend.
    struct DayCount {
        QDateTime day;   // start of the day in the local calendar
        int deleted = 0;
        int flagged = 0;
        bool operator==(const DayCount &) const = default;
    };

    // An author whose comments were deleted.
    struct Author {
        QString site;
        QString name;
        int deleted = 0;
        std::optional<QString> avatar;
        QString identity() const { return site + QLatin1Char(':') + name; }
        bool operator==(const Author &) const = default;
    };

    // One scan or deletion run.
    struct Run {
        enum class Kind { Scan, Delete };
        qint64 id = 0;
        QString session;
        Kind kind = Kind::Scan;
        QString site;
        QString post;
        QDateTime at;
        int total = 0;
        int flagged = 0;
        int added = 0;
        int deleted = 0;
        bool failed = false;
        QString note;
        bool automatic = false;   // started by automatic monitoring ("auto")
        int items = 0;            // run items stored; ignored when a run is written

        static QString kindName(Kind kind);   // "scan" / "delete"
        bool operator==(const Run &) const = default;
    };

    // The outcome of one comment within a run.
    struct Item {
        QString id;
        QString state;
        QString kind;
        QString reason;
        std::optional<double> aiProb;
        QStringList hits;
        bool fresh = false;
        bool operator==(const Item &) const = default;
    };

    // One post row.
    struct Post {
        QString site;
        QString url;
        QString title;
        QDateTime scannedAt;
        int total = 0;
        int flagged = 0;
        bool watched = false;
        int deleted = 0;
        std::optional<QString> thumbnail;
        std::optional<QDateTime> fullAt;
        bool operator==(const Post &) const = default;
    };

    // A channel post found by discovery and not scanned yet.
    struct Found {
        QString site;
        QString url;
        QString title;
        std::optional<QString> thumbnail;
        bool operator==(const Found &) const = default;
    };

    struct Stats {
        int posts = 0;
        int watched = 0;
        int comments = 0;
        int flagged = 0;
        int deleted = 0;
        bool operator==(const Stats &) const = default;
    };

    // The pending spam (with its text) of some posts: how many, and the lowest AI probability.
    struct PendingSummary {
        int count = 0;
        std::optional<double> lowestProb;
        bool operator==(const PendingSummary &) const = default;
    };

    struct Counts {
        int total = 0;
        int flagged = 0;
        bool operator==(const Counts &) const = default;
    };

    // ---- the store --------------------------------------------------------------------

    // "<GenericDataLocation>/Veltrane/scans.sqlite".
    static QString defaultPath();

    // How a store uses its file: the application's own, or a second reader beside it (another
    // thread's export) that never changes the file: no schema, no upgrade, no purge.
    enum class Access { readWrite, readOnly };

    // A store for the file at `path`; none keeps the history in memory. Opens nothing yet.
    explicit ScanStore(std::optional<QString> path = defaultPath(), Access access = Access::readWrite);
    ~ScanStore();
    ScanStore(const ScanStore &) = delete;
    ScanStore &operator=(const ScanStore &) = delete;

    qint64 keepDays = 180;     // retention used by purge()
    bool storeText = true;     // whether author, text and avatar are written
    bool purgeAtOpen = true;   // whether the open runs a first batch of purge() itself
    // Whether this connection copies the write-ahead log back into the file by itself when the
    // log has grown (at the end of a commit, with a wait for the disk); off for one whose owner
    // leaves that to another connection (checkpoint()). Takes effect at once when open.
    void setCheckpoints(bool on);

    QString path() const { return m_path; }
    // Opens the file if that was not tried yet; whether the history is usable.
    bool isOpen();
    // Why the history is unusable for this run (could not open, damaged file); empty otherwise.
    QString openError() const { return m_openError; }
    // The last failure of any operation (open error included); empty when none happened.
    QString lastError() const { return m_lastError; }

    // Deletes what is older than keepDays, in batches of its own transaction each. Never opens
    // the file itself.
    bool purge();
    // One batch of purge(): at most `rows` expired comments, then, once none are left, the other
    // expired records. The open runs one batch; the owner runs the rest while the window stays
    // free. Returns false on a failure.
    bool purgeSome(int rows = purgeBatch);
    // Whether expired records are still waiting for purgeSome().
    bool purgePending() const { return m_purgePending; }
    // Comments purged since the file was opened.
    qint64 purged() const { return m_purged; }
    static constexpr int purgeBatch = 500;
    // Copies what the write-ahead log holds back into the file as far as readers allow, without
    // waiting for anyone; false when the file could not be written.
    bool checkpoint();

    // ---- comments ----
    // `hashes` are the texts' hashes when already made.
    bool remember(const QString &site, const QString &post, const QList<Comment> &comments,
                  const std::optional<QString> &rules, const QDateTime &now, const TextHashes &hashes = {});
    bool rememberVerdicts(const QString &site, const QList<Comment> &comments);
    bool rememberAI(const QString &site, const QList<AIAnswer> &answers, const QString &options);
    bool markKept(const QString &site, const QStringList &ids, const QDateTime &now);
    bool markDeleted(const QString &site, const QStringList &ids, const QDateTime &now);
    // Marks comments of one post deleted and counts them on the post in one transaction, so the
    // post's counter never disagrees with its comments after a crash.
    bool markDeleted(const PostKey &post, const QStringList &ids, const QDateTime &now);
    // Our deletion of these comments is under way. The mark outlives a crash, so that a complete
    // scan that no longer finds one records it as deleted; settleRemoving() clears it.
    bool markRemoving(const PostKey &post, const QStringList &ids, const QDateTime &now);
    bool settleRemoving(const PostKey &post, const QStringList &ids);
    // The replies of these threads of a post still on it (a reply's id is "<thread>.<its own>").
    QList<Record> threadReplies(const QString &site, const QString &post, const QStringList &threads);
    // Comments no longer on the post that the owner did not delete: replies that went with their
    // thread, or comments the site no longer shows. Never counted as the owner's deletions.
    enum class Gone { withThread, fromSite };
    bool markGone(const PostKey &post, const QStringList &ids, Gone why, const QDateTime &now);
    // After a complete scan of a post that saw `seen`: each stored comment of the post it did not
    // see is recorded as deleted where our deletion of it was under way, otherwise as gone from
    // the site. None when the history could not take it.
    struct Unseen {
        QStringList deleted;
        QStringList gone;
    };
    std::optional<Unseen> settleUnseen(const PostKey &post, const QSet<QString> &seen, const QDateTime &now);

    QHash<QString, Known> known(const QString &site, const QStringList &ids);
    QHash<QString, Problem> problems(const QString &post);
    // For the given display names, the number of the author's deleted comments on the site;
    // with `storedWithoutId`, only those stored without an author id (before ids were kept, or
    // read where the page gave none).
    QHash<QString, int> offenders(const QString &site, const QStringList &authors, bool storedWithoutId = false);
    // For the given author ids, the number of deleted comments stored with that id on the site.
    QHash<QString, int> offenderIds(const QString &site, const QStringList &authorIds);
    QList<Record> recentDeleted(int limit);
    QList<Author> topAuthors(int limit);
    QList<DayCount> daily(int days, const QDateTime &now);
    QList<Record> comments(const QString &post, int limit);
    // Part of comments(post, limit): at most `count` of its records from `offset` on, in its order.
    QList<Record> comments(const QString &post, int limit, int offset, int count);
    // What comments(post, limit) holds apart from its order: its pending spam with a text (in
    // its order), and how many of its other comments are neither deleted nor without a text.
    struct Outline {
        QList<Record> pending;
        int others = 0;
        bool operator==(const Outline &) const = default;
    };
    Outline outline(const QString &post, int limit);
    QStringList recentIDs(const QString &post, int limit);
    QStringList pendingIDs(const QString &post);
    QList<Record> pending(const QString &post);
    // The pending comments of these posts of the site that have a text, counted without reading them.
    PendingSummary pendingSummary(const QString &site, const QStringList &posts);
    QList<Record> allComments(int limit);
    // Every stored comment in the order of allComments, handed over one at a time so that
    // an export of any size needs no list in memory; `row` returns false to stop and must
    // not call the store. Returns false when the store is unusable or the read failed part way.
    bool eachComment(const std::function<bool(const Record &)> &row);

    // ---- runs ----
    // Stores a run with its items in one transaction and keeps the newest 40 runs of the
    // post; returns the new run id, or 0 when nothing was stored.
    qint64 log(const Run &run, const QList<Item> &items);
    QList<Run> runs(const QString &post);
    QList<Run> runs(const QString &site, int limit);
    QList<Record> items(qint64 run);
    QHash<QString, QStringList> hits(const QString &post);

    // ---- a scan's whole record ----
    // What a scan leaves in the history: its comments with their verdicts and AI answers, the
    // post's row and, for a recorded scan, its run. The run's total and flagged count are the
    // post's as stored; `items` makes its items from the post's pending spam as stored.
    struct ScanRecord {
        QList<Comment> comments;
        std::optional<QString> rules;
        TextHashes hashes;
        QList<AIAnswer> answers;
        QString aiOptions;
        Post post;   // its scannedAt is the comments' sighting time
        std::optional<Run> run;
        std::function<QList<Item>(const QList<Record> &pending)> items;
        // With a complete collection: the ids it saw; the post's other stored comments are
        // settled as deleted (our deletion was under way) or gone from the site.
        std::optional<QSet<QString>> completeSeen;
    };
    struct Recorded {
        bool stored = false;
        Counts counts;            // the post's counts after the record
        qint64 run = 0;           // the run's id, when one was logged
        QString error;            // why it was not stored, when asked for
        int settledDeleted = 0;   // unseen comments settled as deleted by us
    };
    // Writes the whole record in one transaction: after a crash or a failure the history holds
    // all of it or none of it.
    Recorded recordScan(const ScanRecord &scan);

    // ---- posts ----
    bool record(const Post &post);
    Counts syncCounts(const QString &post);
    bool removed(const QString &post, int count);
    bool setWatched(const QString &url, bool on);
    // Monitors a post that may have no row yet: creates it unscanned (scan time 0) or just
    // sets its flag, and takes it off the dismissed list.
    bool watch(const QString &site, const QString &url, const QString &title, const std::optional<QString> &thumbnail);
    std::optional<Post> post(const QString &url);
    QList<Post> posts(int limit);
    // The posts with deletions, most deleted first (then most flagged, most recently scanned).
    QList<Post> topPosts(int limit);
    Stats stats(const std::optional<QString> &site = std::nullopt);

    // ---- found and dismissed ----
    bool addFound(const QList<Found> &found);
    QList<Found> found();
    bool dismiss(const QString &site, const QString &url, const QDateTime &now);
    QSet<QString> dismissed(const std::optional<QString> &site = std::nullopt);

    // ---- deletion ----
    bool forget(const QString &post);
    bool clear(bool keepWatched);

private:
    static QString newerText(const QString &path);
    using Row = QVariantList;
    using Rows = QList<Row>;

    bool open();
    void close();
    void useWriteAheadLog();
    // Runs a statement: binds `args` to ?1, ?2, ... in order, hands every row to `row`
    // (return false to stop) and returns whether the statement ran to its end.
    bool each(const QString &sql, const QVariantList &args, bool cached, const std::function<bool(const Row &)> &row);
    // The same with the statement itself at each row, for readers that take its columns
    // straight (a record's, without a row of variants in between). Every statement goes
    // through here: its failures are noted in one place.
    bool eachStep(const QString &sql, const QVariantList &args, bool cached,
                  const std::function<bool(sqlite3_stmt *)> &row);
    Rows run(const QString &sql, const QVariantList &args = {}, bool cached = true);
    bool exec(const QString &sql, const QVariantList &args = {}, bool cached = true);
    // The readable Records of a comment query (cached statement).
    QList<Record> readRecords(const QString &sql, const QVariantList &args);
    // Runs `body` between BEGIN and COMMIT; any failure rolls the whole batch back.
    bool transaction(const std::function<bool()> &body);
    // Sets a time column of the given comments (kept, deleted).
    bool stamp(const QString &column, const QString &site, const QStringList &ids, const QDateTime &now);
    bool updateIds(const QString &head, const QVariantList &args, const QStringList &ids);
    // The columns of comments no longer on their post, added in one step; the SQL that reads
    // comments as they are in this file.
    void addGoneColumns();
    bool hasGoneColumns();
    QLatin1String currentSql() const;
    QLatin1String pendingSql() const;
    QLatin1String recordSql() const;
    void addMissingColumns(const QString &table, const QList<std::pair<QString, QString>> &columns);
    bool createSchema();
    qint64 userVersion();
    void migrate();
    bool migrateRuns(qint64 current);
    bool hasTotals();
    bool addTotals(qint64 current);
    bool hasAuthorIds();
    bool addAuthorIds(qint64 current);
    bool hasTimeIndexes();
    bool addTimeIndexes(qint64 current);
    void noteFailure(int rc, const QString &detail, const QString &what);
    void fail(const QString &reason);

    template <typename Body>
    static void chunked(const QStringList &values, Body body);

    QString m_path;
    Access m_access = Access::readWrite;
    sqlite3 *m_db = nullptr;
    bool m_opened = false;
    QHash<QString, sqlite3_stmt *> m_statements;
    QString m_openError;
    QString m_lastError;
    int m_lastRc = 0;
    int m_depth = 0;   // transactions open: an inner one belongs to the outer one
    bool m_checkpoints = true;
    bool m_totals = false;        // the kept totals and the statistics' indexes are in place
    bool m_authorIds = false;     // the comments have their author_id column (a blocked upgrade leaves it out)
    bool m_goneColumns = false;   // comments have gone, gone_at, removing_at and owner (likewise)
    bool m_purgePending = false;
    // stats() of every site, with the file's data version and this connection's changes then.
    std::optional<QHash<QString, Stats>> m_siteStats;
    qint64 m_statsMark = -1;
    qint64 m_statsChanges = -1;
    qint64 m_purged = 0;
};

// Records are moved in bulk when a list of them grows.
Q_DECLARE_TYPEINFO(ScanStore::Record, Q_RELOCATABLE_TYPE);
