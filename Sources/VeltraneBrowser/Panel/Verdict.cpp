#include "Panel/Verdict.h"

#include "Base/Lang.h"
#include "Panel/AIPercent.h"
#include "Rules/AIRules.h"
#include "Rules/SpamRules.h"

#include <QHash>
#include <QStringList>

namespace {

struct Words {
    const char *code;
    const char *text;
};

constexpr Words kWords[] = {
    {"contact", QT_TRANSLATE_NOOP("Verdict", "Off-platform contact")},
    {"invest", QT_TRANSLATE_NOOP("Verdict", "Investment promotion")},
    {"gambling", QT_TRANSLATE_NOOP("Verdict", "Gambling promotion")},
    {"loan", QT_TRANSLATE_NOOP("Verdict", "Loan promotion")},
    {"sidejob", QT_TRANSLATE_NOOP("Verdict", "Side-job promotion")},
    {"adult", QT_TRANSLATE_NOOP("Verdict", "Adult content promotion")},
    {"impersonation", QT_TRANSLATE_NOOP("Verdict", "Impersonation or prize lure")},
    {"testimonial", QT_TRANSLATE_NOOP("Verdict", "Investment testimonial")},
    {"promo", QT_TRANSLATE_NOOP("Verdict", "Promotional comment")},
    {"link", QT_TRANSLATE_NOOP("Verdict", "External link")},
    {"author", QT_TRANSLATE_NOOP("Verdict", "Promotional author name")},
    {"youtube", QT_TRANSLATE_NOOP("Verdict", "Flagged by YouTube")},
    {"custom", QT_TRANSLATE_NOOP("Verdict", "Keyword match")},
    {"dict", QT_TRANSLATE_NOOP("Verdict", "Built-in word")},
    {"repeat", QT_TRANSLATE_NOOP("Verdict", "Author deleted before")},
    {"unchanged", QT_TRANSLATE_NOOP("Verdict", "Cleared last time, unchanged")},
    {"kept", QT_TRANSLATE_NOOP("Verdict", "Kept at last review, unchanged")},
    {"picked", QT_TRANSLATE_NOOP("Verdict", "Picked by you")},
};

std::optional<QString> wordOf(const QString &code)
{
    for (const Words &w : kWords) {
        if (code == QLatin1String(w.code))
            return Verdict::tr(w.text);
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

}   // namespace

Verdict Verdict::make(const Input &in)
{
    const bool spam = in.verdict == Comment::Verdict::spam;
    const bool skip = in.verdict == Comment::Verdict::skip;
    const std::optional<double> prob = AIPercent::clean(in.aiProb);
    const QMap<QString, QString> labels = AIRules::labels();
    Verdict v;

    if (in.deleted) {
        v.label = tr("Deleted");
        return v;
    }
    if (in.kept || (skip && in.reason == QLatin1String("kept"))) {
        v.label = tr("Not spam");
        return v;
    }
    if (spam && in.reason == QLatin1String("picked")) {
        v.label = tr("Picked by you");
        return v;
    }
    if (spam && in.byAI && prob) {
        const int pct = AIPercent::of(*prob);
        const int threshold = in.thresholds.isEmpty() ? 0 : AIRules::threshold(in.thresholds, in.kind);
        v.label = QStringLiteral("AI ") + labels.value(in.kind, tr("Flagged"));
        v.percent = pct;
        if (pct >= threshold) {
            v.tone = Tone::danger;
        } else {
            v.tone = Tone::warn;
            v.help = tr("Below the %1% threshold, so it is not ticked.").arg(threshold);
        }
        return v;
    }
    if (spam && in.reason.startsWith(QLatin1String("custom:"))) {
        v.label = tr("Word · ") + in.reason.mid(7);
        return v;
    }
    if (spam) {
        if (const auto hit = SpamRules::builtinHit(in.reason)) {
            v.label = labels.value(hit->kind, tr("Word")) + QStringLiteral(" · ") + hit->word;
            v.help = tr("A built-in word. You can turn the built-in words off in Settings > Word list.");
            return v;
        }
        const QString words = describeReason(in.reason, 1.0);
        const QString first = words.split(QStringLiteral(" · ")).value(0);
        v.label = tr("Rules · ") + (first.isEmpty() ? tr("Spam") : first);
        v.help = words;
        return v;
    }
    if (in.pending) {
        v.label = tr("Not checked by AI");
        return v;
    }
    if (skip && in.reason != QLatin1String("unchanged")) {
        v.label = tr("Not checked");
        v.help = localizedSiteMessage(in.reason);
        return v;
    }
    v.label = prob ? tr("AI: OK") : tr("OK");
    v.tone = Tone::ok;
    if (skip)
        v.help = tr("Cleared last time, unchanged");
    return v;
}

Verdict Verdict::of(const ScanStore::Record &record, const QMap<QString, int> &thresholds)
{
    Input in;
    in.verdict = record.verdict();
    in.kind = record.kind;
    in.reason = record.reason;
    in.aiProb = AIPercent::clean(record.aiProb);
    in.byAI = in.aiProb.has_value();
    in.thresholds = thresholds;
    in.deleted = record.deletedAt.has_value();
    return make(in);
}

QString Verdict::describeReason(const QString &reason, double score)
{
    if (!(score > 0))
        return localizedSiteMessage(reason);
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
        QString word = wordOf(code).value_or(localizedSiteMessage(part));
        if (code == QLatin1String("repeat") && pieces.size() == 2) {
            bool ok = false;
            const qlonglong n = pieces.at(1).toLongLong(&ok);
            if (ok)
                word += tr(" (%1×)").arg(n);
        }
        if (!result.contains(word))
            result.append(word);
    }
    return result.join(QStringLiteral(" · "));
}
