#include "Settings/AccountPaneState.h"

#include "Service/VeltraneAccount.h"
#include "Wire/APIFailure.h"

#include <QHash>
#include <QStringView>

namespace {

QString pick(bool korean, const char *ko, const char *en)
{
    return korean ? QString::fromUtf8(ko) : QString::fromUtf8(en);
}

struct ErrorText {
    const char *ko;
    const char *en;
};

const QHash<QString, ErrorText> &errorTable()
{
    static const QHash<QString, ErrorText> table {
        {QStringLiteral("bad-email"), {"이메일 주소를 확인해 주세요.", "Check the email address."}},
        {QStringLiteral("bad-password"), {"비밀번호는 8자 이상이어야 합니다.", "The password must be at least 8 characters."}},
        {QStringLiteral("bad-login"), {"이메일 또는 비밀번호가 올바르지 않습니다.", "The email or password is incorrect."}},
        {QStringLiteral("bad-code"),
         {"코드가 맞지 않거나 만료됐습니다. 새 코드를 받아 주세요.", "The code is wrong or has expired. Ask for a new one."}},
        {QStringLiteral("code-wait"),
         {"코드는 1분에 한 번만 받을 수 있습니다. 조금 뒤에 다시 눌러 주세요.", "A code can be sent once a minute. Try again shortly."}},
        {QStringLiteral("mail-failed"),
         {"메일을 보내지 못했습니다. 주소를 확인하고 잠시 뒤에 다시 해 주세요.",
          "Couldn't send the email. Check the address and try again shortly."}},
        {QStringLiteral("email-off"),
         {"이 서버는 이메일 로그인을 받지 않습니다. 비밀번호로 로그인해 주세요.", "This server doesn't take email sign-in. Use a password."}},
        {QStringLiteral("already-linked"), {"이미 이메일이 연결된 계정입니다.", "An email is already linked to this account."}},
        {QStringLiteral("link-email-first"), {"먼저 이메일을 연결해 주세요.", "Link an email first."}},
        {QStringLiteral("device-off"),
         {"이 서버는 가입 없는 계정을 만들어 주지 않습니다. 이메일로 시작해 주세요.",
          "This server doesn't create accounts without sign-up. Continue with email."}},
        {QStringLiteral("email-taken"), {"이미 가입된 이메일입니다. 로그인해 주세요.", "This email is already registered. Please sign in."}},
        {QStringLiteral("rate-limited"), {"시도가 너무 많습니다. 잠시 뒤에 다시 해 주세요.", "Too many attempts. Try again in a moment."}},
        {QStringLiteral("signed-out"), {"로그인이 풀렸습니다. 다시 로그인해 주세요.", "You were signed out. Please sign in again."}},
        {QStringLiteral("unreachable"), {"Glimora 서버에 연결하지 못했습니다.", "Couldn't reach the Glimora server."}},
    };
    return table;
}

} // namespace

AccountPaneState::AccountPaneState(VeltraneAccount *account, bool korean, QObject *parent)
    : QObject(parent), m_account(account), m_korean(korean)
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

QString AccountPaneState::errorText(const QString &code, bool korean)
{
    const auto it = errorTable().constFind(code);
    if (it == errorTable().cend())
        return {};
    return pick(korean, it->ko, it->en);
}

QString AccountPaneState::failureText(std::exception_ptr error, bool signedInRule, bool korean)
{
    try {
        std::rethrow_exception(error);
    } catch (const APIFailure &failure) {
        if (signedInRule && failure.code == QLatin1String("bad-login"))
            return pick(korean, "현재 비밀번호가 올바르지 않습니다.", "The current password is incorrect.");
        if (const QString text = errorText(failure.code, korean); !text.isEmpty())
            return text;
        return pick(korean, "요청이 실패했습니다 (", "The request failed (") + QString::number(failure.status)
            + QStringLiteral(").");
    } catch (...) {
        return pick(korean, "요청이 실패했습니다.", "The request failed.");
    }
}

QString AccountPaneState::sentMessage(const QString &email, bool korean)
{
    return korean ? email + QStringLiteral("로 코드를 보냈습니다. 10분 안에 입력해 주세요.")
                  : QStringLiteral("We sent a code to ") + email + QStringLiteral(". Enter it within 10 minutes.");
}

QString AccountPaneState::linkedMessage(bool merged, bool korean)
{
    if (merged)
        return pick(korean, "이 이메일에 이미 있던 계정과 합쳤습니다. 다른 컴퓨터에서도 이 이메일로 로그인하면 이어서 쓸 수 있습니다.",
                    "This account was merged into the one that already used this email. Sign in with it on another "
                    "computer to carry on.");
    return pick(korean, "이메일을 연결했습니다. 다른 컴퓨터에서도 이 이메일로 로그인하면 이어서 쓸 수 있습니다.",
                "Email linked. Sign in with it on another computer to carry on.");
}

QString AccountPaneState::createdMessage(bool korean)
{
    return pick(korean, "계정을 만들었습니다.", "Your account is ready.");
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
    return m_account && m_account->emailLogin() ? pick(m_korean, "비밀번호로 로그인", "Sign in with a password")
                                                : pick(m_korean, "로그인 또는 회원가입", "Sign in or create an account");
}

QString AccountPaneState::waySwitchLabel() const
{
    return m_account && m_account->deviceAccounts() ? pick(m_korean, "가입 없이 시작", "Start without signing up")
                                                    : pick(m_korean, "이메일 코드로 로그인", "Use an email code");
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
        return pick(m_korean, "이 컴퓨터", "This computer");
    return m_account ? m_account->emailText() : QString();
}

QString AccountPaneState::headerSubtitle() const
{
    if (!deviceAccount())
        return pick(m_korean, "로그인됨", "Signed in");
    const QString code = m_account->supportCodeText();
    if (!code.isEmpty())
        return pick(m_korean, "고유번호 ", "ID ") + code;
    return pick(m_korean, "가입 없이 쓰는 중입니다", "Using it without signing up");
}

QString AccountPaneState::passwordRowTitle() const
{
    return m_account && m_account->hasPassword() ? pick(m_korean, "비밀번호 변경", "Change password")
                                                 : pick(m_korean, "비밀번호 정하기", "Set a password");
}

QString AccountPaneState::passwordRowSubtitle() const
{
    return m_account && m_account->hasPassword()
        ? pick(m_korean, "다른 기기에서는 로그아웃됩니다.", "Other devices will be signed out.")
        : pick(m_korean, "안 정해도 이메일 코드로 로그인할 수 있습니다.", "Optional: you can always sign in with an emailed code.");
}

QString AccountPaneState::passwordRowButton() const
{
    if (m_managing == Managing::password)
        return pick(m_korean, "닫기", "Close");
    return m_account && m_account->hasPassword() ? pick(m_korean, "변경", "Change") : pick(m_korean, "정하기", "Set");
}

QString AccountPaneState::passwordFormButton() const
{
    return m_account && m_account->hasPassword() ? pick(m_korean, "비밀번호 변경", "Change Password")
                                                 : pick(m_korean, "비밀번호 정하기", "Set Password");
}

QString AccountPaneState::deleteRowSubtitle() const
{
    return pick(m_korean, "계정과 그 기록이 영구히 지워지며 되돌릴 수 없습니다.",
                "The account is erased for good and cannot be restored.");
}

QString AccountPaneState::deleteRowButton() const
{
    return m_managing == Managing::remove ? pick(m_korean, "닫기", "Close") : pick(m_korean, "삭제", "Delete");
}

QString AccountPaneState::deleteFieldPlaceholder() const
{
    return deleteFieldSecure() ? pick(m_korean, "현재 비밀번호를 입력하면 삭제합니다", "Enter your current password to delete")
                               : pick(m_korean, "이메일 주소를 입력하면 삭제합니다", "Enter your email address to delete");
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
        finish(failureText(error, signedIn(), m_korean), true);
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
    const QString done = m_account->hasPassword() ? pick(m_korean, "비밀번호를 바꿨습니다.", "Password changed.")
                                                  : pick(m_korean, "비밀번호를 정했습니다.", "Password set.");
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
    run(pick(m_korean, "계정을 삭제했습니다.", "Account deleted."), [account, typed]() -> QCoro::Task<void> {
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
        finish(failureText(error, false, m_korean), true);
        co_return;
    }
    m_codeSent = true;
    finish(sentMessage(m_email, m_korean), false);
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
        finish(failureText(error, false, m_korean), true);
        co_return;
    }
    m_codeSent = false;
    if (linking)
        finish(linkedMessage(answer, m_korean), false);
    else
        finish(answer ? createdMessage(m_korean) : QString(), false);
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
