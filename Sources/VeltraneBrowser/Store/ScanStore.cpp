// The store's connection: lazy open, schema, migration, the statement gateway and retention.
#include "Store/ScanStore.h"
#include "Store/ScanStoreSql.h"

#include "Base/DataFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <QtEndian>

#include <cstring>
#include <iterator>
#include <vector>

#include <sqlite3.h>

namespace {

const QString memoryPath = QStringLiteral(":memory:");

// The user_version migrate() brings a file to. A file of a higher one was made by a newer copy of
// the application, whose schema this one does not know: it is never changed.
constexpr qint64 kSchemaVersion = 5;

// The files SQLite keeps beside the history file.
const char *const sideFiles[] = {"-journal", "-wal", "-shm"};

// Whether the file's header promises more pages than the file holds. Only trusted when
// no journal or WAL is waiting to be replayed, since those may legitimately complete it.
bool looksTruncated(const QString &path)
{
    for (const char *suffix : {"-wal", "-journal"}) {
        const QFileInfo side(path + QLatin1String(suffix));
        if (side.exists() && side.size() > 0)
            return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(100);
    if (head.size() < 100 || !head.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return false;
    const auto *bytes = reinterpret_cast<const uchar *>(head.constData());
    qint64 pageSize = qFromBigEndian<quint16>(bytes + 16);
    if (pageSize == 1)
        pageSize = 65536;
    const quint32 changeCounter = qFromBigEndian<quint32>(bytes + 24);
    const quint32 pages = qFromBigEndian<quint32>(bytes + 28);
    const quint32 validFor = qFromBigEndian<quint32>(bytes + 92);
    if (pages == 0 || changeCounter != validFor)
        return false;
    return file.size() < pageSize * qint64(pages);
}

// The user_version the file's header holds, read without SQLite: opening a file in write-ahead
// mode, even to read it, makes its -wal and -shm files, and a newer file is never changed.
std::optional<qint64> headerVersion(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray head = file.read(100);
    if (head.size() < 100 || !head.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return std::nullopt;
    return qint64(qFromBigEndian<qint32>(reinterpret_cast<const uchar *>(head.constData()) + 60));
}

// A write-ahead log beside a file that is gone or empty belongs to another history (one the
// owner moved away, damaged, without its log): replayed into a new file it would damage it. It
// is kept aside under a name of its own, with its index, rather than removed.
void keepOrphanedLogAside(const QString &path)
{
    const QFileInfo log(path + QStringLiteral("-wal"));
    if (!log.exists() && !log.isSymLink())
        return;
    const QFileInfo file(path);
    if (file.exists() && file.size() > 0)
        return;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = path + QStringLiteral("-wal.orphaned-") + stamp;
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
        aside = path + QStringLiteral("-wal.orphaned-") + stamp + u'-' + QString::number(n);
    if (QFile::rename(log.filePath(), aside)) {
        qWarning("a history log without its file was kept aside as %s", qPrintable(aside));
        QFile::remove(path + QStringLiteral("-shm"));   // the log's index only; rebuilt from the file
    }
}

// The wait for a lock another connection holds: a millisecond at a time, for about 5 seconds.
int waitForLock(void *, int tries)
{
    if (tries >= 5000)
        return 0;
    QThread::usleep(1000);
    return 1;
}

// Creates the missing folders of `dir` one by one, each readable by the owner only.
void makeFolders(const QString &dir)
{
    QStringList missing;
    QString path = QDir::cleanPath(QFileInfo(dir).absoluteFilePath());
    while (!QFileInfo::exists(path)) {
        missing.prepend(path);
        const QString parent = QFileInfo(path).absolutePath();
        if (parent == path)
            break;
        path = parent;
    }
    for (const QString &folder : missing) {
        if (!QDir().mkdir(folder))
            return;
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
}

// Every local time the store reads back asks the C library for the zone's rules, and with TZ unset
// glibc looks at /etc/localtime again on each of those calls (a file system call per time, most of
// the cost of reading a post's comments). When that file is a link into the zone database, naming
// the zone it links to gives the very same rules, read once. Done before main(), while the
// process has only one thread.
void nameLocalZone()
{
    if (qEnvironmentVariableIsSet("TZ"))
        return;
    const QFileInfo local(QStringLiteral("/etc/localtime"));
    if (!local.isSymLink())
        return;
    const QString target = local.symLinkTarget();
    const QString marker = QStringLiteral("/zoneinfo/");
    const qsizetype at = target.lastIndexOf(marker);
    if (at < 0)
        return;
    const QString zone = target.mid(at + marker.size());
    if (zone.isEmpty() || zone.startsWith(QLatin1String("posix/")) || zone.startsWith(QLatin1String("right/")))
        return;
    const QString folder = qEnvironmentVariableIsSet("TZDIR") ? qEnvironmentVariable("TZDIR")
                                                              : QStringLiteral("/usr/share/zoneinfo");
    const QString named = QFileInfo(folder + QLatin1Char('/') + zone).canonicalFilePath();
    if (named.isEmpty() || named != local.canonicalFilePath())
        return;
    qputenv("TZ", zone.toUtf8());
}
Q_CONSTRUCTOR_FUNCTION(nameLocalZone)

}   // namespace

QString ScanStore::newerText(const QString &path)
{
    return tr("The history file %1 was made by a newer version of Veltrane, so it is left as it is and history is "
              "off for this run: scans are not recorded. Update Veltrane to use this history again.")
        .arg(path);
}

QString ScanStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/Veltrane/scans.sqlite");
}

ScanStore::ScanStore(std::optional<QString> path, Access access)
    : m_path(path ? *path : memoryPath)
    , m_access(access)
{
}

ScanStore::~ScanStore()
{
    close();
}

void ScanStore::close()
{
    for (sqlite3_stmt *statement : std::as_const(m_statements))
        sqlite3_finalize(statement);
    m_statements.clear();
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

bool ScanStore::isOpen()
{
    return open();
}

void ScanStore::fail(const QString &reason)
{
    // The file stays as it is; the history is simply off for the rest of the run.
    close();
    m_openError = reason;
    m_lastError = reason;
}

bool ScanStore::open()
{
    if (m_opened)
        return m_db != nullptr;
    m_opened = true;

    const bool memory = m_path == memoryPath;
    const bool reader = m_access == Access::readOnly;
    if (!memory && !reader) {
        makeFolders(QFileInfo(m_path).absolutePath());
        keepOrphanedLogAside(m_path);
    }

    // SQLite would write where a link leads: the file and those beside it must be files of their own.
    if (!memory) {
        for (const QString &name : {m_path, m_path + QLatin1String(sideFiles[0]), m_path + QLatin1String(sideFiles[1]),
                                    m_path + QLatin1String(sideFiles[2])}) {
            if (DataFolder::isLink(name)) {
                fail(tr("The history file or one beside it is a link (%1 leads to %2), and history is kept only in "
                        "files of its own, so history is off and nothing is saved this run. Remove the link, then "
                        "start the application again.")
                         .arg(name, QFileInfo(name).symLinkTarget()));
                return false;
            }
        }
    }
    if (!memory) {
        if (const std::optional<qint64> version = headerVersion(m_path); version && *version > kSchemaVersion) {
            fail(newerText(m_path));
            return false;
        }
    }
    const QByteArray file = m_path.toUtf8();
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(file.constData(), &db,
                                   reader ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const QString detail = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        if (db)
            sqlite3_close_v2(db);
        fail(tr("The history file could not be opened, so history is off and nothing is saved this run (%1): %2. "
                "Check that its folder exists and can be written to, then start the application again.")
                 .arg(m_path, detail));
        return false;
    }
    m_db = db;
    sqlite3_extended_result_codes(m_db, 1);
    // A second copy of the application waits for the other's write instead of failing at once.
    // Looked at every millisecond: the other writer beside the window (the history's own thread)
    // holds the file for milliseconds, and SQLite's own wait sleeps up to 100 ms at a time.
    sqlite3_busy_handler(m_db, &waitForLock, nullptr);

    if (!memory && looksTruncated(m_path)) {
        fail(vt::sql::damagedText(m_path));
        return false;
    }
    if (const qint64 version = userVersion(); version > kSchemaVersion) {
        fail(newerText(m_path));
        return false;
    }
    if (!m_db)   // could not even read the version: damaged
        return false;
    if (reader) {
        m_totals = hasTotals();
        m_authorIds = hasAuthorIds();
        m_goneColumns = hasGoneColumns();
        return m_db != nullptr;
    }
    if (!createSchema()) {
        if (m_db)   // not already failed as damaged
            fail(tr("The history file could not be prepared, so history is off and nothing is saved this run (%1): %2 "
                    "Check the free disk space and the file's permissions, then start the application again.")
                     .arg(m_path, m_lastError));
        return false;
    }
    migrate();
    if (!m_db)
        return false;
    // The reads at the start go through indexes alone; one row of the table itself makes sure
    // its pages can be read before anything relies on them.
    exec(QStringLiteral("SELECT rowid FROM comments NOT INDEXED LIMIT 1"), {}, false);
    if (!m_db)
        return false;
    if (!memory)
        useWriteAheadLog();
    if (!m_db)
        return false;
    // Only a first batch: a long expiry goes on in batches the owner runs.
    if (purgeAtOpen)
        purgeSome();
    return m_db != nullptr;
}

void ScanStore::useWriteAheadLog()
{
    // Switched only once the file proved readable, so that a damaged file stays byte for byte
    // as it was. With the log, a reader (the export) never holds up the window's writes and a
    // writer never holds up a reader. A file another copy keeps locked stays as it is for now.
    const Rows mode = run(QStringLiteral("PRAGMA journal_mode = WAL"), {}, false);
    if (!m_db || mode.isEmpty() || mode.first().isEmpty()
        || mode.first().first().toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
        m_lastError.clear();
        return;
    }
    // A commit reaches the log without waiting for the disk; the file stays whole after a crash
    // of the program, and a power loss can only take back the last commits.
    exec(QStringLiteral("PRAGMA synchronous = NORMAL"), {}, false);
    // The log is cut back to this size once copied into the file.
    exec(QStringLiteral("PRAGMA journal_size_limit = 16777216"), {}, false);
    if (m_db && !m_checkpoints)
        sqlite3_wal_autocheckpoint(m_db, 0);
}

void ScanStore::setCheckpoints(bool on)
{
    m_checkpoints = on;
    if (m_db)
        sqlite3_wal_autocheckpoint(m_db, on ? 1000 : 0);
}

bool ScanStore::checkpoint()
{
    if (!m_opened || !m_db)
        return false;
    const int rc = sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    // Busy only means another connection checkpoints right now.
    if (rc == SQLITE_OK || (rc & 0xff) == SQLITE_BUSY)
        return true;
    noteFailure(rc, QString::fromUtf8(sqlite3_errmsg(m_db)), QStringLiteral("checkpoint"));
    return false;
}

bool ScanStore::createSchema()
{
    static const QList<std::pair<QString, QString>> postColumns = {
        {QStringLiteral("watched"), QStringLiteral("INTEGER NOT NULL DEFAULT 0")},
        {QStringLiteral("deleted"), QStringLiteral("INTEGER NOT NULL DEFAULT 0")},
        {QStringLiteral("thumbnail"), QStringLiteral("TEXT")},
        {QStringLiteral("full_at"), QStringLiteral("REAL")},
    };
    static const QList<std::pair<QString, QString>> commentColumns = {
        {QStringLiteral("author"), QStringLiteral("TEXT")},
        {QStringLiteral("text"), QStringLiteral("TEXT")},
        {QStringLiteral("published_at"), QStringLiteral("REAL")},
        {QStringLiteral("like_count"), QStringLiteral("REAL")},
        {QStringLiteral("state"), QStringLiteral("TEXT")},
        {QStringLiteral("kind"), QStringLiteral("TEXT")},
        {QStringLiteral("reason"), QStringLiteral("TEXT")},
        {QStringLiteral("ai_prob"), QStringLiteral("REAL")},
        {QStringLiteral("first_seen_at"), QStringLiteral("REAL")},
        {QStringLiteral("deleted_at"), QStringLiteral("REAL")},
        {QStringLiteral("avatar"), QStringLiteral("TEXT")},
        {QStringLiteral("rules"), QStringLiteral("TEXT")},
        {QStringLiteral("kept_at"), QStringLiteral("REAL")},
    };

    auto step = [this](const char *sql) { return m_db && exec(QString::fromLatin1(sql), {}, false); };

    if (!step("CREATE TABLE IF NOT EXISTS posts (url TEXT PRIMARY KEY, site TEXT NOT NULL, title TEXT NOT NULL, "
              "scanned_at REAL NOT NULL, total INTEGER NOT NULL, flagged INTEGER NOT NULL, "
              "watched INTEGER NOT NULL DEFAULT 0, deleted INTEGER NOT NULL DEFAULT 0, thumbnail TEXT, full_at REAL)"))
        return false;
    if (!step("CREATE TABLE IF NOT EXISTS comments (site TEXT NOT NULL, id TEXT NOT NULL, post TEXT NOT NULL, "
              "hash TEXT NOT NULL, options TEXT, spam REAL, abuse REAL, sexual REAL, seen_at REAL NOT NULL, "
              "author TEXT, text TEXT, published_at REAL, like_count REAL, state TEXT, kind TEXT, reason TEXT, "
              "ai_prob REAL, first_seen_at REAL, deleted_at REAL, avatar TEXT, rules TEXT, kept_at REAL, "
              "PRIMARY KEY (site, id))"))
        return false;
    addMissingColumns(QStringLiteral("posts"), postColumns);
    addMissingColumns(QStringLiteral("comments"), commentColumns);
    addGoneColumns();
    m_goneColumns = hasGoneColumns();
    return step("CREATE INDEX IF NOT EXISTS comments_post ON comments (post, seen_at)")
        && step(
               "CREATE INDEX IF NOT EXISTS comments_deleted_author ON comments (site, author) WHERE deleted_at IS NOT NULL")
        && step(
               "CREATE INDEX IF NOT EXISTS comments_pending ON comments (post) WHERE state = 'spam' AND deleted_at IS NULL")
        && step(
               "CREATE TABLE IF NOT EXISTS runs (id INTEGER PRIMARY KEY AUTOINCREMENT, session TEXT NOT NULL, "
               "kind TEXT NOT NULL, site TEXT NOT NULL, post TEXT NOT NULL, at REAL NOT NULL, "
               "total INTEGER NOT NULL DEFAULT 0, flagged INTEGER NOT NULL DEFAULT 0, added INTEGER NOT NULL DEFAULT 0, "
               "deleted INTEGER NOT NULL DEFAULT 0, failed INTEGER NOT NULL DEFAULT 0, note TEXT NOT NULL DEFAULT '', "
               "auto INTEGER NOT NULL DEFAULT 0)")
        && step("CREATE TABLE IF NOT EXISTS run_items (run INTEGER NOT NULL, id TEXT NOT NULL, state TEXT NOT NULL, "
                "kind TEXT NOT NULL DEFAULT '', reason TEXT NOT NULL DEFAULT '', ai_prob REAL, "
                "fresh INTEGER NOT NULL DEFAULT 0, hits TEXT, PRIMARY KEY (run, id)) WITHOUT ROWID")
        && step("CREATE TABLE IF NOT EXISTS found (url TEXT PRIMARY KEY, site TEXT NOT NULL, title TEXT NOT NULL, "
                "thumbnail TEXT, found_at REAL NOT NULL)")
        && step("CREATE TABLE IF NOT EXISTS dismissed (url TEXT PRIMARY KEY, site TEXT NOT NULL, at REAL NOT NULL)")
        && step("CREATE INDEX IF NOT EXISTS runs_post ON runs (post, id)")
        && step("CREATE INDEX IF NOT EXISTS runs_site ON runs (site, id)");
}

void ScanStore::addMissingColumns(const QString &table, const QList<std::pair<QString, QString>> &columns)
{
    QSet<QString> have;
    for (const Row &row : run(QStringLiteral("PRAGMA table_info(") + table + QLatin1Char(')'), {}, false)) {
        if (row.size() >= 2 && vt::sql::isText(row.at(1)))
            have.insert(row.at(1).toString());
    }
    for (const auto &[name, type] : columns) {
        if (!have.contains(name))
            exec(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ADD COLUMN ") + name + QLatin1Char(' ')
                     + type,
                 {}, false);
    }
}

qint64 ScanStore::userVersion()
{
    const Rows version = run(QStringLiteral("PRAGMA user_version"), {}, false);
    if (!version.isEmpty() && !version.first().isEmpty() && vt::sql::isInteger(version.first().first()))
        return version.first().first().toLongLong();
    return 0;
}

void ScanStore::migrate()
{
    const qint64 current = userVersion();
    // One transaction each, so that a crash part way leaves the old version to migrate again.
    if (current < 2 && !migrateRuns(current))
        return;
    if (current < 3 || !hasTotals())
        addTotals(current);
    m_totals = hasTotals();
    if (current < 4 || !hasAuthorIds())
        addAuthorIds(current);
    m_authorIds = hasAuthorIds();
    if (current < 5 || !hasTimeIndexes())
        addTimeIndexes(current);
}

bool ScanStore::migrateRuns(qint64 current)
{
    return transaction([&] {
        if (current != 1) {
            if (!exec(QStringLiteral(
                          "INSERT INTO runs (session, kind, site, post, at, total, flagged)\n"
                          "SELECT 'legacy:' || url, 'scan', site, url, scanned_at, total, flagged FROM posts\n"
                          "WHERE scanned_at > 0 AND NOT EXISTS (SELECT 1 FROM runs WHERE runs.post = posts.url) "
                          "ORDER BY scanned_at"),
                      {}, false))
                return false;
        }
        const Rows legacy =
            run(QStringLiteral("SELECT id, site, at FROM runs WHERE session LIKE 'legacy:%' ORDER BY site, at, id"), {},
                false);
        if (m_lastRc != SQLITE_DONE)
            return false;
        QString previousSite;
        double previousAt = 0;
        QString session;
        bool first = true;
        for (const Row &row : legacy) {
            if (row.size() < 3 || !vt::sql::isInteger(row.at(0)) || !vt::sql::isText(row.at(1))
                || !(vt::sql::isReal(row.at(2)) || vt::sql::isInteger(row.at(2))))
                continue;
            const qint64 id = row.at(0).toLongLong();
            const QString site = row.at(1).toString();
            const double at = row.at(2).toDouble();
            if (first || site != previousSite || at - previousAt > 300) {
                session = QStringLiteral("legacy:") + site + QLatin1Char(':') + QString::number(id);
                first = false;
            }
            previousSite = site;
            previousAt = at;
            if (!exec(QStringLiteral("UPDATE runs SET session = ? WHERE id = ?"), {session, id}))
                return false;
        }
        return exec(QStringLiteral("UPDATE runs SET note = '' WHERE kind = 'scan' AND failed = 0 AND total = 0"), {},
                    false)
            && exec(QStringLiteral("PRAGMA user_version = 2"), {}, false);
    });
}

namespace {

// Kept totals per site, so that the statistics need not count the whole history. Triggers keep
// them in step with every change, including those of an older copy of the application.
const char *const totalsTable =
    "CREATE TABLE IF NOT EXISTS comment_totals (site TEXT PRIMARY KEY, comments INTEGER NOT NULL DEFAULT 0, "
    "deleted INTEGER NOT NULL DEFAULT 0)";
const char *const totalsTriggers[] = {
    "CREATE TRIGGER comment_totals_insert AFTER INSERT ON comments BEGIN "
    "INSERT INTO comment_totals (site, comments, deleted) VALUES (new.site, 1, new.deleted_at IS NOT NULL) "
    "ON CONFLICT (site) DO UPDATE SET comments = comments + 1, deleted = deleted + excluded.deleted; END",
    vt::sql::totalsDeleteTrigger,
    "CREATE TRIGGER comment_totals_update AFTER UPDATE OF site, deleted_at ON comments "
    "WHEN old.site IS NOT new.site OR (old.deleted_at IS NULL) != (new.deleted_at IS NULL) BEGIN "
    "UPDATE comment_totals SET comments = comments - 1, deleted = deleted - (old.deleted_at IS NOT NULL) "
    "WHERE site = old.site; "
    "INSERT INTO comment_totals (site, comments, deleted) VALUES (new.site, 1, new.deleted_at IS NOT NULL) "
    "ON CONFLICT (site) DO UPDATE SET comments = comments + 1, deleted = deleted + excluded.deleted; END",
};
// The statistics' other reads: pending spam grouped by post and sighting, deletions and new spam
// by time.
const char *const totalsIndexes[] = {
    "CREATE INDEX IF NOT EXISTS comments_pending_seen ON comments (site, post, seen_at) "
    "WHERE state = 'spam' AND deleted_at IS NULL",
    "CREATE INDEX IF NOT EXISTS comments_deleted_at ON comments (deleted_at) WHERE deleted_at IS NOT NULL",
    "CREATE INDEX IF NOT EXISTS comments_spam_first ON comments (first_seen_at) WHERE state = 'spam'",
};

}   // namespace

bool ScanStore::hasTotals()
{
    const Rows rows = run(
        QStringLiteral(
            "SELECT COUNT(*) FROM sqlite_master WHERE (type = 'table' AND name = 'comment_totals') OR (type = 'trigger' "
            "AND name IN ('comment_totals_insert', 'comment_totals_delete', 'comment_totals_update')) OR (type = 'index' "
            "AND name IN ('comments_pending_seen', 'comments_deleted_at', 'comments_spam_first'))"),
        {}, false);
    return !rows.isEmpty() && !rows.first().isEmpty() && vt::sql::integer(rows.first().first()) == 7;
}

bool ScanStore::addTotals(qint64 current)
{
    // Also repairs a file whose totals went missing: everything is made again from the comments.
    return transaction([&] {
        auto step = [this](const char *sql) { return exec(QString::fromLatin1(sql), {}, false); };
        if (!step("DROP TRIGGER IF EXISTS comment_totals_insert")
            || !step("DROP TRIGGER IF EXISTS comment_totals_delete")
            || !step("DROP TRIGGER IF EXISTS comment_totals_update") || !step(totalsTable)
            || !step("DELETE FROM comment_totals")
            || !step("INSERT INTO comment_totals (site, comments, deleted) "
                     "SELECT site, COUNT(*), COUNT(deleted_at) FROM comments GROUP BY site"))
            return false;
        for (const char *sql : totalsTriggers) {
            if (!step(sql))
                return false;
        }
        for (const char *sql : totalsIndexes) {
            if (!step(sql))
                return false;
        }
        return current >= 3 || step("PRAGMA user_version = 3");   // never lowers a newer version
    });
}

namespace {

const QStringList goneColumns{QStringLiteral("gone TEXT"), QStringLiteral("gone_at REAL"),
                              QStringLiteral("removing_at REAL"), QStringLiteral("owner INTEGER")};

}   // namespace

void ScanStore::addGoneColumns()
{
    if (hasGoneColumns())
        return;
    // One write for all of them: another copy writing meanwhile is waited for once.
    transaction([&] {
        QSet<QString> have;
        for (const Row &row : run(QStringLiteral("PRAGMA table_info(comments)"), {}, false)) {
            if (row.size() >= 2 && vt::sql::isText(row.at(1)))
                have.insert(row.at(1).toString());
        }
        for (const QString &column : goneColumns) {
            if (!have.contains(column.section(u' ', 0, 0))
                && !exec(QStringLiteral("ALTER TABLE comments ADD COLUMN ") + column, {}, false))
                return false;
        }
        return true;
    });
}

bool ScanStore::hasGoneColumns()
{
    const Rows rows = run(QStringLiteral("SELECT COUNT(*) FROM pragma_table_info('comments') WHERE name IN "
                                         "('gone', 'gone_at', 'removing_at', 'owner')"),
                          {}, false);
    return !rows.isEmpty() && !rows.first().isEmpty() && vt::sql::integer(rows.first().first()) == goneColumns.size();
}

QLatin1String ScanStore::currentSql() const
{
    return QLatin1String(m_goneColumns ? vt::sql::current : vt::sql::currentWithoutGone);
}

QLatin1String ScanStore::pendingSql() const
{
    return QLatin1String(m_goneColumns ? vt::sql::pendingSpam : vt::sql::pendingSpamWithoutGone);
}

QLatin1String ScanStore::recordSql() const
{
    return QLatin1String(m_goneColumns ? vt::sql::recordColumns : vt::sql::recordColumnsWithoutGone);
}

bool ScanStore::hasAuthorIds()
{
    const Rows rows =
        run(QStringLiteral(
                "SELECT (SELECT COUNT(*) FROM pragma_table_info('comments') WHERE name = 'author_id'), "
                "(SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name = 'comments_deleted_author_id')"),
            {}, false);
    return !rows.isEmpty() && rows.first().size() == 2 && vt::sql::integer(rows.first().at(0)) == 1
        && vt::sql::integer(rows.first().at(1)) == 1;
}

bool ScanStore::addAuthorIds(qint64 current)
{
    // The author's stable id beside the display name; comments stored before it have none.
    return transaction([&] {
        const Rows has = run(QStringLiteral(
                                 "SELECT COUNT(*) FROM pragma_table_info('comments') WHERE name = 'author_id'"),
                             {}, false);
        if (has.isEmpty() || has.first().isEmpty() || !vt::sql::isInteger(has.first().first()))
            return false;
        if (has.first().first().toLongLong() == 0
            && !exec(QStringLiteral("ALTER TABLE comments ADD COLUMN author_id TEXT"), {}, false))
            return false;
        return exec(QStringLiteral(
                        "CREATE INDEX IF NOT EXISTS comments_deleted_author_id ON comments (site, author_id) "
                        "WHERE deleted_at IS NOT NULL"),
                    {}, false)
            && (current >= 4
                || exec(QStringLiteral("PRAGMA user_version = 4"), {}, false));   // never lowers a newer version
    });
}

namespace {

// The retention's time indexes (expired comments found without reading the table), and indexes
// the statistics' authors and the panel's count of pending spam are read from alone.
const char *const timeIndexes[] = {
    "CREATE INDEX IF NOT EXISTS comments_seen ON comments (seen_at)",
    "CREATE INDEX IF NOT EXISTS runs_at ON runs (at)",
    "CREATE INDEX IF NOT EXISTS comments_deleted_author_avatar ON comments (site, author, avatar) "
    "WHERE deleted_at IS NOT NULL",
    "CREATE INDEX IF NOT EXISTS comments_pending_text ON comments (site, post, seen_at, ai_prob) "
    "WHERE state = 'spam' AND deleted_at IS NULL AND text != ''",
};

}   // namespace

bool ScanStore::hasTimeIndexes()
{
    const Rows rows =
        run(QStringLiteral(
                "SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name IN ('comments_seen', 'runs_at', "
                "'comments_deleted_author_avatar', 'comments_pending_text')"),
            {}, false);
    return !rows.isEmpty() && !rows.first().isEmpty()
        && vt::sql::integer(rows.first().first()) == qint64(std::size(timeIndexes));
}

bool ScanStore::addTimeIndexes(qint64 current)
{
    // Indexes only: every row stays, and an older copy of the application reads the file as before.
    return transaction([&] {
        for (const char *sql : timeIndexes) {
            if (!exec(QString::fromLatin1(sql), {}, false))
                return false;
        }
        return current >= 5
            || exec(QStringLiteral("PRAGMA user_version = 5"), {}, false);   // never lowers a newer version
    });
}

bool ScanStore::purge()
{
    if (!m_opened || !m_db)
        return false;
    do {
        if (!purgeSome())
            return false;
    } while (m_purgePending);
    return true;
}

bool ScanStore::purgeSome(int rows)
{
    if (!m_opened || !m_db)
        return false;
    const double cutoff = double(QDateTime::currentMSecsSinceEpoch()) / 1000.0 + double(keepDays) * -86400.0;
    const QVariantList args{cutoff};
    // Each batch is a transaction of its own, so that a second copy's writes (and the owner's)
    // wait for one batch at most, and a crash keeps what was done.
    bool more = false;
    const bool ok = transaction([&] {
        if (!exec(QStringLiteral("DELETE FROM comments WHERE rowid IN (SELECT rowid FROM comments WHERE seen_at < ?1 "
                                 "LIMIT ?2)"),
                  {cutoff, std::max(1, rows)}))
            return false;
        const int removed = sqlite3_changes(m_db);
        m_purged += removed;
        if (removed >= std::max(1, rows)) {
            more = true;
            return true;
        }
        return exec(QStringLiteral("DELETE FROM posts WHERE scanned_at < ? AND watched = 0"), args)
            && exec(QStringLiteral("DELETE FROM found WHERE found_at < ?"), args)
            && exec(QStringLiteral("DELETE FROM dismissed WHERE at < ?"), args)
            && exec(QStringLiteral("DELETE FROM run_items WHERE run IN (SELECT id FROM runs WHERE at < ?)"), args)
            && exec(QStringLiteral("DELETE FROM runs WHERE at < ?"), args);
    });
    m_purgePending = ok && more;
    return ok;
}

// ---- the gateway ----------------------------------------------------------------------

void ScanStore::noteFailure(int rc, const QString &detail, const QString &what)
{
    const int primary = rc & 0xff;
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB) {
        fail(vt::sql::damagedText(m_path));
        return;
    }
    if (primary == SQLITE_FULL) {
        m_lastError = tr("The history could not be saved because the disk is full: %1").arg(detail);
    } else if (primary == SQLITE_BUSY) {
        // Readers never hold up a write: only another writer does, for longer than the wait.
        m_lastError = m_access == Access::readOnly
            ? tr("The history could not be read because another program kept it locked: %1").arg(detail)
            : tr("The history could not be saved because its file stayed locked for more than 5 seconds (another copy "
                 "of Veltrane or another program may be writing to it): %1")
                  .arg(detail);
    } else if (primary == SQLITE_LOCKED) {
        m_lastError = tr("The history could not be saved because this application was still reading the same "
                         "records: %1")
                          .arg(detail);
    } else if (primary == SQLITE_READONLY) {
        m_lastError = tr("The history could not be saved because its file or folder is read-only: %1").arg(detail);
    } else {
        m_lastError = tr("History file error: %1 (%2)").arg(detail, what);
    }
}

bool ScanStore::eachStep(const QString &sql, const QVariantList &args, bool cached,
                         const std::function<bool(sqlite3_stmt *)> &row)
{
    m_lastRc = SQLITE_MISUSE;
    if (!m_db)
        return false;

    sqlite3_stmt *statement = cached ? m_statements.value(sql, nullptr) : nullptr;
    if (!statement) {
        const QByteArray text = sql.toUtf8();
        const int rc = sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &statement, nullptr);
        if (rc != SQLITE_OK || !statement) {
            if (statement)
                sqlite3_finalize(statement);
            m_lastRc = rc == SQLITE_OK ? SQLITE_MISUSE : rc;
            noteFailure(m_lastRc, QString::fromUtf8(sqlite3_errmsg(m_db)), sql.left(60));
            return false;
        }
        if (cached)
            m_statements.insert(sql, statement);
    }

    for (int i = 0; i < args.size(); ++i) {
        const QVariant &value = args.at(i);
        const int index = i + 1;
        switch (value.typeId()) {
        case QMetaType::QString: {
            const QByteArray utf8 = value.toString().toUtf8();
            sqlite3_bind_text(statement, index, utf8.constData() ? utf8.constData() : "", int(utf8.size()),
                              SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::Double:
        case QMetaType::Float:
            sqlite3_bind_double(statement, index, value.toDouble());
            break;
        case QMetaType::Bool:
            sqlite3_bind_int64(statement, index, value.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            sqlite3_bind_int64(statement, index, value.toLongLong());
            break;
        default:   // null and anything else
            sqlite3_bind_null(statement, index);
            break;
        }
    }

    int rc = SQLITE_DONE;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        if (!row(statement)) {
            rc = SQLITE_DONE;
            break;
        }
    }
    const QString detail = rc == SQLITE_DONE ? QString() : QString::fromUtf8(sqlite3_errmsg(m_db));
    if (cached) {
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
    } else {
        sqlite3_finalize(statement);
    }
    m_lastRc = rc;
    if (rc != SQLITE_DONE)
        noteFailure(rc, detail, sql.left(60));   // may close a damaged connection
    return rc == SQLITE_DONE;
}


bool ScanStore::each(const QString &sql, const QVariantList &args, bool cached,
                     const std::function<bool(const Row &)> &row)
{
    Row values;
    // A short text the same as the row before's in its column (a post's address, a state) is
    // kept from that row instead of being made again.
    constexpr int kKeptBytes = 96;
    struct Kept {
        char bytes[kKeptBytes];
        int size = -1;   // none: the column's value is no text kept from its bytes
    };
    std::vector<Kept> before;
    return eachStep(sql, args, cached, [&](sqlite3_stmt *statement) {
        const int count = sqlite3_column_count(statement);
        values.resize(count);
        before.resize(size_t(count));
        for (int c = 0; c < count; ++c) {
            switch (sqlite3_column_type(statement, c)) {
            case SQLITE_INTEGER:
                values[c] = QVariant(qint64(sqlite3_column_int64(statement, c)));
                before[size_t(c)].size = -1;
                break;
            case SQLITE_FLOAT:
                values[c] = QVariant(sqlite3_column_double(statement, c));
                before[size_t(c)].size = -1;
                break;
            case SQLITE_TEXT: {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, c));
                const int bytes = sqlite3_column_bytes(statement, c);
                Kept &last = before[size_t(c)];
                if (last.size == bytes && (bytes == 0 || std::memcmp(last.bytes, text, size_t(bytes)) == 0))
                    break;
                values[c] = QVariant(QString::fromUtf8(text, bytes));
                last.size = bytes <= kKeptBytes ? bytes : -1;
                if (last.size > 0)
                    std::memcpy(last.bytes, text, size_t(bytes));
                break;
            }
            default:
                values[c] = QVariant();
                before[size_t(c)].size = -1;
                break;
            }
        }
        return row(values);
    });
}

ScanStore::Rows ScanStore::run(const QString &sql, const QVariantList &args, bool cached)
{
    Rows rows;
    each(sql, args, cached, [&](const Row &row) {
        rows.append(row);
        return true;
    });
    return rows;
}

bool ScanStore::exec(const QString &sql, const QVariantList &args, bool cached)
{
    return each(sql, args, cached, [](const Row &) { return true; });
}

bool ScanStore::transaction(const std::function<bool()> &body)
{
    if (!m_db)
        return false;
    // Inside another transaction, a batch is part of it: the outer one commits or rolls back.
    if (m_depth > 0)
        return body();
    // IMMEDIATE takes the write lock up front, so a second copy waits at the start
    // rather than failing half way through the batch.
    if (!exec(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    ++m_depth;
    const bool done = body();
    --m_depth;
    if (done && m_db && exec(QStringLiteral("COMMIT")))
        return true;
    const QString reason = m_lastError;
    if (m_db && !sqlite3_get_autocommit(m_db))
        exec(QStringLiteral("ROLLBACK"));
    m_lastError = reason;   // the rollback's own result does not hide the cause
    return false;
}
