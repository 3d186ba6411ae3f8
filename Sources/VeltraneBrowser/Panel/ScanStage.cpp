#include "Panel/ScanStage.h"

#include "Panel/AIPercent.h"
#include "Theme/Avatar.h"
#include "Theme/Design.h"
#include "Panel/ScanStatusText.h"
#include "Scan/SpamModel.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPad = 12;
constexpr double kSpacing = 8;
constexpr double kQueueRow = 44;
constexpr double kSamplesMax = 330;
constexpr double kLine = 52;   // height of one sample line
constexpr double kLineSpacing = 7;

QString titleOf(const ChannelPost &post)
{
    return post.title.isEmpty() ? post.url : post.title;
}

class Canvas : public QWidget {
public:
    explicit Canvas(QWidget *parent)
        : QWidget(parent)
    {
    }
    std::function<void(QPainter &)> paint;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        if (paint)
            paint(p);
    }
};

double cardHeight(const ScanActivity &a)
{
    const double head = 44;
    double samples = a.samples.isEmpty() ? 3 * 40 + 2 * kLineSpacing
                                         : a.samples.size() * kLine + (a.samples.size() - 1) * kLineSpacing;
    samples = std::min(samples, kSamplesMax);
    return 14 + head + 12 + samples + 14;
}

void drawThumb(QPainter &p, const QRectF &r, const ChannelPost &post)
{
    p.fillPath(Design::rounded(r, r.width() / 4), Design::elevated());
    p.setPen(Design::muted());
    p.setFont(Design::font(r.width() / 2.6, QFont::Bold));
    p.drawText(r, Qt::AlignCenter, post.site.left(1).toUpper());
}

}   // namespace

std::optional<ChannelPost> ScanStage::current(const QList<ChannelPost> &posts, bool touring,
                                              const std::optional<ChannelPost> &currentPost)
{
    for (const ChannelPost &p : posts) {
        if (p.state == ChannelPost::State::scanning)
            return p;
    }
    if (touring)
        return std::nullopt;
    return currentPost;
}

QList<ChannelPost> ScanStage::queue(const QList<ChannelPost> &posts, bool touring)
{
    return touring ? posts : QList<ChannelPost>();
}

QList<ScanStage::Item> ScanStage::items(const QList<ChannelPost> &posts, bool touring,
                                        const std::optional<ChannelPost> &currentPost)
{
    const std::optional<ChannelPost> now = current(posts, touring, currentPost);
    const QList<ChannelPost> q = queue(posts, touring);
    QList<Item> out;
    if (q.isEmpty() && now)
        out.append({*now, true});
    for (const ChannelPost &p : q)
        out.append({p, now && now->url == p.url});
    return out;
}

QString ScanStage::stageLabel(const ScanActivity &a)
{
    switch (a.stage) {
    case ScanActivity::Stage::connecting:
        return tr("Opening the post");
    case ScanActivity::Stage::collecting:
        return tr("Collecting comments");
    case ScanActivity::Stage::rules:
        return tr("Checking rules");
    case ScanActivity::Stage::ai: {
        const QString base = tr("AI check");
        if (a.aiTotal < 1)
            return base;
        return base + u' ' + QString::number(a.aiChecked) + u'/' + QString::number(a.aiTotal);
    }
    case ScanActivity::Stage::complete:
        break;
    }
    return tr("Finishing");
}

QString ScanStage::countsText(const ScanActivity &a)
{
    if (a.collected < 1)
        return QString();
    QString t = tr("%1 comments").arg(a.collected);
    if (a.flagged > 0)
        t += tr(" · %1 flagged").arg(a.flagged);
    return t;
}

ScanStage::Mark ScanStage::queueMark(const ChannelPost &post)
{
    switch (post.state) {
    case ChannelPost::State::failed:
        return {tr("Scan failed"), true, Design::text(), false};
    case ChannelPost::State::done: {
        QString t = tr("%1 comments").arg(post.total);
        if (post.flagged > 0)
            t += tr(" · %1 flagged").arg(post.flagged);
        const bool any = post.flagged > 0;
        return {t, any, any ? Design::text() : Design::muted(), true};
    }
    case ChannelPost::State::waiting:
    case ChannelPost::State::scanning:
        break;
    }
    return {tr("Queued"), false, Design::muted(), false};
}

double ScanStage::sampleOpacity(int index, int count)
{
    if (count <= 0)
        return 1;
    return 0.3 + 0.7 * double(index + 1) / double(count);
}

ScanStage::Trailing ScanStage::trailing(const Comment &comment, bool inspecting)
{
    if (comment.verdict() == Comment::Verdict::spam)
        return Trailing::badge;
    return inspecting ? Trailing::dots : Trailing::none;
}

QString ScanStage::badgeText(const Comment &comment)
{
    const std::optional<double> p = AIPercent::clean(comment.aiProb);
    if (!p)
        return tr("Flagged");
    return QString::number(AIPercent::of(*p)) + u'%';
}

int ScanStage::badgePercent(const Comment &comment)
{
    return AIPercent::orFull(comment.aiProb);
}

double ScanStage::pulseOpacity(double t, bool calm)
{
    return calm ? 1.0 : 0.35 + 0.65 * std::abs(std::sin(2.6 * t));
}

double ScanStage::dotOpacity(int i, double t, bool calm)
{
    return calm ? 0.7 : 0.25 + 0.75 * std::max(0.0, std::sin(5 * t - 0.9 * i));
}

int ScanStage::paintContent(QPainter *painter, int width, const QList<Item> &items, const ScanActivity &a, bool calm,
                            double t)
{
    double y = kPad;
    const double w = width - 2 * kPad;
    for (const Item &item : items) {
        if (!item.live) {
            if (painter) {
                QPainter &p = *painter;
                const QRectF r(kPad, y, w, kQueueRow);
                p.save();
                p.setOpacity(item.post.state == ChannelPost::State::waiting ? 0.45 : 0.85);
                p.fillPath(Design::rounded(r, 12), Design::card());
                drawThumb(p, QRectF(r.left() + 12, r.center().y() - 14, 28, 28), item.post);
                const Mark mark = queueMark(item.post);
                const QFont mf = Design::font(11, mark.semibold ? QFont::DemiBold : QFont::Normal);
                const double markW = QFontMetricsF(mf).horizontalAdvance(mark.text) + (mark.check ? 20 : 0);
                const QFont tf = Design::font(12, QFont::Medium);
                const double titleW = std::max(10.0, r.width() - 12 - 28 - 10 - 8 - markW - 12);
                p.setFont(tf);
                p.setPen(Design::secondary());
                p.drawText(QRectF(r.left() + 50, r.top(), titleW, r.height()),
                           Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                           QFontMetricsF(tf).elidedText(titleOf(item.post), Qt::ElideRight, titleW));
                p.setFont(mf);
                p.setPen(mark.color);
                const QRectF mr(r.right() - 12 - markW, r.top(), markW, r.height());
                p.drawText(mr, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, mark.text);
                if (mark.check) {
                    const QRectF c(mr.right() - 14, r.center().y() - 7, 14, 14);
                    p.setPen(Qt::NoPen);
                    p.setBrush(Design::secondary());
                    p.drawEllipse(c);
                    p.setPen(QPen(Design::card(), 1.6));
                    p.drawPolyline(QPolygonF({c.topLeft() + QPointF(3.5, 7), c.topLeft() + QPointF(6, 9.5),
                                              c.topLeft() + QPointF(10.5, 4.5)}));
                }
                p.restore();
            }
            y += kQueueRow + kSpacing;
            continue;
        }
        const double h = cardHeight(a);
        if (painter) {
            QPainter &p = *painter;
            p.save();
            const QRectF card(kPad, y, w, h);
            const QPainterPath shape = Design::rounded(card, 16);
            for (int i = 4; i >= 1; --i) {
                QColor shadow(Qt::black);
                shadow.setAlphaF(0.35 / 6);
                p.fillPath(Design::rounded(card.translated(0, 6).adjusted(-i * 2, -i * 2, i * 2, i * 2), 16 + i * 2),
                           shadow);
            }
            p.fillPath(shape, Design::surface());
            p.setPen(QPen(Design::strongBorder(), 1));
            p.drawPath(Design::rounded(card.adjusted(0.5, 0.5, -0.5, -0.5), 15.5));
            const QRectF inner = card.adjusted(14, 14, -14, -14);
            drawThumb(p, QRectF(inner.topLeft(), QSizeF(44, 44)), item.post);
            const double colX = inner.left() + 56;
            const double colW = inner.right() - colX;
            const QFont tf = Design::font(13, QFont::DemiBold);
            p.setFont(tf);
            p.setPen(Design::text());
            p.drawText(QRectF(colX, inner.top(), colW, 18), Qt::AlignLeft | Qt::TextSingleLine,
                       QFontMetricsF(tf).elidedText(titleOf(item.post), Qt::ElideRight, colW));
            // Stage line: pulse, label, counts.
            const double ly = inner.top() + 24;
            p.setPen(Qt::NoPen);
            p.setBrush(Design::faded(Design::accent(), pulseOpacity(t, calm)));
            p.drawEllipse(QRectF(colX, ly + 4, 7, 7));
            const QFont sf = Design::font(11, QFont::DemiBold);
            const QString label = stageLabel(a);
            p.setFont(sf);
            p.setPen(Design::text());
            p.drawText(QRectF(colX + 14, ly, colW, 15), Qt::AlignLeft | Qt::TextSingleLine, label);
            const QString counts = countsText(a);
            if (!counts.isEmpty()) {
                p.setFont(Design::font(11));
                p.setPen(Design::secondary());
                p.drawText(QRectF(colX + 14 + QFontMetricsF(sf).horizontalAdvance(label) + 7, ly, colW, 15),
                           Qt::AlignLeft | Qt::TextSingleLine, counts);
            }
            // Samples, bottom-aligned once there are any, cut at the top.
            const QRectF area(inner.left(), inner.top() + 44 + 12, inner.width(), h - 14 - 44 - 12 - 14);
            p.setClipRect(area);
            if (a.samples.isEmpty()) {
                const double op[3] = {0.75, 0.55, 0.35};
                for (int i = 0; i < 3; ++i)
                    p.fillPath(Design::rounded(QRectF(area.left(), area.top() + i * (40 + kLineSpacing), area.width(),
                                                      40),
                                               10),
                               Design::faded(Design::card(), op[i]));
            } else {
                const int n = int(a.samples.size());
                double sy = area.bottom() - (n * kLine + (n - 1) * kLineSpacing);
                for (int i = 0; i < n; ++i, sy += kLine + kLineSpacing) {
                    const Comment &c = a.samples.at(i);
                    const QRectF lr(area.left(), sy, area.width(), kLine);
                    if (lr.bottom() < area.top())
                        continue;
                    p.save();
                    p.setOpacity(sampleOpacity(i, n));
                    const bool flagged = c.verdict() == Comment::Verdict::spam;
                    const QColor risk = Design::risk(badgePercent(c));
                    p.fillPath(Design::rounded(lr, 10), Design::card());
                    if (flagged) {
                        p.setPen(QPen(Design::faded(risk, 0.8), 1));
                        p.setBrush(Qt::NoBrush);
                        p.drawPath(Design::rounded(lr.adjusted(0.5, 0.5, -0.5, -0.5), 9.5));
                    }
                    Avatar::paint(p, QRectF(lr.left() + 10, lr.center().y() - 12, 24, 24), c.authorName);
                    double trailW = 0;
                    const Trailing trail = trailing(c, a.inspecting.contains(c.id));
                    if (trail == Trailing::badge) {
                        const QString bt = badgeText(c);
                        const QFont bf = Design::font(11, QFont::Bold);
                        trailW = QFontMetricsF(bf).horizontalAdvance(bt) + 16;
                        const QRectF br(lr.right() - 10 - trailW, lr.center().y() - 11, trailW, 22);
                        p.fillPath(Design::rounded(br, 11), Design::faded(risk, 0.34));
                        p.setPen(QPen(Design::faded(risk, 0.85), 1));
                        p.setBrush(Qt::NoBrush);
                        p.drawPath(Design::rounded(br.adjusted(0.5, 0.5, -0.5, -0.5), 10.5));
                        p.setFont(bf);
                        p.setPen(Design::text());
                        p.drawText(br, Qt::AlignCenter, bt);
                    } else if (trail == Trailing::dots) {
                        trailW = 18;
                        p.setPen(Qt::NoPen);
                        for (int d = 0; d < 3; ++d) {
                            p.setBrush(Design::faded(Design::accent(), dotOpacity(d, t, calm)));
                            p.drawEllipse(QRectF(lr.right() - 10 - trailW + d * 7, lr.center().y() - 2, 4, 4));
                        }
                    }
                    const double tx = lr.left() + 10 + 24 + 9;
                    const double tw = std::max(10.0, lr.right() - 10 - trailW - 6 - tx);
                    const QFont af = Design::font(10, QFont::DemiBold);
                    p.setFont(af);
                    p.setPen(Design::muted());
                    const QString author = c.authorName.isEmpty() ? tr("(no name)") : c.authorName;
                    p.drawText(QRectF(tx, lr.top() + 7, tw, 13), Qt::AlignLeft | Qt::TextSingleLine,
                               QFontMetricsF(af).elidedText(author, Qt::ElideRight, tw));
                    const QFont cf = Design::font(12);
                    p.setFont(cf);
                    p.setPen(flagged ? Design::text() : Design::secondary());
                    p.drawText(QRectF(tx, lr.top() + 22, tw, 24), Qt::AlignLeft | Qt::TextSingleLine,
                               QFontMetricsF(cf).elidedText(c.text.simplified(), Qt::ElideRight, tw));
                    p.restore();
                }
            }
            if (!calm) {
                // The sweeping beam: a band sliding down every 2.4 s.
                const double progress = std::fmod(t, 2.4) / 2.4;
                const double top = area.top() + progress * (area.height() + 90) - 90;
                QLinearGradient g(0, top, 0, top + 90);
                g.setColorAt(0, QColor(255, 255, 255, 0));
                g.setColorAt(1, QColor(255, 255, 255, int(0.09 * 255)));
                p.fillRect(QRectF(area.left(), top, area.width(), 90), g);
                p.fillRect(QRectF(area.left(), top + 89, area.width(), 1), QColor(255, 255, 255, int(0.5 * 255)));
            }
            p.restore();
        }
        y += h + kSpacing;
    }
    return int(std::ceil(y - (items.isEmpty() ? 0 : kSpacing) + kPad));
}

ScanStage::ScanStage(SpamModel *model, QWidget *parent)
    : QScrollArea(parent)
    , m_model(model)
    , m_canvas(new Canvas(this))
    , m_calm(Design::reduceMotion())
{
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(false);
    setWidget(m_canvas);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Design::panel());
    setPalette(pal);
    viewport()->setPalette(pal);
    m_canvas->setPalette(pal);
    m_canvas->setAutoFillBackground(true);
    m_clock.start();
    m_timer.setInterval(33);   // at most 30 frames a second
    connect(&m_timer, &QTimer::timeout, m_canvas, qOverload<>(&QWidget::update));
    static_cast<Canvas *>(m_canvas)->paint = [this](QPainter &p) {
        if (!m_model)
            return;
        paintContent(&p, m_canvas->width(),
                     items(m_model->catalog().rows(), m_model->jobs().touring(), m_model->currentPost()),
                     m_model->openPage().scanActivity(), m_calm, m_clock.elapsed() / 1000.0);
    };
    if (m_model) {
        connect(&m_model->catalog(), &PostCatalog::rowsChanged, this, &ScanStage::refresh);
        connect(&m_model->jobs(), &JobState::changed, this, &ScanStage::refresh);
        for (auto signal : {&OpenPage::scanActivityChanged, &OpenPage::infoChanged})
            connect(&m_model->openPage(), signal, this, &ScanStage::refresh);
    }
    refresh();
}

void ScanStage::setCalm(bool calm)
{
    m_calm = calm;
    updateTimer();
    m_canvas->update();
}

void ScanStage::refresh()
{
    if (!m_model)
        return;
    const QList<Item> list = items(m_model->catalog().rows(), m_model->jobs().touring(), m_model->currentPost());
    const int w = viewport()->width();
    const int h = paintContent(nullptr, w, list, m_model->openPage().scanActivity(), m_calm, 0);
    m_canvas->resize(w, std::max(h, viewport()->height()));
    setAccessibleName(ScanStatusText::scanLine(*m_model));
    // Bring the live card to the middle when the current post changes to another one.
    std::optional<QString> now;
    double top = kPad, height = 0;
    for (const Item &item : list) {
        const double ih = item.live ? cardHeight(m_model->openPage().scanActivity()) : kQueueRow;
        if (item.live) {
            now = item.post.url;
            height = ih;
            break;
        }
        top += ih + kSpacing;
    }
    if (now && now != m_lastCurrent)
        ensureVisible(0, int(top + height / 2), 0, viewport()->height() / 2);
    if (now)
        m_lastCurrent = now;
    updateTimer();
    m_canvas->update();
}

void ScanStage::updateTimer()
{
    const bool live = !m_calm && isVisible() && m_model && (m_model->jobs().scanning() || m_model->jobs().touring());
    if (live && !m_timer.isActive())
        m_timer.start();
    else if (!live)
        m_timer.stop();
}

void ScanStage::showEvent(QShowEvent *event)
{
    QScrollArea::showEvent(event);
    refresh();
}

void ScanStage::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    refresh();
}

void ScanStage::hideEvent(QHideEvent *event)
{
    QScrollArea::hideEvent(event);
    m_timer.stop();
}
