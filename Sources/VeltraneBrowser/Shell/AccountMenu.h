#pragma once
// The site accounts popover: both sites with their sign-in state inside the application, "Sign in"
// for a site the owner is not signed in to, "Open" and "Sign out" for one they are. A sign-out is
// confirmed once; the sign-in state, the sign-in and the removal belong to the site sign-in object.

#include "Sites/LoginProvider.h"
#include "Sites/LoginStatus.h"

#include "Theme/Popover.h"

#include <functional>
#include <optional>

class AccountSession;
class Browser;
class QLabel;
class QVBoxLayout;

class AccountMenu : public Popover {
    Q_OBJECT
public:
    enum class Action { open, signOut, signIn };
    struct Row {
        LoginProvider site;
        QString name;
        QString label;           // the full status label
        QList<Action> actions;   // in the row's order
        bool enabled = true;
    };
    static Row row(LoginProvider site, LoginStatus status, bool working, bool clearing);
    static QString actionTitle(Action action);
    static QString title();
    static QString subtitle();
    static QString note();
    static QString confirmTitle(const std::optional<LoginProvider> &site);
    static QString confirmMessage();
    static QString cancelTitle();

    AccountMenu(Browser *browser, AccountSession *session, QWidget *parent = nullptr);

    // The spam model's working flag; every row is disabled while it is true.
    std::function<bool()> working;
    // Asks the owner to confirm a sign-out and answers through `done` (true: sign out). The default
    // is a window-modal question; tests put their own answer here.
    std::function<void(const QString &title, const QString &message, std::function<void(bool)> done)> confirm;

    std::optional<LoginProvider> disconnect() const { return m_disconnect; }
    // Presses a row's button (the views' clicks and tests).
    void trigger(LoginProvider site, Action action);
    // Rebuilds the rows from the session.
    void refresh();
    // The rows as last shown.
    QList<Row> rows() const { return m_rows; }

private:
    void answer(bool signOut);

    Browser *m_browser;
    AccountSession *m_session;
    std::optional<LoginProvider> m_disconnect;
    bool m_reopen = false;
    QList<Row> m_rows;
    QVBoxLayout *m_rowsLayout;
    QLabel *m_message;
};
