#pragma once
// A spam model over the shared browser of a web test, with its own settings, history and service
// account, and questions to the owner answered by the test.
//
//   Rig rig(*harness, *service, true, {{"vt.aiOn", false}});
//   rig.alerts.answer = 1;
//   await(rig.model->scan(true, true), 240000);

#include "BridgeHarness.h"
#include "FakeService.h"
#include "ScriptedAlerts.h"

#include "Base/AppSettings.h"
#include "Scan/SpamModel.h"
#include "Service/VeltraneAccount.h"
#include "Store/ScanStore.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <memory>

namespace vt::test {

// One model over the shared browser with its own settings, history and service account.
struct Rig {
    QTemporaryDir dir;
    AppSettings settings;
    ScanStore store;
    std::unique_ptr<VeltraneAccount> account;
    std::unique_ptr<SpamModel> model;
    ScriptedAlerts alerts;
    Browser &browser;

    // `history`: the history file to use instead of a new one.
    Rig(BridgeHarness &h, FakeService &service, bool signedIn, const QVariantMap &preset = {},
        const QString &history = {})
        : settings(dir.filePath(QStringLiteral("settings.json")))
        , store(history.isEmpty() ? dir.filePath(QStringLiteral("scans.sqlite")) : history)
        , browser(h.browser)
    {
        settings.setValue(QStringLiteral("vt.scanOnOpen"), false);
        settings.setValue(QStringLiteral("vt.aiConsent"), true);
        for (auto it = preset.begin(); it != preset.end(); ++it)
            settings.setValue(it.key(), it.value());
        const QString accountFile = dir.filePath(QStringLiteral("account.json"));
        if (signedIn) {
            static int serial = 0;
            const QString token = service.addAccount(QStringLiteral("owner%1@example.com").arg(++serial),
                                                     QStringLiteral("password123"));
            QFile file(accountFile);
            if (file.open(QIODevice::WriteOnly))
                file.write(QJsonDocument(QJsonObject{{QStringLiteral("server"), service.url().toString()},
                                                     {QStringLiteral("token"), token}})
                               .toJson());
        }
        // Retries without waiting: the faults of a test are answered at once.
        account = std::make_unique<VeltraneAccount>(service.url(), accountFile, VeltraneAccount::Transport{},
                                                    [](double) -> QCoro::Task<void> { co_return; });
        model = std::make_unique<SpamModel>(&h.engine, &h.browser, account.get(), &store, &settings);
        model->setAlerts(&alerts);
        SpamModel *m = model.get();
        h.browser.onNavigate = [m] { m->openPage().navigationChanged(); };
    }
    ~Rig()
    {
        browser.onNavigate = {};
        // A job still running is abandoned with its model.
        model.reset();
    }
};

}   // namespace vt::test
