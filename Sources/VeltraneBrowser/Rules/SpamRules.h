#pragma once
// The word rules every scan applies: the compact text form they all compare, the owner's
// keywords, reading back a built-in word hit, highlight ranges, the keyword list edits, the
// key of the rule settings and the placement of AI scores. Pure functions without state; the
// spam model derives from this class and adds the rules that read stored facts.

#include "Rules/AIRules.h"
#include "Rules/BuiltinWords.h"
#include "Wire/Comment.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class SpamRules {
    Q_DECLARE_TR_FUNCTIONS(SpamRules)

public:
    // A half-open stretch [start, end) of a text, in UTF-16 positions of the original text.
    struct Range {
        qsizetype start = 0;
        qsizetype end = 0;
        bool operator==(const Range &other) const = default;
    };

    // The owner's keywords prepared once for many texts: each usable keyword compacted and
    // indexed by its first scalar.
    class Keywords {
    public:
        Keywords() = default;
        explicit Keywords(const QStringList &words);
        bool isEmpty() const { return m_keys.empty(); }
        // The first keyword, in list order, whose compact form occurs in the text.
        std::optional<QString> match(QStringView text) const;
        // The same for a text that is already compact.
        std::optional<QString> matchCompact(const std::u32string &compacted) const;

    private:
        QStringList m_words;                  // the usable keywords, unchanged, in list order
        std::vector<std::u32string> m_keys;   // their compact forms
        std::unordered_map<char32_t, std::vector<int>> m_byFirst;
    };

    // Normalised form compared by every word rule: NFKC, lower case, only letters and
    // numbers kept, common Cyrillic and Greek lookalikes folded to Latin letters.
    static QString compact(QStringView text);
    // The same as scalars, appended to out.
    static void compactInto(QStringView text, std::u32string &out);

    // The first keyword (returned unchanged) whose compact form has at least 2 letters and
    // occurs in the compact form of the text.
    static std::optional<QString> matchedWord(QStringView text, const QStringList &words);

    // A reason "dict:<kind>:<word>" read back into its hit.
    static std::optional<BuiltinWords::Hit> builtinHit(QStringView reason);

    // Stretches of the text to highlight for the words, grouped by word in list order.
    static QList<Range> ranges(const QStringList &words, QStringView text);

    // Keyword list edits: the list after adding the keywords typed in a free text (split at
    // commas and line breaks), and after removing one keyword.
    static QStringList addKeywords(const QStringList &current, const QString &input);
    static QStringList removeKeyword(const QStringList &current, const QString &word);

    // Hash of the owner's rule settings, stored with every judged comment.
    static QString rulesKey(const QStringList &keywords, bool noLikesOnly, qint64 minLikes);

    // An AI probability of a category placed against the threshold in whole percent; the
    // reason is in the run's language.
    static AIRules::Placement place(double prob, const QString &kind, int threshold);

    // Number of extended grapheme clusters.
    static qsizetype graphemes(QStringView text);
    // Letters of a compact form, as a keyword's length counts them: grapheme clusters, except
    // that each conjoining jamo counts by itself ('ㅅㅂ' is two letters).
    static qsizetype letters(const std::u32string &compacted);
};
