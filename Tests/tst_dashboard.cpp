// The statistics sheet: the snapshot the model reads from the store, the trend's scale, date
// labels, bar widths and shown values, the tiles and list texts in both languages, and the sheet
// over an empty and a seeded history.
#include "Contrast.h"
#include "HistoryFixture.h"
#include "LanguageScope.h"
#include "ModelHarness.h"
#include "StoreTestData.h"
#include "TestMain.h"

#include "Dashboard/DashboardModel.h"
#include "Dashboard/StatisticsSheet.h"
#include "Dashboard/TrendChart.h"
#include "Shell/VeltraneBrowserApp.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QMouseEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QValueAxis>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>

namespace {

// `days` consecutive days ending today, with the given counts from the oldest.
QList<ScanStore::DayCount> series(const QList<std::pair<int, int>> &counts)
{
    QList<ScanStore::DayCount> out;
    const QDate today = QDate::currentDate();
    for (int i = 0; i < counts.size(); ++i) {
        ScanStore::DayCount d;
        d.day = today.addDays(i - counts.size() + 1).startOfDay();
        d.flagged = counts.at(i).first;
        d.deleted = counts.at(i).second;
        out.append(d);
    }
    return out;
}

QList<ScanStore::DayCount> zeros(int days)
{
    return series(QList<std::pair<int, int>>(days, {0, 0}));
}

}   // namespace

class DashboardTest : public QObject {
    Q_OBJECT
private slots:
    void emptyHistory();
    void seededHistory();
    void ceiling_data();
    void ceiling();
    void ticks_data();
    void ticks();
    void barWidth_data();
    void barWidth();
    void shownValuesAndHover();
    void eachStripItsOwnScale_data();
    void eachStripItsOwnScale();
    void chosenRangeStandsOut();
    void pointerPicksADay();
    void texts_data();
    void texts();
    void sheetOverEmptyHistory();
    void sheetOverSeededHistory_data();
    void sheetOverSeededHistory();
    void postRowClosesThenReports();
    void pageTextsShowAsText();
};

void DashboardTest::emptyHistory()
{
    ModelHarness h;
    const PostCatalog::DashboardData data = h.model().catalog().dashboard(90, QDateTime::currentDateTime());
    QCOMPARE(data.stats, ScanStore::Stats());
    QCOMPARE(data.bySite.keys(), (QList<QString>{"instagram", "youtube"}));
    QCOMPARE(data.bySite.value("youtube"), ScanStore::Stats());
    QCOMPARE(data.daily.size(), 90);
    QVERIFY(data.topPosts.isEmpty() && data.topAuthors.isEmpty() && data.recent.isEmpty() && data.posts.isEmpty());
    QVERIFY(!DashboardModel::showsTrend(data));
    QVERIFY(!DashboardModel::showsLists(data));
    QVERIFY(DashboardModel::sites(data).isEmpty());
}

void DashboardTest::seededHistory()
{
    ModelHarness h;
    const QDateTime now = QDateTime::currentDateTime();
    const vt::test::SeededHistory seeded = vt::test::seedHistory(h.store(), now);
    const PostCatalog::DashboardData data = h.model().catalog().dashboard(90, now);
    QCOMPARE(data.stats.comments, seeded.comments);
    QCOMPARE(data.stats.deleted, seeded.deleted);
    QCOMPARE(data.stats.posts, 3);
    QCOMPARE(data.stats.watched, 1);
    QCOMPARE(data.bySite.value("youtube").posts, 2);
    QCOMPARE(data.bySite.value("instagram").posts, 1);
    QCOMPARE(data.bySite.value("youtube").comments + data.bySite.value("instagram").comments, seeded.comments);
    QCOMPARE(DashboardModel::sites(data), (QStringList{"youtube", "instagram"}));
    QCOMPARE(data.daily.size(), 90);
    QCOMPARE(data.daily.last().day, now.date().startOfDay());
    int deletedInSeries = 0;
    for (const ScanStore::DayCount &d : data.daily)
        deletedInSeries += d.deleted;
    QCOMPARE(deletedInSeries, seeded.deleted);
    QVERIFY(!data.topPosts.isEmpty() && data.topPosts.size() <= 5);
    QVERIFY(!data.topAuthors.isEmpty() && data.topAuthors.size() <= 5);
    QCOMPARE(data.recent.size(), 10);
    QCOMPARE(DashboardModel::recentShown(data).size(), 5);
    for (int i = 1; i < data.recent.size(); ++i)
        QVERIFY(*data.recent.at(i - 1).deletedAt >= *data.recent.at(i).deletedAt);
    QCOMPARE(data.posts.size(), 3);
    QCOMPARE(data.posts.value(seeded.instagramPost).site, QStringLiteral("instagram"));
    QVERIFY(DashboardModel::showsTrend(data));
    QCOMPARE(DashboardModel::ceiling(DashboardModel::slice(data.daily, 30)),
             DashboardModel::ceiling(series({{seeded.peakDay, 0}})));
}

void DashboardTest::ceiling_data()
{
    QTest::addColumn<int>("peak");
    QTest::addColumn<int>("top");
    const QList<std::pair<int, int>> rows{{0, 1},     {1, 1},     {3, 3},      {5, 5},      {6, 6},
                                          {7, 8},     {9, 10},    {10, 10},    {11, 12},    {13, 15},
                                          {21, 25},   {26, 30},   {31, 40},    {61, 80},    {81, 100},
                                          {100, 100}, {101, 120}, {999, 1000}, {1001, 1200}};
    for (const auto &[peak, top] : rows)
        QTest::addRow("peak %d", peak) << peak << top;
}

void DashboardTest::ceiling()
{
    QFETCH(int, peak);
    QFETCH(int, top);
    // The peak counts whichever strip holds it; both strips share the scale.
    QCOMPARE(DashboardModel::ceiling(series({{0, 0}, {peak, 0}, {1, 1}})), top);
    QCOMPARE(DashboardModel::ceiling(series({{0, peak}, {0, 0}})), top);
}

void DashboardTest::ticks_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<QList<int>>("placesBack");
    QTest::newRow("7 days: every day") << 7 << QList<int>{0, 1, 2, 3, 4, 5, 6};
    QTest::newRow("30 days") << 30 << QList<int>{2, 7, 12, 17, 22, 27};
    QTest::newRow("90 days") << 90 << QList<int>{7, 22, 37, 52, 67, 82};
}

void DashboardTest::ticks()
{
    QFETCH(int, days);
    QFETCH(QList<int>, placesBack);
    const QList<ScanStore::DayCount> slice = DashboardModel::slice(zeros(90), days);
    QCOMPARE(slice.size(), days);
    QList<QDateTime> expected;
    for (const int back : placesBack)
        expected.append(slice.at(slice.size() - 1 - back).day.addSecs(43200));
    QCOMPARE(DashboardModel::ticks(slice, days), expected);
    QCOMPARE(expected.first().time(), QTime(12, 0));
}

void DashboardTest::barWidth_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("radius");
    QTest::newRow("7") << 7 << 24.0 << 3.0;
    QTest::newRow("30") << 30 << 14.012 << 3.0;
    QTest::newRow("90") << 90 << 678.0 / 90 * 0.62 << 678.0 / 90 * 0.62 / 3;
    QTest::newRow("never under 2") << 400 << 2.0 << 2.0 / 3;
    QTest::newRow("no days") << 0 << 24.0 << 3.0;
}

void DashboardTest::barWidth()
{
    QFETCH(int, days);
    QFETCH(double, width);
    QFETCH(double, radius);
    QVERIFY(qAbs(DashboardModel::barWidth(days) - width) < 1e-9);
    QVERIFY(qAbs(DashboardModel::cornerRadius(days) - radius) < 1e-9);
}

void DashboardTest::shownValuesAndHover()
{
    const QList<ScanStore::DayCount> daily = series({{1, 0}, {3, 0}, {0, 2}, {0, 0}});
    const auto flagged = DashboardModel::Strip::flagged;
    const auto deleted = DashboardModel::Strip::deleted;
    QCOMPARE(DashboardModel::shownValue(daily, flagged, std::nullopt), 4);
    QCOMPARE(DashboardModel::shownValue(daily, deleted, std::nullopt), 2);
    QCOMPARE(DashboardModel::shownValue(daily, flagged, daily.at(1).day), 3);
    QCOMPARE(DashboardModel::shownValue(daily, deleted, daily.at(1).day), 0);
    // A day outside the slice falls back to the sums.
    QCOMPARE(DashboardModel::shownValue(daily, flagged, daily.at(0).day.addDays(-5)), 4);
    QCOMPARE(DashboardModel::dayAt(daily, daily.at(2).day.addSecs(3600 * 15)), std::optional(daily.at(2).day));
    QCOMPARE(DashboardModel::dayAt(daily, daily.at(0).day.addSecs(-60)), std::nullopt);
    // Only older days have counts: the visible range scales 0 to 1.
    QList<ScanStore::DayCount> old = series(QList<std::pair<int, int>>(90, {0, 0}));
    old[0].deleted = 40;
    QCOMPARE(DashboardModel::ceiling(DashboardModel::slice(old, 30)), 1);
    QCOMPARE(DashboardModel::ceiling(DashboardModel::slice(old, 90)), 40);

    LanguageScope english(false);
    TrendChart chart(old);
    QCOMPARE(chart.days(), 30);
    QCOMPARE(chart.shownText(1), QStringLiteral("0"));
    chart.setDays(90);
    QCOMPARE(chart.shownText(1), QStringLiteral("40"));
    chart.setHovered(old.at(0).day);
    QCOMPARE(chart.shownText(1), QStringLiteral("40"));
    chart.setHovered(old.at(1).day);
    QCOMPARE(chart.shownText(1), QStringLiteral("0"));
    chart.setDays(7);   // a new range drops the hovered day
    QCOMPARE(chart.hovered(), std::nullopt);
    chart.setDays(12);   // not a choice
    QCOMPARE(chart.days(), 7);
}

// Each strip is drawn on its own scale: a few deletions beside hundreds of detections still rise.
void DashboardTest::eachStripItsOwnScale_data()
{
    QTest::addColumn<int>("flagged");   // the peak day's counts
    QTest::addColumn<int>("deleted");
    QTest::addColumn<int>("flaggedTop");
    QTest::addColumn<int>("deletedTop");
    QTest::newRow("many detected, few deleted") << 800 << 4 << 800 << 4;
    QTest::newRow("more deleted than detected") << 3 << 50 << 3 << 50;
    QTest::newRow("nothing deleted") << 12 << 0 << 12 << 1;
}

void DashboardTest::eachStripItsOwnScale()
{
    QFETCH(int, flagged);
    QFETCH(int, deleted);
    QFETCH(int, flaggedTop);
    QFETCH(int, deletedTop);
    QList<std::pair<int, int>> counts(30, {1, 0});
    counts[20] = {flagged, deleted};
    TrendChart chart(series(counts));
    QCOMPARE(chart.views().size(), 2);
    const auto top = [&](int strip) {
        const QList<QAbstractAxis *> axes = chart.views().at(strip)->chart()->axes(Qt::Vertical);
        return axes.isEmpty() ? -1.0 : static_cast<QValueAxis *>(axes.first())->max();
    };
    QCOMPARE(top(0), double(flaggedTop));
    QCOMPARE(top(1), double(deletedTop));
}

// The chosen range stands out from the others as drawn (it once differed by a shade of grey).
void DashboardTest::chosenRangeStandsOut()
{
    LanguageScope english(false);
    TrendChart chart(series(QList<std::pair<int, int>>(30, {1, 0})));
    chart.resize(904, 260);
    chart.setAttribute(Qt::WA_DontShowOnScreen);
    chart.show();
    const QList<QToolButton *> segments = chart.findChildren<QToolButton *>();
    QCOMPARE(segments.size(), 3);
    QTRY_VERIFY_WITH_TIMEOUT(segments.at(1)->isChecked(), 30000);   // 30 days at first
    const QImage image = chart.grab().toImage();
    QList<QRgb> fills;
    for (QToolButton *segment : segments) {
        const QRect r(segment->mapTo(&chart, QPoint(0, 0)), segment->size());
        fills.append(image.pixel(r.left() + 3, r.center().y()));
    }
    for (int i : {0, 2})
        QVERIFY2(vt::test::contrast(fills.at(1), fills.at(i)) >= 3,
                 qPrintable(QString::number(vt::test::contrast(fills.at(1), fills.at(i)))));
}

void DashboardTest::pointerPicksADay()
{
    QList<std::pair<int, int>> counts(30, {1, 0});
    counts[29] = {4, 2};
    const QList<ScanStore::DayCount> daily = series(counts);
    LanguageScope english(false);
    TrendChart chart(daily);
    chart.resize(904, 260);
    chart.setAttribute(Qt::WA_DontShowOnScreen);
    chart.show();
    QChartView *bottom = chart.views().at(1);
    QTRY_VERIFY_WITH_TIMEOUT(bottom->chart()->plotArea().width() > 100, 30000);
    auto move = [&](QPointF at) {
        const QPointF local = bottom->mapFromScene(bottom->chart()->mapToScene(at));
        QMouseEvent event(QEvent::MouseMove, local, bottom->viewport()->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(bottom->viewport(), &event);
    };
    const QRectF plot = bottom->chart()->plotArea();
    // The newest day sits at the right end of the plot.
    move(QPointF(plot.right() - 2, plot.center().y()));
    QCOMPARE(chart.hovered(), std::optional(daily.last().day));
    QCOMPARE(chart.shownText(0), QStringLiteral("4"));
    QCOMPARE(chart.shownText(1), QStringLiteral("2"));
    // Outside the plotted days: no day.
    move(QPointF(plot.left() - 30, plot.center().y()));
    QCOMPARE(chart.hovered(), std::nullopt);
    QCOMPARE(chart.shownText(0), QStringLiteral("33"));
    move(QPointF(plot.left() + 2, plot.center().y()));
    QCOMPARE(chart.hovered(), std::optional(daily.first().day));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(bottom->viewport(), &leave);
    QCOMPARE(chart.hovered(), std::nullopt);
}

void DashboardTest::texts_data()
{
    QTest::addColumn<bool>("korean");
    QTest::addColumn<int>("watched");
    QTest::addColumn<QString>("posts");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("range");
    QTest::addColumn<QString>("noAuthor");
    QTest::addColumn<QString>("noText");
    QTest::addColumn<QString>("deletedAt");   // dates in the interface language, whatever the system locale
    QTest::addColumn<QString>("hovered");
    QTest::addColumn<QString>("tick");
    QTest::newRow("en") << false << 0 << "Posts"
                        << "1,234 flagged · 5,000 comments"
                        << "30d"
                        << "(no author)"
                        << "(no text stored)"
                        << "3/7 3:04 PM"
                        << "Sat, Mar 7"
                        << "3/7";
    QTest::newRow("en monitored") << false << 3 << "Posts · 3 monitored"
                                  << "1,234 flagged · 5,000 comments"
                                  << "30d"
                                  << "(no author)"
                                  << "(no text stored)"
                                  << "3/7 3:04 PM"
                                  << "Sat, Mar 7"
                                  << "3/7";
    QTest::newRow("ko") << true << 0 << "게시물"
                        << "의심 1,234 · 댓글 5,000"
                        << "30일"
                        << "(작성자 없음)"
                        << "(저장된 본문 없음)"
                        << "3. 7. 오후 3:04"
                        << "3월 7일 (토)"
                        << "3. 7.";
    QTest::newRow("ko monitored") << true << 1234 << "게시물 · 모니터링 1234"
                                  << "의심 1,234 · 댓글 5,000"
                                  << "30일"
                                  << "(작성자 없음)"
                                  << "(저장된 본문 없음)"
                                  << "3. 7. 오후 3:04"
                                  << "3월 7일 (토)"
                                  << "3. 7.";
}

void DashboardTest::texts()
{
    QFETCH(bool, korean);
    QFETCH(int, watched);
    LanguageScope language(korean);
    ScanStore::Stats stats;
    stats.watched = watched;
    QTEST(DashboardModel::tileLabel(DashboardModel::Field::posts, stats), "posts");
    ScanStore::Post post;
    post.url = "https://www.youtube.com/watch?v=abcdefghijk";
    post.flagged = 1234;
    post.total = 5000;
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QTEST(DashboardModel::postDetail(post, english), "detail");
    QCOMPARE(DashboardModel::postTitle(post), post.url);
    QTEST(DashboardModel::rangeLabel(30), "range");
    ScanStore::Record record;
    QTEST(DashboardModel::recentAuthor(record), "noAuthor");
    QTEST(DashboardModel::recentText(record), "noText");
    QCOMPARE(DashboardModel::recentTime(record), QString());
    record.deletedAt = QDateTime(QDate(2026, 3, 7), QTime(15, 4));
    QTEST(DashboardModel::recentTime(record), "deletedAt");
    QTEST(DashboardModel::hoveredText(QDateTime(QDate(2026, 3, 7), QTime(0, 0))), "hovered");
    QTEST(DashboardModel::tickText(QDateTime(QDate(2026, 3, 7), QTime(12, 0))), "tick");
    // Not among the listed posts: no tooltip.
    record.post = "https://www.instagram.com/p/unlisted/";
    QCOMPARE(DashboardModel::recentTooltip(record, PostCatalog::DashboardData()), QString());
}

void DashboardTest::sheetOverEmptyHistory()
{
    ModelHarness h;
    LanguageScope english(false);
    StatisticsSheet sheet(&h.model());
    QTRY_VERIFY_WITH_TIMEOUT(sheet.isReady(), 30000);   // read off the window's thread
    QVERIFY(!sheet.trend());
    QVERIFY(sheet.postRows().isEmpty());
    QCOMPARE(sheet.width(), 960);
    const QList<QLabel *> values = sheet.findChildren<QLabel *>("tileValue");
    QCOMPARE(values.size(), 4);
    for (QLabel *v : values)
        QCOMPARE(v->text(), QStringLiteral("0"));
}

void DashboardTest::sheetOverSeededHistory_data()
{
    QTest::addColumn<bool>("korean");
    QTest::newRow("ko") << true;
    QTest::newRow("en") << false;
}

void DashboardTest::sheetOverSeededHistory()
{
    QFETCH(bool, korean);
    ModelHarness h;
    const QDateTime now = QDateTime::currentDateTime();
    vt::test::seedHistory(h.store(), now);
    // A post with flagged comments and no deletion is not among the posts with the most deletions.
    const QString flaggedOnly = QStringLiteral("https://www.youtube.com/watch?v=flaggedOnly");
    QVERIFY(h.store().record(
        ScanStore::Post{"youtube", flaggedOnly, "Flagged, nothing deleted", now, 9, 6, false, 0, {}, {}}));
    LanguageScope language(korean);
    StatisticsSheet sheet(&h.model());
    QTRY_VERIFY_WITH_TIMEOUT(sheet.isReady(), 30000);   // read off the window's thread
    // Read over a connection of its own, the snapshot is the window's own read.
    const PostCatalog::DashboardData here = h.model().catalog().dashboard(DashboardModel::snapshotDays,
                                                                          QDateTime::currentDateTime());
    QCOMPARE(sheet.data().stats, here.stats);
    QCOMPARE(sheet.data().bySite, here.bySite);
    QCOMPARE(sheet.data().daily, here.daily);
    QCOMPARE(sheet.data().topPosts, here.topPosts);
    QCOMPARE(sheet.data().topAuthors, here.topAuthors);
    QCOMPARE(sheet.data().recent, here.recent);
    QCOMPARE(sheet.data().posts, here.posts);
    QVERIFY(sheet.trend());
    QCOMPARE(sheet.trend()->days(), 30);
    QCOMPARE(sheet.postRows().size(), sheet.data().topPosts.size());
    QCOMPARE(sheet.data().topPosts.size(), 3);
    for (const ScanStore::Post &post : sheet.data().topPosts)
        QVERIFY2(post.deleted > 0, qPrintable(post.url));
    // The tiles' per-site counts name their sites: posts, comments, flagged, deleted.
    QStringList split;
    for (const QLabel *l : sheet.findChildren<QLabel *>("siteCount"))
        split.append(l->text());
    const ScanStore::Stats yt = sheet.data().bySite.value("youtube"), ig = sheet.data().bySite.value("instagram");
    QCOMPARE(split,
             (QStringList{"YouTube 3", "Instagram 1", "YouTube " + QLocale().toString(yt.comments),
                          "Instagram " + QLocale().toString(ig.comments), "YouTube " + QString::number(yt.flagged),
                          "Instagram " + QString::number(ig.flagged), "YouTube " + QString::number(yt.deleted),
                          "Instagram " + QString::number(ig.deleted)}));
    // The snapshot stays as it was while the store changes.
    const int before = sheet.data().stats.comments;
    h.store().clear(false);
    QCOMPARE(sheet.data().stats.comments, before);
    // Post rows rest while a job runs.
    h.model().jobs().set(JobState::Job::scan, true);
    for (QPushButton *row : sheet.postRows())
        QVERIFY(!row->isEnabled());
    h.model().jobs().set(JobState::Job::scan, false);
    for (QPushButton *row : sheet.postRows())
        QVERIFY(row->isEnabled());
}

void DashboardTest::postRowClosesThenReports()
{
    ModelHarness h;
    vt::test::seedHistory(h.store(), QDateTime::currentDateTime());
    LanguageScope english(false);
    StatisticsSheet sheet(&h.model());
    QTRY_VERIFY_WITH_TIMEOUT(sheet.isReady(), 30000);   // read off the window's thread
    sheet.setAttribute(Qt::WA_DontShowOnScreen);
    sheet.show();
    QVERIFY(!sheet.postRows().isEmpty());
    bool visibleWhenReported = true;
    QString chosen;
    connect(&sheet, &StatisticsSheet::postChosen, this, [&](const QString &url) {
        visibleWhenReported = sheet.isVisible();
        chosen = url;
    });
    sheet.postRows().first()->click();
    QCOMPARE(chosen, sheet.data().topPosts.first().url);
    QVERIFY(!visibleWhenReported);
    QCOMPARE(sheet.result(), int(QDialog::Accepted));
}

// Titles and comments come from the pages: every place the sheet shows them, a tooltip too,
// shows the text a person would read on the page, never its markup rendered.
void DashboardTest::pageTextsShowAsText()
{
    ModelHarness h;
    const QDateTime now = QDateTime::currentDateTime();
    vt::test::seedHistory(h.store(), now.addSecs(-3600));
    const QString url = QStringLiteral("https://www.youtube.com/watch?v=markup");
    const QString title = QStringLiteral("<b>Bold</b> &amp; <img src=\"x.png\"> <i>giveaway</i>");
    QList<Comment> page = vt::test::makePage("m", 3);
    page[0].text = QStringLiteral("<a href=\"https://spam.example\">free</a> &lt;3");
    QVERIFY(h.store().remember("youtube", url, page, std::nullopt, now));
    QVERIFY(h.store().record(ScanStore::Post{"youtube", url, title, now, 3, 3, false, 0, {}, {}}));
    QVERIFY(h.store().markDeleted("youtube", {page[0].id, page[1].id}, now));
    LanguageScope english(false);
    StatisticsSheet sheet(&h.model());
    sheet.setAttribute(Qt::WA_DontShowOnScreen);
    sheet.show();
    QTRY_VERIFY_WITH_TIMEOUT(sheet.isReady(), 60000);

    // What a tooltip or label shows: Qt renders a text that looks like markup as markup.
    auto shown = [](const QString &text, Qt::TextFormat format) {
        const bool rich = format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text));
        if (!rich)
            return text;
        QTextDocument doc;
        doc.setHtml(text);
        return doc.toPlainText();
    };
    QStringList tips;
    for (QWidget *w : sheet.findChildren<QWidget *>()) {
        if (!w->toolTip().isEmpty())
            tips << shown(w->toolTip(), Qt::AutoText).replace(QChar::Nbsp, u' ');
    }
    QVERIFY2(tips.contains(title), qPrintable(tips.join(" | ")));
    QStringList texts;
    for (QLabel *l : sheet.findChildren<QLabel *>())
        texts << shown(l->text(), l->textFormat());
    bool commentShown = false;
    for (const QString &t : std::as_const(texts))
        commentShown = commentShown || t.startsWith(page[0].text.left(20));
    QVERIFY2(commentShown, qPrintable(texts.join(" | ")));
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    QApplication app(argc, argv);
    VeltraneBrowserApp::applyTheme(app);   // the window's colours, as the pictures are checked
    DashboardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dashboard.moc"
