// Plays the application's control side for the MCP interoperability test: the stand-in control
// server with a small page and comment state from Tests/Fixtures/agent/post.json.
//   control_standin
// It writes the control file into the data folder of its environment (XDG_DATA_HOME or
// ~/.local/share), prints "ready <port>" when it listens, and "confirm <id>,<id>" when a deletion
// is requested: a line "yes" or "no" on its standard input is the owner's answer. The end of
// its input stops it and removes the control file.
//
// "inspect" echoes its selector after a delay that differs by selector, so that parallel calls
// come back out of order; the selector "slow" takes ten seconds.
#include "ControlStandIn.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSocketNotifier>
#include <QTimer>
#include <QUuid>

#include <cstdio>
#include <unistd.h>

using vt::test::ControlStandIn;
using Answer = ControlStandIn::Answer;

namespace {

void say(const QByteArray &line)
{
    std::fputs((line + '\n').constData(), stdout);
    std::fflush(stdout);
}

std::optional<QStringList> stringList(const QJsonValue &value)
{
    if (!value.isArray())
        return std::nullopt;
    QStringList out;
    for (const QJsonValue &item : value.toArray()) {
        if (!item.isString())
            return std::nullopt;
        out << item.toString();
    }
    return out;
}

struct Page {
    QJsonObject fixture;
    QString address;
    QString documentId = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    QJsonArray items;
    QString status;
    bool scanned = false;
    bool busy = false;
    std::function<void(bool)> pendingConfirm;

    QJsonObject state() const
    {
        return {{"url", address},
                {"documentID", documentId},
                {"items", items},
                {"status", status},
                {"busy", busy},
                {"hasScanned", scanned},
                {"recentOnly", false},
                {"lastScan",
                 scanned ? QJsonObject{{"complete", true},
                                       {"recent", false},
                                       {"caughtUp", true},
                                       {"hidden", false},
                                       {"siteSorted", false}}
                         : QJsonObject{}}};
    }

    // Ticks exactly these comments; false when the page has no current results.
    bool select(const QStringList &ids)
    {
        if (!scanned)
            return false;
        for (qsizetype i = 0; i < items.size(); ++i) {
            QJsonObject item = items[i].toObject();
            item["checked"] = item["state"] == QJsonValue("spam") && ids.contains(item["id"].toString());
            items[i] = item;
        }
        return true;
    }

    QStringList selected() const
    {
        QStringList ids;
        for (const QJsonValue &item : items) {
            if (item["checked"].toBool())
                ids << item["id"].toString();
        }
        return ids;
    }

    void handle(const QString &cmd, const QJsonObject &args, const Answer &answer)
    {
        auto fail = [&](const QString &text) { answer(ControlStandIn::refusal(text)); };
        if (cmd == "open") {
            if (busy || !args["url"].isString())
                return fail("현재 작업을 마친 뒤 지원하는 댓글 주소를 열어 주세요.");
            address = args["url"].toString();
            documentId = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
            items = {};
            scanned = false;
            answer(ControlStandIn::ok(QJsonObject{{"url", address}, {"loading", true}}));
        } else if (cmd == "scan") {
            if (busy || address != fixture["url"].toString())
                return fail("검사를 시작할 수 없는 상태입니다.");
            items = fixture["items"].toArray();
            scanned = true;
            status = QString("댓글 %1개를 검사했습니다.").arg(items.size());
            answer(ControlStandIn::ok(state()));
        } else if (cmd == "comments") {
            answer(ControlStandIn::ok(state()));
        } else if (cmd == "select") {
            const auto ids = stringList(args["ids"]);
            if (!ids)
                return fail("선택할 댓글 ID가 필요합니다.");
            if (!select(*ids))
                return fail("현재 페이지의 검사 결과를 다시 확인해 주세요.");
            answer(ControlStandIn::ok(state()));
        } else if (cmd == "request_delete") {
            const auto ids = stringList(args["ids"]);
            if (args["url"].toString() != address || !args["url"].isString() || busy)
                return fail("현재 페이지의 삭제 대상을 다시 확인해 주세요.");
            if (!ids)
                return fail("선택할 댓글 ID가 필요합니다.");
            if (!select(*ids))
                return fail("현재 페이지의 검사 결과를 다시 확인해 주세요.");
            const QStringList chosen = selected();
            if (chosen.isEmpty())
                return fail("선택한 댓글이 없습니다.");
            busy = true;
            pendingConfirm = [this, chosen, answer](bool yes) {
                busy = false;
                if (yes) {
                    for (qsizetype i = 0; i < items.size(); ++i) {
                        QJsonObject item = items[i].toObject();
                        if (chosen.contains(item["id"].toString())) {
                            item["state"] = "deleted";
                            item["checked"] = false;
                        }
                        items[i] = item;
                    }
                    status = QString("댓글 %1개를 삭제했습니다.").arg(chosen.size());
                } else {
                    status = "삭제를 취소했습니다.";
                }
                answer(ControlStandIn::ok(state()));
            };
            say("confirm " + chosen.join(',').toUtf8());
        } else if (cmd == "stop") {
            answer(ControlStandIn::ok(QJsonObject{{"ok", true}}));
        } else if (cmd == "inspect") {
            const QString selector = args["selector"].toString();
            const int delay = selector == "slow" ? 10000 : int(qHash(selector) % 60);
            QTimer::singleShot(delay, [answer, selector] {
                answer(ControlStandIn::ok(QJsonObject{{"selector", selector}, {"text", "text of " + selector}}));
            });
        } else if (cmd == "snapshot") {
            answer(ControlStandIn::ok(
                QJsonObject{{"url", address}, {"title", fixture["title"]}, {"text", ""}, {"links", QJsonArray{}}}));
        } else if (cmd == "scroll") {
            answer(ControlStandIn::ok(QJsonObject{{"scrolled", args["dy"]}}));
        } else if (cmd == "reveal") {
            for (const QJsonValue &item : items) {
                if (!busy && item["id"] == args["id"])
                    return answer(ControlStandIn::ok(QJsonObject{{"ok", true}}));
            }
            fail("검사한 댓글이 아닙니다.");
        } else if (cmd == "history") {
            if (args["post"].isString())
                return answer(ControlStandIn::ok(
                    QJsonObject{{"post", args["post"]}, {"runs", QJsonArray{}}, {"comments", QJsonArray{}}}));
            answer(ControlStandIn::ok(QJsonObject{{"posts", QJsonArray{}}}));
        } else {
            fail("지원하지 않는 명령입니다.");
        }
    }
};

}   // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Page page;
    QFile fixture(QStringLiteral(VT_FIXTURES_DIR "/agent/post.json"));
    if (!fixture.open(QIODevice::ReadOnly))
        qFatal("cannot read the fixture post");
    page.fixture = QJsonDocument::fromJson(fixture.readAll()).object();

    ControlStandIn server;
    server.setHandler(
        [&page](const QString &cmd, const QJsonObject &args, const Answer &answer) { page.handle(cmd, args, answer); });
    if (!server.start())
        qFatal("cannot listen or write the control file");

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray buffer;
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char chunk[4096];
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n <= 0) {
            input.setEnabled(false);
            server.stop();
            app.quit();
            return;
        }
        buffer.append(chunk, n);
        qsizetype lf;
        while ((lf = buffer.indexOf('\n')) >= 0) {
            const QByteArray line = buffer.left(lf).trimmed();
            buffer.remove(0, lf + 1);
            if ((line == "yes" || line == "no") && page.pendingConfirm)
                std::exchange(page.pendingConfirm, {})(line == "yes");
        }
    });
    say("ready " + QByteArray::number(server.port()));
    return app.exec();
}
