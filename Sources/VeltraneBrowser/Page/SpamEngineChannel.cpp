// The channel operations of SpamEngine: the owner's profile and latest posts, read by the
// channel script in its own world "vt-channel" through the same call helper as the comment
// scripts.
#include "Page/SpamEngine.h"

#include "Sites/AuthPolicy.h"
#include "Browser/Browser.h"
#include "Browser/BrowserError.h"
#include "Base/Lang.h"
#include "Page/PageCall.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringDecoder>
#include <QWebEnginePage>

namespace {

QString &channelScriptFile()
{
    static QString path;
    return path;
}

// Posts answers are small; a page that answers more is not what the script should send.
constexpr qsizetype kChannelAnswerChars = 4 * 1024 * 1024;

const QString kWorld = QStringLiteral("vt-channel");

QJsonObject channelArguments(const QString &step, const QString &site, qint64 limit)
{
    return QJsonObject{{QStringLiteral("site"), site},
                       {QStringLiteral("step"), step},
                       {QStringLiteral("limit"), limit}};
}

}   // namespace

QString SpamEngine::channelMessage()
{
    return tr("Couldn't open your channel page.");
}

void SpamEngine::setChannelScriptFile(const QString &path)
{
    channelScriptFile() = path;
}

QCoro::Task<QJsonValue> SpamEngine::channel(QString step, QString site, qint64 limit)
{
    QPointer<Browser> browser = m_browser;
    BrowserTab *tab = browser ? browser->currentTab() : nullptr;
    QPointer<QWebEnginePage> page = tab ? tab->page() : nullptr;
    if (!browser || !page)
        throw BrowserError(channelMessage());
    const QUuid pageID = browser->pageID();
    const QUrl url = page->url();
    if (browser->isLoading() || url.isEmpty() || AuthPolicy::isAuthentication(url))
        throw BrowserError(channelMessage());
    const std::optional<QString> adapterName = adapter(url.host(QUrl::FullyEncoded));
    if (!adapterName || *adapterName != site)
        throw BrowserError(channelMessage());

    const QString path = channelScriptFile().isEmpty() ? QStringLiteral(":/Resources/channel.js") : channelScriptFile();
    QFile file(path);
    if (!file.exists())
        throw BrowserError(channelMessage());
    if (!file.open(QIODevice::ReadOnly))
        throw BrowserError(file.errorString());
    QStringDecoder decoder(QStringDecoder::Utf8);
    // The page-data helpers come first: the script reads inline page objects through them.
    const QString source = SpamEngine::file(QStringLiteral("pagedata")) + QStringLiteral("\n;\n")
        + decoder(file.readAll());
    if (decoder.hasError())
        throw BrowserError(path + QStringLiteral(": not UTF-8 text"));

    const PageCall::Answer answer = co_await runOnPage(page, pageID, kWorld, source,
                                                       channelArguments(step, site, limit), channelTimeoutMs,
                                                       kChannelAnswerChars, &localizedSiteMessage);
    if (answer.type == QLatin1String("string"))
        co_return QJsonValue(answer.text.value_or(QString()));
    if (!answer.text)
        co_return QJsonValue(QJsonValue::Undefined);
    // Any other value crossed as its JSON text; wrapped so that scalars parse too.
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray("[") + answer.text->toUtf8() + QByteArray("]"));
    if (!doc.isArray() || doc.array().size() != 1)
        co_return QJsonValue(QJsonValue::Undefined);
    co_return doc.array().first();
}

QCoro::Task<std::optional<QString>> SpamEngine::myProfile()
{
    const QJsonValue answer = co_await channel(QStringLiteral("profile"), QStringLiteral("instagram"), 0);
    if (answer.isString())
        co_return answer.toString();
    co_return std::nullopt;
}

QCoro::Task<QList<FoundPost>> SpamEngine::myPosts(QString site, qint64 limit)
{
    const QJsonValue answer = co_await channel(QStringLiteral("posts"), site, limit);
    co_return foundPosts(answer);
}

QList<FoundPost> SpamEngine::foundPosts(const QJsonValue &answer)
{
    QList<FoundPost> out;
    if (!answer.isArray())
        return out;
    const QJsonArray list = answer.toArray();
    // Only an array of objects counts; anything else in it makes the whole answer empty.
    for (const QJsonValue &v : list)
        if (!v.isObject())
            return out;
    for (const QJsonValue &v : list) {
        const QJsonObject o = v.toObject();
        if (!o.value(QStringLiteral("url")).isString())
            continue;
        FoundPost post;
        post.url = o.value(QStringLiteral("url")).toString();
        const QJsonValue title = o.value(QStringLiteral("title"));
        post.title = title.isString() ? title.toString() : QString();
        const QJsonValue thumb = o.value(QStringLiteral("thumb"));
        if (thumb.isString())
            post.thumb = thumb.toString();
        out << post;
    }
    return out;
}

void SpamEngine::stopReadingPosts()
{
    QPointer<SpamEngine> self(this);
    QMetaObject::invokeMethod(
        this,
        [self] {
        if (!self || !self->m_browser || !self->m_browser->currentTab())
            return;
        PageCall::fire(self->m_browser->currentTab()->page(), kWorld, QStringLiteral("window.__vtChannelStop = true"));
        },
        Qt::QueuedConnection);
}
