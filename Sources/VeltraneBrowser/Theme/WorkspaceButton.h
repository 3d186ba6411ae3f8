#pragma once
// The application's text button: filled (prominent, critical) or plain (strong or quiet), in two
// sizes. look() decides every colour and measure from the flags and the button's state.

#include <QAbstractButton>

#include <optional>

class HoverFade;

class WorkspaceButton : public QAbstractButton {
    Q_OBJECT
public:
    struct Flags {
        bool prominent = false;
        bool critical = false;
        bool strong = false;
        bool large = false;
    };
    struct Look {
        QColor label;
        QColor fill;
        std::optional<QColor> border;   // none for filled buttons
        std::optional<QColor> shadow;   // filled and enabled buttons only
        double brightness = 0;          // added to the fill when enabled and hovered
        double opacity = 1;
        double scale = 1;
        int fontSize = 13;
        double radius = 8;
        int padding = 16;
        int minHeight = 40;
    };
    static Look look(Flags flags, bool enabled, bool hovered, bool pressed, bool reduceMotion);

    explicit WorkspaceButton(const QString &text, Flags flags, QWidget *parent = nullptr);

    Flags flags() const { return m_flags; }
    // A symbol (Symbol's names) before the text; empty for none.
    void setSymbol(const QString &name);
    QString symbol() const { return m_symbol; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *) override;
    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;

private:
    Flags m_flags;
    HoverFade *m_hover;
    QString m_symbol;
};
