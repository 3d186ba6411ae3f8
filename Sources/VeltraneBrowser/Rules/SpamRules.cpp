#include "Rules/SpamRules.h"


#include <QChar>
#include <QCryptographicHash>
#include <QSet>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Cyrillic and Greek lower-case letters that pass for Latin ones.
char32_t lookalike(char32_t c)
{
    switch (c) {
    case 0x0430:
        return U'a';
    case 0x0432:
        return U'b';
    case 0x0435:
        return U'e';
    case 0x043A:
        return U'k';
    case 0x043C:
        return U'm';
    case 0x043D:
        return U'h';
    case 0x043E:
        return U'o';
    case 0x0440:
        return U'p';
    case 0x0441:
        return U'c';
    case 0x0442:
        return U't';
    case 0x0443:
        return U'y';
    case 0x0445:
        return U'x';
    case 0x0456:
        return U'i';
    case 0x0458:
        return U'j';
    case 0x0455:
        return U's';
    case 0x03B1:
        return U'a';
    case 0x03BF:
        return U'o';
    case 0x03C1:
        return U'p';
    case 0x03C4:
        return U't';
    case 0x03B9:
        return U'i';
    default:
        return c;
    }
}

bool kept(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Number_DecimalDigit:
    case QChar::Number_Letter:
    case QChar::Number_Other:
        return true;
    default:
        return false;
    }
}

// Hangul fillers are letters that show as blank space: typed between syllables they only hide
// a word. NFKC has already turned the compatibility and half-width fillers into U+1160.
bool isHangulFiller(char32_t c)
{
    return c == 0x115F || c == 0x1160;
}

// The reference path: full NFKC and lower-casing through Qt, then the filter.
void compactSlow(QStringView text, std::u32string &out)
{
    const QString folded = text.toString().normalized(QString::NormalizationForm_KC).toLower();
    const qsizetype n = folded.size();
    const QChar *d = folded.constData();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = d[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n && d[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(d[i].unicode(), d[i + 1].unicode());
            ++i;
        }
        if (c >= 0x1F150 && c <= 0x1F169)   // negative circled capital letters
            out.push_back(U'a' + (c - 0x1F150));
        else if (c >= 0x1F170 && c <= 0x1F189)   // negative squared capital letters
            out.push_back(U'a' + (c - 0x1F170));
        else if (kept(c) && !isHangulFiller(c))
            out.push_back(lookalike(c));
    }
}

// Compatibility jamo (U+3131..U+3163) as NFKC maps them, taken from Qt once.
const std::array<char32_t, 0x33> &compatJamo()
{
    static const std::array<char32_t, 0x33> table = [] {
        std::array<char32_t, 0x33> t{};
        for (char16_t c = 0x3131; c <= 0x3163; ++c) {
            const QString n = QString(QChar(c)).normalized(QString::NormalizationForm_KC);
            t[c - 0x3131] = n.size() == 1 ? n.at(0).unicode() : 0;
        }
        return t;
    }();
    return table;
}

bool isLeadJamo(char32_t c)
{
    return c >= 0x1100 && c <= 0x1112;
}
bool isVowelJamo(char32_t c)
{
    return c >= 0x1161 && c <= 0x1175;
}

// Characters that NFKC leaves alone, that compose with nothing and that the filter drops:
// common punctuation of comments, joiners and variation selectors.
bool inert(char16_t c)
{
    switch (c) {
    case 0x00B7:
    case 0x2018:
    case 0x2019:
    case 0x201C:
    case 0x201D:
    case 0x2022:
    case 0x200B:
    case 0x200D:
    case 0xFE0F:
    case 0x3001:
    case 0x3002:
    case 0x300C:
    case 0x300D:
        return true;
    default:
        // The dingbat circled digits U+2776..U+2793 are numbers (No) and are kept.
        return (c >= 0x2190 && c <= 0x21FF) || (c >= 0x2600 && c <= 0x2775) || (c >= 0x2794 && c <= 0x27BF);
    }
}

// Emoji and pictographs of the supplementary planes that NFKC leaves alone.
bool inertPictograph(char32_t c)
{
    return c >= 0x1F300 && c <= 0x1FAFF;
}

// Most comments are ASCII, Hangul syllables, compatibility jamo such as 'ㅋㅋ' and emoji. For
// those NFKC and lower-casing are simple enough to do inline; anything else goes the full way.
// Returns false (leaving out unchanged) when the text needs the full path.
bool compactFast(QStringView text, std::u32string &out)
{
    // Each character writes at most one scalar: written in place, without a call per scalar.
    const size_t mark = out.size();
    const qsizetype n = text.size();
    out.resize(mark + size_t(n));
    char32_t *w = out.data() + mark;
    char32_t *const first = w;
    bool prevLead = false;   // the previous input character became a leading consonant
    const QChar *d = text.data();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = d[i].unicode();
        if (c < 0x80) {
            prevLead = false;
            if (c >= 'A' && c <= 'Z')
                *w++ = c + 32;
            else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
                *w++ = c;
            continue;
        }
        if (c >= 0xAC00 && c <= 0xD7A3) {
            prevLead = false;
            *w++ = c;
            continue;
        }
        if (c >= 0x3131 && c <= 0x3163) {
            const char32_t j = compatJamo()[c - 0x3131];
            if (isLeadJamo(j)) {
                *w++ = j;
                prevLead = true;
                continue;
            }
            if (isVowelJamo(j)) {
                if (prevLead) {
                    const char32_t lead = w[-1];
                    w[-1] = 0xAC00 + ((lead - 0x1100) * 21 + (j - 0x1161)) * 28;
                } else {
                    *w++ = j;
                }
                prevLead = false;
                continue;
            }
            out.resize(mark);
            return false;
        }
        if (inert(c)) {
            prevLead = false;
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && d[i + 1].isLowSurrogate()
            && inertPictograph(QChar::surrogateToUcs4(c, d[i + 1].unicode()))) {
            prevLead = false;
            ++i;
            continue;
        }
        out.resize(mark);
        return false;
    }
    out.resize(mark + size_t(w - first));
    return true;
}

// Sort order of keywords: the scalars of the canonically composed form.
std::u32string scalarOrder(const QString &word)
{
    const QList<uint> scalars = word.normalized(QString::NormalizationForm_C).toUcs4();
    return std::u32string(scalars.begin(), scalars.end());
}

// Splits a typed keyword text at commas, line feeds and carriage return + line feed pairs.
QStringList keywordPieces(const QString &input)
{
    QStringList pieces;
    QString piece;
    const qsizetype n = input.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = input.at(i);
        const bool crlf = c == u'\r' && i + 1 < n && input.at(i + 1) == u'\n';
        if (c == u',' || c == u'\n' || crlf) {
            if (crlf)
                ++i;
            if (!piece.isEmpty())
                pieces.append(piece);
            piece.clear();
        } else {
            piece.append(c);
        }
    }
    if (!piece.isEmpty())
        pieces.append(piece);
    return pieces;
}

// Trims spaces (category Zs) and horizontal tabs, never line breaks.
QString trimSpaces(const QString &s)
{
    auto blank = [](QChar c) { return c == u'\t' || c.category() == QChar::Separator_Space; };
    qsizetype b = 0, e = s.size();
    while (b < e && blank(s.at(b)))
        ++b;
    while (e > b && blank(s.at(e - 1)))
        --e;
    return s.mid(b, e - b);
}

}   // namespace

void SpamRules::compactInto(QStringView text, std::u32string &out)
{
    if (text.isEmpty())
        return;
    if (!compactFast(text, out))
        compactSlow(text, out);
}

QString SpamRules::compact(QStringView text)
{
    std::u32string scalars;
    scalars.reserve(size_t(text.size()));
    compactInto(text, scalars);
    return QString::fromUcs4(scalars.data(), qsizetype(scalars.size()));
}

qsizetype SpamRules::graphemes(QStringView text)
{
    if (text.isEmpty())
        return 0;
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x80 || c == u'\r') {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return text.size();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    qsizetype count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

qsizetype SpamRules::letters(const std::u32string &compacted)
{
    // Conjoining jamo join into one grapheme cluster ('ㅅㅂ' is one), yet each is a letter the
    // owner typed: count each of them, and a cluster's other scalars as one more letter.
    const QString text = QString::fromUcs4(compacted.data(), qsizetype(compacted.size()));
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    qsizetype count = 0;
    qsizetype from = 0;
    for (qsizetype to = finder.toNextBoundary(); to > 0; to = finder.toNextBoundary()) {
        qsizetype jamo = 0;
        bool other = false;
        for (qsizetype i = from; i < to; ++i) {
            const char16_t c = text.at(i).unicode();
            if (c >= 0x1100 && c <= 0x11FF)
                ++jamo;
            else if (!QChar::isLowSurrogate(c))
                other = true;
        }
        count += std::max<qsizetype>(1, jamo + (other ? 1 : 0));
        from = to;
    }
    return count;
}

SpamRules::Keywords::Keywords(const QStringList &words)
{
    for (const QString &word : words) {
        std::u32string key;
        compactInto(word, key);
        if (key.empty())
            continue;
        if (letters(key) < 2)
            continue;
        m_byFirst[key.front()].push_back(int(m_keys.size()));
        m_keys.push_back(std::move(key));
        m_words.append(word);
    }
}

std::optional<QString> SpamRules::Keywords::matchCompact(const std::u32string &t) const
{
    if (m_keys.empty())
        return std::nullopt;
    int best = int(m_keys.size());
    const size_t n = t.size();
    for (size_t i = 0; i < n && best > 0; ++i) {
        const auto found = m_byFirst.find(t[i]);
        if (found == m_byFirst.end())
            continue;
        for (int index : found->second) {
            if (index >= best)
                break;   // indexes are ascending: nothing earlier in the list is left here
            const std::u32string &k = m_keys[size_t(index)];
            if (k.size() <= n - i && t.compare(i, k.size(), k) == 0) {
                best = index;
                break;
            }
        }
    }
    if (best == int(m_keys.size()))
        return std::nullopt;
    return m_words.at(best);
}

std::optional<QString> SpamRules::Keywords::match(QStringView text) const
{
    if (m_keys.empty())
        return std::nullopt;
    std::u32string t;
    t.reserve(size_t(text.size()));
    compactInto(text, t);
    return matchCompact(t);
}

std::optional<QString> SpamRules::matchedWord(QStringView text, const QStringList &words)
{
    if (words.isEmpty())
        return std::nullopt;
    // A rules pass asks with the same list for every comment: keep the last list prepared.
    thread_local QStringList lastWords;
    thread_local Keywords lastPrepared;
    if (words != lastWords) {
        lastPrepared = Keywords(words);
        lastWords = words;
    }
    return lastPrepared.match(text);
}

std::optional<BuiltinWords::Hit> SpamRules::builtinHit(QStringView reason)
{
    static const QString prefix = QStringLiteral("dict:");
    if (!reason.startsWith(prefix))
        return std::nullopt;
    QStringView rest = reason.mid(prefix.size());
    while (rest.startsWith(u':'))
        rest = rest.mid(1);
    if (rest.isEmpty())
        return std::nullopt;
    const qsizetype colon = rest.indexOf(u':');
    if (colon < 0)
        return std::nullopt;
    const QStringView kind = rest.left(colon);
    const QStringView word = rest.mid(colon + 1);
    if (word.isEmpty())
        return std::nullopt;
    return BuiltinWords::Hit{kind.toString(), word.toString()};
}

QList<SpamRules::Range> SpamRules::ranges(const QStringList &words, QStringView text)
{
    QList<Range> found;
    if (text.isEmpty() || words.isEmpty())
        return found;

    std::u32string s;
    std::vector<qsizetype> starts, ends;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    qsizetype from = 0;
    std::u32string piece;
    for (qsizetype to = finder.toNextBoundary(); to > 0; to = finder.toNextBoundary()) {
        piece.clear();
        compactInto(text.mid(from, to - from), piece);
        for (char32_t c : piece) {
            s.push_back(c);
            starts.push_back(from);
            ends.push_back(to);
        }
        from = to;
    }

    for (const QString &word : words) {
        std::u32string w;
        compactInto(word, w);
        if (w.size() < 2 || w.size() > s.size())
            continue;
        size_t i = 0;
        while (i + w.size() <= s.size()) {
            if (s.compare(i, w.size(), w) == 0) {
                found.append(Range{starts[i], ends[i + w.size() - 1]});
                i += w.size();
            } else {
                ++i;
            }
        }
    }
    return found;
}

QStringList SpamRules::addKeywords(const QStringList &current, const QString &input)
{
    QStringList candidates = current;
    for (const QString &piece : keywordPieces(input)) {
        const QString word = trimSpaces(piece);
        if (graphemes(word) >= 2)
            candidates.append(word);
    }

    // Equal under canonical equivalence counts as the same keyword; order by the scalars of
    // the composed form.
    struct Item {
        QString word;
        std::u32string order;
    };
    std::vector<Item> items;
    QSet<QString> seen;
    for (const QString &word : std::as_const(candidates)) {
        std::u32string order = scalarOrder(word);
        const QString composed = QString::fromUcs4(order.data(), qsizetype(order.size()));
        if (seen.contains(composed))
            continue;
        seen.insert(composed);
        items.push_back(Item{word, std::move(order)});
    }
    std::stable_sort(items.begin(), items.end(), [](const Item &a, const Item &b) { return a.order < b.order; });
    QStringList result;
    result.reserve(qsizetype(items.size()));
    for (const Item &item : items)
        result.append(item.word);
    return result;
}

QStringList SpamRules::removeKeyword(const QStringList &current, const QString &word)
{
    // Equal as addKeywords counts equal: the same text under canonical equivalence, so a
    // keyword typed decomposed is removed by its composed form and the other way round.
    const QString target = word.normalized(QString::NormalizationForm_C);
    QStringList result;
    result.reserve(current.size());
    for (const QString &element : current) {
        if (element != word && element.normalized(QString::NormalizationForm_C) != target)
            result.append(element);
    }
    return result;
}

QString SpamRules::rulesKey(const QStringList &keywords, bool noLikesOnly, qint64 minLikes)
{
    std::vector<std::pair<std::u32string, QString>> lowered;
    lowered.reserve(size_t(keywords.size()));
    for (const QString &word : keywords) {
        const QString lower = word.toLower();
        lowered.emplace_back(scalarOrder(lower), lower);
    }
    std::stable_sort(lowered.begin(), lowered.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList parts;
    parts.reserve(qsizetype(lowered.size()));
    for (const auto &item : lowered)
        parts.append(item.second);
    const qint64 likes = noLikesOnly ? std::max<qint64>(minLikes, 1) : 0;
    // The same SHA-256 hex as the store's text hash, so stored keys compare as before.
    const QString key = parts.join(u'\n') + QStringLiteral("\n|likes=") + QString::number(likes);
    return QString::fromLatin1(QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex());
}

AIRules::Placement SpamRules::place(double prob, const QString &kind, int threshold)
{
    // Rounded half away from zero, before the comparison. A value that is not a number
    // places as 0 rather than as an undefined integer.
    const double scaled = std::round(prob * 100.0);
    const qint64 pct = std::isfinite(scaled) ? qint64(std::clamp(scaled, -1e15, 1e15)) : 0;
    const QMap<QString, QString> labels = AIRules::labels();
    const QString label = labels.value(kind, kind);
    const QString number = QString::number(pct);
    AIRules::Placement placement;
    if (threshold > pct) {
        placement.reason = tr("AI: OK · %1% likely a problem").arg(number);
        if (prob >= 0.1)
            placement.reason += QStringLiteral(" (") + label + u')';
    } else {
        placement.flagged = true;
        placement.checked = true;
        placement.reason = tr("AI: %1 %2%", "a category and its probability").arg(label, number);
    }
    return placement;
}
