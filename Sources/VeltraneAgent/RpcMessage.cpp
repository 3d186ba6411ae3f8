#include "RpcMessage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

qsizetype skipSpace(const QByteArray &s, qsizetype i)
{
    while (i < s.size() && isSpace(s[i]))
        ++i;
    return i;
}

// The end of the string token starting at i (its opening quote).
qsizetype skipString(const QByteArray &s, qsizetype i)
{
    for (++i; i < s.size(); ++i) {
        if (s[i] == '\\')
            ++i;
        else if (s[i] == '"')
            return i + 1;
    }
    return s.size();
}

// The end of the value starting at i. The text is known to be valid JSON.
qsizetype skipValue(const QByteArray &s, qsizetype i)
{
    if (i >= s.size())
        return i;
    if (s[i] == '"')
        return skipString(s, i);
    if (s[i] == '{' || s[i] == '[') {
        int depth = 0;
        while (i < s.size()) {
            const char c = s[i];
            if (c == '"') {
                i = skipString(s, i);
                continue;
            }
            if (c == '{' || c == '[')
                ++depth;
            else if ((c == '}' || c == ']') && --depth == 0)
                return i + 1;
            ++i;
        }
        return i;
    }
    while (i < s.size() && !isSpace(s[i]) && s[i] != ',' && s[i] != '}' && s[i] != ']')
        ++i;
    return i;
}

QString keyText(const QByteArray &token)
{
    if (!token.contains('\\'))
        return QString::fromUtf8(token.mid(1, token.size() - 2));
    return QJsonDocument::fromJson('[' + token + ']').array().at(0).toString();
}

// JSON that Qt refuses only because its top level is not an object or array: a bare scalar.
bool isJsonScalar(const QByteArray &line)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson('[' + line + ']', &error);
    return error.error == QJsonParseError::NoError && doc.array().size() == 1;
}

}   // namespace

QByteArray RpcMessage::rawMember(const QByteArray &json, QLatin1StringView name)
{
    // Duplicate names: the last one counts, as in the parsed object.
    QByteArray found;
    qsizetype i = skipSpace(json, 0);
    if (i >= json.size() || json[i] != '{')
        return found;
    i = skipSpace(json, i + 1);
    while (i < json.size() && json[i] == '"') {
        const qsizetype keyEnd = skipString(json, i);
        const QString key = keyText(json.mid(i, keyEnd - i));
        i = skipSpace(json, keyEnd);
        i = skipSpace(json, i + 1);   // the colon
        const qsizetype valueEnd = skipValue(json, i);
        if (key == name)
            found = json.mid(i, valueEnd - i);
        i = skipSpace(json, valueEnd);
        if (i < json.size() && json[i] == ',')
            i = skipSpace(json, i + 1);
    }
    return found;
}

RpcMessage RpcMessage::parse(const QByteArray &line)
{
    RpcMessage m;
    if (skipSpace(line, 0) == line.size())
        return m;

    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError) {
        m.kind = isJsonScalar(line) ? Invalid : ParseError;
        return m;
    }
    if (!doc.isObject()) {
        m.kind = Invalid;   // batches belong to later protocol versions
        return m;
    }

    const QJsonObject object = doc.object();
    m.kind = Invalid;
    const bool hasId = object.contains(QLatin1StringView("id"));
    if (hasId) {
        const QJsonValue id = object.value(QLatin1StringView("id"));
        if (!id.isString() && !id.isDouble() && !id.isNull())
            return m;
        m.id = rawMember(line, QLatin1StringView("id"));
    }
    if (!object.contains(QLatin1StringView("method"))
        && (object.contains(QLatin1StringView("result")) || object.contains(QLatin1StringView("error")))) {
        m.kind = Response;
        return m;
    }
    const QJsonValue method = object.value(QLatin1StringView("method"));
    const QJsonValue params = object.value(QLatin1StringView("params"));
    if (object.value(QLatin1StringView("jsonrpc")) != QJsonValue(QStringLiteral("2.0")) || !method.isString()
        || !(params.isUndefined() || params.isObject() || params.isArray()))
        return m;
    m.method = method.toString();
    m.params = params.toObject();
    m.kind = hasId ? Request : Notification;
    return m;
}
