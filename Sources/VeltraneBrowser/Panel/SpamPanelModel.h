#pragma once
// The review panel's own state over the spam model: the tab, the loaded records of the posts in
// view, the owner's ticks and unticks, the probability band, and what the header and the bottom
// bar show. The panel widget only draws this; tests drive it without a window.

#include "Panel/PanelRecords.h"
#include "Panel/PanelTab.h"
#include "Panel/ScanSession.h"
#include "Scan/ChannelPost.h"
#include "Scan/SpamModel.h"
#include "Store/ScanStore.h"

#include <QHash>
#include <QList>
#include <QLocale>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <memory>
#include <optional>

class PanelActions;


class SpamPanelModel : public QObject {
    Q_OBJECT
public:
    static constexpr int runLimit = 200;
    static constexpr int commentLimit = 5000;
    // The Comments and Deleted tabs read the records of the first posts up to about firstRows
    // rows (a tall window's screen), and about moreRows more each time the list asks; a long
    // post is read a part at a time.
    static constexpr int firstRows = 60;
    static constexpr int moreRows = 400;

    SpamPanelModel(SpamModel *model, PanelActions *actions, QObject *parent = nullptr);
    ~SpamPanelModel() override;

    SpamModel *model() const { return m_model; }
    PanelActions *actions() const { return m_actions; }

    // ---- inputs ----
    QString site() const { return m_site; }
    void setSite(const QString &site);
    PanelTab tab() const { return m_tab; }
    void setTab(PanelTab tab);
    // The header's Deleted button: into the Deleted tab, or back to the tab before it.
    void toggleDeleted();
    void setFloor(std::optional<double> floor);
    void setCeiling(double ceiling);
    void setBand(double lower, double upper);
    void setUnpicked(const QSet<QString> &ids);
    void setPicked(const QSet<QString> &ids);
    // Cut animations wait this long (0: none, for reduced motion).
    void setCutDelay(int ms) { m_cutDelay = ms; }
    // The Flagged tab reads every listed post. It reads the first screen's posts at once and the
    // rest on a worker thread when they hold at least this many comments (less is quicker here);
    // every tab then counts the pending spam of every post on the worker too.
    static constexpr int asideFrom = 20000;
    // Then the first screen's posts are read here only up to this many comments in all.
    static constexpr int firstScreenComments = 2000;
    void setAsideFrom(int comments) { m_asideFrom = comments; }
    // The worker hands its rows over about this many at a time; the window takes them while a
    // turn of its event loop has lasted less than sliceBudgetMs.
    static constexpr int sliceRows = 400;
    static constexpr int sliceBudgetMs = 8;
    void setSliceBudgetMs(int ms) { m_sliceBudgetMs = std::max(0, ms); }   // 0: one slice a turn
    void setSliceRows(int rows) { m_sliceRows = std::max(1, rows); }

    // ---- state ----
    const QList<ScanStore::Run> &runs() const { return m_runs; }
    const QHash<QString, QList<ScanStore::Record>> &shown() const { return m_records.shown; }
    const QList<ScanStore::Record> &pending() const { return m_records.pending; }
    const QHash<QString, QStringList> &hits() const { return m_records.hits; }
    // The post read in part, by its address: its number of other comments (Comments tab).
    const QHash<QString, int> &others() const { return m_records.others; }
    const QSet<QString> &unpicked() const { return m_unpicked; }
    const QSet<QString> &picked() const { return m_picked; }
    std::optional<double> floor() const { return m_floor; }
    double ceiling() const { return m_ceiling; }
    const QSet<QString> &cutting() const { return m_cutting; }
    // Raised each time loaded records are applied.
    int dataVersion() const { return m_dataVersion; }
    // Whether the loaded records are those of the site and tab chosen (not yet after a change
    // of either, until the load that follows it).
    bool shownCurrent() const { return m_shownKey == m_site + u'|' + m_tab.rawValue(); }

    // ---- derived ----
    QList<ChannelPost> posts() const;
    // Whether any post of the list has been scanned: listed posts alone have no comments to show yet.
    bool scannedAny() const;
    bool scanning() const;
    double defaultFloor() const;
    std::pair<double, double> band() const;
    QString loadKey() const;
    QHash<QString, QList<ScanStore::Record>> inBand(std::pair<double, double> band) const;
    // The records the list shows: band-filtered in the Flagged tab.
    QHash<QString, QList<ScanStore::Record>> visible() const;
    // The same of these posts only.
    QHash<QString, QList<ScanStore::Record>> visible(const QStringList &urls) const;
    // The visible records of the posts, post after post.
    QList<ScanStore::Record> visibleList() const;
    QList<ScanSession> sessions() const;
    int deletedCount() const;
    // The header's Deleted button; texts in the run's language, the count in the given locale.
    QString deletedTitle(const QLocale &locale) const;
    // What an empty list says: how to fill it when nothing of the site was scanned yet, else
    // that the tab has nothing to show.
    static QString emptyHint(PanelTab tab, bool scannedAny);
    bool deletedEnabled() const;
    bool logEnabled() const { return !sessions().isEmpty(); }
    bool headerEnabled() const { return !scanning(); }
    bool tabsEnabled() const;
    QHash<int, int> tabCounts() const;

    // What the bottom bar shows above the tab bar.
    struct Bar {
        enum class Kind { none, progress, flagged, comments } kind = Kind::none;
        QString line;                       // progress
        std::optional<double> fraction;     // progress
        QList<ScanStore::Record> flagged;   // flagged, comments: the records offered
        std::optional<std::pair<double, double>> band;
        QList<double> scores;
        QSet<QString> unpicked;
        int picks = 0;   // flagged less unpicked, kept as a running count
        bool disabled = false;
    };
    Bar bar() const;
    // The delete bar's new unpicked set, written back into the panel's selection.
    void writeUnpicked(const QSet<QString> &unpicked);

    // ---- actions ----
    // Reloads runs and records from the history now (the cut of deleted rows may follow later).
    void load();
    // Whether records of the listed posts are still unread; reading the next of them (about
    // moreRows rows) raises appended() with the addresses of the posts that got rows.
    bool canLoadMore() const { return m_records.partPost() || !m_records.unread.isEmpty(); }
    void loadMore();
    // Reads the posts up to the given one, so that it can be shown.
    void loadUpTo(const QString &url);
    // The posts whose records are read, in list order.
    int loadedPosts() const { return m_records.posts; }
    // Whether the Flagged tab's later posts are still being read on a worker (its bar waits for
    // them): a long history's first screen shows at once, its later posts as they come
    // (appended()). A reload of the view shown replaces the rows there are with its first screen
    // once that is read (after the cut of its deleted rows). Another load, a change of tab or
    // site and the end of the model all end it.
    bool reading() const;
    // About how many rows the Flagged tab's read holds once whole (its lists grow to it at once).
    int expectedRows() const { return m_expectedRows; }
    // Whether a long history's pending spam over every post is still being counted on a worker
    // (any tab). Until it lands, in a turn of its own, the tile keeps the count it showed for the
    // site, else counts what is read so far. Ended as reading() is.
    bool counting() const;
    // Hands the records to the deletion; nothing while the model works or for no records.
    void remove(const QList<ScanStore::Record> &records);
    // The delete button of the bar in the current tab.
    void deletePicks(const QList<ScanStore::Record> &records);
    void stop();

signals:
    void changed();
    void tabChanged();
    void loaded();
    // Records of more posts were read (after load()): the list appends them.
    void appended(const QStringList &urls);

private:
    void apply(const PanelRecords &read, const QString &key);
    // Applies a whole read, after the deleted rows' cut when it has one.
    void finish(const PanelRecords &read, const QString &key, int generation);
    // The Flagged tab's later posts read on a worker, handed over in slices.
    struct Aside;
    // The count the tile shows for the site before a read's own lands.
    std::optional<ScanStore::PendingSummary> shownSummary() const;
    // The rows shown of the posts read that the read found deleted since.
    QSet<QString> cutOf(const PanelRecords &read) const;
    // Counts the pending spam of the `counted` posts on a worker, then reads the later posts.
    void readAside(const QList<ChannelPost> &later, const QStringList &counted, const std::shared_ptr<Aside> &aside);
    // Takes the next slice of the worker's read, one a turn; once every slice is in, ends the read.
    void takeSlice();
    // Adds the records of the posts read by a slice after those read before.
    void applySlice(PanelRecords &records, const QStringList &urls);
    void endReading();
    void scheduleLoad();
    void scanningMaybeEnded();

    QPointer<SpamModel> m_model;
    PanelActions *m_actions;
    QString m_site = QStringLiteral("youtube");
    PanelTab m_tab = PanelTab::comments;
    PanelTab m_lastTab = PanelTab::comments;
    QList<ScanStore::Run> m_runs;
    PanelRecords m_records;
    QSet<QString> m_unpicked;
    QSet<QString> m_picked;
    std::optional<double> m_floor;
    double m_ceiling = 100;
    QSet<QString> m_cutting;
    QString m_shownKey;   // the site and tab the records were read for
    QString m_loadedKey;
    int m_generation = 0;
    int m_dataVersion = 0;
    int m_cutDelay = 220;
    int m_asideFrom = asideFrom;
    int m_sliceRows = sliceRows;
    int m_sliceBudgetMs = sliceBudgetMs;
    int m_expectedRows = 0;
    // The worker's read of the Flagged tab's later posts while it runs.
    std::shared_ptr<Aside> m_aside;
    QTimer m_slice;
    bool m_wasScanning = false;
    QTimer m_reload;
    mutable std::optional<QList<ChannelPost>> m_posts;
    mutable std::optional<QList<ScanStore::Record>> m_visibleList;
    mutable QString m_visibleKey;
    int m_moreVersion = 0;   // raised by loadMore()

    // What the bottom bar offers, made once per shown records, tab and band, with running
    // counts of the owner's ticks among them, so that a tick costs the ids it changes.
    struct Offer {
        QString key;
        QList<ScanStore::Record> records;   // the bar's records, in list order
        QSet<QString> ids;                  // their ids
        QSet<QString> unpickable;           // ids of the other visible records (Comments)
        int ticked = 0;                     // picked (Comments) or unpicked (Flagged) of ids
        int tickedUnpickable = 0;           // the same of unpickable
    };
    QString visibleKey() const;
    const Offer &offer() const;
    void prepareOffer();
    // Moves the running counts from the ticks `before` to `after`.
    void recount(const QSet<QString> &before, const QSet<QString> &after);
    mutable std::optional<Offer> m_offer;
};
