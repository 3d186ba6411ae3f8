#include "Store/ScanExport.h"

#include "Base/AppSettings.h"
#include "Base/DataFolder.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QTimeZone>

#include <cerrno>
#include <cmath>
#include <iterator>

namespace {

const QString lineEnd = QStringLiteral("\r\n");

// "yyyy-MM-ddTHH:mm:ssZ" of a UTC time, as Qt::ISODate writes it, without a QDateTime: the
// export writes three of them a row. Times before 1970 or after 9999 go the long way.
QString utcText(qint64 ms)
{
    constexpr qint64 dayMs = 86400000;
    if (ms < 0 || ms >= qint64(253402300800000))
        return QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc()).toUTC().toString(Qt::ISODate);
    const qint64 days = ms / dayMs;
    const qint64 secs = (ms % dayMs) / 1000;
    // Days to a civil date (the proleptic Gregorian calendar).
    const qint64 z = days + 719468;
    const qint64 era = z / 146097;
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    const int day = int(doy - (153 * mp + 2) / 5 + 1);
    const int month = int(mp < 10 ? mp + 3 : mp - 9);
    const int year = int(yoe + era * 400 + (month <= 2 ? 1 : 0));
    char16_t text[20];
    auto put = [&text](int at, int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            text[at + i] = char16_t(u'0' + value % 10);
    };
    put(0, year, 4);
    text[4] = u'-';
    put(5, month, 2);
    text[7] = u'-';
    put(8, day, 2);
    text[10] = u'T';
    put(11, int(secs / 3600), 2);
    text[13] = u':';
    put(14, int(secs / 60 % 60), 2);
    text[16] = u':';
    put(17, int(secs % 60), 2);
    text[19] = u'Z';
    return QString(reinterpret_cast<const QChar *>(text), 20);
}

QString dateTime(const QDateTime &t)
{
    return t.isValid() ? utcText(t.toMSecsSinceEpoch()) : QString();
}

QString published(const std::optional<double> &ms)
{
    if (!ms || !std::isfinite(*ms) || std::abs(*ms) > 8.0e15)
        return QString();
    return utcText(qint64(std::floor(*ms / 1000.0)) * 1000);
}

QString likes(const std::optional<double> &count)
{
    // Non-finite counts are written empty; any finite one in full, its fraction dropped.
    if (!count || !std::isfinite(*count))
        return QString();
    const double whole = std::trunc(*count);
    return whole == 0 ? QStringLiteral("0") : QString::number(whole, 'f', 0);
}

QString header()
{
    return QChar(0xFEFF) + ScanExport::columns().join(QLatin1Char(','));
}

}   // namespace

const QStringList &ScanExport::columns()
{
    static const QStringList names{
        QStringLiteral("site"),         QStringLiteral("post"),       QStringLiteral("comment_id"),
        QStringLiteral("author"),       QStringLiteral("text"),       QStringLiteral("state"),
        QStringLiteral("kind"),         QStringLiteral("reason"),     QStringLiteral("ai_prob"),
        QStringLiteral("published_at"), QStringLiteral("like_count"), QStringLiteral("first_seen"),
        QStringLiteral("last_seen"),    QStringLiteral("deleted_at"), QStringLiteral("gone"),
    };
    return names;
}

QString ScanExport::fileName(const QDateTime &now)
{
    return QStringLiteral("veltrane-history-") + now.toLocalTime().toString(QStringLiteral("yyyy-MM-dd"))
        + QStringLiteral(".csv");
}

QString ScanExport::escape(const QString &field)
{
    QString out = field;
    if (!out.isEmpty()) {
        const QChar first = out.front();
        if (first == QLatin1Char('=') || first == QLatin1Char('+') || first == QLatin1Char('-')
            || first == QLatin1Char('@') || first == QLatin1Char('\t') || first == QLatin1Char('\r'))
            out.prepend(QLatin1Char('\''));
    }
    if (out.contains(QLatin1Char(',')) || out.contains(QLatin1Char('"')) || out.contains(QLatin1Char('\n'))
        || out.contains(QLatin1Char('\r'))) {
        out.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        out = QLatin1Char('"') + out + QLatin1Char('"');
    }
    return out;
}

QString ScanExport::line(const ScanStore::Record &r)
{
    const QString fields[] = {
        r.site,
        r.post,
        r.id,
        r.author,
        r.text,
        r.state,
        r.kind,
        r.reason,
        r.aiProb ? QString::number(*r.aiProb, 'f', 3) : QString(),
        published(r.publishedAt),
        likes(r.likeCount),
        dateTime(r.firstSeenAt),
        dateTime(r.lastSeenAt),
        r.deletedAt ? dateTime(*r.deletedAt) : QString(),
        r.gone,
    };
    QString out;
    for (qsizetype i = 0; i < qsizetype(std::size(fields)); ++i) {
        if (i)
            out += QLatin1Char(',');
        out += escape(fields[i]);
    }
    return out;
}

QString ScanExport::csv(const QList<ScanStore::Record> &records)
{
    QString out = header() + lineEnd;
    for (const ScanStore::Record &r : records)
        out += line(r) + lineEnd;
    return out;
}

QString ScanExport::refusedTarget(const QString &historyPath, const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    for (const QString &folder : {DataFolder::path(), QFileInfo(AppSettings::defaultPath()).absolutePath()}) {
        if (DataFolder::holds(folder, path))
            return tr("%1 would be in the folder where Veltrane keeps its own files. Choose another folder.").arg(name);
    }
    for (const char *side : {"", "-journal", "-wal", "-shm"}) {
        if (DataFolder::holds(historyPath + QLatin1String(side), path))
            return tr("%1 is one of Veltrane's own history files. Choose another name or folder.").arg(name);
    }
    return QString();
}

QString ScanExport::writeFailure(const QFileDevice &file, int error)
{
    const QStorageInfo disk(QFileInfo(file.fileName()).absolutePath());
    if (error == ENOSPC || error == EDQUOT || (disk.isValid() && disk.bytesAvailable() == 0))
        return tr("The disk is full. Free some space or choose another disk, then export again.");
    return file.errorString();
}

ScanExport::Result ScanExport::save(ScanStore &store, const QString &path, const Proceed &proceed)
{
    Result result;
    const QString name = QFileInfo(path).fileName();
    auto failure = [&](Failure::Kind kind, const QString &reason) {
        result.failed = true;
        result.failure = Failure{kind, reason};
        result.message = tr("Couldn't save. %1").arg(reason);
        return result;
    };
    if (const QString refused = refusedTarget(store.path(), path); !refused.isEmpty())
        return failure(Failure::Kind::refused, refused);
    if (!store.isOpen())
        return failure(Failure::Kind::historyClosed, store.openError());

    QSaveFile file(path);
    // Unbuffered: a write the disk refuses shows here. Buffered, the last of it fails only when
    // commit() flushes, and commit() does not notice: an empty or cut file would replace the
    // earlier one, said to be saved.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(Failure::Kind::write, writeFailure(file, errno));
    const qint64 total = proceed ? qint64(store.stats().comments) : 0;
    if (proceed && !proceed(0, total)) {
        file.cancelWriting();
        result.cancelled = true;
        return result;
    }
    QByteArray buffer = (header() + lineEnd).toUtf8();
    bool writeOk = true;
    int writeError = 0;   // errno of a failed write, before later calls change it
    bool stopped = false;
    const bool readOk = store.eachComment([&](const ScanStore::Record &r) {
        QString text = line(r);
        text += lineEnd;
        buffer += text.toUtf8();
        ++result.rows;
        if (buffer.size() >= (1 << 20)) {
            writeOk = file.write(buffer) == buffer.size();
            writeError = writeOk ? 0 : errno;
            buffer.clear();
        }
        if (writeOk && proceed && result.rows % progressStep == 0
            && !proceed(result.rows, std::max(total, result.rows)))
            stopped = true;
        return writeOk && !stopped;
    });
    if (stopped) {
        // Nothing of it reaches the path: the temporary file goes, an earlier file stays.
        file.cancelWriting();
        result.cancelled = true;
        result.rows = 0;
        return result;
    }
    if (writeOk && !buffer.isEmpty()) {
        writeOk = file.write(buffer) == buffer.size();
        writeError = writeOk ? 0 : errno;
    }
    if (!writeOk) {
        const QString reason = writeFailure(file, writeError);
        file.cancelWriting();
        return failure(Failure::Kind::write, reason);
    }
    if (!readOk) {
        file.cancelWriting();
        return failure(Failure::Kind::read, store.lastError());
    }
    if (!file.commit())
        return failure(Failure::Kind::write, writeFailure(file, errno));
    if (proceed)
        proceed(result.rows, std::max(total, result.rows));
    result.message = tr("Saved to %1.").arg(name);
    return result;
}
