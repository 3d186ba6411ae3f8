#pragma once
// The area under the post grid. While a scan runs: a spinner with the scan's line, its progress
// when known and Stop. Otherwise: the button that loads the owner's posts (or stops loading them)
// beside either the button that scans the ticked posts or, for a site the owner is not signed in
// to, a sign-in button. It draws PostDockModel::Actions and only reports the clicks.

#include "Shell/PostDockModel.h"

#include <QWidget>

#include <optional>

class Spinner;
class QLabel;
class QStackedLayout;
class WorkspaceButton;

class PostDockActions : public QWidget {
    Q_OBJECT
public:
    explicit PostDockActions(QWidget *parent = nullptr);

    // The state to show, with the scan's line and progress (used by the progress form only).
    void setState(const PostDockModel::Actions &actions, const QString &scanLine, std::optional<double> fraction);
    const PostDockModel::Actions &state() const { return m_state; }

    WorkspaceButton *stopButton() const { return m_stop; }
    // The load button shown now: stop-loading, prominent or plain.
    WorkspaceButton *loadButton() const;
    WorkspaceButton *scanButton() const { return m_scan; }
    WorkspaceButton *signInButton() const { return m_signIn; }
    QString scanLine() const;

signals:
    void stopRequested();
    void loadRequested();
    void stopLoadingRequested();
    void scanRequested();
    void signInRequested();

private:
    PostDockModel::Actions m_state;
    QStackedLayout *m_forms;
    QWidget *m_progressForm;
    QWidget *m_idleForm;
    Spinner *m_spinner;
    QLabel *m_line;
    QWidget *m_bar;
    WorkspaceButton *m_stop;
    WorkspaceButton *m_load;
    WorkspaceButton *m_loadProminent;
    WorkspaceButton *m_scan;
    WorkspaceButton *m_signIn;
    WorkspaceButton *m_stopLoading;
};
