#pragma once
// Why a deletion stopped (SpamEngine::Stopped). The deletion treats the kinds "blocked" and "error"
// specially (reason()); the wire text stays in `kind`.
//
//   Stopped s = Stopped::fromJson(value);   // throws DecodeError

#include "Wire/JsonReader.h"

struct Stopped {
    QString text;   // message code for the owner; show through localizedSiteMessage
    QString kind;

    enum class Reason { other, blocked, error };
    Reason reason() const
    {
        if (kind == QLatin1String("blocked"))
            return Reason::blocked;
        if (kind == QLatin1String("error"))
            return Reason::error;
        return Reason::other;
    }

    static Stopped fromJson(const QJsonValue &value, const QString &path = QString())
    {
        const JsonReader r(value, path);
        Stopped s;
        s.text = r.message(QStringLiteral("text"));
        s.kind = r.string(QStringLiteral("kind"));
        return s;
    }
    static Stopped fromJsonBytes(const QByteArray &json, qsizetype maxBytes = JsonReader::defaultMaxBytes)
    {
        return fromJson(JsonReader::parse(json, maxBytes));
    }
    QJsonObject toJson() const { return QJsonObject{{QStringLiteral("text"), text}, {QStringLiteral("kind"), kind}}; }
    bool operator==(const Stopped &) const = default;
};
