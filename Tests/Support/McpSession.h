#pragma once
// Runs the agent bridge (veltrane-agent) as a child process and talks MCP to it line by line,
// for tests and benchmarks. Every line the bridge writes to standard output is kept as written;
// a line that is not a JSON-RPC 2.0 object is counted as stray.

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QProcess>

namespace vt::test {

class McpSession : public QObject {
    Q_OBJECT
public:
    explicit McpSession(QObject *parent = nullptr);
    ~McpSession() override;

    static QString program();   // the built veltrane-agent

    // Starts the bridge; `env` defaults to this process's environment.
    bool start(const QStringList &arguments = {QStringLiteral("mcp")},
               const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment());

    void send(const QByteArray &line);   // one line; the line feed is added
    // Sends a request with the given id (as JSON text) and returns that id.
    QByteArray request(const QString &method, const QJsonObject &params = {}, QByteArray id = {});
    QByteArray callTool(const QString &name, const QJsonObject &arguments);

    // Waits for the reply whose id is exactly `id` (JSON text); an empty object on timeout.
    QJsonObject waitReply(const QByteArray &id, int timeoutMs = 60000);
    // The raw line of the reply with that id, once it has arrived.
    QByteArray replyLine(const QByteArray &id) const;
    bool waitLineCount(int count, int timeoutMs = 60000);

    // The text and error flag of a tool result.
    static QString toolText(const QJsonObject &reply);
    static bool toolIsError(const QJsonObject &reply);

    void closeInput();
    bool waitFinished(int timeoutMs = 60000);

    QProcess &process() { return m_process; }
    QList<QByteArray> lines() const { return m_lines; }
    int strayLines() const { return m_stray; }

signals:
    void lineReceived(const QByteArray &line);

private:
    void readOutput();
    static QByteArray idOf(const QByteArray &line);

    QProcess m_process;
    QByteArray m_buffer;
    QList<QByteArray> m_lines;
    QHash<QByteArray, qsizetype> m_byId;   // id text -> index in m_lines
    int m_stray = 0;
    int m_nextId = 1;
};

}   // namespace vt::test
