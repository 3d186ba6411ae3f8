#include "HistoryFixture.h"

#include "StoreTestData.h"

#include <QHash>

namespace vt::test {

SeededHistory seedHistory(ScanStore &store, const QDateTime &now)
{
    SeededHistory h;
    h.youtubePost = QStringLiteral("https://www.youtube.com/watch?v=dQw4w9WgXcQ");
    h.youtubeUntitled = QStringLiteral("https://www.youtube.com/watch?v=abcdefghijk");
    h.instagramPost = QStringLiteral("https://www.instagram.com/p/CxYz123/");
    const QString yt = QStringLiteral("youtube");
    const QString ig = QStringLiteral("instagram");
    const QStringList spammers{QStringLiteral("@casino_king"), QStringLiteral("@free.money"), QStringLiteral("@dm_me")};

    struct Day {
        int ago;
        int flagged;
        int deleted;
    };
    // Day 3 holds the peak: 7 flagged comments, of which 5 were deleted.
    const QList<Day> days{{1, 2, 1}, {3, 7, 5}, {6, 1, 0}, {9, 4, 2}, {15, 3, 3}, {22, 2, 1}, {38, 6, 4}};
    int serial = 0;
    QHash<QString, int> removedOn;
    for (const Day &day : days) {
        const QDateTime at = now.addDays(-day.ago);
        const bool onInstagram = day.ago % 2 == 0;
        const QString site = onInstagram ? ig : yt;
        const QString post = onInstagram ? h.instagramPost : (day.ago == 9 ? h.youtubeUntitled : h.youtubePost);
        QList<Comment> page;
        QStringList deleted;
        for (int i = 0; i < day.flagged; ++i) {
            ++serial;
            Comment c = makeComment(QStringLiteral("s%1").arg(serial),
                                    QStringLiteral("Win big at the casino, message me on telegram %1").arg(serial),
                                    QStringLiteral("spam"), QStringLiteral("promo"));
            c.authorName = spammers.at(serial % spammers.size());
            if (serial == 3)
                c.authorName.clear();   // a comment whose author was not captured
            if (serial == 5)
                c.text.clear();   // one stored without its text
            c.order = i;
            page.append(c);
            if (i < day.deleted)
                deleted.append(c.id);
        }
        for (int i = 0; i < 3; ++i) {
            ++serial;
            Comment c = makeComment(QStringLiteral("ok%1").arg(serial), QStringLiteral("Great video, thanks!"));
            c.order = day.flagged + i;
            page.append(c);
        }
        store.remember(site, post, page, std::nullopt, at);
        store.markDeleted(site, deleted, at);
        removedOn[post] += int(deleted.size());
        h.comments += int(page.size());
        h.deleted += int(deleted.size());
        if (day.ago < 30)
            h.peakDay = std::max({h.peakDay, day.flagged, int(deleted.size())});
    }
    store.record(ScanStore::Post{yt,
                                 h.youtubePost,
                                 QStringLiteral("How I edit my videos (full walkthrough)"),
                                 now.addDays(-1),
                                 0,
                                 0,
                                 false,
                                 0,
                                 {},
                                 {}});
    store.record(ScanStore::Post{yt, h.youtubeUntitled, QString(), now.addDays(-9), 0, 0, false, 0, {}, {}});
    store.record(ScanStore::Post{
        ig, h.instagramPost, QStringLiteral("Sunset at the harbour"), now.addDays(-2), 0, 0, false, 0, {}, {}});
    for (const QString &url : {h.youtubePost, h.youtubeUntitled, h.instagramPost}) {
        store.syncCounts(url);
        store.removed(url, removedOn.value(url));
    }
    store.setWatched(h.youtubePost, true);
    return h;
}

}   // namespace vt::test
