#pragma once
// What the start-up benchmarks read of the programs they start: the median of their rounds, the
// resident memory of a program with every process it started (the web engine's helpers), and the
// time until the program's first page tells the fixture site it is shown.

#include "FixtureSite.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QFile>
#include <QHash>
#include <QList>

#include <algorithm>
#include <csignal>
#include <optional>

namespace bench {

inline double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

// Resident memory in KiB of a process and all its descendants.
inline qint64 treeRss(qint64 root)
{
    QHash<qint64, qint64> parent;
    QHash<qint64, qint64> rss;
    for (const QString &entry : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok)
            continue;
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("PPid:"))
                parent[pid] = line.mid(5).trimmed().toLongLong();
            else if (line.startsWith("VmRSS:"))
                rss[pid] = line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
    }
    qint64 total = 0;
    for (auto it = rss.cbegin(); it != rss.cend(); ++it) {
        qint64 p = it.key();
        for (int depth = 0; depth < 16 && p > 1; ++depth) {
            if (p == root) {
                total += it.value();
                break;
            }
            p = parent.value(p, 0);
        }
    }
    return total;
}

struct Sample {
    double ms = 0;
    double rssMiB = 0;
};

// Waits for the started `child` to report its first shown page (the fixture's "/bench-shown" with
// `marker`), reads its memory once the helpers settle, and ends it.
inline std::optional<Sample> sampleShown(QProcess &child, const QElapsedTimer &clock, const QString &marker,
                                         int timeoutMs)
{
    auto shown = [&] {
        for (const vt::test::HttpRequest &r : vt::test::FixtureSite::shared()->requests("www.youtube.com"))
            if (r.path == "/bench-shown" && r.query.queryItemValue("run") == marker)
                return true;
        return false;
    };
    const bool ok = QTest::qWaitFor(shown, timeoutMs);
    Sample s;
    s.ms = clock.nsecsElapsed() / 1e6;
    QTest::qWait(1000);   // the engine's helpers settle after the first frame
    s.rssMiB = treeRss(child.processId()) / 1024.0;
    ::kill(child.processId(), SIGTERM);
    if (!QTest::qWaitFor([&] { return child.state() == QProcess::NotRunning; }, 30000)) {
        child.kill();
        child.waitForFinished();
    }
    return ok ? std::optional<Sample>(s) : std::nullopt;
}

}   // namespace bench
