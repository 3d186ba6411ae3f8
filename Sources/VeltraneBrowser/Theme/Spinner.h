#pragma once
// A small turning arc for work in progress; still when the owner asked for reduced motion.

#include <QColor>
#include <QTimer>
#include <QWidget>

class Spinner : public QWidget {
    Q_OBJECT
public:
    // `side` the widget's square size, `arc` the circle's diameter inside it.
    // `color` is read at each paint, so the arc follows the palette.
    Spinner(int side, qreal arc, qreal penWidth, QColor (*color)(), QWidget *parent = nullptr);

    // Turns while on; `hideWhenStill` also hides it while off.
    void setRunning(bool on);
    void setHideWhenStill(bool hide) { m_hideWhenStill = hide; }
    bool running() const { return m_timer.isActive(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer m_timer;
    int m_angle = 0;
    qreal m_arc;
    qreal m_penWidth;
    QColor (*m_color)();
    bool m_hideWhenStill = true;
};
