#pragma once
// The check box glyph: off, on or mixed.

#include <QWidget>

class CheckGlyph : public QWidget {
    Q_OBJECT
public:
    enum class State { off, on, mixed };

    explicit CheckGlyph(State state = State::off, QWidget *parent = nullptr);

    static QString symbol(State state);
    static QColor color(State state);
    static void paint(QPainter &painter, const QRectF &box, State state);

    void setState(State state);
    State state() const { return m_state; }
    QSize sizeHint() const override { return {18, 18}; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    State m_state;
};
