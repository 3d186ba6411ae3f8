#include "Shell/Hairline.h"

#include "Shell/Design.h"

#include <QPainter>

Hairline::Hairline(QWidget *parent)
    : QWidget(parent)
{
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void Hairline::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), Design::border());
}
