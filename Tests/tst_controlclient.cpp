// The bridge's way to the application: which control files it trusts, what it posts, and the
// object it hands back for every kind of reply, refusal and silence of the control server.
#include "ControlClient.h"
#include "ControlFile.h"
#include "ControlStandIn.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using vt::test::ControlStandIn;
using Fault = ControlStandIn::Fault;

Q_DECLARE_METATYPE(std::optional<ControlStandIn::Fault>)

namespace {

// Runs one request to its end; nothing when it never ends.
std::optional<QJsonObject> post(const QJsonObject &body, double timeoutSeconds = 60)
{
    std::optional<QJsonObject> out;
    ControlClient *client = ControlClient::request(QStringLiteral("/cmd"), body, timeoutSeconds);
    QObject::connect(client, &ControlClient::finished, client, [&out](const QJsonObject &reply) { out = reply; });
    QDeadlineTimer deadline(120000);
    while (!out && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    return out;
}

const QJsonObject kBody{{"cmd", "comments"}, {"args", QJsonObject{{"n", 1}}}};

bool writeFile(const QString &path, const QByteArray &bytes, mode_t mode)
{
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    file.close();
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

}   // namespace

class ControlClientTest : public QObject {
    Q_OBJECT

private slots:
    void fileLocation()
    {
        // MCP hosts often pass HOME only: the file is then found under ~/.local/share.
        const QByteArray xdg = qgetenv("XDG_DATA_HOME");
        QCOMPARE(ControlFile::path(), QString::fromLocal8Bit(xdg) + "/Veltrane/control.json");
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(ControlFile::path(), QDir::homePath() + "/.local/share/Veltrane/control.json");
        qputenv("XDG_DATA_HOME", xdg);
    }

    void fileContent_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("port");   // 0: refused

        const QByteArray token = QByteArray(72, 'A');
        auto with = [&](const QByteArray &port, const QByteArray &extra = {}) {
            return "{\"port\":" + port + ",\"token\":\"" + token + "\"" + extra + "}";
        };
        QTest::newRow("valid") << with("4321", ",\"pid\":77") << 4321;
        QTest::newRow("no pid, extra members") << with("1", ",\"x\":[1],\"y\":null") << 1;
        QTest::newRow("highest port") << with("65535") << 65535;
        QTest::newRow("port 0") << with("0") << 0;
        QTest::newRow("port 65536") << with("65536") << 0;
        QTest::newRow("negative port") << with("-80") << 0;
        QTest::newRow("string port") << with("\"80\"") << 0;
        QTest::newRow("fractional port") << with("80.5") << 0;
        QTest::newRow("no port") << QByteArray("{\"token\":\"" + token + "\"}") << 0;
        QTest::newRow("no token") << QByteArray("{\"port\":80}") << 0;
        QTest::newRow("numeric token") << QByteArray("{\"port\":80,\"token\":5}") << 0;
        QTest::newRow("token with a line break") << QByteArray("{\"port\":80,\"token\":\"a\\r\\nOrigin: x\"}") << 0;
        QTest::newRow("array") << QByteArray("[{\"port\":80,\"token\":\"t\"}]") << 0;
        QTest::newRow("not json") << QByteArray("port=80") << 0;
        QTest::newRow("empty") << QByteArray() << 0;
    }

    void fileContent()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, port);
        QTemporaryDir dir;
        const QString path = dir.filePath("control.json");
        QVERIFY(writeFile(path, content, 0600));
        const auto endpoint = ControlFile::read(path);
        QCOMPARE(endpoint ? int(endpoint->port) : 0, port);
        if (endpoint)
            QCOMPARE(endpoint->token, QByteArray(72, 'A'));
    }

    // Only a private regular file of this user is trusted: anyone else could point the bridge
    // at a server of theirs, or read the token.
    void fileSafety_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("trusted");
        QTest::newRow("owner only") << "0600" << true;
        QTest::newRow("owner read only") << "0400" << true;
        QTest::newRow("group readable") << "0640" << false;
        QTest::newRow("others readable") << "0604" << false;
        QTest::newRow("group writable") << "0620" << false;
        QTest::newRow("symbolic link") << "link" << false;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("fifo") << "fifo" << false;
        QTest::newRow("another user's") << "chown" << false;
        QTest::newRow("oversized") << "big" << false;
    }

    void fileSafety()
    {
        QFETCH(QString, kind);
        QFETCH(bool, trusted);
        QTemporaryDir dir;
        const QString path = dir.filePath("control.json");
        const QByteArray good = "{\"port\":4321,\"token\":\"" + QByteArray(72, 'B') + "\"}";
        const QByteArray local = QFile::encodeName(path);
        if (kind.startsWith('0')) {
            QVERIFY(writeFile(path, good, mode_t(kind.toInt(nullptr, 8))));
        } else if (kind == "link") {
            const QString target = dir.filePath("real.json");
            QVERIFY(writeFile(target, good, 0600));
            QVERIFY(QFile::link(target, path));
        } else if (kind == "folder") {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(local.constData(), 0600), 0);   // would block a plain read
        } else if (kind == "chown") {
            if (::geteuid() != 0)
                QSKIP("only root can give a file to another user");
            QVERIFY(writeFile(path, good, 0600));
            QCOMPARE(::chown(local.constData(), 65534, 65534), 0);
        } else if (kind == "big") {
            QVERIFY(writeFile(path, good + QByteArray(70000, ' '), 0600));
        }
        QCOMPARE(ControlFile::read(path).has_value(), trusted);
    }

    void replies_data()
    {
        QTest::addColumn<std::optional<Fault>>("fault");
        QTest::addColumn<bool>("passedOn");
        QTest::newRow("reply") << std::optional<Fault>() << true;
        QTest::newRow("reply ended by the close") << std::optional<Fault>(Fault::NoLength) << true;
        QTest::newRow("not json") << std::optional<Fault>(Fault::NotJson) << false;
        QTest::newRow("json array") << std::optional<Fault>(Fault::JsonArray) << false;
        QTest::newRow("closed unanswered") << std::optional<Fault>(Fault::Close) << false;
        QTest::newRow("truncated") << std::optional<Fault>(Fault::Truncated) << false;
    }

    void replies()
    {
        QFETCH(std::optional<Fault>, fault);
        QFETCH(bool, passedOn);
        ControlStandIn server;
        QVERIFY(server.start());
        if (fault)
            server.failNext(*fault);
        const auto reply = post(kBody);
        QVERIFY(reply);
        const QJsonObject echo = ControlStandIn::ok(QJsonObject{{"cmd", "comments"}, {"args", kBody["args"]}});
        QCOMPARE(*reply, passedOn ? echo : ControlClient::unreachable());
    }

    void request()
    {
        ControlStandIn server;
        QVERIFY(server.start());
        QVERIFY(post(kBody));
        QCOMPARE(server.http().requests().size(), 1);
        const vt::test::HttpRequest sent = server.http().requests().constFirst();
        QCOMPARE(sent.method, QByteArray("POST"));
        QCOMPARE(sent.target, QByteArray("/cmd"));
        QCOMPARE(sent.header("x-vt-token"), server.token());
        QCOMPARE(sent.header("content-type"), QByteArray("application/json"));
        QCOMPARE(sent.header("content-length").toInt(), sent.body.size());
        QVERIFY(!sent.headers.contains("origin"));
        QVERIFY(!sent.headers.contains("transfer-encoding"));
        QCOMPARE(QJsonDocument::fromJson(sent.body).object(), kBody);
    }

    // The control server's refusals are replies like any other.
    void refusalsPassThrough()
    {
        ControlStandIn server;
        QVERIFY(server.start());
        QVERIFY(writeFile(server.controlFile(),
                          "{\"port\":" + QByteArray::number(server.port()) + ",\"token\":\"not-this-run\"}", 0600));
        QCOMPARE(*post(kBody), ControlStandIn::refusal("연결 권한이 없습니다."));
        server.setHandler([](const QString &, const QJsonObject &, const ControlStandIn::Answer &answer) {
            answer(ControlStandIn::refusal("검사를 시작할 수 없는 상태입니다."));
        });
        QVERIFY(writeFile(server.controlFile(),
                          "{\"port\":" + QByteArray::number(server.port()) + ",\"token\":\"" + server.token() + "\"}",
                          0600));
        QCOMPARE(*post(kBody), ControlStandIn::refusal("검사를 시작할 수 없는 상태입니다."));
    }

    void applicationAbsent()
    {
        const QString file = ControlFile::path();
        QFile::remove(file);
        QCOMPARE(*post(kBody), ControlClient::notRunning());

        // Crashed: its file stays, nobody listens on the port any more.
        quint16 port = 0;
        {
            ControlStandIn server;
            QVERIFY(server.start());
            port = server.port();
        }
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QVERIFY(writeFile(file, "{\"port\":" + QByteArray::number(port) + ",\"token\":\"t\"}", 0600));
        QCOMPARE(*post(kBody), ControlClient::unreachable());
        QFile::remove(file);

        // Started later: the next request finds it.
        ControlStandIn server;
        QVERIFY(server.start());
        QCOMPARE(post(kBody)->value("ok"), QJsonValue(true));
    }

    void silentServer()
    {
        ControlStandIn server;
        QVERIFY(server.start());
        server.failNext(Fault::Hang);
        QCOMPARE(*post(kBody, 0.2), ControlClient::unreachable());
        // A slow answer within the limit still counts.
        server.setDelay(300);
        QCOMPARE(post(kBody, 60)->value("ok"), QJsonValue(true));
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    ControlClientTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_controlclient.moc"
