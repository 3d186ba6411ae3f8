// The scan of the open post: collect through the page scripts, judge, ask the AI check, store,
// record the post and sum it up; and the owner's Stop.
#include "Scan/SpamModel.h"

#include "Base/ImageStore.h"
#include "Base/Lang.h"
#include "Browser/Browser.h"
#include "Browser/BrowserError.h"
#include "Page/SpamEngine.h"
#include "Service/VeltraneAccount.h"
#include "Wire/DecodeError.h"


#include <exception>
#include <memory>

namespace {


// The outcome of a page call that runs on its own, so that the scan can give up waiting for it.
template <typename T>
struct Landing {
    std::optional<T> value;
    std::exception_ptr error;
    bool done = false;
};

template <typename T>
QCoro::Task<void> landInto(QCoro::Task<T> task, std::shared_ptr<Landing<T>> out, QPointer<SpamModel> model)
{
    try {
        out->value.emplace(co_await std::move(task));
    } catch (...) {
        out->error = std::current_exception();
    }
    out->done = true;
    if (model)
        emit model->landed();
}

QCoro::Task<bool> refreshAccount(QPointer<VeltraneAccount> account)
{
    if (account)
        co_await account->refresh(true);
    co_return true;
}

// Thrown when Stop gave up waiting for the page.
struct Abandoned {};

QString notSignedInNote(bool korean)
{
    return korean ? QStringLiteral(" AI 검사는 켜져 있지만 로그인되어 있지 않아 건너뛰었습니다. 검사 설정에서 ")
                        + QStringLiteral("Glimora") + QStringLiteral(" 계정으로 로그인하세요.")
                  : QStringLiteral(" The AI check is on but was skipped because you are not signed in. Sign in with your ")
                        + QStringLiteral("Glimora") + QStringLiteral(" account in Settings.");
}

QString stoppedText(bool korean)
{
    return korean ? QStringLiteral("페이지가 멈추지 않아 검사를 중지했습니다. 다시 검사해 주세요.")
                  : QStringLiteral("The scan was stopped before the page answered. Please scan again.");
}

} // namespace

QCoro::Task<void> SpamModel::nextLanding()
{
    // Signals are awaited through a direct one-shot connection: several landings before the
    // waiter runs must not resume it more than once.
    struct Awaiter {
        SpamModel *model;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> waiter)
        {
            auto connection = std::make_shared<QMetaObject::Connection>();
            *connection = QObject::connect(model, &SpamModel::landed, model, [connection, waiter, m = model] {
                QObject::disconnect(*connection);
                QMetaObject::invokeMethod(m, [waiter] { waiter.resume(); }, Qt::QueuedConnection);
            });
        }
        void await_resume() const noexcept {}
    };
    co_await Awaiter{this};
}

QCoro::Task<void> SpamModel::yieldToLoop()
{
    struct Awaiter {
        SpamModel *model;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> waiter)
        {
            QMetaObject::invokeMethod(model, [waiter] { waiter.resume(); }, Qt::QueuedConnection);
        }
        void await_resume() const noexcept {}
    };
    co_await Awaiter{this};
}

void SpamModel::setUpScan()
{
    m_pollTimer.setInterval(progressIntervalMs);
    m_pollTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_pollTimer, &QTimer::timeout, this, &SpamModel::pollTick);
}

bool SpamModel::samePage(const QUuid &pageID) const
{
    return m_browser && m_browser->pageID() == pageID;
}

void SpamModel::endScan()
{
    stopPolling();
    setScanning(false);
    setProgress(std::nullopt);
}

void SpamModel::scanFailed(const QString &description, bool record, const std::optional<ScanStore::PostKey> &key)
{
    const bool korean = Lang::system();
    const QString text = korean ? QStringLiteral("검사 중 오류: ") + description
                                : QStringLiteral("Scan error: ") + englishSiteMessage(description);
    setStatus(text, QStringLiteral("warn"));
    report(text);
    if (record && key)
        logFailedScan(key->url, text);
}

QCoro::Task<void> SpamModel::scan(bool full, bool record)
{
    // Silent guards: nothing changes when the scan cannot start.
    if (m_scanning || m_busy)
        co_return;
    Browser *browser = m_browser.data();
    if (browser && browser->accounts() && browser->accounts()->isAuthenticating())
        co_return;
    if (!m_info || !m_info->supported)
        co_return;
    if (!browser || browser->isLoading() || !m_engine)
        co_return;
    if (!m_pageID || *m_pageID != browser->pageID())
        co_return;

    QPointer<SpamModel> self(this);
    const QUuid pageID = browser->pageID();
    const quint64 serial = ++m_scanSerial;
    m_abandon = false;
    setScanning(true);
    resetResults();
    m_scanRecorded = false;
    m_scanUnsaved.clear();

    const bool korean = Lang::system();
    const std::optional<ScanStore::PostKey> key = ScanStore::canonical(browser->address());
    const std::optional<ScanStore::Post> before = key ? m_store->post(key->url) : std::nullopt;
    const std::optional<Recent> recent = full ? std::nullopt : recentOptions(key);
    const bool newest = recent.has_value() || m_sort == SortKey::newest;
    if (newest)
        setStatus(korean ? QStringLiteral("사이트의 댓글 정렬을 최신순으로 바꾸는 중…")
                         : QStringLiteral("Switching the site's comment order to newest…"), QString());
    else
        setStatus(korean ? QStringLiteral("댓글을 불러오는 중…") : QStringLiteral("Loading comments…"), QString());
    startPolling(pageID);
    // The service account is brought up to date while the page collects: the AI gate needs it
    // right after the answer.
    auto accountRefresh = std::make_shared<Landing<bool>>();
    bool accountAsked = false;
    if (m_aiOn && m_aiConsent != std::optional<bool>(false)) {
        accountAsked = true;
        landInto(refreshAccount(m_account), accountRefresh, self);
    }

    // The page call, given up when Stop has waited long enough.
    ScanResult result;
    try {
        auto out = std::make_shared<Landing<ScanResult>>();
        landInto(m_engine->scan(m_limit, newest, m_noLikesOnly, m_minLikes, recent), out, self);
        while (!out->done && !(m_abandon && serial == m_scanSerial)) {
            co_await nextLanding();
            if (!self)
                co_return;
        }
        if (!out->done)
            throw Abandoned();
        if (out->error)
            std::rethrow_exception(out->error);
        result = std::move(*out->value);
    } catch (const Abandoned &) {
        if (samePage(pageID)) {
            setStatus(stoppedText(korean), QStringLiteral("warn"));
            report(stoppedText(korean));
            if (record && key)
                logFailedScan(key->url, stoppedText(korean));
        }
        endScan();
        co_return;
    } catch (const BrowserError &e) {
        if (samePage(pageID))
            scanFailed(e.description(), record, key);
        endScan();
        co_return;
    } catch (const DecodeError &e) {
        if (samePage(pageID))
            scanFailed(SpamEngine::unreadableMessage() + QStringLiteral(" (") + e.message() + u')', record, key);
        endScan();
        co_return;
    } catch (const std::exception &e) {
        if (samePage(pageID))
            scanFailed(QString::fromUtf8(e.what()), record, key);
        endScan();
        co_return;
    }
    if (!samePage(pageID)) {
        endScan();
        co_return;
    }

    // The page's items and verdicts, with the owner's keywords laid over them.
    stopPolling();
    setComments(result.items);
    {
        ScanActivity a = m_scanActivity;
        a.stage = ScanActivity::Stage::rules;
        a.collected = result.total;
        a.rulesChecked = result.items.size();
        a.samples = ScanActivity::samplesOf(m_comments);
        setScanActivity(a);
    }
    m_wordBase.clear();
    overlayWords(false);
    if (m_info) {
        SiteInfo info = *m_info;
        info.canRemove = result.canRemove;
        setInfo(info);
    }
    applySort();
    const bool caughtUp = result.caughtUp.value_or(false);
    m_lastScanFacts = {{QStringLiteral("recent"), recent.has_value()},
                       {QStringLiteral("caughtUp"), caughtUp},
                       {QStringLiteral("complete"), result.complete.value_or(false)},
                       {QStringLiteral("hidden"), result.hidden.value_or(false)},
                       {QStringLiteral("siteSorted"), result.siteSorted}};

    // The AI gate: on, signed in to the service, and agreed to.
    bool runAI = false;
    QString aiNote;
    if (m_aiOn && m_aiConsent != std::optional<bool>(false)) {
        if (!accountAsked)
            landInto(refreshAccount(m_account), accountRefresh, self);
        while (!accountRefresh->done && !(m_abandon && serial == m_scanSerial)) {
            co_await nextLanding();
            if (!self)
                co_return;
        }
        if (!samePage(pageID)) {
            endScan();
            co_return;
        }
        if (!accountRefresh->done) {
            // Stopped while the service did not answer: the rules' results only.
        } else if (!m_account->ready()) {
            aiNote = notSignedInNote(korean);
            // An owner who started the scan is taken to the account; an unattended run is not.
            if (!m_sessionAuto)
                raiseAccountRequest();
        } else if (!m_aiConsent) {
            if (alerts()->canAsk()) {
                const bool yes = co_await askAIConsent();
                if (!self)
                    co_return;
                // The answer is the owner's whatever happened to the page meanwhile.
                setAIConsent(yes);
                if (!yes)
                    setAIOn(false);
                if (!samePage(pageID)) {
                    endScan();
                    co_return;
                }
                runAI = m_aiOn && yes;
            }
        } else {
            runAI = m_aiOn && *m_aiConsent;
        }
    }

    // What the store knows of these comments, and the rules that use it.
    const QDateTime now = QDateTime::currentDateTime();
    ScanFacts facts = ScanFacts::of(result);
    QSet<QString> fresh;
    qint64 added = 0;
    Reuse reuse;
    if (key) {
        QStringList ids;
        ids.reserve(m_comments.size());
        QHash<QString, QString> hashes;
        hashes.reserve(m_comments.size());
        for (const Comment &c : std::as_const(m_comments)) {
            ids.append(c.id);
            if (!hashes.contains(c.id))
                hashes.insert(c.id, ScanStore::hash(c.text));
        }
        const QHash<QString, ScanStore::Known> known = m_store->known(key->site, ids);
        QStringList newIds;
        QSet<QString> seenIds;
        for (const QString &id : std::as_const(ids)) {
            if (!known.contains(id) && !seenIds.contains(id)) {
                newIds.append(id);
                seenIds.insert(id);
            }
        }
        if (before && before->scannedAt.isValid() && before->scannedAt.toMSecsSinceEpoch() > 0) {
            fresh = QSet<QString>(newIds.begin(), newIds.end());
            added = newIds.size();
        }
        if (!known.isEmpty() && !caughtUp) {
            qint64 edited = 0;
            for (auto it = known.constBegin(); it != known.constEnd(); ++it)
                edited += it.value().hash != hashes.value(it.key()) ? 1 : 0;
            facts.storeKnewSome = true;
            facts.unknown = newIds.size();
            facts.edited = edited;
        }
        for (auto it = known.constBegin(); it != known.constEnd(); ++it) {
            if (it.value().score && it.value().hash == hashes.value(it.key()))
                m_aiSeen.insert(it.key());
        }
        if (m_flagKnownSpammers)
            facts.repeatNote = flagRepeatOffenders(key->site);
        const QString rules = rulesKey(m_keywords, m_noLikesOnly, m_minLikes);
        if (m_skipUnchanged) {
            QList<Comment> list = m_comments;
            if (!caughtUp) {
                facts.skipped = skipCleared(list, known, rules,
                                            runAI ? std::optional<QString>(aiOptionsKey()) : std::nullopt);
            } else {
                list.removeIf([](const Comment &c) {
                    return c.state == QLatin1String("skip")
                        && (c.reason == QLatin1String("unchanged") || c.reason == QLatin1String("kept"));
                });
            }
            setComments(list);
        }
        if (m_aiOn)
            reuse = reuseAI(known);
        noteStored(m_store->remember(key->site, key->url, m_comments, rules, now));
    }

    // The AI check.
    {
        ScanActivity a = m_scanActivity;
        a.flagged = ScanActivity::spamCount(m_comments);
        a.samples = ScanActivity::samplesOf(m_comments);
        setScanActivity(a);
    }
    if (runAI) {
        aiNote = co_await aiPass(pageID, key, {}, reuse);
        if (!self)
            co_return;
        if (!samePage(pageID)) {
            endScan();
            co_return;
        }
        for (const Comment &c : std::as_const(m_comments)) {
            if (c.aiProb)
                m_aiSeen.insert(c.id);
        }
        if (m_sort == SortKey::ai)
            applySort();
    } else {
        ScanActivity a = m_scanActivity;
        a.aiState = ScanActivity::AIState::skipped;
        setScanActivity(a);
    }

    // Finish: the words once more, the post recorded, the summary.
    overlayWords(true);
    const int flagged = ScanActivity::spamCount(m_comments);
    {
        ScanActivity a = m_scanActivity;
        a.stage = ScanActivity::Stage::complete;
        a.flagged = flagged;
        setScanActivity(a);
    }
    setHasScanned(true);
    setRecentOnly(caughtUp);
    setRecentAdded(int(added));
    m_scannedURL = m_browser ? std::optional<QString>(m_browser->address()) : std::nullopt;
    m_scannedPage = key;
    setOnlySpam(flagged > 0);

    if (key) {
        noteStored(m_store->rememberVerdicts(key->site, m_comments));
        std::optional<ChannelPost> row;
        for (const ChannelPost &p : std::as_const(m_posts)) {
            if (p.url == key->url) {
                row = p;
                break;
            }
        }
        const QString title = row && !row->title.isEmpty()
            ? row->title
            : ScanStore::cleanTitle(m_browser ? m_browser->title() : QString());
        const std::optional<SiteInfo> latest = co_await m_engine->info();
        if (!self)
            co_return;
        const QList<std::optional<QString>> candidates{
            latest ? latest->thumbnail : std::nullopt,
            m_info ? m_info->thumbnail : std::nullopt,
            row ? row->thumbnail : std::nullopt};
        ScanStore::Post post;
        post.site = key->site;
        post.url = key->url;
        post.title = title;
        // The scan's own time: its comments were stored as seen at `now`.
        post.scannedAt = now;
        post.total = int(result.total);
        post.flagged = flagged;
        post.watched = row ? row->watched : (before ? before->watched : false);
        post.deleted = row ? row->deleted : (before ? before->deleted : 0);
        post.thumbnail = ChannelPost::thumbnailOf(key->site, key->url, candidates);
        // Only an answer that says it saw every comment is a full collection.
        if (result.complete.value_or(false))
            post.fullAt = now;
        noteStored(m_store->record(post));
        const ScanStore::Counts counts = m_store->syncCounts(key->url);
        post.total = counts.total;
        post.flagged = counts.flagged;
        if (post.thumbnail)
            ImageStore::shared().prefetch(*post.thumbnail);
        listPost(post, int(added));
        setStats(m_store->stats());
    }

    facts.flagged = flagged;
    facts.added = added;
    facts.aiNote = aiNote;
    reportScan(facts);
    const StatusLine summary{m_status, m_statusKind};
    if (record && key)
        noteStored(logScanRun(*key, facts, fresh));
    // A scan whose results did not all reach the history never reads as a plain success.
    m_scanRecorded = key.has_value() && m_scanUnsaved.isEmpty();
    checkHistory();
    if (key && !m_scanRecorded)
        setStatus(summary.text + unsavedSentence(korean), QStringLiteral("warn"));
    endScan();
}

void SpamModel::listPost(const ScanStore::Post &post, int added)
{
    ChannelPost row = SpamModel::row(post, ChannelPost::State::done);
    row.added = added;
    QList<ChannelPost> posts = m_posts;
    qsizetype at = -1;
    for (qsizetype i = 0; i < posts.size(); ++i) {
        if (posts.at(i).url == post.url) {
            at = i;
            break;
        }
    }
    if (m_touring) {
        // A job over several posts keeps its queue's order and takes in no other post.
        if (at < 0)
            return;
        row.note = posts.at(at).note;
        posts[at] = row;
    } else {
        // The post just scanned moves to the top.
        if (at >= 0)
            posts.removeAt(at);
        posts.prepend(row);
    }
    setPosts(posts);
}

void SpamModel::stopScan()
{
    ScanActivity a = m_scanActivity;
    a.interrupted = true;
    setScanActivity(a);
    if (m_touring)
        m_tourStop = true;
    if (!m_aiChecking) {
        if (m_engine)
            m_engine->stop();
    } else {
        m_aiStop = true;
    }
    // A page or a service that does not answer the stop is not waited for beyond a short grace.
    if (m_scanning) {
        const quint64 serial = m_scanSerial;
        QTimer::singleShot(stopGraceMs, this, [this, serial] {
            if (m_scanning && serial == m_scanSerial) {
                m_abandon = true;
                emit landed();
            }
        });
    }
}
