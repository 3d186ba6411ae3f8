#pragma once
// The review panel at the right of the window: header with the Deleted and log buttons, the
// comment list (or the live stage while a scan runs), the delete or progress bar and the tabs.
// A thin view over SpamPanelModel.

#include "Scan/ChannelPost.h"

#include <QList>
#include <QWidget>

#include <optional>

class CommentDelegate;
class CommentListModel;
class DeleteBar;
class PanelActions;
class PanelProgressBar;
class PanelTabs;
class QLabel;
class QListView;
class QPushButton;
class QStackedWidget;
class ScanLog;
class ScanStage;
class SpamModel;
class SpamPanelModel;

class SpamPanel : public QWidget {
    Q_OBJECT
public:
    SpamPanel(SpamModel *model, PanelActions *actions, QWidget *parent = nullptr);

    SpamPanelModel *viewModel() const { return m_vm; }
    CommentListModel *listModel() const { return m_listModel; }
    QListView *list() const { return m_list; }
    // The hint shown in place of an empty list; empty while none is shown.
    QString emptyHintText() const;
    ScanStage *stage() const { return m_stage; }
    DeleteBar *deleteBar() const { return m_deleteBar; }
    PanelProgressBar *progressBar() const { return m_progress; }
    PanelTabs *tabs() const { return m_tabs; }
    QPushButton *deletedButton() const { return m_deleted; }
    QPushButton *logButton() const { return m_log; }
    // Shows the log of past actions under its button (toggles it).
    void toggleLog();
    ScanLog *log() const { return m_scanLog; }
    // The line over the list while the browser shows a post the list has no results of: whose
    // results the list shows and how to check the open post. Empty while none is shown.
    QString otherPostNotice() const;
    // That line for an open post and the posts whose results are listed (none: no line).
    static QString otherPostText(const QString &openPost, const QList<ChannelPost> &posts);

private:
    void refresh();
    void syncNotice();
    void reveal();

    SpamPanelModel *m_vm;
    CommentListModel *m_listModel;
    CommentDelegate *m_delegate;
    QPushButton *m_deleted;
    QPushButton *m_log;
    QWidget *m_header;
    QStackedWidget *m_main;
    QListView *m_list;
    QLabel *m_empty;
    QLabel *m_notice;
    ScanStage *m_stage;
    QStackedWidget *m_bottom;
    DeleteBar *m_deleteBar;
    PanelProgressBar *m_progress;
    PanelTabs *m_tabs;
    QWidget *m_logPopup;
    ScanLog *m_scanLog;
    QString m_contentKey;
    // Where a reload of the view shown was scrolled to, while its later rows are still to come.
    std::optional<int> m_keptScroll;
};
