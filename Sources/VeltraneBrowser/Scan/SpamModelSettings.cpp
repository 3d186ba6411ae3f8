// The owner's settings of the spam model: reading them once at start, writing each change back
// at once, and what a change sets off.
#include "Scan/SpamModel.h"

#include "Base/AppSettings.h"
#include "Rules/AIRules.h"
#include "Service/VeltraneAccount.h"

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

const QString kAIOn = QStringLiteral("vt.aiOn");
const QString kAIConsent = QStringLiteral("vt.aiConsent");
const QString kAIAbuse = QStringLiteral("vt.aiAbuse");
const QString kAISexual = QStringLiteral("vt.aiSexual");
const QString kAIKeepPraise = QStringLiteral("vt.aiKeepPraise");
const QString kThreshold = QStringLiteral("vt.threshold");
const QString kKeywords = QStringLiteral("vt.keywords");
const QString kBuiltinWords = QStringLiteral("vt.builtinWords");
const QString kLimit = QStringLiteral("vt.limit");
const QString kPostLimit = QStringLiteral("vt.postLimit");
const QString kNoLikesOnly = QStringLiteral("vt.noLikesOnly");
const QString kMinLikes = QStringLiteral("vt.minLikes");
const QString kSort = QStringLiteral("vt.sort");
const QString kKeepDays = QStringLiteral("vt.keepDays");
const QString kStoreText = QStringLiteral("vt.storeText");
const QString kFlagKnownSpammers = QStringLiteral("vt.flagKnownSpammers");
const QString kSkipUnchanged = QStringLiteral("vt.skipUnchanged");
const QString kScanOnOpen = QStringLiteral("vt.scanOnOpen");
const QString kAutoScanHours = QStringLiteral("vt.autoScanHours");
const QString kLastAutoScan = QStringLiteral("vt.lastAutoScan");

} // namespace

const QList<int> &SpamModel::postLimitPresets()
{
    static const QList<int> presets {3, 5, 10, 20};
    return presets;
}

const QList<int> &SpamModel::keepDaysPresets()
{
    static const QList<int> presets {30, 90, 180, 365};
    return presets;
}

const QList<int> &SpamModel::autoScanPresets()
{
    static const QList<int> presets {0, 1, 6, 24};
    return presets;
}

bool SpamModel::store(const QString &key, const QVariant &value)
{
    return m_settings->setValue(key, value);
}

// Every key is read once, in a fixed order, through its setter so that its change handler runs
// (and writes the value back). A value of another type or outside the accepted set is ignored
// and stays in the file untouched.
void SpamModel::readSettings()
{
    const AppSettings &s = *m_settings;

    const std::optional<bool> aiOn = storedBool(s, kAIOn);
    if (aiOn)
        setAIOn(*aiOn);
    if (const std::optional<bool> consent = storedBool(s, kAIConsent); consent && !(aiOn && *aiOn))
        m_aiConsent = consent;
    else if (aiOn && *aiOn)
        m_aiConsent = true;   // the setter has stored it already
    else
        m_aiConsent.reset();

    if (const auto v = storedBool(s, kAIAbuse))
        setAIAbuse(*v);
    if (const auto v = storedBool(s, kAISexual))
        setAISexual(*v);
    if (const auto v = storedBool(s, kAIKeepPraise))
        setAIKeepPraise(*v);

    // Read only: nothing in the application changes it.
    if (const auto v = storedInt(s, kThreshold); v && *v >= 10 && *v <= 100)
        m_threshold = *v;

    // The three keys read always are written back when absent; a negative limit as 0.
    if (!s.contains(kKeywords)) {
        setKeywords({});
    } else {
        // A list holding anything but strings is not ours to rewrite.
        const QStringList notAList {QStringLiteral("\u0001")};
        const QStringList words = s.stringList(kKeywords, notAList);
        if (words != notAList)
            setKeywords(words);
    }

    if (const auto v = storedBool(s, kBuiltinWords))
        setBuiltinWords(*v);

    if (!s.contains(kLimit))
        setLimit(0);
    else if (const auto v = storedInt(s, kLimit))
        setLimit(std::max(*v, 0));

    if (const auto v = storedInt(s, kPostLimit); v && postLimitPresets().contains(*v))
        setPostLimit(*v);

    if (!s.contains(kNoLikesOnly))
        setNoLikesOnly(false);
    else if (const auto v = storedBool(s, kNoLikesOnly))
        setNoLikesOnly(*v);

    if (const auto v = storedInt(s, kMinLikes); v && *v >= 1)
        setMinLikes(*v);

    if (s.contains(kSort)) {
        if (const std::optional<SortKey> key = SortKey::fromRawValue(s.stringValue(kSort)))
            setSort(*key);
    }

    if (const auto v = storedInt(s, kKeepDays); v && keepDaysPresets().contains(*v))
        setKeepDays(*v);

    if (const auto v = storedBool(s, kStoreText))
        setStoreText(*v);
    if (const auto v = storedBool(s, kFlagKnownSpammers))
        setFlagKnownSpammers(*v);
    if (const auto v = storedBool(s, kSkipUnchanged))
        setSkipUnchanged(*v);
    if (const auto v = storedBool(s, kScanOnOpen))
        setScanOnOpen(*v);

    // Absent reads as 0 and is written back; 1 or more asks for notifications (the old value is 0).
    if (!s.contains(kAutoScanHours))
        setAutoScanHours(0);
    else if (const auto v = storedInt(s, kAutoScanHours); v && autoScanPresets().contains(*v))
        setAutoScanHours(*v);
}

// ---- setters: write back first, then the effect ------------------------------------------

void SpamModel::setScanOnOpen(bool on)
{
    store(kScanOnOpen, on);
    assign(m_scanOnOpen, on, &SpamModel::scanOnOpenChanged);
}

void SpamModel::setAIOn(bool on)
{
    store(kAIOn, on);
    assign(m_aiOn, on, &SpamModel::aiOnChanged);
    // Turning the check on counts as consent; turning it off withdraws nothing.
    if (on) {
        m_aiConsent = true;
        store(kAIConsent, true);
    }
}

void SpamModel::setAIConsent(bool agreed)
{
    m_aiConsent = agreed;
    store(kAIConsent, agreed);
}

void SpamModel::setAIAbuse(bool on)
{
    store(kAIAbuse, on);
    if (assign(m_aiAbuse, on, &SpamModel::aiAbuseChanged))
        emit aiOptionsChanged();
}

void SpamModel::setAISexual(bool on)
{
    store(kAISexual, on);
    if (assign(m_aiSexual, on, &SpamModel::aiSexualChanged))
        emit aiOptionsChanged();
}

void SpamModel::setAIKeepPraise(bool on)
{
    store(kAIKeepPraise, on);
    if (assign(m_aiKeepPraise, on, &SpamModel::aiKeepPraiseChanged))
        emit aiOptionsChanged();
}

void SpamModel::setKeywords(const QStringList &words)
{
    store(kKeywords, words);
    assign(m_keywords, words, &SpamModel::keywordsChanged);
    wordsChanged();
}

void SpamModel::setBuiltinWords(bool on)
{
    store(kBuiltinWords, on);
    assign(m_builtinWords, on, &SpamModel::builtinWordsChanged);
    wordsChanged();
}

void SpamModel::setLimit(qint64 limit)
{
    store(kLimit, limit);
    assign(m_limit, limit, &SpamModel::limitChanged);
}

void SpamModel::setSort(SortKey key)
{
    store(kSort, key.rawValue());
    if (m_sort != key) {
        m_sort = key;
        emit sortChanged();
    }
    m_review.applySort();
}

void SpamModel::setSortName(const QString &raw)
{
    if (const std::optional<SortKey> key = SortKey::fromRawValue(raw))
        setSort(*key);
}

void SpamModel::setNoLikesOnly(bool on)
{
    store(kNoLikesOnly, on);
    assign(m_noLikesOnly, on, &SpamModel::noLikesOnlyChanged);
}

void SpamModel::setMinLikes(qint64 likes)
{
    store(kMinLikes, likes);
    assign(m_minLikes, likes, &SpamModel::minLikesChanged);
}

void SpamModel::setPostLimit(int count)
{
    store(kPostLimit, count);
    assign(m_postLimit, count, &SpamModel::postLimitChanged);
}

void SpamModel::setKeepDays(int days)
{
    store(kKeepDays, days);
    assign(m_keepDays, days, &SpamModel::keepDaysChanged);
    m_store->keepDays = days;
    purgeInSteps();
}

void SpamModel::purgeInSteps(qint64 before)
{
    // The open runs a first batch itself; a store that cannot open has nothing to purge.
    if (!m_store->isOpen())
        return;
    // A first call runs a batch unless the open left the rest waiting; later calls one each.
    const qint64 start = before < 0 ? m_store->purged() : before;
    if (before >= 0 || !m_store->purgePending())
        m_store->purgeSome();
    if (m_store->purgePending()) {
        QTimer::singleShot(0, this, [this, start] { purgeInSteps(start); });
        return;
    }
    if (m_store->purged() != start) {
        setStats(m_store->stats());
        raiseRunsVersion();
    }
}

void SpamModel::setStoreText(bool on)
{
    store(kStoreText, on);
    assign(m_storeText, on, &SpamModel::storeTextChanged);
    m_store->storeText = on;
}

void SpamModel::setFlagKnownSpammers(bool on)
{
    store(kFlagKnownSpammers, on);
    assign(m_flagKnownSpammers, on, &SpamModel::flagKnownSpammersChanged);
}

void SpamModel::setSkipUnchanged(bool on)
{
    store(kSkipUnchanged, on);
    assign(m_skipUnchanged, on, &SpamModel::skipUnchangedChanged);
}

void SpamModel::setAutoScanHours(int hours)
{
    const int old = m_autoScanHours;
    store(kAutoScanHours, hours);
    assign(m_autoScanHours, hours, &SpamModel::autoScanHoursChanged);
    if (hours >= 1 && old == 0)
        requestNotifications();
}

// ---- derived values -------------------------------------------------------------------

QMap<QString, int> SpamModel::thresholds() const
{
    QMap<QString, int> out;
    for (const QString &kind : AIRules::kinds())
        out.insert(kind, m_threshold);
    return out;
}

QStringList SpamModel::aiOptions() const
{
    QStringList out;
    if (m_aiAbuse)
        out.append(QStringLiteral("abuse"));
    if (m_aiSexual)
        out.append(QStringLiteral("sexual"));
    return out;
}

QString SpamModel::aiOptionsKey() const
{
    QStringList parts {QStringLiteral("spam")};
    parts += aiOptions();
    if (m_aiKeepPraise && m_aiAbuse)
        parts.append(QStringLiteral("keepPraise"));
    return parts.join(u',');
}

// ---- keyword edits and re-judging ------------------------------------------------------

void SpamModel::addKeywords(const QString &text)
{
    setKeywords(SpamRules::addKeywords(m_keywords, text));
}

void SpamModel::removeKeyword(const QString &word)
{
    setKeywords(SpamRules::removeKeyword(m_keywords, word));
}

void SpamModel::wordsChanged()
{
    if (!m_hasScanned || working())
        return;
    const QList<int> changed = m_review.overlayWords(true);
    if (changed.isEmpty() || !m_scannedPage)
        return;
    QList<Comment> verdicts;
    verdicts.reserve(changed.size());
    for (const int i : changed)
        verdicts.append(comments().at(i));
    m_store->rememberVerdicts(m_scannedPage->site, verdicts);
    syncPost(m_scannedPage->url);
}

bool SpamModel::autoScanTimeDue(const QDateTime &now) const
{
    if (m_autoScanHours < 1)
        return false;
    const std::optional<QDateTime> last = m_settings->dateValue(kLastAutoScan);
    if (!last)
        return true;
    // A time ahead of now means the clock was set back: waiting for it could take for ever.
    if (*last > now)
        return true;
    return last->secsTo(now) >= qint64(m_autoScanHours) * 3600;
}
