#pragma once
// The account pane: the sign-in cards while signed out, the account header, the link card and
// the management forms while signed in, one status line and the footer links. Everything it
// shows and does is AccountPaneState's; the widgets are rebuilt when what is shown changes.

#include <QPointer>
#include <QWidget>

#include <functional>

class AccountPaneState;
class VeltraneAccount;
class QVBoxLayout;

class AccountPane : public QWidget {
    Q_OBJECT
public:
    AccountPane(VeltraneAccount *account, QWidget *parent = nullptr);

    AccountPaneState *state() const { return m_state; }
    // The footer's two links under the service's default endpoint.
    static QUrl privacyUrl();
    static QUrl termsUrl();

private:
    QString shape() const;
    void sync();
    void rebuild();

    AccountPaneState *m_state;
    QVBoxLayout *m_layout;
    QWidget *m_content = nullptr;
    QString m_shape;
    QList<std::function<void()>> m_updates;
};
