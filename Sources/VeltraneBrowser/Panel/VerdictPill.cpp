#include "Panel/VerdictPill.h"

#include "Theme/Design.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

VerdictPill::Form VerdictPill::form(const Verdict &verdict, bool compact)
{
    if (compact)
        return Form::compact;
    return verdict.percent ? Form::large : Form::regular;
}

VerdictPill::Measures VerdictPill::measures(Form form)
{
    switch (form) {
    case Form::compact:
        return {3, 9, 10, 6, 17, 5};
    case Form::large:
        return {8, 11, 17, 11, 32, 8};
    case Form::regular:
        break;
    }
    return {6, 10, 10, 9, 24, 5};
}

QColor VerdictPill::toneColor(Verdict::Tone tone)
{
    switch (tone) {
    case Verdict::Tone::danger:
        return Design::danger();
    case Verdict::Tone::warn:
        return Design::warn();
    case Verdict::Tone::ok:
        return Design::success();
    case Verdict::Tone::neutral:
        break;
    }
    return Design::secondary();
}

QString VerdictPill::percentText(const Verdict &verdict)
{
    return verdict.percent ? QString::number(*verdict.percent) + u'%' : QString();
}

QSizeF VerdictPill::size(const Verdict &verdict, bool compact)
{
    const Measures m = measures(form(verdict, compact));
    double w = QFontMetricsF(Design::font(m.labelSize, QFont::DemiBold)).horizontalAdvance(verdict.label);
    if (verdict.percent)
        w += m.spacing
            + QFontMetricsF(Design::font(m.percentSize, QFont::Bold)).horizontalAdvance(percentText(verdict));
    return {std::ceil(w + 2 * m.padding), m.height};
}

void VerdictPill::paint(QPainter &p, const QPointF &topLeft, const Verdict &verdict, bool compact,
                        const std::optional<QColor> &tint)
{
    const Form f = form(verdict, compact);
    const Measures m = measures(f);
    const QRectF box(topLeft, size(verdict, compact));
    const QColor tone = toneColor(verdict.tone);
    QColor fill, fore = tint ? Design::text() : tone;
    std::optional<QColor> border;
    if (tint) {
        fill = Design::faded(*tint, 0.34);
        border = Design::faded(*tint, 0.85);
    } else if (f == Form::large) {
        fill = Design::faded(tone, 0.16);
        border = Design::faded(tone, 0.4);
    } else {
        const bool strong = verdict.tone == Verdict::Tone::danger || verdict.tone == Verdict::Tone::warn;
        fill = Design::faded(tone, strong ? 0.09 : 0.06);
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(Design::rounded(box, m.radius), fill);
    if (border) {
        p.setPen(QPen(*border, 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(Design::rounded(box.adjusted(0.5, 0.5, -0.5, -0.5), m.radius - 0.5));
    }
    p.setPen(fore);
    const QFont labelFont = Design::font(m.labelSize, QFont::DemiBold);
    p.setFont(labelFont);
    QRectF text = box.adjusted(m.padding, 0, -m.padding, 0);
    p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, verdict.label);
    if (verdict.percent) {
        const double lw = QFontMetricsF(labelFont).horizontalAdvance(verdict.label);
        p.setFont(Design::font(m.percentSize, QFont::Bold));
        p.drawText(text.adjusted(lw + m.spacing, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                   percentText(verdict));
    }
    p.restore();
}
