#include "Service/VeltraneAccount.h"

#include "Base/AppSettings.h"
#include "Base/DataFolder.h"
#include "Base/Lang.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStandardPaths>
#include <QTimer>
#include <QCoro/QCoroNetworkReply>
#include <QCoro/QCoroSignal>
#include <QCoro/QCoroTimer>

#include <cmath>

namespace {

const QString kSignedOut = QStringLiteral("signed-out");
const QString kUnreachable = QStringLiteral("unreachable");
const QString kFailed = QStringLiteral("failed");

std::optional<QString> stringMember(const QJsonObject &o, const QString &key)
{
    const QJsonValue v = o.value(key);
    return v.isString() ? std::optional<QString>(v.toString()) : std::nullopt;
}

bool trueMember(const QJsonObject &o, const QString &key)
{
    const QJsonValue v = o.value(key);
    return v.isBool() && v.toBool();
}

std::optional<qint64> integerMember(const QJsonObject &o, const QString &key)
{
    const QJsonValue v = o.value(key);
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (!std::isfinite(d) || std::trunc(d) != d || std::fabs(d) > 9007199254740992.0)
        return std::nullopt;
    return static_cast<qint64>(d);
}

bool sameOrigin(const QUrl &a, const QUrl &b)
{
    const auto defaultPort = [](const QUrl &u) { return u.port(u.scheme() == QLatin1String("https") ? 443 : 80); };
    return a.scheme() == b.scheme() && a.host().compare(b.host(), Qt::CaseInsensitive) == 0
        && defaultPort(a) == defaultPort(b);
}

QCoro::Task<void> sleepFor(double seconds)
{
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    timer.start(std::max(0, static_cast<int>(std::llround(seconds * 1000))));
    co_await timer;
}

}   // namespace

struct VeltraneAccount::DeviceStart {
    bool done = false;
    std::exception_ptr error;
};

// ---- endpoint and account file ----

QUrl VeltraneAccount::defaultServer()
{
    return QUrl(QStringLiteral("https://api.veltrane.app"));
}

QUrl VeltraneAccount::configuredServer()
{
    if (qEnvironmentVariableIsSet("VT_SERVER_URL"))
        return configuredServer(qEnvironmentVariable("VT_SERVER_URL"));
    if (AppSettings::shared().contains(QStringLiteral("vt.serverUrl"))) {
        const QVariant v = AppSettings::shared().value(QStringLiteral("vt.serverUrl"));
        // A value of another type is no endpoint at all.
        return configuredServer(v.typeId() == QMetaType::QString ? std::optional<QString>(v.toString())
                                                                 : std::optional<QString>(QString()));
    }
    return configuredServer(std::nullopt);
}

QUrl VeltraneAccount::configuredServer(const std::optional<QString> &value)
{
    if (!value)
        return defaultServer();
    QString text = *value;
    const auto trimmable = [](QChar c) { return c == QLatin1Char('/') || c.isSpace(); };
    while (!text.isEmpty() && trimmable(text.front()))
        text.remove(0, 1);
    while (!text.isEmpty() && trimmable(text.back()))
        text.chop(1);
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty() || !url.path().isEmpty() || url.hasQuery())
        return defaultServer();
    const QString scheme = url.scheme();
    const QString host = url.host();
    const bool local = host == QLatin1String("localhost") || host == QLatin1String("127.0.0.1");
    if (!(scheme == QLatin1String("https") || (scheme == QLatin1String("http") && local)))
        return defaultServer();
    return url;
}

QString VeltraneAccount::dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Veltrane");
}

QString VeltraneAccount::defaultStore(const QUrl &server)
{
    if (server == defaultServer())
        return dataFolder() + QStringLiteral("/account.json");
    const QString host = server.host().isEmpty() ? QStringLiteral("dev") : server.host();
    return dataFolder() + QStringLiteral("/account-%1-%2.json").arg(host).arg(std::max(0, server.port()));
}

VeltraneAccount::VeltraneAccount(QObject *parent)
    : VeltraneAccount(std::nullopt, QString(), {}, {}, parent)
{
}

VeltraneAccount::VeltraneAccount(const std::optional<QUrl> &server, const QString &store, Transport transport,
                                 Pause pause, QObject *parent)
    : QObject(parent)
    , m_server(server.value_or(configuredServer()))
    , m_store(server ? store : defaultStore(configuredServer()))
    , m_transport(std::move(transport))
    , m_pause(pause ? std::move(pause) : Pause(sleepFor))
{
    loadStore();
}

VeltraneAccount::~VeltraneAccount() = default;

void VeltraneAccount::loadStore()
{
    if (m_store.isEmpty())
        return;
    // A link in the file's place, even one that leads nowhere, is not our file: it is moved aside
    // like any file that cannot be used, and nothing is ever written where it leads.
    if (DataFolder::isLink(m_store)) {
        m_unread = Unread::link;
        m_unreadDetail = QFileInfo(m_store).symLinkTarget();
        return;
    }
    if (!QFileInfo::exists(m_store))
        return;
    QString why;
    const std::optional<QByteArray> bytes = DataFolder::read(m_store, kMaxFileBytes, &why);
    if (!bytes) {
        m_unread = Unread::unopenable;
        m_unreadDetail = why;
        return;
    }
    const QJsonDocument doc = QJsonDocument::fromJson(*bytes);
    if (!doc.isObject()) {
        m_unread = Unread::damaged;
        return;
    }
    // Only the token and the endpoint are needed; anything else of another type is ignored.
    const QJsonObject o = doc.object();
    const std::optional<QString> token = stringMember(o, QStringLiteral("token"));
    if (!token || token->isEmpty()) {
        m_unread = Unread::noSignIn;
        return;
    }
    const std::optional<QString> server = stringMember(o, QStringLiteral("server"));
    if (!server || *server != m_server.toString()) {
        m_unread = Unread::otherServer;
        m_unreadDetail = server.value_or(QString());
        return;
    }
    m_token = *token;
    const QString email = stringMember(o, QStringLiteral("email")).value_or(QString());
    m_email = email.isEmpty() ? std::nullopt : std::optional<QString>(email);
}

bool VeltraneAccount::keepAside()
{
    if (!m_unread || !m_keptAside.isEmpty() || !(QFileInfo::exists(m_store) || DataFolder::isLink(m_store)))
        return true;
    QString why;
    const QString aside = DataFolder::moveAside(m_store,
                                                QStringLiteral(".unreadable-")
                                                    + QDateTime::currentDateTime().toString(
                                                        QStringLiteral("yyyyMMdd-HHmmss")),
                                                &why);
    if (aside.isEmpty()) {
        m_asideFailed = true;
        qWarning("cannot keep the unreadable account file %s aside (%s); it is left as it is", qPrintable(m_store),
                 qPrintable(why));
        return false;
    }
    m_asideFailed = false;
    m_keptAside = aside;
    return true;
}

QString VeltraneAccount::fileNotice() const
{
    if (!m_unread)
        return {};
    QString why;
    switch (*m_unread) {
    case Unread::damaged:
        why = tr("it is damaged or cut short");
        break;
    case Unread::otherServer:
        why = tr("it belongs to another server (%1)").arg(m_unreadDetail);
        break;
    case Unread::noSignIn:
        why = tr("it holds no sign-in");
        break;
    case Unread::unopenable:
        why = tr("it could not be opened: %1").arg(m_unreadDetail);
        break;
    case Unread::link:
        why = tr("it is a link to %1, not a file of its own").arg(m_unreadDetail);
        break;
    }
    if (!m_keptAside.isEmpty()) {
        return tr("The account file could not be read (%1). It was kept as %2, and the new sign-in was "
                  "saved in its place. If it held your earlier account, sign in with that account's "
                  "email to use it again.")
            .arg(why, m_keptAside);
    }
    if (m_asideFailed) {
        return tr("The account file could not be read (%1) and could not be moved aside, so it was left "
                  "as it is: %2. The new sign-in lasts only until the application quits.")
            .arg(why, m_store);
    }
    return tr("The account file could not be read (%1), so you are not signed in. It was left as it "
              "is: %2. A new sign-in keeps it aside rather than writing over it.")
        .arg(why, m_store);
}

void VeltraneAccount::writeStore()
{
    const QJsonObject o{{QStringLiteral("token"), m_token.value_or(QString())},
                        {QStringLiteral("email"), m_email.value_or(QString())},
                        {QStringLiteral("server"), m_server.toString()}};
    // Owner-only, beside the target and renamed over it; never through a link.
    const QString why = DataFolder::write(m_store, QJsonDocument(o).toJson(QJsonDocument::Compact));
    if (!why.isEmpty())
        qWarning("cannot write the account file %s; the previous one is kept: %s", qPrintable(m_store),
                 qPrintable(why));
}

void VeltraneAccount::remember(const std::optional<QString> &token, const std::optional<QString> &email)
{
    m_token = token;
    if (!token) {
        m_email.reset();
        m_supportCode.reset();
    } else {
        m_email = email;
    }
    // A file that could not be read goes aside first; one that cannot be moved is left alone.
    if (!m_store.isEmpty() && keepAside()) {
        if (token)
            writeStore();
        else
            QFile::remove(m_store);
    }
    // ready() follows the token, so every sign-in and sign-out is announced.
    emit changed();
}

// ---- one call ----

QCoro::Task<VeltraneAccount::Reply> VeltraneAccount::send(Request r)
{
    if (!m_net) {
        m_net = new QNetworkAccessManager(this);
        m_net->setAutoDeleteReplies(false);
    }
    QNetworkRequest req(r.url);
    for (const auto &[name, value] : r.headers)
        req.setRawHeader(name, value);
    req.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    req.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // Redirects are checked one by one: the bearer token must not leave the service's origin.
    req.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    req.setMaximumRedirectsAllowed(5);

    QNetworkReply *reply = m_net->sendCustomRequest(req, r.method, r.body);
    std::unique_ptr<QNetworkReply, void (*)(QNetworkReply *)> owner(reply, [](QNetworkReply *p) { p->deleteLater(); });

    struct Guard {
        QByteArray body;
        bool oversized = false;
        bool offOrigin = false;
        bool timedOut = false;
    };
    auto g = std::make_shared<Guard>();
    const QUrl origin = m_server;
    QObject::connect(reply, &QNetworkReply::redirected, reply, [reply, origin, g](const QUrl &to) {
        if (sameOrigin(to, origin)) {
            emit reply->redirectAllowed();
        } else {
            g->offOrigin = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, g] {
        bool ok = false;
        const qint64 length = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&ok);
        if (ok && length > kMaxReplyBytes) {
            g->oversized = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, g] {
        g->body += reply->readAll();
        if (g->body.size() > kMaxReplyBytes) {
            g->oversized = true;
            g->body.clear();
            reply->abort();
        }
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, [reply, g] {
        g->timedOut = true;
        reply->abort();
    });
    deadline.start(r.timeoutMs);

    if (!reply->isFinished())
        co_await reply;
    deadline.stop();

    Reply out;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    out.status = status.isValid() ? status.toInt() : 0;
    if (g->oversized || g->offOrigin) {
        out.refused = true;
        co_return out;
    }
    // Errors of the connection or the protocol (a reply broken off, a reset, a time-out) are
    // transport failures even when a status line arrived; HTTP error statuses are replies.
    const int error = reply->error();
    const bool transportError = (error > 0 && error < 200) || error == QNetworkReply::ProtocolFailure
        || error == QNetworkReply::ProtocolUnknownError;
    if (g->timedOut || !status.isValid() || transportError)
        throw APIFailure(0, kUnreachable);
    g->body += reply->readAll();
    if (g->body.size() > kMaxReplyBytes) {
        out.refused = true;
        co_return out;
    }
    out.body = g->body;
    for (const auto &[name, value] : reply->rawHeaderPairs())
        out.headers.insert(name.toLower(), value);
    co_return out;
}

QCoro::Task<QJsonObject> VeltraneAccount::request(const char *method, const char *path, std::optional<QJsonObject> body,
                                                  Auth auth, bool retry)
{
    std::optional<QString> token;
    if (auth != Auth::None)
        token = m_token;
    if (auth == Auth::Required && !token)
        throw APIFailure(401, kSignedOut);

    Request r;
    r.method = method;
    r.url = m_server;
    r.url.setPath(m_server.path() + QLatin1Char('/') + QString::fromLatin1(path));
    r.timeoutMs = m_timeoutMs;
    r.headers.append(qMakePair(QByteArray("Accept"), QByteArray("application/json")));
    r.headers.append(qMakePair(QByteArray("Accept-Language"), QByteArray(Lang::system() ? "ko" : "en")));
    if (body) {
        r.headers.append(qMakePair(QByteArray("Content-Type"), QByteArray("application/json")));
        r.body = QJsonDocument(*body).toJson(QJsonDocument::Compact);
    }
    if (token)
        r.headers.append(qMakePair(QByteArray("Authorization"), "Bearer " + token->toUtf8()));

    QPointer<VeltraneAccount> self(this);
    const Pause pause = m_pause;   // the waits must not touch this object
    const Transport transport = m_transport;
    for (int n = 0;; ++n) {
        Reply reply;
        bool sent = false;
        try {
            if (transport)
                reply = co_await transport(r);
            else
                reply = co_await send(r);
            sent = true;
        } catch (...) {
        }
        if (!self)
            throw APIFailure(0, kUnreachable);
        if (!sent) {
            if (retry && n < 3) {
                co_await pause(0.5 * std::pow(2.0, n));
                if (!self)
                    throw APIFailure(0, kUnreachable);
                continue;
            }
            throw APIFailure(0, kUnreachable);
        }
        if (reply.refused)
            throw APIFailure(reply.status, kFailed);

        const QJsonDocument doc = QJsonDocument::fromJson(reply.body);
        const QJsonObject object = doc.isObject() ? doc.object() : QJsonObject();
        if (reply.status >= 200 && reply.status <= 299)
            co_return object;

        const QString code = stringMember(object, QStringLiteral("error")).value_or(kFailed);
        if (reply.status == 429 && retry && n < 3) {
            bool ok = false;
            double after = reply.headers.value("retry-after").trimmed().toDouble(&ok);
            if (!ok || !std::isfinite(after))
                after = 0;
            if (after <= 20) {
                co_await pause(after > 0 ? after : 0.5 * std::pow(2.0, n));
                if (!self)
                    throw APIFailure(0, kUnreachable);
                continue;
            }
        }
        // Only the token this call sent is signed out: a newer sign-in stays.
        if (token && m_token == token && reply.status == 401 && code != QLatin1String("bad-login"))
            remember(std::nullopt, std::nullopt);
        throw APIFailure(reply.status, code);
    }
}

// ---- account operations ----

void VeltraneAccount::applyProfile(const QJsonObject &reply)
{
    if (auto code = stringMember(reply, QStringLiteral("code")))
        publish(m_supportCode, std::optional<QString>(*code));
    const QJsonValue hp = reply.value(QStringLiteral("hasPassword"));
    publish(m_hasPassword, hp.isBool() ? hp.toBool() : true);
}

void VeltraneAccount::signedIn(const QJsonObject &reply)
{
    const auto token = stringMember(reply, QStringLiteral("token"));
    if (!token)
        throw APIFailure(0, kFailed);
    remember(token, stringMember(reply, QStringLiteral("email")));
    applyProfile(reply);
}

QCoro::Task<void> VeltraneAccount::refresh(bool autoStart)
{
    QPointer<VeltraneAccount> self(this);
    try {
        const QJsonObject status = co_await request("GET", "api/status", std::nullopt, Auth::None, false);
        if (!self)
            co_return;
        publish(m_testMode, trueMember(status, QStringLiteral("testMode")));
        publish(m_emailLogin, trueMember(status, QStringLiteral("emailLogin")));
        publish(m_deviceAccounts, trueMember(status, QStringLiteral("deviceAccount")));
    } catch (const APIFailure &) {
    }
    if (!self)
        co_return;
    if (autoStart && !m_token && m_deviceAccounts) {
        try {
            co_await startDevice();
        } catch (const APIFailure &) {
        }
        if (!self)
            co_return;
    }
    if (!m_token)
        co_return;
    try {
        const std::optional<QString> sent = m_token;
        const QJsonObject me = co_await request("GET", "api/me", std::nullopt, Auth::Required, false);
        // The profile of a sign-in that was replaced or ended meanwhile is not this account's.
        if (!self || m_token != sent)
            co_return;
        publish(m_email, stringMember(me, QStringLiteral("email")));
        applyProfile(me);
    } catch (const APIFailure &) {
    }
}

QCoro::Task<void> VeltraneAccount::authenticate(bool signup, QString email, QString password)
{
    QPointer<VeltraneAccount> self(this);
    const QJsonObject body{{QStringLiteral("email"), email}, {QStringLiteral("password"), password}};
    const QJsonObject reply = co_await request("POST", signup ? "api/auth/signup" : "api/auth/login", body, Auth::None,
                                               false);
    if (self)
        signedIn(reply);
}

QCoro::Task<void> VeltraneAccount::logout()
{
    if (m_token && !m_email)
        co_return;   // a device account cannot be signed out
    QPointer<VeltraneAccount> self(this);
    try {
        co_await request("POST", "api/auth/logout", std::nullopt, Auth::Required, false);
    } catch (const APIFailure &) {
    }
    if (self)
        remember(std::nullopt, std::nullopt);
}

QCoro::Task<void> VeltraneAccount::startDevice()
{
    QPointer<VeltraneAccount> self(this);
    if (m_deviceStart) {
        const auto state = m_deviceStart;
        while (!state->done && self)
            co_await qCoro(this, &VeltraneAccount::deviceStartEnded);
        if (state->error)
            std::rethrow_exception(state->error);
        co_return;
    }
    if (m_token)
        co_return;
    const auto state = std::make_shared<DeviceStart>();
    m_deviceStart = state;
    try {
        const QJsonObject reply = co_await request("POST", "api/device/new", QJsonObject(), Auth::None, false);
        if (self)
            signedIn(reply);
    } catch (...) {
        state->error = std::current_exception();
    }
    state->done = true;
    if (self) {
        m_deviceStart.reset();
        emit deviceStartEnded();
    }
    if (state->error)
        std::rethrow_exception(state->error);
}

QCoro::Task<int> VeltraneAccount::sendCode(const char *path, QString email, Auth auth)
{
    const QJsonObject body{{QStringLiteral("email"), email}};
    const QJsonObject reply = co_await request("POST", path, body, auth, false);
    const auto wait = integerMember(reply, QStringLiteral("resendIn"));
    co_return wait ? static_cast<int>(std::clamp<qint64>(*wait, 0, 86400)) : 60;
}

QCoro::Task<int> VeltraneAccount::sendLinkCode(QString email)
{
    co_return co_await sendCode("api/account/email/start", email, Auth::Required);
}

QCoro::Task<int> VeltraneAccount::sendEmailCode(QString email)
{
    co_return co_await sendCode("api/auth/email/start", email, Auth::None);
}

QCoro::Task<bool> VeltraneAccount::linkEmail(QString email, QString code)
{
    QPointer<VeltraneAccount> self(this);
    const QJsonObject body{{QStringLiteral("email"), email}, {QStringLiteral("code"), code}};
    const QJsonObject reply = co_await request("POST", "api/account/email/verify", body, Auth::Required, false);
    if (self)
        signedIn(reply);
    co_return trueMember(reply, QStringLiteral("merged"));
}

QCoro::Task<bool> VeltraneAccount::signIn(QString email, QString code)
{
    QPointer<VeltraneAccount> self(this);
    const QJsonObject body{{QStringLiteral("email"), email}, {QStringLiteral("code"), code}};
    const QJsonObject reply = co_await request("POST", "api/auth/email/verify", body, Auth::None, false);
    if (self)
        signedIn(reply);
    co_return trueMember(reply, QStringLiteral("created"));
}

QCoro::Task<void> VeltraneAccount::changePassword(QString current, QString next)
{
    QJsonObject body{{QStringLiteral("newPassword"), next}};
    if (m_hasPassword)
        body.insert(QStringLiteral("password"), current);
    QPointer<VeltraneAccount> self(this);
    const QJsonObject reply = co_await request("POST", "api/auth/password", body, Auth::Required, false);
    if (self)
        signedIn(reply);
}

QCoro::Task<void> VeltraneAccount::deleteAccount(QString password)
{
    QJsonObject body;
    if (!m_email)
        body.insert(QStringLiteral("confirm"), QStringLiteral("delete"));
    else if (m_hasPassword)
        body.insert(QStringLiteral("password"), password);
    else
        body.insert(QStringLiteral("email"), password);
    QPointer<VeltraneAccount> self(this);
    co_await request("POST", "api/account/delete", body, Auth::Required, false);
    if (self)
        remember(std::nullopt, std::nullopt);
}

// ---- AI check ----

QCoro::Task<VeltraneAccount::Checked> VeltraneAccount::check(QStringList comments, QStringList kinds, bool keepPraise)
{
    QJsonObject body{{QStringLiteral("comments"), QJsonArray::fromStringList(comments)},
                     {QStringLiteral("kinds"), QJsonArray::fromStringList(kinds)}};
    if (keepPraise && kinds.contains(QLatin1String("abuse")))
        body.insert(QStringLiteral("keepPraise"), true);
    const QJsonObject reply = co_await request("POST", "api/ai/check", body, Auth::Optional, true);

    const QJsonValue list = reply.value(QStringLiteral("scores"));
    const QJsonArray scores = list.isArray() ? list.toArray() : QJsonArray();
    Checked out;
    out.scores.reserve(comments.size());
    for (qsizetype i = 0; i < comments.size(); ++i)
        out.scores.append(i < scores.size() ? AIScore::fromReplyElement(scores.at(i)) : std::nullopt);
    out.tokens = integerMember(reply, QStringLiteral("tokens")).value_or(0);
    co_return out;
}
