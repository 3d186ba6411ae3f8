// The review panel's decisions without a window: tabs and deletion candidates, list rows and post
// headings, status texts, the bars, the live stage and the scan log, in both languages.
#include "LanguageScope.h"
#include "TestMain.h"

#include "Panel/AIPercent.h"
#include "Panel/CommentListModel.h"
#include "Panel/DeleteBar.h"
#include "Theme/Design.h"
#include "Panel/PanelTab.h"
#include "Panel/PanelTabs.h"
#include "Panel/PostHeading.h"
#include "Panel/ProbabilityRange.h"
#include "Theme/RangeSlider.h"
#include "Panel/RunText.h"
#include "Panel/ScanSession.h"
#include "Panel/ScanStage.h"
#include "Panel/ScanStatusText.h"
#include "Panel/ScoreBars.h"
#include "Panel/StoredCommentRow.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(std::optional<double>)
Q_DECLARE_METATYPE(ScanActivity::Stage)

namespace {

ScanStore::Record rec(const QString &id, const QString &state = QStringLiteral("ok"), std::optional<double> prob = {},
                      const QString &reason = QString())
{
    ScanStore::Record r;
    r.site = "youtube";
    r.id = id;
    r.post = "p";
    r.text = "text of " + id;
    r.state = state;
    r.aiProb = prob;
    r.reason = reason;
    if (prob && state == QLatin1String("spam"))
        r.kind = "spam";
    return r;
}

QStringList ids(const QList<ScanStore::Record> &records)
{
    QStringList out;
    for (const auto &r : records)
        out.append(r.id);
    return out;
}

ChannelPost post(const QString &url, ChannelPost::State state = ChannelPost::State::done, int total = 0,
                 int flagged = 0)
{
    ChannelPost p;
    p.site = "youtube";
    p.url = url;
    p.state = state;
    p.total = total;
    p.flagged = flagged;
    return p;
}

ScanStore::Run run(const QString &session, ScanStore::Run::Kind kind = ScanStore::Run::Kind::Scan, int total = 0,
                   int flagged = 0, int added = 0, int deleted = 0, bool failed = false)
{
    static qint64 next = 1;
    ScanStore::Run r;
    r.id = next++;
    r.session = session;
    r.kind = kind;
    r.at = QDateTime::currentDateTime();
    r.total = total;
    r.flagged = flagged;
    r.added = added;
    r.deleted = deleted;
    r.failed = failed;
    return r;
}

}   // namespace

class PanelPartsTest : public QObject {
    Q_OBJECT
private slots:
    void percent_data();
    void percent();
    void tabs();
    void candidates_data();
    void candidates();
    void protectedCommentsNeverCandidates();
    void rows();
    void ticks();
    void headingSummary_data();
    void headingSummary();
    void commentRow();
    void statusTexts_data();
    void statusTexts();
    void removalLine_data();
    void removalLine();
    void deleteBar_data();
    void deleteBar();
    void selectAll();
    void scoreBars();
    void tabCounts();
    void sessions();
    void sessionSummary_data();
    void sessionSummary();
    void runTexts();
    void stage();
    void stageTexts_data();
    void stageTexts();
};

void PanelPartsTest::percent_data()
{
    QTest::addColumn<std::optional<double>>("prob");
    QTest::addColumn<int>("shown");
    QTest::addColumn<bool>("absent");
    QTest::newRow("0.795 is 80") << std::optional<double>(0.795) << 80 << false;
    QTest::newRow("0.7949 is 79") << std::optional<double>(0.7949) << 79 << false;
    QTest::newRow("0.005 is 1") << std::optional<double>(0.005) << 1 << false;
    QTest::newRow("absent is 100") << std::optional<double>() << 100 << true;
    QTest::newRow("NaN is absent") << std::optional<double>(std::nan("")) << 100 << true;
    QTest::newRow("+inf clamps") << std::optional<double>(INFINITY) << 100 << false;
    QTest::newRow("-inf clamps") << std::optional<double>(-INFINITY) << 0 << false;
    QTest::newRow("above 1 clamps") << std::optional<double>(3.5) << 100 << false;
    QTest::newRow("below 0 clamps") << std::optional<double>(-0.2) << 0 << false;
}

void PanelPartsTest::percent()
{
    QFETCH(std::optional<double>, prob);
    QFETCH(int, shown);
    QFETCH(bool, absent);
    QCOMPARE(AIPercent::orFull(prob), shown);
    QCOMPARE(!AIPercent::clean(prob).has_value(), absent);
    // Like counts from a page: broken ones are absent, fractions dropped, huge ones capped.
    QCOMPARE(AIPercent::likes(std::nan("")), std::optional<qint64>());
    QCOMPARE(AIPercent::likes(-3), std::optional<qint64>());
    QCOMPARE(AIPercent::likes(12.9), std::optional<qint64>(12));
    QVERIFY(*AIPercent::likes(INFINITY) > 0);
}

void PanelPartsTest::tabs()
{
    QCOMPARE(PanelTab::fromRawValue("spam"), std::optional<PanelTab>(PanelTab::spam));
    QVERIFY(!PanelTab::fromRawValue("Spam"));
    QVERIFY(!PanelTab::fromRawValue("all"));
    QCOMPARE(inLanguage(false, [&] { return PanelTab(PanelTab::spam).title(); }), QStringLiteral("Flagged"));
    QCOMPARE(inLanguage(true, [&] { return PanelTab(PanelTab::spam).title(); }), QStringLiteral("스팸 의심"));
    QCOMPARE(inLanguage(true, [&] { return PanelTab(PanelTab::deleted).title(); }), QStringLiteral("삭제 항목"));
    QCOMPARE(inLanguage(false, [&] { return PanelTab(PanelTab::comments).title(); }), QStringLiteral("Comments"));

    auto gone = rec("gone", "spam");
    gone.deletedAt = QDateTime::currentDateTime();
    auto empty = rec("empty", "spam");
    empty.text.clear();
    const QList<ScanStore::Record> all{rec("a"), rec("b", "spam"), gone, empty, rec("c", "skip", {}, "kept")};
    QCOMPARE(ids(PanelTab(PanelTab::comments).records(all)), QStringList({"a", "b", "c"}));
    QCOMPARE(ids(PanelTab(PanelTab::spam).records(all)), QStringList({"b"}));
    QCOMPARE(ids(PanelTab(PanelTab::deleted).records(all)), QStringList({"gone"}));
}

using Problems = QHash<QString, ScanStore::Problem>;

void PanelPartsTest::candidates_data()
{
    QTest::addColumn<QList<ScanStore::Record>>("records");
    QTest::addColumn<Problems>("problems");
    QTest::addColumn<QStringList>("expected");

    auto gone = rec("gone", "spam");
    gone.deletedAt = QDateTime::currentDateTime();
    auto empty = rec("empty", "spam");
    empty.text.clear();
    QTest::newRow("nothing") << QList<ScanStore::Record>() << Problems() << QStringList();
    QTest::newRow("only deleted") << QList<ScanStore::Record>{gone} << Problems{{"gone", {0.99, "spam"}}}
                                  << QStringList();
    QTest::newRow("empty problems keep spam only")
        << QList<ScanStore::Record>{rec("a"), rec("b", "spam"), rec("c", "skip", {}, "unchanged")} << Problems()
        << QStringList{"b"};
    QTest::newRow("rule hits first, stable")
        << QList<ScanStore::Record>{rec("ai", "spam", 0.99), rec("r1", "spam"), rec("r2", "spam", {}, "link")}
        << Problems() << QStringList{"r1", "r2", "ai"};
    QTest::newRow("0.874 and 0.866 tie at 87, 0.875 first")
        << QList<ScanStore::Record>{rec("x", "spam", 0.874), rec("y", "spam", 0.866), rec("z", "spam", 0.875)}
        << Problems() << QStringList{"z", "x", "y"};
    QTest::newRow("problems promote ok and unchanged")
        << QList<ScanStore::Record>{rec("ok1"), rec("u", "skip", {}, "unchanged"), rec("k", "skip", {}, "kept")}
        << Problems{{"ok1", {0.5, "abuse"}}, {"u", {0.7, ""}}, {"k", {0.99, "spam"}}} << QStringList{"u", "ok1"};
    QTest::newRow("empty text never") << QList<ScanStore::Record>{empty} << Problems{{"empty", {0.9, "spam"}}}
                                      << QStringList();
    QTest::newRow("NaN problem is none") << QList<ScanStore::Record>{rec("n")}
                                         << Problems{{"n", {std::nan(""), "spam"}}} << QStringList();
}

void PanelPartsTest::candidates()
{
    QFETCH(QList<ScanStore::Record>, records);
    QFETCH(Problems, problems);
    QFETCH(QStringList, expected);
    QCOMPARE(ids(inLanguage(false, [&] { return PanelTab::candidates(records, problems); })), expected);
}

void PanelPartsTest::protectedCommentsNeverCandidates()
{
    // A comment protected by a rule keeps an old AI score in the store; at no floor may that score
    // make it a candidate. A comment cleared as unchanged is judged again by its score.
    const QList<ScanStore::Record> records{rec("liked", "skip", {}, QStringLiteral("좋아요가 많은 댓글")),
                                           rec("kept", "skip", {}, "kept"), rec("same", "skip", {}, "unchanged")};
    const Problems problems{{"liked", {0.97, "spam"}}, {"kept", {0.97, "spam"}}, {"same", {0.97, ""}}};
    const QList<ScanStore::Record> c = inLanguage(false, [&] { return PanelTab::candidates(records, problems); });
    QCOMPARE(ids(c), QStringList{"same"});
    QCOMPARE(c.first().state, QStringLiteral("spam"));
    QCOMPARE(c.first().kind, QStringLiteral("spam"));
    QCOMPARE(c.first().reason, QStringLiteral("AI: Spam 97%"));
    QCOMPARE(inLanguage(true, [&] { return PanelTab::candidates(records, problems); }).first().reason,
             QStringLiteral("AI 스팸 97%"));
}

void PanelPartsTest::rows()
{
    auto gone = rec("d", "spam");
    gone.deletedAt = QDateTime::currentDateTime();
    const QList<ChannelPost> posts{post("u1"), post("u2"), post("u3"), post("u4"), post("u5")};
    const QHash<QString, QList<ScanStore::Record>> records{
        {"u1", {rec("a"), rec("s", "spam"), gone}},
        {"u2", {rec("s", "spam")}},
        {"u3", {}},
        {"u5", {rec("x")}},
    };
    QStringList got;
    for (const auto &row : inLanguage(false, [&] { return CommentListModel::rows(posts, records); }))
        got.append(row.id);
    QCOMPARE(got,
             QStringList({"post:u1", "u1|spam:s", "u1|caption", "u1|rest:a", "u1|rest:d", "u1|end", "post:u2",
                          "u2|spam:s", "u2|end", "post:u5", "u5|rest:x", "u5|end"}));
    QCOMPARE(inLanguage(false, [&] { return CommentListModel::rows(posts, records); }).at(2).caption,
             QStringLiteral("Other comments 2"));
    QCOMPARE(inLanguage(true, [&] { return CommentListModel::rows(posts, records); }).at(2).caption,
             QStringLiteral("그 밖의 댓글 2"));
}

void PanelPartsTest::ticks()
{
    auto gone = rec("d", "spam");
    gone.deletedAt = QDateTime::currentDateTime();
    CommentListModel m;
    CommentListModel::Content c;
    c.posts = {post("u")};
    c.records = {
        {"u", {rec("s", "spam"), rec("ok"), rec("same", "skip", {}, "unchanged"), rec("site", "skip", {}, "x"), gone}}};
    // Flagged tab: flagged comments read ticked until unticked; others have no tick box.
    c.mode = CommentListModel::PickMode::unpicked;
    m.setContent(c);
    QVERIFY(m.hasTickBox(1));
    QVERIFY(m.ticked(1));
    QSet<QString> written;
    connect(&m, &CommentListModel::ticksChanged, this, [&](const QSet<QString> &t) { written = t; });
    m.setTicked(1, false);
    QCOMPARE(written, QSet<QString>{"s"});
    QVERIFY(!m.ticked(1));
    QVERIFY(!m.hasTickBox(3));
    // Comments tab: what can be picked has a box; a deleted comment or one a rule skipped has none.
    c.mode = CommentListModel::PickMode::picked;
    c.ticks = {};
    m.setContent(c);
    QStringList boxes;
    for (int i = 0; i < m.rowCount(); ++i) {
        if (m.hasTickBox(i))
            boxes.append(m.row(i).record.id);
    }
    QCOMPARE(boxes, QStringList({"s", "ok", "same"}));
    m.setTicked(4, true);
    QCOMPARE(written, QSet<QString>{"same"});
    // Deleted tab: no boxes at all.
    c.mode = CommentListModel::PickMode::none;
    m.setContent(c);
    for (int i = 0; i < m.rowCount(); ++i)
        QVERIFY(!m.hasTickBox(i));
}

void PanelPartsTest::headingSummary_data()
{
    QTest::addColumn<bool>("scanned");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("flagged");
    QTest::addColumn<int>("deleted");
    QTest::addColumn<bool>("korean");
    QTest::addColumn<QString>("summary");
    QTest::newRow("never") << false << 5 << 1 << 0 << false << "Not scanned";
    QTest::newRow("never ko") << false << 5 << 1 << 0 << true << "검사 전";
    QTest::newRow("deleted only") << true << 120 << 0 << 3 << false << "120 comments · 3 deleted";
    QTest::newRow("all ko") << true << 1200 << 4 << 3 << true << "댓글 1200 · 스팸 의심 4 · 삭제 3";
    QTest::newRow("zero") << true << 0 << 0 << 0 << false << "0 comments";
}

void PanelPartsTest::headingSummary()
{
    QFETCH(bool, scanned);
    QFETCH(int, total);
    QFETCH(int, flagged);
    QFETCH(int, deleted);
    QFETCH(bool, korean);
    QFETCH(QString, summary);
    ChannelPost p = post("https://www.youtube.com/watch?v=x", ChannelPost::State::done, total, flagged);
    p.deleted = deleted;
    if (scanned)
        p.scannedAt = QDateTime::currentDateTime();
    QCOMPARE(inLanguage(korean, [&] { return PostHeading::summary(p); }), summary);
    QCOMPARE(PostHeading::title(p), p.url);
}

void PanelPartsTest::commentRow()
{
    ScanStore::Record r = rec("a", "spam", 0.125);
    r.author.clear();
    r.text.clear();
    QCOMPARE(inLanguage(false, [&] { return StoredCommentRow::author(r.author); }), QStringLiteral("(no name)"));
    QCOMPARE(inLanguage(true, [&] { return StoredCommentRow::author(r.author); }), QStringLiteral("(이름 없음)"));
    QCOMPARE(inLanguage(false, [&] { return StoredCommentRow::body(r); }), QStringLiteral("(no text stored)"));
    QCOMPARE(inLanguage(true, [&] { return StoredCommentRow::body(r); }), QStringLiteral("(저장된 본문 없음)"));
    QCOMPARE(inLanguage(false, [&] { return StoredCommentRow::meta(r); }), QString());
    r.publishedAt = std::nan("");
    QCOMPARE(inLanguage(false, [&] { return StoredCommentRow::meta(r); }), QString());
    r.publishedAt = double(QDateTime(QDate(2026, 12, 9), QTime(21, 17)).toMSecsSinceEpoch());
    QCOMPARE(inLanguage(false, [&] { return StoredCommentRow::meta(r); }), QStringLiteral("Dec 9, 2026"));
    QCOMPARE(inLanguage(true, [&] { return StoredCommentRow::meta(r); }), QStringLiteral("2026년 12월 9일"));
    QCOMPARE(StoredCommentRow::tintPercent(r), std::optional<int>(13));
    r.aiProb.reset();
    QCOMPARE(StoredCommentRow::tintPercent(r), std::optional<int>(100));
    r.state = "ok";
    QCOMPARE(StoredCommentRow::tintPercent(r), std::optional<int>());

    // A cleared comment with a neutral verdict shows no pill; a deleted one does.
    ScanStore::Record plain = rec("p", "skip", {}, "some message");
    QVERIFY(!StoredCommentRow::showsPill(plain, Verdict::of(plain, {})));
    plain.deletedAt = QDateTime::currentDateTime();
    QVERIFY(StoredCommentRow::showsPill(plain, Verdict::of(plain, {})));

    ScanStore::Record liked = rec("l", "ok", 0.42);
    liked.kind = "abuse";
    liked.likeCount = 1234;
    liked.deletedAt = QDateTime(QDate(2026, 12, 9), QTime(21, 17));
    auto d = inLanguage(false, [&] { return StoredCommentRow::details(liked, Verdict::of(liked, {})); });
    QStringList labels;
    for (const auto &[label, value] : d.lines)
        labels.append(label);
    QCOMPARE(labels, QStringList({"AI verdict", "First collected", "Last seen", "Deleted", "Likes"}));
    QCOMPARE(d.lines.first().second, QStringLiteral("Abuse · 42%"));
    QCOMPARE(d.lines.at(3).second, QStringLiteral("Dec 9, 2026, 9:17 PM"));
    QCOMPARE(d.lines.last().second, QStringLiteral("1,234"));
    liked.kind.clear();
    liked.likeCount = std::nan("");
    d = inLanguage(true, [&] { return StoredCommentRow::details(liked, Verdict::of(liked, {})); });
    QCOMPARE(d.lines.first().second, QStringLiteral("문제 확률 · 42%"));
    QCOMPARE(d.lines.last(), (QPair<QString, QString>("삭제 완료", "2026년 12월 9일 오후 9:17")));
}

void PanelPartsTest::statusTexts_data()
{
    QTest::addColumn<ScanActivity::Stage>("stage");
    QTest::addColumn<int>("collected");
    QTest::addColumn<int>("flagged");
    QTest::addColumn<int>("aiChecked");
    QTest::addColumn<int>("aiTotal");
    QTest::addColumn<bool>("touring");
    QTest::addColumn<QList<int>>("states");   // ChannelPost::State per post
    QTest::addColumn<bool>("korean");
    QTest::addColumn<QString>("line");
    QTest::addColumn<std::optional<double>>("fraction");

    using S = ScanActivity::Stage;
    const QList<int> none;
    const int w = int(ChannelPost::State::waiting), sc = int(ChannelPost::State::scanning),
              d = int(ChannelPost::State::done), f = int(ChannelPost::State::failed);
    QTest::newRow("connecting") << S::connecting << 0 << 0 << 0 << 0 << false << none << false << "Opening the post"
                                << std::optional<double>();
    QTest::newRow("collecting ko") << S::collecting << 12 << 0 << 0 << 0 << false << none << true
                                   << "댓글 수집 중 · 댓글 12" << std::optional<double>();
    QTest::newRow("ai without total") << S::ai << 0 << 0 << 0 << 0 << false << none << false << "AI check"
                                      << std::optional<double>();
    QTest::newRow("ai without total ko") << S::ai << 0 << 0 << 0 << 0 << false << none << true << "AI 검사 중"
                                         << std::optional<double>();
    QTest::newRow("ai 30/120 ko") << S::ai << 0 << 0 << 30 << 120 << false << none << true << "AI 30/120"
                                  << std::optional<double>(0.25);
    QTest::newRow("complete") << S::complete << 0 << 0 << 0 << 0 << false << none << false << "Checking"
                              << std::optional<double>();
    QTest::newRow("flagged only") << S::rules << 0 << 5 << 0 << 0 << false << none << false << "Checking · 5 flagged"
                                  << std::optional<double>();
    QTest::newRow("tour example") << S::ai << 350 << 12 << 40 << 120 << true << QList<int>{d, d, sc, w, w} << false
                                  << "AI 40/120 · post 3/5 · 350 comments · 12 flagged" << std::optional<double>(0.4);
    QTest::newRow("tour of one") << S::collecting << 0 << 0 << 0 << 0 << true << QList<int>{sc} << false
                                 << "Collecting comments · post 1/1" << std::optional<double>();
    QTest::newRow("tour of one done, ai") << S::ai << 0 << 0 << 5 << 10 << true << QList<int>{d} << true
                                          << "AI 5/10 · 게시물 1/1" << std::optional<double>(0.5);
    QTest::newRow("done and failed") << S::rules << 0 << 0 << 0 << 0 << true << QList<int>{d, f, sc, w} << false
                                     << "Checking · post 3/4" << std::optional<double>(0.5);
    QTest::newRow("third of three ko") << S::collecting << 0 << 0 << 0 << 0 << true << QList<int>{d, d, sc} << true
                                       << "댓글 수집 중 · 게시물 3/3" << std::optional<double>(2.0 / 3.0);
    QTest::newRow("between posts") << S::complete << 0 << 0 << 0 << 0 << true << QList<int>{d, w, w} << false
                                   << "Checking · post 1/3" << std::optional<double>(1.0 / 3.0);
    QTest::newRow("checked beyond total")
        << S::ai << 0 << 0 << 130 << 120 << false << none << false << "AI 130/120" << std::optional<double>(1.0);
}

void PanelPartsTest::statusTexts()
{
    QFETCH(ScanActivity::Stage, stage);
    QFETCH(int, collected);
    QFETCH(int, flagged);
    QFETCH(int, aiChecked);
    QFETCH(int, aiTotal);
    QFETCH(bool, touring);
    QFETCH(QList<int>, states);
    QFETCH(bool, korean);
    QFETCH(QString, line);
    QFETCH(std::optional<double>, fraction);
    ScanStatusText::State s;
    s.activity.stage = stage;
    s.activity.collected = collected;
    s.activity.flagged = flagged;
    s.activity.aiChecked = aiChecked;
    s.activity.aiTotal = aiTotal;
    s.touring = touring;
    for (int st : states)
        s.posts.append(post(QString::number(s.posts.size()), ChannelPost::State(st)));
    QCOMPARE(inLanguage(korean, [&] { return ScanStatusText::scanLine(s); }), line);
    QCOMPARE(ScanStatusText::scanFraction(s), fraction);
}

void PanelPartsTest::removalLine_data()
{
    QTest::addColumn<bool>("busy");
    QTest::addColumn<int>("done");
    QTest::addColumn<int>("total");
    QTest::addColumn<bool>("korean");
    QTest::addColumn<QString>("line");
    QTest::newRow("finding") << false << 0 << 0 << false << "Finding the comments to delete";
    QTest::newRow("finding ko") << false << 0 << 1 << true << "삭제할 댓글을 찾는 중";
    QTest::newRow("one post") << true << 0 << 1 << false << "Deleting";
    QTest::newRow("second of three") << true << 1 << 3 << false << "Deleting · post 2/3";
    QTest::newRow("second of three ko") << true << 1 << 3 << true << "삭제 중 · 게시물 2/3";
}

void PanelPartsTest::removalLine()
{
    QFETCH(bool, busy);
    QFETCH(int, done);
    QFETCH(int, total);
    QFETCH(bool, korean);
    QFETCH(QString, line);
    ScanStatusText::State s;
    s.busy = busy;
    if (total > 0)
        s.removal = std::make_pair(qint64(done), qint64(total));
    QCOMPARE(inLanguage(korean, [&] { return ScanStatusText::removalLine(s); }), line);
}

void PanelPartsTest::deleteBar_data()
{
    QTest::addColumn<int>("flagged");
    QTest::addColumn<int>("unpicked");
    QTest::addColumn<bool>("korean");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("button");
    QTest::newRow("31 picks") << 31 << 0 << false << "31 selected of 31 · 30 at a time"
                              << "Delete 30";
    QTest::newRow("31 picks ko") << 31 << 0 << true << "31개 선택 / 31개 · 한 번에 30개"
                                 << "30개 삭제";
    QTest::newRow("exactly 30") << 32 << 2 << false << "30 selected of 32"
                                << "Delete 30";
    QTest::newRow("4 of 5") << 5 << 1 << false << "4 selected of 5"
                            << "Delete 4";
    QTest::newRow("none") << 0 << 0 << true << "0개 선택 / 0개"
                          << "0개 삭제";
}

void PanelPartsTest::deleteBar()
{
    QFETCH(int, flagged);
    QFETCH(int, unpicked);
    QFETCH(bool, korean);
    QFETCH(QString, header);
    QFETCH(QString, button);
    QList<ScanStore::Record> records;
    QSet<QString> off;
    for (int i = 0; i < flagged; ++i) {
        records.append(rec(QString::number(i), "spam"));
        if (i < unpicked)
            off.insert(QString::number(i));
    }
    const auto picks = DeleteBar::picks(records, off);
    QCOMPARE(picks.size(), qsizetype(flagged - unpicked));
    const auto h = inLanguage(korean, [&] { return DeleteBar::header(int(picks.size()), flagged); });
    QCOMPARE(h.selected + h.of + h.batch, header);
    QCOMPARE(inLanguage(korean, [&] { return DeleteBar::deleteTitle(int(picks.size())); }), button);
    QCOMPARE(DeleteBar::canDeselectAll(records, off), !picks.isEmpty());
    QCOMPARE(DeleteBar::canSelectAll(records, off), unpicked > 0);

    // The button hands every pick on, not only the batch it names.
    qputenv("VT_LANG", "en");
    DeleteBar bar;
    QList<ScanStore::Record> handed;
    connect(&bar, &DeleteBar::deleteRequested, this, [&](const QList<ScanStore::Record> &r) { handed = r; });
    bar.setContent(records, std::nullopt, {}, off, false);
    QCOMPARE(bar.deleteButton()->isEnabled(), !picks.isEmpty());
    bar.deleteButton()->click();
    QCOMPARE(handed.size(), picks.size());
    QVERIFY(bar.range()->isHidden());
}

void PanelPartsTest::selectAll()
{
    const QList<ScanStore::Record> records{rec("a", "spam"), rec("b", "spam"), rec("c", "spam")};
    const QSet<QString> off{"b", "elsewhere"};
    QCOMPARE(DeleteBar::selectAll(records, off), QSet<QString>{"elsewhere"});
    QCOMPARE(DeleteBar::deselectAll(records, off), QSet<QString>({"a", "b", "c", "elsewhere"}));
    QVERIFY(!DeleteBar::canSelectAll({}, {}));
    QVERIFY(!DeleteBar::canDeselectAll({}, {}));
}

void PanelPartsTest::scoreBars()
{
    ScoreBars::Buckets b = ScoreBars::buckets({-5, 0, 4.9, 5, 62.9, 100, 250, std::nan("")}, 5, 100, 0, 100);
    QCOMPARE(b.total[0], 3);
    QCOMPARE(b.inBand[0], 0);
    QCOMPARE(b.total[1], 1);
    QCOMPARE(b.inBand[1], 1);   // the band's lower edge is in band
    QCOMPARE(b.total[12], 1);
    QCOMPARE(b.total[19], 2);
    QCOMPARE(b.inBand[19], 1);   // 100 is in band, 250 is beyond it
    QCOMPARE(b.peak, 3);
    b = ScoreBars::buckets({}, 0, 100, 0, 100);
    QCOMPARE(b.peak, 1);
    QCOMPARE(ScoreBars::barHeight(0, 1, 24), 0.0);
    QCOMPARE(ScoreBars::barHeight(1, 500, 24), 3.0);
    QCOMPARE(ScoreBars::barHeight(500, 500, 24), 24.0);
    // Broken bounds never divide by zero.
    b = ScoreBars::buckets({10, 20}, 0, 100, 50, 50);
    QCOMPARE(b.peak, 1);
    QCOMPARE(b.total[0], 0);
    QCOMPARE(ScoreBars::barHeight(3, 0, 24), 24.0);
    QCOMPARE(ScoreBars::topPercent(0, 0, 100), 4);
    QCOMPARE(ScoreBars::topPercent(19, 0, 100), 100);
    QCOMPARE(ProbabilityRange::bandText(62.9, 100), QString::fromUtf8("62–100%"));
    double lower = 40, upper = 60;
    RangeSlider::step(70, false, lower, upper);
    QCOMPARE(lower, 60.0);   // never crosses the other thumb
    RangeSlider::step(10, true, lower, upper);
    QCOMPARE(upper, 60.0);
}

void PanelPartsTest::tabCounts()
{
    QCOMPARE(PanelTabs::countText(12345, QLocale(QLocale::English)), QStringLiteral("12,345"));
    const auto missing = PanelTabs::countLook(PanelTab::deleted, PanelTab::comments, 0);
    QVERIFY(!missing.emphasised);
    QCOMPARE(missing.color, Design::muted());
    const auto flagged = PanelTabs::countLook(PanelTab::spam, PanelTab::comments, 3);
    QVERIFY(flagged.emphasised);
    QCOMPARE(flagged.color, Design::text());
    QCOMPARE(PanelTabs::titleColor(PanelTab::spam, PanelTab::comments), Design::muted());
    const auto deleted = PanelTabs::countLook(PanelTab::deleted, PanelTab::comments, 3);
    QVERIFY(!deleted.emphasised);
    QCOMPARE(deleted.color, Design::secondary());
    QVERIFY(PanelTabs::countLook(PanelTab::comments, PanelTab::comments, 0).emphasised);
}

void PanelPartsTest::sessions()
{
    QVERIFY(ScanSession::group({}).isEmpty());
    const QList<ScanStore::Run> runs{run("A"), run("A"), run("B"), run("A")};
    const QList<ScanSession> s = ScanSession::group(runs);
    QCOMPARE(s.size(), 3);
    QCOMPARE(s.at(0).runs.size(), 2);
    QCOMPARE(s.at(0).id(), runs.at(0).id);
    QCOMPARE(s.at(2).runs.first().id, runs.at(3).id);

    // The history adds the last scan of older posts before the newest runs. Such a lone old run
    // of a session that the window cut in two stays apart from the part inside the window.
    const QList<ScanStore::Run> window{run("OLD"), run("T"), run("T"), run("T")};
    const QList<ScanSession> cut = ScanSession::group(window, 2);
    QCOMPARE(cut.size(), 3);
    QCOMPARE(cut.at(0).runs.size(), 1);
    QCOMPARE(cut.at(1).runs.size(), 1);
    QCOMPARE(cut.at(2).runs.size(), 2);
    QCOMPARE(ScanSession::group(window, 200).size(), 2);
    // Runs without a session string never join each other.
    QCOMPARE(ScanSession::group({run(""), run("")}).size(), 2);
}

void PanelPartsTest::sessionSummary_data()
{
    QTest::addColumn<QList<ScanStore::Run>>("runs");
    QTest::addColumn<QString>("en");
    QTest::addColumn<QString>("ko");
    QTest::addColumn<bool>("marked");
    using K = ScanStore::Run::Kind;
    QTest::newRow("three posts, one failed")
        << QList<ScanStore::Run>{run("s", K::Scan, 200, 3, 10), run("s", K::Scan, 140, 2, 2),
                                 run("s", K::Scan, 9, 9, 9, 0, true)}
        << "3 posts · 340 comments · 12 new · 5 flagged · 1 failed"
        << "게시물 3 · 댓글 340 · 새 댓글 12 · 스팸 의심 5 · 실패 1" << true;
    QTest::newRow("one failed") << QList<ScanStore::Run>{run("s", K::Scan, 0, 0, 0, 0, true)} << "1 post · 1 failed"
                                << "게시물 1 · 실패 1" << true;
    QTest::newRow("one comment") << QList<ScanStore::Run>{run("s", K::Scan, 1)} << "1 post · 1 comments"
                                 << "게시물 1 · 댓글 1" << false;
    QTest::newRow("deleted all") << QList<ScanStore::Run>{run("d", K::Delete, 30, 0, 0, 30)} << "Deleted 30"
                                 << "30개 삭제" << false;
    QTest::newRow("deleted some") << QList<ScanStore::Run>{run("d", K::Delete, 30, 0, 0, 12)} << "Deleted 12 of 30"
                                  << "30개 중 12개 삭제" << false;
    QTest::newRow("deleted none") << QList<ScanStore::Run>{run("d", K::Delete, 30, 0, 0, 0, true)} << "Nothing deleted"
                                  << "삭제하지 못했습니다" << true;
    QTest::newRow("deleted beyond total") << QList<ScanStore::Run>{run("d", K::Delete, 3, 0, 0, 5)} << "Deleted 5"
                                          << "5개 삭제" << false;
}

void PanelPartsTest::sessionSummary()
{
    QFETCH(QList<ScanStore::Run>, runs);
    QFETCH(QString, en);
    QFETCH(QString, ko);
    QFETCH(bool, marked);
    const ScanSession s{runs};
    QCOMPARE(inLanguage(false, [&] { return s.summary(); }), en);
    QCOMPARE(inLanguage(true, [&] { return s.summary(); }), ko);
    QCOMPARE(s.marked(), marked);
}

void PanelPartsTest::runTexts()
{
    QCOMPARE(inLanguage(false, [&] { return RunText::scan(0); }), QStringLiteral("Check for spam"));
    QCOMPARE(inLanguage(true, [&] { return RunText::scan(-2); }), QStringLiteral("스팸 검사"));
    QCOMPARE(inLanguage(false, [&] { return RunText::scan(1); }), QStringLiteral("Check 1 for spam"));
    QCOMPARE(inLanguage(true, [&] { return RunText::scan(1); }), QStringLiteral("1개 스팸 검사"));
    QCOMPARE(inLanguage(false, [&] { return RunText::deletion(0); }), QStringLiteral("Delete 0"));
    QCOMPARE(inLanguage(true, [&] { return RunText::deletion(0); }), QStringLiteral("0개 삭제"));
    // In the interface language whatever the system locale: the clock alone today, else month, day and clock.
    const QDateTime now(QDate(2026, 3, 9), QTime(18, 0));
    QCOMPARE(inLanguage(false, [&] { return RunText::time(QDateTime(QDate(2026, 3, 9), QTime(9, 5, 30)), now); }),
             QStringLiteral("9:05 AM"));
    QCOMPARE(inLanguage(true, [&] { return RunText::time(QDateTime(QDate(2026, 3, 9), QTime(9, 5, 30)), now); }),
             QStringLiteral("오전 9:05"));
    QCOMPARE(inLanguage(false, [&] { return RunText::time(QDateTime(QDate(2026, 3, 2), QTime(21, 7)), now); }),
             QStringLiteral("Mar 2, 9:07 PM"));
    QCOMPARE(inLanguage(true, [&] { return RunText::time(QDateTime(QDate(2026, 3, 2), QTime(21, 7)), now); }),
             QStringLiteral("3월 2일 오후 9:07"));
    ScanStore::Run automatic = run("s");
    automatic.at = now;
    automatic.automatic = true;
    const ScanSession session{{automatic}};
    QCOMPARE(inLanguage(false, [&] { return session.title(now); }), QStringLiteral("6:00 PM · automatic"));
    QCOMPARE(inLanguage(true, [&] { return session.title(now); }), QStringLiteral("오후 6:00 · 자동 검사"));
}

void PanelPartsTest::stage()
{
    using S = ChannelPost::State;
    const ChannelPost open = post("open");
    // Outside a tour: the open page's row, or nothing.
    QCOMPARE(ScanStage::items({post("a"), post("b")}, false, std::nullopt).size(), 0);
    auto items = ScanStage::items({post("a"), post("b")}, false, open);
    QCOMPARE(items.size(), 1);
    QVERIFY(items.first().live);
    QCOMPARE(items.first().post.url, QStringLiteral("open"));
    // A post in the scanning state is current even outside a tour.
    items = ScanStage::items({post("a"), post("b", S::scanning)}, false, open);
    QCOMPARE(items.size(), 1);
    QCOMPARE(items.first().post.url, QStringLiteral("b"));
    // During a tour: every post, the scanning one as the card.
    items = ScanStage::items({post("a", S::done), post("b", S::scanning), post("c")}, true, open);
    QCOMPARE(items.size(), 3);
    QVERIFY(!items.at(0).live && items.at(1).live && !items.at(2).live);
    // Between two posts of a tour there is no card.
    items = ScanStage::items({post("a", S::done), post("b")}, true, open);
    QVERIFY(std::none_of(items.begin(), items.end(), [](const auto &i) { return i.live; }));

    ChannelPost done = post("d", S::done, 12, 0);
    auto mark = inLanguage(false, [&] { return ScanStage::queueMark(done); });
    QCOMPARE(mark.text, QStringLiteral("12 comments"));
    QVERIFY(!mark.semibold);
    QCOMPARE(mark.color, Design::muted());
    done.flagged = 3;
    mark = inLanguage(true, [&] { return ScanStage::queueMark(done); });
    QCOMPARE(mark.text, QStringLiteral("댓글 12 · 의심 3"));
    QVERIFY(mark.semibold && mark.check);
    QCOMPARE(inLanguage(false, [&] { return ScanStage::queueMark(post("f", S::failed)); }).text,
             QStringLiteral("Scan failed"));
    QCOMPARE(inLanguage(true, [&] { return ScanStage::queueMark(post("w", S::scanning)); }).text,
             QStringLiteral("대기 중"));

    Comment c;
    c.state = "spam";
    QCOMPARE(inLanguage(false, [&] { return ScanStage::badgeText(c); }), QStringLiteral("Flagged"));
    QCOMPARE(inLanguage(true, [&] { return ScanStage::badgeText(c); }), QStringLiteral("스팸 의심"));
    QCOMPARE(ScanStage::badgePercent(c), 100);
    c.aiProb = 0.125;
    QCOMPARE(inLanguage(false, [&] { return ScanStage::badgeText(c); }), QStringLiteral("13%"));
    QCOMPARE(ScanStage::trailing(c, true), ScanStage::Trailing::badge);
    c.state = "ok";
    QCOMPARE(ScanStage::trailing(c, true), ScanStage::Trailing::dots);
    QCOMPARE(ScanStage::trailing(c, false), ScanStage::Trailing::none);
    QCOMPARE(ScanStage::sampleOpacity(0, 1), 1.0);
    QCOMPARE(ScanStage::sampleOpacity(4, 5), 1.0);
    QCOMPARE(ScanStage::pulseOpacity(1.3, true), 1.0);
    QCOMPARE(ScanStage::dotOpacity(2, 1.3, true), 0.7);
}

void PanelPartsTest::stageTexts_data()
{
    QTest::addColumn<ScanActivity::Stage>("stage");
    QTest::addColumn<int>("collected");
    QTest::addColumn<int>("flagged");
    QTest::addColumn<int>("aiChecked");
    QTest::addColumn<int>("aiTotal");
    QTest::addColumn<bool>("korean");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("counts");
    using S = ScanActivity::Stage;
    QTest::newRow("opening") << S::connecting << 0 << 0 << 0 << 0 << false << "Opening the post"
                             << "";
    QTest::newRow("rules ko") << S::rules << 40 << 0 << 0 << 0 << true << "규칙 검사 중"
                              << "댓글 40";
    QTest::newRow("ai no total") << S::ai << 40 << 2 << 0 << 0 << false << "AI check"
                                 << "40 comments · 2 flagged";
    QTest::newRow("ai 12/40 ko") << S::ai << 40 << 2 << 12 << 40 << true << "AI 검사 중 12/40"
                                 << "댓글 40 · 의심 2";
    QTest::newRow("finishing") << S::complete << 0 << 3 << 0 << 0 << false << "Finishing"
                               << "";
}

void PanelPartsTest::stageTexts()
{
    QFETCH(ScanActivity::Stage, stage);
    QFETCH(int, collected);
    QFETCH(int, flagged);
    QFETCH(int, aiChecked);
    QFETCH(int, aiTotal);
    QFETCH(bool, korean);
    QFETCH(QString, label);
    QFETCH(QString, counts);
    ScanActivity a;
    a.stage = stage;
    a.collected = collected;
    a.flagged = flagged;
    a.aiChecked = aiChecked;
    a.aiTotal = aiTotal;
    QCOMPARE(inLanguage(korean, [&] { return ScanStage::stageLabel(a); }), label);
    QCOMPARE(inLanguage(korean, [&] { return ScanStage::countsText(a); }), counts);
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    qputenv("VT_LANG", "en");
    QApplication app(argc, argv);
    PanelPartsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_panelparts.moc"
