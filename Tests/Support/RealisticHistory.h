#pragma once
// A history that looks like a year of an owner's use, written straight into a store file for the
// benchmarks (BigHistory's uniform history is quicker to reason about; this one is what an owner
// has): two sites, posts of 10 to 20,000 comments (most small, a few huge), each post rescanned a
// few times over the months after it went up, comments that arrive between scans, deletions spread
// over the months after a comment was first seen, Korean and English texts of the lengths people
// write (a few words to several sentences), authors who come back, and many avatars.
//
// Everything comes from a fixed seed: the same arguments write the same file.
//
//   vt::test::RealisticHistory year;
//   year.comments = 1000000;
//   year.write(path, QDateTime::currentDateTime());   // posts, runs and comments in one transaction

#include "Store/ScanStore.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QRandomGenerator>
#include <QString>

#include <algorithm>
#include <cmath>

#include <sqlite3.h>

namespace vt::test {

struct RealisticHistory {
    int comments = 1000000;
    int days = 365;      // posts went up over this many days before `now`
    int smallest = 10;   // comments of the smallest and the largest post
    int largest = 20000;
    double koreanShare = 0.6;   // of the texts
    quint32 seed = 20261211;

    struct Post {
        QString site;
        QString url;
        int comments = 0;
        double postedAt = 0;   // seconds since 1970
        QList<double> scans;   // scan times, oldest first
    };

    // The posts the history holds, largest share of comments first drawn, in posting order.
    QList<Post> plan(const QDateTime &now) const
    {
        QRandomGenerator rng(seed);
        const double end = double(now.toMSecsSinceEpoch()) / 1000.0;
        QList<Post> posts;
        int written = 0;
        int youtube = 0;
        int instagram = 0;
        while (written < comments) {
            Post p;
            // Log-uniform sizes: most posts small, a few very large.
            const double u = rng.generateDouble();
            int size = int(std::lround(double(smallest) * std::pow(double(largest) / double(smallest), u * u)));
            size = std::clamp(std::min(size, comments - written), 1, largest);
            p.comments = size;
            const bool insta = rng.bounded(100) < 35;
            p.site = insta ? QStringLiteral("instagram") : QStringLiteral("youtube");
            p.url = insta
                ? QStringLiteral("https://www.instagram.com/p/Real%1/").arg(instagram++)
                : QStringLiteral("https://www.youtube.com/watch?v=real%1").arg(youtube++, 7, 10, QLatin1Char('0'));
            p.postedAt = end - rng.generateDouble() * double(days) * 86400.0;
            // Rescans over the months after posting: the first within days, the rest up to now.
            const int scans = 1 + int(rng.bounded(size > 2000 ? 8 : 4));
            double at = p.postedAt + 3600.0 * (1.0 + rng.generateDouble() * 72.0);
            for (int s = 0; s < scans && at < end; ++s) {
                p.scans.append(at);
                at += 86400.0 * (1.0 + rng.generateDouble() * 45.0);
            }
            if (p.scans.isEmpty())
                p.scans.append(end - 60.0);
            posts.append(p);
            written += size;
        }
        std::sort(posts.begin(), posts.end(), [](const Post &a, const Post &b) { return a.postedAt < b.postedAt; });
        return posts;
    }

    static QByteArray koreanText(QRandomGenerator &rng, int length)
    {
        static const char *const words[] = {"정말",     "영상", "잘",         "봤습니다", "감사합니다", "오늘도",
                                            "좋은",     "하루", "되세요",     "구독",     "했어요",     "너무",
                                            "재밌어요", "최고", "응원합니다", "다음",     "편도",       "기대할게요",
                                            "이거",     "진짜", "대박",       "ㅋㅋㅋ",   "ㅎㅎ",       "목소리",
                                            "편집",     "음악", "궁금한",     "점이",     "있는데요",   "어디서",
                                            "샀어요"};
        QByteArray out;
        int chars = 0;   // every word is Hangul, three bytes a letter
        while (chars < length) {
            if (!out.isEmpty()) {
                const bool stop = rng.bounded(9) == 0;
                out += stop ? ". " : " ";
                chars += stop ? 2 : 1;
            }
            const QByteArray word = words[rng.bounded(int(sizeof words / sizeof *words))];
            out += word;
            chars += int(word.size() / 3);
        }
        return out;
    }

    static QByteArray englishText(QRandomGenerator &rng, int length)
    {
        static const char *const words[] = {"this",    "is",      "such", "a",    "great",   "video",    "thanks",
                                            "for",     "sharing", "I",    "love", "the",     "editing",  "music",
                                            "where",   "did",     "you",  "buy",  "that",    "honestly", "best",
                                            "channel", "on",      "here", "keep", "going",   "can't",    "wait",
                                            "next",    "one",     "lol",  "so",   "helpful", "watched",  "twice"};
        QByteArray out;
        while (out.size() < length) {
            if (!out.isEmpty())
                out += rng.bounded(8) == 0 ? ". " : " ";
            out += words[rng.bounded(int(sizeof words / sizeof *words))];
        }
        return out;
    }

    // Lengths as people write: mostly short, a long tail up to a few hundred characters.
    static int textLength(QRandomGenerator &rng)
    {
        const double u = rng.generateDouble();
        return 4 + int(std::lround(std::pow(u, 2.2) * 480.0));
    }

    bool write(const QString &path, const QDateTime &now) const
    {
        const QList<Post> posts = plan(now);
        {
            ScanStore schema(path);
            schema.keepDays = days + 400;
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
                                  "INSERT INTO posts (url, site, title, scanned_at, total, flagged, watched, deleted, "
                                  "thumbnail, full_at) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)",
                                  -1, &post, nullptr)
                == SQLITE_OK
            && sqlite3_prepare_v2(db,
                                  "INSERT INTO runs (session, kind, site, post, at, total, flagged, added, deleted) "
                                  "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)",
                                  -1, &run, nullptr)
                == SQLITE_OK
            && sqlite3_prepare_v2(db,
                                  "INSERT INTO comments (site, id, post, hash, seen_at, first_seen_at, author, text, "
                                  "published_at, like_count, state, kind, reason, ai_prob, avatar, deleted_at) "
                                  "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16)",
                                  -1, &comment, nullptr)
                == SQLITE_OK;
        auto text = [](sqlite3_stmt *st, int i, const QByteArray &v) {
            sqlite3_bind_text(st, i, v.constData(), int(v.size()), SQLITE_TRANSIENT);
        };
        QRandomGenerator rng(seed ^ 0x5bd1e995u);
        const double end = double(now.toMSecsSinceEpoch()) / 1000.0;
        qint64 n = 0;
        for (int pi = 0; ok && pi < posts.size(); ++pi) {
            const Post &p = posts.at(pi);
            const QByteArray site = p.site.toUtf8();
            const QByteArray url = p.url.toUtf8();
            const bool insta = p.site == QLatin1String("instagram");
            const int scans = int(p.scans.size());
            QList<int> firstAt(scans, 0);     // comments first seen by each scan
            QList<int> deletedBy(scans, 0);   // deletions after each scan
            QList<int> flaggedAt(scans, 0);
            int flagged = 0;
            int deleted = 0;
            for (int i = 0; ok && i < p.comments; ++i, ++n) {
                // Comments arrive mostly in the first days: early scans see most of them.
                const int first = std::min(scans - 1, int(std::floor(std::pow(rng.generateDouble(), 2.0) * scans)));
                ++firstAt[first];
                const double firstSeen = p.scans.at(first);
                const double lastSeen = p.scans.last();
                const int roll = int(rng.bounded(1000));
                const bool spam = roll < 90;   // 9 % flagged
                const bool abuse = spam && roll < 15;
                // Most flagged comments get deleted, some weeks later; a few clean ones too.
                const bool gone = (spam && rng.bounded(100) < 70) || (!spam && roll > 995);
                double deletedAt = 0;
                if (gone) {
                    deletedAt = std::min(end - 1.0, firstSeen + 60.0 + rng.generateDouble() * 86400.0 * 40.0);
                    deletedAt = std::max(deletedAt, firstSeen + 30.0);
                    int after = first;
                    while (after + 1 < scans && p.scans.at(after + 1) <= deletedAt)
                        ++after;
                    ++deletedBy[after];
                    ++deleted;
                } else if (spam) {
                    ++flagged;
                    ++flaggedAt[scans - 1];
                }
                const bool korean = rng.generateDouble() < koreanShare;
                const int length = textLength(rng);
                const QByteArray body = korean ? koreanText(rng, length) : englishText(rng, length);
                // Authors who come back: a few write a lot.
                const quint32 author = quint32(std::pow(rng.generateDouble(), 3.0) * 200000.0);
                sqlite3_reset(comment);
                text(comment, 1, site);
                text(comment, 2,
                     (insta ? QByteArray("17") : QByteArray("Ugx")) + QByteArray::number(n, 36)
                         + QByteArray::number(quint64(n) * 2654435761ull % 99991, 36));
                text(comment, 3, url);
                text(comment, 4,
                     QByteArray::number(quint64(n + 1) * 0x9E3779B97F4A7C15ull, 16).rightJustified(64, '0'));
                // A deleted comment was last seen where it was deleted; the others at the last scan.
                sqlite3_bind_double(comment, 5, gone ? std::min(lastSeen, deletedAt) : lastSeen);
                sqlite3_bind_double(comment, 6, firstSeen);
                text(comment, 7, (korean ? QByteArray("시청자") : QByteArray("viewer")) + QByteArray::number(author));
                text(comment, 8, body);
                sqlite3_bind_double(comment, 9,
                                    (firstSeen - rng.generateDouble() * std::max(60.0, firstSeen - p.postedAt))
                                        * 1000.0);
                sqlite3_bind_double(comment, 10, double(rng.bounded(100) < 70 ? 0 : rng.bounded(500)));
                text(comment, 11, spam ? QByteArray("spam") : QByteArray("ok"));
                text(comment, 12, spam ? (abuse ? QByteArray("abuse") : QByteArray("spam")) : QByteArray());
                text(comment, 13,
                     spam ? (roll % 3 == 0 ? QByteArray("dict:scam") : QByteArray("AI: spam 91%")) : QByteArray());
                if (spam || roll % 4 == 0)
                    sqlite3_bind_double(comment, 14,
                                        spam ? 0.6 + double(roll % 40) / 100.0 : double(roll % 30) / 100.0);
                else
                    sqlite3_bind_null(comment, 14);
                text(comment, 15,
                     QByteArray(insta ? "https://scontent.cdninstagram.com/v/" : "https://yt3.ggpht.com/")
                         + QByteArray::number(author % 40000, 36) + "=s88");
                if (gone)
                    sqlite3_bind_double(comment, 16, deletedAt);
                else
                    sqlite3_bind_null(comment, 16);
                ok = sqlite3_step(comment) == SQLITE_DONE;
            }
            // One run a scan, and one a round of deletions after it.
            int seen = 0;
            for (int s = 0; ok && s < scans; ++s) {
                seen += firstAt.at(s);
                sqlite3_reset(run);
                text(run, 1, QByteArray("real-") + QByteArray::number(pi) + '-' + QByteArray::number(s));
                text(run, 2, "scan");
                text(run, 3, site);
                text(run, 4, url);
                sqlite3_bind_double(run, 5, p.scans.at(s));
                sqlite3_bind_int(run, 6, seen);
                sqlite3_bind_int(run, 7, flaggedAt.at(s) + deletedBy.at(s));
                sqlite3_bind_int(run, 8, firstAt.at(s));
                sqlite3_bind_int(run, 9, 0);
                ok = sqlite3_step(run) == SQLITE_DONE;
                if (ok && deletedBy.at(s) > 0) {
                    sqlite3_reset(run);
                    text(run, 1, QByteArray("real-") + QByteArray::number(pi) + "-d" + QByteArray::number(s));
                    text(run, 2, "delete");
                    text(run, 3, site);
                    text(run, 4, url);
                    sqlite3_bind_double(run, 5, p.scans.at(s) + 300.0);
                    sqlite3_bind_int(run, 6, deletedBy.at(s));
                    sqlite3_bind_int(run, 7, 0);
                    sqlite3_bind_int(run, 8, 0);
                    sqlite3_bind_int(run, 9, deletedBy.at(s));
                    ok = sqlite3_step(run) == SQLITE_DONE;
                }
            }
            sqlite3_reset(post);
            text(post, 1, url);
            text(post, 2, site);
            text(post, 3,
                 insta ? QByteArray("오늘의 사진 ") + QByteArray::number(pi)
                       : QByteArray("브이로그 | Vlog #") + QByteArray::number(pi));
            sqlite3_bind_double(post, 4, p.scans.last());
            sqlite3_bind_int(post, 5, p.comments - deleted);
            sqlite3_bind_int(post, 6, flagged);
            sqlite3_bind_int(post, 7, pi % 23 == 0 ? 1 : 0);
            sqlite3_bind_int(post, 8, deleted);
            text(post, 9, QByteArray("https://img.example/t/") + QByteArray::number(pi) + ".jpg");
            sqlite3_bind_double(post, 10, p.scans.first());
            ok = ok && sqlite3_step(post) == SQLITE_DONE;
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
