#pragma once
// A history with something in every statistic: posts on both sites (one monitored, one
// untitled), comments flagged and deleted on days spread over the last 40 days, authors deleted
// more than once, deletions without author or stored text.
//
//   ScanStore store(dir.filePath("scans.sqlite"));
//   vt::test::seedHistory(store, QDateTime::currentDateTime());

#include "Store/ScanStore.h"

#include <QDateTime>
#include <QString>

namespace vt::test {

struct SeededHistory {
    QString youtubePost;   // monitored
    QString youtubeUntitled;
    QString instagramPost;
    int comments = 0;   // stored comments
    int deleted = 0;
    int peakDay = 0;   // the largest daily count of flagged or deleted in the last 30 days
};

SeededHistory seedHistory(ScanStore &store, const QDateTime &now);

}   // namespace vt::test
