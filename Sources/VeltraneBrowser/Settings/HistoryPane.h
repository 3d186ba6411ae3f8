#pragma once
// The history pane: retention, CSV export, clearing, and the result line of the last of them.

#include <QPointer>
#include <QWidget>

class HistoryPaneModel;
class QProgressBar;
class SettingsPrompts;
class SpamModel;
class QVBoxLayout;

class HistoryPane : public QWidget {
    Q_OBJECT
public:
    HistoryPane(SpamModel *model, SettingsPrompts *prompts, QWidget *parent = nullptr);

    HistoryPaneModel *paneModel() const { return m_pane; }

private:
    void rebuild();

    QPointer<SpamModel> m_model;
    HistoryPaneModel *m_pane;
    QVBoxLayout *m_layout;
    QWidget *m_content = nullptr;
    QPointer<QProgressBar> m_progress;   // shown while an export runs
};
