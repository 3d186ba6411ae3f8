// The owner's questions in the real window, answered in the real message boxes with the mouse:
// a post opened in the window is scanned, the AI check asks for consent once, and a deletion from
// the review panel is confirmed or cancelled. The window's own alerts are installed as the
// application installs them; nothing is scripted. A question also returns when the window goes
// while it is open. Runs in the language VT_LANG gives (English unless set; CTest runs it in
// Korean as well).
#include "Scan/AIPass.h"
#include "FakeService.h"
#include "FixtureSite.h"
#include "LanguageScope.h"
#include "TestMain.h"
#include "WindowClicks.h"
#include "YouTubeFixture.h"

#include "Base/AppSettings.h"
#include "Base/Lang.h"
#include "Panel/DeleteBar.h"
#include "Panel/PanelTabs.h"
#include "Panel/SpamPanel.h"
#include "Panel/SpamPanelModel.h"
#include "Panel/Verdict.h"
#include "Scan/SpamModel.h"
#include "Shell/AppState.h"
#include "Shell/MainWindow.h"
#include "Shell/VeltraneBrowserApp.h"
#include "Shell/WindowAlerts.h"
#include "Shell/WorkspaceView.h"
#include "Store/ScanStore.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace vt::test;

namespace {

constexpr int kSlow = 240000;
// An ordinary comment that only the stand-in AI service scores as spam.
const QString kAIOnly = QStringLiteral("Lovely colours in this one, saving it for the weekend spam=0.97");

bool korean()
{
    return Lang::system();
}

QString postKey(const QUrl &url)
{
    const std::optional<ScanStore::PostKey> key = ScanStore::canonical(url.toString());
    return key ? key->url : QString();
}

QSet<QString> deletedIn(ScanStore *store, const QString &post)
{
    QSet<QString> out;
    for (const ScanStore::Record &r : store->comments(post, 100000))
        if (r.deletedAt)
            out.insert(r.id);
    return out;
}

// The panel's record of a comment of the post, found by its text.
std::optional<ScanStore::Record> shownRecord(SpamPanelModel *vm, const QString &post, const QString &text)
{
    for (const ScanStore::Record &r : vm->shown().value(post))
        if (r.text == text)
            return r;
    return std::nullopt;
}

// The real window over the real model, with the alerts the application installs.
struct Window {
    AppState state;
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(&state, &AppSettings::shared());
    WindowAlerts alerts {window.get()};

    Window()
    {
        Alerts::setShared(&alerts);
        window->resize(1440, 900);
        window->show();
    }
    ~Window()
    {
        Alerts::setShared(nullptr);
        window.reset();
    }
    SpamModel *model() { return state.spam(); }
    SpamPanel *panel() { return window->workspace()->panel(); }
};

} // namespace

class WindowQuestionsTest : public QObject {
    Q_OBJECT
    YouTubeFixture *m_yt = nullptr;
    FakeService *m_service = nullptr;
    int m_videos = 0;

    // A post of its own for each case: the site and the history keep what was deleted.
    QString newVideo()
    {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        const QList<YtComment> mixed = YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"), now);
        quint32 seed = quint32(700 + ++m_videos);
        QList<YtComment> comments = YouTubeFixture::bulk(30, seed, now, mixed);
        YtComment plain;
        plain.id = YouTubeFixture::makeId(seed);
        plain.author = QStringLiteral("@weekend_cook");
        plain.channelId = YouTubeFixture::channelOf(plain.author);
        plain.text = kAIOnly;
        plain.publishedMs = now - 3600000;
        comments.append(plain);
        const QString id = QStringLiteral("vQuestion%1").arg(m_videos, 2, 10, QLatin1Char('0'));
        m_yt->addVideo({id, QStringLiteral("Questions %1").arg(m_videos), false, false, comments});
        return id;
    }

private slots:
    void initTestCase()
    {
        m_yt = new YouTubeFixture(this);
        m_yt->install(*FixtureSite::shared());
        m_service = new FakeService(this);
        QVERIFY(m_service->start());
        qputenv("VT_SERVER_URL", m_service->url().toString().toUtf8());
        // Posts opened in the window are scanned on open, as the owner has it by default.
        AppSettings::shared().setValue(QStringLiteral("vt.scanOnOpen"), true);
    }

    void init()
    {
        // A first run: the AI check on by default and not yet agreed to (a stored "on" counts as
        // the owner's yes).
        AppSettings::shared().remove(QStringLiteral("vt.aiConsent"));
        AppSettings::shared().remove(QStringLiteral("vt.aiOn"));
    }

    void cleanup() { qunsetenv("VT_START_URL"); }

    // The consent question when a post opened in the window is scanned; then the deletion of two
    // ticked comments, confirmed or cancelled in its own box.
    void ownerAnswers_data()
    {
        QTest::addColumn<bool>("useAI");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("AI yes, deletion confirmed") << true << true;
        QTest::newRow("AI yes, deletion cancelled") << true << false;
        QTest::newRow("keyword rules only, deletion confirmed") << false << true;
    }
    void ownerAnswers()
    {
        QFETCH(bool, useAI);
        QFETCH(bool, confirm);
        const QString video = newVideo();
        const QUrl url = YouTubeFixture::watchUrl(video);
        const QString post = postKey(url);
        qputenv("VT_START_URL", url.toString().toUtf8());
        const int aiRequests = m_service->requestCount(QStringLiteral("api/ai/check"));
        Window w;
        SpamModel *model = w.model();

        // The scan on open reaches the AI check and asks, once, in a box over the window.
        QMessageBox *box = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((box = shownQuestion()) != nullptr, kSlow);
        const Alerts::Question consent = AIPass::consentQuestion();
        QCOMPARE(box->text(), consent.title);
        QCOMPARE(box->informativeText(), consent.text);
        QCOMPARE(box->parentWidget()->window(), w.window.get());
        QVERIFY(model->working());
        QVERIFY(answerQuestion(box, consent.buttons.at(useAI ? 0 : 1)));

        QTRY_VERIFY_WITH_TIMEOUT(model->hasScanned() && !model->working(), kSlow);
        QVERIFY(!shownQuestion());
        QCOMPARE(AppSettings::shared().boolValue(QStringLiteral("vt.aiConsent"), !useAI), useAI);
        QCOMPARE(model->aiOn(), useAI);
        SpamPanelModel *vm = w.panel()->viewModel();
        QTRY_COMPARE_WITH_TIMEOUT(vm->tab(), PanelTab::spam, kSlow);
        if (useAI) {
            // The stand-in service was asked, and the panel shows the comment only it flagged
            // with the AI's verdict.
            QVERIFY(m_service->requestCount(QStringLiteral("api/ai/check")) > aiRequests);
            std::optional<ScanStore::Record> flagged;
            QTRY_VERIFY_WITH_TIMEOUT((flagged = shownRecord(vm, post, kAIOnly)).has_value(), kSlow);
            QCOMPARE(flagged->state, QStringLiteral("spam"));
            const Verdict verdict = Verdict::of(*flagged, model->thresholds());
            QVERIFY2(verdict.label.startsWith(QStringLiteral("AI ")) && verdict.percent.value_or(0) >= 97, qPrintable(verdict.label));
        } else {
            // The rules alone: the service was not asked, and that comment stays unflagged.
            QCOMPARE(m_service->requestCount(QStringLiteral("api/ai/check")), aiRequests);
            const std::optional<ScanStore::Record> plain = shownRecord(vm, post, kAIOnly);
            QVERIFY2(!plain || plain->state != QStringLiteral("spam"), plain ? qPrintable(plain->reason) : "");
        }

        // Two flagged comments of the post ticked by the owner (two threads: deleting a thread
        // takes its replies along), Delete, and the answer in the real box. The post's records
        // reach the list a moment after the scan.
        const auto ours = [&post](const ScanStore::Record &r) { return r.post == post && !r.id.contains(u'.'); };
        DeleteBar *bar = w.panel()->deleteBar();
        const auto offered = [&] {
            int picked = 0;
            int listed = 0;
            for (const ScanStore::Record &r : bar->picks())
                picked += ours(r) ? 1 : 0;
            for (int row = 0; row < w.panel()->listModel()->rowCount(); ++row)
                listed += ours(w.panel()->listModel()->row(row).record) ? 1 : 0;
            return std::min(picked, listed);
        };
        QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible() && offered() >= 2, kSlow);
        bar->deselectAllButton()->click();
        QCOMPARE(bar->picks().size(), 0);
        const QStringList picks = tickComments(w.panel(), 2, ours);
        QCOMPARE(picks.size(), 2);
        QCOMPARE(bar->picks().size(), 2);
        // The Deleted tile at the foot of the panel counts the site's deleted comments; earlier
        // cases of this run may have left some on their own posts.
        PanelTabs *tabs = w.panel()->tabs();
        const int deletedBefore = vm->deletedCount();
        QCOMPARE(tabs->count(PanelTab::deleted), deletedBefore);
        QTest::mouseClick(bar->deleteButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT((box = shownQuestion()) != nullptr, kSlow);
        const Alerts::Question removal = inLanguage(korean(), [] { return SpamModel::removalQuestion(2); });
        QCOMPARE(box->text(), removal.title);
        QCOMPARE(box->informativeText(), removal.text);
        QVERIFY(answerQuestion(box, removal.buttons.at(confirm ? 1 : 0)));
        const QSet<QString> picked(picks.cbegin(), picks.cend());
        if (!confirm) {
            QTRY_COMPARE_WITH_TIMEOUT(model->status(), Lang::system() ? QStringLiteral("삭제를 취소했습니다.") : QStringLiteral("Deletion cancelled."), kSlow);
            QVERIFY(!model->working());
            QVERIFY(!shownQuestion());
            QVERIFY(m_yt->deleted(video).isEmpty());
            QVERIFY(deletedIn(model->store(), post).isEmpty());
            QCOMPARE(tabs->count(PanelTab::deleted), deletedBefore);
            QCOMPARE(vm->deletedCount(), deletedBefore);
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(model->status(), Lang::system() ? QStringLiteral("2개를 삭제했습니다.") : QStringLiteral("Deleted 2."), kSlow);
        QVERIFY(!model->working());
        QVERIFY(!shownQuestion());
        QCOMPARE(m_yt->deleted(video), picked);
        QCOMPARE(deletedIn(model->store(), post), picked);
        // The header's Deleted button and the Deleted tile name the same count.
        QTRY_COMPARE_WITH_TIMEOUT(vm->deletedCount(), deletedBefore + 2, kSlow);
        QCOMPARE(tabs->count(PanelTab::deleted), deletedBefore + 2);
        QCOMPARE(w.panel()->deletedButton()->text(), vm->deletedTitle(QLocale::system()));
    }

    // The window goes while the consent question is open (as when the application ends): the
    // question returns without an answer and the scan ends with the rules' results alone.
    void windowGoesWhileAsking()
    {
        const QString video = newVideo();
        qputenv("VT_START_URL", YouTubeFixture::watchUrl(video).toString().toUtf8());
        const int aiRequests = m_service->requestCount(QStringLiteral("api/ai/check"));
        Window w;
        SpamModel *model = w.model();
        QPointer<QMessageBox> box;
        QTRY_VERIFY_WITH_TIMEOUT((box = shownQuestion()) != nullptr, kSlow);
        QVERIFY(model->working());
        w.window.reset();
        QVERIFY(!box);
        QTRY_VERIFY_WITH_TIMEOUT(!model->working(), kSlow);
        QVERIFY(model->hasScanned());
        QCOMPARE(m_service->requestCount(QStringLiteral("api/ai/check")), aiRequests);
    }
};

int main(int argc, char *argv[])
{
    vt::test::isolateUserFolders();
    if (qEnvironmentVariableIsEmpty("VT_LANG"))
        qputenv("VT_LANG", "en");
    qputenv("VT_REDUCE_MOTION", "1");
    QApplication app(argc, argv);
    VeltraneBrowserApp::applyTheme(app);
    if (!FixtureSite::startShared())
        return 1;
    WindowQuestionsTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window_questions.moc"
