#include "Theme/HeaderButton.h"

#include "Theme/Design.h"
#include "Theme/HoverFade.h"

#include <QPainter>

HeaderButton::Look HeaderButton::look(bool active, bool enabled, bool hovered, bool pressed, bool reduceMotion)
{
    const bool lit = active || (hovered && enabled);
    Look l;
    l.label = lit ? Design::text() : Design::secondary();
    l.fill = lit ? Design::elevated() : Design::surface();
    l.border = lit ? Design::strongBorder() : Design::border();
    l.opacity = !enabled ? 0.35 : pressed ? 0.7 : 1;
    l.scale = (pressed && enabled && !reduceMotion) ? 0.97 : 1;
    return l;
}

HeaderButton::HeaderButton(const QString &text, QWidget *parent)
    : QAbstractButton(parent)
    , m_hover(new HoverFade(this))
    , m_activeFade(new HoverFade(this))
{
    setText(text);
    setCursor(Qt::PointingHandCursor);
    setFixedHeight(26);
    connect(this, &QAbstractButton::pressed, this, qOverload<>(&QWidget::update));
    connect(this, &QAbstractButton::released, this, qOverload<>(&QWidget::update));
}

void HeaderButton::setActive(bool active)
{
    m_active = active;
    m_activeFade->set(active);
}

QSize HeaderButton::sizeHint() const
{
    QFont f = font();
    f.setPixelSize(11);
    f.setWeight(QFont::DemiBold);
    return QSize(QFontMetrics(f).horizontalAdvance(text()) + 20, 26);
}

void HeaderButton::enterEvent(QEnterEvent *)
{
    m_hover->set(true);
}
void HeaderButton::leaveEvent(QEvent *)
{
    m_hover->set(false);
}

void HeaderButton::paintEvent(QPaintEvent *)
{
    const bool enabled = isEnabled();
    const Look dim = look(false, enabled, false, isDown(), Design::reduceMotion());
    const Look lit = look(true, enabled, false, isDown(), Design::reduceMotion());
    const double t = qMax(m_activeFade->value(), enabled ? m_hover->value() : 0.0);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(dim.opacity);
    const QRectF box = QRectF(rect());
    p.translate(box.center());
    p.scale(dim.scale, dim.scale);
    p.translate(-box.center());
    p.fillPath(Design::rounded(box, 7), HoverFade::mix(dim.fill, lit.fill, t));
    Design::innerStroke(p, box, 7, HoverFade::mix(dim.border, lit.border, t));
    QFont f = font();
    f.setPixelSize(11);
    f.setWeight(QFont::DemiBold);
    p.setFont(f);
    p.setPen(HoverFade::mix(dim.label, lit.label, t));
    p.drawText(box, Qt::AlignCenter, text());
}
