// Deleting from the review panel in the real window on the fixture site: a scanned post opens the
// Flagged tab, the owner unticks all and ticks two comments, deletes, and answers the one
// confirmation. Confirmed, the site has exactly those two deleted and the panel moves them to
// the Deleted tab; cancelled, nothing is deleted and the panel still offers them.
#include "Await.h"
#include "FakeService.h"
#include "FixtureSite.h"
#include "ScriptedAlerts.h"
#include "TestMain.h"
#include "WindowClicks.h"
#include "YouTubeFixture.h"

#include "Base/AppSettings.h"
#include "Browser/Browser.h"
#include "Panel/DeleteBar.h"
#include "Panel/SpamPanel.h"
#include "Panel/SpamPanelModel.h"
#include "Scan/SpamModel.h"
#include "Shell/AppState.h"
#include "Shell/MainWindow.h"
#include "Shell/VeltraneBrowserApp.h"
#include "Shell/WorkspaceView.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace vt::test;

namespace {

constexpr int kSlow = 240000;
const QString kConfirmed = QStringLiteral("vPanelDel01");
const QString kCancelled = QStringLiteral("vPanelDel02");

QSet<QString> idsIn(const QHash<QString, QList<ScanStore::Record>> &shown)
{
    QSet<QString> out;
    for (const QList<ScanStore::Record> &records : shown) {
        for (const ScanStore::Record &r : records)
            out.insert(r.id);
    }
    return out;
}

}   // namespace

class PanelDeleteTest : public QObject {
    Q_OBJECT
    YouTubeFixture *m_yt = nullptr;
    ScriptedAlerts m_alerts;

private slots:
    void initTestCase()
    {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        const QList<YtComment> mixed =
            YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"), now);
        m_yt = new YouTubeFixture(this);
        // Comments of their own for each post: the site tells a deletion's post by its comment id.
        m_yt->addVideo(
            {kConfirmed, QStringLiteral("Confirmed deletion"), false, false, YouTubeFixture::bulk(30, 51, now, mixed)});
        m_yt->addVideo(
            {kCancelled, QStringLiteral("Cancelled deletion"), false, false, YouTubeFixture::bulk(30, 52, now, mixed)});
        m_yt->install(*FixtureSite::shared());
        // The test's own scan is the one to see, without the AI pass and its consent question.
        AppSettings::shared().setValue(QStringLiteral("vt.scanOnOpen"), false);
        AppSettings::shared().setValue(QStringLiteral("vt.aiOn"), false);
        Alerts::setShared(&m_alerts);
    }
    void cleanupTestCase() { Alerts::setShared(nullptr); }

    void deleteTwoPicks_data()
    {
        QTest::addColumn<QString>("video");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("the owner confirms") << kConfirmed << true;
        QTest::newRow("the owner cancels") << kCancelled << false;
    }
    void deleteTwoPicks()
    {
        QFETCH(QString, video);
        QFETCH(bool, confirm);
        qputenv("VT_START_URL", YouTubeFixture::watchUrl(video).toString().toUtf8());
        AppState state;
        MainWindow window(&state, &AppSettings::shared());
        window.resize(1440, 900);
        window.show();
        SpamModel *model = state.spam();
        QTRY_VERIFY_WITH_TIMEOUT(model->openPage().info() && model->openPage().info()->supported
                                     && !model->jobs().working(),
                                 kSlow);
        await(model->scan(true, true), kSlow);
        QVERIFY(model->openPage().hasScanned());

        // The finished scan opens the Flagged tab with every flagged comment picked.
        SpamPanel *panel = window.workspace()->panel();
        SpamPanelModel *vm = panel->viewModel();
        QTRY_COMPARE_WITH_TIMEOUT(vm->tab(), PanelTab::spam, kSlow);
        DeleteBar *bar = panel->deleteBar();
        QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible() && bar->picks().size() >= 2, kSlow);
        const int flagged = int(bar->picks().size());
        bar->deselectAllButton()->click();
        QCOMPARE(bar->picks().size(), 0);

        // Two ticks in the list, by their tick boxes.
        const QStringList picks = tickComments(panel, 2);
        QCOMPARE(picks.size(), 2);
        QCOMPARE(bar->headerText(), QStringLiteral("2 selected of %1").arg(flagged));
        QCOMPARE(bar->deleteButton()->text(), QStringLiteral("Delete 2"));

        m_alerts.answer = confirm ? 1 : 0;
        const int asked = m_alerts.asked;
        const int deletedBefore = vm->deletedCount();
        bar->deleteButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(m_alerts.asked, asked + 1, kSlow);
        QCOMPARE(m_alerts.last.buttons, (QStringList{QStringLiteral("Cancel"), QStringLiteral("Delete 2")}));
        QTRY_VERIFY_WITH_TIMEOUT(!model->jobs().working() && !model->statusLine().text().isEmpty(), kSlow);

        const QSet<QString> picked(picks.cbegin(), picks.cend());
        if (!confirm) {
            QCOMPARE(model->statusLine().text(), QStringLiteral("Deletion cancelled."));
            QVERIFY(m_yt->deleted(video).isEmpty());
            QVERIFY(idsIn(vm->shown()).contains(picked));
            QCOMPARE(vm->deletedCount(), deletedBefore);
            return;
        }
        QCOMPARE(m_yt->deleted(video), picked);
        // A picked thread took its replies with it on the site; the status line counts them.
        int vanished = 0;
        for (const QString &id : picks) {
            const YtVideo *v = m_yt->video(video);
            for (const YtComment &reply : m_yt->repliesOf(*v, id, true))
                vanished += picked.contains(reply.id) ? 0 : 1;
            QVERIFY(m_yt->repliesOf(*v, id).isEmpty());
        }
        QCOMPARE(model->statusLine().text(),
                 QStringLiteral("Deleted 2.")
                     + (vanished == 1      ? QStringLiteral(" 1 more went with its thread.")
                            : vanished > 1 ? QStringLiteral(" %1 more went with their threads.").arg(vanished)
                                           : QString()));
        // The panel follows the history: out of Flagged, two in the Deleted tab.
        QTRY_VERIFY_WITH_TIMEOUT(!idsIn(vm->shown()).intersects(picked), kSlow);
        QTRY_COMPARE_WITH_TIMEOUT(vm->deletedCount(), deletedBefore + 2, kSlow);
        QCOMPARE(panel->deletedButton()->text(), QStringLiteral("Deleted %1").arg(deletedBefore + 2));
        panel->deletedButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(idsIn(vm->shown()).contains(picked), kSlow);
    }
};

int main(int argc, char *argv[])
{
    vt::test::isolateUserFolders();
    qputenv("VT_LANG", "en");
    qputenv("VT_REDUCE_MOTION", "1");
    QApplication app(argc, argv);
    VeltraneBrowserApp::applyTheme(app);
    if (!FixtureSite::startShared())
        return 1;
    // The product's service, stood in for on this machine.
    FakeService service;
    if (!service.start())
        return 1;
    qputenv("VT_SERVER_URL", service.url().toString().toUtf8());
    PanelDeleteTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_panel_delete.moc"
