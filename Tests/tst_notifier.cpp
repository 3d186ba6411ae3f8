// Desktop notices over a private session bus with a stand-in notification service: what the
// service receives, a notice under the same key replacing the shown one (also when posted before
// the service answered the first), separate keys, and a clear answer when no service or no bus is
// there.
#include "NotificationBus.h"
#include "TestMain.h"

#include "Scan/DesktopNotifier.h"

#include <QSignalSpy>
#include <QTest>

using namespace vt::test;

namespace {
constexpr int kWait = 30000;
}

class NotifierTest : public QObject {
    Q_OBJECT
private slots:
    void postsToTheService()
    {
        NotificationBus bus;
        QVERIFY2(bus.start(), qPrintable(bus.error()));
        DesktopNotifier notifier(bus.client());
        QVERIFY(notifier.available());
        QSignalSpy finished(&notifier, &DesktopNotifier::finished);
        notifier.post("vt.autoscan", "3 suspected comments", "Scanned 2 posts automatically.");
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWait);
        const auto result = finished.at(0).at(0).value<DesktopNotifier::Result>();
        QVERIFY2(result.posted, qPrintable(result.error));
        QVERIFY(result.id > 0);
        QCOMPARE(bus.service().calls.size(), 1);
        QCOMPARE(bus.service().calls.at(0),
                 (ShownNotice{"Veltrane", 0, "3 suspected comments", "Scanned 2 posts automatically."}));
        QCOMPARE(notifier.shownId("vt.autoscan"), result.id);
    }

    // One notice per key stays on screen: each newer one names the shown one to replace.
    void replaces_data()
    {
        QTest::addColumn<bool>("waitBetween");
        QTest::newRow("answered before the next") << true;
        QTest::newRow("posted before the answer") << false;
    }
    void replaces()
    {
        QFETCH(bool, waitBetween);
        NotificationBus bus;
        QVERIFY2(bus.start(), qPrintable(bus.error()));
        DesktopNotifier notifier(bus.client());
        QSignalSpy finished(&notifier, &DesktopNotifier::finished);
        notifier.post("vt.autoscan", "first", "a");
        if (waitBetween)
            QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWait);
        notifier.post("vt.autoscan", "second", "b");
        notifier.post("other", "else", "c");
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 3, kWait);
        const QMap<uint, ShownNotice> shown = bus.service().shown();
        QCOMPARE(shown.size(), 2);
        QStringList titles;
        for (const ShownNotice &n : shown)
            titles << n.title;
        titles.sort();
        QCOMPARE(titles, QStringList({"else", "second"}));
        QCOMPARE(bus.service().calls.size(), 3);
        const uint first = finished.at(0).at(0).value<DesktopNotifier::Result>().id;
        bool replacedFirst = false;
        for (const ShownNotice &n : bus.service().calls)
            replacedFirst |= n.title == "second" && n.replaces == first;
        QVERIFY(replacedFirst);
    }

    // Several notices waiting for one answer: only the newest is sent after it.
    void newestWaitingWins()
    {
        NotificationBus bus;
        QVERIFY2(bus.start(), qPrintable(bus.error()));
        DesktopNotifier notifier(bus.client());
        QSignalSpy finished(&notifier, &DesktopNotifier::finished);
        notifier.post("vt.autoscan", "one", "");
        notifier.post("vt.autoscan", "two", "");
        notifier.post("vt.autoscan", "three", "");
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, kWait);
        QTest::qWait(200);
        QCOMPARE(finished.count(), 2);
        QCOMPARE(bus.service().shown().size(), 1);
        QCOMPARE(bus.service().shown().first().title, QString("three"));
    }

    void noService()
    {
        NotificationBus bus;
        QVERIFY2(bus.start(false), qPrintable(bus.error()));
        DesktopNotifier notifier(bus.client());
        QVERIFY(notifier.available());
        QSignalSpy finished(&notifier, &DesktopNotifier::finished);
        notifier.post("vt.autoscan", "t", "b");
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWait);
        const auto result = finished.at(0).at(0).value<DesktopNotifier::Result>();
        QVERIFY(!result.posted);
        QCOMPARE(result.error, QString("No notification service is running; the notice was not shown."));
        QCOMPARE(notifier.shownId("vt.autoscan"), 0u);
        // A later notice is still tried.
        notifier.post("vt.autoscan", "t", "b");
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, kWait);
    }

    void noBus()
    {
        DesktopNotifier notifier(
            QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/vt-bus"), "vt-none"));
        QVERIFY(!notifier.available());
        QSignalSpy finished(&notifier, &DesktopNotifier::finished);
        notifier.post("vt.autoscan", "t", "b");
        QCOMPARE(finished.count(), 1);
        QCOMPARE(notifier.lastResult()->error, QString("There is no session bus to post notifications on."));
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    qputenv("VT_LANG", "en");
    QCoreApplication app(argc, argv);
    NotifierTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_notifier.moc"
