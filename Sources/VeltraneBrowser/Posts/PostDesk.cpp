#include "Posts/PostDesk.h"

#include "Browser/Browser.h"
#include "Scan/SpamModel.h"

PostDesk::PostDesk(SpamModel *model, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_allChecked({QStringLiteral("youtube"), QStringLiteral("instagram")})
{
    m_settling.setSingleShot(true);
    m_settling.setTimerType(Qt::PreciseTimer);
    m_settling.setInterval(settleMs);
    connect(&m_settling, &QTimer::timeout, this, [this] { setArrivals({}); });
}

void PostDesk::setFocused(const std::optional<QString> &url)
{
    if (url == m_focused)
        return;
    m_focused = url;
    emit focusedChanged();
}

void PostDesk::setChecked(const QSet<QString> &checked)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    emit checkedChanged();
}

void PostDesk::setArrivals(const QHash<QString, int> &arrivals)
{
    if (arrivals == m_arrivals)
        return;
    m_arrivals = arrivals;
    emit arrivalsChanged();
}

QList<ChannelPost> PostDesk::posts(const QString &site) const
{
    QList<ChannelPost> out;
    for (const ChannelPost &p : m_posts) {
        if (p.site == site)
            out.append(p);
    }
    return out;
}

QList<ChannelPost> PostDesk::queue(const QString &site) const
{
    QList<ChannelPost> out;
    for (const ChannelPost &p : m_posts) {
        if (p.site == site && m_checked.contains(p.url))
            out.append(p);
    }
    return out;
}

bool PostDesk::isAllChecked(const QString &site) const
{
    bool any = false;
    for (const ChannelPost &p : m_posts) {
        if (p.site != site)
            continue;
        any = true;
        if (!m_checked.contains(p.url))
            return false;
    }
    return any;
}

void PostDesk::refresh()
{
    if (!m_model)
        return;
    QSet<QString> old;
    for (const ChannelPost &p : std::as_const(m_posts))
        old.insert(p.url);
    const QList<ChannelPost> fresh = m_model->catalog().candidates();

    QSet<QString> listed;
    for (const ChannelPost &p : fresh)
        listed.insert(p.url);
    QSet<QString> ticks = m_checked & listed;
    QHash<QString, int> numbers;
    QHash<QString, int> counters;
    for (const ChannelPost &p : fresh) {
        if (m_allChecked.contains(p.site))
            ticks.insert(p.url);
        if (!old.contains(p.url) && !numbers.contains(p.url))
            numbers.insert(p.url, counters[p.site]++);
    }

    // The numbers come first, so that views building tiles for the new list find them.
    if (!numbers.isEmpty()) {
        setArrivals(numbers);
        m_settling.start();   // restarts the second when it was running
    }
    if (fresh != m_posts) {
        m_posts = fresh;
        emit postsChanged();
    }
    setChecked(ticks);
}

void PostDesk::setAll(bool on, const QString &site)
{
    QSet<QString> ticks = m_checked;
    if (on)
        m_allChecked.insert(site);
    else
        m_allChecked.remove(site);
    for (const ChannelPost &p : std::as_const(m_posts)) {
        if (p.site != site)
            continue;
        if (on)
            ticks.insert(p.url);
        else
            ticks.remove(p.url);
    }
    setChecked(ticks);
}

void PostDesk::toggle(const ChannelPost &post)
{
    m_allChecked.remove(post.site);
    QSet<QString> ticks = m_checked;
    if (ticks.contains(post.url))
        ticks.remove(post.url);
    else
        ticks.insert(post.url);
    setChecked(ticks);
}

void PostDesk::show(const ChannelPost &post, Browser *browser)
{
    setFocused(post.url);
    ++m_picks;
    emit picksChanged();
    if (!m_model)
        return;
    const std::optional<ScanStore::PostKey> page = m_model->catalog().currentPage();
    if (page && page->url == post.url)
        return;
    Browser *target = browser ? browser : m_model->browser();
    if (!target)
        return;
    // While the owner is choosing posts, opening one from the list does not scan it.
    m_model->openPage().setOpenedFromPostList(post.url);
    target->open(post.url);
}

QCoro::Task<void> PostDesk::loadMore(LoginProvider provider)
{
    if (!m_model)
        co_return;
    QPointer<PostDesk> self(this);
    const int added = loadPosts ? co_await loadPosts(provider) : co_await m_model->catalog().loadMore(provider);
    if (!self)
        co_return;
    const QString site = provider.rawValue();
    if (added < 1) {
        refresh();
        co_return;
    }
    m_allChecked.remove(site);
    refresh();
    QSet<QString> ticks = m_checked;
    for (const ChannelPost &p : std::as_const(m_posts)) {
        if (p.site != site)
            continue;
        if (p.scannedAt)
            ticks.remove(p.url);
        else
            ticks.insert(p.url);
    }
    setChecked(ticks);
}

void PostDesk::start(const QString &site)
{
    const QList<ChannelPost> q = queue(site);
    if (q.isEmpty() || !m_model || m_model->jobs().working())
        return;
    m_model->openPage().setSelectingPosts(false);
    // The scan runs on by itself; progress and results show through the model.
    m_model->queue().scanSelected(q);
}
