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

Alerts::Question RemovalJob::question(int count)
{
    return {tr("Delete %1 comments").arg(count),
            tr("Only the selected comments are deleted. Deleted comments can't be restored."),
            {tr("Cancel"), tr("Delete %1").arg(count)}, 1};
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
    if (!m_model.historyNotice().isEmpty())
        return tr(" These deletions were not recorded: history is off for this run (Settings › History says why and what to do).");
    return tr(" These deletions were not fully recorded in the history: ") + m_unrecorded;
}

bool RemovalJob::samePage(const QUuid &pageID) const
{
    return m_model.browser() && m_model.browser()->pageID() == pageID;
}

void RemovalJob::recordDeleted(const ScanStore::PostKey &post, const QStringList &fresh)
{
    if (!fresh.isEmpty()) {
        // Committed at once: what the site deleted is on disk before the next report.
        noteWritten(m_model.store()->markDeleted(post, fresh, QDateTime::currentDateTime()));
        m_model.catalog().setRow(post.url, [&](ChannelPost &row) { row.deleted += int(fresh.size()); });
    }
    m_model.history().syncPost(post.url);
    m_model.history().raiseDeletionsVersion();
}

void RemovalJob::end()
{
    m_model.stopPolling();
    m_asked.clear();
    m_post.reset();
    m_model.setBusy(false);
    m_model.setProgress(std::nullopt);
}

QCoro::Task<void> RemovalJob::removeSelected(Confirm confirm)
{
    m_model.setLastRemovalCount(0);
    m_lastBlocked = false;
    m_lastStop.clear();
    m_deletedNow.clear();
    // A deletion of stored records keeps what failed to be written over all its posts.
    if (!m_model.touring())
        m_unrecorded.clear();

    const Plan<QString> plan = RemovalJob::plan(m_model.selectedIds());
    if (plan.now.isEmpty() || m_model.busy() || m_model.scanning() || !m_model.canRemove())
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

    m_model.setBusy(true);
    bool yes = false;
    if (confirm)
        yes = co_await confirm(plan.now);
    else
        yes = co_await m_model.present(question(int(plan.now.size()))) == 1;
    if (!self)
        co_return;
    if (!yes) {
        m_model.setStatus(cancelledText(), QString());
        end();
        co_return;
    }
    if (!samePost()) {
        end();
        co_return;
    }

    m_asked = QSet<QString>(plan.now.begin(), plan.now.end());
    m_post = post;
    m_model.startPolling(pageID);
    m_model.scanReport().setIssue(QString());
    m_model.setStatus(tr("Deleting…"), QStringLiteral("warn"));

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
            result = co_await m_model.engine()->remove(plan.now, url);
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
    m_model.stopPolling();

    // A page change fails the call; what the progress reports recorded before it is kept below.
    const bool moved = !samePage(pageID);
    if (error && !moved) {
        const QString text = tr("Delete error: %1").arg(localizedSiteMessage(*error));
        // Comments that progress reports recorded as deleted before the failure stay recorded.
        m_model.setLastRemovalCount(int(m_deletedNow.size()));
        if (!m_deletedNow.isEmpty()) {
            QList<Comment> left = m_model.comments();
            left.removeIf([this](const Comment &c) { return m_deletedNow.contains(c.id); });
            m_model.setComments(left);
        }
        noteWritten(m_model.history().logFailedRemoval(url, int(plan.now.size()), text));
        m_model.setStatus(text + unrecordedSentence(), QStringLiteral("warn"));
        m_model.report(text + unrecordedSentence());
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
    QString kind;
    bool toIssue = false;
    if (result.stopped) {
        const Stopped &stop = *result.stopped;
        m_lastStop = localizedSiteMessage(stop.text);
        text = m_lastStop + (n > 0 ? deletedSuffix(n) : QString());
        if (stop.kind == QLatin1String("blocked")) {
            m_lastBlocked = true;
            kind = QStringLiteral("warn");
            toIssue = true;
        } else if (stop.kind == QLatin1String("error")) {
            kind = QStringLiteral("warn");
            toIssue = true;
        }
    } else if (remain < 1) {
        text = deletedText(n, plan.deferred);
        kind = QStringLiteral("ok");
    } else {
        text = tr("%1 deleted; %2 still remain.").arg(n).arg(remain);
        kind = QStringLiteral("warn");
        toIssue = true;
    }

    // What the site deleted is recorded for the scanned post even when the owner has moved on;
    // only the open page's list and status are left to the new page.
    if (!moved) {
        QList<Comment> left = m_model.comments();
        left.removeIf([&gone](const Comment &c) { return gone.contains(c.id); });
        m_model.setComments(left);
        if (n > 0)
            m_model.setJustKept({});
    }
    if (post && n > 0)
        recordDeleted(*post, fresh);
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
        kind = QStringLiteral("warn");
        toIssue = true;
    }
    if (!moved) {
        m_model.setStatus(text, kind);
        if (toIssue)
            m_model.report(text);
    }
    end();
}

QCoro::Task<int> RemovalJob::removeStored(QList<ScanStore::Record> records, Confirm confirm, bool dryRun)
{
    if (m_model.working() || records.isEmpty())
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
        m_model.setStatus(dryRunText(ids.size(), order.size(), plan.deferred), QString());
        co_return 0;
    }

    QPointer<RemovalJob> self(this);
    bool yes = false;
    if (confirm)
        yes = co_await confirm(ids);
    else
        yes = co_await m_model.present(question(int(ids.size()))) == 1;
    if (!self)
        co_return 0;
    if (!yes) {
        m_model.setStatus(cancelledText(), QString());
        co_return 0;
    }
    // Another job may have started while the question was open.
    if (m_model.working())
        co_return 0;

    m_model.scanReport().setIssue(QString());
    m_unrecorded.clear();
    m_model.setTouring(true);
    m_model.setRunSession(QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
    m_model.history().setSessionAuto(false);
    m_model.takeOverBrowser();
    const qint64 posts = order.size();
    const QString opening = tr("Opening the post…");
    m_model.setRemoval(SpamModel::Removal{0, posts});

    int deleted = 0;
    bool blocked = false;
    QString stopText;
    const auto failed = [this](const QString &url, qsizetype count, const QString &note) {
        if (!m_model.tourStop())
            noteWritten(m_model.history().logFailedRemoval(url, int(count), note));
    };
    for (qsizetype i = 0; i < order.size(); ++i) {
        if (m_model.tourStop() || !stopText.isEmpty())
            break;
        const QString &url = order.at(i);
        const QList<ScanStore::Record> &picks = groups[url];
        m_model.setRemoval(SpamModel::Removal{i, posts});

        const std::optional<ScanStore::PostKey> here = ScanStore::canonical(m_model.browser() ? m_model.browser()->address() : QString());
        if (!(m_model.hasScanned() && here && here->url == url)) {
            m_model.setStatus(opening, QString());
            const bool loaded = co_await m_model.load(url, SpamModel::queuedLoadBudget);
            if (!self)
                co_return 0;
            if (!loaded) {
                failed(url, picks.size(), couldNotOpenText());
                continue;
            }
            const bool ready = co_await m_model.waitForComments(SpamModel::queuedCommentsBudget);
            if (!self)
                co_return 0;
            if (!ready) {
                failed(url, picks.size(), couldNotOpenText());
                continue;
            }
            if (m_model.tourStop())
                continue;
            co_await m_model.scan(true, false);
            if (!self)
                co_return 0;
            if (!m_model.hasScanned() || m_model.tourStop()) {
                // A scan that refused silently left the opening text: no reason to record.
                failed(url, picks.size(), m_model.status() == opening ? couldNotOpenText() : m_model.status());
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
        for (double waited = 0; watch.started() && !watch.ended() && !watch.toSignIn() && !m_model.tourStop()
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

    m_model.setStats(m_model.store()->stats());
    const qsizetype left = plan.now.size() - deleted;
    QString text;
    QString kind = QStringLiteral("warn");
    bool toIssue = false;
    if (!stopText.isEmpty()) {
        text = stopText + (deleted >= 1 ? deletedSuffix(deleted) : QString());
        toIssue = true;
    } else if (left == 0) {
        text = deletedText(deleted, plan.deferred);
        kind = QStringLiteral("ok");
    } else {
        QString reason;
        if (m_model.tourStop())
            reason = tr(" Stopped.");
        else if (!blocked)
            reason = tr(" They were not found on the post or could not be deleted.");
        else
            reason = u' ' + signInText();
        text = tr("%1 deleted; %2 remain.").arg(deleted).arg(left) + reason + deferredTail(plan.deferred);
    }
    if (!m_unrecorded.isEmpty()) {
        text += unrecordedSentence();
        kind = QStringLiteral("warn");
        toIssue = true;
    }
    m_model.setStatus(text, kind);
    if (toIssue)
        m_model.report(text);

    m_model.setTouring(false);
    m_model.setRemoval(std::nullopt);
    m_model.setProgress(std::nullopt);
    m_model.setRunSession(std::nullopt);
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
