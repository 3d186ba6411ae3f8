#include "Panel/PanelActions.h"

#include "Posts/PostDesk.h"
#include "Scan/SpamModel.h"

PanelActions::PanelActions(PostDesk *desk, QObject *parent)
    : QObject(parent)
    , m_desk(desk)
{
    if (desk) {
        connect(desk, &PostDesk::postsChanged, this, &PanelActions::postsChanged);
        connect(desk, &PostDesk::focusedChanged, this, &PanelActions::focusedChanged);
    }
}

PanelActions::PanelActions(ScanStore *store, QObject *parent)
    : QObject(parent)
    , m_store(store)
{
}

QList<ChannelPost> PanelActions::posts(const QString &site)
{
    if (m_desk)
        return m_desk->posts(site);
    QList<ChannelPost> out;
    if (!m_store)
        return out;
    for (const ScanStore::Post &p : m_store->posts(1000)) {
        if (p.site == site)
            out.append(postOf(p));
    }
    return out;
}

std::optional<QString> PanelActions::focused() const
{
    return m_desk ? m_desk->focused() : m_focused;
}

void PanelActions::setFocused(const std::optional<QString> &url)
{
    if (m_desk) {
        m_desk->setFocused(url);
        return;
    }
    if (url == m_focused)
        return;
    m_focused = url;
    emit focusedChanged();
}

ChannelPost PanelActions::postOf(const ScanStore::Post &post)
{
    return PostCatalog::row(post, ChannelPost::State::done);
}
