#pragma once
// The service's scores for one comment, each 0 to 1 (not clamped here).
//
//   AIScore s = AIScore::fromJson(value);                         // throws DecodeError
//   std::optional<AIScore> s = AIScore::fromReplyElement(value);  // none unless three finite numbers

#include "Wire/JsonReader.h"

#include <cmath>
#include <optional>

struct AIScore {
    double spam = 0;
    double abuse = 0;
    double sexual = 0;

    static AIScore fromJson(const QJsonValue &value, const QString &path = QString())
    {
        const JsonReader r(value, path);
        // Any finite number: the reader's size limit is for counts and ids, and scores are not clamped.
        const auto member = [&r](const QString &key) {
            const QJsonValue v = r.object().value(key);
            if (v.isDouble() && std::isfinite(v.toDouble()))
                return v.toDouble();
            return r.number(key);   // throws, naming what is wrong
        };
        return AIScore{member(QStringLiteral("spam")), member(QStringLiteral("abuse")),
                       member(QStringLiteral("sexual"))};
    }

    // One element of the AI check reply's score list: anything but an object of three finite
    // numbers means the service gave no score for that comment.
    static std::optional<AIScore> fromReplyElement(const QJsonValue &value)
    {
        try {
            return fromJson(value);
        } catch (const DecodeError &) {
            return std::nullopt;
        }
    }

    bool operator==(const AIScore &) const = default;
};
