#include "PostGallery.h"

#include "ModelHarness.h"

#include "Base/ImageStore.h"
#include "Base/Lang.h"
#include "Posts/PostDesk.h"
#include "Shell/PostDock.h"
#include "Shell/PostDockActions.h"
#include "Shell/PostDockModel.h"
#include "Shell/PostTile.h"
#include "Theme/Design.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

namespace {

QString watch(int i)
{
    return QStringLiteral("https://www.youtube.com/watch?v=gallery%1").arg(i, 4, 10, QChar(u'0'));
}

// A picture in the cache for every thumbnail address, so that tiles find it on disk.
void fillCache(ImageStore &images, const QList<QString> &urls)
{
    const QList<QColor> tones{QColor(0x3a, 0x4a, 0x5c), QColor(0x5c, 0x3a, 0x3a), QColor(0x3a, 0x5c, 0x44),
                              QColor(0x55, 0x4c, 0x33), QColor(0x48, 0x3a, 0x5c)};
    int i = 0;
    for (const QString &url : urls) {
        QImage img(320, 180, QImage::Format_RGB32);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, 320, 180);
        g.setColorAt(0, tones[i % tones.size()]);
        g.setColorAt(1, tones[i % tones.size()].darker(220));
        p.fillRect(img.rect(), g);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 60));
        p.drawEllipse(QPointF(80 + 30 * i, 90), 50, 50);
        p.end();
        img.save(images.cacheFile(url), "JPG");
        ++i;
    }
}

QImage grabShown(QWidget &w, const QSize &size)
{
    w.setAttribute(Qt::WA_DontShowOnScreen);
    w.resize(size);
    w.show();
    // Let tiles that arrive finish their fade-in before the picture is taken.
    QTest::qWait(600);
    return w.grab().toImage();
}

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Design::muted());
    l->setPalette(p);
    return l;
}

}   // namespace

QStringList PostGallery::views()
{
    return {QStringLiteral("dock"), QStringLiteral("dock-tiles"), QStringLiteral("dock-empty")};
}

QImage PostGallery::render(const QString &view)
{
    if (view == QLatin1String("dock"))
        return dock();
    if (view == QLatin1String("dock-tiles"))
        return tiles();
    if (view == QLatin1String("dock-empty"))
        return empty();
    return QImage();
}

QImage PostGallery::dock()
{
    const bool korean = Lang::system();
    ModelHarness h;
    QTemporaryDir cache;
    ImageStore images(cache.path());
    const QStringList titles = korean
        ? QStringList{QStringLiteral("김치찌개 황금 레시피"),      QStringLiteral("10분 만에 만드는 계란말이"),
                      QStringLiteral("주말 브이로그 · 시장 투어"), QStringLiteral("<b>태그처럼 보이는 제목</b>"),
                      QStringLiteral("구독자 10만 기념 라이브"),   QStringLiteral("떡볶이 맛집 비교")}
        : QStringList{QStringLiteral("The best kimchi stew"),
                      QStringLiteral("Rolled omelette in 10 minutes"),
                      QStringLiteral("Weekend vlog · market tour"),
                      QStringLiteral("<b>A title that looks like markup</b>"),
                      QStringLiteral("100k subscribers live"),
                      QStringLiteral("Tteokbokki taste test")};
    QStringList thumbs;
    for (int i = 0; i < titles.size(); ++i) {
        ScanStore::Post p;
        p.site = QStringLiteral("youtube");
        p.url = watch(i);
        p.title = titles[i];
        p.scannedAt = QDateTime::currentDateTime().addSecs(-3600 * (i * 20 + 1));
        p.total = 40 + 37 * i;
        p.flagged = i % 3 == 0 ? i + 2 : 0;
        p.watched = i == 1;
        if (i == 4)
            p.scannedAt = QDateTime::fromSecsSinceEpoch(0);   // only monitored
        if (i == 4)
            p.watched = true;
        h.store().record(p);
        thumbs << *ChannelPost::thumbnailOf(p.site, p.url, {});
    }
    // A post found on the channel without a picture shows the site's glyph.
    h.store().addFound(
        {ScanStore::Found{QStringLiteral("youtube"), watch(9),
                          korean ? QStringLiteral("새로 찾은 게시물") : QStringLiteral("A newly found post"),
                          std::nullopt}});
    fillCache(images, thumbs);
    h.model().catalog().setDiscoveryStatus(korean ? QStringLiteral("더 불러올 게시물이 없습니다.")
                                                  : QStringLiteral("No more posts to load."));
    PostDesk desk(&h.model());
    PostDock dock(&h.model(), nullptr, &desk, &images);
    dock.appear();
    desk.toggle(desk.posts().at(3));
    desk.setFocused(watch(1));
    return grabShown(dock, QSize(760, 520));
}

QImage PostGallery::empty()
{
    // A first run: no history, not signed in to the site.
    ModelHarness h;
    PostDesk desk(&h.model());
    PostDock dock(&h.model(), nullptr, &desk, nullptr);
    dock.appear();
    return grabShown(dock, QSize(760, 520));
}

QImage PostGallery::tiles()
{
    const bool korean = Lang::system();
    QTemporaryDir cache;
    ImageStore images(cache.path());
    const QDateTime earlier = QDateTime::currentDateTime().addSecs(-2 * 3600);
    const QDateTime lastWeek = QDateTime::currentDateTime().addDays(-6);
    struct Sample {
        QString label;
        ChannelPost post;
        PostTile::Look look;
    };
    auto row = [&](int i, ChannelPost::State state, std::optional<QDateTime> at, int total, int flagged, bool watched,
                   bool thumb = true) {
        ChannelPost p;
        p.site = QStringLiteral("youtube");
        p.url = watch(i);
        p.title = korean ? QStringLiteral("게시물 제목 %1").arg(i) : QStringLiteral("Post title %1").arg(i);
        p.state = state;
        p.scannedAt = at;
        p.total = total;
        p.flagged = flagged;
        p.watched = watched;
        if (thumb)
            p.thumbnail = ChannelPost::thumbnailOf(p.site, p.url, {});
        return p;
    };
    using S = ChannelPost::State;
    const QList<Sample> samples{
        {"queued", row(1, S::waiting, std::nullopt, 0, 0, false), {.ticked = true, .queueScan = true}},
        {"waiting, deletion", row(2, S::waiting, std::nullopt, 0, 0, false), {.ticked = true}},
        {"scanning", row(3, S::scanning, lastWeek, 88, 2, false), {.ticked = true, .queueScan = true}},
        {"failed", row(4, S::failed, lastWeek, 88, 2, false), {.ticked = true, .queueScan = true}},
        {"not scanned, monitored", row(5, S::done, std::nullopt, 0, 0, true), {.ticked = true}},
        {"flagged, monitored", row(6, S::done, earlier, 120, 3, true), {.ticked = true}},
        {"focused", row(7, S::done, lastWeek, 45, 0, false), {.ticked = true, .focused = true}},
        {"hovered", row(8, S::done, lastWeek, 45, 1, false), {.ticked = true, .hovered = true}},
        {"unticked", row(9, S::done, lastWeek, 45, 0, false), {.ticked = false}},
        {"no picture", row(10, S::done, earlier, 7, 0, false, false), {.ticked = true}},
    };
    QStringList thumbs;
    for (const Sample &s : samples)
        if (s.post.thumbnail)
            thumbs << *s.post.thumbnail;
    fillCache(images, thumbs);

    QWidget page;
    page.setAutoFillBackground(true);
    QPalette pal = page.palette();
    pal.setColor(QPalette::Window, Design::card());
    page.setPalette(pal);
    auto *column = new QVBoxLayout(&page);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(14);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    for (int i = 0; i < samples.size(); ++i) {
        auto *tile = new PostTile(samples[i].post, &images, &page);
        tile->setFixedWidth(140);
        tile->setLook(samples[i].look);
        grid->addWidget(caption(samples[i].label, &page), (i / 5) * 2, i % 5);
        grid->addWidget(tile, (i / 5) * 2 + 1, i % 5);
    }
    column->addLayout(grid);

    // The actions area in each of its forms.
    using In = PostDockModel::ActionsInput;
    const QList<std::pair<QString, In>> forms{
        {"no posts, not signed in", In{.siteName = "Instagram"}},
        {"no posts, signed in", In{.siteName = "YouTube", .signedIn = true}},
        {"posts, 4 ticked", In{.siteName = "YouTube", .count = 9, .ticked = 4, .signedIn = true}},
        {"posts, loading",
         In{.siteName = "YouTube", .count = 9, .ticked = 4, .signedIn = true, .working = true, .findingPosts = true}},
        {"queue scan",
         In{.siteName = "YouTube", .count = 9, .ticked = 4, .signedIn = true, .working = true, .touring = true}},
    };
    for (const auto &[label, in] : forms) {
        column->addWidget(caption(label, &page));
        auto *area = new PostDockActions(&page);
        area->setState(PostDockModel::actions(in),
                       korean ? QStringLiteral("게시물 2/4 검사 중 · 댓글 120개")
                              : QStringLiteral("Scanning post 2 of 4 · 120 comments"),
                       in.touring ? std::optional<double>(0.4) : std::nullopt);
        column->addWidget(area);
    }
    column->addStretch(1);
    return grabShown(page, QSize(16 * 2 + 5 * 140 + 4 * 8, 1000));
}
