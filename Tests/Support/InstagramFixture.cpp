#include "InstagramFixture.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QRegularExpression>
#include <QUrlQuery>

#include <algorithm>

namespace vt::test {

namespace {

const QString kHost = QStringLiteral("www.instagram.com");
constexpr char kCodeChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr char kAppId[] = "936619743392459";

quint32 nextRandom(quint32 &state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

QString makeCommentId(quint32 &state)
{
    // Comment pks are 17-digit numbers starting 179/180.
    QString id = QStringLiteral("179");
    for (int i = 0; i < 14; ++i)
        id += QChar(u'0' + int(nextRandom(state) % 10));
    return id;
}

QString scriptJson(const QJsonValue &v)
{
    const QByteArray text = v.isObject() ? QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact)
                                         : QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text).replace(QStringLiteral("</"), QStringLiteral("<\\/"));
}

QByteArray setCookie(const QByteArray &name, const QByteArray &value, bool httpOnly, bool expire = false)
{
    return name + '=' + value + "; Domain=.instagram.com; Path=/; " + (expire ? "Max-Age=0" : "Max-Age=31536000")
        + "; Secure" + (httpOnly ? "; HttpOnly" : "") + "; SameSite=None";
}

QString pictureUrl(const QString &key)
{
    return QStringLiteral("https://scontent-ssn1-1.cdninstagram.com/v/t51.2885-19/%1_n.jpg?stp=dst-jpg_s150x150")
        .arg(key);
}

// The site writes comment pks as bare numbers, longer than a double holds exactly.
HttpReply bareIds(const QJsonObject &o)
{
    static const QRegularExpression quoted(QStringLiteral("\"pk\":\"(\\d{16,})\""));
    HttpReply reply = HttpReply::json(o);
    reply.body = QString::fromUtf8(reply.body).replace(quoted, QStringLiteral("\"pk\":\\1")).toUtf8();
    return reply;
}

HttpReply failJson(const QString &message, int status, const QJsonObject &extra = {})
{
    QJsonObject o{{"message", message}, {"status", "fail"}};
    for (auto it = extra.begin(); it != extra.end(); ++it)
        o.insert(it.key(), it.value());
    return HttpReply::json(o, status);
}

}   // namespace

InstagramFixture::InstagramFixture(QObject *parent)
    : QObject(parent)
{
    QFile app(QStringLiteral(VT_FIXTURES_DIR "/instagram/post_app.js"));
    if (app.open(QIODevice::ReadOnly))
        m_appJs = QString::fromUtf8(app.readAll());
}

QString InstagramFixture::userId(const QString &username)
{
    if (username == QLatin1String("owner"))
        return QStringLiteral("4242");
    if (username == QLatin1String("friend"))
        return QStringLiteral("5151");
    // Everyone else: a stable number from the name.
    return QString::number(60000000000ULL + (qHash(username) % 900000000ULL));
}

QString InstagramFixture::mediaPk(const QString &code)
{
    const QString c = code.left(11);
    quint64 n = 0;
    for (QChar ch : c)
        n = n * 64 + quint64(QByteArray(kCodeChars).indexOf(char(ch.unicode())));
    return QString::number(n);
}

QString InstagramFixture::makeCode(quint64 n)
{
    quint64 pk = 3400000000000000000ULL + n * 7919ULL * 104729ULL;
    QString code;
    while (pk) {
        code.prepend(QLatin1Char(kCodeChars[pk % 64]));
        pk /= 64;
    }
    return code;
}

QList<IgComment> InstagramFixture::load(const QString &path, qint64 nowMs)
{
    QFile file(path);
    QList<IgComment> out;
    if (!file.open(QIODevice::ReadOnly))
        return out;
    const QJsonArray list = QJsonDocument::fromJson(file.readAll()).object().value("comments").toArray();
    quint32 state = 0x2545f491u ^ quint32(qHash(path));
    const auto read = [&](const QJsonObject &o, const QString &parent) {
        IgComment c;
        c.id = makeCommentId(state);
        c.parent = parent;
        c.username = o.value("user").toString();
        // A comment list may give another user under the same name (a name given up and taken again).
        c.userId = o.value("userId").toString(userId(c.username));
        c.text = o.value("text").toString();
        c.publishedMs = nowMs - qint64(o.value("ageHours").toDouble() * 3600000.0);
        c.likes = o.value("likes").toInt();
        c.expect = o.value("expect").toString();
        return c;
    };
    for (const QJsonValue &v : list) {
        const IgComment thread = read(v.toObject(), QString());
        out << thread;
        for (const QJsonValue &r : v.toObject().value("replies").toArray())
            out << read(r.toObject(), thread.id);
    }
    return out;
}

QList<IgComment> InstagramFixture::bulk(int threads, quint32 seed, qint64 nowMs, const QList<IgComment> &base)
{
    QList<IgComment> tops, replies;
    for (const IgComment &c : base)
        (c.parent.isEmpty() ? tops : replies) << c;
    QList<IgComment> out;
    quint32 state = seed ? seed : 1;
    qint64 age = 0;
    for (int i = 0; i < threads; ++i) {
        IgComment c = tops.at(int(nextRandom(state) % quint32(tops.size())));
        c.id = makeCommentId(state);
        age += 30000 + qint64(nextRandom(state) % 1800000);
        c.publishedMs = nowMs - age;
        c.likes = (nextRandom(state) % 3 == 0) ? 0 : int(nextRandom(state) % 40);
        if (!c.expect.isEmpty())
            c.likes = 0;
        c.text += QStringLiteral(" #%1").arg(i + 1);
        out << c;
        const int replyCount = (i % 9 == 0) ? int(nextRandom(state) % 8) + 1 : 0;
        for (int r = 0; r < replyCount && !replies.isEmpty(); ++r) {
            IgComment reply = replies.at(int(nextRandom(state) % quint32(replies.size())));
            reply.id = makeCommentId(state);
            reply.parent = c.id;
            reply.publishedMs = c.publishedMs + 30000 * (r + 1);
            reply.likes = reply.expect.isEmpty() ? int(nextRandom(state) % 5) : 0;
            reply.text += QStringLiteral(" (%1-%2)").arg(i + 1).arg(r + 1);
            out << reply;
        }
    }
    return out;
}

void InstagramFixture::addPost(const IgPost &post)
{
    for (IgPost &p : m_posts)
        if (p.code == post.code) {
            p = post;
            return;
        }
    m_posts << post;
}

IgPost *InstagramFixture::post(const QString &code)
{
    for (IgPost &p : m_posts)
        if (p.code == code)
            return &p;
    return nullptr;
}

bool InstagramFixture::isDeleted(const QString &code, const QString &commentId) const
{
    return m_deleted.value(code).contains(commentId);
}

QList<IgComment> InstagramFixture::ordered(const IgPost &post) const
{
    QList<IgComment> tops;
    for (const IgComment &c : post.comments)
        if (c.parent.isEmpty() && !isDeleted(post.code, c.id))
            tops << c;
    std::stable_sort(tops.begin(), tops.end(),
                     [](const IgComment &a, const IgComment &b) { return a.publishedMs > b.publishedMs; });
    return tops;
}

QList<IgComment> InstagramFixture::repliesOf(const IgPost &post, const QString &threadId) const
{
    QList<IgComment> out;
    if (isDeleted(post.code, threadId))
        return out;
    for (const IgComment &c : post.comments)
        if (c.parent == threadId && !isDeleted(post.code, c.id))
            out << c;
    return out;
}

QList<IgComment> InstagramFixture::visible(const IgPost &post) const
{
    QList<IgComment> out;
    for (const IgComment &t : ordered(post)) {
        out << t;
        out << repliesOf(post, t.id);
    }
    return out;
}

QList<const IgPost *> InstagramFixture::postsOf(const QString &username) const
{
    QList<const IgPost *> out;
    for (const IgPost &p : m_posts)
        if (p.ownerName == username)
            out << &p;
    std::stable_sort(out.begin(), out.end(),
                     [](const IgPost *a, const IgPost *b) { return a->takenAtMs > b->takenAtMs; });
    return out;
}

QString InstagramFixture::viewerId() const
{
    switch (m_viewer) {
    case Viewer::SignedOut:
        return QString();
    case Viewer::OtherUser:
        return userId(QStringLiteral("friend"));
    case Viewer::Owner:
    case Viewer::StaleSession:
        return userId(QStringLiteral("owner"));
    }
    return QString();
}

QJsonObject InstagramFixture::userJson(const QString &username) const
{
    return QJsonObject{{"pk", userId(username)},
                       {"pk_id", userId(username)},
                       {"id", userId(username)},
                       {"username", username},
                       {"full_name", username == QLatin1String("owner") ? QStringLiteral("Sora Kitchen") : username},
                       {"is_private", false},
                       {"is_verified", false},
                       {"profile_pic_url", pictureUrl(userId(username))},
                       {"fbid_v2", QStringLiteral("1784") + userId(username)}};
}

QJsonObject InstagramFixture::commentJson(const IgPost &post, const IgComment &c) const
{
    const qint64 secs = c.publishedMs / 1000;
    QJsonObject o{{"pk", c.id},
                  {"text", c.text},
                  {"type", c.parent.isEmpty() ? 0 : 2},
                  {"created_at", secs},
                  {"created_at_utc", secs},
                  {"content_type", "comment"},
                  {"status", "Active"},
                  {"bit_flags", 0},
                  {"did_report_as_spam", false},
                  {"share_enabled", false},
                  {"user_id", c.userId},
                  // The site gives the user's pk as a number and again as text.
                  {"user",
                   QJsonObject{{"pk", c.userId.toDouble()},
                               {"pk_id", c.userId},
                               {"id", c.userId},
                               {"username", c.username},
                               {"full_name", c.username},
                               {"is_private", false},
                               {"is_verified", false},
                               {"profile_pic_url", pictureUrl(c.userId)}}},
                  {"is_covered", false},
                  {"has_liked_comment", false},
                  {"comment_like_count", c.likes},
                  {"media_id", mediaPk(post.code)},
                  {"private_reply_status", 0}};
    if (c.parent.isEmpty()) {
        const QList<IgComment> replies = repliesOf(post, c.id);
        o["child_comment_count"] = int(replies.size());
        QJsonArray preview;
        if (!replies.isEmpty())
            preview.append(commentJson(post, replies.first()));
        o["preview_child_comments"] = preview;
        o["has_more_tail_child_comments"] = replies.size() > 1;
        o["has_more_head_child_comments"] = false;
    } else {
        o["parent_comment_id"] = c.parent;
    }
    return o;
}

QJsonObject InstagramFixture::mediaJson(const IgPost &post) const
{
    const QString pk = mediaPk(post.code);
    const QString ownerId = userId(post.ownerName);
    const QString thumb =
        QStringLiteral("https://scontent-ssn1-1.cdninstagram.com/v/t51.29350-15/%1_n.jpg?stp=dst-jpg_e35_p640x640")
            .arg(pk);
    return QJsonObject{{"code", post.code},
                       {"pk", pk},
                       {"id", pk + QLatin1Char('_') + ownerId},
                       {"taken_at", post.takenAtMs / 1000},
                       {"media_type", post.reel ? 2 : 1},
                       {"product_type", post.reel ? "clips" : "feed"},
                       {"caption",
                        QJsonObject{{"pk", pk + QStringLiteral("1")}, {"text", post.caption}, {"user_id", ownerId}}},
                       {"user", userJson(post.ownerName)},
                       {"owner", userJson(post.ownerName)},
                       {"comment_count", int(visible(post).size())},
                       {"like_count", 1234},
                       {"comments_disabled", false},
                       {"can_viewer_reshare", true},
                       {"image_versions2",
                        QJsonObject{
                            {"candidates", QJsonArray{QJsonObject{{"url", thumb}, {"width", 640}, {"height", 640}}}}}}};
}

QUrl InstagramFixture::postUrl(const QString &code, bool reel)
{
    return FixtureSite::url(kHost, (reel ? QStringLiteral("/reel/") : QStringLiteral("/p/")) + code + QLatin1Char('/'));
}

QUrl InstagramFixture::profileUrl(const QString &username)
{
    return FixtureSite::url(kHost, QLatin1Char('/') + username + QLatin1Char('/'));
}

QByteArray InstagramFixture::postPage(const IgPost &post) const
{
    const QJsonObject media = mediaJson(post);
    // The post's data as the page carries it: Relay's preloaded query results.
    const auto scheduled = [](const QJsonObject &bbox) {
        return QJsonObject{{"require",
                            QJsonArray{QJsonArray{"ScheduledServerJS", "handle", QJsonValue(),
                                                  QJsonArray{QJsonObject{{"__bbox", bbox}}}}}}};
    };
    const QJsonObject result{
        {"data", QJsonObject{{"xdt_api__v1__media__shortcode__web_info", QJsonObject{{"items", QJsonArray{media}}}}}}};
    const QJsonArray preloaded{QStringLiteral("adp_PolarisPostRootQueryRelayPreloader_%1")
                                   .arg(mediaPk(post.code).left(8)),
                               QJsonObject{{"__bbox", QJsonObject{{"complete", true}, {"result", result}}}}};
    const QJsonObject relay = scheduled(QJsonObject{
        {"require", QJsonArray{QJsonArray{"RelayPrefetchedStreamCache", "next", QJsonArray{}, preloaded}}}});
    const QJsonArray defines{QJsonArray{"PolarisSiteData", QJsonArray{},
                                        QJsonObject{{"country_code", "KR"}, {"device_id", "FIXTURE-DEVICE"}}, 1},
                             QJsonArray{"InstagramSecurityConfig", QJsonArray{},
                                        QJsonObject{{"csrf_token", "fixturecsrf"}}, 2},
                             QJsonArray{"DGWWebConfig", QJsonArray{},
                                        QJsonObject{{"appId", kAppId}, {"dgwVersion", "2"}}, 3}};
    const QJsonObject config = scheduled(QJsonObject{{"define", defines}});
    QJsonObject app{{"code", post.code},
                    {"pk", mediaPk(post.code)},
                    {"reel", post.reel},
                    {"appId", kAppId},
                    {"ownerId", userId(post.ownerName)}};
    if (m_viewer == Viewer::SignedOut) {
        QJsonArray preview;
        const QList<IgComment> threads = ordered(post);
        for (int i = 0; i < std::min<int>(m_pageSize, int(threads.size())); ++i)
            preview.append(commentJson(post, threads.at(i)));
        app["preview"] = preview;
    }
    const QString caption = post.caption.toHtmlEscaped();
    const QString thumb = media.value("image_versions2")
                              .toObject()
                              .value("candidates")
                              .toArray()
                              .first()
                              .toObject()
                              .value("url")
                              .toString();
    const QString signInBar = m_viewer == Viewer::SignedOut
        ? QStringLiteral(
              "<div class=\"x1n2onr6 login-bar\"><a href=\"/accounts/login/?next=%2Fp%2F%1%2F\">Log in</a> to like or comment.</div>")
              .arg(post.code)
        : QString();
    const QString html =
        QStringLiteral(
            "<!DOCTYPE html><html class=\"_9dls\" lang=\"en\" dir=\"ltr\"><head><meta charset=\"utf-8\">"
            "<title>%1 on Instagram: &quot;%2&quot;</title>"
            "<meta property=\"og:image\" content=\"%3\"><meta property=\"og:url\" content=\"https://www.instagram.com/%4/%5/\">"
            "<meta property=\"al:ios:url\" content=\"instagram://media?id=%6\">"
            "<style>body{margin:0;font:14px -apple-system,sans-serif} ul{list-style:none;margin:0;padding:0} li{display:block}"
            " ._a9zj{display:flex;padding:8px 16px} ._ae5q{display:flex;gap:12px;color:#737373;font-size:12px} ._a9zf{width:24px;height:24px;cursor:pointer}"
            " button{background:none;border:0;font:inherit;cursor:pointer} [role=dialog]{position:fixed;top:30%;left:35%;width:400px;background:#fff;border-radius:12px;z-index:10}"
            " [role=dialog] button{display:block;width:100%;padding:12px;border-top:1px solid #dbdbdb} .toast{position:fixed;bottom:0;left:0;right:0;background:#262626;color:#fff;padding:12px}"
            " ._aasi{width:600px;height:600px;background:#ddd} article{display:flex} ._ae1h{width:400px;height:600px;overflow-y:auto}</style>"
            "<script type=\"application/json\" data-content-len=\"210\" data-sjs>%7</script>"
            "<script type=\"application/json\" data-content-len=\"900\" data-sjs>%8</script>"
            "</head><body><div id=\"mount_0_0_Fx\"><div class=\"x9f619\"><main role=\"main\" class=\"xvbhtw8\">"
            "<div class=\"x1qjc9v5\" @DIALOG@><article class=\"x1iyjqo2\" role=\"presentation\">"
            "<div class=\"_aasi\"><img class=\"x5yr21d\" alt=\"%2\" src=\"%3\"></div>"
            "<div class=\"_ae1h\"><header class=\"_aaqw\"><a href=\"/%1/\" role=\"link\">%1</a></header>"
            "<div class=\"_ae2s _ae3v _ae3w\"><ul class=\"_a9z6 _a9za\" id=\"vt-fixture-comments\">"
            "<div role=\"button\" class=\"_a9zj caption\"><h2><a href=\"/%1/\">%1</a></h2><h1 dir=\"auto\">%2</h1></div>"
            "</ul></div>%9</div></article></div></main></div>"
            "<script>window.__igPost = @APP@;</script><script>@APPJS@</script></body></html>")
            .arg(post.ownerName, caption, thumb, post.reel ? QStringLiteral("reel") : QStringLiteral("p"), post.code,
                 mediaPk(post.code), QStringLiteral("@CONFIG@"), QStringLiteral("@RELAY@"), QStringLiteral("@SIGNIN@"));
    // Inserted last and by name: their texts may hold "%" signs.
    return QString(html)
        .replace(QStringLiteral("@DIALOG@"),
                 post.inDialog ? QStringLiteral("role=\"dialog\" aria-modal=\"true\"") : QString())
        .replace(QStringLiteral("@SIGNIN@"), signInBar)
        .replace(QStringLiteral("@CONFIG@"), scriptJson(config))
        .replace(QStringLiteral("@RELAY@"), scriptJson(relay))
        .replace(QStringLiteral("@APP@"), scriptJson(app))
        .replace(QStringLiteral("@APPJS@"), m_appJs)
        .toUtf8();
}

QByteArray InstagramFixture::profilePage(const QString &username) const
{
    const QList<const IgPost *> posts = postsOf(username);
    QString grid;
    for (int i = 0; i < std::min<int>(12, int(posts.size())); ++i) {
        const IgPost *p = posts.at(i);
        const QString thumb = mediaJson(*p)
                                  .value("image_versions2")
                                  .toObject()
                                  .value("candidates")
                                  .toArray()
                                  .first()
                                  .toObject()
                                  .value("url")
                                  .toString();
        grid +=
            QStringLiteral(
                "<div class=\"_aabd _aa8k _al3l\"><a class=\"x1i10hfl _a6hd\" href=\"/%1/%2/\" role=\"link\" tabindex=\"0\">"
                "<div class=\"_aagu\"><div class=\"_aagv\"><img alt=\"%3\" class=\"x5yr21d\" crossorigin=\"anonymous\" src=\"%4\"></div></div></a></div>")
                .arg(p->reel ? QStringLiteral("reel") : QStringLiteral("p"), p->code, p->caption.toHtmlEscaped(),
                     thumb);
    }
    const QJsonObject props{
        {"props", QJsonObject{{"id", userId(username)}, {"profile_id", userId(username)}, {"username", username}}}};
    const QJsonObject bbox{
        {"require",
         QJsonArray{QJsonArray{"PolarisProfilePostsTabRoot.react", "render", QJsonArray{}, QJsonArray{props}}}}};
    const QJsonObject data{{"require",
                            QJsonArray{QJsonArray{"ScheduledServerJS", "handle", QJsonValue(),
                                                  QJsonArray{QJsonObject{{"__bbox", bbox}}}}}}};
    const QString html =
        QStringLiteral(
            "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\"><title>%1 (@%1) • Instagram photos and videos</title>"
            "<meta property=\"og:url\" content=\"https://www.instagram.com/%1/\">"
            "<meta property=\"og:image\" content=\"https://scontent-ssn1-1.cdninstagram.com/v/t51.2885-19/profile_%1.jpg\">"
            "<style>body{margin:0;font:14px sans-serif} ._aabd{display:inline-block;width:300px;height:300px;background:#eee;margin:2px} img{width:100px;height:100px}</style>"
            "<script type=\"application/json\" data-sjs>%2</script></head><body><div id=\"mount_0_0_Pr\"><main role=\"main\">"
            "<header><h2 dir=\"auto\">%1</h2><ul><li><span>%3 posts</span></li></ul></header>"
            "<div class=\"xg7h5cd\"><div style=\"display:flex;flex-direction:column;padding-bottom:0px\" id=\"vt-fixture-grid\">%4</div></div>"
            "</main></div></body></html>")
            .arg(username, scriptJson(data), QString::number(posts.size()), grid);
    return html.toUtf8();
}

void InstagramFixture::install(FixtureSite &site)
{
    QPointer<InstagramFixture> self(this);
    const auto later = [self](const HttpResponder &r, const HttpReply &reply) {
        if (self && self->m_delayMs > 0)
            r.replyAfter(self->m_delayMs, reply);
        else
            r.reply(reply);
    };
    // The viewer's cookies travel with every page.
    const auto withCookies = [self](HttpReply reply) {
        if (!self)
            return reply;
        const QString id = self->viewerId();
        if (id.isEmpty()) {
            reply.withHeader("Set-Cookie", setCookie("sessionid", "", true, true));
            reply.withHeader("Set-Cookie", setCookie("ds_user_id", "", false, true));
        } else {
            reply.withHeader("Set-Cookie", setCookie("sessionid", id.toLatin1() + "%3Afixture%3A12", true));
            reply.withHeader("Set-Cookie", setCookie("ds_user_id", id.toLatin1(), false));
        }
        reply.withHeader("Set-Cookie", setCookie("csrftoken", "fixturecsrf", false));
        return reply;
    };
    // Who asks: the session's user, or none.
    const auto asker = [](const HttpRequest &q) -> QString {
        if (FixtureSite::cookie(q, "sessionid").isEmpty())
            return QString();
        return QString::fromLatin1(FixtureSite::cookie(q, "ds_user_id"));
    };
    const auto postFor = [self, withCookies](const QString &code, bool reel, const HttpResponder &r) {
        if (!self)
            return r.closeConnection();
        IgPost *p = self->post(code);
        if (!p || p->reel != reel)
            return r.reply(withCookies(
                HttpReply::html("<html><body><h2>Sorry, this page isn't available.</h2></body></html>", 404)));
        r.reply(withCookies(HttpReply::html(self->postPage(*p))));
    };
    site.routePrefix(kHost, "GET", QStringLiteral("/p/"), [postFor](const HttpRequest &q, const HttpResponder &r) {
        postFor(q.path.section(u'/', 2, 2), false, r);
    });
    site.routePrefix(kHost, "GET", QStringLiteral("/reel/"), [postFor](const HttpRequest &q, const HttpResponder &r) {
        postFor(q.path.section(u'/', 2, 2), true, r);
    });
    for (const QString &user : {QStringLiteral("owner"), QStringLiteral("friend")}) {
        site.route(kHost, "GET", QLatin1Char('/') + user + QLatin1Char('/'),
                   [self, withCookies, user](const HttpRequest &, const HttpResponder &r) {
            if (!self)
                return r.closeConnection();
            r.reply(withCookies(HttpReply::html(self->profilePage(user))));
        });
    }
    // The feed with the navigation bar when signed in; the sign-in form otherwise.
    site.route(kHost, "GET", QStringLiteral("/"), [self, withCookies](const HttpRequest &, const HttpResponder &r) {
        if (!self)
            return r.closeConnection();
        if (self->viewerId().isEmpty())
            return r.reply(withCookies(FixtureSite::redirect(QStringLiteral("/accounts/login/"))));
        const QString me = self->viewerId() == userId(QStringLiteral("owner")) ? QStringLiteral("owner")
                                                                               : QStringLiteral("friend");
        const QString html =
            QStringLiteral(
                "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\"><title>Instagram</title></head><body><div id=\"mount_0_0_Hm\">"
                "<div class=\"x1iyjqo2\"><div class=\"x9f619\" role=\"navigation\">"
                "<a href=\"/\" role=\"link\"><svg aria-label=\"Home\"></svg><span>Home</span></a>"
                "<a href=\"/explore/\" role=\"link\"><svg aria-label=\"Explore\"></svg><span>Explore</span></a>"
                "<a href=\"/reels/\" role=\"link\"><svg aria-label=\"Reels\"></svg><span>Reels</span></a>"
                "<a href=\"/direct/inbox/\" role=\"link\"><svg aria-label=\"Direct\"></svg><span>Messages</span></a>"
                "<a href=\"/%1/\" role=\"link\"><img alt=\"%1's profile picture\" src=\"%2\"><span>Profile</span></a>"
                "</div><main role=\"main\"><article><a href=\"/friend/\">friend</a><p>A post in the feed</p></article></main></div></div></body></html>")
                .arg(me, pictureUrl(self->viewerId()));
        r.reply(withCookies(HttpReply::html(html.toUtf8())));
    });

    site.routePrefix(kHost, "GET", QStringLiteral("/api/v1/media/"),
                     [self, later, asker](const HttpRequest &q, const HttpResponder &r) {
        if (!self)
            return r.closeConnection();
        if (self->m_apiMoved && q.header("x-fixture-page").isEmpty())
            return later(r, failJson(QStringLiteral("Sorry, this page isn't available."), 404));
        if (self->m_readsChallenged)
            return later(r,
                         failJson(QStringLiteral("checkpoint_required"), 400,
                                  {{"checkpoint_url", "/challenge/action/AXH3fixture/"}, {"lock", true}}));
        const QString who = asker(q);
        if (who.isEmpty())
            return later(r, failJson(QStringLiteral("login_required"), 401, {{"require_login", true}}));
        if (q.header("x-ig-app-id") != kAppId)
            return later(r, failJson(QStringLiteral("useragent mismatch"), 400));
        const QStringList parts = q.path.split(u'/', Qt::SkipEmptyParts);   // api v1 media <pk> ...
        const QString pk = parts.value(3);
        IgPost *p = nullptr;
        for (IgPost &x : self->m_posts)
            if (mediaPk(x.code) == pk)
                p = &x;
        if (!p)
            return later(r, failJson(QStringLiteral("Media not found or unavailable"), 400));
        if (parts.value(4) == QLatin1String("info")) {
            return later(r,
                         HttpReply::json(QJsonObject{{"items", QJsonArray{self->mediaJson(*p)}},
                                                     {"num_results", 1},
                                                     {"more_available", false},
                                                     {"status", "ok"}}));
        }
        if (parts.value(4) != QLatin1String("comments"))
            return later(r, failJson(QStringLiteral("Sorry, this page isn't available."), 404));
        ++self->m_commentRequests;
        if (parts.size() >= 7 && parts.value(6) == QLatin1String("child_comments")) {
            const QList<IgComment> replies = self->repliesOf(*p, parts.value(5));
            const bool head = self->m_repliesFromHead;
            // A cursor sent in the other direction's parameter is ignored, as the site does.
            const int offset =
                q.query.queryItemValue(head ? QStringLiteral("min_id") : QStringLiteral("max_id")).toInt();
            QJsonArray items;
            for (int i = offset; i < std::min<int>(offset + self->m_replyPageSize, int(replies.size())); ++i)
                items.append(self->commentJson(*p, replies.at(i)));
            const bool more = offset + self->m_replyPageSize < replies.size();
            const int left = std::max<int>(0, int(replies.size()) - offset - self->m_replyPageSize);
            QJsonObject out{{"child_comments", items},
                            {"child_comment_count", int(replies.size())},
                            {"has_more_tail_child_comments", more && !head},
                            {"has_more_head_child_comments", more && head},
                            {head ? "num_head_child_comments" : "num_tail_child_comments", left},
                            {"status", "ok"}};
            if (more)
                out[head ? "next_min_child_cursor" : "next_max_child_cursor"] = QString::number(
                    offset + self->m_replyPageSize);
            if (self->m_failReplies != SiteFailure::None)
                return FixtureSite::failRequest(r, self->m_failReplies, bareIds(out).body);
            return later(r, bareIds(out));
        }
        const QList<IgComment> threads = self->ordered(*p);
        int offset = 0, round = 0;
        const QString cursor = q.query.queryItemValue(QStringLiteral("min_id"), QUrl::FullyDecoded);
        if (!cursor.isEmpty()) {
            const QJsonObject c = QJsonDocument::fromJson(cursor.toUtf8()).object();
            offset = c.value("server_cursor").toString().toInt();
            round = c.value("round").toInt();
        }
        if (self->m_failFrom >= 0 && offset >= self->m_failFrom) {
            if (self->m_failHow != SiteFailure::None)
                return FixtureSite::failRequest(r, self->m_failHow, "{\"comments\": [], \"status\": \"ok\"}");
            return later(r, failJson(QStringLiteral("Please wait a few minutes before you try again."), 400));
        }
        QJsonArray items;
        for (int i = offset; i < std::min<int>(offset + self->m_pageSize, int(threads.size())); ++i)
            items.append(self->commentJson(*p, threads.at(i)));
        const bool last = offset + self->m_pageSize >= threads.size();
        const bool loop = last && self->m_loops && round < 1000;
        const bool more = !last || loop;
        QJsonObject out{{"comments", items},
                        {"comment_count", int(self->visible(*p).size())},
                        {"has_more_headload_comments", more},
                        {"has_more_comments", false},
                        {"caption_is_edited", false},
                        {"comment_likes_enabled", true},
                        {"media_header_display", "none"},
                        {"can_view_more_preview_comments", false},
                        {"status", "ok"}};
        if (more)
            out["next_min_id"] = QString::fromUtf8(
                QJsonDocument(QJsonObject{{"server_cursor", QString::number(loop ? 0 : offset + self->m_pageSize)},
                                          {"is_server_cursor_inverse", true},
                                          {"round", loop ? round + 1 : round}})
                    .toJson(QJsonDocument::Compact));
        later(r, bareIds(out));
    });

    site.routePrefix(kHost, "POST", QStringLiteral("/api/v1/web/comments/"),
                     [self, later, asker](const HttpRequest &q, const HttpResponder &r) {
        if (!self)
            return r.closeConnection();
        ++self->m_deleteRequests;
        const QString who = asker(q);
        if (who.isEmpty())
            return later(r, failJson(QStringLiteral("login_required"), 401, {{"require_login", true}}));
        if (q.header("x-csrftoken") != "fixturecsrf")
            return later(r, failJson(QStringLiteral("CSRF token missing or incorrect"), 403));
        if (self->m_viewer == Viewer::StaleSession)
            return later(r,
                         failJson(QStringLiteral("checkpoint_required"), 400,
                                  {{"checkpoint_url", "/challenge/action/AXH3fixture/"}, {"lock", true}}));
        const QStringList parts = q.path.split(u'/', Qt::SkipEmptyParts);   // api v1 web comments <pk> delete <c>
        IgPost *p = nullptr;
        for (IgPost &x : self->m_posts)
            if (mediaPk(x.code) == parts.value(4))
                p = &x;
        const QString id = parts.value(6);
        if (!p || parts.value(5) != QLatin1String("delete"))
            return later(r, failJson(QStringLiteral("Sorry, this page isn't available."), 404));
        const IgComment *c = nullptr;
        for (const IgComment &x : p->comments)
            if (x.id == id)
                c = &x;
        if (!c || self->isDeleted(p->code, id))
            return later(r, failJson(QStringLiteral("Comment not found"), 400));
        if (who != userId(p->ownerName) && who != c->userId)
            return later(r, failJson(QStringLiteral("You cannot delete this comment"), 403));
        if (p->refuseDelete)
            return later(r, failJson(QStringLiteral("Couldn't delete comment"), 400, {{"feedback_required", false}}));
        self->m_deleted[p->code].insert(id);
        if (c->parent.isEmpty())
            for (const IgComment &x : p->comments)
                if (x.parent == id)
                    self->m_deleted[p->code].insert(x.id);
        later(r, HttpReply::json(QJsonObject{{"status", "ok"}}));
    });

    site.routePrefix(kHost, "GET", QStringLiteral("/api/v1/users/"),
                     [self, later, asker](const HttpRequest &q, const HttpResponder &r) {
        if (!self)
            return r.closeConnection();
        if (self->m_apiMoved && q.header("x-fixture-page").isEmpty())
            return later(r, failJson(QStringLiteral("Sorry, this page isn't available."), 404));
        if (self->m_readsChallenged)
            return later(r,
                         failJson(QStringLiteral("checkpoint_required"), 400,
                                  {{"checkpoint_url", "/challenge/action/AXH3fixture/"}, {"lock", true}}));
        if (asker(q).isEmpty())
            return later(r, failJson(QStringLiteral("login_required"), 401, {{"require_login", true}}));
        const QStringList parts = q.path.split(u'/', Qt::SkipEmptyParts);   // api v1 users <pk> info | web_profile_info
        if (parts.value(3) == QLatin1String("web_profile_info")) {
            const QString name = q.query.queryItemValue(QStringLiteral("username"));
            if (name != QLatin1String("owner") && name != QLatin1String("friend"))
                return later(r,
                             HttpReply::json(QJsonObject{{"data", QJsonObject{{"user", QJsonValue()}}},
                                                         {"status", "ok"}},
                                             404));
            return later(r,
                         HttpReply::json(
                             QJsonObject{{"data",
                                          QJsonObject{{"user",
                                                       QJsonObject{{"id", userId(name)},
                                                                   {"username", name},
                                                                   {"edge_owner_to_timeline_media",
                                                                    QJsonObject{{"count",
                                                                                 int(self->postsOf(name).size())}}}}}}},
                                         {"status", "ok"}}));
        }
        for (const QString &name : {QStringLiteral("owner"), QStringLiteral("friend")})
            if (parts.value(3) == userId(name) && parts.value(4) == QLatin1String("info"))
                return later(r, HttpReply::json(QJsonObject{{"user", self->userJson(name)}, {"status", "ok"}}));
        later(r, failJson(QStringLiteral("User not found"), 404));
    });

    site.routePrefix(kHost, "GET", QStringLiteral("/api/v1/feed/user/"),
                     [self, later, asker](const HttpRequest &q, const HttpResponder &r) {
        if (!self)
            return r.closeConnection();
        if (self->m_apiMoved && q.header("x-fixture-page").isEmpty())
            return later(r, failJson(QStringLiteral("Sorry, this page isn't available."), 404));
        if (self->m_readsChallenged)
            return later(r,
                         failJson(QStringLiteral("checkpoint_required"), 400,
                                  {{"checkpoint_url", "/challenge/action/AXH3fixture/"}, {"lock", true}}));
        ++self->m_feedRequests;
        if (asker(q).isEmpty())
            return later(r, failJson(QStringLiteral("login_required"), 401, {{"require_login", true}}));
        const QString pk = q.path.split(u'/', Qt::SkipEmptyParts).value(4);
        QString name;
        for (const QString &n : {QStringLiteral("owner"), QStringLiteral("friend")})
            if (userId(n) == pk)
                name = n;
        if (name.isEmpty())
            return later(r, failJson(QStringLiteral("User not found"), 404));
        const QList<const IgPost *> posts = self->postsOf(name);
        const int count = std::clamp(q.query.queryItemValue(QStringLiteral("count")).toInt(), 1, 33);
        int offset = 0;
        const QString maxId = q.query.queryItemValue(QStringLiteral("max_id"));
        if (!maxId.isEmpty()) {
            offset = -1;
            for (int i = 0; i < posts.size(); ++i)
                if (self->mediaJson(*posts.at(i)).value("id").toString() == maxId)
                    offset = i + 1;
            if (offset < 0)
                return later(r, failJson(QStringLiteral("Invalid max_id"), 400));
        }
        QJsonArray items;
        for (int i = offset; i < std::min<int>(offset + count, int(posts.size())); ++i)
            items.append(self->mediaJson(*posts.at(i)));
        const bool more = offset + count < posts.size();
        QJsonObject out{{"items", items}, {"num_results", items.size()}, {"more_available", more}, {"status", "ok"}};
        if (more)
            out["next_max_id"] = items.last().toObject().value("id").toString();
        later(r, HttpReply::json(out));
    });
}

}   // namespace vt::test
