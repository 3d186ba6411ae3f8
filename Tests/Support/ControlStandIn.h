#pragma once
// A stand-in for the application's control server, for the agent bridge's tests: it listens on
// 127.0.0.1, publishes the control file ("Veltrane/control.json" in the data folder, owner-only,
// written through a temporary file and a rename) with a fresh 72-character token, and answers
// POST /cmd the way the application does: the fixed 400 body for a malformed request (no
// token header, no content length, an origin or transfer-encoding header, a body that is no
// JSON object), the fixed 403 body for a wrong token, else the command handler's object.
// Every reply has the application's exact head and closes the connection.
//
// It can delay its answers and inject faults, one request at a time or for all of them.

#include "TestHttpServer.h"

#include <QJsonObject>
#include <QObject>
#include <QQueue>

#include <functional>

namespace vt::test {

class ControlStandIn : public QObject {
    Q_OBJECT
public:
    enum class Fault {
        NotJson,     // 200 with a body that is no JSON
        JsonArray,   // 200 with a JSON array
        Close,       // the connection closes without a reply
        Truncated,   // the head promises more body than arrives before the close
        Hang,        // no reply at all
        NoLength,    // a valid reply without Content-Length, ended by the close
    };

    // Answers one command: call `answer` once, now or later, with the whole reply object.
    using Answer = std::function<void(const QJsonObject &reply)>;
    using Handler = std::function<void(const QString &cmd, const QJsonObject &args, const Answer &answer)>;

    explicit ControlStandIn(QObject *parent = nullptr);
    ~ControlStandIn() override;

    // Listens and writes the control file into `dataFolder` + "/Veltrane" (default: the
    // data folder of this process's environment).
    bool start(const QString &dataFolder = {});
    // Stops listening and removes the control file if it is still this run's.
    void stop();

    QString controlFile() const { return m_file; }
    QByteArray token() const { return m_token; }
    quint16 port() const { return m_http.port(); }

    // Replaces the echo handler, which answers {"ok": true, "result": {"cmd", "args"}}.
    void setHandler(Handler handler) { m_handler = std::move(handler); }
    void setDelay(int ms) { m_delayMs = ms; }
    void failNext(Fault fault, int times = 1);   // times -1: every request from now on
    void clearFaults()
    {
        m_faults.clear();
        m_faultForever.reset();
    }

    static QJsonObject ok(const QJsonValue &result) { return {{"ok", true}, {"result", result}}; }
    static QJsonObject refusal(const QString &error) { return {{"ok", false}, {"error", error}}; }

    TestHttpServer &http() { return m_http; }
    QList<QJsonObject> bodies() const { return m_bodies; }   // every accepted body, in order
    int inFlight() const { return m_inFlight; }
    int maxInFlight() const { return m_maxInFlight; }
    void resetCounters()
    {
        m_bodies.clear();
        m_maxInFlight = m_inFlight;
    }

    static void writeReply(const HttpResponder &responder, int status, const QByteArray &body, bool withLength = true);

signals:
    void commandReceived(const QString &cmd, const QJsonObject &args);

private:
    void serve(const HttpRequest &request, const HttpResponder &responder);
    std::optional<Fault> takeFault();

    TestHttpServer m_http;
    QString m_file;
    QByteArray m_token;
    Handler m_handler;
    int m_delayMs = 0;
    QQueue<Fault> m_faults;
    std::optional<Fault> m_faultForever;
    QList<QJsonObject> m_bodies;
    int m_inFlight = 0;
    int m_maxInFlight = 0;
};

}   // namespace vt::test
