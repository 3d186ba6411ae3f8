#include "Shell/BrandMark.h"

#include "Shell/Design.h"
#include "Shell/Symbol.h"

#include <QPainter>

BrandMark::BrandMark(int size, QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(size, size);
    setAccessibleName(QString());   // decoration only
}

void BrandMark::paint(QPainter &painter, const QRectF &box)
{
    const double s = box.width();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(Design::rounded(box, 0.29 * s), Design::accent());
    Symbol::paint(painter, QStringLiteral("checkmark.shield.fill"), box, Design::onAccent(), 0.52 * s);
    painter.restore();
}

void BrandMark::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paint(p, QRectF(rect()));
}
