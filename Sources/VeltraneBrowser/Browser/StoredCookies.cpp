#include "Browser/StoredCookies.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>

namespace {

// The cookie file counts microseconds since 1601-01-01 UTC.
constexpr qint64 windowsToUnixMs = 11644473600000LL;

}   // namespace

QList<QNetworkCookie> StoredCookies::read(const QString &storagePath)
{
    QList<QNetworkCookie> out;
    const QString path = storagePath + QStringLiteral("/Cookies");
    if (storagePath.isEmpty() || !QFileInfo(path).isFile())
        return out;
    // The engine keeps its database locked once it has written to it: read a copy (with its
    // journal, which SQLite then applies to the copy).
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("Cookies"));
    if (!scratch.isValid() || !QFile::copy(path, copy))
        return out;
    for (const char *suffix : {"-journal", "-wal"}) {
        if (QFileInfo::exists(path + QLatin1String(suffix)))
            QFile::copy(path + QLatin1String(suffix), copy + QLatin1String(suffix));
    }
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(copy.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return out;
    }
    sqlite3_busy_timeout(db, 500);
    sqlite3_stmt *stmt = nullptr;
    const char *sql = "SELECT host_key, name, path, expires_utc, has_expires, is_secure, is_httponly FROM cookies";
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            auto text = [stmt](int column) {
                return QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)),
                                  sqlite3_column_bytes(stmt, column));
            };
            QNetworkCookie cookie(text(1));
            cookie.setDomain(QString::fromUtf8(text(0)));
            cookie.setPath(QString::fromUtf8(text(2)));
            if (sqlite3_column_int(stmt, 4) != 0)
                cookie.setExpirationDate(
                    QDateTime::fromMSecsSinceEpoch(sqlite3_column_int64(stmt, 3) / 1000 - windowsToUnixMs, Qt::UTC));
            cookie.setSecure(sqlite3_column_int(stmt, 5) != 0);
            cookie.setHttpOnly(sqlite3_column_int(stmt, 6) != 0);
            out << cookie;
        }
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return out;
}
