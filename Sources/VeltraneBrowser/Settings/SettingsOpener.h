#pragma once
// Opens the settings window over a parent window: on the tab an opener asks for, and on the
// account tab whenever the spam model raises its account request. At most one settings window
// is open; asking again while it is open moves it to the asked tab.
//
//   auto *settings = new SettingsOpener(model, mainWindow);   // owned by the main window
//   connect(sidebarSettings, &QPushButton::clicked, settings, [settings] { settings->open(SettingsTab::ai); });

#include "Settings/SettingsTab.h"

#include <QObject>
#include <QPointer>

class SettingsPrompts;
class SettingsWindow;
class SpamModel;
class QWidget;

class SettingsOpener : public QObject {
    Q_OBJECT
public:
    SettingsOpener(SpamModel *model, QWidget *parentWindow, SettingsPrompts *prompts = nullptr);

    // Opens the window on `tab`, or moves the open one there.
    SettingsWindow *open(SettingsTab tab);
    // The open window, none when closed.
    SettingsWindow *window() const { return m_window.data(); }

private:
    QPointer<SpamModel> m_model;
    QPointer<QWidget> m_parent;
    SettingsPrompts *m_prompts;
    QPointer<SettingsWindow> m_window;
};
