#pragma once
// Internal to the ScanStore*.cpp files: row value tests, time conversion, shared SQL fragments.

#include "Base/Lang.h"
#include "Store/ScanStore.h"

#include <QDateTime>
#include <QVariant>

#include <cmath>

namespace vt::sql {

inline bool isText(const QVariant &v) { return v.typeId() == QMetaType::QString; }
inline bool isReal(const QVariant &v) { return v.typeId() == QMetaType::Double; }
inline bool isInteger(const QVariant &v) { return v.typeId() == QMetaType::LongLong; }

inline QVariant orNull(const std::optional<double> &v) { return v ? QVariant(*v) : QVariant(); }
inline QVariant orNull(const std::optional<QString> &v) { return v ? QVariant(*v) : QVariant(); }

// Seconds since 1970 with fraction, as every time column holds them.
inline double seconds(const QDateTime &t) { return double(t.toMSecsSinceEpoch()) / 1000.0; }
// Read back as local times, like every other time the application shows.
inline QDateTime date(double secs) { return QDateTime::fromMSecsSinceEpoch(qint64(std::llround(secs * 1000.0)), Qt::LocalTime); }

inline std::optional<QString> optText(const QVariant &v)
{
    return isText(v) ? std::optional<QString>(v.toString()) : std::nullopt;
}
inline std::optional<double> optReal(const QVariant &v)
{
    return isReal(v) || isInteger(v) ? std::optional<double>(v.toDouble()) : std::nullopt;
}
inline QString text(const QVariant &v, const QString &fallback = QString())
{
    return isText(v) ? v.toString() : fallback;
}
inline qint64 integer(const QVariant &v, qint64 fallback = 0)
{
    return isInteger(v) ? v.toLongLong() : fallback;
}

// A comment is current when seen at or after its post's last full scan.
inline constexpr char current[] =
    "seen_at >= COALESCE((SELECT full_at FROM posts WHERE posts.url = comments.post), 0)";
inline constexpr char pendingSpam[] =
    "state = 'spam' AND deleted_at IS NULL AND "
    "seen_at >= COALESCE((SELECT full_at FROM posts WHERE posts.url = comments.post), 0)";
inline constexpr char recordColumns[] =
    "SELECT site, id, post, author, text, published_at, like_count, state, kind, reason, ai_prob, "
    "first_seen_at, seen_at, deleted_at, avatar ";

// A Record from the first 15 values of a row; none when a required value is unreadable.
std::optional<ScanStore::Record> readRecord(const QVariantList &row);

QString errorText(const QString &ko, const QString &en);

inline QString damagedText(const QString &path)
{
    return errorText(
        QStringLiteral("기록 파일이 손상되어 이번 실행에서는 기록 없이 동작합니다. 파일은 그대로 두었습니다: %1").arg(path),
        QStringLiteral("The history file is damaged, so this run works without history. The file was left as it is: %1")
            .arg(path));
}

} // namespace vt::sql
