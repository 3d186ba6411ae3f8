#include "ChannelFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>

namespace vt::test {

namespace {

const QString kHost = QStringLiteral("www.youtube.com");

QJsonObject runsText(const QString &text)
{
    return QJsonObject{{"runs", QJsonArray{QJsonObject{{"text", text}}}}};
}

QString scriptJson(const QJsonObject &o)
{
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact))
        .replace(QStringLiteral("</"), QStringLiteral("<\\/"));
}

QString token(bool shorts, int offset)
{
    const QByteArray state =
        QJsonDocument(QJsonObject{{"t", shorts ? "shorts" : "videos"}, {"o", offset}}).toJson(QJsonDocument::Compact);
    return QStringLiteral("4qmFsgK")
        + QString::fromLatin1(state.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

}   // namespace

ChannelFixture::ChannelFixture(QObject *parent)
    : QObject(parent)
{
}

QList<YtUpload> ChannelFixture::make(const QString &prefix, int n)
{
    QList<YtUpload> out;
    for (int i = 1; i <= n; ++i) {
        QString id = prefix + QStringLiteral("Up%1").arg(i, 8, 10, QLatin1Char('0'));
        out << YtUpload{id.left(11),
                        prefix == QLatin1String("s") ? QStringLiteral("쇼츠 %1 #shorts").arg(i)
                                                     : QStringLiteral("레시피 영상 %1편").arg(i)};
    }
    return out;
}

QJsonObject ChannelFixture::item(const YtUpload &u, bool shorts) const
{
    const QString thumb =
        QStringLiteral("https://i.ytimg.com/vi/%1/hqdefault.jpg?sqp=-oaymwEcCNACELwBSFXyq4qpAw4IARUAAIhCGAFwAcABBg")
            .arg(u.id);
    if (m_unknownFormat)
        return QJsonObject{
            {"richItemRenderer",
             QJsonObject{{"content",
                          QJsonObject{{"tileViewModelNext",
                                       QJsonObject{{"ref", u.id}, {"label", QJsonObject{{"text", u.title}}}}}}}}}};
    if (shorts && m_oldFormat) {
        return QJsonObject{
            {"richItemRenderer",
             QJsonObject{
                 {"content",
                  QJsonObject{
                      {"reelItemRenderer",
                       QJsonObject{{"videoId", u.id},
                                   {"headline", QJsonObject{{"simpleText", u.title}}},
                                   {"thumbnail",
                                    QJsonObject{
                                        {"thumbnails",
                                         QJsonArray{QJsonObject{
                                             {"url", QStringLiteral("https://i.ytimg.com/vi/%1/frame0.jpg").arg(u.id)},
                                             {"width", 405},
                                             {"height", 720}}}}}},
                                   {"viewCountText", QJsonObject{{"simpleText", "1.2K views"}}},
                                   {"navigationEndpoint",
                                    QJsonObject{{"reelWatchEndpoint", QJsonObject{{"videoId", u.id}}}}}}}}}}}};
    }
    if (shorts) {
        return QJsonObject{
            {"richItemRenderer",
             QJsonObject{
                 {"content",
                  QJsonObject{
                      {"shortsLockupViewModel",
                       QJsonObject{
                           {"entityId", QStringLiteral("shorts-shelf-item-") + u.id},
                           {"accessibilityText", u.title + QStringLiteral(", 1.2K views - play Short")},
                           {"thumbnailViewModel",
                            QJsonObject{
                                {"thumbnailViewModel",
                                 QJsonObject{
                                     {"image",
                                      QJsonObject{
                                          {"sources",
                                           QJsonArray{QJsonObject{
                                               {"url", QStringLiteral("https://i.ytimg.com/vi/%1/oar2.jpg").arg(u.id)},
                                               {"width", 405},
                                               {"height", 720}}}}}}}}}},
                           {"onTap",
                            QJsonObject{
                                {"innertubeCommand",
                                 QJsonObject{{"commandMetadata",
                                              QJsonObject{{"webCommandMetadata",
                                                           QJsonObject{{"url", QStringLiteral("/shorts/") + u.id},
                                                                       {"webPageType", "WEB_PAGE_TYPE_SHORTS"}}}}},
                                             {"reelWatchEndpoint",
                                              QJsonObject{{"videoId", u.id}, {"playerParams", "8AEBoAMEyAMkuAQF"}}}}}}},
                           {"overlayMetadata",
                            QJsonObject{{"primaryText", QJsonObject{{"content", u.title}}},
                                        {"secondaryText", QJsonObject{{"content", "1.2K views"}}}}}}}}}}}};
    }
    if (m_oldFormat) {
        return QJsonObject{
            {"richItemRenderer",
             QJsonObject{
                 {"content",
                  QJsonObject{
                      {"videoRenderer",
                       QJsonObject{{"videoId", u.id},
                                   {"title", runsText(u.title)},
                                   {"thumbnail",
                                    QJsonObject{{"thumbnails",
                                                 QJsonArray{QJsonObject{{"url",
                                                                         QStringLiteral(
                                                                             "https://i.ytimg.com/vi/%1/hqdefault.jpg")
                                                                             .arg(u.id)},
                                                                        {"width", 480},
                                                                        {"height", 270}}}}}},
                                   {"publishedTimeText", QJsonObject{{"simpleText", "3 days ago"}}},
                                   {"navigationEndpoint",
                                    QJsonObject{{"watchEndpoint", QJsonObject{{"videoId", u.id}}}}}}}}}}}};
    }
    return QJsonObject{
        {"richItemRenderer",
         QJsonObject{
             {"content",
              QJsonObject{
                  {"lockupViewModel",
                   QJsonObject{{"contentId", u.id},
                               {"contentType", "LOCKUP_CONTENT_TYPE_VIDEO"},
                               {"contentImage",
                                QJsonObject{{"thumbnailViewModel",
                                             QJsonObject{{"image",
                                                          QJsonObject{{"sources",
                                                                       QJsonArray{QJsonObject{{"url", thumb},
                                                                                              {"width", 336},
                                                                                              {"height", 188}}}}}}}}}},
                               {"metadata",
                                QJsonObject{
                                    {"lockupMetadataViewModel",
                                     QJsonObject{{"title", QJsonObject{{"content", u.title}}},
                                                 {"metadata",
                                                  QJsonObject{{"contentMetadataViewModel",
                                                               QJsonObject{{"metadataRows", QJsonArray{}}}}}}}}}},
                               {"rendererContext",
                                QJsonObject{{"commandContext",
                                             QJsonObject{{"onTap",
                                                          QJsonObject{{"innertubeCommand",
                                                                       QJsonObject{{"watchEndpoint",
                                                                                    QJsonObject{{"videoId",
                                                                                                 u.id}}}}}}}}}}}}}}}}}};
}

QJsonObject ChannelFixture::continuation(bool shorts, int offset) const
{
    const QJsonObject command{
        {"continuationCommand",
         QJsonObject{{"token", token(shorts, offset)}, {"request", "CONTINUATION_REQUEST_TYPE_BROWSE"}}}};
    if (shorts)
        return QJsonObject{{"continuationItemViewModel",
                            QJsonObject{{"trigger", "CONTINUATION_TRIGGER_ON_ITEM_SHOWN"},
                                        {"continuationCommand", QJsonObject{{"innertubeCommand", command}}}}}};
    return QJsonObject{
        {"continuationItemRenderer",
         QJsonObject{{"trigger", "CONTINUATION_TRIGGER_ON_ITEM_SHOWN"}, {"continuationEndpoint", command}}}};
}

QJsonArray ChannelFixture::batch(bool shorts, int offset) const
{
    const QList<YtUpload> &list = shorts ? m_shorts : m_videos;
    QJsonArray out;
    for (int i = offset; i < std::min<int>(offset + m_batch, int(list.size())); ++i)
        out.append(item(list.at(i), shorts));
    if (offset + m_batch < list.size())
        out.append(continuation(shorts, offset + m_batch));
    return out;
}

bool ChannelFixture::signedIn(const HttpRequest &request) const
{
    return m_followSession ? !FixtureSite::cookie(request, "SID").isEmpty() : m_signedIn;
}

QByteArray ChannelFixture::channelPage(const QString &base, const QString &tab, bool signedIn) const
{
    const bool shorts = tab == QLatin1String("shorts");
    QJsonArray tabs;
    for (const QString &name : {QStringLiteral("featured"), QStringLiteral("videos"), QStringLiteral("shorts")}) {
        QJsonObject
            t{{"endpoint",
               QJsonObject{{"commandMetadata",
                            QJsonObject{{"webCommandMetadata", QJsonObject{{"url", base + QLatin1Char('/') + name}}}}},
                           {"browseEndpoint", QJsonObject{{"browseId", channelId}, {"canonicalBaseUrl", base}}}}},
              {"title",
               name == QLatin1String("featured")     ? "Home"
                   : name == QLatin1String("videos") ? "Videos"
                                                     : "Shorts"},
              {"selected", name == tab}};
        if (name == tab) {
            if (name == QLatin1String("featured"))
                t["content"] = QJsonObject{{"sectionListRenderer", QJsonObject{{"contents", QJsonArray{}}}}};
            else
                t["content"] = QJsonObject{{"richGridRenderer", QJsonObject{{"contents", batch(shorts, 0)}}}};
        }
        tabs.append(QJsonObject{{"tabRenderer", t}});
    }
    const QJsonObject data{{"responseContext", QJsonObject{{"visitorData", "CgtGaXh0dXJlVmlzaXQ"}}},
                           {"contents", QJsonObject{{"twoColumnBrowseResultsRenderer", QJsonObject{{"tabs", tabs}}}}},
                           {"header",
                            QJsonObject{{"pageHeaderRenderer", QJsonObject{{"pageTitle", "Sora's Kitchen"}}}}},
                           {"metadata",
                            QJsonObject{
                                {"channelMetadataRenderer",
                                 QJsonObject{{"title", "Sora's Kitchen"},
                                             {"externalId", channelId},
                                             {"vanityChannelUrl", QStringLiteral("http://www.youtube.com/") + handle},
                                             {"ownerUrls",
                                              QJsonArray{QStringLiteral("http://www.youtube.com/") + handle}}}}}}};
    const QJsonObject cfg{{"INNERTUBE_API_KEY", "AIzaSyFixtureKey0000000000000000000"},
                          {"INNERTUBE_CLIENT_VERSION", "2.20261201.00.00"},
                          {"INNERTUBE_CONTEXT_CLIENT_NAME", 1},
                          {"INNERTUBE_CONTEXT",
                           QJsonObject{{"client",
                                        QJsonObject{{"clientName", "WEB"},
                                                    {"clientVersion", "2.20261201.00.00"},
                                                    {"hl", "ko"},
                                                    {"gl", "KR"}}}}},
                          {"LOGGED_IN", signedIn},
                          {"VISITOR_DATA", "CgtGaXh0dXJlVmlzaXQ"}};
    QString grid;
    const QList<YtUpload> &list = shorts ? m_shorts : m_videos;
    if (tab != QLatin1String("featured"))
        for (int i = 0; i < std::min<int>(m_batch, int(list.size())); ++i) {
            const YtUpload &u = list.at(i);
            if (m_unknownFormat) {
                grid +=
                    QStringLiteral(
                        "<ytd-rich-item-renderer><yt-tile-view-model-next data-ref=\"%1\"><span>%2</span></yt-tile-view-model-next></ytd-rich-item-renderer>")
                        .arg(u.id, u.title.toHtmlEscaped());
                continue;
            }
            grid += shorts
                ? QStringLiteral(
                      "<ytd-rich-item-renderer><ytm-shorts-lockup-view-model-v2><a href=\"/shorts/%1\"><img src=\"https://i.ytimg.com/vi/%1/oar2.jpg\"></a>"
                      "<h3><a href=\"/shorts/%1\" title=\"%2\">%2</a></h3></ytm-shorts-lockup-view-model-v2></ytd-rich-item-renderer>")
                      .arg(u.id, u.title.toHtmlEscaped())
                : QStringLiteral(
                      "<ytd-rich-item-renderer><a id=\"thumbnail\" href=\"/watch?v=%1\"><img src=\"https://i.ytimg.com/vi/%1/hqdefault.jpg\"></a>"
                      "<a id=\"video-title-link\" href=\"/watch?v=%1\" title=\"%2\"><span id=\"video-title\">%2</span></a></ytd-rich-item-renderer>")
                      .arg(u.id, u.title.toHtmlEscaped());
        }
    const QString html =
        QStringLiteral(
            "<!DOCTYPE html><html lang=\"ko-KR\"><head><meta charset=\"utf-8\"><title>Sora's Kitchen - YouTube</title>"
            "<link rel=\"canonical\" href=\"https://www.youtube.com/channel/%1\">"
            "<style>ytd-rich-item-renderer{display:inline-block;width:300px;height:260px;vertical-align:top}</style>"
            "<script nonce=\"fx\">var ytcfg={d:{},set:function(k,v){if(typeof k==='object'){Object.assign(this.d,k)}else{this.d[k]=v}},get:function(k){return this.d[k]}};window.ytcfg=ytcfg;</script>"
            "<script nonce=\"fx\">ytcfg.set(%2);</script></head><body><ytd-app><div id=\"content\"><ytd-page-manager id=\"page-manager\">"
            "<ytd-browse page-subtype=\"channels\"><ytd-two-column-browse-results-renderer><div id=\"primary\">"
            "<ytd-rich-grid-renderer><div id=\"contents\">%3</div></ytd-rich-grid-renderer></div></ytd-two-column-browse-results-renderer></ytd-browse>"
            "</ytd-page-manager></div></ytd-app><script nonce=\"fx\">%5 = %4;</script></body></html>")
            .arg(QString::fromLatin1(channelId), scriptJson(cfg), grid,
                 m_inlineData ? scriptJson(data) : QStringLiteral("null"),
                 m_bracketData ? QStringLiteral("window[\"ytInitialData\"]") : QStringLiteral("var ytInitialData"));
    return html.toUtf8();
}

void ChannelFixture::install(FixtureSite &site)
{
    QPointer<ChannelFixture> self(this);
    site.route(kHost, "GET", QStringLiteral("/profile"), [self](const HttpRequest &q, const HttpResponder &r) {
        if (!self)
            return r.closeConnection();
        if (!self->signedIn(q))
            return r.reply(FixtureSite::redirect(QStringLiteral(
                "https://accounts.google.com/ServiceLogin?service=youtube&continue=https%3A%2F%2Fwww.youtube.com%2Fprofile")));
        r.reply(FixtureSite::redirect(self->m_profileTarget));
    });
    const auto channel = [self](const HttpRequest &q, const HttpResponder &r) {
        if (!self)
            return r.closeConnection();
        const QStringList parts = q.path.split(u'/', Qt::SkipEmptyParts);
        QString base, tab;
        if (parts.value(0).startsWith(u'@') && parts.value(0) == QLatin1String(handle)) {
            base = QLatin1Char('/') + parts.value(0);
            tab = parts.value(1);
        } else if (parts.value(0) == QLatin1String("channel") && parts.value(1) == QLatin1String(channelId)) {
            base = QStringLiteral("/channel/") + parts.value(1);
            tab = parts.value(2);
        } else {
            return r.reply(HttpReply::html("<html><body><h1>404 Not Found</h1></body></html>", 404));
        }
        if (tab.isEmpty())
            tab = QStringLiteral("featured");
        if (tab != QLatin1String("featured") && tab != QLatin1String("videos") && tab != QLatin1String("shorts"))
            return r.reply(HttpReply::html("<html><body><h1>404 Not Found</h1></body></html>", 404));
        r.reply(HttpReply::html(self->channelPage(base, tab, self->signedIn(q))));
    };
    site.routePrefix(kHost, "GET", QStringLiteral("/@"), channel);
    site.routePrefix(kHost, "GET", QStringLiteral("/channel/"), channel);
    site.route(kHost, "POST", QStringLiteral("/youtubei/v1/browse"),
               [self](const HttpRequest &q, const HttpResponder &r) {
        if (!self)
            return r.closeConnection();
        ++self->m_browseRequests;
        const QString tok = q.json().toObject().value("continuation").toString();
        const QJsonObject state = QJsonDocument::fromJson(
                                      QByteArray::fromBase64(tok.mid(7).toLatin1(), QByteArray::Base64UrlEncoding))
                                      .object();
        if (!tok.startsWith(QLatin1String("4qmFsgK")) || state.isEmpty())
            return r.reply(
                HttpReply::json(QJsonObject{{"error", QJsonObject{{"code", 400}, {"status", "INVALID_ARGUMENT"}}}},
                                400));
        const bool shorts = state.value("t") == QLatin1String("shorts");
        const QJsonObject out{{"responseContext", QJsonObject{{"visitorData", "CgtGaXh0dXJlVmlzaXQ"}}},
                              {"onResponseReceivedActions",
                               QJsonArray{QJsonObject{
                                   {"appendContinuationItemsAction",
                                    QJsonObject{{"continuationItems", self->batch(shorts, state.value("o").toInt())},
                                                {"targetId",
                                                 QStringLiteral("browse-feed%1%2")
                                                     .arg(QLatin1String(channelId),
                                                          shorts ? "shorts" : "videos")}}}}}}};
        if (self->m_delayMs > 0)
            r.replyAfter(self->m_delayMs, HttpReply::json(out));
        else
            r.reply(HttpReply::json(out));
    });
}

}   // namespace vt::test
