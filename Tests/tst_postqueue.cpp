// Scans of several posts on the fixture sites, with the real browser, page scripts and model
// steps: a queue of ticked posts with its row states and summary, a channel scan of both
// signed-in sites with its thumbnails from the local image hosts, and Stop in the middle of
// either, after which the rows stand as before the run.
#include "Await.h"
#include "BridgeHarness.h"
#include "ChannelFixture.h"
#include "FixtureNetwork.h"
#include "InstagramFixture.h"
#include "JobFlagSpy.h"
#include "ModelHarness.h"
#include "StatusTexts.h"
#include "WebTestMain.h"
#include "YouTubeFixture.h"

#include "Base/ImageStore.h"

#include <QRegularExpression>
#include <QSignalSpy>

using namespace vt::test;

namespace {

constexpr int kSlow = 120000;
// An Instagram post whose page never loads (the connection closes).
const QString kBrokenCode = InstagramFixture::makeCode(599);

using State = ChannelPost::State;

QString key(const QString &url)
{
    const auto k = ScanStore::canonical(url);
    return k ? k->url : url;
}

// The fixture's own verdicts: the comments the page rules flag (the AI pass is off).
template <typename C>
int flaggedIn(const QList<C> &comments)
{
    int n = 0;
    for (const C &c : comments)
        n += c.expect.isEmpty() ? 0 : 1;
    return n;
}

char letter(State s)
{
    switch (s) {
    case State::waiting:
        return 'w';
    case State::scanning:
        return 's';
    case State::done:
        return 'd';
    case State::failed:
        return 'f';
    }
    return '?';
}

// Every state each address went through in the post list, in order, one letter per change:
// "wsd" is waiting, scanning, done. Rows absent from the list add nothing.
struct RowHistory {
    QHash<QString, QString> states;
    QMetaObject::Connection connection;

    void watch(SpamModel &model, const std::function<void(const QString &, State)> &onChange = {})
    {
        connection = QObject::connect(&model.catalog(), &PostCatalog::rowsChanged, &model, [this, &model, onChange] {
            for (const ChannelPost &row : model.catalog().rows()) {
                QString &seen = states[row.url];
                if (seen.isEmpty() || seen.back() != QLatin1Char(letter(row.state))) {
                    seen += QLatin1Char(letter(row.state));
                    if (onChange)
                        onChange(row.url, row.state);
                }
            }
        });
    }
    ~RowHistory() { QObject::disconnect(connection); }
};

ChannelPost ticked(const QString &site, const QString &url)
{
    ChannelPost r;
    r.site = site;
    r.url = url;
    r.state = State::waiting;
    return r;
}

}   // namespace

class PostQueueTest : public QObject {
    Q_OBJECT
    YouTubeFixture *m_yt = nullptr;
    ChannelFixture *m_channel = nullptr;
    InstagramFixture *m_ig = nullptr;
    BridgeHarness *m_h = nullptr;
    ModelHarness *m_mh = nullptr;
    QList<YtUpload> m_videos;
    QList<YtUpload> m_shorts;
    QHash<QString, int> m_flagged;   // canonical address -> comments the page rules flag
    QStringList m_igPosts;           // the owner's Instagram posts, newest first

    SpamModel &model() { return m_mh->model(); }

    // A fresh history and post list for each test; the browser and its sign-ins stay.
    void freshModel()
    {
        if (m_mh)
            m_h->browser.onNavigate = {};
        delete m_mh;
        m_mh = new ModelHarness({{"vt.aiOn", false}, {"vt.scanOnOpen", false}, {"vt.postLimit", 3}});
        m_mh->useBrowser(&m_h->engine, &m_h->browser);
        SpamModel *m = &model();
        model().autoScans().setBrowserWindow(m_h->view.windowHandle());
        m_h->browser.onNavigate = [m] { m->openPage().navigationChanged(); };
    }

    int requestsFor(const QString &host, const QString &pathPart) const
    {
        int n = 0;
        for (const HttpRequest &r : FixtureSite::shared()->requests(host))
            n += QString::fromUtf8(r.target).contains(pathPart) ? 1 : 0;
        return n;
    }

private slots:
    void initTestCase()
    {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        const QList<YtComment> ytMixed =
            YouTubeFixture::load(QStringLiteral(VT_FIXTURES_DIR "/youtube/comments-mixed.json"), now);
        const QList<IgComment> igMixed =
            InstagramFixture::load(QStringLiteral(VT_FIXTURES_DIR "/instagram/comments-mixed.json"), now);

        // The owner's channel: its uploads are watch pages of the comment fixture.
        m_videos = ChannelFixture::make(QStringLiteral("v"), 3);
        m_shorts = ChannelFixture::make(QStringLiteral("s"), 2);
        m_yt = new YouTubeFixture(this);
        int slice = 0;
        for (const YtUpload &u : m_videos + m_shorts) {
            const QList<YtComment> comments = ytMixed.mid(slice, 8);
            slice += 3;
            YtVideo video;
            video.id = u.id;
            video.title = u.title;
            video.comments = comments;
            m_yt->addVideo(video);
            m_flagged.insert(key(YouTubeFixture::watchUrl(u.id).toString()), flaggedIn(comments));
        }
        m_yt->install(*FixtureSite::shared());
        m_channel = new ChannelFixture(this);
        m_channel->setVideos(m_videos);
        m_channel->setShorts(m_shorts);
        m_channel->install(*FixtureSite::shared());

        m_ig = new InstagramFixture(this);
        for (int i = 1; i <= 4; ++i) {
            IgPost p;
            p.code = InstagramFixture::makeCode(500 + i);
            p.caption = QStringLiteral("market day %1").arg(i);
            p.takenAtMs = now - qint64(i) * 3600000;
            p.comments = igMixed.mid(0, 4 + 3 * i);
            m_ig->addPost(p);
            const QString url = InstagramFixture::postUrl(p.code).toString();
            m_igPosts << url;
            m_flagged.insert(key(url), flaggedIn(p.comments));
        }
        m_ig->install(*FixtureSite::shared());
        FixtureSite::shared()->route("www.instagram.com", "GET", "/p/" + kBrokenCode + "/",
                                     [](const HttpRequest &, const HttpResponder &r) { r.closeConnection(); });

        m_h = new BridgeHarness;
        freshModel();
        QVERIFY(m_h->signInBothSites(kSlow));
    }
    void cleanupTestCase()
    {
        m_h->browser.onNavigate = {};
        delete m_mh;
        delete m_h;
        AccountSession::resetProbeScript();
    }
    void init()
    {
        freshModel();
        QTRY_VERIFY_WITH_TIMEOUT(!m_h->browser.accounts()->isAuthenticating() && !m_h->browser.isLoading(), kSlow);
    }
    void cleanup()
    {
        // Nothing any test asked for left the local servers.
        QCOMPARE(FixtureNetwork::shared()->offsite(), QStringList());
    }

    // A queue of posts opened, waited for and scanned in turn: each row goes waiting,
    // scanning, then done or failed with its note, and one summary ends the queue.
    void queueOfPosts_data()
    {
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<QString>("ends");   // per post: d done, x not opened, e the scan failed
        QTest::newRow("three YouTube posts") << QStringList{YouTubeFixture::watchUrl(m_videos.at(0).id).toString(),
                                                            YouTubeFixture::watchUrl(m_videos.at(1).id).toString(),
                                                            YouTubeFixture::watchUrl(m_videos.at(2).id).toString()}
                                             << "ddd";
        // A post whose page does not load, and a watch page of a video the site does not have.
        QTest::newRow("both sites, two failures")
            << QStringList{m_igPosts.at(0), InstagramFixture::postUrl(kBrokenCode).toString(),
                           YouTubeFixture::watchUrl(QStringLiteral("vMissing001")).toString(),
                           YouTubeFixture::shortsUrl(m_shorts.at(0).id).toString()}
            << "dxed";
    }
    void queueOfPosts()
    {
        QFETCH(QStringList, urls);
        QFETCH(QString, ends);
        QList<ChannelPost> rows;
        for (const QString &u : urls)
            rows << ticked(u.contains("instagram") ? "instagram" : "youtube", u);
        RowHistory history;
        history.watch(model());
        QStringList summaries;
        QObject listening;   // ends the connection with this test's locals
        onStatusText(model().statusLine(), &listening, [&](const QString &text) {
            if (text.contains(" posts checked"))
                summaries << text;
        });
        await(model().queue().scanSelected(rows), 4 * kSlow);

        int done = 0;
        int flagged = 0;
        const QList<ChannelPost> after = model().catalog().rows();
        QCOMPARE(after.size(), urls.size());
        for (int i = 0; i < urls.size(); ++i) {
            const ChannelPost &row = after.at(i);
            QCOMPARE(row.url, key(urls.at(i)));
            const bool ok = ends.at(i) == u'd';
            QCOMPARE(history.states.value(row.url), ok ? QString("wsd") : QString("wsf"));
            const QList<ScanStore::Run> runs = m_mh->store().runs(row.url);
            QCOMPARE(runs.size(), 1);
            QCOMPARE(runs.first().failed, !ok);
            if (ok) {
                ++done;
                QCOMPARE(row.flagged, m_flagged.value(row.url));
                QCOMPARE(row.total, runs.first().total);
                QVERIFY(row.total > 0);
                QCOMPARE(row.note, QString());
                flagged += row.flagged;
            } else if (ends.at(i) == u'x') {
                QCOMPARE(row.note, QString("Couldn't open the comments."));
                QCOMPARE(runs.first().note, row.note);
            } else {
                // The scan's own error, written once by the scan itself.
                QVERIFY2(row.note.startsWith("Scan error: "), qPrintable(row.note));
                QCOMPARE(runs.first().note, row.note);
            }
        }
        const QString summary =
            QStringLiteral("%1/%2 posts checked · %3 flagged").arg(done).arg(urls.size()).arg(flagged);
        QCOMPARE(summaries, QStringList{summary});
        QCOMPARE(model().statusLine().text(), summary);
        QCOMPARE(model().statusLine().kind(), StatusKind::warn);   // the fixture comments hold spam
        QCOMPARE(model().scanReport().issue(),
                 done == urls.size()
                     ? QString()
                     : QStringLiteral("%1 posts could not be checked. See their statuses.").arg(urls.size() - done));
        QVERIFY(!model().jobs().touring());
        QVERIFY(!model().jobs().working());
        QCOMPARE(model().history().runSession(), std::nullopt);
        QCOMPARE(model().history().stats().posts, done);
    }

    // Both signed-in sites, YouTube first: each site's latest posts (three) with its monitored
    // ones, every post scanned once, pictures from the local image hosts, one summary.
    void channelScanBothSites()
    {
        // A monitored Instagram post that discovery does not find (the fourth newest), and a
        // monitored YouTube post that discovery finds as well.
        QVERIFY(m_mh->store().watch("instagram", m_igPosts.at(3), "monitored", std::nullopt));
        const QString firstVideo = key(YouTubeFixture::watchUrl(m_videos.at(0).id).toString());
        QVERIFY(m_mh->store().watch("youtube", firstVideo, "", std::nullopt));
        RowHistory history;
        history.watch(model());
        JobFlagSpy touring(model().jobs(), &JobState::touring);
        await(model().queue().scanChannels(false), 4 * kSlow);

        // Discovery takes videos and Shorts in turn, up to the post limit.
        const QStringList expected{firstVideo,
                                   key(YouTubeFixture::watchUrl(m_shorts.at(0).id).toString()),
                                   key(YouTubeFixture::watchUrl(m_videos.at(1).id).toString()),
                                   key(m_igPosts.at(0)),
                                   key(m_igPosts.at(1)),
                                   key(m_igPosts.at(2)),
                                   key(m_igPosts.at(3))};
        QStringList got;
        int flagged = 0;
        for (const ChannelPost &row : model().catalog().rows()) {
            got << row.url;
            QCOMPARE(row.state, State::done);
            QCOMPARE(history.states.value(row.url), QString("wsd"));
            QCOMPARE(m_mh->store().runs(row.url).size(), 1);
            QCOMPARE(row.flagged, m_flagged.value(row.url));
            flagged += row.flagged;
        }
        QCOMPARE(got, expected);
        QVERIFY(model().catalog().rows().first().watched);
        QCOMPARE(model().catalog().rows().first().title, m_videos.at(0).title);   // the found title
        QVERIFY(model().catalog().rows().last().watched);
        QCOMPARE(model().statusLine().text(),
                 QStringLiteral("Scanned 7 posts and flagged %1. Open a post to review and delete.").arg(flagged));
        QCOMPARE(model().statusLine().kind(), StatusKind::warn);
        QCOMPARE(model().scanReport().issue(), QString());
        QCOMPARE(touring.count(), 2);
        QVERIFY(!model().jobs().touring());
        QCOMPARE(model().history().runSession(), std::nullopt);
        // The runs of one tour are one session.
        QSet<QString> sessions;
        for (const QString &url : expected)
            sessions.insert(m_mh->store().runs(url).first().session);
        QCOMPARE(sessions.size(), 1);
        QVERIFY(!sessions.begin()->isEmpty());

        // Thumbnails of both sites were fetched from the local image hosts.
        for (const ChannelPost &row : model().catalog().rows()) {
            QVERIFY2(row.thumbnail.has_value(), qPrintable(row.url));
            const QUrl picture(*row.thumbnail);
            QVERIFY2(picture.host() == "i.ytimg.com" || picture.host().endsWith(".cdninstagram.com"),
                     qPrintable(*row.thumbnail));
            QTRY_VERIFY_WITH_TIMEOUT(!ImageStore::shared().cached(*row.thumbnail).isNull(), kSlow);
            QVERIFY(requestsFor(picture.host(), picture.path()) >= 1);
        }
    }

    // Stop in the middle: the post being opened goes back to waiting without a failed run,
    // later posts are not opened, the summary says it stopped, and the list shows the rows
    // it had before the run (a queue) or the tour's scanned rows and the history (a tour).
    void stop_data()
    {
        QTest::addColumn<bool>("tour");
        QTest::addColumn<int>("stopAt");   // the row whose scanning start is stopped at
        QTest::addColumn<bool>("whileScanning");
        QTest::newRow("queue, while the second post opens") << false << 1 << false;
        QTest::newRow("queue, while the second post is scanned") << false << 1 << true;
        QTest::newRow("tour, while YouTube's second post opens") << true << 1 << false;
    }
    void stop()
    {
        QFETCH(bool, tour);
        QFETCH(int, stopAt);
        QFETCH(bool, whileScanning);
        const QStringList urls{key(YouTubeFixture::watchUrl(m_videos.at(0).id).toString()),
                               key(YouTubeFixture::watchUrl(m_shorts.at(0).id).toString()),
                               key(YouTubeFixture::watchUrl(m_videos.at(1).id).toString())};
        // The list before the run: an earlier result of the second post and a row of another post.
        ChannelPost earlier = ticked("youtube", urls.at(1));
        earlier.state = State::failed;
        earlier.note = QStringLiteral("an earlier note");
        const ChannelPost other = ticked("instagram", key(m_igPosts.at(3)));
        model().catalog().setRows({earlier, other});
        // A stored post shows again as history after a tour.
        QVERIFY(m_mh->store().watch("instagram", m_igPosts.at(3), "monitored", std::nullopt));
        const int instagramBefore = int(FixtureSite::shared()->requests("www.instagram.com").size());
        const QString lastId = QString(urls.at(2)).section(u'=', 1);
        const int lastBefore = requestsFor("www.youtube.com", lastId);

        bool stopped = false;
        const QString target = urls.at(stopAt);
        RowHistory history;
        history.watch(model(), [&](const QString &url, State state) {
            if (!stopped && !whileScanning && url == target && state == State::scanning) {
                stopped = true;
                model().stopScan();
            }
        });
        auto onScan = std::make_unique<JobFlagSpy>(model().jobs(), &JobState::scanning, [&] {
            if (!stopped && whileScanning && model().jobs().scanning() && history.states.value(target).endsWith(u's')) {
                stopped = true;
                model().stopScan();
            }
        });
        if (tour) {
            await(model().queue().scanChannels(false), 4 * kSlow);
        } else {
            QList<ChannelPost> rows;
            for (const QString &u : urls)
                rows << ticked("youtube", u);
            await(model().queue().scanSelected(rows), 4 * kSlow);
        }
        onScan.reset();
        QVERIFY(stopped);

        QCOMPARE(history.states.value(urls.at(0)), QString("wsd"));
        QCOMPARE(m_mh->store().runs(urls.at(0)).size(), 1);
        // The stopped post: back to waiting without a run, or its scan ended as the stop left it.
        const QString stoppedPath = whileScanning ? QString("wsd|wsf") : QString("wsw");
        QVERIFY2(QRegularExpression("^(" + stoppedPath + ")").match(history.states.value(target)).hasMatch(),
                 qPrintable(history.states.value(target)));
        if (!whileScanning)
            QCOMPARE(m_mh->store().runs(target).size(), 0);
        // Nothing after it was opened.
        QCOMPARE(requestsFor("www.youtube.com", lastId), lastBefore);
        QCOMPARE(history.states.value(urls.at(2)).contains(u's'), false);
        QVERIFY(!model().jobs().touring());
        QCOMPARE(model().history().runSession(), std::nullopt);

        QStringList got;
        for (const ChannelPost &row : model().catalog().rows())
            got << row.url;
        const int flagged = m_flagged.value(urls.at(0));
        if (tour) {
            // Instagram was skipped; the scanned row, then the stored history.
            QCOMPARE(int(FixtureSite::shared()->requests("www.instagram.com").size()), instagramBefore);
            QVERIFY2(got.size() >= 2 && got.first() == urls.at(0) && got.contains(other.url),
                     qPrintable(got.join(' ')));
            // Never stored: gone with the other waiting rows.
            QCOMPARE(got.count(urls.at(1)), 0);
            QCOMPARE(got.count(urls.at(2)), 0);
            QCOMPARE(model().catalog().rows().first().state, State::done);
            QCOMPARE(model().statusLine().text(),
                     QStringLiteral("Scanned 1 posts and flagged %1. Open a post to review and delete. Stopped.")
                         .arg(flagged));
            QCOMPARE(model().scanReport().issue(), QString());
        } else {
            // The queue first with the earlier rows back, then the rest of the old list.
            QCOMPARE(got, QStringList({urls.at(0), urls.at(1), urls.at(2), other.url}));
            QCOMPARE(model().catalog().rows().at(0).state, State::done);
            if (!whileScanning) {
                QCOMPARE(model().catalog().rows().at(1), earlier);
            }
            QCOMPARE(model().catalog().rows().at(2).state, State::waiting);
            QCOMPARE(model().catalog().rows().at(3), other);
            QVERIFY2(model().statusLine().text().endsWith(" flagged · Stopped"),
                     qPrintable(model().statusLine().text()));
            if (!whileScanning)
                QCOMPARE(model().statusLine().text(),
                         QStringLiteral("1/3 posts checked · %1 flagged · Stopped").arg(flagged));
        }
    }
};

VT_WEB_TEST_MAIN(PostQueueTest)

#include "tst_postqueue.moc"
