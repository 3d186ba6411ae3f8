#pragma once
// The MCP server of the bridge: answers the handshake, lists the tools and turns every tool call
// into one command for the application through the control client. Lines are JSON-RPC 2.0;
// every request gets exactly one reply carrying its id as the client wrote it, notifications
// get none. At most kMaxCalls tool calls reach the application at once; later ones wait their
// turn in arrival order. Replies of tool calls may come in any order.

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QQueue>

class LineWriter;
struct Tool;

class McpServer : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxCalls = 16;
    static constexpr double kCallTimeoutSeconds = 300;

    explicit McpServer(LineWriter *out, QObject *parent = nullptr);

    void handleLine(const QByteArray &line);
    void handleOverlongLine();
    // No more input: `done` follows once every accepted call has been answered.
    void endInput();

signals:
    void done();

private:
    struct Call {
        QByteArray id;
        QString method;
        QJsonObject args;
    };

    void callTool(const QByteArray &id, const QJsonObject &params);
    void startWaiting();
    void callFinished(const QByteArray &id, const QJsonObject &reply);
    void reply(const QByteArray &id, const QJsonObject &result);
    void replyError(const QByteArray &id, int code, const QString &message);
    void checkDone();

    LineWriter *m_out;
    QQueue<Call> m_waiting;
    int m_running = 0;
    bool m_inputEnded = false;
};
