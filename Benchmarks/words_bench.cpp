// Speed of the word rules over a generated corpus of comments, against a baseline measured in
// the same run: copying and lower-casing the same texts. Prints comments per second and ratios.
// On the long hostile texts it also prints the ratio against a second baseline that makes as
// many heap blocks of the same sizes as the matcher does, and writes them: what remains of that
// ratio is the matcher's own work, with the allocator's and the page faults' share taken out;
// next to it, the cost of the text's compact key alone (the floor every verdict stands on).
#include "Rules/BuiltinWords.h"
#include "Rules/SpamRules.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>

// Every heap block the process asks for passes here; while counting is on, calls and bytes add up.
extern "C" {
void *__libc_malloc(size_t);
void *__libc_calloc(size_t, size_t);
void *__libc_realloc(void *, size_t);
void __libc_free(void *);
}
namespace {
std::atomic<bool> counting{false};
std::atomic<qint64> allocCalls{0};
std::atomic<qint64> allocBytes{0};
void count(size_t bytes)
{
    if (counting.load(std::memory_order_relaxed)) {
        allocCalls.fetch_add(1, std::memory_order_relaxed);
        allocBytes.fetch_add(qint64(bytes), std::memory_order_relaxed);
    }
}
}   // namespace
extern "C" {
void *malloc(size_t n)
{
    count(n);
    return __libc_malloc(n);
}
void *calloc(size_t n, size_t m)
{
    count(n * m);
    return __libc_calloc(n, m);
}
void *realloc(void *p, size_t n)
{
    count(n);
    return __libc_realloc(p, n);
}
void free(void *p)
{
    __libc_free(p);
}
}

namespace {

const char *const koreanLines[] = {
    "영상 잘 봤습니다 오늘도 힘내세요",
    "이 노래 진짜 미쳤다 ㅋㅋㅋ 계속 듣게 되네요",
    "와 편집 실력 대박이네요 👍",
    "3분 20초 부분 소름 돋았어요",
    "구독 누르고 갑니다~",
    "다음 영상도 기대할게요!! 😊",
    "이거 보고 따라 해봤는데 잘 되네요 감사합니다",
    "설명이 너무 친절해서 이해가 쏙쏙 돼요",
    "ㅠㅠ 너무 감동적이에요",
    "어제 라이브 놓쳐서 아쉬웠는데 다시보기 감사해요",
    "첫 댓글이다 ㅎㅎ",
    "목소리가 너무 좋아요 ASMR 해주세요",
    "서울역이 시발역이라는 건 처음 알았네",
    "고양이 새끼들 너무 귀엽다",
    "한남동 맛집 정보 감사합니다",
    "정액제 요금이 제일 싸요 참고하세요",
};
const char *const englishLines[] = {
    "Great video, thanks for sharing!",
    "This helped me so much with my homework lol",
    "Who is watching this in 2024?",
    "the part at 4:12 is hilarious 😂😂",
    "I've been following this channel for years and it keeps getting better",
    "Can you do a tutorial on the lighting setup?",
    "underrated channel honestly",
    "This song hits different at night",
    "Check out my channel for similar content!",
    "Not sure I agree with the second point but good video",
    "first!!!",
    "My cat watched the whole thing with me",
    "Charles Dickens would be proud of this story",
};
const char *const badWords[] = {
    "씨발", "병신",  "개새끼", "존나",    "지랄", "ㅅㅂ",  "ㅂㅅ", "fuck",
    "shit", "bitch", "idiot",  "asshole", "porn", "nudes", "야동", "조건만남",
};
const char *const spamTails[] = {
    "check my profile", "free crypto giveaway",  "텔레그램으로 연락주세요",
    "무료 코인 지급",   "click the link in bio", "부업 하루 10만원",
};

// Hides a word the way evaders do: spaced letters, dots, full width, digits or lookalikes.
QString obfuscate(const QString &word, std::mt19937 &rng)
{
    QString out;
    switch (rng() % 5) {
    case 0:
        for (QChar c : word)
            out += c + QStringLiteral(" ");
        return out.trimmed();
    case 1:
        for (QChar c : word)
            out += c + QStringLiteral(".");
        return out;
    case 2:
        for (QChar c : word)
            out += (c.unicode() >= '!' && c.unicode() <= '~') ? QChar(c.unicode() - 0x21 + 0xFF01) : c;
        return out;
    case 3:
        out = word;
        out.insert(qsizetype(out.size() / 2), QStringLiteral("1"));
        return out;
    default:
        out = word;
        out.replace(u'a', QChar(0x0430)).replace(u'o', QChar(0x043E)).replace(u'c', QChar(0x0441));
        return out;
    }
}

QStringList corpus(int count)
{
    std::mt19937 rng(20240611);
    QStringList texts;
    texts.reserve(count);
    auto pick = [&](auto &array) { return QString::fromUtf8(array[rng() % std::size(array)]); };
    for (int i = 0; i < count; ++i) {
        const bool korean = rng() % 2 == 0;
        QString text = korean ? pick(koreanLines) : pick(englishLines);
        if (rng() % 3 == 0)
            text += QStringLiteral(" ") + (korean ? pick(koreanLines) : pick(englishLines));
        const unsigned roll = rng() % 100;
        if (roll < 12)
            text += QStringLiteral(" ") + pick(badWords);
        else if (roll < 24)
            text += QStringLiteral(" ") + obfuscate(pick(badWords), rng);
        else if (roll < 30)
            text += QStringLiteral(" ") + pick(spamTails);
        texts.append(text);
    }
    return texts;
}

QStringList ownerKeywords()
{
    QStringList words;
    const char *const base[] = {"telegram", "텔레그램", "crypto", "giveaway", "부업",     "무료코인",
                                "whatsapp", "카톡",     "dm me",  "profile",  "수익보장", "리딩방"};
    for (int i = 0; words.size() < 50; ++i)
        words.append(QString::fromUtf8(base[i % std::size(base)]) + (i < 12 ? QString() : QString::number(i)));
    return words;
}

// Best of a few runs, in seconds.
double best(const std::function<qint64()> &run, qint64 &sink)
{
    double fastest = 1e30;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer timer;
        timer.start();
        sink += run();
        fastest = std::min(fastest, double(timer.nsecsElapsed()) / 1e9);
    }
    return fastest;
}

}   // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList texts = corpus(50000);
    const QStringList keywords = ownerKeywords();
    const BuiltinWords &words = BuiltinWords::shared();
    qint64 sink = 0;

    const double baseline = best(
        [&] {
        qint64 n = 0;
        for (const QString &t : texts) {
            QString copy = t;
            n += copy.toLower().size();
        }
        return n;
        },
        sink);
    const double compactOnly = best(
        [&] {
        qint64 n = 0;
        for (const QString &t : texts)
            n += SpamRules::compact(t).size();
        return n;
        },
        sink);
    const double builtin = best(
        [&] {
        qint64 n = 0;
        for (const QString &t : texts)
            n += words.match(t).has_value();
        return n;
        },
        sink);
    const SpamRules::Keywords prepared(keywords);
    const double keywordPrepared = best(
        [&] {
        qint64 n = 0;
        for (const QString &t : texts)
            n += prepared.match(t).has_value();
        return n;
        },
        sink);
    const double keywordPerCall = best(
        [&] {
        qint64 n = 0;
        for (const QString &t : texts)
            n += SpamRules::matchedWord(t, keywords).has_value();
        return n;
        },
        sink);
    const double pass = best(
        [&] {
        qint64 n = 0;
        for (const QString &t : texts) {
            n += SpamRules::compact(t).size();
            n += words.match(t).has_value();
            n += SpamRules::matchedWord(t, keywords).has_value();
        }
        return n;
        },
        sink);

    qint64 hits = 0;
    for (const QString &t : texts)
        hits += words.match(t).has_value();

    const double n = double(texts.size());
    auto line = [&](const char *name, double seconds) {
        std::printf("%-44s %12.0f comments/s   %6.2fx baseline time\n", name, n / seconds, seconds / baseline);
    };
    std::printf("corpus: %lld comments, %lld built-in hits, %lld keywords, word lists abuse %d / sexual %d\n",
                qint64(texts.size()), hits, qint64(keywords.size()), words.count("abuse"), words.count("sexual"));
    line("baseline: copy + toLower", baseline);
    line("compact", compactOnly);
    line("BuiltinWords::match", builtin);
    line("owner keywords: Keywords prepared once", keywordPrepared);
    line("owner keywords: SpamRules::matchedWord", keywordPerCall);
    line("all: compact + match + matchedWord", pass);

    // Hostile texts: syllables mixed with vowel jamo, so every piece needs composing; an
    // allowed word repeated, so every position is a listed word to excuse; letters typed one
    // by one, each composing into a syllable; words glued by punctuation, each looked up on
    // its own; letters typed apart with wider gaps between words. The time per character must
    // stay flat as the text grows.
    // Laughter and crying typed as letters alone ('ㅋㅋㅠㅠ'), which compose with nothing
    // typed whole around them.
    for (const char *pattern :
         {"영상ㅠㅠ", "새끼손가락", "ㅅㅏㄹㅏㅇ", "ab.cd.", "y o u  ", "ㅋㅋㅠㅠ", "y o u a r e "}) {
        std::printf("\na long text of \"%s\" repeated:\n", pattern);
        for (int length : {100, 1000, 10000}) {
            const QString unit = QString::fromUtf8(pattern);
            QString text;
            while (text.size() < length)
                text += unit;
            text.truncate(length);
            const int repeat = std::max(1, 2000000 / length);
            const double copy = best(
                [&] {
                qint64 n = 0;
                for (int i = 0; i < repeat; ++i) {
                    QString c = text;
                    n += c.toLower().size();
                }
                return n;
                },
                sink);
            const double matched = best(
                [&] {
                qint64 n = 0;
                for (int i = 0; i < repeat; ++i)
                    n += words.match(text).has_value();
                return n;
                },
                sink);
            // The floor of any verdict: the text's compact key, which every lookup reads.
            const double keyed = best(
                [&] {
                qint64 n = 0;
                for (int i = 0; i < repeat; ++i)
                    n += qint64(BuiltinWords::key(text).size());
                return n;
                },
                sink);
            // The matcher's heap blocks for this text, then a baseline that copies, lower-cases
            // and makes and writes as many blocks of the same mean size.
            allocCalls = 0;
            allocBytes = 0;
            counting = true;
            sink += words.match(text).has_value();
            counting = false;
            const qint64 calls = allocCalls;
            const size_t each = calls ? size_t(allocBytes / calls) : 0;
            const double copyAlloc = best(
                [&] {
                qint64 n = 0;
                for (int i = 0; i < repeat; ++i) {
                    QString c = text;
                    n += c.toLower().size();
                    for (qint64 k = 0; k < calls; ++k) {
                        auto *block = static_cast<char *>(std::malloc(each));
                        std::memset(block, int(k), each);
                        n += block[each / 2];
                        std::free(block);
                    }
                }
                return n;
                },
                sink);
            std::printf("  %6d chars: match %9.4f ms, %7.2f ns/char, %6.2fx copy + toLower, %6.2fx with the "
                        "same %lld allocations (%zu bytes each); the compact key alone %5.2fx copy + toLower\n",
                        length, matched / repeat * 1e3, matched / repeat / length * 1e9, matched / copy,
                        matched / copyAlloc, calls, each, keyed / copy);
        }
    }
    std::printf("(sink %lld)\n", sink);
    return 0;
}
