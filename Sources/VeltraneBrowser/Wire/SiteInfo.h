#pragma once
// The answer of the page's information function: what the open page is and what can be done there.
// Texts are the page scripts' message codes; show them through localizedSiteMessage.
//
//   SiteInfo info = SiteInfo::fromJsonBytes(answer);   // throws DecodeError

#include "Wire/JsonReader.h"

#include <optional>

struct SiteInfo {
    QString site;
    bool supported = false;
    bool canRemove = false;
    QString intro;
    QString guide;
    QString emptyText;
    QString readOnlyHint;
    std::optional<QString> commentsUrl;
    QString url;
    std::optional<QString> thumbnail;

    static SiteInfo fromJson(const QJsonValue &value, const QString &path = QString())
    {
        const JsonReader r(value, path);
        SiteInfo s;
        s.site = r.string(QStringLiteral("site"));
        s.supported = r.boolean(QStringLiteral("supported"));
        s.canRemove = r.boolean(QStringLiteral("canRemove"));
        s.intro = r.message(QStringLiteral("intro"));
        s.guide = r.message(QStringLiteral("guide"));
        s.emptyText = r.message(QStringLiteral("emptyText"));
        s.readOnlyHint = r.message(QStringLiteral("readOnlyHint"));
        s.commentsUrl = r.optionalString(QStringLiteral("commentsUrl"));
        s.url = r.string(QStringLiteral("url"));
        s.thumbnail = r.optionalString(QStringLiteral("thumbnail"));
        return s;
    }
    static SiteInfo fromJsonBytes(const QByteArray &json, qsizetype maxBytes = JsonReader::defaultMaxBytes)
    {
        return fromJson(JsonReader::parse(json, maxBytes));
    }
    QJsonObject toJson() const
    {
        QJsonObject o;
        o.insert(QStringLiteral("site"), site);
        o.insert(QStringLiteral("supported"), supported);
        o.insert(QStringLiteral("canRemove"), canRemove);
        o.insert(QStringLiteral("intro"), intro);
        o.insert(QStringLiteral("guide"), guide);
        o.insert(QStringLiteral("emptyText"), emptyText);
        o.insert(QStringLiteral("readOnlyHint"), readOnlyHint);
        if (commentsUrl)
            o.insert(QStringLiteral("commentsUrl"), *commentsUrl);
        o.insert(QStringLiteral("url"), url);
        if (thumbnail)
            o.insert(QStringLiteral("thumbnail"), *thumbnail);
        return o;
    }
    bool operator==(const SiteInfo &) const = default;
};
