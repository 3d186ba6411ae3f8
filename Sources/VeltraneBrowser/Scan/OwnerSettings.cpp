#include "Scan/OwnerSettings.h"

#include "Base/AppSettings.h"
#include "Rules/AIRules.h"

#include <algorithm>
#include <limits>

namespace {

// A stored value of exactly the asked type; none when absent or of another type.
std::optional<bool> storedBool(const AppSettings &s, const QString &key)
{
    if (!s.contains(key))
        return std::nullopt;
    const bool a = s.boolValue(key, false);
    if (a != s.boolValue(key, true))
        return std::nullopt;
    return a;
}

std::optional<int> storedInt(const AppSettings &s, const QString &key)
{
    if (!s.contains(key))
        return std::nullopt;
    constexpr int low = std::numeric_limits<int>::min();
    constexpr int high = std::numeric_limits<int>::max();
    const int a = s.intValue(key, low);
    if (a != s.intValue(key, high))
        return std::nullopt;
    return a;
}

const QString kLastAutoScan = QStringLiteral("vt.lastAutoScan");

}   // namespace

const QList<int> &OwnerSettings::postLimitPresets()
{
    static const QList<int> presets{3, 5, 10, 20};
    return presets;
}

const QList<int> &OwnerSettings::keepDaysPresets()
{
    static const QList<int> presets{30, 90, 180, 365};
    return presets;
}

const QList<int> &OwnerSettings::autoScanPresets()
{
    static const QList<int> presets{0, 1, 6, 24};
    return presets;
}

namespace {

using Check = std::function<std::optional<QVariant>(const QVariant &)>;

Check oneOf(const QList<int> &presets)
{
    return [presets](const QVariant &v) -> std::optional<QVariant> {
        return presets.contains(v.toInt()) ? std::optional(v) : std::nullopt;
    };
}

Check between(int low, int high)
{
    return [low, high](const QVariant &v) -> std::optional<QVariant> {
        return v.toInt() >= low && v.toInt() <= high ? std::optional(v) : std::nullopt;
    };
}

std::optional<QVariant> sortKey(const QVariant &v)
{
    return SortKey::fromRawValue(v.toString()) ? std::optional(v) : std::nullopt;
}

// A negative limit is taken as none (0).
std::optional<QVariant> notNegative(const QVariant &v)
{
    return QVariant(std::max(v.toInt(), 0));
}

}   // namespace

// One row per setting. A new setting is a row here and its Key.
const std::vector<OwnerSettings::Row> &OwnerSettings::rows()
{
    using T = Type;
    using S = Storage;
    using E = Effect;
    const Check any;
    const int most = std::numeric_limits<int>::max();
    static const std::vector<Row> table{
        // key, stored name, type, default, check, storage, effect
        {Key::aiConsent, QStringLiteral("vt.aiConsent"), T::boolean, QVariant(), any},
        {Key::aiOn, QStringLiteral("vt.aiOn"), T::boolean, true, any, S::onSet, E::consent},
        {Key::aiAbuse, QStringLiteral("vt.aiAbuse"), T::boolean, true, any},
        {Key::aiSexual, QStringLiteral("vt.aiSexual"), T::boolean, true, any},
        {Key::aiKeepPraise, QStringLiteral("vt.aiKeepPraise"), T::boolean, true, any},
        {Key::threshold, QStringLiteral("vt.threshold"), T::number, 80, between(10, 100), S::readOnly},
        {Key::keywords, QStringLiteral("vt.keywords"), T::words, QStringList(), any, S::always, E::words},
        {Key::builtinWords, QStringLiteral("vt.builtinWords"), T::boolean, true, any, S::onSet, E::words},
        {Key::limit, QStringLiteral("vt.limit"), T::number, 0, notNegative, S::always},
        {Key::postLimit, QStringLiteral("vt.postLimit"), T::number, 5, oneOf(postLimitPresets())},
        {Key::noLikesOnly, QStringLiteral("vt.noLikesOnly"), T::boolean, false, any, S::always},
        {Key::minLikes, QStringLiteral("vt.minLikes"), T::number, 1, between(1, most)},
        {Key::sort, QStringLiteral("vt.sort"), T::sortKey, QStringLiteral("page"), sortKey, S::onSet, E::sort},
        {Key::keepDays, QStringLiteral("vt.keepDays"), T::number, 180, oneOf(keepDaysPresets()), S::onSet, E::keepDays},
        {Key::storeText, QStringLiteral("vt.storeText"), T::boolean, true, any, S::onSet, E::storeText},
        {Key::flagKnownSpammers, QStringLiteral("vt.flagKnownSpammers"), T::boolean, true, any},
        {Key::skipUnchanged, QStringLiteral("vt.skipUnchanged"), T::boolean, true, any},
        {Key::scanOnOpen, QStringLiteral("vt.scanOnOpen"), T::boolean, true, any},
        {Key::autoScanHours, QStringLiteral("vt.autoScanHours"), T::number, 0, oneOf(autoScanPresets()), S::always,
         E::notifications},
    };
    return table;
}

const OwnerSettings::Row &OwnerSettings::row(Key key)
{
    const Row &r = rows().at(std::size_t(key));
    Q_ASSERT(r.key == key);   // the table lists every key once, in Key order
    return r;
}

std::optional<OwnerSettings::Key> OwnerSettings::keyOf(const QString &name)
{
    for (const Row &r : rows()) {
        if (r.name == name)
            return r.key;
    }
    return std::nullopt;
}

namespace {

// A value given to set() in the row's type: a Boolean, an integer within int's range, a list of
// strings only, or a string. Anything else is none.
std::optional<QVariant> given(OwnerSettings::Type type, const QVariant &v)
{
    switch (type) {
    case OwnerSettings::Type::boolean:
        return v.typeId() == QMetaType::Bool ? std::optional(v) : std::nullopt;
    case OwnerSettings::Type::number:
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort: {
            bool ok = false;
            const qlonglong n = v.toLongLong(&ok);
            if (!ok || n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max()
                || (v.typeId() == QMetaType::ULongLong && v.toULongLong() > quint64(std::numeric_limits<int>::max())))
                return std::nullopt;
            return QVariant(int(n));
        }
        default:
            return std::nullopt;
        }
    case OwnerSettings::Type::words:
        if (v.typeId() == QMetaType::QStringList)
            return v;
        if (v.typeId() == QMetaType::QVariantList) {
            QStringList words;
            for (const QVariant &item : v.toList()) {
                if (item.typeId() != QMetaType::QString)
                    return std::nullopt;
                words.append(item.toString());
            }
            return QVariant(words);
        }
        return std::nullopt;
    case OwnerSettings::Type::sortKey:
        return v.typeId() == QMetaType::QString ? std::optional(v) : std::nullopt;
    }
    return std::nullopt;
}

// The file's value in the row's type, through the file's own typed reads; none when absent or
// of another type.
std::optional<QVariant> stored(const AppSettings &s, const OwnerSettings::Row &row)
{
    switch (row.type) {
    case OwnerSettings::Type::boolean:
        if (const std::optional<bool> b = storedBool(s, row.name))
            return QVariant(*b);
        return std::nullopt;
    case OwnerSettings::Type::number:
        if (const std::optional<int> n = storedInt(s, row.name))
            return QVariant(*n);
        return std::nullopt;
    case OwnerSettings::Type::words: {
        // A list holding anything but strings is not ours to rewrite.
        const QStringList notAList{QStringLiteral("\u0001")};
        const QStringList words = s.stringList(row.name, notAList);
        return words != notAList ? std::optional(QVariant(words)) : std::nullopt;
    }
    case OwnerSettings::Type::sortKey:
        if (s.value(row.name).typeId() == QMetaType::QString)
            return QVariant(s.stringValue(row.name));
        return std::nullopt;
    }
    return std::nullopt;
}

}   // namespace

OwnerSettings::OwnerSettings(AppSettings *file, QObject *parent)
    : QObject(parent)
    , m_file(file)
{
    for (const Row &r : rows())
        m_values.push_back(r.fallback);
}

void OwnerSettings::read()
{
    const AppSettings &s = *m_file;
    for (const Row &r : rows()) {
        if (!s.contains(r.name)) {
            if (r.storage == Storage::always)
                take(r, r.fallback);
            continue;
        }
        const std::optional<QVariant> v = stored(s, r);
        const std::optional<QVariant> checked = v && r.check ? r.check(*v) : v;
        if (!checked)
            continue;
        if (r.storage == Storage::readOnly)
            m_values[std::size_t(r.key)] = *checked;   // nothing in the application changes it
        else
            take(r, *checked);
    }
}

bool OwnerSettings::set(Key key, const QVariant &value)
{
    const Row &r = row(key);
    if (r.storage == Storage::readOnly)
        return false;
    const std::optional<QVariant> v = given(r.type, value);
    const std::optional<QVariant> checked = v && r.check ? r.check(*v) : v;
    if (!checked)
        return false;
    take(r, *checked);
    return true;
}

// Writes back first, then announces the change, then the effect.
void OwnerSettings::take(const Row &r, const QVariant &value)
{
    QVariant &kept = m_values[std::size_t(r.key)];
    const QVariant before = kept;
    m_file->setValue(r.name, value);
    if (kept != value) {
        kept = value;
        emit changed(r.key);
    }
    switch (r.effect) {
    case Effect::none:
        break;
    case Effect::consent:
        // Turning the check on counts as consent; turning it off withdraws nothing.
        if (value.toBool())
            take(row(Key::aiConsent), true);
        break;
    case Effect::notifications:
        if (value.toInt() >= 1 && before.toInt() == 0)
            emit applied(r.effect);
        break;
    default:
        emit applied(r.effect);
        break;
    }
}

std::optional<bool> OwnerSettings::aiConsent() const
{
    const QVariant &v = value(Key::aiConsent);
    return v.isValid() ? std::optional<bool>(v.toBool()) : std::nullopt;
}

// ---- derived values -------------------------------------------------------------------

QMap<QString, int> OwnerSettings::thresholds() const
{
    QMap<QString, int> out;
    for (const QString &kind : AIRules::kinds())
        out.insert(kind, threshold());
    return out;
}

QStringList OwnerSettings::aiOptions() const
{
    QStringList out;
    if (aiAbuse())
        out.append(QStringLiteral("abuse"));
    if (aiSexual())
        out.append(QStringLiteral("sexual"));
    return out;
}

QString OwnerSettings::aiOptionsKey() const
{
    QStringList parts{QStringLiteral("spam")};
    parts += aiOptions();
    if (aiKeepPraise() && aiAbuse())
        parts.append(QStringLiteral("keepPraise"));
    return parts.join(u',');
}

bool OwnerSettings::autoScanTimeDue(const QDateTime &now) const
{
    if (autoScanHours() < 1)
        return false;
    const std::optional<QDateTime> last = m_file->dateValue(kLastAutoScan);
    if (!last)
        return true;
    // A time ahead of now means the clock was set back: waiting for it could take for ever.
    if (*last > now)
        return true;
    return last->secsTo(now) >= qint64(autoScanHours()) * 3600;
}

void OwnerSettings::setLastAutoScan(const QDateTime &at)
{
    m_file->setValue(kLastAutoScan, at);
}
