#include "YouTubeFixture.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrlQuery>

#include <algorithm>
#include <utility>

namespace vt::test {

namespace {

constexpr char kIdChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

quint32 nextRandom(quint32 &state)
{
    // xorshift: deterministic for a seed, so generated pages are the same in every run.
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

QJsonObject runsText(const QString &text)
{
    return QJsonObject{{"runs", QJsonArray{QJsonObject{{"text", text}}}}};
}

QJsonObject continuationItem(const QString &token, const QString &buttonText = QString())
{
    QJsonObject command{
        {"continuationCommand", QJsonObject{{"token", token}, {"request", "CONTINUATION_REQUEST_TYPE_WATCH_NEXT"}}}};
    QJsonObject item{{"trigger", "CONTINUATION_TRIGGER_ON_ITEM_SHOWN"}, {"continuationEndpoint", command}};
    if (!buttonText.isEmpty()) {
        item.remove("continuationEndpoint");
        item["trigger"] = "CONTINUATION_TRIGGER_ON_BUTTON_CLICK";
        item["button"] = QJsonObject{
            {"buttonRenderer", QJsonObject{{"text", runsText(buttonText)}, {"command", command}}}};
    }
    return QJsonObject{{"continuationItemRenderer", item}};
}

QString htmlEscape(const QString &s)
{
    return s.toHtmlEscaped();
}

QString scriptJson(const QJsonObject &o)
{
    // Inline JSON must not close the script element.
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact))
        .replace(QStringLiteral("</"), QStringLiteral("<\\/"));
}

}   // namespace

YouTubeFixture::YouTubeFixture(QObject *parent)
    : QObject(parent)
{
    QFile app(QStringLiteral(VT_FIXTURES_DIR "/youtube/desktop_app.js"));
    if (app.open(QIODevice::ReadOnly))
        m_appJs = QString::fromUtf8(app.readAll());
}

QString YouTubeFixture::makeId(quint32 &state, const QString &parent)
{
    QString id;
    const int len = parent.isEmpty() ? 18 : 22;
    for (int i = 0; i < len; ++i)
        id += QLatin1Char(kIdChars[nextRandom(state) % 64]);
    return parent.isEmpty() ? QStringLiteral("Ug") + id + QStringLiteral("AaABAg") : parent + QLatin1Char('.') + id;
}

QString YouTubeFixture::channelOf(const QString &author)
{
    const QByteArray digest = QCryptographicHash::hash(author.toUtf8(), QCryptographicHash::Sha256);
    QString id = QStringLiteral("UC");
    for (int i = 0; i < 22; ++i)
        id += QLatin1Char(kIdChars[quint8(digest.at(i)) % 64]);
    return id;
}

QList<YtComment> YouTubeFixture::load(const QString &path, qint64 nowMs)
{
    QFile file(path);
    QList<YtComment> out;
    if (!file.open(QIODevice::ReadOnly))
        return out;
    const QJsonArray list = QJsonDocument::fromJson(file.readAll()).object().value("comments").toArray();
    quint32 state = 0x9e3779b9u ^ quint32(qHash(path));
    const auto read = [&](const QJsonObject &o, const QString &parent) {
        YtComment c;
        c.id = makeId(state, parent);
        c.parent = parent;
        c.author = o.value("author").toString();
        // A comment list may give another channel under the same name (a handle given up and taken again).
        c.owner = o.value("owner").toBool();
        c.channelId = o.value("channelId").toString(c.owner ? ownerChannel() : channelOf(c.author));
        c.text = o.value("text").toString();
        c.publishedMs = nowMs - qint64(o.value("ageHours").toDouble() * 3600000.0);
        c.likes = o.value("likes").toInt();
        c.pinned = o.value("pinned").toBool();
        c.hearted = o.value("hearted").toBool();
        c.siteSpam = o.value("siteSpam").toBool();
        c.expect = o.value("expect").toString();
        return c;
    };
    for (const QJsonValue &v : list) {
        const YtComment thread = read(v.toObject(), QString());
        out << thread;
        for (const QJsonValue &r : v.toObject().value("replies").toArray())
            out << read(r.toObject(), thread.id);
    }
    return out;
}

QList<YtComment> YouTubeFixture::bulk(int threads, quint32 seed, qint64 nowMs, const QList<YtComment> &base)
{
    // Threads reuse the base texts and authors with varied likes and times; some get replies.
    QList<YtComment> tops, replies;
    for (const YtComment &c : base)
        (c.parent.isEmpty() ? tops : replies) << c;
    QList<YtComment> out;
    quint32 state = seed ? seed : 1;
    qint64 age = 0;
    for (int i = 0; i < threads; ++i) {
        YtComment c = tops.at(int(nextRandom(state) % quint32(tops.size())));
        c.id = makeId(state);
        c.pinned = false;
        c.owner = c.owner && i % 50 == 0;
        age += 60000 + qint64(nextRandom(state) % 3600000);
        c.publishedMs = nowMs - age;
        c.likes = (nextRandom(state) % 3 == 0) ? 0 : int(nextRandom(state) % (i % 97 == 0 ? 25000 : 60));
        if (!c.expect.isEmpty() && c.expect != QLatin1String("youtube"))
            c.likes = nextRandom(state) % 4 == 0 ? 1 : 0;
        c.text += QStringLiteral(" #%1").arg(i + 1);
        out << c;
        const int replyCount = (i % 7 == 0) ? int(nextRandom(state) % 25) + 1 : 0;
        for (int r = 0; r < replyCount && !replies.isEmpty(); ++r) {
            YtComment reply = replies.at(int(nextRandom(state) % quint32(replies.size())));
            reply.id = makeId(state, c.id);
            reply.parent = c.id;
            reply.publishedMs = c.publishedMs + 60000 * (r + 1);
            reply.likes = int(nextRandom(state) % 5);
            if (!reply.expect.isEmpty())
                reply.likes = 0;
            reply.text += QStringLiteral(" (%1-%2)").arg(i + 1).arg(r + 1);
            out << reply;
        }
    }
    return out;
}

void YouTubeFixture::addVideo(const YtVideo &video)
{
    for (YtVideo &v : m_videos)
        if (v.id == video.id) {
            v = video;
            return;
        }
    m_videos << video;
}

YtVideo *YouTubeFixture::video(const QString &id)
{
    for (YtVideo &v : m_videos)
        if (v.id == id)
            return &v;
    return nullptr;
}

bool YouTubeFixture::isDeleted(const QString &videoId, const QString &commentId) const
{
    const QSet<QString> gone = m_deleted.value(videoId);
    if (gone.contains(commentId))
        return true;
    const int dot = commentId.indexOf(QLatin1Char('.'));
    return dot > 0 && gone.contains(commentId.left(dot));
}

QList<YtComment> YouTubeFixture::ordered(const YtVideo &video, bool newest, bool withDeleted) const
{
    QList<YtComment> tops;
    for (const YtComment &c : video.comments)
        if (c.parent.isEmpty() && (withDeleted || !isDeleted(video.id, c.id)))
            tops << c;
    QList<YtComment> pinned;
    for (const YtComment &c : tops)
        if (c.pinned)
            pinned << c;
    if (newest) {
        std::stable_sort(tops.begin(), tops.end(),
                         [](const YtComment &a, const YtComment &b) { return a.publishedMs > b.publishedMs; });
        // The pinned comment shows first and again at its place in time.
        return pinned + tops;
    }
    tops.erase(std::remove_if(tops.begin(), tops.end(), [](const YtComment &c) { return c.pinned; }), tops.end());
    std::stable_sort(tops.begin(), tops.end(), [](const YtComment &a, const YtComment &b) {
        return a.likes != b.likes ? a.likes > b.likes : a.publishedMs > b.publishedMs;
    });
    return pinned + tops;
}

QList<YtComment> YouTubeFixture::repliesOf(const YtVideo &video, const QString &threadId, bool withDeleted) const
{
    QList<YtComment> out;
    for (const YtComment &c : video.comments)
        if (c.parent == threadId && (withDeleted || !isDeleted(video.id, c.id)))
            out << c;
    return out;
}

int YouTubeFixture::visibleCount(const YtVideo &video) const
{
    int n = 0;
    for (const YtComment &c : video.comments)
        if (!isDeleted(video.id, c.id))
            ++n;
    return n;
}

QString YouTubeFixture::relativeTime(qint64 publishedMs, qint64 nowMs)
{
    const qint64 s = std::max<qint64>(0, (nowMs - publishedMs) / 1000);
    const auto unit = [](qint64 n, const char *name) {
        return QStringLiteral("%1 %2%3 ago")
            .arg(n)
            .arg(QLatin1String(name))
            .arg(n == 1 ? QString() : QStringLiteral("s"));
    };
    if (s < 60)
        return unit(s, "second");
    if (s < 3600)
        return unit(s / 60, "minute");
    if (s < 86400)
        return unit(s / 3600, "hour");
    if (s < 7 * 86400)
        return unit(s / 86400, "day");
    if (s < 30 * 86400)
        return unit(s / (7 * 86400), "week");
    if (s < 365 * 86400)
        return unit(s / (30 * 86400), "month");
    return unit(s / (365 * 86400), "year");
}

QString YouTubeFixture::shortCount(int n)
{
    if (n <= 0)
        return QStringLiteral(" ");
    if (n < 1000)
        return QString::number(n);
    if (n < 10000) {
        const QString s = QString::number(n / 1000.0, 'f', 1);
        return (s.endsWith(QLatin1String(".0")) ? s.left(s.size() - 2) : s) + QLatin1Char('K');
    }
    if (n < 1000000)
        return QString::number(n / 1000) + QLatin1Char('K');
    return QString::number(n / 1000000.0, 'f', 1) + QLatin1Char('M');
}

QString YouTubeFixture::token(const QJsonObject &state) const
{
    return QStringLiteral("Eg0SC")
        + QString::fromLatin1(QJsonDocument(state)
                                  .toJson(QJsonDocument::Compact)
                                  .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

QJsonObject YouTubeFixture::viewModelJson(const YtComment &c, const YtVideo &v, QJsonArray &mutations) const
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const QString handle = c.author.startsWith(QLatin1Char('@')) ? c.author.mid(1) : c.author;
    const QString commentKey = QStringLiteral("Eg0ck") + c.id;
    const QString stateKey = QStringLiteral("Eg0ts") + c.id;
    const QString surfaceKey = QStringLiteral("Eg0sf") + c.id;
    const QString base = c.author.startsWith(QLatin1Char('@')) ? QStringLiteral("/@") + handle
                                                               : QStringLiteral("/channel/") + c.channelId;
    const QJsonObject browse{{"browseEndpoint", QJsonObject{{"browseId", c.channelId}, {"canonicalBaseUrl", base}}}};
    QJsonObject author{{"channelId", c.channelId},
                       {"displayName", c.author},
                       {"avatarThumbnailUrl",
                        QStringLiteral("https://yt3.ggpht.com/ytc/%1=s88-c-k-c0x00ffffff-no-rj").arg(c.channelId)},
                       {"isVerified", false},
                       {"isCreator", c.owner},
                       {"isArtist", false},
                       {"channelCommand", QJsonObject{{"innertubeCommand", browse}}}};
    QJsonObject toolbar{{"likeCountNotliked", shortCount(c.likes)},
                        {"likeCountLiked", shortCount(c.likes + 1)},
                        {"likeCountA11y",
                         c.likes == 1 ? QStringLiteral("1 like") : QStringLiteral("%L1 likes").arg(c.likes)},
                        {"replyCount", QString()},
                        {"likeButtonA11y",
                         QStringLiteral("Like this comment along with %L1 other people").arg(c.likes)}};
    QJsonObject props{{"commentId", c.id},
                      {"content", QJsonObject{{"content", c.text}}},
                      {"publishedTime", relativeTime(c.publishedMs, now)},
                      {"replyLevel", c.parent.isEmpty() ? 0 : 1},
                      {"authorButtonA11y", c.author},
                      {"toolbarStateKey", stateKey}};
    const QJsonObject entity{{"key", commentKey}, {"properties", props}, {"author", author}, {"toolbar", toolbar}};
    mutations.append(QJsonObject{{"entityKey", commentKey},
                                 {"type", "ENTITY_MUTATION_TYPE_REPLACE"},
                                 {"payload", QJsonObject{{"commentEntityPayload", entity}}}});
    mutations.append(QJsonObject{{"entityKey", stateKey},
                                 {"type", "ENTITY_MUTATION_TYPE_REPLACE"},
                                 {"payload",
                                  QJsonObject{{"engagementToolbarStateEntityPayload",
                                               QJsonObject{{"key", stateKey},
                                                           {"heartState",
                                                            c.hearted ? "TOOLBAR_HEART_STATE_HEARTED"
                                                                      : "TOOLBAR_HEART_STATE_UNHEARTED"},
                                                           {"likeState", "TOOLBAR_LIKE_STATE_INDIFFERENT"}}}}}});
    // The comment's menu as the viewer may use it, with the opaque action the page's own menu
    // sends: Report for everyone; for the video's owner Remove (Delete on the owner's own
    // comment). The items have the site's menu item shape (text, icon, service endpoint); the
    // site does not document where the view-model format keeps them, the fixture keeps them with
    // the comment's surface entity.
    const auto menuItem = [](const QString &text, const QString &icon, const QJsonObject &endpoint) {
        return QJsonObject{{"menuServiceItemRenderer",
                            QJsonObject{{"text", runsText(text)},
                                        {"icon", QJsonObject{{"iconType", icon}}},
                                        {"serviceEndpoint", endpoint}}}};
    };
    QJsonArray menu{menuItem(QStringLiteral("Report"), QStringLiteral("FLAG"),
                             QJsonObject{{"getReportFormEndpoint",
                                          QJsonObject{{"params", QStringLiteral("EghSZXBvcnQ") + c.id.left(6)}}}})};
    if (m_viewer == Viewer::Owner || m_viewer == Viewer::StaleSession || m_viewer == Viewer::Challenged) {
        const QString action = QString::fromLatin1(
            QJsonDocument(QJsonObject{{"a", c.owner ? "delete" : "remove"}, {"c", c.id}, {"v", v.id}})
                .toJson(QJsonDocument::Compact)
                .toBase64());
        menu.prepend(menuItem(c.owner ? QStringLiteral("Delete") : QStringLiteral("Remove"), QStringLiteral("DELETE"),
                              QJsonObject{{"performCommentActionEndpoint", QJsonObject{{"action", action}}}}));
    }
    mutations.append(
        QJsonObject{{"entityKey", surfaceKey},
                    {"type", "ENTITY_MUTATION_TYPE_REPLACE"},
                    {"payload",
                     QJsonObject{
                         {"commentSurfaceEntityPayload",
                          QJsonObject{{"key", surfaceKey},
                                      {"menuCommand",
                                       QJsonObject{
                                           {"innertubeCommand",
                                            QJsonObject{
                                                {"menuEndpoint",
                                                 QJsonObject{{"menu",
                                                              QJsonObject{{"menuRenderer",
                                                                           QJsonObject{{"items", menu}}}}}}}}}}}}}}}});
    QJsonObject vm{{"commentId", c.id},
                   {"commentKey", commentKey},
                   {"toolbarStateKey", stateKey},
                   {"commentSurfaceKey", surfaceKey},
                   {"toolbarSurfaceKey", QStringLiteral("Eg0tf") + c.id},
                   {"sharedKey", QStringLiteral("Eg0sh") + c.id},
                   {"rendererContext",
                    QJsonObject{
                        {"loggingContext",
                         QJsonObject{{"loggingDirectives",
                                      QJsonObject{{"trackingParams", QStringLiteral("CAQQ") + c.id.left(8)}}}}}}}};
    if (c.pinned)
        vm["pinnedText"] = QStringLiteral("Pinned by @channelowner");
    return vm;
}

QJsonObject YouTubeFixture::threadJson(const YtComment &c, const YtVideo &v, QJsonArray &mutations) const
{
    QJsonObject thread{{"commentViewModel", QJsonObject{{"commentViewModel", viewModelJson(c, v, mutations)}}},
                       {"renderingPriority",
                        c.pinned ? "RENDERING_PRIORITY_PINNED_COMMENT" : "RENDERING_PRIORITY_UNKNOWN"},
                       {"isModeratedElqComment", c.siteSpam},
                       {"trackingParams", QStringLiteral("CAQQ") + c.id.left(8)}};
    const int replies = int(repliesOf(v, c.id).size());
    if (replies > 0) {
        const QString t = token(QJsonObject{{"k", "r"}, {"v", v.id}, {"t", c.id}, {"o", 0}});
        const QString label = replies == 1 ? QStringLiteral("1 reply") : QStringLiteral("%1 replies").arg(replies);
        thread["replies"] = QJsonObject{
            {"commentRepliesRenderer",
             QJsonObject{{v.subThreads ? "subThreads" : "contents", QJsonArray{continuationItem(t)}},
                         {"viewReplies", QJsonObject{{"buttonRenderer", QJsonObject{{"text", runsText(label)}}}}},
                         {"hideReplies", QJsonObject{{"buttonRenderer", QJsonObject{{"text", runsText(label)}}}}},
                         {"targetId", QStringLiteral("comment-replies-item-") + c.id}}}};
    }
    return QJsonObject{{"commentThreadRenderer", thread}};
}

namespace {
const QByteArray kUserSessionId = "104857600000000000001";
const QByteArray kSapisid = "fixtureSapisid/AbCdEf";
}   // namespace

bool YouTubeFixture::signedInRequest(const HttpRequest &request)
{
    QByteArray sapisid;
    for (const QByteArray &part : request.header("cookie").split(';')) {
        const QByteArray kv = part.trimmed();
        if (kv.startsWith("SAPISID="))
            sapisid = kv.mid(8);
    }
    if (sapisid != kSapisid)
        return false;
    // Only the first hash counts here; the 1P/3P ones follow it, space-separated.
    const QList<QByteArray> words = request.header("authorization").split(' ');
    if (words.size() < 2 || words.at(0) != "SAPISIDHASH")
        return false;
    const QList<QByteArray> fields = words.at(1).split('_');
    if (fields.size() != 3 || fields.at(2) != "u")
        return false;
    const QByteArray ts = fields.at(0);
    const QByteArray expected = QCryptographicHash::hash(kUserSessionId + ' ' + ts + ' ' + sapisid
                                                             + " https://www.youtube.com",
                                                         QCryptographicHash::Sha1)
                                    .toHex();
    return fields.at(1) == expected && qAbs(QDateTime::currentSecsSinceEpoch() - ts.toLongLong()) < 300;
}

QJsonObject YouTubeFixture::watchData(const YtVideo &v, bool signedIn) const
{
    const QString count = QStringLiteral("%L1").arg(visibleCount(v));
    const QString top = token(QJsonObject{{"k", "c"}, {"v", v.id}, {"s", "top"}, {"o", 0}});
    const QString newest = token(QJsonObject{{"k", "c"}, {"v", v.id}, {"s", "new"}, {"o", 0}});
    QJsonObject owner{{"videoOwnerRenderer",
                       QJsonObject{{"title", runsText(QStringLiteral("Sora's Kitchen"))},
                                   {"navigationEndpoint",
                                    QJsonObject{{"browseEndpoint",
                                                 QJsonObject{{"browseId", m_ownerChannel},
                                                             {"canonicalBaseUrl", "/@channelowner"}}}}}}}};
    QJsonObject secondary{{"owner", owner}};
    if (signedIn && (m_viewer == Viewer::Owner || m_viewer == Viewer::StaleSession || m_viewer == Viewer::Challenged))
        secondary["ownerButtons"] = QJsonArray{QJsonObject{
            {"buttonRenderer",
             QJsonObject{{"text", runsText("Edit video")},
                         {"navigationEndpoint",
                          QJsonObject{{"urlEndpoint",
                                       QJsonObject{{"url",
                                                    QStringLiteral("https://studio.youtube.com/video/%1/edit")
                                                        .arg(v.id)}}}}}}}}};
    else
        secondary["subscribeButton"] = QJsonObject{
            {"subscribeButtonRenderer", QJsonObject{{"buttonText", runsText("Subscribe")}}}};
    QJsonArray sections{QJsonObject{{"videoPrimaryInfoRenderer", QJsonObject{{"title", runsText(v.title)}}}},
                        QJsonObject{{"videoSecondaryInfoRenderer", secondary}}};
    QJsonArray sectionContents;
    if (!v.commentsOff)
        sectionContents.append(continuationItem(top));
    else
        sectionContents.append(
            QJsonObject{{"messageRenderer", QJsonObject{{"text", runsText("Comments are turned off.")}}}});
    sections.append(QJsonObject{{"itemSectionRenderer",
                                 QJsonObject{{"sectionIdentifier", "comment-item-section"},
                                             {"targetId", "comments-section"},
                                             {"contents", sectionContents}}}});
    QJsonObject panel{
        {"engagementPanelSectionListRenderer",
         QJsonObject{
             {"panelIdentifier", "engagement-panel-comments-section"},
             {"targetId", "engagement-panel-comments-section"},
             {"header",
              QJsonObject{
                  {"engagementPanelTitleHeaderRenderer",
                   QJsonObject{{"title", runsText("Comments")},
                               {"contextualInfo", runsText(count)},
                               {"menu",
                                QJsonObject{
                                    {"sortFilterSubMenuRenderer",
                                     QJsonObject{
                                         {"subMenuItems",
                                          QJsonArray{QJsonObject{{"title", "Top"},
                                                                 {"selected", true},
                                                                 {"serviceEndpoint",
                                                                  QJsonObject{{"continuationCommand",
                                                                               QJsonObject{{"token", top}}}}}},
                                                     QJsonObject{{"title", "Newest"},
                                                                 {"selected", false},
                                                                 {"serviceEndpoint",
                                                                  QJsonObject{
                                                                      {"continuationCommand",
                                                                       QJsonObject{{"token", newest}}}}}}}}}}}}}}}},
             {"content",
              QJsonObject{
                  {"sectionListRenderer",
                   QJsonObject{
                       {"contents",
                        QJsonArray{QJsonObject{
                            {"itemSectionRenderer",
                             QJsonObject{{"contents",
                                          v.commentsOff ? QJsonArray{} : QJsonArray{continuationItem(top)}}}}}}}}}}}}}};
    QJsonObject data{{"responseContext", QJsonObject{{"visitorData", "CgtGaXh0dXJlVmlzaXQ"}}},
                     {"currentVideoEndpoint", QJsonObject{{"watchEndpoint", QJsonObject{{"videoId", v.id}}}}},
                     {"engagementPanels", QJsonArray{panel}}};
    if (v.shorts) {
        data["overlay"] = QJsonObject{
            {"reelPlayerOverlayRenderer",
             QJsonObject{{"reelPlayerHeaderSupportedRenderers",
                          QJsonObject{{"reelPlayerHeaderRenderer", QJsonObject{{"reelTitleText", runsText(v.title)}}}}},
                         {"secondary", secondary}}}};
    } else {
        data["contents"] = QJsonObject{
            {"twoColumnWatchNextResults",
             QJsonObject{{"results", QJsonObject{{"results", QJsonObject{{"contents", sections}}}}}}}};
    }
    return data;
}

QJsonObject YouTubeFixture::continuation(const QString &tok, bool *ok) const
{
    *ok = false;
    if (!tok.startsWith(QLatin1String("Eg0SC")))
        return {};
    const QJsonObject state =
        QJsonDocument::fromJson(QByteArray::fromBase64(tok.mid(5).toLatin1(), QByteArray::Base64UrlEncoding)).object();
    const YtVideo *v = nullptr;
    for (const YtVideo &x : m_videos)
        if (x.id == state.value("v").toString())
            v = &x;
    if (!v)
        return {};
    const int offset = state.value("o").toInt();
    QJsonArray mutations, items;
    QJsonArray endpoints;
    if (state.value("k") == QLatin1String("c")) {
        const bool newest = state.value("s") == QLatin1String("new");
        // Pages are cut from the list as it was, deleted comments included, so that a deletion
        // does not shift the next page (the site's tokens are cursors, not offsets).
        const QList<YtComment> threads = ordered(*v, newest, true);
        for (int i = offset; i < std::min<int>(offset + m_pageSize, int(threads.size())); ++i)
            if (!isDeleted(v->id, threads.at(i).id))
                items.append(threadJson(threads.at(i), *v, mutations));
        if (offset + m_pageSize < threads.size())
            items.append(continuationItem(token(QJsonObject{{"k", "c"},
                                                            {"v", v->id},
                                                            {"s", state.value("s")},
                                                            {"o", offset + m_pageSize},
                                                            {"r", state.value("r").toInt()}})));
        else if (v->loops && state.value("r").toInt() < 1000)
            items.append(continuationItem(token(QJsonObject{
                {"k", "c"}, {"v", v->id}, {"s", state.value("s")}, {"o", 0}, {"r", state.value("r").toInt() + 1}})));
        if (offset == 0) {
            const QString count = QStringLiteral("%L1").arg(visibleCount(*v));
            const QString top = token(QJsonObject{{"k", "c"}, {"v", v->id}, {"s", "top"}, {"o", 0}});
            const QString nw = token(QJsonObject{{"k", "c"}, {"v", v->id}, {"s", "new"}, {"o", 0}});
            QJsonObject headerFields{{"countText",
                                      QJsonObject{{"runs",
                                                   QJsonArray{QJsonObject{{"text", count}},
                                                              QJsonObject{{"text", " Comments"}}}}}},
                                     {"commentsCount", runsText(count)}};
            if (!v->noSort)
                headerFields["sortMenu"] = QJsonObject{
                    {"sortFilterSubMenuRenderer",
                     QJsonObject{
                         {"subMenuItems",
                          QJsonArray{QJsonObject{{"title", "Top comments"},
                                                 {"selected", !newest},
                                                 {"serviceEndpoint",
                                                  QJsonObject{{"continuationCommand", QJsonObject{{"token", top}}}}}},
                                     QJsonObject{{"title", "Newest first"},
                                                 {"selected", newest},
                                                 {"serviceEndpoint",
                                                  QJsonObject{
                                                      {"continuationCommand", QJsonObject{{"token", nw}}}}}}}}}}};
            QJsonObject header{{"commentsHeaderRenderer", headerFields}};
            endpoints.append(QJsonObject{{"reloadContinuationItemsCommand",
                                          QJsonObject{{"targetId", "comments-section"},
                                                      {"continuationItems", QJsonArray{header}},
                                                      {"slot", "RELOAD_CONTINUATION_SLOT_HEADER"}}}});
            endpoints.append(QJsonObject{{"reloadContinuationItemsCommand",
                                          QJsonObject{{"targetId", "comments-section"},
                                                      {"continuationItems", items},
                                                      {"slot", "RELOAD_CONTINUATION_SLOT_BODY"}}}});
        } else {
            endpoints.append(
                QJsonObject{{"appendContinuationItemsAction",
                             QJsonObject{{"targetId", "comments-section"}, {"continuationItems", items}}}});
        }
    } else if (state.value("k") == QLatin1String("r")) {
        const QString thread = state.value("t").toString();
        const QList<YtComment> replies = repliesOf(*v, thread, true);
        for (int i = offset; i < std::min<int>(offset + m_replyPageSize, int(replies.size())); ++i)
            if (!isDeleted(v->id, replies.at(i).id)) {
                const QJsonObject vm = viewModelJson(replies.at(i), *v, mutations);
                items.append(v->subThreads
                                 ? QJsonObject{{"commentThreadRenderer",
                                                QJsonObject{{"commentViewModel", QJsonObject{{"commentViewModel", vm}}},
                                                            {"renderingPriority", "RENDERING_PRIORITY_UNKNOWN"}}}}
                                 : QJsonObject{{"commentViewModel", vm}});
            }
        if (offset + m_replyPageSize < replies.size())
            items.append(continuationItem(token(QJsonObject{{"k", "r"},
                                                            {"v", v->id},
                                                            {"t", thread},
                                                            {"o", offset + m_replyPageSize},
                                                            {"r", state.value("r").toInt()}}),
                                          QStringLiteral("Show more replies")));
        else if (v->loops && state.value("r").toInt() < 1000)
            items.append(continuationItem(token(QJsonObject{{"k", "r"},
                                                            {"v", v->id},
                                                            {"t", thread},
                                                            {"o", 0},
                                                            {"r", state.value("r").toInt() + 1}}),
                                          QStringLiteral("Show more replies")));
        endpoints.append(QJsonObject{{"appendContinuationItemsAction",
                                      QJsonObject{{"targetId", QStringLiteral("comment-replies-item-") + thread},
                                                  {"continuationItems", items}}}});
    } else {
        return {};
    }
    *ok = true;
    return QJsonObject{{"responseContext", QJsonObject{{"visitorData", "CgtGaXh0dXJlVmlzaXQ"}}},
                       {"onResponseReceivedEndpoints", endpoints},
                       {"frameworkUpdates", QJsonObject{{"entityBatchUpdate", QJsonObject{{"mutations", mutations}}}}}};
}

QByteArray YouTubeFixture::page(const YtVideo &v) const
{
    const bool loggedIn = m_viewer != Viewer::SignedOut;
    QJsonObject cfg{{"INNERTUBE_API_KEY", "AIzaSyFixtureKey0000000000000000000"},
                    {"INNERTUBE_CLIENT_VERSION", "2.20261201.00.00"},
                    {"INNERTUBE_CONTEXT_CLIENT_NAME", 1},
                    {"INNERTUBE_CONTEXT",
                     QJsonObject{{"client",
                                  QJsonObject{{"clientName", "WEB"},
                                              {"clientVersion", "2.20261201.00.00"},
                                              {"hl", "ko"},
                                              {"gl", "KR"},
                                              {"visitorData", "CgtGaXh0dXJlVmlzaXQ"}}}}},
                    {"LOGGED_IN", loggedIn},
                    {"SESSION_INDEX", "0"},
                    {"VISITOR_DATA", "CgtGaXh0dXJlVmlzaXQ"},
                    {"DATASYNC_ID", loggedIn ? "fixtureuser||" : ""},
                    {"USER_SESSION_ID", loggedIn ? QString::fromLatin1(kUserSessionId) : QString()},
                    {"VIEWER_IS_OWNER_FOR_FIXTURE",
                     m_viewer == Viewer::Owner || m_viewer == Viewer::StaleSession || m_viewer == Viewer::Challenged}};
    const QString title = htmlEscape(v.title);
    QString ownerArea = m_viewer == Viewer::Owner || m_viewer == Viewer::StaleSession || m_viewer == Viewer::Challenged
        ? QStringLiteral(
              "<ytd-button-renderer id=\"edit-button\"><a class=\"yt-spec-button-shape-next\" href=\"https://studio.youtube.com/video/%1/edit\">Edit video</a></ytd-button-renderer>")
              .arg(v.id)
        : QStringLiteral(
            "<div id=\"subscribe-button\"><ytd-subscribe-button-renderer><button>Subscribe</button></ytd-subscribe-button-renderer></div>");
    const QString commentsSection = QStringLiteral(
        "<ytd-item-section-renderer id=\"sections\" class=\"style-scope ytd-comments\" section-identifier=\"comment-item-section\">"
        "<div id=\"header\"><ytd-comments-header-renderer class=\"style-scope ytd-item-section-renderer\">"
        "<div id=\"title\"><h2 id=\"count\"><yt-formatted-string class=\"count-text\"></yt-formatted-string></h2>"
        "<div id=\"sort-menu\"><yt-sort-filter-sub-menu-renderer><yt-dropdown-menu>"
        "<tp-yt-paper-menu-button><tp-yt-paper-button id=\"label\" aria-label=\"Sort comments\">Sort by</tp-yt-paper-button>"
        "<tp-yt-iron-dropdown class=\"sort-dropdown\" aria-hidden=\"true\" style=\"display:none\"><tp-yt-paper-listbox id=\"menu\">"
        "<a class=\"yt-simple-endpoint style-scope yt-dropdown-menu iron-selected\" tabindex=\"0\"><tp-yt-paper-item><div class=\"item\">Top comments</div></tp-yt-paper-item></a>"
        "<a class=\"yt-simple-endpoint style-scope yt-dropdown-menu\" tabindex=\"0\"><tp-yt-paper-item><div class=\"item\">Newest first</div></tp-yt-paper-item></a>"
        "</tp-yt-paper-listbox></tp-yt-iron-dropdown></tp-yt-paper-menu-button></yt-dropdown-menu></yt-sort-filter-sub-menu-renderer></div></div>"
        "</ytd-comments-header-renderer></div><div id=\"contents\" class=\"style-scope ytd-item-section-renderer\"></div></ytd-item-section-renderer>");
    QString body;
    if (v.shorts) {
        body =
            QStringLiteral(
                "<ytd-app><div id=\"content\"><ytd-page-manager id=\"page-manager\"><ytd-shorts>"
                "<div id=\"shorts-container\"><div id=\"shorts-inner-container\">"
                "<ytd-reel-video-renderer class=\"reel-video-in-sequence\" is-active><div id=\"player-container\" style=\"height:600px;width:340px;background:#000\"></div>"
                "<div id=\"overlay\"><h2 class=\"title\">%1</h2>%2</div>"
                "<div id=\"actions\"><div id=\"comments-button\"><ytd-button-renderer><button aria-label=\"Comments\">Comments</button></ytd-button-renderer></div></div>"
                "</ytd-reel-video-renderer></div></div>"
                "<div id=\"shorts-panel-container\"><ytd-engagement-panel-section-list-renderer target-id=\"engagement-panel-comments-section\" "
                "visibility=\"ENGAGEMENT_PANEL_VISIBILITY_HIDDEN\" style=\"display:none\">"
                "<div id=\"header\"><ytd-engagement-panel-title-header-renderer><h2 id=\"title-text\">Comments</h2><span id=\"contextual-info\"></span></ytd-engagement-panel-title-header-renderer></div>"
                "<div id=\"content\"><ytd-section-list-renderer><div id=\"contents\"><ytd-comments>%3</ytd-comments></div></ytd-section-list-renderer></div>"
                "</ytd-engagement-panel-section-list-renderer></div>"
                "</ytd-shorts></ytd-page-manager></div><ytd-popup-container></ytd-popup-container></ytd-app>")
                .arg(title, ownerArea, commentsSection);
    } else {
        body =
            QStringLiteral(
                "<ytd-app><div id=\"content\"><ytd-page-manager id=\"page-manager\"><ytd-watch-flexy video-id=\"%4\">"
                "<div id=\"columns\"><div id=\"primary\"><div id=\"player\" style=\"height:1000px;background:#000\"></div>"
                "<ytd-watch-metadata><div id=\"title\"><h1><yt-formatted-string>%1</yt-formatted-string></h1></div>"
                "<div id=\"owner\"><ytd-video-owner-renderer><a href=\"/@channelowner\">Sora's Kitchen</a></ytd-video-owner-renderer>%2</div></ytd-watch-metadata>"
                "<div id=\"below\"><ytd-comments id=\"comments\" class=\"style-scope ytd-watch-flexy\"%5>%3</ytd-comments></div>"
                "</div><div id=\"secondary\">%6</div></div></ytd-watch-flexy></ytd-page-manager></div>"
                "<ytd-popup-container></ytd-popup-container></ytd-app>")
                .arg(
                    title, ownerArea,
                    v.commentsOff ? QString()
                        : v.sidePanel
                        ? QStringLiteral(
                            "<ytd-item-section-renderer id=\"sections\" class=\"style-scope ytd-comments\"><div id=\"contents\"></div></ytd-item-section-renderer>")
                        : commentsSection,
                    v.id, v.sidePanel ? QStringLiteral(" hidden") : QString(),
                    v.sidePanel && !v.commentsOff
                        ? QStringLiteral(
                              "<ytd-engagement-panel-section-list-renderer target-id=\"engagement-panel-comments-section\" "
                              "visibility=\"ENGAGEMENT_PANEL_VISIBILITY_EXPANDED\">"
                              "<div id=\"content\"><ytd-section-list-renderer><div id=\"contents\"><ytd-comments>%1</ytd-comments></div>"
                              "</ytd-section-list-renderer></div></ytd-engagement-panel-section-list-renderer>")
                              .arg(commentsSection)
                        : QString());
    }
    const QString html =
        QStringLiteral(
            "<!DOCTYPE html><html lang=\"ko-KR\"><head><meta charset=\"utf-8\"><title>%1 - YouTube</title>"
            "<link rel=\"canonical\" href=\"https://www.youtube.com/%6\">"
            "<meta property=\"og:image\" content=\"https://i.ytimg.com/vi/%7/hqdefault.jpg\">"
            "<style>body{margin:0;font:14px Roboto,Arial,sans-serif} ytd-comment-thread-renderer,ytd-comment-view-model{display:block;margin:8px 0}"
            " ytd-comment-view-model #body{display:flex} #action-menu{margin-left:auto} ytd-continuation-item-renderer{display:block;height:40px}"
            " tp-yt-iron-dropdown.popup{position:fixed;background:#fff;border:1px solid #ccc;z-index:2202} tp-yt-paper-dialog{position:fixed;top:30%;left:30%;background:#fff;border:1px solid #999;z-index:2203;padding:16px}"
            " ytd-engagement-panel-section-list-renderer{display:block;position:fixed;right:0;top:0;bottom:0;width:420px;overflow-y:auto;background:#fff}"
            "</style>"
            "<script nonce=\"fx\">var ytcfg={d:{},set:function(k,v){if(typeof k==='object'){Object.assign(this.d,k)}else{this.d[k]=v}},get:function(k){return this.d[k]}};window.ytcfg=ytcfg;</script>"
            "<script nonce=\"fx\">ytcfg.set(%2);</script>"
            "</head><body>%3"
            "<script nonce=\"fx\">var ytInitialData = %4;</script>"
            "<script nonce=\"fx\">%5</script>"
            "</body></html>")
            .arg(title, scriptJson(cfg), body, scriptJson(watchData(v)), m_appJs,
                 v.shorts ? QStringLiteral("shorts/") + v.id : QStringLiteral("watch?v=") + v.id, v.id);
    return html.toUtf8();
}

void YouTubeFixture::install(FixtureSite &site)
{
    QPointer<YouTubeFixture> self(this);
    const auto later = [self](const HttpResponder &r, const HttpReply &reply) {
        if (self && self->m_delayMs > 0)
            r.replyAfter(self->m_delayMs, reply);
        else
            r.reply(reply);
    };
    const auto pageFor = [self](const HttpRequest &req, const QString &id, bool shorts, const HttpResponder &r) {
        if (!self)
            return r.closeConnection();
        YtVideo *v = self->video(id);
        if (v && v->unreachable)
            return r.closeConnection();
        // The site serves a Short under /watch as well; a video is no Short.
        if (!v || (shorts && !v->shorts))
            return r.reply(
                HttpReply::html("<html><body><h1>This video isn't available anymore</h1></body></html>", 404));
        // Following the session, a browser without the account's cookie (never signed in, or
        // signed out) sees the page signed out and gets no cookies handed back.
        const bool session = !self->m_followSession || !FixtureSite::cookie(req, "SID").isEmpty();
        const Viewer viewer = self->m_viewer;
        if (!session)
            self->m_viewer = Viewer::SignedOut;
        HttpReply reply = HttpReply::html(self->page(*v));
        self->m_viewer = viewer;
        if (session && viewer != Viewer::SignedOut)
            reply.withHeader("Set-Cookie", "SAPISID=" + kSapisid + "; Path=/; Secure")
                .withHeader("Set-Cookie", "LOGIN_INFO=AFmmF2swRQ; Path=/; Secure; HttpOnly");
        r.reply(reply);
    };
    const QString host = QStringLiteral("www.youtube.com");
    site.route(host, "GET", QStringLiteral("/watch"), [pageFor](const HttpRequest &req, const HttpResponder &r) {
        pageFor(req, req.query.queryItemValue(QStringLiteral("v")), false, r);
    });
    site.routePrefix(host, "GET", QStringLiteral("/shorts/"),
                     [pageFor](const HttpRequest &req, const HttpResponder &r) {
        pageFor(req, req.path.mid(8), true, r);
    });
    site.route(host, "POST", QStringLiteral("/youtubei/v1/next"),
               [self, later](const HttpRequest &req, const HttpResponder &r) {
        if (!self)
            return r.closeConnection();
        if (req.header("x-fixture-app").isEmpty())
            ++self->m_nextRequests;
        const QJsonObject body = req.json().toObject();
        if (body.contains("continuation")) {
            const QString tok = body.value("continuation").toString();
            bool ok = false;
            const QJsonObject out = self->continuation(tok, &ok);
            if (ok && self->m_failure != SiteFailure::None) {
                const QJsonObject state = QJsonDocument::fromJson(QByteArray::fromBase64(tok.mid(5).toLatin1(),
                                                                                         QByteArray::Base64UrlEncoding))
                                              .object();
                const bool threads = state.value("k") == QLatin1String("c") && self->m_failFrom >= 0
                    && state.value("o").toInt() >= self->m_failFrom;
                const bool replies = state.value("k") == QLatin1String("r") && self->m_failReplies;
                if ((threads || replies) && (self->m_failTimes < 0 || self->m_failed.value(tok) < self->m_failTimes)) {
                    ++self->m_failed[tok];
                    return FixtureSite::failRequest(r, self->m_failure,
                                                    QJsonDocument(out).toJson(QJsonDocument::Compact));
                }
            }
            return later(r,
                         ok ? HttpReply::json(out)
                            : HttpReply::json(QJsonObject{{"error",
                                                           QJsonObject{{"code", 400}, {"status", "INVALID_ARGUMENT"}}}},
                                              400));
        }
        YtVideo *v = self->video(body.value("videoId").toString());
        if (v && v->dataRefused)
            return later(r,
                         HttpReply::json(QJsonObject{{"error",
                                                      QJsonObject{{"code", 403}, {"status", "PERMISSION_DENIED"}}}},
                                         403));
        if (!v)
            return later(r,
                         HttpReply::json(QJsonObject{{"error", QJsonObject{{"code", 404}, {"status", "NOT_FOUND"}}}},
                                         404));
        later(r, HttpReply::json(self->watchData(*v, signedInRequest(req))));
    });
    site.route(host, "POST", QStringLiteral("/youtubei/v1/comment/perform_comment_action"),
               [self](const HttpRequest &req, const HttpResponder &r) {
        if (!self)
            return r.closeConnection();
        ++self->m_actionRequests;
        if (self->m_holdAfter >= 0 && self->m_answeredActions >= self->m_holdAfter) {
            self->m_held.append({req, r});
            return;
        }
        ++self->m_answeredActions;
        self->answerAction(req, r);
    });
}

void YouTubeFixture::releaseHeld()
{
    m_holdAfter = -1;
    const QList<std::pair<HttpRequest, HttpResponder>> held = std::exchange(m_held, {});
    for (const auto &[req, r] : held)
        answerAction(req, r);
}

void YouTubeFixture::answerAction(const HttpRequest &req, const HttpResponder &r)
{
    const auto reply = [this, &r](const HttpReply &answer) {
        if (m_delayMs > 0)
            r.replyAfter(m_delayMs, answer);
        else
            r.reply(answer);
    };
    const bool signedOut = m_followSession && FixtureSite::cookie(req, "SID").isEmpty();
    if (signedOut || m_viewer == Viewer::SignedOut || m_viewer == Viewer::StaleSession)
        return reply(
            HttpReply::json(QJsonObject{{"error",
                                         QJsonObject{{"code", 401},
                                                     {"status", "UNAUTHENTICATED"},
                                                     {"message", "Request had invalid authentication credentials."}}}},
                            401));
    if (m_viewer == Viewer::Challenged)
        return reply(
            HttpReply::json(QJsonObject{{"error", QJsonObject{{"code", 429}, {"status", "RESOURCE_EXHAUSTED"}}}}, 429));
    const QJsonObject body = req.json().toObject();
    const QJsonObject action = QJsonDocument::fromJson(
                                   QByteArray::fromBase64(body.value("actions").toArray().at(0).toString().toLatin1()))
                                   .object();
    const QString id = action.value("c").toString();
    // The action names its video: the same comment id on another video is not this one.
    YtVideo *target = nullptr;
    if (YtVideo *v = video(action.value("v").toString()))
        for (const YtComment &c : v->comments)
            if (c.id == id)
                target = v;
    if (!target)
        return reply(
            HttpReply::json(QJsonObject{{"actionResults", QJsonArray{QJsonObject{{"status", "STATUS_FAILED"}}}}}));
    const bool ownComment = action.value("a") == QLatin1String("delete");
    if (m_viewer != Viewer::Owner && !ownComment)
        return reply(
            HttpReply::json(QJsonObject{{"actionResults", QJsonArray{QJsonObject{{"status", "STATUS_FAILED"}}}}}, 403));
    m_deleted[target->id].insert(id);
    reply(HttpReply::json(
        QJsonObject{{"actionResults",
                     QJsonArray{QJsonObject{{"status", "STATUS_SUCCEEDED"}, {"feedback", "FEEDBACK_REMOVE"}}}},
                    {"actions", QJsonArray{QJsonObject{{"removeCommentAction", QJsonObject{{"commentId", id}}}}}}}));
}

}   // namespace vt::test
