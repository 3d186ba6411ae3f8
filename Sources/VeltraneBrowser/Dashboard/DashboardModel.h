#pragma once
// Everything the statistics sheet decides, as functions of its one snapshot: the tiles and their
// labels, which sites get a split, the lists and their row texts, and the trend's visible days,
// scale, date labels, bar widths and the values shown beside the strips.
//
//   const auto slice = DashboardModel::slice(data.daily, 30);
//   axis->setRange(0, DashboardModel::ceiling(slice));

#include "Scan/PostCatalog.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

class DashboardModel {
    Q_DECLARE_TR_FUNCTIONS(DashboardModel)

public:
    DashboardModel() = delete;

    enum class Field { posts, comments, flagged, deleted };
    enum class Strip { flagged, deleted };

    static constexpr int initialDays = 30;
    static constexpr int snapshotDays = 90;
    static constexpr double chartWidth = 678;   // the sheet's width less the paddings and the value column
    static const QList<int> &rangeChoices();    // 7, 30, 90

    // ---- tiles and lists ----
    static int value(const ScanStore::Stats &stats, Field field);
    static QString tileLabel(Field field, const ScanStore::Stats &stats);
    // The sites, in their fixed order, that have posts; the split shows only for two or more.
    static QStringList sites(const PostCatalog::DashboardData &data);
    static QList<ScanStore::Record> recentShown(const PostCatalog::DashboardData &data);
    static bool showsTrend(const PostCatalog::DashboardData &data);
    static bool showsLists(const PostCatalog::DashboardData &data);
    static QString postTitle(const ScanStore::Post &post);
    static QString postDetail(const ScanStore::Post &post, const QLocale &locale = QLocale());
    static QString authorSite(const ScanStore::Author &author);   // "YouTube", "Instagram" or empty
    static QString recentAuthor(const ScanStore::Record &record);
    static QString recentText(const ScanStore::Record &record);
    // The deletion time, numeric month and day with the clock; empty when not deleted.
    static QString recentTime(const ScanStore::Record &record);
    // The title of the record's post (its address when untitled); empty when the post is not listed.
    static QString recentTooltip(const ScanStore::Record &record, const PostCatalog::DashboardData &data);
    static QString listTitle(int column);

    // ---- trend ----
    static QList<ScanStore::DayCount> slice(const QList<ScanStore::DayCount> &daily, int days);
    // The scale's top: the peak itself up to 5 (at least 1), else the first round step above it.
    static int ceiling(const QList<ScanStore::DayCount> &slice);
    // The same for one strip alone: each strip has its own scale, so that a few deletions beside
    // many detections still show.
    static int ceiling(const QList<ScanStore::DayCount> &slice, Strip strip);
    // The dates under the bottom strip, newest first: the day's noon of every step-th entry.
    static QList<QDateTime> ticks(const QList<ScanStore::DayCount> &slice, int days);
    static double barWidth(int days, double width = chartWidth);
    static double cornerRadius(int days, double width = chartWidth);
    // The hovered day's count, or the sum over the slice.
    static int shownValue(const QList<ScanStore::DayCount> &slice, Strip strip,
                          const std::optional<QDateTime> &hovered);
    // The slice's day that contains a time, none outside the plotted days.
    static std::optional<QDateTime> dayAt(const QList<ScanStore::DayCount> &slice, const QDateTime &at);
    static QString rangeLabel(int days);
    static QString stripTitle(Strip strip);
    static QString hoveredText(const QDateTime &day);
    static QString tickText(const QDateTime &tick);
};
