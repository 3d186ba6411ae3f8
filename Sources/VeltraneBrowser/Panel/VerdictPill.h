#pragma once
// The pill that draws a verdict: its label, the AI percent when there is one, in the tone's
// colour or, with a tint, in the tint. Painted by the comment rows; not a widget of its own.

#include "Panel/Verdict.h"

#include <QColor>
#include <QSizeF>

#include <optional>

class QPainter;
class QPointF;

class VerdictPill {
public:
    enum class Form { compact, large, regular };

    struct Measures {
        double spacing;
        double labelSize;
        double percentSize;
        double padding;
        double height;
        double radius;
    };

    VerdictPill() = delete;

    static Form form(const Verdict &verdict, bool compact);
    static Measures measures(Form form);
    static QColor toneColor(Verdict::Tone tone);
    static QString percentText(const Verdict &verdict);
    static QSizeF size(const Verdict &verdict, bool compact);
    static void paint(QPainter &painter, const QPointF &topLeft, const Verdict &verdict, bool compact,
                      const std::optional<QColor> &tint);
};
