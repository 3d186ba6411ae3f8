#include "Panel/PanelActions.h"

PanelActions::PanelActions(ScanStore *store, QObject *parent) : QObject(parent), m_store(store) {}

QList<ChannelPost> PanelActions::posts(const QString &site)
{
    QList<ChannelPost> out;
    if (!m_store)
        return out;
    for (const ScanStore::Post &p : m_store->posts(1000)) {
        if (p.site == site)
            out.append(postOf(p));
    }
    return out;
}

void PanelActions::setFocused(const std::optional<QString> &url)
{
    if (url == m_focused)
        return;
    m_focused = url;
    emit focusedChanged();
}

ChannelPost PanelActions::postOf(const ScanStore::Post &post)
{
    ChannelPost row;
    row.site = post.site;
    row.url = post.url;
    row.title = post.title;
    row.state = ChannelPost::State::done;
    row.total = post.total;
    row.flagged = post.flagged;
    // A monitored post that was never scanned is stored with scan time 0.
    if (post.scannedAt.isValid() && post.scannedAt.toSecsSinceEpoch() > 0)
        row.scannedAt = post.scannedAt;
    row.watched = post.watched;
    row.deleted = post.deleted;
    row.thumbnail = post.thumbnail;
    return row;
}
