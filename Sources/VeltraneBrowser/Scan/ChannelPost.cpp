#include "Scan/ChannelPost.h"

#include <QUrl>
#include <QUrlQuery>

const QString ChannelPost::thumbnailHost = QStringLiteral("i.ytimg.com");

bool ChannelPost::isSiteId(const QString &id)
{
    if (id.isEmpty() || id.size() > 64)
        return false;
    for (const QChar c : id) {
        const char16_t u = c.unicode();
        const bool ok = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'-'
            || u == u'_';
        if (!ok)
            return false;
    }
    return true;
}

std::optional<QString> ChannelPost::thumbnailOf(const QString &site, const QString &url,
                                                const QList<std::optional<QString>> &candidates)
{
    if (site == QLatin1String("youtube")) {
        const QUrl parsed(url, QUrl::StrictMode);
        if (parsed.isValid()) {
            const QUrlQuery query(parsed);
            if (query.hasQueryItem(QStringLiteral("v"))) {
                // The first "v" item, decoded; anything outside the id alphabet is not put into an address.
                const QString v = query.allQueryItemValues(QStringLiteral("v"), QUrl::FullyDecoded).value(0);
                if (isSiteId(v))
                    return QStringLiteral("https://") + thumbnailHost + QStringLiteral("/vi/") + v
                        + QStringLiteral("/mqdefault.jpg");
            }
        }
    }
    for (const std::optional<QString> &candidate : candidates)
        if (candidate && candidate->startsWith(QLatin1String("https://")))
            return *candidate;
    return std::nullopt;
}
