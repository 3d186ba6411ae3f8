#include "Scan/SpamModel.h"

#include "Base/AppSettings.h"
#include "Base/ImageStore.h"
#include "Browser/Browser.h"
#include "Service/VeltraneAccount.h"

#include <QUuid>

SpamModel::SpamModel(SpamEngine *engine, Browser *browser, VeltraneAccount *account, ScanStore *store,
                     AppSettings *settings, QObject *parent)
    : QObject(parent), m_engine(engine), m_browser(browser), m_account(account), m_store(store),
      m_settings(settings ? settings : &AppSettings::shared())
{
    if (!m_account)
        m_account = new VeltraneAccount(this);
    if (!m_store) {
        m_ownStore = std::make_unique<ScanStore>();
        m_store = m_ownStore.get();
    }
    m_scanActivity = ScanActivity::fresh(m_aiOn);
    readSettings();
    m_store->keepDays = m_keepDays;
    QTimer::singleShot(0, this, [this] { purgeInSteps(); });
    m_store->storeText = m_storeText;
    ImageStore::pruneInBackground(m_keepDays);
    connect(&m_review, &PostReview::commentsChanged, this, &SpamModel::commentsChanged);
    connect(&m_review, &PostReview::onlySpamChanged, this, &SpamModel::onlySpamChanged);
    connect(&m_review, &PostReview::justKeptChanged, this, &SpamModel::justKeptChanged);
}

SpamModel::~SpamModel() = default;

namespace {

bool isStep(SpamModel::Job job)
{
    return job == SpamModel::Job::scan || job == SpamModel::Job::removal;
}

} // namespace

void SpamModel::startJob(Job job)
{
    if (job == Job::idle)
        return;
    if (isStep(job)) {
        if (m_job == Job::queue || m_job == Job::discovery)
            setJobState(m_job, job, m_phase);
        else
            setJobState(job, Job::idle, m_phase);
    } else {
        setJobState(job, isStep(m_job) ? m_job : m_step, m_phase);
    }
}

void SpamModel::endJob(Job job)
{
    if (job == Job::idle)
        return;
    if (m_step == job)
        setJobState(m_job, Job::idle, m_phase);
    else if (m_job == job)
        setJobState(isStep(job) ? Job::idle : m_step, Job::idle, m_phase);
}

void SpamModel::setPhase(Phase phase)
{
    setJobState(m_job, m_step, phase);
}

void SpamModel::setJobState(Job job, Job step, Phase phase)
{
    struct Views {
        bool scanning, busy, touring, findingPosts, working, preparing, aiChecking;
    };
    const auto views = [this] {
        return Views {scanning(), busy(), touring(), findingPosts(), working(), preparing(), aiChecking()};
    };
    const Views before = views();
    m_job = job;
    m_step = step;
    m_phase = phase;
    const Views after = views();
    if (after.scanning != before.scanning)
        emit scanningChanged();
    if (after.busy != before.busy)
        emit busyChanged();
    if (after.touring != before.touring)
        emit touringChanged();
    if (after.findingPosts != before.findingPosts)
        emit findingPostsChanged();
    if (after.working != before.working)
        emit workingChanged();
    if (after.preparing != before.preparing)
        emit preparingChanged();
    if (after.aiChecking != before.aiChecking)
        emit aiCheckingChanged();
}

// ---- published state ----------------------------------------------------------------------

void SpamModel::setInfo(const std::optional<SiteInfo> &info) { assign(m_info, info, &SpamModel::infoChanged); }
void SpamModel::setProgress(const std::optional<ScanProgress> &progress) { assign(m_progress, progress, &SpamModel::progressChanged); }
void SpamModel::setScanActivity(const ScanActivity &activity) { assign(m_scanActivity, activity, &SpamModel::scanActivityChanged); }
void SpamModel::setHasScanned(bool on) { assign(m_hasScanned, on, &SpamModel::hasScannedChanged); }
void SpamModel::setRecentOnly(bool on) { assign(m_recentOnly, on, &SpamModel::recentOnlyChanged); }
void SpamModel::setRecentAdded(int count) { assign(m_recentAdded, count, &SpamModel::recentAddedChanged); }
void SpamModel::setPreparing(bool on)
{
    if (on)
        setPhase(Phase::preparing);
    else if (m_phase == Phase::preparing)
        setPhase(Phase::none);
}
void SpamModel::setAIChecking(bool on)
{
    if (on)
        setPhase(Phase::ai);
    else if (m_phase == Phase::ai)
        setPhase(Phase::none);
}
void SpamModel::setDiscoveryStatus(const QString &text) { assign(m_discoveryStatus, text, &SpamModel::discoveryStatusChanged); }
void SpamModel::setRemoval(const std::optional<Removal> &removal) { assign(m_removal, removal, &SpamModel::removalChanged); }
void SpamModel::setLastRemovalCount(int count) { assign(m_lastRemovalCount, count, &SpamModel::lastRemovalCountChanged); }
void SpamModel::setPosts(const QList<ChannelPost> &posts) { assign(m_posts, posts, &SpamModel::postsChanged); }
void SpamModel::setStats(const ScanStore::Stats &stats)
{
    // The totals come from the store: a history found off on the way is made known with them.
    checkHistory();
    assign(m_stats, stats, &SpamModel::statsChanged);
}
void SpamModel::setRunSession(const std::optional<QString> &session) { assign(m_runSession, session, &SpamModel::runSessionChanged); }

void SpamModel::raiseRunsVersion()
{
    ++m_runsVersion;
    emit runsVersionChanged();
}

void SpamModel::raiseDeletionsVersion()
{
    ++m_deletionsVersion;
    emit deletionsVersionChanged();
}

void SpamModel::raiseAccountRequest()
{
    ++m_accountRequest;
    emit accountRequestChanged();
}

void SpamModel::checkHistory()
{
    if (!assign(m_historyNotice, m_store->openError(), &SpamModel::historyNoticeChanged))
        return;
    // Said once in the status line; the notice itself stays where the owner looks for it.
    if (!m_historyNotice.isEmpty() && !m_historyNoticeShown) {
        m_historyNoticeShown = true;
        setStatus(m_historyNotice, StatusKind::warn);
    }
}

std::optional<ScanStore::PostKey> SpamModel::currentPage() const
{
    if (!m_browser)
        return std::nullopt;
    return ScanStore::canonical(m_browser->address());
}

std::optional<ChannelPost> SpamModel::currentPost() const
{
    const std::optional<ScanStore::PostKey> page = currentPage();
    if (!page)
        return std::nullopt;
    for (const ChannelPost &row : m_posts) {
        if (row.url == page->url)
            return row;
    }
    return std::nullopt;
}

// ---- results ------------------------------------------------------------------------------

void SpamModel::resetResults()
{
    setComments({});
    setScanActivity(ScanActivity::fresh(m_aiOn));
    setProgress(std::nullopt);
    setHasScanned(false);
    setRecentOnly(false);
    setOnlySpam(false);
    m_scannedURL.reset();
    m_scannedPage.reset();
    clearReview();
    m_review.forgetPage();
}

void SpamModel::report(const QString &note)
{
    // Only blanks and tabs are trimmed: a note may end in a line break on purpose.
    qsizetype start = 0;
    qsizetype end = note.size();
    const auto horizontal = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (start < end && horizontal(note.at(start)))
        ++start;
    while (end > start && horizontal(note.at(end - 1)))
        --end;
    const QString trimmed = note.mid(start, end - start);
    if (trimmed.isEmpty() || m_issue.contains(trimmed))
        return;
    m_issue = m_issue.isEmpty() ? trimmed : m_issue + u' ' + trimmed;
    emit issueChanged();
}

void SpamModel::clearReview()
{
    m_review.clearMarks();
    assign(m_issue, QString(), &SpamModel::issueChanged);
}

// ---- status line and run log ----------------------------------------------------------------

void SpamModel::setStatus(const QString &text, StatusKind kind)
{
    assign(m_status, text, &SpamModel::statusChanged);
    assign(m_statusKind, kind, &SpamModel::statusKindChanged);
}

void SpamModel::syncPost(const QString &url)
{
    const ScanStore::Counts counts = m_store->syncCounts(url);
    for (qsizetype i = 0; i < m_posts.size(); ++i) {
        if (m_posts.at(i).url != url)
            continue;
        if (m_posts.at(i).total != counts.total || m_posts.at(i).flagged != counts.flagged) {
            m_posts[i].total = counts.total;
            m_posts[i].flagged = counts.flagged;
            emit postsChanged();
        }
        break;
    }
    setStats(m_store->stats());
}

bool SpamModel::logRun(const ScanStore::Run &run, const QList<ScanStore::Item> &items)
{
    ScanStore::Run stored = run;
    // A run outside a multi-post job is a session of its own.
    stored.session = m_runSession ? *m_runSession : QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    stored.automatic = m_sessionAuto;
    const bool logged = m_store->log(stored, items) != 0;
    m_loggedRun = true;
    checkHistory();
    raiseRunsVersion();
    return logged;
}

void SpamModel::logFailedScan(const QString &url, const QString &note)
{
    const std::optional<ScanStore::PostKey> key = ScanStore::canonical(url);
    if (!key)
        return;
    ScanStore::Run run;
    run.kind = ScanStore::Run::Kind::Scan;
    run.site = key->site;
    run.post = key->url;
    run.at = QDateTime::currentDateTime();
    run.failed = true;
    run.note = note;
    logRun(run, {});
}

void SpamModel::logFailedRemoval(const QString &url, int count, const QString &note)
{
    const std::optional<ScanStore::PostKey> key = ScanStore::canonical(url);
    if (!key)
        return;
    ScanStore::Run run;
    run.kind = ScanStore::Run::Kind::Delete;
    run.site = key->site;
    run.post = key->url;
    run.at = QDateTime::currentDateTime();
    run.total = count;
    run.failed = true;
    run.note = note;
    logRun(run, {});
}

void SpamModel::requestNotifications()
{
    // The desktop's notification service shows a notice without asking; the request is counted
    // so that the moments it would be asked stay visible.
    ++m_notificationRequests;
}
