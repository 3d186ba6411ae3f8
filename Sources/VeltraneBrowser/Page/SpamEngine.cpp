#include "Page/SpamEngine.h"

#include "Sites/AuthPolicy.h"
#include "Browser/Browser.h"
#include "Browser/BrowserError.h"
#include "Base/Lang.h"
#include "Wire/JsonReader.h"
#include "Page/PageCall.h"

#include <QCoro/QCoroFuture>
#include <QFile>
#include <QFuture>
#include <QPromise>
#include <QThreadPool>
#include <QHash>
#include <QStringDecoder>
#include <QWebEnginePage>

namespace {

QHash<QString, QString> &bundles()
{
    static QHash<QString, QString> cache;
    return cache;
}

QString &scriptFolder()
{
    static QString folder;
    return folder;
}

// Progress, info and flag answers are small; a scan of a very large post is not.
constexpr qsizetype kShortAnswerChars = 4 * 1024 * 1024;
constexpr qsizetype kLongAnswerChars = JsonReader::defaultMaxBytes;

// Coroutine frames and braced initializer lists do not mix well in g++ 12: arguments are built here.
// The page learns how long the call may take, so that it can end with what it has in time.
QJsonObject scanArguments(qint64 limit, bool sortNewest, bool noLikesOnly, qint64 minLikes,
                          const std::optional<Recent> &recent, int timeLimitMs)
{
    QJsonObject opts{{QStringLiteral("limit"), limit},           {QStringLiteral("timeLimitMs"), timeLimitMs},
                     {QStringLiteral("sortNewest"), sortNewest}, {QStringLiteral("noLikesOnly"), noLikesOnly},
                     {QStringLiteral("minLikes"), minLikes},     {QStringLiteral("keywords"), QJsonArray()}};
    if (recent) {
        const QJsonObject extra = recent->toJson();
        for (auto it = extra.begin(); it != extra.end(); ++it)
            opts.insert(it.key(), it.value());
    }
    return QJsonObject{{QStringLiteral("opts"), opts}};
}

struct DecodedScan {
    std::optional<ScanResult> result;
    std::exception_ptr error;
};

QFuture<DecodedScan> decodeScan(const QString &answer)
{
    auto promise = std::make_shared<QPromise<DecodedScan>>();
    QFuture<DecodedScan> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise, answer] {
        DecodedScan out;
        try {
            out.result.emplace(ScanResult::fromJsonBytes(answer.toUtf8(), kLongAnswerChars));
        } catch (...) {
            out.error = std::current_exception();
        }
        promise->addResult(std::move(out));
        promise->finish();
    });
    return future;
}

QJsonObject idsAndUrl(const QStringList &ids, const QString &url)
{
    return QJsonObject{{QStringLiteral("ids"), QJsonArray::fromStringList(ids)}, {QStringLiteral("url"), url}};
}

QJsonObject removeArguments(const QStringList &ids, const QString &url, int acknowledgeMs)
{
    QJsonObject args = idsAndUrl(ids, url);
    args.insert(QStringLiteral("opts"), QJsonObject{{QStringLiteral("ackMs"), acknowledgeMs}});
    return args;
}

QJsonObject idArgument(const QString &id)
{
    return QJsonObject{{QStringLiteral("id"), id}};
}

}   // namespace

SpamEngine::SpamEngine(Browser *browser, QObject *parent)
    : QObject(parent)
    , m_browser(browser)
{
    // Calls learn of a dead render process also when it died before they started.
    if (browser) {
        if (BrowserTab *tab = browser->currentTab())
            PageCall::watch(tab->page());
        connect(browser, &Browser::currentTabChanged, this, [](BrowserPage *page) {
            if (page)
                PageCall::watch(page);
        });
    }
}

int SpamEngine::scanTimeoutMs(qint64 limit)
{
    // A post of any size: an hour; a limited scan: ten minutes and a second per comment asked for.
    constexpr qint64 hour = 60LL * 60 * 1000;
    if (limit <= 0)
        return int(hour);
    return int(std::min<qint64>(hour, 10LL * 60 * 1000 + limit * 1000));
}

int SpamEngine::removeTimeoutMs(qsizetype count)
{
    // Each deletion waits for the menu, the confirmation and the comment to go (under 20 s each),
    // and may first have to load the list up to the comment.
    constexpr qint64 hour = 60LL * 60 * 1000;
    return int(std::min<qint64>(3 * hour, 2LL * 60 * 1000 + qint64(count) * 60 * 1000));
}

int SpamEngine::longCallTimeout(int derivedMs) const
{
    return std::max(1, int(derivedMs * longCallScale));
}

// A long call started before a stop ends when the page has not answered within the grace.
std::function<bool()> SpamEngine::stopTest() const
{
    QPointer<const SpamEngine> self(this);
    const quint64 stopsAtStart = m_stops;
    return [self, stopsAtStart] {
        return self && self->m_stops != stopsAtStart && self->m_lastStop.isValid()
            && self->m_lastStop.elapsed() >= self->stopGraceMs;
    };
}

QString SpamEngine::unsupportedMessage()
{
    return tr("This isn't a supported comment page");
}

QString SpamEngine::pageChangedMessage()
{
    return tr("The page changed. Please scan again.");
}

QString SpamEngine::unreadableMessage()
{
    return tr("Couldn't read the page's response");
}

QString SpamEngine::filesMessage()
{
    return tr("Couldn't load the scan files. Please restart the app.");
}

QString SpamEngine::stoppedMessage()
{
    return tr("The page didn't answer the stop request, so the task was ended. Please try again.");
}

QString SpamEngine::timeoutMessage()
{
    return tr("The page didn't answer in time. Please try again.");
}

std::optional<QString> SpamEngine::adapter(const QString &host)
{
    if (host == QLatin1String("youtube.com") || host == QLatin1String("www.youtube.com"))
        return QStringLiteral("youtube");
    if (host == QLatin1String("instagram.com") || host == QLatin1String("www.instagram.com"))
        return QStringLiteral("instagram");
    return std::nullopt;
}

void SpamEngine::setScriptFolder(const QString &folder)
{
    scriptFolder() = folder;
    bundles().clear();
}

QString SpamEngine::file(const QString &name)
{
    const QString path = scriptFolder().isEmpty() ? QStringLiteral(":/Resources/ext/") + name + QStringLiteral(".js")
                                                  : scriptFolder() + QLatin1Char('/') + name + QStringLiteral(".js");
    QFile f(path);
    if (!f.exists())
        throw BrowserError(filesMessage());
    if (!f.open(QIODevice::ReadOnly))
        throw BrowserError(f.errorString());
    const QByteArray bytes = f.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(bytes);
    if (decoder.hasError())
        throw BrowserError(path + QStringLiteral(": not UTF-8 text"));
    return text;
}

QString SpamEngine::bundle(const QString &adapter)
{
    auto &cache = bundles();
    const auto found = cache.constFind(adapter);
    if (found != cache.constEnd())
        return *found;
    const QStringList pieces{
        QStringLiteral("if (!window.__vtx) {"), QStringLiteral("window.__vtxSite = '") + adapter + QStringLiteral("';"),
        file(QStringLiteral("spam")),           file(QStringLiteral("time")),
        file(QStringLiteral("pagedata")),       file(adapter),
        file(QStringLiteral("bridge")),         QStringLiteral("}"),
    };
    const QString text = pieces.join(QStringLiteral("\n;\n"));
    cache.insert(adapter, text);
    return text;
}

// Runs a call on the page while it stays the page the call started on, and words its failures
// for the owner; `scriptError` words an error that the page script itself raised.
QCoro::Task<PageCall::Answer> SpamEngine::runOnPage(QPointer<QWebEnginePage> page, QUuid pageID, QString world,
                                                    QString source, QJsonObject args, int timeoutMs, qsizetype maxChars,
                                                    std::function<QString(const QString &)> scriptError,
                                                    std::function<bool()> stopped)
{
    QPointer<Browser> browser = m_browser;
    const auto samePage = [browser, page, pageID] {
        return browser && page && browser->pageID() == pageID && browser->currentTab()
            && browser->currentTab()->page() == page.data();
    };
    PageCall::Options options;
    options.timeoutMs = timeoutMs;
    options.maxChars = maxChars;
    options.stillValid = samePage;
    options.stopped = std::move(stopped);
    options.abortSender = browser.data();
    options.abortSignal = SIGNAL(currentTabChanged(BrowserPage *));

    PageCall::Answer answer;
    try {
        answer = co_await PageCall::run(page.data(), world, source, args, options);
    } catch (const PageCall::Error &e) {
        switch (e.kind) {
        case PageCall::Error::PageChanged:
            throw BrowserError(pageChangedMessage());
        case PageCall::Error::Timeout:
            throw BrowserError(samePage() ? timeoutMessage() : pageChangedMessage());
        case PageCall::Error::TooLarge:
            throw BrowserError(unreadableMessage());
        case PageCall::Error::Script:
            throw BrowserError(scriptError(e.message));
        case PageCall::Error::BadCall:
            throw BrowserError(e.message);
        case PageCall::Error::Stopped:
            throw BrowserError(stoppedMessage());
        }
        throw BrowserError(e.message);
    }
    if (!samePage())
        throw BrowserError(pageChangedMessage());
    co_return answer;
}

QCoro::Task<QByteArray> SpamEngine::call(QString expression, QJsonObject args, bool inject, int timeoutMs,
                                         qsizetype maxChars, bool stoppable)
{
    const QString text = co_await callText(std::move(expression), std::move(args), inject, timeoutMs, maxChars,
                                           stoppable);
    co_return text.toUtf8();
}

QCoro::Task<QString> SpamEngine::callText(QString expression, QJsonObject args, bool inject, int timeoutMs,
                                          qsizetype maxChars, bool stoppable)
{
    QPointer<Browser> browser = m_browser;
    BrowserTab *tab = browser ? browser->currentTab() : nullptr;
    QPointer<QWebEnginePage> page = tab ? tab->page() : nullptr;
    if (!browser || !page)
        throw BrowserError(unsupportedMessage());
    const QUuid pageID = browser->pageID();
    const QUrl url = page->url();
    if (browser->isLoading() || url.isEmpty() || AuthPolicy::isAuthentication(url))
        throw BrowserError(unsupportedMessage());
    const std::optional<QString> site = adapter(url.host(QUrl::FullyEncoded));
    if (!site)
        throw BrowserError(unsupportedMessage());

    const QString prefix = inject ? bundle(*site) : QString();
    const QString source = prefix + QString::fromUtf8("\nconst __r = await (") + expression
        + QString::fromUtf8(");\nreturn JSON.stringify(__r === undefined ? null : __r);");

    // Built before the suspension: g++ 12 frees temporaries of a co_await expression twice.
    std::function<bool()> stopped;
    if (stoppable)
        stopped = stopTest();
    // The scripts fail with a message code; the error carries its text.
    std::function<QString(const QString &)> scriptError = [](const QString &message) {
        return localizedSiteMessage(message);
    };
    const PageCall::Answer answer = co_await runOnPage(page, pageID, QString::fromUtf8("vtx"), source, args, timeoutMs,
                                                       maxChars, scriptError, stopped);
    if (answer.type != QLatin1String("string") || !answer.text)
        throw BrowserError(unreadableMessage());
    co_return *answer.text;
}

QCoro::Task<std::optional<SiteInfo>> SpamEngine::info()
{
    try {
        const QByteArray answer = co_await call(QString::fromUtf8("window.__vtx.info()"), {}, true, shortCallTimeoutMs,
                                                kShortAnswerChars);
        co_return SiteInfo::fromJsonBytes(answer, kShortAnswerChars);
    } catch (...) {
        co_return std::nullopt;
    }
}

QCoro::Task<ScanResult> SpamEngine::scan(qint64 limit, bool sortNewest, bool noLikesOnly, qint64 minLikes,
                                         std::optional<Recent> recent)
{
    const int timeoutMs = longCallTimeout(scanTimeoutMs(limit));
    const QJsonObject args = scanArguments(limit, sortNewest, noLikesOnly, minLikes, recent, timeoutMs);
    const QString answer = co_await callText(QString::fromUtf8("window.__vtx.scan(opts)"), args, true, timeoutMs,
                                             kLongAnswerChars, true);
    // A long post's answer takes tens of milliseconds to decode: a worker does it, so that the
    // window keeps drawing. It is as strict there (a DecodeError comes back here).
    const DecodedScan decoded = co_await decodeScan(answer);
    if (decoded.error)
        std::rethrow_exception(decoded.error);
    co_return std::move(*decoded.result);
}

QCoro::Task<std::optional<ScanProgress>> SpamEngine::progress()
{
    const QByteArray answer = co_await call(QString::fromUtf8("window.__vtxProgress ? window.__vtxProgress() : null"),
                                            {}, false, shortCallTimeoutMs, kShortAnswerChars);
    co_return ScanProgress::fromJsonBytes(answer, kShortAnswerChars);
}

QCoro::Task<RemoveResult> SpamEngine::remove(QStringList ids, QString url, bool acknowledged)
{
    const QByteArray answer = co_await call(QString::fromUtf8("window.__vtx.remove(ids, url, opts)"),
                                            removeArguments(ids, url, acknowledged ? acknowledgeWaitMs : 0), true,
                                            longCallTimeout(removeTimeoutMs(ids.size())), kLongAnswerChars, true);
    co_return RemoveResult::fromJsonBytes(answer, kLongAnswerChars);
}

QCoro::Task<void> SpamEngine::flag(QStringList ids, QString url)
{
    const QByteArray answer = co_await call(QString::fromUtf8("window.__vtx.flag(ids, url)"), idsAndUrl(ids, url), true,
                                            shortCallTimeoutMs, kShortAnswerChars);
    (void)JsonReader::decodeBool(answer, kShortAnswerChars);
}

void SpamEngine::stop()
{
    ++m_stops;
    m_lastStop.start();
    QPointer<SpamEngine> self(this);
    QMetaObject::invokeMethod(
        this,
        [self] {
        if (!self || !self->m_browser || !self->m_browser->currentTab())
            return;
        PageCall::fire(self->m_browser->currentTab()->page(), QString::fromUtf8("vtx"),
                       QString::fromUtf8("window.__vtxStop = true"));
        },
        Qt::QueuedConnection);
}

void SpamEngine::acknowledge(qsizetype count)
{
    if (!m_browser || !m_browser->currentTab())
        return;
    PageCall::fire(m_browser->currentTab()->page(), QString::fromUtf8("vtx"),
                   QStringLiteral("window.__vtxAck && window.__vtxAck(%1)").arg(count));
}

void SpamEngine::reveal(const QString &id)
{
    QPointer<SpamEngine> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, id] {
        if (!self || !self->m_browser || !self->m_browser->currentTab())
            return;
        PageCall::Options options;
        options.timeoutMs = 60000;
        options.maxChars = 1024;
        [](QWebEnginePage *page, QString id, PageCall::Options options) -> QCoro::Task<void> {
            try {
                co_await PageCall::run(page, QString::fromUtf8("vtx"),
                                       QString::fromUtf8("return window.__vtx ? window.__vtx.reveal(id) : false"),
                                       idArgument(id), options);
            } catch (...) {
            }
        }(self->m_browser->currentTab()->page(), id, options);
        },
        Qt::QueuedConnection);
}
