#include "Panel/StoredCommentRow.h"

#include "Base/DateText.h"

#include "Panel/AIPercent.h"
#include "Rules/AIRules.h"

#include <algorithm>
#include <cmath>

QString StoredCommentRow::author(const QString &name)
{
    if (!name.isEmpty())
        return name;
    return tr("(no name)");
}

QString StoredCommentRow::body(const ScanStore::Record &record)
{
    if (!record.text.isEmpty())
        return record.text;
    return tr("(no text stored)");
}

QString StoredCommentRow::meta(const ScanStore::Record &record)
{
    if (!record.publishedAt || !std::isfinite(*record.publishedAt))
        return QString();
    const double ms = std::clamp(*record.publishedAt, -8.64e15, 8.64e15);
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(qint64(ms)).toLocalTime();
    if (!at.isValid())
        return QString();
    return DateText::date(at.date());
}

std::optional<int> StoredCommentRow::tintPercent(const ScanStore::Record &record)
{
    if (!record.isPendingSpam())
        return std::nullopt;
    return AIPercent::orFull(record.aiProb);
}

bool StoredCommentRow::showsPill(const ScanStore::Record &record, const Verdict &verdict)
{
    return record.isPendingSpam() || record.deletedAt || verdict.tone != Verdict::Tone::neutral;
}

StoredCommentRow::Details StoredCommentRow::details(const ScanStore::Record &record, const Verdict &verdict)
{
    Details d;
    d.help = verdict.help;
    auto when = [&](const QDateTime &t) { return DateText::dateClock(t); };
    if (const std::optional<double> prob = AIPercent::clean(record.aiProb)) {
        const QString label = AIRules::labels().value(record.kind, tr("Risk probability"));
        d.lines.append(
            {tr("AI verdict"), label + QStringLiteral(" · ") + QString::number(AIPercent::of(*prob)) + u'%'});
    }
    d.lines.append({tr("First collected"), when(record.firstSeenAt)});
    d.lines.append({tr("Last seen"), when(record.lastSeenAt)});
    if (record.deletedAt)
        d.lines.append({tr("Deleted"), when(*record.deletedAt)});
    if (const std::optional<qint64> likes = AIPercent::likes(record.likeCount); likes && *likes > 0)
        d.lines.append({tr("Likes"), DateText::locale().toString(*likes)});
    return d;
}

QString StoredCommentRow::tooltip()
{
    return tr("Click the bubble for verdict details and scan times");
}
