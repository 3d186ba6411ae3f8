#pragma once
// Every decision of the post dock, its tiles and its actions as plain functions of the state the
// dock reads from the spam model, the browser and the post list model: which posts the search
// shows, which controls are enabled, every text, the status line of a tile, the
// arrival delays and the grid. The widgets only gather the inputs and draw the answers.

#include "Base/Alerts.h"
#include "Scan/ChannelPost.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QLocale>
#include <QRect>
#include <QString>

#include <optional>

class PostDockModel {
    Q_DECLARE_TR_FUNCTIONS(PostDockModel)

public:
    PostDockModel() = delete;

    // ---- the header and the search ---------------------------------------------------------
    static QString caption();
    static QString selectAllText();
    static QString deselectAllText();
    static QString searchText();

    struct HeaderInput {
        int count = 0;             // posts of the selected site
        int ticked = 0;            // of those, ticked
        bool allChecked = false;   // every post of the site ticked
        bool locked = false;
        bool working = false;
    };
    struct Header {
        bool showCount = false;   // the count, the select buttons and the search button
        bool selectAllEnabled = false;
        bool deselectAllEnabled = false;
        bool operator==(const Header &) const = default;
    };
    static Header header(const HeaderInput &in);

    // The posts the grid shows: all of them for a blank search, otherwise those whose title or
    // address holds the trimmed text, compared case-insensitively under the locale; list order.
    static QList<ChannelPost> visible(const QList<ChannelPost> &posts, const QString &query,
                                      const QLocale &locale = QLocale());
    // The post list's rows by address, the first of several with one address winning: a tile draws
    // this copy when there is one (it carries the state of a running queue scan).
    static QHash<QString, ChannelPost> liveCopies(const QList<ChannelPost> &modelPosts);
    // The focus after the browser's address changed: the open post when it is one, else unchanged.
    static std::optional<QString> focusAfterNavigation(const std::optional<QString> &focused,
                                                       const std::optional<QString> &openPost);
    // The hovered tile after the pointer left `url`'s tile: cleared only if it is still that one.
    static std::optional<QString> hoverAfterLeave(const std::optional<QString> &hovered, const QString &url);

    // The grid: columns of at least minTileWidth with `spacing` between columns and rows; one
    // rectangle per tile, in order, for a content width.
    static constexpr int minTileWidth = 118;
    static constexpr int tileHeight = 128;
    static constexpr int spacing = 8;
    static QList<QRect> grid(int width, int count);

    // ---- a tile -----------------------------------------------------------------------------
    enum class Tone { muted, accent };
    struct Part {
        QString text;
        Tone tone = Tone::muted;
        bool operator==(const Part &) const = default;
    };
    // A queue of posts is being scanned (a deletion of stored records also runs over several
    // posts, but queues nothing).
    static bool queueScan(bool touring, bool removing) { return touring && !removing; }
    // The tile's status line, in parts with their tones.
    static QList<Part> status(const ChannelPost &post, bool queueScan);
    static QString statusText(const QList<Part> &parts);
    // The time of the last scan: "Today " and the short time for today, else month, day and time.
    static QString scanned(const QDateTime &date, const QDateTime &now);
    // The title, or the address when there is none.
    static QString name(const ChannelPost &post);
    static QString tickText();
    static bool tileEnabled(bool locked, bool working) { return !locked && !working; }
    static double thumbnailOpacity(bool ticked) { return ticked ? 1.0 : 0.45; }
    // When a newly listed tile starts to fade in, by its arrival number.
    static int arrivalDelayMs(int order);
    static QString monitorText(bool watched);
    static QString removeText();
    // The confirmation before a post and its history are forgotten; the second button removes.
    static Alerts::Question removeQuestion(const QString &name);
    static constexpr int removeButton = 1;

    // ---- the actions under the grid -----------------------------------------------------------
    struct ActionsInput {
        QString siteName;   // "YouTube" or "Instagram"
        int count = 0;      // posts of the selected site
        int ticked = 0;
        bool signedIn = false;
        bool locked = false;
        bool working = false;
        bool scanning = false;    // a scan of one page
        bool preparing = false;   // an AI check being prepared
        bool touring = false;
        bool removing = false;   // a deletion of stored records
        bool findingPosts = false;
        bool nothingMore = false;   // the last load of this site found nothing new
    };
    struct Actions {
        bool progress = false;   // the progress form: spinner, line, bar and Stop
        bool stopEnabled = false;
        QString stopText;
        // The load button, or the stop-loading button while posts are being found.
        bool stopLoading = false;
        QString loadText;
        QString loadTip;
        bool loadEnabled = false;
        bool loadProminent = false;
        bool loadFullWidth = false;
        bool showScan = false;
        QString scanText;
        QString scanTip;
        bool scanEnabled = false;
        bool showSignIn = false;
        QString signInText;
        bool signInEnabled = false;
        bool operator==(const Actions &) const = default;
    };
    static Actions actions(const ActionsInput &in);
    // What the empty list tells the owner to do; empty while there are posts or they are loading.
    static QString emptyHint(const ActionsInput &in);
};
