#include "Scan/SpamModel.h"

#include "Base/AppSettings.h"
#include "Base/ImageStore.h"
#include "Browser/Browser.h"
#include "Service/VeltraneAccount.h"

#include <QUuid>

SpamModel::SpamModel(SpamEngine *engine, Browser *browser, VeltraneAccount *account, ScanStore *store,
                     AppSettings *settings, QObject *parent)
    : QObject(parent), m_engine(engine), m_browser(browser), m_account(account),
      m_ownStore(store ? nullptr : std::make_unique<ScanStore>()), m_store(store ? store : m_ownStore.get()),
      m_settings(settings ? settings : &AppSettings::shared())
{
    if (!m_account)
        m_account = new VeltraneAccount(this);
    m_storeThread = std::make_unique<StoreThread>(m_store);
    m_openPage.setScanActivity(ScanActivity::fresh(aiOn()));
    readSettings();
    m_store->keepDays = keepDays();
    QTimer::singleShot(0, this, [this] { purgeInSteps(); });
    m_store->storeText = storeText();
    ImageStore::pruneInBackground(keepDays());
    connect(&m_review, &PostReview::commentsChanged, this, &SpamModel::commentsChanged);
    connect(&m_review, &PostReview::onlySpamChanged, this, &SpamModel::onlySpamChanged);
    connect(&m_review, &PostReview::justKeptChanged, this, &SpamModel::justKeptChanged);
    connect(&m_openPage, &OpenPage::pageReplaced, this, &SpamModel::resetResults);
    connect(&m_openPage, &OpenPage::deletedReported, this, &SpamModel::noteDeleted);
    connect(&m_history, &HistoryState::postCounted, m_catalog, &PostCatalog::takeCounts);
}

SpamModel::~SpamModel() = default;

// ---- published state ----------------------------------------------------------------------

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
    m_openPage.setScanActivity(ScanActivity::fresh(aiOn()));
    m_openPage.setProgress(std::nullopt);
    m_openPage.setHasScanned(false);
    m_openPage.setRecentOnly(false);
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
