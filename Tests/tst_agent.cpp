// The agent command dispatcher on the fixture site: the reply envelope, the sign-in guard, every
// refusal text, the page script in its own world (what it reads and what it never gives away),
// the history replies from a real store, and one request end to end over the control server.
#include "Await.h"
#include "LanguageScope.h"
#include "BridgeHarness.h"
#include "FixtureSite.h"
#include "PageTools.h"
#include "ScriptedAlerts.h"
#include "StoreTestData.h"
#include "WebTestMain.h"
#include "YouTubeFixture.h"

#include "Agent/AgentController.h"
#include "Agent/AgentReplies.h"
#include "Agent/LocalServer.h"
#include "Base/Lang.h"
#include "Browser/BrowserError.h"
#include "ModelHarness.h"
#include "Scan/SpamModel.h"
#include "Store/ScanStore.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QScopeGuard>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <memory>

using vt::test::await;
using vt::test::FixtureSite;
using vt::test::YouTubeFixture;
using vt::test::YtComment;

namespace {

constexpr int kSlowMs = 60000;

// A watch page with everything the agent must never see: typed form values, a sign-in form,
// a comment draft, cookies and storage.
const QByteArray kSecretPage = R"(<!doctype html><html><head><title>Secret test - YouTube</title></head><body>
<h1 id="headline">Visible headline</h1>
<p class="desc">Plain description text</p>
<a href="/watch?v=next">Next video</a>
<button aria-label="Like this">Like</button>
<form id="login"><input type="email" name="email" value="owner@mail.example">
<input type="password" name="pw" value="hunter2-secret"><label>Remember</label></form>
<input id="search" type="text" value="typed-search-secret">
<textarea id="draft">draft-textarea-secret</textarea>
<div contenteditable="true" id="box">editable-draft-secret</div>
<input autocomplete="one-time-code" value="otp-secret">
<div hidden>hidden-secret</div>
<div style="display:none"><p>undisplayed-text</p></div>
<div id="long"></div>
<script>
document.cookie = "SID=cookie-secret; path=/";
try { localStorage.setItem("k", "storage-secret"); } catch (e) {}
const long = document.getElementById("long");
for (let i = 0; i < 3000; i++) { const p = document.createElement("p"); p.textContent = "filler line " + i + " with words"; long.appendChild(p); }
for (let i = 0; i < 400; i++) { const a = document.createElement("a"); a.href = "/watch?v=v" + i; a.textContent = "link " + i; long.appendChild(a); }
document.body.style.minHeight = "20000px";
</script></body></html>)";

const QStringList kSecrets = {"owner@mail.example",    "hunter2-secret",        "typed-search-secret",
                              "draft-textarea-secret", "editable-draft-secret", "otp-secret",
                              "cookie-secret",         "storage-secret",        "hidden-secret"};

const QString kPostVideo = QStringLiteral("vAgentPost1");

// The model's refusal of a selection that is not of the scanned page's spam comments.
QString reviewMessage()
{
    return byLanguage(QStringLiteral("현재 페이지의 검사 결과를 다시 확인해 주세요."),
                      QStringLiteral("Please review this page's scan results again."));
}

QStringList idsOf(const QJsonObject &state, const std::function<bool(const QJsonObject &)> &keep)
{
    QStringList out;
    for (const QJsonValue &v : state.value(QStringLiteral("items")).toArray()) {
        if (keep(v.toObject()))
            out << v.toObject().value(QStringLiteral("id")).toString();
    }
    return out;
}

bool isSpam(const QJsonObject &item)
{
    return item.value(QStringLiteral("state")).toString() == QLatin1String("spam");
}

QString jsonText(const QJsonValue &value)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
}

}   // namespace

class AgentTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_data;
    std::unique_ptr<vt::test::BridgeHarness> m_web;
    ModelHarness m_models;   // the model the commands will drive, over its own settings and history
    ScanStore m_store{std::nullopt};
    std::unique_ptr<AgentController> m_agent;
    // A model that follows the browser, and its dispatcher, for the commands on a real post.
    YouTubeFixture *m_yt = nullptr;
    std::unique_ptr<ModelHarness> m_live;
    std::unique_ptr<AgentController> m_liveAgent;
    vt::test::ScriptedAlerts m_alerts;

    // The reply object for one request body.
    QJsonObject send(const QJsonObject &body) { return await(AgentController::reply(m_agent.get(), body), kSlowMs); }
    QJsonObject command(const QString &cmd, const QJsonObject &args = {})
    {
        return send({{QStringLiteral("cmd"), cmd}, {QStringLiteral("args"), args}});
    }
    static QString error(const QJsonObject &reply)
    {
        return reply.value(QStringLiteral("ok")).toBool() ? QStringLiteral("<ok>")
                                                          : reply.value(QStringLiteral("error")).toString();
    }
    static QJsonValue result(const QJsonObject &reply) { return reply.value(QStringLiteral("result")); }

    QJsonObject live(const QString &cmd, const QJsonObject &args = {})
    {
        return await(AgentController::reply(m_liveAgent.get(),
                                            {{QStringLiteral("cmd"), cmd}, {QStringLiteral("args"), args}}),
                     kSlowMs * 4);
    }

    // The fixture post open and scanned through the agent's own "scan"; its page state.
    QJsonObject scannedPost(YouTubeFixture::Viewer viewer = YouTubeFixture::Viewer::Owner)
    {
        m_yt->install(*FixtureSite::shared());
        m_yt->setViewer(viewer);
        if (!m_live) {
            m_live = std::make_unique<ModelHarness>(
                QVariantMap{{QStringLiteral("vt.scanOnOpen"), false}, {QStringLiteral("vt.aiOn"), false}});
            m_live->useBrowser(&m_web->engine, &m_web->browser);
            m_live->model().setAlerts(&m_alerts);
            m_liveAgent = std::make_unique<AgentController>(&m_web->browser, &m_live->model(), &m_live->store(),
                                                            ControlFile(m_data->path() + QStringLiteral("/live")));
        }
        SpamModel *model = &m_live->model();
        m_web->browser.onNavigate = [model] { model->openPage().navigationChanged(); };
        // A fresh load each time: the viewer decides what the page allows.
        if (!m_web->open(QUrl(YouTubeFixture::watchUrl(kPostVideo).toString() + QStringLiteral("&n=")
                              + QString::number(++m_loads))))
            return {};
        QJsonObject reply;
        // Refused, changing nothing, until the model knows the post.
        const bool scanned = QTest::qWaitFor(
            [&] {
            reply = live(QStringLiteral("scan"));
            return reply.value(QStringLiteral("ok")).toBool();
            },
            kSlowMs);
        return scanned ? result(reply).toObject() : QJsonObject();
    }
    int m_loads = 0;

    bool openSecretPage()
    {
        return m_web->open(FixtureSite::url(QStringLiteral("www.youtube.com"), QStringLiteral("/watch?v=secret")));
    }

private slots:
    void initTestCase()
    {
        m_data = std::make_unique<QTemporaryDir>();
        FixtureSite::shared()->page(QStringLiteral("www.youtube.com"), QStringLiteral("/watch"), kSecretPage);
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        m_yt = new YouTubeFixture(this);
        m_yt->addVideo({kPostVideo, QStringLiteral("Agent post"), false, false,
                        YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"), now)});
        m_web = std::make_unique<vt::test::BridgeHarness>();
        m_agent = std::make_unique<AgentController>(&m_web->browser, &m_models.model(), &m_store,
                                                    ControlFile(m_data->path() + QStringLiteral("/Veltrane")));
        QVERIFY(m_agent->server());
        QVERIFY(m_agent->error().isEmpty());
    }

    void cleanup()
    {
        AgentController::setPageScriptFile(QString());
        // The fixture post takes over /watch; the other tests read the secret page there.
        m_web->browser.onNavigate = {};
        FixtureSite::shared()->page(QStringLiteral("www.youtube.com"), QStringLiteral("/watch"), kSecretPage);
    }
    void cleanupTestCase()
    {
        m_liveAgent.reset();
        m_live.reset();
    }

    void envelope_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("error");
        QTest::newRow("no cmd") << QByteArray("{}") << AgentController::noCommandMessage();
        QTest::newRow("cmd a number") << QByteArray("{\"cmd\":5}") << AgentController::noCommandMessage();
        QTest::newRow("cmd null") << QByteArray("{\"cmd\":null}") << AgentController::noCommandMessage();
        QTest::newRow("unknown") << QByteArray("{\"cmd\":\"dance\"}") << AgentController::unknownMessage();
        QTest::newRow("case matters") << QByteArray("{\"cmd\":\"History\"}") << AgentController::unknownMessage();
        QTest::newRow("args an array is no args")
            << QByteArray("{\"cmd\":\"history\",\"args\":[1]}") << QStringLiteral("<ok>");
        QTest::newRow("args missing") << QByteArray("{\"cmd\":\"history\"}") << QStringLiteral("<ok>");
    }

    void envelope()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, error);
        const QJsonObject reply = send(QJsonDocument::fromJson(body).object());
        QCOMPARE(AgentTest::error(reply), error);
        QCOMPARE(reply.keys().size(), 2);
    }

    // The agent reads the control server's refusals in the window's language.
    void refusalsInTheWindowsLanguage_data()
    {
        QTest::addColumn<bool>("korean");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown, English")
            << false << QByteArray("{\"cmd\":\"dance\"}") << "This command isn't supported.";
        QTest::newRow("unknown, Korean") << true << QByteArray("{\"cmd\":\"dance\"}") << "지원하지 않는 명령입니다.";
        QTest::newRow("bad address, English")
            << false << QByteArray("{\"cmd\":\"history\",\"args\":{\"post\":\"https://example.com/x\"}}")
            << "A YouTube video or Instagram post address is needed.";
        QTest::newRow("bad address, Korean")
            << true << QByteArray("{\"cmd\":\"history\",\"args\":{\"post\":\"https://example.com/x\"}}")
            << "YouTube 영상이나 Instagram 게시물 주소가 필요합니다.";
    }
    void refusalsInTheWindowsLanguage()
    {
        QFETCH(bool, korean);
        QFETCH(QByteArray, body);
        QFETCH(QString, error);
        LanguageScope language(korean);
        const QJsonObject reply = send(QJsonDocument::fromJson(body).object());
        QCOMPARE(reply.value("ok"), QJsonValue(false));
        QCOMPARE(AgentTest::error(reply), error);
    }

    void dispatcherGone()
    {
        const QJsonObject reply = await(
            AgentController::reply(nullptr, {{QStringLiteral("cmd"), QStringLiteral("stop")}}));
        QCOMPARE(error(reply), AgentController::goneMessage());
    }

    // The commands' own checks, before they need anything of the model.
    void refusals_data()
    {
        QTest::addColumn<QString>("cmd");
        QTest::addColumn<QByteArray>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("history of an unsupported address")
            << "history" << QByteArray("{\"post\":\"https://example.com/x\"}") << AgentController::postAddressMessage();
        QTest::newRow("history of a channel page")
            << "history" << QByteArray("{\"post\":\"https://www.youtube.com/@me\"}")
            << AgentController::postAddressMessage();
        QTest::newRow("delete without url")
            << "request_delete" << QByteArray("{\"ids\":[\"a\"]}") << AgentController::deleteTargetMessage();
        QTest::newRow("delete url a number")
            << "request_delete" << QByteArray("{\"url\":5,\"ids\":[]}") << AgentController::deleteTargetMessage();
        QTest::newRow("delete of another page")
            << "request_delete" << QByteArray("{\"url\":\"https://www.youtube.com/watch?v=other\",\"ids\":[]}")
            << AgentController::deleteTargetMessage();
        QTest::newRow("delete url with trailing slash")
            << "request_delete" << QByteArray("{\"url\":\"%ADDRESS%/\",\"ids\":[]}")
            << AgentController::deleteTargetMessage();
        // Stop is always accepted, also with nothing running.
        QTest::newRow("stop") << "stop" << QByteArray("{}") << QStringLiteral("<ok>");
        // The model knows no supported page here, and no comment of that id.
        QTest::newRow("scan off a known post") << "scan" << QByteArray("{}") << AgentController::scanRefusedMessage();
        QTest::newRow("reveal of an unknown id")
            << "reveal" << QByteArray("{\"id\":\"x\"}") << AgentController::notScannedMessage();
        QTest::newRow("reveal without id") << "reveal" << QByteArray("{}") << AgentController::notScannedMessage();
        // The model's own refusal passes through: it has no scanned results here.
        QTest::newRow("select") << "select" << QByteArray("{\"ids\":[\"a\"]}") << reviewMessage();
        QTest::newRow("select without ids") << "select" << QByteArray("{}") << AgentController::idsMessage();
    }

    void refusals()
    {
        QFETCH(QString, cmd);
        QFETCH(QByteArray, args);
        QFETCH(QString, error);
        QVERIFY(openSecretPage());
        args.replace("%ADDRESS%", m_web->browser.address().toUtf8());
        QCOMPARE(AgentTest::error(command(cmd, QJsonDocument::fromJson(args).object())), error);
    }

    void scanArguments_data()
    {
        QTest::addColumn<QByteArray>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("none") << QByteArray("{}") << QString();
        QTest::newRow("all valid") << QByteArray("{\"limit\":100000,\"sort\":\"ai\",\"noLikesOnly\":true}")
                                   << QString();
        QTest::newRow("limit 0") << QByteArray("{\"limit\":0}") << QString();
        QTest::newRow("limit 5.0") << QByteArray("{\"limit\":5.0}") << QString();
        QTest::newRow("limit 1e3") << QByteArray("{\"limit\":1e3}") << QString();
        const QString limit = AgentController::limitMessage();
        for (const char *bad : {"100001", "-1", "1.5", "true", "\"10\"", "null", "[]", "1e300"})
            QTest::newRow(qPrintable(QStringLiteral("limit %1").arg(QLatin1String(bad))))
                << QByteArray("{\"limit\":") + bad + "}" << limit;
        for (const char *bad : {"\"Newest\"", "\"\"", "1", "null"})
            QTest::newRow(qPrintable(QStringLiteral("sort %1").arg(QLatin1String(bad))))
                << QByteArray("{\"sort\":") + bad + "}" << AgentController::sortMessage();
        for (const char *bad : {"1", "\"true\"", "null"})
            QTest::newRow(qPrintable(QStringLiteral("noLikesOnly %1").arg(QLatin1String(bad))))
                << QByteArray("{\"noLikesOnly\":") + bad + "}" << AgentController::noLikesMessage();
        QTest::newRow("valid limit, bad sort")
            << QByteArray("{\"limit\":10,\"sort\":\"x\"}") << AgentController::sortMessage();
        QTest::newRow("bad limit and bad sort: limit first") << QByteArray("{\"limit\":-5,\"sort\":\"x\"}") << limit;
    }

    void scanArguments()
    {
        QFETCH(QByteArray, args);
        QFETCH(QString, error);
        try {
            const auto parsed = AgentController::scanArguments(QJsonDocument::fromJson(args).object());
            QVERIFY2(error.isEmpty(), "accepted");
            if (args.contains("100000"))
                QCOMPARE(parsed, (AgentController::ScanArguments{100000, QStringLiteral("ai"), true}));
        } catch (const BrowserError &e) {
            QCOMPARE(e.description(), error);
        }
    }

    void ids_data()
    {
        QTest::addColumn<QByteArray>("args");
        QTest::addColumn<bool>("ok");
        QTest::newRow("empty array") << QByteArray("{\"ids\":[]}") << true;
        QTest::newRow("strings") << QByteArray("{\"ids\":[\"a\",\"b\"]}") << true;
        QTest::newRow("missing") << QByteArray("{}") << false;
        QTest::newRow("a string") << QByteArray("{\"ids\":\"a\"}") << false;
        QTest::newRow("a number inside") << QByteArray("{\"ids\":[\"a\",1]}") << false;
        QTest::newRow("null inside") << QByteArray("{\"ids\":[null]}") << false;
    }

    void ids()
    {
        QFETCH(QByteArray, args);
        QFETCH(bool, ok);
        try {
            AgentController::ids(QJsonDocument::fromJson(args).object());
            QVERIFY(ok);
        } catch (const BrowserError &e) {
            QVERIFY(!ok);
            QCOMPARE(e.description(), AgentController::idsMessage());
        }
    }

    void openTarget_data()
    {
        QTest::addColumn<QByteArray>("args");
        QTest::addColumn<QString>("url");   // "" when refused
        const QString base = QStringLiteral("https://www.youtube.com/watch?v=abc");
        QTest::newRow("absolute") << QByteArray("{\"url\":\"https://www.youtube.com/watch?v=x\"}")
                                  << "https://www.youtube.com/watch?v=x";
        QTest::newRow("relative") << QByteArray("{\"url\":\"/watch?v=y\"}") << "https://www.youtube.com/watch?v=y";
        QTest::newRow("instagram") << QByteArray("{\"url\":\"instagram.com/p/C1/\"}")
                                   << "https://www.instagram.com/p/C1/";
        QTest::newRow("other site") << QByteArray("{\"url\":\"https://example.com/\"}") << QString();
        QTest::newRow("sign-in page") << QByteArray("{\"url\":\"https://accounts.google.com/ServiceLogin\"}")
                                      << QString();
        QTest::newRow("instagram sign-in")
            << QByteArray("{\"url\":\"https://www.instagram.com/accounts/login/\"}") << QString();
        QTest::newRow("no args") << QByteArray("{}") << QString();
        QTest::newRow("url a number") << QByteArray("{\"url\":1}") << QString();
    }

    void openTarget()
    {
        QFETCH(QByteArray, args);
        QFETCH(QString, url);
        try {
            const QUrl target = AgentController::openTarget(QJsonDocument::fromJson(args).object(),
                                                            QStringLiteral("https://www.youtube.com/watch?v=abc"));
            QCOMPARE(target.toString(), url);
        } catch (const BrowserError &e) {
            QVERIFY2(url.isEmpty(), qPrintable(e.description()));
            QCOMPARE(e.description(), AgentController::openRefusedMessage());
        }
    }

    // The page script reads what is shown and nothing anyone typed or the site keeps.
    void snapshotKeepsSecrets()
    {
        QVERIFY(openSecretPage());
        const QJsonObject reply = command(QStringLiteral("snapshot"));
        QCOMPARE(error(reply), QStringLiteral("<ok>"));
        const QJsonObject snap = result(reply).toObject();
        QCOMPARE(snap.value(QStringLiteral("url")).toString(), m_web->browser.address());
        QCOMPARE(snap.value(QStringLiteral("title")).toString(), QStringLiteral("Secret test - YouTube"));
        const QString text = snap.value(QStringLiteral("text")).toString();
        QVERIFY(text.contains(QStringLiteral("Visible headline")));
        QVERIFY(text.contains(QStringLiteral("Plain description text")));
        QVERIFY(text.size() <= 20000);
        QVERIFY(!text.contains(QStringLiteral("undisplayed-text")));
        QVERIFY(snap.value(QStringLiteral("truncated")).toBool());
        QVERIFY(snap.value(QStringLiteral("links")).toArray().size() <= 100);
        QCOMPARE(
            snap.value(QStringLiteral("links")).toArray().first().toObject().value(QStringLiteral("text")).toString(),
            QStringLiteral("Next video"));
        const QString all = jsonText(snap);
        QVERIFY(all.size() <= 256 * 1024);
        for (const QString &secret : kSecrets)
            QVERIFY2(!all.contains(secret), qPrintable(secret));
    }

    void inspect_data()
    {
        QTest::addColumn<QByteArray>("args");
        QTest::addColumn<QString>("expect");   // a key of the answer, or an "error" value
        QTest::newRow("headline") << QByteArray("{\"selector\":\"#headline\"}") << "elements";
        QTest::newRow("bad selector") << QByteArray("{\"selector\":\"[[[\"}") << "invalid selector";
        QTest::newRow("no selector") << QByteArray("{}") << "selector required";
        QTest::newRow("selector a number") << QByteArray("{\"selector\":5}") << "selector required";
        QTest::newRow("inputs") << QByteArray("{\"selector\":\"input, textarea, [contenteditable]\",\"limit\":1000}")
                                << "elements";
        QTest::newRow("every paragraph, limit clamped")
            << QByteArray("{\"selector\":\"p\",\"limit\":1e9}") << "elements";
    }

    void inspect()
    {
        QFETCH(QByteArray, args);
        QFETCH(QString, expect);
        QVERIFY(openSecretPage());
        const QJsonObject reply = command(QStringLiteral("inspect"), QJsonDocument::fromJson(args).object());
        QCOMPARE(error(reply), QStringLiteral("<ok>"));
        const QJsonObject answer = result(reply).toObject();
        if (expect != QLatin1String("elements")) {
            QCOMPARE(answer.value(QStringLiteral("error")).toString(), expect);
            return;
        }
        const QJsonArray elements = answer.value(QStringLiteral("elements")).toArray();
        QVERIFY(!elements.isEmpty());
        QVERIFY(elements.size() <= 50);
        const QString all = jsonText(answer);
        for (const QString &secret : kSecrets)
            QVERIFY2(!all.contains(secret), qPrintable(secret));
        if (args.contains("headline"))
            QCOMPARE(elements.first().toObject().value(QStringLiteral("text")).toString(),
                     QStringLiteral("Visible headline"));
    }

    void scroll()
    {
        QVERIFY(openSecretPage());
        QJsonObject reply = command(QStringLiteral("scroll"), {{QStringLiteral("to"), QStringLiteral("bottom")}});
        QCOMPARE(error(reply), QStringLiteral("<ok>"));
        QVERIFY(result(reply).toObject().value(QStringLiteral("moved")).toBool());
        QVERIFY(result(reply).toObject().value(QStringLiteral("scrollY")).toInt() > 1000);
        const int bottom = result(reply).toObject().value(QStringLiteral("scrollY")).toInt();
        // A step is clamped to 100000 pixels.
        reply = command(QStringLiteral("scroll"), {{QStringLiteral("by"), -1e12}});
        QCOMPARE(result(reply).toObject().value(QStringLiteral("scrollY")).toInt(), std::max(0, bottom - 100000));
        reply = command(QStringLiteral("scroll"), {{QStringLiteral("to"), QStringLiteral("top")}});
        QCOMPARE(result(reply).toObject().value(QStringLiteral("scrollY")).toInt(), 0);
        reply = command(QStringLiteral("scroll"), {{QStringLiteral("selector"), QStringLiteral("::nope")}});
        QCOMPARE(result(reply).toObject().value(QStringLiteral("error")).toString(),
                 QStringLiteral("invalid selector"));
    }

    // The script file's own failures reach the agent; the script's value passes through untouched.
    void pageScriptFailures_data()
    {
        QTest::addColumn<QByteArray>("script");   // empty: no file at all
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("value");
        QTest::newRow("missing") << QByteArray() << AgentController::scriptMissingMessage() << QString();
        QTest::newRow("throws") << QByteArray("throw new Error('boom in page');") << QStringLiteral("boom in page")
                                << QString();
        QTest::newRow("returns nothing") << QByteArray("return;") << QStringLiteral("<ok>") << QStringLiteral("[null]");
        QTest::newRow("returns a number")
            << QByteArray("return 42;") << QStringLiteral("<ok>") << QStringLiteral("[42]");
        QTest::newRow("sees its arguments")
            << QByteArray("return [method, args.x];") << QStringLiteral("<ok>") << QStringLiteral("[[\"inspect\",7]]");
        QTest::newRow("own world") << QByteArray("return typeof window.__vtx;") << QStringLiteral("<ok>")
                                   << QStringLiteral("[\"undefined\"]");
    }

    void pageScriptFailures()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, error);
        QFETCH(QString, value);
        QVERIFY(openSecretPage());
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/agent-page.js");
        if (!script.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(script);
        }
        AgentController::setPageScriptFile(path);
        const QJsonObject reply = command(QStringLiteral("inspect"), {{QStringLiteral("x"), 7}});
        if (error == QLatin1String("<ok>")) {
            QCOMPARE(AgentTest::error(reply), error);
            QCOMPARE(jsonText(result(reply)), value);
        } else {
            QVERIFY2(AgentTest::error(reply).contains(error), qPrintable(AgentTest::error(reply)));
        }
    }

    // A page change while the script runs drops its value.
    void pageChangedWhileReading()
    {
        QVERIFY(openSecretPage());
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/agent-page.js");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("await new Promise(r => setTimeout(r, 20000)); return 'late';");
        file.close();
        AgentController::setPageScriptFile(path);
        auto pending = AgentController::reply(m_agent.get(), {{QStringLiteral("cmd"), QStringLiteral("snapshot")}});
        QTimer::singleShot(300, this, [this] {
            m_web->browser.open(
                FixtureSite::url(QStringLiteral("www.youtube.com"), QStringLiteral("/watch?v=moved")).toString());
        });
        QCOMPARE(error(await(std::move(pending), kSlowMs)), AgentController::pageChangedMessage());
    }

    // The commands that read and set the model: the page state, the refusals while it works,
    // the scan settings (all checked before any is stored), opening a page, reveal.
    void modelCommands()
    {
        QVERIFY(openSecretPage());
        SpamModel &model = m_models.model();
        Comment spam = vt::test::makeComment(QStringLiteral("c1"), QStringLiteral("casino"), QStringLiteral("spam"));
        model.review().setComments({spam, vt::test::makeComment(QStringLiteral("c2"), QStringLiteral("fine"))});
        model.openPage().setHasScanned(true);
        model.openPage().setRecentOnly(true);
        model.scanReport().setLastFacts({{QStringLiteral("complete"), true}, {QStringLiteral("siteSorted"), false}});
        model.statusLine().set(QStringLiteral("done"), StatusKind::ok);
        QJsonObject state = result(command(QStringLiteral("comments"))).toObject();
        QCOMPARE(state.value(QStringLiteral("url")).toString(), m_web->browser.address());
        const QJsonArray items = state.value(QStringLiteral("items")).toArray();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items.at(0).toObject().value(QStringLiteral("id")).toString(), QStringLiteral("c1"));
        QCOMPARE(state.value(QStringLiteral("status")).toString(), QStringLiteral("done"));
        QCOMPARE(state.value(QStringLiteral("hasScanned")), QJsonValue(true));
        QCOMPARE(state.value(QStringLiteral("recentOnly")), QJsonValue(true));
        QCOMPARE(state.value(QStringLiteral("busy")), QJsonValue(false));
        QCOMPARE(state.value(QStringLiteral("lastScan")).toObject(),
                 (QJsonObject{{QStringLiteral("complete"), true}, {QStringLiteral("siteSorted"), false}}));

        // While the model works: busy, and no page change, scan or reveal.
        model.jobs().set(JobState::Job::scan, true);
        QCOMPARE(result(command(QStringLiteral("comments"))).toObject().value(QStringLiteral("busy")),
                 QJsonValue(true));
        QCOMPARE(error(command(QStringLiteral("open"), {{QStringLiteral("url"), QStringLiteral("/watch?v=b")}})),
                 AgentController::openRefusedMessage());
        QCOMPARE(error(command(QStringLiteral("scan"))), AgentController::scanRefusedMessage());
        QCOMPARE(error(command(QStringLiteral("reveal"), {{QStringLiteral("id"), QStringLiteral("c1")}})),
                 AgentController::notScannedMessage());
        model.jobs().set(JobState::Job::scan, false);
        // A scanned comment passes the check.
        QCOMPARE(error(command(QStringLiteral("reveal"), {{QStringLiteral("id"), QStringLiteral("c1")}})),
                 QStringLiteral("<ok>"));

        // On a supported post: one bad argument stores none of them.
        SiteInfo info;
        info.site = QStringLiteral("youtube");
        info.supported = true;
        model.openPage().setInfo(info);
        model.ownerSettings().set(OwnerSettings::Key::limit, 0);
        model.ownerSettings().set(OwnerSettings::Key::sort, QStringLiteral("page"));
        model.ownerSettings().set(OwnerSettings::Key::noLikesOnly, false);
        QCOMPARE(error(command(QStringLiteral("scan"),
                               {{QStringLiteral("limit"), 200}, {QStringLiteral("sort"), QStringLiteral("sideways")}})),
                 AgentController::sortMessage());
        QCOMPARE(model.ownerSettings().limit(), qint64(0));
        QCOMPARE(model.ownerSettings().get(OwnerSettings::Key::sort).toString(), QStringLiteral("page"));
        // Good ones are stored like the owner's own changes before the scan starts.
        command(QStringLiteral("scan"),
                {{QStringLiteral("limit"), 200},
                 {QStringLiteral("sort"), QStringLiteral("newest")},
                 {QStringLiteral("noLikesOnly"), true}});
        QCOMPARE(model.ownerSettings().limit(), qint64(200));
        QCOMPARE(model.ownerSettings().get(OwnerSettings::Key::sort).toString(), QStringLiteral("newest"));
        QVERIFY(model.ownerSettings().noLikesOnly());
        model.openPage().setInfo(std::nullopt);
        model.review().setComments({});

        // An idle model lets the agent open a post.
        const QJsonObject opened = result(command(QStringLiteral("open"),
                                                  {{QStringLiteral("url"), QStringLiteral("/watch?v=opened")}}))
                                       .toObject();
        QCOMPARE(opened.value(QStringLiteral("url")).toString(),
                 FixtureSite::url(QStringLiteral("www.youtube.com"), QStringLiteral("/watch?v=opened")).toString());
        QTRY_COMPARE_WITH_TIMEOUT(m_web->browser.address(), opened.value(QStringLiteral("url")).toString(), kSlowMs);
    }

    void notReadyWithoutSupportedPage()
    {
        vt::test::BridgeHarness fresh;
        ModelHarness models;
        AgentController agent(&fresh.browser, &models.model(), &m_store,
                              ControlFile(m_data->path() + QStringLiteral("/other")));
        const QJsonObject reply = await(
            AgentController::reply(&agent, {{QStringLiteral("cmd"), QStringLiteral("snapshot")}}));
        QCOMPARE(error(reply), AgentController::notReadyMessage());
    }

    // During a site sign-in every command but "stop" gets the sign-in text, unknown ones too.
    void signInGuard_data()
    {
        QTest::addColumn<QString>("cmd");
        for (const char *cmd : {"snapshot", "inspect", "scroll", "open", "comments", "scan", "select", "request_delete",
                                "history", "reveal", "no-such-command"})
            QTest::newRow(cmd) << cmd;
    }

    void signInGuard()
    {
        QFETCH(QString, cmd);
        vt::test::BridgeHarness signingIn;
        ModelHarness models;
        AgentController agent(&signingIn.browser, &models.model(), &m_store,
                              ControlFile(m_data->path() + QStringLiteral("/guard")));
        signingIn.browser.signIn(LoginProvider::youtube);
        QVERIFY(signingIn.browser.accounts()->isAuthenticating());
        const QJsonObject reply = await(AgentController::reply(&agent, {{QStringLiteral("cmd"), cmd}}));
        QCOMPARE(error(reply), AgentController::signInMessage());
        const QJsonObject stop = await(
            AgentController::reply(&agent, {{QStringLiteral("cmd"), QStringLiteral("stop")}}));
        QVERIFY(error(stop) != AgentController::signInMessage());
    }

    void pageStateShape()
    {
        AgentReplies::PageState state;
        QJsonObject reply = AgentReplies::pageState(state);
        QCOMPARE(reply.value(QStringLiteral("url")).toString(), QString());
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$"))
                    .match(reply.value(QStringLiteral("documentID")).toString())
                    .hasMatch());
        QCOMPARE(reply.value(QStringLiteral("items")).toArray(), QJsonArray());
        QCOMPARE(reply.value(QStringLiteral("lastScan")).toObject(), QJsonObject());
        QCOMPARE(reply.value(QStringLiteral("hasScanned")), QJsonValue(false));
        QCOMPARE(reply.value(QStringLiteral("busy")), QJsonValue(false));
        QCOMPARE(reply.value(QStringLiteral("recentOnly")), QJsonValue(false));
        QCOMPARE(reply.value(QStringLiteral("status")).toString(), QString());

        state.documentID = QUuid::createUuid();
        Comment c = vt::test::makeComment(QStringLiteral("c1"), QStringLiteral("hello"), QStringLiteral("spam"));
        c.aiProb = 0.9;
        state.items = {c, vt::test::makeComment(QStringLiteral("c2"), QStringLiteral("fine"))};
        state.lastScan = {{QStringLiteral("complete"), true}, {QStringLiteral("siteSorted"), false}};
        state.hasScanned = true;
        reply = AgentReplies::pageState(state);
        const QJsonArray items = reply.value(QStringLiteral("items")).toArray();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items.at(0).toObject().value(QStringLiteral("aiProb")).toDouble(), 0.9);
        QVERIFY(!items.at(1).toObject().contains(QStringLiteral("aiProb")));
        QVERIFY(!items.at(1).toObject().contains(QStringLiteral("publishedAt")));
        QCOMPARE(reply.value(QStringLiteral("lastScan")).toObject().value(QStringLiteral("complete")),
                 QJsonValue(true));
        QCOMPARE(reply.value(QStringLiteral("documentID")).toString().size(), 36);
    }

    // The history replies from a real store: types, absent values, kinds and the comment limit.
    void history()
    {
        ScanStore store(std::nullopt);
        const QString url = QStringLiteral("https://www.youtube.com/watch?v=hist1");
        const QDateTime scanned = QDateTime::fromMSecsSinceEpoch(1765000000500);
        ScanStore::Post post;
        post.site = QStringLiteral("youtube");
        post.url = url;
        post.title = QStringLiteral("History post");
        post.scannedAt = scanned;
        post.total = 3;
        post.flagged = 1;
        QVERIFY(store.record(post));
        QList<Comment> page = vt::test::makePage(QStringLiteral("h"), AgentReplies::commentLimit + 1);
        page[0].aiProb = std::nullopt;
        QVERIFY(store.remember(QStringLiteral("youtube"), url, page, std::nullopt, scanned));
        QVERIFY(store.markDeleted(QStringLiteral("youtube"), {QStringLiteral("h1")}, scanned.addSecs(10)));
        ScanStore::Run scan;
        scan.session = QStringLiteral("s1");
        scan.site = QStringLiteral("youtube");
        scan.post = url;
        scan.at = scanned;
        scan.total = 3;
        QVERIFY(store.log(scan,
                          {ScanStore::Item{QStringLiteral("h0"),
                                           QStringLiteral("spam"),
                                           QStringLiteral("rule"),
                                           QStringLiteral("link"),
                                           0.75,
                                           {},
                                           true}})
                > 0);
        ScanStore::Run removal = scan;
        removal.kind = ScanStore::Run::Kind::Delete;
        removal.deleted = 1;
        removal.at = scanned.addSecs(10);
        QVERIFY(store.log(removal,
                          {ScanStore::Item{
                              QStringLiteral("h1"), QStringLiteral("spam"), QString(), QString(), {}, {}, false}})
                > 0);

        const QJsonObject list = AgentReplies::posts(store);
        const QJsonObject row = list.value(QStringLiteral("posts")).toArray().first().toObject();
        QCOMPARE(row.value(QStringLiteral("thumbnail")), QJsonValue(QString()));
        QCOMPARE(row.value(QStringLiteral("scannedAt")).toDouble(), 1765000000.5);
        QCOMPARE(row.value(QStringLiteral("watched")), QJsonValue(false));
        QCOMPARE(row.value(QStringLiteral("total")), QJsonValue(3));

        // Through the dispatcher: any form of the address finds the canonical post.
        AgentController agent(&m_web->browser, &m_models.model(), &store,
                              ControlFile(m_data->path() + QStringLiteral("/history")));
        const QJsonObject reply = await(
            AgentController::reply(&agent,
                                   {{QStringLiteral("cmd"), QStringLiteral("history")},
                                    {QStringLiteral("args"),
                                     QJsonObject{
                                         {QStringLiteral("post"), QStringLiteral("https://youtu.be/hist1")}}}}));
        QCOMPARE(error(reply), QStringLiteral("<ok>"));
        const QJsonObject history = result(reply).toObject();
        QCOMPARE(history.value(QStringLiteral("post")).toString(), url);
        const QJsonArray runs = history.value(QStringLiteral("runs")).toArray();
        QCOMPARE(runs.size(), 2);
        QCOMPARE(runs.at(0).toObject().value(QStringLiteral("kind")).toString(), QStringLiteral("scan"));
        QCOMPARE(runs.at(1).toObject().value(QStringLiteral("kind")).toString(), QStringLiteral("delete"));
        QCOMPARE(runs.at(0).toObject().value(QStringLiteral("auto")), QJsonValue(false));
        const QJsonObject item = runs.at(0).toObject().value(QStringLiteral("comments")).toArray().first().toObject();
        QCOMPARE(item.value(QStringLiteral("id")).toString(), QStringLiteral("h0"));
        QCOMPARE(item.value(QStringLiteral("aiProb")).toDouble(), 0.75);
        const QJsonArray comments = history.value(QStringLiteral("comments")).toArray();
        QCOMPARE(comments.size(), AgentReplies::commentLimit);
        int deleted = 0;
        for (const QJsonValue &v : comments) {
            const QJsonObject c = v.toObject();
            if (c.contains(QStringLiteral("deletedAt"))) {
                ++deleted;
                QCOMPARE(c.value(QStringLiteral("id")).toString(), QStringLiteral("h1"));
            }
            QVERIFY(c.value(QStringLiteral("firstSeenAt")).isDouble());
            QVERIFY(!c.contains(QStringLiteral("aiProb")));
        }
        QCOMPARE(deleted, 1);

        // A number is no address: the list of posts.
        const QJsonObject byNumber = await(
            AgentController::reply(&agent,
                                   {{QStringLiteral("cmd"), QStringLiteral("history")},
                                    {QStringLiteral("args"), QJsonObject{{QStringLiteral("post"), 5}}}}));
        QVERIFY(result(byNumber).toObject().contains(QStringLiteral("posts")));
    }

    // Whether the open post lets the agent delete: the owner's post does (an empty pick then ends
    // with "nothing selected"); someone else's post, or a signed-out viewer, is refused before any
    // tick changes. The owner is asked nothing either way.
    void canRemove_data()
    {
        QTest::addColumn<int>("viewer");
        QTest::addColumn<QString>("error");
        QTest::newRow("the owner's post")
            << int(YouTubeFixture::Viewer::Owner) << AgentController::nothingSelectedMessage();
        QTest::newRow("another user's post")
            << int(YouTubeFixture::Viewer::OtherUser) << AgentController::deleteTargetMessage();
        QTest::newRow("signed out") << int(YouTubeFixture::Viewer::SignedOut) << AgentController::deleteTargetMessage();
    }
    void canRemove()
    {
        QFETCH(int, viewer);
        QFETCH(QString, error);
        const QJsonObject state = scannedPost(YouTubeFixture::Viewer(viewer));
        QVERIFY(state.value(QStringLiteral("hasScanned")).toBool());
        const auto ticked = [](const QJsonObject &item) { return item.value(QStringLiteral("checked")).toBool(); };
        QVERIFY(!idsOf(state, isSpam).isEmpty());
        const int asked = m_alerts.asked;
        const QJsonObject reply = live(QStringLiteral("request_delete"),
                                       {{QStringLiteral("url"), state.value(QStringLiteral("url"))},
                                        {QStringLiteral("ids"), QJsonArray()}});
        QCOMPARE(AgentTest::error(reply), error);
        QCOMPARE(m_alerts.asked, asked);
        if (error == AgentController::deleteTargetMessage())
            QCOMPARE(idsOf(result(live(QStringLiteral("comments"))).toObject(), ticked), idsOf(state, ticked));
    }

    // Picking on a scanned post: exactly the chosen spam comments in page order, the model's
    // refusal (in the interface language) leaving every tick as it was, an empty pick, and
    // scrolling to a comment.
    void selectAndReveal()
    {
        const QJsonObject state = scannedPost();
        const QStringList spam = idsOf(state, isSpam);
        const QStringList others = idsOf(state, [](const QJsonObject &item) { return !isSpam(item); });
        QVERIFY(spam.size() >= 3 && !others.isEmpty());
        const auto picked = [](const QJsonValue &page) {
            return idsOf(page.toObject(), [](const QJsonObject &item) {
                return isSpam(item) && item.value(QStringLiteral("checked")).toBool();
            });
        };

        QJsonObject reply = live(QStringLiteral("select"),
                                 {{QStringLiteral("ids"), QJsonArray{spam.at(2), spam.at(0)}}});
        QCOMPARE(error(reply), QStringLiteral("<ok>"));
        QCOMPARE(picked(result(reply)), (QStringList{spam.at(0), spam.at(2)}));

        reply = live(QStringLiteral("select"), {{QStringLiteral("ids"), QJsonArray{spam.at(1), others.first()}}});
        QCOMPARE(error(reply), reviewMessage());
        QCOMPARE(picked(result(live(QStringLiteral("comments")))), (QStringList{spam.at(0), spam.at(2)}));

        QCOMPARE(picked(result(live(QStringLiteral("select"), {{QStringLiteral("ids"), QJsonArray()}}))),
                 QStringList());

        BrowserPage *page = m_web->browser.currentTab()->page();
        QCOMPARE(vt::test::evaluate(page, QStringLiteral("window.scrollTo(0, 0); window.scrollY")).toInt(), 0);
        QCOMPARE(error(live(QStringLiteral("reveal"), {{QStringLiteral("id"), spam.constLast()}})),
                 QStringLiteral("<ok>"));
        QTRY_VERIFY_WITH_TIMEOUT(vt::test::evaluate(page, QStringLiteral("window.scrollY")).toDouble() > 300, kSlowMs);
        QCOMPARE(error(live(QStringLiteral("reveal"), {{QStringLiteral("id"), QStringLiteral("no-such-comment")}})),
                 AgentController::notScannedMessage());
    }

    // A deletion the agent asks for is put to the owner in the window; the reply counts what the
    // site deleted, and a declined one says 0 and leaves the post as it was. A deletion the
    // history did not take reads as not recorded, with the history's reason.
    void requestDelete_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<bool>("refused");
        QTest::newRow("the owner confirms") << true << false;
        QTest::newRow("the owner cancels") << false << false;
        QTest::newRow("the history refuses the marks") << true << true;
    }
    void requestDelete()
    {
        QFETCH(bool, confirm);
        QFETCH(bool, refused);
        const QJsonObject state = scannedPost();
        const QStringList spam = idsOf(state, isSpam);
        QVERIFY(spam.size() >= 2);
        const QStringList picks{spam.at(0), spam.at(1)};
        const QSet<QString> before = m_yt->deleted(kPostVideo);
        m_alerts.answer = confirm ? 1 : 0;
        const int asked = m_alerts.asked;
        vt::test::RawDb raw(m_live->store().path());
        if (refused)
            QVERIFY(raw.exec(
                "CREATE TRIGGER refuse BEFORE UPDATE OF deleted_at ON comments BEGIN SELECT RAISE(ABORT, 'no room for the marks'); END"));
        auto dropped = qScopeGuard([&] { raw.exec("DROP TRIGGER IF EXISTS refuse"); });

        const QJsonObject reply = live(QStringLiteral("request_delete"),
                                       {{QStringLiteral("url"), state.value(QStringLiteral("url"))},
                                        {QStringLiteral("ids"), QJsonArray{picks.at(0), picks.at(1)}}});
        QCOMPARE(error(reply), QStringLiteral("<ok>"));
        QCOMPARE(m_alerts.asked, asked + 1);
        QCOMPARE(m_alerts.last.buttons.value(1), byLanguage(QStringLiteral("2개 삭제"), QStringLiteral("Delete 2")));
        const QJsonObject after = result(reply).toObject();
        QCOMPARE(after.value(QStringLiteral("deleted")), QJsonValue(confirm ? 2 : 0));
        QCOMPARE(after.value(QStringLiteral("recorded")), QJsonValue(!refused));
        QVERIFY2(after.value(QStringLiteral("historyError")).toString().contains("no room for the marks") == refused,
                 qPrintable(after.value(QStringLiteral("historyError")).toString()));
        const QStringList left = idsOf(after, [](const QJsonObject &) { return true; });
        const QSet<QString> gone = m_yt->deleted(kPostVideo) - before;
        if (confirm) {
            QCOMPARE(gone, QSet<QString>(picks.cbegin(), picks.cend()));
            QVERIFY(!left.contains(picks.at(0)) && !left.contains(picks.at(1)));
        } else {
            QVERIFY(gone.isEmpty());
            QVERIFY(left.contains(picks.at(0)) && left.contains(picks.at(1)));
        }
    }

    // The whole road: the control file, an HTTP request, the dispatcher, the reply.
    void overHttp()
    {
        const std::optional<QJsonObject> file = m_agent->server()->controlFile().read();
        QVERIFY(file.has_value());
        const QByteArray body = "{\"cmd\":\"history\",\"args\":{}}";
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, quint16(file->value(QStringLiteral("port")).toInt()));
        QVERIFY(socket.waitForConnected(kSlowMs));
        socket.write("POST /cmd HTTP/1.1\r\nContent-Type: application/json\r\nX-VT-Token: "
                     + file->value(QStringLiteral("token")).toString().toUtf8()
                     + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
        QByteArray received;
        QVERIFY(QTest::qWaitFor(
            [&] {
            received += socket.readAll();
            return socket.state() == QAbstractSocket::UnconnectedState;
            },
            kSlowMs));
        received += socket.readAll();
        QVERIFY2(received.startsWith("HTTP/1.1 200 OK\r\n"), received.constData());
        const QJsonObject reply = QJsonDocument::fromJson(received.mid(received.indexOf("\r\n\r\n") + 4)).object();
        QCOMPARE(reply.value(QStringLiteral("ok")), QJsonValue(true));
        QVERIFY(result(reply).toObject().value(QStringLiteral("posts")).isArray());
    }

    void serverThatCannotStart()
    {
        const QString real = m_data->path() + QStringLiteral("/real");
        QVERIFY(QDir().mkpath(real));
        const QString link = m_data->path() + QStringLiteral("/link");
        QVERIFY(QFile::link(real, link));
        AgentController agent(&m_web->browser, &m_models.model(), &m_store, ControlFile(link));
        QVERIFY(!agent.server());
        QCOMPARE(agent.error(), AgentController::startFailedMessage());
    }
};

VT_WEB_TEST_MAIN(AgentTest)

#include "tst_agent.moc"
