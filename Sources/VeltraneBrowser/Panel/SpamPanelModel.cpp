#include "Panel/SpamPanelModel.h"
#include "Panel/FreeAside.h"

#include "Panel/AIPercent.h"
#include "Panel/PanelActions.h"
#include "Theme/Design.h"
#include "Panel/ScanStatusText.h"
#include "Scan/SpamModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutex>
#include <QThreadPool>

#include <algorithm>
#include <utility>

// Shared by the worker that reads and the window that takes its slices.
struct SpamPanelModel::Aside {
    struct Slice {
        PanelRecords records;
        QStringList urls;   // the posts read, in list order
    };
    QString key;
    bool rows = false;       // later posts to read (the Flagged tab); else only the count
    bool counting = false;   // the count over every post is still to land
    // Slices wait while the first screen of a reload waits for its cut rows to fade out.
    bool held = false;
    std::atomic_bool stop = false;
    QMutex mutex;
    QList<Slice> ready;   // guarded by mutex
    // Guarded by mutex: the pending spam counted over every post, handed over before any slice.
    std::optional<ScanStore::PendingSummary> summary;
    bool done = false;   // guarded by mutex: the worker has handed over its last slice
};

SpamPanelModel::SpamPanelModel(SpamModel *model, PanelActions *actions, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_actions(actions)
    , m_cutDelay(Design::reduceMotion() ? 0 : 220)
{
    m_reload.setSingleShot(true);
    m_reload.setInterval(0);
    m_slice.setSingleShot(true);
    m_slice.setInterval(0);
    connect(&m_slice, &QTimer::timeout, this, &SpamPanelModel::takeSlice);
    connect(&m_reload, &QTimer::timeout, this, [this] {
        if (loadKey() != m_loadedKey)
            load();
    });
    if (m_model) {
        for (auto signal : {&HistoryState::runsVersionChanged, &HistoryState::deletionsVersionChanged})
            connect(&m_model->history(), signal, this, &SpamPanelModel::scheduleLoad);
        connect(&m_model->catalog(), &PostCatalog::rowsChanged, this, &SpamPanelModel::scheduleLoad);
        connect(&m_model->jobs(), &JobState::changed, this, &SpamPanelModel::scanningMaybeEnded);
        connect(&m_model->removalJob(), &RemovalJob::progressChanged, this, &SpamPanelModel::scanningMaybeEnded);
        // The panel shows the site selected in the browser.
        if (Browser *browser = m_model->browser()) {
            m_site = browser->selectedSite().rawValue();
            connect(browser, &Browser::selectedSiteChanged, this,
                    [this, browser] { setSite(browser->selectedSite().rawValue()); });
        }
        const auto forgetPosts = [this] {
            m_posts.reset();
            m_visibleList.reset();
        };
        for (auto signal : {&HistoryState::runsVersionChanged, &HistoryState::deletionsVersionChanged})
            connect(&m_model->history(), signal, this, forgetPosts);
        connect(&m_model->catalog(), &PostCatalog::rowsChanged, this, forgetPosts);
    }
    if (m_actions) {
        connect(m_actions, &PanelActions::postsChanged, this, [this] {
            m_posts.reset();
            m_visibleList.reset();
            scheduleLoad();
        });
        connect(m_actions, &PanelActions::focusedChanged, this, &SpamPanelModel::changed);
    }
    m_wasScanning = scanning();
}

SpamPanelModel::~SpamPanelModel()
{
    endReading();
}

void SpamPanelModel::scheduleLoad()
{
    m_reload.start();
}

void SpamPanelModel::scanningMaybeEnded()
{
    const bool now = scanning();
    if (m_wasScanning && !now) {
        // The Flagged tab opens after a scan that left flagged comments.
        const QList<ChannelPost> list = posts();
        if (std::any_of(list.begin(), list.end(), [](const ChannelPost &p) { return p.flagged > 0; }))
            setTab(PanelTab::spam);
    }
    m_wasScanning = now;
    scheduleLoad();
    emit changed();
}

void SpamPanelModel::setSite(const QString &site)
{
    if (site == m_site)
        return;
    m_site = site;
    endReading();   // its slices are of the other site
    m_posts.reset();
    m_visibleList.reset();
    scheduleLoad();
    emit changed();
}

void SpamPanelModel::setTab(PanelTab tab)
{
    if (tab == m_tab)
        return;
    m_tab = tab;
    endReading();   // its slices are of the other tab
    scheduleLoad();
    emit tabChanged();
    emit changed();
}

void SpamPanelModel::toggleDeleted()
{
    if (m_tab == PanelTab::deleted) {
        setTab(m_lastTab);
    } else {
        m_lastTab = m_tab;
        setTab(PanelTab::deleted);
    }
}

void SpamPanelModel::setFloor(std::optional<double> floor)
{
    m_floor = floor;
    emit changed();
}

void SpamPanelModel::setCeiling(double ceiling)
{
    m_ceiling = ceiling;
    emit changed();
}

void SpamPanelModel::setBand(double lower, double upper)
{
    const auto [l, u] = band();
    if (lower != l)
        m_floor = lower;
    if (upper != u)
        m_ceiling = upper;
    emit changed();
}

void SpamPanelModel::setUnpicked(const QSet<QString> &ids)
{
    if (ids == m_unpicked)
        return;
    if (m_tab == PanelTab::spam)
        recount(m_unpicked, ids);
    m_unpicked = ids;
    emit changed();
}

void SpamPanelModel::setPicked(const QSet<QString> &ids)
{
    if (ids == m_picked)
        return;
    if (m_tab == PanelTab::comments)
        recount(m_picked, ids);
    m_picked = ids;
    emit changed();
}

void SpamPanelModel::recount(const QSet<QString> &before, const QSet<QString> &after)
{
    if (!m_offer || m_offer->key != visibleKey())
        return;   // made afresh when next asked for
    for (const QString &id : after) {
        if (!before.contains(id)) {
            m_offer->ticked += m_offer->ids.contains(id) ? 1 : 0;
            m_offer->tickedUnpickable += m_offer->unpickable.contains(id) ? 1 : 0;
        }
    }
    for (const QString &id : before) {
        if (!after.contains(id)) {
            m_offer->ticked -= m_offer->ids.contains(id) ? 1 : 0;
            m_offer->tickedUnpickable -= m_offer->unpickable.contains(id) ? 1 : 0;
        }
    }
}

QString SpamPanelModel::visibleKey() const
{
    const auto [lower, upper] = band();
    return QString::number(m_dataVersion) + u'|' + QString::number(m_moreVersion) + u'|' + m_tab.rawValue() + u'|'
        + QString::number(lower) + u'|' + QString::number(upper);
}

const SpamPanelModel::Offer &SpamPanelModel::offer() const
{
    const QString key = visibleKey();
    if (m_offer && m_offer->key == key)
        return *m_offer;
    Offer o;
    o.key = key;
    const QList<ScanStore::Record> records = visibleList();
    if (m_tab == PanelTab::comments) {
        o.records.reserve(records.size());
        o.ids.reserve(records.size());
        for (const ScanStore::Record &r : records) {
            if (r.canPick()) {
                o.records.append(r);
                o.ids.insert(r.id);
            } else {
                o.unpickable.insert(r.id);
            }
        }
    } else {
        o.records = records;
        o.ids.reserve(records.size());
        for (const ScanStore::Record &r : records)
            o.ids.insert(r.id);
    }
    const QSet<QString> &ticks = m_tab == PanelTab::comments ? m_picked : m_unpicked;
    for (const QString &id : ticks) {
        o.ticked += o.ids.contains(id) ? 1 : 0;
        o.tickedUnpickable += o.unpickable.contains(id) ? 1 : 0;
    }
    m_offer = std::move(o);
    return *m_offer;
}

QList<ChannelPost> SpamPanelModel::posts() const
{
    // The post list is read once per change of the site, the history or the post list's rows.
    if (!m_posts)
        m_posts = m_actions ? m_actions->posts(m_site) : QList<ChannelPost>();
    QList<ChannelPost> list = *m_posts;
    if (!m_model)
        return list;
    // The live copy of a post while a queue scan runs; of several with one address the first.
    QHash<QString, const ChannelPost *> live;
    for (const ChannelPost &p : m_model->catalog().rows()) {
        if (!live.contains(p.url))
            live.insert(p.url, &p);
    }
    for (ChannelPost &p : list) {
        if (const ChannelPost *l = live.value(p.url))
            p = *l;
    }
    return list;
}

bool SpamPanelModel::scanning() const
{
    if (!m_model || m_model->removalJob().progress())
        return false;
    return m_model->jobs().scanning() || m_model->jobs().preparing() || m_model->jobs().touring();
}

double SpamPanelModel::defaultFloor() const
{
    int lowest = 100;
    if (m_records.summary) {
        if (m_records.summary->lowestProb)
            lowest = std::min(lowest, AIPercent::of(*m_records.summary->lowestProb));
    }
    if (m_records.lowestPending)
        lowest = std::min(lowest, AIPercent::of(*m_records.lowestPending));
    return std::min(double(m_model ? m_model->ownerSettings().threshold() : 80), double(lowest));
}

std::pair<double, double> SpamPanelModel::band() const
{
    double lower = m_floor.value_or(defaultFloor());
    if (std::isnan(lower))
        lower = defaultFloor();
    lower = std::clamp(lower, 0.0, 100.0);
    double upper = std::isnan(m_ceiling) ? 100 : m_ceiling;
    upper = std::max(std::min(upper, 100.0), lower);
    return {lower, upper};
}

QString SpamPanelModel::loadKey() const
{
    QStringList lines;
    for (const ChannelPost &p : posts()) {
        const double at = p.scannedAt ? double(p.scannedAt->toMSecsSinceEpoch()) / 1000.0 : 0.0;
        lines.append(p.url + u'|' + QString::number(p.total) + u'|' + QString::number(p.flagged) + u'|'
                     + QString::number(p.deleted) + u'|' + QString::number(at, 'f', 3));
    }
    return m_site + u'|' + m_tab.rawValue() + u'|' + QString::number(m_model ? m_model->history().runsVersion() : 0)
        + u'|' + QString::number(m_model ? m_model->history().deletionsVersion() : 0) + u'|' + lines.join(u'\n');
}

namespace {

QList<ScanStore::Record> keptInBand(const QList<ScanStore::Record> &records, std::pair<double, double> band)
{
    QList<ScanStore::Record> kept;
    for (const ScanStore::Record &r : records) {
        const int pct = AIPercent::orFull(r.aiProb);
        if (band.first <= pct && pct <= band.second)
            kept.append(r);
    }
    return kept;
}

}   // namespace

QHash<QString, QList<ScanStore::Record>> SpamPanelModel::inBand(std::pair<double, double> band) const
{
    QHash<QString, QList<ScanStore::Record>> out;
    for (auto it = m_records.shown.constBegin(); it != m_records.shown.constEnd(); ++it)
        out.insert(it.key(), keptInBand(it.value(), band));
    return out;
}

QHash<QString, QList<ScanStore::Record>> SpamPanelModel::visible() const
{
    return m_tab == PanelTab::spam ? inBand(band()) : m_records.shown;
}

QHash<QString, QList<ScanStore::Record>> SpamPanelModel::visible(const QStringList &urls) const
{
    QHash<QString, QList<ScanStore::Record>> out;
    const std::pair<double, double> b = band();
    for (const QString &url : urls) {
        const QList<ScanStore::Record> records = m_records.shown.value(url);
        out.insert(url, m_tab == PanelTab::spam ? keptInBand(records, b) : records);
    }
    return out;
}

QList<ScanStore::Record> SpamPanelModel::visibleList() const
{
    // Kept while the loaded records, the tab, the band and the posts stay: ticks read it often.
    const QString key = visibleKey();
    if (m_visibleList && m_visibleKey == key)
        return *m_visibleList;
    const QHash<QString, QList<ScanStore::Record>> v = visible();
    QList<ScanStore::Record> out;
    for (const ChannelPost &p : posts())
        out += v.value(p.url);
    m_visibleList = out;
    m_visibleKey = key;
    return out;
}

QList<ScanSession> SpamPanelModel::sessions() const
{
    return ScanSession::group(m_runs, runLimit);
}

int SpamPanelModel::deletedCount() const
{
    int sum = 0;
    for (const ChannelPost &p : posts())
        sum += std::max(0, p.deleted);
    return sum;
}

bool SpamPanelModel::scannedAny() const
{
    if (!m_runs.isEmpty())
        return true;
    const QList<ChannelPost> list = posts();
    return std::any_of(list.begin(), list.end(), [](const ChannelPost &p) { return p.scannedAt.has_value(); });
}

QString SpamPanelModel::emptyHint(PanelTab tab, bool scannedAny)
{
    if (!scannedAny)
        return tr("No post scanned yet.\nOpen one of your posts and scan it: its comments show here.");
    switch (PanelTab::Value(tab)) {
    case PanelTab::spam:
        return tr("No suspected comments.");
    case PanelTab::deleted:
        return tr("No deleted comments.");
    case PanelTab::comments:
        break;
    }
    return tr("The scanned posts have no comments.");
}

QString SpamPanelModel::deletedTitle(const QLocale &locale) const
{
    const int n = deletedCount();
    const QString base = tr("Deleted");
    return n < 1 ? base : base + u' ' + locale.toString(n);
}

bool SpamPanelModel::deletedEnabled() const
{
    if (m_model && m_model->removalJob().progress())
        return false;
    return !(deletedCount() == 0 && m_tab != PanelTab::deleted);
}

bool SpamPanelModel::tabsEnabled() const
{
    return !(m_model && m_model->removalJob().progress()) && !scanning();
}

QHash<int, int> SpamPanelModel::tabCounts() const
{
    int total = 0;
    for (const ChannelPost &p : posts())
        total += std::max(0, p.total);
    const int pending = m_records.summary ? m_records.summary->count : int(m_records.pending.size());
    // The Deleted tile counts what the header's Deleted button counts.
    return {{int(PanelTab::comments), total}, {int(PanelTab::spam), pending}, {int(PanelTab::deleted), deletedCount()}};
}

SpamPanelModel::Bar SpamPanelModel::bar() const
{
    Bar b;
    if (const std::optional<RemovalJob::Progress> removal = m_model ? m_model->removalJob().progress() : std::nullopt) {
        b.kind = Bar::Kind::progress;
        const ScanStatusText::State state = ScanStatusText::of(*m_model);
        b.line = ScanStatusText::removalLine(state);
        if (removal->total > 1)
            b.fraction = double(removal->done) / double(removal->total);
        return b;
    }
    if (scanning())
        return b;
    const bool working = m_model && m_model->jobs().working();
    if (m_tab == PanelTab::spam && m_records.anyShown()) {
        const Offer &o = offer();
        b.kind = Bar::Kind::flagged;
        b.flagged = o.records;
        bool anyProb = false;
        for (const auto &list : m_records.shown) {
            for (const ScanStore::Record &r : list)
                anyProb = anyProb || AIPercent::clean(r.aiProb).has_value();
        }
        if (anyProb) {
            b.band = band();
            for (const auto &list : m_records.shown) {
                for (const ScanStore::Record &r : list)
                    b.scores.append(AIPercent::orFull(r.aiProb));
            }
        }
        b.unpicked = m_unpicked;
        b.picks = int(o.records.size()) - o.ticked;
        b.disabled = working || reading();
        return b;
    }
    if (m_tab == PanelTab::comments && !m_picked.isEmpty() && (offer().ticked > 0 || offer().tickedUnpickable > 0)) {
        const Offer &o = offer();
        b.kind = Bar::Kind::comments;
        b.flagged = o.records;
        b.unpicked = o.ids;
        for (const QString &id : m_picked)
            b.unpicked.remove(id);
        b.picks = o.ticked;
        b.disabled = working;
    }
    return b;
}

void SpamPanelModel::writeUnpicked(const QSet<QString> &unpicked)
{
    if (m_tab == PanelTab::comments) {
        const QSet<QString> &ids = offer().ids;
        setPicked((m_picked - ids) + (ids - unpicked));
    } else {
        setUnpicked(unpicked);
    }
}

void SpamPanelModel::load()
{
    m_reload.stop();
    m_posts.reset();
    m_visibleList.reset();
    endReading();
    m_loadedKey = loadKey();
    ScanStore *store = m_model ? m_model->store() : nullptr;
    m_runs = store ? store->runs(m_site, runLimit) : QList<ScanStore::Run>();
    const QString key = m_site + u'|' + m_tab.rawValue();
    // The Flagged tab offers every flagged comment at once, so it reads every post: the first
    // screen's here, a long rest on a worker. The other tabs read what the list shows first, and
    // a reload as many rows as were read before.
    const bool lazy = m_tab != PanelTab::spam;
    const int keep = key == m_shownKey ? std::max(firstRows, m_records.rows) : firstRows;
    PanelRecords read;
    QStringList listed;
    QList<ChannelPost> later;
    qint64 listedComments = 0;
    qint64 firstComments = 0;
    for (const ChannelPost &p : posts()) {
        const int count = m_tab == PanelTab::deleted ? p.deleted : p.total;
        if (!store || !(count > 0 || p.flagged > 0))
            continue;
        listed.append(p.url);
        // A long post is no first-screen read: each post is read whole.
        const qint64 size = std::max(0, p.total);
        listedComments += size;
        if (!lazy && (read.rows >= firstRows || !later.isEmpty() || firstComments + size > firstScreenComments)) {
            later.append(p);
        } else if (!lazy) {
            firstComments += size;
            read.read(*store, p, m_tab);
        } else if (read.rows >= keep || read.partPost()) {
            read.unread.append(p.url);
        } else {
            read.readPart(*store, p, m_tab, keep - read.rows);
        }
    }
    const int generation = ++m_generation;
    // A long history's count over every post, and the Flagged tab's later posts, are read on a
    // worker (an in-memory store has no second connection).
    const bool offThread = !listed.isEmpty() && (lazy || !later.isEmpty()) && listedComments >= m_asideFrom
        && store->isOpen() && store->path() != QStringLiteral(":memory:");
    if (!offThread) {
        if (lazy && store)
            read.summary = store->pendingSummary(m_site, listed);
        for (const ChannelPost &p : std::as_const(later))
            read.read(*store, p, m_tab);
        finish(read, key, generation);
        return;
    }
    // What the Flagged tab's read will hold in all, so that its lists grow once.
    m_expectedRows = 0;
    if (!lazy) {
        for (const ChannelPost &p : std::as_const(later))
            m_expectedRows += std::max(0, std::min(p.flagged, commentLimit));
        m_expectedRows += read.rows;
    }
    auto aside = std::make_shared<Aside>();
    aside->key = key;
    aside->rows = !later.isEmpty();
    aside->counting = true;
    m_aside = aside;
    // The first screen now, the later posts in slices; the list keeps its rows until the first
    // screen replaces them. The count over every post comes from the worker; meanwhile the tile
    // keeps what it showed for this site, else counts what is read so far.
    read.summary = shownSummary();
    const QSet<QString> cut = key == m_shownKey ? cutOf(read) : QSet<QString>();
    if (cut.isEmpty() || m_cutDelay <= 0) {
        apply(read, key);
    } else {
        // The deleted rows fade out first; the slices wait for the first screen.
        aside->held = true;
        m_cutting = cut;
        emit changed();
        QTimer::singleShot(m_cutDelay, this, [this, aside, read, key] {
            if (m_aside != aside)
                return;
            aside->held = false;
            apply(read, key);
            if (m_aside == aside)
                m_slice.start();
        });
    }
    if (m_aside == aside)   // not ended meanwhile by a listener
        readAside(later, listed, aside);
}

std::optional<ScanStore::PendingSummary> SpamPanelModel::shownSummary() const
{
    if (m_shownKey.section(u'|', 0, 0) != m_site)
        return std::nullopt;
    if (m_records.summary)
        return m_records.summary;
    if (m_shownKey.section(u'|', 1) != PanelTab(PanelTab::spam).rawValue())
        return std::nullopt;
    // The Flagged tab read every post: its tile counted the records.
    ScanStore::PendingSummary summary;
    summary.count = int(m_records.pending.size());
    summary.lowestProb = m_records.lowestPending;
    return summary;
}

QSet<QString> SpamPanelModel::cutOf(const PanelRecords &read) const
{
    QSet<QString> cut;
    if (m_tab == PanelTab::deleted || read.deletedIds.isEmpty())
        return cut;
    for (auto it = read.shown.constBegin(); it != read.shown.constEnd(); ++it) {
        for (const ScanStore::Record &r : m_records.shown.value(it.key())) {
            if (read.deletedIds.contains(r.id))
                cut.insert(r.id);
        }
    }
    return cut.isEmpty() ? cut : cut - read.shownIds();
}

void SpamPanelModel::readAside(const QList<ChannelPost> &later, const QStringList &counted,
                               const std::shared_ptr<Aside> &aside)
{
    QPointer<SpamPanelModel> self(this);
    const QString path = m_model->store()->path();
    const QString site = m_site;
    const PanelTab tab = m_tab;
    const int sliceRows = m_sliceRows;
    QThreadPool::globalInstance()->start([self, aside, path, site, tab, later, counted, sliceRows] {
        // The worker never waits for the window: it hands each slice over and wakes the window,
        // which takes one a turn; a read that was ended is dropped.
        auto hand = [&](Aside::Slice &slice, bool last) {
            {
                QMutexLocker lock(&aside->mutex);
                if (!slice.urls.isEmpty())
                    aside->ready.append(std::move(slice));
                aside->done = last;
            }
            slice = Aside::Slice();
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, aside] {
                if (self && self->m_aside == aside)
                    self->m_slice.start();
                },
                Qt::QueuedConnection);
        };
        ScanStore reader(path, ScanStore::Access::readOnly);
        Aside::Slice slice;
        const ScanStore::PendingSummary summary = reader.pendingSummary(site, counted);
        {
            QMutexLocker lock(&aside->mutex);
            aside->summary = summary;
        }
        hand(slice, false);
        for (const ChannelPost &p : later) {
            if (aside->stop.load())
                return;
            PanelRecords post;
            post.read(reader, p, tab);
            // A long post goes in a slice of its own, so that no slice holds much more than
            // sliceRows rows but for a post longer than that.
            if (!slice.urls.isEmpty() && slice.records.rows + post.rows > sliceRows)
                hand(slice, false);
            slice.records.append(post);
            slice.urls.append(p.url);
            if (slice.records.rows >= sliceRows)
                hand(slice, false);
        }
        hand(slice, true);
    });
}

void SpamPanelModel::applySlice(PanelRecords &records, const QStringList &urls)
{
    records.deletedIds.clear();   // only a whole read's cut needs them
    const QString before = visibleKey();
    const bool offerKept = m_offer && m_offer->key == before && m_tab == PanelTab::spam;
    if (m_records.pending.capacity() < m_expectedRows) {   // grown once, not by doubling
        m_records.pending.reserve(m_expectedRows);
        m_records.hits.reserve(m_expectedRows);
    }
    m_records.append(records);
    ++m_moreVersion;
    m_visibleList.reset();
    // The slice's posts follow every post read: what the bar offers grows by theirs, so
    // that the end of the read costs no pass over every row.
    const QString after = visibleKey();
    if (offerKept && after.section(u'|', 2) == before.section(u'|', 2)) {
        const QHash<QString, QList<ScanStore::Record>> v = visible(urls);
        m_offer->key = after;
        if (m_offer->records.capacity() < m_expectedRows) {   // grown once, not by doubling
            m_offer->records.reserve(m_expectedRows);
            m_offer->ids.reserve(m_expectedRows);
        }
        for (const QString &url : urls) {
            for (const ScanStore::Record &r : v.value(url)) {
                m_offer->records.append(r);
                if (m_offer->ids.contains(r.id))
                    continue;
                m_offer->ids.insert(r.id);
                m_offer->ticked += m_unpicked.contains(r.id) ? 1 : 0;
            }
        }
    }
    emit appended(urls);
}

void SpamPanelModel::takeSlice()
{
    const std::shared_ptr<Aside> aside = m_aside;
    if (!aside || aside->held)
        return;
    std::optional<Aside::Slice> slice;
    std::optional<ScanStore::PendingSummary> summary;
    bool more = false;
    bool done = false;
    {
        QMutexLocker lock(&aside->mutex);
        summary = std::exchange(aside->summary, std::nullopt);
        if (!summary && !aside->ready.isEmpty())
            slice = aside->ready.takeFirst();
        more = !aside->ready.isEmpty();
        done = aside->done;
    }
    if (summary) {
        // The count over every post, in a turn of its own.
        aside->counting = false;
        m_records.summary = summary;
        emit changed();
        if (m_aside == aside && (more || done))
            m_slice.start();
        return;
    }
    // Slices while the turn lasts less than sliceBudgetMs, so that no turn holds much more than
    // one slice's work beyond it.
    QElapsedTimer clock;
    clock.start();
    bool took = false;
    while (slice) {
        took = true;
        applySlice(slice->records, slice->urls);
        slice.reset();
        if (m_aside != aside)
            return;   // ended by a listener
        if (clock.elapsed() >= m_sliceBudgetMs)
            break;
        QMutexLocker lock(&aside->mutex);
        if (!aside->ready.isEmpty())
            slice = aside->ready.takeFirst();
        more = !aside->ready.isEmpty();
        done = aside->done;
    }
    if (took) {
        // The next slices, or the end, on a later turn; else the worker's next hand-over wakes it.
        if (more || done)
            m_slice.start();
        return;
    }
    if (!done)
        return;
    m_aside.reset();
    // Every post of the Flagged tab is read: its counts come from the records now.
    if (aside->rows)
        m_records.summary.reset();
    emit changed();
    prepareOffer();
}

bool SpamPanelModel::reading() const
{
    return m_aside && m_aside->rows;
}

bool SpamPanelModel::counting() const
{
    return m_aside && m_aside->counting;
}

void SpamPanelModel::endReading()
{
    m_slice.stop();
    if (!m_aside)
        return;
    m_aside->stop.store(true);
    m_aside.reset();
    // What was read so far is no whole view: the next load reads again whatever its key.
    m_loadedKey.clear();
}

void SpamPanelModel::finish(const PanelRecords &read, const QString &key, int generation)
{
    if (generation != m_generation)
        return;
    QSet<QString> cut;
    if (key == m_shownKey && m_tab != PanelTab::deleted)
        cut = (read.deletedIds & m_records.shownIds()) - read.shownIds();
    if (cut.isEmpty() || m_cutDelay <= 0) {
        apply(read, key);
        return;
    }
    // The deleted rows fade out first; a newer load in the meantime wins.
    m_cutting = cut;
    emit changed();
    QTimer::singleShot(m_cutDelay, this, [this, generation, read, key] {
        if (generation == m_generation)
            apply(read, key);
    });
}

void SpamPanelModel::loadMore()
{
    ScanStore *store = m_model ? m_model->store() : nullptr;
    if (!canLoadMore() || !store)
        return;
    QHash<QString, const ChannelPost *> byUrl;
    const QList<ChannelPost> list = posts();
    for (const ChannelPost &p : list)
        byUrl.insert(p.url, &p);
    // The post read in part goes on first: the list adds rows only after its last ones.
    const int start = m_records.rows;
    QStringList urls;
    while (m_records.rows - start < moreRows) {
        const std::optional<QString> part = m_records.partPost();
        if (!part && m_records.unread.isEmpty())
            break;
        const QString url = part ? *part : m_records.unread.takeFirst();
        const ChannelPost *p = byUrl.value(url);
        if (!p) {
            m_records.endPart();
            continue;
        }
        if (!urls.contains(url))
            urls.append(url);
        if (!m_records.readPart(*store, *p, m_tab, moreRows - (m_records.rows - start)))
            break;
    }
    ++m_moreVersion;
    m_visibleList.reset();
    emit appended(urls);
    emit changed();
    prepareOffer();
}

void SpamPanelModel::loadUpTo(const QString &url)
{
    if (!m_records.unread.contains(url))
        return;
    while (m_records.unread.contains(url))
        loadMore();
}

void SpamPanelModel::apply(const PanelRecords &read, const QString &key)
{
    freeAside(std::exchange(m_records, read), std::exchange(m_offer, std::nullopt),
              std::exchange(m_visibleList, std::nullopt));
    m_records.deletedIds.clear();   // only the load that read them needs them
    m_shownKey = key;
    m_cutting.clear();
    ++m_dataVersion;
    if (m_tab == PanelTab::comments)
        m_picked &= m_records.shownIds();
    emit loaded();
    emit changed();
    prepareOffer();
}

void SpamPanelModel::prepareOffer()
{
    // Made while the window is idle, so that the owner's first tick finds it.
    QTimer::singleShot(0, this, [this] {
        if (m_tab != PanelTab::deleted && !scanning())
            offer();
    });
}

void SpamPanelModel::remove(const QList<ScanStore::Record> &records)
{
    if (records.isEmpty() || !m_actions || (m_model && m_model->jobs().working()))
        return;
    m_actions->removeStored(records);
}

void SpamPanelModel::deletePicks(const QList<ScanStore::Record> &records)
{
    if (m_tab != PanelTab::comments) {
        remove(records);
        return;
    }
    QList<ScanStore::Record> out;
    for (ScanStore::Record r : records) {
        if (!r.isPendingSpam()) {
            r.state = Comment::verdictText(Comment::Verdict::spam);
            r.reason = QStringLiteral("picked");
        }
        out.append(r);
    }
    remove(out);
}

void SpamPanelModel::stop()
{
    if (m_actions)
        m_actions->stopScan();
}
