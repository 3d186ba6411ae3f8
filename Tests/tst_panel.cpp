// The review panel over the real spam model and history: what it loads per tab, the Flagged
// tab's candidates and band, the selection handed to the deletion, the Deleted button, the
// cut of deleted rows, the switch to Flagged after a scan, the progress bar and the log.
#include "ModelHarness.h"
#include "PanelFixture.h"
#include "LanguageScope.h"
#include "TestMain.h"
#include "WindowClicks.h"

#include "Panel/CommentDelegate.h"
#include "Panel/CommentListModel.h"
#include "Panel/DeleteBar.h"
#include "Panel/PanelActions.h"
#include "Panel/PanelProgressBar.h"
#include "Panel/PanelTabs.h"
#include "Panel/ProbabilityRange.h"
#include "Panel/ScanStage.h"
#include "Panel/SpamPanel.h"
#include "Panel/SpamPanelModel.h"
#include "Posts/PostDesk.h"

#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QThreadPool>

#include <memory>

namespace {

using Item = PanelFixture::Item;

QStringList ids(const QList<ScanStore::Record> &records)
{
    QStringList out;
    for (const auto &r : records)
        out.append(r.id);
    return out;
}

// The whole text of the label is on screen: wrapped within its height, or on one line within its width.
bool showsWhole(const QLabel *label)
{
    if (label->wordWrap())
        return label->heightForWidth(label->width()) <= label->height();
    return label->sizeHint().width() <= label->width();
}

// Marks the comments of the post deleted, as the deletion does, and tells the panel.
void deleteStored(ModelHarness &h, const QString &url, const QStringList &gone)
{
    h.store().markDeleted(QStringLiteral("youtube"), gone, QDateTime::currentDateTime());
    h.store().removed(url, int(gone.size()));
    h.store().syncCounts(url);
}

// The pending spam of every post, counted from the records themselves.
int pendingOfEveryPost(ModelHarness &h, PanelActions &actions)
{
    int pending = 0;
    for (const ChannelPost &p : actions.posts(QStringLiteral("youtube")))
        pending += int(
            PanelTab(PanelTab::spam).records(h.store().comments(p.url, SpamPanelModel::commentLimit)).size());
    return pending;
}

// Clicks a tab of the panel's tab bar.
void clickTab(SpamPanel *panel, PanelTab tab)
{
    QTest::mouseClick(panel->tabs(), Qt::LeftButton, {}, panel->tabs()->buttonRect(tab).center().toPoint());
}

// Lets every worker hand over what it still has, and the window take it.
void settleWorkers()
{
    QTRY_VERIFY_WITH_TIMEOUT(QThreadPool::globalInstance()->activeThreadCount() == 0, 30000);
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

QList<Item> flaggedItems(int count, const QString &prefix = QStringLiteral("f"))
{
    QList<Item> items;
    for (int i = 0; i < count; ++i)
        items.append({prefix + QString::number(i), QStringLiteral("spam text %1").arg(i), "spam", "link"});
    return items;
}

}   // namespace

class PanelTest : public QObject {
    Q_OBJECT
private slots:
    void loadsTheTabs();
    void protectedCommentStaysOutAtEveryFloor_data();
    void protectedCommentStaysOutAtEveryFloor();
    void bandStartsAtTheLowestPending();
    void thirtyOnePicksAllHandedOn();
    void unticksSurviveReloads();
    void commentsTabPicks();
    void deletedButton();
    void cutOfDeletedRows();
    void flaggedAfterScan();
    void flaggedTabReadsTheRestAside();
    void slicedReadEndsOnEveryPath_data();
    void slicedReadEndsOnEveryPath();
    void countOverEveryPostLandsFromTheWorker_data();
    void countOverEveryPostLandsFromTheWorker();
    void reloadOfTheFlaggedViewKeepsItsRows_data();
    void reloadOfTheFlaggedViewKeepsItsRows();
    void progressDuringDeletion();
    void nothingWhileWorking();
    void log();
    void stageAnimatesOnlyWhileShownAndScanning();
    void listClicks();
    void listedPostsAreNotScanned();
    void lazyListShowsTheSameRows_data();
    void lazyListShowsTheSameRows();
    void runningSummaryEqualsARecount_data();
    void runningSummaryEqualsARecount();
    void emptyHints_data();
    void emptyHints();
};

void PanelTest::loadsTheTabs()
{
    ModelHarness h;
    const QDateTime now = QDateTime::currentDateTime();
    PanelFixture::gallery(h.store(), now);
    PanelActions actions(&h.store());
    SpamPanelModel vm(&h.model(), &actions);
    vm.load();
    const QString u1 = PanelFixture::youtubeUrl(1), u2 = PanelFixture::youtubeUrl(2);
    QCOMPARE(vm.posts().size(), 2);
    QCOMPARE(ids(vm.shown().value(u1)).size(), 7);   // everything not deleted
    QCOMPARE(vm.tabCounts().value(int(PanelTab::spam)), 5);
    QCOMPARE(vm.deletedCount(), 1);
    QCOMPARE(vm.tabCounts().value(int(PanelTab::deleted)), 1);

    vm.setTab(PanelTab::spam);
    vm.load();
    // Rule and word hits first (counted as 100), then AI scores, highest first. The cleared
    // comment with a low score is no candidate at the default band (80..100) but is in shown.
    QCOMPARE(ids(vm.shown().value(u1)), QStringList({"g1", "g4", "g2", "g3", "g5"}));
    QCOMPARE(ids(vm.visible().value(u1)), QStringList({"g1", "g4", "g2", "g3"}));
    QCOMPARE(ids(vm.shown().value(u2)), QStringList({"h1"}));
    QCOMPARE(vm.band(), std::make_pair(74.0, 100.0));

    vm.setTab(PanelTab::deleted);
    vm.load();
    QCOMPARE(ids(vm.shown().value(u1)), QStringList({"g8"}));
    QVERIFY(vm.shown().value(u2).isEmpty());
}

void PanelTest::protectedCommentStaysOutAtEveryFloor_data()
{
    QTest::addColumn<double>("floor");
    for (double f : {0.0, 1.0, 50.0, 80.0, 95.0, 100.0})
        QTest::addRow("floor %g", f) << f;
}

void PanelTest::protectedCommentStaysOutAtEveryFloor()
{
    QFETCH(double, floor);
    ModelHarness h;
    const QDateTime now = QDateTime::currentDateTime();
    const QString url = PanelFixture::youtubeUrl(7);
    // The likes rule skipped "liked" on the last scan; its AI score of 0.97 from an earlier scan
    // is still stored. "same" was cleared before and did not change: its score counts.
    PanelFixture::post(h.store(), url, "t",
                       {{"liked",
                         "nice",
                         "skip",
                         QStringLiteral("좋아요가 많은 댓글"),
                         AIScore{0.97, 0, 0},
                         {},
                         {},
                         {},
                         false,
                         false,
                         300},
                        {"kept", "fine", "skip", "kept", AIScore{0.97, 0, 0}},
                        {"same", "buy now", "skip", "unchanged", AIScore{0.97, 0, 0}},
                        {"s", "spam", "spam", "link"}},
                       now);
    QVERIFY(h.store().problems(url).contains("liked"));
    PanelActions actions(&h.store());
    SpamPanelModel vm(&h.model(), &actions);
    vm.setTab(PanelTab::spam);
    vm.load();
    vm.setFloor(floor);
    QVERIFY(!ids(vm.shown().value(url)).contains("liked"));
    QVERIFY(!ids(vm.visibleList()).contains("liked"));
    QVERIFY(!ids(vm.visibleList()).contains("kept"));
    QCOMPARE(ids(vm.visibleList()).contains("same"), floor <= 97);
    QVERIFY(!ids(vm.bar().flagged).contains("liked"));
}

void PanelTest::bandStartsAtTheLowestPending()
{
    ModelHarness h;
    const QString url = PanelFixture::youtubeUrl(3);
    PanelFixture::post(h.store(), url, "t",
                       {{"a", "one", "spam", "AI", AIScore{0.634, 0, 0}, 0.634, "spam"},
                        {"b", "two", "spam", "AI", AIScore{0.9, 0, 0}, 0.9, "spam"}},
                       QDateTime::currentDateTime());
    PanelActions actions(&h.store());
    SpamPanelModel vm(&h.model(), &actions);
    vm.setTab(PanelTab::spam);
    vm.load();
    QCOMPARE(vm.defaultFloor(), 63.0);
    QCOMPARE(vm.band(), std::make_pair(63.0, 100.0));
    // The owner's edges stay; a ceiling below the floor is lifted to it.
    vm.setCeiling(50);
    QCOMPARE(vm.band(), std::make_pair(63.0, 63.0));
    QCOMPARE(ids(vm.visibleList()), QStringList{"a"});   // the edges are in band
    vm.setFloor(70);
    QCOMPARE(vm.band(), std::make_pair(70.0, 70.0));
    QVERIFY(vm.visibleList().isEmpty());
    // The bar stays so that the band can be widened again.
    const auto bar = vm.bar();
    QCOMPARE(bar.kind, SpamPanelModel::Bar::Kind::flagged);
    QVERIFY(bar.band.has_value());
    QCOMPARE(bar.scores, QList<double>({90, 63}));
}

void PanelTest::thirtyOnePicksAllHandedOn()
{
    ModelHarness h;
    PanelFixture::post(h.store(), PanelFixture::youtubeUrl(4), "t", flaggedItems(31), QDateTime::currentDateTime());
    PanelActions actions(&h.store());
    SpamPanel panel(&h.model(), &actions);
    panel.resize(420, 800);
    panel.viewModel()->setTab(PanelTab::spam);
    panel.viewModel()->load();
    QCOMPARE(panel.deleteBar()->deleteButton()->text(), QStringLiteral("Delete 30"));
    QCOMPARE(panel.deleteBar()->headerText(), QStringLiteral("31 selected of 31 · 30 at a time"));
    // At the panel's narrowest the batch note goes to a second line rather than off the edge.
    panel.resize(380, 800);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QCOMPARE(panel.width(), 380);   // the bar asks for no more
    QLabel *head = nullptr;
    const auto plain = [](const QLabel *l) {
        QTextDocument doc;
        doc.setHtml(l->text());
        return doc.toPlainText().replace(QChar(0xa0), u' ');
    };
    for (QLabel *l : panel.deleteBar()->findChildren<QLabel *>())
        head = plain(l).contains(QStringLiteral("at a time")) ? l : head;
    QVERIFY(head);
    QVERIFY2(showsWhole(head), qPrintable(QStringLiteral("%1 wide").arg(head->width())));
    // The line breaks between the phrases, never inside one ("30 at a / time").
    {
        QTextDocument doc;
        doc.setDefaultFont(head->font());
        doc.setDocumentMargin(0);
        doc.setHtml(head->text());
        doc.setTextWidth(head->contentsRect().width());
        (void)doc.size();   // lays the text out
        QStringList lines;
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
            for (int i = 0; i < block.layout()->lineCount(); ++i) {
                const QTextLine line = block.layout()->lineAt(i);
                lines << block.text().mid(line.textStart(), line.textLength()).replace(QChar(0xa0), u' ').trimmed();
            }
        QVERIFY2(lines.size() == 2 && lines.at(1) == QStringLiteral("· 30 at a time"), qPrintable(lines.join(u'|')));
    }
    // No rule-only record has a probability: no range control.
    QVERIFY(panel.deleteBar()->range()->isHidden());
    QSignalSpy handed(&actions, &PanelActions::removeRequested);
    panel.deleteBar()->deleteButton()->click();
    QCOMPARE(handed.size(), 1);
    QCOMPARE(handed.first().first().value<QList<ScanStore::Record>>().size(), 31);
}

void PanelTest::unticksSurviveReloads()
{
    ModelHarness h;
    const QString url = PanelFixture::youtubeUrl(5);
    PanelFixture::post(h.store(), url, "t", flaggedItems(5), QDateTime::currentDateTime());
    PanelActions actions(&h.store());
    SpamPanel panel(&h.model(), &actions);
    panel.viewModel()->setTab(PanelTab::spam);
    panel.viewModel()->load();
    CommentListModel *list = panel.listModel();
    const int row = 1;   // the first flagged comment under the heading
    QVERIFY(list->hasTickBox(row) && list->ticked(row));
    list->setTicked(row, false);
    QCOMPARE(panel.viewModel()->unpicked(), QSet<QString>{list->row(row).record.id});
    QCOMPARE(panel.deleteBar()->headerText(), QStringLiteral("4 selected of 5"));
    QVERIFY(panel.deleteBar()->selectAllButton()->isEnabled());
    panel.viewModel()->load();
    QCOMPARE(panel.deleteBar()->headerText(), QStringLiteral("4 selected of 5"));
    panel.deleteBar()->selectAllButton()->click();
    QVERIFY(panel.viewModel()->unpicked().isEmpty());
    QVERIFY(panel.listModel()->ticked(row));
}

void PanelTest::commentsTabPicks()
{
    ModelHarness h;
    const QString url = PanelFixture::youtubeUrl(6);
    PanelFixture::post(h.store(), url, "t",
                       {{"s", "spam", "spam", "link"},
                        {"o", "hello"},
                        {"u", "again", "skip", "unchanged"},
                        {"x", "liked", "skip", "likes"}},
                       QDateTime::currentDateTime());
    PanelActions actions(&h.store());
    SpamPanelModel vm(&h.model(), &actions);
    vm.load();
    QCOMPARE(vm.bar().kind, SpamPanelModel::Bar::Kind::none);   // nothing ticked yet
    vm.setPicked({"o", "u", "gone-elsewhere"});
    const auto bar = vm.bar();
    QCOMPARE(bar.kind, SpamPanelModel::Bar::Kind::comments);
    QCOMPARE(ids(bar.flagged), QStringList({"s", "o", "u"}));   // what can be picked
    QCOMPARE(bar.unpicked, QSet<QString>{"s"});
    vm.load();
    QCOMPARE(vm.picked(), QSet<QString>({"o", "u"}));   // ticks of comments no longer shown dropped
    QSignalSpy handed(&actions, &PanelActions::removeRequested);
    vm.deletePicks(DeleteBar::picks(bar.flagged, bar.unpicked));
    QCOMPARE(handed.size(), 1);
    const auto records = handed.first().first().value<QList<ScanStore::Record>>();
    QCOMPARE(ids(records), QStringList({"o", "u"}));
    for (const auto &r : records) {
        QCOMPARE(r.state, QStringLiteral("spam"));
        QCOMPARE(r.reason, QStringLiteral("picked"));
    }
    // Deselect all in the Comments tab clears the ticks of the offered records only.
    vm.writeUnpicked({"s", "o", "u"});
    QVERIFY(vm.picked().isEmpty());
}

void PanelTest::deletedButton()
{
    ModelHarness h;
    const QDateTime now = QDateTime::currentDateTime();
    PanelFixture::post(h.store(), PanelFixture::youtubeUrl(8), "t", {{"a", "x"}}, now);
    PanelActions actions(&h.store());
    SpamPanelModel vm(&h.model(), &actions);
    vm.load();
    QVERIFY(!vm.deletedEnabled());
    QCOMPARE(inLanguage(false, [&] { return vm.deletedTitle(QLocale(QLocale::English)); }), QStringLiteral("Deleted"));

    ModelHarness h2;
    QList<Item> items;
    for (int i = 0; i < 1200; ++i)
        items.append({QString::number(i), QStringLiteral("t%1").arg(i), "spam", "link", {}, {}, {}, {}, true});
    PanelFixture::post(h2.store(), PanelFixture::youtubeUrl(9), "t", items, now);
    PanelActions actions2(&h2.store());
    SpamPanelModel vm2(&h2.model(), &actions2);
    vm2.setTab(PanelTab::spam);
    vm2.load();
    QVERIFY(vm2.deletedEnabled());
    QCOMPARE(inLanguage(false, [&] { return vm2.deletedTitle(QLocale(QLocale::English)); }),
             QStringLiteral("Deleted 1,200"));
    QCOMPARE(inLanguage(true, [&] { return vm2.deletedTitle(QLocale(QLocale::English)); }),
             QStringLiteral("삭제 항목 1,200"));
    vm2.toggleDeleted();
    QCOMPARE(vm2.tab(), PanelTab(PanelTab::deleted));
    vm2.toggleDeleted();
    QCOMPARE(vm2.tab(), PanelTab(PanelTab::spam));
}

void PanelTest::cutOfDeletedRows()
{
    ModelHarness h;
    const QString url = PanelFixture::youtubeUrl(10);
    const QDateTime now = QDateTime::currentDateTime();
    PanelFixture::post(h.store(), url, "t", flaggedItems(3), now);
    PanelActions actions(&h.store());
    SpamPanelModel vm(&h.model(), &actions);
    vm.setCutDelay(50);
    vm.setTab(PanelTab::spam);
    vm.load();
    QCOMPARE(vm.shown().value(url).size(), 3);
    h.store().markDeleted("youtube", {"f1"}, now);
    h.store().removed(url, 1);
    h.store().syncCounts(url);
    h.model().history().raiseDeletionsVersion();
    // The deleted row fades out, then the new records apply.
    QTRY_COMPARE_WITH_TIMEOUT(vm.cutting(), QSet<QString>{"f1"}, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(ids(vm.shown().value(url)), QStringList({"f0", "f2"}), 10000);
    QVERIFY(vm.cutting().isEmpty());
    // A switch of tab never cuts.
    vm.setTab(PanelTab::comments);
    vm.load();
    QVERIFY(vm.cutting().isEmpty());
}

// A long history's Flagged tab: the first screen's posts at once, the rest on a worker, ending
// with exactly what reading every post at once gives; the bar waits for the whole.
void PanelTest::flaggedTabReadsTheRestAside()
{
    ModelHarness h;
    const QDateTime now = QDateTime::currentDateTime();
    PanelFixture::history(h.store(), 30, 3000, now);
    PanelActions actions(&h.store());

    SpamPanelModel whole(&h.model(), &actions);
    whole.setTab(PanelTab::spam);
    whole.load();
    QVERIFY(!whole.reading());
    const int flagged = whole.tabCounts().value(int(PanelTab::spam));
    QVERIFY(flagged > SpamPanelModel::firstRows);

    SpamPanelModel vm(&h.model(), &actions);
    vm.setAsideFrom(0);
    vm.setTab(PanelTab::spam);
    vm.load();
    QVERIFY(vm.reading());
    QVERIFY(vm.loadedPosts() > 0);
    QVERIFY(vm.loadedPosts() < whole.loadedPosts());
    QCOMPARE(vm.bar().kind, SpamPanelModel::Bar::Kind::flagged);
    QVERIFY(vm.bar().disabled);
    for (auto it = vm.shown().constBegin(); it != vm.shown().constEnd(); ++it)
        QCOMPARE(ids(it.value()), ids(whole.shown().value(it.key())));
    // Counted over every post on the worker.
    QTRY_COMPARE_WITH_TIMEOUT(vm.tabCounts().value(int(PanelTab::spam)), flagged, 60000);

    QTRY_VERIFY_WITH_TIMEOUT(!vm.reading(), 60000);
    QCOMPARE(vm.loadedPosts(), whole.loadedPosts());
    QCOMPARE(ids(vm.pending()), ids(whole.pending()));
    QCOMPARE(vm.shown().keys().size(), whole.shown().keys().size());
    for (auto it = whole.shown().constBegin(); it != whole.shown().constEnd(); ++it)
        QCOMPARE(ids(vm.shown().value(it.key())), ids(it.value()));
    QCOMPARE(vm.hits(), whole.hits());
    QCOMPARE(vm.band(), whole.band());
    QVERIFY(!vm.bar().disabled);
    QCOMPARE(vm.bar().flagged.size(), whole.bar().flagged.size());

    // A reload of the same tab is read in slices too: its first screen replaces the rows at once
    // and the tile keeps its count; a newer load wins over one still being read.
    const int version = vm.dataVersion();
    vm.load();
    vm.load();
    QVERIFY(vm.reading());
    QVERIFY(vm.bar().disabled);
    QCOMPARE(vm.dataVersion(), version + 2);
    QVERIFY(vm.loadedPosts() < whole.loadedPosts());
    QCOMPARE(vm.tabCounts().value(int(PanelTab::spam)), flagged);
    QTRY_VERIFY_WITH_TIMEOUT(!vm.reading(), 60000);
    QCOMPARE(ids(vm.pending()), ids(whole.pending()));
    QCOMPARE(vm.loadedPosts(), whole.loadedPosts());
    QTest::qWait(200);
    QCOMPARE(vm.dataVersion(), version + 2);   // the slices of the superseded read never landed
    QCOMPARE(ids(vm.pending()), ids(whole.pending()));

    // From the site's other tab, the tile keeps that tab's count while the worker counts again.
    vm.setTab(PanelTab::comments);
    vm.load();
    QCOMPARE(vm.tabCounts().value(int(PanelTab::spam)), flagged);
    vm.setTab(PanelTab::spam);
    vm.load();
    QVERIFY(vm.reading());
    QCOMPARE(vm.tabCounts().value(int(PanelTab::spam)), flagged);
    QTRY_VERIFY_WITH_TIMEOUT(!vm.reading(), 60000);
    QCOMPARE(vm.tabCounts().value(int(PanelTab::spam)), flagged);
}

// What interrupts the Flagged tab's read while its slices land in the list.
enum class Interrupt { none, tabSwitched, tabSwitchedAndBack, siteSwitched, reloaded, twoLoads, panelClosed };

void PanelTest::slicedReadEndsOnEveryPath_data()
{
    QTest::addColumn<Interrupt>("interrupt");
    QTest::addRow("read to its end") << Interrupt::none;
    QTest::addRow("another tab") << Interrupt::tabSwitched;
    QTest::addRow("another tab and back before the reload") << Interrupt::tabSwitchedAndBack;
    QTest::addRow("another site and back") << Interrupt::siteSwitched;
    QTest::addRow("a reload of the same view") << Interrupt::reloaded;
    QTest::addRow("a load superseded by another") << Interrupt::twoLoads;
    QTest::addRow("the panel closed") << Interrupt::panelClosed;
}

void PanelTest::slicedReadEndsOnEveryPath()
{
    QFETCH(Interrupt, interrupt);
    ModelHarness h;
    PanelFixture::history(h.store(), 30, 3000, QDateTime::currentDateTime());
    PanelActions actions(&h.store());
    SpamPanelModel whole(&h.model(), &actions);
    whole.setTab(PanelTab::spam);
    whole.load();
    const QList<CommentListModel::Row> expected = CommentListModel::rows(whole.posts(), whole.visible());

    auto panel = std::make_unique<SpamPanel>(&h.model(), &actions);
    SpamPanelModel *vm = panel->viewModel();
    vm->setAsideFrom(0);
    vm->setSliceRows(10);   // a slice of about one post, so that many land one after another
    vm->setSliceBudgetMs(0);
    QSignalSpy slices(vm, &SpamPanelModel::appended);
    vm->setTab(PanelTab::spam);
    QVERIFY(slices.wait(30000));   // back from the turn that took the first slice
    QVERIFY(vm->reading());        // more slices to come
    QVERIFY(vm->bar().disabled);
    // The owner's untick of a comment still to come counts once it lands.
    const QSet<QString> untick{whole.pending().last().id};
    QVERIFY(!ids(vm->pending()).contains(whole.pending().last().id));
    vm->setUnpicked(untick);
    whole.setUnpicked(untick);

    switch (interrupt) {
    case Interrupt::none:
        break;
    case Interrupt::tabSwitched: {
        const int version = vm->dataVersion();
        vm->setTab(PanelTab::comments);
        QVERIFY(!vm->reading());   // no slice of the Flagged tab lands in another
        // The rows wait for the tab's records; their tick boxes follow the tab at once.
        QCOMPARE(panel->listModel()->content().mode, CommentListModel::PickMode::picked);
        QTRY_VERIFY_WITH_TIMEOUT(vm->dataVersion() > version, 30000);
        QVERIFY(!vm->reading());
        vm->setTab(PanelTab::spam);
        break;
    }
    case Interrupt::tabSwitchedAndBack:
        vm->setTab(PanelTab::comments);
        vm->setTab(PanelTab::spam);
        break;
    case Interrupt::siteSwitched:
        vm->setSite(QStringLiteral("instagram"));
        QVERIFY(!vm->reading());
        vm->setSite(QStringLiteral("youtube"));
        break;
    case Interrupt::reloaded: {
        const int version = vm->dataVersion();
        vm->load();
        QVERIFY(vm->reading());
        QTRY_VERIFY_WITH_TIMEOUT(!vm->reading(), 30000);
        QCOMPARE(vm->dataVersion(), version + 1);   // its first screen replaced the rows, once
        break;
    }
    case Interrupt::twoLoads:
        vm->load();
        vm->load();
        break;
    case Interrupt::panelClosed:
        panel.reset();
        // The worker's later hand-overs find no panel; a new one reads the tab to its end.
        QTRY_VERIFY_WITH_TIMEOUT(QThreadPool::globalInstance()->activeThreadCount() == 0, 30000);
        QCoreApplication::sendPostedEvents();
        panel = std::make_unique<SpamPanel>(&h.model(), &actions);
        vm = panel->viewModel();
        vm->setAsideFrom(0);
        vm->setSliceRows(10);
        vm->setSliceBudgetMs(0);
        vm->setUnpicked(untick);
        vm->setTab(PanelTab::spam);
        break;
    }

    // Every path ends the read, with the whole tab shown and the bar enabled.
    QTRY_VERIFY_WITH_TIMEOUT(!vm->reading() && vm->tab() == PanelTab::spam && vm->loadedPosts() == whole.loadedPosts(),
                             30000);
    QCOMPARE(ids(vm->pending()), ids(whole.pending()));
    QCOMPARE(vm->shown().keys().size(), whole.shown().keys().size());
    for (auto it = whole.shown().constBegin(); it != whole.shown().constEnd(); ++it)
        QCOMPARE(ids(vm->shown().value(it.key())), ids(it.value()));
    QCOMPARE(vm->band(), whole.band());
    QCOMPARE(vm->tabCounts(), whole.tabCounts());
    QVERIFY(!vm->bar().disabled);
    QCOMPARE(ids(vm->bar().flagged), ids(whole.bar().flagged));
    QCOMPARE(vm->bar().picks, whole.bar().picks);
    QCOMPARE(vm->bar().picks, int(whole.bar().flagged.size()) - 1);
    // The list holds the rows of a whole read, in order, appended slice by slice.
    CommentListModel *list = panel->listModel();
    QTRY_COMPARE_WITH_TIMEOUT(list->rowCount(), int(expected.size()), 30000);
    for (int i = 0; i < list->rowCount(); ++i)
        QCOMPARE(list->row(i).id, expected.at(i).id);
}

// What interrupts the count over every post that the Comments and Deleted tabs read aside.
enum class CountEnd { landed, anotherLoad, otherTab, otherSite, panelClosed };

void PanelTest::countOverEveryPostLandsFromTheWorker_data()
{
    QTest::addColumn<PanelTab>("tab");
    QTest::addColumn<CountEnd>("end");
    for (const PanelTab tab : {PanelTab(PanelTab::comments), PanelTab(PanelTab::deleted)}) {
        const QString name = tab.rawValue();
        QTest::addRow("%s: landed", qPrintable(name)) << tab << CountEnd::landed;
        QTest::addRow("%s: another load", qPrintable(name)) << tab << CountEnd::anotherLoad;
        QTest::addRow("%s: another tab", qPrintable(name)) << tab << CountEnd::otherTab;
        QTest::addRow("%s: another site", qPrintable(name)) << tab << CountEnd::otherSite;
        QTest::addRow("%s: panel closed", qPrintable(name)) << tab << CountEnd::panelClosed;
    }
}

// A long history's Comments and Deleted tabs count the Flagged tile over every post on a
// worker: the tile keeps what it showed until the count lands, the count is that of the records,
// and whatever ends the read drops its count.
void PanelTest::countOverEveryPostLandsFromTheWorker()
{
    QFETCH(PanelTab, tab);
    QFETCH(CountEnd, end);
    ModelHarness h;
    PanelFixture::history(h.store(), 30, 3000, QDateTime::currentDateTime());
    PanelActions actions(&h.store());
    auto panel = std::make_unique<SpamPanel>(&h.model(), &actions);
    panel->resize(420, 700);
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
    SpamPanelModel *vm = panel->viewModel();
    vm->setAsideFrom(0);
    vm->setCutDelay(0);
    const int before = pendingOfEveryPost(h, actions);
    clickTab(panel.get(), tab);
    QTRY_VERIFY_WITH_TIMEOUT(vm->shownCurrent() && vm->tab() == tab && !vm->counting(), 30000);
    QCOMPARE(panel->tabs()->count(PanelTab::spam), before);

    // Flagged comments of the first and the last post go: the reload counts again aside.
    const QList<ChannelPost> posts = actions.posts(QStringLiteral("youtube"));
    for (const ChannelPost &p : {posts.first(), posts.last()}) {
        QStringList gone;
        for (const ScanStore::Record &r :
             PanelTab(PanelTab::spam).records(h.store().comments(p.url, SpamPanelModel::commentLimit)).mid(0, 3))
            gone.append(r.id);
        deleteStored(h, p.url, gone);
    }
    PanelActions fresh(&h.store());
    const int after = pendingOfEveryPost(h, fresh);
    QCOMPARE(after, before - 6);
    h.model().history().raiseDeletionsVersion();
    vm->load();   // the reload the change schedules, now
    QVERIFY(vm->counting());
    QCOMPARE(panel->tabs()->count(PanelTab::spam), before);   // kept while it counts

    const PanelTab other = tab == PanelTab::comments ? PanelTab::deleted : PanelTab::comments;
    switch (end) {
    case CountEnd::landed:
        break;
    case CountEnd::anotherLoad:
        vm->load();
        QVERIFY(vm->counting());
        QCOMPARE(panel->tabs()->count(PanelTab::spam), before);
        break;
    case CountEnd::otherTab:
        clickTab(panel.get(), other);
        QVERIFY(!vm->counting());
        break;
    case CountEnd::otherSite:
        vm->setSite(QStringLiteral("instagram"));
        QVERIFY(!vm->counting());
        QTRY_VERIFY_WITH_TIMEOUT(vm->shownCurrent(), 30000);
        settleWorkers();
        // The other site's count never lands in this one's tile.
        QCOMPARE(panel->tabs()->count(PanelTab::spam), 0);
        vm->setSite(QStringLiteral("youtube"));
        break;
    case CountEnd::panelClosed:
        panel.reset();
        settleWorkers();   // the worker's hand-over finds no panel
        panel = std::make_unique<SpamPanel>(&h.model(), &actions);
        panel->show();
        vm = panel->viewModel();
        vm->setAsideFrom(0);
        clickTab(panel.get(), tab);
        break;
    }
    QTRY_VERIFY_WITH_TIMEOUT(vm->shownCurrent() && !vm->counting(), 30000);
    settleWorkers();
    QVERIFY(!vm->counting());
    QCOMPARE(panel->tabs()->count(PanelTab::spam), after);
    QCOMPARE(vm->tabCounts().value(int(PanelTab::spam)), after);
    if (end == CountEnd::otherTab)
        QCOMPARE(vm->tab(), other);
}

void PanelTest::reloadOfTheFlaggedViewKeepsItsRows_data()
{
    QTest::addColumn<int>("deletedPost");   // the post whose flagged comment goes, -1: none (a rescan)
    QTest::addColumn<bool>("scrolled");
    QTest::addRow("deleted on the first screen") << 0 << false;
    QTest::addRow("deleted on the first screen, scrolled down") << 0 << true;
    QTest::addRow("deleted in a later post, scrolled down") << 20 << true;
    QTest::addRow("nothing deleted, scrolled down") << -1 << true;
}

// The Flagged view read again after a deletion or a scan: its rows stay until the new first
// screen replaces them (after the deleted rows' cut), the rest lands in slices, and the owner's
// unticks and the list's place survive.
void PanelTest::reloadOfTheFlaggedViewKeepsItsRows()
{
    QFETCH(int, deletedPost);
    QFETCH(bool, scrolled);
    ModelHarness h;
    PanelFixture::history(h.store(), 30, 3000, QDateTime::currentDateTime());
    PanelActions actions(&h.store());
    SpamPanel panel(&h.model(), &actions);
    panel.resize(420, 700);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    SpamPanelModel *vm = panel.viewModel();
    vm->setAsideFrom(0);
    vm->setSliceRows(10);   // a slice a post, one a turn
    vm->setSliceBudgetMs(0);
    vm->setCutDelay(100);
    clickTab(&panel, PanelTab::spam);
    QTRY_VERIFY_WITH_TIMEOUT(vm->shownCurrent() && vm->tab() == PanelTab::spam && !vm->reading(), 30000);
    CommentListModel *list = panel.listModel();
    QScrollBar *scroll = panel.list()->verticalScrollBar();

    // The owner unticks a comment and, maybe, scrolls half way down.
    // (A click right after the tab's may be taken for the second of a double click.)
    QStringList unticked;
    for (int i = 0; i < 5 && vm->unpicked().isEmpty(); ++i) {
        QTest::qWait(QApplication::doubleClickInterval());
        unticked = vt::test::tickComments(&panel, 1);
    }
    QCOMPARE(unticked.size(), 1);
    QCOMPARE(vm->unpicked(), QSet<QString>(unticked.begin(), unticked.end()));
    if (scrolled) {
        QTRY_VERIFY_WITH_TIMEOUT(scroll->maximum() > 1000, 10000);
        scroll->setValue(scroll->maximum() / 2);
    }
    const int place = scroll->value();

    const QList<ChannelPost> posts = vm->posts();
    QString gone;
    if (deletedPost >= 0) {
        const QString url = posts.at(deletedPost).url;
        gone = vm->shown().value(url).last().id;
        QVERIFY(gone != unticked.first());
        deleteStored(h, url, {gone});
    }
    // Never an empty list or its hint on the way.
    int emptied = 0;
    const auto watch = [&] { emptied += list->rowCount() == 0 || !panel.emptyHintText().isEmpty() ? 1 : 0; };
    connect(list, &QAbstractItemModel::modelReset, this, watch);
    connect(list, &QAbstractItemModel::rowsInserted, this, watch);
    QSignalSpy slices(vm, &SpamPanelModel::appended);
    const int rowsBefore = list->rowCount();
    const int version = vm->dataVersion();
    h.model().history().raiseDeletionsVersion();
    vm->load();   // the reload the change schedules, now
    QVERIFY(vm->reading());
    if (deletedPost == 0) {
        // The deleted row fades out in the rows there are, before the first screen replaces them.
        QCOMPARE(vm->cutting(), QSet<QString>{gone});
        QCOMPARE(list->rowCount(), rowsBefore);
        QCOMPARE(vm->dataVersion(), version);
    }
    QTRY_VERIFY_WITH_TIMEOUT(vm->dataVersion() == version + 1, 30000);
    QVERIFY(vm->cutting().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!vm->reading(), 30000);
    QVERIFY(slices.size() > 1);   // the rest came in slices
    QCOMPARE(vm->dataVersion(), version + 1);
    QCOMPARE(emptied, 0);

    // The whole view, as a fresh read shows it.
    PanelActions fresh(&h.store());
    SpamPanelModel whole(&h.model(), &fresh);
    whole.setTab(PanelTab::spam);
    whole.load();
    whole.setUnpicked(vm->unpicked());
    const QList<CommentListModel::Row> expected = CommentListModel::rows(whole.posts(), whole.visible());
    QCOMPARE(list->rowCount(), int(expected.size()));
    for (int i = 0; i < list->rowCount(); ++i)
        QCOMPARE(list->row(i).id, expected.at(i).id);
    QCOMPARE(vm->tabCounts(), whole.tabCounts());
    QCOMPARE(vm->bar().picks, whole.bar().picks);
    QCOMPARE(vm->unpicked(), QSet<QString>(unticked.begin(), unticked.end()));
    for (int i = 0; i < list->rowCount(); ++i) {
        if (list->row(i).record.id == unticked.first())
            QVERIFY(!list->ticked(i));
    }
    // Back where the owner was.
    QTRY_COMPARE_WITH_TIMEOUT(scroll->value(), place, 10000);
}

void PanelTest::flaggedAfterScan()
{
    {
        // A fresh history: the panel tells the owner how to fill it; the list goes once there is something.
        ModelHarness fresh;
        PanelActions freshActions(&fresh.store());
        SpamPanel empty(&fresh.model(), &freshActions);
        QCOMPARE(empty.emptyHintText(),
                 inLanguage(false, [&] { return SpamPanelModel::emptyHint(PanelTab::comments, false); }));
        PanelFixture::post(fresh.store(), PanelFixture::youtubeUrl(12), "t", {Item{"c1", "nice video"}},
                           QDateTime::currentDateTime());
        empty.viewModel()->setTab(PanelTab::spam);
        empty.viewModel()->load();
        QCOMPARE(empty.emptyHintText(), QStringLiteral("No suspected comments."));
        empty.viewModel()->setTab(PanelTab::comments);
        empty.viewModel()->load();
        QCOMPARE(empty.emptyHintText(), QString());
    }

    ModelHarness h;
    PanelFixture::post(h.store(), PanelFixture::youtubeUrl(11), "t", flaggedItems(1), QDateTime::currentDateTime());
    PanelActions actions(&h.store());
    SpamPanel panel(&h.model(), &actions);
    h.model().jobs().set(JobState::Job::scan, true);
    QVERIFY(panel.viewModel()->scanning());
    QVERIFY(!panel.viewModel()->tabsEnabled());
    QVERIFY(!panel.viewModel()->headerEnabled());
    h.model().jobs().set(JobState::Job::scan, false);
    QCOMPARE(panel.viewModel()->tab(), PanelTab(PanelTab::spam));
    QTRY_COMPARE_WITH_TIMEOUT(panel.viewModel()->shown().value(PanelFixture::youtubeUrl(11)).size(), qsizetype(1),
                              10000);
}

void PanelTest::progressDuringDeletion()
{
    ModelHarness h;
    PanelFixture::post(h.store(), PanelFixture::youtubeUrl(12), "t", flaggedItems(2), QDateTime::currentDateTime());
    PanelActions actions(&h.store());
    SpamPanel panel(&h.model(), &actions);
    h.model().jobs().set(JobState::Job::removal, true);
    h.model().removalJob().setProgress(RemovalJob::Progress{1, 3});
    QCOMPARE(panel.progressBar()->line(), QStringLiteral("Deleting · post 2/3"));
    QCOMPARE(panel.progressBar()->fraction(), std::optional<double>(1.0 / 3.0));
    QVERIFY(!panel.tabs()->isEnabled());
    QVERIFY(!panel.deletedButton()->isEnabled());
    QSignalSpy stop(&actions, &PanelActions::stopRequested);
    panel.progressBar()->stopButton()->click();
    QCOMPARE(stop.size(), 1);
    h.model().removalJob().setProgress(RemovalJob::Progress{0, 1});
    QCOMPARE(panel.progressBar()->fraction(), std::optional<double>());
}

void PanelTest::nothingWhileWorking()
{
    ModelHarness h;
    PanelFixture::post(h.store(), PanelFixture::youtubeUrl(13), "t", flaggedItems(2), QDateTime::currentDateTime());
    PanelActions actions(&h.store());
    SpamPanelModel vm(&h.model(), &actions);
    vm.setTab(PanelTab::spam);
    vm.load();
    QSignalSpy handed(&actions, &PanelActions::removeRequested);
    vm.remove({});
    h.model().jobs().set(JobState::Job::discovery, true);
    QVERIFY(vm.bar().disabled);
    vm.remove(vm.visibleList());
    QCOMPARE(handed.size(), 0);
    h.model().jobs().set(JobState::Job::discovery, false);
    vm.remove(vm.visibleList());
    QCOMPARE(handed.size(), 1);
}

void PanelTest::log()
{
    ModelHarness h;
    PanelFixture::gallery(h.store(), QDateTime::currentDateTime());
    PanelActions actions(&h.store());
    SpamPanelModel vm(&h.model(), &actions);
    vm.load();
    const QList<ScanSession> sessions = vm.sessions();
    QCOMPARE(sessions.size(), 3);
    QCOMPARE(inLanguage(false, [&] { return sessions.at(0).summary(); }),
             QStringLiteral("2 posts · 340 comments · 12 new · 5 flagged · 1 failed"));
    QCOMPARE(inLanguage(true, [&] { return sessions.at(1).summary(); }), QStringLiteral("30개 중 12개 삭제"));
    QVERIFY(inLanguage(false, [&] {
                return sessions.at(2).title(QDateTime::currentDateTime());
            }).endsWith(QStringLiteral(" · automatic")));
    QVERIFY(vm.logEnabled());
}

void PanelTest::stageAnimatesOnlyWhileShownAndScanning()
{
    ModelHarness h;
    ScanStage stage(&h.model());
    stage.resize(420, 600);
    h.model().jobs().set(JobState::Job::scan, true);
    QVERIFY(!stage.animating());   // hidden
    stage.show();
    QVERIFY(stage.animating());
    stage.setCalm(true);   // reduced motion: nothing runs by time
    QVERIFY(!stage.animating());
    stage.setCalm(false);
    QVERIFY(stage.animating());
    h.model().jobs().set(JobState::Job::scan, false);
    QVERIFY(!stage.animating());
    h.model().jobs().set(JobState::Job::scan, true);
    stage.hide();
    QVERIFY(!stage.animating());
}

void PanelTest::listClicks()
{
    ModelHarness h;
    const QString url = PanelFixture::youtubeUrl(14);
    PanelFixture::post(h.store(), url, "t", flaggedItems(3), QDateTime::currentDateTime());
    PanelActions actions(&h.store());
    SpamPanel panel(&h.model(), &actions);
    panel.resize(420, 800);
    panel.viewModel()->setTab(PanelTab::spam);
    panel.viewModel()->load();
    panel.show();
    QListView *list = panel.list();
    const QModelIndex first = panel.listModel()->index(1);
    QTRY_VERIFY_WITH_TIMEOUT(list->visualRect(first).height() > 0, 10000);
    const QRect rect = list->visualRect(first);
    const auto g = CommentDelegate::geometry(*panel.listModel(), 1, rect.width());
    // The tick box unticks the comment for the panel's selection.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.topLeft() + g.tick.center().toPoint());
    QCOMPARE(panel.viewModel()->unpicked(), QSet<QString>{panel.listModel()->row(1).record.id});
    QCOMPARE(panel.deleteBar()->headerText(), QStringLiteral("2 selected of 3"));
    // The bubble unfolds the details and the row grows.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.topLeft() + g.bubble.center().toPoint());
    QVERIFY(panel.listModel()->expanded(1));
    QTRY_VERIFY_WITH_TIMEOUT(list->visualRect(first).height() > rect.height(), 10000);
}

void PanelTest::lazyListShowsTheSameRows_data()
{
    QTest::addColumn<QString>("tab");
    QTest::addColumn<int>("postCount");
    QTest::addColumn<int>("comments");
    QTest::addColumn<int>("deleted");   // the first comments of each post
    QTest::newRow("comments") << "comments" << 30 << 4500 << 20;
    QTest::newRow("deleted") << "deleted" << 30 << 4500 << 20;
    // Posts far longer than a screen: the first is read a part at a time.
    QTest::newRow("comments, long posts") << "comments" << 3 << 2400 << 20;
    QTest::newRow("deleted, long posts") << "deleted" << 3 << 2400 << 300;
    QTest::newRow("comments, past the read limit") << "comments" << 1 << SpamPanelModel::commentLimit + 300 << 40;
}

void PanelTest::lazyListShowsTheSameRows()
{
    QFETCH(QString, tab);
    QFETCH(int, postCount);
    QFETCH(int, comments);
    QFETCH(int, deleted);
    ModelHarness h;
    const QDateTime now = QDateTime::currentDateTime();
    // Far more rows than are read at first.
    PanelFixture::history(h.store(), postCount, comments, now);
    PanelActions actions(&h.store());
    for (const ChannelPost &p : actions.posts(QStringLiteral("youtube"))) {
        QStringList gone;
        for (const ScanStore::Record &r : h.store().comments(p.url, deleted))
            gone.append(r.id);
        QVERIFY(h.store().markDeleted(ScanStore::PostKey{p.site, p.url}, gone, now));
    }
    PanelActions fresh(&h.store());
    SpamPanel panel(&h.model(), &fresh);
    panel.viewModel()->setTab(*PanelTab::fromRawValue(tab));
    panel.viewModel()->load();
    panel.resize(420, 700);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));

    // Every post's records read at once, as the list was made before.
    const QList<ChannelPost> posts = fresh.posts(QStringLiteral("youtube"));
    QHash<QString, QList<ScanStore::Record>> all;
    for (const ChannelPost &p : posts)
        all.insert(p.url, panel.viewModel()->tab().records(h.store().comments(p.url, SpamPanelModel::commentLimit)));
    const QList<CommentListModel::Row> expected = CommentListModel::rows(posts, all);

    CommentListModel *list = panel.listModel();
    QVERIFY(panel.viewModel()->canLoadMore());
    QVERIFY(list->rowCount() < expected.size());
    QVERIFY(panel.viewModel()->loadedPosts() < posts.size() || panel.viewModel()->loadedPosts() == 1);
    // The first rows are those of the eager list, the counts in captions included.
    for (int i = 0; i < list->rowCount(); ++i) {
        QCOMPARE(list->row(i).id, expected.at(i).id);
        QCOMPARE(list->row(i).caption, expected.at(i).caption);
        QCOMPARE(list->row(i).record, expected.at(i).record);
    }
    // The first screen is read, not the first post whole (its flagged comments come first, all of them).
    int others = 0;
    for (int i = 0; i < list->rowCount(); ++i)
        others += list->row(i).kind == CommentListModel::Kind::comment && !list->row(i).record.isPendingSpam() ? 1 : 0;
    QVERIFY2(others < 400, qPrintable(QString::number(others)));

    // A focused post far down is read with the posts before it, and its heading is found.
    if (posts.size() > 1) {
        const QString late = posts.at(posts.size() - 2).url;
        fresh.setFocused(late);
        QTRY_VERIFY_WITH_TIMEOUT(list->headingRow(late) >= 0, 30000);
    }

    // Scrolling to the end reads the rest: the same rows, in the same order, with the same records.
    for (int turn = 0; turn < 200 && panel.viewModel()->canLoadMore(); ++turn) {
        panel.list()->scrollToBottom();
        QApplication::processEvents();
        QVERIFY(list->rowCount() <= expected.size());
        for (int i = 0; i < list->rowCount(); ++i) {   // on the way, too, the first rows of the whole list
            QCOMPARE(list->row(i).id, expected.at(i).id);
            QCOMPARE(list->row(i).caption, expected.at(i).caption);
        }
    }
    QVERIFY(!panel.viewModel()->canLoadMore());
    QCOMPARE(list->rowCount(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(list->row(i).id, expected.at(i).id);
        QCOMPARE(list->row(i).caption, expected.at(i).caption);
        QCOMPARE(list->row(i).record, expected.at(i).record);
    }
    // The Flagged tab's count did not need every record. (A post past the read limit counts
    // every flagged comment it has, the tab lists those within the limit.)
    if (comments / postCount > SpamPanelModel::commentLimit)
        return;
    int pending = 0;
    for (const ChannelPost &p : posts)
        pending += int(
            PanelTab(PanelTab::spam).records(h.store().comments(p.url, SpamPanelModel::commentLimit)).size());
    QCOMPARE(panel.viewModel()->tabCounts().value(int(PanelTab::spam)), pending);
}

void PanelTest::runningSummaryEqualsARecount_data()
{
    // Steps: "+id" ticks, "-id" unticks, "all" / "none" the bar's buttons, "del" deletes the
    // picks and reloads, "tab" switches to the other of the two tabs and back.
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("comments: tick, untick") << "comments" << QStringList{"+c1", "+c2", "-c1", "+c1", "-c2"};
    QTest::newRow("comments: select all, untick one") << "comments" << QStringList{"+c4", "all", "-c5", "-c7", "+c5"};
    QTest::newRow("comments: none, then ticks") << "comments" << QStringList{"+c2", "none", "+c8", "+c9"};
    QTest::newRow("comments: delete picks") << "comments" << QStringList{"+c1", "+c3", "del", "+c4", "tab", "+c6"};
    QTest::newRow("flagged: untick, tick") << "spam" << QStringList{"-c0", "-c10", "+c0", "-c20"};
    QTest::newRow("flagged: none, all") << "spam" << QStringList{"-c10", "none", "+c20", "all", "-c30"};
    QTest::newRow("flagged: delete picks") << "spam" << QStringList{"-c0", "-c10", "del", "+c10", "tab", "-c0"};
}

void PanelTest::runningSummaryEqualsARecount()
{
    QFETCH(QString, tab);
    QFETCH(QStringList, steps);
    ModelHarness h;
    PanelFixture::history(h.store(), 3, 150, QDateTime::currentDateTime());
    PanelActions actions(&h.store());
    connect(&actions, &PanelActions::removeRequested, this, [&](const QList<ScanStore::Record> &records) {
        QStringList gone;
        for (const ScanStore::Record &r : records)
            gone.append(r.id);
        h.store().markDeleted(QStringLiteral("youtube"), gone, QDateTime::currentDateTime());
    });
    SpamPanel panel(&h.model(), &actions);
    panel.viewModel()->setCutDelay(0);
    panel.viewModel()->setTab(*PanelTab::fromRawValue(tab));
    panel.viewModel()->load();
    panel.show();
    SpamPanelModel *vm = panel.viewModel();
    CommentListModel *list = panel.listModel();
    auto rowOf = [&](const QString &id) {
        for (int i = 0; i < list->rowCount(); ++i)
            if (list->row(i).kind == CommentListModel::Kind::comment && list->row(i).record.id == id)
                return i;
        return -1;
    };
    DeleteBar *bar = panel.findChild<DeleteBar *>();
    QVERIFY(bar);
    for (const QString &step : steps) {
        if (step == "all") {
            QVERIFY(bar->selectAllButton()->isEnabled());
            bar->selectAllButton()->click();
        } else if (step == "none") {
            QVERIFY(bar->deselectAllButton()->isEnabled());
            bar->deselectAllButton()->click();
        } else if (step == "del") {
            vm->deletePicks(bar->picks());
            vm->load();
        } else if (step == "tab") {
            vm->setTab(tab == "spam" ? PanelTab::comments : PanelTab::spam);
            vm->load();
            vm->setTab(*PanelTab::fromRawValue(tab));
            vm->load();
        } else {
            const int row = rowOf(step.mid(1));
            QVERIFY2(row >= 0, qPrintable(step));
            list->setTicked(row, step.startsWith('+'));
        }
        QApplication::processEvents();
        const SpamPanelModel::Bar b = vm->bar();
        const qsizetype recount = DeleteBar::picks(b.flagged, b.unpicked).size();
        QVERIFY2(b.picks == recount,
                 qPrintable(QStringLiteral("%1: %2 against %3").arg(step).arg(b.picks).arg(recount)));
        if (b.kind != SpamPanelModel::Bar::Kind::none) {
            QCOMPARE(bar->headerText(),
                     DeleteBar::header(int(recount), int(b.flagged.size())).selected
                         + DeleteBar::header(int(recount), int(b.flagged.size())).of
                         + DeleteBar::header(int(recount), int(b.flagged.size())).batch);
            QCOMPARE(bar->selectAllButton()->isEnabled(), DeleteBar::canSelectAll(b.flagged, b.unpicked));
            QCOMPARE(bar->deselectAllButton()->isEnabled(), DeleteBar::canDeselectAll(b.flagged, b.unpicked));
        }
    }
}

// An empty list says why: nothing scanned yet (and what to do), or nothing in this tab.
// Posts loaded from the site but never scanned have no comments yet: the panel must not say that
// the scanned posts have none.
void PanelTest::listedPostsAreNotScanned()
{
    ModelHarness h;
    ChannelPost row;
    row.site = "youtube";
    row.url = PanelFixture::youtubeUrl(1);
    row.state = ChannelPost::State::waiting;
    h.model().catalog().setRows({row});
    PostDesk desk(&h.model());
    desk.refresh();
    PanelActions actions(&desk);
    SpamPanelModel vm(&h.model(), &actions);
    vm.load();
    QCOMPARE(vm.posts().size(), 1);
    QVERIFY(!vm.scannedAny());

    row.state = ChannelPost::State::done;
    row.scannedAt = QDateTime::currentDateTime();
    h.model().catalog().setRows({row});
    desk.refresh();
    vm.load();
    QVERIFY(vm.scannedAny());
}

void PanelTest::emptyHints_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("scanned");
    QTest::addColumn<bool>("korean");
    QTest::addColumn<QString>("hint");
    QTest::newRow("nothing scanned")
        << int(PanelTab::comments) << false << false
        << "No post scanned yet.\nOpen one of your posts and scan it: its comments show here.";
    QTest::newRow("nothing scanned, ko")
        << int(PanelTab::spam) << false << true
        << "아직 검사한 게시물이 없습니다.\n게시물을 열고 검사하면 댓글이 여기에 나옵니다.";
    QTest::newRow("nothing flagged") << int(PanelTab::spam) << true << false << "No suspected comments.";
    QTest::newRow("nothing flagged, ko") << int(PanelTab::spam) << true << true << "의심 댓글이 없습니다.";
    QTest::newRow("nothing deleted") << int(PanelTab::deleted) << true << false << "No deleted comments.";
    QTest::newRow("nothing deleted, ko") << int(PanelTab::deleted) << true << true << "삭제한 댓글이 없습니다.";
    QTest::newRow("no comments, ko") << int(PanelTab::comments) << true << true << "검사한 게시물에 댓글이 없습니다.";
}

void PanelTest::emptyHints()
{
    QFETCH(int, tab);
    QFETCH(bool, scanned);
    QFETCH(bool, korean);
    QTEST(inLanguage(korean, [&] { return SpamPanelModel::emptyHint(PanelTab::Value(tab), scanned); }), "hint");
}

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    qputenv("VT_LANG", "en");
    qputenv("VT_REDUCE_MOTION", "0");
    QApplication app(argc, argv);
    PanelTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_panel.moc"
