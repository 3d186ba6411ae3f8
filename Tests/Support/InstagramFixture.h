#pragma once
// Fixture pages for www.instagram.com, generated from comment lists.
//
// A fixture holds posts and reels (each with its comment threads and its owner), and the
// viewer (signed out, the owner, another user, or the owner with a session the site no longer
// trusts for writes). Installed on the FixtureSite it serves what the page scripts rely on,
// shaped like the real site:
//   GET  /, /p/<code>/, /reel/<code>/, /<username>/   the feed (signed in) or the sign-in form, the
//        post page (JSON blobs in script type="application/json", the comment list rendered by
//        the page's own app, Tests/Fixtures/instagram/post_app.js), the profile with its grid
//   GET  /api/v1/media/<pk>/comments/                threads, newest first, paged by min_id
//   GET  /api/v1/media/<pk>/comments/<c>/child_comments/   replies, paged by max_id
//   GET  /api/v1/media/<pk>/info/, /api/v1/users/<pk>/info/, /api/v1/users/web_profile_info/
//   GET  /api/v1/feed/user/<pk>/                     the user's latest posts, paged by max_id
//   POST /api/v1/web/comments/<pk>/delete/<c>/       the Delete of the comment options
// Page responses set the viewer's cookies (sessionid, ds_user_id, csrftoken) or expire them.

#include "FixtureSite.h"

#include <QHash>
#include <QJsonObject>
#include <QSet>
#include <QString>

namespace vt::test {

struct IgComment {
    QString id;       // numeric comment pk
    QString parent;   // empty for a thread
    QString username;
    QString userId;
    QString text;
    qint64 publishedMs = 0;
    int likes = 0;
    QString expect;   // the reason the page rules should give ("" for ok)
};

struct IgPost {
    QString code;   // shortcode; the media pk is decoded from it
    bool reel = false;
    QString caption;
    QString ownerName = QStringLiteral("owner");
    qint64 takenAtMs = 0;
    bool refuseDelete = false;   // the site answers every Delete with an error
    QList<IgComment> comments;   // threads and replies, replies after their thread
    bool inDialog = false;       // shown as opened from the profile grid: the post is a dialog
};

class InstagramFixture : public QObject {
    Q_OBJECT
public:
    enum class Viewer { SignedOut, Owner, OtherUser, StaleSession };
    // StaleSession: reading works, but the site asks for a check when the owner deletes.

    explicit InstagramFixture(QObject *parent = nullptr);

    static QList<IgComment> load(const QString &path, qint64 nowMs);
    static QList<IgComment> bulk(int threads, quint32 seed, qint64 nowMs, const QList<IgComment> &base);
    // Media pk of a shortcode, as the site derives it.
    static QString mediaPk(const QString &code);
    // A shortcode for a number (the fixture's posts use makeCode(1), makeCode(2), ...).
    static QString makeCode(quint64 n);

    // Known users: "owner" (the signed-in owner, pk 4242) and "friend" (pk 5151).
    static QString userId(const QString &username);

    void addPost(const IgPost &post);
    IgPost *post(const QString &code);
    void setViewer(Viewer viewer) { m_viewer = viewer; }
    Viewer viewer() const { return m_viewer; }
    void setPageSize(int threads, int replies)
    {
        m_pageSize = threads;
        m_replyPageSize = replies;
    }
    void setDelayMs(int ms) { m_delayMs = ms; }
    // Every GET under /api/v1/ answers 404 except the page's own (which stand for the requests
    // the real page makes elsewhere), as when the site moves the endpoints the scripts know.
    void setApiMoved(bool on) { m_apiMoved = on; }
    // Every GET under /api/v1/ answers that the site wants the owner to confirm it's them.
    void setReadsChallenged(bool on) { m_readsChallenged = on; }
    // Thread pages from this offset on fail (-1: none): with SiteFailure::None as the site's
    // "please wait" refusal, else the way `how` says.
    void setFailingPagesFrom(int offset, SiteFailure how = SiteFailure::None)
    {
        m_failFrom = offset;
        m_failHow = how;
    }
    // Every page of replies fails the way `how` says (SiteFailure::None: none).
    void setFailingReplies(SiteFailure how) { m_failReplies = how; }
    // Replies paged the way the web client asks for them: from the head, with min_id and
    // next_min_child_cursor, instead of from the tail with max_id and next_max_child_cursor.
    void setRepliesFromHead(bool on) { m_repliesFromHead = on; }
    // The last page of comments points back to the first one (a new cursor each round).
    void setLoops(bool on) { m_loops = on; }

    QSet<QString> deleted(const QString &code) const { return m_deleted.value(code); }
    int deleteRequests() const { return m_deleteRequests; }
    int commentRequests() const { return m_commentRequests; }
    int feedRequests() const { return m_feedRequests; }
    void resetCounters() { m_deleteRequests = m_commentRequests = m_feedRequests = 0; }

    void install(FixtureSite &site);

    static QUrl postUrl(const QString &code, bool reel = false);
    static QUrl profileUrl(const QString &username);

    // Pure generators.
    QByteArray postPage(const IgPost &post) const;
    QByteArray profilePage(const QString &username) const;
    QList<IgComment> ordered(const IgPost &post) const;   // visible threads, newest first
    QList<IgComment> repliesOf(const IgPost &post, const QString &threadId) const;
    QList<IgComment> visible(const IgPost &post) const;             // threads with their replies after them
    QList<const IgPost *> postsOf(const QString &username) const;   // newest first

private:
    QJsonObject commentJson(const IgPost &post, const IgComment &c) const;
    QJsonObject mediaJson(const IgPost &post) const;
    QJsonObject userJson(const QString &username) const;
    bool isDeleted(const QString &code, const QString &commentId) const;
    QString viewerId() const;

    QList<IgPost> m_posts;
    QHash<QString, QSet<QString>> m_deleted;
    Viewer m_viewer = Viewer::Owner;
    int m_pageSize = 15;
    int m_replyPageSize = 3;
    int m_delayMs = 0;
    bool m_apiMoved = false;
    bool m_readsChallenged = false;
    bool m_repliesFromHead = false;
    bool m_loops = false;
    int m_failFrom = -1;
    SiteFailure m_failHow = SiteFailure::None;
    SiteFailure m_failReplies = SiteFailure::None;
    int m_deleteRequests = 0;
    int m_commentRequests = 0;
    int m_feedRequests = 0;
    QString m_appJs;
};

}   // namespace vt::test
