#include "Panel/Verdict.h"

#include "Base/Lang.h"
#include "Panel/AIPercent.h"
#include "Rules/AIRules.h"
#include "Rules/SpamRules.h"

#include <QHash>
#include <QStringList>

namespace {

QString pick(bool korean, const char16_t *ko, const char *en)
{
    return korean ? QString::fromUtf16(ko) : QString::fromUtf8(en);
}

struct Words {
    const char *code;
    const char *en;
    const char16_t *ko;
};

constexpr Words kWords[] = {
    {"contact", "Off-platform contact", u"외부 연락 유도"},
    {"invest", "Investment promotion", u"투자·수익 홍보"},
    {"gambling", "Gambling promotion", u"도박 홍보"},
    {"loan", "Loan promotion", u"대출·현금화 광고"},
    {"sidejob", "Side-job promotion", u"부업·고수익 광고"},
    {"adult", "Adult content promotion", u"성인 콘텐츠 홍보"},
    {"impersonation", "Impersonation or prize lure", u"사칭·경품 유도"},
    {"testimonial", "Investment testimonial", u"투자 후기 홍보"},
    {"promo", "Promotional comment", u"홍보성 댓글"},
    {"link", "External link", u"외부 링크 포함"},
    {"author", "Promotional author name", u"홍보성 작성자 이름"},
    {"youtube", "Flagged by YouTube", u"YouTube 스팸 감지"},
    {"custom", "Keyword match", u"등록한 키워드 일치"},
    {"dict", "Built-in word", u"기본 사전의 낱말"},
    {"repeat", "Author deleted before", u"전에 삭제한 작성자"},
    {"unchanged", "Cleared last time, unchanged", u"지난 검사에서 정상 · 변경 없음"},
    {"kept", "Kept at last review, unchanged", u"지난 검토에서 남김 · 변경 없음"},
    {"picked", "Picked by you", u"직접 선택"},
};

std::optional<QString> wordOf(const QString &code, bool korean)
{
    for (const Words &w : kWords) {
        if (code == QLatin1String(w.code))
            return pick(korean, w.ko, w.en);
    }
    return std::nullopt;
}

// Trims white space, including every Unicode space separator.
QString trimmed(const QString &s)
{
    qsizetype b = 0, e = s.size();
    auto space = [](QChar c) { return c.isSpace() || c.category() == QChar::Separator_Space; };
    while (b < e && space(s.at(b)))
        ++b;
    while (e > b && space(s.at(e - 1)))
        --e;
    return s.mid(b, e - b);
}

} // namespace

Verdict Verdict::make(const Input &in)
{
    return make(in, Lang::system());
}

Verdict Verdict::make(const Input &in, bool korean)
{
    const bool spam = in.state == QLatin1String("spam");
    const bool skip = in.state == QLatin1String("skip");
    const std::optional<double> prob = AIPercent::clean(in.aiProb);
    const QMap<QString, QString> labels = AIRules::labels();
    Verdict v;

    if (in.deleted) {
        v.label = pick(korean, u"삭제됨", "Deleted");
        return v;
    }
    if (in.kept || (skip && in.reason == QLatin1String("kept"))) {
        v.label = pick(korean, u"스팸 아님", "Not spam");
        return v;
    }
    if (spam && in.reason == QLatin1String("picked")) {
        v.label = pick(korean, u"직접 선택", "Picked by you");
        return v;
    }
    if (spam && in.byAI && prob) {
        const int pct = AIPercent::of(*prob);
        const int threshold = in.thresholds.isEmpty() ? 0 : AIRules::threshold(in.thresholds, in.kind);
        v.label = QStringLiteral("AI ") + labels.value(in.kind, pick(korean, u"의심", "Flagged"));
        v.percent = pct;
        if (pct >= threshold) {
            v.tone = Tone::danger;
        } else {
            v.tone = Tone::warn;
            const QString t = QString::number(threshold);
            v.help = korean ? QStringLiteral("체크 기준 ") + t + QStringLiteral("% 아래라 체크하지 않았습니다.")
                            : QStringLiteral("Below the ") + t + QStringLiteral("% threshold, so it is not ticked.");
        }
        return v;
    }
    if (spam && in.reason.startsWith(QLatin1String("custom:"))) {
        v.label = pick(korean, u"단어 · ", "Word · ") + in.reason.mid(7);
        return v;
    }
    if (spam) {
        if (const auto hit = SpamRules::builtinHit(in.reason)) {
            v.label = labels.value(hit->kind, pick(korean, u"단어", "Word")) + QStringLiteral(" · ") + hit->word;
            v.help = pick(korean, u"기본 사전의 낱말입니다. 검사 설정 > 단어 목록에서 끌 수 있습니다.",
                          "A built-in word. You can turn the built-in words off in Settings > Word list.");
            return v;
        }
        const QString words = describeReason(in.reason, 1.0, korean);
        const QString first = words.split(QStringLiteral(" · ")).value(0);
        v.label = pick(korean, u"규칙 · ", "Rules · ") + (first.isEmpty() ? pick(korean, u"스팸", "Spam") : first);
        v.help = words;
        return v;
    }
    if (in.pending) {
        v.label = pick(korean, u"AI 검사 전", "Not checked by AI");
        return v;
    }
    if (skip && in.reason != QLatin1String("unchanged")) {
        v.label = pick(korean, u"검사 제외", "Not checked");
        v.help = localizedSiteMessage(in.reason, korean);
        return v;
    }
    v.label = prob ? pick(korean, u"AI 정상", "AI: OK") : pick(korean, u"정상", "OK");
    v.tone = Tone::ok;
    if (skip)
        v.help = pick(korean, u"지난 검사에서 정상 · 변경 없음", "Cleared last time, unchanged");
    return v;
}

Verdict Verdict::of(const ScanStore::Record &record, const QMap<QString, int> &thresholds)
{
    return of(record, thresholds, Lang::system());
}

Verdict Verdict::of(const ScanStore::Record &record, const QMap<QString, int> &thresholds, bool korean)
{
    Input in;
    in.state = record.state;
    in.kind = record.kind;
    in.reason = record.reason;
    in.aiProb = AIPercent::clean(record.aiProb);
    in.byAI = in.aiProb.has_value();
    in.thresholds = thresholds;
    in.deleted = record.deletedAt.has_value();
    return make(in, korean);
}

QString Verdict::describeReason(const QString &reason, double score)
{
    return describeReason(reason, score, Lang::system());
}

QString Verdict::describeReason(const QString &reason, double score, bool korean)
{
    if (!(score > 0))
        return localizedSiteMessage(reason, korean);
    QStringList result;
    for (const QString &raw : reason.split(u',')) {
        const QString part = trimmed(raw);
        const qsizetype colon = part.indexOf(u':');
        QStringList pieces;
        if (colon < 0) {
            if (!part.isEmpty())
                pieces.append(part);
        } else {
            for (const QString &p : {part.left(colon), part.mid(colon + 1)}) {
                if (!p.isEmpty())
                    pieces.append(p);
            }
        }
        const QString code = pieces.value(0);
        QString word = wordOf(code, korean).value_or(localizedSiteMessage(part, korean));
        if (code == QLatin1String("repeat") && pieces.size() == 2) {
            bool ok = false;
            const qlonglong n = pieces.at(1).toLongLong(&ok);
            if (ok)
                word += (korean ? QStringLiteral(" (%1회)") : QStringLiteral(" (%1×)")).arg(n);
        }
        if (!result.contains(word))
            result.append(word);
    }
    return result.join(QStringLiteral(" · "));
}
