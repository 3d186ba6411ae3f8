#pragma once
// The leftmost column: the product mark and name, the caption, the site list, and at the bottom,
// behind a full-width line, the service account row and the buttons for statistics, scan settings
// and the AI agent setup. The sidebar owns no data; requests that open a sheet go back to the
// window through the three closures.

#include <QPointer>
#include <QWidget>

#include <functional>

#include "Shell/AgentSetupView.h"
class Browser;
class IconButton;
class QAbstractButton;
class SidebarSites;
class VeltraneAccount;

class WorkspaceSidebar : public QWidget {
    Q_OBJECT
public:
    struct AccountRow {
        QString symbol;
        QString title;
        QString subtitle;
    };
    // The service account row for the client's state.
    static AccountRow accountRow(bool hasToken, bool deviceAccounts);
    static QString caption();

    // account: the service client whose state the account row shows (none: not signed in).
    WorkspaceSidebar(Browser *browser, VeltraneAccount *account, QWidget *parent = nullptr);

    std::function<void()> openSettings;
    std::function<void()> openDashboard;
    std::function<void()> openAccount;
    // The spam model's working flag for the site list.
    std::function<bool()> working;

    // True while the model works or a site sign-out removes data: the top group and the footer
    // take no input.
    void setLocked(bool locked);
    bool locked() const { return m_locked; }

    SidebarSites *sites() const { return m_sites; }
    AccountRow shownAccountRow() const { return m_row; }
    // Both lines of the account row fit its width uncut.
    bool accountRowFits() const;
    AgentSetupView *agentPopover() const { return m_agent; }
    QAbstractButton *agentButton() const;
    void toggleAgent();

protected:
    void paintEvent(QPaintEvent *) override;

private:
    void syncAccount();

    Browser *m_browser;
    QPointer<VeltraneAccount> m_account;
    bool m_locked = false;
    QWidget *m_top;
    QWidget *m_footer;
    SidebarSites *m_sites;
    QAbstractButton *m_accountButton;
    IconButton *m_agentButton;
    AccountRow m_row;
    QPointer<AgentSetupView> m_agent;
};
