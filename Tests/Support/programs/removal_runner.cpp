// Runs the spam model over the real browser on one post of the fixture site and deletes its spam,
// for tests that end the process in the middle of a deletion. Uses the environment it is given
// (user folders, resolver rules of the fixture site, which answers from the test process).
//
//   removal_runner <history file> <post address>
//
// Output, one line each as it happens: "scanned <spam comments>", "deleting", "ended <deleted>".
// After the deletion it keeps running until it is ended from outside.

#include "Await.h"

#include "Base/AppSettings.h"
#include "Browser/Browser.h"
#include "Page/SpamEngine.h"
#include "Scan/SpamModel.h"
#include "Service/VeltraneAccount.h"
#include "Store/ScanStore.h"
#include "JobFlagSpy.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QWebEngineView>

#include <cstdio>

namespace {

void say(const QByteArray &line)
{
    std::fputs(line.constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}   // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fputs("usage: removal_runner <history file> <post address>\n", stderr);
        return 2;
    }
    const QString folder = QFileInfo(args.at(1)).absolutePath();
    AppSettings settings(QDir(folder).filePath(QStringLiteral("settings.json")));
    settings.setValue(QStringLiteral("vt.scanOnOpen"), false);
    settings.setValue(QStringLiteral("vt.aiOn"), false);
    ScanStore store(args.at(1));
    // Nothing listens there: the AI check is off.
    VeltraneAccount account(QUrl(QStringLiteral("http://127.0.0.1:9")),
                            QDir(folder).filePath(QStringLiteral("account.json")));

    Browser browser;
    QWebEngineView view;
    view.setPage(browser.currentTab()->page());
    QObject::connect(&browser, &Browser::currentTabChanged, &view, [&view](BrowserPage *page) { view.setPage(page); });
    view.resize(1280, 900);
    view.show();
    SpamEngine engine(&browser);
    SpamModel model(&engine, &browser, &account, &store, &settings);
    browser.onNavigate = [&model] { model.openPage().navigationChanged(); };

    browser.open(args.at(2));
    if (!QTest::qWaitFor(
            [&] { return model.openPage().info() && model.openPage().info()->supported && !model.jobs().working(); },
            60000))
        return 3;
    vt::test::await(model.scan(true, true), 240000);
    if (!model.openPage().hasScanned())
        return 4;
    say("scanned " + QByteArray::number(model.removalJob().selectedIds().size()));

    JobFlagSpy busy(model.jobs(), &JobState::busy, [&model] {
        if (!model.jobs().busy())
            say("ended " + QByteArray::number(model.removalJob().lastCount()));
    });
    say("deleting");
    auto removal = model.removalJob().removeSelected([](QStringList) -> QCoro::Task<bool> { co_return true; });
    return app.exec();
}
