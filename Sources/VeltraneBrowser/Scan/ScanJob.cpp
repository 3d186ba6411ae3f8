#include "Scan/ScanJob.h"

#include "Scan/AIPass.h"

#include "Base/Alerts.h"

#include "Base/ImageStore.h"
#include "Base/Lang.h"
#include "Browser/AccountSession.h"
#include "Browser/Browser.h"
#include "Browser/BrowserError.h"
#include "Page/SpamEngine.h"
#include "Service/VeltraneAccount.h"
#include "Wire/DecodeError.h"

namespace {

// Thrown when Stop gave up waiting for the page.
struct Abandoned { };

template <typename T>
QCoro::Task<void> landInto(QCoro::Task<T> task, std::shared_ptr<ScanJob::Landing<T>> out, QPointer<JobState> jobs)
{
    try {
        out->value.emplace(co_await std::move(task));
    } catch (...) {
        out->error = std::current_exception();
    }
    out->done = true;
    if (jobs)
        jobs->land();
}

QCoro::Task<bool> refreshAccount(QPointer<VeltraneAccount> account)
{
    if (account)
        co_await account->refresh(true);
    co_return true;
}

QString notSignedInNote()
{
    return ScanJob::tr(" The AI check is on but was skipped because you are not signed in. Sign in with your %1"
                       " account in Settings.")
        .arg(QStringLiteral("Glimora"));
}

QString stoppedText()
{
    return ScanJob::tr("The scan was stopped before the page answered. Please scan again.");
}

}   // namespace

ScanJob::ScanJob(const Inputs &in, Hooks hooks, bool full, bool record)
    : m_browser(in.browser)
    , m_engine(in.engine)
    , m_store(in.store)
    , m_account(in.account)
    , m_alerts(in.alerts)
    , m_owner(in.owner)
    , m_review(in.review)
    , m_page(in.page)
    , m_report(in.report)
    , m_history(in.history)
    , m_jobs(in.jobs)
    , m_status(in.status)
    , m_alive(&in.jobs)
    , m_hooks(std::move(hooks))
    , m_full(full)
    , m_record(record)
    , m_accountRefresh(std::make_shared<Landing<bool>>())
{
}

QCoro::Task<void> ScanJob::run()
{
    // Every co_await stands in a statement of its own: g++ 12 mishandles the temporaries of a
    // co_await inside a condition.
    prepare();
    const bool collected = co_await collect();
    if (!collected) {
        end();
        co_return;
    }
    const bool judged = co_await judge();
    if (!judged) {
        end();
        co_return;
    }
    const bool compared = co_await compare();
    if (!compared) {
        end();
        co_return;
    }
    const bool asked = co_await askAI();
    if (!asked) {
        end();
        co_return;
    }
    const bool stored = co_await store();
    if (stored)
        co_await report();
    end();
}

QCoro::Task<bool> ScanJob::turn()
{
    co_await m_jobs.nextTurn();
    co_return m_alive != nullptr;
}

bool ScanJob::abandoned() const
{
    return m_alive && m_jobs.stop().abandon && m_serial == m_jobs.stop().scanSerial;
}

bool ScanJob::samePage() const
{
    return m_alive && m_page.samePage(m_pageID);
}

template <typename T>
QCoro::Task<bool> ScanJob::wait(std::shared_ptr<Landing<T>> landing)
{
    while (!landing->done && !abandoned()) {
        co_await m_jobs.nextLanding();
        if (!m_alive)
            co_return false;
    }
    co_return true;
}

void ScanJob::end()
{
    if (!m_alive)
        return;
    m_page.stopPolling();
    m_jobs.end(JobState::Job::scan);
    m_page.setProgress(std::nullopt);
}

void ScanJob::fail(std::exception_ptr error)
{
    if (!samePage())
        return;
    QString text;
    try {
        std::rethrow_exception(error);
    } catch (const Abandoned &) {
        text = stoppedText();
    } catch (const BrowserError &e) {
        text = tr("Scan error: %1").arg(localizedSiteMessage(e.description()));
    } catch (const DecodeError &e) {
        text = tr("Scan error: %1")
                   .arg(localizedSiteMessage(SpamEngine::unreadableMessage() + QStringLiteral(" (") + e.message()
                                             + u')'));
    } catch (const std::exception &e) {
        text = tr("Scan error: %1").arg(localizedSiteMessage(QString::fromUtf8(e.what())));
    } catch (...) {
        text = tr("Scan error: %1").arg(QString());
    }
    m_status.set(text, StatusKind::warn);
    m_report.report(text);
    if (m_record && m_key)
        m_history.logFailedScan(m_key->url, text);
}

void ScanJob::prepare()
{
    Browser *browser = m_browser.data();
    m_pageID = browser->pageID();
    m_serial = ++m_jobs.stop().scanSerial;
    m_jobs.stop().abandon = false;
    m_jobs.set(JobState::Job::scan, true);
    m_hooks.resetResults();
    m_report.begin();

    m_key = ScanStore::canonical(browser->address());
    m_before = m_key ? m_store->post(m_key->url) : std::nullopt;
    m_recent = m_full ? std::nullopt : m_hooks.recentOptions(m_key);
    if (m_recent.has_value() || m_owner.sort() == SortKey::newest)
        m_status.set(tr("Switching the site's comment order to newest…"), StatusKind::plain);
    else
        m_status.set(tr("Loading comments…"), StatusKind::plain);
    m_page.startPolling(m_pageID);
    // The service account is brought up to date while the page collects: the AI gate needs it
    // right after the answer.
    if (m_owner.aiOn() && m_owner.aiConsent() != std::optional<bool>(false)) {
        m_accountAsked = true;
        landInto(refreshAccount(m_account), m_accountRefresh, m_alive);
    }
}

QCoro::Task<bool> ScanJob::collect()
{
    try {
        const bool newest = m_recent.has_value() || m_owner.sort() == SortKey::newest;
        auto out = std::make_shared<Landing<ScanResult>>();
        landInto(m_engine->scan(m_owner.limit(), newest, m_owner.noLikesOnly(), m_owner.minLikes(), m_recent), out,
                 m_alive);
        const bool present = co_await wait(out);
        if (!present)
            co_return false;
        if (!out->done)
            throw Abandoned();
        if (out->error)
            std::rethrow_exception(out->error);
        m_result = std::move(*out->value);
    } catch (...) {
        fail(std::current_exception());
        co_return false;
    }
    co_return samePage();
}

QCoro::Task<bool> ScanJob::judge()
{
    // The page's items and verdicts, with the owner's keywords laid over them.
    m_page.stopPolling();
    m_review.setComments(m_result.items);
    {
        ScanActivity a = m_page.scanActivity();
        a.stage = ScanActivity::Stage::rules;
        a.collected = m_result.total;
        a.rulesChecked = m_result.items.size();
        a.samples = ScanActivity::samplesOf(m_review.comments());
        m_page.setScanActivity(a);
    }
    m_review.forgetWordBase();
    m_review.overlayWords(false);
    if (m_page.info()) {
        SiteInfo info = *m_page.info();
        info.canRemove = m_result.canRemove;
        m_page.setInfo(info);
    }
    m_review.applySort();
    m_caughtUp = m_result.caughtUp.value_or(false);
    m_report.setLastFacts({{QStringLiteral("recent"), m_recent.has_value()},
                           {QStringLiteral("caughtUp"), m_caughtUp},
                           {QStringLiteral("complete"), m_result.complete.value_or(false)},
                           {QStringLiteral("hidden"), m_result.hidden.value_or(false)},
                           {QStringLiteral("siteSorted"), m_result.siteSorted}});

    // The AI gate: on, signed in to the service, and agreed to.
    if (!m_owner.aiOn() || m_owner.aiConsent() == std::optional<bool>(false))
        co_return true;
    if (!m_accountAsked)
        landInto(refreshAccount(m_account), m_accountRefresh, m_alive);
    const bool waited = co_await wait(m_accountRefresh);
    if (!waited || !samePage())
        co_return false;
    if (!m_accountRefresh->done) {
        // Stopped while the service did not answer: the rules' results only.
    } else if (!m_account->ready()) {
        m_aiNote = notSignedInNote();
        // An owner who started the scan is taken to the account; an unattended run is not.
        if (!m_history.sessionAuto())
            m_hooks.requestAccount();
    } else if (!m_owner.aiConsent()) {
        if (m_alerts->canAsk()) {
            const bool yes = co_await AIPass::askConsent(m_alerts);
            if (!m_alive)
                co_return false;
            // The answer is the owner's whatever happened to the page meanwhile.
            m_owner.set(OwnerSettings::Key::aiConsent, yes);
            if (!yes)
                m_owner.set(OwnerSettings::Key::aiOn, false);
            if (!samePage())
                co_return false;
            m_runAI = m_owner.aiOn() && yes;
        }
    } else {
        m_runAI = m_owner.aiOn() && *m_owner.aiConsent();
    }
    co_return true;
}

QCoro::Task<bool> ScanJob::compare()
{
    m_now = QDateTime::currentDateTime();
    m_facts = ScanReport::Facts::of(m_result);
    if (!m_key)
        co_return true;
    // The judged list is drawn before the history is compared with it, and the hashing and the
    // history's answer take a turn each: a long post's steps together would hold the window.
    // The scanned post is recorded whatever the window does meanwhile, as below.
    const bool drawn = co_await turn();
    if (!drawn)
        co_return false;
    m_review.hashTexts();
    const bool hashed = co_await turn();
    if (!hashed)
        co_return false;
    const QList<Comment> &comments = m_review.comments();
    QStringList ids;
    ids.reserve(comments.size());
    for (const Comment &c : comments)
        ids.append(c.id);
    // Each text hashed once for the whole scan: comparing, reusing, storing and the AI answers.
    const TextHashes &hashes = m_review.textHashes();
    const QHash<QString, ScanStore::Known> known = m_store->known(m_key->site, ids);
    QStringList newIds;
    QSet<QString> seenIds;
    for (const QString &id : std::as_const(ids)) {
        if (!known.contains(id) && !seenIds.contains(id)) {
            newIds.append(id);
            seenIds.insert(id);
        }
    }
    if (m_before && m_before->scannedAt.isValid() && m_before->scannedAt.toMSecsSinceEpoch() > 0) {
        m_fresh = QSet<QString>(newIds.begin(), newIds.end());
        m_added = newIds.size();
    }
    if (!known.isEmpty() && !m_caughtUp) {
        qint64 edited = 0;
        for (auto it = known.constBegin(); it != known.constEnd(); ++it)
            edited += it.value().hash != hashes.of(it.key()) ? 1 : 0;
        m_facts.storeKnewSome = true;
        m_facts.unknown = newIds.size();
        m_facts.edited = edited;
    }
    for (auto it = known.constBegin(); it != known.constEnd(); ++it) {
        if (it.value().score && it.value().hash == hashes.of(it.key()))
            m_review.noteAISeen(it.key());
    }
    if (m_owner.flagKnownSpammers())
        m_facts.repeatNote = m_review.flagRepeatOffenders(m_key->site);
    const QString rules = SpamRules::rulesKey(m_owner.keywords(), m_owner.noLikesOnly(), m_owner.minLikes());
    if (m_owner.skipUnchanged()) {
        QList<Comment> list = m_review.comments();
        if (!m_caughtUp) {
            m_facts.skipped = PostReview::skipCleared(list, known, rules,
                                                      m_runAI ? std::optional<QString>(m_owner.aiOptionsKey())
                                                              : std::nullopt,
                                                      hashes);
        } else {
            list.removeIf([](const Comment &c) {
                return c.verdict() == Comment::Verdict::skip
                    && (c.reason == QLatin1String("unchanged") || c.reason == QLatin1String("kept"));
            });
        }
        m_review.setComments(list);
    }
    if (m_owner.aiOn())
        m_reuse = m_review.reuseAI(known);
    // Nothing is written yet: the comments go to the history with the rest of the record.
    m_rules = rules;
    m_hashes = hashes;
    co_return samePage();
}

QCoro::Task<bool> ScanJob::askAI()
{
    {
        ScanActivity a = m_page.scanActivity();
        a.flagged = ScanActivity::spamCount(m_review.comments());
        a.samples = ScanActivity::samplesOf(m_review.comments());
        m_page.setScanActivity(a);
    }
    if (!m_runAI) {
        ScanActivity a = m_page.scanActivity();
        a.aiState = ScanActivity::AIState::skipped;
        m_page.setScanActivity(a);
        co_return true;
    }
    m_aiOptions = m_owner.aiOptionsKey();
    AIPass pass({m_review, m_page, m_report, m_owner, m_jobs, m_status, m_account, m_store}, m_pageID, m_key,
                &m_answers);
    m_aiNote = co_await pass.run({}, m_reuse);
    if (!m_alive || !samePage())
        co_return false;
    for (const Comment &c : m_review.comments()) {
        if (c.aiProb)
            m_review.noteAISeen(c.id);
    }
    if (m_owner.sort() == SortKey::ai)
        m_review.applySort();
    co_return true;
}

QCoro::Task<bool> ScanJob::store()
{
    // The words once more, then the post recorded.
    m_review.overlayWords(true);
    m_facts.flagged = ScanActivity::spamCount(m_review.comments());
    {
        ScanActivity a = m_page.scanActivity();
        a.stage = ScanActivity::Stage::complete;
        a.flagged = int(m_facts.flagged);
        m_page.setScanActivity(a);
    }
    m_page.setHasScanned(true);
    m_page.setRecentOnly(m_caughtUp);
    m_page.setRecentAdded(int(m_added));
    m_page.setScannedURL(m_browser ? std::optional<QString>(m_browser->address()) : std::nullopt);
    m_page.setScannedPage(m_key);
    m_review.setOnlySpam(m_facts.flagged > 0);
    if (!m_key)
        co_return true;

    std::optional<ChannelPost> row;
    for (const ChannelPost &p : m_hooks.posts()) {
        if (p.url == m_key->url) {
            row = p;
            break;
        }
    }
    // Read before the wait below gives the event loop its turns: the window may leave the page.
    const QString title = row && !row->title.isEmpty()
        ? row->title
        : ScanStore::cleanTitle(m_browser ? m_browser->title() : QString());
    const std::optional<SiteInfo> latest = co_await m_engine->info();
    if (!m_alive)
        co_return false;
    const QList<std::optional<QString>> candidates{latest ? latest->thumbnail : std::nullopt,
                                                   m_page.info() ? m_page.info()->thumbnail : std::nullopt,
                                                   row ? row->thumbnail : std::nullopt};
    ScanStore::Post post;
    post.site = m_key->site;
    post.url = m_key->url;
    post.title = title;
    // The scan's own time: its comments were stored as seen at `now`.
    post.scannedAt = m_now;
    post.total = int(m_result.total);
    post.flagged = int(m_facts.flagged);
    post.watched = row ? row->watched : (m_before ? m_before->watched : false);
    post.deleted = row ? row->deleted : (m_before ? m_before->deleted : 0);
    post.thumbnail = ChannelPost::thumbnailOf(m_key->site, m_key->url, candidates);
    // Only an answer that says it saw every comment is a full collection.
    if (m_result.complete.value_or(false))
        post.fullAt = m_now;
    // A complete collection settles the post's stored comments it no longer found, in the same
    // write as the rest of the record.
    m_settle = post.fullAt && !m_caughtUp;
    m_post = post;
    co_return true;
}

QCoro::Task<void> ScanJob::report()
{
    m_facts.added = m_added;
    m_facts.aiNote = m_aiNote;
    const QString summary = m_report.publish(m_facts).text;
    if (m_post) {
        ScanStore::ScanRecord record;
        record.comments = m_review.comments();
        record.rules = m_rules;
        record.hashes = m_hashes;
        record.answers = m_answers;
        record.aiOptions = m_aiOptions;
        record.post = *m_post;
        if (m_settle) {
            QSet<QString> seen;
            seen.reserve(record.comments.size());
            for (const Comment &c : std::as_const(record.comments))
                seen.insert(c.id);
            record.completeSeen = std::move(seen);
        }
        if (m_record) {
            record.run = m_report.scanRun(*m_key, m_facts);
            record.items = [comments = record.comments, fresh = m_fresh](const QList<ScanStore::Record> &pending) {
                return ScanReport::runItems(comments, pending, fresh);
            };
        }
        const ScanStore::Recorded written = co_await m_hooks.record(std::move(record));
        if (!m_alive)
            co_return;
        m_report.noteStored(written.stored, written.error);
        ScanStore::Post post = *m_post;
        if (written.stored) {
            post.total = written.counts.total;
            post.flagged = written.counts.flagged;
            post.deleted += written.settledDeleted;
        }
        if (post.thumbnail)
            ImageStore::shared().prefetch(*post.thumbnail);
        m_hooks.listPost(post, int(m_added));
        m_history.setStats(m_store->stats());
        if (m_record)
            m_history.runLogged();
    }
    m_report.finish(m_key.has_value());
    m_history.check();
    if (m_key && !m_report.recorded())
        m_status.set(summary + m_report.unsavedSentence(), StatusKind::warn);
}
