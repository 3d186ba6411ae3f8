#pragma once
// Pure URL tests of the sign-in vocabulary: which URLs are secure, belong to a site, are sign-in,
// sign-out or verification pages, report a refused in-app sign-in, or may be reopened later.
// Also the browser's address rule (Browser::pageURL / Browser::navigationURL forward here).

#include "Sites/LoginProvider.h"

#include <QString>
#include <QUrl>

#include <optional>

class AuthPolicy {
public:
    AuthPolicy() = delete;

    // https (any case), no user name or password, port absent or 443.
    static bool isSecure(const QUrl &url);
    // A sign-in, sign-out or verification page of one of the sites.
    static bool isAuthentication(const QUrl &url);
    // The site a URL belongs to for sign-in purposes, shared sign-in hosts included.
    static std::optional<LoginProvider> provider(const QUrl &url);
    // An authentication page that reports a refused embedded sign-in.
    static bool isBlocked(const QUrl &url);
    // An authentication page that asks for extra verification.
    static bool needsVerification(const QUrl &url);
    // The URL may be remembered and reopened later.
    static bool canRestore(const QUrl &url);

    // The page URL for a typed or stored address, or none when the browser may not show it.
    static std::optional<QUrl> pageURL(const QString &text, const QString &base);
    // The page URL, or else a sign-in page taken unchanged.
    static std::optional<QUrl> navigationURL(const QString &text, const QString &base);
};
