// Keys shared by the store and its callers: the canonical post key, the text hash
// and the cleaned page title. Pure functions, no state.
#include "Store/ScanStore.h"

#include <QCryptographicHash>
#include <QUrl>
#include <QUrlQuery>

namespace {

const QString youtube = QStringLiteral("youtube");
const QString instagram = QStringLiteral("instagram");

QString watchKey(const QString &id)
{
    return QStringLiteral("https://www.youtube.com/watch?v=") + id;
}

QString postKey(const QString &code)
{
    return QStringLiteral("https://www.instagram.com/p/") + code + QLatin1Char('/');
}

bool isSpaceOrTab(QChar c)
{
    return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space;
}

QString trimSpaces(const QString &text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isSpaceOrTab(text.at(from)))
        ++from;
    while (to > from && isSpaceOrTab(text.at(to - 1)))
        --to;
    return text.mid(from, to - from);
}

}   // namespace

bool ScanStore::isKeyId(QStringView id)
{
    // Ids go into a URL unencoded, so only the sites' own alphabet is allowed:
    // anything like "&", "#", "/" or "?" would make a key that parses back differently.
    if (id.isEmpty() || id.size() > 64)
        return false;
    for (QChar c : id) {
        const char16_t u = c.unicode();
        const bool ok = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '-'
            || u == '_';
        if (!ok)
            return false;
    }
    return true;
}

std::optional<ScanStore::PostKey> ScanStore::canonical(const QString &address)
{
    const QUrl url(address);
    if (!url.isValid() || url.host().isEmpty())
        return std::nullopt;
    const QString host = url.host().toLower();
    const QString path = url.path(QUrl::FullyDecoded);
    const QStringList segments = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);

    auto youtubeKey = [](const QString &id) -> std::optional<PostKey> {
        if (!isKeyId(id))
            return std::nullopt;
        return PostKey{youtube, watchKey(id)};
    };

    if (host == QLatin1String("youtu.be")) {
        if (segments.isEmpty())
            return std::nullopt;
        return youtubeKey(segments.first());
    }
    if (host == QLatin1String("www.youtube.com") || host == QLatin1String("youtube.com")
        || host == QLatin1String("m.youtube.com")) {
        if (path == QLatin1String("/watch")) {
            const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
            for (const auto &item : items) {
                if (item.first == QLatin1String("v")) {
                    if (item.second.isEmpty())
                        return std::nullopt;
                    return youtubeKey(item.second);
                }
            }
            return std::nullopt;
        }
        if (segments.size() == 2
            && (segments.first() == QLatin1String("shorts") || segments.first() == QLatin1String("live")))
            return youtubeKey(segments.at(1));
        return std::nullopt;
    }
    if (host == QLatin1String("www.instagram.com") || host == QLatin1String("instagram.com")) {
        for (qsizetype i = 0; i < segments.size(); ++i) {
            const QString &s = segments.at(i);
            if (s == QLatin1String("p") || s == QLatin1String("reel") || s == QLatin1String("reels")) {
                if (i + 1 >= segments.size() || !isKeyId(segments.at(i + 1)))
                    return std::nullopt;
                return PostKey{instagram, postKey(segments.at(i + 1))};
            }
        }
        return std::nullopt;
    }
    return std::nullopt;
}

QString ScanStore::hash(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex());
}

QString ScanStore::cleanTitle(const QString &title)
{
    QString t = title.trimmed();
    if (t.startsWith(QLatin1Char('('))) {
        const qsizetype close = t.indexOf(QLatin1Char(')'));
        if (close > 0) {
            bool numeric = true;
            const auto inside = QStringView(t).mid(1, close - 1).toUcs4();
            for (char32_t c : inside) {
                if (!QChar::isNumber(c)) {
                    numeric = false;
                    break;
                }
            }
            if (numeric)
                t = trimSpaces(t.mid(close + 1));
        }
    }
    const QLatin1String suffix(" - YouTube");
    if (t.endsWith(suffix))
        t.chop(suffix.size());
    return trimSpaces(t);
}
