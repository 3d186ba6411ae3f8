#include "Scan/RemovalJob.h"

#include "Base/Lang.h"
#include "Browser/AccountSession.h"
#include "Browser/Browser.h"
#include "Browser/BrowserError.h"
#include "Browser/BrowserTab.h"
#include "Browser/PageLoad.h"
#include "Page/SpamEngine.h"
#include "Scan/Publish.h"
#include "Scan/SpamModel.h"
#include "Sites/AuthPolicy.h"
#include "Wire/DecodeError.h"

#include <QCoro/QCoroTimer>
#include <QPointer>
#include <QWebEnginePage>

#include <chrono>
#include <exception>

using namespace std::chrono_literals;

namespace {

const QString kSpam = QStringLiteral("spam");

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
    return text(QT_TRANSLATE_NOOP("RemovalJob",
                                  "The site asked you to sign in or pass a check. Finish it on the page, then try again."));
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

} // namespace

RemovalJob::RemovalJob(SpamModel &model) : QObject(&model), m_model(model) {}

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
            out.unflagged += c.state == kSpam ? 0 : 1;
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
    QString out = RemovalJob::tr("Deleting a comment also deletes its replies: %n more comment(s) will be deleted with the "
                                 "chosen threads.", nullptr, replies.count);
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
    const QString author = c.authorName.simplified().isEmpty() ? RemovalJob::tr("(no name)") : c.authorName.simplified();
    return QStringLiteral("\u2022 ") + author + QStringLiteral(": ") + text;
}

} // namespace

Alerts::Question RemovalJob::question(int count, Replies replies)
{
    return {tr("Delete %n comment(s)", nullptr, count),
            repliesText(replies) + u' ' + tr("Deleted comments can't be restored."),
            {tr("Cancel"), tr("Delete %1").arg(count)}, 1};
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
            {tr("Cancel"), tr("Delete %1").arg(n)}, 1};
}

void RemovalJob::setProgress(const std::optional<Progress> &progress)
{
    publish(m_progress, progress, m_model, &SpamModel::removalChanged);
}

void RemovalJob::setLastCount(int count)
{
    publish(m_lastCount, count, m_model, &SpamModel::lastRemovalCountChanged);
}

void RemovalJob::noteWritten(bool written)
{
    if (!written && m_unrecorded.isEmpty())
        m_unrecorded = m_model.history().writeError();
}

QString RemovalJob::unrecordedSentence() const
{
    if (m_unrecorded.isEmpty())
        return QString();
    // A history that is off was explained once already (and stays in the settings).
    if (!m_model.history().notice().isEmpty())
        return tr(" These deletions were not recorded: history is off for this run (Settings › History says why and what to do).");
    return tr(" These deletions were not fully recorded in the history: ") + m_unrecorded;
}

void RemovalJob::settleThreads(const std::optional<ScanStore::PostKey> &post, const QStringList &asked)
{
    // What the site did not delete is pending again.
    if (post)
        noteWritten(m_model.store()->settleRemoving(*post, asked));
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
    return m_model.browser() && m_model.browser()->pageID() == pageID;
}

void RemovalJob::recordDeleted(const ScanStore::PostKey &post, const QStringList &fresh)
{
    if (!fresh.isEmpty()) {
        // Committed at once: what the site deleted is on disk before the next report.
        const QDateTime now = QDateTime::currentDateTime();
        noteWritten(m_model.store()->markDeleted(post, fresh, now));
        m_model.catalog().setRow(post.url, [&](ChannelPost &row) { row.deleted += int(fresh.size()); });
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
            noteWritten(m_model.store()->markGone(post, replies, ScanStore::Gone::withThread, now));
    }
    m_model.history().syncPost(post.url);
    m_model.history().raiseDeletionsVersion();
}

void RemovalJob::end()
{
    m_model.openPage().stopPolling();
    m_asked.clear();
    m_post.reset();
    m_threads.clear();
    m_model.jobs().set(JobState::Job::removal, false);
    m_model.openPage().setProgress(std::nullopt);
}

QCoro::Task<void> RemovalJob::removeSelected(Confirm confirm, Asker asker)
{
    m_model.setLastRemovalCount(0);
    m_lastBlocked = false;
    m_lastStop.clear();
    m_deletedNow.clear();
    m_goneWithThread.clear();
    m_lastReplies = {};
    // A deletion of stored records keeps what failed to be written over all its posts.
    if (!m_model.jobs().touring())
        m_unrecorded.clear();

    const Plan<QString> plan = RemovalJob::plan(m_model.selectedIds());
    if (plan.now.isEmpty() || m_model.jobs().busy() || m_model.jobs().scanning() || !m_model.canRemove())
        co_return;
    Browser *browser = m_model.browser();
    if (!browser || !m_model.engine() || !m_model.openPage().pageID() || *m_model.openPage().pageID() != browser->pageID())
        co_return;
    if (!m_model.openPage().scannedURL() || browser->address() != *m_model.openPage().scannedURL())
        co_return;

    QPointer<RemovalJob> self(this);
    const QUuid pageID = browser->pageID();
    const QString url = *m_model.openPage().scannedURL();
    // The post the results were scanned from; kept, as a page change forgets the results.
    const std::optional<ScanStore::PostKey> post = ScanStore::canonical(url);
    const auto samePost = [this, pageID, url] { return samePage(pageID) && m_model.browser()->address() == url; };

    // The site deletes a thread's replies with it: the owner is told before confirming.
    const QHash<QString, QList<Comment>> threads = threadsOf(m_model.comments(), plan.now);
    const Replies replies = count(threads);
    m_model.jobs().set(JobState::Job::removal, true);
    bool yes = false;
    if (confirm) {
        yes = co_await confirm(plan.now);
    } else if (asker == Asker::agent) {
        QList<Comment> chosen;
        for (const QString &id : plan.now) {
            const auto found = std::find_if(m_model.comments().begin(), m_model.comments().end(),
                                            [&id](const Comment &c) { return c.id == id; });
            if (found != m_model.comments().end())
                chosen.append(*found);
        }
        QString title = ScanStore::cleanTitle(browser->title());
        for (const ChannelPost &p : m_model.posts()) {
            if (post && p.url == post->url && !p.title.isEmpty())
                title = p.title;
        }
        yes = co_await m_model.present(agentQuestion(chosen, replies, title)) == 1;
    } else {
        yes = co_await m_model.present(question(int(plan.now.size()), replies)) == 1;
    }
    if (!self)
        co_return;
    if (!yes) {
        m_model.statusLine().set(cancelledText(), StatusKind::plain);
        end();
        co_return;
    }
    if (!samePost()) {
        end();
        co_return;
    }

    m_asked = QSet<QString>(plan.now.begin(), plan.now.end());
    m_post = post;
    m_threads = threads;
    // Marked before the page starts: a deletion cut short still tells a later scan which
    // comments we were deleting.
    if (post)
        noteWritten(m_model.store()->markRemoving(*post, plan.now, QDateTime::currentDateTime()));
    m_model.openPage().startPolling(pageID);
    m_model.scanReport().setIssue(QString());
    m_model.statusLine().set(tr("Deleting…"), StatusKind::warn);

    // The asked comments as they are now: the run's items even if the page goes away meanwhile.
    QList<Comment> asked;
    QStringList flagIds;
    for (const Comment &c : std::as_const(m_model.comments())) {
        if (!m_asked.contains(c.id))
            continue;
        asked.append(c);
        if (c.aiKind || c.knownSpammer || c.reason.startsWith(QLatin1String("custom:"))
            || c.reason.startsWith(QLatin1String("dict:")) || m_model.review().restored().contains(c.id))
            flagIds.append(c.id);
    }

    RemoveResult result;
    std::optional<QString> error;
    try {
        if (!flagIds.isEmpty())
            co_await m_model.engine()->flag(flagIds, url);
        if (self)
            result = co_await m_model.engine()->remove(plan.now, url, true);
    } catch (const BrowserError &e) {
        error = e.description();
    } catch (const DecodeError &e) {
        error = SpamEngine::unreadableMessage() + QStringLiteral(" (") + e.message() + u')';
    } catch (const std::exception &e) {
        error = QString::fromUtf8(e.what());
    }
    if (!self)
        co_return;
    // Reports still on their way add nothing: the answer below holds every id they could.
    m_model.openPage().stopPolling();

    // A page change fails the call; what the progress reports recorded before it is kept below.
    const bool moved = !samePage(pageID);
    if (error && !moved) {
        const QString text = tr("Delete error: %1").arg(localizedSiteMessage(*error));
        // Comments that progress reports recorded as deleted before the failure stay recorded.
        m_model.setLastRemovalCount(int(m_deletedNow.size()));
        settleThreads(post, plan.now);
        if (!m_deletedNow.isEmpty()) {
            QList<Comment> left = m_model.comments();
            left.removeIf([this](const Comment &c) { return m_deletedNow.contains(c.id) || m_goneWithThread.contains(c.id); });
            m_model.setComments(left);
        }
        noteWritten(m_model.history().logFailedRemoval(url, int(plan.now.size()), text));
        m_model.statusLine().set(text + unrecordedSentence(), StatusKind::warn);
        m_model.scanReport().report(text + unrecordedSentence());
        end();
        co_return;
    }

    // Only ids that were asked for count, whatever else the page claims.
    QSet<QString> gone = m_deletedNow;
    QStringList fresh;
    for (const QString &id : std::as_const(result.gone)) {
        if (!m_asked.contains(id) || gone.contains(id))
            continue;
        gone.insert(id);
        fresh.append(id);
    }
    const qsizetype n = gone.size();
    const qsizetype remain = plan.now.size() - n;
    if (post && n > 0)
        recordDeleted(*post, fresh);
    settleThreads(post, plan.now);
    if (moved && n == 0) {
        end();
        co_return;
    }
    m_model.setLastRemovalCount(int(n));
    QList<Comment> removed;
    for (const Comment &c : std::as_const(asked)) {
        if (gone.contains(c.id))
            removed.append(c);
    }

    // The status text and its tone.
    QString text;
    StatusKind kind = StatusKind::plain;
    bool toIssue = false;
    if (result.stopped) {
        const Stopped &stop = *result.stopped;
        m_lastStop = localizedSiteMessage(stop.text);
        text = m_lastStop + (n > 0 ? deletedSuffix(n) : QString());
        if (stop.kind == QLatin1String("blocked")) {
            m_lastBlocked = true;
            kind = StatusKind::warn;
            toIssue = true;
        } else if (stop.kind == QLatin1String("error")) {
            kind = StatusKind::warn;
            toIssue = true;
        }
    } else if (remain < 1) {
        text = deletedText(n, plan.deferred);
        kind = StatusKind::ok;
    } else {
        text = tr("%1 deleted; %2 still remain.").arg(n).arg(remain);
        kind = StatusKind::warn;
        toIssue = true;
    }
    if (m_lastReplies.count > 0)
        text += u' ' + tr("%n more went with their threads.", nullptr, m_lastReplies.count);

    // What the site deleted is recorded for the scanned post even when the owner has moved on;
    // only the open page's list and status are left to the new page.
    if (!moved) {
        QList<Comment> left = m_model.comments();
        left.removeIf([&gone, this](const Comment &c) { return gone.contains(c.id) || m_goneWithThread.contains(c.id); });
        m_model.setComments(left);
        if (n > 0)
            m_model.setJustKept({});
    }
    if (post) {
        ScanStore::Run run;
        run.kind = ScanStore::Run::Kind::Delete;
        run.site = post->site;
        run.post = post->url;
        run.at = QDateTime::currentDateTime();
        run.total = int(plan.now.size());
        run.deleted = int(n);
        run.failed = n == 0;
        run.note = !result.stopped && n == plan.now.size() ? QString() : text;
        QList<ScanStore::Item> items;
        for (const Comment &c : std::as_const(removed)) {
            QString itemKind;
            if (c.state == kSpam) {
                if (c.aiKind)
                    itemKind = *c.aiKind;
                else if (const std::optional<BuiltinWords::Hit> hit = SpamRules::builtinHit(c.reason))
                    itemKind = hit->kind;
                else
                    itemKind = kSpam;
            }
            items.append({c.id, c.state, itemKind, c.reason, c.aiProb, c.hits, false});
        }
        noteWritten(m_model.history().logRun(run, items));
    }
    // What the site deleted and the history did not take must not read as done.
    if (!m_unrecorded.isEmpty()) {
        text += unrecordedSentence();
        kind = StatusKind::warn;
        toIssue = true;
    }
    if (!moved) {
        m_model.statusLine().set(text, kind);
        if (toIssue)
            m_model.scanReport().report(text);
    }
    end();
}

QCoro::Task<int> RemovalJob::removeStored(QList<ScanStore::Record> records, Confirm confirm, bool dryRun)
{
    if (m_model.jobs().working() || records.isEmpty())
        co_return 0;
    if (m_model.browser() && m_model.browser()->accounts()->isAuthenticating())
        co_return 0;

    const Plan<ScanStore::Record> plan = RemovalJob::plan(records);
    QStringList order;
    QHash<QString, QList<ScanStore::Record>> groups;
    QStringList ids;
    for (const ScanStore::Record &r : std::as_const(plan.now)) {
        if (!groups.contains(r.post))
            order.append(r.post);
        groups[r.post].append(r);
        ids.append(r.id);
    }
    if (dryRun) {
        // Nothing is opened, asked or written: only what this pass would delete is told.
        m_model.statusLine().set(dryRunText(ids.size(), order.size(), plan.deferred), StatusKind::plain);
        co_return 0;
    }

    // The replies the site deletes with the picked threads, as the history knows them.
    Replies replies;
    if (!confirm && m_model.store()) {
        const QSet<QString> picked(ids.begin(), ids.end());
        for (const QString &url : std::as_const(order)) {
            const QList<ScanStore::Record> &picks = groups[url];
            QStringList threads;
            for (const ScanStore::Record &r : picks)
                threads.append(r.id);
            for (const ScanStore::Record &r : m_model.store()->threadReplies(picks.first().site, url, threads)) {
                if (picked.contains(r.id))
                    continue;
                ++replies.count;
                replies.unflagged += r.state == kSpam ? 0 : 1;
                replies.owner += r.owner ? 1 : 0;
            }
        }
    }
    QPointer<RemovalJob> self(this);
    bool yes = false;
    if (confirm)
        yes = co_await confirm(ids);
    else
        yes = co_await m_model.present(question(int(ids.size()), replies)) == 1;
    if (!self)
        co_return 0;
    if (!yes) {
        m_model.statusLine().set(cancelledText(), StatusKind::plain);
        co_return 0;
    }
    // Another job may have started while the question was open.
    if (m_model.jobs().working())
        co_return 0;

    m_model.scanReport().setIssue(QString());
    m_unrecorded.clear();
    m_model.jobs().set(JobState::Job::queue, true);
    m_model.history().setRunSession(QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
    m_model.history().setSessionAuto(false);
    m_model.takeOverBrowser();
    const qint64 posts = order.size();
    const QString opening = tr("Opening the post…");
    m_model.setRemoval(SpamModel::Removal{0, posts});

    int deleted = 0;
    Replies withThreads;
    bool blocked = false;
    QString stopText;
    const auto failed = [this](const QString &url, qsizetype count, const QString &note) {
        if (!m_model.jobs().stop().queue)
            noteWritten(m_model.history().logFailedRemoval(url, int(count), note));
    };
    for (qsizetype i = 0; i < order.size(); ++i) {
        if (m_model.jobs().stop().queue || !stopText.isEmpty())
            break;
        const QString &url = order.at(i);
        const QList<ScanStore::Record> &picks = groups[url];
        m_model.setRemoval(SpamModel::Removal{i, posts});

        const std::optional<ScanStore::PostKey> here = ScanStore::canonical(m_model.browser() ? m_model.browser()->address() : QString());
        if (!(m_model.openPage().hasScanned() && here && here->url == url)) {
            m_model.statusLine().set(opening, StatusKind::plain);
            const bool loaded = co_await m_model.openPage().load(url, SpamModel::queuedLoadBudget);
            if (!self)
                co_return 0;
            if (!loaded) {
                failed(url, picks.size(), couldNotOpenText());
                continue;
            }
            const bool ready = co_await m_model.openPage().waitForComments(SpamModel::queuedCommentsBudget);
            if (!self)
                co_return 0;
            if (!ready) {
                failed(url, picks.size(), couldNotOpenText());
                continue;
            }
            if (m_model.jobs().stop().queue)
                continue;
            co_await m_model.scan(true, false);
            if (!self)
                co_return 0;
            if (!m_model.openPage().hasScanned() || m_model.jobs().stop().queue) {
                // A scan that refused silently left the opening text: no reason to record.
                failed(url, picks.size(), m_model.statusLine().text() == opening ? couldNotOpenText() : m_model.statusLine().text());
                continue;
            }
        }
        if (m_model.review().applyPicks(picks, url) < 1) {
            failed(url, picks.size(),
                   tr("Not found on the post."));
            continue;
        }
        if (!m_model.canRemove()) {
            blocked = true;
            failed(url, picks.size(), signInText());
            continue;
        }
        // The site may send the page to a sign-in as it deletes: watched from before, so that a
        // sign-in page still loading is not missed behind the post's address.
        const PageLoad watch(m_model.browser() && m_model.browser()->currentTab() ? m_model.browser()->currentTab()->page() : nullptr);
        co_await m_model.removeSelected([](QStringList) -> QCoro::Task<bool> { co_return true; });
        if (!self)
            co_return 0;
        deleted += m_model.lastRemovalCount();
        withThreads.count += m_lastReplies.count;
        withThreads.unflagged += m_lastReplies.unflagged;
        withThreads.owner += m_lastReplies.owner;
        for (double waited = 0; watch.started() && !watch.ended() && !watch.toSignIn() && !m_model.jobs().stop().queue
                                && waited < SpamModel::queuedLoadBudget; waited += 0.25) {
            co_await QCoro::sleepFor(250ms);
            if (!self)
                co_return 0;
        }
        if (m_lastBlocked) {
            // The site's own reason; the run's count is added once in the summary.
            stopText = m_lastStop;
        } else if (watch.toSignIn() || (watch.page() && AuthPolicy::isAuthentication(watch.page()->url()))) {
            stopText = checkText();
        }
    }

    m_model.history().setStats(m_model.store()->stats());
    const qsizetype left = plan.now.size() - deleted;
    QString text;
    StatusKind kind = StatusKind::warn;
    bool toIssue = false;
    if (!stopText.isEmpty()) {
        text = stopText + (deleted >= 1 ? deletedSuffix(deleted) : QString());
        toIssue = true;
    } else if (left == 0) {
        text = deletedText(deleted, plan.deferred);
        kind = StatusKind::ok;
    } else {
        QString reason;
        if (m_model.jobs().stop().queue)
            reason = tr(" Stopped.");
        else if (!blocked)
            reason = tr(" They were not found on the post or could not be deleted.");
        else
            reason = u' ' + signInText();
        text = tr("%1 deleted; %2 remain.").arg(deleted).arg(left) + reason + deferredTail(plan.deferred);
    }
    if (withThreads.count > 0)
        text += u' ' + tr("%n more went with their threads.", nullptr, withThreads.count);
    m_lastReplies = withThreads;
    if (!m_unrecorded.isEmpty()) {
        text += unrecordedSentence();
        kind = StatusKind::warn;
        toIssue = true;
    }
    m_model.statusLine().set(text, kind);
    if (toIssue)
        m_model.scanReport().report(text);

    m_model.jobs().set(JobState::Job::queue, false);
    m_model.setRemoval(std::nullopt);
    m_model.openPage().setProgress(std::nullopt);
    m_model.history().setRunSession(std::nullopt);
    m_model.history().setSessionAuto(false);
    co_return deleted;
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
