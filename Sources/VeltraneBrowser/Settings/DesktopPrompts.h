#pragma once
// The settings' questions as the desktop's own file dialog and a modal message box.

#include "Settings/SettingsPrompts.h"

class DesktopPrompts : public SettingsPrompts {
public:
    static DesktopPrompts &shared();

    std::optional<QString> saveCsv(QWidget *parent, const QString &title, const QString &suggestedName) override;
    bool confirm(QWidget *parent, const QString &title, const QString &text, const QString &cancel,
                 const QString &proceed) override;
};
