#include "Settings/BasicPaneModel.h"

#include "Scan/SpamModel.h"

#include <QTextBoundaryFinder>

namespace {

bool isBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar(0x2028) || c == QChar(0x2029)
        || c == QChar(0x0085) || c == QChar(0x000B) || c == QChar(0x000C);
}

}   // namespace

QList<PaneChoice> BasicPaneModel::limitChoices(qint64 current)
{
    QList<PaneChoice> choices{{0, tr("All")},
                              {100, QStringLiteral("100")},
                              {300, QStringLiteral("300")},
                              {1000, QStringLiteral("1000")}};
    if (!PaneChoice::offers(choices, current))
        choices.prepend({current, tr("%1", "a number of comments set elsewhere").arg(current)});
    return choices;
}

QList<PaneChoice> BasicPaneModel::postLimitChoices()
{
    QList<PaneChoice> choices;
    for (const int n : OwnerSettings::postLimitPresets())
        choices.append({n, QString::number(n)});
    return choices;
}

QList<PaneChoice> BasicPaneModel::autoScanChoices()
{
    return {{0, tr("Off")}, {1, tr("1h")}, {6, tr("6h")}, {24, tr("Daily")}};
}

QList<PaneChoice> BasicPaneModel::minLikesChoices(qint64 current)
{
    QList<PaneChoice> choices;
    for (const int n : {1, 3, 5, 10, 50})
        choices.append({n, tr("%1+", "at least this many likes").arg(n)});
    if (!PaneChoice::offers(choices, current))
        choices.prepend({current, QString::number(current)});
    return choices;
}

QString BasicPaneModel::likesSubtitle(qint64 minLikes)
{
    return tr("Comments with %1 or more likes are left alone and not checked.").arg(minLikes);
}

QString BasicPaneModel::builtinSubtitle(const QHash<QString, int> &counts, const QLocale &locale)
{
    const QString a = locale.toString(counts.value(QStringLiteral("abuse"), 0));
    const QString s = locale.toString(counts.value(QStringLiteral("sexual"), 0));
    return tr("Finds %1 abusive and %2 sexual words. Comments the AI has checked keep the AI's verdict.").arg(a, s);
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
