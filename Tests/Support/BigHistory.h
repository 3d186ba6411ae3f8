#pragma once
// A large history written straight into a store file, for the benchmarks: the store makes its
// schema, then one transaction of prepared inserts adds posts, runs and comments (a million in
// seconds, where a million remember() calls' worth of scans would take minutes).
//
// Comments: `perPost` a post, the posts scanned evenly over `days` days before `now` (a post's
// comments share its scan time), every tenth spam, every twentieth deleted a minute after its
// scan, authors drawn from `authors` names.

#include "Store/ScanStore.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <sqlite3.h>

namespace vt::test {

struct BigHistory {
    int comments = 1000000;
    int perPost = 1000;
    int days = 365;
    int authors = 20000;
    QString site = QStringLiteral("youtube");

    QString postUrl(int p) const { return QStringLiteral("https://www.youtube.com/watch?v=big%1").arg(p); }
    int posts() const { return perPost > 0 ? (comments + perPost - 1) / perPost : 0; }
    // The scan time of post `p` in seconds since 1970.
    double scannedAt(int p, const QDateTime &now) const
    {
        const double end = double(now.toMSecsSinceEpoch()) / 1000.0;
        return posts() > 1 ? end - double(days) * 86400.0 * double(p) / double(posts() - 1) + 1.0 : end;
    }

    // Writes the history into the file at `path` (made by the store when missing); false when a
    // step failed.
    bool write(const QString &path, const QDateTime &now) const
    {
        {
            ScanStore schema(path);
            schema.keepDays = days + 30;
            if (!schema.isOpen())
                return false;
        }
        sqlite3 *db = nullptr;
        if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            sqlite3_close(db);
            return false;
        }
        bool ok = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_stmt *post = nullptr;
        sqlite3_stmt *run = nullptr;
        sqlite3_stmt *comment = nullptr;
        ok = ok
            && sqlite3_prepare_v2(db,
                                  "INSERT INTO posts (url, site, title, scanned_at, total, flagged, watched, deleted) "
                                  "VALUES (?1, ?2, ?3, ?4, ?5, ?6, 0, ?7)",
                                  -1, &post, nullptr)
                == SQLITE_OK
            && sqlite3_prepare_v2(db,
                                  "INSERT INTO runs (session, kind, site, post, at, total, flagged, added) "
                                  "VALUES (?1, 'scan', ?2, ?3, ?4, ?5, ?6, ?5)",
                                  -1, &run, nullptr)
                == SQLITE_OK
            && sqlite3_prepare_v2(db,
                                  "INSERT INTO comments (site, id, post, hash, seen_at, first_seen_at, author, text, "
                                  "published_at, like_count, state, kind, reason, ai_prob, avatar, deleted_at) "
                                  "VALUES (?1, ?2, ?3, ?4, ?5, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15)",
                                  -1, &comment, nullptr)
                == SQLITE_OK;
        const QByteArray siteUtf8 = site.toUtf8();
        auto text = [](sqlite3_stmt *st, int i, const QByteArray &v) {
            sqlite3_bind_text(st, i, v.constData(), int(v.size()), SQLITE_TRANSIENT);
        };
        int written = 0;
        for (int p = 0; ok && p < posts(); ++p) {
            const int count = std::min(perPost, comments - written);
            const double at = scannedAt(p, now);
            const QByteArray url = postUrl(p).toUtf8();
            int flagged = 0;
            int deleted = 0;
            for (int i = 0; ok && i < count; ++i) {
                const int n = written + i;
                const bool spam = i % 10 == 0;
                const bool gone = i % 20 == 3;
                deleted += gone ? 1 : 0;
                flagged += spam && !gone ? 1 : 0;
                sqlite3_reset(comment);
                text(comment, 1, siteUtf8);
                text(comment, 2, QByteArray("big") + QByteArray::number(p) + '-' + QByteArray::number(i));
                text(comment, 3, url);
                text(comment, 4, QByteArray::number(quint64(n) * 0x9E3779B97F4A7C15ull, 16).rightJustified(64, '0'));
                sqlite3_bind_double(comment, 5, at);
                text(comment, 6, QByteArray("viewer ") + QByteArray::number((n * 7919) % std::max(1, authors)));
                text(comment, 7,
                     QByteArray("Comment number ") + QByteArray::number(i)
                         + QByteArray(" on this video, with some words to make it realistic, \"quoted\", too."));
                sqlite3_bind_double(comment, 8, at * 1000.0 - 3600000.0 * double(i % 48));
                sqlite3_bind_double(comment, 9, double(i % 7));
                text(comment, 10, spam ? QByteArray("spam") : QByteArray("ok"));
                text(comment, 11, spam ? QByteArray("spam") : QByteArray());
                text(comment, 12, spam ? QByteArray("link,promo") : QByteArray());
                if (spam)
                    sqlite3_bind_double(comment, 13, 0.5 + double(i % 50) / 100.0);
                else
                    sqlite3_bind_null(comment, 13);
                text(comment, 14, QByteArray("https://img.example/a/") + QByteArray::number(n % 50) + ".jpg");
                if (gone)
                    sqlite3_bind_double(comment, 15, at + 60.0);
                else
                    sqlite3_bind_null(comment, 15);
                ok = sqlite3_step(comment) == SQLITE_DONE;
            }
            written += count;
            sqlite3_reset(post);
            text(post, 1, url);
            text(post, 2, siteUtf8);
            text(post, 3, QByteArray("Video ") + QByteArray::number(p));
            sqlite3_bind_double(post, 4, at);
            sqlite3_bind_int(post, 5, count - deleted);
            sqlite3_bind_int(post, 6, flagged);
            sqlite3_bind_int(post, 7, deleted);
            ok = ok && sqlite3_step(post) == SQLITE_DONE;
            sqlite3_reset(run);
            text(run, 1, QByteArray("big-") + QByteArray::number(p));
            text(run, 2, siteUtf8);
            text(run, 3, url);
            sqlite3_bind_double(run, 4, at);
            sqlite3_bind_int(run, 5, count);
            sqlite3_bind_int(run, 6, flagged + deleted);
            ok = ok && sqlite3_step(run) == SQLITE_DONE;
        }
        sqlite3_finalize(post);
        sqlite3_finalize(run);
        sqlite3_finalize(comment);
        ok = sqlite3_exec(db, ok ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr) == SQLITE_OK && ok;
        sqlite3_close(db);
        return ok;
    }
};

}   // namespace vt::test
