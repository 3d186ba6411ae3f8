#pragma once
// A spam model over its real pieces for tests: a settings file and a history database in a
// temporary folder, and a service client on a closed local address (signed in or not). No
// browser and no page bridge: the model's members that need neither run as in the application.
//
//   ModelHarness h({{"vt.limit", -5}});      // settings written before the model reads them
//   h.model().ownerSettings().set(OwnerSettings::Key::keywords, QStringList {"spam"});
//   QCOMPARE(h.stored().value("vt.limit"), QJsonValue(0));

#include "Base/AppSettings.h"
#include "Scan/SpamModel.h"
#include "Service/VeltraneAccount.h"
#include "Store/ScanStore.h"

#include <QJsonObject>
#include <QTemporaryDir>
#include <QVariantMap>

#include <memory>

class ModelHarness {
public:
    explicit ModelHarness(const QVariantMap &preset = {}, bool signedIn = false);
    ~ModelHarness();

    // Made on first use, so that a test may change the settings or the store before.
    SpamModel &model();
    // The page bridge and browser the model is made with (none by default); before model().
    void useBrowser(SpamEngine *engine, Browser *browser)
    {
        m_engine = engine;
        m_browser = browser;
    }
    AppSettings &settings() { return *m_settings; }
    ScanStore &store() { return *m_store; }
    VeltraneAccount &account() { return *m_account; }

    // The settings file as written, member by member.
    QJsonObject stored() const;
    QString folder() const { return m_dir.path(); }

    // A comment with the fields the rules read.
    static Comment comment(const QString &id, const QString &text, const QString &state = QStringLiteral("ok"),
                           qint64 order = 0);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<ScanStore> m_store;
    std::unique_ptr<VeltraneAccount> m_account;
    std::unique_ptr<SpamModel> m_model;
    SpamEngine *m_engine = nullptr;
    Browser *m_browser = nullptr;
};
