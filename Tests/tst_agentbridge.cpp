// veltrane-agent mcp as an MCP client sees it: the command line, JSON-RPC lines and their
// errors, ids echoed as written, the tool list, what a tool call sends to the application and
// how its reply, refusal or absence becomes the tool result, at most 16 calls at a time, and
// the end of input. The application is the stand-in control server in this process.
#include "ControlStandIn.h"
#include "McpSession.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using vt::test::ControlStandIn;
using vt::test::McpSession;

namespace {

const QByteArray kSentinel = "{\"jsonrpc\":\"2.0\",\"id\":\"sentinel\",\"method\":\"ping\"}";

QJsonObject errorReply(const QByteArray &id, int code, const char *message)
{
    const QJsonDocument idDoc = QJsonDocument::fromJson("[" + id + "]");
    return {{"jsonrpc", "2.0"},
            {"id", idDoc.array().at(0)},
            {"error", QJsonObject{{"code", code}, {"message", message}}}};
}

QJsonObject resultReply(const QByteArray &id, const QJsonObject &result)
{
    const QJsonDocument idDoc = QJsonDocument::fromJson("[" + id + "]");
    return {{"jsonrpc", "2.0"}, {"id", idDoc.array().at(0)}, {"result", result}};
}

const QJsonObject kInitialized{{"protocolVersion", "2024-11-05"},
                               {"capabilities", QJsonObject{{"tools", QJsonObject{}}}},
                               {"serverInfo", QJsonObject{{"name", "veltrane"}, {"version", "0.3.0"}}}};

}   // namespace

class AgentBridgeTest : public QObject {
    Q_OBJECT

    // Sessions check at the end that stdout carried protocol lines only.
    QList<McpSession *> m_sessions;

    McpSession *startBridge(const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
    {
        auto *session = new McpSession(this);
        m_sessions.append(session);
        if (!session->start({QStringLiteral("mcp")}, env))
            qWarning("veltrane-agent did not start");
        return session;
    }

private slots:
    void cleanup()
    {
        for (McpSession *session : std::as_const(m_sessions)) {
            session->closeInput();
            QVERIFY(session->waitFinished());
            QCOMPARE(session->strayLines(), 0);
            delete session;
        }
        m_sessions.clear();
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("runs");
        QTest::newRow("mcp") << QStringList{"mcp"} << true;
        QTest::newRow("mcp and more") << QStringList{"mcp", "--verbose", "x"} << true;
        QTest::newRow("none") << QStringList{} << false;
        QTest::newRow("upper case") << QStringList{"MCP"} << false;
        QTest::newRow("other") << QStringList{"serve", "mcp"} << false;
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, runs);
        McpSession session;
        QVERIFY(session.start(arguments));
        if (runs)
            session.request("ping");
        session.closeInput();
        QVERIFY(session.waitFinished());
        QCOMPARE(session.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(session.process().exitCode(), runs ? 0 : 1);
        QCOMPARE(session.process().readAllStandardError(),
                 runs ? QByteArray() : QByteArray("Usage: veltrane-agent mcp\n"));
        QCOMPARE(session.lines().size(), runs ? 1 : 0);
    }

    // Started with standard input closed, the bridge sees the end of input at once instead of
    // reading whatever file takes descriptor 0.
    void closedInput()
    {
        QProcess sh;
        sh.start("sh", {"-c", "exec \"$0\" mcp <&-", McpSession::program()});
        QVERIFY(sh.waitForFinished(60000));
        QCOMPARE(sh.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sh.exitCode(), 0);
        QCOMPARE(sh.readAllStandardOutput(), QByteArray());
    }

    // Each line, then a ping: what comes before the ping's reply is the line's answer.
    void lines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("rawId");   // as it must appear in the reply; empty: no reply
        QTest::addColumn<QJsonObject>("reply");

        const QJsonObject none;
        QTest::newRow("not json") << QByteArray("{\"jsonrpc\":") << QByteArray("null")
                                  << errorReply("null", -32700, "Parse error");
        QTest::newRow("not utf-8") << QByteArray("{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":\"p\xffng\"}")
                                   << QByteArray("null") << errorReply("null", -32700, "Parse error");
        QTest::newRow("bare number") << QByteArray("5") << QByteArray("null")
                                     << errorReply("null", -32600, "Invalid Request");
        QTest::newRow("empty array") << QByteArray("[]") << QByteArray("null")
                                     << errorReply("null", -32600, "Invalid Request");
        QTest::newRow("batch") << QByteArray("[{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":\"ping\"}]")
                               << QByteArray("null") << errorReply("null", -32600, "Invalid Request");
        QTest::newRow("no method") << QByteArray("{\"jsonrpc\":\"2.0\",\"id\":7}") << QByteArray("7")
                                   << errorReply("7", -32600, "Invalid Request");
        QTest::newRow("method not a string") << QByteArray("{\"jsonrpc\":\"2.0\",\"id\":7,\"method\":3}")
                                             << QByteArray("7") << errorReply("7", -32600, "Invalid Request");
        QTest::newRow("other version") << QByteArray("{\"jsonrpc\":\"1.0\",\"id\":7,\"method\":\"ping\"}")
                                       << QByteArray("7") << errorReply("7", -32600, "Invalid Request");
        QTest::newRow("params a string") << QByteArray(
            "{\"jsonrpc\":\"2.0\",\"id\":7,\"method\":\"ping\",\"params\":\"x\"}")
                                         << QByteArray("7") << errorReply("7", -32600, "Invalid Request");
        QTest::newRow("id an object") << QByteArray("{\"jsonrpc\":\"2.0\",\"id\":{},\"method\":\"ping\"}")
                                      << QByteArray("null") << errorReply("null", -32600, "Invalid Request");
        QTest::newRow("invalid notification") << QByteArray("{\"jsonrpc\":\"2.0\",\"method\":1}") << QByteArray("null")
                                              << errorReply("null", -32600, "Invalid Request");
        QTest::newRow("unknown method") << QByteArray(
            "{\"jsonrpc\":\"2.0\",\"id\":\"q\",\"method\":\"resources/list\"}")
                                        << QByteArray("\"q\"") << errorReply("\"q\"", -32601, "Method not found");
        QTest::newRow("notification") << QByteArray("{\"jsonrpc\":\"2.0\",\"method\":\"notifications/initialized\"}")
                                      << QByteArray() << none;
        QTest::newRow("cancellation") << QByteArray("{\"jsonrpc\":\"2.0\",\"method\":\"notifications/cancelled\","
                                                    "\"params\":{\"requestId\":3}}")
                                      << QByteArray() << none;
        QTest::newRow("unknown notification")
            << QByteArray("{\"jsonrpc\":\"2.0\",\"method\":\"tools/call\"}") << QByteArray() << none;
        QTest::newRow("a client's response")
            << QByteArray("{\"jsonrpc\":\"2.0\",\"id\":4,\"result\":{}}") << QByteArray() << none;
        QTest::newRow("blank") << QByteArray("  \t") << QByteArray() << none;
        QTest::newRow("ping") << QByteArray("{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":\"ping\"}") << QByteArray("1")
                              << resultReply("1", {});
        QTest::newRow("ping with crlf") << QByteArray("{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":\"ping\"}\r")
                                        << QByteArray("1") << resultReply("1", {});
        QTest::newRow("id beyond doubles")
            << QByteArray("{\"jsonrpc\":\"2.0\",\"id\":9007199254740993,\"method\":\"ping\"}")
            << QByteArray("9007199254740993") << resultReply("9007199254740993", {});
        QTest::newRow("id beyond 64 bits")
            << QByteArray("{\"jsonrpc\":\"2.0\",\"id\":123456789012345678901234567890,\"method\":\"ping\"}")
            << QByteArray("123456789012345678901234567890") << resultReply("123456789012345678901234567890", {});
        QTest::newRow("id as written") << QByteArray("{\"id\" : 1.50 ,\"jsonrpc\":\"2.0\",\"method\":\"ping\"}")
                                       << QByteArray("1.50") << resultReply("1.5", {});
        QTest::newRow("escaped id") << QByteArray(
            "{\"jsonrpc\":\"2.0\",\"\\u0069d\":\"a\\u00e9\\\"\",\"method\":\"ping\"}")
                                    << QByteArray("\"a\\u00e9\\\"\"") << resultReply("\"a\\u00e9\\\"\"", {});
        QTest::newRow("id null") << QByteArray("{\"jsonrpc\":\"2.0\",\"id\":null,\"method\":\"ping\"}")
                                 << QByteArray("null") << resultReply("null", {});
        QTest::newRow("initialize, any version") << QByteArray(
            "{\"jsonrpc\":\"2.0\",\"id\":0,\"method\":\"initialize\",\"params\":{\"protocolVersion\":\"2099-01-01\"}}")
                                                 << QByteArray("0") << resultReply("0", kInitialized);
    }

    void lines()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, rawId);
        QFETCH(QJsonObject, reply);
        McpSession *bridge = startBridge();
        bridge->send(line);
        bridge->send(kSentinel);
        QVERIFY(!bridge->waitReply("\"sentinel\"").isEmpty());
        const QList<QByteArray> before = bridge->lines().mid(0, bridge->lines().size() - 1);
        if (rawId.isEmpty()) {
            QCOMPARE(before, QList<QByteArray>());
            return;
        }
        QCOMPARE(before.size(), 1);
        QVERIFY2(before[0].contains("\"id\":" + rawId + ","), before[0].constData());
        QCOMPARE(QJsonDocument::fromJson(before[0]).object(), reply);
    }

    void toolList()
    {
        McpSession *bridge = startBridge();
        const QJsonArray tools =
            bridge->waitReply(bridge->request("tools/list")).value("result").toObject().value("tools").toArray();
        QStringList names;
        for (const QJsonValue &tool : tools) {
            names << tool["name"].toString();
            const QJsonObject schema = tool["inputSchema"].toObject();
            QCOMPARE(schema.keys(), QStringList({"additionalProperties", "properties", "required", "type"}));
            QCOMPARE(schema["type"], QJsonValue("object"));
            QCOMPARE(schema["additionalProperties"], QJsonValue(false));
            for (const QJsonValue &required : schema["required"].toArray())
                QVERIFY(schema["properties"].toObject().contains(required.toString()));
        }
        QCOMPARE(names,
                 QStringList({"veltrane_page", "veltrane_inspect", "veltrane_open", "veltrane_scan",
                              "veltrane_comments", "veltrane_select", "veltrane_request_delete", "veltrane_stop",
                              "veltrane_scroll", "veltrane_reveal", "veltrane_history"}));
        QCOMPARE(
            tools[6]["description"].toString(),
            "Request deletion of selected spam IDs. Shows a confirmation in the app that the human must answer; "
            "never approve it with another tool. A timeout means outcome unknown, do not retry automatically. "
            "Deleting a comment that starts a thread also deletes its replies; the reply's withThreads counts them "
            "(replies, unflagged, owner).");
        QCOMPARE(tools[3]["inputSchema"]["properties"]["sort"]["enum"].toArray(),
                 QJsonArray({"page", "newest", "oldest", "likes", "ai"}));
    }

    void forwarding_data()
    {
        QTest::addColumn<QJsonObject>("params");
        QTest::addColumn<QJsonObject>("sent");
        const QJsonObject args{{"selector", "#c"}, {"n", 2}};
        const QStringList methods{"snapshot",       "inspect", "open",   "scan",   "comments", "select",
                                  "request_delete", "stop",    "scroll", "reveal", "history"};
        const QStringList tools{"veltrane_page",     "veltrane_inspect", "veltrane_open",           "veltrane_scan",
                                "veltrane_comments", "veltrane_select",  "veltrane_request_delete", "veltrane_stop",
                                "veltrane_scroll",   "veltrane_reveal",  "veltrane_history"};
        for (int i = 0; i < tools.size(); ++i)
            QTest::newRow(qPrintable(tools[i])) << QJsonObject{{"name", tools[i]}, {"arguments", args}}
                                                << QJsonObject{{"cmd", methods[i]}, {"args", args}};
        // The application checks arguments; the bridge passes them on, or {} when there are none.
        QTest::newRow("no arguments") << QJsonObject{{"name", "veltrane_scan"}}
                                      << QJsonObject{{"cmd", "scan"}, {"args", QJsonObject{}}};
        QTest::newRow("arguments not an object") << QJsonObject{{"name", "veltrane_scan"}, {"arguments", QJsonArray{1}}}
                                                 << QJsonObject{{"cmd", "scan"}, {"args", QJsonObject{}}};
        QTest::newRow("out of schema") << QJsonObject{{"name", "veltrane_scroll"},
                                                      {"arguments", QJsonObject{{"dy", "far"}}}}
                                       << QJsonObject{{"cmd", "scroll"}, {"args", QJsonObject{{"dy", "far"}}}};
    }

    void forwarding()
    {
        QFETCH(QJsonObject, params);
        QFETCH(QJsonObject, sent);
        ControlStandIn app;
        QVERIFY(app.start());
        McpSession *bridge = startBridge();
        const QJsonObject reply = bridge->waitReply(bridge->request("tools/call", params));
        QCOMPARE(app.bodies(), QList<QJsonObject>({sent}));
        QVERIFY(!McpSession::toolIsError(reply));
        QCOMPARE(QJsonDocument::fromJson(McpSession::toolText(reply).toUtf8()).object(), sent);
    }

    void results_data()
    {
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isError");
        QTest::newRow("result object") << ControlStandIn::ok(QJsonObject{{"url", "u"}}) << "{\"url\":\"u\"}" << false;
        QTest::newRow("result list") << ControlStandIn::ok(QJsonArray{1, "a"}) << "[1,\"a\"]" << false;
        QTest::newRow("result string") << ControlStandIn::ok("done") << "\"done\"" << false;
        QTest::newRow("no result") << QJsonObject{{"ok", true}} << "null" << false;
        QTest::newRow("refusal") << ControlStandIn::refusal("검사한 댓글이 아닙니다.") << "\"검사한 댓글이 아닙니다.\""
                                 << true;
        QTest::newRow("refusal with quotes") << ControlStandIn::refusal("a \"b\"\n") << "\"a \\\"b\\\"\\n\"" << true;
        QTest::newRow("error object") << QJsonObject{{"ok", false}, {"error", QJsonObject{{"code", 3}}}}
                                      << "{\"code\":3}" << true;
        QTest::newRow("error without ok") << QJsonObject{{"error", "x"}} << "\"x\"" << true;
        QTest::newRow("ok not a Boolean") << QJsonObject{{"ok", "true"}, {"result", 1}} << "\"Request failed\"" << true;
        QTest::newRow("empty") << QJsonObject{} << "\"Request failed\"" << true;
    }

    void results()
    {
        QFETCH(QJsonObject, answer);
        QFETCH(QString, text);
        QFETCH(bool, isError);
        ControlStandIn app;
        QVERIFY(app.start());
        app.setHandler(
            [answer](const QString &, const QJsonObject &, const ControlStandIn::Answer &reply) { reply(answer); });
        McpSession *bridge = startBridge();
        const QJsonObject reply = bridge->waitReply(bridge->callTool("veltrane_comments", {}));
        QCOMPARE(reply["result"].toObject().keys(), QStringList({"content", "isError"}));
        QCOMPARE(reply["result"]["content"].toArray().size(), 1);
        QCOMPARE(reply["result"]["content"][0]["type"], QJsonValue("text"));
        QCOMPARE(McpSession::toolText(reply), text);
        QCOMPARE(McpSession::toolIsError(reply), isError);
    }

    void unknownTool_data()
    {
        QTest::addColumn<QByteArray>("params");   // JSON text; empty: no params
        QTest::newRow("no params") << QByteArray();
        QTest::newRow("params a list") << QByteArray(",\"params\":[\"veltrane_page\"]");
        QTest::newRow("no name") << QByteArray(",\"params\":{\"arguments\":{}}");
        QTest::newRow("name not a string") << QByteArray(",\"params\":{\"name\":1}");
        QTest::newRow("unknown name") << QByteArray(",\"params\":{\"name\":\"veltrane_delete_all\"}");
        QTest::newRow("name in other case") << QByteArray(",\"params\":{\"name\":\"Veltrane_page\"}");
    }

    void unknownTool()
    {
        QFETCH(QByteArray, params);
        ControlStandIn app;
        QVERIFY(app.start());
        McpSession *bridge = startBridge();
        bridge->send("{\"jsonrpc\":\"2.0\",\"id\":5,\"method\":\"tools/call\"" + params + "}");
        const QJsonObject reply = bridge->waitReply("5");
        QCOMPARE(McpSession::toolText(reply), QString("Unknown tool"));
        QVERIFY(McpSession::toolIsError(reply));
        QCOMPARE(app.bodies().size(), 0);
    }

    // The bridge's own refusals speak the language the window speaks: VT_LANG, as the agent
    // setup box passes it, or else the user's language, as the application decides it.
    void applicationAbsent_data()
    {
        QTest::addColumn<QString>("vtLang");     // "-": not set
        QTest::addColumn<QString>("language");   // the user's LANG
        QTest::addColumn<QString>("notRunning");
        QTest::addColumn<QString>("unreachable");
        const QString koAbsent = "\"Glimora 앱을 먼저 실행해 주세요.\"", koGone = "\"앱에 연결하지 못했습니다.\"";
        const QString enAbsent = "\"Start Glimora first.\"", enGone = "\"Couldn't reach the app.\"";
        QTest::newRow("VT_LANG ko") << "ko"
                                    << "en_US.UTF-8" << koAbsent << koGone;
        QTest::newRow("VT_LANG en over a Korean user") << "en"
                                                       << "ko_KR.UTF-8" << enAbsent << enGone;
        QTest::newRow("Korean user") << "-"
                                     << "ko_KR.UTF-8" << koAbsent << koGone;
        QTest::newRow("English user") << "-"
                                      << "en_US.UTF-8" << enAbsent << enGone;
    }
    void applicationAbsent()
    {
        QFETCH(QString, vtLang);
        QFETCH(QString, language);
        QFETCH(QString, notRunning);
        QFETCH(QString, unreachable);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"VT_LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            env.remove(name);
        if (vtLang != "-")
            env.insert("VT_LANG", vtLang);
        env.insert("LANG", language);
        QFile::remove(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Veltrane/control.json");
        McpSession *bridge = startBridge(env);
        QJsonObject reply = bridge->waitReply(bridge->callTool("veltrane_page", {}));
        QCOMPARE(McpSession::toolText(reply), notRunning);
        QVERIFY(McpSession::toolIsError(reply));

        // Started after the bridge, then gone without removing its file.
        QString file;
        {
            ControlStandIn app;
            QVERIFY(app.start());
            app.setHandler([](const QString &, const QJsonObject &, const ControlStandIn::Answer &answer) {
                answer(ControlStandIn::ok(QJsonObject{{"hasScanned", false}}));
            });
            reply = bridge->waitReply(bridge->callTool("veltrane_comments", {}));
            QCOMPARE(McpSession::toolText(reply), QString("{\"hasScanned\":false}"));
            file = app.controlFile();
            QFile copy(file);
            QVERIFY(copy.open(QIODevice::ReadOnly));
            const QByteArray content = copy.readAll();
            app.stop();
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
            out.write(content);
        }
        reply = bridge->waitReply(bridge->callTool("veltrane_comments", {}));
        QCOMPARE(McpSession::toolText(reply), unreachable);
        QVERIFY(McpSession::toolIsError(reply));
        QFile::remove(file);
    }

    // MCP hosts pass few variables: with HOME alone the control file is still found.
    void homeOnly()
    {
        QTemporaryDir home;
        ControlStandIn app;
        QVERIFY(app.start(home.filePath(".local/share")));
        QProcessEnvironment env;
        env.insert("HOME", home.path());
        env.insert("PATH", qEnvironmentVariable("PATH"));
        McpSession *bridge = startBridge(env);
        const QJsonObject reply = bridge->waitReply(bridge->callTool("veltrane_stop", {}));
        QVERIFY(!McpSession::toolIsError(reply));
        QCOMPARE(app.bodies().size(), 1);
    }

    // Sixteen calls reach the application at once; the others wait, and every reply finds
    // its caller whatever order the application answers in.
    void concurrency()
    {
        ControlStandIn app;
        QVERIFY(app.start());
        QList<ControlStandIn::Answer> held;
        app.setHandler([&held](const QString &cmd, const QJsonObject &args, const ControlStandIn::Answer &answer) {
            held.append([=](const QJsonObject &) {
                answer(ControlStandIn::ok(QJsonObject{{"cmd", cmd}, {"args", args}}));
            });
        });
        McpSession *bridge = startBridge();
        constexpr int kCalls = 40;
        QList<QByteArray> ids;
        for (int i = 0; i < kCalls; ++i)
            ids << bridge->callTool("veltrane_inspect", {{"selector", QString("#c%1").arg(i)}});

        int answered = 0;
        while (answered < kCalls) {
            QTRY_COMPARE_WITH_TIMEOUT(held.size(), std::min(16, kCalls - answered), 60000);
            // Nothing more arrives while sixteen are open, however long we wait for it.
            QTest::qWait(200);
            QCOMPARE(app.inFlight(), std::min(16, kCalls - answered));
            // Answer the newest first.
            const QList<ControlStandIn::Answer> batch = held;
            held.clear();
            for (auto it = batch.crbegin(); it != batch.crend(); ++it)
                (*it)({});
            answered += int(batch.size());
        }
        QCOMPARE(app.maxInFlight(), 16);
        for (int i = 0; i < kCalls; ++i) {
            const QJsonObject reply = bridge->waitReply(ids[i]);
            QCOMPARE(QJsonDocument::fromJson(McpSession::toolText(reply).toUtf8())["args"]["selector"].toString(),
                     QString("#c%1").arg(i));
        }
        // Calls reach the application in the order they were made.
        for (int i = 0; i < kCalls; ++i)
            QCOMPARE(app.bodies().at(i).value("args").toObject().value("selector").toString(), QString("#c%1").arg(i));
    }

    // The end of input waits for calls still running, queued ones included.
    void endOfInput()
    {
        ControlStandIn app;
        QVERIFY(app.start());
        QList<ControlStandIn::Answer> held;
        app.setHandler([&held](const QString &, const QJsonObject &, const ControlStandIn::Answer &answer) {
            held.append(answer);
        });
        McpSession *bridge = startBridge();
        QList<QByteArray> ids;
        for (int i = 0; i < 18; ++i)
            ids << bridge->callTool("veltrane_scan", {});
        QTRY_COMPARE_WITH_TIMEOUT(held.size(), 16, 60000);
        bridge->closeInput();
        QTest::qWait(200);
        QCOMPARE(bridge->process().state(), QProcess::Running);
        QSignalSpy finished(&bridge->process(), &QProcess::finished);
        auto answerAll = [&held] {
            const auto batch = held;
            held.clear();
            for (const auto &answer : batch)
                answer(ControlStandIn::ok("scanned"));
        };
        answerAll();
        QTRY_COMPARE_WITH_TIMEOUT(held.size(), 2, 60000);
        QCOMPARE(finished.size(), 0);
        answerAll();
        QVERIFY(bridge->waitFinished());
        QCOMPARE(bridge->process().exitCode(), 0);
        for (const QByteArray &id : ids)
            QCOMPARE(McpSession::toolText(bridge->waitReply(id)), QString("\"scanned\""));
    }

    // A line without an end that outgrows every sensible request is dropped, not buffered.
    void overlongLine()
    {
        McpSession *bridge = startBridge();
        const QByteArray chunk(1024 * 1024, 'x');
        for (int i = 0; i < 17; ++i)
            bridge->process().write(chunk);
        bridge->send("");
        bridge->send(kSentinel);
        QVERIFY(!bridge->waitReply("\"sentinel\"").isEmpty());
        QCOMPARE(bridge->lines().size(), 2);
        QCOMPARE(QJsonDocument::fromJson(bridge->lines()[0]).object(), errorReply("null", -32700, "Parse error"));
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    AgentBridgeTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_agentbridge.moc"
