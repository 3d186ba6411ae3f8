#pragma once
// The answer of the page's delete function (SpamEngine::RemoveResult). "gone": [] without "stopped"
// is a valid answer: nothing was deleted.
//
//   RemoveResult r = RemoveResult::fromJsonBytes(answer);   // throws DecodeError

#include "Wire/Stopped.h"

#include <optional>

struct RemoveResult {
    QStringList gone;                 // ids the page deleted
    std::optional<Stopped> stopped;   // present when the page stopped before deleting everything

    static RemoveResult fromJson(const QJsonValue &value, const QString &path = QString())
    {
        const JsonReader r(value, path);
        RemoveResult out;
        out.gone = r.strings(QStringLiteral("gone"));
        const QJsonValue stopped = r.object().value(QStringLiteral("stopped"));
        if (!JsonReader::isAbsent(stopped))
            out.stopped = Stopped::fromJson(stopped, r.pathOf(QStringLiteral("stopped")));
        return out;
    }
    static RemoveResult fromJsonBytes(const QByteArray &json, qsizetype maxBytes = JsonReader::defaultMaxBytes)
    {
        return fromJson(JsonReader::parse(json, maxBytes));
    }
    QJsonObject toJson() const
    {
        QJsonObject o{{QStringLiteral("gone"), QJsonArray::fromStringList(gone)}};
        if (stopped)
            o.insert(QStringLiteral("stopped"), stopped->toJson());
        return o;
    }
    bool operator==(const RemoveResult &) const = default;
};
