#include "Shell/PostTile.h"

#include "Base/ImageStore.h"
#include "Shell/PostDockModel.h"
#include "Theme/CheckGlyph.h"
#include "Theme/Design.h"
#include "Theme/PlainText.h"
#include "Theme/ServiceIcon.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace {

constexpr double kRadius = 10;
constexpr double kPad = 6;
constexpr double kThumbHeight = 62;

}   // namespace

PostTile::PostTile(const ChannelPost &post, ImageStore *images, QWidget *parent)
    : QWidget(parent)
    , m_post(post)
    , m_images(images)
{
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setFixedHeight(PostDockModel::tileHeight);
    m_fade.setStartValue(0.0);
    m_fade.setEndValue(1.0);
    connect(&m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant &v) {
        m_reveal = v.toDouble();
        update();
    });
    if (m_images)
        connect(m_images, &ImageStore::versionChanged, this, qOverload<>(&QWidget::update));
    for (Fade *fade : {&m_tick, &m_hover, &m_focus}) {
        connect(&fade->animation, &QVariantAnimation::valueChanged, this, [this, fade](const QVariant &v) {
            fade->value = v.toDouble();
            update();
        });
    }
    describe();
}

void PostTile::follow(Fade &fade, bool on)
{
    const double target = on ? 1 : 0;
    if (!fade.set) {
        fade.set = true;
        fade.value = target;
        return;
    }
    if (fade.animation.endValue().toDouble() == target && fade.animation.state() == QAbstractAnimation::Running)
        return;
    fade.animation.stop();
    if (fade.value == target)
        return;
    const Design::Motion quick = Design::Motion::quick();
    fade.animation.setDuration(quick.durationMs);
    fade.animation.setEasingCurve(quick.curve);
    fade.animation.setStartValue(fade.value);
    fade.animation.setEndValue(target);
    fade.animation.start();
}

void PostTile::setPost(const ChannelPost &post)
{
    if (post == m_post)
        return;
    m_post = post;
    describe();
    update();
}

void PostTile::setLook(const Look &look)
{
    m_look = look;
    follow(m_tick, look.ticked);
    follow(m_hover, look.hovered);
    follow(m_focus, look.focused);
    describe();
    update();
}

QString PostTile::failureReason() const
{
    return m_post.state == ChannelPost::State::failed ? m_post.note.simplified() : QString();
}

// Only the ticked posts make the queue; an unticked one waits for nothing.
bool PostTile::inQueue() const
{
    return m_look.queueScan && m_look.ticked;
}

void PostTile::describe()
{
    const QString name = PostDockModel::name(m_post);
    const QString reason = failureReason();
    const QString status = PostDockModel::statusText(PostDockModel::status(m_post, inQueue()));
    QStringList tip{name, status};
    if (!reason.isEmpty())
        tip << reason;
    else if (m_post.scannedAt)
        tip << PostDockModel::scanned(*m_post.scannedAt, QDateTime::currentDateTime());
    setToolTip(PlainText::toolTip(tip.join(QLatin1Char('\n'))));
    setAccessibleName(name);
    setAccessibleDescription(reason.isEmpty() ? status : status + QLatin1Char(' ') + reason);
}

void PostTile::arrive(int order)
{
    if (Design::reduceMotion()) {
        m_reveal = 1;
        update();
        return;
    }
    m_reveal = 0;
    const Design::Motion spring = Design::Motion::spring();
    m_fade.setDuration(spring.durationMs);
    m_fade.setEasingCurve(spring.curve);
    QPointer<PostTile> self(this);
    QTimer::singleShot(PostDockModel::arrivalDelayMs(order), this, [self] {
        if (self)
            self->m_fade.start();
    });
}

QRect PostTile::tickArea()
{
    return QRect(6, 6, 30, 30);
}

void PostTile::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // A tile on its way in is drawn fainter and a little lower.
    p.setOpacity(m_reveal);
    p.translate(0, 6 * (1 - m_reveal));

    const QRectF box = QRectF(rect());
    const QPainterPath shape = Design::rounded(box, kRadius);
    // Focus over hover over nothing, each fading in and out.
    const double focus = m_focus.value;
    const double hover = isEnabled() ? m_hover.value * (1 - focus) : 0;
    if (hover > 0)
        p.fillPath(shape, Design::faded(Design::surface(), hover));
    if (focus > 0) {
        p.fillPath(shape, Design::faded(Design::focusFill(), focus));
        Design::innerStroke(p, box, kRadius, Design::faded(Design::focusBorder(), focus), 1.5);
    }

    const QRectF inner = box.adjusted(kPad, kPad, -kPad, -kPad);
    double y = inner.top();

    // The thumbnail, dimmed while the post is not ticked.
    const QRectF thumb(inner.left(), y, inner.width(), kThumbHeight);
    {
        p.save();
        const double dim = PostDockModel::thumbnailOpacity(false);
        p.setOpacity(p.opacity() * (dim + (PostDockModel::thumbnailOpacity(true) - dim) * m_tick.value));
        const QPainterPath clip = Design::rounded(thumb, 7);
        p.setClipPath(clip);
        p.fillPath(clip, Design::surface());
        QImage image;
        if (m_images && m_post.thumbnail) {
            image = m_images->cached(*m_post.thumbnail);
            if (image.isNull() && !m_images->isLoading(*m_post.thumbnail))
                m_images->prefetch(*m_post.thumbnail);
        }
        if (!image.isNull()) {
            // Filled to the area, cut at the sides or the top and bottom.
            const QSizeF size = QSizeF(image.size()).scaled(thumb.size(), Qt::KeepAspectRatioByExpanding);
            p.drawImage(QRectF(thumb.center().x() - size.width() / 2, thumb.center().y() - size.height() / 2,
                               size.width(), size.height()),
                        image);
        } else {
            p.setOpacity(p.opacity() * 0.6);
            ServiceIcon::paint(p, m_look.site, QRectF(thumb.center().x() - 9, thumb.center().y() - 9, 18, 18));
        }
        p.restore();
    }
    y += kThumbHeight + 4;

    // The title.
    const QString name = PostDockModel::name(m_post);
    const QFont titleFont = Design::font(11, m_look.focused ? QFont::DemiBold : QFont::Medium);
    p.setFont(titleFont);
    p.setPen(m_look.focused ? Design::text() : Design::secondary());
    const QFontMetricsF tm(titleFont);
    p.drawText(QRectF(inner.left(), y, inner.width(), tm.height()), Qt::AlignLeft | Qt::AlignVCenter,
               tm.elidedText(name.simplified(), Qt::ElideRight, inner.width()));
    y += tm.height() + 4;

    // The status line, part by part in its tones. When it is too long for the tile, the count of
    // comments moves to the line below (in place of the date, which the tooltip keeps), so that
    // the flagged count is never cut.
    QFont small = Design::font(10);
    small.setStyleHint(QFont::SansSerif);
    p.setFont(small);
    const QFontMetricsF sm(small);
    QList<PostDockModel::Part> parts = PostDockModel::status(m_post, inQueue());
    double wanted = 0;
    for (const PostDockModel::Part &part : parts)
        wanted += sm.horizontalAdvance(part.text);
    QString below;
    if (const QString reason = failureReason(); !reason.isEmpty())
        below = reason;
    if (wanted > inner.width() && parts.size() >= 3 && below.isEmpty()) {
        below = parts.takeFirst().text;
        parts.removeFirst();   // the separator
    }
    const auto drawParts = [&](const QList<PostDockModel::Part> &line, double top) {
        double x = inner.left();
        for (const PostDockModel::Part &part : line) {
            const double room = inner.right() - x;
            if (room <= 0)
                break;
            const QString text = sm.elidedText(part.text, Qt::ElideRight, room);
            p.setPen(part.tone == PostDockModel::Tone::accent ? Design::accent() : Design::muted());
            p.drawText(QRectF(x, top, room, sm.height()), Qt::AlignLeft | Qt::AlignVCenter, text);
            x += sm.horizontalAdvance(text);
        }
    };
    drawParts(parts, y);
    y += sm.height() + 4;

    // A failed scan's reason, or the moved count, or the time of the last scan.
    if (!below.isEmpty()) {
        p.setPen(failureReason().isEmpty() ? Design::muted() : Design::secondary());
        p.drawText(QRectF(inner.left(), y, inner.width(), sm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   sm.elidedText(below, Qt::ElideRight, inner.width()));
    } else if (m_post.scannedAt) {
        p.setPen(Design::muted());
        const QString when = PostDockModel::scanned(*m_post.scannedAt, QDateTime::currentDateTime());
        p.drawText(QRectF(inner.left(), y, inner.width(), sm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   sm.elidedText(when, Qt::ElideRight, inner.width()));
    }

    // The tick over the thumbnail's corner.
    const QRectF tick = QRectF(tickArea());
    const QRectF glyph(tick.center().x() - 10, tick.center().y() - 10, 20, 20);
    p.fillPath(Design::rounded(glyph, 5), Design::faded(Design::canvas(), 0.8));
    CheckGlyph::paint(p, glyph, m_look.ticked ? CheckGlyph::State::on : CheckGlyph::State::off);
}

void PostTile::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressedOnTick = tickArea().contains(event->position().toPoint());
    event->accept();
}

void PostTile::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const bool onTick = tickArea().contains(event->position().toPoint());
    // A press that starts on the tick and ends elsewhere (or the other way round) does nothing.
    if (onTick != m_pressedOnTick)
        return;
    if (onTick)
        emit tickRequested(m_post);
    else
        emit openRequested(m_post);
}

void PostTile::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space)
        emit tickRequested(m_post);
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit openRequested(m_post);
    else
        QWidget::keyPressEvent(event);
}

void PostTile::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    const ChannelPost post = m_post;
    QPointer<PostTile> self(this);
    menu.addAction(PostDockModel::monitorText(post.watched), this, [self, post] {
        if (self)
            emit self->monitorRequested(post.url, !post.watched);
    });
    menu.addAction(PostDockModel::removeText(), this, [self, post] {
        if (self)
            emit self->removeRequested(post);
    });
    menu.exec(event->globalPos());
}

void PostTile::enterEvent(QEnterEvent *)
{
    emit entered(m_post.url);
}

void PostTile::leaveEvent(QEvent *)
{
    emit left(m_post.url);
}
