#pragma once
// Fixture pages for www.youtube.com, generated from comment lists.
//
// A fixture holds videos (watch pages and Shorts), each with its comment threads, and the
// viewer (signed in or not, owner of the videos or not). Installed on a TestHttpServer it
// serves what the page scripts rely on, shaped like the real site:
//   GET  /watch?v=<id>, /shorts/<id>        the page: inline ytcfg.set({...}) and ytInitialData,
//                                            the comment section markup, and the page's own app
//                                            (/s/desktop_app.js) that loads comments as it scrolls
//   POST /youtubei/v1/next                   the watch data ({videoId}) or one continuation
//                                            ({continuation}) in the view-model format with
//                                            frameworkUpdates.entityBatchUpdate.mutations
//   POST /youtubei/v1/comment/perform_comment_action   the owner's remove/delete action
// Comment lists are JSON files (Tests/Fixtures/youtube/*.json); bulk() makes any number of
// believable comments from them. The Instagram fixture follows the same pattern: a list of
// comments turned into a page plus the site's own JSON answers.

#include "FixtureSite.h"

#include <QDateTime>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace vt::test {

struct YtComment {
    QString id;          // "Ug...AaABAg"; a reply is "<parent>.<suffix>"
    QString parent;      // empty for a thread
    QString author;      // "@handle"; a channel without a handle shows its name
    QString channelId;   // "UC...": one per author, like the real site
    QString text;
    qint64 publishedMs = 0;
    int likes = 0;
    bool owner = false;   // written by the video's owner
    bool pinned = false;
    bool hearted = false;
    bool siteSpam = false;   // marked by the site itself
    QString expect;          // the reason the page rules should give ("" for ok)
};

struct YtVideo {
    QString id;   // 11 characters
    QString title;
    bool shorts = false;
    bool commentsOff = false;
    QList<YtComment> comments;   // threads and replies, replies after their thread
    bool dataRefused = false;    // the site refuses the scripts' own data request (the page still works)
    bool subThreads = false;     // replies come as threads of their own (the late-2025 format)
    bool noSort = false;         // the comments header offers no order to pick (a variant some viewers get)
    bool loops =
        false;   // the last page of threads (and of each thread's replies) continues with the first one again (new token each round)
    bool sidePanel =
        false;   // watch page of the side-panel layout: #comments hidden, the list in a panel in #secondary
    bool unreachable = false;   // the page never arrives: the connection closes without an answer
};

class YouTubeFixture : public QObject {
    Q_OBJECT
public:
    enum class Viewer { SignedOut, Owner, OtherUser, StaleSession, Challenged };
    // StaleSession: the page says signed in, but the site asks for a sign-in when acting.
    // Challenged: the owner, but the site asks for a check that a person is acting.

    explicit YouTubeFixture(QObject *parent = nullptr);

    // Comment lists.
    static QList<YtComment> load(const QString &path, qint64 nowMs);   // {"comments": [...]} with nested "replies"
    static QList<YtComment> bulk(int threads, quint32 seed, qint64 nowMs, const QList<YtComment> &base);
    static QString makeId(quint32 &state, const QString &parent = QString());
    // The channel of a fixture author: the same for every comment of the author; the owner's
    // comments carry the owner's channel.
    static QString channelOf(const QString &author);
    static QString ownerChannel() { return QStringLiteral("UCfixtureOwnerChannel0001"); }

    void addVideo(const YtVideo &video);
    YtVideo *video(const QString &id);
    void setViewer(Viewer viewer) { m_viewer = viewer; }
    Viewer viewer() const { return m_viewer; }
    // The viewer applies only to a browser that signed in (it carries the account's SID cookie);
    // any other sees the pages signed out and may not act, so that a sign-out holds.
    void setFollowSession(bool on) { m_followSession = on; }
    void setPageSize(int threads, int replies)
    {
        m_pageSize = threads;
        m_replyPageSize = replies;
    }
    void setDelayMs(int ms) { m_delayMs = ms; }   // latency of the site's JSON answers
    // The site's data fails part of the way: pages of threads from offset `threadsFrom` on (-1:
    // none) and, with `replies`, every page of replies answer the way `how` says; each such page
    // fails `times` times and then answers (-1: always). SiteFailure::None ends it.
    void setFailure(SiteFailure how, int threadsFrom = -1, bool replies = false, int times = -1)
    {
        m_failure = how;
        m_failFrom = threadsFrom;
        m_failReplies = replies;
        m_failTimes = times;
        m_failed.clear();
    }

    QSet<QString> deleted(const QString &videoId) const { return m_deleted.value(videoId); }
    int actionRequests() const { return m_actionRequests; }
    // Comment actions after the next `answered` ones stay unanswered (the site is slow to
    // delete) until releaseHeld(); -1 holds none.
    void holdActionsAfter(int answered)
    {
        m_holdAfter = answered;
        m_answeredActions = 0;
    }
    int heldActions() const { return int(m_held.size()); }
    // Answers the held actions as the site would now (so a viewer changed meanwhile counts),
    // and holds no more.
    void releaseHeld();
    // Data requests of the scripts (the page's own app, which loads as it is shown and so as
    // often as time allows, is not counted).
    int nextRequests() const { return m_nextRequests; }

    // Installs the routes for www.youtube.com on the fixture site (replacing its plain /watch).
    void install(FixtureSite &site);

    // The address of a fixture video under the real host name.
    static QUrl watchUrl(const QString &id)
    {
        return FixtureSite::url(QStringLiteral("www.youtube.com"), QStringLiteral("/watch?v=") + id);
    }
    static QUrl shortsUrl(const QString &id)
    {
        return FixtureSite::url(QStringLiteral("www.youtube.com"), QStringLiteral("/shorts/") + id);
    }

    // Pure generators (also used by tests to know what the site would say).
    QByteArray page(const YtVideo &video) const;
    // signedIn false: the data as the site sends it to a request without a valid sign-in header.
    QJsonObject watchData(const YtVideo &video, bool signedIn = true) const;
    // Whether a request carries the sign-in header the site checks: "SAPISIDHASH <ts>_<sha1 of
    // "<USER_SESSION_ID> <ts> <SAPISID> <origin>">_u" for the SAPISID cookie the request sends.
    static bool signedInRequest(const HttpRequest &request);
    QJsonObject continuation(const QString &token, bool *ok) const;
    // Threads in site order (the pinned one first; in newest order again at its place), and replies.
    QList<YtComment> ordered(const YtVideo &video, bool newest, bool withDeleted = false) const;
    QList<YtComment> repliesOf(const YtVideo &video, const QString &threadId, bool withDeleted = false) const;
    int visibleCount(const YtVideo &video) const;

    static QString relativeTime(qint64 publishedMs, qint64 nowMs);
    static QString shortCount(int n);

private:
    QJsonObject threadJson(const YtComment &c, const YtVideo &v, QJsonArray &mutations) const;
    QJsonObject viewModelJson(const YtComment &c, const YtVideo &v, QJsonArray &mutations) const;
    QString token(const QJsonObject &state) const;
    bool isDeleted(const QString &videoId, const QString &commentId) const;

    QList<YtVideo> m_videos;
    QHash<QString, QSet<QString>> m_deleted;
    Viewer m_viewer = Viewer::Owner;
    bool m_followSession = false;
    int m_pageSize = 20;
    int m_replyPageSize = 10;
    int m_delayMs = 0;
    SiteFailure m_failure = SiteFailure::None;
    int m_failFrom = -1;
    bool m_failReplies = false;
    int m_failTimes = -1;
    QHash<QString, int> m_failed;   // failures so far per token
    int m_actionRequests = 0;
    int m_holdAfter = -1;
    int m_answeredActions = 0;
    QList<std::pair<HttpRequest, HttpResponder>> m_held;
    void answerAction(const HttpRequest &req, const HttpResponder &r);
    int m_nextRequests = 0;
    QString m_ownerChannel = ownerChannel();
    QString m_appJs;
};

}   // namespace vt::test
