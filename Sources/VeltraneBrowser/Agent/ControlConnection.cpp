#include "Agent/ControlConnection.h"

#include "Agent/LocalServer.h"
#include "Browser/BrowserError.h"

#include <QTcpSocket>

#include <algorithm>

namespace {

// The largest read, and what the socket buffers ahead of the parser.
constexpr qint64 kReadBytes = 65536;

QJsonObject failure(const QString &message)
{
    return {{QStringLiteral("ok"), false}, {QStringLiteral("error"), message}};
}

// Runs the handler; the connection may be gone when it returns (then nothing is sent).
QCoro::Task<void> runHandler(QPointer<ControlConnection> connection, LocalServer::Handler handler, QJsonObject payload,
                             QString path, std::function<void(ControlConnection *, const QJsonObject &)> reply)
{
    QJsonObject body;
    try {
        body = co_await handler(std::move(payload), std::move(path));
    } catch (const BrowserError &e) {
        body = failure(e.description());
    } catch (const std::exception &e) {
        body = failure(QString::fromUtf8(e.what()));
    }
    if (connection)
        reply(connection.data(), body);
}

}   // namespace

ControlConnection::ControlConnection(QTcpSocket *socket, LocalServer *server)
    : QObject(server)
    , m_server(server)
    , m_socket(socket)
{
    socket->setParent(this);
    // Qt reads ahead of us only this far: a client that floods is held back by the kernel.
    socket->setReadBufferSize(kReadBytes);
    connect(socket, &QTcpSocket::readyRead, this, &ControlConnection::read);
    connect(socket, &QTcpSocket::disconnected, this, &ControlConnection::finish);

    m_phase.setSingleShot(true);
    m_overall.setSingleShot(true);
    connect(&m_phase, &QTimer::timeout, this, &ControlConnection::drop);
    connect(&m_overall, &QTimer::timeout, this, &ControlConnection::drop);
    m_phase.start(server->limits.headerMs);
    m_overall.start(server->limits.overallMs);

    m_parser.acceptHead = [this](const RequestParser::Request &request) {
        if (!m_server || !LocalServer::sameToken(request.token, m_server->token()))
            return false;
        m_phase.start(m_server->limits.bodyMs);
        return true;
    };
}

ControlConnection::~ControlConnection() = default;

void ControlConnection::read()
{
    if (m_replied || m_handling)
        return;
    while (m_socket->bytesAvailable() > 0) {
        // What has arrived, not a full-sized buffer for each few bytes of a request.
        const auto state = m_parser.feed(m_socket->read(std::min(m_socket->bytesAvailable(), kReadBytes)));
        if (state != RequestParser::State::Head && state != RequestParser::State::Body)
            break;
    }
    switch (m_parser.state()) {
    case RequestParser::State::Failed:
        send(LocalServer::badRequestBody(), 400);
        break;
    case RequestParser::State::Denied:
        send(LocalServer::forbiddenBody(), 403);
        break;
    case RequestParser::State::Done:
        handle();
        break;
    case RequestParser::State::Head:
    case RequestParser::State::Body:
        break;
    }
}

void ControlConnection::handle()
{
    m_handling = true;
    m_phase.stop();
    if (!m_server) {
        drop();
        return;
    }
    const RequestParser::Request &request = m_parser.request();
    runHandler(this, m_server->m_handler, request.payload, request.path,
               [](ControlConnection *connection, const QJsonObject &body) { connection->send(body, 200); });
}

void ControlConnection::send(const QJsonObject &body, int status)
{
    if (m_replied || m_finished)
        return;
    m_replied = true;
    m_phase.stop();
    if (m_server)
        m_server->answered(this);
    if (m_socket->state() != QAbstractSocket::ConnectedState) {
        finish();
        return;
    }
    m_socket->write(LocalServer::reply(body, status));
    // Closes once the reply is written; the overall limit still covers a client that never reads it.
    m_socket->disconnectFromHost();
}

void ControlConnection::drop()
{
    m_socket->abort();
    finish();
}

void ControlConnection::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_phase.stop();
    m_overall.stop();
    if (m_server)
        m_server->closed(this);
    deleteLater();
}
