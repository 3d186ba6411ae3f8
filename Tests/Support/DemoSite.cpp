#include "DemoSite.h"

#include <QDateTime>
#include <QPointer>

namespace vt::test {

namespace {

// The same comments under ids of their own: every post of the site has its own comment ids.
QList<YtComment> withOwnIds(QList<YtComment> comments, quint32 seed)
{
    QHash<QString, QString> threads;
    for (YtComment &c : comments) {
        if (c.parent.isEmpty()) {
            const QString id = YouTubeFixture::makeId(seed);
            threads.insert(c.id, id);
            c.id = id;
        } else {
            c.parent = threads.value(c.parent);
            c.id = YouTubeFixture::makeId(seed, c.parent);
        }
    }
    return comments;
}

}   // namespace

DemoSite::DemoSite(QObject *parent)
    : QObject(parent)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();

    // YouTube: the owner's videos, from a handful of comments to thousands.
    const QList<YtComment> mixed = YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"),
                                                        now);
    m_videos = {
        {QStringLiteral("vDemoMixed1"), QStringLiteral("양파 카레 만들기 | Onion curry"), false, false, mixed},
        {QStringLiteral("vDemo300c01"), QStringLiteral("주말 브런치 레시피"), false, false,
         YouTubeFixture::bulk(250, 31, now, mixed).mid(0, 300)},
        {QStringLiteral("vDemo2000c1"), QStringLiteral("구독자 이벤트 공지"), false, false,
         YouTubeFixture::bulk(1500, 9, now, mixed).mid(0, 2000)},
        {QStringLiteral("vDemoLarge1"), QStringLiteral("1년 동안 모은 레시피 총정리"), false, false,
         YouTubeFixture::bulk(1500, 32, now, mixed)},
        {QStringLiteral("sDemoShort1"), QStringLiteral("30초 계란말이 #shorts"), true, false,
         withOwnIds(mixed.mid(0, 20), 0x5a0e7u)},
    };
    m_youtube.setDelayMs(30);
    // Signing out in the application holds: the site hands its cookies only to a signed-in browser.
    m_youtube.setFollowSession(true);
    QList<YtUpload> uploads, shorts;
    for (const YtVideo &v : std::as_const(m_videos)) {
        m_youtube.addVideo(v);
        (v.shorts ? shorts : uploads) << YtUpload{v.id, v.title};
    }
    // The owner's channel lists them; the site's /profile leads there for the signed-in owner.
    m_channel.setVideos(uploads);
    m_channel.setShorts(shorts);
    m_channel.setFollowSession(true);
    m_channel.setProfileTarget(QStringLiteral("/channel/") + YouTubeFixture::ownerChannel());

    // Instagram: the owner's posts, reached from the feed through the profile grid.
    const QList<IgComment> igMixed =
        InstagramFixture::load(QStringLiteral(VT_FIXTURES_DIR "/instagram/comments-mixed.json"), now);
    const QList<std::pair<QString, QList<IgComment>>> posts{
        {QStringLiteral("Weekend market"), igMixed},
        {QStringLiteral("Studio tour"), InstagramFixture::bulk(200, 41, now, igMixed)},
        {QStringLiteral("A year of photos"), InstagramFixture::bulk(900, 42, now, igMixed)},
    };
    for (qsizetype i = 0; i < posts.size(); ++i) {
        IgPost post;
        post.code = InstagramFixture::makeCode(quint64(i + 1));
        post.caption = posts.at(i).first;
        post.takenAtMs = now - (i + 1) * 86400000;
        post.comments = posts.at(i).second;
        post.reel = i == 1;
        m_posts << post;
        m_instagram.addPost(post);
    }
    m_instagram.setDelayMs(30);
}

QList<QUrl> DemoSite::youtubePosts() const
{
    QList<QUrl> out;
    for (const bool shorts : {false, true})
        for (const YtVideo &v : m_videos)
            if (v.shorts == shorts)
                out << (shorts ? YouTubeFixture::shortsUrl(v.id) : YouTubeFixture::watchUrl(v.id));
    return out;
}

QList<QUrl> DemoSite::instagramPosts() const
{
    QList<QUrl> out;
    for (const IgPost &p : m_posts)
        out << InstagramFixture::postUrl(p.code, p.reel);
    return out;
}

void DemoSite::install(FixtureSite &site)
{
    m_youtube.install(site);
    m_channel.install(site);
    m_instagram.install(site);

    // The YouTube home page lists the videos with their comments now (the sign-in markers stay as
    // on the plain home page).
    QPointer<DemoSite> self(this);
    site.route(QStringLiteral("www.youtube.com"), "GET", QStringLiteral("/"),
               [self](const HttpRequest &q, const HttpResponder &r) {
        if (!self)
            return r.closeConnection();
        QByteArray links;
        for (const YtVideo &v : std::as_const(self->m_videos)) {
            const QString url = v.shorts ? YouTubeFixture::shortsUrl(v.id).toString()
                                         : YouTubeFixture::watchUrl(v.id).toString();
            links += "<li><a href=\"" + url.toHtmlEscaped().toUtf8() + "\">" + v.title.toHtmlEscaped().toUtf8()
                + "</a> (" + QByteArray::number(self->m_youtube.visibleCount(v)) + " comments)</li>";
        }
        const bool in = !FixtureSite::cookie(q, "SID").isEmpty();
        QByteArray body = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>YouTube</title></head><body>"
                          "<script>var ytcfg={data_:{LOGGED_IN:"
            + QByteArray(in ? "true" : "false")
            + "},get:function(k){return this.data_[k];}};</script><h1>YouTube home</h1>";
        body += in
            ? "<button id=\"avatar-btn\" aria-label=\"Account\">Owner</button><p id=\"state\">signed in</p>"
            : "<a id=\"signin\" href=\"https://accounts.google.com/ServiceLogin?service=youtube&amp;continue=https%3A%2F%2Fwww.youtube.com%2F\">Sign in</a><p id=\"state\">signed out</p>";
        body += "<h2>Your videos</h2><ul>" + links
            + "</ul>"
              "<p><a href=\"https://www.instagram.com/owner/\">The owner's Instagram profile</a></p></body></html>";
        r.reply(HttpReply::html(body));
    });
}

}   // namespace vt::test
