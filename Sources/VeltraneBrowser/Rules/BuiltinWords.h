#pragma once
// The built-in lists of abusive and sexual words (Korean and English) and the matcher that
// finds the first listed word in a comment. Every comparison runs on compact forms, so spacing,
// punctuation, width variants and lookalike letters inside a word do not hide it.

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class BuiltinWords {
public:
    // A listed word found in a text: its list kind and the line as read (trimmed, without a
    // leading stem mark).
    struct Hit {
        QString kind;
        QString word;
        bool operator==(const Hit &other) const = default;
    };

    // Composed compact form of a text, scalar by scalar.
    using Key = std::u32string;

    // The kinds in priority order: a word in both lists stays with the earlier kind.
    static const QStringList &kinds();

    // Where the application's own word files live (compiled-in resources).
    static QString resourceFolder();

    BuiltinWords() = default;
    // Builds the matcher from lists in memory: kind -> its words, the allowed words, and
    // English words (lower-case ASCII letters) that tell where the words of a text typed letter
    // by letter end; a leading '*' marks a word in everyday use, which wins over a rarer one.
    BuiltinWords(const QHash<QString, QStringList> &words, const QStringList &allow,
                 const QStringList &dictionary = {});

    // Reads "<kind>.ko.txt", "<kind>.en.txt" for every kind, "allow.txt" and
    // "dictionary.en.txt" from a folder. A missing or non-UTF-8 file counts as an empty list.
    // The shipped dictionary is the public-domain 12dicts lists: 2of12inf, with the words of
    // 3esl marked as in everyday use, and common short words and chat spellings added.
    static BuiltinWords load(const QString &folder = resourceFolder());

    // The instance the application uses: loaded from the resources on first use, never rebuilt.
    static const BuiltinWords &shared();

    // The first listed word in the text, or none.
    std::optional<Hit> match(QStringView text) const;

    // The text split at white space into composed compact keys; single-scalar pieces typed
    // apart join into one token (a wider gap of white space ends it), pieces of punctuation
    // only are ignored. Hangul letters typed one by one compose into syllables.
    static std::vector<Key> tokens(QStringView text);

    // The words of a run of Latin letters typed one by one ('abitch' as 'a', 'bitch'), as the
    // dictionary and the listed words cut it best; letters no known word covers stay one piece
    // with any listed word beside them. Empty when the run holds no listed word.
    std::vector<Key> letterWords(const Key &run) const;

    // NFC of the compact form, as scalars.
    static Key key(QStringView text);

    // Lines of a word file: split at every newline kind, trimmed of spaces and tabs, empty
    // lines dropped.
    static QStringList lines(const QString &content);

    // Number of entries per kind (a kind without entries is absent and reads as 0).
    const QHash<QString, int> &counts() const { return m_counts; }
    int count(const QString &kind) const { return m_counts.value(kind, 0); }

private:
    // A word line may carry context marks, which compaction would drop anyway:
    // - a leading '~' binds the word to a stem: it matches only right after a Hangul syllable
    //   of the same token ('~새기' finds '원숭이새기', not '새기다' or '원숭이 새기'); the hit
    //   names the word without the mark;
    // - a leading '^' frees it from one: it matches only where no Hangul syllable of the same
    //   token stands right before it ('^페도' finds '페도새끼', not '카페도');
    // - a space inside a non-Latin word also lets it span two neighbouring tokens, the first
    //   ending with the part before the space, the second starting with the rest ('이 새끼').
    //   An allowed word with a space likewise excuses a listed word beside the neighbouring
    //   token ('새끼 고양이', '고양이 새끼'), which may go on with a particle ('고양이가');
    //   an allowed English phrase excuses a whole word beside the neighbouring word.
    // An English word may carry a mark of its own:
    // - a leading '?' says the word also has an innocent sense (a bird, a name, a tool): it
    //   counts only in an abusive frame: aimed at a person ('you', 'such a', 'what a', 'she's a',
    //   'little', 'stupid' and the like before it), a body word after a possessive or a sexual
    //   verb, a plural after 'these', the word said to someone (after a comma or 'shut up', or
    //   the whole reply), beside another such word of its kind, or with other abuse in the
    //   comment;
    // - a leading '!' marks a profanity that is also a plain intensifier: it counts except
    //   among words of praise ('this shit is great'), unless aimed at a person.
    struct Entry {
        Key key;
        Hit hit;
        bool latin = false;
        bool bound = false;   // needs a Hangul syllable right before it
        bool free = false;    // needs no Hangul syllable right before it
        size_t split = 0;     // where a two-token match divides the key (0: never)
        // The allowed words that hold the key, each with where it stands in them: the only
        // ones that can excuse a match of the entry.
        std::vector<std::pair<uint32_t, uint32_t>> covers;
    };

    enum class Sense : uint8_t { Plain, Innocent, Intensifier };
    struct FrameWord;
    std::optional<Hit> framed(QStringView text) const;
    static void keyInto(QStringView text, Key &out);
    template <typename Emit>
    void forEachToken(QStringView text, Emit &&visit) const;
    bool holdsListedLatin(const Key &run) const;
    bool mayBeLatin(const Key &token) const;
    std::optional<Hit> whole(const Key &token) const;
    std::optional<Hit> wholeBeside(const Key &prev, const Key &token, const Key &next) const;
    std::optional<Hit> wholeExact(const Key &token) const;
    bool allowed(const Key &token, size_t start, size_t end, const Entry &entry) const;
    bool allowedBeside(const Key &prev, const Key &token, const Key &next, size_t start, size_t end) const;
    std::optional<Hit> inside(const Key &token, const Key &prev, const Key &next) const;
    std::optional<Hit> across(const Key &prev, const Key &token, Key &joined) const;

    // Entries made only of ASCII letters and digits match whole tokens: one exact lookup.
    std::unordered_map<Key, Hit> m_latin;
    // English words with a mark, by their hit's word.
    QHash<QString, Sense> m_senses;
    // Other entries by their first two scalars, each list longest key first, ties in input
    // order: the lists, and an open-addressed table of power-of-two size from the two
    // scalars to their list (the lookup of every position of a long text, so no division).
    struct Lead {
        uint64_t lead = 0;   // 0: an empty slot
        uint32_t list = 0;
    };
    std::vector<std::vector<Entry>> m_insideLists;
    std::vector<Lead> m_leadTable;
    int m_leadShift = 64;
    const std::vector<Entry> *insideList(uint64_t lead) const;
    // Entries of one Hangul syllable, by that syllable, and which syllables have one.
    std::unordered_map<char32_t, Entry> m_single;
    std::vector<bool> m_singleSyllables;
    // Entries with a space, by the first scalar of the part after it.
    std::unordered_map<char32_t, std::vector<Entry>> m_across;
    // Which scalars below U+D7A4 (Latin to Hangul) start an inside entry: skips most lookups.
    std::vector<bool> m_starts;
    // Which scalars below that limit stand second in an inside entry.
    std::vector<bool> m_seconds;
    size_t m_longestLatin = 0;
    std::vector<Key> m_allow;
    // Allowed words with a space, which also excuse a word next to a neighbouring token.
    std::vector<Entry> m_allowAcross;
    // Allowed English phrases of two words, as the keys of both words.
    std::vector<std::pair<Key, Key>> m_allowPairs;
    QHash<QString, int> m_counts;

    // Read when the first letter run needs cutting: most texts never need it, and the table
    // takes tens of milliseconds to build.
    class Dictionary {
    public:
        struct Hash {
            using is_transparent = void;
            size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
        };
        using Words = std::unordered_map<std::string_view, bool, Hash, std::equal_to<>>;   // -> common
        explicit Dictionary(std::string lines)
            : m_text(std::move(lines))
        {
        }
        const Words &words() const;
        size_t longest() const;

    private:
        void build() const;
        std::string m_text;   // the file's lines; the table points into it
        mutable std::once_flag m_once;
        mutable Words m_words;
        mutable size_t m_longest = 0;
    };
    std::shared_ptr<const Dictionary> m_dictionary;
    BuiltinWords(const QHash<QString, QStringList> &words, const QStringList &allow,
                 std::shared_ptr<const Dictionary> dictionary);
    // For each pair of first letters (a-z, 0-9), the lengths of the listed Latin words that
    // start with it, one bit per length.
    std::vector<uint32_t> m_latinStarts;
    // Which first three letters start a listed Latin word of three letters or more.
    std::vector<bool> m_latinTrigrams;
};
