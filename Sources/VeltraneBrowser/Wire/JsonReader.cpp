#include "Wire/JsonReader.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>

namespace {

QString typeName(const QJsonValue &v)
{
    switch (v.type()) {
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Bool:
        return QStringLiteral("a boolean");
    case QJsonValue::Double:
        return QStringLiteral("a number");
    case QJsonValue::String:
        return QStringLiteral("a string");
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    case QJsonValue::Undefined:
        break;
    }
    return QStringLiteral("nothing");
}

[[noreturn]] void wrongType(const QString &path, const char *expected, const QJsonValue &v)
{
    throw DecodeError(path, QStringLiteral("expected %1, found %2").arg(QLatin1String(expected), typeName(v)));
}

}   // namespace

QJsonValue JsonReader::parse(const QByteArray &json, qsizetype maxBytes)
{
    if (json.size() > maxBytes)
        throw DecodeError(QString(),
                          QStringLiteral("answer too large (%1 bytes, at most %2)").arg(json.size()).arg(maxBytes));
    // Wrapped in an array so that a bare scalar parses too; exactly one element must come back.
    QByteArray wrapped;
    wrapped.reserve(json.size() + 2);
    wrapped.append('[').append(json).append(']');
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(wrapped, &error);
    if (error.error != QJsonParseError::NoError)
        throw DecodeError(QString(),
                          QStringLiteral("malformed JSON (%1 at offset %2)")
                              .arg(error.errorString())
                              .arg(qMax(0, error.offset - 1)));
    const QJsonArray array = doc.array();
    if (array.size() != 1)
        throw DecodeError(QString(), QStringLiteral("malformed JSON (expected one value)"));
    return array.first();
}

bool JsonReader::decodeBool(const QByteArray &json, qsizetype maxBytes)
{
    return toBool(parse(json, maxBytes), QString());
}

JsonReader::JsonReader(const QJsonValue &value, const QString &path)
    : m_path(path)
{
    if (!value.isObject())
        wrongType(path, "an object", value);
    m_object = value.toObject();
}

QString JsonReader::pathOf(const QString &key) const
{
    return m_path.isEmpty() ? key : m_path + QLatin1Char('.') + key;
}

QString JsonReader::elementPath(const QString &path, qsizetype index)
{
    return path + QLatin1Char('[') + QString::number(index) + QLatin1Char(']');
}

QJsonValue JsonReader::required(const QString &key) const
{
    const QJsonValue v = m_object.value(key);
    if (v.isUndefined())
        throw DecodeError(pathOf(key), QStringLiteral("missing"));
    if (v.isNull())
        throw DecodeError(pathOf(key), QStringLiteral("null where a value is required"));
    return v;
}

QString JsonReader::toString(const QJsonValue &v, const QString &path)
{
    if (!v.isString())
        wrongType(path, "a string", v);
    return v.toString();
}

bool JsonReader::toBool(const QJsonValue &v, const QString &path)
{
    if (!v.isBool())
        wrongType(path, "a boolean", v);
    return v.toBool();
}

double JsonReader::toNumber(const QJsonValue &v, const QString &path)
{
    if (!v.isDouble())
        wrongType(path, "a number", v);
    const double d = v.toDouble();
    if (!std::isfinite(d))
        throw DecodeError(path, QStringLiteral("number is not finite"));
    if (std::fabs(d) > maxMagnitude)
        throw DecodeError(path, QStringLiteral("number too large"));
    return d;
}

qint64 JsonReader::toInteger(const QJsonValue &v, const QString &path)
{
    const double d = toNumber(v, path);
    if (std::trunc(d) != d)
        throw DecodeError(path, QStringLiteral("expected a whole number, found %1").arg(d));
    return static_cast<qint64>(d);
}

QJsonArray JsonReader::toArray(const QJsonValue &v, const QString &path)
{
    if (!v.isArray())
        wrongType(path, "an array", v);
    return v.toArray();
}

QStringList JsonReader::toStrings(const QJsonValue &v, const QString &path)
{
    const QJsonArray array = toArray(v, path);
    QStringList out;
    out.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i)
        out.append(toString(array.at(i), elementPath(path, i)));
    return out;
}

QString JsonReader::string(const QString &key) const
{
    return toString(required(key), pathOf(key));
}
bool JsonReader::boolean(const QString &key) const
{
    return toBool(required(key), pathOf(key));
}
double JsonReader::number(const QString &key) const
{
    return toNumber(required(key), pathOf(key));
}
qint64 JsonReader::integer(const QString &key) const
{
    return toInteger(required(key), pathOf(key));
}
QStringList JsonReader::strings(const QString &key) const
{
    return toStrings(required(key), pathOf(key));
}

bool JsonReader::booleanOr(const QString &key, bool fallback) const
{
    return optionalBoolean(key).value_or(fallback);
}

std::optional<QString> JsonReader::optionalString(const QString &key) const
{
    const QJsonValue v = m_object.value(key);
    return isAbsent(v) ? std::nullopt : std::optional<QString>(toString(v, pathOf(key)));
}

QString JsonReader::toMessage(const QJsonValue &v)
{
    if (v.isString())
        return v.toString();
    const QJsonObject object = v.isObject() ? v.toObject() : QJsonObject{{QStringLiteral("code"), v}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QString JsonReader::message(const QString &key) const
{
    return toMessage(required(key));
}

std::optional<QString> JsonReader::optionalMessage(const QString &key) const
{
    const QJsonValue v = m_object.value(key);
    return isAbsent(v) ? std::nullopt : std::optional<QString>(toMessage(v));
}

std::optional<bool> JsonReader::optionalBoolean(const QString &key) const
{
    const QJsonValue v = m_object.value(key);
    return isAbsent(v) ? std::nullopt : std::optional<bool>(toBool(v, pathOf(key)));
}

std::optional<double> JsonReader::optionalNumber(const QString &key) const
{
    const QJsonValue v = m_object.value(key);
    return isAbsent(v) ? std::nullopt : std::optional<double>(toNumber(v, pathOf(key)));
}

std::optional<qint64> JsonReader::optionalInteger(const QString &key) const
{
    const QJsonValue v = m_object.value(key);
    return isAbsent(v) ? std::nullopt : std::optional<qint64>(toInteger(v, pathOf(key)));
}

std::optional<QStringList> JsonReader::optionalStrings(const QString &key) const
{
    const QJsonValue v = m_object.value(key);
    return isAbsent(v) ? std::nullopt : std::optional<QStringList>(toStrings(v, pathOf(key)));
}
