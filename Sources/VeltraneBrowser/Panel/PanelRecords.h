#pragma once
// The stored records the review panel has read of the posts in view, post by post in list
// order: what the tab shows of each post, the pending spam of every post (Flagged tab), the
// matched words, and the posts left to read when the list asks for more.

#include "Panel/PanelTab.h"
#include "Scan/ChannelPost.h"
#include "Store/ScanStore.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

class PanelRecords {
public:
    QHash<QString, QList<ScanStore::Record>> shown;      // by post address: the records the tab shows
    QList<ScanStore::Record> pending;                    // only when every post is read (the Flagged tab)
    QHash<QString, QStringList> hits;                    // by comment id: the matched words
    QSet<QString> deletedIds;                            // the deleted records among those read
    QStringList unread;                                  // addresses of the posts not read yet
    std::optional<ScanStore::PendingSummary> summary;    // the pending spam while not every post is read
    int rows = 0;                                        // shown records read
    int posts = 0;                                       // posts read

    // Reads one post's records as the tab shows them.
    void read(ScanStore &store, const ChannelPost &post, PanelTab tab);
    // Takes in the shown records and words of posts read later.
    void add(const PanelRecords &more);
    // The ids of every shown record.
    QSet<QString> shownIds() const;
    // Whether any post shows a record.
    bool anyShown() const;
};
