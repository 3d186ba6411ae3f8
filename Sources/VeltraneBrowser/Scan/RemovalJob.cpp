#include "Scan/RemovalJob.h"

#include "Base/Lang.h"
#include "Browser/AccountSession.h"
#include "Browser/Browser.h"
#include "Browser/BrowserError.h"
#include "Browser/BrowserTab.h"
#include "Browser/PageLoad.h"
#include "Page/SpamEngine.h"
#include "Rules/SpamRules.h"
#include "Scan/HistoryState.h"
#include "Scan/JobState.h"
#include "Scan/OpenPage.h"
#include "Scan/PostCatalog.h"
#include "Scan/PostReview.h"
#include "Scan/ScanReport.h"
#include "Scan/StatusLine.h"
#include "Sites/AuthPolicy.h"
#include "Wire/DecodeError.h"
#include "Wire/RemoveResult.h"

#include <QCoro/QCoroTimer>
#include <QPointer>
#include <QWebEnginePage>

#include <chrono>
#include <exception>

using namespace std::chrono_literals;

namespace {

QString text(const char *source)
{
    return QCoreApplication::translate("RemovalJob", source);
}

QString cancelledText()
{
    return text(QT_TRANSLATE_NOOP("RemovalJob", "Deletion cancelled."));
}

QString deferredTail(int deferred)
{
    if (deferred < 1)
        return QString();
    return text(QT_TRANSLATE_NOOP("RemovalJob", " Delete the other %1 next time.")).arg(deferred);
}

QString deletedText(qsizetype n, int deferred)
{
    return text(QT_TRANSLATE_NOOP("RemovalJob", "Deleted %1.")).arg(n) + deferredTail(deferred);
}

QString deletedSuffix(qsizetype n)
{
    return text(QT_TRANSLATE_NOOP("RemovalJob", " (%1 deleted)")).arg(n);
}

QString signInText()
{
    return text(QT_TRANSLATE_NOOP("RemovalJob", "You can delete comments on your own posts after signing in."));
}

QString checkText()
{
    return text(
        QT_TRANSLATE_NOOP("RemovalJob",
                          "The site asked you to sign in or pass a check. Finish it on the page, then try again."));
}

QString openingText()
{
    return text(QT_TRANSLATE_NOOP("RemovalJob", "Opening the post…"));
}

QString couldNotOpenText()
{
    return text(QT_TRANSLATE_NOOP("RemovalJob", "Couldn't open the post."));
}

QString dryRunText(qsizetype comments, qsizetype posts, int deferred)
{
    // English says "comment" or "comments", "post" or "posts", by count.
    const char *sentence = comments == 1
        ? (posts == 1 ? QT_TRANSLATE_NOOP("RemovalJob", "Dry run: %1 comment on %2 post would be deleted.")
                      : QT_TRANSLATE_NOOP("RemovalJob", "Dry run: %1 comment on %2 posts would be deleted."))
        : (posts == 1 ? QT_TRANSLATE_NOOP("RemovalJob", "Dry run: %1 comments on %2 post would be deleted.")
                      : QT_TRANSLATE_NOOP("RemovalJob", "Dry run: %1 comments on %2 posts would be deleted."));
    QString out = text(sentence).arg(comments).arg(posts);
    if (deferred >= 1)
        out += text(QT_TRANSLATE_NOOP("RemovalJob", " The other %1 would be left for next time.")).arg(deferred);
    return out + text(QT_TRANSLATE_NOOP("RemovalJob", " Nothing was deleted."));
}

}   // namespace

RemovalJob::RemovalJob(Inputs inputs, QObject *parent)
    : QObject(parent)
    , m_store(inputs.store)
    , m_engine(inputs.engine)
    , m_browser(inputs.browser)
    , m_review(inputs.review)
    , m_page(inputs.page)
    , m_catalog(inputs.catalog)
    , m_jobs(inputs.jobs)
    , m_status(inputs.status)
    , m_history(inputs.history)
    , m_report(inputs.report)
    , m_alerts(std::move(inputs.alerts))
    , m_scan(std::move(inputs.scan))
    , m_takeOverBrowser(std::move(inputs.takeOverBrowser))
{
}

QHash<QString, QList<Comment>> RemovalJob::threadsOf(const QList<Comment> &comments, const QStringList &ids)
{
    // A reply's id is its thread's id, a dot and its own part; a thread's id has no dot.
    QHash<QString, QList<Comment>> threads;
    const QSet<QString> chosen(ids.begin(), ids.end());
    for (const QString &id : ids) {
        if (!id.isEmpty() && !id.contains(QLatin1Char('.')))
            threads.insert(id, {});
    }
    if (threads.isEmpty())
        return threads;
    for (const Comment &c : comments) {
        const qsizetype dot = c.id.indexOf(QLatin1Char('.'));
        if (dot <= 0 || chosen.contains(c.id))
            continue;
        const auto thread = threads.find(c.id.left(dot));
        if (thread != threads.end())
            thread->append(c);
    }
    for (auto it = threads.begin(); it != threads.end();) {
        if (it->isEmpty())
            it = threads.erase(it);
        else
            ++it;
    }
    return threads;
}

RemovalJob::Replies RemovalJob::count(const QHash<QString, QList<Comment>> &threads)
{
    Replies out;
    for (const QList<Comment> &replies : threads) {
        for (const Comment &c : replies) {
            ++out.count;
            out.unflagged += c.verdict() == Comment::Verdict::spam ? 0 : 1;
            out.owner += c.isOwner ? 1 : 0;
        }
    }
    return out;
}

namespace {

// What the owner must know about the replies that go with the chosen threads.
QString repliesText(const RemovalJob::Replies &replies)
{
    if (replies.count < 1)
        return RemovalJob::tr("Only the selected comments are deleted.");
    QString out =
        RemovalJob::tr("Deleting a comment also deletes its replies: %n more comment(s) will be deleted with the "
                       "chosen threads.",
                       nullptr, replies.count);
    if (replies.unflagged > 0)
        out += u' ' + RemovalJob::tr("%n of them are not flagged as spam.", nullptr, replies.unflagged);
    if (replies.owner > 0)
        out += u' ' + RemovalJob::tr("%n of them were written by you.", nullptr, replies.owner);
    out += u' ' + RemovalJob::tr("To keep the replies, untick the comment that starts their thread.");
    return out;
}

// One chosen comment as the agent's question shows it: its author and the start of its text.
QString commentLine(const Comment &c)
{
    constexpr qsizetype longest = 80;
    QString text = c.text.simplified();
    if (text.size() > longest)
        text = text.left(longest - 1).trimmed() + QChar(0x2026);
    const QString author = c.authorName.simplified().isEmpty() ? RemovalJob::tr("(no name)")
                                                               : c.authorName.simplified();
    return QStringLiteral("\u2022 ") + author + QStringLiteral(": ") + text;
}

}   // namespace

Alerts::Question RemovalJob::question(int count, Replies replies)
{
    return {tr("Delete %n comment(s)", nullptr, count),
            repliesText(replies) + u' ' + tr("Deleted comments can't be restored."),
            {tr("Cancel"), tr("Delete %1").arg(count)},
            1};
}

Alerts::Question RemovalJob::agentQuestion(const QList<Comment> &chosen, Replies replies, const QString &post)
{
    const int n = int(chosen.size());
    QStringList lines;
    lines << (post.isEmpty() ? tr("The connected AI agent asks to delete these comments on the open post:")
                             : tr("The connected AI agent asks to delete these comments on “%1”:").arg(post));
    for (qsizetype i = 0; i < chosen.size() && i < agentShown; ++i)
        lines << commentLine(chosen.at(i));
    if (n > agentShown)
        lines << tr("…and %n more.", nullptr, n - agentShown);
    return {tr("The AI agent asks to delete %n comment(s)", nullptr, n),
            lines.join(u'\n') + QStringLiteral("\n\n") + repliesText(replies) + u' '
                + tr("Deleted comments can't be restored. Delete them only if you asked the agent to."),
            {tr("Cancel"), tr("Delete %1").arg(n)},
            1};
}


RemovalJob::Replies &RemovalJob::Replies::operator+=(const Replies &other)
{
    count += other.count;
    unflagged += other.unflagged;
    owner += other.owner;
    return *this;
}

QStringList RemovalJob::selectedIn(const QList<Comment> &comments)
{
    QStringList ids;
    for (const Comment &c : comments) {
        if (c.verdict() == Comment::Verdict::spam && c.checked)
            ids.append(c.id);
    }
    return ids;
}

QStringList RemovalJob::selectedIds() const
{
    return selectedIn(m_review.comments());
}

RemovalJob::PagePlan RemovalJob::planPage(const QList<Comment> &comments)
{
    PagePlan out;
    out.ids = plan(selectedIn(comments));
    // The site deletes a thread's replies with it: the owner is told before confirming.
    out.threads = threadsOf(comments, out.ids.now);
    out.replies = count(out.threads);
    return out;
}

RemovalJob::StoredPlan RemovalJob::planStored(const QList<ScanStore::Record> &records)
{
    StoredPlan out;
    out.records = plan(records);
    for (const ScanStore::Record &r : std::as_const(out.records.now)) {
        if (!out.byPost.contains(r.post))
            out.posts.append(r.post);
        out.byPost[r.post].append(r);
        out.ids.append(r.id);
    }
    return out;
}

RemovalJob::Replies RemovalJob::storedReplies(ScanStore &store, const StoredPlan &plan)
{
    Replies replies;
    const QSet<QString> picked(plan.ids.begin(), plan.ids.end());
    for (const QString &url : plan.posts) {
        const QList<ScanStore::Record> picks = plan.byPost.value(url);
        QStringList threads;
        for (const ScanStore::Record &r : picks)
            threads.append(r.id);
        for (const ScanStore::Record &r : store.threadReplies(picks.first().site, url, threads)) {
            if (picked.contains(r.id))
                continue;
            ++replies.count;
            replies.unflagged += r.verdict() == Comment::Verdict::spam ? 0 : 1;
            replies.owner += r.owner ? 1 : 0;
        }
    }
    return replies;
}

bool RemovalJob::authenticating() const
{
    return m_browser && m_browser->accounts()->isAuthenticating();
}

bool RemovalJob::canRemove() const
{
    if (authenticating())
        return false;
    if (!m_page.info() || !m_page.info()->supported)
        return false;
    return m_page.info()->canRemove;
}

bool RemovalJob::stopAsked() const
{
    return m_jobs.stop().queue;
}

Alerts *RemovalJob::alerts() const
{
    return m_alerts ? m_alerts() : Alerts::shared();
}

void RemovalJob::setProgress(const std::optional<Progress> &progress)
{
    if (m_progress == progress)
        return;
    m_progress = progress;
    emit progressChanged();
}

void RemovalJob::setLastCount(int count)
{
    if (m_lastCount == count)
        return;
    m_lastCount = count;
    emit lastCountChanged();
}

void RemovalJob::noteWritten(bool written)
{
    if (!written && m_unrecorded.isEmpty())
        m_unrecorded = m_history.writeError();
}

QString RemovalJob::unrecordedSentence() const
{
    if (m_unrecorded.isEmpty())
        return QString();
    // A history that is off was explained once already (and stays in the settings).
    if (!m_history.notice().isEmpty())
        return tr(
            " These deletions were not recorded: history is off for this run (Settings › History says why and what to do).");
    return tr(" These deletions were not fully recorded in the history: ") + m_unrecorded;
}

void RemovalJob::settleThreads(const std::optional<ScanStore::PostKey> &post, const QStringList &asked)
{
    // What the site did not delete is pending again.
    if (post)
        noteWritten(m_store->settleRemoving(*post, asked));
    QHash<QString, QList<Comment>> gone;
    for (auto it = m_threads.constBegin(); it != m_threads.constEnd(); ++it) {
        for (const Comment &c : it.value()) {
            if (m_goneWithThread.contains(c.id))
                gone[it.key()].append(c);
        }
    }
    m_lastReplies = count(gone);
}

bool RemovalJob::samePage(const QUuid &pageID) const
{
    return m_browser && m_browser->pageID() == pageID;
}

void RemovalJob::recordDeleted(const ScanStore::PostKey &post, const QStringList &fresh)
{
    if (!fresh.isEmpty()) {
        // Committed at once: what the site deleted is on disk before the next report.
        const QDateTime now = QDateTime::currentDateTime();
        noteWritten(m_store->markDeleted(post, fresh, now));
        m_catalog.setRow(post.url, [&](ChannelPost &row) { row.deleted += int(fresh.size()); });
        // The site took each deleted thread's replies with it.
        QStringList replies;
        for (const QString &id : fresh) {
            for (const Comment &c : m_threads.value(id)) {
                if (!m_asked.contains(c.id) && !m_goneWithThread.contains(c.id)) {
                    m_goneWithThread.insert(c.id);
                    replies.append(c.id);
                }
            }
        }
        if (!replies.isEmpty())
            noteWritten(m_store->markGone(post, replies, ScanStore::Gone::withThread, now));
    }
    m_history.syncPost(post.url);
    m_history.raiseDeletionsVersion();
}

// ---- a deletion on the open post ------------------------------------------------------------

QCoro::Task<void> RemovalJob::removeSelected(Confirm confirm, Asker asker)
{
    // Every co_await stands in a statement of its own: g++ 12 mishandles the temporaries of a
    // co_await inside a condition.
    begin();
    std::optional<OnPage> job = planOnPage();
    if (!job)
        co_return;
    QPointer<RemovalJob> self(this);
    m_jobs.start(JobState::Job::removal);
    const bool yes = co_await confirmOnPage(*job, std::move(confirm), asker);
    if (!self)
        co_return;
    if (!yes) {
        m_status.set(cancelledText(), StatusKind::plain);
        end();
        co_return;
    }
    if (!samePage(job->pageID) || m_browser->address() != job->url) {
        end();
        co_return;
    }

    QStringList flagIds = startOnPage(*job);
    RemoveResult result;
    std::exception_ptr error;
    try {
        result = co_await deleteOnPage(*job, std::move(flagIds));
    } catch (...) {
        error = std::current_exception();
    }
    if (!self)
        co_return;
    // Reports still on their way add nothing: the answer below holds every id they could.
    m_page.stopPolling();

    // A page change fails the call; what the progress reports recorded before it is kept below.
    const bool moved = !samePage(job->pageID);
    if (error && !moved) {
        fail(*job, error);
    } else {
        collectGone(*job, result);
        if (!(moved && job->gone.isEmpty())) {
            const Summary summary = summarize(*job, result);
            recordRun(*job, summary, moved);
            if (!moved)
                report(summary);
        }
    }
    end();
}

void RemovalJob::begin()
{
    setLastCount(0);
    m_lastBlocked = false;
    m_lastStop.clear();
    m_deletedNow.clear();
    m_goneWithThread.clear();
    m_lastReplies = {};
    // A deletion of stored records keeps what failed to be written over all its posts.
    if (!m_jobs.touring())
        m_unrecorded.clear();
}

std::optional<RemovalJob::OnPage> RemovalJob::planOnPage() const
{
    OnPage job;
    job.plan = planPage(m_review.comments());
    if (job.plan.ids.now.isEmpty() || m_jobs.busy() || m_jobs.scanning() || !canRemove())
        return std::nullopt;
    if (!m_browser || !m_engine || !m_page.pageID() || *m_page.pageID() != m_browser->pageID())
        return std::nullopt;
    if (!m_page.scannedURL() || m_browser->address() != *m_page.scannedURL())
        return std::nullopt;
    job.pageID = m_browser->pageID();
    job.url = *m_page.scannedURL();
    job.post = ScanStore::canonical(job.url);
    return job;
}

QCoro::Task<bool> RemovalJob::confirmOnPage(const OnPage &job, Confirm confirm, Asker asker)
{
    const QStringList &ids = job.plan.ids.now;
    if (confirm)
        co_return co_await confirm(ids);
    if (asker == Asker::owner)
        co_return co_await alerts()->ask(question(int(ids.size()), job.plan.replies)) == 1;
    QList<Comment> chosen;
    for (const QString &id : ids) {
        const QList<Comment> &comments = m_review.comments();
        const auto found = std::find_if(comments.begin(), comments.end(),
                                        [&id](const Comment &c) { return c.id == id; });
        if (found != comments.end())
            chosen.append(*found);
    }
    QString title = ScanStore::cleanTitle(m_browser->title());
    for (const ChannelPost &p : m_catalog.rows()) {
        if (job.post && p.url == job.post->url && !p.title.isEmpty())
            title = p.title;
    }
    co_return co_await alerts()->ask(agentQuestion(chosen, job.plan.replies, title)) == 1;
}

QStringList RemovalJob::startOnPage(OnPage &job)
{
    const QStringList &ids = job.plan.ids.now;
    m_asked = QSet<QString>(ids.begin(), ids.end());
    m_post = job.post;
    m_threads = job.plan.threads;
    // Marked before the page starts: a deletion cut short still tells a later scan which
    // comments we were deleting.
    if (job.post)
        noteWritten(m_store->markRemoving(*job.post, ids, QDateTime::currentDateTime()));
    m_page.startPolling(job.pageID);
    m_report.setIssue(QString());
    m_status.set(tr("Deleting…"), StatusKind::warn);

    // The asked comments as they are now: the run's items even if the page goes away meanwhile.
    QStringList flagIds;
    for (const Comment &c : m_review.comments()) {
        if (!m_asked.contains(c.id))
            continue;
        job.asked.append(c);
        // What our own checks flagged (not the site's marking) is outlined on the page meanwhile.
        if (c.aiKind || c.knownSpammer || c.reason.startsWith(QLatin1String("custom:"))
            || c.reason.startsWith(QLatin1String("dict:")) || m_review.restored().contains(c.id))
            flagIds.append(c.id);
    }
    return flagIds;
}

QCoro::Task<RemoveResult> RemovalJob::deleteOnPage(const OnPage &job, QStringList flagIds)
{
    QPointer<RemovalJob> self(this);
    const QStringList ids = job.plan.ids.now;
    const QString url = job.url;
    SpamEngine *engine = m_engine;
    if (!flagIds.isEmpty())
        co_await engine->flag(flagIds, url);
    if (!self)
        co_return RemoveResult();
    co_return co_await engine->remove(ids, url, true);
}

void RemovalJob::fail(const OnPage &job, std::exception_ptr error)
{
    QString reason;
    try {
        std::rethrow_exception(error);
    } catch (const BrowserError &e) {
        reason = e.description();
    } catch (const DecodeError &e) {
        reason = SpamEngine::unreadableMessage() + QStringLiteral(" (") + e.message() + u')';
    } catch (const std::exception &e) {
        reason = QString::fromUtf8(e.what());
    } catch (...) {
    }
    const QString text = tr("Delete error: %1").arg(localizedSiteMessage(reason));
    // Comments that progress reports recorded as deleted before the failure stay recorded.
    setLastCount(int(m_deletedNow.size()));
    settleThreads(job.post, job.plan.ids.now);
    if (!m_deletedNow.isEmpty()) {
        QList<Comment> left = m_review.comments();
        left.removeIf(
            [this](const Comment &c) { return m_deletedNow.contains(c.id) || m_goneWithThread.contains(c.id); });
        m_review.setComments(left);
    }
    noteWritten(m_history.logFailedRemoval(job.url, int(job.plan.ids.now.size()), text));
    m_status.set(text + unrecordedSentence(), StatusKind::warn);
    m_report.report(text + unrecordedSentence());
}

void RemovalJob::collectGone(OnPage &job, const RemoveResult &result)
{
    // Only ids that were asked for count, whatever else the page claims.
    job.gone = m_deletedNow;
    QStringList fresh;
    for (const QString &id : result.gone) {
        if (!m_asked.contains(id) || job.gone.contains(id))
            continue;
        job.gone.insert(id);
        fresh.append(id);
    }
    if (job.post && !job.gone.isEmpty())
        recordDeleted(*job.post, fresh);
    settleThreads(job.post, job.plan.ids.now);
}

RemovalJob::Summary RemovalJob::summarize(const OnPage &job, const RemoveResult &result)
{
    const qsizetype n = job.gone.size();
    const qsizetype remain = job.plan.ids.now.size() - n;
    setLastCount(int(n));
    Summary out;
    if (result.stopped) {
        const Stopped &stop = *result.stopped;
        m_lastStop = localizedSiteMessage(stop.text);
        out.text = m_lastStop + (n > 0 ? deletedSuffix(n) : QString());
        if (stop.reason() == Stopped::Reason::blocked) {
            m_lastBlocked = true;
            out.kind = StatusKind::warn;
            out.toIssue = true;
        } else if (stop.reason() == Stopped::Reason::error) {
            out.kind = StatusKind::warn;
            out.toIssue = true;
        }
    } else if (remain < 1) {
        out.text = deletedText(n, job.plan.ids.deferred);
        out.kind = StatusKind::ok;
    } else {
        out.text = tr("%1 deleted; %2 still remain.").arg(n).arg(remain);
        out.kind = StatusKind::warn;
        out.toIssue = true;
    }
    if (m_lastReplies.count > 0)
        out.text += u' ' + tr("%n more went with their threads.", nullptr, m_lastReplies.count);
    // The run's note: none for a deletion that did all it was asked.
    out.runNote = !result.stopped && n == job.plan.ids.now.size() ? QString() : out.text;
    return out;
}

void RemovalJob::recordRun(const OnPage &job, const Summary &summary, bool moved)
{
    const qsizetype n = job.gone.size();
    // What the site deleted is recorded for the scanned post even when the owner has moved on;
    // only the open page's list and status are left to the new page.
    if (!moved) {
        QList<Comment> left = m_review.comments();
        left.removeIf(
            [&job, this](const Comment &c) { return job.gone.contains(c.id) || m_goneWithThread.contains(c.id); });
        m_review.setComments(left);
        if (n > 0)
            m_review.setJustKept({});
    }
    if (!job.post)
        return;
    ScanStore::Run run;
    run.kind = ScanStore::Run::Kind::Delete;
    run.site = job.post->site;
    run.post = job.post->url;
    run.at = QDateTime::currentDateTime();
    run.total = int(job.plan.ids.now.size());
    run.deleted = int(n);
    run.failed = n == 0;
    run.note = summary.runNote;
    QList<ScanStore::Item> items;
    for (const Comment &c : job.asked) {
        if (!job.gone.contains(c.id))
            continue;
        items.append({c.id, c.state, ScanReport::runItemKind(c), c.reason, c.aiProb, c.hits, false});
    }
    noteWritten(m_history.logRun(run, items));
}

void RemovalJob::report(Summary summary)
{
    // What the site deleted and the history did not take must not read as done.
    if (!m_unrecorded.isEmpty()) {
        summary.text += unrecordedSentence();
        summary.kind = StatusKind::warn;
        summary.toIssue = true;
    }
    m_status.set(summary.text, summary.kind);
    if (summary.toIssue)
        m_report.report(summary.text);
}

void RemovalJob::end()
{
    m_page.stopPolling();
    m_asked.clear();
    m_post.reset();
    m_threads.clear();
    m_jobs.end(JobState::Job::removal);
    m_page.setProgress(std::nullopt);
}

void RemovalJob::noteDeleted(const QStringList &ids, const std::optional<ScanStore::PostKey> &page)
{
    // Recorded only while a deletion runs, for its own post and the ids it asked for.
    if (!m_post || !page || *page != *m_post)
        return;
    QStringList fresh;
    for (const QString &id : ids) {
        if (m_asked.contains(id) && !m_deletedNow.contains(id)) {
            m_deletedNow.insert(id);
            fresh.append(id);
        }
    }
    if (!fresh.isEmpty())
        recordDeleted(*page, fresh);
}

// ---- a deletion of stored records -----------------------------------------------------------

QCoro::Task<int> RemovalJob::removeStored(QList<ScanStore::Record> records, Confirm confirm, bool dryRun)
{
    if (m_jobs.working() || records.isEmpty() || authenticating())
        co_return 0;
    const StoredPlan plan = planStored(records);
    if (dryRun) {
        // Nothing is opened, asked or written: only what this pass would delete is told.
        m_status.set(dryRunText(plan.ids.size(), plan.posts.size(), plan.records.deferred), StatusKind::plain);
        co_return 0;
    }
    QPointer<RemovalJob> self(this);
    const bool yes = co_await confirmStored(plan, std::move(confirm));
    if (!self)
        co_return 0;
    if (!yes) {
        m_status.set(cancelledText(), StatusKind::plain);
        co_return 0;
    }
    // Another job may have started while the question was open.
    if (m_jobs.working())
        co_return 0;

    startStored(plan.posts.size());
    Tour tour;
    for (qsizetype i = 0; i < plan.posts.size() && !stopAsked() && tour.stopText.isEmpty(); ++i) {
        const QString &url = plan.posts.at(i);
        const QList<ScanStore::Record> picks = plan.byPost.value(url);
        setProgress(Progress{i, plan.posts.size()});
        std::optional<QString> failure = co_await openPost(url);
        if (!self)
            co_return 0;
        if (!failure)
            failure = pick(url, picks, tour);
        if (failure) {
            failed(url, picks.size(), *failure);
            continue;
        }
        co_await deletePicked(tour);
        if (!self)
            co_return 0;
    }
    reportStored(plan, tour);
    endStored();
    co_return tour.deleted;
}

QCoro::Task<bool> RemovalJob::confirmStored(const StoredPlan &plan, Confirm confirm)
{
    if (confirm)
        co_return co_await confirm(plan.ids);
    const Replies replies = m_store ? storedReplies(*m_store, plan) : Replies();
    co_return co_await alerts()->ask(question(int(plan.ids.size()), replies)) == 1;
}

void RemovalJob::startStored(qint64 posts)
{
    m_report.setIssue(QString());
    m_unrecorded.clear();
    m_jobs.start(JobState::Job::deletion);
    m_history.setRunSession(QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
    m_history.setSessionAuto(false);
    if (m_takeOverBrowser)
        m_takeOverBrowser();
    setProgress(Progress{0, posts});
}

QCoro::Task<std::optional<QString>> RemovalJob::openPost(QString url)
{
    // A post the open page has scanned already is deleted from as it is.
    const std::optional<ScanStore::PostKey> here = ScanStore::canonical(m_browser ? m_browser->address() : QString());
    if (m_page.hasScanned() && here && here->url == url)
        co_return std::nullopt;
    QPointer<RemovalJob> self(this);
    m_status.set(openingText(), StatusKind::plain);
    const bool loaded = co_await m_page.load(url, loadBudget);
    if (!self || !loaded)
        co_return couldNotOpenText();
    const bool ready = co_await m_page.waitForComments(commentsBudget);
    if (!self || !ready)
        co_return couldNotOpenText();
    // Stop: the post is not logged (failed() leaves it out).
    if (stopAsked())
        co_return couldNotOpenText();
    co_return co_await scanPost();
}

QCoro::Task<std::optional<QString>> RemovalJob::scanPost()
{
    QPointer<RemovalJob> self(this);
    co_await m_scan(true, false);
    if (!self)
        co_return std::nullopt;
    if (!m_page.hasScanned() || stopAsked()) {
        // A scan that refused silently left the opening text: no reason to record.
        const QString status = m_status.text();
        co_return status == openingText() ? couldNotOpenText() : status;
    }
    co_return std::nullopt;
}

std::optional<QString> RemovalJob::pick(const QString &url, const QList<ScanStore::Record> &picks, Tour &tour)
{
    if (m_review.applyPicks(picks, url) < 1)
        return tr("Not found on the post.");
    if (!canRemove()) {
        tour.blocked = true;
        return signInText();
    }
    return std::nullopt;
}

QCoro::Task<void> RemovalJob::deletePicked(Tour &tour)
{
    QPointer<RemovalJob> self(this);
    // The site may send the page to a sign-in as it deletes: watched from before, so that a
    // sign-in page still loading is not missed behind the post's address.
    const PageLoad watch(m_browser && m_browser->currentTab() ? m_browser->currentTab()->page() : nullptr);
    co_await removeSelected([](QStringList) -> QCoro::Task<bool> { co_return true; });
    if (!self)
        co_return;
    tour.deleted += lastCount();
    tour.withThreads += m_lastReplies;
    for (double waited = 0;
         watch.started() && !watch.ended() && !watch.toSignIn() && !stopAsked() && waited < loadBudget;
         waited += 0.25) {
        co_await QCoro::sleepFor(250ms);
        if (!self)
            co_return;
    }
    if (m_lastBlocked) {
        // The site's own reason; the run's count is added once in the summary.
        tour.stopText = m_lastStop;
    } else if (watch.toSignIn() || (watch.page() && AuthPolicy::isAuthentication(watch.page()->url()))) {
        tour.stopText = checkText();
    }
}

void RemovalJob::failed(const QString &url, qsizetype count, const QString &note)
{
    if (!stopAsked())
        noteWritten(m_history.logFailedRemoval(url, int(count), note));
}

void RemovalJob::reportStored(const StoredPlan &plan, const Tour &tour)
{
    m_history.setStats(m_store->stats());
    const qsizetype left = plan.records.now.size() - tour.deleted;
    Summary out{QString(), StatusKind::warn, false};
    if (!tour.stopText.isEmpty()) {
        out.text = tour.stopText + (tour.deleted >= 1 ? deletedSuffix(tour.deleted) : QString());
        out.toIssue = true;
    } else if (left == 0) {
        out.text = deletedText(tour.deleted, plan.records.deferred);
        out.kind = StatusKind::ok;
    } else {
        QString reason;
        if (stopAsked())
            reason = tr(" Stopped.");
        else if (!tour.blocked)
            reason = tr(" They were not found on the post or could not be deleted.");
        else
            reason = u' ' + signInText();
        out.text = tr("%1 deleted; %2 remain.").arg(tour.deleted).arg(left) + reason
            + deferredTail(plan.records.deferred);
    }
    if (tour.withThreads.count > 0)
        out.text += u' ' + tr("%n more went with their threads.", nullptr, tour.withThreads.count);
    m_lastReplies = tour.withThreads;
    report(out);
}

void RemovalJob::endStored()
{
    m_jobs.end(JobState::Job::deletion);
    setProgress(std::nullopt);
    m_page.setProgress(std::nullopt);
    m_history.setRunSession(std::nullopt);
    m_history.setSessionAuto(false);
}
