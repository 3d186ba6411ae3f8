#include "Store/StoreThread.h"

#include <QFileInfo>
#include <QTimer>

namespace {

// The log is copied back once it holds this much (SQLite's own default is about 4 MiB).
constexpr qint64 checkpointBytes = 4 * 1024 * 1024;

}   // namespace

StoreThread::StoreThread(ScanStore *store, QObject *parent)
    : QObject(parent)
    , m_store(store)
{
    m_store->purgeAtOpen = false;
    m_store->setCheckpoints(false);
}

StoreThread::~StoreThread()
{
    if (!m_thread)
        return;
    // The queued work runs first: the quit is queued behind it.
    QMetaObject::invokeMethod(
        m_context,
        [context = m_context, thread = m_thread] {
        qDeleteAll(context->findChildren<QTimer *>());   // stopped on the thread that started them
        thread->quit();
        },
        Qt::QueuedConnection);
    m_thread->wait();
    delete m_context;
    delete m_thread;
    m_side.reset();   // closed last: the log goes back into the file when no one else reads it
}

bool StoreThread::separate()
{
    if (m_decided)
        return m_thread != nullptr;
    m_decided = true;
    if (!m_store->isOpen() || m_store->path() == QStringLiteral(":memory:")) {
        // Nothing to share: the window's store does its own checkpoints again.
        m_store->setCheckpoints(true);
        return false;
    }
    m_side = std::make_unique<ScanStore>(m_store->path());
    m_side->purgeAtOpen = false;
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("history"));
    m_context = new QObject;
    m_context->moveToThread(m_thread);
    m_thread->start();
    // The window's own commits grow the log while no work comes here: it is looked at now and then.
    ScanStore *side = m_side.get();
    const QString log = m_store->path() + QStringLiteral("-wal");
    QMetaObject::invokeMethod(
        m_context,
        [context = m_context, side, log] {
        auto *timer = new QTimer(context);
        QObject::connect(timer, &QTimer::timeout, context, [side, log] {
            if (QFileInfo(log).size() >= checkpointBytes && side->isOpen())
                side->checkpoint();
        });
        timer->start(2000);
        },
        Qt::QueuedConnection);
    return true;
}

void StoreThread::post(std::function<void(ScanStore &)> job)
{
    if (!separate()) {
        job(*m_store);
        return;
    }
    ScanStore *side = m_side.get();
    const QString log = m_store->path() + QStringLiteral("-wal");
    QMetaObject::invokeMethod(
        m_context,
        [side, log, job = std::move(job)] {
        job(*side);
        // The window's commits grow the log too; it is copied back here, off the window's thread.
        if (QFileInfo(log).size() >= checkpointBytes)
            side->checkpoint();
        },
        Qt::QueuedConnection);
}
