#pragma once
// The answer of the page's scan function. The four optional flags are absent when the page leaves
// them out, which is not the same as false. `partial` says why a collection that did not reach the
// end stopped (the site failed or stalled, or a stop); `pageMs` is the time the page itself spent on
// the call, for measuring what the bridge adds.
//
//   ScanResult r = ScanResult::fromJsonBytes(answer);   // throws DecodeError; one bad comment fails all

#include "Wire/Comment.h"

#include <optional>

struct ScanResult {
    QList<Comment> items;
    bool siteSorted = false;
    qint64 total = 0;
    bool canRemove = false;
    bool likesUnknown = false;
    std::optional<bool> caughtUp;
    std::optional<bool> complete;
    std::optional<bool> hidden;
    std::optional<bool> limited;
    std::optional<QString> partial;
    std::optional<double> pageMs;

    static ScanResult fromJson(const QJsonValue &value, const QString &path = QString())
    {
        const JsonReader r(value, path);
        ScanResult s;
        s.items = r.objects<Comment>(QStringLiteral("items"));
        s.siteSorted = r.boolean(QStringLiteral("siteSorted"));
        s.total = r.integer(QStringLiteral("total"));
        s.canRemove = r.boolean(QStringLiteral("canRemove"));
        s.likesUnknown = r.boolean(QStringLiteral("likesUnknown"));
        s.caughtUp = r.optionalBoolean(QStringLiteral("caughtUp"));
        s.complete = r.optionalBoolean(QStringLiteral("complete"));
        s.hidden = r.optionalBoolean(QStringLiteral("hidden"));
        s.limited = r.optionalBoolean(QStringLiteral("limited"));
        s.partial = r.optionalMessage(QStringLiteral("partial"));
        s.pageMs = r.optionalNumber(QStringLiteral("pageMs"));
        return s;
    }
    static ScanResult fromJsonBytes(const QByteArray &json, qsizetype maxBytes = JsonReader::defaultMaxBytes)
    {
        return fromJson(JsonReader::parse(json, maxBytes));
    }
    QJsonObject toJson() const
    {
        QJsonObject o;
        o.insert(QStringLiteral("items"), Comment::toJsonArray(items));
        o.insert(QStringLiteral("siteSorted"), siteSorted);
        o.insert(QStringLiteral("total"), total);
        o.insert(QStringLiteral("canRemove"), canRemove);
        o.insert(QStringLiteral("likesUnknown"), likesUnknown);
        if (caughtUp)
            o.insert(QStringLiteral("caughtUp"), *caughtUp);
        if (complete)
            o.insert(QStringLiteral("complete"), *complete);
        if (hidden)
            o.insert(QStringLiteral("hidden"), *hidden);
        if (limited)
            o.insert(QStringLiteral("limited"), *limited);
        if (partial)
            o.insert(QStringLiteral("partial"), *partial);
        if (pageMs)
            o.insert(QStringLiteral("pageMs"), *pageMs);
        return o;
    }
    bool operator==(const ScanResult &) const = default;
};
