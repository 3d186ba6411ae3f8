#include "Panel/PanelTab.h"

#include "Panel/AIPercent.h"
#include "Rules/SpamRules.h"

#include <algorithm>

QList<PanelTab> PanelTab::allCases()
{
    return {comments, spam, deleted};
}

std::optional<PanelTab> PanelTab::fromRawValue(const QString &raw)
{
    for (PanelTab tab : allCases()) {
        if (tab.rawValue() == raw)
            return tab;
    }
    return std::nullopt;
}

QString PanelTab::rawValue() const
{
    switch (m_value) {
    case comments:
        return QStringLiteral("comments");
    case spam:
        return QStringLiteral("spam");
    case deleted:
        break;
    }
    return QStringLiteral("deleted");
}

QString PanelTab::title() const
{
    switch (m_value) {
    case comments:
        return tr("Comments");
    case spam:
        return tr("Flagged");
    case deleted:
        break;
    }
    return tr("Deleted");
}

QList<ScanStore::Record> PanelTab::records(const QList<ScanStore::Record> &records) const
{
    QList<ScanStore::Record> out;
    for (const ScanStore::Record &r : records) {
        if (r.text.isEmpty())
            continue;
        const bool keep = m_value == comments ? !r.deletedAt
            : m_value == spam                 ? r.isPendingSpam()
                                              : r.deletedAt.has_value();
        if (keep)
            out.append(r);
    }
    return out;
}

QList<ScanStore::Record> PanelTab::candidates(const QList<ScanStore::Record> &records,
                                              const QHash<QString, ScanStore::Problem> &problems)
{
    struct Entry {
        int percent;
        ScanStore::Record record;
    };
    QList<Entry> found;
    for (const ScanStore::Record &r : PanelTab(comments).records(records)) {
        if (r.verdict() == Comment::Verdict::spam) {
            found.append({AIPercent::orFull(r.aiProb), r});
            continue;
        }
        // A skipped comment stays protected (kept by the owner, the likes rule, a site's own
        // reason): an old AI score must not make it a candidate. Only "unchanged" was judged.
        if (r.verdict() == Comment::Verdict::skip && r.reason != QLatin1String("unchanged"))
            continue;
        const auto it = problems.constFind(r.id);
        if (it == problems.constEnd())
            continue;
        const std::optional<double> prob = AIPercent::clean(it->prob);
        if (!prob)
            continue;
        ScanStore::Record c = r;
        c.state = Comment::verdictText(Comment::Verdict::spam);
        c.aiProb = *prob;
        c.kind = it->kind.isEmpty() ? QStringLiteral("spam") : it->kind;
        c.reason = SpamRules::place(*prob, c.kind, 0).reason;
        found.append({AIPercent::of(*prob), c});
    }
    std::stable_sort(found.begin(), found.end(), [](const Entry &a, const Entry &b) { return a.percent > b.percent; });
    QList<ScanStore::Record> out;
    out.reserve(found.size());
    for (Entry &e : found)
        out.append(std::move(e.record));
    return out;
}
