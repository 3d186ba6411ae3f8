#include "Agent/AgentController.h"

#include "Agent/LocalServer.h"
#include "Browser/Browser.h"
#include "Browser/BrowserError.h"
#include "Page/PageCall.h"
#include "Page/SpamEngine.h"
#include "Rules/SortKey.h"
#include "Scan/SpamModel.h"
#include "Sites/AuthPolicy.h"
#include "Store/ScanStore.h"
#include "Wire/SiteInfo.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringDecoder>

#include <cmath>

namespace {

QString g_pageScriptFile;

QJsonObject failure(const QString &message)
{
    return {{QStringLiteral("ok"), false}, {QStringLiteral("error"), message}};
}

const QString kDefaultPageScript = QStringLiteral(":/Resources/agent-page.js");

}   // namespace

QString AgentController::goneMessage()
{
    return tr("The app has closed.");
}
QString AgentController::noCommandMessage()
{
    return tr("A command is needed.");
}
QString AgentController::unknownMessage()
{
    return tr("This command isn't supported.");
}
QString AgentController::signInMessage()
{
    return tr("Finish signing in, and any extra check, in the app yourself.");
}
QString AgentController::startFailedMessage()
{
    return tr("Couldn't prepare the AI connection. Restart the app.");
}
QString AgentController::notReadyMessage()
{
    return tr("Open a supported comment page, then try again.");
}
QString AgentController::scriptMissingMessage()
{
    return tr("Couldn't load the page-reading script.");
}
QString AgentController::pageChangedMessage()
{
    return tr("The page changed. Read it again.");
}
QString AgentController::pageSilentMessage()
{
    return tr("The page isn't responding. Try again.");
}
QString AgentController::pageTooLargeMessage()
{
    return tr("The page's content is too large.");
}
QString AgentController::openRefusedMessage()
{
    return tr("Finish the current task, then open a supported comment address.");
}
QString AgentController::scanRefusedMessage()
{
    return tr("A check can't start right now.");
}
QString AgentController::limitMessage()
{
    return tr("The number of comments to collect isn't valid.");
}
QString AgentController::sortMessage()
{
    return tr("The sort order isn't valid.");
}
QString AgentController::noLikesMessage()
{
    return tr("The protection of liked comments isn't valid.");
}
QString AgentController::scanFailedMessage()
{
    return tr("The check couldn't finish.");
}
QString AgentController::idsMessage()
{
    return tr("The IDs of the comments to select are needed.");
}
QString AgentController::deleteTargetMessage()
{
    return tr("Check again what to delete on the current page.");
}
QString AgentController::nothingSelectedMessage()
{
    return tr("No comments are selected.");
}
QString AgentController::postAddressMessage()
{
    return tr("A YouTube video or Instagram post address is needed.");
}
QString AgentController::notScannedMessage()
{
    return tr("This comment wasn't checked.");
}
QString AgentController::modelPendingMessage()
{
    return tr("This command isn't available yet.");
}

AgentController::AgentController(Browser *browser, SpamModel *model, ScanStore *store, ControlFile file,
                                 QObject *parent)
    : QObject(parent)
    , m_browser(browser)
    , m_model(model)
    , m_store(store)
{
    QPointer<AgentController> self(this);
    m_server = new LocalServer([self](QJsonObject payload, QString) { return reply(self, std::move(payload)); },
                               std::move(file), this);
    try {
        m_server->start();
    } catch (const std::exception &) {
        delete m_server;
        m_server = nullptr;
        m_error = startFailedMessage();
    }
}

AgentController::~AgentController() = default;

QCoro::Task<QJsonObject> AgentController::reply(QPointer<AgentController> controller, QJsonObject body)
{
    if (!controller)
        co_return failure(goneMessage());
    const QJsonValue cmd = body.value(QStringLiteral("cmd"));
    if (!cmd.isString())
        co_return failure(noCommandMessage());
    // Missing or ill-typed arguments are no arguments.
    const QJsonObject args = body.value(QStringLiteral("args")).toObject();
    try {
        const QJsonValue result = co_await controller->handle(cmd.toString(), args);
        co_return QJsonObject{{QStringLiteral("ok"), true}, {QStringLiteral("result"), result}};
    } catch (const BrowserError &e) {
        co_return failure(e.description());
    } catch (const std::exception &e) {
        co_return failure(QString::fromUtf8(e.what()));
    }
}

const QList<std::pair<QString, AgentController::Command>> &AgentController::commands()
{
    static const QList<std::pair<QString, Command>> table{
        {QStringLiteral("snapshot"), &AgentController::snapshot},
        {QStringLiteral("inspect"), &AgentController::inspect},
        {QStringLiteral("scroll"), &AgentController::scroll},
        {QStringLiteral("open"), &AgentController::open},
        {QStringLiteral("comments"), &AgentController::comments},
        {QStringLiteral("scan"), &AgentController::scan},
        {QStringLiteral("select"), &AgentController::select},
        {QStringLiteral("request_delete"), &AgentController::requestDelete},
        {QStringLiteral("stop"), &AgentController::stop},
        {QStringLiteral("history"), &AgentController::history},
        {QStringLiteral("reveal"), &AgentController::reveal},
    };
    return table;
}

QCoro::Task<QJsonValue> AgentController::handle(QString cmd, QJsonObject args)
{
    if (!m_browser)
        throw BrowserError(goneMessage());
    // "stop" must always work, also to interrupt a scan during a sign-in.
    if (cmd != QLatin1String("stop"))
        guard();
    for (const auto &[name, command] : commands()) {
        if (name == cmd)
            co_return co_await (this->*command)(std::move(args));
    }
    throw BrowserError(unknownMessage());
}

void AgentController::guard() const
{
    if (m_browser->accounts() && m_browser->accounts()->isAuthenticating())
        throw BrowserError(signInMessage());
    const BrowserTab *tab = m_browser->currentTab();
    const QUrl url = tab && tab->page() ? tab->page()->url() : QUrl();
    if (!url.isEmpty() && AuthPolicy::isAuthentication(url))
        throw BrowserError(signInMessage());
}

// ---- checks ------------------------------------------------------------------------------

AgentController::ScanArguments AgentController::scanArguments(const QJsonObject &args)
{
    ScanArguments out;
    if (args.contains(QStringLiteral("limit"))) {
        const QJsonValue v = args.value(QStringLiteral("limit"));
        // A JSON number with no fraction; a Boolean is no number here.
        const double d = v.isDouble() ? v.toDouble() : std::nan("");
        if (!(d >= 0 && d <= 100000) || d != std::floor(d))
            throw BrowserError(limitMessage());
        out.limit = int(d);
    }
    if (args.contains(QStringLiteral("sort"))) {
        const QJsonValue v = args.value(QStringLiteral("sort"));
        if (!v.isString() || !SortKey::fromRawValue(v.toString()))
            throw BrowserError(sortMessage());
        out.sort = v.toString();
    }
    if (args.contains(QStringLiteral("noLikesOnly"))) {
        const QJsonValue v = args.value(QStringLiteral("noLikesOnly"));
        if (!v.isBool())
            throw BrowserError(noLikesMessage());
        out.noLikesOnly = v.toBool();
    }
    return out;
}

QStringList AgentController::ids(const QJsonObject &args)
{
    const QJsonValue v = args.value(QStringLiteral("ids"));
    if (!v.isArray())
        throw BrowserError(idsMessage());
    QStringList list;
    for (const QJsonValue &id : v.toArray()) {
        if (!id.isString())
            throw BrowserError(idsMessage());
        list.append(id.toString());
    }
    return list;
}

QUrl AgentController::openTarget(const QJsonObject &args, const QString &base)
{
    const QJsonValue text = args.value(QStringLiteral("url"));
    if (args.isEmpty() || !text.isString())
        throw BrowserError(openRefusedMessage());
    const std::optional<QUrl> url = Browser::pageURL(text.toString(), base);
    if (!url || AuthPolicy::isAuthentication(*url))
        throw BrowserError(openRefusedMessage());
    return *url;
}

// ---- commands -----------------------------------------------------------------------------

QCoro::Task<QJsonValue> AgentController::snapshot(QJsonObject args)
{
    return runPageScript(QStringLiteral("snapshot"), std::move(args));
}

QCoro::Task<QJsonValue> AgentController::inspect(QJsonObject args)
{
    return runPageScript(QStringLiteral("inspect"), std::move(args));
}

QCoro::Task<QJsonValue> AgentController::scroll(QJsonObject args)
{
    return runPageScript(QStringLiteral("scroll"), std::move(args));
}

QCoro::Task<QJsonValue> AgentController::open(QJsonObject args)
{
    if (modelWorking())
        throw BrowserError(openRefusedMessage());
    const QUrl url = openTarget(args, m_browser->address());
    m_browser->open(url.toString());
    co_return QJsonObject{{QStringLiteral("url"), url.toString()}, {QStringLiteral("loading"), true}};
}

QCoro::Task<QJsonValue> AgentController::comments(QJsonObject)
{
    co_return pageState();
}

QCoro::Task<QJsonValue> AgentController::scan(QJsonObject args)
{
    if (modelWorking() || m_browser->isLoading())
        throw BrowserError(scanRefusedMessage());
    const std::optional<SiteInfo> info = modelInfo();
    if (!info || !info->supported)
        throw BrowserError(scanRefusedMessage());
    // All of them are checked before any setting changes.
    modelApply(scanArguments(args));
    QPointer<AgentController> self(this);
    const std::optional<QString> failed = co_await modelScan();
    if (!self || !m_browser)
        throw BrowserError(goneMessage());
    if (failed)
        throw BrowserError(*failed);
    QJsonObject state = pageState();
    // A scan that was not written to the history must not read as recorded.
    QString why;
    const bool recorded = modelScanRecorded(&why);
    state.insert(QStringLiteral("recorded"), recorded);
    if (!recorded && !why.isEmpty())
        state.insert(QStringLiteral("historyError"), why);
    co_return state;
}

QCoro::Task<QJsonValue> AgentController::select(QJsonObject args)
{
    modelSelect(ids(args));
    co_return pageState();
}

QCoro::Task<QJsonValue> AgentController::requestDelete(QJsonObject args)
{
    const QJsonValue url = args.value(QStringLiteral("url"));
    if (!url.isString() || url.toString() != m_browser->address() || !modelCanRemove())
        throw BrowserError(deleteTargetMessage());
    modelSelect(ids(args));
    if (modelSelectedIds().isEmpty())
        throw BrowserError(nothingSelectedMessage());
    QPointer<AgentController> self(this);
    const int deleted = co_await modelRemoveSelected();
    if (!self || !m_browser)
        throw BrowserError(goneMessage());
    QJsonObject state = pageState();
    // The owner may decline, or the site may refuse: the agent must not take it for done.
    state.insert(QStringLiteral("deleted"), deleted);
    // The site took the replies of each deleted thread with it; they are not in "deleted".
    state.insert(QStringLiteral("withThreads"), modelRemovalReplies());
    // Nor a deletion the history did not take for recorded.
    QString why;
    const bool recorded = modelRemovalRecorded(&why);
    state.insert(QStringLiteral("recorded"), recorded);
    if (!recorded)
        state.insert(QStringLiteral("historyError"), why);
    co_return state;
}

QCoro::Task<QJsonValue> AgentController::stop(QJsonObject)
{
    modelStopScan();
    co_return QJsonObject{{QStringLiteral("ok"), true}};
}

QCoro::Task<QJsonValue> AgentController::history(QJsonObject args)
{
    const QJsonValue post = args.value(QStringLiteral("post"));
    if (post.isString()) {
        const std::optional<ScanStore::PostKey> key = ScanStore::canonical(post.toString());
        if (!key)
            throw BrowserError(postAddressMessage());
        co_return withHistoryState(AgentReplies::history(*m_store, key->url));
    }
    co_return withHistoryState(AgentReplies::posts(*m_store));
}

QJsonObject AgentController::withHistoryState(QJsonObject reply) const
{
    // An empty list from a history that is off is no empty history.
    if (!m_store->isOpen())
        reply.insert(QStringLiteral("historyError"), m_store->openError());
    return reply;
}

QCoro::Task<QJsonValue> AgentController::reveal(QJsonObject args)
{
    const QJsonValue id = args.value(QStringLiteral("id"));
    if (modelWorking() || !id.isString() || !modelHasComment(id.toString()))
        throw BrowserError(notScannedMessage());
    modelReveal(id.toString());
    co_return QJsonObject{{QStringLiteral("ok"), true}};
}

QJsonObject AgentController::pageState() const
{
    AgentReplies::PageState state;
    state.url = m_browser->address();
    state.documentID = m_browser->pageID();
    modelFillPageState(state);
    return AgentReplies::pageState(state);
}

// ---- the page script ----------------------------------------------------------------------

void AgentController::setPageScriptFile(const QString &path)
{
    g_pageScriptFile = path;
}

QString AgentController::pageScript()
{
    // Read on every call: small, and a changed file takes effect at once.
    QFile file(g_pageScriptFile.isEmpty() ? kDefaultPageScript : g_pageScriptFile);
    if (!file.exists())
        throw BrowserError(scriptMissingMessage());
    if (!file.open(QIODevice::ReadOnly))
        throw BrowserError(file.errorString());
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(file.readAll());
    if (decoder.hasError())
        throw BrowserError(scriptMissingMessage());
    return text;
}

QCoro::Task<QJsonValue> AgentController::runPageScript(QString method, QJsonObject args)
{
    QPointer<Browser> browser = m_browser;
    BrowserTab *tab = browser->currentTab();
    QPointer<QWebEnginePage> page = tab ? tab->page() : nullptr;
    if (!page || browser->isLoading() || !SpamEngine::adapter(page->url().host()))
        throw BrowserError(notReadyMessage());
    const QUuid pageID = browser->pageID();
    const QString body = pageScript();

    const auto samePage = [browser, page, pageID] {
        return browser && page && browser->pageID() == pageID && browser->currentTab()
            && browser->currentTab()->page() == page.data();
    };
    PageCall::Options options;
    options.timeoutMs = pageScriptTimeoutMs;
    options.maxChars = pageAnswerChars;
    options.stillValid = samePage;
    options.abortSender = browser.data();
    options.abortSignal = SIGNAL(currentTabChanged(BrowserPage *));

    // Built before the await: g++ 12 cannot keep string-literal arrays across one.
    const QString world = QString::fromUtf8("vt-agent");
    QJsonObject named;
    named.insert(QString::fromUtf8("method"), method);
    named.insert(QString::fromUtf8("args"), args);
    PageCall::Answer answer;
    try {
        answer = co_await PageCall::run(page.data(), world, body, named, options);
    } catch (const PageCall::Error &e) {
        switch (e.kind) {
        case PageCall::Error::PageChanged:
            throw BrowserError(pageChangedMessage());
        case PageCall::Error::Timeout:
            throw BrowserError(samePage() ? pageSilentMessage() : pageChangedMessage());
        case PageCall::Error::TooLarge:
            throw BrowserError(pageTooLargeMessage());
        case PageCall::Error::Script:
        case PageCall::Error::BadCall:
        case PageCall::Error::Stopped:
            throw BrowserError(e.message);
        }
        throw BrowserError(e.message);
    }
    if (!samePage())
        throw BrowserError(pageChangedMessage());
    if (!answer.text)
        co_return QJsonValue();
    if (answer.type == QLatin1String("string"))
        co_return QJsonValue(*answer.text);
    // Any JSON value, inside an array so that a bare number or null parses too.
    QByteArray json = answer.text->toUtf8();
    json.prepend('[').append(']');
    const QJsonArray wrapped = QJsonDocument::fromJson(json).array();
    const QJsonValue value = wrapped.isEmpty() ? QJsonValue() : wrapped.first();
    co_return value;
}
