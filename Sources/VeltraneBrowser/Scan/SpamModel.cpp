#include "Scan/SpamModel.h"

SpamModel::SpamModel(QObject *parent) : QObject(parent) {}

int SpamModel::skipCleared(QList<Comment> &comments, const QHash<QString, ScanStore::Known> &known,
                           const QString &rules, const std::optional<QString> &aiOptions)
{
    if (known.isEmpty())
        return 0;
    static const QString skip = QStringLiteral("skip");
    static const QString ok = QStringLiteral("ok");
    static const QString unchanged = QStringLiteral("unchanged");
    static const QString keptReason = QStringLiteral("kept");
    int marked = 0;
    for (Comment &m : comments) {
        if (m.state == skip)
            continue;
        const auto found = known.constFind(m.id);
        if (found == known.constEnd())
            continue;
        const ScanStore::Known &k = found.value();
        if (k.hash != ScanStore::hash(m.text))
            continue;
        QString reason;
        if (k.kept) {
            reason = keptReason;
        } else {
            if (m.state != ok)
                continue;
            const bool clearedBefore = k.state
                && (*k.state == ok
                    || (*k.state == skip && k.reason
                        && (*k.reason == unchanged || *k.reason == keptReason)));
            if (!clearedBefore)
                continue;
            if (!k.rules || *k.rules != rules)
                continue;
            if (aiOptions && (!k.score || !k.options || *k.options != *aiOptions))
                continue;
            reason = unchanged;
        }
        m.state = skip;
        m.reason = reason;
        m.score = 1.0;
        m.checked = false;
        m.aiKind.reset();
        m.aiProb.reset();
        ++marked;
    }
    return marked;
}

