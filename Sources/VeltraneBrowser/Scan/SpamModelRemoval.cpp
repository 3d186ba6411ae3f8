// Deletion: of the ticked comments on the open post, and of picked stored records post by post.
// Nothing is deleted without the owner's confirmation, and only ids that were asked for and that
// the page reports gone are recorded.

#include "Scan/SpamModel.h"

#include "Base/Lang.h"
#include "Browser/AccountSession.h"
#include "Browser/Browser.h"
#include "Browser/BrowserError.h"
#include "Browser/BrowserTab.h"
#include "Browser/PageLoad.h"
#include "Page/SpamEngine.h"
#include "Sites/AuthPolicy.h"
#include "Wire/DecodeError.h"

#include <QCoro/QCoroTimer>
#include <QWebEnginePage>

#include <chrono>
#include <exception>

using namespace std::chrono_literals;

namespace {

const QString kSpam = QStringLiteral("spam");

QString number(qsizetype n)
{
    return QString::number(n);
}

QString cancelledText(bool korean)
{
    return korean ? QStringLiteral("삭제를 취소했습니다.") : QStringLiteral("Deletion cancelled.");
}

QString deferredTail(int deferred, bool korean)
{
    if (deferred < 1)
        return QString();
    return korean ? QStringLiteral(" 나머지 ") + number(deferred) + QStringLiteral("개는 다음에 이어서 지우세요.")
                  : QStringLiteral(" Delete the other ") + number(deferred) + QStringLiteral(" next time.");
}

QString deletedText(qsizetype n, int deferred, bool korean)
{
    return (korean ? number(n) + QStringLiteral("개를 삭제했습니다.") : QStringLiteral("Deleted ") + number(n) + u'.')
        + deferredTail(deferred, korean);
}

QString deletedSuffix(qsizetype n, bool korean)
{
    return korean ? QStringLiteral(" (") + number(n) + QStringLiteral("개는 삭제됨)")
                  : QStringLiteral(" (") + number(n) + QStringLiteral(" deleted)");
}

QString signInText(bool korean)
{
    return korean ? QStringLiteral("댓글 삭제는 로그인한 내 게시물에서 할 수 있습니다.")
                  : QStringLiteral("You can delete comments on your own posts after signing in.");
}

QString checkText(bool korean)
{
    return korean ? QStringLiteral("사이트가 로그인이나 확인을 요구해 중단했습니다. 화면에서 직접 확인한 뒤 다시 시도하세요.")
                  : QStringLiteral("The site asked you to sign in or pass a check. Finish it on the page, then try again.");
}

QString couldNotOpenText(bool korean)
{
    return korean ? QStringLiteral("게시물을 열지 못했습니다.") : QStringLiteral("Couldn't open the post.");
}

QString dryRunText(qsizetype comments, qsizetype posts, int deferred, bool korean)
{
    if (korean) {
        QString text = QStringLiteral("시험 실행: 게시물 ") + number(posts) + QStringLiteral("개에서 댓글 ") + number(comments)
            + QStringLiteral("개를 삭제하게 됩니다.");
        if (deferred >= 1)
            text += QStringLiteral(" 나머지 ") + number(deferred) + QStringLiteral("개는 다음 차례로 남습니다.");
        return text + QStringLiteral(" 아무것도 삭제하지 않았습니다.");
    }
    QString text = QStringLiteral("Dry run: ") + number(comments) + (comments == 1 ? QStringLiteral(" comment on ") : QStringLiteral(" comments on "))
        + number(posts) + (posts == 1 ? QStringLiteral(" post") : QStringLiteral(" posts")) + QStringLiteral(" would be deleted.");
    if (deferred >= 1)
        text += QStringLiteral(" The other ") + number(deferred) + QStringLiteral(" would be left for next time.");
    return text + QStringLiteral(" Nothing was deleted.");
}

} // namespace

bool SpamModel::canRemove() const
{
    if (m_browser && m_browser->accounts()->isAuthenticating())
        return false;
    if (!m_info || !m_info->supported)
        return false;
    return m_info->canRemove;
}

QStringList SpamModel::selectedIds() const
{
    QStringList ids;
    for (const Comment &c : std::as_const(comments())) {
        if (c.state == QLatin1String("spam") && c.checked)
            ids.append(c.id);
    }
    return ids;
}

Alerts::Question SpamModel::removalQuestion(int count, bool korean)
{
    const QString n = QString::number(count);
    if (korean) {
        return {QStringLiteral("댓글 ") + n + QStringLiteral("개를 삭제합니다"),
                QStringLiteral("선택한 댓글만 삭제합니다. 삭제한 댓글은 복구할 수 없습니다."),
                {QStringLiteral("취소"), n + QStringLiteral("개 삭제")}, 1};
    }
    return {QStringLiteral("Delete ") + n + QStringLiteral(" comments"),
            QStringLiteral("Only the selected comments are deleted. Deleted comments can't be restored."),
            {QStringLiteral("Cancel"), QStringLiteral("Delete ") + n}, 1};
}

QCoro::Task<int> SpamModel::present(Alerts::Question question)
{
    co_return co_await alerts()->ask(std::move(question));
}

void SpamModel::recordDeleted(const ScanStore::PostKey &post, const QStringList &fresh)
{
    if (!fresh.isEmpty()) {
        // Committed at once: what the site deleted is on disk before the next report.
        m_store->markDeleted(post, fresh, QDateTime::currentDateTime());
        setRow(post.url, [&](ChannelPost &row) { row.deleted += int(fresh.size()); });
    }
    syncPost(post.url);
    raiseDeletionsVersion();
}

void SpamModel::endRemoval()
{
    stopPolling();
    m_removalAsked.clear();
    m_removalPost.reset();
    setBusy(false);
    setProgress(std::nullopt);
}

QCoro::Task<void> SpamModel::removeSelected(Confirm confirm)
{
    setLastRemovalCount(0);
    m_lastRemovalBlocked = false;
    m_lastRemovalStop.clear();
    m_deletedNow.clear();

    const RemovalPlan<QString> plan = removalPlan(selectedIds());
    if (plan.now.isEmpty() || busy() || scanning() || !canRemove())
        co_return;
    Browser *browser = m_browser.data();
    if (!browser || !m_engine || !m_pageID || *m_pageID != browser->pageID())
        co_return;
    if (!m_scannedURL || browser->address() != *m_scannedURL)
        co_return;

    QPointer<SpamModel> self(this);
    const QUuid pageID = browser->pageID();
    const QString url = *m_scannedURL;
    // The post the results were scanned from; kept, as a page change forgets the results.
    const std::optional<ScanStore::PostKey> post = ScanStore::canonical(url);
    const bool korean = Lang::system();
    const auto samePost = [this, pageID, url] { return samePage(pageID) && m_browser->address() == url; };

    setBusy(true);
    bool yes = false;
    if (confirm)
        yes = co_await confirm(plan.now);
    else
        yes = co_await present(removalQuestion(int(plan.now.size()), korean)) == 1;
    if (!self)
        co_return;
    if (!yes) {
        setStatus(cancelledText(korean), QString());
        endRemoval();
        co_return;
    }
    if (!samePost()) {
        endRemoval();
        co_return;
    }

    m_removalAsked = QSet<QString>(plan.now.begin(), plan.now.end());
    m_removalPost = post;
    startPolling(pageID);
    assign(m_issue, QString(), &SpamModel::issueChanged);
    setStatus(korean ? QStringLiteral("삭제 중…") : QStringLiteral("Deleting…"), QStringLiteral("warn"));

    // The asked comments as they are now: the run's items even if the page goes away meanwhile.
    QList<Comment> asked;
    QStringList flagIds;
    for (const Comment &c : std::as_const(comments())) {
        if (!m_removalAsked.contains(c.id))
            continue;
        asked.append(c);
        if (c.aiKind || c.knownSpammer || c.reason.startsWith(QLatin1String("custom:"))
            || c.reason.startsWith(QLatin1String("dict:")) || m_review.restored().contains(c.id))
            flagIds.append(c.id);
    }

    RemoveResult result;
    std::optional<QString> error;
    try {
        if (!flagIds.isEmpty())
            co_await m_engine->flag(flagIds, url);
        if (self)
            result = co_await m_engine->remove(plan.now, url);
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
    stopPolling();

    // A page change fails the call; what the progress reports recorded before it is kept below.
    const bool moved = !samePage(pageID);
    if (error && !moved) {
        const QString text = korean ? QStringLiteral("삭제 중 오류: ") + *error
                                    : QStringLiteral("Delete error: ") + englishSiteMessage(*error);
        // Comments that progress reports recorded as deleted before the failure stay recorded.
        setLastRemovalCount(int(m_deletedNow.size()));
        if (!m_deletedNow.isEmpty()) {
            QList<Comment> left = comments();
            left.removeIf([this](const Comment &c) { return m_deletedNow.contains(c.id); });
            setComments(left);
        }
        setStatus(text, QStringLiteral("warn"));
        report(text);
        logFailedRemoval(url, int(plan.now.size()), text);
        endRemoval();
        co_return;
    }

    // Only ids that were asked for count, whatever else the page claims.
    QSet<QString> gone = m_deletedNow;
    QStringList fresh;
    for (const QString &id : std::as_const(result.gone)) {
        if (!m_removalAsked.contains(id) || gone.contains(id))
            continue;
        gone.insert(id);
        fresh.append(id);
    }
    const qsizetype n = gone.size();
    const qsizetype remain = plan.now.size() - n;
    if (moved && n == 0) {
        endRemoval();
        co_return;
    }
    setLastRemovalCount(int(n));
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
        m_lastRemovalStop = localizedSiteMessage(stop.text);
        text = m_lastRemovalStop + (n > 0 ? deletedSuffix(n, korean) : QString());
        if (stop.kind == QLatin1String("blocked")) {
            m_lastRemovalBlocked = true;
            kind = QStringLiteral("warn");
            toIssue = true;
        } else if (stop.kind == QLatin1String("error")) {
            kind = QStringLiteral("warn");
            toIssue = true;
        }
    } else if (remain < 1) {
        text = deletedText(n, plan.deferred, korean);
        kind = QStringLiteral("ok");
    } else {
        text = korean ? number(n) + QStringLiteral("개 삭제 확인, ") + number(remain) + QStringLiteral("개는 아직 남아 있습니다.")
                      : number(n) + QStringLiteral(" deleted; ") + number(remain) + QStringLiteral(" still remain.");
        kind = QStringLiteral("warn");
        toIssue = true;
    }

    // What the site deleted is recorded for the scanned post even when the owner has moved on;
    // only the open page's list and status are left to the new page.
    if (!moved) {
        QList<Comment> left = comments();
        left.removeIf([&gone](const Comment &c) { return gone.contains(c.id); });
        setComments(left);
        if (n > 0)
            setJustKept({});
    }
    if (post && n > 0)
        recordDeleted(*post, fresh);
    if (!moved) {
        setStatus(text, kind);
        if (toIssue)
            report(text);
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
                else if (const std::optional<BuiltinWords::Hit> hit = builtinHit(c.reason))
                    itemKind = hit->kind;
                else
                    itemKind = kSpam;
            }
            items.append({c.id, c.state, itemKind, c.reason, c.aiProb, c.hits, false});
        }
        logRun(run, items);
    }
    endRemoval();
}

QCoro::Task<int> SpamModel::removeStored(QList<ScanStore::Record> records, Confirm confirm, bool dryRun)
{
    if (working() || records.isEmpty())
        co_return 0;
    if (m_browser && m_browser->accounts()->isAuthenticating())
        co_return 0;

    const bool korean = Lang::system();
    const RemovalPlan<ScanStore::Record> plan = removalPlan(records);
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
        setStatus(dryRunText(ids.size(), order.size(), plan.deferred, korean), QString());
        co_return 0;
    }

    QPointer<SpamModel> self(this);
    bool yes = false;
    if (confirm)
        yes = co_await confirm(ids);
    else
        yes = co_await present(removalQuestion(int(ids.size()), korean)) == 1;
    if (!self)
        co_return 0;
    if (!yes) {
        setStatus(cancelledText(korean), QString());
        co_return 0;
    }
    // Another job may have started while the question was open.
    if (working())
        co_return 0;

    assign(m_issue, QString(), &SpamModel::issueChanged);
    setTouring(true);
    setRunSession(QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
    m_sessionAuto = false;
    takeOverBrowser();
    const qint64 posts = order.size();
    const QString opening = korean ? QStringLiteral("게시물을 여는 중…") : QStringLiteral("Opening the post…");
    setRemoval(Removal{0, posts});

    int deleted = 0;
    bool blocked = false;
    QString stopText;
    const auto failed = [this](const QString &url, qsizetype count, const QString &note) {
        if (!m_tourStop)
            logFailedRemoval(url, int(count), note);
    };
    for (qsizetype i = 0; i < order.size(); ++i) {
        if (m_tourStop || !stopText.isEmpty())
            break;
        const QString &url = order.at(i);
        const QList<ScanStore::Record> &picks = groups[url];
        setRemoval(Removal{i, posts});

        const std::optional<ScanStore::PostKey> here = ScanStore::canonical(m_browser ? m_browser->address() : QString());
        if (!(m_hasScanned && here && here->url == url)) {
            setStatus(opening, QString());
            const bool loaded = co_await load(url, queuedLoadBudget);
            if (!self)
                co_return 0;
            if (!loaded) {
                failed(url, picks.size(), couldNotOpenText(korean));
                continue;
            }
            const bool ready = co_await waitForComments(queuedCommentsBudget);
            if (!self)
                co_return 0;
            if (!ready) {
                failed(url, picks.size(), couldNotOpenText(korean));
                continue;
            }
            if (m_tourStop)
                continue;
            co_await scan(true, false);
            if (!self)
                co_return 0;
            if (!m_hasScanned || m_tourStop) {
                // A scan that refused silently left the opening text: no reason to record.
                failed(url, picks.size(), m_status == opening ? couldNotOpenText(korean) : m_status);
                continue;
            }
        }
        if (m_review.applyPicks(picks, url) < 1) {
            failed(url, picks.size(),
                   korean ? QStringLiteral("게시물에서 찾지 못했습니다.") : QStringLiteral("Not found on the post."));
            continue;
        }
        if (!canRemove()) {
            blocked = true;
            failed(url, picks.size(), signInText(korean));
            continue;
        }
        // The site may send the page to a sign-in as it deletes: watched from before, so that a
        // sign-in page still loading is not missed behind the post's address.
        const PageLoad watch(m_browser && m_browser->currentTab() ? m_browser->currentTab()->page() : nullptr);
        co_await removeSelected([](QStringList) -> QCoro::Task<bool> { co_return true; });
        if (!self)
            co_return 0;
        deleted += m_lastRemovalCount;
        for (double waited = 0; watch.started() && !watch.ended() && !watch.toSignIn() && !m_tourStop
                                && waited < queuedLoadBudget; waited += 0.25) {
            co_await QCoro::sleepFor(250ms);
            if (!self)
                co_return 0;
        }
        if (m_lastRemovalBlocked) {
            // The site's own reason; the run's count is added once in the summary.
            stopText = m_lastRemovalStop;
        } else if (watch.toSignIn() || (watch.page() && AuthPolicy::isAuthentication(watch.page()->url()))) {
            stopText = checkText(korean);
        }
    }

    setStats(m_store->stats());
    const qsizetype left = plan.now.size() - deleted;
    if (!stopText.isEmpty()) {
        const QString text = stopText + (deleted >= 1 ? deletedSuffix(deleted, korean) : QString());
        setStatus(text, QStringLiteral("warn"));
        report(text);
    } else if (left == 0) {
        setStatus(deletedText(deleted, plan.deferred, korean), QStringLiteral("ok"));
    } else {
        QString reason;
        if (m_tourStop)
            reason = korean ? QStringLiteral(" 중지했습니다.") : QStringLiteral(" Stopped.");
        else if (!blocked)
            reason = korean ? QStringLiteral(" 게시물에서 찾지 못했거나 지워지지 않았습니다.")
                            : QStringLiteral(" They were not found on the post or could not be deleted.");
        else
            reason = u' ' + signInText(korean);
        setStatus((korean ? number(deleted) + QStringLiteral("개 삭제, ") + number(left) + QStringLiteral("개는 남았습니다.")
                          : number(deleted) + QStringLiteral(" deleted; ") + number(left) + QStringLiteral(" remain."))
                      + reason + deferredTail(plan.deferred, korean),
                  QStringLiteral("warn"));
    }

    setTouring(false);
    setRemoval(std::nullopt);
    setProgress(std::nullopt);
    setRunSession(std::nullopt);
    m_sessionAuto = false;
    co_return deleted;
}

void SpamModel::noteDeleted(const QStringList &ids, const std::optional<ScanStore::PostKey> &page)
{
    // Recorded only while a deletion runs, for its own post and the ids it asked for.
    if (!m_removalPost || !page || *page != *m_removalPost)
        return;
    QStringList fresh;
    for (const QString &id : ids) {
        if (m_removalAsked.contains(id) && !m_deletedNow.contains(id)) {
            m_deletedNow.insert(id);
            fresh.append(id);
        }
    }
    if (!fresh.isEmpty())
        recordDeleted(*page, fresh);
}
