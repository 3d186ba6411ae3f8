#include "Sites/LoginProvider.h"

#include "Sites/AuthPolicy.h"

namespace {

// Percent-encodes a query value so that it reads back unchanged ("&", "=", "+", "#" and "%" escaped).
QString encodeQueryValue(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value, "/?:@!$'()*,"));
}

QUrl withQuery(const QString &base, const QList<std::pair<QString, QString>> &items)
{
    QUrl url(base);
    QStringList parts;
    for (const auto &[name, value] : items)
        parts << name + QLatin1Char('=') + encodeQueryValue(value);
    url.setQuery(parts.join(QLatin1Char('&')), QUrl::TolerantMode);
    return url;
}

}   // namespace

QList<LoginProvider> LoginProvider::allCases()
{
    return {youtube, instagram};
}

std::optional<LoginProvider> LoginProvider::fromRawValue(const QString &raw)
{
    if (raw == QLatin1String("youtube"))
        return LoginProvider(youtube);
    if (raw == QLatin1String("instagram"))
        return LoginProvider(instagram);
    return std::nullopt;
}

QString LoginProvider::rawValue() const
{
    return m_value == youtube ? QStringLiteral("youtube") : QStringLiteral("instagram");
}

QString LoginProvider::displayName() const
{
    return m_value == youtube ? QStringLiteral("YouTube") : QStringLiteral("Instagram");
}

QUrl LoginProvider::home() const
{
    return QUrl(QStringLiteral("https://") + (m_value == youtube ? SiteHosts::youtubeWww : SiteHosts::instagramWww)
                + QLatin1Char('/'));
}

QStringList LoginProvider::sessionCookieNames() const
{
    if (m_value == youtube)
        return {QStringLiteral("SID"), QStringLiteral("__Secure-1PSID"), QStringLiteral("__Secure-3PSID")};
    return {QStringLiteral("sessionid")};
}

QUrl LoginProvider::loginURL(const std::optional<QUrl> &returnTo) const
{
    QUrl target = home();
    if (returnTo && site(*returnTo) == std::optional<LoginProvider>(*this) && !AuthPolicy::isAuthentication(*returnTo))
        target = *returnTo;

    if (m_value == youtube) {
        return withQuery(QStringLiteral("https://") + SiteHosts::googleSignIn + QStringLiteral("/ServiceLogin"),
                         {{QStringLiteral("service"), QStringLiteral("youtube")},
                          {QStringLiteral("continue"), target.toString(QUrl::FullyEncoded)}});
    }
    QString next = target.path(QUrl::FullyEncoded);
    if (target.hasQuery())
        next += QLatin1Char('?') + target.query(QUrl::FullyEncoded);
    if (next.startsWith(QLatin1String("//")))
        next = QStringLiteral("/");
    return withQuery(QStringLiteral("https://") + SiteHosts::instagramWww + QStringLiteral("/accounts/login/"),
                     {{QStringLiteral("next"), next}});
}

bool LoginProvider::owns(const QString &domain) const
{
    QString d = domain.toLower();
    while (d.startsWith(QLatin1Char('.')))
        d.remove(0, 1);
    while (d.endsWith(QLatin1Char('.')))
        d.chop(1);
    const QStringList registrable = m_value == youtube ? QStringList{SiteHosts::youtube, SiteHosts::google}
                                                       : QStringList{SiteHosts::instagram, SiteHosts::facebook};
    for (const QString &r : registrable) {
        if (d == r || d.endsWith(QLatin1Char('.') + r))
            return true;
    }
    return false;
}

std::optional<LoginProvider> LoginProvider::site(const QUrl &url)
{
    if (!AuthPolicy::isSecure(url))
        return std::nullopt;
    const QString host = url.host().toLower();
    if (host.isEmpty())
        return std::nullopt;
    if (host == SiteHosts::youtube || host == SiteHosts::youtubeWww || host == SiteHosts::youtubeAccounts)
        return LoginProvider(youtube);
    if (host == SiteHosts::instagram || host == SiteHosts::instagramWww)
        return LoginProvider(instagram);
    return std::nullopt;
}
