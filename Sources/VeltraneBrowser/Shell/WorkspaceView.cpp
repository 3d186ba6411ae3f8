#include "Shell/WorkspaceView.h"

#include "Base/AppSettings.h"
#include "Base/ImageStore.h"
#include "Browser/AccountSession.h"
#include "Browser/Browser.h"
#include "Dashboard/StatisticsSheet.h"
#include "Panel/PanelActions.h"
#include "Panel/SpamPanel.h"
#include "Scan/SpamModel.h"
#include "Settings/SettingsOpener.h"
#include "Settings/SettingsWindow.h"
#include "Shell/AccountMenu.h"
#include "Shell/SidebarSites.h"
#include "Shell/AppState.h"
#include "Shell/BrowserPane.h"
#include "Shell/CardSplitter.h"
#include "Shell/PostDock.h"
#include "Theme/Design.h"
#include "Shell/PaneResizer.h"
#include "Shell/WorkspaceSidebar.h"

#include <QPainter>
#include <QVBoxLayout>

namespace {

const QString menuKey = QStringLiteral("vt.menuWidth");
const QString panelKey = QStringLiteral("vt.panelWidth");
const QString dockKey = QStringLiteral("vt.dockHeight");
constexpr double cardRadius = 18;

// The 1-point border of a rounded card, drawn over its content; takes no input.
class Border : public QWidget {
public:
    explicit Border(QWidget *parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        // The corners outside the rounded shape take the canvas colour, which smooths the mask's steps.
        QPainterPath outside;
        outside.addRect(QRectF(rect()));
        p.fillPath(outside.subtracted(Design::rounded(QRectF(rect()), cardRadius)), Design::canvas());
        Design::innerStroke(p, QRectF(rect()), cardRadius, Design::border());
    }
};

void roundOff(QWidget *w)
{
    const QPainterPath path = Design::rounded(QRectF(QPointF(0, 0), QSizeF(w->size())), cardRadius);
    w->setMask(QRegion(path.toFillPolygon().toPolygon()));
}

// Runs on by itself: the panel takes nothing from the answer; the outcome shows in the model.
QCoro::Task<void> removeStored(QPointer<SpamModel> model, QList<ScanStore::Record> records)
{
    co_await model->removalJob().removeStored(std::move(records), {}, false);
}

}   // namespace

double WorkspaceView::sidebarWidth(double stored)
{
    return qMin(qMax(stored, 200.0), 300.0);
}

double WorkspaceView::panelLimit(double areaWidth)
{
    return qMax(areaWidth - 500, 380.0);
}

double WorkspaceView::panelWidth(double stored, double areaWidth)
{
    return qMin(qMax(stored, 380.0), panelLimit(areaWidth));
}

double WorkspaceView::dockHeight(double stored, double cardHeight)
{
    // The page's minimum wins over the stored height; the list's minimum over both.
    const double upper = qMax(cardHeight - 1 - browserMinimum, dockMinimum);
    return qBound(dockMinimum, stored, upper);
}

bool WorkspaceView::locked(bool working, bool clearing)
{
    return working || clearing;
}

bool WorkspaceView::dockLocked(bool clearing, bool authenticating)
{
    return clearing || authenticating;
}

WorkspaceView::Geometry WorkspaceView::layout(QSizeF size, double storedMenu, double storedPanel, double storedDock)
{
    Geometry g;
    const double sw = sidebarWidth(storedMenu);
    g.sidebar = QRectF(0, 0, sw, size.height());
    const double W = qMax(size.width() - sw, 0.0);
    const double H = size.height();
    g.panelLimit = panelLimit(W);
    const double pw = panelWidth(storedPanel, W);
    const double cardOuter = qMax(W - pw, 0.0);
    g.card = QRectF(sw + 12, 12, qMax(cardOuter - 24, 0.0), qMax(H - 24, 0.0));
    g.panel = QRectF(sw + cardOuter, 12, qMax(pw - 12, 0.0), qMax(H - 24, 0.0));
    g.leadingResizer = QRectF(sw, 0, 12, H);
    g.trailingResizer = QRectF(sw + cardOuter - 12, 0, 12, H);
    g.dockHeight = dockHeight(storedDock, g.card.height());
    g.browserHeight = qMax(g.card.height() - 1 - g.dockHeight, 0.0);
    return g;
}

WorkspaceView::WorkspaceView(AppState *state, AppSettings *settings, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_settings(settings)
{
    Browser *browser = state->browser();
    SpamModel *model = state->spam();
    m_sidebar = new WorkspaceSidebar(browser, model->account(), this);
    QPointer<SpamModel> weakModel(model);
    m_sidebar->working = [weakModel] { return weakModel && weakModel->jobs().working(); };
    // One settings window at a time; it also opens on the account tab at the model's request.
    m_settingsOpener = new SettingsOpener(model, this);
    m_sidebar->openSettings = [this] { m_settingsOpener->open(SettingsTab::ai); };
    m_sidebar->openAccount = [this] { m_settingsOpener->open(SettingsTab::account); };
    m_sidebar->openDashboard = [this] { openStatistics(); };

    m_card = new QWidget(this);
    auto *column = new QVBoxLayout(m_card);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_split = new CardSplitter(m_card);
    column->addWidget(m_split);
    m_pane = new BrowserPane(browser, m_split);
    m_pane->setMinimumHeight(int(browserMinimum));
    m_split->addWidget(m_pane);
    m_dock = new PostDock(model, browser, state->desk(), &ImageStore::shared(), m_split);
    m_dock->setObjectName(QStringLiteral("dock"));
    // A refused watch request (no service account) opens the account tab through the model's
    // account request.
    m_dock->monitor = [weakModel](const QString &url, bool on) {
        if (weakModel)
            weakModel->catalog().setWatched(url, on);
    };
    m_dock->setMinimumHeight(int(dockMinimum));
    m_split->addWidget(m_dock);
    m_split->setStretchFactor(0, 1);   // a taller window gives its height to the page
    m_split->setStretchFactor(1, 0);
    // The owner's drag stores the post list's height at every step, as the pane handles do.
    connect(m_split, &QSplitter::splitterMoved, this, [this] {
        const QList<int> sizes = m_split->sizes();
        if (sizes.size() == 2 && sizes.at(1) > 0)
            m_settings->setValue(dockKey, double(sizes.at(1)));
    });
    m_cardBorder = new Border(this);

    m_actions = new PanelActions(state->desk(), this);
    connect(m_actions, &PanelActions::stopRequested, model, &SpamModel::stopScan);
    connect(m_actions, &PanelActions::pendingMonitorFinished, &model->catalog(), &PostCatalog::finishPendingMonitor);
    // The delete bar hands on every pick; the model asks the owner once and takes its batch.
    connect(m_actions, &PanelActions::removeRequested, model, [weakModel](const QList<ScanStore::Record> &records) {
        if (weakModel)
            removeStored(weakModel, records);
    });
    m_panel = new SpamPanel(model, m_actions, this);
    m_panel->setObjectName(QStringLiteral("panel"));
    m_panelBorder = new Border(this);

    m_leading = new PaneResizer(settings, menuKey, false, this);
    m_leading->shown = [this] { return sidebarWidth(m_settings->doubleValue(menuKey, 220)); };
    m_leading->range = [] { return PaneResizer::Range{200, 300}; };
    m_trailing = new PaneResizer(settings, panelKey, true, this);
    m_trailing->shown = [this] { return currentGeometry().panel.width() + 12; };
    m_trailing->range = [this] { return PaneResizer::Range{380, currentGeometry().panelLimit}; };
    connect(m_leading, &PaneResizer::widthChanged, this, &WorkspaceView::relayout);
    connect(m_trailing, &PaneResizer::widthChanged, this, &WorkspaceView::relayout);

    connect(browser->accounts(), &AccountSession::clearingChanged, this, &WorkspaceView::syncLocks);
    connect(browser->accounts(), &AccountSession::activeProviderChanged, this, &WorkspaceView::syncLocks);
    connect(&model->jobs(), &JobState::changed, this, [this, working = model->jobs().working()]() mutable {
        if (m_state->spam() && m_state->spam()->jobs().working() != working) {
            working = !working;
            syncLocks();
        }
    });
    syncLocks();
    setMinimumSize(200, 200);
}

WorkspaceView::Geometry WorkspaceView::currentGeometry() const
{
    return layout(QSizeF(size()), m_settings->doubleValue(menuKey, 220), m_settings->doubleValue(panelKey, 460),
                  m_settings->doubleValue(dockKey, dockDefault));
}

void WorkspaceView::syncLocks()
{
    const AccountSession *accounts = m_state->browser()->accounts();
    const bool working = m_state->spam() && m_state->spam()->jobs().working();
    const bool lock = locked(working, accounts->clearing().has_value());
    m_sidebar->setLocked(lock);
    m_pane->setWorking(lock);
    m_dock->setLocked(dockLocked(accounts->clearing().has_value(), accounts->isAuthenticating()));
    m_panel->setEnabled(!accounts->isAuthenticating());
    // An open accounts menu disables its rows while the model works.
    if (AccountMenu *menu = m_sidebar->sites()->menu())
        menu->refresh();
}

void WorkspaceView::openStatistics()
{
    if (m_statistics) {
        m_statistics->raise();
        m_statistics->activateWindow();
        return;
    }
    auto *sheet = new StatisticsSheet(m_state->spam(), this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    // A post row opens that post in the browser.
    Browser *browser = m_state->browser();
    connect(sheet, &StatisticsSheet::postChosen, browser, [browser](const QString &url) { browser->open(url); });
    m_statistics = sheet;
    // Shown once its snapshot, read off the window's thread, has arrived.
    connect(sheet, &StatisticsSheet::ready, sheet, &QDialog::open);
}

void WorkspaceView::relayout()
{
    const Geometry g = currentGeometry();
    m_sidebar->setGeometry(g.sidebar.toRect());
    m_card->setGeometry(g.card.toRect());
    m_cardBorder->setGeometry(g.card.toRect());
    m_split->setSizes({qRound(g.browserHeight), qRound(g.dockHeight)});
    roundOff(m_card);
    m_panel->setGeometry(g.panel.toRect());
    m_panelBorder->setGeometry(g.panel.toRect());
    roundOff(m_panel);
    m_leading->setGeometry(g.leadingResizer.toRect());
    m_trailing->setGeometry(g.trailingResizer.toRect());
    m_cardBorder->raise();
    m_panelBorder->raise();
    m_leading->raise();
    m_trailing->raise();
    update();
}

void WorkspaceView::resizeEvent(QResizeEvent *)
{
    relayout();
}

void WorkspaceView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Design::canvas());
    const Geometry g = currentGeometry();
    for (const QRectF &r : {g.card, g.panel})
        Design::dropShadow(p, Design::rounded(r, cardRadius), Design::shadow(), 10, QPointF(0, 3));
}

StatisticsSheet *WorkspaceView::statistics() const
{
    return m_statistics.data();
}
