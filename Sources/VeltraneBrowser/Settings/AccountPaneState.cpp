#include "Settings/AccountPaneState.h"

#include "Service/VeltraneAccount.h"
#include "Wire/APIFailure.h"

#include <QHash>
#include <QStringView>

namespace {

// The owner's text for each error code of the service, translated where it is shown.
const QHash<QString, const char *> &errorTable()
{
    static const QHash<QString, const char *> table{
        {QStringLiteral("bad-email"), QT_TRANSLATE_NOOP("AccountPaneState", "Check the email address.")},
        {QStringLiteral("bad-password"),
         QT_TRANSLATE_NOOP("AccountPaneState", "The password must be at least 8 characters.")},
        {QStringLiteral("bad-login"), QT_TRANSLATE_NOOP("AccountPaneState", "The email or password is incorrect.")},
        {QStringLiteral("bad-code"),
         QT_TRANSLATE_NOOP("AccountPaneState", "The code is wrong or has expired. Ask for a new one.")},
        {QStringLiteral("code-wait"),
         QT_TRANSLATE_NOOP("AccountPaneState", "A code can be sent once a minute. Try again shortly.")},
        {QStringLiteral("mail-failed"),
         QT_TRANSLATE_NOOP("AccountPaneState", "Couldn't send the email. Check the address and try again shortly.")},
        {QStringLiteral("email-off"),
         QT_TRANSLATE_NOOP("AccountPaneState", "This server doesn't take email sign-in. Use a password.")},
        {QStringLiteral("already-linked"),
         QT_TRANSLATE_NOOP("AccountPaneState", "An email is already linked to this account.")},
        {QStringLiteral("link-email-first"), QT_TRANSLATE_NOOP("AccountPaneState", "Link an email first.")},
        {QStringLiteral("device-off"),
         QT_TRANSLATE_NOOP("AccountPaneState",
                           "This server doesn't create accounts without sign-up. Continue with email.")},
        {QStringLiteral("email-taken"),
         QT_TRANSLATE_NOOP("AccountPaneState", "This email is already registered. Please sign in.")},
        {QStringLiteral("rate-limited"),
         QT_TRANSLATE_NOOP("AccountPaneState", "Too many attempts. Try again in a moment.")},
        {QStringLiteral("signed-out"),
         QT_TRANSLATE_NOOP("AccountPaneState", "You were signed out. Please sign in again.")},
        {QStringLiteral("unreachable"), QT_TRANSLATE_NOOP("AccountPaneState", "Couldn't reach the Glimora server.")},
    };
    return table;
}

}   // namespace

AccountPaneState::AccountPaneState(VeltraneAccount *account, QObject *parent)
    : QObject(parent)
    , m_account(account)
{
    if (account)
        connect(account, &VeltraneAccount::changed, this, &AccountPaneState::changed);
}

// ---- texts ------------------------------------------------------------------------------

QString AccountPaneState::codeDigits(const QString &typed)
{
    QString digits;
    for (const char32_t c : QStringView(typed).toUcs4()) {
        if (QChar::category(c) == QChar::Number_DecimalDigit) {
            const int value = QChar::digitValue(c);
            if (value >= 0 && value <= 9)
                digits.append(QChar(u'0' + value));
        }
    }
    return digits;
}

QString AccountPaneState::errorText(const QString &code)
{
    const auto it = errorTable().constFind(code);
    if (it == errorTable().cend())
        return {};
    return tr(*it);
}

QString AccountPaneState::failureText(std::exception_ptr error, bool signedInRule)
{
    try {
        std::rethrow_exception(error);
    } catch (const APIFailure &failure) {
        if (signedInRule && failure.code == QLatin1String("bad-login"))
            return tr("The current password is incorrect.");
        if (const QString text = errorText(failure.code); !text.isEmpty())
            return text;
        return tr("The request failed (%1).").arg(failure.status);
    } catch (...) {
        return tr("The request failed.");
    }
}

QString AccountPaneState::sentMessage(const QString &email)
{
    return tr("We sent a code to %1. Enter it within 10 minutes.").arg(email);
}

QString AccountPaneState::linkedMessage(bool merged)
{
    if (merged)
        return tr("This account was merged into the one that already used this email. Sign in with it on another "
                  "computer to carry on.");
    return tr("Email linked. Sign in with it on another computer to carry on.");
}

QString AccountPaneState::createdMessage()
{
    return tr("Your account is ready.");
}

// ---- state ------------------------------------------------------------------------------

void AccountPaneState::setEmail(const QString &text)
{
    if (text == m_email)
        return;
    m_email = text;
    m_codeSent = false;
    m_code.clear();
    emit changed();
}

void AccountPaneState::setPassword(const QString &text)
{
    if (text == m_password)
        return;
    m_password = text;
    emit changed();
}

void AccountPaneState::setNewPassword(const QString &text)
{
    if (text == m_newPassword)
        return;
    m_newPassword = text;
    emit changed();
}

void AccountPaneState::setCode(const QString &text)
{
    if (text == m_code)
        return;
    m_code = text;
    emit changed();
}

bool AccountPaneState::signedIn() const
{
    return m_account && m_account->hasToken();
}

bool AccountPaneState::deviceAccount() const
{
    return signedIn() && m_account->emailText().isEmpty();
}

AccountPaneState::Card AccountPaneState::card() const
{
    if (!m_account)
        return Card::password;
    if (m_account->deviceAccounts() && !m_usePassword)
        return Card::device;
    if (m_account->emailLogin() && !m_usePassword)
        return Card::email;
    return Card::password;
}

bool AccountPaneState::showsTestServerNote() const
{
    return m_account && !signedIn() && m_account->testMode();
}

bool AccountPaneState::showsLinkCard() const
{
    return deviceAccount() && m_account->emailLogin();
}

bool AccountPaneState::showsPasswordRow() const
{
    return signedIn() && !deviceAccount();
}

bool AccountPaneState::offersCreateAccount() const
{
    return m_account && !m_account->emailLogin() && !m_account->deviceAccounts();
}

bool AccountPaneState::offersWaySwitch() const
{
    return m_account && (m_account->emailLogin() || m_account->deviceAccounts());
}

QString AccountPaneState::passwordCardTitle() const
{
    return m_account && m_account->emailLogin() ? tr("Sign in with a password") : tr("Sign in or create an account");
}

QString AccountPaneState::waySwitchLabel() const
{
    return m_account && m_account->deviceAccounts() ? tr("Start without signing up") : tr("Use an email code");
}

bool AccountPaneState::canChangePassword() const
{
    if (m_busy || m_newPassword.isEmpty())
        return false;
    return !(m_account && m_account->hasPassword() && m_password.isEmpty());
}

bool AccountPaneState::canDelete() const
{
    if (m_busy)
        return false;
    return deviceAccount() || !m_password.isEmpty();
}

QString AccountPaneState::badge() const
{
    if (deviceAccount())
        return {};
    const QString address = m_account ? m_account->emailText() : QString();
    return address.isEmpty() ? QStringLiteral("?") : address.left(1).toUpper();
}

QString AccountPaneState::headerTitle() const
{
    if (deviceAccount())
        return tr("This computer");
    return m_account ? m_account->emailText() : QString();
}

QString AccountPaneState::headerSubtitle() const
{
    if (!deviceAccount())
        return tr("Signed in");
    const QString code = m_account->supportCodeText();
    if (!code.isEmpty())
        return tr("ID %1").arg(code);
    return tr("Using it without signing up");
}

QString AccountPaneState::passwordRowTitle() const
{
    return m_account && m_account->hasPassword() ? tr("Change password") : tr("Set a password");
}

QString AccountPaneState::passwordRowSubtitle() const
{
    return m_account && m_account->hasPassword() ? tr("Other devices will be signed out.")
                                                 : tr("Optional: you can always sign in with an emailed code.");
}

QString AccountPaneState::passwordRowButton() const
{
    if (m_managing == Managing::password)
        return tr("Close");
    return m_account && m_account->hasPassword() ? tr("Change") : tr("Set");
}

QString AccountPaneState::passwordFormButton() const
{
    return m_account && m_account->hasPassword() ? tr("Change Password") : tr("Set Password");
}

QString AccountPaneState::deleteRowSubtitle() const
{
    return tr("The account is erased for good and cannot be restored.");
}

QString AccountPaneState::deleteRowButton() const
{
    return m_managing == Managing::remove ? tr("Close") : tr("Delete");
}

QString AccountPaneState::deleteFieldPlaceholder() const
{
    return deleteFieldSecure() ? tr("Enter your current password to delete") : tr("Enter your email address to delete");
}

bool AccountPaneState::deleteFieldSecure() const
{
    return m_account && m_account->hasPassword();
}

// ---- actions ----------------------------------------------------------------------------

void AccountPaneState::setUsePassword(bool on)
{
    m_usePassword = on;
    m_message.clear();
    emit changed();
}

void AccountPaneState::toggleManaging(Managing form)
{
    m_managing = m_managing == form ? Managing::none : form;
    clearSecrets();
    m_message.clear();
    emit changed();
}

void AccountPaneState::clearSecrets()
{
    m_password.clear();
    m_newPassword.clear();
}

void AccountPaneState::finish(const QString &message, bool failed)
{
    m_message = message;
    m_failed = failed;
    m_busy = false;
    emit changed();
}

void AccountPaneState::run(const QString &done, Action action)
{
    if (m_busy || !m_account)
        return;
    m_busy = true;
    m_message.clear();
    emit changed();
    runTask(done, std::move(action));
}

QCoro::Task<void> AccountPaneState::runTask(QString done, Action action)
{
    QPointer<AccountPaneState> self(this);
    std::exception_ptr error;
    try {
        co_await action();
    } catch (...) {
        error = std::current_exception();
    }
    if (!self)
        co_return;
    // Secrets go whatever the outcome, so a failed attempt never leaves them on screen.
    clearSecrets();
    if (error) {
        finish(failureText(error, signedIn()), true);
    } else {
        m_managing = Managing::none;
        finish(done, false);
    }
}

void AccountPaneState::startDevice()
{
    QPointer<VeltraneAccount> account = m_account;
    run(QString(), [account]() -> QCoro::Task<void> {
        if (account)
            co_await account->startDevice();
    });
}

void AccountPaneState::signInWithPassword(bool signup)
{
    QPointer<VeltraneAccount> account = m_account;
    const QString email = m_email;
    const QString password = m_password;
    run(QString(), [account, signup, email, password]() -> QCoro::Task<void> {
        if (account)
            co_await account->authenticate(signup, email, password);
    });
}

void AccountPaneState::changePassword()
{
    if (!m_account)
        return;
    const QString done = m_account->hasPassword() ? tr("Password changed.") : tr("Password set.");
    QPointer<VeltraneAccount> account = m_account;
    const QString current = m_password;
    const QString next = m_newPassword;
    run(done, [account, current, next]() -> QCoro::Task<void> {
        if (account)
            co_await account->changePassword(current, next);
    });
}

void AccountPaneState::deleteAccount()
{
    QPointer<VeltraneAccount> account = m_account;
    const QString typed = m_password;
    run(tr("Account deleted."), [account, typed]() -> QCoro::Task<void> {
        if (account)
            co_await account->deleteAccount(typed);
    });
}

void AccountPaneState::sendCode()
{
    if (m_email.isEmpty() || m_busy || !m_account)
        return;
    m_busy = true;
    m_message.clear();
    emit changed();
    sendTask();
}

QCoro::Task<void> AccountPaneState::sendTask()
{
    QPointer<AccountPaneState> self(this);
    QPointer<VeltraneAccount> account = m_account;
    const QString email = m_email;
    std::exception_ptr error;
    try {
        if (!account)
            throw APIFailure(0, QStringLiteral("failed"));
        if (account->hasToken())
            co_await account->sendLinkCode(email);
        else
            co_await account->sendEmailCode(email);
    } catch (...) {
        error = std::current_exception();
    }
    if (!self)
        co_return;
    if (error) {
        finish(failureText(error, false), true);
        co_return;
    }
    m_codeSent = true;
    finish(sentMessage(m_email), false);
}

void AccountPaneState::verifyCode()
{
    const QString digits = codeDigits(m_code);
    if (digits.size() != 6 || m_busy || !m_account)
        return;
    m_busy = true;
    m_message.clear();
    emit changed();
    verifyTask(digits);
}

QCoro::Task<void> AccountPaneState::verifyTask(QString digits)
{
    QPointer<AccountPaneState> self(this);
    QPointer<VeltraneAccount> account = m_account;
    const QString email = m_email;
    std::exception_ptr error;
    bool linking = false;
    bool answer = false;
    try {
        if (!account)
            throw APIFailure(0, QStringLiteral("failed"));
        linking = account->hasToken();
        answer = linking ? co_await account->linkEmail(email, digits) : co_await account->signIn(email, digits);
    } catch (...) {
        error = std::current_exception();
    }
    if (!self)
        co_return;
    // A code is good for one attempt: the field is emptied whatever the answer.
    m_code.clear();
    if (error) {
        finish(failureText(error, false), true);
        co_return;
    }
    m_codeSent = false;
    if (linking)
        finish(linkedMessage(answer), false);
    else
        finish(answer ? createdMessage() : QString(), false);
}

void AccountPaneState::signOut()
{
    if (m_account)
        signOutTask();
}

QCoro::Task<void> AccountPaneState::signOutTask()
{
    QPointer<VeltraneAccount> account = m_account;
    if (account)
        co_await account->logout();
}
