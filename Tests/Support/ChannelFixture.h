#pragma once
// Fixture pages of the owner's YouTube channel on www.youtube.com.
//
//   GET  /profile                        302 to the signed-in owner's channel (a handle or a
//                                        /channel/<id>/featured address), or to the Google
//                                        sign-in when signed out
//   GET  /@<handle>/<tab>, /channel/<id>/<tab>   the channel page: inline ytcfg.set({...}) and
//                                        ytInitialData with the tabs, the selected tab's grid
//                                        (first batch) and its continuation, and the grid markup
//   POST /youtubei/v1/browse             the next batch of a grid ({continuation})
// Videos use the lockup view model (or the older videoRenderer), Shorts the shorts lockup view
// model (older pages: videoRenderer and reelItemRenderer); videos continue with
// continuationItemRenderer, Shorts with continuationItemViewModel.

#include "FixtureSite.h"

#include <QJsonObject>
#include <QString>

namespace vt::test {

struct YtUpload {
    QString id;   // 11 characters
    QString title;
};

class ChannelFixture : public QObject {
    Q_OBJECT
public:
    explicit ChannelFixture(QObject *parent = nullptr);

    static constexpr const char *handle = "@sorakitchen";
    static constexpr const char *channelId = "UCfixtureOwnerChannel0001";

    void setSignedIn(bool on) { m_signedIn = on; }
    // Signed in exactly when a request carries the site's session cookie (SID), as the home page
    // decides, in place of setSignedIn(); for a browser that signs in and out on the fixture site.
    void setFollowSession(bool on) { m_followSession = on; }
    // Where /profile leads: a path on www.youtube.com ("/@sorakitchen", "/channel/UC.../featured", "/feed/you").
    void setProfileTarget(const QString &path) { m_profileTarget = path; }
    void setVideos(const QList<YtUpload> &videos) { m_videos = videos; }
    void setShorts(const QList<YtUpload> &shorts) { m_shorts = shorts; }
    void setBatchSize(int n) { m_batch = n; }
    void setOldVideoFormat(bool on) { m_oldFormat = on; }
    void setDelayMs(int ms) { m_delayMs = ms; }
    // Pages without the inline ytInitialData: only the rendered grid shows the uploads.
    void setInlineData(bool on) { m_inlineData = on; }
    // Uploads in a format no script knows yet, in the data and in the rendered grid alike.
    void setUnknownFormat(bool on) { m_unknownFormat = on; }
    // The page data written as window["ytInitialData"] = {...} (a form the site also uses).
    void setBracketData(bool on) { m_bracketData = on; }
    int browseRequests() const { return m_browseRequests; }
    void resetCounters() { m_browseRequests = 0; }

    // n uploads with ids derived from a prefix ("v" or "s").
    static QList<YtUpload> make(const QString &prefix, int n);

    void install(FixtureSite &site);

    QByteArray channelPage(const QString &base, const QString &tab, bool signedIn) const;

private:
    bool signedIn(const HttpRequest &request) const;
    QJsonObject item(const YtUpload &u, bool shorts) const;
    QJsonObject continuation(bool shorts, int offset) const;
    QJsonArray batch(bool shorts, int offset) const;

    bool m_signedIn = true;
    bool m_followSession = false;
    QString m_profileTarget = QStringLiteral("/@sorakitchen");
    QList<YtUpload> m_videos;
    QList<YtUpload> m_shorts;
    int m_batch = 30;
    bool m_oldFormat = false;
    int m_delayMs = 0;
    bool m_inlineData = true;
    bool m_unknownFormat = false;
    bool m_bracketData = false;
    int m_browseRequests = 0;
};

}   // namespace vt::test
