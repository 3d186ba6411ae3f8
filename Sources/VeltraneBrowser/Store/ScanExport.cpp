#include "Store/ScanExport.h"

#include "Base/Lang.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTimeZone>

#include <cmath>
#include <iterator>

namespace {

const QString lineEnd = QStringLiteral("\r\n");

QString dateTime(const QDateTime &t)
{
    return t.isValid() ? t.toUTC().toString(Qt::ISODate) : QString();
}

QString published(const std::optional<double> &ms)
{
    if (!ms || !std::isfinite(*ms) || std::abs(*ms) > 8.0e15)
        return QString();
    return dateTime(QDateTime::fromMSecsSinceEpoch(qint64(std::floor(*ms / 1000.0)) * 1000, QTimeZone::utc()));
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

} // namespace

const QStringList &ScanExport::columns()
{
    static const QStringList names{
        QStringLiteral("site"),       QStringLiteral("post"),         QStringLiteral("comment_id"),
        QStringLiteral("author"),     QStringLiteral("text"),         QStringLiteral("state"),
        QStringLiteral("kind"),       QStringLiteral("reason"),       QStringLiteral("ai_prob"),
        QStringLiteral("published_at"), QStringLiteral("like_count"), QStringLiteral("first_seen"),
        QStringLiteral("last_seen"),  QStringLiteral("deleted_at"),
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

ScanExport::Result ScanExport::save(ScanStore &store, const QString &path)
{
    Result result;
    const QString name = QFileInfo(path).fileName();
    auto failure = [&](const QString &reason) {
        result.failed = true;
        result.message = Lang::pick(QStringLiteral("저장하지 못했습니다. "), QStringLiteral("Couldn't save. ")) + reason;
        return result;
    };
    if (!store.isOpen())
        return failure(store.openError());

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    QByteArray buffer = (header() + lineEnd).toUtf8();
    bool writeOk = true;
    const bool readOk = store.eachComment([&](const ScanStore::Record &r) {
        buffer += (line(r) + lineEnd).toUtf8();
        ++result.rows;
        if (buffer.size() >= (1 << 20)) {
            writeOk = file.write(buffer) == buffer.size();
            buffer.clear();
        }
        return writeOk;
    });
    if (writeOk && !buffer.isEmpty())
        writeOk = file.write(buffer) == buffer.size();
    if (!writeOk) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(reason);
    }
    if (!readOk) {
        file.cancelWriting();
        return failure(store.lastError());
    }
    if (!file.commit())
        return failure(file.errorString());
    result.message = Lang::pick(name + QStringLiteral("에 저장했습니다."), QStringLiteral("Saved to ") + name + QLatin1Char('.'));
    return result;
}
