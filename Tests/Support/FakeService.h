#pragma once
// A local stand-in for the product's web service, on 127.0.0.1 with a port chosen by the system.
// Point the client at it with VeltraneAccount(service.url(), ...) or VT_SERVER_URL=service.url().
//
// It speaks the service's JSON API (all paths relative to url()):
//   GET  api/status                 {"testMode", "emailLogin", "deviceAccount"}
//   GET  api/me                     {"email"?, "code", "hasPassword"}              (token)
//   POST api/auth/signup|login      {"email", "password"} -> sign-in reply; wrong password 401 "bad-login"
//   POST api/auth/logout            revokes the token                              (token)
//   POST api/device/new             {} -> sign-in reply of a new device account
//   POST api/account/email/start    {"email"} -> {"resendIn": 60}                  (token)
//   POST api/account/email/verify   {"email", "code"} -> sign-in reply + "merged"  (token)
//   POST api/auth/email/start       {"email"} -> {"resendIn": 60}
//   POST api/auth/email/verify      {"email", "code"} -> sign-in reply + "created"
//   POST api/auth/password          {"newPassword", "password"?} -> sign-in reply (new token)  (token)
//   POST api/account/delete         {"confirm": "delete"} | {"password"} | {"email"}           (token)
//   POST api/ai/check               {"comments", "kinds", "keepPraise"?} -> {"scores", "tokens"}
// A sign-in reply is {"token", "email"?, "code", "hasPassword"}. A missing or unknown token on a
// call that needs one gets 401 "signed-out". Mailed codes are not mailed: read them with codeFor().
//
// Scores are deterministic (see score()): spam words such as "casino", "카지노", "텔레그램", "telegram",
// "crypto" give spam 0.95; insults such as "idiot", "stupid", "바보", "멍청" give abuse 0.9; sexual words
// such as "nude", "porn", "야동", "섹스" give sexual 0.9; anything else scores 0.02 / 0.01 / 0.0.
// A text may force its scores with "spam=0.37", "abuse=0.5", "sexual=0.1", and "[noscore]" makes its
// element null. Categories not asked for in "kinds" score 0.
//
// Faults are queued per path ("api/ai/check") with fail(); each fault answers one request (or
// `times` requests, -1 for all) before the normal handling resumes. Latency applies to every reply.

#include "TestHttpServer.h"

#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QUrl>

namespace vt::test {

class FakeService : public QObject {
    Q_OBJECT
public:
    struct Fault {
        enum Kind { Status, Close, Malformed, Oversized, Redirect };
        Kind kind = Status;
        int status = 500;
        QByteArray error;      // the reply's "error" member; empty: no JSON body
        int retryAfter = -1;   // the "Retry-After" header in seconds; -1: none
        qsizetype size = 0;    // Oversized: the body's length
        QUrl location;         // Redirect: where to
        int delayMs = -1;      // this reply's own latency; -1: the service's

        static Fault withStatus(int code, const QByteArray &error = {})
        {
            Fault f;
            f.status = code;
            f.error = error;
            return f;
        }
        static Fault tooMany(int retryAfter, const QByteArray &error = "busy")
        {
            Fault f;
            f.status = 429;
            f.error = error;
            f.retryAfter = retryAfter;
            return f;
        }
        static Fault close()
        {
            Fault f;
            f.kind = Close;
            return f;
        }   // the reply breaks off mid-way
        static Fault malformed(int status = 200)
        {
            Fault f;
            f.kind = Malformed;
            f.status = status;
            return f;
        }
        static Fault oversized(qsizetype bytes)
        {
            Fault f;
            f.kind = Oversized;
            f.status = 200;
            f.size = bytes;
            return f;
        }
        static Fault redirect(const QUrl &to, int status = 302)
        {
            Fault f;
            f.kind = Redirect;
            f.status = status;
            f.location = to;
            return f;
        }
    };

    explicit FakeService(QObject *parent = nullptr);
    ~FakeService() override;

    bool start();
    QUrl url() const;   // http://127.0.0.1:PORT (no trailing slash)
    TestHttpServer &server() { return m_server; }

    // Service flags reported by api/status.
    bool testMode = false;
    bool emailLogin = true;
    bool deviceAccounts = true;
    bool aiOn = true;    // false: api/ai/check answers 503 "ai-off"
    int latencyMs = 0;   // every reply waits this long
    int resendIn = 60;

    // Accounts.
    QString addAccount(const QString &email, const QString &password);   // returns a fresh token
    QString tokenFor(const QString &email);                              // a fresh token of that account
    bool tokenValid(const QString &token) const;
    void revokeToken(const QString &token);
    bool hasAccount(const QString &email) const;
    QString codeFor(const QString &email) const;   // the last code "mailed"
    QString passwordOf(const QString &email) const;
    int accountCount() const { return int(m_accounts.size()); }

    // Faults for the next requests to a path such as "api/ai/check".
    void fail(const QString &path, const Fault &fault, int times = 1);
    void clearFaults() { m_faults.clear(); }

    // Counters (every request, faults included).
    int requestCount(const QString &path = {}) const;
    QList<HttpRequest> requests(const QString &path = {}) const;
    int inFlight() const { return m_server.inFlight(); }
    int maxInFlight() const { return m_server.maxInFlight(); }
    void resetCounters() { m_server.resetCounters(); }

    // The scores of one text for the asked categories; an undefined value for "[noscore]".
    static QJsonValue score(const QString &text, const QStringList &kinds);

private:
    struct Account {
        int id = 0;
        QString email;      // empty for a device account
        QString password;   // empty: no password
        QString code;
    };
    struct Queued {
        Fault fault;
        int times;
    };

    void handle(const HttpRequest &request, const HttpResponder &responder);
    HttpReply answer(const QString &path, const HttpRequest &request);
    Account *accountOf(const HttpRequest &request);
    Account *accountByEmail(const QString &email);
    Account &newAccount(const QString &email, const QString &password);
    QString issueToken(int accountId);
    QJsonObject signInReply(const Account &account, const QString &token) const;
    void send(const HttpResponder &responder, const HttpReply &reply, int delayMs) const;

    TestHttpServer m_server;
    QHash<int, Account> m_accounts;
    QHash<QString, int> m_tokens;             // token -> account id
    QHash<QString, QString> m_codes;          // e-mail -> code
    QHash<QString, QList<Queued>> m_faults;   // path -> queue
    int m_nextId = 1;
    int m_nextToken = 1;
    int m_nextCode = 0;
};

}   // namespace vt::test
