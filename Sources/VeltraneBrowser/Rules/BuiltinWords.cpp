#include "Rules/BuiltinWords.h"

#include "Rules/SpamRules.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

namespace {

constexpr char32_t kStartsLimit = 0xD7A4;

inline bool isWhiteSpace(char32_t c)
{
    // The Unicode White_Space property; letters of ASCII and Hangul first, the common case.
    if ((c > 0x20 && c < 0x85) || (c > 0x3000 && c <= 0xD7A3))
        return false;
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680
        || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

bool isLineBreak(char16_t c)
{
    return c == 0x0A || c == 0x0B || c == 0x0C || c == 0x0D || c == 0x85 || c == 0x2028 || c == 0x2029;
}

bool isLineBlank(QChar c)
{
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

bool allAscii(const BuiltinWords::Key &key)
{
    return std::all_of(key.begin(), key.end(), [](char32_t c) { return c < 0x80; });
}

// Latin letters with accents, after compaction (lower case), as their plain ASCII letter.
constexpr char32_t kLatinFrom = 0xC0;
constexpr char32_t kLatinTo = 0x250;

const std::array<char32_t, kLatinTo - kLatinFrom> &latinBases()
{
    static const auto table = [] {
        std::array<char32_t, kLatinTo - kLatinFrom> t{};
        for (char32_t c = kLatinFrom; c < kLatinTo; ++c) {
            const QString d = QString(QChar(char16_t(c))).normalized(QString::NormalizationForm_D);
            const char16_t base = d.isEmpty() ? 0 : d.at(0).unicode();
            t[c - kLatinFrom] = (base >= 'a' && base <= 'z') ? base : c;
        }
        t[0xF8 - kLatinFrom] = U'o';    // ø
        t[0x111 - kLatinFrom] = U'd';   // đ
        t[0x131 - kLatinFrom] = U'i';   // dotless i
        t[0x142 - kLatinFrom] = U'l';   // ł
        return t;
    }();
    return table;
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// '$' and '@' standing for letters inside a Latin word ('a$$hole', '@ss'), spelled out before
// compaction drops them as symbols. A null string when the text has none.
QString spelledOut(QStringView text)
{
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return c == u'$' || c == u'@'; }))
        return {};
    QString out;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        if (text[i] != u'$' && text[i] != u'@') {
            ++i;
            continue;
        }
        qsizetype e = i;
        while (e < n && (text[e] == u'$' || text[e] == u'@'))
            ++e;
        if ((i > 0 && isAsciiLetter(text[i - 1])) || (e < n && isAsciiLetter(text[e]))) {
            if (out.isNull())
                out = text.toString();
            for (qsizetype j = i; j < e; ++j)
                out[j] = text[j] == u'$' ? u's' : u'a';
        }
        i = e;
    }
    return out;
}

// Words that take the contractions 'd, 'll, 're and 've ("you'd", "who're", "we've").
bool takesContraction(QStringView word)
{
    static const QStringList words{QStringLiteral("i"),     QStringLiteral("you"),    QStringLiteral("u"),
                                   QStringLiteral("he"),    QStringLiteral("she"),    QStringLiteral("it"),
                                   QStringLiteral("we"),    QStringLiteral("they"),   QStringLiteral("who"),
                                   QStringLiteral("what"),  QStringLiteral("that"),   QStringLiteral("there"),
                                   QStringLiteral("here"),  QStringLiteral("where"),  QStringLiteral("when"),
                                   QStringLiteral("why"),   QStringLiteral("how"),    QStringLiteral("this"),
                                   QStringLiteral("these"), QStringLiteral("those"),  QStringLiteral("would"),
                                   QStringLiteral("could"), QStringLiteral("should"), QStringLiteral("might"),
                                   QStringLiteral("must"),  QStringLiteral("ya"),     QStringLiteral("y")};
    for (const QString &w : words) {
        if (word.compare(w, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// An English contraction at the end of a Latin word ("who're", "Dick's") is not part of it:
// without the apostrophe it would spell another word. An apostrophe where no contraction can
// stand ("shi't", "retar'd") only hides the word.
void trimContraction(QStringView text, BuiltinWords::Key &k)
{
    qsizetype a = -1;
    for (qsizetype i = text.size() - 1; i > 0 && text.size() - i <= 4; --i) {
        if (text[i] == u'\'' || text[i] == QChar(0x2019)) {
            a = i;
            break;
        }
    }
    if (a <= 0 || !isAsciiLetter(text[a - 1]))
        return;
    const QString tail = text.mid(a + 1).toString().toLower();
    static const QStringList suffixes{QStringLiteral("s"),  QStringLiteral("re"), QStringLiteral("ll"),
                                      QStringLiteral("ve"), QStringLiteral("d"),  QStringLiteral("m"),
                                      QStringLiteral("t")};
    if (!suffixes.contains(tail) || k.size() <= size_t(tail.size()))
        return;
    if (tail == u't' && text[a - 1].toLower() != u'n')
        return;   // only "n't"
    if (tail == u'm' && (a != 1 || text[0].toLower() != u'i'))
        return;   // only "I'm"
    if (tail != u's' && tail != u't' && tail != u'm') {
        qsizetype b = a;
        while (b > 0 && isAsciiLetter(text[b - 1]))
            --b;
        if (!takesContraction(text.mid(b, a - b)))
            return;
    }
    for (qsizetype j = 0; j < tail.size(); ++j) {
        if (k[k.size() - size_t(tail.size()) + size_t(j)] != char32_t(tail.at(j).unicode()))
            return;
    }
    k.resize(k.size() - size_t(tail.size()));
}

// Digits written for the letters they look like ('sh1tty', 'b00bs').
char32_t leet(char32_t c)
{
    switch (c) {
    case U'0':
        return U'o';
    case U'1':
        return U'i';
    case U'3':
        return U'e';
    case U'4':
        return U'a';
    case U'5':
        return U's';
    case U'7':
        return U't';
    default:
        return c;
    }
}

// A letter typed three or more times in a row, cut to `keep` ('fuuuuuck'). Doubled letters are
// left alone: English spells with them ('Shiite' is not 'shite').
constexpr size_t kStretch = 3;

bool isStretched(const BuiltinWords::Key &token)
{
    size_t run = 0;
    for (size_t i = 0; i < token.size(); ++i) {
        run = (i > 0 && token[i] == token[i - 1]) ? run + 1 : 1;
        if (run >= kStretch)
            return true;
    }
    return false;
}

BuiltinWords::Key squeezed(const BuiltinWords::Key &token, size_t keep)
{
    BuiltinWords::Key out;
    out.reserve(token.size());
    size_t start = 0;
    for (size_t i = 1; i <= token.size(); ++i) {
        if (i < token.size() && token[i] == token[start])
            continue;
        const size_t run = i - start;
        out.append(run >= kStretch ? keep : run, token[start]);
        start = i;
    }
    return out;
}

bool isSyllable(char32_t c)
{
    return c >= 0xAC00 && c <= 0xD7A3;
}

// Characters that hold a word together inside a piece glued by punctuation: ASCII letters,
// digits and the apostrophe, dollar and at that stand inside words, by table...
constexpr auto kAsciiJoins = [] {
    std::array<bool, 0x80> t{};
    for (char16_t u = 0; u < 0x80; ++u)
        t[u] = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '\'' || u == '$'
            || u == '@';
    return t;
}();

// ...and beyond ASCII, letters, numbers and marks.
bool joinsWord(QChar c)
{
    const char16_t u = c.unicode();
    if (isSyllable(u) || (u >= 0x3131 && u <= 0x318E) || (u >= 0x1100 && u <= 0x11FF))
        return true;   // Hangul letters, without the Unicode tables
    return c.isLetterOrNumber() || c.isMark() || u == 0x2019 || c.isSurrogate();
}

// Hangul letters typed one by one ('ㅂㅕㅇㅅㅣㄴ') composed the way a two-set Korean keyboard
// composes them: a leading consonant takes a vowel, the vowel may take a second one, and a
// consonant after it closes the syllable unless a vowel follows; a second final consonant joins
// the first where Hangul has that pair. Only syllables built from typed letters take final
// consonants: a syllable typed whole stays as it is ('좋아ㅋㅋ'), and letters that never meet a
// vowel stay letters ('ㅋㅋ', 'ㄱㅅ', 'ㅠㅠ').

// Index 0..18 of a leading consonant, or -1.
int leadOf(char32_t c)
{
    return c >= 0x1100 && c <= 0x1112 ? int(c - 0x1100) : -1;
}
// Index 0..20 of a vowel, or -1.
int vowelOf(char32_t c)
{
    return c >= 0x1161 && c <= 0x1175 ? int(c - 0x1161) : -1;
}
// Index 1..27 of a final consonant, or -1.
int tailOf(char32_t c)
{
    return c >= 0x11A8 && c <= 0x11C2 ? int(c - 0x11A7) : -1;
}

// The final form of a leading consonant (0 where there is none: ㄸ ㅃ ㅉ).
int leadToTail(int lead)
{
    static constexpr int table[19] = {1, 2, 4, 7, 0, 8, 16, 17, 0, 19, 20, 21, 22, 0, 23, 24, 25, 26, 27};
    return table[lead];
}

// Two final consonants that make one, or 0.
int tailPair(int first, int second)
{
    switch (first * 32 + second) {
    case 1 * 32 + 19:
        return 3;   // ㄱㅅ
    case 4 * 32 + 22:
        return 5;   // ㄴㅈ
    case 4 * 32 + 27:
        return 6;   // ㄴㅎ
    case 8 * 32 + 1:
        return 9;   // ㄹㄱ
    case 8 * 32 + 16:
        return 10;   // ㄹㅁ
    case 8 * 32 + 17:
        return 11;   // ㄹㅂ
    case 8 * 32 + 19:
        return 12;   // ㄹㅅ
    case 8 * 32 + 25:
        return 13;   // ㄹㅌ
    case 8 * 32 + 26:
        return 14;   // ㄹㅍ
    case 8 * 32 + 27:
        return 15;   // ㄹㅎ
    case 17 * 32 + 19:
        return 18;   // ㅂㅅ
    default:
        return 0;
    }
}

// Two vowels that make one, or -1.
int vowelPair(int first, int second)
{
    switch (first * 32 + second) {
    case 8 * 32 + 0:
        return 9;   // ㅗㅏ
    case 8 * 32 + 1:
        return 10;   // ㅗㅐ
    case 8 * 32 + 20:
        return 11;   // ㅗㅣ
    case 13 * 32 + 4:
        return 14;   // ㅜㅓ
    case 13 * 32 + 5:
        return 15;   // ㅜㅔ
    case 13 * 32 + 20:
        return 16;   // ㅜㅣ
    case 18 * 32 + 20:
        return 19;   // ㅡㅣ
    default:
        return -1;
    }
}

char32_t syllable(int lead, int vowel, int tail)
{
    return char32_t(0xAC00 + (lead * 21 + vowel) * 28 + tail);
}


// Compatibility jamo (U+3131..U+3163) as the conjoining jamo NFKC makes of them.
char32_t conjoining(char32_t c)
{
    static const std::array<char32_t, 0x33> table = [] {
        std::array<char32_t, 0x33> t{};
        for (char16_t j = 0x3131; j <= 0x3163; ++j) {
            const QString n = QString(QChar(j)).normalized(QString::NormalizationForm_KC);
            t[j - 0x3131] = n.size() == 1 ? n.at(0).unicode() : 0;
        }
        return t;
    }();
    if (c == 0x3144)
        return 0x11B9;   // ㅄ: NFKC makes an old leading consonant of it, typed it is a final
    if (c >= 0x3131 && c <= 0x3163)
        return table[c - 0x3131] ? table[c - 0x3131] : c;
    return c;
}

bool isVowelLetter(char32_t c)
{
    return (c >= 0x314F && c <= 0x3163) || vowelOf(c) >= 0;
}

// One letter to compose: its conjoining form, the scalar to write when it stays alone, and
// whether compaction drops it anyway (then it neither breaks nor joins a syllable).
struct Letter {
    char32_t jamo;
    char32_t written;
    bool dropped;
};

// Composes the letters in order; `out` receives the written scalars. Returns whether any
// syllable was built.
bool composeLetters(const std::vector<Letter> &in, std::u32string &out)
{
    // A scalar a letter at most: written in place, without a call per scalar.
    const size_t mark = out.size();
    out.resize(mark + in.size());
    char32_t *w = out.data() + mark;
    bool built = false;
    int lead = -1, vowel = -1, tail = 0;
    char32_t leadWritten = 0;
    auto flush = [&] {
        if (lead >= 0 && vowel >= 0) {
            *w++ = syllable(lead, vowel, tail);
            built = true;
        } else if (lead >= 0) {
            *w++ = leadWritten;
        }
        lead = -1;
        vowel = -1;
        tail = 0;
    };
    auto vowelNext = [&](size_t i) {
        for (size_t j = i + 1; j < in.size(); ++j) {
            if (!in[j].dropped)
                return vowelOf(in[j].jamo) >= 0;
        }
        return false;
    };
    for (size_t i = 0; i < in.size(); ++i) {
        const Letter &l = in[i];
        if (l.dropped) {
            if (lead < 0)
                *w++ = l.written;
            continue;
        }
        const bool open = lead >= 0 && vowel >= 0;
        if (const int c = leadOf(l.jamo); c >= 0) {
            if (open && tail == 0 && leadToTail(c) && !vowelNext(i)) {
                tail = leadToTail(c);
                continue;
            }
            if (open && tail > 0 && leadToTail(c) && tailPair(tail, leadToTail(c)) && !vowelNext(i)) {
                tail = tailPair(tail, leadToTail(c));
                continue;
            }
            flush();
            lead = c;
            leadWritten = l.written;
            continue;
        }
        if (const int v = vowelOf(l.jamo); v >= 0) {
            if (lead >= 0 && vowel < 0) {
                vowel = v;
                continue;
            }
            if (open && tail == 0 && vowelPair(vowel, v) >= 0) {
                vowel = vowelPair(vowel, v);
                continue;
            }
            flush();
            *w++ = l.written;
            continue;
        }
        if (const int t = tailOf(l.jamo); t >= 0 && open && tail == 0) {
            tail = t;
            continue;
        }
        flush();
        *w++ = l.written;
    }
    flush();
    out.resize(size_t(w - out.data()));
    return built;
}

bool droppedByCompaction(char32_t c)
{
    if (c == 0x3164 || c == 0x115F || c == 0x1160 || c == 0xFFA0)
        return true;   // Hangul fillers
    // Letters of Hangul and ASCII, the common case, without the Unicode tables.
    if ((c >= 0x3131 && c <= 0x318E) || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0x1100 && c <= 0x11FF))
        return false;
    if (c < 0x80)
        return !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'));
    return !QChar::isLetterOrNumber(c);
}

// The scalars as UTF-16, as QString::fromUcs4 makes them, without its general decoder in the
// common case.
QString fromScalars(const std::u32string &scalars)
{
    qsizetype length = 0;
    for (char32_t c : scalars) {
        if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
            return QString::fromUcs4(scalars.data(), qsizetype(scalars.size()));
        length += c >= 0x10000 ? 2 : 1;
    }
    QString out(length, Qt::Uninitialized);
    QChar *d = out.data();
    for (char32_t c : scalars) {
        if (c >= 0x10000) {
            *d++ = QChar(QChar::highSurrogate(c));
            *d++ = QChar(QChar::lowSurrogate(c));
        } else {
            *d++ = QChar(char16_t(c));
        }
    }
    return out;
}

// A piece of text with its typed Hangul letters composed, or a null string when it has none
// that compose (no vowel letter).
QString composedLetters(QStringView text)
{
    // Nothing composes unless a vowel letter follows a consonant letter, with at most
    // characters that compaction drops between them.
    bool afterConsonant = false;
    bool composes = false;
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x1100) {
            // Below the Hangul letters: only whether it ends a consonant's reach.
            if (afterConsonant && (c < 0x80 ? isAsciiLetter(ch) || (c >= '0' && c <= '9') : !droppedByCompaction(c)))
                afterConsonant = false;
            continue;
        }
        const bool consonant = (c >= 0x3131 && c <= 0x314E) || (c >= 0x1100 && c <= 0x1112);
        if (isVowelLetter(c) && afterConsonant) {
            composes = true;
            break;
        }
        if (consonant)
            afterConsonant = true;
        else if (!afterConsonant)
            continue;
        else if (c < 0x80 ? isAsciiLetter(ch) || (c >= '0' && c <= '9') : !droppedByCompaction(c))
            afterConsonant = false;
    }
    if (!composes)
        return {};
    // The buffers stay with the thread: a long text of letters would otherwise make and drop
    // several blocks of its size for every piece.
    thread_local std::vector<Letter> threadLetters;
    thread_local std::u32string threadOut;
    // Looked up once: each use of a thread_local in a shared library may cost a call.
    std::vector<Letter> &letters = threadLetters;
    std::u32string &out = threadOut;
    out.clear();
    const qsizetype n = text.size();
    letters.resize(size_t(n));   // a letter a character at most
    Letter *l = letters.data();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t s = text[i].unicode();
        if (QChar::isHighSurrogate(s) && i + 1 < n && text[i + 1].isLowSurrogate())
            s = QChar::surrogateToUcs4(char16_t(s), text[++i].unicode());
        *l++ = Letter{conjoining(s), s, droppedByCompaction(s)};
    }
    letters.resize(size_t(l - letters.data()));
    const bool built = composeLetters(letters, out);
    QString composed = built ? fromScalars(out) : QString();
    constexpr size_t kKeep = 1 << 16;
    if (letters.capacity() > kKeep) {
        letters = {};
        out = {};
    }
    return composed;
}

// A run of single letters typed apart ('ㅆ ㅣ ㅂ ㅏ ㄹ'), composed in place.
void composeRun(BuiltinWords::Key &run)
{
    if (std::none_of(run.begin(), run.end(), [](char32_t c) { return vowelOf(c) >= 0; }))
        return;
    std::vector<Letter> letters;
    letters.reserve(run.size());
    for (char32_t c : run)
        letters.push_back(Letter{c, c, false});
    BuiltinWords::Key out;
    if (composeLetters(letters, out))
        run = std::move(out);
}

// Korean particles that follow a noun ('고양이가', '2016년은'); a plural '들' may stand before one.
bool isParticle(const BuiltinWords::Key &k, size_t from)
{
    static const std::vector<BuiltinWords::Key> particles = [] {
        std::vector<BuiltinWords::Key> out;
        for (const char *p : {"이",   "가",   "은",   "는",   "을",   "를",   "의",   "도",   "만",   "에",   "와",
                              "과",   "랑",   "로",   "으로", "에서", "에게", "한테", "께",   "까지", "부터", "처럼",
                              "보다", "이랑", "하고", "이나", "나",   "이도", "에도", "에는", "들"}) {
            const QList<uint> s = QString::fromUtf8(p).toUcs4();
            out.emplace_back(s.begin(), s.end());
        }
        return out;
    }();
    if (from == k.size())
        return true;
    static const char32_t plural = U'\uB4E4';   // 들
    if (k[from] == plural && from + 1 < k.size())
        ++from;
    for (const auto &p : particles) {
        if (k.size() - from == p.size() && k.compare(from, p.size(), p) == 0)
            return true;
    }
    return false;
}

// A particle of one syllable that the text goes on into a longer one: an allowed word ending
// in '에' says nothing about the same letters followed by '게' ('병신년에게').
bool particleGoesOn(const BuiltinWords::Key &token, size_t end, char32_t last)
{
    static const std::vector<std::pair<char32_t, char32_t>> longer{
        {U'\uC5D0', U'\uAC8C'},   // 에게
        {U'\uC5D0', U'\uC11C'},   // 에서
    };
    if (end >= token.size())
        return false;
    for (const auto &[first, second] : longer) {
        if (last == first && token[end] == second)
            return true;
    }
    return false;
}

// The commonest English words: pronouns, articles, the forms of 'be' and short prepositions.
bool isFunctionWord(std::string_view w)
{
    static constexpr std::string_view words[] = {"a",    "an",    "the",   "i",    "you", "u",    "he",
                                                 "she",  "it",    "we",    "they", "me",  "him",  "her",
                                                 "us",   "them",  "my",    "your", "ur",  "his",  "its",
                                                 "our",  "their", "is",    "are",  "am",  "was",  "were",
                                                 "be",   "im",    "youre", "to",   "of",  "in",   "on",
                                                 "at",   "for",   "and",   "or",   "so",  "such", "what",
                                                 "this", "that",  "go",    "do",   "no",  "not",  "up"};
    return std::find(std::begin(words), std::end(words), w) != std::end(words);
}

// Slots of the letters and digits that Latin words are made of, or -1.
constexpr int kLatinSlots = 36;
int latinSlot(char32_t c)
{
    if (c >= U'a' && c <= U'z')
        return int(c - U'a');
    if (c >= U'0' && c <= U'9')
        return 26 + int(c - U'0');
    return -1;
}

// Entries are indexed by their first two scalars (every key has at least two), never 0.
uint64_t leadOf(char32_t first, char32_t second)
{
    return (uint64_t(first) << 32) | second;
}

// Fibonacci hashing: the top bits of the product spread neighbouring leads over the table.
constexpr uint64_t kLeadHash = 0x9E3779B97F4A7C15ull;

QStringList readWordFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return {};
    return BuiltinWords::lines(text);
}

}   // namespace

const QStringList &BuiltinWords::kinds()
{
    static const QStringList list{QStringLiteral("abuse"), QStringLiteral("sexual")};
    return list;
}

QString BuiltinWords::resourceFolder()
{
    return QStringLiteral(":/Resources/words");
}

BuiltinWords::Key BuiltinWords::key(QStringView text)
{
    Key k;
    keyInto(text, k);
    return k;
}

void BuiltinWords::keyInto(QStringView text, Key &k)
{
    // ASCII letters and digits alone, the common word: nothing to compose, spell out or trim.
    // A short word is written as it is read, given up at the first other character; a long
    // piece is looked at first, since it is rarely plain all through.
    const qsizetype n = text.size();
    const QChar *d = text.data();
    const bool plain = n <= 32 || std::all_of(text.begin(), text.end(), [](QChar c) {
                           const char16_t u = c.unicode();
                           return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9');
                       });
    if (n > 0 && d[0].unicode() < 0x80 && plain) {
        k.resize(size_t(n));
        qsizetype i = 0;
        for (; i < n; ++i) {
            const char16_t u = d[i].unicode();
            if ((u >= 'a' && u <= 'z') || (u >= '0' && u <= '9'))
                k[size_t(i)] = u;
            else if (u >= 'A' && u <= 'Z')
                k[size_t(i)] = u + 32;
            else
                break;
        }
        if (i == n)
            return;
    }
    k.clear();
    const QString letters = composedLetters(text);
    const QStringView source = letters.isNull() ? text : QStringView(letters);
    const QString spelled = spelledOut(source);
    SpamRules::compactInto(spelled.isNull() ? source : QStringView(spelled), k);
    // One linear pass: Latin letters lose their accents, and conjoining jamo that met once the
    // characters between them were dropped compose into syllables (all that canonical
    // composition can still do to a compact form, whose marks are gone).
    const auto &plainLatin = latinBases();
    // Up to the first accented Latin letter or conjoining jamo nothing changes.
    size_t w = 0;
    while (w < k.size() && !((k[w] >= kLatinFrom && k[w] < kLatinTo) || (k[w] >= 0x1100 && k[w] <= 0x11C2)))
        ++w;
    for (size_t r = w; r < k.size(); ++r) {
        char32_t c = k[r];
        if (c >= kLatinFrom && c < kLatinTo)
            c = plainLatin[c - kLatinFrom];
        if (w > 0) {
            const char32_t p = k[w - 1];
            if (p >= 0x1100 && p <= 0x1112 && c >= 0x1161 && c <= 0x1175) {
                k[w - 1] = 0xAC00 + ((p - 0x1100) * 21 + (c - 0x1161)) * 28;
                continue;
            }
            if (p >= 0xAC00 && p <= 0xD7A3 && (p - 0xAC00) % 28 == 0 && c >= 0x11A8 && c <= 0x11C2) {
                k[w - 1] = p + (c - 0x11A7);
                continue;
            }
        }
        k[w++] = c;
    }
    k.resize(w);
    trimContraction(text, k);
}

QStringList BuiltinWords::lines(const QString &content)
{
    QStringList out;
    const qsizetype n = content.size();
    qsizetype start = 0;
    auto take = [&](qsizetype end) {
        qsizetype b = start, e = end;
        while (b < e && isLineBlank(content.at(b)))
            ++b;
        while (e > b && isLineBlank(content.at(e - 1)))
            --e;
        if (e > b)
            out.append(content.mid(b, e - b));
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = content.at(i).unicode();
        if (!isLineBreak(c))
            continue;
        take(i);
        if (c == u'\r' && i + 1 < n && content.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    take(n);
    return out;
}

BuiltinWords::BuiltinWords(const QHash<QString, QStringList> &words, const QStringList &allow,
                           const QStringList &dictionary)
    : BuiltinWords(words, allow,
                   dictionary.isEmpty() ? nullptr
                                        : std::make_shared<const Dictionary>(dictionary.join(u'\n').toStdString()))
{
}

BuiltinWords::BuiltinWords(const QHash<QString, QStringList> &words, const QStringList &allow,
                           std::shared_ptr<const Dictionary> dictionary)
    : m_dictionary(std::move(dictionary))
{
    std::unordered_map<uint64_t, std::vector<Entry>> inside;
    std::unordered_map<Key, bool> seen;
    for (const QString &kind : kinds()) {
        const QStringList list = words.value(kind);
        for (const QString &word : list) {
            Key k = key(word);
            const bool latin = allAscii(k);
            // One scalar is a word only as a Hangul syllable with no innocent sense ('좆').
            if (k.size() < 2 && (k.empty() || latin || !isSyllable(k[0])))
                continue;
            const bool bound = !latin && word.startsWith(u'~');
            const bool free = !latin && word.startsWith(u'^');
            size_t split = 0;
            if (!latin) {
                const qsizetype space = word.indexOf(u' ');
                if (space > 0) {
                    const size_t before = key(word.left(space)).size();
                    split = before < k.size() ? before : 0;
                }
            }
            // Context marks make a different rule of the same letters.
            Key seenAs = k;
            if (bound)
                seenAs.push_back(1);
            if (free)
                seenAs.push_back(2);
            if (split)
                seenAs.push_back(char32_t(1 + split));
            if (!seen.emplace(seenAs, true).second)
                continue;
            const bool innocent = latin && word.startsWith(u'?');
            const bool intensifier = latin && word.startsWith(u'!');
            // The mark is syntax, not part of the word a reason shows.
            Hit hit{kind, bound || free || innocent || intensifier ? word.mid(1).trimmed() : word};
            if (latin) {
                m_longestLatin = std::max(m_longestLatin, k.size());
                if (innocent || intensifier)
                    m_senses.insert(hit.word, innocent ? Sense::Innocent : Sense::Intensifier);
                m_latin.emplace(k, hit);
            } else if (k.size() == 1) {
                const char32_t syllable = k[0];
                m_single.emplace(syllable, Entry{std::move(k), std::move(hit), false, bound, free, 0});
            } else {
                if (split)
                    m_across[k[split]].push_back(Entry{k, hit, false, bound, free, split});
                const uint64_t lead = leadOf(k[0], k[1]);
                inside[lead].push_back(Entry{std::move(k), std::move(hit), false, bound, free, split});
            }
            m_counts[kind] += 1;
        }
    }
    m_starts.assign(kStartsLimit, false);
    m_seconds.assign(kStartsLimit, false);
    auto longestFirst = [](const Entry &a, const Entry &b) { return a.key.size() > b.key.size(); };
    m_singleSyllables.assign(0xD7A4 - 0xAC00, false);
    for (const auto &[syllable, entry] : m_single) {
        m_starts[syllable] = true;
        m_singleSyllables[syllable - 0xAC00] = true;
    }
    for (auto &[lead, list] : inside) {
        const char32_t first = list.front().key.front();
        if (first < kStartsLimit)
            m_starts[first] = true;
        if (const char32_t second = list.front().key[1]; second < kStartsLimit)
            m_seconds[second] = true;
        std::stable_sort(list.begin(), list.end(), longestFirst);
    }
    for (auto &[first, list] : m_across)
        std::stable_sort(list.begin(), list.end(), longestFirst);
    m_latinStarts.assign(kLatinSlots * kLatinSlots, 0);
    m_latinTrigrams.assign(kLatinSlots * kLatinSlots * kLatinSlots, false);
    for (const auto &[k, hit] : m_latin) {
        const int a = latinSlot(k[0]);
        const int b = latinSlot(k[1]);
        if (a >= 0 && b >= 0 && k.size() < 32)
            m_latinStarts[size_t(a * kLatinSlots + b)] |= uint32_t(1) << k.size();
        if (const int c = k.size() >= 3 ? latinSlot(k[2]) : -1; a >= 0 && b >= 0 && c >= 0)
            m_latinTrigrams[size_t((a * kLatinSlots + b) * kLatinSlots + c)] = true;
    }
    // Where each scalar stands in the allowed words: index into m_allow and offset.
    std::unordered_map<char32_t, std::vector<std::pair<uint32_t, uint32_t>>> holding;
    for (const QString &word : allow) {
        Key k = key(word);
        if (k.size() < 2)
            continue;
        const qsizetype space = word.indexOf(u' ');
        if (space > 0 && allAscii(k)) {
            Key head = key(word.left(space));
            Key tail = key(word.mid(space + 1));
            if (!head.empty() && !tail.empty())
                m_allowPairs.emplace_back(std::move(head), std::move(tail));
            continue;
        }
        if (space > 0) {
            const size_t before = key(word.left(space)).size();
            if (before > 0 && before < k.size())
                m_allowAcross.push_back(Entry{k, {}, false, false, false, before});
        }
        for (size_t offset = 0; offset < k.size(); ++offset)
            holding[k[offset]].emplace_back(uint32_t(m_allow.size()), uint32_t(offset));
        m_allow.push_back(std::move(k));
    }
    // An allowed word excuses a match only where it holds all of the entry's key: each entry
    // keeps those places, so a match compares no allowed word that merely shares a scalar.
    auto cover = [&](Entry &entry) {
        const auto places = holding.find(entry.key.front());
        if (places == holding.end())
            return;
        for (const auto &[index, offset] : places->second) {
            const Key &a = m_allow[index];
            if (a.size() - offset >= entry.key.size() && a.compare(offset, entry.key.size(), entry.key) == 0)
                entry.covers.emplace_back(index, offset);
        }
    };
    for (auto &[lead, list] : inside)
        std::for_each(list.begin(), list.end(), cover);
    for (auto &[first, list] : m_across)
        std::for_each(list.begin(), list.end(), cover);
    for (auto &[syllable, entry] : m_single)
        cover(entry);
    if (inside.empty())
        return;
    size_t tableSize = 2;
    m_leadShift = 63;
    while (tableSize < 2 * inside.size()) {
        tableSize *= 2;
        --m_leadShift;
    }
    m_leadTable.assign(tableSize, Lead{});
    for (auto &[lead, list] : inside) {
        size_t at = size_t((lead * kLeadHash) >> m_leadShift);
        while (m_leadTable[at].lead != 0)
            at = (at + 1) & (tableSize - 1);
        m_leadTable[at] = Lead{lead, uint32_t(m_insideLists.size())};
        m_insideLists.push_back(std::move(list));
    }
}

const std::vector<BuiltinWords::Entry> *BuiltinWords::insideList(uint64_t lead) const
{
    if (m_leadTable.empty())
        return nullptr;
    const size_t mask = m_leadTable.size() - 1;
    for (size_t at = size_t((lead * kLeadHash) >> m_leadShift);; at = (at + 1) & mask) {
        const Lead &slot = m_leadTable[at];
        if (slot.lead == lead)
            return &m_insideLists[slot.list];
        if (slot.lead == 0)
            return nullptr;
    }
}

BuiltinWords BuiltinWords::load(const QString &folder)
{
    const QDir dir(folder);
    QHash<QString, QStringList> words;
    for (const QString &kind : kinds()) {
        QStringList list = readWordFile(dir.filePath(kind + QStringLiteral(".ko.txt")));
        list += readWordFile(dir.filePath(kind + QStringLiteral(".en.txt")));
        words.insert(kind, list);
    }
    std::shared_ptr<const Dictionary> dictionary;
    QFile file(dir.filePath(QStringLiteral("dictionary.en.txt")));
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        if (!bytes.isEmpty())
            dictionary = std::make_shared<const Dictionary>(bytes.toStdString());
    }
    return BuiltinWords(words, readWordFile(dir.filePath(QStringLiteral("allow.txt"))), std::move(dictionary));
}

const BuiltinWords &BuiltinWords::shared()
{
    static const BuiltinWords instance = load();
    return instance;
}

// Calls visit(token, parts, raw) for every token of the text, in order (raw: where it stands in
// the text, from its first piece to its last); parts are the words of a
// token that punctuation glued together ('pussy...PR') or, in a run of letters typed apart,
// the words that wider gaps set apart ('y o u  a r e'), else empty. The buffers are reused,
// so a caller that keeps them must copy them (or swap the parts: they are cleared before use).
template <typename Emit>
void BuiltinWords::forEachToken(QStringView text, Emit &&visit) const
{
    Key run;
    Key piece;
    std::vector<Key> parts;
    static const std::vector<Key> noParts;
    const qsizetype n = text.size();
    const QChar *d = text.data();
    auto scalarAt = [&](qsizetype at, int &width) -> char32_t {
        const char16_t c = d[at].unicode();
        if (QChar::isHighSurrogate(c) && at + 1 < n && d[at + 1].isLowSurrogate()) {
            width = 2;
            return QChar::surrogateToUcs4(c, d[at + 1].unicode());
        }
        width = 1;
        return c;
    };
    std::vector<size_t> cuts;           // where wider gaps fall in the run
    qsizetype runFrom = 0, runTo = 0;   // where the run stands in the text
    auto flushRun = [&] {
        if (run.empty())
            return false;
        parts.clear();
        int longer = 0;
        Key joined;
        cuts.push_back(run.size());
        // Composing only shortens a word: one block each for a long run's words and letters.
        joined.reserve(run.size());
        parts.reserve(cuts.size());
        size_t from = 0;
        bool cutByWords = false;
        for (size_t cut : cuts) {
            Key word = run.substr(from, cut - from);
            composeRun(word);
            joined += word;
            from = cut;
            // Letters typed one by one with nothing to show where a word ends: the known
            // words inside tell it.
            std::vector<Key> inner = letterWords(word);
            if (inner.size() >= 2) {
                cutByWords = true;
                for (Key &w : inner) {
                    longer += w.size() >= 2;
                    parts.push_back(std::move(w));
                }
                continue;
            }
            longer += word.size() >= 2;
            parts.push_back(std::move(word));
        }
        if (longer < 2 && !cutByWords)
            parts.clear();
        const bool stop = visit(joined, parts, text.sliced(runFrom, runTo - runFrom));
        run.clear();
        cuts.clear();
        return stop;
    };
    // The words of a piece split at the punctuation inside it, when at least two of them
    // hold two letters or more.
    auto splitParts = [&](QStringView p) {
        parts.clear();
        auto joins = [](QChar c) {
            const char16_t u = c.unicode();
            if (u < 0x80)
                return kAsciiJoins[u];
            return joinsWord(c);
        };
        // Cheap look first: a Latin letter, then at least two stretches of two characters or
        // more.
        if (std::none_of(p.begin(), p.end(), [](QChar c) {
                const char16_t u = c.unicode();
                return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
            }))
            return;
        int longer = 0;
        size_t stretches = 0;
        qsizetype stretch = 0;
        for (QChar c : p) {
            if (joins(c)) {
                ++stretch;
                continue;
            }
            longer += stretch >= 2;
            stretches += stretch > 0;
            stretch = 0;
        }
        longer += stretch >= 2;
        stretches += stretch > 0;
        if (longer < 2)
            return;
        // A long piece glued by punctuation has thousands of words: one block for all of them.
        parts.reserve(stretches);
        longer = 0;
        qsizetype from = 0;
        bool plain = true;   // the part so far is ASCII letters and digits: its key is its lower case
        auto take = [&](qsizetype to) {
            if (to > from) {
                if (plain) {
                    Key &part = parts.emplace_back(size_t(to - from), U'\0');
                    for (qsizetype j = from; j < to; ++j) {
                        const char16_t u = p[j].unicode();
                        part[size_t(j - from)] = u >= 'A' && u <= 'Z' ? char32_t(u + 32) : char32_t(u);
                    }
                    longer += part.size() >= 2;
                    return;
                }
                Key &part = parts.emplace_back();
                keyInto(p.sliced(from, to - from), part);
                if (part.empty())
                    parts.pop_back();
                else
                    longer += part.size() >= 2;
            }
        };
        for (qsizetype j = 0; j < p.size(); ++j) {
            const char16_t u = p[j].unicode();
            if (joins(p[j])) {
                plain = plain && ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9'));
                continue;
            }
            take(j);
            from = j + 1;
            plain = true;
        }
        take(p.size());
        if (longer < 2)
            parts.clear();
    };
    qsizetype i = 0;
    qsizetype gap = 0;   // white space before the piece
    while (i < n) {
        int width = 1;
        if (isWhiteSpace(scalarAt(i, width))) {
            i += width;
            ++gap;
            continue;
        }
        const qsizetype start = i;
        while (i < n && !isWhiteSpace(scalarAt(i, width)))
            i += width;
        const QStringView p = text.sliced(start, i - start);
        keyInto(p, piece);
        if (piece.size() == 1) {
            // Letters typed apart are one word; a wider gap may set words apart.
            if (gap >= 2 && !run.empty()) {
                // A long run grows once: the rest of the text holds a cut every three
                // characters at most, and a letter every two.
                if (cuts.size() == cuts.capacity())
                    cuts.reserve(cuts.size() + size_t(n - start) / 3 + 1);
                cuts.push_back(run.size());
            }
            if (run.empty())
                runFrom = start;
            runTo = i;
            if (run.size() == run.capacity() && run.size() >= 3)
                run.reserve(run.size() + size_t(n - start + 1) / 2);
            run.push_back(piece.front());
        } else if (piece.size() >= 2) {
            if (flushRun())
                return;
            splitParts(p);
            if (visit(piece, parts, p))
                return;
        }
        gap = 0;
    }
    flushRun();
}

std::vector<BuiltinWords::Key> BuiltinWords::tokens(QStringView text)
{
    std::vector<Key> out;
    static const BuiltinWords plain;
    plain.forEachToken(text, [&](const Key &t, const std::vector<Key> &, QStringView) {
        out.push_back(t);
        return false;
    });
    return out;
}

const BuiltinWords::Dictionary::Words &BuiltinWords::Dictionary::words() const
{
    std::call_once(m_once, [this] { build(); });
    return m_words;
}

size_t BuiltinWords::Dictionary::longest() const
{
    std::call_once(m_once, [this] { build(); });
    return m_longest;
}

void BuiltinWords::Dictionary::build() const
{
    // One word a line, a leading '*' for a word in everyday use; lines of anything but
    // lower-case ASCII letters (a stray carriage return aside) are skipped.
    const std::string_view all(m_text);
    m_words.reserve(size_t(std::count(all.begin(), all.end(), '\n')) + 1);
    size_t from = 0;
    while (from < all.size()) {
        size_t to = all.find('\n', from);
        if (to == std::string_view::npos)
            to = all.size();
        std::string_view line = all.substr(from, to - from);
        from = to + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const bool common = !line.empty() && line.front() == '*';
        if (common)
            line.remove_prefix(1);
        if (line.empty() || !std::all_of(line.begin(), line.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
            continue;
        auto [at, added] = m_words.emplace(line, common);
        if (!added && common)
            at->second = true;
        m_longest = std::max(m_longest, line.size());
    }
}

bool BuiltinWords::holdsListedLatin(const Key &run) const
{
    const size_t n = run.size();
    Key piece;
    for (size_t i = 0; i + 1 < n; ++i) {
        const int a = latinSlot(run[i]);
        const int b = latinSlot(run[i + 1]);
        uint32_t lengths = a < 0 || b < 0 ? 0 : m_latinStarts[size_t(a * kLatinSlots + b)];
        if (!lengths)
            continue;
        // Longer words only where their first three letters stand.
        const int c = i + 2 < n ? latinSlot(run[i + 2]) : -1;
        if (c < 0 || !m_latinTrigrams[size_t((a * kLatinSlots + b) * kLatinSlots + c)])
            lengths &= uint32_t(1) << 2;
        if (!lengths)
            continue;
        for (uint32_t left = lengths; left; left &= left - 1) {
            const size_t l = size_t(std::countr_zero(left));
            if (i + l > n)
                break;
            piece.assign(run, i, l);
            if (m_latin.count(piece))
                return true;
        }
    }
    return false;
}

std::vector<BuiltinWords::Key> BuiltinWords::letterWords(const Key &run) const
{
    // Only a run of Latin letters that holds a listed word is worth cutting.
    if (!m_dictionary || run.size() < 3 || m_latin.empty()
        || !std::all_of(run.begin(), run.end(), [](char32_t c) { return latinSlot(c) >= 0; }) || !holdsListedLatin(run))
        return {};
    const Dictionary::Words &known = m_dictionary->words();
    const size_t n = run.size();
    std::string letters(n, ' ');
    for (size_t i = 0; i < n; ++i)
        letters[i] = char(run[i]);
    // Fewest pieces: a word in everyday use costs 1, a listed one a little more (an innocent
    // reading wins a tie), a rarer word more again ('bitch url', not 'bit churl'), a letter no
    // word covers 3; the commonest short words cost less, since two of them are likelier than
    // one longer word ('are a', not 'area').
    constexpr int kFunction = 40;
    constexpr int kWord = 100;
    constexpr int kListed = 101;
    constexpr int kRare = 115;
    constexpr int kLetter = 300;
    enum Kind : uint8_t { Unknown, Known, Listed };
    std::vector<int> cost(n + 1, std::numeric_limits<int>::max());
    std::vector<std::pair<size_t, Kind>> from(n + 1, {0, Unknown});
    cost[0] = 0;
    const size_t longest = std::max(m_dictionary->longest(), m_longestLatin);
    Key piece;
    for (size_t j = 0; j < n; ++j) {
        if (cost[j] == std::numeric_limits<int>::max())
            continue;
        if (cost[j] + kLetter < cost[j + 1]) {
            cost[j + 1] = cost[j] + kLetter;
            from[j + 1] = {j, Unknown};
        }
        for (size_t l = 1; l <= longest && j + l <= n; ++l) {
            piece.assign(run, j, l);
            Kind kind = Unknown;
            int step = 0;
            if (l >= 2 && m_latin.count(piece)) {
                kind = Listed;
                step = kListed;
            } else if (const auto found = known.find(std::string_view(letters).substr(j, l)); found != known.end()) {
                kind = Known;
                step = isFunctionWord(found->first) ? kFunction : found->second ? kWord : kRare;
            } else {
                continue;
            }
            const int c = cost[j] + step;
            if (c < cost[j + l]) {
                cost[j + l] = c;
                from[j + l] = {j, kind};
            }
        }
    }
    // The pieces, last to first; unknown letters gather into one piece, which takes in a
    // listed word beside it (letters of a name or a longer unknown word around it).
    struct Piece {
        size_t start, end;
        Kind kind;
    };
    std::vector<Piece> backwards;
    for (size_t i = n; i > 0; i = from[i].first)
        backwards.push_back(Piece{from[i].first, i, from[i].second});
    std::vector<Piece> chunks;   // unknown letters gathered
    for (auto p = backwards.rbegin(); p != backwards.rend(); ++p) {
        if (!chunks.empty() && chunks.back().kind == Unknown && p->kind == Unknown)
            chunks.back().end = p->end;
        else
            chunks.push_back(*p);
    }
    // Two letters or fewer beside a listed word read as part of a longer word ('s cunt
    // horpe'); longer unknown stretches are words of their own (a name, a misspelling).
    const auto shortUnknown = [&](const Piece &q) {
        return q.kind == Unknown && q.end - q.start <= 2
            && std::all_of(run.begin() + qsizetype(q.start), run.begin() + qsizetype(q.end),
                           [](char32_t c) { return c >= U'a' && c <= U'z'; });
    };
    std::vector<Piece> pieces;
    for (const Piece &p : chunks) {
        if (!pieces.empty()) {
            Piece &last = pieces.back();
            if ((p.kind == Listed && shortUnknown(last)) || (last.kind == Listed && shortUnknown(p))) {
                last.end = p.end;
                last.kind = Unknown;
                continue;
            }
        }
        pieces.push_back(p);
    }
    std::vector<Key> out;
    out.reserve(pieces.size());
    for (const Piece &p : pieces)
        out.push_back(run.substr(p.start, p.end - p.start));
    return out;
}

std::optional<BuiltinWords::Hit> BuiltinWords::wholeExact(const Key &token) const
{
    if (token.size() > m_longestLatin)
        return std::nullopt;
    // No listed word of this length starts with these two letters: no lookup.
    if (token.size() >= 2 && token.size() < 32 && !m_latinStarts.empty()) {
        const int a = latinSlot(token[0]);
        const int b = latinSlot(token[1]);
        if (a >= 0 && b >= 0 && !(m_latinStarts[size_t(a * kLatinSlots + b)] & (uint32_t(1) << token.size())))
            return std::nullopt;
    }
    const auto found = m_latin.find(token);
    if (found == m_latin.end())
        return std::nullopt;
    return found->second;
}

inline bool BuiltinWords::mayBeLatin(const Key &token) const
{
    // One look at the scalars tells which spellings whole() would look up: with digits among
    // letters or a letter typed three times in a row, several; else the token itself, which
    // the index of first letters and lengths may already rule out.
    const char32_t *s = token.data();
    const size_t n = token.size();
    bool digits = false;
    bool letters = false;
    bool stretched = false;
    for (size_t i = 0; i < n; ++i) {
        const char32_t c = s[i];
        if (c >= 0x80)
            return false;
        digits |= c - U'0' <= 9;
        letters |= c - U'a' <= 25;
        stretched |= i >= 2 && c == s[i - 1] && c == s[i - 2];
    }
    if ((digits && letters) || stretched)
        return true;
    if (n > m_longestLatin)
        return false;
    if (n >= 2 && n < 32 && !m_latinStarts.empty()) {
        const int a = latinSlot(s[0]);
        const int b = latinSlot(s[1]);
        if (a >= 0 && b >= 0 && !(m_latinStarts[size_t(a * kLatinSlots + b)] & (uint32_t(1) << n)))
            return false;
    }
    return true;
}

std::optional<BuiltinWords::Hit> BuiltinWords::whole(const Key &token) const
{
    if (m_latin.empty() || !mayBeLatin(token))
        return std::nullopt;
    if (auto hit = wholeExact(token))
        return hit;
    // Digits for letters, then stretched letters: each spelling is one more exact lookup.
    const bool digits = std::any_of(token.begin(), token.end(), [](char32_t c) { return c >= U'0' && c <= U'9'; });
    const bool letters = std::any_of(token.begin(), token.end(), [](char32_t c) { return c >= U'a' && c <= U'z'; });
    Key leetPlain;
    if (digits && letters) {
        leetPlain.resize(token.size());
        std::transform(token.begin(), token.end(), leetPlain.begin(), leet);
        if (auto hit = wholeExact(leetPlain))
            return hit;
    }
    const Key &plain = leetPlain.empty() ? token : leetPlain;
    if (!isStretched(plain))
        return std::nullopt;
    for (size_t keep : {size_t(2), size_t(1)}) {
        if (auto hit = wholeExact(squeezed(plain, keep)))
            return hit;
    }
    return std::nullopt;
}

std::optional<BuiltinWords::Hit> BuiltinWords::wholeBeside(const Key &prev, const Key &token, const Key &next) const
{
    auto hit = whole(token);
    if (!hit || m_allowPairs.empty())
        return hit;
    const Key word = key(hit->word);
    for (const auto &[head, tail] : m_allowPairs) {
        if ((word == head && next == tail) || (word == tail && prev == head))
            return std::nullopt;
    }
    return hit;
}

bool BuiltinWords::allowed(const Key &token, size_t start, size_t end, const Entry &entry) const
{
    // The stretch [start, end) spells the entry's key: only the allowed words holding that key
    // can cover it, one comparison per place.
    for (const auto &[index, offset] : entry.covers) {
        const Key &a = m_allow[index];
        if (offset > start)
            continue;
        const size_t p = start - offset;
        if (p + a.size() < end || p + a.size() > token.size())
            continue;
        if (token.compare(p, a.size(), a) == 0 && !particleGoesOn(token, p + a.size(), a.back()))
            return true;
    }
    return false;
}

bool BuiltinWords::allowedBeside(const Key &prev, const Key &token, const Key &next, size_t start, size_t end) const
{
    for (const Entry &a : m_allowAcross) {
        const size_t l = a.key.size();
        const size_t head = a.split;
        const size_t tail = l - head;
        // The allowed word begins in this token and ends in the next one...
        if (head <= token.size() && token.size() - head <= start && tail <= next.size()
            && token.compare(token.size() - head, head, a.key, 0, head) == 0
            && next.compare(0, tail, a.key, head, tail) == 0)
            return true;
        // ...or begins in the previous token and ends in this one. The previous token may go
        // on after it with a particle ('고양이가 새끼를', '2016년은 병신년'), but not with
        // other words ('돼지같은 새끼').
        if (head <= prev.size() && end <= tail && tail <= token.size()
            && token.compare(0, tail, a.key, head, tail) == 0) {
            for (size_t stop = prev.size(); stop >= head && prev.size() - stop <= 3; --stop) {
                if (prev.compare(stop - head, head, a.key, 0, head) == 0 && isParticle(prev, stop))
                    return true;
            }
        }
    }
    return false;
}

std::optional<BuiltinWords::Hit> BuiltinWords::inside(const Key &token, const Key &prev, const Key &next) const
{
    if (m_insideLists.empty() && m_single.empty())
        return std::nullopt;
    const size_t n = token.size();
    for (size_t i = 0; i < n; ++i) {
        if (token[i] < kStartsLimit && !m_starts[token[i]])
            continue;
        const bool afterSyllable = i > 0 && isSyllable(token[i - 1]);
        // A second scalar that follows no entry's first one spares the lookup.
        const bool lead = i + 1 < n && (token[i + 1] >= kStartsLimit || m_seconds[token[i + 1]]);
        if (const std::vector<Entry> *found = lead ? insideList(leadOf(token[i], token[i + 1])) : nullptr) {
            // Every entry here starts with these two scalars: compare the rest, the third first.
            for (const Entry &entry : *found) {
                const size_t l = entry.key.size();
                if (l > n - i || (l > 2 && token[i + 2] != entry.key[2]) || (entry.bound && !afterSyllable)
                    || (entry.free && afterSyllable) || token.compare(i + 2, l - 2, entry.key, 2, l - 2) != 0)
                    continue;
                if (!allowed(token, i, i + l, entry) && !allowedBeside(prev, token, next, i, i + l))
                    return entry.hit;
            }
        }
        // A listed syllable of its own, after every longer word starting here.
        if (!isSyllable(token[i]) || !m_singleSyllables[token[i] - 0xAC00])
            continue;
        const auto single = m_single.find(token[i]);
        if (single != m_single.end()) {
            const Entry &entry = single->second;
            if (!(entry.bound && !afterSyllable) && !(entry.free && afterSyllable) && !allowed(token, i, i + 1, entry)
                && !allowedBeside(prev, token, next, i, i + 1))
                return entry.hit;
        }
    }
    return std::nullopt;
}

std::optional<BuiltinWords::Hit> BuiltinWords::across(const Key &prev, const Key &token, Key &joined) const
{
    const auto found = m_across.find(token.front());
    if (found == m_across.end())
        return std::nullopt;
    for (const Entry &entry : found->second) {
        const size_t a = entry.split;
        const size_t b = entry.key.size() - a;
        if (a > prev.size() || b > token.size())
            continue;
        const size_t at = prev.size() - a;
        if (prev.compare(at, a, entry.key, 0, a) != 0 || token.compare(0, b, entry.key, a, b) != 0)
            continue;
        if (entry.bound && (at == 0 || !isSyllable(prev[at - 1])))
            continue;
        joined.assign(prev).append(token);
        if (!allowed(joined, at, prev.size() + b, entry))
            return entry.hit;
    }
    return std::nullopt;
}

std::optional<BuiltinWords::Hit> BuiltinWords::match(QStringView text) const
{
    // A token's own words are looked up once the next token is known, since an allowed word
    // may span both ('새끼 고양이'); the order of hits stays that of the tokens.
    std::optional<Hit> hit;
    std::optional<Hit> senseHit;   // the first word that counts only in a frame
    Key before;                    // the token before the pending one
    Key pending;                   // the last token, its own words not yet looked up
    std::vector<Key> pendingParts;
    Key pair;
    bool havePending = false;
    static const Key none;
    // A plain hit ends the search; a word with an innocent sense waits for its frame.
    auto take = [&](std::optional<Hit> found) {
        if (!found)
            return false;
        if (m_senses.isEmpty() || m_senses.value(found->word, Sense::Plain) == Sense::Plain) {
            hit = std::move(found);
            return true;
        }
        if (!senseHit)
            senseHit = std::move(found);
        return false;
    };
    auto settle = [&](const Key &next) {
        if (take(wholeBeside(before, pending, next)))
            return true;
        for (size_t p = 0; p < pendingParts.size(); ++p) {
            // Most parts of a long glued piece can be no listed word: ruled out without a call.
            if (!mayBeLatin(pendingParts[p]))
                continue;
            if (take(wholeBeside(p > 0 ? pendingParts[p - 1] : before, pendingParts[p],
                                 p + 1 < pendingParts.size() ? pendingParts[p + 1] : next)))
                return true;
        }
        return bool(hit = inside(pending, before, next));
    };
    forEachToken(text, [&](const Key &t, std::vector<Key> &parts, QStringView) {
        if (havePending) {
            if (settle(t))
                return true;
            if (pending.size() + t.size() <= m_longestLatin) {
                pair.assign(pending).append(t);
                if (take(whole(pair)))
                    return true;
            }
            if (!m_across.empty() && (hit = across(pending, t, pair)))
                return true;
            before.swap(pending);
        }
        pending.assign(t);
        pendingParts.swap(parts);   // refilled from empty for the next token
        havePending = true;
        return false;
    });
    if (!hit && havePending)
        settle(none);
    if (hit)
        return senseHit ? senseHit : hit;   // other abuse: the earlier word counts as well
    if (senseHit)
        return framed(text);
    return std::nullopt;
}

namespace {

bool among(const BuiltinWords::Key &k, std::initializer_list<std::u32string_view> words)
{
    return std::find(words.begin(), words.end(), std::u32string_view(k)) != words.end();
}

// Words that point at the person addressed.
bool isAddressee(const BuiltinWords::Key &k)
{
    return among(k, {U"you", U"u", U"ya", U"yo", U"ye", U"ur", U"your", U"youre", U"yu", U"thou"});
}

// Words that name a person the comment speaks of.
bool isPerson(const BuiltinWords::Key &k)
{
    return isAddressee(k)
        || among(k, {U"he",        U"she",      U"they",     U"him",     U"her",        U"them",      U"hes",
                     U"shes",      U"theyre",   U"i",        U"im",      U"guy",        U"dude",      U"man",
                     U"woman",     U"girl",     U"boy",      U"bro",     U"kid",        U"person",    U"host",
                     U"mom",       U"dad",      U"wife",     U"husband", U"girlfriend", U"boyfriend", U"teacher",
                     U"president", U"everyone", U"somebody", U"someone", U"people",     U"guys",      U"girls",
                     U"boys",      U"men",      U"women"});
}

bool isCopula(const BuiltinWords::Key &k)
{
    return among(k,
                 {U"is", U"are", U"r", U"was", U"were", U"be", U"am", U"being", U"been", U"s", U"so", U"such",
                  U"acting", U"look", U"looks", U"sound", U"sounds", U"act", U"acts"});
}

// Words before an insult that aim it at someone by themselves.
bool isScornful(const BuiltinWords::Key &k)
{
    return among(k,
                 {U"little", U"lil", U"dumb", U"stupid", U"fucking", U"fuckin", U"fking", U"fkn", U"fcking", U"ugly",
                  U"dirty", U"filthy", U"worthless", U"pathetic", U"disgusting", U"stinking", U"stinky", U"useless",
                  U"lying"});
}

// Adjectives that may stand between the one aimed at and the insult.
bool isModifier(const BuiltinWords::Key &k)
{
    return isScornful(k) || among(k, {U"fat",   U"lazy",    U"big",    U"old",    U"total",   U"absolute", U"complete",
                                      U"real",  U"sorry",   U"damn",   U"bloody", U"nasty",   U"freaking", U"silly",
                                      U"cheap", U"greedy",  U"sad",    U"racist", U"typical", U"arrogant", U"smug",
                                      U"huge",  U"massive", U"utter",  U"right",  U"fuckin",  U"effing",   U"sick",
                                      U"crazy", U"weird",   U"creepy", U"rude",   U"ignorant"});
}

// Words that make a body word sexual: whose it is, what is done to it, its size.
bool isBodyCue(const BuiltinWords::Key &k)
{
    return among(k, {U"my",    U"your",   U"ur",       U"his",     U"yo",   U"ma",      U"her",    U"their",
                     U"suck",  U"sucks",  U"sucking",  U"suckin",  U"lick", U"licking", U"ride",   U"riding",
                     U"blow",  U"stroke", U"stroking", U"swallow", U"eat",  U"nice",    U"big",    U"huge",
                     U"small", U"tiny",   U"hard",     U"fat",     U"long", U"thick",   U"massive"});
}

bool isBodyWord(const BuiltinWords::Key &k)
{
    return among(k, {U"cock", U"cocks", U"dick", U"dicks", U"cum"});
}

// Words said just before addressing someone ('shut up, ...', 'bye ...').
bool isOpener(const BuiltinWords::Key &k)
{
    return among(k, {U"hey", U"hi",  U"bye",  U"yo",     U"oi",  U"ok",   U"okay", U"stfu",   U"gtfo", U"up",
                     U"off", U"lol", U"lmao", U"thanks", U"thx", U"sure", U"dear", U"listen", U"look", U"cry",
                     U"try", U"wow", U"ya",   U"yeah",   U"nah", U"no",   U"go",   U"away",   U"out",  U"right"});
}

// Words of praise around a profanity that only intensifies.
bool isPraise(const BuiltinWords::Key &k)
{
    return among(k, {U"great",     U"good",      U"amazing", U"awesome",   U"dope",      U"cool",       U"fire",
                     U"lit",       U"best",      U"love",    U"loved",     U"loving",    U"incredible", U"beautiful",
                     U"brilliant", U"fantastic", U"perfect", U"legit",     U"banger",    U"slaps",      U"bangs",
                     U"holy",      U"wow",       U"nice",    U"excellent", U"epic",      U"genius",     U"masterpiece",
                     U"classic",   U"hilarious", U"insane",  U"favorite",  U"favourite", U"underrated", U"talented"});
}

bool isConjunction(const BuiltinWords::Key &k)
{
    return among(k, {U"and", U"or", U"n", U"nor", U"an"});
}

bool isBreak(QChar c)
{
    return c == u',' || c == u'.' || c == u'!' || c == u'?' || c == u';' || c == u':' || c == QChar(0x2026);
}

}   // namespace

struct BuiltinWords::FrameWord {
    Key key;
    bool capital = false;      // written as a name: upper case, then lower case
    bool breakAfter = false;   // a comma or the end of a sentence follows
    bool possessive = false;   // written with 's
    Sense sense = Sense::Plain;
    std::optional<Hit> hit;
};

std::optional<BuiltinWords::Hit> BuiltinWords::framed(QStringView text) const
{
    // The words of the text with the punctuation and letter case that tell how a word is used.
    std::vector<FrameWord> words;
    auto followedByBreak = [&](QStringView raw) {
        if (raw.isEmpty())
            return false;
        if (isBreak(raw.back()))
            return true;
        for (qsizetype i = (raw.data() - text.data()) + raw.size(); i < text.size(); ++i) {
            if (text[i].isSpace())
                continue;
            return isBreak(text[i]);
        }
        return false;
    };
    auto looksLikeName = [](QStringView raw) {
        qsizetype i = 0;
        while (i < raw.size() && !raw[i].isLetter())
            ++i;
        return i + 1 < raw.size() && raw[i].isUpper() && raw[i + 1].isLower();
    };
    auto possessive = [](QStringView raw) {
        return raw.size() > 2 && (raw.endsWith(u"'s") || raw.endsWith(u"\u2019s"));
    };
    auto add = [&](Key key, bool capital, bool breakAfter, bool owner = false) {
        FrameWord w{std::move(key), capital, breakAfter, owner, Sense::Plain, std::nullopt};
        if ((w.hit = whole(w.key)))
            w.sense = m_senses.value(w.hit->word, Sense::Plain);
        words.push_back(std::move(w));
    };
    forEachToken(text, [&](const Key &t, const std::vector<Key> &parts, QStringView raw) {
        const bool spaced = raw.contains(u' ') || raw.contains(u'\t');
        if (parts.empty()) {
            add(t, !spaced && looksLikeName(raw), followedByBreak(raw), !spaced && possessive(raw));
        } else if (spaced) {
            for (size_t p = 0; p < parts.size(); ++p)
                add(parts[p], false, p + 1 == parts.size() && followedByBreak(raw));
        } else {
            // Words glued by punctuation: a comma or a full stop between them is a break.
            qsizetype from = 0;
            Key k;
            for (qsizetype j = 0; j <= raw.size(); ++j) {
                const bool end = j == raw.size();
                if (!end
                    && (raw[j].isLetterOrNumber() || raw[j] == u'\'' || raw[j] == u'$' || raw[j] == u'@'
                        || raw[j].isMark() || raw[j].isSurrogate()))
                    continue;
                const QStringView w = raw.mid(from, j - from);
                keyInto(w, k);
                if (!k.empty())
                    add(k, looksLikeName(w), end ? followedByBreak(raw) : isBreak(raw[j]), possessive(w));
                from = j + 1;
            }
        }
        return false;
    });

    const size_t n = words.size();
    auto startsSentence = [&](size_t i) { return i == 0 || words[i - 1].breakAfter; };
    auto endsSentence = [&](size_t i) { return i + 1 == n || words[i].breakAfter; };
    // Aimed at a person: 'you ~', 'such a ~', 'what a ~', 'she's a ~', 'stupid ~'.
    auto aimed = [&](size_t i) {
        size_t j = i;
        while (j > 0 && i - j < 3 && isModifier(words[j - 1].key) && !words[j - 1].breakAfter) {
            if (isScornful(words[j - 1].key))
                return true;
            --j;
        }
        if (j == 0 || words[j - 1].breakAfter)
            return false;
        const Key &w = words[j - 1].key;
        if (isAddressee(w) || among(w, {U"such", U"what"}))
            return true;
        if (among(w, {U"a", U"an", U"one"}) && j >= 2) {
            // 'such a ~', 'she a ~', 'bit of a ~', 'like a ~', 'Colin is a ~' (not 'this is a ~')
            const Key &v = words[j - 2].key;
            if (among(v, {U"such", U"what", U"total", U"absolute", U"complete", U"real", U"of", U"like"})
                || isPerson(v))
                return true;
            if (isCopula(v) && j >= 3 && !among(words[j - 3].key, {U"it", U"this", U"that", U"which", U"there"}))
                return true;
        }
        if (isCopula(w) && j >= 2 && isPerson(words[j - 2].key))
            return true;
        return false;
    };
    auto abusive = [&](size_t i) {
        const FrameWord &w = words[i];
        if (aimed(i))
            return true;
        if (w.sense == Sense::Intensifier)
            return false;
        // '~ he is', '~ you are'
        if (i + 2 < n && !w.breakAfter && isPerson(words[i + 1].key) && isCopula(words[i + 2].key))
            return true;
        if (n == 1)
            return true;   // the whole reply
        // A name: upper case inside a sentence.
        if (w.capital && !startsSentence(i))
            return false;
        if (i > 0 && !words[i - 1].breakAfter) {
            const Key &v = words[i - 1].key;
            // 'my ~', 'Trump's ~', 'suck a ~', 'have a ~'
            const size_t c = among(v, {U"a", U"an", U"the"}) && i >= 2 && !words[i - 2].breakAfter ? i - 2 : i - 1;
            if (isBodyWord(w.key)
                && (isBodyCue(words[c].key) || words[c].possessive
                    || among(words[c].key, {U"have", U"has", U"got", U"had"})))
                return true;
            const bool plural = w.key.back() == U's' || w.key.back() == U'z';
            if (plural && among(v, {U"these", U"those", U"them", U"dem", U"all"}))
                return true;
            // 'look at that ~.' points at someone; of a body word it may be an animal
            if (among(v, {U"that", U"this"}) && endsSentence(i) && !isBodyWord(w.key))
                return true;
        }
        // Said to someone: after a comma or an opener at the end of a sentence, or first and
        // followed by a comma.
        if (!w.capital) {
            if (endsSentence(i) && i > 0 && (words[i - 1].breakAfter || isOpener(words[i - 1].key)))
                return true;
            if (startsSentence(i) && w.breakAfter && i + 1 < n)
                return true;
        }
        // Beside another such word of the same kind ('chinks and coons').
        for (size_t k : {i + 1, i + 2}) {
            if (k >= n || words[k].sense != Sense::Innocent || words[k].hit->kind != w.hit->kind)
                continue;
            if (k == i + 1 || isConjunction(words[i + 1].key))
                return true;
        }
        if (i >= 1) {
            for (size_t k : {i - 1, i >= 2 ? i - 2 : i - 1}) {
                if (words[k].sense != Sense::Innocent || words[k].hit->kind != w.hit->kind)
                    continue;
                if (k == i - 1 || isConjunction(words[i - 1].key))
                    return true;
            }
        }
        return false;
    };
    // A profanity among words of praise in its sentence only intensifies.
    auto praised = [&](size_t i) {
        for (size_t k = i; k > 0 && i - k < 3 && !words[k - 1].breakAfter; --k) {
            if (isPraise(words[k - 1].key))
                return true;
        }
        for (size_t k = i + 1; k < n && k - i <= 3 && !words[k - 1].breakAfter; ++k) {
            if (isPraise(words[k].key))
                return true;
        }
        // 'never gets old'
        for (size_t k = i + 1; k + 2 < std::min(n, i + 5); ++k) {
            if (among(words[k].key, {U"never", U"doesnt", U"dont"}) && among(words[k + 1].key, {U"gets", U"get"})
                && words[k + 2].key == U"old")
                return true;
        }
        return false;
    };
    for (size_t i = 0; i < n; ++i) {
        const FrameWord &w = words[i];
        if (w.sense == Sense::Innocent && abusive(i))
            return w.hit;
        if (w.sense == Sense::Intensifier && (abusive(i) || !praised(i)))
            return w.hit;
    }
    return std::nullopt;
}
