#pragma once
// What the history pane does: the retention choices, when export and clearing are possible, the
// export (to a file the owner picks) and the clearing (after the owner confirms), and the one
// result line they leave, in the run's language. Holds only that line; every other value is the model's.
//
//   HistoryPaneModel pane(model, prompts);
//   pane.exportHistory(parent);   // message(): "Saved to veltrane-history-2026-12-10.csv."

#include "Settings/PaneChoice.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>

class ExportJob;
class SettingsPrompts;
class SpamModel;

class HistoryPaneModel : public QObject {
    Q_OBJECT
public:
    HistoryPaneModel(SpamModel *model, SettingsPrompts *prompts, QObject *parent = nullptr);

    // The retentions offered (SettingBinder writes only these).
    static QList<PaneChoice> keepDaysChoices();
    static bool canExport(const SpamModel &model);
    static bool canClear(const SpamModel &model);

    // The confirmation's title and text for N stored comments.
    static QString clearTitle();
    static QString clearText(int comments);
    static QString savedMessage(const QString &fileName);
    static QString failedMessage(const QString &reason);
    static QString clearedMessage();
    static QString cancelledMessage();
    // While a job runs nothing is cleared; otherwise the store's reason follows.
    static QString clearFailedMessage(bool working, const QString &reason);

    QString message() const { return m_message; }
    bool failed() const { return m_failed; }

    // Asks for a file, then writes every stored comment to it beside the window; a file that
    // cannot be written is reported and leaves any earlier file as it was. Cancelling the
    // question changes nothing; cancelling the export leaves no file and any earlier one as it was.
    void exportHistory(QWidget *parent, const QDateTime &now = QDateTime::currentDateTime());
    bool exporting() const;
    qint64 exportDone() const { return m_done; }
    qint64 exportTotal() const { return m_total; }
    void cancelExport();
    // Asks first; only the destructive answer clears (monitored posts stay).
    void confirmClear(QWidget *parent);

signals:
    void changed();
    // Rows written by the running export (its start and end also raise changed()).
    void exportProgress(qint64 done, qint64 total);

private:
    void show(const QString &message, bool failed);

    QPointer<SpamModel> m_model;
    SettingsPrompts *m_prompts;
    QString m_message;
    bool m_failed = false;
    QPointer<ExportJob> m_job;
    qint64 m_done = 0;
    qint64 m_total = 0;
};
