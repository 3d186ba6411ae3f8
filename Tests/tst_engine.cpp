// The page bridge itself: adapters, the script bundle, refusals, page changes, and decoding of
// page answers, on a stand-in page whose scripts answer what each case needs.
#include "Await.h"
#include "BridgeHarness.h"
#include "PageTools.h"
#include "WebTestMain.h"

#include "Browser/BrowserError.h"
#include "Base/Lang.h"
#include "Wire/DecodeError.h"
#include "Page/PageCall.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <csignal>
#include <sys/types.h>

using namespace vt::test;

namespace {

// Stand-in comment scripts: window.__vtx answers with window.__answers[name] (a value or a function).
const char *kStubBridge = R"JS(
window.__bundleRuns = (window.__bundleRuns || 0) + 1;
const stub = (name, ...args) => {
  window.__calls = (window.__calls || []).concat([[name, args]]);
  const a = (window.__answers || {})[name];
  return typeof a === 'function' ? a(...args) : a;
};
window.__vtx = {
  info: () => stub('info'),
  scan: (opts) => stub('scan', opts),
  remove: (ids, url) => stub('remove', ids, url),
  flag: (ids, url) => stub('flag', ids, url),
  reveal: (id) => stub('reveal', id),
};
)JS";

const char *kValidScan =
    R"JS({items: [{id: 'a', text: 't', authorName: 'n', order: 0, state: 'ok', reason: '', score: 0}],
  siteSorted: false, total: 1, canRemove: true, likesUnknown: false})JS";

void write(const QString &path, const QByteArray &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

}   // namespace

class EngineTest : public QObject {
    Q_OBJECT
    BridgeHarness *m_h = nullptr;
    QTemporaryDir m_stubs;

    QWebEnginePage *page() { return m_h->browser.currentTab()->page(); }

    void openStubPage() { QVERIFY(m_h->open(FixtureSite::url("www.youtube.com", "/engine-test"), 50)); }
    // Installs the stub bundle and sets the answers (JavaScript object source) in the "vtx" world.
    void answers(const QString &source)
    {
        await(m_h->engine.info());   // installs the bundle
        await(PageCall::run(page(), QStringLiteral("vtx"),
                            QStringLiteral("window.__answers = ") + source + QStringLiteral(";")));
    }
    QString vtx(const QString &body)
    {
        const auto a = await(PageCall::run(page(), QStringLiteral("vtx"), body));
        return a.text.value_or(QStringLiteral("<none>"));
    }

private slots:
    void initTestCase()
    {
        FixtureSite::shared()->page("www.youtube.com", "/engine-test",
                                    "<!DOCTYPE html><html><body><p>engine</p></body></html>");
        // A page whose document arrives late, so that it is still loading for a while.
        FixtureSite::shared()->route("www.youtube.com", "GET", "/engine-slow",
                                     [](const HttpRequest &, const HttpResponder &r) {
            r.replyAfter(4000, HttpReply::html("<!DOCTYPE html><html><body><p>slow</p></body></html>"));
        });
        QVERIFY(m_stubs.isValid());
        write(m_stubs.filePath("spam.js"), "const VtxSpam = {};");
        write(m_stubs.filePath("time.js"), "const VtxTime = {};");
        write(m_stubs.filePath("pagedata.js"), "const VtxPageData = {};");
        write(m_stubs.filePath("youtube.js"), "const VtxSite = {};");
        write(m_stubs.filePath("bridge.js"), kStubBridge);
        m_h = new BridgeHarness;
    }
    void cleanupTestCase()
    {
        delete m_h;
        SpamEngine::setScriptFolder(QString());
    }

    void adapter_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("adapter");
        QTest::newRow("youtube") << "youtube.com"
                                 << "youtube";
        QTest::newRow("www youtube") << "www.youtube.com"
                                     << "youtube";
        QTest::newRow("instagram") << "instagram.com"
                                   << "instagram";
        QTest::newRow("www instagram") << "www.instagram.com"
                                       << "instagram";
        QTest::newRow("mobile youtube") << "m.youtube.com"
                                        << "";
        QTest::newRow("upper case") << "WWW.YOUTUBE.COM"
                                    << "";
        QTest::newRow("upper case instagram") << "Instagram.com"
                                              << "";
        QTest::newRow("sign-in host") << "accounts.google.com"
                                      << "";
        QTest::newRow("look-alike") << "www.youtube.com.evil.example"
                                    << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void adapter()
    {
        QFETCH(QString, host);
        QFETCH(QString, adapter);
        QCOMPARE(SpamEngine::adapter(host).value_or(QString()), adapter);
    }

    // The real bundle: a guard around the site name and the six files, joined by "\n;\n".
    void bundleText()
    {
        SpamEngine::setScriptFolder(QString());
        const QString b = SpamEngine::bundle(QStringLiteral("youtube"));
        QVERIFY(b.startsWith(QStringLiteral("if (!window.__vtx) {\n;\nwindow.__vtxSite = 'youtube';\n;\n")));
        QVERIFY(b.endsWith(QStringLiteral("\n;\n}")));
        QFile spam(QStringLiteral(":/Resources/ext/spam.js")), bridge(QStringLiteral(":/Resources/ext/bridge.js"));
        QVERIFY(spam.open(QIODevice::ReadOnly) && bridge.open(QIODevice::ReadOnly));
        const qsizetype s = b.indexOf(QString::fromUtf8(spam.readAll()));
        const qsizetype g = b.indexOf(QString::fromUtf8(bridge.readAll()));
        QVERIFY(s > 0 && g > s);
        QCOMPARE(b.count(QStringLiteral("\n;\n")) >= 6, true);
        QCOMPARE(SpamEngine::bundle(QStringLiteral("youtube")), b);   // cached
    }

    // A missing file fails every injecting call and is not cached; the progress call still runs.
    void missingScriptFile()
    {
        QTemporaryDir partial;
        for (const char *name : {"spam.js", "pagedata.js", "youtube.js", "bridge.js"})
            QFile::copy(m_stubs.filePath(name), partial.filePath(name));
        SpamEngine::setScriptFolder(partial.path());
        openStubPage();
        try {
            await(m_h->engine.scan(0, false, false, 1, std::nullopt));
            QFAIL("no error");
        } catch (const BrowserError &e) {
            QCOMPARE(e.description(), SpamEngine::filesMessage());
        }
        QVERIFY(!await(m_h->engine.info()));
        QVERIFY(!await(m_h->engine.progress()));
        QFile::copy(m_stubs.filePath("time.js"), partial.filePath("time.js"));
        answers(QStringLiteral("{scan: () => (") + kValidScan + QStringLiteral(")}"));
        QCOMPARE(await(m_h->engine.scan(0, false, false, 1, std::nullopt)).items.size(), 1);
        SpamEngine::setScriptFolder(m_stubs.path());
    }

    void refusals_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::newRow("sign-in page") << FixtureSite::url("accounts.google.com", "/ServiceLogin?service=youtube");
        // A host of the site that is not one of its web hosts, and a page without a host.
        QTest::newRow("mobile host") << FixtureSite::url("m.youtube.com", "/watch?v=Ugx0000000");
        QTest::newRow("blank page") << QUrl(QStringLiteral("about:blank"));
        QTest::newRow("loading page") << FixtureSite::url("www.youtube.com", "/engine-slow");
    }
    void refusals()
    {
        QFETCH(QUrl, url);
        SpamEngine::setScriptFolder(m_stubs.path());
        if (url.host().endsWith(QLatin1String("google.com"))) {
            QVERIFY(m_h->open(url, 50));
        } else if (url.path() == QLatin1String("/engine-slow")) {
            // The stand-in page first, with the scripts in place: only the loading refuses.
            openStubPage();
            answers(QStringLiteral("{info: () => ({}), scan: () => (") + kValidScan
                    + QStringLiteral("), flag: () => true, remove: () => ({gone: []})}"));
            m_h->browser.open(url.toString());
            QTRY_VERIFY_WITH_TIMEOUT(m_h->browser.isLoading(), 20000);
        } else {
            // Not an address the browser opens itself: load it into the tab's page directly.
            QSignalSpy finished(page(), &QWebEnginePage::loadFinished);
            page()->load(url);
            QVERIFY(finished.wait(20000));
            QTRY_VERIFY_WITH_TIMEOUT(!m_h->browser.isLoading(), 10000);
            QCOMPARE(page()->url().host(), url.host());
        }
        QVERIFY(!await(m_h->engine.info()));
        for (int op = 0; op < 4; ++op) {
            try {
                switch (op) {
                case 0:
                    await(m_h->engine.scan(0, false, false, 1, std::nullopt));
                    break;
                case 1:
                    await(m_h->engine.progress());
                    break;
                case 2:
                    await(m_h->engine.remove({"a"}, url.toString()));
                    break;
                case 3:
                    await(m_h->engine.flag({"a"}, url.toString()));
                    break;
                }
                QFAIL("no refusal");
            } catch (const BrowserError &e) {
                QCOMPARE(e.description(),
                         (Lang::system() ? QStringLiteral("지원하는 댓글 화면이 아닙니다")
                                         : QStringLiteral("This isn't a supported comment page")));
            }
        }
    }

    void optionKeys_data()
    {
        QTest::addColumn<bool>("withRecent");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("full") << false << QStringList{"keywords",    "limit",      "minLikes",
                                                      "noLikesOnly", "sortNewest", "timeLimitMs"};
        QTest::newRow("incremental") << true
                                     << QStringList{"keywords",    "known",      "limit",       "minLikes",   "need",
                                                    "noLikesOnly", "sortNewest", "stopAtKnown", "timeLimitMs"};
    }
    void optionKeys()
    {
        QFETCH(bool, withRecent);
        QFETCH(QStringList, keys);
        SpamEngine::setScriptFolder(m_stubs.path());
        openStubPage();
        answers(QStringLiteral("{scan: (opts) => { window.__opts = opts; return ") + kValidScan
                + QStringLiteral("; }}"));
        std::optional<Recent> recent;
        if (withRecent)
            recent = Recent{{"k1", "k2"}, {"n1"}, 12};
        await(m_h->engine.scan(500, true, true, 3, recent));
        const QJsonObject opts =
            QJsonDocument::fromJson(vtx(QStringLiteral("return JSON.stringify(window.__opts);")).toUtf8()).object();
        QStringList got = opts.keys();
        got.sort();
        QCOMPARE(got, keys);
        QCOMPARE(opts.value("keywords").toArray().size(), 0);
        QCOMPARE(opts.value("limit").toInt(), 500);
        QCOMPARE(opts.value("sortNewest").toBool(), true);
        QCOMPARE(opts.value("minLikes").toInt(), 3);
        // The page is told the call's own limit, so that it can answer with what it has in time.
        QCOMPARE(opts.value("timeLimitMs").toInt(), SpamEngine::scanTimeoutMs(500));
        if (withRecent) {
            QCOMPARE(opts.value("known").toArray().size(), 2);
            QCOMPARE(opts.value("stopAtKnown").toInt(), 12);
        }
    }

    // What the page answers, and what the caller gets: a value, the decoder's error, or a message.
    void answers_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("answer");    // JavaScript: the page function
        QTest::addColumn<QString>("outcome");   // "ok", "decode", "unreadable", or an error text
        QTest::newRow("scan valid") << "scan" << QStringLiteral("() => (") + kValidScan + ")"
                                    << "ok";
        QTest::newRow("scan plain string") << "scan"
                                           << "() => 'items'"
                                           << "decode";
        QTest::newRow("scan nothing") << "scan"
                                      << "() => undefined"
                                      << "decode";
        QTest::newRow("scan empty object") << "scan"
                                           << "() => ({})"
                                           << "decode";
        QTest::newRow("scan a function") << "scan"
                                         << "() => (() => 1)"
                                         << "unreadable";
        QTest::newRow("scan comment without score")
            << "scan"
            << "() => ({items: [{id: 'a', text: 't', authorName: 'n', order: 0, state: 'ok', reason: ''}], siteSorted: false, total: 1, canRemove: false, likesUnknown: false})"
            << "decode";
        // A long answer is as strict as a short one: one bad comment at its end fails it whole.
        QTest::newRow("scan long, last comment bad")
            << "scan"
            << "() => { const items = []; for (let i = 0; i < 5000; i++) items.push({id: 'c' + i, text: 'text ' + i,"
               " authorName: 'n', order: i, state: 'ok', reason: '', score: i < 4999 ? 0 : 'high'});"
               " return {items, siteSorted: false, total: 5000, canRemove: true, likesUnknown: false}; }"
            << "decode";
        QTest::newRow("scan long, valid")
            << "scan"
            << "() => { const items = []; for (let i = 0; i < 5000; i++) items.push({id: 'c' + i, text: 'text ' + i,"
               " authorName: 'n', order: i, state: 'ok', reason: '', score: 0});"
               " return {items, siteSorted: false, total: 5000, canRemove: true, likesUnknown: false}; }"
            << "ok";
        QTest::newRow("scan too deep")
            << "scan"
            << "() => { let a = []; for (let i = 0; i < 3000; i++) a = [a]; return {items: a, siteSorted: false,"
               " total: 0, canRemove: true, likesUnknown: false}; }"
            << "decode";
        QTest::newRow("scan throws") << "scan"
                                     << "() => { throw new Error('page broke'); }"
                                     << "page broke";
        QTest::newRow("scan rejects") << "scan"
                                      << "() => Promise.reject(new Error('later broke'))"
                                      << "later broke";
        QTest::newRow("remove nothing gone") << "remove"
                                             << "() => ({gone: []})"
                                             << "ok";
        QTest::newRow("remove stopped")
            << "remove"
            << "() => ({gone: ['a'], stopped: {text: '삭제를 취소했습니다.', kind: 'cancelled'}})"
            << "ok";
        QTest::newRow("remove without gone") << "remove"
                                             << "() => ({stopped: null})"
                                             << "decode";
        QTest::newRow("flag true") << "flag"
                                   << "() => true"
                                   << "ok";
        QTest::newRow("flag nothing") << "flag"
                                      << "() => undefined"
                                      << "decode";
        QTest::newRow("flag a number") << "flag"
                                       << "() => 1"
                                       << "decode";
        QTest::newRow("progress null") << "progress"
                                       << "() => null"
                                       << "ok";
        QTest::newRow("progress empty object") << "progress"
                                               << "() => ({})"
                                               << "decode";
        QTest::newRow("progress valid")
            << "progress"
            << "() => ({phase: 'delete', count: 1, total: 2, text: '삭제 중… 1/2', gone: ['a']})"
            << "ok";
        // A hostile page: answers too large to take, nesting too deep to decode.
        QTest::newRow("progress too large") << "progress"
                                            << "() => ({phase: 'x'.repeat(5000000), count: 0, total: 0, text: ''})"
                                            << "unreadable";
        QTest::newRow("progress too deep")
            << "progress"
            << "() => { let a = []; for (let i = 0; i < 3000; i++) a = [a]; return {phase: 'x', count: 0, total: 0, text: '', samples: a}; }"
            << "decode";
        QTest::newRow("progress never answers") << "progress"
                                                << "() => new Promise(() => {})"
                                                << "timeout";
    }
    void answers()
    {
        QFETCH(QString, operation);
        QFETCH(QString, answer);
        QFETCH(QString, outcome);
        SpamEngine::setScriptFolder(m_stubs.path());
        openStubPage();
        answers(QStringLiteral("{%1: %2}").arg(operation, answer));
        if (operation == QLatin1String("progress"))
            vtx(QStringLiteral("window.__vtxProgress = window.__answers.progress;"));
        QString got = QStringLiteral("ok");
        // Short only where no answer comes: the limit bounds every short call, answered or not.
        const int limit = m_h->engine.shortCallTimeoutMs;
        if (outcome == QLatin1String("timeout"))
            m_h->engine.shortCallTimeoutMs = 1500;
        try {
            if (operation == QLatin1String("scan")) {
                const ScanResult result = await(m_h->engine.scan(0, false, false, 1, std::nullopt));
                QCOMPARE(result.items.size(), result.total);
                // Every comment arrives, in the page's order.
                const QString last = result.total == 1 ? QStringLiteral("a")
                                                       : QStringLiteral("c%1").arg(result.total - 1);
                QCOMPARE(result.items.last().id, last);
            } else if (operation == QLatin1String("remove"))
                await(m_h->engine.remove({"a"}, QStringLiteral("https://www.youtube.com/engine-test")));
            else if (operation == QLatin1String("flag"))
                await(m_h->engine.flag({"a"}, QStringLiteral("https://www.youtube.com/engine-test")));
            else
                await(m_h->engine.progress());
        } catch (const DecodeError &) {
            got = QStringLiteral("decode");
        } catch (const BrowserError &e) {
            got = e.description() == SpamEngine::unreadableMessage() ? QStringLiteral("unreadable")
                : e.description() == SpamEngine::timeoutMessage()    ? QStringLiteral("timeout")
                                                                     : e.description();
        }
        m_h->engine.shortCallTimeoutMs = limit;
        QCOMPARE(got, outcome);
    }

    void infoSwallowsErrors_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("throws") << "() => { throw new Error('x'); }";
        QTest::newRow("missing keys") << "() => ({site: 'youtube'})";
        QTest::newRow("never answers") << "() => new Promise(() => {})";
    }
    void infoSwallowsErrors()
    {
        QFETCH(QString, answer);
        SpamEngine::setScriptFolder(m_stubs.path());
        openStubPage();
        answers(QStringLiteral("{info: %1}").arg(answer));
        const int limit = m_h->engine.shortCallTimeoutMs;
        m_h->engine.shortCallTimeoutMs = 1500;   // for the page that never answers
        const bool answered = await(m_h->engine.info(), 60000).has_value();
        m_h->engine.shortCallTimeoutMs = limit;
        QVERIFY(!answered);
    }

    // The bundle runs once per document; a new document gets it again.
    void bundleRunsOncePerDocument()
    {
        SpamEngine::setScriptFolder(m_stubs.path());
        openStubPage();
        answers(QStringLiteral("{flag: () => true}"));
        await(m_h->engine.flag({}, QString()));
        await(m_h->engine.flag({}, QString()));
        QCOMPARE(vtx(QStringLiteral("return String(window.__bundleRuns);")), QStringLiteral("1"));
        QCOMPARE(vtx(QStringLiteral("return String(window.__vtxSite);")), QStringLiteral("youtube"));
        openStubPage();
        QCOMPARE(vtx(QStringLiteral("return String(window.__bundleRuns);")), QStringLiteral("undefined"));
        // Without the scripts the progress call answers none rather than failing.
        QVERIFY(!await(m_h->engine.progress()));
    }

    void pageChanges_data()
    {
        QTest::addColumn<int>("change");
        QTest::newRow("reload") << 0;
        QTest::newRow("navigation") << 1;
        QTest::newRow("other site's tab") << 2;
        QTest::newRow("render process dies") << 3;
    }
    void pageChanges()
    {
        QFETCH(int, change);
        SpamEngine::setScriptFolder(m_stubs.path());
        m_h->browser.selectSite(LoginProvider::youtube);
        openStubPage();
        // The page never answers: only the change can end the call (a scan's own limit is minutes).
        answers(QStringLiteral("{scan: () => new Promise(() => {})}"));
        auto task = m_h->engine.scan(0, false, false, 1, std::nullopt);
        QTimer::singleShot(200, this, [this, change] {
            if (change == 0)
                m_h->browser.retry();
            else if (change == 1)
                m_h->browser.open(QStringLiteral("https://www.youtube.com/"));
            else if (change == 2)
                m_h->browser.selectSite(LoginProvider::instagram);
            else
                page()->load(QUrl(QStringLiteral("chrome://kill")));
        });
        try {
            await(std::move(task), 60000);
            QFAIL("no error");
        } catch (const BrowserError &e) {
            QCOMPARE(e.description(), SpamEngine::pageChangedMessage());
        }
        m_h->browser.selectSite(LoginProvider::youtube);
        QTest::qWait(300);
    }

    // A scan or deletion that never settles ends with the time-out (its limit grows with the work),
    // or, once stopped, after the stop's grace even when the page never answers.
    void longCallsAreBounded_data()
    {
        QTest::addColumn<bool>("remove");
        QTest::addColumn<bool>("stop");
        QTest::newRow("scan, limit") << false << false;
        QTest::newRow("deletion, limit") << true << false;
        QTest::newRow("scan, stopped") << false << true;
        QTest::newRow("deletion, stopped") << true << true;
    }
    void longCallsAreBounded()
    {
        QFETCH(bool, remove);
        QFETCH(bool, stop);
        SpamEngine::setScriptFolder(m_stubs.path());
        openStubPage();
        answers(QStringLiteral("{scan: () => new Promise(() => {}), remove: () => new Promise(() => {})}"));
        // The limit scaled down to about a second (stopped: out of the way); the grace kept short.
        m_h->engine.longCallScale = stop ? 1.0 : 1000.0 / SpamEngine::scanTimeoutMs(1);
        m_h->engine.stopGraceMs = 500;
        const auto expectError = [&](auto task, const QString &message) {
            try {
                await(std::move(task), 30000);
                QFAIL("no error");
            } catch (const BrowserError &e) {
                QCOMPARE(e.description(), message);
            }
        };
        const QString message = stop ? SpamEngine::stoppedMessage() : SpamEngine::timeoutMessage();
        if (stop)
            QTimer::singleShot(200, &m_h->engine, [this] { m_h->engine.stop(); });
        if (remove)
            expectError(m_h->engine.remove({QStringLiteral("a")},
                                           QStringLiteral("https://www.youtube.com/engine-test")),
                        message);
        else
            expectError(m_h->engine.scan(1, false, false, 1, std::nullopt), message);
        m_h->engine.longCallScale = 1.0;
        m_h->engine.stopGraceMs = 3000;
        // A call started after the stop is not ended by it.
        answers(QStringLiteral("{scan: () => (") + kValidScan + QStringLiteral(")}"));
        QCOMPARE(await(m_h->engine.scan(0, false, false, 1, std::nullopt)).items.size(), 1);
    }

    // The limits grow with the work and stay generous.
    void longCallLimits()
    {
        QVERIFY(SpamEngine::scanTimeoutMs(100) > SpamEngine::scanTimeoutMs(1));
        QVERIFY(SpamEngine::scanTimeoutMs(1) >= 10 * 60 * 1000);
        QVERIFY(SpamEngine::scanTimeoutMs(0) >= SpamEngine::scanTimeoutMs(100000));
        QVERIFY(SpamEngine::removeTimeoutMs(10) > SpamEngine::removeTimeoutMs(1));
        QVERIFY(SpamEngine::removeTimeoutMs(1) >= 60 * 1000);
    }

    // A short call started after the render process died fails at once, not after its time-out.
    void callAfterRenderProcessDied()
    {
        SpamEngine::setScriptFolder(m_stubs.path());
        openStubPage();
        answers(QStringLiteral("{}"));
        QSignalSpy died(page(), &QWebEnginePage::renderProcessTerminated);
        // Killed from outside: the page keeps its address.
        const qint64 pid = page()->renderProcessPid();
        QVERIFY(pid > 0);
        QVERIFY(::kill(pid_t(pid), SIGKILL) == 0);
        QVERIFY(died.wait(20000));
        m_h->engine.shortCallTimeoutMs = 600000;
        try {
            await(m_h->engine.progress(), 15000);
            QFAIL("no error");
        } catch (const BrowserError &e) {
            QCOMPARE(e.description(), SpamEngine::pageChangedMessage());
        }
        m_h->engine.shortCallTimeoutMs = 20000;
        openStubPage();
    }

    void stopSetsThePageFlag()
    {
        SpamEngine::setScriptFolder(m_stubs.path());
        openStubPage();
        m_h->engine.stop();
        QTRY_COMPARE_WITH_TIMEOUT(vtx(QStringLiteral("return String(window.__vtxStop);")), QStringLiteral("true"),
                                  20000);
    }

    void revealCallsThePage()
    {
        SpamEngine::setScriptFolder(m_stubs.path());
        openStubPage();
        answers(QStringLiteral("{reveal: (id) => { window.__revealed = id; return true; }}"));
        m_h->engine.reveal(QStringLiteral("Ugx.1"));
        QTRY_COMPARE_WITH_TIMEOUT(vtx(QStringLiteral("return String(window.__revealed);")), QStringLiteral("Ugx.1"),
                                  20000);
    }
};

VT_WEB_TEST_MAIN(EngineTest)
#include "tst_engine.moc"
