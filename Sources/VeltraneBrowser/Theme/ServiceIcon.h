#pragma once
// The grey glyph of a site: a play button for YouTube, a camera outline for Instagram, drawn
// from plain shapes at any size. geometry() gives its shapes for a size (tests, painting).

#include "Sites/LoginProvider.h"

#include <QRectF>
#include <QWidget>

class ServiceIcon : public QWidget {
    Q_OBJECT
public:
    struct Shape {
        QRectF rect;            // in the S x S square, origin at its top-left corner
        double radius = 0;      // corner radius (rounded rectangles)
        double lineWidth = 0;   // 0: filled
    };
    // youtube: the rounded body, then the triangle's box. instagram: the outline, the ring, the dot.
    static QList<Shape> geometry(LoginProvider provider, double size);
    static void paint(QPainter &painter, LoginProvider provider, const QRectF &box);

    ServiceIcon(LoginProvider provider, int size, QWidget *parent = nullptr);

    void setProvider(LoginProvider provider);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    LoginProvider m_provider;
};
