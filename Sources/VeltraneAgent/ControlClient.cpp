#include "ControlClient.h"

#include "ControlFile.h"

#include <QJsonDocument>
#include <QNetworkProxy>
#include <QTcpSocket>

#include <algorithm>

ControlClient::ControlClient(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { finish(unreachable()); });
}

QJsonObject ControlClient::notRunning()
{
    return {{QStringLiteral("ok"), false}, {QStringLiteral("error"), tr("Start Glimora first.")}};
}

QJsonObject ControlClient::unreachable()
{
    return {{QStringLiteral("ok"), false}, {QStringLiteral("error"), tr("Couldn't reach the app.")}};
}

ControlClient *ControlClient::request(const QString &path, const QJsonObject &body, double timeoutSeconds,
                                      QObject *parent)
{
    auto *client = new ControlClient(parent);
    client->start(path, body, timeoutSeconds);
    return client;
}

void ControlClient::start(const QString &path, const QJsonObject &body, double timeoutSeconds)
{
    const std::optional<ControlFile::Endpoint> endpoint = ControlFile::read();
    if (!endpoint) {
        QMetaObject::invokeMethod(
            this, [this] { finish(notRunning()); }, Qt::QueuedConnection);
        return;
    }

    const QByteArray payload = QJsonDocument(body).toJson(QJsonDocument::Compact);
    QByteArray head = "POST " + path.toUtf8() + " HTTP/1.1\r\n";
    head += "Host: 127.0.0.1:" + QByteArray::number(endpoint->port) + "\r\n";
    head += "X-VT-Token: " + endpoint->token + "\r\n";
    head += "Content-Type: application/json\r\n";
    head += "Content-Length: " + QByteArray::number(payload.size()) + "\r\n";
    head += "Connection: close\r\n\r\n";

    m_idleMs = qint64(timeoutSeconds * 1000);
    m_deadline = QDeadlineTimer(qint64((timeoutSeconds + 1) * 1000), Qt::PreciseTimer);
    restartTimer();

    m_socket = new QTcpSocket(this);
    m_socket->setProxy(QNetworkProxy::NoProxy);
    connect(m_socket, &QTcpSocket::readyRead, this, &ControlClient::readReply);
    connect(m_socket, &QTcpSocket::disconnected, this, &ControlClient::ended);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::RemoteHostClosedError)
            readReply();   // a reply may end with the connection
        ended();
    });
    m_socket->connectToHost(QHostAddress(QHostAddress::LocalHost), endpoint->port);
    m_socket->write(head + payload);
}

void ControlClient::restartTimer()
{
    m_timer.start(int(std::clamp<qint64>(std::min(m_idleMs, m_deadline.remainingTime()), 0, INT_MAX)));
}

void ControlClient::readReply()
{
    if (m_done || !m_socket)
        return;
    m_reply += m_socket->readAll();
    if (m_reply.size() > kMaxReplyBytes) {
        finish(unreachable());
        return;
    }
    if (m_headEnd < 0) {
        m_headEnd = m_reply.indexOf("\r\n\r\n");
        if (m_headEnd >= 0) {
            for (const QByteArray &line : m_reply.left(m_headEnd).split('\n')) {
                const qsizetype colon = line.indexOf(':');
                if (colon > 0 && line.left(colon).trimmed().toLower() == "content-length") {
                    bool ok = false;
                    const qint64 length = line.mid(colon + 1).trimmed().toLongLong(&ok);
                    m_contentLength = ok && length >= 0 ? length : -1;
                }
            }
        }
    }
    if (replyComplete())
        finish(replyObject());
    else
        restartTimer();
}

bool ControlClient::replyComplete() const
{
    return m_headEnd >= 0 && m_contentLength >= 0 && m_reply.size() - (m_headEnd + 4) >= m_contentLength;
}

void ControlClient::ended()
{
    if (m_done)
        return;
    m_reply += m_socket->readAll();
    finish(m_headEnd >= 0 && (m_contentLength < 0 || replyComplete()) ? replyObject() : unreachable());
}

QJsonObject ControlClient::replyObject() const
{
    QByteArray body = m_reply.mid(m_headEnd + 4);
    if (m_contentLength >= 0)
        body.truncate(m_contentLength);
    const QJsonDocument doc = QJsonDocument::fromJson(body);
    return doc.isObject() ? doc.object() : unreachable();
}

void ControlClient::finish(const QJsonObject &reply)
{
    if (m_done)
        return;
    m_done = true;
    m_timer.stop();
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
    emit finished(reply);
    deleteLater();
}
