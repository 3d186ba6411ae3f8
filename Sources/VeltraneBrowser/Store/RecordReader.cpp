#include "Store/RecordReader.h"

#include <sqlite3.h>

#include <cstring>

namespace vt::sql {

namespace {

bool realAt(sqlite3_stmt *statement, int column)
{
    return sqlite3_column_type(statement, column) == SQLITE_FLOAT;
}

// A number of either storage class, as the columns of counts and milliseconds hold them.
std::optional<double> optRealAt(sqlite3_stmt *statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement, column);
    case SQLITE_INTEGER:
        return double(sqlite3_column_int64(statement, column));
    default:
        return std::nullopt;
    }
}

}   // namespace

bool RecordReader::textAt(sqlite3_stmt *statement, int column, QString &out)
{
    Kept &last = m_kept[size_t(column)];
    if (sqlite3_column_type(statement, column) != SQLITE_TEXT) {
        last.size = -1;
        return false;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    const int bytes = sqlite3_column_bytes(statement, column);
    if (last.size == bytes && (bytes == 0 || std::memcmp(last.bytes, text, size_t(bytes)) == 0)) {
        out = last.value;
        return true;
    }
    out = QString::fromUtf8(text, bytes);
    last.size = bytes <= kKeptBytes ? bytes : -1;
    if (last.size >= 0) {
        if (bytes > 0)
            std::memcpy(last.bytes, text, size_t(bytes));
        last.value = out;
    } else {
        last.value = QString();
    }
    return true;
}

std::optional<ScanStore::Record> RecordReader::read(sqlite3_stmt *statement, int columns)
{
    const int count = std::min(sqlite3_column_count(statement), std::min(columns, kAllColumns));
    if (count < kBaseColumns || !realAt(statement, 12))
        return std::nullopt;
    ScanStore::Record r;
    if (!textAt(statement, 0, r.site) || !textAt(statement, 1, r.id) || !textAt(statement, 2, r.post))
        return std::nullopt;
    textAt(statement, 3, r.author);
    textAt(statement, 4, r.text);
    r.publishedAt = optRealAt(statement, 5);
    r.likeCount = optRealAt(statement, 6);
    if (!textAt(statement, 7, r.state))
        r.state = QStringLiteral("ok");
    textAt(statement, 8, r.kind);
    textAt(statement, 9, r.reason);
    r.aiProb = optRealAt(statement, 10);
    r.lastSeenAt = m_times(sqlite3_column_double(statement, 12));
    r.firstSeenAt = realAt(statement, 11) ? m_times(sqlite3_column_double(statement, 11)) : r.lastSeenAt;
    if (realAt(statement, 13))
        r.deletedAt = m_times(sqlite3_column_double(statement, 13));
    QString avatar;
    if (textAt(statement, 14, avatar))
        r.avatar = std::move(avatar);
    if (count > 15)
        textAt(statement, 15, r.gone);
    if (count > 16)
        r.owner = sqlite3_column_type(statement, 16) == SQLITE_INTEGER && sqlite3_column_int64(statement, 16) != 0;
    return r;
}

}   // namespace vt::sql
