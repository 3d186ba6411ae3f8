#include "FakeService.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTimer>

#include <cmath>

namespace vt::test {

namespace {

HttpReply error(int status, const char *code)
{
    return HttpReply::json(QJsonObject{{QStringLiteral("error"), QString::fromLatin1(code)}}, status);
}

QString member(const QJsonObject &o, const char *name)
{
    return o.value(QLatin1String(name)).toString();
}

bool plausibleEmail(const QString &email)
{
    static const QRegularExpression re(QStringLiteral("^[^@\\s]+@[^@\\s]+\\.[^@\\s]+$"));
    return re.match(email).hasMatch();
}

const QStringList kSpamWords = {QStringLiteral("casino"),   QStringLiteral("카지노"),     QStringLiteral("텔레그램"),
                                QStringLiteral("telegram"), QStringLiteral("crypto"),     QStringLiteral("bitcoin"),
                                QStringLiteral("토토"),     QStringLiteral("click here"), QStringLiteral("대출")};
const QStringList kAbuseWords = {QStringLiteral("idiot"), QStringLiteral("stupid"), QStringLiteral("moron"),
                                 QStringLiteral("바보"),  QStringLiteral("멍청"),   QStringLiteral("꺼져")};
const QStringList kSexualWords = {QStringLiteral("nude"), QStringLiteral("porn"), QStringLiteral("sexy"),
                                  QStringLiteral("야동"), QStringLiteral("섹스")};

}   // namespace

FakeService::FakeService(QObject *parent)
    : QObject(parent)
{
    m_server.setFallback(
        [this](const HttpRequest &request, const HttpResponder &responder) { handle(request, responder); });
}

FakeService::~FakeService() = default;

bool FakeService::start()
{
    return m_server.listen();
}

QUrl FakeService::url() const
{
    QUrl u;
    u.setScheme(QStringLiteral("http"));
    u.setHost(QStringLiteral("127.0.0.1"));
    u.setPort(m_server.port());
    return u;
}

// ---- accounts ----

FakeService::Account &FakeService::newAccount(const QString &email, const QString &password)
{
    Account a;
    a.id = m_nextId++;
    a.email = email;
    a.password = password;
    a.code = QStringLiteral("VT-%1").arg(1000 + a.id);
    return m_accounts.insert(a.id, a).value();
}

QString FakeService::issueToken(int accountId)
{
    const QString token = QStringLiteral("tok-%1-%2").arg(accountId).arg(m_nextToken++);
    m_tokens.insert(token, accountId);
    return token;
}

QString FakeService::addAccount(const QString &email, const QString &password)
{
    return issueToken(newAccount(email, password).id);
}

QString FakeService::tokenFor(const QString &email)
{
    Account *a = accountByEmail(email);
    return a ? issueToken(a->id) : QString();
}

bool FakeService::tokenValid(const QString &token) const
{
    return m_tokens.contains(token);
}
void FakeService::revokeToken(const QString &token)
{
    m_tokens.remove(token);
}
bool FakeService::hasAccount(const QString &email) const
{
    for (const Account &a : m_accounts)
        if (!email.isEmpty() && a.email.compare(email, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}
QString FakeService::codeFor(const QString &email) const
{
    return m_codes.value(email.toLower());
}
QString FakeService::passwordOf(const QString &email) const
{
    for (const Account &a : m_accounts)
        if (a.email.compare(email, Qt::CaseInsensitive) == 0)
            return a.password;
    return {};
}

FakeService::Account *FakeService::accountByEmail(const QString &email)
{
    if (email.isEmpty())
        return nullptr;
    for (Account &a : m_accounts)
        if (a.email.compare(email, Qt::CaseInsensitive) == 0)
            return &a;
    return nullptr;
}

FakeService::Account *FakeService::accountOf(const HttpRequest &request)
{
    const QByteArray auth = request.header("authorization");
    if (!auth.startsWith("Bearer "))
        return nullptr;
    const auto it = m_tokens.constFind(QString::fromUtf8(auth.mid(7)));
    if (it == m_tokens.constEnd())
        return nullptr;
    const auto acc = m_accounts.find(it.value());
    return acc == m_accounts.end() ? nullptr : &acc.value();
}

QJsonObject FakeService::signInReply(const Account &account, const QString &token) const
{
    QJsonObject o{{QStringLiteral("token"), token},
                  {QStringLiteral("code"), account.code},
                  {QStringLiteral("hasPassword"), !account.password.isEmpty()}};
    if (!account.email.isEmpty())
        o.insert(QStringLiteral("email"), account.email);
    return o;
}

// ---- faults and counters ----

void FakeService::fail(const QString &path, const Fault &fault, int times)
{
    m_faults[path].append({fault, times});
}

int FakeService::requestCount(const QString &path) const
{
    return int(requests(path).size());
}

QList<HttpRequest> FakeService::requests(const QString &path) const
{
    QList<HttpRequest> out;
    for (const HttpRequest &r : m_server.requests())
        if (path.isEmpty() || r.path == QLatin1Char('/') + path)
            out.append(r);
    return out;
}

void FakeService::send(const HttpResponder &responder, const HttpReply &reply, int delayMs) const
{
    if (delayMs > 0)
        responder.replyAfter(delayMs, reply);
    else
        responder.reply(reply);
}

void FakeService::handle(const HttpRequest &request, const HttpResponder &responder)
{
    const QString path = request.path.mid(1);
    auto queue = m_faults.find(path);
    if (queue != m_faults.end() && !queue->isEmpty()) {
        Queued &q = queue->first();
        const Fault f = q.fault;
        if (q.times > 0 && --q.times == 0)
            queue->removeFirst();
        const int delay = f.delayMs >= 0 ? f.delayMs : latencyMs;
        HttpReply r;
        switch (f.kind) {
        case Fault::Close: {
            // The reply breaks off after its first bytes. (A connection closed before any reply
            // is quietly resent by most HTTP clients, which would hide the fault.)
            const auto cut = [responder] {
                responder
                    .writeRaw("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: 64\r\n\r\n{\"sco",
                              true);
            };
            if (delay > 0)
                QTimer::singleShot(delay, Qt::PreciseTimer, this, cut);
            else
                cut();
            return;
        }
        case Fault::Malformed:
            r = HttpReply::text("{\"scores\": [{\"spam\": 0.9,", f.status);
            r.contentType = "application/json";
            break;
        case Fault::Oversized: {
            QByteArray body = "{\"scores\": [], \"pad\": \"";
            body += QByteArray(std::max<qsizetype>(0, f.size - body.size() - 2), 'x');
            body += "\"}";
            r = HttpReply::text(body, f.status);
            r.contentType = "application/json";
            break;
        }
        case Fault::Redirect:
            r = HttpReply::text({}, f.status);
            r.withHeader("Location", f.location.toEncoded());
            break;
        case Fault::Status:
            r = f.error.isEmpty() ? HttpReply::text("failed", f.status) : error(f.status, f.error.constData());
            if (f.retryAfter >= 0)
                r.withHeader("Retry-After", QByteArray::number(f.retryAfter));
            break;
        }
        send(responder, r, delay);
        return;
    }
    send(responder, answer(path, request), latencyMs);
}

// ---- the API ----

QJsonValue FakeService::score(const QString &text, const QStringList &kinds)
{
    if (text.contains(QLatin1String("[noscore]")))
        return QJsonValue();
    const QString t = text.toLower();
    const auto any = [&t](const QStringList &words) {
        for (const QString &w : words)
            if (t.contains(w))
                return true;
        return false;
    };
    double spam = any(kSpamWords) ? 0.95 : 0.02;
    double abuse = any(kAbuseWords) ? 0.9 : 0.01;
    double sexual = any(kSexualWords) ? 0.9 : 0.0;
    static const QRegularExpression forced(QStringLiteral("\\b(spam|abuse|sexual)=([0-9]*\\.?[0-9]+)"));
    for (auto it = forced.globalMatch(t); it.hasNext();) {
        const auto m = it.next();
        const double v = m.captured(2).toDouble();
        if (m.captured(1) == QLatin1String("spam"))
            spam = v;
        else if (m.captured(1) == QLatin1String("abuse"))
            abuse = v;
        else
            sexual = v;
    }
    return QJsonObject{{QStringLiteral("spam"), kinds.contains(QLatin1String("spam")) ? spam : 0.0},
                       {QStringLiteral("abuse"), kinds.contains(QLatin1String("abuse")) ? abuse : 0.0},
                       {QStringLiteral("sexual"), kinds.contains(QLatin1String("sexual")) ? sexual : 0.0}};
}

HttpReply FakeService::answer(const QString &path, const HttpRequest &request)
{
    const QByteArray method = request.method;
    const QJsonObject body = request.json().toObject();
    const auto ok = [] { return HttpReply::json(QJsonObject{{QStringLiteral("ok"), true}}); };

    if (method == "GET" && path == QLatin1String("api/status")) {
        return HttpReply::json(QJsonObject{{QStringLiteral("testMode"), testMode},
                                           {QStringLiteral("emailLogin"), emailLogin},
                                           {QStringLiteral("deviceAccount"), deviceAccounts}});
    }
    if (method != "POST" && !(method == "GET" && path == QLatin1String("api/me")))
        return error(404, "not-found");

    if (path == QLatin1String("api/auth/signup") || path == QLatin1String("api/auth/login")) {
        const QString email = member(body, "email");
        const QString password = member(body, "password");
        if (path.endsWith(QLatin1String("signup"))) {
            if (!plausibleEmail(email))
                return error(400, "bad-email");
            if (password.size() < 8)
                return error(400, "weak-password");
            if (hasAccount(email))
                return error(409, "email-taken");
            Account &a = newAccount(email, password);
            return HttpReply::json(signInReply(a, issueToken(a.id)));
        }
        Account *a = accountByEmail(email);
        if (!a || a->password.isEmpty() || a->password != password)
            return error(401, "bad-login");
        return HttpReply::json(signInReply(*a, issueToken(a->id)));
    }
    if (path == QLatin1String("api/device/new")) {
        if (!deviceAccounts)
            return error(403, "device-off");
        Account &a = newAccount({}, {});
        return HttpReply::json(signInReply(a, issueToken(a.id)));
    }
    if (path == QLatin1String("api/auth/email/start")) {
        if (!emailLogin)
            return error(403, "email-login-off");
        const QString email = member(body, "email");
        if (!plausibleEmail(email))
            return error(400, "bad-email");
        m_codes.insert(email.toLower(), QStringLiteral("%1").arg(100000 + (++m_nextCode * 7919) % 900000));
        return HttpReply::json(QJsonObject{{QStringLiteral("resendIn"), resendIn}});
    }
    if (path == QLatin1String("api/auth/email/verify")) {
        const QString email = member(body, "email");
        if (m_codes.value(email.toLower()).isEmpty() || m_codes.value(email.toLower()) != member(body, "code"))
            return error(400, "bad-code");
        m_codes.remove(email.toLower());
        bool created = false;
        Account *a = accountByEmail(email);
        if (!a) {
            a = &newAccount(email, {});
            created = true;
        }
        QJsonObject r = signInReply(*a, issueToken(a->id));
        r.insert(QStringLiteral("created"), created);
        return HttpReply::json(r);
    }
    if (path == QLatin1String("api/ai/check")) {
        const QByteArray auth = request.header("authorization");
        if (!auth.isEmpty() && !accountOf(request))
            return error(401, "signed-out");
        if (auth.isEmpty() && !testMode)
            return error(401, "sign-in-required");
        if (!aiOn)
            return error(503, "ai-off");
        const QJsonValue comments = body.value(QStringLiteral("comments"));
        const QJsonValue kinds = body.value(QStringLiteral("kinds"));
        if (!comments.isArray() || !kinds.isArray())
            return error(400, "bad-request");
        QStringList asked;
        for (const QJsonValue &k : kinds.toArray())
            asked.append(k.toString());
        QJsonArray scores;
        qint64 tokens = 0;
        for (const QJsonValue &c : comments.toArray()) {
            const QString text = c.toString();
            tokens += text.size();
            const QJsonValue s = score(text, asked);
            scores.append(s.isUndefined() ? QJsonValue(QJsonValue::Null) : s);
        }
        return HttpReply::json(QJsonObject{{QStringLiteral("scores"), scores}, {QStringLiteral("tokens"), tokens}});
    }

    // Everything below needs a signed-in account.
    Account *a = accountOf(request);
    if (!a)
        return error(401, "signed-out");
    const QString token = QString::fromUtf8(request.header("authorization").mid(7));

    if (method == "GET" && path == QLatin1String("api/me")) {
        QJsonObject r{{QStringLiteral("code"), a->code}, {QStringLiteral("hasPassword"), !a->password.isEmpty()}};
        if (!a->email.isEmpty())
            r.insert(QStringLiteral("email"), a->email);
        return HttpReply::json(r);
    }
    if (path == QLatin1String("api/auth/logout")) {
        m_tokens.remove(token);
        return ok();
    }
    if (path == QLatin1String("api/account/email/start")) {
        const QString email = member(body, "email");
        if (!plausibleEmail(email))
            return error(400, "bad-email");
        m_codes.insert(email.toLower(), QStringLiteral("%1").arg(100000 + (++m_nextCode * 7919) % 900000));
        return HttpReply::json(QJsonObject{{QStringLiteral("resendIn"), resendIn}});
    }
    if (path == QLatin1String("api/account/email/verify")) {
        const QString email = member(body, "email");
        if (m_codes.value(email.toLower()).isEmpty() || m_codes.value(email.toLower()) != member(body, "code"))
            return error(400, "bad-code");
        m_codes.remove(email.toLower());
        Account *existing = accountByEmail(email);
        bool merged = false;
        Account *result = a;
        if (existing && existing->id != a->id) {
            // The address already has an account: the device account is folded into it.
            merged = true;
            const int gone = a->id;
            for (auto it = m_tokens.begin(); it != m_tokens.end();)
                it = it.value() == gone ? m_tokens.erase(it) : std::next(it);
            m_accounts.remove(gone);
            result = existing;
        } else {
            a->email = email;
            m_tokens.remove(token);
        }
        QJsonObject r = signInReply(*result, issueToken(result->id));
        r.insert(QStringLiteral("merged"), merged);
        return HttpReply::json(r);
    }
    if (path == QLatin1String("api/auth/password")) {
        const QString next = member(body, "newPassword");
        if (!a->password.isEmpty() && member(body, "password") != a->password)
            return error(401, "bad-login");
        if (next.size() < 8)
            return error(400, "weak-password");
        a->password = next;
        m_tokens.remove(token);
        return HttpReply::json(signInReply(*a, issueToken(a->id)));
    }
    if (path == QLatin1String("api/account/delete")) {
        if (a->email.isEmpty()) {
            if (member(body, "confirm") != QLatin1String("delete"))
                return error(400, "bad-confirm");
        } else if (!a->password.isEmpty()) {
            if (member(body, "password") != a->password)
                return error(401, "bad-login");
        } else if (member(body, "email").compare(a->email, Qt::CaseInsensitive) != 0) {
            return error(400, "bad-confirm");
        }
        const int gone = a->id;
        for (auto it = m_tokens.begin(); it != m_tokens.end();)
            it = it.value() == gone ? m_tokens.erase(it) : std::next(it);
        m_accounts.remove(gone);
        return ok();
    }
    return error(404, "not-found");
}

}   // namespace vt::test
