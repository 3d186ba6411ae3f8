#include "Shell/HoverFade.h"

#include "Shell/Design.h"

#include <QWidget>

HoverFade::HoverFade(QWidget *widget)
    : QObject(widget)
    , m_widget(widget)
{
    const Design::Motion quick = Design::Motion::quick();
    m_animation.setDuration(quick.durationMs);
    m_animation.setEasingCurve(quick.curve);
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant &v) {
        m_value = v.toDouble();
        m_widget->update();
    });
}

void HoverFade::set(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    m_animation.stop();
    // Hidden widgets (and the gallery's single renders) take the end value at once.
    if (!m_widget->isVisible()) {
        m_value = on ? 1 : 0;
        m_widget->update();
        return;
    }
    m_animation.setStartValue(m_value);
    m_animation.setEndValue(on ? 1.0 : 0.0);
    m_animation.start();
}

QColor HoverFade::mix(const QColor &a, const QColor &b, double t)
{
    if (t <= 0)
        return a;
    if (t >= 1)
        return b;
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}
