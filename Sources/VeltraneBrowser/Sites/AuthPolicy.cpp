#include "Sites/AuthPolicy.h"

#include <QRegularExpression>
#include <QUrlQuery>

namespace {

bool isFacebookHost(const QString &host)
{
    return host == SiteHosts::facebook || host == SiteHosts::facebookWww || host == SiteHosts::facebookMobile;
}

QString lowerPath(const QUrl &url)
{
    return url.path(QUrl::FullyDecoded).toLower();
}

bool startsWithAny(const QString &path, std::initializer_list<const char *> prefixes)
{
    for (const char *p : prefixes) {
        if (path.startsWith(QLatin1String(p)))
            return true;
    }
    return false;
}

// The host exactly as written in an absolute URL text (no case folding), without user info and port.
QString rawHost(const QString &text)
{
    const qsizetype schemeEnd = text.indexOf(QLatin1String("://"));
    if (schemeEnd < 0)
        return {};
    QString authority = text.mid(schemeEnd + 3);
    const qsizetype end = authority.indexOf(QRegularExpression(QStringLiteral("[/?#]")));
    if (end >= 0)
        authority.truncate(end);
    const qsizetype at = authority.lastIndexOf(QLatin1Char('@'));
    if (at >= 0)
        authority.remove(0, at + 1);
    if (authority.startsWith(QLatin1Char('[')))
        return authority.section(QLatin1Char(']'), 0, 0) + QLatin1Char(']');
    return authority.section(QLatin1Char(':'), 0, 0);
}

}   // namespace

bool AuthPolicy::isSecure(const QUrl &url)
{
    return url.isValid() && url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0
        && url.userName().isEmpty() && url.password().isEmpty() && (url.port() == -1 || url.port() == 443);
}

bool AuthPolicy::isAuthentication(const QUrl &url)
{
    if (!isSecure(url))
        return false;
    const QString host = url.host().toLower();
    const QString path = lowerPath(url);
    if (host == SiteHosts::googleSignIn || host == SiteHosts::youtubeAccounts || isFacebookHost(host))
        return true;
    const auto site = LoginProvider::site(url);
    if (!site)
        return false;
    if (*site == LoginProvider::youtube)
        return startsWithAny(path, {"/signin", "/logout", "/oops"});
    return startsWithAny(path,
                         {"/accounts/login", "/accounts/logout", "/accounts/password", "/accounts/signup",
                          "/accounts/confirm", "/accounts/onetap", "/accounts/two_factor", "/accounts/suspended",
                          "/challenge", "/checkpoint", "/oauth/"});
}

std::optional<LoginProvider> AuthPolicy::provider(const QUrl &url)
{
    if (!isSecure(url))
        return std::nullopt;
    const QString host = url.host().toLower();
    if (host == SiteHosts::googleSignIn)
        return LoginProvider(LoginProvider::youtube);
    if (isFacebookHost(host))
        return LoginProvider(LoginProvider::instagram);
    return LoginProvider::site(url);
}

bool AuthPolicy::isBlocked(const QUrl &url)
{
    if (!isAuthentication(url))
        return false;
    if (lowerPath(url).contains(QLatin1String("/deniedsigninrejected")))
        return true;
    const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    for (const auto &[name, value] : items) {
        if ((name == QLatin1String("error") || name == QLatin1String("error_code"))
            && value == QLatin1String("disallowed_useragent"))
            return true;
    }
    return false;
}

bool AuthPolicy::needsVerification(const QUrl &url)
{
    if (!isAuthentication(url))
        return false;
    const QString path = lowerPath(url);
    for (const char *marker : {"/challenge", "/checkpoint", "two_factor", "two_step", "confirm_email"}) {
        if (path.contains(QLatin1String(marker)))
            return true;
    }
    return false;
}

bool AuthPolicy::canRestore(const QUrl &url)
{
    return pageURL(url.toString(QUrl::FullyEncoded), QString()).has_value() && !isAuthentication(url);
}

std::optional<QUrl> AuthPolicy::pageURL(const QString &input, const QString &base)
{
    QString text = input.trimmed();
    if (text.isEmpty() || text.startsWith(QLatin1String("//")))
        return std::nullopt;
    if (text.startsWith(QLatin1Char('/'))) {
        const QUrl baseUrl(base, QUrl::StrictMode);
        if (base.isEmpty() || !baseUrl.isValid() || baseUrl.isRelative())
            return std::nullopt;
        const QUrl relative(text, QUrl::StrictMode);
        if (!relative.isValid())
            return std::nullopt;
        text = baseUrl.resolved(relative).toString(QUrl::FullyEncoded);
    } else if (!text.contains(QLatin1String("://"))) {
        text.prepend(QLatin1String("https://"));
    }

    QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    // Scheme and host are compared exactly as written.
    if (!text.startsWith(QLatin1String("https://")) || !url.userName().isEmpty() || !url.password().isEmpty()
        || (url.port() != -1 && url.port() != 443))
        return std::nullopt;
    QString host = rawHost(text);
    if (host == SiteHosts::youtube)
        host = SiteHosts::youtubeWww;
    else if (host == SiteHosts::instagram)
        host = SiteHosts::instagramWww;
    if (host != SiteHosts::youtubeWww && host != SiteHosts::instagramWww)
        return std::nullopt;
    url.setHost(host);
    return url;
}

std::optional<QUrl> AuthPolicy::navigationURL(const QString &text, const QString &base)
{
    if (auto page = pageURL(text, base))
        return page;
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (url.isValid() && isAuthentication(url))
        return url;
    return std::nullopt;
}
