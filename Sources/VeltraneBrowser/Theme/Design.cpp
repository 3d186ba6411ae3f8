#include "Theme/Design.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSettings>
#include <QtMath>

#include <algorithm>

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

}   // namespace

QColor Design::canvas()
{
    return grey(10);
}
QColor Design::sidebar()
{
    return grey(14);
}
QColor Design::panel()
{
    return grey(16);
}
QColor Design::card()
{
    return grey(24);
}
QColor Design::surface()
{
    return grey(33);
}
QColor Design::elevated()
{
    return grey(43);
}
QColor Design::focusFill()
{
    return grey(63);
}
QColor Design::muted()
{
    return grey(148);
}
QColor Design::secondary()
{
    return grey(190);
}
QColor Design::text()
{
    return grey(243);
}
QColor Design::brand()
{
    return QColor::fromRgb(196, 32, 60);
}
QColor Design::signedIn()
{
    return QColor::fromRgb(0, 208, 255);
}
QColor Design::onBrand()
{
    return QColor(Qt::white);
}
QColor Design::spamHit()
{
    return faded(brand(), 0.9);
}
QColor Design::border()
{
    return whiteAt(0.08);
}
QColor Design::strongBorder()
{
    return whiteAt(0.18);
}
QColor Design::focusBorder()
{
    return whiteAt(0.42);
}

QColor Design::shadow()
{
    QColor c(Qt::black);
    c.setAlphaF(0.18);
    return c;
}

QColor Design::risk(int percent)
{
    if (percent >= 90)
        return brand();
    if (percent >= 70)
        return QColor::fromRgb(224, 118, 47);
    if (percent >= 50)
        return QColor::fromRgb(214, 172, 46);
    return QColor::fromRgb(140, 140, 140);
}

QColor Design::faded(const QColor &c, double opacity)
{
    QColor out = c;
    out.setAlphaF(c.alphaF() * opacity);
    return out;
}

QPainterPath Design::rounded(const QRectF &rect, double radius)
{
    // A squircle-like corner: cubic curves whose control points reach further along the edges
    // than a circular arc, so the curvature grows smoothly from the straight edge.
    QPainterPath path;
    const double r = qMin(radius, qMin(rect.width(), rect.height()) / 2);
    if (r <= 0) {
        path.addRect(rect);
        return path;
    }
    const double k = 0.64 * r;   // control distance from the corner
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

QPainterPath Design::bubble(const QRectF &rect)
{
    // Small shapes keep their corners inside the rectangle.
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

namespace {

struct ShadowLayers {
    QPainterPath shape;
    QColor color;
    double radius = 0;
    QPointF offset;
    QList<std::pair<QColor, QPainterPath>> layers;   // widest first
};

}   // namespace

void Design::dropShadow(QPainter &painter, const QPainterPath &shape, const QColor &color, double radius,
                        QPointF offset)
{
    if (color.alpha() == 0 || radius <= 0)
        return;
    // A few widening, fading copies of the shape approximate a blur without an offscreen pass.
    // Making them costs path operations far dearer than filling them, and the same shapes are
    // painted again and again (a card behind its repainted contents): the last few are kept.
    static QList<ShadowLayers> kept;   // painting happens on the GUI thread only
    static constexpr qsizetype keptShapes = 8;
    auto it = std::find_if(kept.begin(), kept.end(), [&](const ShadowLayers &k) {
        return k.radius == radius && k.offset == offset && k.color == color && k.shape == shape;
    });
    if (it == kept.end()) {
        ShadowLayers made{shape, color, radius, offset, {}};
        const int steps = qMax(2, int(radius / 2));
        for (int i = steps; i >= 1; --i) {
            const double grow = radius * i / steps;
            QColor c = color;
            c.setAlphaF(color.alphaF() / steps * 0.9);
            made.layers.append(
                {c,
                 QTransform::fromTranslate(offset.x(), offset.y())
                     .map(QPainterPathStroker(QPen(Qt::black, grow)).createStroke(shape).united(shape))});
        }
        if (kept.size() >= keptShapes)
            kept.removeLast();
        kept.prepend(std::move(made));
    } else if (it != kept.begin()) {
        kept.move(std::distance(kept.begin(), it), 0);
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    for (const auto &[c, path] : kept.first().layers) {
        painter.setBrush(c);
        painter.drawPath(path);
    }
    painter.restore();
}

void Design::innerStroke(QPainter &painter, const QRectF &rect, double radius, const QColor &color, double width)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(color, width));
    const double h = width / 2;
    painter.drawPath(rounded(rect.adjusted(h, h, -h, -h), qMax(0.0, radius - h)));
    painter.restore();
}

void Design::workspaceSurface(QPainter &painter, const QRectF &rect)
{
    const QPainterPath shape = rounded(rect, 12);
    dropShadow(painter, shape, shadow(), 8, QPointF(0, 3));
    painter.fillPath(shape, card());
    innerStroke(painter, rect, 12, border());
}

Design::Motion Design::Motion::quick()
{
    return {120, QEasingCurve(QEasingCurve::OutCubic)};
}
Design::Motion Design::Motion::leave()
{
    return {160, QEasingCurve(QEasingCurve::InCubic)};
}

Design::Motion Design::Motion::spring()
{
    // Response 0.28 s, damping fraction 0.88: settles in about one response, barely overshooting.
    QEasingCurve curve(QEasingCurve::OutBack);
    curve.setOvershoot(0.3);
    return {280, curve};
}

bool Design::reduceMotion(const QByteArray &envValue, const QString &gtkSettings)
{
    if (!envValue.isNull())
        return envValue.trimmed() == "1";
    if (gtkSettings.isEmpty())
        return false;
    QSettings ini(gtkSettings, QSettings::IniFormat);
    const QVariant on = ini.value(QStringLiteral("Settings/gtk-enable-animations"));
    if (!on.isValid())
        return false;
    const QString v = on.toString().trimmed().toLower();
    return v == QLatin1String("0") || v == QLatin1String("false");
}

bool Design::reduceMotion()
{
    static const bool reduced = [] {
        QByteArray env;
        if (qEnvironmentVariableIsSet("VT_REDUCE_MOTION"))
            env = qgetenv("VT_REDUCE_MOTION");
        QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        if (config.isEmpty())
            config = QDir::homePath() + QStringLiteral("/.config");
        const QString gtk = config + QStringLiteral("/gtk-3.0/settings.ini");
        return reduceMotion(env, QFile::exists(gtk) ? gtk : QString());
    }();
    return reduced;
}

Design::Motion Design::motion(const Motion &preferred)
{
    return reduceMotion() ? Motion::quick() : preferred;
}

QString Design::scrollBarStyle()
{
    return QStringLiteral(
               "QScrollBar:vertical { background: transparent; width: 8px; margin: 2px; }"
               "QScrollBar:horizontal { background: transparent; height: 8px; margin: 2px; }"
               "QScrollBar::handle { background: %1; border-radius: 3px; min-height: 24px; min-width: 24px; }"
               "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; background: none; }"
               "QScrollBar::add-page, QScrollBar::sub-page { background: none; }")
        .arg(elevated().name(QColor::HexArgb));
}

QString Design::segmentStyle(int radius, int padding)
{
    const auto rgba = [](const QColor &c) {
        return QStringLiteral("rgba(%1, %2, %3, %4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alpha());
    };
    return QStringLiteral(
               "QToolButton { background: transparent; color: %1; border: none; border-radius: %7px; padding: 0 %8px; }"
               "QToolButton:hover:!checked { background: %2; color: %3; }"
               "QToolButton:checked { background: %4; color: %5; font-weight: 600; }"
               "QToolButton:disabled { color: %6; }")
        .arg(rgba(secondary()), rgba(elevated()), rgba(text()), rgba(accent()), rgba(onAccent()), rgba(muted()))
        .arg(radius)
        .arg(padding);
}

QString Design::fontFamily()
{
    return QStringLiteral("Noto Sans CJK KR");
}

QFont Design::font(double size, QFont::Weight weight)
{
    QFont f;
    f.setFamilies({f.defaultFamily(), fontFamily()});
    f.setPixelSize(qMax(1, qRound(size)));
    f.setWeight(weight);
    return f;
}
