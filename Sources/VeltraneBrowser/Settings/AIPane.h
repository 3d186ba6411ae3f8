#pragma once
// The AI check pane: the main switch, the sign-in prompt while the check cannot run, the kinds
// to look for, and where comment texts go.

#include <QPointer>
#include <QWidget>

class SpamModel;
class VeltraneAccount;
class QVBoxLayout;

class AIPane : public QWidget {
    Q_OBJECT
public:
    enum class Prompt { none, deviceRetry, signIn };

    AIPane(SpamModel *model, VeltraneAccount *account, QWidget *parent = nullptr);

    // Which prompt stands under the main switch.
    static Prompt prompt(bool aiOn, bool signedIn, bool testMode, bool deviceAccounts);
    static QString subtitle(bool aiOn);
    static QString consentNote();

signals:
    // "Sign in": the window moves to the account tab.
    void openAccount();

private:
    void rebuild();

    QPointer<SpamModel> m_model;
    QPointer<VeltraneAccount> m_account;
    QVBoxLayout *m_layout;
    QWidget *m_content = nullptr;
};
