#pragma once
// Internal to the ScanStore*.cpp files.

#include "Store/ScanStore.h"
#include "Store/ScanStoreSql.h"

#include <array>

namespace vt::sql {

// Makes Records straight from a statement's rows. Texts a column repeats from the row before
// (a post's address, a state, a kind) are shared with that row's instead of made again, and
// times go through one query's LocalTimes.
class RecordReader {
public:
    static constexpr int kBaseColumns = 15;   // site ... avatar
    static constexpr int kAllColumns = 17;    // and gone, owner

    // A Record from the row's first `columns` values (fewer when the statement has fewer);
    // none when a required value is unreadable: site, id and post must be texts and the
    // sighting a REAL.
    std::optional<ScanStore::Record> read(sqlite3_stmt *statement, int columns = kAllColumns);

private:
    // The text of a column, or false when it holds none.
    bool textAt(sqlite3_stmt *statement, int column, QString &out);

    static constexpr int kKeptBytes = 96;
    struct Kept {
        char bytes[kKeptBytes];
        int size = -1;   // none: the row before had no short text here
        QString value;
    };
    std::array<Kept, kAllColumns> m_kept;
    LocalTimes m_times;
};

}   // namespace vt::sql
