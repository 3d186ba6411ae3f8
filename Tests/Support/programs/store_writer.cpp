// Writes to a history file from its own process, for the store's crash, disk-full and
// two-copies tests. Prints one line per step so the test knows where it is.
//
//   store_writer <file> crash                 commit a small scan, then a huge one (to be killed)
//   store_writer <file> fsize <bytes>         commit a small scan, then a huge one past a file size limit
//   store_writer <file> copies <tag> <n>      n scans of 200 comments under ids <tag>-..., each with a run
#include "Store/ScanStore.h"
#include "StoreTestData.h"

#include <QCoreApplication>
#include <QTextStream>

#include <csignal>
#include <sys/resource.h>

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
    if (args.size() < 3) {
        say(QStringLiteral("usage: store_writer <file> crash | fsize <bytes> | copies <tag> <n>"));
        return 2;
    }
    ScanStore store(args.at(1));
    const QString mode = args.at(2);
    const QString site = QStringLiteral("youtube");
    const QString small = QStringLiteral("https://www.youtube.com/watch?v=small");
    const QString big = QStringLiteral("https://www.youtube.com/watch?v=big");

    if (mode == QLatin1String("crash") || mode == QLatin1String("fsize")) {
        if (!store.remember(site, small, vt::test::makePage(QStringLiteral("s"), 500), std::nullopt,
                            QDateTime::currentDateTime())) {
            say(QStringLiteral("error ") + store.lastError());
            return 1;
        }
        say(QStringLiteral("committed"));
        if (mode == QLatin1String("fsize")) {
            // Writing past the limit fails with EFBIG instead of killing the process.
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            limit.rlim_cur = limit.rlim_max = rlim_t(args.value(3).toLongLong());
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        const QList<Comment> page = vt::test::makePage(QStringLiteral("b"), 300000);
        say(QStringLiteral("writing"));
        const bool ok = store.remember(site, big, page, std::nullopt, QDateTime::currentDateTime());
        say(ok ? QStringLiteral("done") : QStringLiteral("error ") + store.lastError());
        // The store must stay usable after a failed batch.
        const bool after = store.remember(site, small, vt::test::makePage(QStringLiteral("s"), 500), std::nullopt,
                                          QDateTime::currentDateTime());
        say(after ? QStringLiteral("usable") : QStringLiteral("stuck ") + store.lastError());
        return ok ? 0 : 3;
    }

    if (mode == QLatin1String("copies")) {
        const QString tag = args.value(3);
        const int scans = args.value(4).toInt();
        for (int i = 0; i < scans; ++i) {
            const QString post = QStringLiteral("https://www.youtube.com/watch?v=%1%2").arg(tag).arg(i);
            const auto page = vt::test::makePage(QStringLiteral("%1-%2-").arg(tag).arg(i), 200);
            if (!store.remember(site, post, page, std::nullopt, QDateTime::currentDateTime())) {
                say(QStringLiteral("error ") + store.lastError());
                return 1;
            }
            ScanStore::Run run;
            run.session = tag;
            run.site = site;
            run.post = post;
            run.at = QDateTime::currentDateTime();
            run.total = int(page.size());
            QList<ScanStore::Item> items;
            for (const Comment &c : page)
                items.append(ScanStore::Item{c.id, c.state, QString(), c.reason, std::nullopt, {}, true});
            if (store.log(run, items) == 0) {
                say(QStringLiteral("error ") + store.lastError());
                return 1;
            }
        }
        say(QStringLiteral("done"));
        return 0;
    }
    say(QStringLiteral("unknown mode"));
    return 2;
}
