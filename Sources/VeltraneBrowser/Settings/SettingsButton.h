#pragma once
// The settings' push button in one of three kinds: primary (filled with the highlight colour),
// plain (bordered on the surface) and danger (filled red).

#include <QPushButton>

class SettingsButton : public QPushButton {
    Q_OBJECT
public:
    enum class Kind { primary, plain, danger };

    SettingsButton(const QString &text, Kind kind, QWidget *parent = nullptr);
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};
