#include "Base/AppSettings.h"

#include <QBuffer>
#include <QDir>
#include <QSaveFile>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <cmath>
#include <limits>

namespace {

const QString kDateTag = QStringLiteral("$date");

// ---- JSON <-> QVariant, keeping the types the readers check ----

QVariant decode(const QJsonValue &v)
{
    switch (v.type()) {
    case QJsonValue::Bool:
        return v.toBool();
    case QJsonValue::Double: {
        const double d = v.toDouble();
        if (std::isfinite(d) && std::trunc(d) == d && std::fabs(d) <= 9007199254740992.0) {
            const auto n = static_cast<qint64>(d);
            if (n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max())
                return static_cast<int>(n);
            return n;
        }
        return d;
    }
    case QJsonValue::String:
        return v.toString();
    case QJsonValue::Array: {
        QVariantList list;
        for (const QJsonValue &item : v.toArray()) {
            QVariant d = decode(item);
            if (d.isValid())
                list.append(d);
            else
                list.append(QVariant());
        }
        return list;
    }
    case QJsonValue::Object: {
        const QJsonObject o = v.toObject();
        if (o.size() == 1 && o.contains(kDateTag) && o.value(kDateTag).isString()) {
            const QDateTime t = QDateTime::fromString(o.value(kDateTag).toString(), Qt::ISODateWithMs);
            if (t.isValid())
                return t;
        }
        QVariantMap map;
        for (auto it = o.begin(); it != o.end(); ++it)
            map.insert(it.key(), decode(it.value()));
        return map;
    }
    default:
        return {};   // null and undefined: no value
    }
}

std::optional<QJsonValue> encode(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
        return QJsonValue(v.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return QJsonValue(v.toLongLong());
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return QJsonValue(static_cast<double>(v.toULongLong()));
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = v.toDouble();
        if (!std::isfinite(d))
            return std::nullopt;
        return QJsonValue(d);
    }
    case QMetaType::QString:
        return QJsonValue(v.toString());
    case QMetaType::QByteArray:
        return QJsonValue(QString::fromUtf8(v.toByteArray()));
    case QMetaType::QStringList:
        return QJsonValue(QJsonArray::fromStringList(v.toStringList()));
    case QMetaType::QVariantList: {
        QJsonArray a;
        for (const QVariant &item : v.toList())
            a.append(encode(item).value_or(QJsonValue()));
        return QJsonValue(a);
    }
    case QMetaType::QVariantMap:
    case QMetaType::QVariantHash: {
        QJsonObject o;
        const QVariantMap map = v.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            if (auto e = encode(it.value()))
                o.insert(it.key(), *e);
        return QJsonValue(o);
    }
    case QMetaType::QDateTime: {
        const QDateTime t = v.toDateTime();
        if (!t.isValid())
            return std::nullopt;
        return QJsonValue(QJsonObject { { kDateTag, t.toUTC().toString(Qt::ISODateWithMs) } });
    }
    default:
        if (v.canConvert<QString>())
            return QJsonValue(v.toString());
        return std::nullopt;
    }
}

// ---- A forgiving reader for a damaged object: keeps every top-level member that parses ----

class Salvage {
public:
    explicit Salvage(const QByteArray &text) : s(text) {}

    QJsonObject run()
    {
        QJsonObject out;
        skipSpace();
        if (!eat('{'))
            return out;
        while (true) {
            skipSpace();
            if (eat('}') || at >= s.size())
                return out;
            const qsizetype keyStart = at;
            if (!skipString())
                return out;
            const auto key = parseOne(s.mid(keyStart, at - keyStart));
            skipSpace();
            if (!eat(':'))
                return out;
            skipSpace();
            const qsizetype valueStart = at;
            if (!skipValue())
                return out;
            const auto value = parseOne(s.mid(valueStart, at - valueStart));
            if (key && key->isString() && value)
                out.insert(key->toString(), *value);
            skipSpace();
            if (eat(','))
                continue;
            if (!eat('}'))
                return out;   // damaged here: keep what came before
            return out;
        }
    }

private:
    static std::optional<QJsonValue> parseOne(const QByteArray &piece)
    {
        QJsonParseError err;
        const QJsonDocument doc = QJsonDocument::fromJson("[" + piece + "]", &err);
        if (err.error != QJsonParseError::NoError || !doc.isArray() || doc.array().size() != 1)
            return std::nullopt;
        return doc.array().at(0);
    }

    void skipSpace()
    {
        while (at < s.size() && (s[at] == ' ' || s[at] == '\t' || s[at] == '\n' || s[at] == '\r'))
            ++at;
    }
    bool eat(char c)
    {
        if (at < s.size() && s[at] == c) {
            ++at;
            return true;
        }
        return false;
    }
    bool skipString()
    {
        if (!eat('"'))
            return false;
        while (at < s.size()) {
            const char c = s[at++];
            if (c == '\\')
                ++at;
            else if (c == '"')
                return true;
        }
        return false;
    }
    bool skipValue()
    {
        if (at >= s.size())
            return false;
        if (s[at] == '"')
            return skipString();
        if (s[at] == '{' || s[at] == '[') {
            int depth = 0;
            while (at < s.size()) {
                const char c = s[at];
                if (c == '"') {
                    if (!skipString())
                        return false;
                    continue;
                }
                ++at;
                if (c == '{' || c == '[')
                    ++depth;
                else if ((c == '}' || c == ']') && --depth == 0)
                    return true;
            }
            return false;
        }
        const qsizetype start = at;
        while (at < s.size() && s[at] != ',' && s[at] != '}' && s[at] != ']' && s[at] != ' ' && s[at] != '\n'
               && s[at] != '\r' && s[at] != '\t')
            ++at;
        return at > start;
    }

    const QByteArray &s;
    qsizetype at = 0;
};

void keepCorruptCopy(QIODevice &device, const QByteArray &bytes)
{
    auto *file = qobject_cast<QFile *>(&device);
    if (!file)
        return;
    const QString copy = file->fileName() + QStringLiteral(".corrupt-")
        + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QFile out(copy);
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(bytes);
    qWarning("settings file %s is damaged; kept what could be read, the original is at %s",
             qPrintable(file->fileName()), qPrintable(copy));
}

bool readJson(QIODevice &device, QSettings::SettingsMap &map)
{
    const QByteArray bytes = device.readAll();
    if (bytes.trimmed().isEmpty())
        return true;
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &err);
    QJsonObject object;
    if (err.error == QJsonParseError::NoError && doc.isObject()) {
        object = doc.object();
    } else {
        object = Salvage(bytes).run();
        keepCorruptCopy(device, bytes);
    }
    for (auto it = object.begin(); it != object.end(); ++it) {
        QVariant v = decode(it.value());
        if (v.isValid())
            map.insert(it.key(), v);
    }
    // Always succeed: a failed read would leave the store empty and the next write would drop the rest.
    return true;
}

bool writeJson(QIODevice &device, const QSettings::SettingsMap &map)
{
    QJsonObject object;
    for (auto it = map.begin(); it != map.end(); ++it)
        if (auto e = encode(it.value()))
            object.insert(it.key(), *e);
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
    return device.write(bytes) == bytes.size();
}

} // namespace

QString AppSettings::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Veltrane/settings.json");
}

AppSettings &AppSettings::shared()
{
    // Never destroyed: every write is already on disk, and it may be used until the very end.
    static AppSettings *instance = new AppSettings(defaultPath());
    return *instance;
}

AppSettings::AppSettings(const QString &filePath, QObject *parent)
    : QObject(parent)
    , m_path(QFileInfo(filePath).absoluteFilePath())
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    reload();
}

AppSettings::~AppSettings() = default;

QString AppSettings::filePath() const { return m_path; }

bool AppSettings::contains(const QString &key) const
{
    reloadIfChanged();
    return m_values.contains(key);
}

QVariant AppSettings::value(const QString &key) const
{
    reloadIfChanged();
    return m_values.value(key);
}

QStringList AppSettings::keys() const
{
    reloadIfChanged();
    return m_values.keys();
}

void AppSettings::reload() const
{
    m_values.clear();
    QFile file(m_path);
    if (file.open(QIODevice::ReadOnly))
        readJson(file, m_values);
    const QFileInfo info(m_path);
    m_stamp = { info.exists() ? info.size() : -1, info.lastModified() };
}

void AppSettings::reloadIfChanged() const
{
    // Another store on the same file (or another process) may have written it.
    const QFileInfo info(m_path);
    const Stamp now { info.exists() ? info.size() : -1, info.lastModified() };
    if (now != m_stamp)
        reload();
}

bool AppSettings::write(const QVariantMap &values)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writeJson(buffer, values);
    const QByteArray bytes = buffer.data();
    // A temporary file beside the target, renamed over it only when every byte is written.
    QSaveFile file(m_path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        file.commit();
        qWarning("cannot write settings file %s", qPrintable(m_path));
        return false;
    }
    if (!file.commit()) {
        qWarning("cannot write settings file %s", qPrintable(m_path));
        return false;
    }
    m_values = values;
    const QFileInfo info(m_path);
    m_stamp = { info.size(), info.lastModified() };
    return true;
}

bool AppSettings::boolValue(const QString &key, bool def) const
{
    const QVariant v = value(key);
    return v.typeId() == QMetaType::Bool ? v.toBool() : def;
}

int AppSettings::intValue(const QString &key, int def, const std::function<bool(int)> &accept) const
{
    const QVariant v = value(key);
    std::optional<int> n;
    switch (v.typeId()) {
    case QMetaType::Int:
        n = v.toInt();
        break;
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort: {
        const qint64 l = v.toLongLong();
        if (l >= std::numeric_limits<int>::min() && l <= std::numeric_limits<int>::max())
            n = static_cast<int>(l);
        break;
    }
    case QMetaType::Double: {
        // Values set in this process keep their own type; a whole double written by hand still counts.
        const double d = v.toDouble();
        if (std::isfinite(d) && std::trunc(d) == d && d >= std::numeric_limits<int>::min()
            && d <= std::numeric_limits<int>::max())
            n = static_cast<int>(d);
        break;
    }
    default:
        break;
    }
    if (!n || (accept && !accept(*n)))
        return def;
    return *n;
}

int AppSettings::intValueIn(const QString &key, int def, const QList<int> &allowed) const
{
    return intValue(key, def, [&allowed](int n) { return allowed.contains(n); });
}

double AppSettings::doubleValue(const QString &key, double def, const std::function<bool(double)> &accept) const
{
    const QVariant v = value(key);
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        const double d = v.toDouble();
        if (!std::isfinite(d) || (accept && !accept(d)))
            return def;
        return d;
    }
    default:
        return def;
    }
}

QString AppSettings::stringValue(const QString &key, const QString &def) const
{
    const QVariant v = value(key);
    return v.typeId() == QMetaType::QString ? v.toString() : def;
}

QStringList AppSettings::stringList(const QString &key, const QStringList &def) const
{
    const QVariant v = value(key);
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList();
    if (v.typeId() != QMetaType::QVariantList)
        return def;
    QStringList out;
    for (const QVariant &item : v.toList()) {
        if (item.typeId() != QMetaType::QString)
            return def;
        out.append(item.toString());
    }
    return out;
}

std::optional<QDateTime> AppSettings::dateValue(const QString &key) const
{
    const QVariant v = value(key);
    if (v.typeId() != QMetaType::QDateTime || !v.toDateTime().isValid())
        return std::nullopt;
    return v.toDateTime();
}

bool AppSettings::setValue(const QString &key, const QVariant &value)
{
    if (!value.isValid())
        return remove(key);
    // Kept in the form the file gives back, so that this run reads what the next one will; a value
    // the file cannot hold is refused rather than reported as stored.
    const std::optional<QJsonValue> json = encode(value);
    const QVariant stored = json ? decode(*json) : QVariant();
    if (!stored.isValid()) {
        qWarning("settings: the value of %s cannot be stored", qPrintable(key));
        return false;
    }
    reloadIfChanged();
    QVariantMap next = m_values;
    next.insert(key, stored);
    const bool ok = write(next);
    if (ok)
        emit changed(key);
    return ok;
}

bool AppSettings::remove(const QString &key)
{
    reloadIfChanged();
    if (!m_values.contains(key))
        return true;
    QVariantMap next = m_values;
    next.remove(key);
    const bool ok = write(next);
    if (ok)
        emit changed(key);
    return ok;
}
