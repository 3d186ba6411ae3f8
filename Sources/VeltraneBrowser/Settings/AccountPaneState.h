#pragma once
// The account pane without its widgets: the form texts, which card is shown, the one status
// line, and every account action (device account, password and e-mail code sign-in, linking an
// e-mail, password change, deletion, sign-out) run against the service client. The pane's
// widgets only show this state and call these members; tests drive it without a window. Texts
// and status lines are in the run's language.
//
//   AccountPaneState pane(&account);
//   pane.setEmail("me@example.com");
//   pane.sendCode();                  // busy until the service answers; message() says what happened
//
// The password texts are cleared after every attempt, whatever its outcome, and neither they
// nor the code are written anywhere.

#include <QObject>
#include <QPointer>
#include <QString>

#include "Service/VeltraneAccount.h"

#include <QCoro/QCoroTask>

#include <exception>
#include <functional>


class AccountPaneState : public QObject {
    Q_OBJECT
public:
    enum class Managing { none, password, remove };
    enum class Card { device, email, password };

    AccountPaneState(VeltraneAccount *account, QObject *parent = nullptr);

    VeltraneAccount *account() const { return m_account.data(); }

    // ---- state ----
    QString email() const { return m_email; }
    QString password() const { return m_password; }
    QString newPassword() const { return m_newPassword; }
    QString code() const { return m_code; }
    bool codeSent() const { return m_codeSent; }
    bool usePassword() const { return m_usePassword; }
    Managing managing() const { return m_managing; }
    bool busy() const { return m_busy; }
    QString message() const { return m_message; }
    bool failed() const { return m_failed; }

    // A changed address hides the code field and drops the typed code.
    void setEmail(const QString &text);
    void setPassword(const QString &text);
    void setNewPassword(const QString &text);
    void setCode(const QString &text);

    // ---- what is shown ----
    bool signedIn() const;
    // Signed in without an e-mail: an account the service made for this computer.
    bool deviceAccount() const;
    // The signed-out card: device, e-mail code or password.
    Card card() const;
    bool showsTestServerNote() const;
    // The link card of a device account on a service that takes e-mail codes.
    bool showsLinkCard() const;
    bool showsPasswordRow() const;
    // The password card offers "Create Account" and the way back to the other card.
    bool offersCreateAccount() const;
    bool offersWaySwitch() const;
    QString passwordCardTitle() const;
    QString waySwitchLabel() const;

    bool canSendCode() const { return !m_email.isEmpty() && !m_busy; }
    bool canVerify() const { return canSendCode() && codeDigits(m_code).size() == 6; }
    bool canSignIn() const { return !m_email.isEmpty() && !m_password.isEmpty() && !m_busy; }
    bool canChangePassword() const;
    bool canDelete() const;

    // Header of the signed-in content: the badge letter or none for the device badge, the two lines.
    QString badge() const;
    QString headerTitle() const;
    QString headerSubtitle() const;
    QString passwordRowTitle() const;
    QString passwordRowSubtitle() const;
    QString passwordRowButton() const;
    QString passwordFormButton() const;
    QString deleteRowSubtitle() const;
    QString deleteRowButton() const;
    QString deleteFieldPlaceholder() const;
    // Whether the delete form's field hides what is typed (the current password).
    bool deleteFieldSecure() const;

    // ---- actions ----
    // The way switch: the password card (on) or back to the other card (off); drops the status line.
    void setUsePassword(bool on);
    // Opens or closes a management form; every press empties the passwords and the status line.
    void toggleManaging(Managing form);
    void startDevice();
    void signInWithPassword(bool signup);
    void sendCode();
    void verifyCode();
    void changePassword();
    void deleteAccount();
    void signOut();

    // The code's digits as ASCII '0'-'9': decimal digits of any script count, other numerals
    // (fractions, superscripts, Roman numerals) and everything else are dropped.
    static QString codeDigits(const QString &typed);
    // The error table: the owner's text for a service error code, empty for an unknown code.
    static QString errorText(const QString &code);
    // The failure line of an action for a thrown error; `signedInRule` reads "bad-login" as a
    // wrong current password (the runner's actions while signed in).
    static QString failureText(std::exception_ptr error, bool signedInRule);
    static QString sentMessage(const QString &email);
    static QString linkedMessage(bool merged);
    static QString createdMessage();

signals:
    void changed();

private:
    using Action = std::function<QCoro::Task<void>()>;
    // Runs one action: busy on, status line cleared; then the success or failure line.
    void run(const QString &done, Action action);
    QCoro::Task<void> runTask(QString done, Action action);
    QCoro::Task<void> sendTask();
    QCoro::Task<void> verifyTask(QString digits);
    QCoro::Task<void> signOutTask();
    void finish(const QString &message, bool failed);
    void clearSecrets();

    QPointer<VeltraneAccount> m_account;
    QString m_email;
    QString m_password;
    QString m_newPassword;
    QString m_code;
    bool m_codeSent = false;
    bool m_usePassword = false;
    Managing m_managing = Managing::none;
    bool m_busy = false;
    QString m_message;
    bool m_failed = false;
};
