// The service client against the local stand-in service: endpoint choice, the account file,
// retries and back-off, sign-out on a rejected token, every account operation and the AI check.
#include "Base/AppSettings.h"
#include "Await.h"
#include "FakeService.h"
#include "Base/Lang.h"
#include "Rules/AIRules.h"
#include "Service/VeltraneAccount.h"
#include "LanguageScope.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using vt::test::FakeService;
using vt::test::HttpReply;
using vt::test::HttpRequest;
using vt::test::HttpResponder;
using Fault = FakeService::Fault;

Q_DECLARE_METATYPE(FakeService::Fault)
Q_DECLARE_METATYPE(std::optional<AIScore>)

namespace QTest {
template <>
char *toString(const std::optional<APIFailure> &f)
{
    return f ? qstrdup(f->what()) : qstrdup("no failure");
}
}   // namespace QTest

namespace {

QCoro::Task<void> recordPause(std::shared_ptr<QList<double>> log, double seconds)
{
    log->append(seconds);
    co_return;
}

template <typename T>
std::optional<APIFailure> failureOf(QCoro::Task<T> task)
{
    try {
        vt::test::await(std::move(task), 20000);
    } catch (const APIFailure &f) {
        return f;
    }
    return std::nullopt;
}

QJsonObject readJsonFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

int modeOf(const QString &path)
{
    struct stat st { };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

QString bearer(const HttpRequest &r)
{
    const QByteArray a = r.header("authorization");
    return a.startsWith("Bearer ") ? QString::fromUtf8(a.mid(7)) : QString();
}

// A stand-in service and a client of it with its own account file and recorded pauses.
struct Fixture {
    FakeService service;
    QTemporaryDir dir;
    std::shared_ptr<QList<double>> pauses = std::make_shared<QList<double>>();
    std::unique_ptr<VeltraneAccount> account;

    Fixture()
    {
        if (!service.start())
            qFatal("cannot start the stand-in service");
        reopen();
    }
    QString store() const { return dir.filePath(QStringLiteral("Veltrane/account.json")); }
    VeltraneAccount &reopen()
    {
        auto log = pauses;
        account = std::make_unique<VeltraneAccount>(service.url(), store(), VeltraneAccount::Transport(),
                                                    [log](double s) { return recordPause(log, s); });
        return *account;
    }
    QString fileToken() const { return readJsonFile(store()).value(QStringLiteral("token")).toString(); }
    void signIn(const QString &email = QStringLiteral("owner@example.com"),
                const QString &pw = QStringLiteral("password1"))
    {
        if (!service.hasAccount(email))
            service.addAccount(email, pw);
        vt::test::await(account->authenticate(false, email, pw));
    }
    void signInDevice() { vt::test::await(account->startDevice()); }
};

}   // namespace

class ServiceTest : public QObject {
    Q_OBJECT
private slots:
    // ---- endpoint ----

    void endpoint_data()
    {
        QTest::addColumn<QVariant>("value");     // invalid: no value
        QTest::addColumn<QString>("expected");   // empty: the default endpoint
        QTest::newRow("none") << QVariant() << QString();
        QTest::newRow("local http, trailing slash") << QVariant("http://localhost:8787/") << "http://localhost:8787";
        QTest::newRow("loopback http") << QVariant("http://127.0.0.1:9000") << "http://127.0.0.1:9000";
        QTest::newRow("https with spaces and slashes")
            << QVariant("  https://svc.example.com// ") << "https://svc.example.com";
        QTest::newRow("https with port") << QVariant("https://svc.example.com:8443") << "https://svc.example.com:8443";
        QTest::newRow("http on another host") << QVariant("http://svc.example.com") << QString();
        QTest::newRow("https with a path") << QVariant("https://svc.example.com/v1") << QString();
        QTest::newRow("user part") << QVariant("https://me@svc.example.com") << QString();
        QTest::newRow("query") << QVariant("https://svc.example.com?x=1") << QString();
        QTest::newRow("fragment is no reason to refuse")
            << QVariant("https://svc.example.com#top") << "https://svc.example.com#top";
        QTest::newRow("other scheme") << QVariant("ftp://localhost") << QString();
        QTest::newRow("empty") << QVariant("") << QString();
        QTest::newRow("no host") << QVariant("https://") << QString();
        QTest::newRow("garbage") << QVariant("not a url at all") << QString();
    }

    void endpoint()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, expected);
        const std::optional<QString> v = value.isValid() ? std::optional<QString>(value.toString()) : std::nullopt;
        const QUrl url = VeltraneAccount::configuredServer(v);
        QCOMPARE(url, expected.isEmpty() ? VeltraneAccount::defaultServer() : QUrl(expected));
        QVERIFY(url.path().isEmpty());
    }

    void environmentAndSetting_data()
    {
        QTest::addColumn<QVariant>("env");       // invalid: VT_SERVER_URL unset
        QTest::addColumn<QVariant>("setting");   // invalid: no "vt.serverUrl"
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("file");
        QTest::newRow("env local with slash")
            << QVariant("http://localhost:8787/") << QVariant("https://other.example.com") << "http://localhost:8787"
            << "account-localhost-8787.json";
        QTest::newRow("empty env beats a valid setting")
            << QVariant("") << QVariant("https://svc.example.com") << QString() << "account.json";
        QTest::newRow("refused env does not fall through")
            << QVariant("http://svc.example.com") << QVariant("https://svc.example.com") << QString() << "account.json";
        QTest::newRow("setting when env unset")
            << QVariant() << QVariant("https://svc.example.com:8443/") << "https://svc.example.com:8443"
            << "account-svc.example.com-8443.json";
        QTest::newRow("setting without port")
            << QVariant() << QVariant("https://svc.example.com") << "https://svc.example.com"
            << "account-svc.example.com-0.json";
        QTest::newRow("setting of the wrong type") << QVariant() << QVariant(true) << QString() << "account.json";
        QTest::newRow("nothing") << QVariant() << QVariant() << QString() << "account.json";
    }

    void environmentAndSetting()
    {
        QFETCH(QVariant, env);
        QFETCH(QVariant, setting);
        QFETCH(QString, expected);
        QFETCH(QString, file);
        if (env.isValid())
            qputenv("VT_SERVER_URL", env.toString().toUtf8());
        else
            qunsetenv("VT_SERVER_URL");
        AppSettings::shared().setValue(QStringLiteral("vt.serverUrl"), setting);
        const auto restore = qScopeGuard([] {
            qunsetenv("VT_SERVER_URL");
            AppSettings::shared().remove(QStringLiteral("vt.serverUrl"));
        });
        const QUrl url = VeltraneAccount::configuredServer();
        QCOMPARE(url, expected.isEmpty() ? VeltraneAccount::defaultServer() : QUrl(expected));
        VeltraneAccount account;
        QCOMPARE(account.server(), url);
        QCOMPARE(account.store(), qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Veltrane/") + file);
    }

    void accountFileName_data()
    {
        QTest::addColumn<QUrl>("server");
        QTest::addColumn<QString>("file");
        QTest::newRow("default endpoint") << VeltraneAccount::defaultServer() << "account.json";
        QTest::newRow("local host and port") << QUrl("http://localhost:8787") << "account-localhost-8787.json";
        QTest::newRow("no port") << QUrl("https://svc.example.com") << "account-svc.example.com-0.json";
        QTest::newRow("no host") << QUrl("file:///srv") << "account-dev-0.json";
    }

    void accountFileName()
    {
        QFETCH(QUrl, server);
        QFETCH(QString, file);
        QCOMPARE(VeltraneAccount::defaultStore(server),
                 qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Veltrane/") + file);
    }

    // ---- account file ----

    void accountFileIsRead_data()
    {
        QTest::addColumn<QByteArray>("content");   // %SERVER% stands for the endpoint
        QTest::addColumn<bool>("signedIn");
        QTest::addColumn<QString>("email");
        QTest::newRow("ours") << QByteArray("{\"token\":\"t1\",\"email\":\"a@b.co\",\"server\":\"%SERVER%\"}") << true
                              << "a@b.co";
        QTest::newRow("empty email") << QByteArray("{\"token\":\"t1\",\"email\":\"\",\"server\":\"%SERVER%\"}") << true
                                     << QString();
        QTest::newRow("another endpoint")
            << QByteArray("{\"token\":\"t1\",\"email\":\"\",\"server\":\"http://localhost:1\"}") << false << QString();
        QTest::newRow("empty token") << QByteArray("{\"token\":\"\",\"email\":\"a@b.co\",\"server\":\"%SERVER%\"}")
                                     << false << QString();
        // Members it does not know, or of another type, do not hide a readable sign-in.
        QTest::newRow("extra non-string member")
            << QByteArray("{\"token\":\"t1\",\"email\":\"a@b.co\",\"server\":\"%SERVER%\",\"plan\":2}") << true
            << "a@b.co";
        QTest::newRow("e-mail of another type")
            << QByteArray("{\"token\":\"t1\",\"email\":null,\"server\":\"%SERVER%\"}") << true << QString();
        // However much else it holds, only the token and the endpoint need reading.
        QTest::newRow("larger than 64 KiB")
            << QByteArray("{\"token\":\"t1\",\"email\":\"a@b.co\",\"server\":\"%SERVER%\",\"notes\":\"%PAD%\"}") << true
            << "a@b.co";
        QTest::newRow("not JSON") << QByteArray("{\"token\":") << false << QString();
        QTest::newRow("an array") << QByteArray("[]") << false << QString();
    }

    void accountFileIsRead()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, signedIn);
        QFETCH(QString, email);
        Fixture f;
        writeFile(f.store(),
                  content.replace("%SERVER%", f.service.url().toString().toUtf8())
                      .replace("%PAD%", QByteArray(200 * 1024, 'x')));
        VeltraneAccount &a = f.reopen();
        QCOMPARE(a.hasToken(), signedIn);
        QCOMPARE(a.ready(), signedIn);
        QCOMPARE(a.emailText(), email);
        QCOMPARE(a.email().has_value(), !email.isEmpty());
        // The token read is the one sent.
        vt::test::await(a.refresh(false));
        const auto me = f.service.requests(QStringLiteral("api/me"));
        QCOMPARE(me.size(), signedIn ? 1 : 0);
        if (signedIn)
            QCOMPARE(bearer(me.first()), QStringLiteral("t1"));
    }

    // A file that holds no usable sign-in is left as it is until a sign-in has to be saved; then
    // it is kept aside, never written over, and the notice says where.
    void unreadableAccountFileIsKeptAside_data()
    {
        QTest::addColumn<QByteArray>("content");   // %SERVER% stands for the endpoint
        QTest::addColumn<QString>("why");
        QTest::newRow("cut short") << QByteArray("{\"token\":\"paid-plan-token\",\"email\":\"a@b.co\",\"ser")
                                   << "damaged or cut short";
        QTest::newRow("an array") << QByteArray("[\"t1\"]") << "damaged or cut short";
        QTest::newRow("token of another type")
            << QByteArray("{\"token\":7,\"server\":\"%SERVER%\"}") << "holds no sign-in";
        QTest::newRow("empty token") << QByteArray("{\"token\":\"\",\"email\":\"a@b.co\",\"server\":\"%SERVER%\"}")
                                     << "holds no sign-in";
        QTest::newRow("another endpoint") << QByteArray("{\"token\":\"t1\",\"server\":\"http://localhost:1\"}")
                                          << "another server (http://localhost:1)";
    }
    void unreadableAccountFileIsKeptAside()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, why);
        Fixture f;
        content.replace("%SERVER%", f.service.url().toString().toUtf8());
        writeFile(f.store(), content);
        VeltraneAccount &a = f.reopen();
        QVERIFY(!a.hasToken());
        QVERIFY(a.fileUnreadable());
        const QString waiting = inLanguage(false, [&] { return a.fileNotice(); });
        QVERIFY2(waiting.contains(why) && waiting.contains(f.store()), qPrintable(waiting));
        QVERIFY(!inLanguage(true, [&] { return a.fileNotice(); }).isEmpty()
                && inLanguage(true, [&] { return a.fileNotice(); }) != waiting);
        // Reading and a refresh without a new sign-in change nothing.
        vt::test::await(a.refresh(false));
        QCOMPARE(readFile(f.store()), content);

        QSignalSpy changed(&a, &VeltraneAccount::changed);
        f.signInDevice();
        QVERIFY(a.hasToken());
        QVERIFY(changed.count() > 0);
        const QString aside = a.keptAside();
        QVERIFY(aside.startsWith(f.store() + ".unreadable-"));
        QCOMPARE(readFile(aside), content);
        QVERIFY(f.service.tokenValid(f.fileToken()));
        const QString told = inLanguage(false, [&] { return a.fileNotice(); });
        QVERIFY2(told.contains(why) && told.contains(aside), qPrintable(told));
        QVERIFY(inLanguage(true, [&] { return a.fileNotice(); }).contains(aside));
        // Later writes go to the new file only; the kept copy stays as it was.
        f.signIn();
        QCOMPARE(readFile(aside), content);
        QCOMPARE(QDir(QFileInfo(f.store()).absolutePath()).entryList(QDir::Files | QDir::Hidden).size(), 2);
        // The next start reads the new file and has nothing to say.
        QVERIFY(f.reopen().hasToken());
        QVERIFY(inLanguage(false, [&] { return f.account->fileNotice(); }).isEmpty());
    }

    // Links planted in the data folder, at the file's place or at the names a file is kept aside
    // under, are never written or copied through: what they lead to stays as it was, the file and
    // its kept copy stay owner-only in the folder, and a link in the file's place is kept aside.
    void linksAreNeverFollowed_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::newRow("link to nowhere in the file's place") << "file, dangling";
        QTest::newRow("link to a file in the file's place") << "file, to a file";
        QTest::newRow("links to nowhere at the kept-aside names") << "aside";
    }
    void linksAreNeverFollowed()
    {
        QFETCH(QString, planted);
        Fixture f;
        const QString outside = f.dir.filePath(QStringLiteral("outside"));
        QVERIFY(QDir().mkpath(outside));
        QVERIFY(QDir().mkpath(QFileInfo(f.store()).absolutePath()));
        const QByteArray cutShort("{\"token\":\"paid-plan-token\",\"email\":\"a@b.co\",\"ser");
        QStringList targets;
        if (planted.startsWith("file")) {
            targets << outside + QStringLiteral("/target.json");
            if (planted.endsWith("to a file"))
                writeFile(targets.first(), "theirs");
            QVERIFY(QFile::link(targets.first(), f.store()));
        } else {
            writeFile(f.store(), cutShort);
            // Every name the next few minutes could give the kept copy.
            const QDateTime now = QDateTime::currentDateTime();
            for (int s = -2; s < 240; ++s) {
                const QString stamp = now.addSecs(s).toString(QStringLiteral("yyyyMMdd-HHmmss"));
                targets << outside + QStringLiteral("/aside-") + stamp;
                QVERIFY(QFile::link(targets.last(), f.store() + QStringLiteral(".unreadable-") + stamp));
            }
        }
        VeltraneAccount &a = f.reopen();
        QVERIFY(!a.hasToken());
        QVERIFY(a.fileUnreadable());
        if (planted.startsWith("file"))
            QVERIFY2(inLanguage(false, [&] { return a.fileNotice(); }).contains("link to " + targets.first()),
                     qPrintable(a.fileNotice()));

        f.signInDevice();
        QVERIFY(a.hasToken());
        for (const QString &target : std::as_const(targets)) {
            if (planted.endsWith("to a file"))
                QCOMPARE(readFile(target), QByteArray("theirs"));
            else
                QVERIFY2(!QFileInfo::exists(target), qPrintable(target));
        }
        QVERIFY(!QFileInfo(f.store()).isSymLink());
        QCOMPARE(modeOf(f.store()), 0600);
        QVERIFY(f.service.tokenValid(f.fileToken()));
        const QString aside = a.keptAside();
        QVERIFY2(aside.startsWith(f.store() + ".unreadable-"), qPrintable(aside));
        if (planted.startsWith("file")) {
            // The link itself went aside, still leading where it led.
            QCOMPARE(QFileInfo(aside).symLinkTarget(), targets.first());
        } else {
            QVERIFY(!QFileInfo(aside).isSymLink());
            QCOMPARE(readFile(aside), cutShort);
            QCOMPARE(modeOf(aside) & 0077, 0);
        }
        QVERIFY2(inLanguage(false, [&] { return a.fileNotice(); }).contains(aside), qPrintable(a.fileNotice()));
        // The next start reads the new file.
        QVERIFY(f.reopen().hasToken());
    }

    void accountFileIsPrivateAndWhole()
    {
        Fixture f;
        QVERIFY(!QFileInfo::exists(QFileInfo(f.store()).absolutePath()));
        f.signIn();
        const QFileInfo info(f.store());
        QCOMPARE(modeOf(f.store()), 0600);
        QCOMPARE(modeOf(info.absolutePath()), 0700);
        const QJsonObject o = readJsonFile(f.store());
        QCOMPARE(o.keys(), (QStringList{"email", "server", "token"}));
        QCOMPARE(o.value("server").toString(), f.service.url().toString());
        QCOMPARE(o.value("email").toString(), QStringLiteral("owner@example.com"));
        QVERIFY(f.service.tokenValid(o.value("token").toString()));
        // Nothing but the file itself is left in the folder.
        QCOMPARE(QDir(info.absolutePath()).entryList(QDir::Files | QDir::Hidden), QStringList{"account.json"});
        // A new client of the same endpoint starts signed in.
        QVERIFY(f.reopen().hasToken());
        QCOMPARE(f.account->emailText(), QStringLiteral("owner@example.com"));
        // A device account keeps an empty e-mail.
        Fixture d;
        d.signInDevice();
        QCOMPARE(readJsonFile(d.store()).value("email").toString(), QString());
    }

    void failedWriteKeepsTheOldFile()
    {
        Fixture f;
        f.signIn();
        const QByteArray before = [&] {
            QFile x(f.store());
            x.open(QIODevice::ReadOnly);
            return x.readAll();
        }();
        // Writes beyond a few bytes fail (as on a full disk); root ignores permissions, this it cannot.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit tiny = old;
        tiny.rlim_cur = 8;
        setrlimit(RLIMIT_FSIZE, &tiny);
        bool threw = false;
        try {
            vt::test::await(f.account->changePassword(QStringLiteral("password1"), QStringLiteral("password2")));
        } catch (...) {
            threw = true;
        }
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(!threw);
        QFile after(f.store());
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), before);
        QCOMPARE(QDir(QFileInfo(f.store()).absolutePath()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"account.json"});
        // Still signed in for this run, with the new token.
        QVERIFY(f.account->hasToken());
        vt::test::await(f.account->refresh(false));
        const auto me = f.service.requests(QStringLiteral("api/me"));
        QVERIFY(f.service.tokenValid(bearer(me.last())));
        QVERIFY(bearer(me.last()) != QJsonDocument::fromJson(before).object().value("token").toString());
    }

    // ---- requests ----

    void headers()
    {
        Fixture f;
        f.signIn();
        vt::test::await(f.account->check({QStringLiteral("hi")}, {QStringLiteral("spam")}, false));
        vt::test::await(f.account->refresh(false));
        const auto check = f.service.requests(QStringLiteral("api/ai/check")).first();
        QCOMPARE(check.method, QByteArray("POST"));
        QCOMPARE(check.header("accept"), QByteArray("application/json"));
        QCOMPARE(check.header("accept-language"), QByteArray(Lang::system() ? "ko" : "en"));
        QCOMPARE(check.header("content-type"), QByteArray("application/json"));
        QVERIFY(!bearer(check).isEmpty());
        QVERIFY(!check.body.contains('\n'));   // compact JSON
        const auto status = f.service.requests(QStringLiteral("api/status")).first();
        QCOMPARE(status.method, QByteArray("GET"));
        QVERIFY(status.header("authorization").isEmpty());   // auth none even when signed in
        QVERIFY(status.header("content-type").isEmpty());
        QVERIFY(status.body.isEmpty());
    }

    void requiredCallWithoutTokenSendsNothing()
    {
        Fixture f;
        QCOMPARE(failureOf(f.account->sendLinkCode(QStringLiteral("a@b.co"))), APIFailure(401, "signed-out"));
        QCOMPARE(failureOf(f.account->changePassword({}, QStringLiteral("password9"))), APIFailure(401, "signed-out"));
        QCOMPARE(failureOf(f.account->deleteAccount({})), APIFailure(401, "signed-out"));
        QCOMPARE(f.service.requestCount(), 0);
    }

    void retries_data()
    {
        QTest::addColumn<QList<Fault>>("faults");
        QTest::addColumn<QList<double>>("waits");
        QTest::addColumn<int>("status");   // -1: success
        QTest::addColumn<QString>("code");
        const Fault close = Fault::close();
        QTest::newRow("dropped once") << QList<Fault>{close} << QList<double>{0.5} << -1 << QString();
        QTest::newRow("dropped three times")
            << QList<Fault>{close, close, close} << QList<double>{0.5, 1, 2} << -1 << QString();
        QTest::newRow("dropped four times")
            << QList<Fault>{close, close, close, close} << QList<double>{0.5, 1, 2} << 0 << "unreachable";
        QTest::newRow("429 Retry-After 1") << QList<Fault>{Fault::tooMany(1)} << QList<double>{1} << -1 << QString();
        QTest::newRow("429 Retry-After 3") << QList<Fault>{Fault::tooMany(3)} << QList<double>{3} << -1 << QString();
        QTest::newRow("429 Retry-After 20 still waited")
            << QList<Fault>{Fault::tooMany(20)} << QList<double>{20} << -1 << QString();
        QTest::newRow("429 Retry-After 30 not waited")
            << QList<Fault>{Fault::tooMany(30)} << QList<double>{} << 429 << "busy";
        QTest::newRow("429 without Retry-After")
            << QList<Fault>{Fault::tooMany(-1), Fault::tooMany(-1)} << QList<double>{0.5, 1} << -1 << QString();
        QTest::newRow("429 then dropped share the counter")
            << QList<Fault>{Fault::tooMany(2), close, Fault::tooMany(-1), Fault::tooMany(1)} << QList<double>{2, 1, 2}
            << 429 << "busy";
        QTest::newRow("503 is not retried")
            << QList<Fault>{Fault::withStatus(503, "ai-off")} << QList<double>{} << 503 << "ai-off";
        QTest::newRow("500 without JSON") << QList<Fault>{Fault::withStatus(500)} << QList<double>{} << 500 << "failed";
    }

    void retries()
    {
        QFETCH(QList<Fault>, faults);
        QFETCH(QList<double>, waits);
        QFETCH(int, status);
        QFETCH(QString, code);
        Fixture f;
        f.service.testMode = true;
        for (const Fault &fault : faults)
            f.service.fail(QStringLiteral("api/ai/check"), fault);
        auto task = f.account->check({QStringLiteral("casino here"), QStringLiteral("fine")}, {QStringLiteral("spam")},
                                     false);
        if (status < 0) {
            const auto checked = vt::test::await(std::move(task), 20000);
            QCOMPARE(checked.scores.size(), 2);
            QVERIFY(checked.scores[0] && checked.scores[0]->spam > 0.9);
        } else {
            QCOMPARE(failureOf(std::move(task)), APIFailure(status, code));
        }
        QCOMPARE(*f.pauses, waits);
        QCOMPARE(f.service.requestCount(QStringLiteral("api/ai/check")), waits.size() + 1);
    }

    void defaultPauseWaitsForRetryAfter()
    {
        FakeService service;
        QVERIFY(service.start());
        service.testMode = true;
        service.fail(QStringLiteral("api/ai/check"), Fault::tooMany(1));
        VeltraneAccount account(service.url(), QString());
        QElapsedTimer clock;
        clock.start();
        vt::test::await(account.check({QStringLiteral("x")}, {QStringLiteral("spam")}, false));
        QVERIFY2(clock.elapsed() >= 950, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(service.requestCount(), 2);
    }

    void accountCallsDoNotRetry()
    {
        Fixture f;
        f.service.fail(QStringLiteral("api/auth/login"), Fault::close());
        f.service.addAccount(QStringLiteral("a@b.co"), QStringLiteral("password1"));
        QCOMPARE(failureOf(f.account->authenticate(false, QStringLiteral("a@b.co"), QStringLiteral("password1"))),
                 APIFailure(0, "unreachable"));
        f.service.fail(QStringLiteral("api/auth/login"), Fault::tooMany(1));
        QCOMPARE(failureOf(f.account->authenticate(false, QStringLiteral("a@b.co"), QStringLiteral("password1"))),
                 APIFailure(429, "busy"));
        QCOMPARE(f.service.requestCount(), 2);
        QVERIFY(f.pauses->isEmpty());
    }

    void timeLimit()
    {
        Fixture f;
        f.account->setRequestTimeout(200);
        f.service.latencyMs = 2000;
        QCOMPARE(failureOf(f.account->sendEmailCode(QStringLiteral("a@b.co"))), APIFailure(0, "unreachable"));
    }

    void badReplies_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("status");   // -1: success with no scores
        QTest::newRow("malformed 200") << Fault::malformed() << -1;
        QTest::newRow("malformed 500") << Fault::malformed(500) << 500;
        QTest::newRow("empty 200") << Fault::withStatus(200) << -1;
        QTest::newRow("oversized 200") << Fault::oversized(VeltraneAccount::kMaxReplyBytes + 1024) << 200;
        QTest::newRow("just under the cap") << Fault::oversized(VeltraneAccount::kMaxReplyBytes - 1024) << -1;
    }

    void badReplies()
    {
        QFETCH(Fault, fault);
        QFETCH(int, status);
        Fixture f;
        f.service.testMode = true;
        f.service.fail(QStringLiteral("api/ai/check"), fault);
        auto task = f.account->check({QStringLiteral("a"), QStringLiteral("b")}, {QStringLiteral("spam")}, false);
        if (status < 0) {
            const auto checked = vt::test::await(std::move(task));
            QCOMPARE(checked.scores, (QList<std::optional<AIScore>>{std::nullopt, std::nullopt}));
        } else {
            const auto failure = failureOf(std::move(task));
            QVERIFY(failure);
            QCOMPARE(failure->status, status);
            QCOMPARE(failure->code, QStringLiteral("failed"));
            QVERIFY(!AIRules::message(*failure).isEmpty());
        }
        QCOMPARE(f.service.requestCount(), 1);
    }

    void redirects_data()
    {
        QTest::addColumn<bool>("sameOrigin");
        QTest::newRow("same origin is followed") << true;
        QTest::newRow("another origin is refused") << false;
    }

    void redirects()
    {
        QFETCH(bool, sameOrigin);
        Fixture f;
        f.signIn();
        FakeService other;
        QVERIFY(other.start());
        const QUrl target =
            (sameOrigin ? f.service.url() : other.url()).resolved(QUrl(QStringLiteral("/api/ai/check")));
        f.service.fail(QStringLiteral("api/ai/check"), Fault::redirect(target, 307));
        auto task = f.account->check({QStringLiteral("casino")}, {QStringLiteral("spam")}, false);
        if (sameOrigin) {
            const auto checked = vt::test::await(std::move(task));
            QVERIFY(checked.scores.value(0));
            const auto sent = f.service.requests(QStringLiteral("api/ai/check"));
            QCOMPARE(sent.size(), 2);
            QCOMPARE(bearer(sent.last()), bearer(sent.first()));
        } else {
            QCOMPARE(failureOf(std::move(task)), APIFailure(307, "failed"));
            QCOMPARE(other.requestCount(), 0);   // the token never reached it
            QVERIFY(f.account->hasToken());
        }
    }

    void signOutOnRejectedToken_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<bool>("signedOut");
        QTest::newRow("signed-out") << QByteArray("signed-out") << true;
        QTest::newRow("any other code") << QByteArray("expired") << true;
        QTest::newRow("no JSON") << QByteArray() << true;
        QTest::newRow("bad-login keeps the sign-in") << QByteArray("bad-login") << false;
    }

    void signOutOnRejectedToken()
    {
        QFETCH(QByteArray, code);
        QFETCH(bool, signedOut);
        Fixture f;
        f.signIn();
        vt::test::await(f.account->refresh(false));
        QVERIFY(f.account->supportCode());
        QSignalSpy changed(f.account.get(), &VeltraneAccount::changed);
        f.service.fail(QStringLiteral("api/ai/check"), Fault::withStatus(401, code));
        const auto failure = failureOf(f.account->check({QStringLiteral("x")}, {QStringLiteral("spam")}, false));
        QCOMPARE(failure, APIFailure(401, code.isEmpty() ? QStringLiteral("failed") : QString::fromUtf8(code)));
        QCOMPARE(f.account->hasToken(), !signedOut);
        QCOMPARE(f.account->email().has_value(), !signedOut);
        QCOMPARE(f.account->supportCode().has_value(), !signedOut);
        QCOMPARE(QFileInfo::exists(f.store()), !signedOut);
        QCOMPARE(changed.isEmpty(), !signedOut);
    }

    void rejectedOldTokenKeepsTheNewSignIn()
    {
        Fixture f;
        f.signIn();
        Fault slow = Fault::withStatus(401, "signed-out");
        slow.delayMs = 300;
        f.service.fail(QStringLiteral("api/ai/check"), slow);
        auto pending = f.account->check({QStringLiteral("x")}, {QStringLiteral("spam")}, false);
        f.signIn(QStringLiteral("second@example.com"));
        const QString newToken = f.fileToken();
        QCOMPARE(failureOf(std::move(pending)), APIFailure(401, "signed-out"));
        QVERIFY(f.account->hasToken());
        QCOMPARE(f.account->emailText(), QStringLiteral("second@example.com"));
        QCOMPARE(f.fileToken(), newToken);
    }

    // ---- account operations ----

    void statusFlags_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("testMode");
        QTest::addColumn<bool>("emailLogin");
        QTest::addColumn<bool>("deviceAccounts");
        QTest::newRow("all on") << QByteArray("{\"testMode\":true,\"emailLogin\":true,\"deviceAccount\":true}") << true
                                << true << true;
        QTest::newRow("plural not read") << QByteArray("{\"deviceAccounts\":true}") << false << false << false;
        QTest::newRow("string is not true")
            << QByteArray("{\"testMode\":\"true\",\"emailLogin\":1}") << false << false << false;
    }

    void statusFlags()
    {
        QFETCH(QByteArray, reply);
        QFETCH(bool, testMode);
        QFETCH(bool, emailLogin);
        QFETCH(bool, deviceAccounts);
        Fixture f;
        f.service.server().route("GET", QStringLiteral("/api/status"),
                                 [reply](const HttpRequest &, const HttpResponder &r) {
            r.reply(HttpReply::json(QJsonDocument::fromJson(reply).object()));
        });
        vt::test::await(f.account->refresh(true));
        QCOMPARE(f.account->testMode(), testMode);
        QCOMPARE(f.account->ready(), testMode);
        QCOMPARE(f.account->emailLogin(), emailLogin);
        QCOMPARE(f.account->deviceAccounts(), deviceAccounts);
        // A failed status read keeps the flags.
        f.service.fail(QStringLiteral("api/status"), Fault::withStatus(500));
        vt::test::await(f.account->refresh(false));
        QCOMPARE(f.account->testMode(), testMode);
        QCOMPARE(f.account->deviceAccounts(), deviceAccounts);
    }

    void refreshStartsADeviceAccount_data()
    {
        QTest::addColumn<bool>("autoStart");
        QTest::newRow("autoStart") << true;
        QTest::newRow("no autoStart") << false;
    }

    void refreshStartsADeviceAccount()
    {
        QFETCH(bool, autoStart);
        Fixture f;
        vt::test::await(f.account->refresh(autoStart));
        QStringList paths;
        for (const auto &r : f.service.requests())
            paths << r.path;
        if (!autoStart) {
            QCOMPARE(paths, QStringList{"/api/status"});
            QVERIFY(!f.account->hasToken());
            return;
        }
        QCOMPARE(paths, (QStringList{"/api/status", "/api/device/new", "/api/me"}));
        const auto device = f.service.requests(QStringLiteral("api/device/new")).first();
        QCOMPARE(device.json().toObject(), QJsonObject());
        QVERIFY(device.header("authorization").isEmpty());
        QCOMPARE(bearer(f.service.requests(QStringLiteral("api/me")).first()), f.fileToken());
        QVERIFY(f.account->hasToken());
        QVERIFY(!f.account->email());
        QVERIFY(!f.account->hasPassword());
        QVERIFY(f.account->supportCode());
    }

    void oneDeviceStartAtATime()
    {
        Fixture f;
        f.service.latencyMs = 100;
        auto a = f.account->startDevice();
        auto b = f.account->startDevice();
        vt::test::await(std::move(a));
        vt::test::await(std::move(b));
        QCOMPARE(f.service.requestCount(QStringLiteral("api/device/new")), 1);
        QVERIFY(f.account->hasToken());
        // Both callers get the failure.
        Fixture g;
        g.service.latencyMs = 100;
        g.service.fail(QStringLiteral("api/device/new"), Fault::withStatus(403, "device-off"));
        auto c = g.account->startDevice();
        auto d = g.account->startDevice();
        QCOMPARE(failureOf(std::move(c)), APIFailure(403, "device-off"));
        QCOMPARE(failureOf(std::move(d)), APIFailure(403, "device-off"));
        QCOMPARE(g.service.requestCount(), 1);
        // With a token nothing is sent.
        vt::test::await(f.account->startDevice());
        QCOMPARE(f.service.requestCount(QStringLiteral("api/device/new")), 1);
    }

    void authenticate()
    {
        Fixture f;
        vt::test::await(f.account->authenticate(true, QStringLiteral("new@example.com"), QStringLiteral("password1")));
        const auto signup = f.service.requests(QStringLiteral("api/auth/signup")).first();
        QCOMPARE(signup.json().toObject(), (QJsonObject{{"email", "new@example.com"}, {"password", "password1"}}));
        QVERIFY(signup.header("authorization").isEmpty());
        QCOMPARE(f.account->emailText(), QStringLiteral("new@example.com"));
        QVERIFY(f.account->hasPassword());
        const QString token = f.fileToken();
        QVERIFY(f.service.tokenValid(token));
        // A wrong password fails with "bad-login" and keeps the current sign-in.
        QCOMPARE(failureOf(f.account->authenticate(false, QStringLiteral("new@example.com"), QStringLiteral("wrong"))),
                 APIFailure(401, "bad-login"));
        QCOMPARE(f.fileToken(), token);
        QVERIFY(f.account->hasToken());
        // Signing up twice is the service's refusal.
        QCOMPARE(failureOf(
                     f.account->authenticate(true, QStringLiteral("new@example.com"), QStringLiteral("password1"))),
                 APIFailure(409, "email-taken"));
        // Sign-in replaces the token.
        vt::test::await(f.account->authenticate(false, QStringLiteral("new@example.com"), QStringLiteral("password1")));
        QVERIFY(f.fileToken() != token);
    }

    void signInReplyRules()
    {
        Fixture f;
        f.signIn();
        vt::test::await(f.account->refresh(false));
        const QString code = f.account->supportCodeText();
        QVERIFY(!code.isEmpty());
        // A reply without "code" keeps it; without "hasPassword" means true; without "token" fails.
        f.service.server().route("POST", QStringLiteral("/api/auth/login"),
                                 [](const HttpRequest &, const HttpResponder &r) {
            r.reply(HttpReply::json(QJsonObject{{"token", "tok-x"}, {"email", "x@example.com"}}));
        });
        f.service.server().route("POST", QStringLiteral("/api/auth/signup"),
                                 [](const HttpRequest &, const HttpResponder &r) {
            r.reply(HttpReply::json(QJsonObject{{"email", "y@example.com"}}));
        });
        vt::test::await(f.account->authenticate(false, QStringLiteral("x@example.com"), QStringLiteral("p")));
        QCOMPARE(f.account->supportCodeText(), code);
        QVERIFY(f.account->hasPassword());
        QCOMPARE(f.fileToken(), QStringLiteral("tok-x"));
        QCOMPARE(failureOf(f.account->authenticate(true, QStringLiteral("y@example.com"), QStringLiteral("p"))),
                 APIFailure(0, "failed"));
        QCOMPARE(f.fileToken(), QStringLiteral("tok-x"));
        QCOMPARE(f.account->emailText(), QStringLiteral("x@example.com"));
    }

    void logout_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("sent");
        QTest::addColumn<bool>("signedIn");
        QTest::newRow("e-mail account") << "email" << 1 << false;
        QTest::newRow("device account stays") << "device" << 0 << true;
        QTest::newRow("no token") << "none" << 0 << false;
        QTest::newRow("service failure still signs out") << "failing" << 1 << false;
    }

    void logout()
    {
        QFETCH(QString, kind);
        QFETCH(int, sent);
        QFETCH(bool, signedIn);
        Fixture f;
        if (kind == QLatin1String("email") || kind == QLatin1String("failing"))
            f.signIn();
        else if (kind == QLatin1String("device"))
            f.signInDevice();
        else
            writeFile(f.store(), "{}");
        if (kind == QLatin1String("failing"))
            f.service.fail(QStringLiteral("api/auth/logout"), Fault::close());
        const QString token = f.fileToken();
        f.service.resetCounters();
        vt::test::await(f.account->logout());
        QCOMPARE(f.service.requestCount(), sent);
        QCOMPARE(f.account->hasToken(), signedIn);
        QCOMPARE(QFileInfo::exists(f.store()), signedIn);
        if (kind == QLatin1String("email"))
            QVERIFY(!f.service.tokenValid(token));
    }

    void emailCodeSignIn()
    {
        Fixture f;
        f.service.resendIn = 45;
        QCOMPARE(vt::test::await(f.account->sendEmailCode(QStringLiteral("code@example.com"))), 45);
        const auto start = f.service.requests(QStringLiteral("api/auth/email/start")).first();
        QCOMPARE(start.json().toObject(), (QJsonObject{{"email", "code@example.com"}}));
        QCOMPARE(failureOf(f.account->signIn(QStringLiteral("code@example.com"), QStringLiteral("000000"))),
                 APIFailure(400, "bad-code"));
        QVERIFY(!f.account->hasToken());
        const QString code = f.service.codeFor(QStringLiteral("code@example.com"));
        QCOMPARE(vt::test::await(f.account->signIn(QStringLiteral("code@example.com"), code)), true);
        QCOMPARE(f.service.requests(QStringLiteral("api/auth/email/verify")).last().json().toObject(),
                 (QJsonObject{{"email", "code@example.com"}, {"code", code}}));
        QCOMPARE(f.account->emailText(), QStringLiteral("code@example.com"));
        QVERIFY(!f.account->hasPassword());
        // The second time the account exists.
        vt::test::await(f.account->sendEmailCode(QStringLiteral("code@example.com")));
        QCOMPARE(vt::test::await(f.account->signIn(QStringLiteral("code@example.com"),
                                                   f.service.codeFor(QStringLiteral("code@example.com")))),
                 false);
        // No "resendIn" means 60.
        f.service.server().route("POST", QStringLiteral("/api/auth/email/start"),
                                 [](const HttpRequest &, const HttpResponder &r) {
            r.reply(HttpReply::json(QJsonObject{{"resendIn", "soon"}}));
        });
        QCOMPARE(vt::test::await(f.account->sendEmailCode(QStringLiteral("code@example.com"))), 60);
    }

    void linkEmail_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::newRow("new address") << false;
        QTest::newRow("address with an account merges") << true;
    }

    void linkEmail()
    {
        QFETCH(bool, existing);
        Fixture f;
        if (existing)
            f.service.addAccount(QStringLiteral("link@example.com"), QStringLiteral("password1"));
        f.signInDevice();
        const QString deviceToken = f.fileToken();
        QCOMPARE(vt::test::await(f.account->sendLinkCode(QStringLiteral("link@example.com"))), 60);
        QCOMPARE(bearer(f.service.requests(QStringLiteral("api/account/email/start")).first()), deviceToken);
        const QString code = f.service.codeFor(QStringLiteral("link@example.com"));
        QCOMPARE(vt::test::await(f.account->linkEmail(QStringLiteral("link@example.com"), code)), existing);
        const auto verify = f.service.requests(QStringLiteral("api/account/email/verify")).first();
        QCOMPARE(verify.json().toObject(), (QJsonObject{{"email", "link@example.com"}, {"code", code}}));
        QCOMPARE(bearer(verify), deviceToken);
        QCOMPARE(f.account->emailText(), QStringLiteral("link@example.com"));
        QCOMPARE(f.account->hasPassword(), existing);
        QVERIFY(f.fileToken() != deviceToken);
        QVERIFY(f.service.tokenValid(f.fileToken()));
        QCOMPARE(readJsonFile(f.store()).value("email").toString(), QStringLiteral("link@example.com"));
    }

    void changePassword_data()
    {
        QTest::addColumn<bool>("hasPassword");
        QTest::newRow("change") << true;
        QTest::newRow("first password") << false;
    }

    void changePassword()
    {
        QFETCH(bool, hasPassword);
        Fixture f;
        if (hasPassword) {
            f.signIn(QStringLiteral("pw@example.com"), QStringLiteral("password1"));
        } else {
            vt::test::await(f.account->sendEmailCode(QStringLiteral("pw@example.com")));
            vt::test::await(f.account->signIn(QStringLiteral("pw@example.com"),
                                              f.service.codeFor(QStringLiteral("pw@example.com"))));
        }
        QCOMPARE(f.account->hasPassword(), hasPassword);
        const QString old = f.fileToken();
        vt::test::await(f.account->changePassword(QStringLiteral("password1"), QStringLiteral("password2")));
        const QJsonObject body = f.service.requests(QStringLiteral("api/auth/password")).first().json().toObject();
        const QJsonObject expected = hasPassword ? QJsonObject{{"newPassword", "password2"}, {"password", "password1"}}
                                                 : QJsonObject{{"newPassword", "password2"}};
        QCOMPARE(body, expected);
        QVERIFY(f.fileToken() != old);
        QVERIFY(f.service.tokenValid(f.fileToken()));
        QVERIFY(f.account->hasPassword());
        QCOMPARE(f.service.passwordOf(QStringLiteral("pw@example.com")), QStringLiteral("password2"));
        // A wrong current password is "bad-login": refused, still signed in.
        const QString now = f.fileToken();
        QCOMPARE(failureOf(f.account->changePassword(QStringLiteral("nope"), QStringLiteral("password3"))),
                 APIFailure(401, "bad-login"));
        QCOMPARE(f.fileToken(), now);
    }

    void deleteAccount_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QJsonObject>("body");
        QTest::newRow("device") << "device" << QJsonObject{{"confirm", "delete"}};
        QTest::newRow("with password") << "password" << QJsonObject{{"password", "password1"}};
        QTest::newRow("without password") << "code" << QJsonObject{{"email", "del@example.com"}};
    }

    void deleteAccount()
    {
        QFETCH(QString, kind);
        QFETCH(QJsonObject, body);
        Fixture f;
        if (kind == QLatin1String("device")) {
            f.signInDevice();
        } else if (kind == QLatin1String("password")) {
            f.signIn(QStringLiteral("del@example.com"), QStringLiteral("password1"));
        } else {
            vt::test::await(f.account->sendEmailCode(QStringLiteral("del@example.com")));
            vt::test::await(f.account->signIn(QStringLiteral("del@example.com"),
                                              f.service.codeFor(QStringLiteral("del@example.com"))));
        }
        const QString arg = kind == QLatin1String("code") ? QStringLiteral("del@example.com")
                                                          : QStringLiteral("password1");
        // A refused deletion changes nothing.
        f.service.fail(QStringLiteral("api/account/delete"), Fault::withStatus(500, "oops"));
        QCOMPARE(failureOf(f.account->deleteAccount(arg)), APIFailure(500, "oops"));
        QVERIFY(f.account->hasToken());
        QVERIFY(QFileInfo::exists(f.store()));
        const int accounts = f.service.accountCount();
        vt::test::await(f.account->deleteAccount(arg));
        QCOMPARE(f.service.requests(QStringLiteral("api/account/delete")).last().json().toObject(), body);
        QCOMPARE(f.service.accountCount(), accounts - 1);
        QVERIFY(!f.account->hasToken());
        QVERIFY(!f.account->email());
        QVERIFY(!QFileInfo::exists(f.store()));
    }

    void refreshReadsTheProfile()
    {
        Fixture f;
        f.signIn(QStringLiteral("me@example.com"));
        vt::test::await(f.account->refresh(true));
        QCOMPARE(f.service.requestCount(QStringLiteral("api/device/new")), 0);   // signed in already
        QCOMPARE(f.account->emailText(), QStringLiteral("me@example.com"));
        QVERIFY(f.account->hasPassword());
        // A rejected token during the account read signs out; refresh itself never throws.
        f.service.revokeToken(f.fileToken());
        vt::test::await(f.account->refresh(false));
        QVERIFY(!f.account->hasToken());
        QVERIFY(!QFileInfo::exists(f.store()));
    }

    void lateAccountReadOfAReplacedSignIn()
    {
        Fixture f;
        f.signIn(QStringLiteral("first@example.com"));
        // The account read is answered only once the sign-in has been replaced.
        std::optional<HttpResponder> held;
        f.service.server().route("GET", QStringLiteral("/api/me"),
                                 [&held](const HttpRequest &, const HttpResponder &r) { held = r; });
        const HttpReply first = HttpReply::json(
            QJsonObject{{"email", "first@example.com"}, {"code", "OLD"}, {"hasPassword", false}});
        auto pending = f.account->refresh(false);
        QTRY_VERIFY_WITH_TIMEOUT(held.has_value(), 20000);
        f.signIn(QStringLiteral("second@example.com"));
        const QString code = f.account->supportCodeText();
        held->reply(first);
        held.reset();
        vt::test::await(std::move(pending));
        QCOMPARE(f.account->emailText(), QStringLiteral("second@example.com"));
        QCOMPARE(f.account->supportCodeText(), code);
        QVERIFY(f.account->hasPassword());
        // Nor is a signed-out client given an address.
        f.signIn(QStringLiteral("first@example.com"));
        auto late = f.account->refresh(false);
        QTRY_VERIFY_WITH_TIMEOUT(held.has_value(), 20000);
        vt::test::await(f.account->logout());
        held->reply(first);
        vt::test::await(std::move(late));
        QVERIFY(!f.account->email());
        QVERIFY(!f.account->supportCode());
    }

    // ---- AI check ----

    void checkBody_data()
    {
        QTest::addColumn<QStringList>("kinds");
        QTest::addColumn<bool>("keepPraise");
        QTest::addColumn<bool>("sent");
        QTest::newRow("spam only, keepPraise") << QStringList{"spam"} << true << false;
        QTest::newRow("spam and abuse, keepPraise") << QStringList{"spam", "abuse"} << true << true;
        QTest::newRow("spam and abuse, no keepPraise") << QStringList{"spam", "abuse"} << false << false;
        QTest::newRow("all, keepPraise") << QStringList{"spam", "abuse", "sexual"} << true << true;
    }

    void checkBody()
    {
        QFETCH(QStringList, kinds);
        QFETCH(bool, keepPraise);
        QFETCH(bool, sent);
        Fixture f;
        f.service.testMode = true;
        vt::test::await(f.account->check({QStringLiteral("one"), QStringLiteral("둘")}, kinds, keepPraise));
        const QJsonObject body = f.service.requests(QStringLiteral("api/ai/check")).first().json().toObject();
        QJsonObject expected{{"comments", QJsonArray{"one", "둘"}}, {"kinds", QJsonArray::fromStringList(kinds)}};
        if (sent)
            expected.insert("keepPraise", true);
        QCOMPARE(body, expected);
    }

    void checkScores_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QList<std::optional<AIScore>>>("scores");
        QTest::addColumn<qint64>("tokens");
        const AIScore s{0.9, 0.1, 0};
        QTest::newRow("short list and null")
            << QByteArray("{\"scores\":[{\"spam\":0.9,\"abuse\":0.1,\"sexual\":0},null]}")
            << QList<std::optional<AIScore>>{s, std::nullopt, std::nullopt} << qint64(0);
        QTest::newRow("missing member") << QByteArray(
            "{\"scores\":[{\"spam\":0.5,\"abuse\":0.2},{\"spam\":0.9,\"abuse\":0.1,\"sexual\":0},{\"spam\":\"1\",\"abuse\":0,\"sexual\":0}],\"tokens\":12}")
                                        << QList<std::optional<AIScore>>{std::nullopt, s, std::nullopt} << qint64(12);
        QTest::newRow("surplus ignored, unclamped") << QByteArray(
            "{\"scores\":[{\"spam\":1.5,\"abuse\":-1,\"sexual\":0},{\"spam\":0.9,\"abuse\":0.1,\"sexual\":0},{\"spam\":0.9,\"abuse\":0.1,\"sexual\":0},{\"spam\":0,\"abuse\":0,\"sexual\":0}],\"tokens\":3.5}")
                                                    << QList<std::optional<AIScore>>{AIScore{1.5, -1, 0}, s, s}
                                                    << qint64(0);
        QTest::newRow("scores not a list")
            << QByteArray("{\"scores\":{\"0\":1},\"tokens\":7}")
            << QList<std::optional<AIScore>>{std::nullopt, std::nullopt, std::nullopt} << qint64(7);
    }

    void checkScores()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QList<std::optional<AIScore>>, scores);
        QFETCH(qint64, tokens);
        Fixture f;
        f.service.server().route("POST", QStringLiteral("/api/ai/check"),
                                 [reply](const HttpRequest &, const HttpResponder &r) {
            r.reply(HttpReply::json(QJsonDocument::fromJson(reply).object()));
        });
        const auto checked = vt::test::await(f.account->check({"a", "b", "c"}, {"spam", "abuse"}, false));
        QCOMPARE(checked.scores, scores);
        QCOMPARE(checked.tokens, tokens);
    }

    void checkAgainstTheStandIn()
    {
        Fixture f;
        // Without a token and outside test mode the call still goes out, and the refusal is the service's.
        QCOMPARE(failureOf(f.account->check({"x"}, {"spam"}, false)), APIFailure(401, "sign-in-required"));
        QVERIFY(f.service.requests(QStringLiteral("api/ai/check")).first().header("authorization").isEmpty());
        f.signIn();
        const QStringList texts{QStringLiteral("Visit my casino"), QStringLiteral("텔레그램 문의"),
                                QStringLiteral("you idiot"),       QStringLiteral("nice video"),
                                QStringLiteral("spam=0.37"),       QStringLiteral("[noscore]")};
        const auto checked = vt::test::await(f.account->check(texts, {"spam", "abuse", "sexual"}, false));
        QCOMPARE(checked.scores.size(), texts.size());
        QCOMPARE(AIRules::verdict(*checked.scores[0], {"spam", "abuse", "sexual"}).kind, QStringLiteral("spam"));
        QVERIFY(checked.scores[1]->spam > 0.9);
        QCOMPARE(AIRules::verdict(*checked.scores[2], {"spam", "abuse", "sexual"}).kind, QStringLiteral("abuse"));
        QVERIFY(checked.scores[3]->spam < 0.1);
        QCOMPARE(checked.scores[4]->spam, 0.37);
        QVERIFY(!checked.scores[5]);
        QVERIFY(checked.tokens > 0);
        // The service's own refusals come back unchanged.
        f.service.aiOn = false;
        const auto off = failureOf(f.account->check({"x"}, {"spam"}, false));
        QCOMPARE(off, APIFailure(503, "ai-off"));
        QCOMPARE(AIRules::message(*off), AIRules::errors().value("ai-off"));
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    ServiceTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_service.moc"
