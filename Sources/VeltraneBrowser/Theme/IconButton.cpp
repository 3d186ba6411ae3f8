#include "Theme/IconButton.h"

#include "Theme/Design.h"
#include "Theme/HoverFade.h"
#include "Theme/Symbol.h"

#include <QPainter>

IconButton::Look IconButton::look(bool active, bool hovered, bool enabled)
{
    Look l;
    l.symbol = (active || hovered) ? Design::accent() : Design::secondary();
    if (active)
        l.fill = Design::accentSoft();
    else if (hovered)
        l.fill = Design::surface();
    l.opacity = enabled ? 1 : 0.3;
    return l;
}

IconButton::IconButton(const QString &icon, const QString &label, QWidget *parent)
    : QAbstractButton(parent)
    , m_icon(icon)
    , m_hover(new HoverFade(this))
{
    setFixedSize(32, 32);
    setCursor(Qt::PointingHandCursor);
    setLabel(label);
}

void IconButton::setIcon(const QString &icon)
{
    if (icon == m_icon)
        return;
    m_icon = icon;
    update();
}

void IconButton::setLabel(const QString &label)
{
    setToolTip(label);
    setAccessibleName(label);
}

void IconButton::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    update();
}

void IconButton::enterEvent(QEnterEvent *)
{
    m_hover->set(true);
}
void IconButton::leaveEvent(QEvent *)
{
    m_hover->set(false);
}

void IconButton::paintEvent(QPaintEvent *)
{
    const Look rest = look(m_active, false, isEnabled());
    const Look hover = look(m_active, true, isEnabled());
    const double t = m_hover->value();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(rest.opacity);
    const QRectF box(0, 0, 32, 32);
    QColor clear = Design::surface();
    clear.setAlpha(0);
    const QColor fill = HoverFade::mix(rest.fill.value_or(clear), hover.fill.value_or(clear), t);
    if (fill.alpha() > 0)
        p.fillPath(Design::rounded(box, 8), fill);
    Symbol::paint(p, m_icon, box, HoverFade::mix(rest.symbol, hover.symbol, t), 13);
}
