#pragma once
// The colours, shapes and fonts the panel paints with. The window's theme lives above the panel
// in the folder order, so the panel keeps the same values here; the names follow the theme's, so
// that the panel can take the theme itself once it sits below the panel.

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRectF>

class PanelLook {
public:
    PanelLook() = delete;

    static QColor panel();
    static QColor card();
    static QColor surface();
    static QColor elevated();
    static QColor muted();
    static QColor secondary();
    static QColor text();
    static QColor brand();
    static QColor spamHit();
    static QColor border();
    static QColor strongBorder();
    static QColor accent() { return text(); }
    static QColor accentSoft() { return elevated(); }
    static QColor success() { return secondary(); }
    static QColor danger() { return accent(); }
    static QColor warn() { return danger(); }

    // The colour of an AI percent: 90 and above, 70 and above, 50 and above, below 50.
    static QColor risk(int percent);
    static QColor faded(const QColor &c, double opacity);

    static QPainterPath rounded(const QRectF &rect, double radius);
    // A comment's bubble: top-leading corner 4, the others 13.
    static QPainterPath bubble(const QRectF &rect);

    // The system font at a point size and weight, with a CJK family behind it for Korean.
    static QFont font(double size, QFont::Weight weight = QFont::Normal);

    // The style of the panel's buttons, by their "look" property: "header", "critical", "plain".
    static QString styleSheet();

    // Reduced motion: VT_REDUCE_MOTION=1 asks for it.
    static bool reduceMotion();
};
