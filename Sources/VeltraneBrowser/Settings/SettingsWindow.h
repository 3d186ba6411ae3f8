#pragma once
// The settings window: a sidebar of four tabs, each with its status line, and the pane of the
// selected tab under its title, with "Done" in the footer. It holds no setting itself: the
// panes write into the spam model and call its service client.
//
//   auto *settings = new SettingsWindow(model, SettingsTab::account, parentWindow);
//   settings->setAttribute(Qt::WA_DeleteOnClose);
//   settings->open();
//
// When first shown it refreshes the history totals and then the service account.

#include "Settings/SettingsTab.h"

#include <QDialog>
#include <QPointer>

class SettingsPrompts;
class SpamModel;
class QLabel;
class QScrollArea;
class QVBoxLayout;
class QAbstractButton;

class SettingsWindow : public QDialog {
    Q_OBJECT
public:
    // No prompts: the desktop's file dialog and message box.
    SettingsWindow(SpamModel *model, SettingsTab tab, QWidget *parent = nullptr, SettingsPrompts *prompts = nullptr);

    SettingsTab tab() const { return m_tab; }
    void setTab(SettingsTab tab);
    // The pane now shown (built afresh on every change of tab).
    QWidget *pane() const { return m_pane; }
    // The footer's note, shown on every tab but the account tab.
    static bool showsSaveNote(SettingsTab tab) { return tab != SettingsTab::account; }

    // The sidebar's status line of a tab as shown (cut to one line).
    QString statusShown(SettingsTab tab) const;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void refreshSidebar();
    void buildPane();

    QPointer<SpamModel> m_model;
    SettingsPrompts *m_prompts;
    SettingsTab m_tab;
    bool m_refreshed = false;
    QList<QAbstractButton *> m_rows;
    QList<QLabel *> m_names;
    QList<QLabel *> m_statuses;
    QLabel *m_title;
    QLabel *m_subtitle;
    QVBoxLayout *m_paneHolder;
    QWidget *m_pane = nullptr;
    QLabel *m_saveNote;
};
