// The test harness itself: awaiting coroutines must return values, rethrow and time out.
#include "Await.h"
#include "TestHttpServer.h"
#include "TestMain.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QSslError>

#include <QTest>
#include <QTimer>
#include <QCoro/QCoroTimer>

using namespace std::chrono_literals;

namespace {

QCoro::Task<int> later(int value)
{
    QTimer timer;
    timer.start(10ms);
    co_await timer;
    co_return value;
}

QCoro::Task<int> failing()
{
    co_await later(0);
    throw std::runtime_error("boom");
}

QCoro::Task<int> never()
{
    QTimer timer;
    timer.start(1h);
    co_await timer;
    co_return 0;
}

QNetworkReply *get(QNetworkAccessManager &net, const QUrl &url)
{
    QNetworkReply *reply = net.get(QNetworkRequest(url));
    QObject::connect(reply, &QNetworkReply::sslErrors, reply, [reply] { reply->ignoreSslErrors(); });
    return reply;
}

}   // namespace

using vt::test::HttpReply;
using vt::test::HttpRequest;
using vt::test::HttpResponder;

class SupportTest : public QObject {
    Q_OBJECT
private slots:
    void awaitReturnsTheValue() { QCOMPARE(vt::test::await(later(7)), 7); }
    void awaitRethrows() { QVERIFY_THROWS_EXCEPTION(std::runtime_error, vt::test::await(failing())); }
    // A task that never ends fails the one check and returns: the program goes on to the next test.
    void awaitTimesOut()
    {
        QEXPECT_FAIL("", "the task never ends", Continue);
        QCOMPARE(vt::test::await(never(), 100), 0);
    }

    void serverAnswersRoutesAndCountsInFlight_data()
    {
        QTest::addColumn<bool>("tls");
        QTest::newRow("http") << false;
        QTest::newRow("https") << true;
    }

    void serverAnswersRoutesAndCountsInFlight()
    {
        QFETCH(bool, tls);
        vt::test::TestHttpServer server;
        if (tls) {
            const auto cert = vt::test::TestCertificate::make({QStringLiteral("localhost")});
            QVERIFY(!cert.isNull());
            QVERIFY(server.listenTls(cert.certificate, cert.key));
        } else {
            QVERIFY(server.listen());
        }
        // Held until all three have arrived, so all three are in flight at once.
        QList<QPair<HttpResponder, QByteArray>> held;
        server.route("GET", QStringLiteral("/slow"), [&held](const HttpRequest &req, const HttpResponder &r) {
            held.append({r, "slow " + req.query.queryItemValue(QStringLiteral("n")).toUtf8()});
            if (held.size() == 3)
                for (const auto &[responder, body] : held)
                    responder.replyAfter(10, HttpReply::text(body));
        });
        QNetworkAccessManager net;
        QList<QNetworkReply *> replies;
        for (int i = 0; i < 3; ++i)
            replies << get(net, server.url(QStringLiteral("/slow?n=%1").arg(i)));
        replies << get(net, server.url(QStringLiteral("/missing")));
        for (QNetworkReply *reply : replies)
            QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 10000);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(replies[i]->readAll(), QByteArray("slow ") + QByteArray::number(i));
        QCOMPARE(replies[3]->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 404);
        QCOMPARE(server.requestCount(), 4);
        QVERIFY(server.maxInFlight() >= 3);
        QCOMPARE(server.inFlight(), 0);
        qDeleteAll(replies);
    }

    void serverCanDropTheConnection()
    {
        vt::test::TestHttpServer server;
        QVERIFY(server.listen());
        server.route("*", QStringLiteral("/drop"),
                     [](const HttpRequest &, const HttpResponder &r) { r.closeConnection(); });
        QNetworkAccessManager net;
        QNetworkReply *reply = get(net, server.url(QStringLiteral("/drop")));
        QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 10000);
        QVERIFY(reply->error() != QNetworkReply::NoError);
        delete reply;
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    SupportTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_support.moc"
