// The model's side of the post list: taking the browser for a job over several posts, and the
// post list's calls the views and the agent make on the model (the list itself is PostCatalog).
#include "Scan/SpamModel.h"

#include "Scan/PostCatalog.h"

void SpamModel::takeOverBrowser()
{
    m_openPage.dropRefresh();   // the page refresh in wait (and its scan on open) is not the job's
    m_jobs.stop().queue = false;
    m_openPage.setAutoScan(std::nullopt);
    m_jobs.leavePhase(JobState::Phase::preparing);
}

PostCatalog &SpamModel::catalog() const { return *m_catalog; }
const QList<ChannelPost> &SpamModel::posts() const { return m_catalog->rows(); }
ChannelPost SpamModel::row(const ScanStore::Post &post, ChannelPost::State state) { return PostCatalog::row(post, state); }
QList<LoginProvider> SpamModel::tourProviders() const { return m_catalog->providers(); }
QCoro::Task<QList<FoundPost>> SpamModel::discover(LoginProvider provider, std::optional<int> limit)
{
    return m_catalog->discover(provider, limit);
}
QList<ChannelPost> SpamModel::scanCandidates() { return m_catalog->candidates(); }
int SpamModel::addDiscovered(const QList<FoundPost> &posts) { return m_catalog->addDiscovered(posts); }
void SpamModel::loadHistory() { m_catalog->loadHistory(); }
void SpamModel::forgetPost(const QString &url) { m_catalog->forget(url); }
QString SpamModel::nothingMoreToLoad() { return PostCatalog::nothingMoreToLoad(); }
QCoro::Task<int> SpamModel::loadMorePosts(LoginProvider provider) { return m_catalog->loadMore(provider); }
void SpamModel::stopLoadingPosts() { m_catalog->stopLoading(); }
bool SpamModel::setWatched(const QString &url, bool on) { return m_catalog->setWatched(url, on); }
void SpamModel::finishPendingMonitor() { m_catalog->finishPendingMonitor(); }
SpamModel::DashboardData SpamModel::dashboard(int days, const QDateTime &now) { return m_catalog->dashboard(days, now); }
void SpamModel::dashboardAside(int days, QObject *context, std::function<void(const DashboardData &)> done)
{
    m_catalog->dashboardAside(days, QDateTime::currentDateTime(), context, std::move(done));
}
bool SpamModel::clearHistory() { return m_catalog->clearHistory(); }

PostQueue &SpamModel::queue() const { return *m_queue; }
QCoro::Task<void> SpamModel::scanChannels(TourScope scope, bool automatic)
{
    Q_UNUSED(scope);
    return m_queue->scanChannels(automatic);
}
QCoro::Task<void> SpamModel::scanSelectedPosts(QList<ChannelPost> posts) { return m_queue->scanSelected(std::move(posts)); }

AutoScanSchedule &SpamModel::autoScans() const { return *m_autoScans; }
void SpamModel::startAutoScan(double firstCheck) { m_autoScans->start(firstCheck); }
void SpamModel::stopAutoScan() { m_autoScans->stop(); }
bool SpamModel::autoScanRunning() const { return m_autoScans->running(); }
void SpamModel::setBrowserWindow(QWindow *window) { m_autoScans->setBrowserWindow(window); }
