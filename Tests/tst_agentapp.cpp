// The real program driven as an agent drives it: started headless on the fixture site with a post
// open, it writes its control file; a scan asked over HTTP with the file's token collects and
// judges the post, and a wrong token is refused.
#include "FixtureSite.h"
#include "WebTestMain.h"
#include "YouTubeFixture.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>

using vt::test::FixtureSite;
using vt::test::YouTubeFixture;
using vt::test::YtComment;

namespace {

const QString kVideo = QStringLiteral("agentApp001");

// One command over the control server; the fixture site answers from this event loop, so the
// reply is awaited by running it.
QJsonObject post(quint16 port, const QByteArray &token, const QJsonObject &body, int *status, int timeoutMs)
{
    QNetworkAccessManager net;
    net.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1/cmd").arg(port)));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setRawHeader("X-VT-Token", token);
    request.setTransferTimeout(timeoutMs);
    QNetworkReply *reply = net.post(request, QJsonDocument(body).toJson(QJsonDocument::Compact));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    *status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QJsonObject answer = QJsonDocument::fromJson(reply->readAll()).object();
    reply->deleteLater();
    return answer;
}

}   // namespace

class AgentAppTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        const QList<YtComment> mixed =
            YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"), now);
        auto *yt = new YouTubeFixture(this);
        yt->addVideo({kVideo, QStringLiteral("Agent test video"), false, false, mixed});
        yt->install(*FixtureSite::shared());
        m_expected = int(yt->video(kVideo)->comments.size());
    }

    void scanOverTheControlServer()
    {
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *sub : {"config", "data", "cache"}) {
            QDir(home.path()).mkpath(sub);
            env.insert(QString("XDG_%1_HOME").arg(QString(sub).toUpper()), home.filePath(sub));
        }
        env.insert("VT_START_URL", YouTubeFixture::watchUrl(kVideo).toString());
        env.insert("VT_LANG", "en");
        // No scan on open: the agent's scan is the one to see.
        QDir(home.filePath("config")).mkpath("Veltrane");
        QFile settings(home.filePath("config/Veltrane/settings.json"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write(R"({"vt.scanOnOpen": false})");
        settings.close();

        QProcess program;
        program.setProcessEnvironment(env);
        program.start(VT_BINARY_DIR "/VeltraneBrowser");
        QVERIFY(program.waitForStarted());
        auto stopProgram = qScopeGuard([&] {
            if (program.state() != QProcess::NotRunning) {
                program.kill();
                program.waitForFinished();
            }
        });

        const QString controlPath = home.filePath("data/Veltrane/control.json");
        QVERIFY2(QTest::qWaitFor([&] { return QFile::exists(controlPath); }, 60000),
                 qPrintable(program.readAllStandardError().right(800)));
        QFile control(controlPath);
        QVERIFY(control.open(QIODevice::ReadOnly));
        const QJsonObject file = QJsonDocument::fromJson(control.readAll()).object();
        QCOMPARE(control.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
        const quint16 port = quint16(file.value("port").toInt());
        const QByteArray token = file.value("token").toString().toUtf8();
        QVERIFY(port > 0 && !token.isEmpty());

        int status = 0;
        post(port, "not-the-token", {{"cmd", "snapshot"}}, &status, 10000);
        QCOMPARE(status, 403);

        // The scan is refused, changing nothing, until the post has loaded and the model knows it.
        QJsonObject scanned;
        QVERIFY(QTest::qWaitFor(
            [&] {
            scanned = post(port, token, {{"cmd", "scan"}, {"args", QJsonObject{{"limit", 0}}}}, &status, 240000);
            return scanned.value("ok").toBool();
            },
            90000));
        QCOMPARE(status, 200);
        QVERIFY2(scanned.value("ok").toBool(), qPrintable(QJsonDocument(scanned).toJson()));
        const QJsonObject state = scanned.value("result").toObject();
        QVERIFY(state.value("hasScanned").toBool());
        QCOMPARE(state.value("items").toArray().size(), m_expected);

        ::kill(program.processId(), SIGTERM);
        QVERIFY(QTest::qWaitFor([&] { return program.state() == QProcess::NotRunning; }, 60000));
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(!QFile::exists(controlPath));
    }

private:
    int m_expected = 0;
};

VT_WEB_TEST_MAIN(AgentAppTest)

#include "tst_agentapp.moc"
