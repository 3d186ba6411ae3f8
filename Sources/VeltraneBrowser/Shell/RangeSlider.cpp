#include "Shell/RangeSlider.h"

#include "Shell/Design.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include <cmath>

RangeSlider::RangeSlider(double lo, double hi, QWidget *parent)
    : QWidget(parent)
    , m_lo(lo)
    , m_hi(hi)
    , m_lower(lo)
    , m_upper(hi)
{
    setFixedHeight(24);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleDescription(accessibleValue(m_lower, m_upper));
}

void RangeSlider::setValues(double lower, double upper)
{
    if (lower == m_lower && upper == m_upper)
        return;
    m_lower = lower;
    m_upper = upper;
    setAccessibleDescription(accessibleValue(m_lower, m_upper));
    update();
    emit valuesChanged(m_lower, m_upper);
}

double RangeSlider::trackLength(double width)
{
    return qMax(width - 18, 1.0);
}

double RangeSlider::position(double v, double lo, double hi, double width)
{
    const double span = qMax(hi - lo, 1.0);
    const double k = qMin(qMax(v, lo), hi);
    return trackLength(width) * (k - lo) / span;
}

double RangeSlider::valueAt(double px, double lo, double hi, double width)
{
    const double span = qMax(hi - lo, 1.0);
    const double v = std::round(lo + span * (px - 9) / trackLength(width));   // halves away from zero
    return qMin(qMax(v, lo), hi);
}

std::optional<bool> RangeSlider::choose(double v, double lower, double upper)
{
    const double dl = std::abs(v - lower);
    const double du = std::abs(v - upper);
    if (dl == du) {
        if (v == lower)
            return std::nullopt;
        return lower < v;
    }
    return du < dl;
}

void RangeSlider::step(double v, bool raising, double &lower, double &upper)
{
    if (raising)
        upper = qMax(v, lower);
    else
        lower = qMin(v, upper);
}

QString RangeSlider::accessibleValue(double lower, double upper)
{
    return QStringLiteral("%1%–%2%").arg(qint64(std::trunc(lower))).arg(qint64(std::trunc(upper)));
}

void RangeSlider::drag(double px)
{
    const double v = valueAt(px, m_lo, m_hi, width());
    if (!m_raising) {
        m_raising = choose(v, m_lower, m_upper);
        if (!m_raising)
            return;
    }
    double lower = m_lower, upper = m_upper;
    step(v, *m_raising, lower, upper);
    setValues(lower, upper);
}

void RangeSlider::mousePressEvent(QMouseEvent *event)
{
    if (isEnabled())
        drag(event->position().x());
}

void RangeSlider::mouseMoveEvent(QMouseEvent *event)
{
    if (isEnabled() && (event->buttons() & Qt::LeftButton))
        drag(event->position().x());
}

void RangeSlider::mouseReleaseEvent(QMouseEvent *)
{
    m_raising.reset();
}

void RangeSlider::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(isEnabled() ? 1 : 0.4);
    const double w = width();
    const double cy = height() / 2.0;
    p.setPen(Qt::NoPen);
    p.setBrush(Design::elevated());
    p.drawRoundedRect(QRectF(9, cy - 2, trackLength(w), 4), 2, 2);
    const double xl = position(m_lower, m_lo, m_hi, w);
    const double xu = position(m_upper, m_lo, m_hi, w);
    p.setBrush(Design::accent());
    p.drawRoundedRect(QRectF(xl + 9, cy - 2, qMax(xu - xl, 0.0), 4), 2, 2);
    QColor shade(Qt::black);
    shade.setAlphaF(0.35);
    for (double x : {xl, xu}) {
        p.setBrush(shade);
        p.drawEllipse(QRectF(x, cy - 9 + 1, 18, 18));
        p.setBrush(Design::accent());
        p.drawEllipse(QRectF(x, cy - 9, 18, 18));
    }
}
