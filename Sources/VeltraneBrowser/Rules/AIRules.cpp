#include "Rules/AIRules.h"

#include "Base/Lang.h"

#include <algorithm>

const QStringList &AIRules::kinds()
{
    static const QStringList list {QStringLiteral("spam"), QStringLiteral("abuse"), QStringLiteral("sexual")};
    return list;
}

const QStringList &AIRules::optional()
{
    static const QStringList list {QStringLiteral("abuse"), QStringLiteral("sexual")};
    return list;
}

QMap<QString, QString> AIRules::labels(bool korean)
{
    if (korean)
        return {{QStringLiteral("spam"), QStringLiteral("스팸")},
                {QStringLiteral("abuse"), QStringLiteral("욕설·비방")},
                {QStringLiteral("sexual"), QStringLiteral("성적 표현")}};
    return {{QStringLiteral("spam"), QStringLiteral("Spam")},
            {QStringLiteral("abuse"), QStringLiteral("Abuse")},
            {QStringLiteral("sexual"), QStringLiteral("Sexual content")}};
}

const QMap<QString, QString> &AIRules::labels()
{
    static const QMap<QString, QString> map = labels(Lang::system());
    return map;
}

const QMap<QString, int> &AIRules::defaultThresholds()
{
    static const QMap<QString, int> map {
        {QStringLiteral("spam"), 90}, {QStringLiteral("abuse"), 50}, {QStringLiteral("sexual"), 50}};
    return map;
}

int AIRules::threshold(const QMap<QString, int> &thresholds, const QString &kind)
{
    if (auto it = thresholds.constFind(kind); it != thresholds.constEnd())
        return *it;
    return defaultThresholds().value(kind, 90);
}

QMap<QString, QString> AIRules::errors(bool korean)
{
    if (korean)
        return {{QStringLiteral("signed-out"), QStringLiteral("로그인이 풀렸습니다. 검사 설정에서 다시 로그인하세요.")},
                {QStringLiteral("ai-off"), QStringLiteral("서버에서 AI 검사가 아직 켜져 있지 않습니다.")},
                {QStringLiteral("unreachable"), QStringLiteral("Glimora 서버에 연결하지 못했습니다.")}};
    return {{QStringLiteral("signed-out"), QStringLiteral("You were signed out. Sign in again in Settings.")},
            {QStringLiteral("ai-off"), QStringLiteral("The AI check isn't turned on at the server yet.")},
            {QStringLiteral("unreachable"), QStringLiteral("Couldn't reach the Glimora server.")}};
}

const QMap<QString, QString> &AIRules::errors()
{
    static const QMap<QString, QString> map = errors(Lang::system());
    return map;
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

QString AIRules::message(const APIFailure &failure, bool korean)
{
    const QMap<QString, QString> table = errors(korean);
    if (auto it = table.constFind(failure.code); it != table.constEnd())
        return *it;
    if (failure.status == 429)
        return korean ? QStringLiteral("AI 검사 요청이 몰려 있습니다. 잠시 뒤에 다시 시도하세요.")
                      : QStringLiteral("The AI check is busy. Try again in a moment.");
    const QString status = QString::number(failure.status);
    return korean ? QStringLiteral("AI 검사 요청이 실패했습니다(") + status + QStringLiteral(").")
                  : QStringLiteral("The AI check request failed (") + status + QStringLiteral(").");
}

QString AIRules::message(const APIFailure &failure)
{
    return message(failure, Lang::system());
}
