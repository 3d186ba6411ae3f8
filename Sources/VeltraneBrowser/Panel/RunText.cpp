#include "Panel/RunText.h"

#include "Base/DateText.h"

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
    return time(date, QDateTime::currentDateTime(), Lang::system());
}

QString RunText::time(const QDateTime &date, const QDateTime &now, bool korean)
{
    const QDateTime local = date.toLocalTime();
    if (local.date() == now.toLocalTime().date())
        return DateText::clock(local.time());
    return DateText::monthDayClock(local);
}
