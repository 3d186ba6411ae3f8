#pragma once
// The four tabs of the settings window, in sidebar order, with their titles and the one-line
// status each shows under its name. Pure functions of the model's and the account's state; the
// texts are in the run's language.
//
//   SettingsTab tab = SettingsTab::fromRawValue("history").value_or(SettingsTab::ai);
//   label->setText(SettingsTab::status(tab, model, account));

#include <QCoreApplication>
#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

class SpamModel;
class VeltraneAccount;

class SettingsTab {
    Q_DECLARE_TR_FUNCTIONS(SettingsTab)

public:
    enum Value { ai, basic, history, account };

    constexpr SettingsTab(Value value)
        : m_value(value)
    {
    }
    constexpr operator Value() const { return m_value; }

    static QList<SettingsTab> allCases();
    // Exactly "ai", "basic", "history" and "account".
    static std::optional<SettingsTab> fromRawValue(const QString &raw);

    QString rawValue() const;
    QString label() const;
    QString subtitle() const;
    // A freedesktop icon name for the sidebar row.
    QString iconName() const;

    // The status line under the tab's name; counts spliced in with the locale's grouping only
    // where the sidebar shows a total (the history's comment count).
    static QString status(SettingsTab tab, const SpamModel &model, const VeltraneAccount &service,
                          const QLocale &locale = QLocale());
    // Whether the status line is drawn in the stronger secondary colour (the AI check running).
    static bool statusStrong(SettingsTab tab, const SpamModel &model, const VeltraneAccount &service);

    // "Sign-in needed".
    static QString needs();

private:
    Value m_value;
};
