#pragma once
// The statistics sheet: four totals with a per-site split, the daily trend, and the posts with the
// most deletions, the authors deleted most often and the latest deletions. It reads one snapshot
// of the history when it is made and never refreshes it. Made over the model, it reads the
// snapshot off the window's thread and fills itself when the snapshot arrives (ready()).
//
//   auto *sheet = new StatisticsSheet(model, window);
//   connect(sheet, &StatisticsSheet::postChosen, model, [model](const QString &url) { /* open it */ });
//   connect(sheet, &StatisticsSheet::ready, sheet, &QDialog::open);
//
// A post row closes the sheet and then reports the post; Return and Escape close it.

#include "Scan/SpamModel.h"

#include <QDialog>
#include <QPointer>

class TrendChart;
class QPushButton;

class StatisticsSheet : public QDialog {
    Q_OBJECT
public:
    explicit StatisticsSheet(SpamModel *model, QWidget *parent = nullptr);
    // Over a given snapshot (the gallery, tests).
    StatisticsSheet(SpamModel *model, const PostCatalog::DashboardData &data, QWidget *parent = nullptr);

    const PostCatalog::DashboardData &data() const { return m_data; }
    // Whether the snapshot has arrived and the sheet shows it.
    bool isReady() const { return m_ready; }
    TrendChart *trend() const { return m_trend; }
    QList<QPushButton *> postRows() const { return m_postRows; }
    // The line under the totals while nothing was scanned yet; empty once there is history.
    static QString emptyHint(const PostCatalog::DashboardData &data);

signals:
    // A post row was clicked: the sheet has closed; the post should open and be scanned.
    void postChosen(const QString &url);
    // The snapshot arrived and the sheet shows it.
    void ready();

private:
    void build();
    void followWorking();

    QPointer<SpamModel> m_model;
    PostCatalog::DashboardData m_data;
    TrendChart *m_trend = nullptr;
    QList<QPushButton *> m_postRows;
    bool m_ready = false;
};
