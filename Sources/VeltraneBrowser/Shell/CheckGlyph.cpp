#include "Shell/CheckGlyph.h"

#include "Shell/Design.h"
#include "Shell/Symbol.h"

#include <QPainter>

CheckGlyph::CheckGlyph(State state, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
{
    setFixedSize(18, 18);
}

QString CheckGlyph::symbol(State state)
{
    switch (state) {
    case State::on:
        return QStringLiteral("checkmark.square.fill");
    case State::mixed:
        return QStringLiteral("minus.square.fill");
    case State::off:
        break;
    }
    return QStringLiteral("square");
}

QColor CheckGlyph::color(State state)
{
    return state == State::off ? Design::muted() : Design::accent();
}

void CheckGlyph::paint(QPainter &painter, const QRectF &box, State state)
{
    Symbol::paint(painter, symbol(state), box, color(state), 15);
}

void CheckGlyph::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    update();
}

void CheckGlyph::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paint(p, QRectF(rect()), m_state);
}
