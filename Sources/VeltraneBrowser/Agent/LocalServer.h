#pragma once
// The loopback control endpoint that an AI agent on this computer talks to.
//
// Listens on 127.0.0.1 (any port) and takes exactly one request per connection: "POST /cmd" with
// the run's token in "X-VT-Token" and one JSON object as body (RequestParser has the rules). The
// token is checked as soon as the headers are in, so a wrong one is answered 403 before any body
// is read; a malformed request is answered 400; an accepted one goes to the handler and its
// object comes back as a 200 reply. Every reply closes the connection.
//
// The port is open to every local user, so the limits are part of the server: at most
// maxConnections at once (a new one displaces the oldest that has not sent its headers yet), the
// headers within headerMs of connecting, the body within bodyMs after them, and no connection
// lives longer than overallMs. The control file (ControlFile) tells the agent bridge the port and
// the token; stop() removes it while it still holds this run's token.
//
//   LocalServer server([](QJsonObject payload, QString path) -> QCoro::Task<QJsonObject> { ... });
//   server.start();   // throws BrowserError
//   ...
//   server.stop();

#include "Agent/ControlFile.h"
#include "Agent/RequestParser.h"

#include <QCoro/QCoroTask>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class ControlConnection;
class QTcpServer;

class LocalServer : public QObject {
    Q_OBJECT
public:
    using Request = RequestParser::Request;
    // Runs on the GUI thread; cannot fail: every failure is a field of the returned object.
    using Handler = std::function<QCoro::Task<QJsonObject>(QJsonObject payload, QString path)>;

    struct Limits {
        int maxConnections = 64;
        int headerMs = 10 * 1000;
        int bodyMs = 60 * 1000;
        int overallMs = 310 * 1000;
    };

    explicit LocalServer(Handler handler, ControlFile file = ControlFile(), QObject *parent = nullptr);
    ~LocalServer() override;

    // Checks the data folder, listens and writes the control file. Throws BrowserError when the
    // folder is unfit or nothing can listen; a control file that cannot be written is only
    // logged (the agent then finds no running application).
    void start();
    // Stops listening and removes the control file if it still holds this run's token. Requests
    // already accepted are still answered.
    void stop();

    // Set before start(); tests shorten them.
    Limits limits;

    quint16 port() const;
    QString token() const { return m_token; }
    const ControlFile &controlFile() const { return m_file; }
    // Connections counted against the limit: accepted and not answered yet.
    int openConnections() const { return int(m_open.size()); }

    // The whole reply: the fixed head with the status and the body's length, then the body.
    static QByteArray reply(const QJsonObject &body, int status);
    // Two random version-4 UUIDs from the system's cryptographic source, upper case, joined:
    // 72 characters.
    static QString makeToken();
    // Equality that takes the same time wherever the texts differ.
    static bool sameToken(const QString &given, const QString &expected);

    static QJsonObject badRequestBody();   // {"ok": false, "error": "잘못된 요청입니다."}
    static QJsonObject forbiddenBody();    // {"ok": false, "error": "연결 권한이 없습니다."}

signals:
    // A connection was answered or dropped (tests wait on it).
    void connectionClosed();

private:
    friend class ControlConnection;
    void accept();
    void answered(ControlConnection *connection);
    void closed(ControlConnection *connection);

    Handler m_handler;
    ControlFile m_file;
    QString m_token;
    QTcpServer *m_listener;
    // Oldest first.
    QList<ControlConnection *> m_open;
    bool m_stopped = false;
};
