#include "Dashboard/TrendChart.h"

#include "Dashboard/DashboardModel.h"
#include "Dashboard/ScaledFont.h"
#include "Theme/Design.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <QValueAxis>
#include <QVBoxLayout>

namespace {

constexpr DashboardModel::Strip kStrips[] = {DashboardModel::Strip::flagged, DashboardModel::Strip::deleted};

}   // namespace

TrendChart::TrendChart(const QList<ScanStore::DayCount> &daily, QWidget *parent)
    : QWidget(parent)
    , m_daily(daily)
    , m_days(DashboardModel::initialDays)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(14);
    auto *header = new QHBoxLayout;
    header->setSpacing(12);
    auto *range = new QFrame;
    range->setObjectName(QStringLiteral("range"));
    // The chosen range in the accent, as every row of choices in the window.
    range->setStyleSheet(
        QStringLiteral(
            "QFrame#range { background: palette(alternate-base); border: 1px solid palette(mid); border-radius: 10px; }"
            "QToolButton { min-height: 26px; }")
        + Design::segmentStyle(8, 14));
    auto *rl = new QHBoxLayout(range);
    rl->setContentsMargins(3, 3, 3, 3);
    rl->setSpacing(2);
    for (const int d : DashboardModel::rangeChoices()) {
        auto *b = new QToolButton;
        b->setText(DashboardModel::rangeLabel(d));
        b->setCheckable(true);
        connect(b, &QToolButton::clicked, this, [this, d] { setDays(d); });
        m_segments.append(b);
        rl->addWidget(b);
    }
    header->addWidget(range);
    m_date = new QLabel;
    m_date->setForegroundRole(QPalette::PlaceholderText);
    header->addWidget(m_date);
    header->addStretch(1);
    layout->addLayout(header);
    m_strips = new QVBoxLayout;
    m_strips->setSpacing(10);
    layout->addLayout(m_strips);
    rebuild();
}

void TrendChart::setDays(int days)
{
    if (!DashboardModel::rangeChoices().contains(days))
        return;
    m_days = days;
    m_hovered.reset();
    rebuild();
}

void TrendChart::setHovered(const std::optional<QDateTime> &day)
{
    if (day == m_hovered)
        return;
    m_hovered = day;
    restyle();
}

QString TrendChart::shownText(int strip) const
{
    return m_values.value(strip) ? m_values.at(strip)->text() : QString();
}

void TrendChart::rebuild()
{
    while (QLayoutItem *item = m_strips->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_values.clear();
    m_views.clear();
    const QList<ScanStore::DayCount> slice = DashboardModel::slice(m_daily, m_days);
    const QList<QDateTime> ticks = DashboardModel::ticks(slice, m_days);
    const int n = int(slice.size());
    for (const DashboardModel::Strip strip : kStrips) {
        const bool dated = strip == DashboardModel::Strip::deleted;
        const int top = DashboardModel::ceiling(slice, strip);
        auto *row = new QWidget;
        auto *rl = new QHBoxLayout(row);
        rl->setContentsMargins(0, 0, 0, 0);
        rl->setSpacing(0);
        auto *valueColumn = new QWidget;
        valueColumn->setFixedWidth(226);
        auto *vl = new QVBoxLayout(valueColumn);
        vl->setContentsMargins(0, 0, 0, 0);
        vl->setSpacing(4);
        auto *title = new QLabel(DashboardModel::stripTitle(strip));
        title->setForegroundRole(QPalette::PlaceholderText);
        auto *value = new QLabel;
        QFont vf = value->font();
        vf = ScaledFont::of(vf, 1.7);
        value->setFont(vf);
        vl->addWidget(title);
        vl->addWidget(value);
        vl->addStretch(1);
        rl->addWidget(valueColumn, 0, Qt::AlignTop);

        auto *set = new QBarSet(DashboardModel::stripTitle(strip));
        for (const ScanStore::DayCount &d : slice)
            set->append(strip == DashboardModel::Strip::flagged ? d.flagged : d.deleted);
        auto *series = new QBarSeries;
        series->append(set);
        auto *chart = new QChart;
        chart->addSeries(series);
        chart->legend()->hide();
        chart->setBackgroundVisible(false);
        chart->setMargins(QMargins(0, 0, 0, 0));
        chart->layout()->setContentsMargins(0, 0, 0, 0);
        auto *x = new QCategoryAxis;
        x->setRange(-0.5, n - 0.5);
        x->setGridLineVisible(false);
        x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        if (dated) {
            // Labels at the tick days, oldest first as the axis wants them.
            for (auto it = ticks.crbegin(); it != ticks.crend(); ++it) {
                for (int i = 0; i < n; ++i) {
                    if (slice.at(i).day.addSecs(43200) == *it)
                        x->append(DashboardModel::tickText(*it), i);
                }
            }
        } else {
            x->setLabelsVisible(false);
        }
        x->setLineVisible(false);
        QFont small = x->labelsFont();
        small = ScaledFont::of(small, 0.75);
        x->setLabelsFont(small);
        auto *y = new QValueAxis;
        y->setRange(0, top);
        y->setTickCount(2);
        y->setLabelFormat(QStringLiteral("%d"));
        y->setLabelsFont(small);
        y->setLineVisible(false);
        y->setGridLineColor(palette().color(QPalette::Mid));
        y->setLabelsColor(palette().color(QPalette::PlaceholderText));
        x->setLabelsColor(palette().color(QPalette::PlaceholderText));
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignRight);
        series->attachAxis(x);
        series->attachAxis(y);
        // A fixed bar width, as a share of one day's band.
        const double band = DashboardModel::chartWidth / std::max(n, 1);
        series->setBarWidth(std::min(1.0, DashboardModel::barWidth(m_days) / band));
        auto *view = new QChartView(chart);
        view->setRenderHint(QPainter::Antialiasing);
        view->setFixedHeight(dated ? 82 + 18 : 64);
        view->setMouseTracking(true);
        view->viewport()->setMouseTracking(true);
        view->viewport()->installEventFilter(this);
        view->setFrameShape(QFrame::NoFrame);
        view->setStyleSheet(QStringLiteral("background: transparent;"));
        view->setAccessibleName(DashboardModel::stripTitle(strip));
        rl->addWidget(view, 1);
        m_values.append(value);
        m_views.append(view);
        m_strips->addWidget(row);
    }
    restyle();
}

void TrendChart::restyle()
{
    const QList<ScanStore::DayCount> slice = DashboardModel::slice(m_daily, m_days);
    for (int i = 0; i < m_segments.size(); ++i)
        m_segments.at(i)->setChecked(DashboardModel::rangeChoices().at(i) == m_days);
    m_date->setText(m_hovered ? DashboardModel::hoveredText(*m_hovered) : QString());
    m_date->setVisible(m_hovered.has_value());
    for (int s = 0; s < m_views.size(); ++s) {
        const DashboardModel::Strip strip = kStrips[s];
        m_values.at(s)->setText(QLocale().toString(DashboardModel::shownValue(slice, strip, m_hovered)));
        const auto series = m_views.at(s)->chart()->series();
        if (series.isEmpty())
            continue;
        auto *bars = static_cast<QBarSeries *>(series.constFirst());
        if (bars->barSets().isEmpty())
            continue;
        QBarSet *set = bars->barSets().constFirst();
        QColor colour = strip == DashboardModel::Strip::flagged ? palette().color(QPalette::PlaceholderText)
                                                                : palette().color(QPalette::Text);
        set->setBorderColor(Qt::transparent);
        set->deselectAllBars();
        if (m_hovered) {
            QColor faded = colour;
            faded.setAlphaF(0.3);
            set->setColor(faded);
            set->setSelectedColor(colour);
            for (int i = 0; i < slice.size(); ++i) {
                if (slice.at(i).day == *m_hovered)
                    set->selectBar(i);
            }
        } else {
            set->setColor(colour);
        }
    }
}

bool TrendChart::eventFilter(QObject *watched, QEvent *event)
{
    for (QChartView *view : std::as_const(m_views)) {
        if (view->viewport() != watched)
            continue;
        if (event->type() == QEvent::Leave) {
            setHovered(std::nullopt);
        } else if (event->type() == QEvent::MouseMove) {
            const auto *move = static_cast<QMouseEvent *>(event);
            QChart *chart = view->chart();
            const QPointF scene = view->mapToScene(move->position().toPoint());
            const QPointF at = chart->mapToValue(chart->mapFromScene(scene));
            const QList<ScanStore::DayCount> slice = DashboardModel::slice(m_daily, m_days);
            const int index = int(std::lround(at.x()));
            if (chart->plotArea().contains(chart->mapFromScene(scene)) && index >= 0 && index < slice.size())
                setHovered(slice.at(index).day);
            else
                setHovered(std::nullopt);
        }
    }
    return QWidget::eventFilter(watched, event);
}
