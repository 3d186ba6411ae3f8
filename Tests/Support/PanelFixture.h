#pragma once
// Stored history for the review panel's tests, pictures and benchmark: posts with comments,
// verdicts, AI scores, deletions and runs written through the real store.
//
//   PanelFixture::Comment c{"c1", "Buy followers at example.com", "spam", "link"};
//   PanelFixture::post(store, kUrl, "My video", {c}, now);

#include "Store/ScanStore.h"
#include "Wire/AIScore.h"
#include "Wire/Comment.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class PanelFixture {
public:
    // One stored comment as a test states it.
    struct Item {
        QString id;
        QString text;
        QString state = QStringLiteral("ok");
        QString reason;
        std::optional<AIScore> ai;      // stored as the AI check's answer (asked: every kind)
        std::optional<double> aiProb;   // the verdict's probability, when the comment has one
        QString kind;
        QString author;
        bool deleted = false;
        bool kept = false;
        std::optional<double> likes;
    };

    static QString youtubeUrl(int n);

    // Stores a post of site "youtube" with the items as one complete scan at `now`, then its
    // counts; deleted items count in the post's deletions.
    static void post(ScanStore &store, const QString &url, const QString &title, const QList<Item> &items,
                     const QDateTime &now);
    // A run of the site's log.
    static ScanStore::Run run(const QString &session, ScanStore::Run::Kind kind, const QString &post,
                              const QDateTime &at, int total, int flagged = 0, int added = 0, int deleted = 0,
                              bool failed = false, bool automatic = false);

    // A few posts in every state the panel draws, with runs for the log.
    static void gallery(ScanStore &store, const QDateTime &now);
    // `posts` posts holding `comments` comments in all, a tenth of them flagged, a third AI-scored.
    static void history(ScanStore &store, int posts, int comments, const QDateTime &now);
};
