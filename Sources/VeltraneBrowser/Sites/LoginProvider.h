#pragma once
// The two sites the browser works with, and what belongs to each: home page, sign-in page,
// cookie domains and the cookies that mark a live session. Pure functions of their arguments.
//
//   LoginProvider site = LoginProvider::youtube;
//   switch (site) { case LoginProvider::youtube: ...; case LoginProvider::instagram: ...; }
//   std::optional<LoginProvider> s = LoginProvider::site(url);

#include <QList>
#include <QHashFunctions>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

class LoginProvider {
public:
    enum Value { youtube, instagram };

    constexpr LoginProvider(Value value)
        : m_value(value)
    {
    }
    constexpr operator Value() const { return m_value; }

    // Both sites in the order the system lists and iterates them.
    static QList<LoginProvider> allCases();
    // "youtube" or "instagram"; nothing for any other string.
    static std::optional<LoginProvider> fromRawValue(const QString &raw);

    QString rawValue() const;
    QString id() const { return rawValue(); }
    QString displayName() const;
    QUrl home() const;
    // Cookie names whose presence means the site holds a live session (compared exactly).
    QStringList sessionCookieNames() const;
    // The page that starts a sign-in and comes back to returnTo (or home) afterwards.
    QUrl loginURL(const std::optional<QUrl> &returnTo = std::nullopt) const;
    // Whether a cookie domain or website-data record name belongs to this site.
    bool owns(const QString &domain) const;

    // The site whose ordinary pages the URL shows; sign-in hosts of other services give none.
    static std::optional<LoginProvider> site(const QUrl &url);

private:
    Value m_value;
};

inline size_t qHash(LoginProvider provider, size_t seed = 0)
{
    return ::qHash(static_cast<int>(LoginProvider::Value(provider)), seed);
}

// Host names of the two services and of their sign-in services.
namespace SiteHosts {
inline const QString youtube = QStringLiteral("youtube.com");
inline const QString youtubeWww = QStringLiteral("www.youtube.com");
inline const QString youtubeAccounts = QStringLiteral("accounts.youtube.com");
inline const QString googleSignIn = QStringLiteral("accounts.google.com");
inline const QString google = QStringLiteral("google.com");
inline const QString instagram = QStringLiteral("instagram.com");
inline const QString instagramWww = QStringLiteral("www.instagram.com");
inline const QString facebook = QStringLiteral("facebook.com");
inline const QString facebookWww = QStringLiteral("www.facebook.com");
inline const QString facebookMobile = QStringLiteral("m.facebook.com");
}   // namespace SiteHosts
