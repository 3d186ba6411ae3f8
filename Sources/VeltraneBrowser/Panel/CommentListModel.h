#pragma once
// The comment list of the panel as a flat list of rows: per post a heading, its flagged comments,
// a caption and the other comments, and an end row. Holds the view's data for the delegate: the
// tick boxes over the owner's selection, the verdicts and highlight ranges (worked out once per
// row when first needed) and the row heights for the current width.

#include "Panel/Verdict.h"
#include "Rules/SpamRules.h"
#include "Scan/ChannelPost.h"
#include "Store/ScanStore.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QStringList>

#include <functional>
#include <optional>

class CommentListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum class Kind { heading, comment, caption, end };

    struct Row {
        QString id;
        Kind kind = Kind::end;
        int post = -1;              // index into the posts
        ScanStore::Record record;   // comment rows
        QString caption;            // caption rows
    };

    // Which selection the tick boxes write: none, the owner's ticks (Comments tab) or the
    // owner's unticks of flagged comments (Flagged tab).
    enum class PickMode { none, picked, unpicked };

    struct Content {
        QList<ChannelPost> posts;
        QHash<QString, QList<ScanStore::Record>> records;   // by post URL, in display order
        QHash<QString, QStringList> hits;                   // extra words by comment id
        QHash<QString, int> others;                         // posts read in part: their other comments
        QMap<QString, int> thresholds;
        QStringList keywords;
        PickMode mode = PickMode::none;
        QSet<QString> ticks;   // picked or unpicked ids, by mode
        std::optional<QString> focused;
        QSet<QString> cutting;
    };

    explicit CommentListModel(QObject *parent = nullptr);

    // Texts in the run's language. A post read in part (one of `others`) counts its other
    // comments by it and has no end row yet.
    static QList<Row> rows(const QList<ChannelPost> &posts, const QHash<QString, QList<ScanStore::Record>> &records,
                           const QHash<QString, int> &others = {});

    void setContent(Content content);
    // Adds the records of posts read after the content was set, and more of the last post read
    // in part (its whole records so far); their rows follow every row there is (posts are read
    // in list order). `others` replaces the counts of posts read in part.
    void append(const QHash<QString, QList<ScanStore::Record>> &records, const QHash<QString, int> &others = {});
    // Room for this many rows in all, so that rows appended up to it cost no copy of those there are.
    void reserve(int rows);
    // Where more rows come from when the view reaches the end of the list.
    void setFetcher(std::function<bool()> canFetch, std::function<void()> fetch);
    void setTicks(const QSet<QString> &ticks);
    // Another selection for the rows there are (the tab changed before its rows are read).
    void setMode(PickMode mode, const QSet<QString> &ticks);
    void setFocused(const std::optional<QString> &url);
    void setCutting(const QSet<QString> &ids);

    const Content &content() const { return m_content; }
    const Row &row(int index) const { return m_rows.at(index); }
    const QList<Row> &allRows() const { return m_rows; }
    const ChannelPost &postOf(int index) const { return m_content.posts.at(m_rows.at(index).post); }
    // The row index of a post's heading, or -1.
    int headingRow(const QString &url) const;

    bool hasTickBox(int index) const;
    bool ticked(int index) const;
    void setTicked(int index, bool on);
    bool highlighted(int index) const;
    bool cut(int index) const;

    const Verdict &verdict(int index) const;
    QStringList hits(int index) const;
    const QList<SpamRules::Range> &ranges(int index) const;

    bool expanded(int index) const;
    void toggleExpanded(int index);

    // Heights measured by the delegate, kept for one width.
    std::optional<int> cachedHeight(int index, int width) const;
    void cacheHeight(int index, int width, int height) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    QVariant data(const QModelIndex &index, int role) const override;

signals:
    // The owner ticked or unticked a comment; carries the whole selection of the mode.
    void ticksChanged(const QSet<QString> &ticks);

private:
    struct Cache {
        std::optional<Verdict> verdict;
        std::optional<QList<SpamRules::Range>> ranges;
    };
    Cache &cache(int index) const;

    Content m_content;
    QList<Row> m_rows;
    QSet<QString> m_expanded;   // row ids
    mutable QList<Cache> m_cache;
    mutable QList<int> m_heights;
    mutable int m_heightWidth = -1;
    std::function<bool()> m_canFetch;
    std::function<void()> m_fetch;
};
