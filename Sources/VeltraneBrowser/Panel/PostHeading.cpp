#include "Panel/PostHeading.h"

#include <QStringList>

QString PostHeading::title(const ChannelPost &post)
{
    return post.title.isEmpty() ? post.url : post.title;
}

QString PostHeading::summary(const ChannelPost &post, bool korean)
{
    if (!post.scannedAt)
        return korean ? QStringLiteral("검사 전") : QStringLiteral("Not scanned");
    auto n = [](int v) { return QString::number(v); };
    QStringList parts{korean ? QStringLiteral("댓글 ") + n(post.total) : n(post.total) + QStringLiteral(" comments")};
    if (post.flagged >= 1)
        parts.append(korean ? QStringLiteral("스팸 의심 ") + n(post.flagged) : n(post.flagged) + QStringLiteral(" flagged"));
    if (post.deleted >= 1)
        parts.append(korean ? QStringLiteral("삭제 ") + n(post.deleted) : n(post.deleted) + QStringLiteral(" deleted"));
    return parts.join(QStringLiteral(" · "));
}
