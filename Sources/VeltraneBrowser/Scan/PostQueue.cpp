#include "Scan/PostQueue.h"

#include "Browser/AccountSession.h"
#include "Browser/Browser.h"
#include "Scan/HistoryState.h"
#include "Scan/JobState.h"
#include "Scan/OpenPage.h"
#include "Scan/OwnerSettings.h"
#include "Scan/PostCatalog.h"
#include "Scan/ScanReport.h"
#include "Scan/StatusLine.h"
#include "Store/ScanStore.h"

#include <QPointer>

#include "Base/ImageStore.h"
#include "Base/Lang.h"
#include "Browser/BrowserError.h"

#include <QUuid>

namespace {

constexpr int kStoredRows = 200;

QString newSession()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

QString openingText()
{
    return QCoreApplication::translate("PostQueue", "Opening the post…");
}

QString couldNotOpenText()
{
    return QCoreApplication::translate("PostQueue", "Couldn't open the comments.");
}

bool unfinished(const ChannelPost &row)
{
    return row.state == ChannelPost::State::waiting || row.state == ChannelPost::State::scanning;
}

}   // namespace

PostQueue::PostQueue(PostCatalog &catalog, OpenPage &page, JobState &jobs, StatusLine &status, ScanReport &report,
                     HistoryState &history, const OwnerSettings &settings, ScanStore &store, Browser *browser,
                     Scan scan, QObject *parent)
    : QObject(parent)
    , m_catalog(catalog)
    , m_page(page)
    , m_jobs(jobs)
    , m_status(status)
    , m_report(report)
    , m_history(history)
    , m_settings(settings)
    , m_store(store)
    , m_browser(browser)
    , m_scan(std::move(scan))
{
}

// ---- the steps of one queued post --------------------------------------------------------------

QCoro::Task<bool> PostQueue::openPost(QString url)
{
    if (steps.open)
        co_return co_await steps.open(url);
    if (m_jobs.stop().queue)
        co_return false;
    co_return co_await m_page.load(url, loadBudget);
}

QCoro::Task<bool> PostQueue::waitForComments()
{
    if (steps.waitForComments)
        co_return co_await steps.waitForComments();
    co_return co_await m_page.waitForComments(commentsBudget);
}

QCoro::Task<void> PostQueue::scanPost()
{
    if (steps.scan)
        co_await steps.scan();
    else
        co_await m_scan(false, true);
}

// ---- the queue ---------------------------------------------------------------------------------

QCoro::Task<void> PostQueue::scanPosts(QStringList urls)
{
    QPointer<PostQueue> self(this);
    for (const QString &url : std::as_const(urls)) {
        if (m_jobs.stop().queue)
            break;
        bool listed = false;
        for (const ChannelPost &row : std::as_const(m_catalog.rows()))
            listed |= row.url == url;
        if (!listed)
            continue;
        m_catalog.setRow(url, [](ChannelPost &row) { row.state = ChannelPost::State::scanning; });
        m_page.setHasScanned(false);
        m_page.setScanActivity(ScanActivity::fresh(m_settings.aiOn()));
        m_page.setProgress(std::nullopt);
        m_status.set(openingText(), StatusKind::plain);
        m_history.setLoggedRun(false);

        bool opened = co_await openPost(url);
        if (!self)
            co_return;
        if (opened) {
            opened = co_await waitForComments();
            if (!self)
                co_return;
            opened = opened && !m_jobs.stop().queue;
        }
        if (!opened) {
            const QString note = couldNotOpenText();
            const bool stopped = m_jobs.stop().queue;
            m_catalog.setRow(url, [&](ChannelPost &row) {
                row.state = stopped ? ChannelPost::State::waiting : ChannelPost::State::failed;
                row.note = note;
            });
            if (!stopped)
                m_history.logFailedScan(url, note);
            continue;
        }

        co_await scanPost();
        if (!self)
            co_return;
        if (m_page.hasScanned())
            continue;
        // A scan that refused silently left the opening text: that is no reason to show.
        const QString note = m_status.text() == openingText() ? couldNotOpenText() : m_status.text();
        bool marked = false;
        m_catalog.setRow(url, [&](ChannelPost &row) {
            row.state = ChannelPost::State::failed;
            row.note = note;
            marked = true;
        });
        if (marked && !m_history.loggedRun() && !m_jobs.stop().queue)
            m_history.logFailedScan(url, note);
    }
}

QCoro::Task<void> PostQueue::scanSelected(QList<ChannelPost> posts)
{
    if (m_jobs.working() || !m_browser || m_browser->accounts()->isAuthenticating())
        co_return;
    QList<ChannelPost> queue;
    QSet<QString> taken;
    for (const ChannelPost &post : std::as_const(posts)) {
        const std::optional<ScanStore::PostKey> key = ScanStore::canonical(post.url);
        if (!key || taken.contains(key->url))
            continue;
        taken.insert(key->url);
        ChannelPost row = post;
        row.site = key->site;
        row.url = key->url;
        row.state = ChannelPost::State::waiting;
        row.note.clear();
        row.added = 0;
        queue.append(row);
    }
    if (queue.isEmpty())
        co_return;

    m_report.setIssue(QString());
    m_jobs.start(JobState::Job::queue);
    m_history.setRunSession(newSession());
    m_history.setSessionAuto(false);
    emit browserNeeded();
    const QList<ChannelPost> old = m_catalog.rows();
    m_catalog.setRows(queue);
    QStringList urls;
    for (const ChannelPost &row : std::as_const(queue))
        urls.append(row.url);

    QPointer<PostQueue> self(this);
    co_await scanPosts(urls);
    if (!self)
        co_return;

    int done = 0;
    int failed = 0;
    int flagged = 0;
    for (const ChannelPost &row : std::as_const(m_catalog.rows())) {
        if (row.state == ChannelPost::State::done) {
            ++done;
            flagged += row.flagged;
        } else if (row.state == ChannelPost::State::failed) {
            ++failed;
        }
    }
    const int queued = int(queue.size());

    QList<ChannelPost> rows = m_catalog.rows();
    QSet<QString> listed;
    for (ChannelPost &row : rows) {
        if (unfinished(row)) {
            for (const ChannelPost &before : old) {
                if (before.url == row.url) {
                    row = before;
                    break;
                }
            }
        }
        listed.insert(row.url);
    }
    for (const ChannelPost &before : old)
        if (!listed.contains(before.url))
            rows.append(before);
    m_catalog.setRows(rows);
    m_history.setStats(m_store.stats());

    QString summary = tr("%1/%2 posts checked · %3 flagged").arg(done).arg(queued).arg(flagged);
    if (m_jobs.stop().queue)
        summary += tr(" · Stopped");
    m_status.set(summary, failed == 0 && flagged == 0 ? StatusKind::ok : StatusKind::warn);
    if (failed > 0)
        m_report.report(tr("%1 posts could not be checked. See their statuses.").arg(failed));
    m_jobs.end(JobState::Job::queue);
    m_page.setProgress(std::nullopt);
    m_history.setRunSession(std::nullopt);
    m_history.setSessionAuto(false);
}

// ---- channel scans -----------------------------------------------------------------------------

QCoro::Task<void> PostQueue::scanChannels(bool automatic)
{
    if (m_jobs.working() || !m_browser || m_browser->accounts()->isAuthenticating())
        co_return;
    const QList<LoginProvider> sites = m_catalog.providers();
    if (sites.isEmpty()) {
        const QString text = tr("Sign in to YouTube or Instagram on the left first.");
        m_status.set(text, StatusKind::warn);
        m_report.setIssue(text);
        co_return;
    }

    m_report.setIssue(QString());
    m_jobs.start(JobState::Job::queue);
    m_history.setRunSession(newSession());
    m_history.setSessionAuto(automatic);
    m_jobs.stop().queue = false;
    m_page.setAutoScan(std::nullopt);
    m_catalog.setRows({});
    QStringList notes;
    QPointer<PostQueue> self(this);

    for (const LoginProvider site : sites) {
        if (m_jobs.stop().queue)
            continue;
        const QString name = site.displayName();
        const QString raw = site.rawValue();
        m_status.set(tr("Finding your latest %1 posts…").arg(name), StatusKind::plain);
        QList<FoundPost> found;
        std::optional<QString> failure;
        try {
            found = co_await m_catalog.discover(site, std::nullopt);
        } catch (const BrowserError &e) {
            failure = e.description();
        } catch (const std::exception &e) {
            failure = QString::fromUtf8(e.what());
        }
        if (!self)
            co_return;
        if (failure) {
            if (!m_jobs.stop().queue)
                notes.append(name + QStringLiteral(": ") + localizedSiteMessage(*failure));
            continue;
        }
        for (FoundPost &post : found)
            if (const std::optional<ScanStore::PostKey> key = ScanStore::canonical(post.url))
                post.url = key->url;
        if (found.isEmpty() && !m_jobs.stop().queue)
            notes.append(name + tr(": no posts found."));

        // The found posts, then the monitored ones; one candidate per address (a Shorts and a
        // watch address of one video are one post once made canonical).
        const QList<ScanStore::Post> stored = m_store.posts(kStoredRows);
        QHash<QString, ScanStore::Post> storedByUrl;
        for (const ScanStore::Post &p : stored)
            storedByUrl.insert(p.url, p);
        QList<FoundPost> candidates;
        QSet<QString> seen;
        for (const FoundPost &post : std::as_const(found)) {
            if (seen.contains(post.url))
                continue;
            seen.insert(post.url);
            candidates.append(post);
        }
        for (const ScanStore::Post &p : stored) {
            if (!p.watched || p.site != raw || seen.contains(p.url))
                continue;
            seen.insert(p.url);
            candidates.append(FoundPost{p.url, p.title, p.thumbnail});
        }
        QSet<QString> listed;
        for (const ChannelPost &row : std::as_const(m_catalog.rows()))
            listed.insert(row.url);
        QList<ChannelPost> rows = m_catalog.rows();
        QStringList urls;
        for (const FoundPost &c : std::as_const(candidates)) {
            urls.append(c.url);
            if (listed.contains(c.url))
                continue;
            const auto known = storedByUrl.constFind(c.url);
            const bool isStored = known != storedByUrl.constEnd();
            ChannelPost row;
            row.site = raw;
            row.url = c.url;
            row.title = !c.title.isEmpty() ? c.title : isStored ? known->title : QString();
            row.watched = isStored && known->watched;
            row.deleted = isStored ? known->deleted : 0;
            row.thumbnail = ChannelPost::thumbnailOf(raw, c.url, {c.thumb, isStored ? known->thumbnail : std::nullopt});
            if (row.thumbnail)
                ImageStore::shared().prefetch(*row.thumbnail);
            rows.append(row);
        }
        m_catalog.setRows(rows);
        co_await scanPosts(urls);
        if (!self)
            co_return;
    }

    QList<ChannelPost> rows;
    int scanned = 0;
    int flagged = 0;
    QSet<QString> listed;
    for (const ChannelPost &row : std::as_const(m_catalog.rows())) {
        if (unfinished(row))
            continue;
        rows.append(row);
        listed.insert(row.url);
        if (row.state == ChannelPost::State::done) {
            ++scanned;
            flagged += row.flagged;
        }
    }
    for (const ScanStore::Post &p : m_store.posts(kStoredRows))
        if (!listed.contains(p.url))
            rows.append(PostCatalog::row(p, ChannelPost::State::done));
    m_catalog.setRows(rows);
    m_history.setStats(m_store.stats());

    QString tail = m_jobs.stop().queue ? tr(" Stopped.") : QString();
    for (const QString &note : std::as_const(notes))
        tail += u' ' + note;
    for (const QString &note : std::as_const(notes))
        m_report.report(note);
    if (scanned == 0) {
        const QString none = tr("No posts were scanned.");
        m_status.set(none + tail, StatusKind::warn);
        if (!m_jobs.stop().queue)
            m_report.report(none);
    } else if (flagged >= 1) {
        const QString hint = tr(" Open a post to review and delete.");
        m_status.set(tr("Scanned %1 posts and flagged %2.").arg(scanned).arg(flagged) + hint + tail, StatusKind::warn);
    } else {
        m_status.set(tr("Scanned %1 posts; no suspected spam.").arg(scanned) + tail,
                     notes.isEmpty() ? StatusKind::ok : StatusKind::warn);
    }
    m_jobs.end(JobState::Job::queue);
    m_page.setProgress(std::nullopt);
    m_history.setRunSession(std::nullopt);
    m_history.setSessionAuto(false);
}
