#pragma once
// The settings' push button in one of three kinds: primary (filled with the accent colour),
// plain (bordered on the surface) and danger (filled with the brand red). A disabled button keeps
// its kind's colours at 0.4 opacity.

#include <QColor>
#include <QPushButton>

#include <optional>

class SettingsButton : public QPushButton {
    Q_OBJECT
public:
    enum class Kind { primary, plain, danger };
    struct Look {
        QColor fill;
        QColor label;
        std::optional<QColor> border;   // plain buttons only
    };
    static Look look(Kind kind, bool enabled, bool hovered);

    SettingsButton(const QString &text, Kind kind, QWidget *parent = nullptr);
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};
