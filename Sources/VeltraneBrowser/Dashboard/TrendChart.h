#pragma once
// The trend section of the statistics sheet: the 7/30/90-day range control, the hovered date,
// and two bar strips (detected, deleted) on one shared scale. Reads only its snapshot.

#include "Scan/SpamModel.h"

#include <QWidget>

#include <optional>

class QChartView;
class QLabel;
class QHBoxLayout;
class QVBoxLayout;
class QToolButton;

class TrendChart : public QWidget {
    Q_OBJECT
public:
    explicit TrendChart(const QList<ScanStore::DayCount> &daily, QWidget *parent = nullptr);

    int days() const { return m_days; }
    void setDays(int days);
    std::optional<QDateTime> hovered() const { return m_hovered; }
    void setHovered(const std::optional<QDateTime> &day);
    // The values beside the two strips as shown.
    QString shownText(int strip) const;
    // The two strips' chart views, detected first.
    QList<QChartView *> views() const { return m_views; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void rebuild();
    void restyle();

    QList<ScanStore::DayCount> m_daily;
    int m_days;
    std::optional<QDateTime> m_hovered;
    QList<QToolButton *> m_segments;
    QLabel *m_date;
    QList<QLabel *> m_values;
    QList<QChartView *> m_views;
    QVBoxLayout *m_strips;
};
