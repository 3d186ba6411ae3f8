// Records scans into a history file the way a scan ends in the application (the model's record of
// a scan, written on the history's own thread), one after another until it is killed, for the
// store's crash test. Prints "writing <n>" before and "recorded <n>" after each record.
//
//   scan_recorder <file> <first scan number> <comments a scan>
#include "Await.h"
#include "StoreTestData.h"

#include "Base/AppSettings.h"
#include "Scan/ScanReport.h"
#include "Scan/SpamModel.h"
#include "Service/VeltraneAccount.h"
#include "Store/ScanStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <QUrl>

namespace {

void say(const QString &line)
{
    QTextStream out(stdout);
    out << line << Qt::endl;
}

}   // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        say(QStringLiteral("usage: scan_recorder <file> <first scan number> <comments a scan>"));
        return 2;
    }
    const QString folder = QFileInfo(args.at(1)).absolutePath();
    ScanStore store(args.at(1));
    AppSettings settings(QDir(folder).filePath(QStringLiteral("recorder-settings.json")));
    // No service is asked: nothing here signs in.
    VeltraneAccount account(QUrl(QStringLiteral("http://127.0.0.1:9")), QString());
    SpamModel model(nullptr, nullptr, &account, &store, &settings);
    const int first = args.at(2).toInt();
    const int count = args.at(3).toInt();
    for (int n = first;; ++n) {
        const QString url = QStringLiteral("https://www.youtube.com/watch?v=rec%1").arg(n);
        ScanStore::ScanRecord record;
        record.comments = vt::test::makePage(QStringLiteral("r%1-").arg(n), count);
        for (qsizetype i = 0; i < record.comments.size(); i += 10)
            record.comments[i].state = QStringLiteral("spam");
        record.post.site = QStringLiteral("youtube");
        record.post.url = url;
        record.post.title = QStringLiteral("Scan %1").arg(n);
        record.post.scannedAt = QDateTime::currentDateTime();
        record.post.total = int(count);
        ScanStore::Run run;
        run.session = QStringLiteral("recorder");
        run.site = record.post.site;
        run.post = url;
        run.at = record.post.scannedAt;
        record.run = run;
        record.items = [comments = record.comments](const QList<ScanStore::Record> &pending) {
            return ScanReport::runItems(comments, pending, {});
        };
        say(QStringLiteral("writing %1").arg(n));
        const ScanStore::Recorded done = vt::test::await(model.recordScan(record), 120000);
        if (!done.stored) {
            say(QStringLiteral("error ") + done.error);
            return 1;
        }
        say(QStringLiteral("recorded %1").arg(n));
    }
}
