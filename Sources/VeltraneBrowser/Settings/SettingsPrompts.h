#pragma once
// The questions the settings ask the owner through the desktop: where to save a file and
// whether to go on with something that cannot be undone. Tests hand in their own answers.

#include <QString>

#include <optional>

class QWidget;

class SettingsPrompts {
public:
    virtual ~SettingsPrompts() = default;

    // The chosen path of a CSV file, none when the owner cancels.
    virtual std::optional<QString> saveCsv(QWidget *parent, const QString &title, const QString &suggestedName) = 0;
    // True only when the owner picks the destructive answer; the cancel answer is the default.
    virtual bool confirm(QWidget *parent, const QString &title, const QString &text, const QString &cancel,
                         const QString &proceed) = 0;
};
