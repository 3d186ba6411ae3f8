#pragma once
// One line read from the MCP client, classified as JSON-RPC 2.0. The id is kept as the exact
// text the client wrote, so that any number (9007199254740993, 1.0) comes back unchanged.

#include <QByteArray>
#include <QJsonObject>
#include <QString>

class RpcMessage {
public:
    enum Kind {
        Blank,          // nothing but white space: not a message
        ParseError,     // not JSON
        Invalid,        // JSON, but not a valid request or notification
        Notification,   // a request without an id: never answered
        Request,
        Response,   // a reply from the client; this server asks nothing, so it is dropped
    };

    static RpcMessage parse(const QByteArray &line);

    Kind kind = Blank;
    QByteArray id = QByteArrayLiteral("null");   // the id as written, "null" when there is none to echo
    QString method;
    QJsonObject params;   // "params" when it is an object, else empty

private:
    static QByteArray rawMember(const QByteArray &json, QLatin1StringView name);
};
