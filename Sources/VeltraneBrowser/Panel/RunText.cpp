#include "Panel/RunText.h"

#include "Base/DateText.h"


QString RunText::scan(int posts)
{
    if (posts < 1)
        return tr("Check for spam");
    return tr("Check %1 for spam").arg(posts);
}

QString RunText::deletion(int count)
{
    return tr("Delete %1").arg(count);
}

QString RunText::time(const QDateTime &date)
{
    return time(date, QDateTime::currentDateTime());
}

QString RunText::time(const QDateTime &date, const QDateTime &now)
{
    const QDateTime local = date.toLocalTime();
    if (local.date() == now.toLocalTime().date())
        return DateText::clock(local.time());
    return DateText::monthDayClock(local);
}
