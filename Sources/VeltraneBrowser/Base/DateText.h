#pragma once
// Short dates and times in the owner's locale, the same in every list of the application.

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

class DateText {
public:
    // Whether the locale writes the day before the month.
    static bool dayFirst(const QLocale &locale);
    // Hour and minute in the locale's short form, without seconds (the C locale has them).
    static QString clock(const QTime &time, const QLocale &locale);
    // Abbreviated month and day in the locale's order ("Dec 9", "9 Dec").
    static QString monthDay(const QDate &date, const QLocale &locale);
};
