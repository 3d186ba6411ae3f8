#pragma once
// Dates and times in the interface language of the run, the same in every view: month and
// day-period names, order and 12-hour clock follow Korean or English, never the system locale
// (a German or British system still reads "12월 9일 오후 9:17" in a Korean run). Times are
// shown in the local time zone.
//
//   DateText::clock(t, true)           "오후 9:17"            DateText::clock(t, false)           "9:17 PM"
//   DateText::monthDay(d, true)        "12월 9일"             DateText::monthDay(d, false)        "Dec 9"
//   DateText::monthDayClock(at, true)  "12월 9일 오후 9:17"   DateText::monthDayClock(at, false)  "Dec 9, 9:17 PM"
//   DateText::numericDayClock(at, ..)  "12. 9. 오후 9:17"     "12/9 9:17 PM"
//   DateText::numericMonthDay(d, ..)   "12. 9."               "12/9"
//   DateText::weekdayMonthDay(d, ..)   "12월 9일 (수)"        "Wed, Dec 9"
//   DateText::date(d, ..)              "2026년 12월 9일"      "Dec 9, 2026"
//   DateText::dateClock(at, ..)        "2026년 12월 9일 오후 9:17"   "Dec 9, 2026, 9:17 PM"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>

class DateText {
public:
    DateText() = delete;

    // The locale of the interface language (Korean of Korea, English of the United States): its
    // names, digits and digit grouping.
    static QLocale locale(bool korean);

    static QString clock(const QTime &time, bool korean);
    static QString monthDay(const QDate &date, bool korean);
    static QString numericMonthDay(const QDate &date, bool korean);
    static QString weekdayMonthDay(const QDate &date, bool korean);
    static QString date(const QDate &date, bool korean);
    // The date-time forms convert to local time first.
    static QString monthDayClock(const QDateTime &at, bool korean);
    static QString numericDayClock(const QDateTime &at, bool korean);
    static QString dateClock(const QDateTime &at, bool korean);
};
