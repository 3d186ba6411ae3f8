#pragma once
// The incremental-scan options passed into a scan (SpamEngine::Recent), sent as the option keys
// "known", "need" and "stopAtKnown".

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

struct Recent {
    QStringList known;   // stored, not deleted ids of the post, newest first, at most 5000
    QStringList need;    // ids still waiting as flagged
    qint64 stopAtKnown = 12;

    QJsonObject toJson() const
    {
        return QJsonObject{{QStringLiteral("known"), QJsonArray::fromStringList(known)},
                           {QStringLiteral("need"), QJsonArray::fromStringList(need)},
                           {QStringLiteral("stopAtKnown"), stopAtKnown}};
    }
    bool operator==(const Recent &) const = default;
};
