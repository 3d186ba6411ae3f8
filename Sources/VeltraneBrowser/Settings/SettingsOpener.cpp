#include "Settings/SettingsOpener.h"

#include "Scan/SpamModel.h"
#include "Settings/SettingsWindow.h"

#include <QWidget>

SettingsOpener::SettingsOpener(SpamModel *model, QWidget *parentWindow, SettingsPrompts *prompts)
    : QObject(parentWindow)
    , m_model(model)
    , m_parent(parentWindow)
    , m_prompts(prompts)
{
    if (model)
        connect(model, &SpamModel::accountRequestChanged, this, [this] { open(SettingsTab::account); });
}

SettingsWindow *SettingsOpener::open(SettingsTab tab)
{
    if (!m_model)
        return nullptr;
    if (m_window) {
        m_window->setTab(tab);
        m_window->raise();
        m_window->activateWindow();
        return m_window;
    }
    auto *window = new SettingsWindow(m_model, tab, m_parent, m_prompts);
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_window = window;
    window->open();
    return window;
}
