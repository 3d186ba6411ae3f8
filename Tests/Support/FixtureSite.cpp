#include "FixtureSite.h"

#include "FixtureNetwork.h"

#include <QBuffer>
#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QMimeDatabase>
#include <QUrlQuery>
#include <QtMath>

#include <algorithm>

// Built-in pages (GET unless said):
//   www.youtube.com      /                 home; signed in (ytcfg LOGGED_IN, #avatar-btn) when an "SID" cookie came
//                        /watch?v=ID       a plain watch page (comment pages replace it)
//                        /signin           302 to the Google sign-in page
//                        /media            autoplaying <video> and <audio>, a page-muted <audio id=q>, a <button id=play>
//                                          that starts <audio id=b>, and an <iframe id=f> with autoplaying audio
//                        /media/frame      the frame; /media/tone.wav a 20 s tone
//                        /media/hidden     media out of the document's plain reach: an autoplaying <audio> in a
//                                          closed shadow root, a play() on <audio> that the page wrote into an
//                                          about:blank frame, and an autoplaying <video> made at the load and
//                                          appended 300 ms later (window.__hidden holds the three elements)
//                        /popup            window.open() and a target=_blank link to /popup/target
//                        /dialogs          alert, confirm and prompt on load; results in window.dialogResults
//                        /broken           the connection closes without an answer (the load fails)
//   accounts.google.com  /ServiceLogin     sign-in form; POST /signin/challenge/pwd with identifier:
//                                          "owner" signs in, "verify" goes to /signin/challenge/ipp (verification),
//                                          "refused" to /v3/signin/rejected (refusal only the page text shows),
//                                          "denied" to /signin/oauth/deniedsigninrejected (refusal in the address)
//   accounts.youtube.com /accounts/SetSID  sets SID, __Secure-1PSID, __Secure-3PSID, LOGIN_INFO for .youtube.com
//   www.instagram.com    /                 feed when "sessionid" came, else the sign-in form
//                        /accounts/login/  sign-in form; POST /accounts/login/ajax/ with username "owner" signs in
//                                          (sessionid, ds_user_id, csrftoken), "verify" goes to /challenge/action/,
//                                          "denied" to /accounts/login/?error_code=disallowed_useragent
//                        /p/CODE/          a plain post page
//                        /media            as on YouTube
//   i.ytimg.com, scontent-ssn1-1.cdninstagram.com   any path: a small JPEG (thumbnails)

namespace vt::test {

namespace {

const QString youtube = QStringLiteral("www.youtube.com");
const QString google = QStringLiteral("accounts.google.com");
const QString youtubeAccounts = QStringLiteral("accounts.youtube.com");
const QString instagram = QStringLiteral("www.instagram.com");
const QString instagramCdn = QStringLiteral("scontent-ssn1-1.cdninstagram.com");

FixtureSite *sharedSite = nullptr;

QByteArray wavTone()
{
    // 8 kHz, 8-bit mono, 20 s of a quiet 440 Hz tone.
    const int rate = 8000;
    const int samples = rate * 20;
    QByteArray data(samples, '\0');
    for (int i = 0; i < samples; ++i)
        data[i] = char(128 + int(20 * qSin(2 * M_PI * 440 * i / rate)));
    auto le32 = [](quint32 v) {
        QByteArray b(4, '\0');
        for (int i = 0; i < 4; ++i)
            b[i] = char((v >> (8 * i)) & 0xff);
        return b;
    };
    auto le16 = [](quint16 v) {
        QByteArray b(2, '\0');
        b[0] = char(v & 0xff);
        b[1] = char(v >> 8);
        return b;
    };
    QByteArray out = "RIFF" + le32(36 + samples) + "WAVE";
    out += "fmt " + le32(16) + le16(1) + le16(1) + le32(rate) + le32(rate) + le16(1) + le16(8);
    out += "data" + le32(samples) + data;
    return out;
}

// A small picture, different per address, as the image hosts send thumbnails.
QByteArray picture(const QString &pathAndQuery)
{
    QImage image(64, 36, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(qHash(pathAndQuery) | 0xff000000u));
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return out;
}

QByteArray htmlPage(const QByteArray &title, const QByteArray &body)
{
    return "<!doctype html><html><head><meta charset=\"utf-8\"><title>" + title
        + "</title>"
          "<style>body{font:16px sans-serif;margin:0;padding:24px;background:#fff;color:#111}"
          "h1{background:#c00;color:#fff;padding:16px;margin:0 0 16px}</style></head><body>"
        + body + "</body></html>";
}

QString formValue(const HttpRequest &request, const QString &name)
{
    QUrlQuery form(QString::fromUtf8(request.body).replace(u'+', u' '));
    return form.queryItemValue(name, QUrl::FullyDecoded);
}

QByteArray setCookie(const QByteArray &name, const QByteArray &value, const QByteArray &domain, bool httpOnly)
{
    return name + '=' + value + "; Domain=" + domain + "; Path=/; Max-Age=31536000; Secure"
        + (httpOnly ? "; HttpOnly" : "") + "; SameSite=None";
}

QByteArray escaped(const QString &text)
{
    return text.toHtmlEscaped().toUtf8();
}

QByteArray mediaPage()
{
    return htmlPage("Media",
                    "<h1>Media</h1>"
                    "<button id=\"play\" style=\"position:fixed;left:0;top:0;width:240px;height:120px\" "
                    "onclick=\"document.getElementById('b').play().catch(()=>{})\">Play</button>"
                    "<div style=\"margin-top:140px\">"
                    "<video id=\"v\" src=\"/media/tone.wav\" autoplay loop width=\"320\" height=\"120\"></video>"
                    "<audio id=\"a\" src=\"/media/tone.wav\" autoplay loop></audio>"
                    "<audio id=\"q\" src=\"/media/tone.wav\" loop muted></audio>"
                    "<audio id=\"b\" src=\"/media/tone.wav\" loop></audio>"
                    "<iframe id=\"f\" src=\"/media/frame\" width=\"300\" height=\"80\"></iframe></div>");
}

QByteArray hiddenMediaPage()
{
    return htmlPage(
        "Hidden media",
        "<h1>Hidden media</h1><div id=\"host\"></div>"
        "<script>"
        "window.__hidden = {};"
        "const root = document.getElementById('host').attachShadow({mode: 'closed'});"
        "root.innerHTML = '<audio src=\"/media/tone.wav\" autoplay loop></audio>';"
        "window.__hidden.shadow = root.querySelector('audio');"
        "const f = document.createElement('iframe');"
        "document.body.appendChild(f);"
        "f.contentDocument.body.innerHTML = '<audio src=\"' + location.origin + '/media/tone.wav\" loop></audio>';"
        "window.__hidden.blank = f.contentDocument.querySelector('audio');"
        "window.__hidden.blank.play().catch(() => {});"
        "window.addEventListener('load', () => {"
        "  const v = document.createElement('video');"
        "  v.src = '/media/tone.wav'; v.autoplay = true; v.loop = true;"
        "  setTimeout(() => { document.body.appendChild(v); window.__hidden.late = v; }, 300);"
        "});"
        "</script>");
}

}   // namespace

FixtureSite::FixtureSite(QObject *parent)
    : QObject(parent)
{
    m_server.setFallback(
        [this](const HttpRequest &request, const HttpResponder &responder) { dispatch(request, responder); });
    installDefaults();
}

FixtureSite::~FixtureSite()
{
    if (sharedSite == this)
        sharedSite = nullptr;
}

void FixtureSite::failRequest(const HttpResponder &responder, SiteFailure how, const QByteArray &json)
{
    switch (how) {
    case SiteFailure::None:
        break;
    case SiteFailure::ServerError:
        return responder.reply(
            HttpReply::json(QJsonObject{{"error", QJsonObject{{"code", 500}, {"status", "INTERNAL"}}}}, 500));
    case SiteFailure::CutOff: {
        HttpReply reply;
        reply.contentType = "application/json; charset=utf-8";
        reply.body = json.left(json.size() / 2);
        return responder.reply(reply);
    }
    case SiteFailure::ErrorPage:
        return responder.reply(
            HttpReply::html("<!doctype html><html><body><h1>Something went wrong</h1></body></html>", 200));
    case SiteFailure::Hang:
        return;
    }
}

QStringList FixtureSite::hosts()
{
    return {youtube,
            QStringLiteral("youtube.com"),
            QStringLiteral("m.youtube.com"),
            youtubeAccounts,
            google,
            instagram,
            QStringLiteral("instagram.com"),
            QStringLiteral("www.facebook.com"),
            QStringLiteral("facebook.com"),
            QStringLiteral("m.facebook.com"),
            QStringLiteral("i.ytimg.com"),
            instagramCdn};
}

QUrl FixtureSite::url(const QString &host, const QString &pathAndQuery)
{
    return QUrl(QStringLiteral("https://") + host + pathAndQuery);
}

QString FixtureSite::fileRoot()
{
    return QStringLiteral(VT_FIXTURES_DIR "/site");
}

bool FixtureSite::start()
{
    const TestCertificate cert = TestCertificate::make(hosts());
    if (cert.isNull())
        return false;
    m_certificate = cert.certificate;
    return m_server.listenTls(cert.certificate, cert.key);
}

quint16 FixtureSite::port() const
{
    return m_server.port();
}

QByteArray FixtureSite::chromiumFlags() const
{
    QStringList rules;
    for (const QString &host : hosts())
        rules << QStringLiteral("MAP %1 127.0.0.1:%2").arg(host).arg(port());
    rules << QStringLiteral("MAP * ~NOTFOUND") << QStringLiteral("EXCLUDE 127.0.0.1");
    return "--host-resolver-rules=\"" + rules.join(QStringLiteral(", ")).toLatin1() + "\" --ignore-certificate-errors";
}

void FixtureSite::installResolverRules() const
{
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.isEmpty())
        flags += ' ';
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + chromiumFlags());
}

void FixtureSite::add(Route route)
{
    route.host = route.host.toLower();
    m_routes.removeIf([&](const Route &r) {
        return r.host == route.host && r.method == route.method && r.path == route.path && r.prefix == route.prefix;
    });
    m_routes.append(std::move(route));
}

void FixtureSite::route(const QString &host, const QByteArray &method, const QString &path, Handler handler)
{
    add({host, method, path, false, std::move(handler)});
}

void FixtureSite::routePrefix(const QString &host, const QByteArray &method, const QString &prefix, Handler handler)
{
    add({host, method, prefix, true, std::move(handler)});
}

void FixtureSite::page(const QString &host, const QString &path, const QByteArray &html)
{
    route(host, "GET", path, [html](const HttpRequest &, const HttpResponder &r) { r.reply(HttpReply::html(html)); });
}

void FixtureSite::resetRoutes()
{
    m_routes.clear();
    installDefaults();
}

QList<HttpRequest> FixtureSite::requests(const QString &host) const
{
    QList<HttpRequest> out;
    for (const HttpRequest &request : m_server.requests())
        if (request.host().compare(host, Qt::CaseInsensitive) == 0)
            out << request;
    return out;
}

QByteArray FixtureSite::cookie(const HttpRequest &request, const QByteArray &name)
{
    for (const QByteArray &part : request.header("cookie").split(';')) {
        const QByteArray item = part.trimmed();
        const int eq = item.indexOf('=');
        if (eq > 0 && item.left(eq) == name)
            return item.mid(eq + 1);
    }
    return {};
}

HttpReply FixtureSite::redirect(const QString &location)
{
    HttpReply reply = HttpReply::html("<a href=\"" + escaped(location) + "\">moved</a>", 302);
    reply.withHeader("Location", location.toUtf8());
    return reply;
}

void FixtureSite::dispatch(const HttpRequest &request, const HttpResponder &responder)
{
    const QString host = request.host().toLower();
    const Route *best = nullptr;
    for (const Route &r : m_routes) {
        if (r.host != host || (r.method != "*" && r.method != request.method))
            continue;
        if (!r.prefix && r.path == request.path) {
            best = &r;
            break;
        }
        if (r.prefix && request.path.startsWith(r.path)
            && (!best || (best->prefix && r.path.size() > best->path.size())))
            best = &r;
    }
    if (best) {
        best->handler(request, responder);
        return;
    }
    if (request.method == "GET" && serveFile(request, responder))
        return;
    responder.reply(HttpReply::text("not found", 404));
}

bool FixtureSite::serveFile(const HttpRequest &request, const HttpResponder &responder)
{
    QString path = request.path;
    if (path.contains(QStringLiteral("..")))
        return false;
    if (path.endsWith(u'/'))
        path += QStringLiteral("index.html");
    const QFileInfo info(fileRoot() + u'/' + request.host().toLower() + path);
    if (!info.isFile())
        return false;
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    HttpReply reply;
    reply.body = file.readAll();
    reply.contentType = QMimeDatabase().mimeTypeForFile(info).name().toUtf8();
    if (reply.contentType.startsWith("text/") || reply.contentType.endsWith("javascript"))
        reply.contentType += "; charset=utf-8";
    responder.reply(reply);
    return true;
}

void FixtureSite::installDefaults()
{
    using R = const HttpResponder &;
    using Q = const HttpRequest &;

    // YouTube.
    route(youtube, "GET", QStringLiteral("/"), [](Q q, R r) {
        const bool in = !cookie(q, "SID").isEmpty();
        const QByteArray state = in ? "true" : "false";
        QByteArray body = "<script>var ytcfg={data_:{LOGGED_IN:" + state
            + "},get:function(k){return this.data_[k];}};</script>"
              "<h1>YouTube home</h1>";
        body += in
            ? "<button id=\"avatar-btn\" aria-label=\"Account\">Owner</button><p id=\"state\">signed in</p>"
            : "<a id=\"signin\" href=\"https://accounts.google.com/ServiceLogin?service=youtube&amp;continue=https%3A%2F%2Fwww.youtube.com%2F\">Sign in</a><p id=\"state\">signed out</p>";
        r.reply(HttpReply::html(htmlPage("YouTube", body)));
    });
    route(youtube, "GET", QStringLiteral("/watch"), [](Q q, R r) {
        const QByteArray id = escaped(q.query.queryItemValue(QStringLiteral("v")));
        r.reply(HttpReply::html(htmlPage("Video " + id + " - YouTube", "<h1>Video " + id + "</h1>")));
    });
    route(youtube, "GET", QStringLiteral("/signin"), [](Q, R r) {
        r.reply(redirect(QStringLiteral(
            "https://accounts.google.com/ServiceLogin?service=youtube&continue=https%3A%2F%2Fwww.youtube.com%2F")));
    });
    for (const QString &host : {youtube, instagram}) {
        route(host, "GET", QStringLiteral("/media"), [](Q, R r) { r.reply(HttpReply::html(mediaPage())); });
        route(host, "GET", QStringLiteral("/media/hidden"),
              [](Q, R r) { r.reply(HttpReply::html(hiddenMediaPage())); });
        route(host, "GET", QStringLiteral("/media/frame"), [](Q, R r) {
            r.reply(
                HttpReply::html(htmlPage("Frame", "<audio id=\"a\" src=\"/media/tone.wav\" autoplay loop></audio>")));
        });
        route(host, "GET", QStringLiteral("/media/tone.wav"), [](Q, R r) {
            static const QByteArray tone = wavTone();
            HttpReply reply;
            reply.contentType = "audio/wav";
            reply.body = tone;
            r.reply(reply);
        });
        route(host, "GET", QStringLiteral("/popup"), [](Q, R r) {
            r.reply(HttpReply::html(htmlPage(
                "Popup",
                "<h1>Popup</h1><a id=\"link\" target=\"_blank\" href=\"/popup/target\">open</a>"
                "<script>function openSecure(){return window.open('/popup/target');}"
                "function openInsecure(){return window.open('http://www.youtube.com/popup/target');}</script>")));
        });
        route(host, "GET", QStringLiteral("/popup/target"),
              [](Q, R r) { r.reply(HttpReply::html(htmlPage("Popup target", "<h1>Popup target</h1>"))); });
        route(host, "GET", QStringLiteral("/dialogs"), [](Q, R r) {
            r.reply(HttpReply::html(htmlPage("Dialogs",
                                             "<h1>Dialogs</h1><script>window.dialogResults={};"
                                             "window.dialogResults.alert=(alert('hello'),'done');"
                                             "window.dialogResults.confirm=confirm('sure?');"
                                             "window.dialogResults.prompt=prompt('name?','x');</script>")));
        });
        route(host, "GET", QStringLiteral("/broken"), [](Q, R r) { r.closeConnection(); });
    }

    // Google sign-in.
    auto googleForm =
        [](const QString &continueTo, const QByteArray &action, const QByteArray &title, const QByteArray &field) {
        return htmlPage(title,
                        "<h1>" + title + "</h1><form id=\"form\" method=\"post\" action=\"" + action
                            + "\">"
                              "<input name=\""
                            + field + "\" id=\"" + field + "\"><input type=\"hidden\" name=\"continue\" value=\""
                            + escaped(continueTo) + "\"><button type=\"submit\">Next</button></form>");
    };
    route(google, "GET", QStringLiteral("/ServiceLogin"), [googleForm](Q q, R r) {
        r.reply(HttpReply::html(googleForm(q.query.queryItemValue(QStringLiteral("continue"), QUrl::FullyDecoded),
                                           "/signin/challenge/pwd", "Sign in - Google Accounts", "identifier")));
    });
    route(google, "POST", QStringLiteral("/signin/challenge/pwd"), [](Q q, R r) {
        const QString who = formValue(q, QStringLiteral("identifier"));
        const QString next = QString::fromLatin1(QUrl::toPercentEncoding(formValue(q, QStringLiteral("continue"))));
        if (who == QLatin1String("verify"))
            return r.reply(redirect(QStringLiteral("/signin/challenge/ipp?continue=") + next));
        if (who == QLatin1String("refused"))
            return r.reply(redirect(QStringLiteral("/v3/signin/rejected?continue=") + next));
        if (who == QLatin1String("denied"))
            return r.reply(redirect(QStringLiteral("/signin/oauth/deniedsigninrejected?continue=") + next));
        HttpReply reply = redirect(QStringLiteral("https://accounts.youtube.com/accounts/SetSID?continue=") + next);
        reply.withHeader("Set-Cookie", setCookie("SID", "google-session", ".google.com", false));
        r.reply(reply);
    });
    route(google, "GET", QStringLiteral("/signin/challenge/ipp"), [googleForm](Q q, R r) {
        r.reply(HttpReply::html(googleForm(q.query.queryItemValue(QStringLiteral("continue"), QUrl::FullyDecoded),
                                           "/signin/challenge/ipp", "2-Step Verification", "code")));
    });
    route(google, "POST", QStringLiteral("/signin/challenge/ipp"), [](Q q, R r) {
        const QString next = QString::fromLatin1(QUrl::toPercentEncoding(formValue(q, QStringLiteral("continue"))));
        HttpReply reply = redirect(QStringLiteral("https://accounts.youtube.com/accounts/SetSID?continue=") + next);
        reply.withHeader("Set-Cookie", setCookie("SID", "google-session", ".google.com", false));
        r.reply(reply);
    });
    route(google, "GET", QStringLiteral("/v3/signin/rejected"), [](Q, R r) {
        r.reply(HttpReply::html(
            htmlPage("Sign in - Google Accounts",
                     "<h1>Couldn't sign you in</h1><p id=\"reason\">This browser or app may not be secure.</p>")));
    });
    route(google, "GET", QStringLiteral("/signin/oauth/deniedsigninrejected"), [](Q, R r) {
        r.reply(HttpReply::html(htmlPage("Sign in - Google Accounts", "<h1>Couldn't sign you in</h1>")));
    });
    route(youtubeAccounts, "GET", QStringLiteral("/accounts/SetSID"), [](Q q, R r) {
        QString next = q.query.queryItemValue(QStringLiteral("continue"), QUrl::FullyDecoded);
        if (!next.startsWith(QStringLiteral("https://www.youtube.com/")))
            next = QStringLiteral("https://www.youtube.com/");
        HttpReply reply = redirect(next);
        for (const QByteArray name : {"SID", "__Secure-1PSID", "__Secure-3PSID"})
            reply.withHeader("Set-Cookie", setCookie(name, "youtube-session", ".youtube.com", name != "SID"));
        reply.withHeader("Set-Cookie", setCookie("LOGIN_INFO", "login", ".youtube.com", true));
        r.reply(reply);
    });

    // Instagram.
    auto instagramLogin = [](const QString &next) {
        return htmlPage(
            "Login • Instagram",
            "<h1>Instagram</h1><form id=\"form\" method=\"post\" action=\"/accounts/login/ajax/\">"
            "<input name=\"username\" id=\"username\"><input name=\"password\" type=\"password\" value=\"pw\">"
            "<input type=\"hidden\" name=\"next\" value=\""
                + escaped(next) + "\"><button type=\"submit\">Log in</button></form>");
    };
    route(instagram, "GET", QStringLiteral("/"), [instagramLogin](Q q, R r) {
        if (cookie(q, "sessionid").isEmpty())
            return r.reply(HttpReply::html(instagramLogin(QStringLiteral("/"))));
        r.reply(HttpReply::html(
            htmlPage("Instagram", "<h1>Instagram feed</h1><nav><a id=\"profile\" href=\"/owner/\">Profile</a></nav>")));
    });
    route(instagram, "GET", QStringLiteral("/accounts/login/"), [instagramLogin](Q q, R r) {
        r.reply(HttpReply::html(instagramLogin(q.query.queryItemValue(QStringLiteral("next"), QUrl::FullyDecoded))));
    });
    route(instagram, "POST", QStringLiteral("/accounts/login/ajax/"), [](Q q, R r) {
        const QString who = formValue(q, QStringLiteral("username"));
        QString next = formValue(q, QStringLiteral("next"));
        if (!next.startsWith(u'/') || next.startsWith(QStringLiteral("//")))
            next = QStringLiteral("/");
        const QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(next));
        if (who == QLatin1String("verify"))
            return r.reply(redirect(QStringLiteral("/challenge/action/?next=") + encoded));
        if (who == QLatin1String("denied"))
            return r.reply(
                redirect(QStringLiteral("/accounts/login/?error_code=disallowed_useragent&next=") + encoded));
        HttpReply reply = redirect(next);
        reply.withHeader("Set-Cookie", setCookie("sessionid", "instagram-session", ".instagram.com", true));
        reply.withHeader("Set-Cookie", setCookie("ds_user_id", "4242", ".instagram.com", false));
        reply.withHeader("Set-Cookie", setCookie("csrftoken", "token", ".instagram.com", false));
        r.reply(reply);
    });
    routePrefix(instagram, "GET", QStringLiteral("/challenge/"), [](Q, R r) {
        r.reply(
            HttpReply::html(htmlPage("Instagram", "<h1>Help us confirm it's you</h1><input name=\"security_code\">")));
    });
    routePrefix(instagram, "GET", QStringLiteral("/p/"), [](Q q, R r) {
        r.reply(
            HttpReply::html(htmlPage("Instagram post", "<h1>Post " + escaped(q.path.section(u'/', 2, 2)) + "</h1>")));
    });
    for (const QString &host : {QStringLiteral("i.ytimg.com"), instagramCdn}) {
        routePrefix(host, "GET", QStringLiteral("/"), [](Q q, R r) {
            HttpReply reply;
            reply.contentType = "image/jpeg";
            reply.body = picture(QString::fromUtf8(q.target));
            r.reply(reply);
        });
    }
}

FixtureSite *FixtureSite::shared()
{
    return sharedSite;
}

FixtureSite *FixtureSite::startShared()
{
    if (sharedSite)
        return sharedSite;
    auto *site = new FixtureSite(qApp);
    if (!site->start()) {
        qWarning("FixtureSite: the HTTPS server did not start");
        delete site;
        return nullptr;
    }
    site->installResolverRules();
    FixtureNetwork::installShared(*site);
    sharedSite = site;
    return site;
}

}   // namespace vt::test
