#pragma once
// The answer of the page's progress function while a scan or a deletion runs.
// The whole answer may be null: no progress to report, which decodes as no value (not an error).
//
//   std::optional<ScanProgress> p = ScanProgress::fromJsonBytes(answer);   // throws DecodeError

#include "Wire/Comment.h"

#include <optional>

struct ScanProgress {
    QString phase;   // "collect", "check", "done", "delete", or another word of the script
    qint64 count = 0;
    qint64 total = 0;
    QString text;   // message code of the page's status text
    std::optional<QList<Comment>> samples;
    std::optional<qint64> collected;
    std::optional<qint64> flagged;
    std::optional<QStringList> gone;   // ids deleted so far during a deletion

    static std::optional<ScanProgress> fromJson(const QJsonValue &value, const QString &path = QString())
    {
        if (JsonReader::isAbsent(value))
            return std::nullopt;
        const JsonReader r(value, path);
        ScanProgress p;
        p.phase = r.string(QStringLiteral("phase"));
        p.count = r.integer(QStringLiteral("count"));
        p.total = r.integer(QStringLiteral("total"));
        p.text = r.message(QStringLiteral("text"));
        p.samples = r.optionalObjects<Comment>(QStringLiteral("samples"));
        p.collected = r.optionalInteger(QStringLiteral("collected"));
        p.flagged = r.optionalInteger(QStringLiteral("flagged"));
        p.gone = r.optionalStrings(QStringLiteral("gone"));
        return p;
    }
    static std::optional<ScanProgress> fromJsonBytes(const QByteArray &json,
                                                     qsizetype maxBytes = JsonReader::defaultMaxBytes)
    {
        return fromJson(JsonReader::parse(json, maxBytes));
    }
    QJsonObject toJson() const
    {
        QJsonObject o;
        o.insert(QStringLiteral("phase"), phase);
        o.insert(QStringLiteral("count"), count);
        o.insert(QStringLiteral("total"), total);
        o.insert(QStringLiteral("text"), text);
        if (samples)
            o.insert(QStringLiteral("samples"), Comment::toJsonArray(*samples));
        if (collected)
            o.insert(QStringLiteral("collected"), *collected);
        if (flagged)
            o.insert(QStringLiteral("flagged"), *flagged);
        if (gone)
            o.insert(QStringLiteral("gone"), QJsonArray::fromStringList(*gone));
        return o;
    }
    bool operator==(const ScanProgress &) const = default;
};
