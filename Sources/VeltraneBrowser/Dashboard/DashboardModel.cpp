#include "Dashboard/DashboardModel.h"

#include "Base/DateText.h"

#include "Sites/LoginProvider.h"

#include <QtMath>

#include <cmath>

namespace {

int countOf(const ScanStore::DayCount &day, DashboardModel::Strip strip)
{
    return strip == DashboardModel::Strip::flagged ? day.flagged : day.deleted;
}

}   // namespace

const QList<int> &DashboardModel::rangeChoices()
{
    static const QList<int> choices{7, 30, 90};
    return choices;
}

int DashboardModel::value(const ScanStore::Stats &stats, Field field)
{
    switch (field) {
    case Field::posts:
        return stats.posts;
    case Field::comments:
        return stats.comments;
    case Field::flagged:
        return stats.flagged;
    case Field::deleted:
        return stats.deleted;
    }
    return 0;
}

QString DashboardModel::tileLabel(Field field, const ScanStore::Stats &stats)
{
    switch (field) {
    case Field::posts:
        if (stats.watched >= 1)
            return tr("Posts · %1 monitored").arg(stats.watched);
        return tr("Posts");
    case Field::comments:
        return tr("Comments");
    case Field::flagged:
        return tr("Flagged");
    case Field::deleted:
        return tr("Deleted");
    }
    return {};
}

QStringList DashboardModel::sites(const PostCatalog::DashboardData &data)
{
    QStringList out;
    for (const LoginProvider site : LoginProvider::allCases()) {
        const auto it = data.bySite.constFind(site.rawValue());
        if (it != data.bySite.cend() && it->posts > 0)
            out.append(site.rawValue());
    }
    return out;
}

QList<ScanStore::Record> DashboardModel::recentShown(const PostCatalog::DashboardData &data)
{
    return data.recent.mid(0, 5);
}

bool DashboardModel::showsTrend(const PostCatalog::DashboardData &data)
{
    for (const ScanStore::DayCount &d : data.daily) {
        if (d.deleted > 0 || d.flagged > 0)
            return true;
    }
    return false;
}

bool DashboardModel::showsLists(const PostCatalog::DashboardData &data)
{
    return !data.topPosts.isEmpty() || !data.topAuthors.isEmpty() || !recentShown(data).isEmpty();
}

QString DashboardModel::postTitle(const ScanStore::Post &post)
{
    return post.title.isEmpty() ? post.url : post.title;
}

QString DashboardModel::postDetail(const ScanStore::Post &post, const QLocale &locale)
{
    const QString f = locale.toString(post.flagged);
    const QString t = locale.toString(post.total);
    return tr("%1 flagged · %2 comments").arg(f, t);
}

QString DashboardModel::authorSite(const ScanStore::Author &author)
{
    if (const std::optional<LoginProvider> site = LoginProvider::fromRawValue(author.site))
        return site->displayName();
    return {};
}

QString DashboardModel::recentAuthor(const ScanStore::Record &record)
{
    return record.author.isEmpty() ? tr("(no author)") : record.author;
}

QString DashboardModel::recentText(const ScanStore::Record &record)
{
    return record.text.isEmpty() ? tr("(no text stored)") : record.text;
}

QString DashboardModel::recentTime(const ScanStore::Record &record)
{
    return record.deletedAt ? DateText::numericDayClock(*record.deletedAt) : QString();
}

QString DashboardModel::recentTooltip(const ScanStore::Record &record, const PostCatalog::DashboardData &data)
{
    const auto it = data.posts.constFind(record.post);
    if (it == data.posts.cend())
        return {};
    return postTitle(*it);
}

QString DashboardModel::listTitle(int column)
{
    switch (column) {
    case 0:
        return tr("Posts with the most deletions");
    case 1:
        return tr("Authors deleted most often");
    default:
        return tr("Recently deleted");
    }
}

QList<ScanStore::DayCount> DashboardModel::slice(const QList<ScanStore::DayCount> &daily, int days)
{
    if (days <= 0)
        return {};
    return daily.size() <= days ? daily : daily.mid(daily.size() - days);
}

int DashboardModel::ceiling(const QList<ScanStore::DayCount> &slice, Strip strip)
{
    QList<ScanStore::DayCount> one = slice;
    for (ScanStore::DayCount &d : one)
        (strip == Strip::flagged ? d.deleted : d.flagged) = 0;
    return ceiling(one);
}

int DashboardModel::ceiling(const QList<ScanStore::DayCount> &slice)
{
    int peak = 0;
    for (const ScanStore::DayCount &d : slice)
        peak = std::max({peak, d.deleted, d.flagged});
    if (peak <= 5)
        return std::max(peak, 1);
    const double m = std::pow(10.0, std::floor(std::log10(double(peak))));
    for (const double factor : {1.0, 1.2, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0}) {
        const double candidate = std::round(m * factor);   // halves away from zero
        if (candidate >= peak)
            return int(candidate);
    }
    return peak;
}

QList<QDateTime> DashboardModel::ticks(const QList<ScanStore::DayCount> &slice, int days)
{
    const int step = days < 6 ? 1 : days / 6;
    QList<QDateTime> out;
    int position = 0;
    for (auto it = slice.crbegin(); it != slice.crend(); ++it, ++position) {
        if (position % step == step / 2)
            out.append(it->day.addSecs(43200));
    }
    return out;
}

double DashboardModel::barWidth(int days, double width)
{
    return std::min(std::max(width / std::max(days, 1) * 0.62, 2.0), 24.0);
}

double DashboardModel::cornerRadius(int days, double width)
{
    return std::min(barWidth(days, width) / 3.0, 3.0);
}

int DashboardModel::shownValue(const QList<ScanStore::DayCount> &slice, Strip strip,
                               const std::optional<QDateTime> &hovered)
{
    if (hovered) {
        for (const ScanStore::DayCount &d : slice) {
            if (d.day == *hovered)
                return countOf(d, strip);
        }
    }
    int sum = 0;
    for (const ScanStore::DayCount &d : slice)
        sum += countOf(d, strip);
    return sum;
}

std::optional<QDateTime> DashboardModel::dayAt(const QList<ScanStore::DayCount> &slice, const QDateTime &at)
{
    const QDateTime start = at.toLocalTime().date().startOfDay();
    for (const ScanStore::DayCount &d : slice) {
        if (d.day == start)
            return d.day;
    }
    return std::nullopt;
}

QString DashboardModel::rangeLabel(int days)
{
    return tr("%1d", "a number of days").arg(days);
}

QString DashboardModel::stripTitle(Strip strip)
{
    return strip == Strip::flagged ? tr("Detected") : tr("Deleted");
}

QString DashboardModel::hoveredText(const QDateTime &day)
{
    return DateText::weekdayMonthDay(day.date());
}

QString DashboardModel::tickText(const QDateTime &tick)
{
    return DateText::numericMonthDay(tick.date());
}
