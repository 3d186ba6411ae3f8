#pragma once
// A 0-to-1 value that follows a Boolean (hovered, pressed, active) over Design's quick motion and
// repaints its widget on every step. Controls mix their two looks by it.

#include <QObject>
#include <QVariantAnimation>

class QWidget;

class HoverFade : public QObject {
    Q_OBJECT
public:
    explicit HoverFade(QWidget *widget);

    void set(bool on);
    bool on() const { return m_on; }
    double value() const { return m_value; }

    // a when the value is 0, b when it is 1.
    static QColor mix(const QColor &a, const QColor &b, double t);

private:
    QWidget *m_widget;
    QVariantAnimation m_animation;
    bool m_on = false;
    double m_value = 0;
};
