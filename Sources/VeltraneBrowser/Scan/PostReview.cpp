#include "Scan/PostReview.h"

#include "Browser/BrowserError.h"
#include "Rules/BuiltinWords.h"
#include "Scan/OwnerSettings.h"

#include <cmath>
#include <numeric>
#include <vector>

namespace {

const QString kSpam = QStringLiteral("spam");

bool wordFlagged(const Comment &c)
{
    return c.verdict() == Comment::Verdict::spam
        && (c.reason.startsWith(QLatin1String("custom:")) || c.reason.startsWith(QLatin1String("dict:")));
}

// Texts kept beside the comments share their data: most checks end at the pointer.
bool sameText(const QString &a, const QString &b)
{
    return a.size() == b.size() && (a.constData() == b.constData() || a == b);
}

QString withoutCommas(QString word)
{
    return word.replace(u',', u' ');
}

}   // namespace

PostReview::PostReview(const OwnerSettings &settings, ScanStore &store, Current current, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_store(store)
    , m_current(std::move(current))
{
}

void PostReview::setComments(const QList<Comment> &comments)
{
    if (m_comments == comments)
        return;
    m_comments = comments;
    emit commentsChanged();
}

void PostReview::setOnlySpam(bool on)
{
    if (m_onlySpam == on)
        return;
    m_onlySpam = on;
    emit onlySpamChanged();
}

void PostReview::setJustKept(const QHash<QString, Comment> &kept)
{
    if (m_justKept == kept)
        return;
    m_justKept = kept;
    emit justKeptChanged();
}

QList<Comment> PostReview::spam() const
{
    QList<Comment> out;
    for (const Comment &c : m_comments) {
        if (c.verdict() == Comment::Verdict::spam)
            out.append(c);
    }
    return out;
}

void PostReview::forgetPage()
{
    m_aiSeen.clear();
    m_hashes.clear();
    m_hashAt.clear();
    m_keywordAnswers.clear();
    m_answerAt.clear();
}

void PostReview::clearMarks()
{
    m_restored.clear();
    setJustKept({});
    m_wordBase.clear();
}

std::optional<AIRules::Placement> PostReview::answerAI(qsizetype index, const QString &kind, double prob)
{
    if (index < 0 || index >= m_comments.size())
        return std::nullopt;
    m_comments[index].aiKind = kind;
    m_comments[index].aiProb = prob;
    return placeAt(index);
}

void PostReview::prepareKeywords()
{
    if (m_keywordMatcherFor == m_settings.keywords())
        return;
    m_keywordMatcher = SpamRules::Keywords(m_settings.keywords());
    m_keywordMatcherFor = m_settings.keywords();
    m_keywordAnswers.clear();
    m_answerAt.clear();
}

const QString &PostReview::keywordReason(qsizetype index, const QString &text)
{
    // The answer depends only on the text and the keywords, so the one found for the same text
    // at this position stands: an overlay after the AI answers matches no text again. The texts
    // are shared with the comments, so checking one costs a pointer comparison.
    KeywordAnswer &answer = m_keywordAnswers[m_answerAt[size_t(index)]];
    if (answer.known && sameText(answer.text, text))
        return answer.reason;
    answer.known = true;
    answer.text = text;
    answer.reason.clear();
    if (!m_keywordMatcher.isEmpty()) {
        if (const std::optional<QString> word = m_keywordMatcher.match(text))
            answer.reason = QStringLiteral("custom:") + withoutCommas(*word);
    }
    return answer.reason;
}

QList<int> PostReview::overlayWords(bool dictionary)
{
    const BuiltinWords *lists = dictionary && m_settings.builtinWords() ? &BuiltinWords::shared() : nullptr;
    QList<int> changed;
    prepareKeywords();
    if (m_answerAt.size() != size_t(m_comments.size())) {
        m_keywordAnswers.resize(size_t(m_comments.size()));
        m_answerAt.resize(m_keywordAnswers.size());
        std::iota(m_answerAt.begin(), m_answerAt.end(), 0u);
    }
    for (qsizetype i = 0; i < m_comments.size(); ++i) {
        const Comment &m = m_comments.at(i);
        if (m.isOwner)
            continue;
        const bool flagged = wordFlagged(m);
        // A comment the owner kept is left alone; one skipped as unchanged takes part.
        if (!flagged && m.verdict() == Comment::Verdict::skip && m.reason != QLatin1String("unchanged"))
            continue;

        std::optional<QString> reason;
        QStringList newHits;
        if (const QString &custom = keywordReason(i, m.text); !custom.isEmpty())
            reason = custom;
        if (!reason && lists) {
            // The lists never override another spam verdict and never judge an AI-scored text.
            if (!flagged && m.verdict() == Comment::Verdict::spam)
                continue;
            if (!m.aiProb && !m_aiSeen.contains(m.id)) {
                if (const std::optional<BuiltinWords::Hit> hit = lists->match(m.text)) {
                    reason = QStringLiteral("dict:") + hit->kind + u':' + withoutCommas(hit->word);
                    newHits.append(hit->word);
                }
            }
        }

        if (!reason) {
            if (!flagged)
                continue;
            // Given back: as it was before the words flagged it, placed again by its AI answer.
            const auto base = m_wordBase.constFind(m.id);
            if (base != m_wordBase.constEnd()) {
                m_comments[i] = base.value();
                m_wordBase.erase(base);
                placeAt(i);
            } else {
                Comment &c = m_comments[i];
                c.setVerdict(Comment::Verdict::ok);
                c.reason.clear();
                c.score = 0;
                c.checked = false;
            }
            changed.append(int(i));
            continue;
        }

        if (flagged) {
            if (m.reason == *reason)
                continue;
            Comment &c = m_comments[i];
            c.reason = *reason;
            c.hits = m_wordBase.value(c.id).hits + newHits;
        } else {
            m_wordBase.insert(m.id, m);
            Comment &c = m_comments[i];
            c.setVerdict(Comment::Verdict::spam);
            c.reason = *reason;
            c.hits += newHits;
            c.score = 1.0;
            c.checked = true;
            c.aiKind.reset();
            c.aiProb.reset();
            c.knownSpammer = false;
        }
        changed.append(int(i));
    }
    if (!changed.isEmpty())
        emit commentsChanged();
    return changed;
}

void PostReview::applySort()
{
    if (m_comments.size() < 2)
        return;
    // Each comment's value is computed once and the comments are moved once: a long page sorts
    // in a fraction of the time of comparing whole comments.
    struct Entry {
        double value;
        qint64 order;
        qsizetype index;
    };
    const SortKey key = m_settings.sort();
    std::vector<Entry> entries;
    entries.reserve(size_t(m_comments.size()));
    for (qsizetype i = 0; i < m_comments.size(); ++i)
        entries.push_back({key.sortValue(m_comments.at(i)), m_comments.at(i).order, i});
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (a.value != b.value)
            return a.value < b.value;
        return a.order < b.order;
    });
    QList<Comment> sorted;
    sorted.reserve(m_comments.size());
    for (const Entry &e : entries)
        sorted.append(std::move(m_comments[e.index]));
    m_comments = std::move(sorted);
    // The keyword answers follow their texts.
    if (m_answerAt.size() == entries.size()) {
        std::vector<quint32> answerAt;
        answerAt.reserve(entries.size());
        for (const Entry &e : entries)
            answerAt.push_back(m_answerAt[size_t(e.index)]);
        m_answerAt = std::move(answerAt);
    } else {
        m_keywordAnswers.clear();
        m_answerAt.clear();
    }
    emit commentsChanged();
}

int PostReview::applyPicks(const QList<ScanStore::Record> &records, const QString &post)
{
    QHash<QString, const ScanStore::Record *> byId;
    for (const ScanStore::Record &r : records) {
        if (!byId.contains(r.id))
            byId.insert(r.id, &r);
    }
    QList<Comment> restoredNow;
    bool touched = false;
    for (Comment &c : m_comments) {
        if (c.verdict() != Comment::Verdict::spam) {
            const ScanStore::Record *r = byId.value(c.id);
            if (r && r->verdict() == Comment::Verdict::spam) {
                c.setVerdict(Comment::Verdict::spam);
                c.reason = r->reason;
                if (r->aiProb) {
                    c.aiProb = r->aiProb;
                    c.aiKind = r->kind.isEmpty() ? kSpam : r->kind;
                }
                m_restored.insert(c.id);
                restoredNow.append(c);
                touched = true;
            }
        }
        if (c.verdict() == Comment::Verdict::spam) {
            const bool picked = byId.contains(c.id);
            if (c.checked != picked) {
                c.checked = picked;
                touched = true;
            }
        }
    }
    if (touched)
        emit commentsChanged();
    if (!restoredNow.isEmpty()) {
        if (const std::optional<ScanStore::PostKey> key = ScanStore::canonical(post)) {
            m_store.rememberVerdicts(key->site, restoredNow);
            emit verdictsStored(key->url);
        }
    }
    int ticked = 0;
    for (const Comment &c : std::as_const(m_comments)) {
        if (c.verdict() == Comment::Verdict::spam && c.checked)
            ++ticked;
    }
    return ticked;
}

PostReview::Reuse PostReview::reuseAI(const QHash<QString, ScanStore::Known> &known)
{
    Reuse out;
    if (known.isEmpty())
        return out;
    const QString key = m_settings.aiOptionsKey();
    const QStringList kinds = QStringList{kSpam} + m_settings.aiOptions();
    bool touched = false;
    for (qsizetype i = 0; i < m_comments.size(); ++i) {
        const Comment &c = m_comments.at(i);
        if (c.verdict() != Comment::Verdict::ok || c.aiProb)
            continue;
        const auto entry = known.constFind(c.id);
        if (entry == known.constEnd() || !entry->options || *entry->options != key || !entry->score)
            continue;
        const bool atHere = size_t(i) < m_hashAt.size() && sameText(m_hashAt[size_t(i)].first, c.text);
        if (atHere ? m_hashAt[size_t(i)].second != entry->hash : !m_hashes.matches(c.id, c.text, entry->hash))
            continue;
        const AIRules::Verdict verdict = AIRules::verdict(*entry->score, kinds);
        Comment &m = m_comments[i];
        m.aiKind = verdict.kind;
        m.aiProb = verdict.prob;
        touched = true;
        const AIRules::Placement &placed = place(m);
        ++out.reused;
        if (placed.flagged) {
            ++out.found;
            if (!placed.checked)
                ++out.unsure;
        }
    }
    if (touched)
        emit commentsChanged();
    return out;
}

std::optional<AIRules::Placement> PostReview::applyAI(qsizetype index)
{
    const std::optional<AIRules::Placement> placement = placeAt(index);
    if (placement)
        emit commentsChanged();
    return placement;
}

std::optional<AIRules::Placement> PostReview::placeAt(qsizetype index)
{
    if (index < 0 || index >= m_comments.size())
        return std::nullopt;
    Comment &c = m_comments[index];
    if (!c.aiKind || !c.aiProb)
        return std::nullopt;
    return place(c);
}

const AIRules::Placement &PostReview::place(Comment &c)
{
    const AIRules::Placement &placed = placement(*c.aiProb, *c.aiKind);
    c.setVerdict(placed.flagged ? Comment::Verdict::spam : Comment::Verdict::ok);
    c.checked = placed.checked;
    c.reason = placed.reason;
    c.score = 0;
    return placed;
}

const AIRules::Placement &PostReview::placement(double prob, const QString &kind)
{
    // The threshold and the language are fixed for the run, so a placement depends only on the
    // kind, the whole percent and whether the kind is named below the threshold.
    const double scaled = std::round(prob * 100.0);
    if (!std::isfinite(scaled) || std::abs(scaled) > 1000) {
        m_outOfRange = SpamRules::place(prob, kind, m_settings.threshold());
        return m_outOfRange;
    }
    const int slot = int(scaled) * 2 + (prob >= 0.1 ? 1 : 0);
    // The answer's own kinds over 0 to 100 percent, in a table; anything else by its key.
    const QStringList &kinds = AIRules::kinds();
    const qsizetype kindIndex = kinds.indexOf(kind);
    if (kindIndex >= 0 && slot >= 0 && slot < kSlots) {
        if (m_placed.empty())
            m_placed.resize(size_t(kinds.size() * kSlots));
        std::optional<AIRules::Placement> &made = m_placed[size_t(kindIndex * kSlots + slot)];
        if (!made)
            made = SpamRules::place(prob, kind, m_settings.threshold());
        return *made;
    }
    const std::pair<QString, int> key{kind, slot};
    auto found = m_placements.constFind(key);
    if (found == m_placements.constEnd())
        found = m_placements.insert(key, SpamRules::place(prob, kind, m_settings.threshold()));
    return found.value();
}

QString PostReview::flagRepeatOffenders(const QString &site)
{
    // Authors are the same person when their ids are equal; a display name can be shared or
    // passed on, so it decides only for a comment the page gave no id.
    const auto idOf = [](const Comment &c) { return c.authorId ? c.authorId->trimmed() : QString(); };
    // The owner on this page, by id and by name: a reply that lost its owner badge is still the
    // owner's. Someone else under the owner's name is not the owner when both have ids.
    QSet<QString> ownerIds;
    QSet<QString> ownerNames;
    for (const Comment &c : std::as_const(m_comments)) {
        if (!c.isOwner)
            continue;
        if (const QString id = idOf(c); !id.isEmpty())
            ownerIds.insert(id);
        if (!c.authorName.trimmed().isEmpty())
            ownerNames.insert(c.authorName);
    }
    const auto owners = [&](const Comment &c, const QString &id) {
        if (c.isOwner || (!id.isEmpty() && ownerIds.contains(id)))
            return true;
        return ownerNames.contains(c.authorName) && (id.isEmpty() || ownerIds.isEmpty());
    };
    const auto candidate = [&](const Comment &c, const QString &id) {
        return c.verdict() == Comment::Verdict::ok && !owners(c, id)
            && (!id.isEmpty() || !c.authorName.trimmed().isEmpty());
    };
    QSet<QString> ids;
    QSet<QString> namesWithId;      // matched against deletions stored without an id
    QSet<QString> namesWithoutId;   // matched against every deletion under the name
    for (const Comment &c : std::as_const(m_comments)) {
        const QString id = idOf(c);
        if (!candidate(c, id))
            continue;
        const bool named = !c.authorName.trimmed().isEmpty();
        if (id.isEmpty()) {
            namesWithoutId.insert(c.authorName);
        } else {
            ids.insert(id);
            if (named)
                namesWithId.insert(c.authorName);
        }
    }
    if (ids.isEmpty() && namesWithId.isEmpty() && namesWithoutId.isEmpty())
        return {};
    const auto list = [](const QSet<QString> &set) { return QStringList(set.cbegin(), set.cend()); };
    const QHash<QString, int> byId = ids.isEmpty() ? QHash<QString, int>() : m_store.offenderIds(site, list(ids));
    const QHash<QString, int> byOldName = namesWithId.isEmpty() ? QHash<QString, int>()
                                                                : m_store.offenders(site, list(namesWithId), true);
    const QHash<QString, int> byName = namesWithoutId.isEmpty() ? QHash<QString, int>()
                                                                : m_store.offenders(site, list(namesWithoutId));
    if (byId.isEmpty() && byOldName.isEmpty() && byName.isEmpty())
        return {};
    int flagged = 0;
    for (Comment &c : m_comments) {
        const QString id = idOf(c);
        if (!candidate(c, id))
            continue;
        const int deleted = id.isEmpty() ? byName.value(c.authorName, 0)
                                         : byId.value(id, 0) + byOldName.value(c.authorName, 0);
        if (deleted < 1)
            continue;
        c.setVerdict(Comment::Verdict::spam);
        c.checked = true;
        c.reason = QStringLiteral("repeat:") + QString::number(deleted);
        c.score = 1.0;
        c.knownSpammer = true;
        ++flagged;
    }
    if (flagged == 0)
        return {};
    emit commentsChanged();
    return repeatNote(flagged);
}

QString PostReview::repeatNote(int flagged)
{
    if (flagged <= 0)
        return {};
    return tr(" %1 by authors you deleted before were flagged.").arg(flagged);
}

int PostReview::skipCleared(QList<Comment> &comments, const QHash<QString, ScanStore::Known> &known,
                            const QString &rules, const std::optional<QString> &aiOptions, const TextHashes &hashes)
{
    if (known.isEmpty())
        return 0;
    static const QString unchanged = QStringLiteral("unchanged");
    static const QString keptReason = QStringLiteral("kept");
    int marked = 0;
    for (Comment &m : comments) {
        if (m.verdict() == Comment::Verdict::skip)
            continue;
        const auto found = known.constFind(m.id);
        if (found == known.constEnd())
            continue;
        const ScanStore::Known &k = found.value();
        if (k.hash != hashes.of(m.id, m.text))
            continue;
        QString reason;
        if (k.kept) {
            reason = keptReason;
        } else {
            if (m.verdict() != Comment::Verdict::ok)
                continue;
            const Comment::Verdict before = k.state ? Comment::verdictOf(*k.state) : Comment::Verdict::other;
            const bool clearedBefore = before == Comment::Verdict::ok
                || (before == Comment::Verdict::skip && k.reason
                    && (*k.reason == unchanged || *k.reason == keptReason));
            if (!clearedBefore)
                continue;
            if (!k.rules || *k.rules != rules)
                continue;
            if (aiOptions && (!k.score || !k.options || *k.options != *aiOptions))
                continue;
            reason = unchanged;
        }
        m.setVerdict(Comment::Verdict::skip);
        m.reason = reason;
        m.score = 1.0;
        m.checked = false;
        m.aiKind.reset();
        m.aiProb.reset();
        ++marked;
    }
    return marked;
}


void PostReview::selectReviewed(const QStringList &ids)
{
    const BrowserError stale(tr("Please review this page's scan results again."));
    if (!m_current || !m_current())
        throw stale;
    QSet<QString> spamIds;
    for (const Comment &c : std::as_const(m_comments)) {
        if (c.verdict() == Comment::Verdict::spam)
            spamIds.insert(c.id);
    }
    for (const QString &id : ids) {
        if (!spamIds.contains(id))
            throw stale;
    }
    const QSet<QString> chosen(ids.cbegin(), ids.cend());
    QList<Comment> next = m_comments;
    bool changed = false;
    for (Comment &c : next) {
        if (c.verdict() != Comment::Verdict::spam)
            continue;
        const bool tick = chosen.contains(c.id);
        changed = changed || c.checked != tick;
        c.checked = tick;
    }
    if (changed)
        setComments(next);
}
