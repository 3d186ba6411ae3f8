// Measures the built-in word lists on a labelled file of comments and prints accuracy,
// precision, recall and the misses (abusive texts not caught, innocent texts flagged).
//
//   word_eval <file> [--words <folder>] [--quiet] [--hits] [--jamo] [--spaced | --mixed]
//
// The file holds one comment a line: a label, a tab, the text. The label is 1 (abusive) or 0
// (innocent); lines with any other label are skipped and counted. Without --words the lists
// compiled into the application are used; with it, the word files of that folder (so edits to
// the lists can be measured without a rebuild). --quiet leaves out the misses; --hits also lists
// the abusive texts caught, with the word that caught them. --jamo types every Hangul syllable
// of the texts as its separate letters first ('병신' as 'ㅂㅕㅇㅅㅣㄴ'), as evaders do.
// --spaced types every text letter by letter with one space between all its characters, words
// included ('y o u a r e'); --mixed types every other word that way and leaves the rest, twice
// per text (odd words spaced, then even ones), so that each word is once spaced beside plain ones.
//
// The development sets are public and stay outside the repository (their licences do not let
// us ship them); turn them into label files like this:
// - Korean: the UnSmile set (github.com/smilegate-ai/korean_unsmile_dataset, files
//   unsmile_train_v1.0.tsv and unsmile_valid_v1.0.tsv; columns: text, eight hate columns,
//   '악플/욕설', 'clean', '개인지칭'). Abuse against clean: label 1 where '악플/욕설' is 1, 0
//   where 'clean' is 1, anything else for the rest (hate without abusive words, skipped):
//     awk -F'\t' 'FNR > 1 { print ($10 == 1 ? 1 : $11 == 1 ? 0 : "x") "\t" $1 }'
//         unsmile_train_v1.0.tsv unsmile_valid_v1.0.tsv > ko.txt
//   Every unclean row against clean: print ($11 == 1 ? 0 : 1) "\t" $1.
// - English: OLID (github.com/idontflow/OLID; olid-training-v1.0.tsv and testset-levela.tsv
//   with labels-levela.csv), label 1 for OFF, 0 for NOT:
//     awk -F'\t' 'FNR > 1 { print ($3 == "OFF" ? 1 : 0) "\t" $2 }' olid-training-v1.0.tsv > en.txt
//     awk -F, 'NR == FNR { l[$1] = $2; next } FNR > 1 { split($0, f, "\t");
//         print (l[f[1]] == "OFF" ? 1 : 0) "\t" f[2] }' labels-levela.csv testset-levela.tsv >> en.txt
//   OLID counts insults without any abusive word as offensive and a fair share of casual
//   swearing as not, so its precision and recall only compare versions of the lists.
#include "Rules/BuiltinWords.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace {

// Every Hangul syllable as the compatibility letters a two-set keyboard types for it: compound
// vowels and double final consonants stay one letter each.
QString asLetters(const QString &text)
{
    static const char16_t leads[] = u"ㄱㄲㄴㄷㄸㄹㅁㅂㅃㅅㅆㅇㅈㅉㅊㅋㅌㅍㅎ";
    static const char16_t vowels[] = u"ㅏㅐㅑㅒㅓㅔㅕㅖㅗㅘㅙㅚㅛㅜㅝㅞㅟㅠㅡㅢㅣ";
    static const char16_t tails[] = u" ㄱㄲㄳㄴㄵㄶㄷㄹㄺㄻㄼㄽㄾㄿㅀㅁㅂㅄㅅㅆㅇㅈㅊㅋㅌㅍㅎ";
    QString out;
    out.reserve(text.size() * 3);
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0xAC00 || u > 0xD7A3) {
            out += c;
            continue;
        }
        const int s = u - 0xAC00;
        out += QChar(leads[s / (21 * 28)]);
        out += QChar(vowels[(s / 28) % 21]);
        if (s % 28)
            out += QChar(tails[s % 28]);
    }
    return out;
}

// Every character apart from white space, one space between each.
QString spacedOut(QStringView text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isSpace() || c.isLowSurrogate()) {
            if (c.isLowSurrogate())
                out += c;   // the second half of the character just written
            continue;
        }
        if (!out.isEmpty())
            out += u' ';
        out += c;
    }
    return out;
}

// The words at odd (or even) places typed letter by letter, the others left whole.
QString spacedWords(const QString &text, int parity)
{
    const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    QStringList out;
    for (qsizetype i = 0; i < words.size(); ++i)
        out.append(i % 2 == parity ? spacedOut(words[i]) : words[i]);
    return out.join(u' ');
}

}   // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString folder;
    bool quiet = false;
    bool hits = false;
    bool letters = false;
    bool spaced = false;
    bool mixed = false;
    QString path;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--words") && i + 1 < args.size())
            folder = args[++i];
        else if (args[i] == QStringLiteral("--quiet"))
            quiet = true;
        else if (args[i] == QStringLiteral("--hits"))
            hits = true;
        else if (args[i] == QStringLiteral("--jamo"))
            letters = true;
        else if (args[i] == QStringLiteral("--spaced"))
            spaced = true;
        else if (args[i] == QStringLiteral("--mixed"))
            mixed = true;
        else
            path = args[i];
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (path.isEmpty()) {
        err << "usage: word_eval <label<TAB>text file> [--words <folder>] [--quiet] [--hits] [--jamo] [--spaced | --mixed]"
            << Qt::endl;
        return 2;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "cannot read " << path << ": " << file.errorString() << Qt::endl;
        return 1;
    }
    const BuiltinWords loaded = folder.isEmpty() ? BuiltinWords() : BuiltinWords::load(folder);
    const BuiltinWords &words = folder.isEmpty() ? BuiltinWords::shared() : loaded;

    qint64 tp = 0, fp = 0, tn = 0, fn = 0, skipped = 0;
    QStringList missed, flagged, caught;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString &raw : lines) {
        const QString line = raw.endsWith(u'\r') ? raw.chopped(1) : raw;
        if (line.isEmpty())
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        const QString label = tab < 0 ? QString() : line.left(tab).trimmed();
        if (label != QStringLiteral("1") && label != QStringLiteral("0")) {
            ++skipped;
            continue;
        }
        const QString original = letters ? asLetters(line.mid(tab + 1)) : line.mid(tab + 1);
        QStringList copies;
        if (spaced)
            copies.append(spacedOut(original));
        else if (mixed)
            copies << spacedWords(original, 1) << spacedWords(original, 0);
        else
            copies.append(original);
        for (const QString &text : std::as_const(copies)) {
            const auto hit = words.match(text);
            if (label == QStringLiteral("1")) {
                if (hit) {
                    ++tp;
                    caught.append(hit->kind + u':' + hit->word + u'\t' + text);
                } else {
                    ++fn;
                    missed.append(text);
                }
            } else if (hit) {
                ++fp;
                flagged.append(hit->kind + u':' + hit->word + u'\t' + text);
            } else {
                ++tn;
            }
        }
    }

    if (!quiet) {
        out << "# abusive, not caught (" << missed.size() << ")\n";
        for (const QString &t : std::as_const(missed))
            out << "MISS\t" << t << '\n';
        out << "# innocent, flagged (" << flagged.size() << ")\n";
        for (const QString &t : std::as_const(flagged))
            out << "FLAG\t" << t << '\n';
    }
    if (hits) {
        out << "# abusive, caught (" << caught.size() << ")\n";
        for (const QString &t : std::as_const(caught))
            out << "HIT\t" << t << '\n';
    }
    const qint64 total = tp + fp + tn + fn;
    auto ratio = [](qint64 a, qint64 b) { return b == 0 ? 0.0 : double(a) / double(b); };
    out << "texts " << total << " (abusive " << tp + fn << ", innocent " << tn + fp << ", skipped " << skipped << ")\n";
    out << "tp " << tp << " fp " << fp << " tn " << tn << " fn " << fn << '\n';
    out << QStringLiteral("accuracy %1  precision %2  recall %3\n")
               .arg(ratio(tp + tn, total), 0, 'f', 3)
               .arg(ratio(tp, tp + fp), 0, 'f', 3)
               .arg(ratio(tp, tp + fn), 0, 'f', 3);
    return 0;
}
