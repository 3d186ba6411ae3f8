// The agent bridge under load: 50 tool calls written at once to veltrane-agent, against the
// stand-in control server answering each command after a latency L. The same 50 commands are
// also posted directly by this process (the bridge's own control client, at most 16 at a time,
// as the bridge does), and the difference of the two wall times per call is the bridge's
// overhead (goal: about 1 ms). The bridge's threads are sampled from /proc throughout.
#include "ControlClient.h"
#include "ControlStandIn.h"
#include "McpSession.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kCalls = 50;
constexpr int kParallel = 16;
constexpr int kRuns = 5;

int threadsOf(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("Threads:"))
            return line.mid(8).trimmed().toInt();
    }
    return 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// 50 calls through the bridge; returns the wall time in ms and raises maxThreads.
double throughBridge(vt::test::McpSession &bridge, int round, int *maxThreads)
{
    QSet<QByteArray> pending;
    QByteArray burst;
    for (int i = 0; i < kCalls; ++i) {
        const QByteArray id = "\"r" + QByteArray::number(round) + "-" + QByteArray::number(i) + "\"";
        pending.insert(id);
        burst += "{\"jsonrpc\":\"2.0\",\"id\":" + id
            + ",\"method\":\"tools/call\",\"params\":{\"name\":\"veltrane_inspect\",\"arguments\":{\"selector\":\"#c"
            + QByteArray::number(i) + "\"}}}\n";
    }
    QEventLoop loop;
    const auto conn = QObject::connect(&bridge, &vt::test::McpSession::lineReceived, &loop,
                                       [&](const QByteArray &line) {
        const QJsonObject reply = QJsonDocument::fromJson(line).object();
        const QByteArray id =
            QJsonDocument(QJsonArray{reply.value("id")}).toJson(QJsonDocument::Compact).mid(1).chopped(1);
        if (pending.remove(id) && pending.isEmpty())
            loop.quit();
    });
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout,
                     [&] { *maxThreads = std::max(*maxThreads, threadsOf(bridge.process().processId())); });
    sampler.start(1);
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    QElapsedTimer wall;
    wall.start();
    bridge.process().write(burst);
    loop.exec();
    const double ms = wall.nsecsElapsed() / 1e6;
    QObject::disconnect(conn);
    if (!pending.isEmpty()) {
        std::fprintf(stderr, "%lld calls unanswered\n", qlonglong(pending.size()));
        std::exit(1);
    }
    return ms;
}

// The same calls posted directly, at most kParallel at a time.
double direct()
{
    QEventLoop loop;
    int started = 0, done = 0;
    std::function<void()> next = [&] {
        const int i = started++;
        const QJsonObject body{{"cmd", "inspect"}, {"args", QJsonObject{{"selector", QString("#c%1").arg(i)}}}};
        ControlClient *client = ControlClient::request(QStringLiteral("/cmd"), body, 300);
        QObject::connect(client, &ControlClient::finished, &loop, [&](const QJsonObject &) {
            if (++done == kCalls)
                loop.quit();
            else if (started < kCalls)
                next();
        });
    };
    QElapsedTimer wall;
    wall.start();
    for (int i = 0; i < kParallel; ++i)
        next();
    loop.exec();
    return wall.nsecsElapsed() / 1e6;
}

}   // namespace

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);

    std::printf("%d parallel calls, at most %d at once; median of %d runs\n", kCalls, kParallel, kRuns);
    std::printf("%-8s %12s %12s %12s %16s %12s %12s\n", "L (ms)", "ideal (ms)", "direct (ms)", "bridge (ms)",
                "overhead/call", "in flight", "threads");
    for (const int latency : {0, 20, 100}) {
        vt::test::ControlStandIn server;
        if (!server.start())
            return 1;
        server.setDelay(latency);
        vt::test::McpSession bridge;
        if (!bridge.start())
            return 1;
        bridge.waitReply(bridge.request("initialize"));
        const int idleThreads = threadsOf(bridge.process().processId());

        direct();   // warm-up of both paths
        int maxThreads = idleThreads;
        throughBridge(bridge, -1, &maxThreads);
        server.resetCounters();

        std::vector<double> viaDirect, viaBridge;
        for (int run = 0; run < kRuns; ++run) {
            viaDirect.push_back(direct());
            viaBridge.push_back(throughBridge(bridge, run, &maxThreads));
        }
        const double d = median(viaDirect), b = median(viaBridge);
        const double ideal = double((kCalls + kParallel - 1) / kParallel) * latency;
        std::printf("%-8d %12.1f %12.1f %12.1f %13.3f ms %12d %5d (idle %d)\n", latency, ideal, d, b, (b - d) / kCalls,
                    server.maxInFlight(), maxThreads, idleThreads);
    }
    std::printf("(the stand-in server runs in this process: with L 0 it competes with the direct client, which can\n"
                " make the bridge look faster than posting directly)\n");
    return 0;
}
