#include "Rules/AIRules.h"

#include <algorithm>

const QStringList &AIRules::kinds()
{
    static const QStringList list{QStringLiteral("spam"), QStringLiteral("abuse"), QStringLiteral("sexual")};
    return list;
}

const QStringList &AIRules::optional()
{
    static const QStringList list{QStringLiteral("abuse"), QStringLiteral("sexual")};
    return list;
}

QMap<QString, QString> AIRules::labels()
{
    return {{QStringLiteral("spam"), tr("Spam")},
            {QStringLiteral("abuse"), tr("Abuse")},
            {QStringLiteral("sexual"), tr("Sexual content")}};
}

const QMap<QString, int> &AIRules::defaultThresholds()
{
    static const QMap<QString, int> map{{QStringLiteral("spam"), 90},
                                        {QStringLiteral("abuse"), 50},
                                        {QStringLiteral("sexual"), 50}};
    return map;
}

int AIRules::threshold(const QMap<QString, int> &thresholds, const QString &kind)
{
    if (auto it = thresholds.constFind(kind); it != thresholds.constEnd())
        return *it;
    return defaultThresholds().value(kind, 90);
}

QMap<QString, QString> AIRules::errors()
{
    return {{QStringLiteral("signed-out"), tr("You were signed out. Sign in again in Settings.")},
            {QStringLiteral("ai-off"), tr("The AI check isn't turned on at the server yet.")},
            {QStringLiteral("unreachable"), tr("Couldn't reach the Glimora server.")}};
}

AIRules::Verdict AIRules::verdict(const AIScore &score, const QStringList &kinds)
{
    if (kinds.isEmpty())
        return {QStringLiteral("spam"), 0.0};
    auto scoreOf = [&score](const QString &kind) {
        if (kind == QLatin1String("spam"))
            return score.spam;
        if (kind == QLatin1String("abuse"))
            return score.abuse;
        if (kind == QLatin1String("sexual"))
            return score.sexual;
        return 0.0;
    };
    QString best = kinds.first();
    double bestScore = scoreOf(best);
    double sum = 0;
    for (const QString &kind : kinds) {
        const double s = scoreOf(kind);
        sum += s;
        if (bestScore < s) {
            best = kind;
            bestScore = s;
        }
    }
    return {best, std::min(sum, 1.0)};
}

QString AIRules::message(const APIFailure &failure)
{
    const QMap<QString, QString> table = errors();
    if (auto it = table.constFind(failure.code); it != table.constEnd())
        return *it;
    if (failure.status == 429)
        return tr("The AI check is busy. Try again in a moment.");
    return tr("The AI check request failed (%1).").arg(failure.status);
}
