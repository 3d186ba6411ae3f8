#include "Panel/PanelActions.h"

#include "Scan/SpamModel.h"

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
    return SpamModel::row(post, ChannelPost::State::done);
}
