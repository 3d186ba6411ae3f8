#include "Dashboard/StatisticsSheet.h"

#include "Dashboard/DashboardModel.h"
#include "Dashboard/ScaledFont.h"
#include "Dashboard/TrendChart.h"
#include "Theme/Avatar.h"
#include "Theme/Design.h"
#include "Sites/LoginProvider.h"
#include "Theme/PlainText.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

QLabel *label(const QString &text, bool muted = false, double scale = 1.0, QFont::Weight weight = QFont::Normal)
{
    auto *l = new QLabel(text);
    l->setTextFormat(Qt::PlainText);
    if (muted)
        l->setForegroundRole(QPalette::PlaceholderText);
    QFont f = l->font();
    f = ScaledFont::of(f, scale);
    f.setWeight(weight);
    l->setFont(f);
    return l;
}

QFrame *hairline()
{
    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setForegroundRole(QPalette::Mid);
    return line;
}

// A row of a list column: a round picture, two lines, and a count at the right.
QWidget *listRow(const QString &picture, const QString &first, QWidget *second, int count, QWidget *holder = nullptr)
{
    QWidget *row = holder ? holder : new QWidget;
    row->setFixedHeight(44);
    auto *l = new QHBoxLayout(row);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(10);
    auto *pic = label(Avatar::initial(picture));   // a handle's letter, not its "@"
    pic->setAlignment(Qt::AlignCenter);
    pic->setFixedSize(30, 30);
    pic->setStyleSheet(QStringLiteral("background: palette(alternate-base); border-radius: 8px;"));
    l->addWidget(pic);
    auto *texts = new QVBoxLayout;
    texts->setSpacing(3);
    auto *top = label(first, false, 0.92, QFont::Medium);
    top->setMaximumWidth(200);
    top->setText(top->fontMetrics().elidedText(first, Qt::ElideRight, 200));
    texts->addWidget(top);
    if (second)
        texts->addWidget(second);
    l->addLayout(texts, 1);
    if (count > 0)
        l->addWidget(label(QLocale().toString(count)));
    return row;
}

}   // namespace

StatisticsSheet::StatisticsSheet(SpamModel *model, QWidget *parent)
    : QDialog(parent)
    , m_model(model)
{
    setWindowTitle(tr("Statistics"));
    setModal(true);
    setFixedWidth(960);
    setMaximumHeight(720);
    if (!model) {
        build();
        m_ready = true;
        QMetaObject::invokeMethod(this, &StatisticsSheet::ready, Qt::QueuedConnection);
        return;
    }
    connect(&model->jobs(), &JobState::changed, this, &StatisticsSheet::followWorking);
    // The queries of a long history together would hold the window: they run on a worker.
    model->catalog().dashboardAside(DashboardModel::snapshotDays, QDateTime::currentDateTime(), this,
                                    [this](const PostCatalog::DashboardData &data) {
        m_data = data;
        build();
        followWorking();
        m_ready = true;
        emit ready();
    });
}

StatisticsSheet::StatisticsSheet(SpamModel *model, const PostCatalog::DashboardData &data, QWidget *parent)
    : QDialog(parent)
    , m_model(model)
    , m_data(data)
{
    setWindowTitle(tr("Statistics"));
    setModal(true);
    setFixedWidth(960);
    setMaximumHeight(720);
    build();
    m_ready = true;
    if (model)
        connect(&model->jobs(), &JobState::changed, this, &StatisticsSheet::followWorking);
    followWorking();
}

QString StatisticsSheet::emptyHint(const PostCatalog::DashboardData &data)
{
    if (data.stats.posts > 0 || data.stats.comments > 0 || DashboardModel::showsTrend(data)
        || DashboardModel::showsLists(data))
        return {};
    return tr("Nothing scanned yet. Scan your posts to see their statistics here.");
}

void StatisticsSheet::followWorking()
{
    const bool enabled = !m_model || !m_model->jobs().working();
    for (QPushButton *row : std::as_const(m_postRows))
        row->setEnabled(enabled);
}

void StatisticsSheet::build()
{
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    auto *header = new QWidget;
    header->setFixedHeight(56);
    header->setAutoFillBackground(true);
    header->setBackgroundRole(QPalette::Base);
    auto *hl = new QHBoxLayout(header);
    hl->setContentsMargins(28, 0, 14, 0);
    hl->addWidget(label(tr("Statistics"), false, 1.15, QFont::DemiBold));
    hl->addStretch(1);
    auto *close = new QPushButton(QStringLiteral("\u2715"));
    close->setFlat(true);
    close->setFixedSize(32, 32);
    close->setToolTip(tr("Close"));
    close->setAccessibleName(tr("Close"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    hl->addWidget(close);
    root->addWidget(header);
    root->addWidget(hairline());
    // Return closes the sheet as Escape does.
    auto *ret = new QShortcut(QKeySequence(Qt::Key_Return), this);
    connect(ret, &QShortcut::activated, this, &QDialog::accept);
    auto *enter = new QShortcut(QKeySequence(Qt::Key_Enter), this);
    connect(enter, &QShortcut::activated, this, &QDialog::accept);

    auto *sections = new QWidget;
    auto *sl = new QVBoxLayout(sections);
    sl->setContentsMargins(0, 0, 0, 0);
    sl->setSpacing(0);

    // Totals.
    auto *tiles = new QWidget;
    auto *tl = new QHBoxLayout(tiles);
    tl->setContentsMargins(28, 22, 28, 22);
    tl->setSpacing(0);
    const QStringList sites = DashboardModel::sites(m_data);
    for (const auto field : {DashboardModel::Field::posts, DashboardModel::Field::comments,
                             DashboardModel::Field::flagged, DashboardModel::Field::deleted}) {
        auto *tile = new QWidget;
        tile->setFixedWidth(226);
        auto *l = new QVBoxLayout(tile);
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(6);
        l->addWidget(label(DashboardModel::tileLabel(field, m_data.stats), true, 0.85, QFont::Medium));
        auto *value = label(QLocale().toString(DashboardModel::value(m_data.stats, field)), false, 2.3);
        value->setObjectName(QStringLiteral("tileValue"));
        l->addWidget(value);
        if (sites.size() >= 2) {
            auto *split = new QHBoxLayout;
            split->setSpacing(12);
            for (const QString &site : sites) {
                const int n = DashboardModel::value(m_data.bySite.value(site), field);
                const QString name = LoginProvider::fromRawValue(site)->displayName();
                auto *pair = label(name + QLatin1Char(' ') + QLocale().toString(n), true, 0.85);
                pair->setObjectName(QStringLiteral("siteCount"));
                split->addWidget(pair);
            }
            split->addStretch(1);
            l->addLayout(split);
        }
        l->addStretch(1);
        tl->addWidget(tile, 0, Qt::AlignTop);
    }
    tl->addStretch(1);
    sl->addWidget(tiles);
    if (const QString hint = emptyHint(m_data); !hint.isEmpty()) {
        sl->addWidget(hairline());
        auto *line = label(hint, true);
        line->setObjectName(QStringLiteral("emptyHint"));
        line->setWordWrap(true);
        line->setAlignment(Qt::AlignCenter);
        line->setContentsMargins(28, 28, 28, 32);
        sl->addWidget(line);
    }

    if (DashboardModel::showsTrend(m_data)) {
        sl->addWidget(hairline());
        auto *holder = new QWidget;
        auto *l = new QVBoxLayout(holder);
        l->setContentsMargins(28, 18, 28, 18);
        m_trend = new TrendChart(m_data.daily);
        l->addWidget(m_trend);
        sl->addWidget(holder);
    }

    if (DashboardModel::showsLists(m_data)) {
        sl->addWidget(hairline());
        auto *lists = new QWidget;
        auto *ll = new QHBoxLayout(lists);
        ll->setContentsMargins(28, 18, 28, 20);
        ll->setSpacing(40);
        auto column = [&](int index) {
            auto *c = new QWidget;
            auto *cl = new QVBoxLayout(c);
            cl->setContentsMargins(0, 0, 0, 0);
            cl->setSpacing(0);
            auto *title = label(DashboardModel::listTitle(index), true, 0.85, QFont::Medium);
            title->setContentsMargins(0, 0, 0, 8);
            cl->addWidget(title);
            ll->addWidget(c, 1, Qt::AlignTop);
            return cl;
        };
        if (!m_data.topPosts.isEmpty()) {
            QVBoxLayout *cl = column(0);
            for (const ScanStore::Post &post : m_data.topPosts) {
                auto *button = new QPushButton;
                button->setFlat(true);
                button->setAutoDefault(false);
                button->setToolTip(tr("Open and scan"));
                button->setCursor(Qt::PointingHandCursor);
                button->setStyleSheet(
                    QStringLiteral("QPushButton { border: none; border-radius: 8px; text-align: left; }"
                                   "QPushButton:hover:enabled { background: palette(alternate-base); }"));
                listRow(DashboardModel::postTitle(post), DashboardModel::postTitle(post),
                        label(DashboardModel::postDetail(post), true, 0.85), post.deleted, button);
                const QString url = post.url;
                connect(button, &QPushButton::clicked, this, [this, url] {
                    accept();
                    emit postChosen(url);
                });
                m_postRows.append(button);
                cl->addWidget(button);
            }
        }
        if (!m_data.topAuthors.isEmpty()) {
            QVBoxLayout *cl = column(1);
            for (const ScanStore::Author &author : m_data.topAuthors) {
                const QString site = DashboardModel::authorSite(author);
                cl->addWidget(listRow(author.name.startsWith(QLatin1Char('@')) ? author.name.mid(1) : author.name,
                                      author.name, site.isEmpty() ? nullptr : label(site, true, 0.85), author.deleted));
            }
        }
        if (const QList<ScanStore::Record> recent = DashboardModel::recentShown(m_data); !recent.isEmpty()) {
            QVBoxLayout *cl = column(2);
            for (const ScanStore::Record &record : recent) {
                const QString first = DashboardModel::recentAuthor(record);
                auto *second = label(DashboardModel::recentText(record), true, 0.85);
                second->setText(second->fontMetrics().elidedText(second->text(), Qt::ElideRight, 200));
                QWidget *row = listRow(first, first + QStringLiteral("  ") + DashboardModel::recentTime(record), second,
                                       0);
                row->setToolTip(PlainText::toolTip(DashboardModel::recentTooltip(record, m_data)));
                cl->addWidget(row);
            }
        }
        sl->addWidget(lists);
    }

    // Shown directly when it fits, else in a scroll view.
    const int room = 720 - 57;
    if (sections->sizeHint().height() <= room) {
        root->addWidget(sections);
    } else {
        auto *scroll = new QScrollArea;
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->verticalScrollBar()->setStyleSheet(Design::scrollBarStyle());
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setWidget(sections);
        root->addWidget(scroll, 1);
        resize(960, 720);
        setMinimumHeight(720);
    }
}
