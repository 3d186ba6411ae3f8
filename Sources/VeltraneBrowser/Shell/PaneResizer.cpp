#include "Shell/PaneResizer.h"

#include "Base/AppSettings.h"

#include <QMouseEvent>

double PaneResizer::dragged(double start, double translation, bool growsLeft, Range range)
{
    const double offset = growsLeft ? -translation : translation;
    return qMin(qMax(start + offset, range.lower), range.upper);
}

PaneResizer::PaneResizer(AppSettings *settings, const QString &key, bool growsLeft, QWidget *parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_key(key)
    , m_growsLeft(growsLeft)
{
    setFixedWidth(12);
    setCursor(Qt::SizeHorCursor);
    setAttribute(Qt::WA_NoSystemBackground);
}

void PaneResizer::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressX = event->globalPosition().x();
}

void PaneResizer::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton) || !shown || !range)
        return;
    const double translation = event->globalPosition().x() - m_pressX;
    if (!m_start) {
        if (qAbs(translation) < 1)   // a drag begins after one point of travel
            return;
        m_start = shown();
    }
    const double width = dragged(*m_start, translation, m_growsLeft, range());
    m_settings->setValue(m_key, width);
    emit widthChanged(width);
}

void PaneResizer::mouseReleaseEvent(QMouseEvent *)
{
    m_start.reset();
}
