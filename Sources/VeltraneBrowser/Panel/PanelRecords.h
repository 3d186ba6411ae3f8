#pragma once
// The stored records the review panel has read of the posts in view, post by post in list
// order: what the tab shows of each post, the pending spam of every post (Flagged tab), the
// matched words, and what is left to read when the list asks for more. The Comments and Deleted
// tabs read a long post a part at a time; its records then are those of a whole read cut short
// (the Comments tab holds every flagged comment of the post from its first part on).

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
    QHash<QString, QList<ScanStore::Record>> shown;     // by post address: the records the tab shows
    QList<ScanStore::Record> pending;                   // only when every post is read (the Flagged tab)
    std::optional<double> lowestPending;                // the lowest clean AI probability among pending
    QHash<QString, QStringList> hits;                   // by comment id: the matched words
    QSet<QString> deletedIds;                           // the deleted records among those read
    QStringList unread;                                 // addresses of the posts not read yet
    std::optional<ScanStore::PendingSummary> summary;   // the pending spam while not every post is read
    // By address, the post read in part: its number of other (not flagged) comments (Comments tab).
    QHash<QString, int> others;
    int rows = 0;    // shown records read
    int posts = 0;   // posts read, wholly or in part

    // Reads one post's records as the tab shows them.
    void read(ScanStore &store, const ChannelPost &post, PanelTab tab);
    // Reads the post's records (Comments and Deleted tabs) up to about `rows` more shown rows, or
    // goes on with the post read in part. Whether the post is read to its end.
    bool readPart(ScanStore &store, const ChannelPost &post, PanelTab tab, int rows);
    // The post read in part, if any: always the last post read.
    std::optional<QString> partPost() const { return m_part ? std::optional<QString>(m_part->url) : std::nullopt; }
    // Leaves the post read in part as it is (it is no longer listed).
    void endPart();
    // Adds the read of later posts (whole posts, by read()) after these.
    void append(const PanelRecords &later);
    // The ids of every shown record.
    QSet<QString> shownIds() const;
    // Whether any post shows a record.
    bool anyShown() const;

private:
    struct Part {
        QString url;
        int offset = 0;                     // records of the post's order read so far
        QList<ScanStore::Record> reached;   // what the tab shows of them, in order
        QList<ScanStore::Record> ahead;     // flagged comments after them, in order
    };
    std::optional<Part> m_part;
};
