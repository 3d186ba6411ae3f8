#include "Base/DateText.h"

QLocale DateText::locale(bool korean)
{
    return korean ? QLocale(QLocale::Korean, QLocale::SouthKorea) : QLocale(QLocale::English, QLocale::UnitedStates);
}

QString DateText::clock(const QTime &time, bool korean)
{
    return locale(korean).toString(time, korean ? QStringLiteral("AP h:mm") : QStringLiteral("h:mm AP"));
}

QString DateText::monthDay(const QDate &date, bool korean)
{
    return locale(korean).toString(date, korean ? QStringLiteral("M'월' d'일'") : QStringLiteral("MMM d"));
}

QString DateText::numericMonthDay(const QDate &date, bool korean)
{
    return locale(korean).toString(date, korean ? QStringLiteral("M. d.") : QStringLiteral("M/d"));
}

QString DateText::weekdayMonthDay(const QDate &date, bool korean)
{
    return locale(korean).toString(date, korean ? QStringLiteral("M'월' d'일' (ddd)") : QStringLiteral("ddd, MMM d"));
}

QString DateText::date(const QDate &date, bool korean)
{
    return locale(korean).toString(date, korean ? QStringLiteral("yyyy'년' M'월' d'일'") : QStringLiteral("MMM d, yyyy"));
}

QString DateText::monthDayClock(const QDateTime &at, bool korean)
{
    const QDateTime local = at.toLocalTime();
    return monthDay(local.date(), korean) + (korean ? QStringLiteral(" ") : QStringLiteral(", "))
        + clock(local.time(), korean);
}

QString DateText::numericDayClock(const QDateTime &at, bool korean)
{
    const QDateTime local = at.toLocalTime();
    return numericMonthDay(local.date(), korean) + u' ' + clock(local.time(), korean);
}

QString DateText::dateClock(const QDateTime &at, bool korean)
{
    const QDateTime local = at.toLocalTime();
    return date(local.date(), korean) + (korean ? QStringLiteral(" ") : QStringLiteral(", ")) + clock(local.time(), korean);
}
