#include "Settings/SettingsTab.h"

#include "Scan/SpamModel.h"
#include "Service/VeltraneAccount.h"

namespace {

const QString dot = QStringLiteral(" \u00B7 ");

}   // namespace

QList<SettingsTab> SettingsTab::allCases()
{
    return {ai, basic, history, account};
}

std::optional<SettingsTab> SettingsTab::fromRawValue(const QString &raw)
{
    for (const SettingsTab tab : allCases()) {
        if (tab.rawValue() == raw)
            return tab;
    }
    return std::nullopt;
}

QString SettingsTab::rawValue() const
{
    switch (m_value) {
    case ai:
        return QStringLiteral("ai");
    case basic:
        return QStringLiteral("basic");
    case history:
        return QStringLiteral("history");
    case account:
        return QStringLiteral("account");
    }
    return {};
}

QString SettingsTab::label() const
{
    switch (m_value) {
    case ai:
        return tr("AI Check");
    case basic:
        return tr("Collecting & rules");
    case history:
        return tr("History");
    case account:
        return tr("Account");
    }
    return {};
}

QString SettingsTab::subtitle() const
{
    switch (m_value) {
    case ai:
        return tr("Choose the types of comments AI should find.");
    case basic:
        return tr("Manage collection limits and your keyword rules.");
    case history:
        return tr("Manage the history stored on this computer and how long to keep it.");
    case account:
        return tr("Manage the service account that the AI check uses.");
    }
    return {};
}

QString SettingsTab::iconName() const
{
    switch (m_value) {
    case ai:
        return QStringLiteral("tools-check-spelling");
    case basic:
        return QStringLiteral("edit-find");
    case history:
        return QStringLiteral("document-open-recent");
    case account:
        return QStringLiteral("user-identity");
    }
    return {};
}

QString SettingsTab::needs()
{
    return tr("Sign-in needed");
}

QString SettingsTab::status(SettingsTab tab, const SpamModel &model, const VeltraneAccount &service,
                            const QLocale &locale)
{
    const OwnerSettings &settings = model.ownerSettings();
    switch (tab) {
    case ai:
        if (!settings.aiOn())
            return tr("Off");
        if (!service.hasToken() && !service.testMode())
            return needs();
        // On by default, but nothing is sent until the owner has agreed.
        if (settings.aiConsent() != std::optional<bool>(true))
            return tr("Needs your consent");
        return tr("On");
    case basic: {
        QString line = settings.limit() == 0 ? tr("Collect all") : tr("Up to %1").arg(settings.limit());
        if (const qsizetype k = settings.keywords().size(); k > 0)
            line += dot + tr("%1 keywords").arg(k);
        return line;
    }
    case history: {
        if (!model.history().notice().isEmpty())
            return tr("History off · file unreadable");
        const QString m = locale.toString(model.history().stats().comments);
        return tr("%1 comments · %2 days").arg(m).arg(settings.keepDays());
    }
    case account:
        if (service.fileUnreadable())
            return tr("Account file unreadable");
        if (!service.hasToken())
            return tr("Not signed in");
        if (service.email() && !service.email()->isEmpty())
            return *service.email();
        // A device account: its number when the service gave one.
        if (service.supportCode() && !service.supportCode()->isEmpty())
            return tr("ID %1").arg(*service.supportCode());
        return tr("This computer");
    }
    return {};
}

bool SettingsTab::statusStrong(SettingsTab tab, const SpamModel &model, const VeltraneAccount &service)
{
    const OwnerSettings &settings = model.ownerSettings();
    return tab == ai && settings.aiOn() && settings.aiConsent() == std::optional<bool>(true)
        && (service.hasToken() || service.testMode());
}
