#pragma once
// The cookies a persistent web profile left on disk, read at start.
//
// The engine's cookie store tells about cookies only as they change; cookies restored from disk
// are never reported (and loadAllCookies() reports nothing in Qt 6.4 here). The sign-in tracking
// therefore starts its mirror from the profile's own cookie file ("Cookies", SQLite, read from a
// copy, since the engine may hold it locked) and follows the store's change reports from then on.

#include <QList>
#include <QNetworkCookie>
#include <QString>

class StoredCookies {
public:
    StoredCookies() = delete;

    // Cookies in <storagePath>/Cookies; empty when there is no readable file. Values are not read.
    static QList<QNetworkCookie> read(const QString &storagePath);
};
