#pragma once
// The application's theme: the named colours, the score-to-colour rule, the corner and motion
// values, and the reduce-motion switch. Views take every colour from here, unchanged or at a lower
// opacity, and otherwise only transparent, white and black.

#include <QColor>
#include <QFont>
#include <QEasingCurve>
#include <QPainterPath>
#include <QRectF>

class QPainter;

class Design {
public:
    Design() = delete;

    static QColor canvas();
    static QColor sidebar();
    static QColor panel();
    static QColor card();
    static QColor surface();
    static QColor elevated();
    static QColor focusFill();
    static QColor muted();
    static QColor secondary();
    static QColor text();
    static QColor brand();
    static QColor signedIn();
    static QColor onBrand();
    static QColor spamHit();
    static QColor border();
    static QColor strongBorder();
    static QColor focusBorder();
    static QColor shadow();
    static QColor accent() { return text(); }
    static QColor onAccent() { return canvas(); }
    static QColor accentSoft() { return elevated(); }
    static QColor tint() { return muted(); }
    static QColor success() { return secondary(); }
    static QColor danger() { return accent(); }
    static QColor warn() { return danger(); }

    // The colour of an AI percent: 90 and above, 70 and above, 50 and above, below 50.
    static QColor risk(int percent);

    // c at `opacity` times its own alpha.
    static QColor faded(const QColor &c, double opacity);

    // A rounded rectangle with smooth (curvature-continuous) corners.
    static QPainterPath rounded(const QRectF &rect, double radius);
    // The bubble of a comment: its own radius per corner (top-leading 4, the others 13).
    static QPainterPath bubble(const QRectF &rect);

    // The card look of a panel: card fill in a 12-point rounded rectangle, a 1-point border
    // inside its edge and a soft shadow below.
    static void workspaceSurface(QPainter &painter, const QRectF &rect);
    // A blurred shadow of a shape, drawn under it.
    static void dropShadow(QPainter &painter, const QPainterPath &shape, const QColor &color, double radius,
                           QPointF offset);
    // Strokes the shape's edge inside it with width `width`.
    static void innerStroke(QPainter &painter, const QRectF &rect, double radius, const QColor &color,
                            double width = 1);

    struct Motion {
        int durationMs;
        QEasingCurve curve;
        static Motion quick();    // ease-out, 0.12 s
        static Motion leave();    // ease-in, 0.16 s
        static Motion spring();   // response 0.28 s, damping 0.88
    };

    // The system's reduce-motion setting: springs and movements become quick fades, pressing does
    // not shrink, and time-driven effects are not drawn. VT_REDUCE_MOTION=1 or 0 decides when set;
    // otherwise the desktop's "enable animations" setting of GTK.
    static bool reduceMotion();
    static bool reduceMotion(const QByteArray &envValue, const QString &gtkSettings);
    // The motion to use for a change: the given one, or `quick` when motion is reduced.
    static Motion motion(const Motion &preferred);

    // Style sheet of a row of checkable QToolButton segments on a track: the checked one in the
    // accent with its text colour, the others in the secondary text colour, far apart in lightness.
    static QString segmentStyle(int radius, int padding);
    // A thin scroll bar without arrow buttons, for a scroll bar's own style sheet.
    static QString scrollBarStyle();

    // The window's font family list: the system UI font, then a CJK family so Korean renders.
    static QString fontFamily();
    // The system font at a size in logical pixels and a weight, with the CJK family behind it.
    static QFont font(double size, QFont::Weight weight = QFont::Normal);
};
