#include "Panel/ProbabilityRange.h"

#include "Theme/Design.h"
#include "Panel/ScoreBars.h"
#include "Theme/RangeSlider.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>


QString ProbabilityRange::bandText(double lower, double upper)
{
    auto whole = [](double v) {
        return std::isfinite(v) ? QString::number(qint64(std::trunc(v))) : QStringLiteral("0");
    };
    return whole(lower) + QChar(0x2013) + whole(upper) + u'%';
}

QString ProbabilityRange::title()
{
    return tr("Spam probability");
}

QString ProbabilityRange::accessibleName()
{
    return tr("Spam probability range to delete");
}

ProbabilityRange::ProbabilityRange(QWidget *parent)
    : QWidget(parent)
    , m_title(new QLabel(title(), this))
    , m_value(new QLabel(this))
    , m_bars(new ScoreBars(this))
    , m_slider(new RangeSlider(0, 100, this))
{
    setAccessibleName(accessibleName());
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
    column->addWidget(m_slider);
    m_slider->setAccessibleName(accessibleName());
    m_slider->setValues(m_lower, m_upper);
    // The owner's drags; the band set from the model passes with the slider's signal blocked.
    connect(m_slider, &RangeSlider::valuesChanged, this, [this](double lower, double upper) {
        setValues(lower, upper, m_scores);
        emit bandChanged(lower, upper);
    });
    setValues(m_lower, m_upper, {});
}

void ProbabilityRange::setValues(double lower, double upper, const QList<double> &scores)
{
    m_lower = lower;
    m_upper = upper;
    m_scores = scores;
    m_value->setText(bandText(lower, upper));
    m_bars->setValues(scores, lower, upper, 0, 100);
    const QSignalBlocker quiet(m_slider);
    m_slider->setValues(lower, upper);
    m_slider->update();
}
