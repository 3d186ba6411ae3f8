#include "Settings/HistoryPane.h"

#include "Scan/SpamModel.h"
#include "Settings/ChoicePicker.h"
#include "Settings/HistoryPaneModel.h"
#include "Settings/PaneContent.h"
#include "Settings/SettingBinder.h"
#include "Settings/SettingsButton.h"
#include "Settings/SettingsCard.h"
#include "Settings/SettingsRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

HistoryPane::HistoryPane(SpamModel *model, SettingsPrompts *prompts, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_pane(new HistoryPaneModel(model, prompts, this))
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    SettingBinder::onChange(this, model->ownerSettings(), {OwnerSettings::Key::keepDays}, [this] { rebuild(); });
    for (auto signal : {&HistoryState::statsChanged, &HistoryState::noticeChanged})
        connect(&model->history(), signal, this, &HistoryPane::rebuild, Qt::QueuedConnection);
    // Rebuilt when a job starts or ends, not at each of its steps.
    connect(&model->jobs(), &JobState::changed, this, [this, working = model->jobs().working()]() mutable {
        if (m_model->jobs().working() == working)
            return;
        working = !working;
        QMetaObject::invokeMethod(this, &HistoryPane::rebuild, Qt::QueuedConnection);
    });
    connect(m_pane, &HistoryPaneModel::changed, this, &HistoryPane::rebuild, Qt::QueuedConnection);
    // Progress moves the bar in place; the pane is rebuilt only when an export starts or ends.
    connect(m_pane, &HistoryPaneModel::exportProgress, this, [this](qint64 done, qint64 total) {
        if (m_progress) {
            m_progress->setMaximum(int(std::min<qint64>(total, std::numeric_limits<int>::max())));
            m_progress->setValue(int(std::min(done, total)));
        }
    });
    rebuild();
}

void HistoryPane::rebuild()
{
    if (!m_model)
        return;
    QVBoxLayout *column = PaneContent::renew(this, m_layout, m_content);
    SpamModel *model = m_model;

    // A history that is off says so first: why, and what to do.
    if (!model->history().notice().isEmpty()) {
        auto *off = new QLabel(QStringLiteral("\u26A0 ") + model->history().notice());
        off->setObjectName(QStringLiteral("historyNotice"));
        off->setTextFormat(Qt::PlainText);
        off->setWordWrap(true);
        off->setTextInteractionFlags(Qt::TextSelectableByMouse);
        off->setStyleSheet(QStringLiteral("color: #c0392b;"));
        column->addWidget(off);
    }

    auto *retention = new SettingsCard(tr("Retention"));
    auto *keep = new ChoicePicker(tr("Keep for"), 250);
    SettingBinder::bindPicker(keep, model->ownerSettings(), OwnerSettings::Key::keepDays);
    retention->add(new SettingsRow(QStringLiteral("x-office-calendar"), tr("Keep for"),
                                   tr("Records of comments and posts not seen for longer than this are removed. "
                                      "Monitored posts are kept."),
                                   keep));
    column->addWidget(retention);

    auto *data = new SettingsCard(tr("Data"));
    QWidget *exportControl = nullptr;
    if (m_pane->exporting()) {
        // While the file is written: how far it got, and Cancel.
        exportControl = new QWidget;
        auto *row = new QHBoxLayout(exportControl);
        row->setContentsMargins(0, 0, 0, 0);
        m_progress = new QProgressBar;
        m_progress->setAccessibleName(tr("Export progress"));
        m_progress->setFixedWidth(140);
        m_progress->setMaximum(
            int(std::max<qint64>(1, std::min<qint64>(m_pane->exportTotal(), std::numeric_limits<int>::max()))));
        m_progress->setValue(int(std::min(m_pane->exportDone(), m_pane->exportTotal())));
        auto *cancel = new SettingsButton(tr("Cancel"), SettingsButton::Kind::plain);
        connect(cancel, &QPushButton::clicked, m_pane, &HistoryPaneModel::cancelExport);
        row->addWidget(m_progress);
        row->addWidget(cancel);
    } else {
        auto *exportButton = new SettingsButton(tr("Export"), SettingsButton::Kind::plain);
        exportButton->setEnabled(HistoryPaneModel::canExport(*model));
        connect(exportButton, &QPushButton::clicked, this, [this] { m_pane->exportHistory(window()); });
        exportControl = exportButton;
    }
    data->add(new SettingsRow(QStringLiteral("document-save-as"), tr("Export as CSV"),
                              tr("Saves every stored comment with author, text, verdict and deletion time to a file."),
                              exportControl));
    data->addDivider(SettingsRow::textInset());
    auto *clear = new SettingsButton(tr("Clear"), SettingsButton::Kind::danger);
    clear->setEnabled(HistoryPaneModel::canClear(*model) && !m_pane->exporting());   // not under a running export
    connect(clear, &QPushButton::clicked, this, [this] { m_pane->confirmClear(window()); });
    data->add(new SettingsRow(QStringLiteral("edit-delete"), tr("Clear all history"),
                              tr("Removes all stored comments and post records. Monitored posts stay in the list. "
                                 "This cannot be undone."),
                              clear, false, true));
    column->addWidget(data);

    if (!m_pane->message().isEmpty()) {
        auto *line = new QLabel((m_pane->failed() ? QStringLiteral("\u26A0 ") : QStringLiteral("\u2713 "))
                                + m_pane->message());
        line->setTextFormat(Qt::PlainText);
        line->setWordWrap(true);
        if (m_pane->failed())
            line->setStyleSheet(QStringLiteral("color: #c0392b;"));
        column->addWidget(line);
    }
    auto *footer = new QLabel(tr("History stays on this computer and is never sent to the Glimora server."));
    footer->setTextFormat(Qt::PlainText);
    footer->setWordWrap(true);
    footer->setForegroundRole(QPalette::PlaceholderText);
    column->addWidget(footer);
    m_layout->addWidget(m_content);
}
