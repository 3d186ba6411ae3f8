#include "Panel/CommentListModel.h"
#include "Panel/FreeAside.h"

#include <utility>

CommentListModel::CommentListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

QList<CommentListModel::Row> CommentListModel::rows(const QList<ChannelPost> &posts,
                                                    const QHash<QString, QList<ScanStore::Record>> &records,
                                                    const QHash<QString, int> &others)
{
    QList<Row> out;
    for (int p = 0; p < posts.size(); ++p) {
        const QString &url = posts.at(p).url;
        const auto it = records.constFind(url);
        if (it == records.constEnd() || it->isEmpty())
            continue;
        QList<const ScanStore::Record *> flagged, rest;
        for (const ScanStore::Record &r : *it)
            (r.isPendingSpam() ? flagged : rest).append(&r);
        out.append({QStringLiteral("post:") + url, Kind::heading, p, {}, {}});
        for (const ScanStore::Record *r : flagged)
            out.append({url + QStringLiteral("|spam:") + r->id, Kind::comment, p, *r, {}});
        const qsizetype restCount = others.value(url, int(rest.size()));
        if (!flagged.isEmpty() && restCount > 0) {
            const QString text = tr("Other comments %1").arg(restCount);
            out.append({url + QStringLiteral("|caption"), Kind::caption, p, {}, text});
        }
        for (const ScanStore::Record *r : rest)
            out.append({url + QStringLiteral("|rest:") + r->id, Kind::comment, p, *r, {}});
        if (!others.contains(url))   // a post read in part ends when its last rows are read
            out.append({url + QStringLiteral("|end"), Kind::end, p, {}, {}});
    }
    return out;
}

void CommentListModel::setContent(Content content)
{
    beginResetModel();
    QList<Row> made = rows(content.posts, content.records, content.others);
    const qsizetype count = made.size();
    freeAside(std::exchange(m_content, std::move(content)), std::exchange(m_rows, std::move(made)),
              std::exchange(m_cache, QList<Cache>(count)));
    m_heights = QList<int>(count, -1);
    QSet<QString> ids;
    for (const Row &r : m_rows)
        ids.insert(r.id);
    m_expanded.intersect(ids);
    endResetModel();
}

void CommentListModel::append(const QHash<QString, QList<ScanStore::Record>> &records,
                              const QHash<QString, int> &others)
{
    m_content.others = others;
    QHash<QString, QList<ScanStore::Record>> added = records;
    // More of the last post, read in part before: its new rows follow its rows.
    if (!m_rows.isEmpty()) {
        const int post = m_rows.last().post;
        const QString &url = m_content.posts.at(post).url;
        if (added.contains(url)) {
            const QList<ScanStore::Record> list = added.take(url);
            const QList<Row> now = rows({m_content.posts.at(post)}, {{url, list}}, others);
            int first = int(m_rows.size()) - 1;
            while (first > 0 && m_rows.at(first - 1).post == post)
                --first;
            const int had = int(m_rows.size()) - first;
            bool same = now.size() >= had;
            for (int i = 0; same && i < had; ++i)
                same = now.at(i).id == m_rows.at(first + i).id && now.at(i).caption == m_rows.at(first + i).caption;
            m_content.records.insert(url, list);
            if (!same) {   // not a continuation of its rows: the list is made again
                Content content = m_content;
                for (auto it = added.constBegin(); it != added.constEnd(); ++it)
                    content.records.insert(it.key(), it.value());
                setContent(std::move(content));
                return;
            }
            if (now.size() > had) {
                const int at = int(m_rows.size());
                beginInsertRows(QModelIndex(), at, at + int(now.size()) - had - 1);
                for (qsizetype i = had; i < now.size(); ++i) {
                    Row r = now.at(i);
                    r.post = post;
                    m_rows.append(std::move(r));
                }
                m_cache.resize(m_rows.size());
                m_heights.resize(m_rows.size(), -1);
                endInsertRows();
            }
        }
    }
    const QList<Row> more = rows(m_content.posts, added, others);
    if (more.isEmpty())
        return;
    const bool after = m_rows.isEmpty() || more.first().post > m_rows.last().post;
    if (!after) {   // not behind the shown posts: the list is made again
        Content content = m_content;
        for (auto it = added.constBegin(); it != added.constEnd(); ++it)
            content.records.insert(it.key(), it.value());
        setContent(std::move(content));
        return;
    }
    for (auto it = added.constBegin(); it != added.constEnd(); ++it)
        m_content.records.insert(it.key(), it.value());
    const int first = int(m_rows.size());
    beginInsertRows(QModelIndex(), first, first + int(more.size()) - 1);
    m_rows += more;
    m_cache.resize(m_rows.size());
    m_heights.resize(m_rows.size(), -1);
    endInsertRows();
}

void CommentListModel::reserve(int rows)
{
    if (rows <= m_rows.capacity())
        return;
    m_rows.reserve(rows);
    m_cache.reserve(rows);
    m_heights.reserve(rows);
}

void CommentListModel::setFetcher(std::function<bool()> canFetch, std::function<void()> fetch)
{
    m_canFetch = std::move(canFetch);
    m_fetch = std::move(fetch);
}

bool CommentListModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_canFetch && m_canFetch();
}

void CommentListModel::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid() && m_fetch)
        m_fetch();
}

void CommentListModel::setTicks(const QSet<QString> &ticks)
{
    if (ticks == m_content.ticks)
        return;
    m_content.ticks = ticks;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(int(m_rows.size()) - 1));
}

void CommentListModel::setMode(PickMode mode, const QSet<QString> &ticks)
{
    if (mode == m_content.mode) {
        setTicks(ticks);
        return;
    }
    m_content.mode = mode;
    m_content.ticks = ticks;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(int(m_rows.size()) - 1));
}

void CommentListModel::setFocused(const std::optional<QString> &url)
{
    if (url == m_content.focused)
        return;
    m_content.focused = url;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(int(m_rows.size()) - 1));
}

void CommentListModel::setCutting(const QSet<QString> &ids)
{
    if (ids == m_content.cutting)
        return;
    m_content.cutting = ids;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(int(m_rows.size()) - 1));
}

int CommentListModel::headingRow(const QString &url) const
{
    const QString id = QStringLiteral("post:") + url;
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows.at(i).id == id)
            return i;
    }
    return -1;
}

bool CommentListModel::hasTickBox(int index) const
{
    const Row &r = m_rows.at(index);
    if (r.kind != Kind::comment || r.record.deletedAt || m_content.mode == PickMode::none)
        return false;
    if (r.record.isPendingSpam())
        return true;
    return m_content.mode == PickMode::picked && r.record.canPick();
}

bool CommentListModel::ticked(int index) const
{
    const QString &id = m_rows.at(index).record.id;
    switch (m_content.mode) {
    case PickMode::picked:
        return m_content.ticks.contains(id);
    case PickMode::unpicked:
        return !m_content.ticks.contains(id);
    case PickMode::none:
        break;
    }
    return false;
}

void CommentListModel::setTicked(int index, bool on)
{
    if (!hasTickBox(index))
        return;
    const QString &id = m_rows.at(index).record.id;
    QSet<QString> ticks = m_content.ticks;
    if ((m_content.mode == PickMode::picked) == on)
        ticks.insert(id);
    else
        ticks.remove(id);
    if (ticks == m_content.ticks)
        return;
    // Only the rows of this comment change (it may be listed under one post only once).
    m_content.ticks = ticks;
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows.at(i).kind == Kind::comment && m_rows.at(i).record.id == id)
            emit dataChanged(this->index(i), this->index(i));
    }
    emit ticksChanged(ticks);
}

bool CommentListModel::highlighted(int index) const
{
    const Row &r = m_rows.at(index);
    return r.kind == Kind::heading && m_content.focused && *m_content.focused == m_content.posts.at(r.post).url;
}

bool CommentListModel::cut(int index) const
{
    return m_content.cutting.contains(m_rows.at(index).record.id);
}

CommentListModel::Cache &CommentListModel::cache(int index) const
{
    return m_cache[index];
}

const Verdict &CommentListModel::verdict(int index) const
{
    Cache &c = cache(index);
    if (!c.verdict) {
        // In the Flagged tab every AI verdict shows at or above its threshold.
        const QMap<QString, int> thresholds = m_content.mode == PickMode::unpicked ? QMap<QString, int>()
                                                                                   : m_content.thresholds;
        c.verdict = Verdict::of(m_rows.at(index).record, thresholds);
    }
    return *c.verdict;
}

QStringList CommentListModel::hits(int index) const
{
    const ScanStore::Record &r = m_rows.at(index).record;
    QStringList words = r.hits;
    words += m_content.hits.value(r.id);
    words += m_content.keywords;
    return words;
}

const QList<SpamRules::Range> &CommentListModel::ranges(int index) const
{
    Cache &c = cache(index);
    if (!c.ranges) {
        const ScanStore::Record &r = m_rows.at(index).record;
        c.ranges = r.isPendingSpam() ? SpamRules::ranges(hits(index), r.text) : QList<SpamRules::Range>();
    }
    return *c.ranges;
}

bool CommentListModel::expanded(int index) const
{
    return m_expanded.contains(m_rows.at(index).id);
}

void CommentListModel::toggleExpanded(int index)
{
    const QString &id = m_rows.at(index).id;
    if (!m_expanded.remove(id))
        m_expanded.insert(id);
    m_heights[index] = -1;
    emit dataChanged(this->index(index), this->index(index), {Qt::SizeHintRole});
}

std::optional<int> CommentListModel::cachedHeight(int index, int width) const
{
    if (width != m_heightWidth || index < 0 || index >= m_heights.size() || m_heights.at(index) < 0)
        return std::nullopt;
    return m_heights.at(index);
}

void CommentListModel::cacheHeight(int index, int width, int height) const
{
    if (width != m_heightWidth) {
        m_heights.fill(-1);
        m_heightWidth = width;
    }
    if (index >= 0 && index < m_heights.size())
        m_heights[index] = height;
}

int CommentListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant CommentListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row &r = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        switch (r.kind) {
        case Kind::heading:
            return m_content.posts.at(r.post).title.isEmpty() ? m_content.posts.at(r.post).url
                                                              : m_content.posts.at(r.post).title;
        case Kind::comment:
            return r.record.text;
        case Kind::caption:
            return r.caption;
        case Kind::end:
            break;
        }
        return QString();
    case Qt::UserRole:
        return r.id;
    default:
        break;
    }
    return {};
}
