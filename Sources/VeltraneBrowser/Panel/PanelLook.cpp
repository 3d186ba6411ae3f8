#include "Panel/PanelLook.h"

#include <QtGlobal>

namespace {

QColor grey(int v)
{
    return QColor::fromRgb(v, v, v);
}

QColor whiteAt(double a)
{
    QColor c(Qt::white);
    c.setAlphaF(a);
    return c;
}

} // namespace

QColor PanelLook::panel() { return grey(16); }
QColor PanelLook::card() { return grey(24); }
QColor PanelLook::surface() { return grey(33); }
QColor PanelLook::elevated() { return grey(43); }
QColor PanelLook::muted() { return grey(148); }
QColor PanelLook::secondary() { return grey(190); }
QColor PanelLook::text() { return grey(243); }
QColor PanelLook::brand() { return QColor::fromRgb(196, 32, 60); }
QColor PanelLook::spamHit() { return faded(brand(), 0.9); }
QColor PanelLook::border() { return whiteAt(0.08); }
QColor PanelLook::strongBorder() { return whiteAt(0.18); }

QColor PanelLook::risk(int percent)
{
    if (percent >= 90)
        return brand();
    if (percent >= 70)
        return QColor::fromRgb(224, 118, 47);
    if (percent >= 50)
        return QColor::fromRgb(214, 172, 46);
    return QColor::fromRgb(140, 140, 140);
}

QColor PanelLook::faded(const QColor &c, double opacity)
{
    QColor out = c;
    out.setAlphaF(c.alphaF() * opacity);
    return out;
}

QPainterPath PanelLook::rounded(const QRectF &rect, double radius)
{
    QPainterPath path;
    const double r = qMin(radius, qMin(rect.width(), rect.height()) / 2);
    if (r <= 0) {
        path.addRect(rect);
        return path;
    }
    // Control points further along the edges than a circle's: the curvature grows smoothly.
    const double k = 0.64 * r;
    const double l = rect.left(), t = rect.top(), ri = rect.right(), b = rect.bottom();
    path.moveTo(l + r, t);
    path.lineTo(ri - r, t);
    path.cubicTo(ri - r + k, t, ri, t + r - k, ri, t + r);
    path.lineTo(ri, b - r);
    path.cubicTo(ri, b - r + k, ri - r + k, b, ri - r, b);
    path.lineTo(l + r, b);
    path.cubicTo(l + r - k, b, l, b - r + k, l, b - r);
    path.lineTo(l, t + r);
    path.cubicTo(l, t + r - k, l + r - k, t, l + r, t);
    path.closeSubpath();
    return path;
}

QPainterPath PanelLook::bubble(const QRectF &rect)
{
    const double tl = 4, o = qMin(13.0, qMin(rect.width(), rect.height()) / 2);
    QPainterPath path;
    const double l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    path.moveTo(l + tl, t);
    path.lineTo(r - o, t);
    path.quadTo(r, t, r, t + o);
    path.lineTo(r, b - o);
    path.quadTo(r, b, r - o, b);
    path.lineTo(l + o, b);
    path.quadTo(l, b, l, b - o);
    path.lineTo(l, t + tl);
    path.quadTo(l, t, l + tl, t);
    path.closeSubpath();
    return path;
}

QFont PanelLook::font(double size, QFont::Weight weight)
{
    QFont f;
    f.setFamilies({f.defaultFamily(), QStringLiteral("Noto Sans CJK KR")});
    // Measures are logical pixels, as everywhere in the panel.
    f.setPixelSize(qMax(1, qRound(size)));
    f.setWeight(weight);
    return f;
}

bool PanelLook::reduceMotion()
{
    static const bool reduced = qgetenv("VT_REDUCE_MOTION").trimmed() == "1";
    return reduced;
}

QString PanelLook::styleSheet()
{
    auto rgba = [](const QColor &c) {
        return QStringLiteral("rgba(%1,%2,%3,%4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alphaF(), 0, 'f', 3);
    };
    return QStringLiteral(
               "QPushButton { color: %1; background: transparent; border: 1px solid %2; border-radius: 8px;"
               " padding: 4px 12px; font-size: 12px; }"
               "QPushButton:hover { background: %3; }"
               "QPushButton:disabled { color: %4; border-color: %5; }"
               "QPushButton[look=\"header\"] { border-radius: 7px; min-height: 24px; max-height: 26px; }"
               "QPushButton[look=\"header\"][active=\"true\"] { background: %6; border-color: %7; }"
               "QPushButton[look=\"critical\"] { background: %8; color: white; border: none; min-height: 40px;"
               " font-size: 14px; font-weight: 600; border-radius: 10px; }"
               "QPushButton[look=\"critical\"]:disabled { background: %9; color: %4; }"
               "QPushButton[look=\"plain\"] { min-height: 40px; font-size: 14px; font-weight: 600; border-radius: 10px; }"
               "QScrollBar:vertical { background: transparent; width: 8px; margin: 2px; }"
               "QScrollBar::handle:vertical { background: %6; border-radius: 3px; min-height: 24px; }"
               "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
               "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }")
        .arg(rgba(text()), rgba(strongBorder()), rgba(surface()), rgba(muted()), rgba(border()), rgba(elevated()),
             rgba(strongBorder()), rgba(brand()), rgba(faded(brand(), 0.3)));
}
