#pragma once
// A 32 x 32 symbol button: its label is the tooltip and the accessible name; `active` marks a
// toggle that is on. No pressed look.

#include <QAbstractButton>

#include <optional>

class HoverFade;

class IconButton : public QAbstractButton {
    Q_OBJECT
public:
    struct Look {
        QColor symbol;
        std::optional<QColor> fill;
        double opacity = 1;
    };
    static Look look(bool active, bool hovered, bool enabled);

    IconButton(const QString &icon, const QString &label, QWidget *parent = nullptr);

    void setIcon(const QString &icon);
    QString iconName() const { return m_icon; }
    void setLabel(const QString &label);
    QString label() const { return toolTip(); }
    void setActive(bool active);
    bool active() const { return m_active; }

    QSize sizeHint() const override { return {32, 32}; }

protected:
    void paintEvent(QPaintEvent *) override;
    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;

private:
    QString m_icon;
    bool m_active = false;
    HoverFade *m_hover;
};
