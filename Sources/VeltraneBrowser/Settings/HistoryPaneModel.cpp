#include "Settings/HistoryPaneModel.h"

#include "Scan/SpamModel.h"
#include "Settings/SettingsPrompts.h"
#include "Store/ExportJob.h"
#include "Store/ScanExport.h"

#include <QFileInfo>

namespace {

QString pick(bool korean, const char *ko, const char *en)
{
    return korean ? QString::fromUtf8(ko) : QString::fromUtf8(en);
}

// The export reports in the process's language; the pane shows its own line in either.
QString reasonOf(const QString &message)
{
    for (const QString &prefix : {QStringLiteral("저장하지 못했습니다. "), QStringLiteral("Couldn't save. ")}) {
        if (message.startsWith(prefix))
            return message.mid(prefix.size());
    }
    return message;
}

} // namespace

HistoryPaneModel::HistoryPaneModel(SpamModel *model, SettingsPrompts *prompts, bool korean, QObject *parent)
    : QObject(parent), m_model(model), m_prompts(prompts), m_korean(korean)
{
}

QList<PaneChoice> HistoryPaneModel::keepDaysChoices(bool korean)
{
    QList<PaneChoice> choices;
    for (const int d : SpamModel::keepDaysPresets())
        choices.append({d, QString::number(d) + (korean ? QStringLiteral("일") : QStringLiteral("d"))});
    return choices;
}

bool HistoryPaneModel::setKeepDays(SpamModel &model, qint64 days)
{
    if (!PaneChoice::offers(keepDaysChoices(false), days))
        return false;
    model.setKeepDays(int(days));
    return true;
}

bool HistoryPaneModel::canExport(const SpamModel &model)
{
    return model.stats().comments > 0;
}

bool HistoryPaneModel::canClear(const SpamModel &model)
{
    return !model.working() && (model.stats().posts > 0 || model.stats().comments > 0);
}

QString HistoryPaneModel::clearTitle(bool korean)
{
    return pick(korean, "검사 기록을 모두 지웁니다", "Clear all scan history");
}

QString HistoryPaneModel::clearText(int comments, bool korean)
{
    return korean ? QStringLiteral("저장된 댓글 %1개와 게시물 기록을 지웁니다. 되돌릴 수 없습니다.").arg(comments)
                  : QStringLiteral("%1 stored comments and the post records will be removed. This cannot be undone.")
                        .arg(comments);
}

QString HistoryPaneModel::savedMessage(const QString &fileName, bool korean)
{
    return korean ? fileName + QStringLiteral("에 저장했습니다.") : QStringLiteral("Saved to ") + fileName + QLatin1Char('.');
}

QString HistoryPaneModel::failedMessage(const QString &reason, bool korean)
{
    return pick(korean, "저장하지 못했습니다. ", "Couldn't save. ") + reason;
}

QString HistoryPaneModel::clearedMessage(bool korean)
{
    return pick(korean, "기록을 지웠습니다.", "History cleared.");
}

QString HistoryPaneModel::cancelledMessage(bool korean)
{
    return pick(korean, "내보내기를 취소했습니다.", "Export cancelled.");
}

QString HistoryPaneModel::clearFailedMessage(bool korean, bool working, const QString &reason)
{
    if (working)
        return pick(korean, "기록을 지우지 못했습니다. 검사나 삭제가 끝난 뒤에 다시 해 주세요.",
                    "Couldn't clear the history. Try again when the scan or deletion has ended.");
    return pick(korean, "기록을 지우지 못했습니다. ", "Couldn't clear the history. ") + reason;
}

void HistoryPaneModel::exportHistory(QWidget *parent, const QDateTime &now)
{
    if (!m_model || !m_prompts || exporting())
        return;
    const std::optional<QString> path = m_prompts->saveCsv(parent, pick(m_korean, "CSV로 내보내기", "Export as CSV"),
                                                           ScanExport::fileName(now));
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
            show(cancelledMessage(m_korean), false);
        else if (result.failed)
            show(failedMessage(reasonOf(result.message), m_korean), true);
        else
            show(savedMessage(name, m_korean), false);
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
    const bool yes = m_prompts->confirm(parent, clearTitle(m_korean), clearText(m_model->stats().comments, m_korean),
                                        pick(m_korean, "취소", "Cancel"), pick(m_korean, "지우기", "Clear"));
    if (!yes || !m_model)
        return;
    const bool working = m_model->working();
    if (m_model->clearHistory())
        show(clearedMessage(m_korean), false);
    else
        show(clearFailedMessage(m_korean, working, m_model->store()->lastError()), true);
}

void HistoryPaneModel::show(const QString &message, bool failed)
{
    m_message = message;
    m_failed = failed;
    emit changed();
}
