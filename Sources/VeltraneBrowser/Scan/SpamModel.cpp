#include "Scan/SpamModel.h"

#include "Base/AppSettings.h"
#include "Base/ImageStore.h"
#include "Browser/Browser.h"
#include "Service/VeltraneAccount.h"

#include <QUuid>

SpamModel::SpamModel(SpamEngine *engine, Browser *browser, VeltraneAccount *account, ScanStore *store,
                     AppSettings *settings, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_browser(browser)
    , m_account(account ? account : new VeltraneAccount(this))
    , m_ownStore(store ? nullptr : std::make_unique<ScanStore>())
    , m_store(store ? store : m_ownStore.get())
    , m_settings(settings ? settings : &AppSettings::shared())
{
    m_storeThread = std::make_unique<StoreThread>(m_store);
    makeRemovalJob();
    m_openPage.setScanActivity(ScanActivity::fresh(m_owner->aiOn()));
    readSettings();
    m_store->keepDays = m_owner->keepDays();
    QTimer::singleShot(0, this, [this] { purgeInSteps(); });
    m_store->storeText = m_owner->storeText();
    ImageStore::pruneInBackground(m_owner->keepDays());
    connect(&m_review, &PostReview::verdictsStored, this, [this](const QString &url) { m_history.syncPost(url); });
    connect(m_catalog, &PostCatalog::totalsChanged, this, [this] { m_history.setStats(m_store->stats()); });
    connect(m_catalog, &PostCatalog::runsChanged, this, [this] { m_history.raiseRunsVersion(); });
    connect(m_catalog, &PostCatalog::deletionsChanged, this, [this] { m_history.raiseDeletionsVersion(); });
    connect(m_catalog, &PostCatalog::accountNeeded, this, &SpamModel::raiseAccountRequest);
    connect(m_catalog, &PostCatalog::browserNeeded, this, &SpamModel::takeOverBrowser);
    connect(m_queue, &PostQueue::browserNeeded, this, &SpamModel::takeOverBrowser);
    connect(&m_openPage, &OpenPage::pageReplaced, this, &SpamModel::resetResults);
    connect(&m_openPage, &OpenPage::deletedReported, m_removalJob, &RemovalJob::noteDeleted);
    connect(&m_history, &HistoryState::postCounted, m_catalog, &PostCatalog::takeCounts);
}

SpamModel::~SpamModel() = default;

// ---- published state ----------------------------------------------------------------------

void SpamModel::raiseAccountRequest()
{
    ++m_accountRequest;
    emit accountRequestChanged();
}

std::optional<ChannelPost> SpamModel::currentPost() const
{
    const std::optional<ScanStore::PostKey> page = m_catalog->currentPage();
    if (!page)
        return std::nullopt;
    return m_catalog->rowOf(page->url);
}

// ---- results ------------------------------------------------------------------------------

void SpamModel::resetResults()
{
    m_review.setComments({});
    m_openPage.setScanActivity(ScanActivity::fresh(m_owner->aiOn()));
    m_openPage.setProgress(std::nullopt);
    m_openPage.setHasScanned(false);
    m_openPage.setRecentOnly(false);
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
