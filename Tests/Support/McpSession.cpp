#include "McpSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>

namespace vt::test {

McpSession::McpSession(QObject *parent)
    : QObject(parent)
{
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &McpSession::readOutput);
}

McpSession::~McpSession()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }
}

QString McpSession::program()
{
    return QStringLiteral(VT_BINARY_DIR "/veltrane-agent");
}

bool McpSession::start(const QStringList &arguments, const QProcessEnvironment &env)
{
    m_process.setProcessEnvironment(env);
    m_process.start(program(), arguments);
    return m_process.waitForStarted(30000);
}

void McpSession::send(const QByteArray &line)
{
    m_process.write(line + '\n');
}

QByteArray McpSession::request(const QString &method, const QJsonObject &params, QByteArray id)
{
    if (id.isEmpty())
        id = QByteArray::number(m_nextId++);
    QByteArray line = "{\"jsonrpc\":\"2.0\",\"id\":" + id
        + ",\"method\":" + QJsonDocument(QJsonArray{method}).toJson(QJsonDocument::Compact).mid(1).chopped(1);
    if (!params.isEmpty())
        line += ",\"params\":" + QJsonDocument(params).toJson(QJsonDocument::Compact);
    send(line + '}');
    return id;
}

QByteArray McpSession::callTool(const QString &name, const QJsonObject &arguments)
{
    return request(QStringLiteral("tools/call"), {{"name", name}, {"arguments", arguments}});
}

QByteArray McpSession::idOf(const QByteArray &line)
{
    // The bridge writes the id right after the version member.
    static const QByteArray prefix = "{\"jsonrpc\":\"2.0\",\"id\":";
    if (!line.startsWith(prefix))
        return {};
    const qsizetype end = line.indexOf(",\"", prefix.size());
    return end < 0 ? QByteArray() : line.mid(prefix.size(), end - prefix.size());
}

void McpSession::readOutput()
{
    m_buffer += m_process.readAllStandardOutput();
    qsizetype lf;
    while ((lf = m_buffer.indexOf('\n')) >= 0) {
        const QByteArray line = m_buffer.left(lf);
        m_buffer.remove(0, lf + 1);
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        if (object.value("jsonrpc") != QJsonValue(QStringLiteral("2.0")) || !object.contains("id"))
            ++m_stray;
        m_byId.insert(idOf(line), m_lines.size());
        m_lines.append(line);
        emit lineReceived(line);
    }
}

QByteArray McpSession::replyLine(const QByteArray &id) const
{
    const qsizetype at = m_byId.value(id, -1);
    return at < 0 ? QByteArray() : m_lines.at(at);
}

QJsonObject McpSession::waitReply(const QByteArray &id, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!m_byId.contains(id) && !deadline.hasExpired()) {
        if (m_process.state() == QProcess::NotRunning) {
            readOutput();
            break;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return QJsonDocument::fromJson(replyLine(id)).object();
}

bool McpSession::waitLineCount(int count, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (m_lines.size() < count && !deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    readOutput();
    return m_lines.size() >= count;
}

QString McpSession::toolText(const QJsonObject &reply)
{
    return reply.value("result").toObject().value("content").toArray().at(0).toObject().value("text").toString();
}

bool McpSession::toolIsError(const QJsonObject &reply)
{
    return reply.value("result").toObject().value("isError").toBool();
}

void McpSession::closeInput()
{
    m_process.closeWriteChannel();
}

bool McpSession::waitFinished(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (m_process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    readOutput();
    return m_process.state() == QProcess::NotRunning;
}

}   // namespace vt::test
