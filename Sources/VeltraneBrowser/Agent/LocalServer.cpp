#include "Agent/LocalServer.h"

#include "Agent/ControlConnection.h"
#include "Browser/BrowserError.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUuid>

LocalServer::LocalServer(Handler handler, ControlFile file, QObject *parent)
    : QObject(parent)
    , m_handler(std::move(handler))
    , m_file(std::move(file))
    , m_token(makeToken())
    , m_listener(new QTcpServer(this))
{
    connect(m_listener, &QTcpServer::newConnection, this, &LocalServer::accept);
}

LocalServer::~LocalServer()
{
    stop();
}

void LocalServer::start()
{
    const QString unfit = m_file.prepareFolder();
    if (!unfit.isEmpty())
        throw BrowserError(unfit);
    if (!m_listener->listen(QHostAddress::LocalHost, 0))
        throw BrowserError(m_listener->errorString());
    const QString notWritten = m_file.write(port(), m_token, QCoreApplication::applicationPid());
    if (!notWritten.isEmpty())
        qWarning("The agent control file %s was not written: %s", qPrintable(m_file.path()), qPrintable(notWritten));
}

void LocalServer::stop()
{
    if (m_stopped)
        return;
    m_stopped = true;
    const bool listened = m_listener->isListening();
    m_listener->close();
    if (listened)
        m_file.removeIfOwned(m_token);
}

quint16 LocalServer::port() const
{
    return m_listener->serverPort();
}

void LocalServer::accept()
{
    while (m_listener->hasPendingConnections()) {
        QTcpSocket *socket = m_listener->nextPendingConnection();
        if (m_open.size() >= limits.maxConnections) {
            // Full: a connection that has not even sent its headers yields to the new one; when
            // every slot is a request being answered, the new one is refused.
            const auto waiting = std::find_if(m_open.cbegin(), m_open.cend(),
                                              [](const ControlConnection *c) { return c->readingHead(); });
            if (waiting == m_open.cend()) {
                socket->abort();
                socket->deleteLater();
                continue;
            }
            (*waiting)->drop();
        }
        m_open.append(new ControlConnection(socket, this));
    }
}

void LocalServer::answered(ControlConnection *connection)
{
    m_open.removeOne(connection);
}

void LocalServer::closed(ControlConnection *connection)
{
    m_open.removeOne(connection);
    emit connectionClosed();
}

QByteArray LocalServer::reply(const QJsonObject &body, int status)
{
    const QByteArray json = QJsonDocument(body).toJson(QJsonDocument::Compact);
    return "HTTP/1.1 " + QByteArray::number(status) + " OK\r\nContent-Type: application/json\r\nContent-Length: "
        + QByteArray::number(json.size()) + "\r\nConnection: close\r\nCache-Control: no-store\r\n\r\n" + json;
}

QString LocalServer::makeToken()
{
    QString token;
    for (int i = 0; i < 2; ++i) {
        quint32 words[4];
        QRandomGenerator::system()->fillRange(words);
        QByteArray bytes(reinterpret_cast<const char *>(words), sizeof words);
        bytes[6] = char((uchar(bytes[6]) & 0x0F) | 0x40);   // version 4: random
        bytes[8] = char((uchar(bytes[8]) & 0x3F) | 0x80);   // RFC 4122 variant
        token += QUuid::fromRfc4122(bytes).toString(QUuid::WithoutBraces).toUpper();
    }
    return token;
}

bool LocalServer::sameToken(const QString &given, const QString &expected)
{
    const QByteArray a = given.toUtf8();
    const QByteArray b = expected.toUtf8();
    uchar difference = a.size() == b.size() ? 0 : 1;
    // Always walk the expected token whole, whatever the given one holds.
    for (qsizetype i = 0; i < b.size(); ++i)
        difference |= uchar(b.at(i)) ^ uchar(i < a.size() ? a.at(i) : 0);
    return difference == 0;
}

QJsonObject LocalServer::badRequestBody()
{
    return {{QStringLiteral("ok"), false}, {QStringLiteral("error"), QStringLiteral("잘못된 요청입니다.")}};
}

QJsonObject LocalServer::forbiddenBody()
{
    return {{QStringLiteral("ok"), false}, {QStringLiteral("error"), QStringLiteral("연결 권한이 없습니다.")}};
}
