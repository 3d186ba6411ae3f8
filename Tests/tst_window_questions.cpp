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

#include "Agent/AgentController.h"
#include "Await.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
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
    WindowAlerts alerts{window.get()};

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

}   // namespace

class WindowQuestionsTest : public QObject {
    Q_OBJECT
    YouTubeFixture *m_yt = nullptr;
    FakeService *m_service = nullptr;
    int m_videos = 0;

    // A post of its own for each case: the site and the history keep what was deleted.
    QString newVideo()
    {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        const QList<YtComment> mixed =
            YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"), now);
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

    // A post whose flagged threads have replies: the first of two spam threads has the owner's
    // reply, an ordinary reply and a spam reply; the second spam thread has one ordinary reply;
    // the third has none. Ordinary threads with a reply round it off.
    struct Threads {
        QString video;
        QString title;
        YtComment withReplies, withOne, alone;
        QList<YtComment> replies;   // of `withReplies`
    };
    Threads threadedVideo()
    {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        const QList<YtComment> mixed =
            YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"), now);
        QList<YtComment> spam, plain;
        for (const YtComment &c : mixed) {
            if (!c.parent.isEmpty() || c.owner)
                continue;
            if (QStringList{"testimonial", "contact", "gambling", "loan"}.contains(c.expect))
                spam.append(c);
            else if (c.expect.isEmpty())
                plain.append(c);
        }
        quint32 seed = quint32(900 + ++m_videos);
        qint64 at = now - 3600000;
        const auto make = [&](const YtComment &base, const QString &parent, const QString &author, bool owner) {
            YtComment c = base;
            c.id = YouTubeFixture::makeId(seed, parent);
            c.parent = parent;
            c.author = owner ? QStringLiteral("@owner") : author;
            c.channelId = owner ? YouTubeFixture::ownerChannel() : YouTubeFixture::channelOf(author);
            c.owner = owner;
            c.pinned = false;
            c.likes = 0;
            c.publishedMs = (at -= 60000);
            return c;
        };
        Threads t;
        t.video = QStringLiteral("vThreads%1").arg(m_videos, 3, 10, QLatin1Char('0'));
        t.title = QStringLiteral("Threads %1").arg(m_videos);
        t.withReplies = make(spam.at(0), {}, QStringLiteral("@spam_one"), false);
        t.replies = {make(plain.at(0), t.withReplies.id, {}, true),
                     make(plain.at(1), t.withReplies.id, QStringLiteral("@viewer_two"), false),
                     make(spam.at(1), t.withReplies.id, QStringLiteral("@spam_two"), false)};
        t.withOne = make(spam.at(2), {}, QStringLiteral("@spam_three"), false);
        t.alone = make(spam.at(3), {}, QStringLiteral("@spam_four"), false);
        const YtComment ordinary = make(plain.at(2), {}, QStringLiteral("@viewer_five"), false);
        QList<YtComment> comments{t.withReplies};
        comments += t.replies;
        comments += {t.withOne, make(plain.at(3), t.withOne.id, QStringLiteral("@viewer_six"), false), t.alone,
                     ordinary, make(plain.at(4), ordinary.id, QStringLiteral("@viewer_seven"), false)};
        m_yt->addVideo({t.video, t.title, false, false, comments});
        return t;
    }

    // Opens the post in the window and lets the scan on open finish with the rules alone.
    static bool scannedInWindow(Window &w)
    {
        QMessageBox *box = nullptr;
        if (!QTest::qWaitFor([&] { return (box = shownQuestion()) != nullptr; }, kSlow))
            return false;
        if (!answerQuestion(box, AIPass::consentQuestion().buttons.at(1)))
            return false;
        return QTest::qWaitFor([&] { return w.model()->openPage().hasScanned() && !w.model()->jobs().working(); },
                               kSlow);
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
        QVERIFY(model->jobs().working());
        QVERIFY(answerQuestion(box, consent.buttons.at(useAI ? 0 : 1)));

        QTRY_VERIFY_WITH_TIMEOUT(model->openPage().hasScanned() && !model->jobs().working(), kSlow);
        QVERIFY(!shownQuestion());
        QCOMPARE(AppSettings::shared().boolValue(QStringLiteral("vt.aiConsent"), !useAI), useAI);
        QCOMPARE(model->ownerSettings().aiOn(), useAI);
        SpamPanelModel *vm = w.panel()->viewModel();
        QTRY_COMPARE_WITH_TIMEOUT(vm->tab(), PanelTab::spam, kSlow);
        if (useAI) {
            // The stand-in service was asked, and the panel shows the comment only it flagged
            // with the AI's verdict.
            QVERIFY(m_service->requestCount(QStringLiteral("api/ai/check")) > aiRequests);
            std::optional<ScanStore::Record> flagged;
            QTRY_VERIFY_WITH_TIMEOUT((flagged = shownRecord(vm, post, kAIOnly)).has_value(), kSlow);
            QCOMPARE(flagged->state, QStringLiteral("spam"));
            const Verdict verdict = Verdict::of(*flagged, model->ownerSettings().thresholds());
            QVERIFY2(verdict.label.startsWith(QStringLiteral("AI ")) && verdict.percent.value_or(0) >= 97,
                     qPrintable(verdict.label));
        } else {
            // The rules alone: the service was not asked, and that comment stays unflagged.
            QCOMPARE(m_service->requestCount(QStringLiteral("api/ai/check")), aiRequests);
            const std::optional<ScanStore::Record> plain = shownRecord(vm, post, kAIOnly);
            QVERIFY2(!plain || plain->state != QStringLiteral("spam"), plain ? qPrintable(plain->reason) : "");
        }

        // Two flagged comments of the post ticked by the owner (two threads without replies: the
        // replies that go with a thread are another case), Delete, and the answer in the real box. The post's records
        // reach the list a moment after the scan.
        QSet<QString> threadsWithReplies;
        for (const YtComment &c : m_yt->video(video)->comments)
            threadsWithReplies.insert(c.parent);
        const auto ours = [&](const ScanStore::Record &r) {
            return r.post == post && !r.id.contains(u'.') && !threadsWithReplies.contains(r.id);
        };
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
        const Alerts::Question removal = inLanguage(korean(), [] { return RemovalJob::question(2); });
        QCOMPARE(box->text(), removal.title);
        QCOMPARE(box->informativeText(), removal.text);
        QVERIFY(answerQuestion(box, removal.buttons.at(confirm ? 1 : 0)));
        const QSet<QString> picked(picks.cbegin(), picks.cend());
        if (!confirm) {
            QTRY_COMPARE_WITH_TIMEOUT(model->statusLine().text(),
                                      Lang::system() ? QStringLiteral("삭제를 취소했습니다.")
                                                     : QStringLiteral("Deletion cancelled."),
                                      kSlow);
            QVERIFY(!model->jobs().working());
            QVERIFY(!shownQuestion());
            QVERIFY(m_yt->deleted(video).isEmpty());
            QVERIFY(deletedIn(model->store(), post).isEmpty());
            QCOMPARE(tabs->count(PanelTab::deleted), deletedBefore);
            QCOMPARE(vm->deletedCount(), deletedBefore);
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(model->statusLine().text(),
                                  Lang::system() ? QStringLiteral("2개를 삭제했습니다.") : QStringLiteral("Deleted 2."),
                                  kSlow);
        QVERIFY(!model->jobs().working());
        QVERIFY(!shownQuestion());
        QCOMPARE(m_yt->deleted(video), picked);
        QCOMPARE(deletedIn(model->store(), post), picked);
        // The header's Deleted button and the Deleted tile name the same count.
        QTRY_COMPARE_WITH_TIMEOUT(vm->deletedCount(), deletedBefore + 2, kSlow);
        QCOMPARE(tabs->count(PanelTab::deleted), deletedBefore + 2);
        QCOMPARE(w.panel()->deletedButton()->text(), vm->deletedTitle(QLocale::system()));
    }

    // The deletion's question in either language counts by the number (plural forms), and says
    // which replies go with the chosen threads.
    void questionTexts_data()
    {
        QTest::addColumn<bool>("inKorean");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("replies");
        QTest::addColumn<int>("unflagged");
        QTest::addColumn<int>("owner");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("one, no replies")
            << false << 1 << 0 << 0 << 0 << "Delete 1 comment"
            << "Only the selected comments are deleted. Deleted comments can't be restored.";
        QTest::newRow("two, one reply of the owner")
            << false << 2 << 1 << 1 << 1 << "Delete 2 comments"
            << "Deleting a comment also deletes its replies: 1 more comment will be deleted with the chosen threads. "
               "1 of them is not flagged as spam. 1 of them was written by you. To keep the replies, untick the comment "
               "that starts their thread. Deleted comments can't be restored.";
        QTest::newRow("replies, all flagged")
            << false << 3 << 4 << 0 << 0 << "Delete 3 comments"
            << "Deleting a comment also deletes its replies: 4 more comments will be deleted with the chosen threads. "
               "To keep the replies, untick the comment that starts their thread. Deleted comments can't be restored.";
        QTest::newRow("Korean, replies")
            << true << 2 << 5 << 3 << 2 << "댓글 2개를 삭제합니다"
            << "댓글을 삭제하면 그 답글도 함께 삭제됩니다. 선택한 스레드와 함께 답글 5개가 더 삭제됩니다. "
               "그중 3개는 스팸으로 표시되지 않은 답글입니다. 그중 2개는 내가 쓴 답글입니다. "
               "답글을 남기려면 스레드 첫 댓글의 선택을 해제하세요. 삭제한 댓글은 복구할 수 없습니다.";
    }
    void questionTexts()
    {
        QFETCH(bool, inKorean);
        QFETCH(int, count);
        QFETCH(int, replies);
        QFETCH(int, unflagged);
        QFETCH(int, owner);
        QFETCH(QString, title);
        QFETCH(QString, text);
        const Alerts::Question q = inLanguage(inKorean, [&] {
            return RemovalJob::question(count, RemovalJob::Replies{replies, unflagged, owner});
        });
        QCOMPARE(q.title, title);
        QCOMPARE(q.text, text);
    }

    // Deleting flagged threads that have replies: the box says how many replies go with them,
    // how many of those are not flagged and how many are the owner's; confirmed, the site has
    // those replies gone with their thread, and the history and the status line say so.
    void repliesGoWithTheirThread()
    {
        const Threads t = threadedVideo();
        const QUrl url = YouTubeFixture::watchUrl(t.video);
        const QString post = postKey(url);
        qputenv("VT_START_URL", url.toString().toUtf8());
        Window w;
        SpamModel *model = w.model();
        QVERIFY(scannedInWindow(w));
        const auto flagged = [&](const QString &id) {
            for (const Comment &c : model->review().comments())
                if (c.id == id)
                    return c.state == QLatin1String("spam");
            return false;
        };
        QVERIFY(flagged(t.withReplies.id) && flagged(t.alone.id) && flagged(t.replies.at(2).id));
        QVERIFY(!flagged(t.replies.at(0).id) && !flagged(t.replies.at(1).id));

        DeleteBar *bar = w.panel()->deleteBar();
        const QSet<QString> chosen{t.withReplies.id, t.alone.id};
        const auto ours = [&](const ScanStore::Record &r) { return r.post == post && chosen.contains(r.id); };
        const auto listed = [&] {
            int n = 0;
            for (int row = 0; row < w.panel()->listModel()->rowCount(); ++row)
                n += ours(w.panel()->listModel()->row(row).record) ? 1 : 0;
            return n;
        };
        QTRY_VERIFY_WITH_TIMEOUT(bar->isVisible() && listed() == 2, kSlow);
        bar->deselectAllButton()->click();
        QCOMPARE(tickComments(w.panel(), 2, ours).size(), 2);
        QTest::mouseClick(bar->deleteButton(), Qt::LeftButton);
        QMessageBox *box = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((box = shownQuestion()) != nullptr, kSlow);
        QCOMPARE(box->text(), byLanguage(QStringLiteral("댓글 2개를 삭제합니다"), QStringLiteral("Delete 2 comments")));
        QVERIFY2(box->informativeText().contains(byLanguage(
                     QStringLiteral(
                         "선택한 스레드와 함께 답글 3개가 더 삭제됩니다. 그중 2개는 스팸으로 표시되지 않은 답글입니다. "
                         "그중 1개는 내가 쓴 답글입니다."),
                     QStringLiteral(
                         "3 more comments will be deleted with the chosen threads. 2 of them are not flagged "
                         "as spam. 1 of them was written by you."))),
                 qPrintable(box->informativeText()));
        QVERIFY(answerQuestion(box, byLanguage(QStringLiteral("2개 삭제"), QStringLiteral("Delete 2"))));
        QTRY_COMPARE_WITH_TIMEOUT(model->statusLine().text(),
                                  byLanguage(QStringLiteral(
                                                 "2개를 삭제했습니다. 답글 3개가 스레드와 함께 삭제되었습니다."),
                                             QStringLiteral("Deleted 2. 3 more went with their threads.")),
                                  kSlow);

        // On the site: the two threads, and the three replies with the first; the other thread's
        // reply stays.
        YtVideo *video = m_yt->video(t.video);
        QCOMPARE(m_yt->deleted(t.video), chosen);
        QCOMPARE(m_yt->repliesOf(*video, t.withReplies.id, true).size(), 3);
        QVERIFY(m_yt->repliesOf(*video, t.withReplies.id).isEmpty());
        QCOMPARE(m_yt->repliesOf(*video, t.withOne.id).size(), 1);

        // In the history: the chosen comments deleted, their thread's replies gone with it, none
        // of them pending or counted as deleted by the owner.
        const auto history = [&] {
            QHash<QString, ScanStore::Record> out;
            for (const ScanStore::Record &r : model->store()->allComments(1000))
                if (r.post == post)
                    out.insert(r.id, r);
            return out;
        };
        QHash<QString, ScanStore::Record> stored = history();
        QCOMPARE(deletedIn(model->store(), post), chosen);
        for (const YtComment &reply : t.replies) {
            QCOMPARE(stored.value(reply.id).gone, QStringLiteral("thread"));
            QVERIFY(!stored.value(reply.id).deletedAt);
        }
        QVERIFY(!model->store()->pendingIDs(post).contains(t.replies.at(2).id));
        for (const Comment &c : model->review().comments())
            QVERIFY2(!c.id.startsWith(t.withReplies.id), qPrintable(c.id));

        // A complete scan of the post through the page finds none of them: they went on the site
        // itself, and the history keeps how.
        await(model->scan(true, true), kSlow);
        QVERIFY(model->openPage().hasScanned());
        for (const Comment &c : model->review().comments())
            QVERIFY2(!c.id.startsWith(t.withReplies.id) && c.id != t.alone.id, qPrintable(c.id));
        stored = history();
        for (const YtComment &reply : t.replies)
            QCOMPARE(stored.value(reply.id).gone, QStringLiteral("thread"));
        QCOMPARE(stored.value(t.withOne.id).gone, QString());
    }

    // A deletion the connected agent asks for: the box says that the agent asked, names the post
    // and shows the comments it would delete, whatever the panel shows; the agent's reply counts
    // what the site deleted and the replies that went with the threads.
    void agentAsks_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("the owner confirms") << true;
        QTest::newRow("the owner declines") << false;
    }
    void agentAsks()
    {
        QFETCH(bool, confirm);
        const Threads t = threadedVideo();
        const QUrl url = YouTubeFixture::watchUrl(t.video);
        qputenv("VT_START_URL", url.toString().toUtf8());
        Window w;
        SpamModel *model = w.model();
        QVERIFY(w.state.agent());
        QVERIFY(scannedInWindow(w));
        QTRY_VERIFY_WITH_TIMEOUT(w.panel()->deleteBar()->isVisible(), kSlow);
        // The panel shows another tab meanwhile.
        w.panel()->viewModel()->setTab(PanelTab::deleted);

        const QJsonObject args{{QStringLiteral("url"), model->browser()->address()},
                               {QStringLiteral("ids"), QJsonArray{t.withReplies.id, t.alone.id}}};
        auto reply = std::make_unique<QCoro::Task<QJsonValue>>(
            w.state.agent()->handle(QStringLiteral("request_delete"), args));
        QMessageBox *box = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((box = shownQuestion()) != nullptr, kSlow);
        QCOMPARE(box->text(),
                 byLanguage(QStringLiteral("AI 에이전트가 댓글 2개 삭제를 요청했습니다"),
                            QStringLiteral("The AI agent asks to delete 2 comments")));
        const QString text = box->informativeText();
        QVERIFY2(text.startsWith(
                     byLanguage(QStringLiteral("연결된 AI 에이전트가 “%1”의 다음 댓글을 삭제하려고 합니다:"),
                                QStringLiteral("The connected AI agent asks to delete these comments on “%1”:"))
                         .arg(t.title)),
                 qPrintable(text));
        for (const YtComment &c : {t.withReplies, t.alone})
            QVERIFY2(text.contains(u'\n' + QStringLiteral("\u2022 ") + c.author + QStringLiteral(": ")
                                   + c.text.simplified().left(40)),
                     qPrintable(text));
        QVERIFY2(!text.contains(t.withOne.author), qPrintable(text));
        QVERIFY2(text.contains(byLanguage(QStringLiteral("답글 3개가 더 삭제됩니다"),
                                          QStringLiteral("3 more comments will be deleted"))),
                 qPrintable(text));
        QVERIFY(answerQuestion(box,
                               byLanguage(confirm ? QStringLiteral("2개 삭제") : QStringLiteral("취소"),
                                          confirm ? QStringLiteral("Delete 2") : QStringLiteral("Cancel"))));
        const QJsonObject result = await(std::move(*reply), kSlow).toObject();
        QVERIFY2(result.contains(QStringLiteral("deleted")), QJsonDocument(result).toJson().constData());
        QCOMPARE(result.value(QStringLiteral("deleted")).toInt(-1), confirm ? 2 : 0);
        const QJsonObject threads = result.value(QStringLiteral("withThreads")).toObject();
        QCOMPARE(threads.value(QStringLiteral("replies")).toInt(-1), confirm ? 3 : 0);
        QCOMPARE(threads.value(QStringLiteral("unflagged")).toInt(-1), confirm ? 2 : 0);
        QCOMPARE(threads.value(QStringLiteral("owner")).toInt(-1), confirm ? 1 : 0);
        QCOMPARE(m_yt->deleted(t.video).size(), confirm ? 2 : 0);
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
        QVERIFY(model->jobs().working());
        w.window.reset();
        QVERIFY(!box);
        QTRY_VERIFY_WITH_TIMEOUT(!model->jobs().working(), kSlow);
        QVERIFY(model->openPage().hasScanned());
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
