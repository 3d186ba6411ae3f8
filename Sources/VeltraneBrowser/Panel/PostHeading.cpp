#include "Panel/PostHeading.h"

#include <QStringList>

QString PostHeading::title(const ChannelPost &post)
{
    return post.title.isEmpty() ? post.url : post.title;
}

QString PostHeading::summary(const ChannelPost &post)
{
    if (!post.scannedAt)
        return tr("Not scanned");
    auto n = [](int v) { return QString::number(v); };
    QStringList parts{tr("%1 comments").arg(n(post.total))};
    if (post.flagged >= 1)
        parts.append(tr("%1 flagged").arg(n(post.flagged)));
    if (post.deleted >= 1)
        parts.append(tr("%1 deleted").arg(n(post.deleted)));
    return parts.join(QStringLiteral(" · "));
}
