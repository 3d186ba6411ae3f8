#include "Theme/ServiceIcon.h"

#include "Theme/Design.h"

#include <QPainter>

QList<ServiceIcon::Shape> ServiceIcon::geometry(LoginProvider provider, double s)
{
    const QPointF c(s / 2, s / 2);
    auto centred = [&](double w, double h, QPointF shift = {}) {
        return QRectF(c.x() - w / 2 + shift.x(), c.y() - h / 2 + shift.y(), w, h);
    };
    if (provider == LoginProvider::youtube)
        return {{centred(s, 0.7 * s), 0.22 * s, 0}, {centred(0.3 * s, 0.34 * s, QPointF(0.03 * s, 0)), 0, 0}};
    const double inset = 0.06 * s;
    return {{QRectF(inset, inset, s - 2 * inset, s - 2 * inset), 0.27 * s, 0.085 * s},
            {centred(0.4 * s, 0.4 * s), 0.2 * s, 0.08 * s},
            {centred(0.09 * s, 0.09 * s, QPointF(0.2 * s, -0.2 * s)), 0.045 * s, 0}};
}

void ServiceIcon::paint(QPainter &painter, LoginProvider provider, const QRectF &box)
{
    const QList<Shape> shapes = geometry(provider, box.width());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.topLeft());
    if (provider == LoginProvider::youtube) {
        painter.fillPath(Design::rounded(shapes[0].rect, shapes[0].radius), Design::secondary());
        const QRectF t = shapes[1].rect;
        QPainterPath triangle;
        triangle.moveTo(t.topLeft());
        triangle.lineTo(t.right(), t.center().y());
        triangle.lineTo(t.bottomLeft());
        triangle.closeSubpath();
        painter.fillPath(triangle, Design::sidebar());
    } else {
        Design::innerStroke(painter, shapes[0].rect, shapes[0].radius, Design::secondary(), shapes[0].lineWidth);
        const double h = shapes[1].lineWidth / 2;
        painter.setPen(QPen(Design::secondary(), shapes[1].lineWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(shapes[1].rect.adjusted(h, h, -h, -h));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Design::secondary());
        painter.drawEllipse(shapes[2].rect);
    }
    painter.restore();
}

ServiceIcon::ServiceIcon(LoginProvider provider, int size, QWidget *parent)
    : QWidget(parent)
    , m_provider(provider)
{
    setFixedSize(size, size);
    setAccessibleName(provider.displayName());
}

void ServiceIcon::setProvider(LoginProvider provider)
{
    m_provider = provider;
    setAccessibleName(provider.displayName());
    update();
}

void ServiceIcon::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paint(p, m_provider, QRectF(rect()));
}
