// The control server over real loopback connections: replies and their exact bytes, the token
// checked before the body, the time and connection limits, and the control file's rules.
#include "TestMain.h"

#include "Agent/ControlFile.h"
#include "Agent/LocalServer.h"
#include "Browser/BrowserError.h"

#include <QCoro/QCoroTimer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kWaitMs = 20000;

struct Reply {
    int status = 0;
    QByteArray head;
    QJsonObject body;
    bool any = false;
};

Reply parseReply(const QByteArray &bytes)
{
    Reply reply;
    reply.any = !bytes.isEmpty();
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    if (end < 0)
        return reply;
    reply.head = bytes.left(end + 4);
    reply.status = bytes.mid(9, 3).toInt();
    reply.body = QJsonDocument::fromJson(bytes.mid(end + 4)).object();
    return reply;
}

// A raw client: connects, writes, and collects everything until the server closes.
class Client {
public:
    explicit Client(quint16 port)
    {
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] { m_received += m_socket.readAll(); });
        QObject::connect(&m_socket, &QTcpSocket::disconnected, [this] { m_closed = true; });
    }
    bool connected() { return m_socket.waitForConnected(kWaitMs); }
    void send(const QByteArray &bytes)
    {
        m_socket.write(bytes);
        m_socket.flush();
    }
    bool waitClosed(int ms = kWaitMs)
    {
        return QTest::qWaitFor([this] { return m_closed; }, ms);
    }
    bool closed() const { return m_closed; }
    QByteArray received() const { return m_received; }
    Reply reply() const { return parseReply(m_received); }

private:
    QTcpSocket m_socket;
    QByteArray m_received;
    bool m_closed = false;
};

QByteArray request(const QString &token, const QByteArray &body, const QByteArray &extra = QByteArray())
{
    return "POST /cmd HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\nX-VT-Token: " + token.toUtf8()
        + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n" + extra + "\r\n" + body;
}

const QByteArray kStop = "{\"cmd\":\"stop\",\"args\":{}}";

mode_t modeOf(const QString &path)
{
    struct stat info { };
    ::lstat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

}   // namespace

class AgentServerTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_home;
    QList<QJsonObject> m_payloads;
    int m_handlerDelayMs = 0;

    QString folder() const { return m_home->path() + QStringLiteral("/data/Veltrane"); }

    std::unique_ptr<LocalServer> makeServer()
    {
        auto server = std::make_unique<LocalServer>(
            [this](QJsonObject payload, QString path) -> QCoro::Task<QJsonObject> {
                m_payloads.append(payload);
                if (m_handlerDelayMs > 0)
                    co_await QCoro::sleepFor(std::chrono::milliseconds(m_handlerDelayMs));
                co_return QJsonObject{{QStringLiteral("ok"), true},
                                      {QStringLiteral("result"),
                                       QJsonObject{{QStringLiteral("path"), path}, {QStringLiteral("echo"), payload}}}};
            },
            ControlFile(folder()));
        return server;
    }

    Reply roundTrip(LocalServer &server, const QByteArray &bytes)
    {
        Client client(server.port());
        if (!client.connected())
            return {};
        client.send(bytes);
        if (!client.waitClosed())
            return {};
        return client.reply();
    }

private slots:
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        m_payloads.clear();
        m_handlerDelayMs = 0;
    }

    void replies_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("error");
        const QString bad = QStringLiteral("잘못된 요청입니다.");
        const QString denied = QStringLiteral("연결 권한이 없습니다.");
        // %TOKEN% stands for the run's token.
        QTest::newRow("valid") << request(QStringLiteral("%TOKEN%"), kStop) << 200 << QString();
        QTest::newRow("token with spaces") << request(QStringLiteral("  %TOKEN%\t"), kStop) << 200 << QString();
        QTest::newRow("extra bytes after body")
            << request(QStringLiteral("%TOKEN%"), kStop) + "junk" << 200 << QString();
        QTest::newRow("wrong token") << request(QStringLiteral("nope"), kStop) << 403 << denied;
        QTest::newRow("token in lower case") << request(QStringLiteral("%token%"), kStop) << 403 << denied;
        QTest::newRow("token cut short") << request(QStringLiteral("%TOKEN%").chopped(1), kStop) << 403 << denied;
        QTest::newRow("no token") << QByteArray("POST /cmd HTTP/1.1\r\nContent-Length: 2\r\n\r\n{}") << 400 << bad;
        QTest::newRow("origin with right token")
            << request(QStringLiteral("%TOKEN%"), kStop, "Origin: http://a.example\r\n") << 400 << bad;
        QTest::newRow("GET") << QByteArray("GET /cmd HTTP/1.1\r\n\r\n") << 400 << bad;
        QTest::newRow("body an array") << request(QStringLiteral("%TOKEN%"), "[1]") << 400 << bad;
        QTest::newRow("header without end") << QByteArray(9000, 'x') << 400 << bad;
        // A bad body with a wrong token is never read: the token decides first.
        QTest::newRow("wrong token, bad body") << request(QStringLiteral("nope"), "not json") << 403 << denied;
    }

    void replies()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, status);
        QFETCH(QString, error);
        auto server = makeServer();
        server->start();
        bytes.replace("%TOKEN%", server->token().toUtf8());
        bytes.replace("%token%", server->token().toLower().toUtf8());
        const Reply reply = roundTrip(*server, bytes);
        QCOMPARE(reply.status, status);
        const QByteArray json = QJsonDocument(reply.body).toJson(QJsonDocument::Compact);
        QCOMPARE(reply.head,
                 "HTTP/1.1 " + QByteArray::number(status) + " OK\r\nContent-Type: application/json\r\nContent-Length: "
                     + QByteArray::number(json.size()) + "\r\nConnection: close\r\nCache-Control: no-store\r\n\r\n");
        if (status == 200) {
            QCOMPARE(m_payloads.size(), 1);
            QCOMPARE(m_payloads.first().value(QStringLiteral("cmd")).toString(), QStringLiteral("stop"));
            QCOMPARE(reply.body.value(QStringLiteral("result")).toObject().value(QStringLiteral("path")).toString(),
                     QStringLiteral("/cmd"));
        } else {
            QVERIFY(m_payloads.isEmpty());
            QCOMPARE(reply.body, (QJsonObject{{QStringLiteral("ok"), false}, {QStringLiteral("error"), error}}));
        }
    }

    // A wrong token is answered as soon as the headers are in, though the body never comes.
    void forbiddenBeforeBody()
    {
        auto server = makeServer();
        server->start();
        Client client(server->port());
        QVERIFY(client.connected());
        client.send("POST /cmd HTTP/1.1\r\nX-VT-Token: wrong\r\nContent-Length: 3000000\r\n\r\n{\"cmd\":");
        QVERIFY(client.waitClosed());
        QCOMPARE(client.reply().status, 403);
        QVERIFY(m_payloads.isEmpty());
    }

    // Header and body in many small writes (one byte at a time across CR LF CR LF) get one reply.
    void trickled()
    {
        auto server = makeServer();
        server->start();
        const QByteArray bytes = request(server->token(), kStop);
        Client client(server->port());
        QVERIFY(client.connected());
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            client.send(bytes.mid(i, 1));
            if (i % 16 == 0)
                QCoreApplication::processEvents();
            QVERIFY(!client.closed());
        }
        QVERIFY(client.waitClosed());
        QCOMPARE(client.reply().status, 200);
        QCOMPARE(m_payloads.size(), 1);
    }

    // Each limit closes the connection without a reply.
    void timeLimits_data()
    {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("nothing sent: headers") << "header" << QByteArray();
        QTest::newRow("half a header: headers") << "header" << QByteArray("POST /cmd HTTP/1.1\r\nX-VT-To");
        QTest::newRow("half a body: body") << "body" << QByteArray("%HEAD%{\"cmd\":");
        QTest::newRow("handler too slow: overall") << "overall" << QByteArray("%HEAD%{\"cmd\":\"stop\"}");
    }

    void timeLimits()
    {
        QFETCH(QString, limit);
        QFETCH(QByteArray, bytes);
        auto server = makeServer();
        // The limit under test is short, the others far away.
        server->limits.headerMs = limit == QLatin1String("header") ? 200 : 600000;
        server->limits.bodyMs = limit == QLatin1String("body") ? 200 : 600000;
        server->limits.overallMs = limit == QLatin1String("overall") ? 300 : 600000;
        m_handlerDelayMs = 600000;
        server->start();
        bytes.replace("%HEAD%",
                      "POST /cmd HTTP/1.1\r\nX-VT-Token: " + server->token().toUtf8()
                          + "\r\nContent-Length: 15\r\n\r\n");
        QSignalSpy closed(server.get(), &LocalServer::connectionClosed);
        Client client(server->port());
        QVERIFY(client.connected());
        client.send(bytes);
        QVERIFY(client.waitClosed());
        QVERIFY(client.received().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(closed.size(), 1, kWaitMs);
        QCOMPARE(server->openConnections(), 0);
    }

    // At the limit a new connection displaces the oldest one still waiting for its headers, so a
    // valid request gets through idle connections; when every slot is busy answering, it is refused.
    void connectionLimit()
    {
        auto server = makeServer();
        server->limits.maxConnections = 4;
        server->limits.headerMs = 600000;
        server->start();
        std::vector<std::unique_ptr<Client>> idle;
        for (int i = 0; i < 6; ++i) {
            idle.push_back(std::make_unique<Client>(server->port()));
            QVERIFY(idle.back()->connected());
            idle.back()->send("POST /cmd");
        }
        QTRY_VERIFY_WITH_TIMEOUT(idle[0]->closed() && idle[1]->closed(), kWaitMs);
        QCOMPARE(server->openConnections(), 4);
        QCOMPARE(roundTrip(*server, request(server->token(), kStop)).status, 200);
        QTRY_VERIFY_WITH_TIMEOUT(idle[2]->closed(), kWaitMs);
        QVERIFY(!idle[5]->closed());
        QVERIFY(server->openConnections() <= 4);
        idle.clear();

        // Four requests in their handler fill every slot; a fifth connection is closed at once.
        QTRY_COMPARE_WITH_TIMEOUT(server->openConnections(), 0, kWaitMs);
        m_handlerDelayMs = 600000;
        std::vector<std::unique_ptr<Client>> busy;
        for (int i = 0; i < 4; ++i) {
            busy.push_back(std::make_unique<Client>(server->port()));
            QVERIFY(busy.back()->connected());
            busy.back()->send(request(server->token(), kStop));
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_payloads.size(), 5, kWaitMs);
        Client extra(server->port());
        QVERIFY(extra.connected());
        extra.send(request(server->token(), kStop));
        QVERIFY(extra.waitClosed());
        QVERIFY(extra.received().isEmpty());
        for (const auto &client : busy)
            QVERIFY(!client->closed());
    }

    void listensOnLoopbackOnly()
    {
        auto server = makeServer();
        server->start();
        QVERIFY(server->port() > 0);
        QTcpSocket other;
        // Any address of this machine other than 127.0.0.1 is refused.
        other.connectToHost(QHostAddress(QStringLiteral("127.0.0.2")), server->port());
        QVERIFY(!other.waitForConnected(5000));
    }

    void token()
    {
        static const QRegularExpression form(
            QStringLiteral("^([0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}){2}$"));
        const QString a = LocalServer::makeToken();
        const QString b = LocalServer::makeToken();
        QCOMPARE(a.size(), 72);
        QVERIFY2(form.match(a).hasMatch(), qPrintable(a));
        QVERIFY(a != b);
        QVERIFY(LocalServer::sameToken(a, a));
        QVERIFY(!LocalServer::sameToken(b, a));
        QVERIFY(!LocalServer::sameToken(a.left(71), a));
        QVERIFY(!LocalServer::sameToken(a + QLatin1Char('0'), a));
        QVERIFY(!LocalServer::sameToken(QString(), a));
        QVERIFY(!LocalServer::sameToken(a.toLower(), a));
    }

    // start() writes the file whole, owner-only, with no temporary left; stop() removes it.
    void controlFileWritten()
    {
        auto server = makeServer();
        server->start();
        const QString path = folder() + QStringLiteral("/control.json");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
        QCOMPARE(object.value(QStringLiteral("port")).toInt(), int(server->port()));
        QCOMPARE(object.value(QStringLiteral("token")).toString(), server->token());
        QCOMPARE(object.value(QStringLiteral("pid")).toInteger(), QCoreApplication::applicationPid());
        QCOMPARE(modeOf(path), mode_t(0600));
        QCOMPARE(modeOf(folder()), mode_t(0700));
        QCOMPARE(QDir(folder()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("control.json")});
        server->stop();
        QVERIFY(!QFile::exists(path));
        // After stop nothing listens any more.
        QTcpSocket late;
        late.connectToHost(QHostAddress::LocalHost, server->port());
        QVERIFY(!late.waitForConnected(5000));
    }

    // A file that a later run wrote, or that is not ours at all, stays.
    void stopLeavesOtherFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("another run's token") << QByteArray("{\"port\":1,\"token\":\"OTHER\",\"pid\":1}");
        QTest::newRow("not JSON") << QByteArray("garbage");
        QTest::newRow("token not a string") << QByteArray("{\"token\":5}");
        QTest::newRow("an array") << QByteArray("[]");
    }

    void stopLeavesOtherFiles()
    {
        QFETCH(QByteArray, content);
        auto server = makeServer();
        server->start();
        const QString path = server->controlFile().path();
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        server->stop();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
    }

    void stopWithoutFile()
    {
        auto server = makeServer();
        server->start();
        QVERIFY(QFile::remove(server->controlFile().path()));
        server->stop();
        QVERIFY(QDir(folder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    // A folder of ours that others could read is narrowed; one that is a link is refused.
    void folderRules()
    {
        QVERIFY(QDir().mkpath(folder()));
        QVERIFY(::chmod(QFile::encodeName(folder()).constData(), 0755) == 0);
        auto server = makeServer();
        server->start();
        QCOMPARE(modeOf(folder()), mode_t(0700));
        server->stop();

        const QString real = m_home->path() + QStringLiteral("/elsewhere");
        QVERIFY(QDir().mkpath(real));
        const QString linked = m_home->path() + QStringLiteral("/linked");
        QVERIFY(QFile::link(real, linked));
        LocalServer refused([](QJsonObject, QString) -> QCoro::Task<QJsonObject> { co_return QJsonObject(); },
                            ControlFile(linked));
        QVERIFY_THROWS_EXCEPTION(BrowserError, refused.start());
        QVERIFY(QDir(real).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    // A control.json that is a link is replaced, never written through.
    void linkedFileReplaced()
    {
        QVERIFY(QDir().mkpath(folder()));
        const QString target = m_home->path() + QStringLiteral("/target");
        QFile t(target);
        QVERIFY(t.open(QIODevice::WriteOnly));
        t.write("keep");
        t.close();
        QVERIFY(QFile::link(target, folder() + QStringLiteral("/control.json")));
        auto server = makeServer();
        server->start();
        QVERIFY(t.open(QIODevice::ReadOnly));
        QCOMPARE(t.readAll(), QByteArray("keep"));
        QVERIFY(!QFileInfo(folder() + QStringLiteral("/control.json")).isSymLink());
        QCOMPARE(ControlFile(folder()).read()->value(QStringLiteral("token")).toString(), server->token());
    }

    // A rename that fails leaves no temporary file behind.
    void failedRenameCleansUp()
    {
        // A non-empty folder in the file's place cannot be renamed over.
        QVERIFY(QDir().mkpath(folder() + QStringLiteral("/control.json/inside")));
        const ControlFile file(folder());
        QVERIFY(!file.write(1234, QStringLiteral("T"), 1).isEmpty());
        QCOMPARE(QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("control.json")});
        // The server still runs; only the agent cannot find it.
        auto server = makeServer();
        server->start();
        QCOMPARE(roundTrip(*server, request(server->token(), kStop)).status, 200);
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    AgentServerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_agentserver.moc"
