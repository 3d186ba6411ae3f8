#pragma once
// What the agent reads under "result": the page state, the history rows and one stored comment.
// Times are seconds since 1970 with a fraction (a record's "publishedAt" stays in milliseconds),
// counts are integers, flags Booleans, and an absent value is left out rather than written null
// (a post's "thumbnail" is "" instead).

#include "Store/ScanStore.h"
#include "Wire/Comment.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QUuid>

class AgentReplies {
public:
    // The open page and the results of its last scan, as "comments", "scan", "select" and
    // "request_delete" answer it.
    struct PageState {
        QString url;            // "" when no page is open
        QUuid documentID;       // renewed on every page change
        QList<Comment> items;   // in the model's current order
        QString status;         // the model's status line ("" when none)
        bool busy = false;
        bool hasScanned = false;
        bool recentOnly = false;
        QMap<QString, bool> lastScan;   // empty before the run's first scan
    };

    static QJsonObject pageState(const PageState &state);
    // One stored comment.
    static QJsonObject record(const ScanStore::Record &record);
    // One stored post, for the list of posts.
    static QJsonObject post(const ScanStore::Post &post);
    // One run with its comments.
    static QJsonObject run(const ScanStore::Run &run, const QList<ScanStore::Record> &items);

    // {"posts": [...]}: at most postLimit posts, monitored first, newest scan first.
    static QJsonObject posts(ScanStore &store);
    // {"post": url, "runs": [...], "comments": [...]} for one canonical post address.
    static QJsonObject history(ScanStore &store, const QString &post);

    static constexpr int postLimit = 200;
    static constexpr int commentLimit = 5000;

    // Seconds since 1970 with a fraction; 0 for a time that is not set.
    static double seconds(const QDateTime &time);
    // Upper-case hexadecimal with hyphens, 36 characters.
    static QString uuidText(const QUuid &id);
};
