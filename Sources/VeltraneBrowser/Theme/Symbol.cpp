#include "Theme/Symbol.h"

#include "Theme/Design.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <functional>

namespace {

// Every symbol is drawn in a 24 x 24 box; `line` is the stroke pen, `fill` the fill brush.
struct Pen {
    QPainter &p;
    QColor c;
    void line(double w = 2)
    {
        p.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
    }
    void fill()
    {
        p.setPen(Qt::NoPen);
        p.setBrush(c);
    }
};

using Draw = std::function<void(Pen &)>;

void shield(Pen &s, bool filled)
{
    QPainterPath path;
    path.moveTo(12, 2.5);
    path.lineTo(20, 5.5);
    path.cubicTo(20, 13, 17, 18.5, 12, 21.5);
    path.cubicTo(7, 18.5, 4, 13, 4, 5.5);
    path.closeSubpath();
    if (filled) {
        s.fill();
        s.p.drawPath(path);
        // The check is cut out of the shield.
        s.p.setCompositionMode(QPainter::CompositionMode_Clear);
        s.p.setPen(QPen(Qt::black, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        s.p.setBrush(Qt::NoBrush);
        s.p.drawPolyline(QPolygonF({{8.5, 12}, {11, 14.5}, {15.5, 9.5}}));
        s.p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    } else {
        s.line(1.8);
        s.p.drawPath(path);
    }
}

void square(Pen &s, int mark)
{
    const QRectF box(3.5, 3.5, 17, 17);
    if (mark == 0) {
        s.line(1.6);
        s.p.drawPath(Design::rounded(box, 4));
        return;
    }
    s.fill();
    s.p.drawPath(Design::rounded(box, 4));
    s.p.setCompositionMode(QPainter::CompositionMode_Clear);
    s.p.setPen(QPen(Qt::black, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (mark == 1)
        s.p.drawPolyline(QPolygonF({{8, 12}, {11, 15}, {16.5, 9}}));
    else
        s.p.drawLine(QPointF(8, 12), QPointF(16, 12));
    s.p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void person(Pen &s, bool badge)
{
    s.line(1.7);
    s.p.drawEllipse(QPointF(12, 12), 9, 9);
    s.fill();
    s.p.drawEllipse(QPointF(12, 9.8), 3.2, 3.2);
    QPainterPath body;
    body.moveTo(6.2, 18.2);
    body.cubicTo(7.5, 14.8, 16.5, 14.8, 17.8, 18.2);
    body.cubicTo(16, 20, 8, 20, 6.2, 18.2);
    s.p.drawPath(body);
    if (badge) {
        s.p.drawEllipse(QPointF(19, 18.5), 4.6, 4.6);
        s.p.setCompositionMode(QPainter::CompositionMode_Clear);
        s.p.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        s.p.setBrush(Qt::NoBrush);
        s.p.drawPolyline(QPolygonF({{17, 18.6}, {18.6, 20.1}, {21.2, 17}}));
        s.p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

const QHash<QString, Draw> &table()
{
    static const QHash<QString, Draw> symbols{
        {QStringLiteral("chevron.left"),
         [](Pen &s) {
        s.line(2.2);
        s.p.drawPolyline(QPolygonF({{15, 5}, {8, 12}, {15, 19}}));
         }},
        {QStringLiteral("chevron.right"),
         [](Pen &s) {
        s.line(2.2);
        s.p.drawPolyline(QPolygonF({{9, 5}, {16, 12}, {9, 19}}));
         }},
        {QStringLiteral("xmark"),
         [](Pen &s) {
        s.line(2.2);
        s.p.drawLine(QPointF(6, 6), QPointF(18, 18));
        s.p.drawLine(QPointF(18, 6), QPointF(6, 18));
         }},
        {QStringLiteral("arrow.clockwise"),
         [](Pen &s) {
        s.line(2);
        s.p.drawArc(QRectF(4.5, 4.5, 15, 15), 60 * 16, 300 * 16);
        s.fill();
        s.p.drawPolygon(QPolygonF({{13.5, 1.8}, {19.5, 5.6}, {13.5, 9.2}}));
         }},
        {QStringLiteral("speaker.wave.2"),
         [](Pen &s) {
        s.fill();
        s.p.drawPolygon(QPolygonF({{3, 9}, {7, 9}, {12, 4.5}, {12, 19.5}, {7, 15}, {3, 15}}));
        s.line(1.8);
        s.p.drawArc(QRectF(10, 8, 6, 8), -60 * 16, 120 * 16);
        s.p.drawArc(QRectF(10, 4.5, 11, 15), -60 * 16, 120 * 16);
         }},
        {QStringLiteral("speaker.slash.fill"),
         [](Pen &s) {
        s.fill();
        s.p.drawPolygon(QPolygonF({{3, 9}, {7, 9}, {12, 4.5}, {12, 19.5}, {7, 15}, {3, 15}}));
        s.line(2);
        s.p.drawLine(QPointF(15, 9), QPointF(21, 15));
        s.p.drawLine(QPointF(21, 9), QPointF(15, 15));
         }},
        {QStringLiteral("play"),
         [](Pen &s) {
        s.line(1.9);
        s.p.drawPolygon(QPolygonF({{7, 4.5}, {19, 12}, {7, 19.5}}));
         }},
        {QStringLiteral("play.slash.fill"),
         [](Pen &s) {
        s.fill();
        s.p.drawPolygon(QPolygonF({{7, 4.5}, {19, 12}, {7, 19.5}}));
        s.p.setCompositionMode(QPainter::CompositionMode_Clear);
        s.p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
        s.p.drawLine(QPointF(3, 3), QPointF(21, 21));
        s.p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        s.line(1.8);
        s.p.drawLine(QPointF(3, 3), QPointF(21, 21));
         }},
        {QStringLiteral("chart.bar.xaxis"),
         [](Pen &s) {
        s.line(1.8);
        s.p.drawLine(QPointF(3, 20.5), QPointF(21, 20.5));
        s.fill();
        s.p.drawRoundedRect(QRectF(5, 11, 3.4, 7.5), 1, 1);
        s.p.drawRoundedRect(QRectF(10.3, 5, 3.4, 13.5), 1, 1);
        s.p.drawRoundedRect(QRectF(15.6, 8.5, 3.4, 10), 1, 1);
         }},
        {QStringLiteral("slider.horizontal.3"),
         [](Pen &s) {
        s.line(1.8);
        for (double y : {6.0, 12.0, 18.0})
            s.p.drawLine(QPointF(3, y), QPointF(21, y));
        s.fill();
        s.p.drawEllipse(QPointF(15, 6), 2.6, 2.6);
        s.p.drawEllipse(QPointF(8, 12), 2.6, 2.6);
        s.p.drawEllipse(QPointF(13, 18), 2.6, 2.6);
         }},
        {QStringLiteral("terminal"),
         [](Pen &s) {
        s.line(1.7);
        s.p.drawPath(Design::rounded(QRectF(2.5, 4, 19, 16), 3.5));
        s.p.drawPolyline(QPolygonF({{6.5, 9}, {9.5, 12}, {6.5, 15}}));
        s.p.drawLine(QPointF(11.5, 15.5), QPointF(16.5, 15.5));
         }},
        {QStringLiteral("lock"),
         [](Pen &s) {
        s.line(1.9);
        s.p.drawPath(Design::rounded(QRectF(5, 10.5, 14, 10.5), 2.5));
        s.p.drawArc(QRectF(8, 3.5, 8, 10), 0, 180 * 16);
        s.p.drawLine(QPointF(8, 8.5), QPointF(8, 10.5));
        s.p.drawLine(QPointF(16, 8.5), QPointF(16, 10.5));
         }},
        {QStringLiteral("globe"),
         [](Pen &s) {
        s.line(1.6);
        s.p.drawEllipse(QPointF(12, 12), 9, 9);
        s.p.drawEllipse(QPointF(12, 12), 4, 9);
        s.p.drawLine(QPointF(3, 12), QPointF(21, 12));
         }},
        {QStringLiteral("exclamationmark.circle"),
         [](Pen &s) {
        s.line(1.8);
        s.p.drawEllipse(QPointF(12, 12), 9, 9);
        s.p.drawLine(QPointF(12, 7), QPointF(12, 13));
        s.fill();
        s.p.drawEllipse(QPointF(12, 16.6), 1.3, 1.3);
         }},
        {QStringLiteral("checkmark.seal"),
         [](Pen &s) {
        s.line(1.6);
        QPolygonF star;
        for (int i = 0; i < 24; ++i) {
            const double a = i * M_PI / 12, r = (i % 2) ? 8 : 9.5;
            star << QPointF(12 + r * qCos(a), 12 + r * qSin(a));
        }
        s.p.drawPolygon(star);
        s.p.drawPolyline(QPolygonF({{8.5, 12}, {11, 14.5}, {15.5, 9.5}}));
         }},
        {QStringLiteral("sparkles"),
         [](Pen &s) {
        s.fill();
        auto spark = [&](QPointF c, double r) {
            QPainterPath path;
            path.moveTo(c.x(), c.y() - r);
            path.quadTo(c.x(), c.y(), c.x() + r, c.y());
            path.quadTo(c.x(), c.y(), c.x(), c.y() + r);
            path.quadTo(c.x(), c.y(), c.x() - r, c.y());
            path.quadTo(c.x(), c.y(), c.x(), c.y() - r);
            s.p.drawPath(path);
        };
        spark({10, 13}, 8);
        spark({18.5, 5.5}, 3.8);
        spark({18.5, 18.5}, 2.8);
         }},
        {QStringLiteral("magnifyingglass"),
         [](Pen &s) {
        s.line(2);
        s.p.drawEllipse(QPointF(10.5, 10.5), 6, 6);
        s.p.drawLine(QPointF(15, 15), QPointF(20, 20));
         }},
        {QStringLiteral("plus"),
         [](Pen &s) {
        s.line(2.2);
        s.p.drawLine(QPointF(12, 5), QPointF(12, 19));
        s.p.drawLine(QPointF(5, 12), QPointF(19, 12));
         }},
        {QStringLiteral("stop.fill"),
         [](Pen &s) {
        s.fill();
        s.p.drawPath(Design::rounded(QRectF(5, 5, 14, 14), 3));
         }},
        {QStringLiteral("person.crop.circle"), [](Pen &s) { person(s, false); }},
        {QStringLiteral("person.crop.circle.fill.badge.checkmark"), [](Pen &s) { person(s, true); }},
        {QStringLiteral("checkmark.shield.fill"), [](Pen &s) { shield(s, true); }},
        {QStringLiteral("square"), [](Pen &s) { square(s, 0); }},
        {QStringLiteral("checkmark.square.fill"), [](Pen &s) { square(s, 1); }},
        {QStringLiteral("minus.square.fill"), [](Pen &s) { square(s, 2); }},
        {QStringLiteral("laptopcomputer"),
         [](Pen &s) {
        s.line(1.7);
        s.p.drawPath(Design::rounded(QRectF(5, 5.5, 14, 9.5), 1.8));
        s.p.drawLine(QPointF(2.5, 18.5), QPointF(21.5, 18.5));
         }},
        {QStringLiteral("doc.on.doc"),
         [](Pen &s) {
        s.line(1.6);
        s.p.drawPath(Design::rounded(QRectF(8, 7, 11, 14), 2.5));
        s.p.drawPolyline(QPolygonF({{5, 16}, {5, 5.5}, {6.5, 3.5}, {14, 3.5}}));
         }},
        };
    return symbols;
}

}   // namespace

bool Symbol::known(const QString &name)
{
    return table().contains(name);
}

void Symbol::paint(QPainter &painter, const QString &name, const QRectF &box, const QColor &color, double size)
{
    const auto it = table().constFind(name);
    if (it == table().constEnd())
        return;
    // The glyph box is a little taller than the point size, as a symbol font's glyphs are.
    const double side = size * 1.2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Clear compositing cuts a mark out of a filled symbol; it must not cut into what lies below,
    // so such symbols are drawn on a layer of their own.
    QImage layer(QSize(qCeil(side * 2), qCeil(side * 2)), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.scale(layer.width() / 24.0, layer.height() / 24.0);
        Pen pen{lp, color};
        (*it)(pen);
    }
    const QRectF target(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, layer);
    painter.restore();
}
