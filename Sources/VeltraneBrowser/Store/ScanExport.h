#pragma once
// The history as a CSV file the owner saves: fourteen columns, a byte order mark, CR LF line
// ends, fields quoted where needed and guarded against formula injection in spreadsheets.

#include "Store/ScanStore.h"

#include <QFileDevice>

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class ScanExport {
    Q_DECLARE_TR_FUNCTIONS(ScanExport)

public:
    ScanExport() = delete;

    // "site", "post", "comment_id", ... "deleted_at": the header line.
    static const QStringList &columns();
    // "veltrane-history-yyyy-MM-dd.csv" with the local date of `now`.
    static QString fileName(const QDateTime &now);
    // The whole file as one text: BOM, header, one line per record, each ended by CR LF.
    static QString csv(const QList<ScanStore::Record> &records);
    // One record's line without its line end.
    static QString line(const ScanStore::Record &record);
    // One field as written: an apostrophe before a leading = + - @ tab or CR, then quoted
    // when it holds a comma, double quote, LF or CR.
    static QString escape(const QString &field);

    // Why an export failed: what stood in its way, and the reason in words the owner can act on.
    struct Failure {
        enum class Kind { refused, historyClosed, write, read };
        Kind kind = Kind::write;
        QString reason;
        bool operator==(const Failure &) const = default;
    };
    struct Result {
        bool failed = false;
        bool cancelled = false;           // stopped by `proceed`: nothing written, any earlier file kept
        qint64 rows = 0;                  // comments written
        std::optional<Failure> failure;   // present when it failed
        QString message;                  // the one line to show the owner, in the run's language
    };
    // Told the rows written so far and the rows to write in all, now and then; false stops.
    using Proceed = std::function<bool(qint64 done, qint64 total)>;
    // Writes every stored comment to `path`, streamed row by row so that no history is too
    // large, and replaces the file only once all of it is written.
    static Result save(ScanStore &store, const QString &path, const Proceed &proceed = {});
    // Why `path` may not be written, empty when it may: the application's own files (the data
    // folder, the history file `historyPath` and the files beside it) are never export targets,
    // however the path is spelled and wherever its links lead.
    static QString refusedTarget(const QString &historyPath, const QString &path);
    // Why writing `file` failed, in words the owner can act on; `error` is the errno of the failure.
    static QString writeFailure(const QFileDevice &file, int error);
    // Rows between two calls of `proceed`.
    static constexpr qint64 progressStep = 2000;
};
