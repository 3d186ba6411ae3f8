#include "Panel/ScoreBars.h"

#include "Theme/Design.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

ScoreBars::Buckets ScoreBars::buckets(const QList<double> &scores, double lower, double upper, double lo, double hi)
{
    Buckets b;
    const double w = (hi - lo) / bucketCount;
    if (!(w > 0) || !std::isfinite(w))
        return b;
    for (double s : scores) {
        if (std::isnan(s))
            continue;
        const double at = std::clamp((s - lo) / w, 0.0, double(bucketCount - 1));
        const int i = int(at);
        ++b.total[i];
        if (lower <= s && s <= upper)
            ++b.inBand[i];
    }
    b.peak = std::max(1, *std::max_element(b.total.begin(), b.total.end()));
    return b;
}

double ScoreBars::barHeight(int count, int peak, double available)
{
    if (count <= 0)
        return 0;
    // A peak below the count (never from buckets()) must not draw beyond the space.
    return std::max(std::min(available * count / std::max(1, peak), available), 3.0);
}

int ScoreBars::topPercent(int index, double lo, double hi)
{
    if (index >= bucketCount - 1)
        return int(hi);
    const double w = (hi - lo) / bucketCount;
    return int(lo + w * (index + 1) - 1);
}

ScoreBars::ScoreBars(QWidget *parent)
    : QWidget(parent)
{
    setFixedHeight(24);
}

void ScoreBars::setValues(const QList<double> &scores, double lower, double upper, double lo, double hi)
{
    m_scores = scores;
    m_lower = lower;
    m_upper = upper;
    m_lo = lo;
    m_hi = hi;
    update();
}

void ScoreBars::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const Buckets b = buckets(m_scores, m_lower, m_upper, m_lo, m_hi);
    const double spacing = 2;
    const double colW = (width() - spacing * (bucketCount - 1)) / bucketCount;
    const double h = height();
    auto bar = [&](double x, double height, const QColor &c) {
        if (height <= 0)
            return;
        const QRectF r(x, h - height, colW, height);
        QPainterPath path;
        const double rad = std::min(2.0, std::min(colW, height) / 2);
        path.moveTo(r.bottomLeft());
        path.lineTo(r.left(), r.top() + rad);
        path.quadTo(r.topLeft(), QPointF(r.left() + rad, r.top()));
        path.lineTo(r.right() - rad, r.top());
        path.quadTo(r.topRight(), QPointF(r.right(), r.top() + rad));
        path.lineTo(r.bottomRight());
        path.closeSubpath();
        p.fillPath(path, c);
    };
    for (int i = 0; i < bucketCount; ++i) {
        const double x = i * (colW + spacing);
        bar(x, barHeight(b.total[i], b.peak, h), Design::elevated());
        bar(x, barHeight(b.inBand[i], b.peak, h), Design::risk(topPercent(i, m_lo, m_hi)));
    }
}
