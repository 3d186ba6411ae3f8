#include "Scan/SpamModel.h"

#include "Base/AppSettings.h"
#include "Base/ImageStore.h"
#include "Browser/Browser.h"
#include "Scan/Publish.h"
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
    m_storeThread = std::make_unique<StoreThread>(m_store);
    m_openPage.setScanActivity(ScanActivity::fresh(m_owner->aiOn()));
    readSettings();
    m_store->keepDays = m_owner->keepDays();
    QTimer::singleShot(0, this, [this] { purgeInSteps(); });
    m_store->storeText = m_owner->storeText();
    ImageStore::pruneInBackground(m_owner->keepDays());
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

void SpamModel::setInfo(const std::optional<SiteInfo> &info) { m_openPage.setInfo(info); }
void SpamModel::setProgress(const std::optional<ScanProgress> &progress) { m_openPage.setProgress(progress); }
void SpamModel::setScanActivity(const ScanActivity &activity) { m_openPage.setScanActivity(activity); }
void SpamModel::setHasScanned(bool on) { m_openPage.setHasScanned(on); }
void SpamModel::setRecentOnly(bool on) { m_openPage.setRecentOnly(on); }
void SpamModel::setRecentAdded(int count) { m_openPage.setRecentAdded(count); }
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
QString SpamModel::discoveryStatus() const { return m_catalog->discoveryStatus(); }
void SpamModel::setDiscoveryStatus(const QString &text) { m_catalog->setDiscoveryStatus(text); }
const std::optional<SpamModel::Removal> &SpamModel::removal() const { return m_removalJob->progress(); }
void SpamModel::setRemoval(const std::optional<Removal> &removal) { m_removalJob->setProgress(removal); }
int SpamModel::lastRemovalCount() const { return m_removalJob->lastCount(); }
void SpamModel::setLastRemovalCount(int count) { m_removalJob->setLastCount(count); }
void SpamModel::setPosts(const QList<ChannelPost> &posts) { m_catalog->setRows(posts); }
void SpamModel::raiseAccountRequest()
{
    ++m_accountRequest;
    emit accountRequestChanged();
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
    return m_catalog->rowOf(page->url);
}

// ---- results ------------------------------------------------------------------------------

void SpamModel::resetResults()
{
    setComments({});
    setScanActivity(ScanActivity::fresh(m_owner->aiOn()));
    setProgress(std::nullopt);
    setHasScanned(false);
    setRecentOnly(false);
    setOnlySpam(false);
    m_openPage.setScannedURL(std::nullopt);
    m_openPage.setScannedPage(std::nullopt);
    clearReview();
    m_review.forgetPage();
}

void SpamModel::clearReview()
{
    m_review.clearMarks();
    m_scanReport.setIssue(QString());
}

// ---- status line ----------------------------------------------------------------

void SpamModel::setStatus(const QString &text, StatusKind kind)
{
    publish(m_statusLine.text, text, *this, &SpamModel::statusChanged);
    publish(m_statusLine.kind, kind, *this, &SpamModel::statusKindChanged);
}
