#include "Panel/SpamPanel.h"

#include "Panel/CommentDelegate.h"
#include "Panel/CommentListModel.h"
#include "Panel/DeleteBar.h"
#include "Panel/PanelActions.h"
#include "Theme/Design.h"
#include "Theme/Popover.h"
#include "Panel/PanelStyle.h"
#include "Panel/PanelProgressBar.h"
#include "Panel/PanelTabs.h"
#include "Panel/ScanLog.h"
#include "Panel/ScanStage.h"
#include "Panel/SpamPanelModel.h"
#include "Browser/Browser.h"
#include "Panel/PostHeading.h"
#include "Scan/SpamModel.h"
#include "Store/ScanStore.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

SpamPanel::SpamPanel(SpamModel *model, PanelActions *actions, QWidget *parent)
    : QWidget(parent)
    , m_vm(new SpamPanelModel(model, actions, this))
    , m_listModel(new CommentListModel(this))
    , m_delegate(new CommentDelegate(this))
{
    setStyleSheet(PanelStyle::styleSheet());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Design::panel());
    pal.setColor(QPalette::Base, Design::panel());
    pal.setColor(QPalette::WindowText, Design::text());
    pal.setColor(QPalette::Text, Design::text());
    setPalette(pal);
    setAutoFillBackground(true);

    m_header = new QWidget(this);
    m_header->setFixedHeight(56);
    m_header->setAutoFillBackground(true);
    QPalette hp = pal;
    hp.setColor(QPalette::Window, Design::card());
    m_header->setPalette(hp);
    m_deleted = new QPushButton(m_header);
    m_deleted->setProperty("look", QStringLiteral("header"));
    m_log = new QPushButton(tr("Checks"), m_header);
    m_log->setProperty("look", QStringLiteral("header"));
    auto *head = new QHBoxLayout(m_header);
    head->setContentsMargins(20, 0, 20, 0);
    head->setSpacing(6);
    head->addStretch(1);
    head->addWidget(m_deleted);
    head->addWidget(m_log);

    m_list = new QListView(this);
    m_list->setModel(m_listModel);
    m_list->setItemDelegate(m_delegate);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setUniformItemSizes(false);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->verticalScrollBar()->setSingleStep(24);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setLayoutMode(QListView::Batched);
    m_list->setBatchSize(200);   // rows measured a turn: a long list is laid out without holding the window
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setPalette(pal);
    m_stage = new ScanStage(model, this);
    m_main = new QStackedWidget(this);
    m_main->addWidget(m_list);
    m_main->addWidget(m_stage);
    m_empty = new QLabel(this);
    m_empty->setObjectName(QStringLiteral("emptyHint"));
    m_empty->setTextFormat(Qt::PlainText);
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setWordWrap(true);
    m_empty->setContentsMargins(32, 0, 32, 0);
    m_empty->setFont(Design::font(13));
    QPalette ep = pal;
    ep.setColor(QPalette::WindowText, Design::muted());
    m_empty->setPalette(ep);
    m_main->addWidget(m_empty);

    m_deleteBar = new DeleteBar(this);
    m_progress = new PanelProgressBar(this);
    m_bottom = new QStackedWidget(this);
    m_bottom->addWidget(new QWidget(this));
    m_bottom->addWidget(m_deleteBar);
    m_bottom->addWidget(m_progress);
    m_tabs = new PanelTabs(this);
    auto *foot = new QWidget(this);
    foot->setAutoFillBackground(true);
    foot->setPalette(hp);
    auto *footColumn = new QVBoxLayout(foot);
    footColumn->setContentsMargins(0, 0, 0, 0);
    footColumn->setSpacing(0);
    footColumn->addWidget(m_bottom);
    footColumn->addWidget(m_tabs);

    auto line = [this] {
        auto *l = new QFrame(this);
        l->setFixedHeight(1);
        l->setAutoFillBackground(true);
        QPalette lp = l->palette();
        lp.setColor(QPalette::Window, Design::border());
        l->setPalette(lp);
        return l;
    };
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("otherPostNotice"));
    m_notice->setTextFormat(Qt::PlainText);   // post titles are the sites' text
    m_notice->setWordWrap(true);
    m_notice->setContentsMargins(20, 10, 20, 10);
    m_notice->setFont(Design::font(12));
    m_notice->setAutoFillBackground(true);
    QPalette np = pal;
    np.setColor(QPalette::Window, Design::surface());
    np.setColor(QPalette::WindowText, Design::secondary());
    m_notice->setPalette(np);
    m_notice->hide();
    column->addWidget(m_header);
    column->addWidget(line());
    column->addWidget(m_notice);
    column->addWidget(m_main, 1);
    column->addWidget(line());
    column->addWidget(foot);

    m_logPopup = new Popover(this, Qt::Popup);
    m_scanLog = new ScanLog(m_logPopup);
    auto *popupLayout = new QVBoxLayout(m_logPopup);
    popupLayout->setContentsMargins(0, 0, 0, 0);
    popupLayout->addWidget(m_scanLog);

    connect(m_deleted, &QPushButton::clicked, m_vm, &SpamPanelModel::toggleDeleted);
    connect(m_log, &QPushButton::clicked, this, &SpamPanel::toggleLog);
    connect(m_tabs, &PanelTabs::tabChosen, m_vm, &SpamPanelModel::setTab);
    connect(m_listModel, &CommentListModel::ticksChanged, this, [this](const QSet<QString> &ticks) {
        if (m_vm->tab() == PanelTab::comments)
            m_vm->setPicked(ticks);
        else if (m_vm->tab() == PanelTab::spam)
            m_vm->setUnpicked(ticks);
    });
    connect(m_deleteBar, &DeleteBar::unpickedChanged, m_vm, &SpamPanelModel::writeUnpicked);
    connect(m_deleteBar, &DeleteBar::bandChanged, m_vm, &SpamPanelModel::setBand);
    connect(m_deleteBar, &DeleteBar::deleteRequested, m_vm, &SpamPanelModel::deletePicks);
    connect(m_progress, &PanelProgressBar::stopRequested, m_vm, &SpamPanelModel::stop);
    connect(m_vm, &SpamPanelModel::changed, this, &SpamPanel::refresh);
    // A reload read in slices goes back to where the list was as its rows come back, unless the
    // owner scrolls meanwhile.
    connect(m_list->verticalScrollBar(), &QScrollBar::rangeChanged, this, [this](int, int max) {
        if (!m_keptScroll)
            return;
        const int kept = *m_keptScroll;
        if (max >= kept || !m_vm->reading())
            m_keptScroll.reset();
        m_list->verticalScrollBar()->setValue(std::min(kept, max));
    });
    connect(m_list->verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { m_keptScroll.reset(); });
    // The list reads the next posts' records when it is scrolled to its end.
    m_listModel->setFetcher([vm = m_vm] { return vm->canLoadMore(); }, [vm = m_vm] { vm->loadMore(); });
    connect(m_vm, &SpamPanelModel::appended, this,
            [this](const QStringList &urls) { m_listModel->append(m_vm->visible(urls), m_vm->others()); });
    if (actions)
        connect(actions, &PanelActions::focusedChanged, this, &SpamPanel::reveal);
    if (model && model->browser())
        connect(model->browser(), &Browser::addressChanged, this, &SpamPanel::syncNotice);
    m_vm->load();
    refresh();
}

QString SpamPanel::otherPostText(const QString &openPost, const QList<ChannelPost> &posts)
{
    const std::optional<ScanStore::PostKey> open = ScanStore::canonical(openPost);
    if (!open)
        return QString();
    QStringList others;
    for (const ChannelPost &post : posts) {
        if (post.url == open->url) {
            if (post.scannedAt)
                return QString();   // the list has the open post's results
            continue;
        }
        if (post.scannedAt)
            others << PostHeading::title(post);
    }
    if (others.isEmpty())
        return QString();
    const QString whose = others.size() == 1
        ? tr("The results below are from \"%1\".").arg(others.first())
        : tr("The results below are from %n other posts, \"%1\" first.", nullptr, int(others.size()))
              .arg(others.first());
    return tr("The open post hasn't been checked here.") + QLatin1Char(' ') + whose + QLatin1Char(' ')
        + tr("To check it, tick its tile under the browser, untick the others and press the check button there.");
}

QString SpamPanel::otherPostNotice() const
{
    return m_notice->isVisibleTo(this) ? m_notice->text() : QString();
}

void SpamPanel::syncNotice()
{
    SpamModel *model = m_vm->model();
    const QString text = model && model->browser() && !m_vm->scanning() && m_vm->tab() != PanelTab::deleted
        ? otherPostText(model->browser()->address(), m_vm->posts())
        : QString();
    m_notice->setText(text);
    m_notice->setVisible(!text.isEmpty());
}

QString SpamPanel::emptyHintText() const
{
    return m_main->currentWidget() == m_empty ? m_empty->text() : QString();
}

void SpamPanel::toggleLog()
{
    if (m_logPopup->isVisible()) {
        m_logPopup->hide();
        return;
    }
    const QList<ScanSession> sessions = m_vm->sessions();
    if (sessions.isEmpty())
        return;
    m_scanLog->setSessions(sessions);
    m_logPopup->adjustSize();
    const QPoint below = m_log->mapToGlobal(QPoint(m_log->width() - ScanLog::logWidth, m_log->height() + 6));
    m_logPopup->move(below);
    m_logPopup->show();
}

void SpamPanel::refresh()
{
    syncNotice();
    const bool scanning = m_vm->scanning();
    m_header->setEnabled(m_vm->headerEnabled());
    m_deleted->setText(m_vm->deletedTitle(QLocale::system()));
    m_deleted->setEnabled(m_vm->deletedEnabled());
    m_deleted->setProperty("active", m_vm->tab() == PanelTab::deleted);
    m_deleted->style()->unpolish(m_deleted);
    m_deleted->style()->polish(m_deleted);
    m_log->setEnabled(m_vm->logEnabled());

    // The list is rebuilt only when its records or band change; ticks, focus and cuts update in place.
    const auto [lower, upper] = m_vm->band();
    const QString key = QString::number(m_vm->dataVersion()) + u'|' + m_vm->tab().rawValue() + u'|' + m_vm->site()
        + u'|' + (m_vm->tab() == PanelTab::spam ? QString::number(lower) + u'-' + QString::number(upper) : QString());
    const CommentListModel::PickMode mode = m_vm->tab() == PanelTab::spam ? CommentListModel::PickMode::unpicked
        : m_vm->tab() == PanelTab::comments                               ? CommentListModel::PickMode::picked
                                                                          : CommentListModel::PickMode::none;
    const QSet<QString> ticks = mode == CommentListModel::PickMode::unpicked ? m_vm->unpicked() : m_vm->picked();
    if (!m_vm->shownCurrent()) {
        // Another tab or site chosen: the list keeps its rows until the records read for it land
        // (a long list made again under the new tab would only wait for the load after it); its
        // tick boxes follow the tab at once.
        m_listModel->setMode(mode, ticks);
    } else if (key != m_contentKey) {
        const bool freshScroll = !m_contentKey.section(u'|', 1, 2).isEmpty()
            && m_contentKey.section(u'|', 1, 2) != key.section(u'|', 1, 2);
        m_contentKey = key;
        CommentListModel::Content c;
        c.posts = m_vm->posts();
        c.records = m_vm->visible();
        c.hits = m_vm->hits();
        c.others = m_vm->others();
        if (SpamModel *model = m_vm->model()) {
            c.thresholds = model->ownerSettings().thresholds();
            c.keywords = model->ownerSettings().keywords();
        }
        c.mode = mode;
        c.ticks = ticks;
        c.focused = m_vm->actions() ? m_vm->actions()->focused() : std::nullopt;
        c.cutting = m_vm->cutting();
        const int scroll = m_keptScroll.value_or(m_list->verticalScrollBar()->value());
        m_keptScroll.reset();
        m_listModel->setContent(std::move(c));
        // A post's heading, caption and end row, besides its comments.
        if (m_vm->reading())
            m_listModel->reserve(m_vm->expectedRows() + 3 * int(m_vm->posts().size()));
        // Another site or tab starts at the top; a reload of the same view keeps its place, also
        // when its rows come back a slice at a time.
        if (!freshScroll) {
            if (m_vm->reading())
                m_keptScroll = scroll;
            QTimer::singleShot(0, m_list, [list = m_list, scroll] { list->verticalScrollBar()->setValue(scroll); });
        }
    } else {
        m_listModel->setTicks(ticks);
        m_listModel->setFocused(m_vm->actions() ? m_vm->actions()->focused() : std::nullopt);
        m_listModel->setCutting(m_vm->cutting());
    }

    if (scanning) {
        m_main->setCurrentWidget(m_stage);
    } else if (m_listModel->rowCount() == 0 && !m_vm->reading()) {
        m_empty->setText(SpamPanelModel::emptyHint(m_vm->tab(), m_vm->scannedAny()));
        m_main->setCurrentWidget(m_empty);
    } else {
        m_main->setCurrentWidget(m_list);
    }

    const SpamPanelModel::Bar bar = m_vm->bar();
    switch (bar.kind) {
    case SpamPanelModel::Bar::Kind::none:
        m_bottom->setCurrentIndex(0);
        m_bottom->setFixedHeight(0);
        break;
    case SpamPanelModel::Bar::Kind::progress:
        m_progress->setState(bar.line, bar.fraction);
        m_bottom->setCurrentWidget(m_progress);
        m_bottom->setFixedHeight(m_progress->sizeHint().height());
        break;
    case SpamPanelModel::Bar::Kind::flagged:
    case SpamPanelModel::Bar::Kind::comments: {
        std::optional<DeleteBar::Band> band;
        if (bar.band)
            band = DeleteBar::Band{bar.band->first, bar.band->second};
        m_deleteBar->setContent(bar.flagged, band, bar.scores, bar.unpicked, bar.disabled, bar.picks);
        m_bottom->setCurrentWidget(m_deleteBar);
        m_bottom->setFixedHeight(m_deleteBar->sizeHint().height());
        break;
    }
    }
    m_tabs->setTab(m_vm->tab());
    m_tabs->setCounts(m_vm->tabCounts());
    m_tabs->setEnabled(m_vm->tabsEnabled());
}

void SpamPanel::reveal()
{
    PanelActions *actions = m_vm->actions();
    const std::optional<QString> url = actions ? actions->focused() : std::nullopt;
    if (!url || (m_vm->model() && m_vm->model()->jobs().working()))
        return;
    m_vm->loadUpTo(*url);
    if (m_vm->visible().value(*url).isEmpty())
        return;
    QTimer::singleShot(0, this, [this, url] {
        const int row = m_listModel->headingRow(*url);
        if (row >= 0)
            m_list->scrollTo(m_listModel->index(row), QAbstractItemView::PositionAtTop);
    });
}
