// The model acting on the open post for the agent and the statistics sheet, over a real scan of
// a fixture post: ticking exactly the chosen spam comments (and refusing, changing nothing, when
// an id or the page is not the scanned one), scrolling to a comment, and opening a stored post
// to be scanned once it has loaded.
#include "Await.h"
#include "BridgeHarness.h"
#include "ModelHarness.h"
#include "PageTools.h"
#include "WebTestMain.h"
#include "YouTubeFixture.h"

#include "Base/Lang.h"
#include "LanguageScope.h"
#include "Browser/BrowserError.h"

using namespace vt::test;

namespace {

constexpr int kSlow = 240000;
const QString kPost = QStringLiteral("vReview0001");
const QString kOther = QStringLiteral("vReview0002");
const QString kLater = QStringLiteral("vReview0003");

QString staleMessage()
{
    return byLanguage(QStringLiteral("현재 페이지의 검사 결과를 다시 확인해 주세요."),
                      QStringLiteral("Please review this page's scan results again."));
}

QStringList idsWhere(const QList<Comment> &comments, const std::function<bool(const Comment &)> &keep)
{
    QStringList out;
    for (const Comment &c : comments) {
        if (keep(c))
            out << c.id;
    }
    return out;
}

}   // namespace

class ReviewRequestsTest : public QObject {
    Q_OBJECT
    YouTubeFixture *m_yt = nullptr;
    BridgeHarness *m_h = nullptr;
    ModelHarness *m_mh = nullptr;

    SpamModel &model() { return m_mh->model(); }

    void follow(bool on)
    {
        SpamModel *m = &model();
        m_h->browser.onNavigate = on ? std::function<void()>([m] { m->openPage().navigationChanged(); })
                                     : std::function<void()>();
    }

    // The post open and scanned by the model, results current.
    bool scanned(const QString &video)
    {
        follow(true);
        if (model().openPage().hasScanned() && m_h->browser.address() == YouTubeFixture::watchUrl(video).toString())
            return true;
        if (!m_h->open(YouTubeFixture::watchUrl(video)))
            return false;
        if (!QTest::qWaitFor(
                [&] {
            return model().openPage().info() && model().openPage().info()->supported && !model().jobs().working();
                },
                60000))
            return false;
        await(model().scan(true, false), kSlow);
        return model().openPage().hasScanned();
    }

    QStringList spam()
    {
        return idsWhere(model().review().comments(), [](const Comment &c) { return c.state == QLatin1String("spam"); });
    }
    QStringList notSpam()
    {
        return idsWhere(model().review().comments(), [](const Comment &c) { return c.state != QLatin1String("spam"); });
    }
    QStringList ticked()
    {
        return idsWhere(model().review().comments(), [](const Comment &c) { return c.checked; });
    }

private slots:
    void initTestCase()
    {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        const QList<YtComment> mixed =
            YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"), now);
        m_yt = new YouTubeFixture(this);
        m_yt->addVideo({kPost, QStringLiteral("Review post"), false, false, mixed});
        m_yt->addVideo({kOther, QStringLiteral("Another post"), false, false, mixed.mid(0, 6)});
        m_yt->addVideo({kLater, QStringLiteral("A stored post"), false, false, mixed.mid(0, 12)});
        m_yt->install(*FixtureSite::shared());
        m_h = new BridgeHarness;
        // No scan on open and no AI pass: the test's own scans are the ones that run.
        m_mh = new ModelHarness({{QStringLiteral("vt.scanOnOpen"), false}, {QStringLiteral("vt.aiOn"), false}});
        m_mh->useBrowser(&m_h->engine, &m_h->browser);
        follow(true);
    }
    void cleanupTestCase()
    {
        m_h->browser.onNavigate = {};
        delete m_mh;
        delete m_h;
    }

    // Exactly the chosen spam comments end up ticked; a refusal changes no tick at all.
    void selectReviewed_data()
    {
        QTest::addColumn<QString>("pick");
        QTest::addColumn<bool>("refused");
        QTest::newRow("two spam comments") << "two spam" << false;
        QTest::newRow("none unticks every spam comment") << "none" << false;
        QTest::newRow("a comment that is not spam") << "spam and not spam" << true;
        QTest::newRow("an id of no comment") << "unknown" << true;
        QTest::newRow("while a deletion runs") << "busy" << true;
        QTest::newRow("another post open, old results still listed") << "other page" << true;
    }
    void selectReviewed()
    {
        QFETCH(QString, pick);
        QFETCH(bool, refused);
        QVERIFY(scanned(kPost));
        const QStringList spamIds = spam();
        const QStringList others = notSpam();
        QVERIFY(spamIds.size() >= 3 && !others.isEmpty());
        // Every spam comment ticked, and one comment of another state that the owner ticked.
        QList<Comment> start = model().review().comments();
        for (Comment &c : start)
            c.checked = c.state == QLatin1String("spam") || c.id == others.first();
        model().review().setComments(start);

        QStringList ids;
        if (pick == QLatin1String("two spam"))
            ids = {spamIds.at(2), spamIds.at(0)};
        else if (pick == QLatin1String("spam and not spam"))
            ids = {spamIds.at(0), others.first()};
        else if (pick == QLatin1String("unknown"))
            ids = {spamIds.at(0), QStringLiteral("no-such-comment")};
        else if (pick == QLatin1String("busy") || pick == QLatin1String("other page"))
            ids = {spamIds.at(0)};
        if (pick == QLatin1String("busy"))
            model().jobs().set(JobState::Job::removal, true);
        if (pick == QLatin1String("other page")) {
            // The model has not yet heard of the new page: its comments are still the old ones.
            follow(false);
            QVERIFY(m_h->open(YouTubeFixture::watchUrl(kOther)));
            QCOMPARE(model().review().comments(), start);
        }

        std::optional<QString> error;
        try {
            model().review().selectReviewed(ids);
        } catch (const BrowserError &e) {
            error = e.description();
        }
        model().jobs().set(JobState::Job::removal, false);
        if (pick == QLatin1String("other page")) {
            follow(true);
            model().openPage().navigationChanged();
        }
        if (refused) {
            QCOMPARE(error, std::optional<QString>(staleMessage()));
            if (pick != QLatin1String("other page"))
                QCOMPARE(model().review().comments(), start);
            return;
        }
        QCOMPARE(error, std::nullopt);
        // Page order, whatever order the ids came in; the other state keeps its tick.
        QStringList expected = idsWhere(model().review().comments(),
                                        [&](const Comment &c) { return ids.contains(c.id); });
        expected.append(others.first());
        const QStringList now = ticked();
        QCOMPARE(QSet<QString>(now.cbegin(), now.cend()), QSet<QString>(expected.cbegin(), expected.cend()));
        QCOMPARE(model().removalJob().selectedIds(),
                 idsWhere(model().review().comments(), [&](const Comment &c) { return ids.contains(c.id); }));
    }

    // Scrolling to a comment far down the page; while a deletion runs the page is left alone.
    void reveal()
    {
        QVERIFY(scanned(kPost));
        const QString last = spam().constLast();
        BrowserPage *page = m_h->browser.currentTab()->page();
        const QString top = QStringLiteral(
            "window.scrollTo(0, 0); window.__moved = 0;"
            "window.addEventListener('scroll', () => { window.__moved = window.scrollY; }); 0");
        QCOMPARE(evaluate(page, top).toInt(), 0);

        model().jobs().set(JobState::Job::removal, true);
        model().reveal(last);
        model().jobs().set(JobState::Job::removal, false);
        // The page is given time a reveal would take, then must still be at the top.
        QVERIFY(
            !QTest::qWaitFor([&] { return evaluate(page, QStringLiteral("window.scrollY")).toDouble() > 0; }, 3000));

        model().reveal(last);
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(page, QStringLiteral("window.__moved")).toDouble() > 300, 60000);
    }

    // A stored post opens and is scanned once loaded, even with scan on open off; during a tour
    // nothing happens.
    void openPost()
    {
        QVERIFY(scanned(kPost));
        const QString before = m_h->browser.address();
        // Any form of the address; the scan on load is keyed by its canonical form.
        const QString asked = YouTubeFixture::watchUrl(kLater).toString() + QStringLiteral("&t=42s&feature=share");
        const QString canonical = QStringLiteral("https://www.youtube.com/watch?v=") + kLater;

        model().jobs().set(JobState::Job::queue, true);
        model().openPost(asked);
        model().jobs().set(JobState::Job::queue, false);
        QCOMPARE(model().openPage().autoScan(), std::nullopt);
        QCOMPARE(m_h->browser.address(), before);

        model().openPost(asked);
        QCOMPARE(model().openPage().autoScan(), std::optional<QString>(canonical));
        QTRY_VERIFY_WITH_TIMEOUT(model().openPage().hasScanned() && !model().jobs().working()
                                     && ScanStore::canonical(m_h->browser.address())->url == canonical,
                                 kSlow);
        QCOMPARE(model().review().comments().size(), qsizetype(m_yt->visibleCount(*m_yt->video(kLater))));
    }
};

VT_WEB_TEST_MAIN(ReviewRequestsTest)

#include "tst_reviewrequests.moc"
