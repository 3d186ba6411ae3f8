#include "Page/PageCall.h"

#include <QCoro/QCoroSignal>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace {

// Poll delays grow from a few milliseconds to this cap: short calls answer quickly, long
// ones cost little.
constexpr int kMaxPollDelayMs = 40;

QString jsString(const QString &text)
{
    // A JSON string is a valid JavaScript string literal (apart from U+2028/9, escaped here).
    QString quoted = QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact));
    quoted = quoted.mid(1, quoted.size() - 2);
    quoted.replace(QChar(0x2028), QStringLiteral("\\u2028")).replace(QChar(0x2029), QStringLiteral("\\u2029"));
    return quoted;
}

QString nextCallId()
{
    static quint64 counter = 0;
    static const QString prefix = QString::number(QRandomGenerator::global()->generate64(), 36);
    return prefix + QLatin1Char('-') + QString::number(++counter);
}

}   // namespace

std::optional<quint32> PageCall::worldId(const QString &name)
{
    if (name == QLatin1String("main"))
        return QWebEngineScript::MainWorld;
    if (name == QLatin1String("vtx"))
        return QWebEngineScript::UserWorld + 1;
    if (name == QLatin1String("vt-channel"))
        return QWebEngineScript::UserWorld + 2;
    if (name == QLatin1String("vt-agent"))
        return QWebEngineScript::UserWorld + 3;
    return std::nullopt;
}

PageCall::PageCall(QWebEnginePage *page, quint32 world, Options options)
    : m_page(page)
    , m_world(world)
    , m_options(std::move(options))
    , m_id(nextCallId())
{
    m_pollTimer.setSingleShot(true);
    m_pollTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_pollTimer, &QTimer::timeout, this, &PageCall::poll);
    if (m_options.timeoutMs > 0) {
        m_timeout.setSingleShot(true);
        m_timeout.setTimerType(Qt::PreciseTimer);
        connect(&m_timeout, &QTimer::timeout, this, [this] { fail(Error::Timeout, QString()); });
        m_timeout.start(m_options.timeoutMs);
    }
    if (page) {
        connect(page, &QObject::destroyed, this, [this] { fail(Error::PageChanged, QString()); });
        connect(page, &QWebEnginePage::renderProcessTerminated, this, [this] { fail(Error::PageChanged, QString()); });
    }
    if (m_options.abortSender && m_options.abortSignal)
        connect(m_options.abortSender, m_options.abortSignal, this, SLOT(abortCall()));
}

void PageCall::start(const QString &script)
{
    QPointer<PageCall> self(this);
    m_page->runJavaScript(script, m_world, [self](const QVariant &result) {
        if (!self || self->m_done)
            return;
        if (result.toString() != QLatin1String("started")) {
            // The wrapper itself did not run: a syntax error in the body, or the world went away.
            self->fail(Error::BadCall, QStringLiteral("The page script could not be started."));
            return;
        }
        self->m_pollTimer.start(self->m_delay);
    });
}

bool PageCall::stillWanted()
{
    if (m_done)
        return false;
    if (!m_page) {
        fail(Error::PageChanged, QString());
        return false;
    }
    if (m_options.stillValid && !m_options.stillValid()) {
        fail(Error::PageChanged, QString());
        return false;
    }
    if (m_options.stopped && m_options.stopped()) {
        fail(Error::Stopped, QString());
        return false;
    }
    return true;
}

void PageCall::poll()
{
    if (!stillWanted())
        return;
    const QString id = jsString(m_id);
    // A long text stays in the page and is fetched in pieces (see fetchSlice).
    const QString script = QStringLiteral(
                               "(() => { const c = window.__vtCalls; const r = c && c[%1];"
                               " if (!r) return ['lost']; if (!r.done) return ['wait'];"
                               " if (!r.ok) { delete c[%1]; return ['err', String(r.m)]; }"
                               " const s = typeof r.s === 'string' ? r.s : null;"
                               " if (s !== null && s.length > %2) { delete c[%1]; return ['big', s.length]; }"
                               " if (s !== null && s.length > %3) return ['part', r.t, s.length];"
                               " delete c[%1]; return ['ok', r.t, s]; })()")
                               .arg(id)
                               .arg(m_options.maxChars)
                               .arg(std::max<qsizetype>(m_options.sliceChars, 2));
    ask(script, &PageCall::takePoll);
}

void PageCall::takePoll(const QVariantList &list)
{
    const QString state = list.value(0).toString();
    if (state == QLatin1String("wait")) {
        m_delay = std::min(m_delay * 2, kMaxPollDelayMs);
        m_pollTimer.start(m_delay);
    } else if (state == QLatin1String("ok")) {
        Answer answer;
        answer.type = list.value(1).toString();
        const QVariant text = list.value(2);
        if (text.typeId() == QMetaType::QString) {
            answer.text = text.toString();
            if (answer.text->size() > m_options.maxChars) {
                fail(Error::TooLarge, QString());
                return;
            }
        }
        m_answer = std::move(answer);
        finish();
    } else if (state == QLatin1String("part")) {
        m_partial.type = list.value(1).toString();
        m_total = list.value(2).toLongLong();
        m_offset = 0;
        m_partial.text = QString();
        m_partial.text->reserve(m_total);
        fetchSlice();
    } else if (state == QLatin1String("err")) {
        fail(Error::Script, list.value(1).toString().left(2000));
    } else if (state == QLatin1String("big")) {
        fail(Error::TooLarge, QString());
    } else {
        // The stored call is gone: the document was replaced while the call ran.
        fail(Error::PageChanged, QString());
    }
}

void PageCall::fetchSlice()
{
    if (!stillWanted())
        return;
    // A piece never ends between the two halves of a surrogate pair: each crosses as text of
    // its own, where half a pair would not survive. The page says where the next one starts.
    const QString script = QStringLiteral("(() => { const c = window.__vtCalls; const r = c && c[%1];"
                                          " if (!r || typeof r.s !== 'string') return ['lost'];"
                                          " const from = %2; let to = Math.min(from + %3, r.s.length);"
                                          " if (to < r.s.length && to > from + 1) { const u = r.s.charCodeAt(to - 1);"
                                          " if (u >= 0xD800 && u <= 0xDBFF) to -= 1; }"
                                          " const p = r.s.slice(from, to); if (to >= r.s.length) delete c[%1];"
                                          " return ['more', p, to]; })()")
                               .arg(jsString(m_id))
                               .arg(m_offset)
                               .arg(std::max<qsizetype>(m_options.sliceChars, 2));
    ask(script, &PageCall::takeSlice);
}

void PageCall::takeSlice(const QVariantList &list)
{
    const qsizetype next = list.value(2).toLongLong();
    if (list.value(0).toString() != QLatin1String("more") || list.value(1).typeId() != QMetaType::QString
        || next <= m_offset || next > m_total) {
        fail(Error::PageChanged, QString());   // the stored answer went with its document
        return;
    }
    m_partial.text->append(list.value(1).toString());
    m_offset = next;
    if (next < m_total) {
        fetchSlice();
        return;
    }
    m_answer = std::move(m_partial);
    finish();
}

void PageCall::ask(const QString &script, void (PageCall::*take)(const QVariantList &))
{
    QPointer<PageCall> self(this);
    m_page->runJavaScript(script, m_world, [self, take](const QVariant &result) {
        if (self && !self->m_done)
            (self.data()->*take)(result.toList());
    });
}

void PageCall::fail(Error::Kind kind, const QString &message)
{
    if (m_done)
        return;
    m_error.emplace(kind, message);
    // A call given up on (timeout, abort) must not leave its answer behind in the page.
    if (m_page && kind != Error::Script)
        m_page->runJavaScript(QStringLiteral("if (window.__vtCalls) delete window.__vtCalls[%1];").arg(jsString(m_id)),
                              m_world);
    finish();
}

void PageCall::finish()
{
    if (m_done)
        return;
    m_done = true;
    m_pollTimer.stop();
    m_timeout.stop();
    emit settled();
}

QCoro::Task<PageCall::Answer> PageCall::run(QWebEnginePage *page, QString world, QString body, QJsonObject args,
                                            Options options)
{
    const auto id = worldId(world);
    if (!id)
        throw Error(Error::BadCall, QStringLiteral("Unknown script world: ") + world);
    if (!page)
        throw Error(Error::PageChanged, QString());
    watch(page);
    // A page whose render process is gone would never run the call.
    if (renderProcessGone(page))
        throw Error(Error::PageChanged, QString());
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_$][A-Za-z0-9_$]*$"));
    QStringList names;
    for (auto it = args.begin(); it != args.end(); ++it) {
        if (!identifier.match(it.key()).hasMatch())
            throw Error(Error::BadCall, QStringLiteral("Bad argument name: ") + it.key());
        names << it.key();
    }

    auto *call = new PageCall(page, *id, std::move(options));
    const QString callId = jsString(call->m_id);
    const QString argsJson = QString::fromUtf8(QJsonDocument(args).toJson(QJsonDocument::Compact))
                                 .replace(QChar(0x2028), QStringLiteral("\\u2028"))
                                 .replace(QChar(0x2029), QStringLiteral("\\u2029"));
    const QString script =
        QStringLiteral(
            "(() => {\n"
            "const calls = window.__vtCalls || (window.__vtCalls = Object.create(null));\n"
            "const id = %1;\n"
            "const msg = (e) => { try { return (e && e.message) ? String(e.message) : String(e); } catch (_) { return 'error'; } };\n"
            "calls[id] = { done: false };\n"
            "const settle = (r) => { if (calls[id]) calls[id] = r; };\n"
            "try {\n"
            "(async ({%2}) => {\n")
            .arg(callId, names.join(QLatin1Char(',')))
        + body
        + QStringLiteral(
              "\n})(%1).then((v) => {\n"
              "  const t = typeof v; let s;\n"
              "  if (t === 'string') s = v; else { try { s = JSON.stringify(v); } catch (e) { s = undefined; } }\n"
              "  settle({ done: true, ok: true, t, s });\n"
              "}, (e) => settle({ done: true, ok: false, m: msg(e) }));\n"
              "} catch (e) { settle({ done: true, ok: false, m: msg(e) }); }\n"
              "return 'started';\n"
              "})()")
              .arg(argsJson);

    call->start(script);
    if (!call->m_done)
        co_await qCoro(call, &PageCall::settled);
    std::optional<Answer> answer = std::move(call->m_answer);
    std::optional<Error> error = std::move(call->m_error);
    call->deleteLater();
    if (error)
        throw *error;
    co_return std::move(*answer);
}

namespace {
constexpr char kWatched[] = "vtCallWatched";
constexpr char kGone[] = "vtRenderGone";
}   // namespace

// Keeps the render process state on the page itself: gone from its termination until a new
// document starts loading (which starts a new process).
void PageCall::watch(QWebEnginePage *page)
{
    if (page->property(kWatched).toBool())
        return;
    page->setProperty(kWatched, true);
    connect(page, &QWebEnginePage::renderProcessTerminated, page, [page] { page->setProperty(kGone, true); });
    connect(page, &QWebEnginePage::loadStarted, page, [page] { page->setProperty(kGone, false); });
}

bool PageCall::renderProcessGone(QWebEnginePage *page)
{
    return page && page->property(kGone).toBool();
}

void PageCall::fire(QWebEnginePage *page, const QString &world, const QString &script)
{
    const auto id = worldId(world);
    if (page && id)
        page->runJavaScript(script, *id);
}
