#include "Settings/HistoryPaneModel.h"

#include "Scan/SpamModel.h"
#include "Settings/SettingsPrompts.h"
#include "Store/ExportJob.h"
#include "Store/ScanExport.h"

#include <QFileInfo>

HistoryPaneModel::HistoryPaneModel(SpamModel *model, SettingsPrompts *prompts, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_prompts(prompts)
{
}

QList<PaneChoice> HistoryPaneModel::keepDaysChoices()
{
    QList<PaneChoice> choices;
    for (const int d : OwnerSettings::keepDaysPresets())
        choices.append({d, tr("%1d", "a number of days").arg(d)});
    return choices;
}

bool HistoryPaneModel::canExport(const SpamModel &model)
{
    return model.history().stats().comments > 0;
}

bool HistoryPaneModel::canClear(const SpamModel &model)
{
    return !model.jobs().working() && (model.history().stats().posts > 0 || model.history().stats().comments > 0);
}

QString HistoryPaneModel::clearTitle()
{
    return tr("Clear all scan history");
}

QString HistoryPaneModel::clearText(int comments)
{
    return tr("%1 stored comments and the post records will be removed. This cannot be undone.").arg(comments);
}

QString HistoryPaneModel::savedMessage(const QString &fileName)
{
    return tr("Saved to %1.").arg(fileName);
}

QString HistoryPaneModel::failedMessage(const QString &reason)
{
    return tr("Couldn't save. %1").arg(reason);
}

QString HistoryPaneModel::clearedMessage()
{
    return tr("History cleared.");
}

QString HistoryPaneModel::cancelledMessage()
{
    return tr("Export cancelled.");
}

QString HistoryPaneModel::clearFailedMessage(bool working, const QString &reason)
{
    if (working)
        return tr("Couldn't clear the history. Try again when the scan or deletion has ended.");
    return tr("Couldn't clear the history. %1").arg(reason);
}

void HistoryPaneModel::exportHistory(QWidget *parent, const QDateTime &now)
{
    if (!m_model || !m_prompts || exporting())
        return;
    const std::optional<QString> path = m_prompts->saveCsv(parent, tr("Export as CSV"), ScanExport::fileName(now));
    if (!path || path->isEmpty() || !m_model)
        return;
    // Streams into a temporary file beside the target and replaces it only when complete.
    auto *job = new ExportJob(m_model->store(), *path, this);
    m_job = job;
    m_done = 0;
    m_total = 0;
    const QString name = QFileInfo(*path).fileName();
    connect(job, &ExportJob::progress, this, [this](qint64 done, qint64 total) {
        m_done = done;
        m_total = total;
        emit exportProgress(done, total);
    });
    connect(job, &ExportJob::finished, this, [this, job, name](const ScanExport::Result &result) {
        job->deleteLater();
        m_job = nullptr;
        if (result.cancelled)
            show(cancelledMessage(), false);
        else if (result.failure)
            show(failedMessage(result.failure->reason), true);
        else
            show(savedMessage(name), false);
    });
    emit changed();
    job->start();
}

bool HistoryPaneModel::exporting() const
{
    return m_job && m_job->running();
}

void HistoryPaneModel::cancelExport()
{
    if (m_job)
        m_job->cancel();
}

void HistoryPaneModel::confirmClear(QWidget *parent)
{
    if (!m_model || !m_prompts)
        return;
    const bool yes = m_prompts->confirm(parent, clearTitle(), clearText(m_model->history().stats().comments),
                                        tr("Cancel"), tr("Clear"));
    if (!yes || !m_model)
        return;
    const bool working = m_model->jobs().working();
    if (m_model->catalog().clearHistory())
        show(clearedMessage(), false);
    else
        show(clearFailedMessage(working, m_model->store()->lastError()), true);
}

void HistoryPaneModel::show(const QString &message, bool failed)
{
    m_message = message;
    m_failed = failed;
    emit changed();
}
