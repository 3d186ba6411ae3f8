// The test harness itself: awaiting coroutines must return values, rethrow and time out.
#include "Await.h"
#include "TestMain.h"

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

} // namespace

class SupportTest : public QObject {
    Q_OBJECT
private slots:
    void awaitReturnsTheValue() { QCOMPARE(vt::test::await(later(7)), 7); }
    void awaitRethrows() { QVERIFY_THROWS_EXCEPTION(std::runtime_error, vt::test::await(failing())); }
    void awaitTimesOut() { QVERIFY_THROWS_EXCEPTION(std::runtime_error, vt::test::await(never(), 100)); }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QCoreApplication app(argc, argv);
    SupportTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_support.moc"
