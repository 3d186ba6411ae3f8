// The review panel with the history of a busy channel: 20,000 stored comments over 20 posts.
// Prints the load time (store to filled list, then the list's first layout), the longest frame
// while scrolling through the whole list (goal: none over 16 ms after the first layout), and the
// CPU the live scan stage takes while it only animates. Baselines in the same run: reading the
// same comments from the store alone, a plain list of 20,000 one-line strings scrolled the same
// way, and the idle event loop.
#include "ModelHarness.h"
#include "PanelFixture.h"
#include "TestMain.h"

#include "Panel/CommentListModel.h"
#include "Panel/PanelActions.h"
#include "Panel/ScanStage.h"
#include "Panel/SpamPanel.h"
#include "Panel/SpamPanelModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QScrollBar>
#include <QStringListModel>
#include <QTimer>

#include <functional>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kPosts = 20;
constexpr int kComments = 20000;

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Processes events until `done` holds (the list laid out in batches); returns the longest single
// turn of the event loop in ms.
double settleLayout(const std::function<bool()> &done)
{
    double longest = 0;
    QElapsedTimer total;
    total.start();
    while (!done() && total.elapsed() < 120000) {
        QElapsedTimer t;
        t.start();
        QApplication::processEvents();
        longest = std::max(longest, t.nsecsElapsed() / 1e6);
    }
    return longest;
}

// One frame: the view's visible rows painted into an image of its size.
void frame(QListView *list, QImage &image)
{
    list->viewport()->render(&image);
}

struct Scroll {
    double longestMs = 0;
    double meanMs = 0;
    double p99Ms = 0;
    int over16 = 0;
    int frames = 0;
};

// Scrolls from top to bottom in steps of a third of the view, painting each step at once.
Scroll scrollThrough(QListView *list)
{
    Scroll s;
    QScrollBar *bar = list->verticalScrollBar();
    QImage image(list->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    bar->setValue(0);
    frame(list, image);
    const int step = std::max(1, list->viewport()->height() / 3);
    double total = 0;
    QList<double> times;
    for (int v = 0; v <= bar->maximum(); v += step) {
        QElapsedTimer t;
        t.start();
        bar->setValue(v);
        frame(list, image);
        const double ms = t.nsecsElapsed() / 1e6;
        s.longestMs = std::max(s.longestMs, ms);
        total += ms;
        times.append(ms);
        s.over16 += ms > 16 ? 1 : 0;
        ++s.frames;
    }
    s.meanMs = s.frames ? total / s.frames : 0;
    std::sort(times.begin(), times.end());
    s.p99Ms = times.isEmpty() ? 0 : times.at(qsizetype(0.99 * double(times.size() - 1)));
    return s;
}

}   // namespace

int main(int argc, char **argv)
{
    vt::test::isolateUserFolders();
    if (qEnvironmentVariableIsEmpty("VT_LANG"))
        qputenv("VT_LANG", "en");
    QApplication app(argc, argv);

    ModelHarness h;
    const QDateTime now = QDateTime::currentDateTime();
    PanelFixture::history(h.store(), kPosts, kComments, now);
    PanelActions actions(&h.store());

    // Baseline: the store reads the panel's load makes, and nothing else.
    QElapsedTimer t;
    t.start();
    qsizetype read = 0;
    for (const ChannelPost &p : actions.posts(QStringLiteral("youtube")))
        read += h.store().comments(p.url, SpamPanelModel::commentLimit).size();
    const double storeMs = t.nsecsElapsed() / 1e6;

    // The panel: made, loaded, shown and laid out.
    t.restart();
    SpamPanel panel(&h.model(), &actions);
    const double loadMs = t.nsecsElapsed() / 1e6;
    const int firstRows = panel.listModel()->rowCount();
    // The rest as the owner scrolls to the end of the list, read all at once here so that the
    // layout, scrolling and ticks below cover every row.
    t.restart();
    while (panel.viewModel()->canLoadMore())
        panel.viewModel()->loadMore();
    const double restMs = t.nsecsElapsed() / 1e6;
    panel.resize(420, 900);
    t.restart();
    panel.show();
    const int rowsToLay = panel.listModel()->rowCount();
    const double layoutTurnMs = settleLayout(
        [&] { return panel.listModel()->cachedHeight(rowsToLay - 1, panel.list()->viewport()->width()).has_value(); });
    const double layoutMs = t.nsecsElapsed() / 1e6;
    const int rows = panel.listModel()->rowCount();

    const Scroll first = scrollThrough(panel.list());    // measures every row once more
    const Scroll second = scrollThrough(panel.list());   // what the owner feels: sizes known

    // A tick in the Comments tab redraws the selection summary over all rows.
    int tickRow = 0;
    while (tickRow < rows && !panel.listModel()->hasTickBox(tickRow))
        ++tickRow;
    t.restart();
    panel.listModel()->setTicked(tickRow, true);
    const double tickMs = t.nsecsElapsed() / 1e6;
    t.restart();
    panel.listModel()->setTicked(tickRow, false);
    const double untickMs = t.nsecsElapsed() / 1e6;
    // Once the bar is up: one more tick beside a ticked comment.
    int nextRow = tickRow + 1;
    while (nextRow < rows && !panel.listModel()->hasTickBox(nextRow))
        ++nextRow;
    panel.listModel()->setTicked(tickRow, true);
    t.restart();
    panel.listModel()->setTicked(nextRow, true);
    const double againMs = t.nsecsElapsed() / 1e6;

    // Baseline list: as many one-line rows with the default delegate.
    QStringList plain;
    for (int i = 0; i < rows; ++i)
        plain.append(QStringLiteral("row %1").arg(i));
    QStringListModel plainModel(plain);
    QListView plainList;
    plainList.setModel(&plainModel);
    plainList.setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    plainList.setUniformItemSizes(false);
    plainList.resize(420, 900);
    plainList.show();
    settleLayout([&] { return plainList.verticalScrollBar()->maximum() > 0; });
    for (int i = 0; i < 50; ++i)
        QApplication::processEvents();
    const Scroll base = scrollThrough(&plainList);

    std::printf("panel with %d comments in %d posts (%lld read back, %d list rows)\n", kComments, kPosts,
                static_cast<long long>(read), rows);
    std::printf("load (store to list)   %8.1f ms   store reads alone %8.1f ms   ratio %.2f (%d rows read first)\n",
                loadMs, storeMs, loadMs / std::max(0.001, storeMs), firstRows);
    std::printf("the rest on scrolling  %8.1f ms   ratio to the store reads %.2f\n", restMs,
                restMs / std::max(0.001, storeMs));
    std::printf("first layout           %8.1f ms   longest turn while laying out %.1f ms\n", layoutMs, layoutTurnMs);
    auto line = [](const char *what, const Scroll &s) {
        std::printf("%-22s longest frame %6.2f ms   99th %5.2f ms   mean %5.2f ms   over 16 ms: %d of %d\n", what,
                    s.longestMs, s.p99Ms, s.meanMs, s.over16, s.frames);
    };
    line("scroll, first pass", first);
    line("scroll, after layout", second);
    line("plain list baseline", base);
    std::printf(
        "ratio to the plain list: longest %.2f, 99th %.2f, mean %.2f (goal: no frame over 16 ms after layout)\n",
        second.longestMs / std::max(0.001, base.longestMs), second.p99Ms / std::max(0.001, base.p99Ms),
        second.meanMs / std::max(0.001, base.meanMs));

    std::printf("tick / untick one      %8.1f ms / %.1f ms (selection summary over %d rows), %.2f / %.2f of a "
                "16 ms frame (goal under 1)\n",
                tickMs, untickMs, rows, tickMs / 16.0, untickMs / 16.0);
    std::printf("a second tick          %8.1f ms, %.2f of a 16 ms frame\n", againMs, againMs / 16.0);

    // The live stage while a scan runs but nothing changes: only its animation costs.
    ScanActivity activity;
    activity.stage = ScanActivity::Stage::ai;
    activity.collected = 400;
    activity.aiChecked = 40;
    activity.aiTotal = 400;
    for (int i = 0; i < 6; ++i) {
        Comment c;
        c.id = QString::number(i);
        c.authorName = QStringLiteral("viewer %1").arg(i);
        c.text = QStringLiteral("A comment that is being checked right now, number %1").arg(i);
        c.state = i % 3 == 0 ? QStringLiteral("spam") : QStringLiteral("ok");
        activity.samples.append(c);
        activity.inspecting.insert(c.id);
    }
    auto idle = [](int ms) {
        const double cpu0 = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
        return 100.0 * (cpuSeconds() - cpu0) / (wall.nsecsElapsed() / 1e9);
    };
    panel.hide();
    plainList.hide();
    const double idleCpu = idle(3000);
    h.model().openPage().setScanActivity(activity);
    h.model().jobs().set(JobState::Job::scan, true);
    ScanStage stage(&h.model());
    stage.resize(420, 900);
    stage.show();
    const double stageCpu = idle(3000);
    stage.setCalm(true);
    const double calmCpu = idle(3000);
    std::printf(
        "live stage CPU         animating %5.1f %%   reduced motion %5.1f %%   idle loop %5.1f %% (of one core)\n",
        stageCpu, calmCpu, idleCpu);
    return 0;
}
