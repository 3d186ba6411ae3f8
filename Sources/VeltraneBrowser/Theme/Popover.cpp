#include "Theme/Popover.h"

#include "Theme/Design.h"

#include <QPainter>

Popover::Popover(QWidget *parent, Qt::WindowFlags flags)
    : QFrame(parent, flags)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Design::panel());
    setPalette(pal);
    // The edge takes a pixel on every side; the content stays inside it.
    setContentsMargins(1, 1, 1, 1);
}

void Popover::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setPen(QPen(Design::strongBorder(), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}
