// The post dock's view logic as tables in both languages (header, search, actions, tile status
// and scan time, grid, arrivals), the confirmation before a post is removed from the list, and
// the dock widget over a real spam model and post list model: ticking, opening, search and the
// lock while the model works.
#include "Await.h"
#include "LanguageScope.h"
#include "ModelHarness.h"
#include "ScriptedAlerts.h"
#include "TestMain.h"

#include "Posts/PostDesk.h"
#include "Shell/PostDock.h"
#include "Shell/PostDockActions.h"
#include "Shell/PostDockModel.h"
#include "Shell/PostTile.h"
#include "Theme/HeaderButton.h"
#include "Theme/IconButton.h"
#include "Theme/WorkspaceButton.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace vt::test;

Q_DECLARE_METATYPE(PostDockModel::ActionsInput)
Q_DECLARE_METATYPE(ChannelPost)

namespace {

QString yt(char c)
{
    return QStringLiteral("https://www.youtube.com/watch?v=") + QString(11, QChar::fromLatin1(c));
}

ChannelPost post(const QString &url, const QString &title, ChannelPost::State state = ChannelPost::State::done,
                 std::optional<QDateTime> scannedAt = std::nullopt, int total = 0, int flagged = 0,
                 bool watched = false)
{
    ChannelPost p;
    p.site = url.contains(QLatin1String("instagram")) ? QStringLiteral("instagram") : QStringLiteral("youtube");
    p.url = url;
    p.title = title;
    p.state = state;
    p.scannedAt = scannedAt;
    p.total = total;
    p.flagged = flagged;
    p.watched = watched;
    return p;
}

QStringList urls(const QList<ChannelPost> &rows)
{
    QStringList out;
    for (const ChannelPost &r : rows)
        out << r.url;
    return out;
}

ScanStore::Post stored(const QString &url, const QString &title, int rank)
{
    ScanStore::Post p;
    p.site = QStringLiteral("youtube");
    p.url = url;
    p.title = title;
    p.scannedAt = QDateTime::currentDateTime().addSecs(-60 * (rank + 1));
    p.total = 10;
    p.flagged = rank;
    return p;
}

}   // namespace

class PostDockTest : public QObject {
    Q_OBJECT
private slots:
    void header_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("ticked");
        QTest::addColumn<bool>("allChecked");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("working");
        QTest::addColumn<bool>("showCount");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<bool>("deselectAll");
        QTest::newRow("no posts: caption alone") << 0 << 0 << false << false << false << false << false << false;
        QTest::newRow("some ticked") << 5 << 2 << false << false << false << true << true << true;
        QTest::newRow("all ticked") << 5 << 5 << true << false << false << true << false << true;
        QTest::newRow("none ticked") << 5 << 0 << false << false << false << true << true << false;
        QTest::newRow("locked") << 5 << 2 << false << true << false << true << false << false;
        QTest::newRow("model working") << 5 << 2 << false << false << true << true << false << false;
    }
    void header()
    {
        QFETCH(int, count);
        QFETCH(int, ticked);
        QFETCH(bool, allChecked);
        QFETCH(bool, locked);
        QFETCH(bool, working);
        const PostDockModel::Header h = PostDockModel::header({count, ticked, allChecked, locked, working});
        QTEST(h.showCount, "showCount");
        QTEST(h.selectAllEnabled, "selectAll");
        QTEST(h.deselectAllEnabled, "deselectAll");
    }

    // The search keeps the list order and never changes the list itself.
    void visible_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("empty") << "" << QStringList{yt('A'), yt('B'), yt('C'), yt('D')};
        QTest::newRow("spaces only") << "  \t\n " << QStringList{yt('A'), yt('B'), yt('C'), yt('D')};
        QTest::newRow("lower case finds upper case") << "kimchi" << QStringList{yt('A'), yt('C')};
        QTest::newRow("spaces around") << "  Kimchi  " << QStringList{yt('A'), yt('C')};
        QTest::newRow("address") << "watch?v=ddd" << QStringList{yt('D')};
        QTest::newRow("Korean") << "김치" << QStringList{yt('B')};
        QTest::newRow("nothing") << "ramen" << QStringList{};
    }
    void visible()
    {
        QFETCH(QString, query);
        const QList<ChannelPost> list{post(yt('A'), "KIMCHI stew"), post(yt('B'), "김치찌개 레시피"),
                                      post(yt('C'), "Quick kimchi"), post(yt('D'), "")};
        QTEST(urls(PostDockModel::visible(list, query, QLocale(QLocale::English))), "shown");
    }

    void actions_data()
    {
        using In = PostDockModel::ActionsInput;
        QTest::addColumn<In>("in");
        QTest::addColumn<bool>("korean");
        QTest::addColumn<QString>("form");     // the progress form: "progress, stop on|off"; else "idle"
        QTest::addColumn<QString>("load");     // text | on/off | prominent/plain | full/natural
        QTest::addColumn<QString>("scan");     // text | on/off | tooltip; "-" when not shown
        QTest::addColumn<QString>("signIn");   // text | on/off; "-" when not shown
        const In none{.siteName = "YouTube"};
        QTest::newRow("no posts, not signed in") << none << false << "idle"
                                                 << "Load latest posts|on|plain|full"
                                                 << "-"
                                                 << "Sign in to YouTube|on";
        QTest::newRow("no posts, signed in") << In{.siteName = "YouTube", .signedIn = true} << false << "idle"
                                             << "Load latest posts|on|prominent|full"
                                             << "-"
                                             << "-";
        QTest::newRow("no posts, loading")
            << In{.siteName = "YouTube", .working = true, .findingPosts = true} << false << "idle"
            << "Stop loading|on|plain|full"
            << "-"
            << "-";
        QTest::newRow("no posts, not signed in, locked")
            << In{.siteName = "Instagram", .locked = true} << false << "idle"
            << "Load latest posts|off|plain|full"
            << "-"
            << "Sign in to Instagram|off";
        QTest::newRow("posts, none ticked") << In{.siteName = "YouTube", .count = 3} << false << "idle"
                                            << "Load 30 more|on|plain|natural"
                                            << "Check for spam|off|Tick the posts to check."
                                            << "-";
        QTest::newRow("posts, two ticked") << In{.siteName = "YouTube", .count = 3, .ticked = 2} << false << "idle"
                                           << "Load 30 more|on|plain|natural"
                                           << "Check 2 for spam|on|Checks the ticked posts one by one."
                                           << "-";
        QTest::newRow("posts, two ticked, locked")
            << In{.siteName = "YouTube", .count = 3, .ticked = 2, .locked = true} << false << "idle"
            << "Load 30 more|off|plain|natural"
            << "Check 2 for spam|off|Checks the ticked posts one by one."
            << "-";
        QTest::newRow("posts, loading more")
            << In{.siteName = "YouTube", .count = 3, .ticked = 2, .working = true, .findingPosts = true} << false
            << "idle"
            << "Stop loading|on|plain|natural"
            << "Check 2 for spam|off|Checks the ticked posts one by one."
            << "-";
        QTest::newRow("AI check being prepared")
            << In{.siteName = "YouTube", .count = 3, .preparing = true} << false << "progress, stop off"
            << "Load 30 more|on|plain|natural"
            << "Check for spam|off|Tick the posts to check."
            << "-";
        QTest::newRow("queue scan") << In{.siteName = "YouTube", .count = 3, .working = true, .touring = true} << false
                                    << "progress, stop on"
                                    << "Load 30 more|off|plain|natural"
                                    << "Check for spam|off|Tick the posts to check."
                                    << "-";
        QTest::newRow("deletion with a scan flag set") << In{.siteName = "YouTube",
                                                             .count = 3,
                                                             .ticked = 1,
                                                             .working = true,
                                                             .scanning = true,
                                                             .touring = true,
                                                             .removing = true}
                                                       << false << "idle"
                                                       << "Load 30 more|off|plain|natural"
                                                       << "Check 1 for spam|off|Checks the ticked posts one by one."
                                                       << "-";
        // After a load that found nothing new, another load would only say so again.
        QTest::newRow("posts, nothing more to load")
            << In{.siteName = "YouTube", .count = 3, .ticked = 2, .nothingMore = true} << false << "idle"
            << "Load 30 more|off|plain|natural"
            << "Check 2 for spam|on|Checks the ticked posts one by one."
            << "-";
        QTest::newRow("no posts, signed in, nothing to load")
            << In{.siteName = "YouTube", .signedIn = true, .nothingMore = true} << false << "idle"
            << "Load latest posts|off|prominent|full"
            << "-"
            << "-";
        QTest::newRow("Korean, nothing more to load")
            << In{.siteName = "YouTube", .count = 3, .nothingMore = true} << true << "idle"
            << "30개 더 불러오기|off|plain|natural"
            << "스팸 검사|off|검사할 게시물을 체크하세요."
            << "-";
        QTest::newRow("Korean, no posts, not signed in") << In{.siteName = "Instagram"} << true << "idle"
                                                         << "최신 게시물 불러오기|on|plain|full"
                                                         << "-"
                                                         << "Instagram 로그인|on";
        QTest::newRow("Korean, two ticked") << In{.siteName = "YouTube", .count = 3, .ticked = 2} << true << "idle"
                                            << "30개 더 불러오기|on|plain|natural"
                                            << "2개 스팸 검사|on|체크한 게시물을 차례로 검사합니다."
                                            << "-";
        QTest::newRow("Korean, none ticked, loading")
            << In{.siteName = "YouTube", .count = 3, .working = true, .findingPosts = true} << true << "idle"
            << "불러오기 중지|on|plain|natural"
            << "스팸 검사|off|검사할 게시물을 체크하세요."
            << "-";
    }
    void actions()
    {
        QFETCH(PostDockModel::ActionsInput, in);
        QFETCH(bool, korean);
        LanguageScope language(korean);
        const PostDockModel::Actions a = PostDockModel::actions(in);
        auto on = [](bool b) { return b ? QStringLiteral("on") : QStringLiteral("off"); };
        QTEST(a.progress ? QStringLiteral("progress, stop ") + on(a.stopEnabled) : QStringLiteral("idle"), "form");
        QTEST(QStringList({a.loadText, on(a.loadEnabled), a.loadProminent ? "prominent" : "plain",
                           a.loadFullWidth ? "full" : "natural"})
                  .join(u'|'),
              "load");
        QTEST(a.showScan ? QStringList({a.scanText, on(a.scanEnabled), a.scanTip}).join(u'|') : QStringLiteral("-"),
              "scan");
        QTEST(a.showSignIn ? QStringList({a.signInText, on(a.signInEnabled)}).join(u'|') : QStringLiteral("-"),
              "signIn");
        QCOMPARE(a.stopText, korean ? QStringLiteral("중지") : QStringLiteral("Stop"));
        if (!a.stopLoading && !in.findingPosts)
            QCOMPARE(a.loadTip,
                     korean ? QStringLiteral("이 채널에서 아직 검사하지 않은 최신 게시물을 30개 더 불러옵니다.")
                            : QStringLiteral("Loads the next 30 posts you haven't scanned yet on this channel."));
    }

    // The empty list says what to do first: sign in, or load the posts; nothing once there are
    // posts or while they load.
    void emptyHint_data()
    {
        using In = PostDockModel::ActionsInput;
        QTest::addColumn<In>("in");
        QTest::addColumn<bool>("korean");
        QTest::addColumn<QString>("hint");
        QTest::newRow("not signed in") << In{.siteName = "YouTube"} << false
                                       << "Sign in to YouTube, then load your latest posts and pick the ones to check.";
        QTest::newRow("not signed in, ko")
            << In{.siteName = "Instagram"} << true
            << "Instagram에 로그인한 다음 최신 게시물을 불러와 검사할 게시물을 고르세요.";
        QTest::newRow("signed in") << In{.siteName = "YouTube", .signedIn = true} << false
                                   << "Load your latest posts and pick the ones to check.";
        QTest::newRow("signed in, ko") << In{.siteName = "YouTube", .signedIn = true} << true
                                       << "최신 게시물을 불러와 검사할 게시물을 고르세요.";
        QTest::newRow("loading") << In{.siteName = "YouTube", .signedIn = true, .working = true, .findingPosts = true}
                                 << false << "";
        QTest::newRow("posts") << In{.siteName = "YouTube", .count = 1} << true << "";
    }
    void emptyHint()
    {
        QFETCH(PostDockModel::ActionsInput, in);
        QFETCH(bool, korean);
        LanguageScope language(korean);
        QTEST(PostDockModel::emptyHint(in), "hint");
    }

    // The status line of a tile: "Queued" only during a queue scan, never during a deletion of
    // stored records; counts without grouping and without a singular form.
    void status_data()
    {
        using S = ChannelPost::State;
        const QDateTime when = QDateTime::currentDateTime().addDays(-2);
        QTest::addColumn<ChannelPost>("post");
        QTest::addColumn<bool>("touring");
        QTest::addColumn<bool>("removing");
        QTest::addColumn<bool>("korean");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("accent");   // the parts drawn in the accent colour
        QTest::newRow("waiting in a queue") << post(yt('A'), "", S::waiting) << true << false << false << "Queued"
                                            << "";
        QTest::newRow("waiting during a deletion of stored records")
            << post(yt('A'), "", S::waiting) << true << true << false << "Not scanned"
            << "";
        QTest::newRow("waiting, no job, scanned before")
            << post(yt('A'), "", S::waiting, when, 12) << false << false << false << "12 comments"
            << "";
        QTest::newRow("scanning") << post(yt('A'), "", S::scanning, when, 12) << true << false << false << "Scanning"
                                  << "Scanning";
        QTest::newRow("failed") << post(yt('A'), "", S::failed) << true << false << false << "Scan failed"
                                << "Scan failed";
        QTest::newRow("never scanned") << post(yt('A'), "") << false << false << false << "Not scanned"
                                       << "";
        QTest::newRow("never scanned, monitored") << post(yt('A'), "", S::done, std::nullopt, 0, 0, true) << false
                                                  << false << false << "Not scanned · Monitoring"
                                                  << "";
        QTest::newRow("flagged and monitored") << post(yt('A'), "", S::done, when, 120, 3, true) << false << false
                                               << false << "120 comments · 3 flagged · Monitoring"
                                               << "3 flagged";
        QTest::newRow("nothing flagged") << post(yt('A'), "", S::done, when, 120, 0, true) << false << false << false
                                         << "120 comments · Monitoring"
                                         << "";
        QTest::newRow("one comment, no grouping")
            << post(yt('A'), "", S::done, when, 1) << false << false << false << "1 comments"
            << "";
        QTest::newRow("large count") << post(yt('A'), "", S::done, when, 12345, 1200) << false << false << false
                                     << "12345 comments · 1200 flagged"
                                     << "1200 flagged";
        QTest::newRow("Korean, queued") << post(yt('A'), "", S::waiting) << true << false << true << "대기 중"
                                        << "";
        QTest::newRow("Korean, scanning") << post(yt('A'), "", S::scanning) << true << false << true << "검사 중"
                                          << "검사 중";
        QTest::newRow("Korean, failed") << post(yt('A'), "", S::failed) << false << false << true << "검사 실패"
                                        << "검사 실패";
        QTest::newRow("Korean, never scanned, monitored")
            << post(yt('A'), "", S::waiting, std::nullopt, 0, 0, true) << true << true << true << "검사 전 · 모니터링"
            << "";
        QTest::newRow("Korean, flagged and monitored") << post(yt('A'), "", S::done, when, 120, 3, true) << false
                                                       << false << true << "댓글 120 · 의심 3 · 모니터링"
                                                       << "의심 3";
    }
    void status()
    {
        QFETCH(ChannelPost, post);
        QFETCH(bool, touring);
        QFETCH(bool, removing);
        QFETCH(bool, korean);
        LanguageScope language(korean);
        const QList<PostDockModel::Part> parts = PostDockModel::status(post,
                                                                       PostDockModel::queueScan(touring, removing));
        QTEST(PostDockModel::statusText(parts), "text");
        QString accent;
        for (const PostDockModel::Part &p : parts)
            if (p.tone == PostDockModel::Tone::accent)
                accent += p.text;
        QTEST(accent, "accent");
    }

    void scanned_data()
    {
        QTest::addColumn<bool>("korean");
        QTest::addColumn<int>("daysAgo");
        QTest::addColumn<QString>("text");
        QTest::newRow("today") << false << 0 << "Today 3:05 PM";
        QTest::newRow("yesterday") << false << 1 << "Mar 13, 3:05 PM";
        QTest::newRow("Korean, today") << true << 0 << "오늘 오후 3:05";
        QTest::newRow("Korean, yesterday") << true << 1 << "3월 13일 오후 3:05";
        QTest::newRow("last year") << false << 365 << "Mar 14, 3:05 PM";
    }
    // In the interface language whatever the system locale says.
    void scanned()
    {
        QFETCH(bool, korean);
        LanguageScope language(korean);
        QFETCH(int, daysAgo);
        const QDateTime now(QDate(2026, 3, 14), QTime(18, 30));
        const QDateTime when(now.date().addDays(-daysAgo), QTime(15, 5, 30));   // seconds are not shown
        QTEST(PostDockModel::scanned(when, now), "text");
    }

    void texts_data()
    {
        QTest::addColumn<bool>("korean");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("question");   // the removal's title and text for a post named "<b>title</b>"
        QTest::newRow("English")
            << false << QStringList{"POSTS",   "Select all",      "Deselect all",     "Search posts", "Scan this post",
                                    "Monitor", "Stop monitoring", "Remove from list", "Cancel",       "Remove"}
            << QStringList{"Remove this post from the list?",
                           "<b>title</b>\n\nIts scan and deletion history on this computer is deleted "
                           "too, and loading posts will not bring it back."};
        QTest::newRow("Korean")
            << true << QStringList{"게시물",        "전체 선택",     "전체 해제",       "게시물 검색", "스캔 대상",
                                   "모니터링 켜기", "모니터링 끄기", "목록에서 지우기", "취소",        "지우기"}
            << QStringList{"이 게시물을 목록에서 지울까요?",
                           "<b>title</b>\n\n이 컴퓨터에 저장된 이 게시물의 검사 기록과 삭제 기록도 함께 "
                           "지워지고, 게시물을 불러올 때 다시 나타나지 않습니다."};
    }
    void texts()
    {
        QFETCH(bool, korean);
        LanguageScope language(korean);
        const Alerts::Question q = PostDockModel::removeQuestion(QStringLiteral("<b>title</b>"));
        QTEST(QStringList({PostDockModel::caption(), PostDockModel::selectAllText(), PostDockModel::deselectAllText(),
                           PostDockModel::searchText(), PostDockModel::tickText(), PostDockModel::monitorText(false),
                           PostDockModel::monitorText(true), PostDockModel::removeText()})
                  + q.buttons,
              "texts");
        QTEST(QStringList({q.title, q.text}), "question");
        // A title that holds a placeholder is shown as it is.
        QVERIFY(PostDockModel::removeQuestion(QStringLiteral("50% off %1 %2"))
                    .text.startsWith(QStringLiteral("50% off %1 %2\n\n")));
        // The removing answer is never the default nor Escape's, and the title stays plain text.
        QCOMPARE(q.destructive, PostDockModel::removeButton);
        QVERIFY(q.destructive != 0);
        QVERIFY(q.text.startsWith(QStringLiteral("<b>title</b>\n")));
    }

    // The grid's columns are at least 118 wide with 8 between them; tiles are 128 high.
    void grid_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("tileWidth");
        QTest::newRow("narrow") << 100 << 3 << 1 << 118;
        QTest::newRow("one column exactly") << 118 << 2 << 1 << 118;
        QTest::newRow("two columns") << 244 << 3 << 2 << 118;
        QTest::newRow("wide") << 600 << 9 << 4 << 144;
        QTest::newRow("no tiles") << 600 << 0 << 0 << 0;
    }
    void grid()
    {
        QFETCH(int, width);
        QFETCH(int, count);
        QFETCH(int, columns);
        QFETCH(int, tileWidth);
        const QList<QRect> cells = PostDockModel::grid(width, count);
        QCOMPARE(cells.size(), count);
        if (count == 0)
            return;
        int inFirstRow = 0;
        for (const QRect &r : cells) {
            QCOMPARE(r.width(), tileWidth);
            QCOMPARE(r.height(), 128);
            inFirstRow += r.top() == 0 ? 1 : 0;
        }
        QCOMPARE(inFirstRow, std::min(columns, count));
        if (count > columns)
            QCOMPARE(cells.at(columns).topLeft(), QPoint(0, 136));
        if (columns > 1)
            QCOMPARE(cells.at(1).left(), tileWidth + 8);
    }

    // Twenty posts arriving at once start within 0.36 s, the last eight together.
    void arrivalDelays()
    {
        QList<int> delays;
        for (int order = 0; order < 20; ++order)
            delays << PostDockModel::arrivalDelayMs(order);
        QCOMPARE(delays.mid(0, 4), QList<int>({0, 30, 60, 90}));
        QCOMPARE(delays.at(12), 360);
        QCOMPARE(delays.mid(12), QList<int>(8, 360));
    }

    // Live copies (the first of a repeated address wins), the focus after navigation and the
    // hover after a late leave.
    void viewState()
    {
        const QHash<QString, ChannelPost> live = PostDockModel::liveCopies(
            {post(yt('A'), "first", ChannelPost::State::scanning), post(yt('B'), "b"), post(yt('A'), "second")});
        QCOMPARE(live.size(), 2);
        QCOMPARE(live.value(yt('A')).title, QString("first"));
        QCOMPARE(PostDockModel::focusAfterNavigation(yt('A'), yt('B')), std::optional<QString>(yt('B')));
        QCOMPARE(PostDockModel::focusAfterNavigation(yt('A'), std::nullopt), std::optional<QString>(yt('A')));
        // B's enter came before A's leave: B stays highlighted.
        QCOMPARE(PostDockModel::hoverAfterLeave(yt('B'), yt('A')), std::optional<QString>(yt('B')));
        QCOMPARE(PostDockModel::hoverAfterLeave(yt('A'), yt('A')), std::nullopt);
        QCOMPARE(PostDockModel::name(post(yt('C'), "")), yt('C'));
    }

    // "Remove from list" forgets the post only when the owner chose the removing button, and
    // never while the model works.
    void removeFromList_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("working");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("forgotten");
        QTest::newRow("removing answer") << 1 << false << true << true;
        QTest::newRow("cancel") << 0 << false << true << false;
        QTest::newRow("alert closed") << -1 << false << true << false;
        QTest::newRow("model working") << 1 << true << false << false;
    }
    void removeFromList()
    {
        QFETCH(int, answer);
        QFETCH(bool, working);
        QFETCH(bool, asked);
        QFETCH(bool, forgotten);
        ModelHarness h;
        ScriptedAlerts alerts;
        alerts.answer = answer;
        h.model().setAlerts(&alerts);
        QVERIFY(h.store().record(stored(yt('A'), "<img src=x> first", 0)));
        QVERIFY(h.store().record(stored(yt('B'), "second", 1)));
        PostDesk desk(&h.model());
        desk.refresh();
        h.model().jobs().set(JobState::Job::scan, working);
        const ChannelPost target = desk.posts().first();
        const bool done = await(PostDock::removeFromList(&h.model(), &desk, target), 10000);
        QCOMPARE(done, forgotten);
        QCOMPARE(alerts.asked, asked ? 1 : 0);
        if (asked)
            QVERIFY(alerts.last.text.startsWith(QStringLiteral("<img src=x> first")));
        QCOMPARE(h.store().post(yt('A')).has_value(), !forgotten);
        QCOMPARE(urls(desk.posts()).contains(yt('A')), !forgotten);
    }

    // The dock over a real model: the tick and the rest of the tile do different things, the
    // search filters and closes with Escape, and nothing reacts while the model works.
    // During a queue scan only the ticked posts wait their turn; the others say what they are.
    void onlyTickedTilesAreQueued()
    {
        ModelHarness h;
        QList<ChannelPost> rows;
        for (const char c : {'A', 'B'}) {
            ChannelPost row;
            row.site = "youtube";
            row.url = yt(c);
            row.state = ChannelPost::State::waiting;
            rows << row;
        }
        h.model().catalog().setRows(rows);
        PostDesk desk(&h.model());
        desk.refresh();
        PostDock dock(&h.model(), nullptr, &desk, nullptr);
        dock.resize(640, 420);
        dock.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dock));
        dock.appear();
        QCOMPARE(dock.tiles().size(), 2);
        QTest::mouseClick(dock.tiles().first(), Qt::LeftButton, {}, PostTile::tickArea().center());
        QVERIFY(!desk.checked().contains(yt('A')));
        h.model().jobs().set(JobState::Job::queue, true);
        QTRY_COMPARE_WITH_TIMEOUT(dock.tiles().at(1)->accessibleDescription(), QString("Queued"), 30000);
        QCOMPARE(dock.tiles().first()->accessibleDescription(), QString("Not scanned"));
        h.model().jobs().set(JobState::Job::queue, false);
    }

    void dockWidget()
    {
        ModelHarness h;
        QVERIFY(h.store().record(stored(yt('A'), "Kimchi stew", 0)));
        QVERIFY(h.store().record(stored(yt('B'), "Ramen", 1)));
        QVERIFY(h.store().record(stored(yt('C'), "kimchi pancake", 2)));
        PostDesk desk(&h.model());
        PostDock dock(&h.model(), nullptr, &desk, nullptr);
        dock.resize(640, 420);
        dock.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dock));
        dock.appear();
        QCOMPARE(dock.tiles().size(), 3);
        QVERIFY(dock.selectAllButton()->isVisibleTo(&dock));
        QVERIFY(!dock.selectAllButton()->isEnabled());   // all ticked at first
        QCOMPARE(dock.actionsArea()->scanButton()->text(), QString("Check 3 for spam"));

        PostTile *first = dock.tiles().first();
        QCOMPARE(first->post().url, yt('A'));
        QTest::mouseClick(first, Qt::LeftButton, {}, PostTile::tickArea().center());
        QVERIFY(!desk.checked().contains(yt('A')));
        QCOMPARE(desk.picks(), 0);
        QVERIFY(dock.selectAllButton()->isEnabled());
        QCOMPARE(dock.actionsArea()->scanButton()->text(), QString("Check 2 for spam"));
        first = dock.tiles().first();
        QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(first->width() / 2, first->height() - 10));
        QCOMPARE(desk.focused(), std::optional<QString>(yt('A')));
        QCOMPARE(desk.picks(), 1);
        QVERIFY(!desk.checked().contains(yt('A')));
        QVERIFY(dock.tiles().first()->look().focused);

        dock.setSearching(true);
        QVERIFY(dock.searchField()->isVisibleTo(&dock));
        QTest::keyClicks(dock.searchField(), QStringLiteral(" KIMCHI "));
        QCOMPARE(dock.tiles().size(), 2);
        QTest::keyClick(dock.searchField(), Qt::Key_Escape);
        QVERIFY(!dock.searching());
        QCOMPARE(dock.query(), QString());
        QCOMPARE(dock.tiles().size(), 3);

        // While the model works, a click on a tile or its tick changes nothing.
        h.model().jobs().set(JobState::Job::removal, true);
        first = dock.tiles().first();
        QVERIFY(!first->isEnabled());
        QVERIFY(!dock.deselectAllButton()->isEnabled());
        QVERIFY(!dock.actionsArea()->scanButton()->isEnabled());
        QTest::mouseClick(first, Qt::LeftButton, {}, PostTile::tickArea().center());
        QTest::mouseClick(dock.tiles().at(1), Qt::LeftButton, {}, QPoint(60, 100));
        QVERIFY(!desk.checked().contains(yt('A')));
        QCOMPARE(desk.picks(), 1);
        h.model().jobs().set(JobState::Job::removal, false);

        // "No more posts to load." and an enabled "Load 30 more" never stand together; another
        // site starts afresh.
        QVERIFY(dock.actionsArea()->loadButton()->isEnabled());
        h.model().catalog().setDiscoveryStatus(PostCatalog::nothingMoreToLoad());
        QCOMPARE(dock.actionsArea()->loadButton()->text(), QString("Load 30 more"));
        QVERIFY(!dock.actionsArea()->loadButton()->isEnabled());
        h.model().catalog().setDiscoveryStatus(QString());
        QVERIFY(dock.actionsArea()->loadButton()->isEnabled());
        QCOMPARE(dock.emptyHintText(), QString());

        // An open search stays open when the list empties, though its button goes.
        dock.setSearching(true);
        for (const QString &u : {yt('A'), yt('B'), yt('C')})
            h.model().catalog().forget(u);
        desk.refresh();
        QCOMPARE(dock.tiles().size(), 0);
        QVERIFY(dock.searching());
        QVERIFY(dock.searchField()->isVisibleTo(&dock));
        QVERIFY(!dock.searchButton()->isVisibleTo(&dock));
        QVERIFY(!dock.selectAllButton()->isVisibleTo(&dock));
        // No posts and no sign-in: the load button and the sign-in button share the row.
        QCOMPARE(dock.actionsArea()->loadButton()->text(), QString("Load latest posts"));
        QVERIFY(dock.actionsArea()->signInButton()->isVisibleTo(&dock));
        QVERIFY(!dock.actionsArea()->scanButton()->isVisibleTo(&dock));
        // ... and the empty grid says what to do.
        QCOMPARE(dock.emptyHintText(),
                 QString("Sign in to YouTube, then load your latest posts and pick the ones to check."));
    }
};

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    qputenv("VT_LANG", "en");
    QApplication app(argc, argv);
    PostDockTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_postdock.moc"
