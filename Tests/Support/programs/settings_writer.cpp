// Writes settings from its own process, for the settings store's two-copies test.
//
//   settings_writer <file> <tag> <n>   prints "ready", waits for a line on stdin, then n times
//                                      writes "vt.<tag>.<i>" = i and "vt.<tag>" = i; prints "done"
#include "Base/AppSettings.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    if (args.size() < 4) {
        out << "usage: settings_writer <file> <tag> <n>" << Qt::endl;
        return 2;
    }
    AppSettings settings(args.at(1));
    const QString tag = QStringLiteral("vt.") + args.at(2);
    const int rounds = args.at(3).toInt();
    out << "ready" << Qt::endl;
    QTextStream in(stdin);
    in.readLine();   // both copies start together
    for (int i = 0; i < rounds; ++i) {
        if (!settings.setValue(tag + QLatin1Char('.') + QString::number(i), i) || !settings.setValue(tag, i)) {
            out << "failed " << i << Qt::endl;
            return 1;
        }
    }
    out << "done" << Qt::endl;
    return 0;
}
