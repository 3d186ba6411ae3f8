#include "Store/ExportJob.h"

#include "Store/ScanStore.h"

#include <QPointer>

ExportJob::ExportJob(ScanStore *store, const QString &path, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_path(path)
{
    qRegisterMetaType<ScanExport::Result>();
}

ExportJob::~ExportJob()
{
    // A job that goes away stops its thread and waits for it: the file is dropped unfinished.
    m_cancel->store(true);
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

void ExportJob::report(qint64 done, qint64 total)
{
    m_done = done;
    m_total = total;
    emit progress(done, total);
}

void ExportJob::end(const ScanExport::Result &result)
{
    m_running = false;
    emit finished(result);
}

void ExportJob::start()
{
    if (m_running || m_thread || !m_store)
        return;
    m_running = true;
    const QString source = m_store->path();
    const bool shared = m_store->isOpen() && source != QStringLiteral(":memory:");
    const auto cancel = m_cancel;
    if (!shared) {
        // Nothing to read from another thread: written here, still with progress and cancel.
        const ScanExport::Result result = ScanExport::save(*m_store, m_path, [this, cancel](qint64 done, qint64 total) {
            report(done, total);
            return !cancel->load();
        });
        end(result);
        return;
    }
    QPointer<ExportJob> self(this);
    const QString target = m_path;
    m_thread = QThread::create([self, source, target, cancel] {
        ScanStore reader(source, ScanStore::Access::readOnly);
        const ScanExport::Result result = ScanExport::save(reader, target, [self, cancel](qint64 done, qint64 total) {
            if (cancel->load())
                return false;
            QMetaObject::invokeMethod(
                self,
                [self, done, total] {
                if (self)
                    self->report(done, total);
                },
                Qt::QueuedConnection);
            return true;
        });
        QMetaObject::invokeMethod(
            self,
            [self, result] {
            if (self)
                self->end(result);
            },
            Qt::QueuedConnection);
    });
    m_thread->start();
}

void ExportJob::cancel()
{
    m_cancel->store(true);
}
