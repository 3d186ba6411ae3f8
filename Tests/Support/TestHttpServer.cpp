#include "TestHttpServer.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSslConfiguration>
#include <QSslServer>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTcpSocket>
#include <QTimer>

namespace vt::test {

namespace {

constexpr qsizetype kMaxHeaderBytes = 64 * 1024;
constexpr qsizetype kMaxBodyBytes = 64 * 1024 * 1024;

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 201:
        return "Created";
    case 204:
        return "No Content";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 303:
        return "See Other";
    case 304:
        return "Not Modified";
    case 307:
        return "Temporary Redirect";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 409:
        return "Conflict";
    case 413:
        return "Payload Too Large";
    case 429:
        return "Too Many Requests";
    case 500:
        return "Internal Server Error";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

QByteArray routeKey(const QByteArray &method, const QString &path)
{
    return method.toUpper() + ' ' + path.toUtf8();
}

}   // namespace

QString HttpRequest::host() const
{
    QByteArray h = header("host");
    const int colon = h.lastIndexOf(':');
    if (colon > 0 && !h.endsWith(']'))
        h.truncate(colon);
    return QString::fromLatin1(h).toLower();
}

QJsonValue HttpRequest::json() const
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        return QJsonValue(QJsonValue::Undefined);
    if (doc.isObject())
        return doc.object();
    if (doc.isArray())
        return doc.array();
    return QJsonValue(QJsonValue::Undefined);
}

HttpReply HttpReply::json(const QJsonValue &value, int status)
{
    HttpReply r;
    r.status = status;
    r.contentType = "application/json";
    if (value.isObject())
        r.body = QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
    else if (value.isArray())
        r.body = QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact);
    else
        r.body = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).mid(1).chopped(1);
    return r;
}

HttpReply HttpReply::html(const QByteArray &body, int status)
{
    HttpReply r;
    r.status = status;
    r.contentType = "text/html; charset=utf-8";
    r.body = body;
    return r;
}

HttpReply HttpReply::text(const QByteArray &body, int status)
{
    HttpReply r;
    r.status = status;
    r.body = body;
    return r;
}

HttpReply &HttpReply::withHeader(const QByteArray &name, const QByteArray &value)
{
    headers.append({name, value});
    return *this;
}

// One accepted connection. Requests on it are answered strictly in order.
struct TestHttpServer::Connection {
    QPointer<QTcpSocket> socket;
    QByteArray buffer;
    bool waiting = false;   // a request is being handled; later ones stay buffered
    bool closing = false;
};

struct HttpResponder::State {
    QPointer<TestHttpServer> server;
    std::shared_ptr<TestHttpServer::Connection> conn;
    bool keepAlive = true;
    bool done = false;
};

bool HttpResponder::answered() const
{
    return !d || d->done;
}

void HttpResponder::reply(const HttpReply &r) const
{
    if (answered())
        return;
    QByteArray out = "HTTP/1.1 " + QByteArray::number(r.status) + ' ' + reasonPhrase(r.status) + "\r\n";
    out += "Content-Type: " + r.contentType + "\r\n";
    out += "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n";
    out += d->keepAlive ? "Connection: keep-alive\r\n" : "Connection: close\r\n";
    for (const auto &[name, value] : r.headers)
        out += name + ": " + value + "\r\n";
    out += "\r\n";
    out += r.body;
    writeRaw(out, !d->keepAlive);
}

void HttpResponder::replyAfter(int ms, const HttpReply &r) const
{
    const HttpResponder self = *this;
    QTimer::singleShot(ms, Qt::PreciseTimer, [self, r] { self.reply(r); });
}

void HttpResponder::closeConnection() const
{
    writeRaw({}, true);
}

void HttpResponder::writeRaw(const QByteArray &bytes, bool close) const
{
    if (answered())
        return;
    d->done = true;
    auto conn = d->conn;
    if (conn->socket) {
        if (!bytes.isEmpty())
            conn->socket->write(bytes);
        if (close) {
            conn->closing = true;
            conn->socket->disconnectFromHost();
        }
    }
    if (d->server)
        d->server->finished(conn);
}

TestHttpServer::TestHttpServer(QObject *parent)
    : QObject(parent)
{
    m_fallback = [](const HttpRequest &, const HttpResponder &responder) {
        responder.reply(HttpReply::text("not found", 404));
    };
}

TestHttpServer::~TestHttpServer() = default;

bool TestHttpServer::listen()
{
    m_server = new QTcpServer(this);
    connect(m_server, &QTcpServer::pendingConnectionAvailable, this, &TestHttpServer::accept);
    return m_server->listen(QHostAddress::LocalHost, 0);
}

bool TestHttpServer::listenTls(const QSslCertificate &cert, const QSslKey &key)
{
    auto *server = new QSslServer(this);
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setLocalCertificate(cert);
    config.setPrivateKey(key);
    config.setPeerVerifyMode(QSslSocket::VerifyNone);
    config.setAllowedNextProtocols({QSslConfiguration::NextProtocolHttp1_1});
    server->setSslConfiguration(config);
    m_server = server;
    m_tls = true;
    connect(m_server, &QTcpServer::pendingConnectionAvailable, this, &TestHttpServer::accept);
    return m_server->listen(QHostAddress::LocalHost, 0);
}

quint16 TestHttpServer::port() const
{
    return m_server ? m_server->serverPort() : 0;
}

QUrl TestHttpServer::url(const QString &path) const
{
    QUrl u;
    u.setScheme(m_tls ? QStringLiteral("https") : QStringLiteral("http"));
    u.setHost(QStringLiteral("127.0.0.1"));
    u.setPort(port());
    const int q = path.indexOf(u'?');
    u.setPath(q < 0 ? path : path.left(q));
    if (q >= 0)
        u.setQuery(path.mid(q + 1));
    return u;
}

void TestHttpServer::route(const QByteArray &method, const QString &path, Handler handler)
{
    m_routes.insert(routeKey(method, path), std::move(handler));
}

void TestHttpServer::setFallback(Handler handler)
{
    m_fallback = std::move(handler);
}

void TestHttpServer::resetCounters()
{
    m_requests.clear();
    m_requestCount = 0;
    m_maxInFlight = m_inFlight;
}

void TestHttpServer::accept()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        auto conn = std::make_shared<Connection>();
        conn->socket = socket;
        connect(socket, &QTcpSocket::readyRead, this, [this, conn] { readFrom(conn); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0)
            readFrom(conn);
    }
}

void TestHttpServer::readFrom(const std::shared_ptr<Connection> &conn)
{
    if (!conn->socket)
        return;
    conn->buffer += conn->socket->readAll();
    while (!conn->waiting && !conn->closing) {
        const qsizetype headerEnd = conn->buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0) {
            if (conn->buffer.size() > kMaxHeaderBytes)
                conn->socket->abort();
            return;
        }
        const QList<QByteArray> lines = conn->buffer.left(headerEnd).split('\n');
        HttpRequest request;
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        if (first.size() < 3) {
            conn->socket->abort();
            return;
        }
        request.method = first[0].toUpper();
        request.target = first[1];
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines[i].trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon > 0)
                request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
        }
        bool ok = true;
        const qsizetype length = request.headers.value("content-length", "0").toLongLong(&ok);
        if (!ok || length < 0 || length > kMaxBodyBytes) {
            conn->socket->abort();
            return;
        }
        if (conn->buffer.size() < headerEnd + 4 + length)
            return;
        request.body = conn->buffer.mid(headerEnd + 4, length);
        conn->buffer.remove(0, headerEnd + 4 + length);
        const QUrl parsed(QString::fromUtf8("http://x" + request.target));
        request.path = parsed.path();
        request.query = QUrlQuery(parsed);
        dispatch(conn, std::move(request));
    }
}

void TestHttpServer::dispatch(const std::shared_ptr<Connection> &conn, HttpRequest request)
{
    conn->waiting = true;
    ++m_requestCount;
    ++m_inFlight;
    m_maxInFlight = std::max(m_maxInFlight, m_inFlight);
    m_requests.append(request);
    emit requestReceived(request);

    HttpResponder responder;
    responder.d = std::make_shared<HttpResponder::State>();
    responder.d->server = this;
    responder.d->conn = conn;
    responder.d->keepAlive = request.header("connection").toLower() != "close";

    Handler handler = m_routes.value(routeKey(request.method, request.path));
    if (!handler)
        handler = m_routes.value(routeKey("*", request.path));
    if (!handler)
        handler = m_fallback;
    handler(request, responder);
}

void TestHttpServer::finished(const std::shared_ptr<Connection> &conn)
{
    --m_inFlight;
    conn->waiting = false;
    if (conn->socket && !conn->closing && !conn->buffer.isEmpty())
        QTimer::singleShot(0, this, [this, conn] { readFrom(conn); });
}

TestCertificate TestCertificate::make(const QStringList &hosts)
{
    TestCertificate out;
    QTemporaryDir dir;
    if (!dir.isValid())
        return out;
    QStringList names;
    for (const QString &host : hosts)
        names << QStringLiteral("DNS:") + host;
    names << QStringLiteral("IP:127.0.0.1");
    const QString keyPath = dir.filePath(QStringLiteral("key.pem"));
    const QString certPath = dir.filePath(QStringLiteral("cert.pem"));
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"), QStringLiteral("2"),
                   QStringLiteral("-subj"), QStringLiteral("/CN=") + hosts.value(0, QStringLiteral("localhost")),
                   QStringLiteral("-addext"), QStringLiteral("subjectAltName=") + names.join(u','),
                   QStringLiteral("-keyout"), keyPath, QStringLiteral("-out"), certPath});
    if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0)
        return out;
    QFile certFile(certPath);
    QFile keyFile(keyPath);
    if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly))
        return out;
    out.certificate = QSslCertificate(certFile.readAll(), QSsl::Pem);
    out.key = QSslKey(keyFile.readAll(), QSsl::Rsa, QSsl::Pem);
    return out;
}

}   // namespace vt::test
