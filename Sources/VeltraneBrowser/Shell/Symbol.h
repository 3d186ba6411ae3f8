#pragma once
// The small line symbols of the window (chevrons, reload, speaker, lock, shield, ...), drawn from
// plain shapes so that they look the same on every desktop. Names are those the views use
// ("chevron.left", "arrow.clockwise", ...); an unknown name draws nothing.

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

class Symbol {
public:
    Symbol() = delete;

    // Draws the symbol centred in box, sized to the point size `size` (the height of its glyph box).
    static void paint(QPainter &painter, const QString &name, const QRectF &box, const QColor &color, double size);
    static bool known(const QString &name);
};
