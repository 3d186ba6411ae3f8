#pragma once
// The two sites and their sign-in hosts as one local HTTPS server, for web tests.
//
// The web engine reaches it under the real host names through Chromium's host-resolver rules
// (installResolverRules(), before the first web engine profile or page is made). Every host
// answers on the same port; requests are dispatched on the Host header:
//   1. routes added with route() / routePrefix() (tests add and replace pages here),
//   2. files under Tests/Fixtures/site/<host>/<path> ("index.html" for a path ending in "/"),
//   3. 404.
// The built-in routes model what the browser and the sign-in tracking react to: sign-in pages
// that set the sites' real session cookies, signed-in and signed-out home pages, verification
// and refusal pages, a page that fails to load, pop-ups, dialogs and media that autoplays.
// See FixtureSite.cpp for the list of paths.

#include "TestHttpServer.h"

#include <QObject>
#include <QUrl>

namespace vt::test {

// How a site's data request fails in a fixture variant.
enum class SiteFailure {
    None,
    ServerError,   // status 500 with a JSON error
    CutOff,        // status 200, the JSON cut off half way
    ErrorPage,     // status 200, an HTML error page instead of JSON
    Hang,          // never answered (the connection stays open)
};

class FixtureSite : public QObject {
    Q_OBJECT
public:
    using Handler = TestHttpServer::Handler;

    // Answers a data request the way `how` fails; `json` is the answer it would have given.
    static void failRequest(const HttpResponder &responder, SiteFailure how, const QByteArray &json);

    explicit FixtureSite(QObject *parent = nullptr);
    ~FixtureSite() override;

    // Every host name the site answers for (and maps in the resolver rules).
    static QStringList hosts();
    // "https://" + host + pathAndQuery.
    static QUrl url(const QString &host, const QString &pathAndQuery = QStringLiteral("/"));
    // Tests/Fixtures/site: one folder per host.
    static QString fileRoot();

    // Makes the certificate and listens on 127.0.0.1. False when either fails.
    bool start();
    quint16 port() const;
    // The self-signed certificate start() made for hosts().
    QSslCertificate certificate() const { return m_certificate; }

    // The Chromium flags that send the hosts above to this server and accept its certificate.
    QByteArray chromiumFlags() const;
    // Puts chromiumFlags() into QTWEBENGINE_CHROMIUM_FLAGS (keeping flags already there).
    // Must run before the web engine starts: before the first QWebEngineProfile or page.
    void installResolverRules() const;

    // Exact path (without the query); method "*" matches any method. A later route for the same
    // host, method and path replaces the earlier one.
    void route(const QString &host, const QByteArray &method, const QString &path, Handler handler);
    // Paths beginning with prefix; the longest matching prefix wins, exact routes first.
    void routePrefix(const QString &host, const QByteArray &method, const QString &prefix, Handler handler);
    // A fixed HTML page for GET.
    void page(const QString &host, const QString &path, const QByteArray &html);
    // Drops every route a test added and puts the built-in ones back.
    void resetRoutes();

    TestHttpServer &server() { return m_server; }
    // Requests seen for one host (Host header without port), in order.
    QList<HttpRequest> requests(const QString &host) const;

    // A cookie value from a request's Cookie header (empty when absent).
    static QByteArray cookie(const HttpRequest &request, const QByteArray &name);
    // A 302 reply to location.
    static HttpReply redirect(const QString &location);

    // The one site of a test program, made by startShared().
    static FixtureSite *shared();
    // Makes, starts and installs the shared site (and the image cache's FixtureNetwork). Call after the Q*Application exists and before
    // the web engine starts. Returns null (with a warning) when the server cannot start.
    static FixtureSite *startShared();

private:
    struct Route {
        QString host;
        QByteArray method;
        QString path;
        bool prefix = false;
        Handler handler;
    };
    void installDefaults();
    void dispatch(const HttpRequest &request, const HttpResponder &responder);
    bool serveFile(const HttpRequest &request, const HttpResponder &responder);
    void add(Route route);

    TestHttpServer m_server;
    QSslCertificate m_certificate;
    QList<Route> m_routes;
};

}   // namespace vt::test
