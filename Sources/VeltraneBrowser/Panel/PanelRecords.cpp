#include "Panel/PanelRecords.h"

#include "Panel/SpamPanelModel.h"

#include <algorithm>

void PanelRecords::read(ScanStore &store, const ChannelPost &post, PanelTab tab)
{
    const QList<ScanStore::Record> recs = store.comments(post.url, SpamPanelModel::commentLimit);
    for (const ScanStore::Record &r : recs) {
        if (r.deletedAt)
            deletedIds.insert(r.id);
    }
    if (tab == PanelTab::spam)
        pending += PanelTab(PanelTab::spam).records(recs);
    const QList<ScanStore::Record> list = tab == PanelTab::spam ? PanelTab::candidates(recs, store.problems(post.url))
                                                                : tab.records(recs);
    rows += int(list.size());
    ++posts;
    shown.insert(post.url, list);
    if (post.flagged > 0) {
        const QHash<QString, QStringList> h = store.hits(post.url);
        for (auto it = h.constBegin(); it != h.constEnd(); ++it)
            hits.insert(it.key(), it.value());
    }
}

void PanelRecords::add(const PanelRecords &more)
{
    for (auto it = more.shown.constBegin(); it != more.shown.constEnd(); ++it)
        shown.insert(it.key(), it.value());
    for (auto it = more.hits.constBegin(); it != more.hits.constEnd(); ++it)
        hits.insert(it.key(), it.value());
    rows += more.rows;
    posts += more.posts;
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
