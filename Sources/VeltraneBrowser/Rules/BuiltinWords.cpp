#include "Rules/BuiltinWords.h"

#include "Rules/SpamRules.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <algorithm>

namespace {

constexpr char32_t kStartsLimit = 0xD7A4;

bool isWhiteSpace(char32_t c)
{
    // The Unicode White_Space property.
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680
        || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F
        || c == 0x205F || c == 0x3000;
}

bool isLineBreak(char16_t c)
{
    return c == 0x0A || c == 0x0B || c == 0x0C || c == 0x0D || c == 0x85 || c == 0x2028
        || c == 0x2029;
}

bool isLineBlank(QChar c) { return c == u'\t' || c.category() == QChar::Separator_Space; }

bool allAscii(const BuiltinWords::Key &key)
{
    return std::all_of(key.begin(), key.end(), [](char32_t c) { return c < 0x80; });
}

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

} // namespace

const QStringList &BuiltinWords::kinds()
{
    static const QStringList list{QStringLiteral("abuse"), QStringLiteral("sexual")};
    return list;
}

QString BuiltinWords::resourceFolder() { return QStringLiteral(":/Resources/words"); }

BuiltinWords::Key BuiltinWords::key(QStringView text)
{
    Key k;
    keyInto(text, k);
    return k;
}

void BuiltinWords::keyInto(QStringView text, Key &k)
{
    k.clear();
    SpamRules::compactInto(text, k);
    // Compaction can leave jamo that compose once the characters between them are gone.
    const bool plain = std::all_of(k.begin(), k.end(), [](char32_t c) {
        return c < 0x80 || (c >= 0xAC00 && c <= 0xD7A3);
    });
    if (plain)
        return;
    const QString composed = QString::fromUcs4(k.data(), qsizetype(k.size()))
                                 .normalized(QString::NormalizationForm_C);
    const QList<uint> scalars = composed.toUcs4();
    k.assign(scalars.begin(), scalars.end());
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

BuiltinWords::BuiltinWords(const QHash<QString, QStringList> &words, const QStringList &allow)
{
    std::unordered_map<Key, bool> seen;
    for (const QString &kind : kinds()) {
        const QStringList list = words.value(kind);
        for (const QString &word : list) {
            Key k = key(word);
            if (k.size() < 2 || !seen.emplace(k, true).second)
                continue;
            Hit hit{kind, word};
            if (allAscii(k)) {
                m_longestLatin = std::max(m_longestLatin, k.size());
                m_latin.emplace(k, hit);
            } else {
                const char32_t first = k.front();
                m_inside[first].push_back(Entry{std::move(k), std::move(hit), false});
            }
            m_counts[kind] += 1;
        }
    }
    m_starts.assign(kStartsLimit, false);
    for (auto &[first, list] : m_inside) {
        if (first < kStartsLimit)
            m_starts[first] = true;
        std::stable_sort(list.begin(), list.end(), [](const Entry &a, const Entry &b) {
            return a.key.size() > b.key.size();
        });
    }
    for (const QString &word : allow) {
        Key k = key(word);
        if (k.size() >= 2)
            m_allow.push_back(std::move(k));
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
    return BuiltinWords(words, readWordFile(dir.filePath(QStringLiteral("allow.txt"))));
}

const BuiltinWords &BuiltinWords::shared()
{
    static const BuiltinWords instance = load();
    return instance;
}

// Calls visit(token) for every token of the text, in order. The token buffer is reused, so
// a caller that keeps a token must copy it.
template <typename Emit>
void BuiltinWords::forEachToken(QStringView text, Emit &&visit)
{
    Key run;
    Key piece;
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
    qsizetype i = 0;
    while (i < n) {
        int width = 1;
        if (isWhiteSpace(scalarAt(i, width))) {
            i += width;
            continue;
        }
        const qsizetype start = i;
        while (i < n && !isWhiteSpace(scalarAt(i, width)))
            i += width;
        keyInto(text.mid(start, i - start), piece);
        if (piece.size() == 1) {
            run.push_back(piece.front());
        } else if (piece.size() >= 2) {
            if (!run.empty()) {
                if (visit(run))
                    return;
                run.clear();
            }
            if (visit(piece))
                return;
        }
    }
    if (!run.empty())
        visit(run);
}

std::vector<BuiltinWords::Key> BuiltinWords::tokens(QStringView text)
{
    std::vector<Key> out;
    forEachToken(text, [&](const Key &t) {
        out.push_back(t);
        return false;
    });
    return out;
}

std::optional<BuiltinWords::Hit> BuiltinWords::whole(const Key &token) const
{
    if (token.size() > m_longestLatin || !allAscii(token))
        return std::nullopt;
    const auto found = m_latin.find(token);
    if (found == m_latin.end())
        return std::nullopt;
    return found->second;
}

bool BuiltinWords::allowed(const Key &token, size_t start, size_t end) const
{
    const auto len = qsizetype(token.size());
    for (const Key &a : m_allow) {
        const auto l = qsizetype(a.size());
        if (l > len)
            continue;
        const qsizetype lo = std::max<qsizetype>(qsizetype(end) - l, 0);
        const qsizetype hi = std::min<qsizetype>(len - l, qsizetype(start));
        for (qsizetype p = lo; p <= hi; ++p) {
            if (token.compare(size_t(p), size_t(l), a) == 0)
                return true;
        }
    }
    return false;
}

std::optional<BuiltinWords::Hit> BuiltinWords::inside(const Key &token) const
{
    if (m_inside.empty())
        return std::nullopt;
    const size_t n = token.size();
    for (size_t i = 0; i < n; ++i) {
        if (token[i] < kStartsLimit && !m_starts[token[i]])
            continue;
        const auto found = m_inside.find(token[i]);
        if (found == m_inside.end())
            continue;
        for (const Entry &entry : found->second) {
            const size_t l = entry.key.size();
            if (l > n - i || token.compare(i, l, entry.key) != 0)
                continue;
            if (!allowed(token, i, i + l))
                return entry.hit;
        }
    }
    return std::nullopt;
}

std::optional<BuiltinWords::Hit> BuiltinWords::match(QStringView text) const
{
    std::optional<Hit> hit;
    Key prev;
    Key pair;
    bool havePrev = false;
    forEachToken(text, [&](const Key &t) {
        if ((hit = whole(t)))
            return true;
        if (havePrev && prev.size() + t.size() <= m_longestLatin) {
            pair.assign(prev).append(t);
            if ((hit = whole(pair)))
                return true;
        }
        if ((hit = inside(t)))
            return true;
        prev.assign(t);
        havePrev = true;
        return false;
    });
    return hit;
}
