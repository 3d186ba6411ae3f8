#include "Panel/StoredCommentRow.h"

#include "Base/DateText.h"

#include "Panel/AIPercent.h"
#include "Rules/AIRules.h"

#include <algorithm>
#include <cmath>

QString StoredCommentRow::author(const QString &name, bool korean)
{
    if (!name.isEmpty())
        return name;
    return korean ? QStringLiteral("(이름 없음)") : QStringLiteral("(no name)");
}

QString StoredCommentRow::body(const ScanStore::Record &record, bool korean)
{
    if (!record.text.isEmpty())
        return record.text;
    return korean ? QStringLiteral("(저장된 본문 없음)") : QStringLiteral("(no text stored)");
}

QString StoredCommentRow::meta(const ScanStore::Record &record, bool korean)
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

StoredCommentRow::Details StoredCommentRow::details(const ScanStore::Record &record, const Verdict &verdict,
                                                    bool korean)
{
    Details d;
    d.help = verdict.help;
    auto when = [&](const QDateTime &t) { return DateText::dateClock(t); };
    if (const std::optional<double> prob = AIPercent::clean(record.aiProb)) {
        const QString label = AIRules::labels().value(
            record.kind, korean ? QStringLiteral("문제 확률") : QStringLiteral("Risk probability"));
        d.lines.append({korean ? QStringLiteral("AI 판정") : QStringLiteral("AI verdict"),
                        label + QStringLiteral(" · ") + QString::number(AIPercent::of(*prob)) + u'%'});
    }
    d.lines.append({korean ? QStringLiteral("처음 수집") : QStringLiteral("First collected"), when(record.firstSeenAt)});
    d.lines.append({korean ? QStringLiteral("마지막 확인") : QStringLiteral("Last seen"), when(record.lastSeenAt)});
    if (record.deletedAt)
        d.lines.append({korean ? QStringLiteral("삭제 완료") : QStringLiteral("Deleted"), when(*record.deletedAt)});
    if (const std::optional<qint64> likes = AIPercent::likes(record.likeCount); likes && *likes > 0)
        d.lines.append({korean ? QStringLiteral("좋아요") : QStringLiteral("Likes"), DateText::locale().toString(*likes)});
    return d;
}

QString StoredCommentRow::tooltip(bool korean)
{
    return korean ? QStringLiteral("풍선을 누르면 판정 근거와 검사 시점이 보입니다")
                  : QStringLiteral("Click the bubble for verdict details and scan times");
}
