// Measures the built-in word lists on a labelled file of comments and prints accuracy,
// precision, recall and the misses (abusive texts not caught, innocent texts flagged).
//
//   word_eval <file> [--words <folder>] [--quiet] [--hits]
//
// The file holds one comment a line: a label, a tab, the text. The label is 1 (abusive) or 0
// (innocent); lines with any other label are skipped and counted. Without --words the lists
// compiled into the application are used; with it, the word files of that folder (so edits to
// the lists can be measured without a rebuild). --quiet leaves out the misses; --hits also lists
// the abusive texts caught, with the word that caught them.
#include "Rules/BuiltinWords.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString folder;
    bool quiet = false;
    bool hits = false;
    QString path;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--words") && i + 1 < args.size())
            folder = args[++i];
        else if (args[i] == QStringLiteral("--quiet"))
            quiet = true;
        else if (args[i] == QStringLiteral("--hits"))
            hits = true;
        else
            path = args[i];
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (path.isEmpty()) {
        err << "usage: word_eval <label<TAB>text file> [--words <folder>] [--quiet] [--hits]" << Qt::endl;
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
        const QString text = line.mid(tab + 1);
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
    out << "texts " << total << " (abusive " << tp + fn << ", innocent " << tn + fp
        << ", skipped " << skipped << ")\n";
    out << "tp " << tp << " fp " << fp << " tn " << tn << " fn " << fn << '\n';
    out << QStringLiteral("accuracy %1  precision %2  recall %3\n")
               .arg(ratio(tp + tn, total), 0, 'f', 3)
               .arg(ratio(tp, tp + fp), 0, 'f', 3)
               .arg(ratio(tp, tp + fn), 0, 'f', 3);
    return 0;
}
