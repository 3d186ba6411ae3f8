#include "PanelFixture.h"

QString PanelFixture::youtubeUrl(int n)
{
    // Eleven characters of the sites' alphabet.
    return QStringLiteral("https://www.youtube.com/watch?v=vid%1").arg(n, 8, 10, QLatin1Char('0'));
}

void PanelFixture::post(ScanStore &store, const QString &url, const QString &title, const QList<Item> &items,
                        const QDateTime &now)
{
    const QString site = QStringLiteral("youtube");
    ScanStore::Post p;
    p.site = site;
    p.url = url;
    p.title = title;
    p.scannedAt = now;
    p.fullAt = now;
    store.record(p);
    QList<::Comment> comments;
    QList<ScanStore::AIAnswer> answers;
    QStringList deleted, kept;
    qint64 order = 0;
    for (const Item &item : items) {
        ::Comment c;
        c.id = item.id;
        c.text = item.text;
        c.authorName = item.author.isEmpty() ? QStringLiteral("viewer ") + item.id : item.author;
        c.state = item.state;
        c.reason = item.reason;
        c.aiProb = item.aiProb;
        if (!item.kind.isEmpty())
            c.aiKind = item.kind;
        c.likeCount = item.likes;
        c.publishedAt = double(now.addDays(-1).toMSecsSinceEpoch()) - double(order) * 60000.0;
        c.order = order++;
        comments.append(c);
        if (item.ai)
            answers.append({item.id, ScanStore::hash(item.text), *item.ai});
        if (item.deleted)
            deleted.append(item.id);
        if (item.kept)
            kept.append(item.id);
    }
    store.remember(site, url, comments, QStringLiteral("rules"), now);
    if (!answers.isEmpty())
        store.rememberAI(site, answers, QStringLiteral("spam,abuse,sexual"));
    if (!kept.isEmpty())
        store.markKept(site, kept, now);
    store.syncCounts(url);
    if (!deleted.isEmpty()) {
        store.markDeleted(site, deleted, now);
        store.removed(url, int(deleted.size()));
        store.syncCounts(url);
    }
}

ScanStore::Run PanelFixture::run(const QString &session, ScanStore::Run::Kind kind, const QString &post,
                                 const QDateTime &at, int total, int flagged, int added, int deleted, bool failed,
                                 bool automatic)
{
    ScanStore::Run r;
    r.session = session;
    r.kind = kind;
    r.site = QStringLiteral("youtube");
    r.post = post;
    r.at = at;
    r.total = total;
    r.flagged = flagged;
    r.added = added;
    r.deleted = deleted;
    r.failed = failed;
    r.automatic = automatic;
    return r;
}

void PanelFixture::gallery(ScanStore &store, const QDateTime &now)
{
    using K = ScanStore::Run::Kind;
    post(store, youtubeUrl(1), QStringLiteral("How I edit my videos <b>fast</b> — full walkthrough"),
         {
             {"g1",
              "Earn $500 a day from home!! DM me on t e l e g r a m @quickcash",
              "spam",
              "contact,sidejob",
              {},
              {},
              {},
              "Cash Coach"},
             {"g2", "You are a complete idiot and nobody watches this", "spam", "AI: Abuse 93%", AIScore{0.02, 0.93, 0},
              0.93, "abuse", "angry_guy"},
             {"g3", "check out my channel for free giveaways", "spam", "AI: Spam 74%", AIScore{0.74, 0, 0}, 0.74,
              "spam", "promo4u"},
             {"g4",
              "<img src=x onerror=alert(1)> looks like markup but is only text",
              "spam",
              "link",
              {},
              {},
              {},
              "<b>bold name</b>"},
             {"g5", "Great tutorial, thanks! The colour grading part helped a lot.", "ok", "", AIScore{0.03, 0.01, 0},
              0.04, "", "Mina", false, false, 1234},
             {"g6", "First! Loved it", "skip", "unchanged", {}, {}, {}, "early_bird"},
             {"g7", "좋은 영상 감사합니다. 다음 편도 기대할게요!", "ok", "", {}, {}, {}, "김하늘"},
             {"g8", "Old spam that was removed", "spam", "promo", {}, {}, {}, "gone_spammer", true},
         },
         now);
    post(store, youtubeUrl(2), QString(),
         {
             {"h1", "무료 코인 지급 이벤트 참여하세요 텔레그램 문의", "spam", "dict:spam:코인", {}, {}, {}, "코인왕"},
             {"h2",
              "nice",
              "skip",
              QStringLiteral("좋아요가 많은 댓글"),
              AIScore{0.95, 0, 0},
              {},
              {},
              "liked_a_lot",
              false,
              false,
              250},
         },
         now);
    const QString s1 = QStringLiteral("S1"), s2 = QStringLiteral("S2");
    store.log(run(s1, K::Scan, youtubeUrl(1), now.addDays(-2), 340, 5, 12), {});
    store.log(run(s1, K::Scan, youtubeUrl(2), now.addDays(-2).addSecs(40), 0, 0, 0, 0, true), {});
    store.log(run(QStringLiteral("S3"), K::Delete, youtubeUrl(1), now.addDays(-1), 30, 0, 0, 12), {});
    store.log(run(s2, K::Scan, youtubeUrl(1), now.addSecs(-600), 8, 4, 2, 0, false, true), {});
}

void PanelFixture::history(ScanStore &store, int posts, int comments, const QDateTime &now)
{
    static const char *texts[] = {
        "Thanks for the video, this was really helpful for my project.",
        "Earn money fast!!! message me on telegram for the investment plan",
        "I disagree with the second point but the rest is solid.",
        "이 영상 덕분에 많이 배웠어요. 감사합니다!",
        "Who is watching this in 2026? Still the best tutorial on the topic, nothing comes close even after all these "
        "years of new videos about it.",
    };
    const int per = std::max(1, comments / std::max(1, posts));
    int id = 0;
    for (int p = 0; p < posts; ++p) {
        QList<Item> items;
        for (int i = 0; i < per; ++i, ++id) {
            Item item;
            item.id = QStringLiteral("c%1").arg(id);
            item.text = QString::fromUtf8(texts[id % 5]) + QStringLiteral(" #%1").arg(id);
            if (id % 10 == 0) {
                item.state = QStringLiteral("spam");
                item.reason = QStringLiteral("contact,invest");
            }
            if (id % 3 == 0) {
                const double prob = double(id % 100) / 100.0;
                item.ai = AIScore{prob, 0, 0};
                if (item.state == QLatin1String("spam")) {
                    item.aiProb = prob;
                    item.kind = QStringLiteral("spam");
                }
            }
            items.append(item);
        }
        post(store, youtubeUrl(100 + p), QStringLiteral("Video number %1").arg(p), items, now);
    }
}
