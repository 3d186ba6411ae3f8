#include "Panel/ProbabilityRange.h"

#include "Base/Lang.h"
#include "Theme/Design.h"
#include "Panel/ScoreBars.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kSliderHeight = 22;
constexpr double kThumb = 18;
}

QString ProbabilityRange::bandText(double lower, double upper)
{
    auto whole = [](double v) { return std::isfinite(v) ? QString::number(qint64(std::trunc(v))) : QStringLiteral("0"); };
    return whole(lower) + QChar(0x2013) + whole(upper) + u'%';
}

QString ProbabilityRange::title(bool korean)
{
    return korean ? QStringLiteral("스팸 확률") : QStringLiteral("Spam probability");
}

QString ProbabilityRange::accessibleName(bool korean)
{
    return korean ? QStringLiteral("삭제할 스팸 확률의 범위") : QStringLiteral("Spam probability range to delete");
}

ProbabilityRange::ProbabilityRange(QWidget *parent)
    : QWidget(parent), m_title(new QLabel(title(Lang::system()), this)), m_value(new QLabel(this)), m_bars(new ScoreBars(this))
{
    setAccessibleName(accessibleName(Lang::system()));
    m_title->setTextFormat(Qt::PlainText);
    m_value->setTextFormat(Qt::PlainText);
    m_title->setFont(Design::font(11, QFont::Medium));
    m_value->setFont(Design::font(15, QFont::DemiBold));
    QPalette pal = m_title->palette();
    pal.setColor(QPalette::WindowText, Design::muted());
    m_title->setPalette(pal);
    pal.setColor(QPalette::WindowText, Design::text());
    m_value->setPalette(pal);
    auto *head = new QHBoxLayout;
    head->setContentsMargins(0, 0, 0, 0);
    head->addWidget(m_title, 0, Qt::AlignBaseline);
    head->addStretch(1);
    head->addSpacing(8);
    head->addWidget(m_value, 0, Qt::AlignBaseline);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addLayout(head);
    auto *bars = new QHBoxLayout;
    bars->setContentsMargins(9, 0, 9, 0);
    bars->addWidget(m_bars);
    column->addLayout(bars);
    column->addSpacing(int(kSliderHeight));
    setValues(m_lower, m_upper, {});
}

void ProbabilityRange::setValues(double lower, double upper, const QList<double> &scores, double lo, double hi)
{
    m_lower = lower;
    m_upper = upper;
    m_scores = scores;
    m_lo = lo;
    m_hi = hi;
    m_value->setText(bandText(lower, upper));
    m_bars->setValues(scores, lower, upper, lo, hi);
    QWidget::update();
}

void ProbabilityRange::drag(double value, bool moveUpper, double &lower, double &upper)
{
    if (moveUpper)
        upper = std::max(value, lower);
    else
        lower = std::min(value, upper);
}

QRectF ProbabilityRange::track() const
{
    const double y = height() - kSliderHeight / 2;
    return QRectF(kThumb / 2, y - 2, width() - kThumb, 4);
}

double ProbabilityRange::valueAt(double x) const
{
    const QRectF t = track();
    const double f = t.width() > 0 ? std::clamp((x - t.left()) / t.width(), 0.0, 1.0) : 0;
    return std::round(m_lo + f * (m_hi - m_lo));
}

void ProbabilityRange::update(double value)
{
    double lower = m_lower, upper = m_upper;
    drag(value, m_moveUpper, lower, upper);
    if (lower == m_lower && upper == m_upper)
        return;
    setValues(lower, upper, m_scores, m_lo, m_hi);
    emit bandChanged(lower, upper);
}

void ProbabilityRange::mousePressEvent(QMouseEvent *event)
{
    if (!isEnabled() || event->position().y() < height() - kSliderHeight - 4)
        return;
    const double v = valueAt(event->position().x());
    // The nearer thumb follows; where both stand, the direction of the press decides.
    const double dl = std::abs(v - m_lower), du = std::abs(v - m_upper);
    m_moveUpper = du < dl || (du == dl && v > m_upper);
    update(v);
}

void ProbabilityRange::mouseMoveEvent(QMouseEvent *event)
{
    if (isEnabled() && (event->buttons() & Qt::LeftButton))
        update(valueAt(event->position().x()));
}

void ProbabilityRange::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        p.setOpacity(0.45);
    const QRectF t = track();
    p.fillPath(Design::rounded(t, 2), Design::elevated());
    auto x = [&](double v) { return t.left() + (m_hi > m_lo ? (v - m_lo) / (m_hi - m_lo) : 0) * t.width(); };
    const QRectF band(x(m_lower), t.top(), std::max(0.0, x(m_upper) - x(m_lower)), t.height());
    p.fillPath(Design::rounded(band, 2), Design::text());
    for (double v : {m_lower, m_upper}) {
        const QRectF thumb(x(v) - kThumb / 2, t.center().y() - kThumb / 2, kThumb, kThumb);
        p.setPen(QPen(Design::strongBorder(), 1));
        p.setBrush(Design::text());
        p.drawEllipse(thumb);
    }
}
