#pragma once
// A CSV export of the history that runs beside the window: its own thread reads the history
// through a connection of its own and writes the file, reporting how far it got; cancel() stops
// it at the next rows, leaving no partial file and any earlier file at the path as it was.
//
//   auto *job = new ExportJob(store, path, this);
//   connect(job, &ExportJob::finished, ...);   // then job->deleteLater()
//   job->start();

#include "Store/ScanExport.h"

#include <QObject>
#include <QString>
#include <QThread>

#include <atomic>
#include <memory>

class ScanStore;

class ExportJob : public QObject {
    Q_OBJECT
public:
    // `store` names the history; it is read by the job's own connection (a history kept in
    // memory has no file to share and is written on the calling thread).
    ExportJob(ScanStore *store, const QString &path, QObject *parent = nullptr);
    ~ExportJob() override;

    void start();
    void cancel();
    bool running() const { return m_running; }
    qint64 done() const { return m_done; }
    qint64 total() const { return m_total; }

signals:
    // Rows written so far of about `total` (the count when the export began).
    void progress(qint64 done, qint64 total);
    void finished(const ScanExport::Result &result);

private:
    void report(qint64 done, qint64 total);
    void end(const ScanExport::Result &result);

    ScanStore *m_store;
    QString m_path;
    std::shared_ptr<std::atomic_bool> m_cancel = std::make_shared<std::atomic_bool>(false);
    QThread *m_thread = nullptr;
    bool m_running = false;
    qint64 m_done = 0;
    qint64 m_total = 0;
};
