#include "Panel/RunText.h"

#include "Base/Lang.h"

QString RunText::scan(int posts)
{
    return scan(posts, Lang::system());
}

QString RunText::scan(int posts, bool korean)
{
    if (posts < 1)
        return korean ? QStringLiteral("스팸 검사") : QStringLiteral("Check for spam");
    const QString n = QString::number(posts);
    return korean ? n + QStringLiteral("개 스팸 검사") : QStringLiteral("Check ") + n + QStringLiteral(" for spam");
}

QString RunText::deletion(int count)
{
    return deletion(count, Lang::system());
}

QString RunText::deletion(int count, bool korean)
{
    const QString n = QString::number(count);
    return korean ? n + QStringLiteral("개 삭제") : QStringLiteral("Delete ") + n;
}

QString RunText::time(const QDateTime &date)
{
    return time(date, QDateTime::currentDateTime(), QLocale::system());
}

QString RunText::time(const QDateTime &date, const QDateTime &now, const QLocale &locale)
{
    const QDateTime local = date.toLocalTime();
    const QString clock = locale.toString(local.time(), QLocale::ShortFormat);
    if (local.date() == now.toLocalTime().date())
        return clock;
    // Abbreviated month and day in the locale's order, then the short time.
    QString day = locale.toString(local.date(), QStringLiteral("MMM d"));
    const QString pattern = locale.dateFormat(QLocale::ShortFormat);
    if (pattern.indexOf(u'd') >= 0 && pattern.indexOf(u'M') >= 0 && pattern.indexOf(u'd') < pattern.indexOf(u'M'))
        day = locale.toString(local.date(), QStringLiteral("d MMM"));
    return day + QStringLiteral(", ") + clock;
}
