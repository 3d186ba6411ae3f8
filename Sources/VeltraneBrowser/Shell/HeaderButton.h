#pragma once
// The small header button (26 points high) of the post list and the panel; highlighted when
// active, or hovered while enabled.

#include <QAbstractButton>

class HoverFade;

class HeaderButton : public QAbstractButton {
    Q_OBJECT
public:
    struct Look {
        QColor label;
        QColor fill;
        QColor border;
        double opacity = 1;
        double scale = 1;
    };
    static Look look(bool active, bool enabled, bool hovered, bool pressed, bool reduceMotion);

    explicit HeaderButton(const QString &text, QWidget *parent = nullptr);

    void setActive(bool active);
    bool active() const { return m_active; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;
    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;

private:
    bool m_active = false;
    HoverFade *m_hover;
    HoverFade *m_activeFade;
};
