#include "Settings/BasicPaneModel.h"

#include "Scan/SpamModel.h"

#include <QTextBoundaryFinder>

namespace {

QString pick(bool korean, const char *ko, const char *en)
{
    return korean ? QString::fromUtf8(ko) : QString::fromUtf8(en);
}

bool isBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar(0x2028) || c == QChar(0x2029)
        || c == QChar(0x0085) || c == QChar(0x000B) || c == QChar(0x000C);
}

} // namespace

QList<PaneChoice> BasicPaneModel::limitChoices(qint64 current, bool korean)
{
    QList<PaneChoice> choices {{0, pick(korean, "전체", "All")}, {100, QStringLiteral("100")},
                               {300, QStringLiteral("300")}, {1000, QStringLiteral("1000")}};
    if (!PaneChoice::offers(choices, current))
        choices.prepend({current, QString::number(current) + (korean ? QStringLiteral("개") : QString())});
    return choices;
}

QList<PaneChoice> BasicPaneModel::postLimitChoices(bool)
{
    QList<PaneChoice> choices;
    for (const int n : SpamModel::postLimitPresets())
        choices.append({n, QString::number(n)});
    return choices;
}

QList<PaneChoice> BasicPaneModel::autoScanChoices(bool korean)
{
    return {{0, pick(korean, "끔", "Off")},
            {1, korean ? QStringLiteral("1시간") : QStringLiteral("1h")},
            {6, korean ? QStringLiteral("6시간") : QStringLiteral("6h")},
            {24, pick(korean, "매일", "Daily")}};
}

QList<PaneChoice> BasicPaneModel::minLikesChoices(qint64 current, bool korean)
{
    QList<PaneChoice> choices;
    for (const int n : {1, 3, 5, 10, 50})
        choices.append({n, QString::number(n) + (korean ? QStringLiteral("개 이상") : QStringLiteral("+"))});
    if (!PaneChoice::offers(choices, current))
        choices.prepend({current, QString::number(current)});
    return choices;
}

bool BasicPaneModel::setLimit(SpamModel &model, qint64 value)
{
    if (!PaneChoice::offers(limitChoices(model.limit(), false), value))
        return false;
    model.setLimit(value);
    return true;
}

bool BasicPaneModel::setPostLimit(SpamModel &model, qint64 value)
{
    if (!PaneChoice::offers(postLimitChoices(false), value))
        return false;
    model.setPostLimit(int(value));
    return true;
}

bool BasicPaneModel::setAutoScanHours(SpamModel &model, qint64 value)
{
    if (!PaneChoice::offers(autoScanChoices(false), value))
        return false;
    model.setAutoScanHours(int(value));
    return true;
}

bool BasicPaneModel::setMinLikes(SpamModel &model, qint64 value)
{
    if (!PaneChoice::offers(minLikesChoices(model.minLikes(), false), value))
        return false;
    model.setMinLikes(value);
    return true;
}

QString BasicPaneModel::likesSubtitle(qint64 minLikes, bool korean)
{
    return korean ? QStringLiteral("좋아요가 %1개 이상이면 검사하지 않고 남겨 둡니다.").arg(minLikes)
                  : QStringLiteral("Comments with %1 or more likes are left alone and not checked.").arg(minLikes);
}

QString BasicPaneModel::builtinSubtitle(const QHash<QString, int> &counts, bool korean, const QLocale &locale)
{
    const QString a = locale.toString(counts.value(QStringLiteral("abuse"), 0));
    const QString s = locale.toString(counts.value(QStringLiteral("sexual"), 0));
    return korean ? QStringLiteral("욕설 %1개와 성적 표현 %2개를 찾습니다. AI가 본 댓글은 AI의 판정을 따릅니다.").arg(a, s)
                  : QStringLiteral("Finds %1 abusive and %2 sexual words. Comments the AI has checked keep the AI's verdict.")
                        .arg(a, s);
}

int BasicPaneModel::perceivedLength(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int n = 0;
    while (finder.toNextBoundary() != -1)
        ++n;
    return n;
}

QString BasicPaneModel::trimKeepingBreaks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).isSpace() && !isBreak(text.at(begin)))
        ++begin;
    while (end > begin && text.at(end - 1).isSpace() && !isBreak(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

bool BasicPaneModel::canAdd(const QString &input)
{
    return perceivedLength(trimKeepingBreaks(input)) >= 2;
}

void BasicPaneModel::add(SpamModel &model, const QString &input)
{
    model.addKeywords(input);
}
