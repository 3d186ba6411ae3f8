#include "Base/DateText.h"

#include "Base/Lang.h"

QLocale DateText::locale()
{
    return Lang::system() ? QLocale(QLocale::Korean, QLocale::SouthKorea)
                          : QLocale(QLocale::English, QLocale::UnitedStates);
}

// The patterns are QLocale::toString() formats; the Korean ones quote their unit words.

QString DateText::clock(const QTime &time)
{
    return locale().toString(time, tr("h:mm AP", "time format"));
}

QString DateText::monthDay(const QDate &date)
{
    return locale().toString(date, tr("MMM d", "date format"));
}

QString DateText::numericMonthDay(const QDate &date)
{
    return locale().toString(date, tr("M/d", "date format"));
}

QString DateText::weekdayMonthDay(const QDate &date)
{
    return locale().toString(date, tr("ddd, MMM d", "date format"));
}

QString DateText::date(const QDate &date)
{
    return locale().toString(date, tr("MMM d, yyyy", "date format"));
}

QString DateText::monthDayClock(const QDateTime &at)
{
    const QDateTime local = at.toLocalTime();
    return tr("%1, %2", "a date, then a clock").arg(monthDay(local.date()), clock(local.time()));
}

QString DateText::numericDayClock(const QDateTime &at)
{
    const QDateTime local = at.toLocalTime();
    return numericMonthDay(local.date()) + u' ' + clock(local.time());
}

QString DateText::dateClock(const QDateTime &at)
{
    const QDateTime local = at.toLocalTime();
    return tr("%1, %2", "a date, then a clock").arg(date(local.date()), clock(local.time()));
}
