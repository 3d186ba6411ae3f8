#pragma once
// A small HTTP/1.1 server for tests and benchmarks, on 127.0.0.1 with a port chosen by the
// system. Plain HTTP stands in for the product's service and image hosts; with a certificate
// it serves HTTPS and stands in for the sites themselves (see TestCertificate).
//
// Handlers get the parsed request and a responder; they may answer at once or later (latency),
// close the connection without an answer, or write raw bytes (malformed replies).

#include <QHash>
#include <QJsonValue>
#include <QObject>
#include <QPointer>
#include <QSslCertificate>
#include <QSslKey>
#include <QTcpServer>
#include <QUrl>
#include <QUrlQuery>

#include <functional>
#include <memory>

class QTcpSocket;

namespace vt::test {

struct HttpRequest {
    QByteArray method;   // "GET", "POST", ...
    QByteArray target;   // as sent: path and query
    QString path;        // decoded path without the query
    QUrlQuery query;
    QHash<QByteArray, QByteArray> headers;   // names in lower case
    QByteArray body;

    QByteArray header(const QByteArray &name) const { return headers.value(name.toLower()); }
    QString host() const;      // the Host header without the port
    QJsonValue json() const;   // the body as JSON (undefined when it is not JSON)
};

struct HttpReply {
    int status = 200;
    QByteArray contentType = "text/plain; charset=utf-8";
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    static HttpReply json(const QJsonValue &value, int status = 200);
    static HttpReply html(const QByteArray &body, int status = 200);
    static HttpReply text(const QByteArray &body, int status = 200);
    HttpReply &withHeader(const QByteArray &name, const QByteArray &value);
};

class TestHttpServer;

// Answers one request. Copies share the same request; the first answer wins.
class HttpResponder {
public:
    void reply(const HttpReply &reply) const;
    void replyAfter(int ms, const HttpReply &reply) const;
    void closeConnection() const;   // drop the connection without an answer
    void writeRaw(const QByteArray &bytes, bool close = true) const;
    bool answered() const;

private:
    friend class TestHttpServer;
    struct State;
    std::shared_ptr<State> d;
};

class TestHttpServer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const HttpRequest &, const HttpResponder &)>;

    explicit TestHttpServer(QObject *parent = nullptr);
    ~TestHttpServer() override;

    bool listen();                                                     // plain HTTP
    bool listenTls(const QSslCertificate &cert, const QSslKey &key);   // HTTPS

    quint16 port() const;
    QUrl url(const QString &path = QStringLiteral("/")) const;   // http(s)://127.0.0.1:port/path

    // Exact path match; method "*" matches any method. Later routes for the same key replace earlier ones.
    void route(const QByteArray &method, const QString &path, Handler handler);
    // Called for requests that no route matches; the default answers 404.
    void setFallback(Handler handler);

    int requestCount() const { return m_requestCount; }
    int inFlight() const { return m_inFlight; }
    int maxInFlight() const { return m_maxInFlight; }
    QList<HttpRequest> requests() const { return m_requests; }   // every request seen, in order
    void resetCounters();

signals:
    void requestReceived(const vt::test::HttpRequest &request);

private:
    struct Connection;
    void accept();
    void readFrom(const std::shared_ptr<Connection> &conn);
    void dispatch(const std::shared_ptr<Connection> &conn, HttpRequest request);
    void finished(const std::shared_ptr<Connection> &conn);
    friend class HttpResponder;

    QTcpServer *m_server = nullptr;
    bool m_tls = false;
    QHash<QByteArray, Handler> m_routes;
    Handler m_fallback;
    QList<HttpRequest> m_requests;
    int m_requestCount = 0;
    int m_inFlight = 0;
    int m_maxInFlight = 0;
};

// A self-signed certificate made with openssl at test time, for the given host names.
struct TestCertificate {
    QSslCertificate certificate;
    QSslKey key;
    bool isNull() const { return certificate.isNull() || key.isNull(); }
    static TestCertificate make(const QStringList &hosts);
};

}   // namespace vt::test
