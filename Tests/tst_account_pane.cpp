// The account pane against the local stand-in of the service: the card and the status line for
// every state the service can put it in (signed out, code sent, wrong code, signed in, service
// down, too many requests), in both languages; the code digits; and that passwords and codes
// are emptied after every attempt and written nowhere.
#include "Await.h"
#include "FakeService.h"
#include "LanguageScope.h"
#include "TestMain.h"

#include "Service/VeltraneAccount.h"
#include "Settings/AccountPane.h"
#include "Settings/AccountPaneState.h"
#include "Settings/SettingsButton.h"
#include "Wire/APIFailure.h"

#include <QApplication>
#include <QLabel>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using vt::test::FakeService;

namespace {

const QString kEmail = QStringLiteral("owner@example.com");
const QString kPassword = QStringLiteral("hunter2-secret");

QStringList logged;

void keepLog(QtMsgType, const QMessageLogContext &, const QString &message)
{
    logged.append(message);
}

// A service stand-in, a client on it with its account file, and the pane over the client, all
// in one interface language while the scene lasts.
struct Scene {
    LanguageScope language;
    QTemporaryDir dir;
    FakeService service;
    std::unique_ptr<VeltraneAccount> account;
    std::unique_ptr<AccountPane> pane;

    explicit Scene(bool korean, bool devices = true, bool emailLogin = true, bool down = false)
        : language(korean)
    {
        service.deviceAccounts = devices;
        service.emailLogin = emailLogin;
        service.start();
        // A closed port stands for a service that is down.
        const QUrl url = down ? QUrl(QStringLiteral("http://127.0.0.1:9")) : QUrl(service.url());
        account = std::make_unique<VeltraneAccount>(url, dir.filePath(QStringLiteral("account.json")));
        account->setRequestTimeout(20000);
        if (!down)
            vt::test::await(account->refresh(false));
        pane = std::make_unique<AccountPane>(account.get());
    }

    AccountPaneState &state() { return *pane->state(); }

    bool settle()
    {
        QDeadlineTimer deadline(30000);
        while (state().busy() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return !state().busy();
    }

    QStringList buttons() const
    {
        QStringList out;
        for (SettingsButton *b : pane->findChildren<SettingsButton *>())
            out.append(b->text());
        return out;
    }

    QByteArray files() const
    {
        QByteArray all;
        for (const QString &name : QDir(dir.path()).entryList(QDir::Files)) {
            QFile f(dir.filePath(name));
            if (f.open(QIODevice::ReadOnly))
                all += f.readAll();
        }
        return all;
    }
};

}   // namespace

class AccountPaneTest : public QObject {
    Q_OBJECT
private slots:
    void codeDigits_data();
    void codeDigits();
    void failureTexts_data();
    void failureTexts();
    void states_data();
    void states();
    void passwordCardChoices_data();
    void passwordCardChoices();
    void secretsAreClearedAndNeverWritten();
    void signedInForms();
    void deviceAccountLinksAnEmail();
    void typingKeepsTheFocus();
    void codeSentSaysWhereUnderItsButton();
};

void AccountPaneTest::codeDigits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("digits");
    QTest::newRow("plain") << "123456"
                           << "123456";
    QTest::newRow("spaces and dashes") << " 12-34 56 "
                                       << "123456";
    QTest::newRow("full-width") << "\uFF11\uFF12\uFF13\uFF14\uFF15\uFF16"
                                << "123456";
    QTest::newRow("Arabic-Indic") << "\u0661\u0662\u0663\u0664\u0665\u0666"
                                  << "123456";
    QTest::newRow("Devanagari") << "\u0967\u0968\u0969"
                                << "123";
    QTest::newRow("mathematical bold, outside the BMP") << "\U0001D7CF\U0001D7D0"
                                                        << "12";
    QTest::newRow("fraction is no digit") << "\u00BD12345"
                                          << "12345";
    QTest::newRow("superscripts are no digits") << "\u00B2\u00B3"
                                                << "";
    QTest::newRow("Roman numeral is no digit") << "\u216B"
                                               << "";
    QTest::newRow("letters") << "abc123"
                             << "123";
}

void AccountPaneTest::codeDigits()
{
    QFETCH(QString, typed);
    QTEST(AccountPaneState::codeDigits(typed), "digits");
}

void AccountPaneTest::failureTexts_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("signedInRule");
    QTest::addColumn<QString>("en");
    QTest::addColumn<QString>("ko");
    QTest::newRow("bad-login signed out") << 401 << "bad-login" << false << "The email or password is incorrect."
                                          << "이메일 또는 비밀번호가 올바르지 않습니다.";
    QTest::newRow("bad-login signed in") << 401 << "bad-login" << true << "The current password is incorrect."
                                         << "현재 비밀번호가 올바르지 않습니다.";
    QTest::newRow("bad-code") << 400 << "bad-code" << false << "The code is wrong or has expired. Ask for a new one."
                              << "코드가 맞지 않거나 만료됐습니다. 새 코드를 받아 주세요.";
    QTest::newRow("unknown 403") << 403 << "nope" << false << "The request failed (403)."
                                 << "요청이 실패했습니다 (403).";
    QTest::newRow("unreachable") << 0 << "unreachable" << true << "Couldn't reach the Glimora server."
                                 << "Glimora 서버에 연결하지 못했습니다.";
}

void AccountPaneTest::failureTexts()
{
    QFETCH(int, status);
    QFETCH(QString, code);
    QFETCH(bool, signedInRule);
    const auto error = std::make_exception_ptr(APIFailure(status, code));
    QTEST(inLanguage(false, [&] { return AccountPaneState::failureText(error, signedInRule); }), "en");
    QTEST(inLanguage(true, [&] { return AccountPaneState::failureText(error, signedInRule); }), "ko");
    const auto other = std::make_exception_ptr(std::runtime_error("boom"));
    QCOMPARE(inLanguage(false, [&] { return AccountPaneState::failureText(other, false); }),
             QStringLiteral("The request failed."));
    QCOMPARE(inLanguage(true, [&] { return AccountPaneState::failureText(other, false); }),
             QStringLiteral("요청이 실패했습니다."));
    QCOMPARE(inLanguage(false, [] { return AccountPaneState::errorText(QStringLiteral("code-wait")); }),
             QStringLiteral("A code can be sent once a minute. Try again shortly."));
}

void AccountPaneTest::states_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<bool>("signedIn");
    QTest::addColumn<QStringList>("enButtons");
    QTest::addColumn<QString>("en");
    QTest::addColumn<QString>("ko");
    QTest::addColumn<bool>("failed");
    const QStringList emailAsking{"Email me a code", "Use a password"};
    const QStringList emailConfirming{"Continue", "Send again", "Use a password"};
    const QStringList signedInButtons{"Sign out", "Set", "Delete"};
    QTest::newRow("signed out, device accounts")
        << "device" << false << QStringList{"Get started", "Sign in to an existing account"} << ""
        << "" << false;
    QTest::newRow("device account made") << "device-start" << true << QStringList{"Email me a code", "Delete"} << ""
                                         << "" << false;
    QTest::newRow("signed out, e-mail codes") << "email" << false << emailAsking << ""
                                              << "" << false;
    QTest::newRow("code sent") << "code-sent" << false << emailConfirming
                               << "We sent a code to owner@example.com. Enter it within 10 minutes."
                               << "owner@example.com로 코드를 보냈습니다. 10분 안에 입력해 주세요." << false;
    QTest::newRow("wrong code") << "wrong-code" << false << emailConfirming
                                << "The code is wrong or has expired. Ask for a new one."
                                << "코드가 맞지 않거나 만료됐습니다. 새 코드를 받아 주세요." << true;
    QTest::newRow("signed in, new account") << "signed-in" << true << signedInButtons << "Your account is ready."
                                            << "계정을 만들었습니다." << false;
    QTest::newRow("service down") << "down" << false << QStringList{"Sign In", "Create Account"}
                                  << "Couldn't reach the Glimora server."
                                  << "Glimora 서버에 연결하지 못했습니다." << true;
    QTest::newRow("429 rate-limited") << "429" << false << emailAsking << "Too many attempts. Try again in a moment."
                                      << "시도가 너무 많습니다. 잠시 뒤에 다시 해 주세요." << true;
    QTest::newRow("429 without a known code") << "429-busy" << false << emailAsking << "The request failed (429)."
                                              << "요청이 실패했습니다 (429)." << true;
}

void AccountPaneTest::states()
{
    QFETCH(QString, scenario);
    QFETCH(bool, signedIn);
    QFETCH(bool, failed);
    for (const bool korean : {false, true}) {
        const bool devices = scenario.startsWith("device");
        Scene scene(korean, devices, true, scenario == "down");
        AccountPaneState &s = scene.state();
        if (scenario == "429")
            scene.service.fail("api/auth/email/start", FakeService::Fault::tooMany(0, "rate-limited"));
        if (scenario == "429-busy")
            scene.service.fail("api/auth/email/start", FakeService::Fault::tooMany(0, "busy"));
        if (scenario == "device-start") {
            s.startDevice();
            QVERIFY(s.busy());
        } else if (scenario == "down") {
            // The service's status never arrived: only the password card can be offered.
            s.setEmail(kEmail);
            s.setPassword(kPassword);
            s.signInWithPassword(false);
        } else if (!devices && scenario != "email") {
            s.setEmail(kEmail);
            s.sendCode();
        }
        QVERIFY(scene.settle());
        if (scenario == "wrong-code" || scenario == "signed-in") {
            const QString good = scene.service.codeFor(kEmail);
            QCOMPARE(good.size(), 6);
            s.setCode(scenario == "wrong-code" ? QStringLiteral("000000") : good);
            s.verifyCode();
            QVERIFY(scene.settle());
            QCOMPARE(s.code(), QString());   // one attempt per typed code, whatever the answer
        }
        QCOMPARE(s.signedIn(), signedIn);
        QCOMPARE(scene.account->hasToken(), signedIn);
        QCOMPARE(s.failed(), failed);
        if (signedIn) {
            // The header's badge: this computer's laptop for a device account, else the address's letter.
            const QList<QLabel *> badges = scene.pane->findChildren<QLabel *>(QStringLiteral("accountBadge"));
            QCOMPARE(badges.size(), 1);
            if (s.deviceAccount()) {
                QVERIFY(!badges.first()->pixmap().isNull());
                QCOMPARE(badges.first()->text(), QString());
            } else {
                QCOMPARE(badges.first()->text(), QStringLiteral("O"));
            }
        }
        if (korean)
            QTEST(s.message(), "ko");
        else {
            QTEST(s.message(), "en");
            QTEST(scene.buttons(), "enButtons");
        }
    }
}

void AccountPaneTest::passwordCardChoices_data()
{
    QTest::addColumn<bool>("devices");
    QTest::addColumn<bool>("emailLogin");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("device accounts") << true << false << "Sign in or create an account"
                                     << QStringList{"Sign In", "Start without signing up"};
    QTest::newRow("e-mail codes") << false << true << "Sign in with a password"
                                  << QStringList{"Sign In", "Use an email code"};
    QTest::newRow("neither") << false << false << "Sign in or create an account"
                             << QStringList{"Sign In", "Create Account"};
}

void AccountPaneTest::passwordCardChoices()
{
    QFETCH(bool, devices);
    QFETCH(bool, emailLogin);
    Scene scene(false, devices, emailLogin);
    AccountPaneState &s = scene.state();
    if (devices || emailLogin) {
        QVERIFY(s.card() != AccountPaneState::Card::password);
        s.setUsePassword(true);
    }
    QVERIFY(scene.settle());
    QCOMPARE(s.card(), AccountPaneState::Card::password);
    QTEST(s.passwordCardTitle(), "title");
    QTEST(scene.buttons(), "buttons");
    // The whole row waits for both fields.
    QVERIFY(!s.canSignIn());
    s.setEmail(kEmail);
    QVERIFY(!s.canSignIn());
    s.setPassword(kPassword);
    QVERIFY(s.canSignIn());
    if (devices || emailLogin) {
        s.setUsePassword(false);
        QVERIFY(s.card() != AccountPaneState::Card::password);
    }
}

void AccountPaneTest::secretsAreClearedAndNeverWritten()
{
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepLog);
    Scene scene(false, false, false);
    scene.service.addAccount(kEmail, kPassword);
    AccountPaneState &s = scene.state();

    // A failed sign-in: password gone, e-mail kept.
    s.setEmail(kEmail);
    s.setPassword(QStringLiteral("wrong-password-1"));
    s.signInWithPassword(false);
    QVERIFY(scene.settle());
    QCOMPARE(s.message(), QStringLiteral("The email or password is incorrect."));
    QCOMPARE(s.password(), QString());
    QCOMPARE(s.email(), kEmail);

    // A sign-up that the service refuses with a code the table lacks ("weak-password").
    s.setPassword(QStringLiteral("short"));
    s.signInWithPassword(true);
    QVERIFY(scene.settle());
    QCOMPARE(s.message(), QStringLiteral("The request failed (400)."));
    QCOMPARE(s.password(), QString());

    // A good sign-in, then a password change with a wrong current password, then a good one.
    s.setPassword(kPassword);
    s.signInWithPassword(false);
    QVERIFY(scene.settle());
    QVERIFY(s.signedIn());
    QCOMPARE(s.password(), QString());
    s.toggleManaging(AccountPaneState::Managing::password);
    s.setPassword(QStringLiteral("not-the-current"));
    s.setNewPassword(QStringLiteral("a-new-password-2"));
    QVERIFY(s.canChangePassword());
    s.changePassword();
    QVERIFY(scene.settle());
    QCOMPARE(s.message(), QStringLiteral("The current password is incorrect."));
    QCOMPARE(s.managing(), AccountPaneState::Managing::password);
    QCOMPARE(s.password(), QString());
    QCOMPARE(s.newPassword(), QString());
    s.setPassword(kPassword);
    s.setNewPassword(QStringLiteral("a-new-password-2"));
    s.changePassword();
    QVERIFY(scene.settle());
    QCOMPARE(s.message(), QStringLiteral("Password changed."));
    QCOMPARE(s.managing(), AccountPaneState::Managing::none);
    QCOMPARE(scene.service.passwordOf(kEmail), QStringLiteral("a-new-password-2"));

    qInstallMessageHandler(previous);
    const QByteArray files = scene.files();
    QVERIFY(files.contains("token"));   // the account file was written
    for (const char *secret : {"hunter2-secret", "wrong-password-1", "not-the-current", "a-new-password-2", "short"}) {
        QVERIFY2(!files.contains(secret), secret);
        for (const QString &line : std::as_const(logged))
            QVERIFY2(!line.contains(QString::fromLatin1(secret)), qPrintable(line));
    }
}

void AccountPaneTest::signedInForms()
{
    Scene scene(false, false, true);
    scene.service.addAccount(kEmail, kPassword);
    vt::test::await(scene.account->authenticate(false, kEmail, kPassword));
    vt::test::await(scene.account->refresh(false));
    AccountPaneState &s = scene.state();
    QVERIFY(scene.settle());
    QCOMPARE(s.headerTitle(), kEmail);
    QCOMPARE(s.badge(), QStringLiteral("O"));
    QVERIFY(!s.showsLinkCard());
    QCOMPARE(s.passwordRowTitle(), QStringLiteral("Change password"));
    QCOMPARE(scene.buttons(), (QStringList{"Sign out", "Change", "Delete"}));
    // One form at a time; every press empties the passwords and the status line.
    s.toggleManaging(AccountPaneState::Managing::remove);
    s.setPassword("typed");
    s.toggleManaging(AccountPaneState::Managing::password);
    QCOMPARE(s.managing(), AccountPaneState::Managing::password);
    QCOMPARE(s.password(), QString());
    s.toggleManaging(AccountPaneState::Managing::password);
    QCOMPARE(s.managing(), AccountPaneState::Managing::none);
    // Deleting asks for the current password, then signs out.
    s.toggleManaging(AccountPaneState::Managing::remove);
    QVERIFY(scene.settle());
    QVERIFY(s.deleteFieldSecure());
    QVERIFY(!s.canDelete());
    s.setPassword(kPassword);
    QVERIFY(s.canDelete());
    s.deleteAccount();
    QVERIFY(scene.settle());
    QVERIFY(!s.signedIn());
    QCOMPARE(s.message(), QStringLiteral("Account deleted."));
    QCOMPARE(s.password(), QString());
    QVERIFY(!scene.service.hasAccount(kEmail));
}

void AccountPaneTest::deviceAccountLinksAnEmail()
{
    Scene scene(false, true, true);
    AccountPaneState &s = scene.state();
    s.startDevice();
    QVERIFY(scene.settle());
    QVERIFY(s.deviceAccount());
    QVERIFY(s.showsLinkCard());
    QVERIFY(!s.showsPasswordRow());
    QCOMPARE(s.headerTitle(), QStringLiteral("This computer"));
    QVERIFY2(s.headerSubtitle().startsWith("ID ") || s.headerSubtitle() == "Using it without signing up",
             qPrintable(s.headerSubtitle()));
    QVERIFY(s.canDelete());   // no field for a device account
    s.setEmail(kEmail);
    s.sendCode();
    QVERIFY(scene.settle());
    QVERIFY(s.codeSent());
    // Five digits keep "Link" disabled; six with a dash between enable it.
    s.setCode("12345");
    QVERIFY(!s.canVerify());
    const QString good = scene.service.codeFor(kEmail);
    s.setCode(good.left(3) + "-" + good.mid(3));
    QVERIFY(s.canVerify());
    s.verifyCode();
    QVERIFY(scene.settle());
    QCOMPARE(s.message(), QStringLiteral("Email linked. Sign in with it on another computer to carry on."));
    QVERIFY(!s.deviceAccount());
    QCOMPARE(scene.account->emailText(), kEmail);
    // A changed address hides the code field again.
    s.setEmail("other@example.com");
    QVERIFY(!s.codeSent());
    QCOMPARE(s.code(), QString());
}

// "Email me a code", pressed: the sentence saying where the code went stands right under the
// buttons that sent it, in view, not at the pane's foot.
void AccountPaneTest::codeSentSaysWhereUnderItsButton()
{
    Scene scene(false, false, true);
    scene.pane->resize(640, 900);
    scene.pane->setAttribute(Qt::WA_DontShowOnScreen);
    scene.pane->show();
    AccountPaneState &s = scene.state();
    s.setEmail(kEmail);
    QVERIFY(scene.settle());
    QPushButton *send = nullptr;
    for (QPushButton *b : scene.pane->findChildren<QPushButton *>())
        if (b->isVisibleTo(scene.pane.get()) && b->text() == "Email me a code")
            send = b;
    QVERIFY(send);
    QTest::mouseClick(send, Qt::LeftButton);
    QVERIFY(scene.settle());
    QVERIFY(s.codeSent());
    QLabel *sent = scene.pane->findChild<QLabel *>("codeSentLine");
    QVERIFY(sent);
    QVERIFY(sent->isVisibleTo(scene.pane.get()));
    QCOMPARE(sent->text(), QStringLiteral("\u2713 ") + AccountPaneState::sentMessage(kEmail));
    QPushButton *again = nullptr;
    for (QPushButton *b : scene.pane->findChildren<QPushButton *>())
        if (b->isVisibleTo(scene.pane.get()) && b->text() == "Send again")
            again = b;
    QVERIFY(again);
    const int below = sent->mapTo(scene.pane.get(), QPoint(0, 0)).y()
        - again->mapTo(scene.pane.get(), QPoint(0, again->height())).y();
    QVERIFY2(below >= 0 && below < 40, qPrintable(QString::number(below)));
    // Said once.
    int lines = 0;
    for (QLabel *l : scene.pane->findChildren<QLabel *>())
        lines += l->isVisibleTo(scene.pane.get()) && l->text().contains(kEmail) && l->text().contains("code") ? 1 : 0;
    QCOMPARE(lines, 1);
}

void AccountPaneTest::typingKeepsTheFocus()
{
    Scene scene(false, false, true);
    scene.pane->setAttribute(Qt::WA_DontShowOnScreen);
    scene.pane->show();
    AccountPaneState &s = scene.state();
    s.setEmail(kEmail);
    s.sendCode();
    QVERIFY(scene.settle());
    QVERIFY(s.codeSent());
    QLineEdit *email = nullptr;
    for (QLineEdit *edit : scene.pane->findChildren<QLineEdit *>())
        if (edit->isVisibleTo(scene.pane.get()) && edit->placeholderText() == "Email")
            email = edit;
    QVERIFY(email);
    QApplication::setActiveWindow(scene.pane.get());
    email->setFocus();
    email->setCursorPosition(5);
    // Typing changes the address: the code field goes, the e-mail field keeps the focus.
    QTest::keyClick(email, Qt::Key_X);
    QVERIFY(scene.settle());
    QVERIFY(!s.codeSent());
    QCOMPARE(s.email(), QStringLiteral("ownerx@example.com"));
    auto *focused = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(focused);
    QCOMPARE(focused->placeholderText(), QStringLiteral("Email"));
    QCOMPARE(focused->cursorPosition(), 6);
    QTest::keyClick(focused, Qt::Key_Y);
    QCOMPARE(s.email(), QStringLiteral("ownerxy@example.com"));
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QApplication app(argc, argv);
    AccountPaneTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_account_pane.moc"
