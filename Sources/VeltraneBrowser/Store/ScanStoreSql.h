#pragma once
// Internal to the ScanStore*.cpp files: row value tests, time conversion, shared SQL fragments.

#include "Store/ScanStore.h"

#include <QDateTime>
#include <QHash>
#include <QVariant>

#include <cmath>

namespace vt::sql {

inline bool isText(const QVariant &v)
{
    return v.typeId() == QMetaType::QString;
}
inline bool isReal(const QVariant &v)
{
    return v.typeId() == QMetaType::Double;
}
inline bool isInteger(const QVariant &v)
{
    return v.typeId() == QMetaType::LongLong;
}

inline QVariant orNull(const std::optional<double> &v)
{
    return v ? QVariant(*v) : QVariant();
}
inline QVariant orNull(const std::optional<QString> &v)
{
    return v ? QVariant(*v) : QVariant();
}

// Seconds since 1970 with fraction, as every time column holds them.
inline double seconds(const QDateTime &t)
{
    return double(t.toMSecsSinceEpoch()) / 1000.0;
}
// Read back as local times, like every other time the application shows.
inline QDateTime date(double secs)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(std::llround(secs * 1000.0)), Qt::LocalTime);
}

// The local times of one query's rows. Making a local QDateTime asks the system for the zone
// rules (microseconds each), while the stored times come in batches (every comment of one scan
// shares its sighting time, every comment of one deletion its deletion time), so a result holds
// few distinct values: each is made once and copied after that. The copies are the very same
// local times, so they compare, convert and format exactly as freshly made ones.
class LocalTimes {
public:
    QDateTime operator()(double secs)
    {
        const qint64 ms = qint64(std::llround(secs * 1000.0));
        if (m_hasLast && ms == m_lastMs)
            return m_last;
        if (m_named) {   // the rules are loaded once: making a time costs less than looking it up
            m_hasLast = true;
            m_lastMs = ms;
            m_last = QDateTime::fromMSecsSinceEpoch(ms, Qt::LocalTime);
            return m_last;
        }
        auto it = m_made.constFind(ms);
        if (it == m_made.cend()) {
            if (m_made.size() >= kKept)   // all different (an unusual history): keep the memory small
                m_made.clear();
            it = m_made.insert(ms, QDateTime::fromMSecsSinceEpoch(ms, Qt::LocalTime));
        }
        m_hasLast = true;
        m_lastMs = ms;
        m_last = *it;
        return m_last;
    }

private:
    static constexpr qsizetype kKept = 4096;
    // With TZ set, the C library keeps the zone's rules instead of looking at /etc/localtime
    // again for every time.
    const bool m_named = qEnvironmentVariableIsSet("TZ");
    QHash<qint64, QDateTime> m_made;
    bool m_hasLast = false;
    qint64 m_lastMs = 0;
    QDateTime m_last;
};

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
// Before the columns of comments no longer on their post were added (an upgrade blocked by
// another copy writing): every comment is on its post.
inline constexpr char currentWithoutGone[] =
    "seen_at >= COALESCE((SELECT full_at FROM posts WHERE posts.url = comments.post), 0)";
inline constexpr char pendingSpamWithoutGone[] =
    "state = 'spam' AND deleted_at IS NULL AND "
    "seen_at >= COALESCE((SELECT full_at FROM posts WHERE posts.url = comments.post), 0)";
inline constexpr char recordColumnsWithoutGone[] =
    "SELECT site, id, post, author, text, published_at, like_count, state, kind, reason, ai_prob, "
    "first_seen_at, seen_at, deleted_at, avatar ";
inline constexpr char current[] =
    "gone IS NULL AND seen_at >= COALESCE((SELECT full_at FROM posts WHERE posts.url = comments.post), 0)";
inline constexpr char pendingSpam[] =
    "state = 'spam' AND deleted_at IS NULL AND gone IS NULL AND "
    "seen_at >= COALESCE((SELECT full_at FROM posts WHERE posts.url = comments.post), 0)";
inline constexpr char recordColumns[] =
    "SELECT site, id, post, author, text, published_at, like_count, state, kind, reason, ai_prob, "
    "first_seen_at, seen_at, deleted_at, avatar, gone, owner ";

// Keeps the kept totals (table comment_totals) in step when comments are deleted.
inline constexpr char totalsDeleteTrigger[] =
    "CREATE TRIGGER comment_totals_delete AFTER DELETE ON comments BEGIN "
    "UPDATE comment_totals SET comments = comments - 1, deleted = deleted - (old.deleted_at IS NOT NULL) "
    "WHERE site = old.site; END";

inline QString damagedText(const QString &path)
{
    return ScanStore::
        tr("The history file is damaged, so history is off for this run: scans are not recorded. The file was left as it "
           "is: %1. To start a new history, quit the application and move the file elsewhere (keep it, so it can be "
           "recovered); a new one is made at the next start.")
            .arg(path);
}

}   // namespace vt::sql
