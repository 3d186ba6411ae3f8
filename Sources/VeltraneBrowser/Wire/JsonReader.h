#pragma once
// Strict reading of JSON answers into value types. Every failure throws DecodeError naming the key.
//
// Rules shared by all decoders:
// - required: a missing key or null fails; optional: a missing key or null is absent;
//   a value of the wrong type fails in both cases (also for fields with a default).
// - numbers must be finite and at most 2^53 in magnitude; integers must also be whole.
// - parse() refuses texts larger than maxBytes and documents nested deeper than Qt's parser allows,
//   so no answer can exhaust memory or the stack.
//
//   const QJsonValue doc = JsonReader::parse(bytes);          // throws DecodeError
//   JsonReader r(doc);                                        // throws unless doc is an object
//   QString id = r.string("id"); std::optional<double> t = r.optionalNumber("publishedAt");

#include "Wire/DecodeError.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class JsonReader {
public:
    static constexpr qsizetype defaultMaxBytes = 64 * 1024 * 1024;
    static constexpr double maxMagnitude = 9007199254740992.0;   // 2^53

    // Any top-level JSON value (also a bare true, false, number, string or null).
    static QJsonValue parse(const QByteArray &json, qsizetype maxBytes = defaultMaxBytes);
    // A bare true or false, as the page's mark function answers.
    static bool decodeBool(const QByteArray &json, qsizetype maxBytes = defaultMaxBytes);

    // path names the object in errors ("items[2]"); empty for the top level.
    explicit JsonReader(const QJsonValue &value, const QString &path = QString());

    const QJsonObject &object() const { return m_object; }
    QString pathOf(const QString &key) const;
    static QString elementPath(const QString &path, qsizetype index);

    QString string(const QString &key) const;
    std::optional<QString> optionalString(const QString &key) const;
    bool boolean(const QString &key) const;
    bool booleanOr(const QString &key, bool fallback) const;
    std::optional<bool> optionalBoolean(const QString &key) const;
    double number(const QString &key) const;
    std::optional<double> optionalNumber(const QString &key) const;
    qint64 integer(const QString &key) const;
    std::optional<qint64> optionalInteger(const QString &key) const;
    QStringList strings(const QString &key) const;
    std::optional<QStringList> optionalStrings(const QString &key) const;
    // A page script's message (Base/SiteMessage): a string as it is; an object, the {code, args}
    // form, as its JSON text; any other value as a message that reads as unreadable, so that a
    // wrong message never costs the rest of the answer.
    QString message(const QString &key) const;
    std::optional<QString> optionalMessage(const QString &key) const;
    static QString toMessage(const QJsonValue &v);

    // Arrays of objects: T::fromJson(const QJsonValue &, const QString &path) decodes each element.
    template <typename T>
    QList<T> objects(const QString &key) const
    {
        return objectsOf<T>(required(key), pathOf(key));
    }
    template <typename T>
    std::optional<QList<T>> optionalObjects(const QString &key) const
    {
        const QJsonValue v = m_object.value(key);
        if (isAbsent(v))
            return std::nullopt;
        return objectsOf<T>(v, pathOf(key));
    }

    // Value checks usable on their own (path names the value in errors).
    static QString toString(const QJsonValue &v, const QString &path);
    static bool toBool(const QJsonValue &v, const QString &path);
    static double toNumber(const QJsonValue &v, const QString &path);
    static qint64 toInteger(const QJsonValue &v, const QString &path);
    static QStringList toStrings(const QJsonValue &v, const QString &path);
    static QJsonArray toArray(const QJsonValue &v, const QString &path);

    static bool isAbsent(const QJsonValue &v) { return v.isNull() || v.isUndefined(); }

private:
    QJsonValue required(const QString &key) const;

    template <typename T>
    static QList<T> objectsOf(const QJsonValue &v, const QString &path)
    {
        const QJsonArray array = toArray(v, path);
        QList<T> out;
        out.reserve(array.size());
        for (qsizetype i = 0; i < array.size(); ++i)
            out.append(T::fromJson(array.at(i), elementPath(path, i)));
        return out;
    }

    QJsonObject m_object;
    QString m_path;
};
