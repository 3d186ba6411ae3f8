#pragma once
// The fixture sites as the owner tries them by hand (the fixture_site program) and as the tests
// of the owner's path through the window find them: the owner's YouTube videos and Shorts, the
// owner's channel that lists them, and the owner's Instagram posts, all full of believable comments
// (spam, scams and abuse among them).
//   www.youtube.com/          home: the sign-in state and links to the videos
//   www.youtube.com/profile   the signed-in owner's channel (/channel/<id>, tabs videos and
//                             shorts), or the Google sign-in when no session came
//   www.instagram.com/owner/  the owner's profile with the posts

#include "ChannelFixture.h"
#include "InstagramFixture.h"
#include "YouTubeFixture.h"

#include <QList>
#include <QObject>
#include <QUrl>

namespace vt::test {

class DemoSite : public QObject {
    Q_OBJECT
public:
    explicit DemoSite(QObject *parent = nullptr);

    void install(FixtureSite &site);

    // The owner's YouTube uploads (videos, then Shorts) and Instagram posts, newest first.
    QList<QUrl> youtubePosts() const;
    QList<QUrl> instagramPosts() const;

    YouTubeFixture &youtube() { return m_youtube; }
    ChannelFixture &channel() { return m_channel; }
    InstagramFixture &instagram() { return m_instagram; }

private:
    YouTubeFixture m_youtube;
    ChannelFixture m_channel;
    InstagramFixture m_instagram;
    QList<YtVideo> m_videos;
    QList<IgPost> m_posts;
};

}   // namespace vt::test
