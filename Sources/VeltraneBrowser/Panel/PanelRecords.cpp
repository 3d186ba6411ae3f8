#include "Panel/PanelRecords.h"

#include "Panel/AIPercent.h"
#include "Panel/SpamPanelModel.h"

#include <algorithm>

namespace {

void lower(std::optional<double> &lowest, std::optional<double> prob)
{
    if (prob)
        lowest = lowest ? std::min(*lowest, *prob) : *prob;
}

void addHits(ScanStore &store, const ChannelPost &post, QHash<QString, QStringList> &hits)
{
    if (post.flagged <= 0)
        return;
    const QHash<QString, QStringList> h = store.hits(post.url);
    for (auto it = h.constBegin(); it != h.constEnd(); ++it)
        hits.insert(it.key(), it.value());
}

}   // namespace

void PanelRecords::read(ScanStore &store, const ChannelPost &post, PanelTab tab)
{
    const QList<ScanStore::Record> recs = store.comments(post.url, SpamPanelModel::commentLimit);
    for (const ScanStore::Record &r : recs) {
        if (r.deletedAt)
            deletedIds.insert(r.id);
    }
    if (tab == PanelTab::spam) {
        const QList<ScanStore::Record> flagged = PanelTab(PanelTab::spam).records(recs);
        for (const ScanStore::Record &r : flagged)
            lower(lowestPending, AIPercent::clean(r.aiProb));
        pending += flagged;
    }
    const QList<ScanStore::Record> list = tab == PanelTab::spam ? PanelTab::candidates(recs, store.problems(post.url))
                                                                : tab.records(recs);
    rows += int(list.size());
    ++posts;
    shown.insert(post.url, list);
    addHits(store, post, hits);
}

bool PanelRecords::readPart(ScanStore &store, const ChannelPost &post, PanelTab tab, int rows)
{
    // Deleted records are few among a post's: they are looked for in larger pages, each page
    // being one sort of the post's records.
    const int page = tab == PanelTab::deleted ? std::max(rows, 1000) : std::max(1, rows);
    int added = 0;
    if (!m_part || m_part->url != post.url) {
        m_part = Part{post.url, 0, {}, {}};
        ++posts;
        others.insert(post.url, 0);
        if (tab == PanelTab::comments) {
            // The flagged comments come first in the list: all of them with the first part.
            const ScanStore::Outline outline = store.outline(post.url, SpamPanelModel::commentLimit);
            m_part->ahead = tab.records(outline.pending);
            others.insert(post.url, outline.others);
            added += int(m_part->ahead.size());
        }
        addHits(store, post, hits);
    }
    bool end = false;
    while (!end && added < rows) {
        const QList<ScanStore::Record> recs = store.comments(post.url, SpamPanelModel::commentLimit, m_part->offset,
                                                             page);
        m_part->offset += int(recs.size());
        end = recs.size() < page || m_part->offset >= SpamPanelModel::commentLimit;
        for (const ScanStore::Record &r : recs) {
            if (r.deletedAt)
                deletedIds.insert(r.id);
        }
        for (const ScanStore::Record &r : tab.records(recs)) {
            m_part->reached.append(r);
            const auto ahead = r.isPendingSpam()
                ? std::find_if(m_part->ahead.begin(), m_part->ahead.end(),
                               [&r](const ScanStore::Record &a) { return a.id == r.id; })
                : m_part->ahead.end();
            if (ahead != m_part->ahead.end())
                m_part->ahead.erase(ahead);   // shown from the first part on
            else
                ++added;
        }
    }
    shown.insert(post.url, m_part->reached + m_part->ahead);
    this->rows += added;
    if (end) {
        others.remove(post.url);
        m_part.reset();
    }
    return end;
}

void PanelRecords::append(const PanelRecords &later)
{
    for (auto it = later.shown.constBegin(); it != later.shown.constEnd(); ++it)
        shown.insert(it.key(), it.value());
    pending += later.pending;
    lower(lowestPending, later.lowestPending);
    for (auto it = later.hits.constBegin(); it != later.hits.constEnd(); ++it)
        hits.insert(it.key(), it.value());
    deletedIds.unite(later.deletedIds);
    rows += later.rows;
    posts += later.posts;
}

void PanelRecords::endPart()
{
    if (m_part)
        others.remove(m_part->url);
    m_part.reset();
}

QSet<QString> PanelRecords::shownIds() const
{
    QSet<QString> ids;
    for (const auto &list : shown) {
        for (const ScanStore::Record &r : list)
            ids.insert(r.id);
    }
    return ids;
}

bool PanelRecords::anyShown() const
{
    return std::any_of(shown.constBegin(), shown.constEnd(), [](const auto &l) { return !l.isEmpty(); });
}
