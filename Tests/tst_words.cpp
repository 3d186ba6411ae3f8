// Word rules: compact form, owner keywords, built-in word lists and their matcher.
#include "Rules/BuiltinWords.h"
#include "Rules/SpamRules.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

using Hit = BuiltinWords::Hit;
using Range = SpamRules::Range;
Q_DECLARE_METATYPE(std::optional<QString>)
Q_DECLARE_METATYPE(std::optional<Hit>)
Q_DECLARE_METATYPE(QList<Range>)

namespace {

QString u(std::u32string_view s)
{
    return QString::fromUcs4(s.data(), qsizetype(s.size()));
}

QString keyText(const BuiltinWords::Key &k)
{
    return u(k);
}

QStringList tokenTexts(const QString &text)
{
    QStringList out;
    for (const auto &t : BuiltinWords::tokens(text))
        out.append(keyText(t));
    return out;
}

// The compact form computed the long way, to check the shortcuts against.
QString referenceCompact(const QString &text)
{
    const QString folded = text.normalized(QString::NormalizationForm_KC).toLower();
    static const QHash<char32_t, char32_t> table{{0x0430, 'a'}, {0x0432, 'b'}, {0x0435, 'e'}, {0x043A, 'k'},
                                                 {0x043C, 'm'}, {0x043D, 'h'}, {0x043E, 'o'}, {0x0440, 'p'},
                                                 {0x0441, 'c'}, {0x0442, 't'}, {0x0443, 'y'}, {0x0445, 'x'},
                                                 {0x0456, 'i'}, {0x0458, 'j'}, {0x0455, 's'}, {0x03B1, 'a'},
                                                 {0x03BF, 'o'}, {0x03C1, 'p'}, {0x03C4, 't'}, {0x03B9, 'i'}};
    QList<uint> out;
    for (uint c : folded.toUcs4()) {
        if (c == 0x115F || c == 0x1160)
            continue;   // Hangul fillers show as blank space
        if ((c >= 0x1F150 && c <= 0x1F169) || (c >= 0x1F170 && c <= 0x1F189)) {
            out.append('a' + (c - (c >= 0x1F170 ? 0x1F170 : 0x1F150)));
            continue;
        }
        const auto cat = QChar::category(char32_t(c));
        const bool keep = cat == QChar::Letter_Uppercase || cat == QChar::Letter_Lowercase
            || cat == QChar::Letter_Titlecase || cat == QChar::Letter_Modifier || cat == QChar::Letter_Other
            || cat == QChar::Number_DecimalDigit || cat == QChar::Number_Letter || cat == QChar::Number_Other;
        if (keep)
            out.append(table.value(char32_t(c), char32_t(c)));
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(out.constData()), out.size());
}

BuiltinWords sample(const QStringList &abuse, const QStringList &sexual = {}, const QStringList &allow = {})
{
    return BuiltinWords({{QStringLiteral("abuse"), abuse}, {QStringLiteral("sexual"), sexual}}, allow);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}   // namespace

class WordsTest : public QObject {
    Q_OBJECT
private slots:
    void compact_data();
    void compact();
    void compactShortcutsAgreeWithFullNormalisation();
    void matchedWord_data();
    void matchedWord();
    void builtinHit_data();
    void builtinHit();
    void ranges_data();
    void ranges();
    void addKeywords_data();
    void addKeywords();
    void removeKeyword();
    void lines_data();
    void lines();
    void tokens_data();
    void tokens();
    void letterWords_data();
    void letterWords();
    void key_data();
    void key();
    void oneSyllableWords_data();
    void oneSyllableWords();
    void koreanKindsOnSentences_data();
    void koreanKindsOnSentences();
    void keyComposesLikeCanonicalComposition();
    void match_data();
    void match();
    void contextMarks_data();
    void contextMarks();
    void longAndGluedTexts_data();
    void longAndGluedTexts();
    void senses_data();
    void senses();
    void entriesAndCounts();
    void loadReadsFolderAndToleratesBadFiles();
    void sharedLoadsRealListsOnceAcrossThreads();
    void realListsHaveNoDeadLines();
    void realListsOnSentences_data();
    void realListsOnSentences();
};

void WordsTest::compact_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("punctuation, symbols and emoji only") << QString::fromUtf8(" .,!? ~ 😀👍🏻 ♥ ") << "";
    QTest::newRow("full-width letters") << QString::fromUtf8("Ｓ Ｐ-Ａ.Ｍ!") << "spam";
    QTest::newRow("full-width S, Greek capital alpha") << QString::fromUtf8("Ｓ.p-Α M") << "spam";
    QTest::newRow("upper-case Cyrillic, П not folded") << QString::fromUtf8("СПАМ") << QString::fromUtf8("cпam");
    QTest::newRow("composing mark") << QString::fromUtf8("e\u0301") << QString::fromUtf8("é");
    QTest::newRow("mark that does not compose") << QString::fromUtf8("e\u0334") << "e";
    QTest::newRow("digits survive") << QString::fromUtf8("①２3") << "123";
    QTest::newRow("compatibility jamo compose") << QString::fromUtf8("ㅅㅣ") << QString::fromUtf8("시");
    QTest::newRow("two consonants stay conjoining jamo")
        << QString::fromUtf8("ㅅㅂ") << QString::fromUtf8("\u1109\u1107");
    QTest::newRow("jamo separated by a dot do not compose")
        << QString::fromUtf8("ㅅ.ㅣ") << QString::fromUtf8("\u1109\u1175");
    QTest::newRow("Hangul syllables and laughter")
        << QString::fromUtf8("와 진짜 ㅋㅋㅋ 대박!!") << QString::fromUtf8("와진짜\u110F\u110F\u110F대박");
    QTest::newRow("sigma has no final form") << QString::fromUtf8("ΟΣ") << QString::fromUtf8("oσ");
    QTest::newRow("styled mathematical letters") << QString::fromUtf8("𝐬𝐜𝐚𝐦") << "scam";
    QTest::newRow("ligature") << QString::fromUtf8("ﬁne") << "fine";
    QTest::newRow("mixed lookalikes") << QString::fromUtf8("ѕсаm") << "scam";
    QTest::newRow("dingbat circled digits are numbers") << QString::fromUtf8("❶➀ ✔❤") << QString::fromUtf8("❶➀");
    QTest::newRow("zero-width characters vanish") << QString::fromUtf8("sc\u200Bam\u200D") << "scam";
    QTest::newRow("Hangul filler between syllables vanishes")
        << QString::fromUtf8("씨\u3164발 씨\u115F발 씨\uFFA0발") << QString::fromUtf8("씨발씨발씨발");
    QTest::newRow("negative squared and circled letters") << QString::fromUtf8("🅵🆄🅲🅺 🅕🅤🅒🅚") << "fuckfuck";
}

void WordsTest::compact()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(SpamRules::compact(text), expected);
}

void WordsTest::compactShortcutsAgreeWithFullNormalisation()
{
    // Random texts over the characters comments are made of, including those that force the
    // full path: every result must equal the long way round.
    const QString alphabet = QString::fromUtf8(
        "aZ9 .!?,~-_ 가힣시발ㅋㅎㅅㅂㅣㅏㅠㄳㅄㆍ ＳＣＡＭ①²ⅫсаΑΣ é\u0301\u0334\u200B\u200D\uFE0F"
        "…·“”\u3000\u00A0\u1100\u1161\u11A8ﬁ♥➡←↚\u0338☆❤✔❶➀➓「」。😀👍🏻🈁🄰"
        "\u3164\u115F\uFFA0🅵🅕");
    const QList<uint> pool = alphabet.toUcs4();
    auto *rng = QRandomGenerator::global();
    for (int round = 0; round < 3000; ++round) {
        QList<uint> scalars;
        const int len = int(rng->bounded(12));
        for (int i = 0; i < len; ++i)
            scalars.append(pool.at(rng->bounded(int(pool.size()))));
        const QString text = QString::fromUcs4(reinterpret_cast<const char32_t *>(scalars.constData()), scalars.size());
        if (SpamRules::compact(text) != referenceCompact(text))
            QFAIL(qPrintable(QStringLiteral("compact differs for '%1': '%2' vs '%3'")
                                 .arg(text, SpamRules::compact(text), referenceCompact(text))));
    }
}

void WordsTest::matchedWord_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<std::optional<QString>>("expected");
    QTest::newRow("spaced letters, returned unchanged")
        << "S P A M" << QStringList{"Spam"} << std::optional<QString>("Spam");
    QTest::newRow("one-character keyword never matches") << "a b a" << QStringList{"!a!"} << std::optional<QString>();
    QTest::newRow("choseong abbreviation is two letters")
        << QString::fromUtf8("ㅋㅋㅅㅂ 진짜") << QStringList{QString::fromUtf8("ㅅㅂ")}
        << std::optional<QString>(QString::fromUtf8("ㅅㅂ"));
    QTest::newRow("choseong abbreviation typed apart")
        << QString::fromUtf8("ㅂ ㅅ 같은") << QStringList{QString::fromUtf8("ㅂㅅ")}
        << std::optional<QString>(QString::fromUtf8("ㅂㅅ"));
    QTest::newRow("choseong abbreviation does not match a syllable it starts")
        << QString::fromUtf8("ㅅ바") << QStringList{QString::fromUtf8("ㅅㅂ")} << std::optional<QString>();
    QTest::newRow("one consonant stays too short")
        << QString::fromUtf8("ㅅ ㅅ") << QStringList{QString::fromUtf8("ㅅ")} << std::optional<QString>();
    QTest::newRow("consonants before a syllable count each")
        << QString::fromUtf8("ㅅㅂ놈") << QStringList{QString::fromUtf8("ㅅㅂ놈")}
        << std::optional<QString>(QString::fromUtf8("ㅅㅂ놈"));
    QTest::newRow("first in list order wins, not first in text")
        << "buy cheap pills now" << QStringList{"pills", "cheap"} << std::optional<QString>("pills");
    QTest::newRow("later keyword when the first is absent")
        << "buy cheap" << QStringList{"pills", "ch eap"} << std::optional<QString>("ch eap");
    QTest::newRow("substring inside a word")
        << "freecrypto giveaway" << QStringList{"crypto"} << std::optional<QString>("crypto");
    QTest::newRow("Korean keyword inside text")
        << QString::fromUtf8("여기 클릭하면 무료 코인 지급") << QStringList{QString::fromUtf8("무료코인")}
        << std::optional<QString>(QString::fromUtf8("무료코인"));
    QTest::newRow("lookalike letters in text")
        << QString::fromUtf8("Тelegrаm me") << QStringList{"telegram"} << std::optional<QString>("telegram");
    QTest::newRow("Hangul filler does not hide a keyword")
        << QString::fromUtf8("씨\u3164발") << QStringList{QString::fromUtf8("씨발")}
        << std::optional<QString>(QString::fromUtf8("씨발"));
    QTest::newRow("empty list") << "spam" << QStringList{} << std::optional<QString>();
    QTest::newRow("no match") << "nice video" << QStringList{"spam"} << std::optional<QString>();
}

void WordsTest::matchedWord()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QFETCH(std::optional<QString>, expected);
    QCOMPARE(SpamRules::matchedWord(text, words), expected);
    QCOMPARE(SpamRules::Keywords(words).match(text), expected);
}

void WordsTest::builtinHit_data()
{
    QTest::addColumn<QString>("reason");
    QTest::addColumn<std::optional<Hit>>("expected");
    QTest::newRow("kind and word") << "dict:abuse:word" << std::optional<Hit>(Hit{"abuse", "word"});
    QTest::newRow("colon inside word") << "dict:abuse:a:b" << std::optional<Hit>(Hit{"abuse", "a:b"});
    QTest::newRow("leading colons skipped") << "dict::sexual:x" << std::optional<Hit>(Hit{"sexual", "x"});
    QTest::newRow("empty word") << "dict:abuse:" << std::optional<Hit>();
    QTest::newRow("no word") << "dict:abuse" << std::optional<Hit>();
    QTest::newRow("keyword reason") << "custom:word" << std::optional<Hit>();
    QTest::newRow("empty") << "" << std::optional<Hit>();
    QTest::newRow("Korean word") << QString::fromUtf8("dict:abuse:씨발")
                                 << std::optional<Hit>(Hit{"abuse", QString::fromUtf8("씨발")});
}

void WordsTest::builtinHit()
{
    QFETCH(QString, reason);
    QFETCH(std::optional<Hit>, expected);
    QCOMPARE(SpamRules::builtinHit(reason), expected);
}

void WordsTest::ranges_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<Range>>("expected");
    QTest::newRow("punctuation inside, not after") << QStringList{"spam"} << "s.p.a.m!" << QList<Range>{{0, 7}};
    QTest::newRow("no overlapping occurrences") << QStringList{"aa"} << "aaa" << QList<Range>{{0, 2}};
    QTest::newRow("same word twice") << QStringList{"aa", "aa"} << "aa" << QList<Range>{{0, 2}, {0, 2}};
    QTest::newRow("one-scalar words") << QStringList{"a", "!b!"} << "a b" << QList<Range>{};
    QTest::newRow("empty text") << QStringList{"spam"} << "" << QList<Range>{};
    QTest::newRow("grouped by word, left to right")
        << QStringList{"cd", "ab"} << "ab cd ab" << QList<Range>{{3, 5}, {0, 2}, {6, 8}};
    QTest::newRow("ligature widens to the whole character")
        << QStringList{"if"} << QString::fromUtf8("xiﬁ") << QList<Range>{{1, 3}};
    QTest::newRow("emoji with surrogates before")
        << QStringList{QString::fromUtf8("광고")} << QString::fromUtf8("😀 광 고!") << QList<Range>{{3, 6}};
    QTest::newRow("combining mark belongs to its letter")
        << QStringList{"ca"} << QString::fromUtf8("ca\u0301t") << QList<Range>{};
    QTest::newRow("dropped characters between letters fall inside")
        << QStringList{QString::fromUtf8("광고")} << QString::fromUtf8("[광 😀 고]") << QList<Range>{{1, 7}};
    QTest::newRow("word longer than text") << QStringList{"spammer"} << "spam" << QList<Range>{};
    QTest::newRow("choseong keyword after laughter")
        << QStringList{QString::fromUtf8("ㅅㅂ")} << QString::fromUtf8("ㅋㅋㅅㅂ") << QList<Range>{{2, 4}};
}

void WordsTest::ranges()
{
    QFETCH(QStringList, words);
    QFETCH(QString, text);
    QFETCH(QList<Range>, expected);
    QCOMPARE(SpamRules::ranges(words, text), expected);
}

void WordsTest::addKeywords_data()
{
    QTest::addColumn<QStringList>("current");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("commas, line feed, short piece")
        << QStringList{} << " spam , eggs\nx ," << QStringList{"eggs", "spam"};
    QTest::newRow("carriage return and line feed splits")
        << QStringList{"zz"} << "bb\r\naa" << QStringList{"aa", "bb", "zz"};
    QTest::newRow("duplicates dropped, case kept")
        << QStringList{"spam"} << "spam,Spam, spam" << QStringList{"Spam", "spam"};
    QTest::newRow("canonically equal forms are one keyword")
        << QStringList{QString::fromUtf8("caf\u00e9")} << QString::fromUtf8("cafe\u0301")
        << QStringList{QString::fromUtf8("caf\u00e9")};
    QTest::newRow("tabs and ideographic spaces trimmed")
        << QStringList{} << QString::fromUtf8("\t광고\u3000,\u00a0무료 ")
        << QStringList{QString::fromUtf8("광고"), QString::fromUtf8("무료")};
    QTest::newRow("typed jamo are two characters, a composed accent one")
        << QStringList{} << QString::fromUtf8("ㅅㅂ,e\u0301") << QStringList{QString::fromUtf8("ㅅㅂ")};
    QTest::newRow("lone carriage return is kept inside the piece")
        << QStringList{} << "ab\rcd" << QStringList{"ab\rcd"};
    QTest::newRow("nothing added still sorts the list") << QStringList{"b", "a", "b"} << "" << QStringList{"a", "b"};
    QTest::newRow("order by scalars, not UTF-16 units")
        << QStringList{} << QString::fromUtf8("\uFF21x,😀x")
        << QStringList{QString::fromUtf8("\uFF21x"), QString::fromUtf8("😀x")};
}

void WordsTest::addKeywords()
{
    QFETCH(QStringList, current);
    QFETCH(QString, input);
    QFETCH(QStringList, expected);
    QCOMPARE(SpamRules::addKeywords(current, input), expected);
}

void WordsTest::removeKeyword()
{
    QCOMPARE(SpamRules::removeKeyword({"c", "a", "b", "a"}, "a"), (QStringList{"c", "b"}));
    QCOMPARE(SpamRules::removeKeyword({"a", "b"}, "z"), (QStringList{"a", "b"}));
    QCOMPARE(SpamRules::removeKeyword({"Spam", "spam"}, "spam"), (QStringList{"Spam"}));
    // Canonically equal forms are the same keyword, as when adding.
    QCOMPARE(SpamRules::removeKeyword({QString::fromUtf8("cafe\u0301"), "tea"}, QString::fromUtf8("caf\u00e9")),
             (QStringList{"tea"}));
    QCOMPARE(SpamRules::removeKeyword({QString::fromUtf8("caf\u00e9")}, QString::fromUtf8("cafe\u0301")),
             QStringList{});
}

void WordsTest::lines_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("every newline kind") << QString::fromUtf8("a\nb\vc\fd\re\r\nf\u0085g\u2028h\u2029i")
                                        << QStringList{"a", "b", "c", "d", "e", "f", "g", "h", "i"};
    QTest::newRow("trim spaces and tabs, skip empty lines")
        << QString::fromUtf8("  one \t\n\n\t\u3000two words\u00a0\n   \n") << QStringList{"one", "two words"};
    QTest::newRow("no comment syntax") << "# not a comment\n// nor this"
                                       << QStringList{"# not a comment", "// nor this"};
}

void WordsTest::lines()
{
    QFETCH(QString, content);
    QFETCH(QStringList, expected);
    QCOMPARE(BuiltinWords::lines(content), expected);
}

void WordsTest::tokens_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("letters typed apart join") << "s c a m" << QStringList{"scam"};
    QTest::newRow("single letter beside words") << "s ca m" << QStringList{"s", "ca", "m"};
    QTest::newRow("punctuation pieces do not break a run") << "s - c ! a m" << QStringList{"scam"};
    QTest::newRow("Korean syllables apart")
        << QString::fromUtf8("시 발 놈아") << QStringList{QString::fromUtf8("시발"), QString::fromUtf8("놈아")};
    QTest::newRow("all white space kinds")
        << QString::fromUtf8("ab\u3000cd\u00a0ef\u2028gh\tij") << QStringList{"ab", "cd", "ef", "gh", "ij"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("punctuation and emoji only") << QString::fromUtf8("!!! 😀 ...") << QStringList{};
    QTest::newRow("jamo pieces compose across a dot")
        << QString::fromUtf8("ㅅ.ㅣ발") << QStringList{QString::fromUtf8("시발")};
    QTest::newRow("a wider gap does not end a run of letters")
        << QString::fromUtf8("씨  발 놈아") << QStringList{QString::fromUtf8("씨발"), QString::fromUtf8("놈아")};
    QTest::newRow("jamo typed apart compose")
        << QString::fromUtf8("ㅆ ㅣ ㅂ ㅏ ㄹ") << QStringList{QString::fromUtf8("씨발")};
}

void WordsTest::tokens()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(tokenTexts(text), expected);
}

void WordsTest::letterWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<Hit>>("expected");
    const std::optional<Hit> none;
    const std::optional<Hit> bitch = Hit{"abuse", "bitch"};
    const std::optional<Hit> idiot = Hit{"abuse", "idiot"};
    const std::optional<Hit> ass = Hit{"abuse", "ass"};
    QTest::newRow("sentence typed letter by letter") << "y o u a r e a n i d i o t" << idiot;
    QTest::newRow("listed word after a one-letter word") << "a b i t c h" << bitch;
    QTest::newRow("typed apart after whole words") << "you are a b i t c h" << bitch;
    QTest::newRow("listed word first, upper case") << "I D I O T S A Y S W H A T" << idiot;
    QTest::newRow("a known word that holds a listed one") << "w h a t a c l a s s" << none;
    QTest::newRow("a tie reads innocently") << "i s h i t t h e b a l l" << none;
    QTest::newRow("a rare word loses to a listed one") << "b i t c h u r l" << bitch;
    QTest::newRow("listed word inside letters no word covers") << "x a s s y" << none;
    QTest::newRow("listed word beside a longer unknown word") << "z o r g l u b a s s" << ass;
    QTest::newRow("initials") << "J R R Tolkien" << none;
    QTest::newRow("an acronym spelled out") << "U S A" << none;
    QTest::newRow("jamo laughter") << QString::fromUtf8("ㅋ ㅋ ㅋ ㅠ ㅠ") << none;
}

void WordsTest::letterWords()
{
    QFETCH(QString, text);
    QFETCH(std::optional<Hit>, expected);
    const BuiltinWords words({{QStringLiteral("abuse"), {"bitch", "idiot", "ass", "shit", "ks"}}}, {},
                             {"*a", "*i", "*you", "*are", "*an", "*class", "*is", "*hit", "*the", "*ball", "*what",
                              "*says", "*us", "sa", "*bit", "churl", "*url"});
    QCOMPARE(words.match(text), expected);
}

void WordsTest::key_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("accents on Latin letters") << QString::fromUtf8("FÜCK fück") << "fuckfuck";
    QTest::newRow("letters without a decomposition") << QString::fromUtf8("øđłı") << "odli";
    QTest::newRow("dollar and at for letters") << "a$$hole @ss $hit"
                                               << "assholeassshit";
    QTest::newRow("dollar before digits stays a symbol") << "$100"
                                                         << "100";
    QTest::newRow("at and dollar beside Hangul stay symbols")
        << QString::fromUtf8("시@발 $") << QString::fromUtf8("시발");
    QTest::newRow("contraction is not part of the word") << "who're"
                                                         << "who";
    QTest::newRow("possessive is not part of the word") << QString::fromUtf8("Dick\u2019s") << "dick";
    QTest::newRow("apostrophe at the end stays") << "fuckin'"
                                                 << "fuckin";
    QTest::newRow("apostrophe inside a longer tail stays") << "sh'it"
                                                           << "shit";
    QTest::newRow("jamo compose across dropped characters")
        << QString::fromUtf8("ㅅ.ㅣ.ㅂ.ㅏ.ㄹ") << QString::fromUtf8("시발");
    QTest::newRow("'t is a contraction only after n") << "don't shi't twa't"
                                                      << "dontshittwat";
    QTest::newRow("'d is a contraction only after a pronoun") << "retar'd"
                                                              << "retard";
    QTest::newRow("'d after a pronoun") << "you'd"
                                        << "you";
    // Letters typed one by one compose the way a Korean keyboard does: a consonant after a
    // vowel closes the syllable unless a vowel follows it.
    QTest::newRow("compatibility jamo compose with final consonants")
        << QString::fromUtf8("ㅂㅕㅇㅅㅣㄴ") << QString::fromUtf8("병신");
    QTest::newRow("conjoining jamo compose with final consonants")
        << QString::fromUtf8("\u1107\u1167\u110B\u1109\u1175\u1102") << QString::fromUtf8("병신");
    QTest::newRow("double final and compound vowel")
        << QString::fromUtf8("ㄷㅏㄹㄱㅇㅗㅏ") << QString::fromUtf8("닭와");
    QTest::newRow("typed final consonant pair")
        << QString::fromUtf8("ㅇㅓㅄㅇㅣ ㅇㅏㄶㅇㅏ") << QString::fromUtf8("없이않아");
    QTest::newRow("consonant before a vowel starts the next syllable")
        << QString::fromUtf8("ㅅㅏㄹㅏㅇ") << QString::fromUtf8("사랑");
    QTest::newRow("a typed syllable takes no final consonant")
        << QString::fromUtf8("좋아ㅋㅋ") << QString::fromUtf8("좋아\u110F\u110F");
    QTest::newRow("crying, laughter and abbreviations stay jamo")
        << QString::fromUtf8("ㅠㅠㅋㅋㄱㅅ") << QString::fromUtf8("\u1172\u1172\u110F\u110F\u1100\u1109");
    QTest::newRow("consonant pair stays two jamo") << QString::fromUtf8("ㅅㅂ") << QString::fromUtf8("\u1109\u1107");
    QTest::newRow("syllable takes a final consonant")
        << QString::fromUtf8("\u1109\u1175\u11AF") << QString::fromUtf8("실");
}

void WordsTest::key()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(keyText(BuiltinWords::key(text)), expected);
}

void WordsTest::keyComposesLikeCanonicalComposition()
{
    // The one-pass composition of a key must agree with full canonical composition of the
    // compact form, Latin accents folded, on texts mixing syllables, jamo of every kind,
    // accents and symbols in between. Where a letter follows a typed vowel letter, the key
    // composes as a keyboard does (a final consonant, a compound vowel), which canonical
    // composition does not: those texts are left to the rows of key().
    auto keyboardComposes = [](const QString &text) {
        bool afterVowel = false;
        for (uint c : text.toUcs4()) {
            const bool vowel = (c >= 0x314F && c <= 0x3163) || (c >= 0x1161 && c <= 0x1175);
            const bool letter = (c >= 0x3131 && c <= 0x3163) || (c >= 0x1100 && c <= 0x11FF);
            if (afterVowel && letter)
                return true;
            if (vowel)
                afterVowel = true;
            else if (QChar::isLetterOrNumber(c) && c != 0x3164)
                afterVowel = false;
        }
        return false;
    };
    auto reference = [](const QString &text) {
        const QString composed = SpamRules::compact(text).normalized(QString::NormalizationForm_C);
        QList<uint> out;
        for (uint c : composed.toUcs4()) {
            if (c >= 0xC0 && c < 0x250) {
                const QString d = QString(QChar(char16_t(c))).normalized(QString::NormalizationForm_D);
                const char16_t base = d.at(0).unicode();
                if (base >= 'a' && base <= 'z')
                    c = base;
                else if (c == 0xF8)
                    c = 'o';
                else if (c == 0x111)
                    c = 'd';
                else if (c == 0x131)
                    c = 'i';
                else if (c == 0x142)
                    c = 'l';
            }
            out.append(c);
        }
        return QString::fromUcs4(reinterpret_cast<const char32_t *>(out.constData()), out.size());
    };
    const QString alphabet = QString::fromUtf8(
        "aZ9 .!?~-가각힣시ㅋㅅㅂㅣㅏㅠㄳㅄ\u1100\u1112\u1161\u1175\u11A8\u11C2\u1113\u1176\u11C3"
        "éÜçøıłđ\u0301\u0334\u3164😀");
    const QList<uint> pool = alphabet.toUcs4();
    auto *rng = QRandomGenerator::global();
    for (int round = 0; round < 3000; ++round) {
        QList<uint> scalars;
        const int len = int(rng->bounded(14));
        for (int i = 0; i < len; ++i)
            scalars.append(pool.at(rng->bounded(int(pool.size()))));
        const QString text = QString::fromUcs4(reinterpret_cast<const char32_t *>(scalars.constData()), scalars.size());
        if (keyboardComposes(text))
            continue;
        const QString mine = keyText(BuiltinWords::key(text));
        if (mine != reference(text))
            QFAIL(qPrintable(QStringLiteral("key differs for '%1': '%2' vs '%3'").arg(text, mine, reference(text))));
    }
}

void WordsTest::oneSyllableWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<Hit>>("expected");
    const std::optional<Hit> none;
    const std::optional<Hit> bare(Hit{"abuse", QString::fromUtf8("좆")});
    const std::optional<Hit> longer(Hit{"abuse", QString::fromUtf8("좆같")});
    const std::optional<Hit> free(Hit{"abuse", QString::fromUtf8("뇬")});
    QTest::newRow("syllable inside a longer word") << QString::fromUtf8("이번 패치 좆망겜") << bare;
    QTest::newRow("syllable as a whole token") << QString::fromUtf8("아 좆 진짜") << bare;
    QTest::newRow("syllable ending a token") << QString::fromUtf8("민좆") << bare;
    QTest::newRow("longer word at the same start wins") << QString::fromUtf8("좆같네") << longer;
    QTest::newRow("allowed phrase excuses the syllable") << QString::fromUtf8("좆나 웃기네 ㅋㅋ") << none;
    QTest::newRow("free syllable at a token's start") << QString::fromUtf8("이 뇬들 뭐냐") << free;
    QTest::newRow("free syllable after a stem") << QString::fromUtf8("이뇬") << none;
    QTest::newRow("a lone letter is never a word") << QString::fromUtf8("ㄱ ㄴ ㄷ") << none;
    QTest::newRow("other syllables") << QString::fromUtf8("조아 좋아") << none;
}

void WordsTest::oneSyllableWords()
{
    QFETCH(QString, text);
    QFETCH(std::optional<Hit>, expected);
    const BuiltinWords words = sample({QString::fromUtf8("좆"), QString::fromUtf8("좆같"), QString::fromUtf8("^뇬"),
                                       QString::fromUtf8("ㄱ")},
                                      {}, {QString::fromUtf8("좆나 웃기")});
    QCOMPARE(words.match(text), expected);
}

void WordsTest::koreanKindsOnSentences_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hit");
    // Kinds of Korean abuse that carry no common swear word.
    const char *abusive[] = {
        // '-충' and '벌레' for groups of people.
        "예민충들 또 난리 났네",
        "흡연충 때문에 숨을 못 쉬겠다",
        "너 같은 건 벌레만도 못해",
        // '쳐-' verb forms.
        "남의 말은 쳐듣지도 않네",
        "감옥에 쳐넣어야 정신 차리지",
        "헛소리 쳐지껄이지 마라",
        // Insults of a person's parents.
        "니미 뭐라는 거야",
        "느그 엄마가 그렇게 가르치더냐",
        // Vulgar prefixes on any word.
        "좆초딩들 몰려왔네",
        "민좃당 또 저런다",
        "씹티즌들 다 모였네",
        // Political, regional and gender slurs.
        "토착홍어들 선동 쩐다",
        "메퇘지들 단체로 몰려오네",
        "쿵쾅이들 또 시작이다",
        "냄져들은 빠져라",
        "김치년들 다 똑같지",
        "계집년이 어디서 말대꾸야",
        "저년은 왜 저러냐",
        // Worth and intelligence.
        "모지리 같은 소리 하네",
        "저능아 수준 댓글",
        "골빈 소리 좀 그만해",
        "면상 좀 치워라",
        "재수없게 생겼네",
        "못배운 티 낸다",
        "눈깔 삐었냐",
        // A modifier, a space, then a bare insult noun called out.
        "멍청한 년아 정신 차려",
        "뻔뻔한 놈아 사과해",
        "못생긴 새기야 꺼져",
    };
    for (const char *text : abusive)
        QTest::addRow("abusive: %s", text) << QString::fromUtf8(text) << true;
    // The same letters in harmless words.
    const char *innocent[] = {
        "청년들 일자리가 부족해요",
        "저학년들 수업 시간이 짧아요",
        "이년제 대학 졸업했어요",
        "외모가지고 뭐라 하지 마세요",
        "박수 쳐주세요",
        "피아노 쳐도 될까요",
        "넘쳐나는 인기 부럽다",
        "1년 아니면 2년 걸려요",
        "마이애미 여행 가고 싶다",
        "처자식 먹여 살리느라 힘들다",
        "껌 씹는 소리 ASMR",
        "대충이라도 알려주세요",
        "주제에 맞는 영상 감사합니다",
        "손모가지 걸고 약속",
    };
    for (const char *text : innocent)
        QTest::addRow("innocent: %s", text) << QString::fromUtf8(text) << false;
}

void WordsTest::koreanKindsOnSentences()
{
    QFETCH(QString, text);
    QFETCH(bool, hit);
    const auto found = BuiltinWords::shared().match(text);
    QVERIFY2(found.has_value() == hit,
             qPrintable(found ? QStringLiteral("unexpected hit %1:%2").arg(found->kind, found->word)
                              : QStringLiteral("no hit")));
}

void WordsTest::match_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<Hit>>("expected");
    const Hit scam{"abuse", "scam"};
    const Hit ko{"abuse", QString::fromUtf8("시발")};
    const std::optional<Hit> none;
    QTest::newRow("spaced") << "s c a m" << std::optional<Hit>(scam);
    QTest::newRow("dotted upper case") << "S.C.A.M" << std::optional<Hit>(scam);
    QTest::newRow("pair joined") << "sc am" << std::optional<Hit>(scam);
    QTest::newRow("run then pair") << "sc a m" << std::optional<Hit>(scam);
    QTest::newRow("full width") << QString::fromUtf8("ＳＣＡＭ") << std::optional<Hit>(scam);
    QTest::newRow("Cyrillic lookalikes") << QString::fromUtf8("ѕсаm") << std::optional<Hit>(scam);
    QTest::newRow("Greek and Cyrillic capitals") << QString::fromUtf8("SСΑM") << std::optional<Hit>(scam);
    QTest::newRow("inside a sentence") << "this is a scam, report it" << std::optional<Hit>(scam);
    QTest::newRow("latin word must be the whole token") << "scammers everywhere" << none;
    QTest::newRow("single letters split around a pair") << "s ca m" << none;
    QTest::newRow("three tokens never join") << "sc a mm" << none;
    QTest::newRow("Korean inside a longer word") << QString::fromUtf8("아시발진짜") << std::optional<Hit>(ko);
    QTest::newRow("Korean syllables typed apart") << QString::fromUtf8("시 발") << std::optional<Hit>(ko);
    QTest::newRow("Korean with symbols inside") << QString::fromUtf8("시.발!!") << std::optional<Hit>(ko);
    QTest::newRow("Korean split with two syllables on one side") << QString::fromUtf8("아시 발") << none;
    QTest::newRow("allowed word covers the hit") << QString::fromUtf8("시발점이") << none;
    QTest::newRow("allowed word elsewhere, hit still found")
        << QString::fromUtf8("시발점시발") << std::optional<Hit>(ko);
    QTest::newRow("longest key at one start wins")
        << QString::fromUtf8("개새끼들") << std::optional<Hit>(Hit{"abuse", QString::fromUtf8("개새끼")});
    QTest::newRow("leftmost start wins over longer later key")
        << QString::fromUtf8("병신개새끼") << std::optional<Hit>(Hit{"sexual", QString::fromUtf8("병신")});
    QTest::newRow("earlier token wins") << QString::fromUtf8("fuck 시발") << std::optional<Hit>(Hit{"sexual", "fuck"});
    QTest::newRow("empty") << "" << none;
    QTest::newRow("emoji only") << QString::fromUtf8("😀😀 !!") << none;
    QTest::newRow("allowed word suppresses the only hit") << QString::fromUtf8("새끼손가락") << none;
    QTest::newRow("letters typed apart, words set apart by wider gaps")
        << "t h i s  i s  a  s c a m" << std::optional<Hit>(scam);
    QTest::newRow("letters typed apart, a wider gap inside the word") << "s c  a m" << std::optional<Hit>(scam);
    QTest::newRow("words glued by punctuation") << "what a scam...report" << std::optional<Hit>(scam);
    QTest::newRow("a hyphen joins words") << "scam-artists" << std::optional<Hit>(scam);
    QTest::newRow("letters dotted apart are one word, not parts") << "s.c.a.m.s" << none;
}

void WordsTest::match()
{
    QFETCH(QString, text);
    QFETCH(std::optional<Hit>, expected);
    const BuiltinWords words =
        sample({"scam", QString::fromUtf8("시발"), QString::fromUtf8("개새끼"), QString::fromUtf8("새끼")},
               {"fuck", QString::fromUtf8("병신")}, {QString::fromUtf8("시발점"), QString::fromUtf8("새끼손가락")});
    QCOMPARE(words.match(text), expected);
}

void WordsTest::contextMarks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<Hit>>("expected");
    const std::optional<Hit> none;
    const std::optional<Hit> young(Hit{"abuse", QString::fromUtf8("새끼")});
    const std::optional<Hit> bound(Hit{"abuse", QString::fromUtf8("새기")});
    const std::optional<Hit> mad(Hit{"abuse", QString::fromUtf8("미친 놈")});
    const std::optional<Hit> hate(Hit{"abuse", QString::fromUtf8("존나 싫")});
    // A bound word needs a syllable of its own token before it.
    QTest::newRow("bound word after a stem") << QString::fromUtf8("원숭이새기") << bound;
    QTest::newRow("bound word at the start of a token") << QString::fromUtf8("새기다") << none;
    QTest::newRow("bound word after a space") << QString::fromUtf8("원숭이 새기") << none;
    QTest::newRow("bound word after a digit") << QString::fromUtf8("18새기") << none;
    QTest::newRow("bound word excused by an allowed word") << QString::fromUtf8("되새기는 밤") << none;
    // A word with a space spans two tokens, or stands joined inside one.
    QTest::newRow("two-token word") << QString::fromUtf8("미친 놈이네") << mad;
    QTest::newRow("two-token word joined") << QString::fromUtf8("미친놈") << mad;
    QTest::newRow("two-token word, first part ends a longer token") << QString::fromUtf8("정말미친 놈") << mad;
    QTest::newRow("two-token word, other second part") << QString::fromUtf8("미친 노래") << none;
    QTest::newRow("two-token word, first part not at the end") << QString::fromUtf8("미친다 놈") << none;
    QTest::newRow("two-token word, parts swapped") << QString::fromUtf8("놈 미친") << none;
    QTest::newRow("intensifier beside an insult") << QString::fromUtf8("존나 싫어") << hate;
    QTest::newRow("intensifier alone") << QString::fromUtf8("존나 좋아 ㅋㅋ") << none;
    QTest::newRow("two tokens apart never join") << QString::fromUtf8("존나 정말 싫어") << none;
    // An allowed word with a space excuses a listed word beside the neighbouring token.
    QTest::newRow("allowed with the next token") << QString::fromUtf8("새끼 고양이 분양") << none;
    QTest::newRow("allowed with the previous token") << QString::fromUtf8("길고양이 새끼") << none;
    QTest::newRow("allowed, previous token goes on with a particle")
        << QString::fromUtf8("고양이가 새끼를 낳았다") << none;
    QTest::newRow("allowed joined inside one token") << QString::fromUtf8("고양이새끼") << none;
    QTest::newRow("neighbour not allowed") << QString::fromUtf8("새끼 강아지") << young;
    QTest::newRow("allowed only next to it, later hit found") << QString::fromUtf8("고양이 새끼 이 새끼") << young;
    QTest::newRow("allowed word further away does not excuse") << QString::fromUtf8("고양이 정말 새끼") << young;
    QTest::newRow("last token with nothing after it") << QString::fromUtf8("이 새끼") << young;
}

void WordsTest::contextMarks()
{
    QFETCH(QString, text);
    QFETCH(std::optional<Hit>, expected);
    const BuiltinWords words =
        sample({QString::fromUtf8("새끼"), QString::fromUtf8("~새기"), QString::fromUtf8("미친 놈"),
                QString::fromUtf8("존나 싫")},
               {}, {QString::fromUtf8("되새기"), QString::fromUtf8("고양이 새끼"), QString::fromUtf8("새끼 고양이")});
    QCOMPARE(words.match(text), expected);
}

void WordsTest::longAndGluedTexts_data()
{
    // Long texts go through shortcuts of their own: thousands of glued parts, letters typed
    // apart with wide gaps, long plain pieces, allowed words at every position.
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<Hit>>("expected");
    const std::optional<Hit> none;
    const std::optional<Hit> scam(Hit{"abuse", "scam"});
    const std::optional<Hit> shit(Hit{"abuse", "shit"});
    const std::optional<Hit> young(Hit{"abuse", QString::fromUtf8("새끼")});
    const QString glued = QStringLiteral("ab.cd.").repeated(400);
    QTest::newRow("glued parts, listed word last") << glued + "scam" << scam;
    QTest::newRow("glued parts, digits for letters") << glued + "sh1t" << shit;
    QTest::newRow("glued parts, stretched letters") << glued + "shiiiit" << shit;
    QTest::newRow("glued parts, upper case") << glued + "SCAM" << scam;
    QTest::newRow("glued parts, an accented letter") << glued + QString::fromUtf8("sc\u00E0m") << scam;
    QTest::newRow("glued parts, none listed") << glued << none;
    QTest::newRow("glued parts, Latin letter starting a Korean entry")
        << glued + QString::fromUtf8("c\uBC1C") << std::optional<Hit>(Hit{"abuse", QString::fromUtf8("c발")});
    QTest::newRow("long plain piece is one word") << QStringLiteral("qwertyuiop").repeated(4) + "scam" << none;
    QTest::newRow("long piece, accented letter far in")
        << QStringLiteral("qwertyuiop").repeated(4) + QString::fromUtf8(".sc\u00E0m") << scam;
    QTest::newRow("letters typed apart, many wide gaps") << QStringLiteral("a b  ").repeated(300) + "s c a m" << scam;
    QTest::newRow("letters typed apart, none listed") << QStringLiteral("y o u a r e ").repeated(300) << none;
    const QString finger = QString::fromUtf8("새끼손가락").repeated(400);
    QTest::newRow("allowed word at every position") << finger << none;
    QTest::newRow("allowed word at every position, then the word alone")
        << finger + QString::fromUtf8(" 이 새끼") << young;
    QTest::newRow("allowed word cut short does not excuse") << QString::fromUtf8("새끼손") << young;
    QTest::newRow("allowed word holding the listed word in its middle") << QString::fromUtf8("고양이새끼") << none;
    QTest::newRow("longer entry differing in its third syllable") << QString::fromUtf8("개새기") << none;
    QTest::newRow("listed syllable inside a token")
        << QString::fromUtf8("아좆같네") << std::optional<Hit>(Hit{"abuse", QString::fromUtf8("좆")});
    QTest::newRow("listed syllable excused by an allowed word") << QString::fromUtf8("좆밥이다") << none;
}

void WordsTest::longAndGluedTexts()
{
    QFETCH(QString, text);
    QFETCH(std::optional<Hit>, expected);
    const BuiltinWords words =
        sample({"scam", "shit", QString::fromUtf8("개새끼"), QString::fromUtf8("새끼"), QString::fromUtf8("좆"),
                QString::fromUtf8("c발")},
               {}, {QString::fromUtf8("새끼손가락"), QString::fromUtf8("고양이 새끼"), QString::fromUtf8("좆밥")});
    QCOMPARE(words.match(text), expected);
}

void WordsTest::senses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<Hit>>("expected");
    const std::optional<Hit> none;
    const std::optional<Hit> prick = Hit{"abuse", "prick"};
    const std::optional<Hit> coon = Hit{"abuse", "coon"};
    const std::optional<Hit> coons = Hit{"abuse", "coons"};
    const std::optional<Hit> cock = Hit{"sexual", "cock"};
    const std::optional<Hit> shit = Hit{"abuse", "shit"};
    // Aimed at a person.
    QTest::newRow("after you") << "get lost you prick" << prick;
    QTest::newRow("after a scornful word") << "that little prick again" << prick;
    QTest::newRow("such a") << "he is such a prick" << prick;
    QTest::newRow("a person is a") << "Colin is a prick" << prick;
    QTest::newRow("she a") << "she a prick" << prick;
    QTest::newRow("these before a plural") << "these coons again" << coons;
    QTest::newRow("that at the end of a sentence") << "look at that coon." << coon;
    QTest::newRow("said after a comma") << "nobody asked, prick" << prick;
    QTest::newRow("said after an opener") << "shut up prick" << prick;
    QTest::newRow("said first, then a comma") << "prick, nobody asked" << prick;
    QTest::newRow("the whole reply") << "Prick!" << prick;
    QTest::newRow("beside one of its kind") << "pricks and coons" << std::optional<Hit>(Hit{"abuse", "pricks"});
    QTest::newRow("with other abuse, the earlier word") << "the prick is an idiot" << prick;
    QTest::newRow("a body word after a possessive") << "suck my cock" << cock;
    QTest::newRow("a body word after an owner's name") << "Tom's cock" << cock;
    // Everywhere else the innocent sense.
    QTest::newRow("a thing pricks") << "the prick of a pin" << none;
    QTest::newRow("an animal") << "a coon ate the corn" << none;
    QTest::newRow("a name inside a sentence") << "thanks, Prick" << none;
    QTest::newRow("upper case mid-sentence is a name") << "ask Prick about it" << none;
    QTest::newRow("this is a thing") << "this is a cock" << none;
    QTest::newRow("a body word after a neutral word") << "the cock crowed" << none;
    QTest::newRow("beside a word of another kind") << "cock and coon" << none;
    QTest::newRow("hyphen is no comma") << "cock-a-doodle-doo" << none;
    // A profanity counts unless it intensifies praise.
    QTest::newRow("profanity alone") << "what is this shit" << shit;
    QTest::newRow("profanity with praise") << "this shit is amazing" << none;
    QTest::newRow("praise in another sentence") << "amazing. this shit again" << shit;
    QTest::newRow("profanity aimed at a person, with praise") << "you shit, great job" << shit;
}

void WordsTest::senses()
{
    QFETCH(QString, text);
    QFETCH(std::optional<Hit>, expected);
    const BuiltinWords words = sample({"?prick", "?pricks", "?coon", "?coons", "!shit", "idiot"}, {"?cock"});
    QCOMPARE(words.match(text), expected);
}

void WordsTest::entriesAndCounts()
{
    // A word in both lists stays abuse; short and duplicate lines are not entered.
    const BuiltinWords words = sample({"scam", "S.C.A.M", "x", "!!", QString::fromUtf8("ㅅㅂ")}, {"scam", "porn", "p"});
    QCOMPARE(words.count("abuse"), 2);
    QCOMPARE(words.count("sexual"), 1);
    QCOMPARE(words.count("other"), 0);
    QCOMPARE(words.match(u"SCAM"), std::optional<Hit>(Hit{"abuse", "scam"}));
    QCOMPARE(words.match(QString::fromUtf8("ㅅㅂ")), std::optional<Hit>(Hit{"abuse", QString::fromUtf8("ㅅㅂ")}));
    QCOMPARE(words.match(QString::fromUtf8("아 ㅅ ㅂ")), std::optional<Hit>(Hit{"abuse", QString::fromUtf8("ㅅㅂ")}));
    QCOMPARE(words.match(u"x p"), std::optional<Hit>());

    // Context marks make rules of their own: the same letters bound, split or plain all count,
    // and one Hangul syllable is a word of its own.
    const BuiltinWords marked = sample({QString::fromUtf8("새기"), QString::fromUtf8("~새기"),
                                        QString::fromUtf8("이 새기"), QString::fromUtf8("이새기"),
                                        QString::fromUtf8("~ 이새기"), QString::fromUtf8("~기"),
                                        QString::fromUtf8("~새기"), QString::fromUtf8("ㄱ")});
    QCOMPARE(marked.count("abuse"), 6);

    const BuiltinWords empty;
    QVERIFY(empty.counts().isEmpty());
    QCOMPARE(empty.match(u"anything at all"), std::optional<Hit>());
}

void WordsTest::loadReadsFolderAndToleratesBadFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QDir d(dir.path());
    writeFile(d.filePath("abuse.ko.txt"), QString::fromUtf8("\xEF\xBB\xBF시발\r\n병신\n").toUtf8());
    writeFile(d.filePath("abuse.en.txt"), "idiot\n\xff\xfe broken\n");   // not UTF-8: empty
    writeFile(d.filePath("sexual.en.txt"), "porn\n");                    // sexual.ko.txt missing
    writeFile(d.filePath("allow.txt"), QString::fromUtf8("시발점\n").toUtf8());

    const BuiltinWords words = BuiltinWords::load(dir.path());
    QCOMPARE(words.count("abuse"), 2);
    QCOMPARE(words.count("sexual"), 1);
    QCOMPARE(words.match(QString::fromUtf8("시발")), std::optional<Hit>(Hit{"abuse", QString::fromUtf8("시발")}));
    QCOMPARE(words.match(u"idiot"), std::optional<Hit>());
    QCOMPARE(words.match(QString::fromUtf8("시발점")), std::optional<Hit>());
    QCOMPARE(words.match(u"p o r n"), std::optional<Hit>(Hit{"sexual", "porn"}));

    const BuiltinWords nothing = BuiltinWords::load(d.filePath("missing"));
    QVERIFY(nothing.counts().isEmpty());
    QCOMPARE(nothing.match(QString::fromUtf8("시발")), std::optional<Hit>());
}

void WordsTest::sharedLoadsRealListsOnceAcrossThreads()
{
    std::atomic<const BuiltinWords *> first{nullptr};
    std::atomic<bool> same{true};
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i) {
        threads.emplace_back([&] {
            const BuiltinWords *mine = &BuiltinWords::shared();
            const BuiltinWords *expected = nullptr;
            if (!first.compare_exchange_strong(expected, mine) && expected != mine)
                same = false;
            if (!mine->match(QString::fromUtf8("씨 발")))
                same = false;
        });
    }
    for (auto &t : threads)
        t.join();
    QVERIFY(same);
    const BuiltinWords &shared = BuiltinWords::shared();
    QCOMPARE(&shared, first.load());
    // The compiled-in lists are the same as the files in the source tree.
    const BuiltinWords fromSource = BuiltinWords::load(QStringLiteral(VT_SOURCE_DIR "/Resources/words"));
    QCOMPARE(shared.counts(), fromSource.counts());
    QVERIFY2(shared.count("abuse") >= 300, qPrintable(QString::number(shared.count("abuse"))));
    QVERIFY2(shared.count("sexual") >= 100, qPrintable(QString::number(shared.count("sexual"))));
}

void WordsTest::realListsHaveNoDeadLines()
{
    // Every line of the shipped files must count: no word dropped as too short or as a repeat
    // of another one, and no allowed word that excuses nothing.
    auto read = [](const QString &name) {
        QFile f(BuiltinWords::resourceFolder() + u'/' + name);
        if (!f.open(QIODevice::ReadOnly))
            return QStringList();
        return BuiltinWords::lines(QString::fromUtf8(f.readAll()));
    };
    QHash<QString, QStringList> words;
    for (const QString &kind : BuiltinWords::kinds())
        words.insert(kind, read(kind + ".ko.txt") + read(kind + ".en.txt"));
    const BuiltinWords bare(words, {});
    for (const QString &kind : BuiltinWords::kinds())
        QCOMPARE(bare.count(kind), words.value(kind).size());

    const QStringList allow = read("allow.txt");
    QVERIFY(!allow.isEmpty());
    QStringList idle;
    for (const QString &word : allow) {
        if (BuiltinWords::key(word).size() < 2 || !bare.match(word))
            idle.append(word);
    }
    QVERIFY2(idle.isEmpty(), qPrintable(idle.join(u' ')));
}

void WordsTest::realListsOnSentences_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hit");
    // Innocent comments, several holding a listed root inside a harmless word.
    const char *innocent[] = {
        "영상 잘 봤습니다 오늘도 힘내세요",
        "이 노래 진짜 미쳤다 ㅋㅋㅋ 계속 듣게 되네요",
        "서울역이 경부선의 시발역이라는 거 처음 알았네",
        "여기가 모든 일의 시발점이었군요",
        "새끼손가락 걸고 약속해요",
        "고양이가 새끼를 다섯 마리나 낳았어요",
        "5개년 계획으로 진행한다고 하네요",
        "한남동 맛집 추천 감사합니다",
        "홍어회 먹으러 목포 가고 싶다",
        "칼로리 계산하면서 먹어야겠어요",
        "회사 발기인 대회가 열렸다",
        "이 정액제 요금이 제일 싸요",
        "쫓아오는 위기가 닥쳐오고 있다",
        "엄마 따라 시장에 갔다가 떡볶이 먹었어요",
        "보지 말고 들어보세요 진짜 좋아요",
        "자지 말고 끝까지 보세요",
        "시바견 너무 귀여워요",
        "1조까지 늘어난 예산이라니",
        "전염병 때문에 다들 고생했죠",
        "화염병 던지는 장면 충격이네",
        "8등신 비율 대박",
        "계란 노른자위만 넣으세요",
        "자위대 관련 뉴스 보셨나요",
        "일정액 이상 후원하면 선물 드려요",
        "우리 딸치고는 정말 잘했어",
        "슈발리에 훈장을 받으셨대요",
        "갈보리 교회 예배 영상 감사합니다",
        "중세 기사 슈발리에 이야기",
        "휘몰아닥쳐 오는 폭풍",
        "쉐키라 노래 좋아요",
        "페도라 쓴 모습 멋져요",
        "새끼 고양이 너무 귀여워요",
        "강아지 새끼들이 꼬물꼬물",
        "에이미 와인하우스 노래 최고",
        "this video is so helpful, thank you",
        "Scunthorpe United won again",
        "I passed my class assessment today",
        "the cocktail recipe at 2:30 is great",
        "Charles Dickens wrote long novels",
        "my cat is the best",
        "Great analysis, I learned a lot from this",
        "essex and sussex are lovely counties",
        "sex education should start early",
        "same sex marriage was on the news",
        "honestly the shiitake mushrooms look amazing",
        "this song hits different at night",
        "I'd love a tutorial on the title sequence",
        "an old Buick and a Honda",
        "did the surgery go ok?",
        "there is a hole in the plot",
        "how do I hook up the second monitor",
        "my grandma's banana cream pie recipe",
        "the pen is mightier than the sword",
        // Single letters typed apart that spell no listed word where words end.
        "J R R Tolkien wrote it",
        "A B C D E F G",
        "the F B I and the C I A",
        "c l a s s i c",
        "p a s s the a s s e s s m e n t",
        "ㅋ ㅋ ㅋ ㅠ ㅠ",
        "t h e r a p i s t",
        // Listed roots inside harmless words, each excused by an allowed word.
        "신제품 출시발표 언제인가요",
        "지금 몇시발표하나요",
        "도시발전 계획이 궁금해요",
        "두 곡 동시발매 축하해요",
        "주문하면 즉시발송 되나요",
        "다시발견한 명곡이네요",
        "역시발라드는 이 가수가 최고",
        "다시빨리 올려주세요",
        "교시벌점 받았어",
        "새키보드 샀는데 타건감 좋네요",
        "집에서 새키우기 어렵나요",
        "새키워드로 검색해보세요",
        "삼개년 계획 세웠어요",
        "5등신 캐릭터 귀엽다",
        "칠등신 비율 실화냐",
        "삼일한번씩 올려주세요",
        "삼일한정 세일이래요",
        "의자위에 고양이가 앉아있어요",
        "환자위해서 기도합니다",
        "시청자위에 군림하는 유튜버",
        "월정액 요금 너무 비싸요",
        "정액형 상품 가입했어요",
        "개발기간이 얼마나 걸렸나요",
        "출발기념 사진 찍었어요",
        "발기술 좋은 축구선수",
        "입싸다고 소문났어",
        "윤간호사님 감사합니다",
        "PC발열 문제 해결했어요",
        "abc발음 교정 영상 좋네요",
        "안마방석 추천해주세요",
        "슈퍼킹 사이즈 침대",
        "혹시발생하면 연락주세요",
        "무시발언 그만하세요",
        "솜씨발휘 제대로 했네",
        "영희씨팔로우 했어요",
        "선발기준이 뭔가요",
        "주말에 한강간다",
        "우리 딸감기 걸렸어요",
        "ㅈㄴㄱㄷ 좋은 영상이네요",
        "야동생아 밥 먹자",
        "천천히 꼭꼭 씹세요",
        "껌씹할때 소리 내지마",
        "애무서워서 울었어",
        "투자위험이 크네요",
        "초보자위주 설명 감사해요",
        "개인정보털렸다는 뉴스 봤어요",
        "정보빨리 주세요",
        "건강간식 추천해주세요",
        "난교회 다녀요",
        "20대딸 키우는 엄마예요",
        "검은색히트텍 따뜻해요",
        // Words that are dropped from the lists because they are mostly innocent.
        "품질내구성 좋아요",
        "고양이 새끼지만 엄청 크네",
        "이거 새끼임? 너무 작다",
        "돼지새끼 너무 귀엽다",
        "love you all xxx",
        "keep it spick and span",
        "ㅁㅊ 개웃기네 ㅋㅋㅋ",
        "닥치고 구독",
        "badass guitar solo",
        "wtf this is amazing",
        "the red tube goes to the left port",
        // Innocent texts that once held a listed word.
        "소년아 야망을 가져라",
        "청년아 일어나라",
        "2016년은 병신년이다",
        "올해는 병신년입니다",
        "병신년 생 원숭이띠",
        "싼타페도 괜찮은 차예요",
        "카페도 예쁘고 커피도 맛있어요",
        "holy shit this is amazing",
        "this shit never gets old",
        "ㅋㅋㅋ ㅎㅎ ㅠㅠ ㄱㅅ ㅇㅋ",
        "ㅎㅏㅎㅏ 재밌어요 ㄱㅅㄱㅅ",
        "hoe gaat het met je?",
        "ik weet niet hoe dat moet",
        "magna cum laude graduate",
        "cock-a-doodle-doo said the rooster",
        "don't you'd they'll we've",
        "2016년은 병신년이었죠",
        "증발기 청소 방법",
        "문자위에 줄을 그었어요",
        "Who're you calling at this hour?",
        "keep it spic and span",
        "a chink in the armor",
        "the prick of a needle",
        "time to hoe the garden",
        "Dick's Sporting Goods has a sale",
        "the cock crowed at dawn",
        "she graduated cum laude",
        "Moby Dick is a long book",
        "Alan Cumming was great in that show",
        "the donkey is As's favourite",
        // Words with an innocent sense, used in it.
        "our rooster is the loudest cock in the village",
        "I love this cock, what breed is he?",
        "Philip K. Dick wrote the novel",
        "my uncle Dick fixed the fence",
        "a thin chink of light came through the curtains",
        "I felt a sharp prick when the rose thorn got my finger",
        "grab the hoe from the shed and weed the beans",
        "hoeing the beans takes all morning",
        "hoes and rakes are on sale",
        "hoe laat begint de film vanavond",
        "a coon got into the trash cans last night",
        "the tranny on my old truck started slipping",
        "cold weather retarded the growth of the seedlings",
        "the foam is treated so flames are retarded",
        "this shit is great",
        "the new album is good shit",
        "she finished summa cum laude",
        // Dictionary words that hold a listed one, decided innocent.
        "Shiite and Sunni traditions",
        "add cumin and coriander",
        "my Maine Coon cat sleeps all day",
        "the dykes held back the sea",
        "한시바삐 복구되길 바랍니다",
        "마음을 고쳐먹었어요",
        "헛구역질이 나요 입덧인가봐요",
        "정신병원 봉사활동 다녀왔어요",
        "하루 종일 집에서 묵새기다",
        // Listed stems in their innocent senses, and intensifiers without an insult.
        "존나 웃기네 ㅋㅋ",
        "분리수거할 때 쓰레기 버리는 법",
        "음식물 쓰레기 처리 꿀팁",
        "미개봉 새제품 팝니다",
        "어미 고양이가 새끼를 돌봐요",
        "새끼 강아지 분양합니다",
        "내새끼 오늘도 귀여워",
        "전원이 꺼져 있어요",
        "시바견 산책 브이로그",
        "콩나물 대가리 떼고 무치세요",
        "방에서 뛰쳐나오는 고양이",
        "정책이 경제에 영향을 미친 결과",
        "미친 가창력 소름 돋았어요",
    };
    for (const char *text : innocent)
        QTest::addRow("innocent: %s", text) << QString::fromUtf8(text) << false;
    const char *abusive[] = {
        "씨발 이게 뭐냐",
        "ㅅㅂ 진짜 짜증나네",
        "ㅂㅅ같은 영상 올리지마",
        "이 병신아 그것도 모르냐",
        "개새끼야 꺼져",
        "시1발 뭐하는거냐",
        "지랄하고 있네 진짜",
        "존나 못생겼네",
        "느금마 뭐하냐",
        "미친놈 아니야 이거",
        "한남충들 또 몰려왔네",
        "씹 새 끼 들",
        "ㅈ같은 영상",
        "tlqkf 뭐냐",
        "야동 사이트 여기 들어와",
        "조건만남 하실분 연락주세요",
        "섹스 하고싶다",
        "you are a fucking idiot",
        "f u c k you",
        "what a piece of s h i t",
        "stfu nobody asked",
        "shut up you retard",
        "go kill yourself loser",
        "this b1tch is so annoying",
        "hot singles want to sext with you, check my b i o for nudes",
        "watch free porn at my channel",
        "nice ass lol",
        "ur such a whore",
        "motherf*cker",
        "S.L.U.T",
        "씨 1 발 진짜",
        "ㅂ ㅅ 같은 놈",
        "ｓｈｉｔ",
        "ѕhit happens here",
        "Ｆ Ｕ Ｃ Ｋ this",
        "개.새.끼",
        "느 금 마",
        "저 새끼네 또 왔어",
        "꺼져라 진짜",
        "토착왜구 같은 소리 하네",
        "ㅆㅂㄴ아",
        "시bal 진짜",
        "빙딱같은",
        "ㅄ이네 ㅋㅋ",
        "ㅈ랄하네",
        "g랄하네",
        "개세끼",
        "개쉑",
        "새77ㅣ야",
        "ㄱㅆㄲ",
        "후레새끼",
        "육시랄놈",
        "새대가리",
        "지잡대 출신",
        "뻐큐 날린다",
        "엿같은 세상",
        "qudtlsdk",
        "빠구리",
        "안마방 추천",
        "원조교제",
        "자위영상",
        "헨타이",
        "fking idiot",
        "got fcked",
        "fxck off",
        "mothafucker",
        "shithole country",
        "bullsh1t",
        "@sshole",
        "smartass",
        "stop bitching",
        "you prick",
        "bollocks",
        "retarted",
        "incels",
        "neck yourself",
        "hang yourself",
        "manwhore",
        "n!gger",
        "faggit",
        "ching chong",
        "porch monkey",
        "want sex?",
        "free sex cams here",
        "seggs",
        "s3x",
        "xnxx",
        "pornstar",
        "fapping",
        "wanking",
        "dick pic",
        "anal sex",
        "jerking off",
        "p*ssy",
        "h0rny",
        "씨foot 진짜",
        "시8발",
        "새1끼야",
        "fuuuck",
        // Evasions: fillers, accents, stretched, enclosed letters, digits and '$' for letters.
        "씨\u3164발 진짜",
        "씨\u115F발",
        "fück you",
        "fuuuuuuuck this",
        "🅵🆄🅲🅺 this",
        "what a sh1tty video",
        "you a$$hole",
        "$hit video",
        // Choseong abbreviations.
        "ㅋㅋㅅㅂ",
        "ㅂㅅ인가",
        "ㅈㄹ 좀 그만해",
        "ㄲㅈ",
        "ㅁㅊ놈아",
        "ㅁㅊ 놈 아니냐",
        "너 미친거냐",
        // Insults on a free stem, vulgar prefixes, slurs and insulting intensifiers.
        "저 원숭이새끼 또 왔네",
        "이 새기 뭐라는거냐",
        "급식충들 또 몰려왔네",
        "미친 놈 아니야 이거",
        "쓰레기 같은 인간",
        "개 같은 소리 하네",
        "좆팔 진짜 짜증나",
        "좃같은 영상",
        "니 대가리는 장식이냐",
        "존나 멍청하네",
        "존나 싫다 진짜",
        "진짜 한심하다",
        "역겹다 정말",
        "조센징 꺼져라",
        "처먹기만 하네",
        "you mongoloid",
        "such a douche",
        // Korean typed letter by letter.
        "ㅆㅣㅂㅏㄹ 진짜",
        "ㅂㅕㅇㅅㅣㄴ 같은 게",
        "ㅆ ㅣ ㅂ ㅏ ㄹ",
        "\u1107\u1167\u110B\u1109\u1175\u1102",
        "ㄱㅐㅅㅐㄲㅣㅇㅑ",
        "ㅈㅣㄹㅏㄹㅎㅏㄴㅔ",
        "ㅁㅣㅊㅣㄴㄴㅗㅁ",
        "ㅈㅗㄴㄴㅏ ㅁㅓㅇㅊㅓㅇㅎㅏㄴㅔ",
        // An allowed phrase that only seems to be there.
        "이 병신년에게",
        "해봐라 병신년",
        "돼지같은 새끼가 또 왔네",
        "곰같은 새끼",
        // Apostrophes that are no contraction, letters typed apart, punctuation as glue.
        "shi't",
        "slu't",
        "twa't",
        "retar'd",
        "you bastar'd",
        "y o u  a r e  a n  i d i o t",
        "y o u a r e a n i d i o t",
        "a b i t c h",
        "s h u t u p y o u b i t c h",
        "y o u a r e a d i c k",
        "h e i s s u c h a p r i c k",
        "any pussy...PR",
        "you idiot,stop",
        // Bare words that are mostly abuse.
        "these hoes ain't loyal",
        "she a hoe",
        "suck my dick",
        "what a prick",
        "nice cock bro",
        "look at that chink",
        "get out of here you coon",
        "you little prick",
        "he is such a dick",
        "shut up, prick",
        "bye hoe",
        "chinks and coons everywhere",
        "that dude is a tranny",
        "you are retarded",
        "this shit video is garbage",
        "you piece of shit, this is great",
        "my dick is huge",
    };
    for (const char *text : abusive)
        QTest::addRow("abusive: %s", text) << QString::fromUtf8(text) << true;
}

void WordsTest::realListsOnSentences()
{
    QFETCH(QString, text);
    QFETCH(bool, hit);
    const auto found = BuiltinWords::shared().match(text);
    QVERIFY2(found.has_value() == hit,
             qPrintable(found ? QStringLiteral("unexpected hit %1:%2").arg(found->kind, found->word)
                              : QStringLiteral("no hit")));
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    WordsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_words.moc"
