#pragma once
// What the start-up benchmarks read of the programs they start: the median of their rounds and
// the resident memory of a program with every process it started (the web engine's helpers).

#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>

#include <algorithm>

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

} // namespace bench
