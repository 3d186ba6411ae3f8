#include "PanelGallery.h"

#include "ModelHarness.h"
#include "PanelFixture.h"

#include "Panel/CommentDelegate.h"
#include "Panel/CommentListModel.h"
#include "Panel/DeleteBar.h"
#include "Panel/PanelActions.h"
#include "Theme/Design.h"
#include "Panel/PanelStyle.h"
#include "Panel/PanelProgressBar.h"
#include "Panel/PanelTabs.h"
#include "Panel/ScanLog.h"
#include "Panel/ScanStage.h"
#include "Panel/ScanStatusText.h"
#include "Panel/SpamPanel.h"
#include "Panel/SpamPanelModel.h"

#include <QApplication>
#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 420;

QImage grabShown(QWidget &w, const QSize &size)
{
    w.setAttribute(Qt::WA_DontShowOnScreen);
    w.resize(size);
    w.show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    return w.grab().toImage();
}

QImage canvas(int height)
{
    QImage img(kWidth, std::max(1, height), QImage::Format_ARGB32_Premultiplied);
    img.fill(Design::panel());
    return img;
}

Comment sample(const QString &id, const QString &author, const QString &text, const QString &state,
               std::optional<double> prob = {})
{
    Comment c;
    c.id = id;
    c.authorName = author;
    c.text = text;
    c.state = state;
    c.aiProb = prob;
    return c;
}

}   // namespace

QStringList PanelGallery::views()
{
    return {QStringLiteral("panel"),       QStringLiteral("panel-rows"), QStringLiteral("panel-bars"),
            QStringLiteral("panel-stage"), QStringLiteral("panel-log"),  QStringLiteral("panel-empty")};
}

QImage PanelGallery::render(const QString &view)
{
    if (view == QLatin1String("panel"))
        return panel();
    if (view == QLatin1String("panel-rows"))
        return rows();
    if (view == QLatin1String("panel-bars"))
        return bars();
    if (view == QLatin1String("panel-stage"))
        return stage();
    if (view == QLatin1String("panel-log"))
        return log();
    if (view == QLatin1String("panel-empty")) {
        // A first run: nothing scanned yet.
        ModelHarness h;
        PanelActions actions(&h.store());
        SpamPanel panel(&h.model(), &actions);
        return grabShown(panel, QSize(kWidth, 900));
    }
    return QImage();
}

QImage PanelGallery::panel()
{
    ModelHarness h;
    PanelFixture::gallery(h.store(), QDateTime::currentDateTime());
    PanelActions actions(&h.store());
    actions.setFocused(PanelFixture::youtubeUrl(1));
    SpamPanel panel(&h.model(), &actions);
    panel.viewModel()->setTab(PanelTab::spam);
    panel.viewModel()->load();
    return grabShown(panel, QSize(kWidth, 900));
}

QImage PanelGallery::rows()
{
    ModelHarness h;
    PanelFixture::gallery(h.store(), QDateTime::currentDateTime());
    PanelActions actions(&h.store());
    SpamPanelModel vm(&h.model(), &actions);
    vm.load();
    CommentListModel model;
    CommentListModel::Content c;
    c.posts = vm.posts();
    c.records = vm.shown();
    // The deleted comment as the Deleted tab lists it, struck while it is being cut.
    for (const ScanStore::Record &r : h.store().comments(PanelFixture::youtubeUrl(1), 100)) {
        if (r.deletedAt)
            c.records[PanelFixture::youtubeUrl(1)].append(r);
    }
    c.hits = vm.hits();
    c.thresholds = h.model().ownerSettings().thresholds();
    c.keywords = {QStringLiteral("giveaways")};
    c.mode = CommentListModel::PickMode::picked;
    c.ticks = {QStringLiteral("g1"), QStringLiteral("g6")};
    c.focused = PanelFixture::youtubeUrl(1);
    c.cutting = {QStringLiteral("g3")};
    model.setContent(c);
    for (int i = 0; i < model.rowCount(); ++i) {
        const QString id = model.row(i).record.id;
        if (id == QLatin1String("g2") || id == QLatin1String("g5") || id == QLatin1String("g8"))
            model.toggleExpanded(i);
    }
    int height = 0;
    for (int i = 0; i < model.rowCount(); ++i)
        height += CommentDelegate::height(model, i, kWidth);
    QImage img = canvas(height);
    QPainter p(&img);
    int y = 0;
    for (int i = 0; i < model.rowCount(); ++i) {
        const int rh = CommentDelegate::height(model, i, kWidth);
        CommentDelegate::paintRow(p, QRectF(0, y, kWidth, rh), model, i);
        y += rh;
    }
    return img;
}

QImage PanelGallery::bars()
{
    QWidget column;
    column.setStyleSheet(PanelStyle::styleSheet());
    QPalette pal = column.palette();
    pal.setColor(QPalette::Window, Design::card());
    pal.setColor(QPalette::WindowText, Design::text());
    column.setPalette(pal);
    column.setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(&column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);

    QList<ScanStore::Record> flagged;
    QList<double> scores;
    for (int i = 0; i < 31; ++i) {
        ScanStore::Record r;
        r.id = QString::number(i);
        r.state = QStringLiteral("spam");
        r.aiProb = 0.5 + 0.5 * double(i % 17) / 16.0;
        flagged.append(r);
        scores.append(std::round(*r.aiProb * 100));
    }
    for (double s : {3.0, 12.0, 20.0, 22.0, 35.0, 41.0, 41.0})
        scores.append(s);
    auto *withBand = new DeleteBar(&column);
    withBand->setContent(flagged, DeleteBar::Band{62.9, 100}, scores, {}, false);
    auto *comments = new DeleteBar(&column);
    comments->setContent(flagged.mid(0, 5), std::nullopt, {}, {QStringLiteral("0"), QStringLiteral("1")}, false);
    auto *progress = new PanelProgressBar(&column);
    ScanStatusText::State deleting;
    deleting.busy = true;
    deleting.removal = std::make_pair(qint64(1), qint64(3));
    progress->setState(ScanStatusText::removalLine(deleting), 1.0 / 3.0);
    auto *tabs = new PanelTabs(&column);
    tabs->setTab(PanelTab::comments);
    tabs->setCounts({{int(PanelTab::comments), 12840}, {int(PanelTab::spam), 31}});
    layout->addWidget(withBand);
    layout->addWidget(comments);
    layout->addWidget(progress);
    layout->addWidget(tabs);
    layout->addStretch(1);
    return grabShown(column, QSize(kWidth, column.sizeHint().height() + 40));
}

QImage PanelGallery::stage()
{
    ChannelPost a;
    a.site = QStringLiteral("youtube");
    a.url = PanelFixture::youtubeUrl(1);
    a.title = QStringLiteral("How I edit my videos fast — full walkthrough");
    a.state = ChannelPost::State::done;
    a.total = 340;
    a.flagged = 5;
    ChannelPost b = a;
    b.url = PanelFixture::youtubeUrl(2);
    b.title.clear();
    b.state = ChannelPost::State::scanning;
    ChannelPost c = a;
    c.url = PanelFixture::youtubeUrl(3);
    c.title = QStringLiteral("<i>Q&A</i> livestream");
    c.state = ChannelPost::State::waiting;
    ChannelPost d = a;
    d.url = PanelFixture::youtubeUrl(4);
    d.state = ChannelPost::State::failed;
    ScanActivity activity;
    activity.stage = ScanActivity::Stage::ai;
    activity.collected = 412;
    activity.flagged = 7;
    activity.aiChecked = 120;
    activity.aiTotal = 400;
    activity.samples = {
        sample("s1", "Mina", "Great tutorial, thanks!", "ok"),
        sample("s2", "quickcash", "Earn $500 a day from home, DM me on telegram", "spam"),
        sample("s3", "angry_guy", "You are a complete idiot", "spam", 0.125),
        sample("s4", "", "좋은 영상 감사합니다. 다음 편도 기대할게요!", "ok"),
        sample("s5", "promo4u", "check out my channel for free giveaways", "spam", 0.93),
        sample("s6", "<b>viewer</b>", "First!", "ok"),
    };
    activity.inspecting = {QStringLiteral("s4"), QStringLiteral("s5"), QStringLiteral("s6")};
    const QList<ScanStage::Item> tour = ScanStage::items({a, b, c, d}, true, std::nullopt);
    ScanActivity empty;
    empty.stage = ScanActivity::Stage::connecting;
    const QList<ScanStage::Item> single = ScanStage::items({}, false, a);
    const int h1 = ScanStage::paintContent(nullptr, kWidth, tour, activity, false, 1.0);
    const int h2 = ScanStage::paintContent(nullptr, kWidth, single, empty, true, 0);
    QImage img = canvas(h1 + h2);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    ScanStage::paintContent(&p, kWidth, tour, activity, false, 1.0);
    p.translate(0, h1);
    ScanStage::paintContent(&p, kWidth, single, empty, true, 0);
    return img;
}

QImage PanelGallery::log()
{
    ModelHarness h;
    PanelFixture::gallery(h.store(), QDateTime::currentDateTime());
    const QList<ScanSession> sessions = ScanSession::group(h.store().runs(QStringLiteral("youtube"), 200), 200);
    QImage img(ScanLog::logWidth, ScanLog::heightFor(sessions.size()), QImage::Format_ARGB32_Premultiplied);
    img.fill(Design::panel());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    ScanLog::paintRows(p, ScanLog::logWidth, sessions);
    return img;
}
