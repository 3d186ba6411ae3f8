#include "Shell/PostDock.h"

#include "Base/ImageStore.h"
#include "Browser/Browser.h"
#include "Panel/ScanStatusText.h"
#include "Posts/PostDesk.h"
#include "Scan/SpamModel.h"
#include "Shell/PostDockActions.h"
#include "Shell/PostDockModel.h"
#include "Shell/PostTile.h"
#include "Shell/SidebarSites.h"
#include "Theme/Design.h"
#include "Theme/Spinner.h"
#include "Theme/HeaderButton.h"
#include "Theme/IconButton.h"
#include "Theme/PlainText.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLabel *mutedLabel(QWidget *parent, double size, QFont::Weight weight)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(Design::font(size, weight));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Design::muted());
    label->setPalette(p);
    return label;
}

}   // namespace

PostDock::PostDock(SpamModel *model, Browser *browser, PostDesk *desk, ImageStore *images, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_browser(browser)
    , m_desk(desk)
    , m_images(images)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(8);

    // The header row.
    auto *header = new QWidget(this);
    header->setFixedHeight(28);
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    m_caption = mutedLabel(header, 10, QFont::Medium);
    QFont captionFont = m_caption->font();
    captionFont.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
    m_caption->setFont(captionFont);
    m_caption->setText(PostDockModel::caption());
    m_count = mutedLabel(header, 10, QFont::Medium);
    m_selectAll = new HeaderButton(PostDockModel::selectAllText(), header);
    m_deselectAll = new HeaderButton(PostDockModel::deselectAllText(), header);
    m_searchButton = new IconButton(QStringLiteral("magnifyingglass"), PostDockModel::searchText(), header);
    row->addWidget(m_caption);
    row->addWidget(m_count);
    row->addSpacing(8);
    row->addWidget(m_selectAll);
    row->addWidget(m_deselectAll);
    row->addStretch(1);
    row->addWidget(m_searchButton);
    column->addWidget(header);

    // The search field.
    m_search = new QLineEdit(this);
    m_search->setPlaceholderText(PostDockModel::searchText());
    m_search->setAccessibleName(PostDockModel::searchText());
    m_search->setFont(Design::font(12));
    m_search->setFixedHeight(30);
    m_search->setFrame(false);
    m_search->setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: %2; border: none; border-radius: 8px; "
                                           "padding: 0 10px; }")
                                .arg(Design::surface().name(QColor::HexArgb), Design::text().name(QColor::HexArgb)));
    m_search->setVisible(false);
    m_search->installEventFilter(this);
    column->addWidget(m_search);

    // The grid.
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidgetResizable(false);
    m_scroll->viewport()->setAutoFillBackground(false);
    m_grid = new QWidget;
    m_grid->setAutoFillBackground(false);
    m_scroll->setWidget(m_grid);
    m_scroll->setAutoFillBackground(false);
    m_grid->setAutoFillBackground(false);   // setWidget turned it on
    m_scroll->viewport()->installEventFilter(this);
    column->addWidget(m_scroll, 1);
    // Over the empty grid: what to do first.
    m_empty = mutedLabel(m_scroll->viewport(), 12, QFont::Normal);
    m_empty->setObjectName(QStringLiteral("emptyHint"));
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setWordWrap(true);
    m_empty->setContentsMargins(24, 0, 24, 0);
    m_empty->hide();

    m_actions = new PostDockActions(this);
    column->addWidget(m_actions);

    // The discovery status.
    m_statusRow = new QWidget(this);
    auto *statusLine = new QHBoxLayout(m_statusRow);
    statusLine->setContentsMargins(2, 0, 2, 0);
    statusLine->setSpacing(6);
    m_statusSpinner = new Spinner(13, 9, 1.5, &Design::muted, m_statusRow);
    m_status = mutedLabel(m_statusRow, 10, QFont::Normal);
    m_status->setWordWrap(true);
    m_status->setMaximumHeight(QFontMetrics(m_status->font()).lineSpacing() * 2 + 2);
    statusLine->addWidget(m_statusSpinner, 0, Qt::AlignVCenter);
    statusLine->addWidget(m_status, 1);
    column->addWidget(m_statusRow);

    connect(m_selectAll, &QAbstractButton::clicked, this, [this] {
        if (m_desk)
            m_desk->setAll(true, siteKey());
    });
    connect(m_deselectAll, &QAbstractButton::clicked, this, [this] {
        if (m_desk)
            m_desk->setAll(false, siteKey());
    });
    connect(m_searchButton, &QAbstractButton::clicked, this, [this] { setSearching(!m_searching); });
    connect(m_search, &QLineEdit::textChanged, this, &PostDock::setQuery);

    connect(m_actions, &PostDockActions::stopRequested, this, [this] {
        if (m_model)
            m_model->stopScan();
    });
    connect(m_actions, &PostDockActions::loadRequested, this, [this] {
        if (m_desk && m_browser)
            m_desk->loadMore(m_browser->selectedSite());
    });
    connect(m_actions, &PostDockActions::stopLoadingRequested, this, [this] {
        if (m_model && m_model->jobs().findingPosts())
            m_model->catalog().stopLoading();
    });
    connect(m_actions, &PostDockActions::scanRequested, this, [this] {
        if (m_desk)
            m_desk->start(siteKey());
    });
    connect(m_actions, &PostDockActions::signInRequested, this, [this] {
        if (m_browser)
            m_browser->signIn(m_browser->selectedSite());
    });

    if (m_model) {
        connect(&m_model->catalog(), &PostCatalog::rowsChanged, this, &PostDock::modelPostsChanged);
        // A queue that starts or ends rebuilds the list, and so does the end of any job.
        const JobState &jobs = m_model->jobs();
        connect(&jobs, &JobState::changed, this, [this, touring = jobs.touring(), working = jobs.working()]() mutable {
            const JobState &now = m_model->jobs();
            if (now.touring() != touring) {
                touring = now.touring();
                if (touring)
                    m_model->openPage().setSelectingPosts(false);
                rebuild();
            }
            if (now.working() != working) {
                working = now.working();
                workingChanged();
            }
            syncActions();
        });
        connect(&m_model->removalJob(), &RemovalJob::progressChanged, this, &PostDock::syncActions);
        connect(&m_model->catalog(), &PostCatalog::discoveryStatusChanged, this, &PostDock::syncActions);
        for (auto signal : {&OpenPage::progressChanged, &OpenPage::scanActivityChanged})
            connect(&m_model->openPage(), signal, this, &PostDock::syncActions);
        connect(&m_model->statusLine(), &StatusLine::changed, this, &PostDock::syncActions);
        connect(&m_model->history(), &HistoryState::noticeChanged, this, &PostDock::syncActions);
        connect(&m_model->removalJob(), &RemovalJob::progressChanged, this, &PostDock::rebuild);
    }
    if (m_browser) {
        connect(m_browser, &Browser::addressChanged, this, &PostDock::addressChanged);
        connect(m_browser, &Browser::selectedSiteChanged, this, [this] {
            if (m_model && !m_model->jobs().findingPosts())
                m_model->catalog().setDiscoveryStatus(QString());
            rebuild();
        });
        connect(m_browser->accounts(), &AccountSession::statusesChanged, this, &PostDock::syncActions);
    }
    if (m_desk) {
        for (auto signal : {&PostDesk::postsChanged, &PostDesk::checkedChanged, &PostDesk::focusedChanged})
            connect(m_desk, signal, this, &PostDock::rebuild);
    }
    rebuild();
}

QString PostDock::siteKey() const
{
    return m_browser ? m_browser->selectedSite().rawValue() : LoginProvider(LoginProvider::youtube).rawValue();
}

void PostDock::setLocked(bool locked)
{
    if (locked == m_locked)
        return;
    m_locked = locked;
    rebuild();
}

void PostDock::appear()
{
    if (m_appeared || !m_model || !m_desk)
        return;
    m_appeared = true;
    m_model->openPage().setSelectingPosts(true);
    m_model->catalog().loadHistory();
    m_desk->refresh();
    if (const std::optional<ScanStore::PostKey> page = m_model->catalog().currentPage())
        m_desk->setFocused(page->url);
}

void PostDock::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The history fills the list once the window has painted itself: what the window starts
    // with (its first paint, the start page's load) does not wait for it.
    if (!m_appeared && !m_awaitingPaint) {
        m_awaitingPaint = true;
        window()->installEventFilter(this);
    }
}

void PostDock::setQuery(const QString &text)
{
    if (text == m_query)
        return;
    m_query = text;
    if (m_search->text() != text)
        m_search->setText(text);
    rebuild();
}

void PostDock::setSearching(bool on)
{
    if (on == m_searching)
        return;
    m_searching = on;
    m_search->setVisible(on);
    m_searchButton->setActive(on);
    if (on)
        m_search->setFocus(Qt::OtherFocusReason);
    else
        setQuery(QString());
}

QList<PostTile *> PostDock::tiles() const
{
    return m_order;
}

bool PostDock::signedIn() const
{
    return m_browser && SidebarSites::isSignedIn(m_browser->accounts()->status(m_browser->selectedSite()));
}

void PostDock::addressChanged()
{
    if (!m_model || !m_desk)
        return;
    const std::optional<ScanStore::PostKey> page = m_model->catalog().currentPage();
    m_desk->setFocused(PostDockModel::focusAfterNavigation(m_desk->focused(),
                                                           page ? std::optional<QString>(page->url) : std::nullopt));
    if (!m_model->jobs().working())
        m_desk->refresh();
}

void PostDock::modelPostsChanged()
{
    if (m_desk && m_model && !m_model->jobs().working())
        m_desk->refresh();
    rebuild();   // the live copies of a running queue
}

void PostDock::workingChanged()
{
    if (!m_model)
        return;
    if (!m_model->jobs().working()) {
        m_model->openPage().setSelectingPosts(true);
        if (m_desk)
            m_desk->refresh();
    }
    rebuild();
}

void PostDock::rebuild()
{
    const QString site = siteKey();
    const QList<ChannelPost> posts = m_desk ? m_desk->posts(site) : QList<ChannelPost>();
    const QList<ChannelPost> shown = PostDockModel::visible(posts, m_query);
    const QHash<QString, ChannelPost> live = m_model ? PostDockModel::liveCopies(m_model->catalog().rows())
                                                     : QHash<QString, ChannelPost>();
    const bool working = m_model && m_model->jobs().working();
    PostTile::Look base;
    base.queueScan = m_model
        && PostDockModel::queueScan(m_model->jobs().touring(), m_model->removalJob().progress().has_value());
    base.site = m_browser ? m_browser->selectedSite() : LoginProvider(LoginProvider::youtube);

    QHash<QString, PostTile *> kept;
    QList<PostTile *> order;
    for (const ChannelPost &post : shown) {
        if (kept.contains(post.url))
            continue;
        const ChannelPost drawn = live.value(post.url, post);
        PostTile *tile = m_tiles.take(post.url);
        if (!tile) {
            tile = new PostTile(drawn, m_images, m_grid);
            connect(tile, &PostTile::openRequested, this, [this](const ChannelPost &p) {
                if (m_desk && !m_locked && !(m_model && m_model->jobs().working()))
                    m_desk->show(p, m_browser);
            });
            connect(tile, &PostTile::tickRequested, this, [this](const ChannelPost &p) {
                if (m_desk && !m_locked && !(m_model && m_model->jobs().working()))
                    m_desk->toggle(p);
            });
            connect(tile, &PostTile::monitorRequested, this, [this](const QString &url, bool on) {
                if (m_locked || !m_model || m_model->jobs().working())
                    return;
                if (monitor)
                    monitor(url, on);
                else
                    m_model->catalog().setWatched(url, on);
            });
            connect(tile, &PostTile::removeRequested, this, [this](const ChannelPost &p) {
                if (!m_locked)
                    removeFromList(m_model, m_desk, p);
            });
            connect(tile, &PostTile::entered, this, [this](const QString &url) {
                m_hovered = url;
                rebuild();
            });
            connect(tile, &PostTile::left, this, [this](const QString &url) {
                m_hovered = PostDockModel::hoverAfterLeave(m_hovered, url);
                rebuild();
            });
            if (m_desk && m_desk->arrivals().contains(post.url))
                tile->arrive(m_desk->arrivals().value(post.url));
            tile->show();
        }
        tile->setPost(drawn);
        PostTile::Look look = base;
        look.ticked = m_desk && m_desk->checked().contains(post.url);
        look.focused = m_desk && m_desk->focused() == post.url;
        look.hovered = m_hovered == post.url;
        tile->setLook(look);
        tile->setEnabled(PostDockModel::tileEnabled(m_locked, working));
        kept.insert(post.url, tile);
        order.append(tile);
    }
    // A tile may be the sender of what led here: it goes once the event loop is back.
    for (PostTile *gone : std::as_const(m_tiles)) {
        gone->hide();
        gone->deleteLater();
    }
    m_tiles = kept;
    m_order = order;
    layoutGrid();
    syncHeader();
    syncActions();
}

void PostDock::layoutGrid()
{
    const int width = m_scroll->viewport()->width();
    const QList<QRect> cells = PostDockModel::grid(width, int(m_order.size()));
    int bottom = 0;
    for (int i = 0; i < m_order.size(); ++i) {
        m_order[i]->setGeometry(cells[i]);
        bottom = std::max(bottom, cells[i].bottom() + 1);
    }
    m_grid->resize(width, bottom);
    m_empty->setGeometry(m_scroll->viewport()->rect());
}

QString PostDock::emptyHintText() const
{
    return m_empty->isVisibleTo(this) ? m_empty->text() : QString();
}

void PostDock::syncHeader()
{
    const QString site = siteKey();
    PostDockModel::HeaderInput in;
    if (m_desk) {
        in.count = int(m_desk->posts(site).size());
        in.ticked = int(m_desk->queue(site).size());
        in.allChecked = m_desk->isAllChecked(site);
    }
    in.locked = m_locked;
    in.working = m_model && m_model->jobs().working();
    const PostDockModel::Header h = PostDockModel::header(in);
    m_count->setVisible(h.showCount);
    m_count->setText(QString::number(in.count));
    m_selectAll->setVisible(h.showCount);
    m_deselectAll->setVisible(h.showCount);
    m_searchButton->setVisible(h.showCount);
    m_selectAll->setEnabled(h.selectAllEnabled);
    m_deselectAll->setEnabled(h.deselectAllEnabled);
}

void PostDock::syncActions()
{
    const QString site = siteKey();
    PostDockModel::ActionsInput in;
    in.siteName = m_browser ? m_browser->selectedSite().displayName()
                            : LoginProvider(LoginProvider::youtube).displayName();
    if (m_desk) {
        in.count = int(m_desk->posts(site).size());
        in.ticked = int(m_desk->queue(site).size());
    }
    in.signedIn = signedIn();
    in.locked = m_locked;
    if (m_model) {
        in.working = m_model->jobs().working();
        in.scanning = m_model->jobs().scanning();
        in.preparing = m_model->jobs().preparing();
        in.touring = m_model->jobs().touring();
        in.removing = m_model->removalJob().progress().has_value();
        in.findingPosts = m_model->jobs().findingPosts();
        in.nothingMore = m_model->catalog().discoveryStatus() == PostCatalog::nothingMoreToLoad();
        m_actions->setState(PostDockModel::actions(in), ScanStatusText::scanLine(*m_model),
                            ScanStatusText::scanFraction(*m_model));
        // Below discovery, a history that is off for the run stays in view.
        const bool historyOff = m_model->catalog().discoveryStatus().isEmpty()
            && !m_model->history().notice().isEmpty();
        // A finished deletion says so here until the next job starts.
        if (m_model->removalJob().progress()) {
            m_deleting = true;
            m_deletedLine.clear();
        } else if (m_deleting && !m_model->jobs().working()) {
            m_deleting = false;
            m_deletedLine = m_model->statusLine().text();
        } else if (m_model->jobs().working()) {
            m_deletedLine.clear();
        }
        QString line = historyOff ? QStringLiteral("\u26A0 ") + m_model->history().notice()
                                  : m_model->catalog().discoveryStatus();
        if (line.isEmpty())
            line = m_deletedLine;
        m_status->setText(line);
        m_status->setToolTip(historyOff ? PlainText::toolTip(m_model->history().notice()) : QString());
        m_status->setMaximumHeight(QFontMetrics(m_status->font()).lineSpacing() * (historyOff ? 5 : 2) + 2);
        m_statusRow->setVisible(!line.isEmpty());
        m_statusSpinner->setRunning(m_model->jobs().findingPosts());
    } else {
        m_actions->setState(PostDockModel::actions(in), QString(), std::nullopt);
        m_statusRow->setVisible(false);
    }
    m_empty->setText(PostDockModel::emptyHint(in));
    m_empty->setVisible(!m_empty->text().isEmpty());
}

bool PostDock::eventFilter(QObject *watched, QEvent *event)
{
    if (m_awaitingPaint && watched == window() && event->type() == QEvent::UpdateRequest) {
        m_awaitingPaint = false;
        window()->removeEventFilter(this);
        // Queued behind the paint this request makes.
        QPointer<PostDock> self(this);
        QTimer::singleShot(0, this, [self] {
            if (self)
                self->appear();
        });
    }
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize)
        layoutGrid();
    if (watched == m_search && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        setSearching(false);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PostDock::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), Design::card());
}

QCoro::Task<bool> PostDock::removeFromList(QPointer<SpamModel> model, QPointer<PostDesk> desk, ChannelPost post)
{
    if (!model || model->jobs().working())
        co_return false;
    const int answer = co_await model->alerts()->ask(PostDockModel::removeQuestion(PostDockModel::name(post)));
    // The owner may have started something else while the question was open.
    if (!model || answer != PostDockModel::removeButton || model->jobs().working())
        co_return false;
    model->catalog().forget(post.url);
    if (desk)
        desk->refresh();
    co_return true;
}

QString PostDock::statusText() const
{
    return m_statusRow->isVisibleTo(this) ? m_status->text() : QString();
}
