#include "Scan/SpamModel.h"

#include "Base/AppSettings.h"
#include "Base/ImageStore.h"
#include "Browser/Browser.h"
#include "Scan/Publish.h"
#include "Service/VeltraneAccount.h"

#include <QUuid>

SpamModel::SpamModel(SpamEngine *engine, Browser *browser, VeltraneAccount *account, ScanStore *store,
                     AppSettings *settings, QObject *parent)
    : QObject(parent), m_engine(engine), m_browser(browser),
      m_account(account ? account : new VeltraneAccount(this)),
      m_ownStore(store ? nullptr : std::make_unique<ScanStore>()), m_store(store ? store : m_ownStore.get()),
      m_settings(settings ? settings : &AppSettings::shared())
{
    m_storeThread = std::make_unique<StoreThread>(m_store);
    makeRemovalJob();
    m_openPage.setScanActivity(ScanActivity::fresh(m_owner->aiOn()));
    readSettings();
    m_store->keepDays = m_owner->keepDays();
    QTimer::singleShot(0, this, [this] { purgeInSteps(); });
    m_store->storeText = m_owner->storeText();
    ImageStore::pruneInBackground(m_owner->keepDays());
    connect(&m_jobs, &JobState::changed, this, &SpamModel::announceJobState);
    connect(&m_statusLine, &StatusLine::changed, this, [this, before = m_statusLine.value()]() mutable {
        const StatusLine::Value now = m_statusLine.value();
        if (now.text != before.text)
            emit statusChanged();
        if (now.kind != before.kind)
            emit statusKindChanged();
        before = now;
    });
    connect(&m_review, &PostReview::verdictsStored, this, [this](const QString &url) { m_history.syncPost(url); });
    connect(m_catalog, &PostCatalog::totalsChanged, this, [this] { m_history.setStats(m_store->stats()); });
    connect(m_catalog, &PostCatalog::runsChanged, this, [this] { m_history.raiseRunsVersion(); });
    connect(m_catalog, &PostCatalog::deletionsChanged, this, [this] { m_history.raiseDeletionsVersion(); });
    connect(m_catalog, &PostCatalog::accountNeeded, this, &SpamModel::raiseAccountRequest);
    connect(m_catalog, &PostCatalog::browserNeeded, this, &SpamModel::takeOverBrowser);
    connect(m_queue, &PostQueue::browserNeeded, this, &SpamModel::takeOverBrowser);
}

SpamModel::~SpamModel() = default;

void SpamModel::startJob(Job job) { m_jobs.start(job); }
void SpamModel::endJob(Job job) { m_jobs.end(job); }
void SpamModel::setPhase(Phase phase) { m_jobs.setPhase(phase); }

void SpamModel::announceJobState()
{
    const JobViews before = m_jobViews;
    m_jobViews = {scanning(), busy(), touring(), findingPosts(), working(), preparing(), aiChecking()};
    const JobViews &after = m_jobViews;
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
    on ? m_jobs.setPhase(Phase::preparing) : m_jobs.leavePhase(Phase::preparing);
}
void SpamModel::setAIChecking(bool on)
{
    on ? m_jobs.setPhase(Phase::ai) : m_jobs.leavePhase(Phase::ai);
}
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
    m_review.setComments({});
    setScanActivity(ScanActivity::fresh(m_owner->aiOn()));
    setProgress(std::nullopt);
    setHasScanned(false);
    setRecentOnly(false);
    m_review.setOnlySpam(false);
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
    m_statusLine.set(text, kind);
}
