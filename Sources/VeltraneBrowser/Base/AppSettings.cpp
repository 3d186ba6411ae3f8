#include "Base/AppSettings.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>

#include <cmath>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
        return QJsonValue(QJsonObject{{kDateTag, t.toUTC().toString(Qt::ISODateWithMs)}});
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
    explicit Salvage(const QByteArray &text)
        : s(text)
    {
    }

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

void keepCorruptCopy(const QString &path, const QByteArray &bytes)
{
    const QString stem = path + QStringLiteral(".corrupt-")
        + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    // A new file, owner-only, under a name nothing holds yet: never written over an earlier copy
    // or through a link planted at the name.
    for (int n = 1; n < 100; ++n) {
        const QString copy = n == 1 ? stem : stem + u'-' + QString::number(n);
        QFile out(copy);
        if (out.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
            const bool whole = out.write(bytes) == bytes.size() && out.flush();
            out.close();
            if (whole) {
                qWarning("settings file %s is damaged; kept what could be read, the original is at %s",
                         qPrintable(path), qPrintable(copy));
                return;
            }
            out.remove();
            break;
        }
        if (!QFileInfo::exists(copy) && !QFileInfo(copy).isSymLink())
            break;
    }
    qWarning("settings file %s is damaged; kept what could be read, but no copy of the original could be made",
             qPrintable(path));
}

// Every member that parses; `damaged` tells whether some of the file was lost. Never fails: an
// empty result here would make the next write drop the rest of the file.
QVariantMap readJson(const QByteArray &bytes, bool *damaged)
{
    QVariantMap map;
    *damaged = false;
    if (bytes.trimmed().isEmpty())
        return map;
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &err);
    QJsonObject object;
    if (err.error == QJsonParseError::NoError && doc.isObject()) {
        object = doc.object();
    } else {
        object = Salvage(bytes).run();
        *damaged = true;
    }
    for (auto it = object.begin(); it != object.end(); ++it) {
        QVariant v = decode(it.value());
        if (v.isValid())
            map.insert(it.key(), v);
    }
    return map;
}

bool writeJson(QIODevice &device, const QVariantMap &map)
{
    QJsonObject object;
    for (auto it = map.begin(); it != map.end(); ++it)
        if (auto e = encode(it.value()))
            object.insert(it.key(), *e);
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
    return device.write(bytes) == bytes.size();
}

qint64 nanoseconds(const timespec &t)
{
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// How long a write waits for other copies' writes; each takes a few milliseconds.
constexpr int kLockWaitMs = 10000;

// Waits for the lock by trying often: QLockFile's own wait doubles its pauses up to seconds, so a
// copy that writes continuously (a pane being dragged) would keep another one waiting that long.
bool takeLock(QLockFile &lock)
{
    const QDeadlineTimer deadline(kLockWaitMs);
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        QThread::usleep(200 + QRandomGenerator::global()->bounded(800));
    }
    return true;
}

}   // namespace

QString AppSettings::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Veltrane/settings.json");
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

AppSettings::~AppSettings()
{
    hold(-1);
}

QString AppSettings::filePath() const
{
    return m_path;
}

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

namespace {

template <typename Stamp>
Stamp stampFrom(const struct stat &st)
{
    return {qint64(st.st_dev), qint64(st.st_ino), qint64(st.st_size), nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
}

}   // namespace

AppSettings::Stamp AppSettings::stampOf(int fd)
{
    struct stat st { };
    return fd >= 0 && ::fstat(fd, &st) == 0 ? stampFrom<Stamp>(st) : Stamp{};
}

AppSettings::Stamp AppSettings::stampOf(const QString &path)
{
    struct stat st { };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? stampFrom<Stamp>(st) : Stamp{};
}

void AppSettings::hold(int fd) const
{
    if (m_held >= 0)
        ::close(m_held);
    m_held = fd;
}

void AppSettings::reload() const
{
    m_values.clear();
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC);
    const Stamp stamp = stampOf(fd);
    if (stamp == Stamp{}) {
        if (fd >= 0)
            ::close(fd);
        hold(-1);
        m_stamp = {};
        return;
    }
    // The stamp and the bytes come from the same open file, so they always belong together.
    hold(fd);
    m_stamp = stamp;
    QFile file;
    QByteArray bytes;
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        bytes = file.readAll();
    bool damaged = false;
    m_values = readJson(bytes, &damaged);
    if (damaged) {
        // Once per damaged content, however often it is read again before the next write.
        const QByteArray seen = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
        if (seen != m_damagedSeen)
            keepCorruptCopy(m_path, bytes);
        m_damagedSeen = seen;
    }
}

void AppSettings::reloadIfChanged() const
{
    // Another store on the same file (or another process) may have written it.
    if (stampOf(m_path) != m_stamp)
        reload();
}

bool AppSettings::update(const QString &key, const std::optional<QVariant> &value)
{
    // One writer at a time across every copy; the file is read again under the lock, so another
    // copy's keys are never written back stale.
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!takeLock(lock)) {
        if (lock.error() == QLockFile::LockFailedError)
            qWarning("cannot write settings file %s: another program holds %s.lock", qPrintable(m_path),
                     qPrintable(m_path));
        else
            qWarning("cannot write settings file %s: its lock file cannot be made", qPrintable(m_path));
        return false;
    }
    reload();
    if (!value && !m_values.contains(key))
        return true;
    QVariantMap next = m_values;
    if (value)
        next.insert(key, *value);
    else
        next.remove(key);
    if (!write(next))
        return false;
    emit changed(key);
    return true;
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
    // Still under the lock: the file on disk is the one just written.
    m_values = values;
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC);
    m_stamp = stampOf(fd);   // none: read again next time
    if (m_stamp == Stamp{} && fd >= 0)
        ::close(fd);
    hold(m_stamp == Stamp{} ? -1 : fd);
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
    return update(key, stored);
}

bool AppSettings::remove(const QString &key)
{
    return update(key, std::nullopt);
}
