#include "Base/DateText.h"

#include <QRegularExpression>

bool DateText::dayFirst(const QLocale &locale)
{
    const QString pattern = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype day = pattern.indexOf(u'd');
    const qsizetype month = pattern.indexOf(u'M');
    return day >= 0 && month >= 0 && day < month;
}

QString DateText::clock(const QTime &time, const QLocale &locale)
{
    QString format = locale.timeFormat(QLocale::ShortFormat);
    format.remove(QRegularExpression(QStringLiteral("[:.]ss?")));
    return locale.toString(time, format);
}

QString DateText::monthDay(const QDate &date, const QLocale &locale)
{
    return locale.toString(date, dayFirst(locale) ? QStringLiteral("d MMM") : QStringLiteral("MMM d"));
}
