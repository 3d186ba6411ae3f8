#pragma once
// Dates and times in the interface language of the run, the same in every view: month and
// day-period names, order and 12-hour clock follow Korean or English, never the system locale
// (a German or British system still reads "12월 9일 오후 9:17" in a Korean run). The patterns
// are texts of their own (the English ones in the code, the Korean ones translated), so they
// follow the run's language like every other text. Times are shown in the local time zone.
// Safe to use from a worker thread.
//
//                                       Korean run                    English run
//   DateText::clock(t)                  "오후 9:17"                   "9:17 PM"
//   DateText::monthDay(d)               "12월 9일"                    "Dec 9"
//   DateText::monthDayClock(at)         "12월 9일 오후 9:17"          "Dec 9, 9:17 PM"
//   DateText::numericDayClock(at)       "12. 9. 오후 9:17"            "12/9 9:17 PM"
//   DateText::numericMonthDay(d)        "12. 9."                      "12/9"
//   DateText::weekdayMonthDay(d)        "12월 9일 (수)"               "Wed, Dec 9"
//   DateText::date(d)                   "2026년 12월 9일"             "Dec 9, 2026"
//   DateText::dateClock(at)             "2026년 12월 9일 오후 9:17"   "Dec 9, 2026, 9:17 PM"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>

class DateText {
    Q_DECLARE_TR_FUNCTIONS(DateText)

public:
    DateText() = delete;

    // The locale of the run's language (Korean of Korea, English of the United States): its
    // names, digits and digit grouping.
    static QLocale locale();

    static QString clock(const QTime &time);
    static QString monthDay(const QDate &date);
    static QString numericMonthDay(const QDate &date);
    static QString weekdayMonthDay(const QDate &date);
    static QString date(const QDate &date);
    // The date-time forms convert to local time first.
    static QString monthDayClock(const QDateTime &at);
    static QString numericDayClock(const QDateTime &at);
    static QString dateClock(const QDateTime &at);
};
