// AI check throughput: 1,000 texts in batches of 20, at most 4 requests in flight, against the
// local stand-in service with a fixed latency L. The ideal is ceil(50 / 4) = 13 rounds of L;
// the wall time is printed as a ratio of that and of 13 single round trips measured in the same
// run, with the largest number of requests the service saw in flight.
#include "Await.h"
#include "FakeService.h"
#include "Service/VeltraneAccount.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <vector>

namespace {

const QStringList kKinds{QStringLiteral("spam"), QStringLiteral("abuse"), QStringLiteral("sexual")};

QCoro::Task<void> worker(VeltraneAccount *account, const QList<QStringList> *batches, int *next, int *scored)
{
    while (*next < batches->size()) {
        const int i = (*next)++;
        const auto checked = co_await account->check(batches->at(i), kKinds, false);
        for (const auto &s : checked.scores)
            *scored += s ? 1 : 0;
    }
}

QCoro::Task<void> runAll(VeltraneAccount *account, const QList<QStringList> *batches, int parallel, int *scored)
{
    int next = 0;
    std::vector<QCoro::Task<void>> workers;
    for (int i = 0; i < parallel; ++i)
        workers.push_back(worker(account, batches, &next, scored));   // eager: all start now
    for (auto &w : workers)
        co_await std::move(w);
}

}   // namespace

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);

    const int texts = 1000, batchSize = 20, parallel = 4;
    QList<QStringList> batches;
    for (int i = 0; i < texts; i += batchSize) {
        QStringList batch;
        for (int j = i; j < std::min(texts, i + batchSize); ++j)
            batch << (j % 7 == 0 ? QStringLiteral("카지노 가입 텔레그램 %1").arg(j)
                                 : QStringLiteral("좋은 영상 감사합니다 %1").arg(j));
        batches << batch;
    }
    const int rounds = int((batches.size() + parallel - 1) / parallel);

    std::printf("%-8s %10s %10s %12s %14s %12s\n", "L (ms)", "wall (ms)", "ideal (ms)", "vs ideal", "vs measured",
                "max in flight");
    for (const int latency : {20, 50, 100}) {
        vt::test::FakeService service;
        if (!service.start())
            return 1;
        service.testMode = true;
        service.latencyMs = latency;
        VeltraneAccount account(service.url(), QString());

        // Warm-up and baseline: single round trips, one after another.
        vt::test::await(account.check(batches.first(), kKinds, false));
        QElapsedTimer single;
        single.start();
        for (int i = 0; i < 5; ++i)
            vt::test::await(account.check(batches.first(), kKinds, false));
        const double roundTrip = single.nsecsElapsed() / 5e6;

        service.resetCounters();
        int scored = 0;
        QElapsedTimer wall;
        wall.start();
        vt::test::await(runAll(&account, &batches, parallel, &scored), 120000);
        const double ms = wall.nsecsElapsed() / 1e6;
        if (scored != texts || service.requestCount() != batches.size()) {
            std::fprintf(stderr, "scored %d of %d texts in %d requests\n", scored, texts, service.requestCount());
            return 1;
        }
        const double ideal = rounds * latency;
        std::printf("%-8d %10.1f %10.1f %12.3f %14.3f %12d\n", latency, ms, ideal, ms / ideal,
                    ms / (rounds * roundTrip), service.maxInFlight());
    }
    return 0;
}
