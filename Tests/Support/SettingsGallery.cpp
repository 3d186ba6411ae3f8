#include "SettingsGallery.h"

#include "Await.h"
#include "FakeService.h"
#include "HistoryFixture.h"
#include "LanguageScope.h"

#include "Base/AppSettings.h"
#include "Dashboard/StatisticsSheet.h"
#include "Dashboard/TrendChart.h"
#include "Scan/SpamModel.h"
#include "Service/VeltraneAccount.h"
#include "Settings/AccountPane.h"
#include "Settings/AccountPaneState.h"
#include "Settings/SettingsPrompts.h"
#include "Settings/SettingsWindow.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>

#include <memory>

namespace vt::test {

namespace {

// The gallery never asks anything.
class SilentPrompts : public SettingsPrompts {
public:
    std::optional<QString> saveCsv(QWidget *, const QString &, const QString &) override { return std::nullopt; }
    bool confirm(QWidget *, const QString &, const QString &, const QString &, const QString &) override
    {
        return false;
    }
};

// Lets queued rebuilds and layouts settle.
void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

QImage picture(QWidget *widget)
{
    widget->setAttribute(Qt::WA_DontShowOnScreen);
    widget->show();
    settle();
    return widget->grab().toImage();
}

}   // namespace

QStringList settingsGalleryViews()
{
    return {QStringLiteral("settings-ai"),
            QStringLiteral("settings-basic"),
            QStringLiteral("settings-history"),
            QStringLiteral("settings-account"),
            QStringLiteral("settings-account-email"),
            QStringLiteral("settings-account-signed-in"),
            QStringLiteral("statistics"),
            QStringLiteral("statistics-empty"),
            QStringLiteral("trend")};
}

QImage renderSettingsView(const QString &view, bool korean)
{
    if (!settingsGalleryViews().contains(view))
        return {};
    LanguageScope language(korean);
    QTemporaryDir dir;
    AppSettings settings(dir.filePath(QStringLiteral("settings.json")));
    settings.setValue(QStringLiteral("vt.keywords"),
                      QStringList{QStringLiteral("telegram"), QStringLiteral("카지노"), QStringLiteral("free money")});
    settings.setValue(QStringLiteral("vt.limit"), 300);
    settings.setValue(QStringLiteral("vt.noLikesOnly"), true);
    settings.setValue(QStringLiteral("vt.minLikes"), 5);
    ScanStore store(dir.filePath(QStringLiteral("scans.sqlite")));
    const QDateTime now = QDateTime::currentDateTime();
    if (view != QLatin1String("statistics-empty"))
        seedHistory(store, now);

    FakeService service;
    service.start();
    service.deviceAccounts = view != QLatin1String("settings-account-email");
    // Opening the window would fetch a device account; keep the signed-out card in the picture.
    if (view != QLatin1String("settings-account-signed-in"))
        service.fail(QStringLiteral("api/device/new"), FakeService::Fault::withStatus(503), -1);
    VeltraneAccount account(QUrl(service.url()), QString());
    try {
        if (view == QLatin1String("settings-account-signed-in")) {
            service.addAccount(QStringLiteral("owner@example.com"), QStringLiteral("correct horse"));
            await(account.authenticate(false, QStringLiteral("owner@example.com"), QStringLiteral("correct horse")));
        }
        await(account.refresh(false));
    } catch (...) {
        // A picture of whatever state the client reached.
    }
    SpamModel model(nullptr, nullptr, &account, &store, &settings);
    model.history().setStats(store.stats());
    SilentPrompts prompts;

    if (view == QLatin1String("statistics") || view == QLatin1String("statistics-empty")) {
        StatisticsSheet sheet(&model);
        // Its figures are read off the window's thread; the picture waits for them.
        const QDeadlineTimer until(60000);
        while (!sheet.isReady() && !until.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return picture(&sheet);
    }
    if (view == QLatin1String("trend")) {
        TrendChart chart(model.catalog().dashboard(90, now).daily);
        chart.resize(904, chart.sizeHint().height());
        return picture(&chart);
    }
    SettingsTab tab = SettingsTab::ai;
    if (view == QLatin1String("settings-basic"))
        tab = SettingsTab::basic;
    else if (view == QLatin1String("settings-history"))
        tab = SettingsTab::history;
    else if (view.startsWith(QLatin1String("settings-account")))
        tab = SettingsTab::account;
    SettingsWindow window(&model, tab, nullptr, &prompts);
    if (view == QLatin1String("settings-account-email")) {
        if (auto *pane = qobject_cast<AccountPane *>(window.pane())) {
            pane->state()->setEmail(QStringLiteral("owner@example.com"));
            pane->state()->sendCode();
            QDeadlineTimer deadline(20000);
            while (pane->state()->busy() && !deadline.hasExpired())
                QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
        }
    }
    return picture(&window);
}

}   // namespace vt::test
