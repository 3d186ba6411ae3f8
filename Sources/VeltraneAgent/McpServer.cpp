#include "McpServer.h"

#include "ControlClient.h"
#include "LineWriter.h"
#include "RpcMessage.h"
#include "Tool.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

// JSON text of any value, a bare string or number included.
QByteArray jsonText(const QJsonValue &value)
{
    if (value.isObject())
        return QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
    if (value.isArray())
        return QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact);
    const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return wrapped.mid(1, wrapped.size() - 2);
}

QJsonObject textResult(const QString &text, bool isError)
{
    return {{QStringLiteral("content"),
             QJsonArray{QJsonObject{{QStringLiteral("type"), QStringLiteral("text")}, {QStringLiteral("text"), text}}}},
            {QStringLiteral("isError"), isError}};
}

}   // namespace

McpServer::McpServer(LineWriter *out, QObject *parent)
    : QObject(parent)
    , m_out(out)
{
}

void McpServer::handleLine(const QByteArray &line)
{
    const RpcMessage message = RpcMessage::parse(line);
    switch (message.kind) {
    case RpcMessage::Blank:
    case RpcMessage::Notification:
    case RpcMessage::Response:
        return;
    case RpcMessage::ParseError:
        replyError(message.id, -32700, QStringLiteral("Parse error"));
        return;
    case RpcMessage::Invalid:
        replyError(message.id, -32600, QStringLiteral("Invalid Request"));
        return;
    case RpcMessage::Request:
        break;
    }

    if (message.method == QLatin1StringView("initialize")) {
        reply(message.id,
              {{QStringLiteral("protocolVersion"), QStringLiteral("2024-11-05")},
               {QStringLiteral("capabilities"), QJsonObject{{QStringLiteral("tools"), QJsonObject{}}}},
               {QStringLiteral("serverInfo"),
                QJsonObject{{QStringLiteral("name"), QStringLiteral("veltrane")},
                            {QStringLiteral("version"), QStringLiteral("0.3.0")}}}});
    } else if (message.method == QLatin1StringView("ping")) {
        reply(message.id, {});
    } else if (message.method == QLatin1StringView("tools/list")) {
        QJsonArray tools;
        for (const Tool &tool : Tool::all())
            tools.append(tool.listing());
        reply(message.id, {{QStringLiteral("tools"), tools}});
    } else if (message.method == QLatin1StringView("tools/call")) {
        callTool(message.id, message.params);
    } else {
        replyError(message.id, -32601, QStringLiteral("Method not found"));
    }
}

void McpServer::handleOverlongLine()
{
    replyError(QByteArrayLiteral("null"), -32700, QStringLiteral("Parse error"));
}

void McpServer::callTool(const QByteArray &id, const QJsonObject &params)
{
    const QJsonValue name = params.value(QLatin1StringView("name"));
    const Tool *tool = name.isString() ? Tool::find(name.toString()) : nullptr;
    if (!tool) {
        reply(id, textResult(QStringLiteral("Unknown tool"), true));
        return;
    }
    m_waiting.enqueue({id, tool->method, params.value(QLatin1StringView("arguments")).toObject()});
    startWaiting();
}

void McpServer::startWaiting()
{
    while (m_running < kMaxCalls && !m_waiting.isEmpty()) {
        const Call call = m_waiting.dequeue();
        ++m_running;
        const QJsonObject body{{QStringLiteral("cmd"), call.method}, {QStringLiteral("args"), call.args}};
        ControlClient *client = ControlClient::request(QStringLiteral("/cmd"), body, kCallTimeoutSeconds, this);
        const QByteArray id = call.id;
        connect(client, &ControlClient::finished, this,
                [this, id](const QJsonObject &reply) { callFinished(id, reply); });
    }
}

void McpServer::callFinished(const QByteArray &id, const QJsonObject &answer)
{
    --m_running;
    QJsonValue value;
    bool isError = true;
    if (answer.value(QLatin1StringView("ok")) == QJsonValue(true)) {
        value = answer.contains(QLatin1StringView("result")) ? answer.value(QLatin1StringView("result"))
                                                             : QJsonValue(QJsonValue::Null);
        isError = false;
    } else if (answer.contains(QLatin1StringView("error"))) {
        value = answer.value(QLatin1StringView("error"));
    } else {
        value = QStringLiteral("Request failed");
    }
    reply(id, textResult(QString::fromUtf8(jsonText(value)), isError));
    startWaiting();
    checkDone();
}

void McpServer::reply(const QByteArray &id, const QJsonObject &result)
{
    m_out->write("{\"jsonrpc\":\"2.0\",\"id\":" + id
                 + ",\"result\":" + QJsonDocument(result).toJson(QJsonDocument::Compact) + '}');
}

void McpServer::replyError(const QByteArray &id, int code, const QString &message)
{
    const QJsonObject error{{QStringLiteral("code"), code}, {QStringLiteral("message"), message}};
    m_out->write("{\"jsonrpc\":\"2.0\",\"id\":" + id
                 + ",\"error\":" + QJsonDocument(error).toJson(QJsonDocument::Compact) + '}');
}

void McpServer::endInput()
{
    m_inputEnded = true;
    checkDone();
}

void McpServer::checkDone()
{
    if (m_inputEnded && m_running == 0 && m_waiting.isEmpty())
        emit done();
}
