#include "Theme/Spinner.h"

#include "Theme/Design.h"

#include <QPainter>

Spinner::Spinner(int side, qreal arc, qreal penWidth, QColor (*color)(), QWidget *parent)
    : QWidget(parent)
    , m_arc(arc)
    , m_penWidth(penWidth)
    , m_color(color)
{
    setFixedSize(side, side);
    m_timer.setInterval(50);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_angle = (m_angle + 30) % 360;
        update();
    });
}

void Spinner::setRunning(bool on)
{
    if (m_hideWhenStill)
        setVisible(on);
    if (on && !Design::reduceMotion())
        m_timer.start();
    else
        m_timer.stop();
}

void Spinner::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(m_color(), m_penWidth, Qt::SolidLine, Qt::RoundCap));
    const qreal inset = (width() - m_arc) / 2;
    p.drawArc(QRectF(inset, inset, m_arc, m_arc), -m_angle * 16, 270 * 16);
}
