#pragma once
// A second connection to the window's history on a thread of its own, for the writes the window
// must never wait for: a scan's whole record and the expiry. Work runs in the order it was given,
// one piece at a time; its result comes back as a future. The thread's connection copies the
// write-ahead log back into the file now and then, so the window's own connection never does.
// A history without a file (kept in memory) or one that could not be opened has no second
// connection: the work then runs at once on the window's own store.
//
//   StoreThread writer(&store);
//   QFuture<bool> done = writer.run<bool>([](ScanStore &side) { return side.purge(); });

#include "Store/ScanStore.h"

#include <QFuture>
#include <QObject>
#include <QPromise>
#include <QThread>

#include <functional>
#include <memory>

class StoreThread : public QObject {
    Q_OBJECT
public:
    // `store` is the window's; it must outlive this. Its log's checkpoints are left to this
    // thread, and, when it has not opened yet, the expiry its open would start too.
    explicit StoreThread(ScanStore *store, QObject *parent = nullptr);
    // Finishes the work already given, then stops.
    ~StoreThread() override;

    // Runs `work` on the thread's connection (or at once on the window's store, see above).
    template <typename T>
    QFuture<T> run(std::function<T(ScanStore &)> work)
    {
        auto promise = std::make_shared<QPromise<T>>();
        QFuture<T> future = promise->future();
        promise->start();
        post([promise, work = std::move(work)](ScanStore &store) {
            promise->addResult(work(store));
            promise->finish();
        });
        return future;
    }

    // Whether the work runs on a thread of its own (known once the window's store opened).
    bool separate();

    // Rows of one expiry step on the thread: short, so that a write of the window waits little.
    static constexpr int expiryBatch = 100;

private:
    void post(std::function<void(ScanStore &)> job);

    ScanStore *m_store;
    QThread *m_thread = nullptr;
    QObject *m_context = nullptr;   // lives on the thread; its queued calls are the work
    std::unique_ptr<ScanStore> m_side;
    bool m_decided = false;
};
