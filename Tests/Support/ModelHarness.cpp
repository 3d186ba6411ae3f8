#include "ModelHarness.h"

#include <QFile>
#include <QJsonDocument>
#include <QUrl>

namespace {

// Nothing listens there; the model's members under test never call the service.
const QUrl kServer(QStringLiteral("http://127.0.0.1:9"));

}   // namespace

ModelHarness::ModelHarness(const QVariantMap &preset, bool signedIn)
{
    m_settings = std::make_unique<AppSettings>(m_dir.filePath(QStringLiteral("settings.json")));
    for (auto it = preset.begin(); it != preset.end(); ++it)
        m_settings->setValue(it.key(), it.value());
    m_store = std::make_unique<ScanStore>(m_dir.filePath(QStringLiteral("scans.sqlite")));
    const QString accountFile = m_dir.filePath(QStringLiteral("account.json"));
    if (signedIn) {
        QFile file(accountFile);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(QJsonDocument(QJsonObject{{QStringLiteral("server"), kServer.toString()},
                                                 {QStringLiteral("token"), QStringLiteral("test-token")}})
                           .toJson());
        }
    }
    m_account = std::make_unique<VeltraneAccount>(kServer, accountFile);
}

ModelHarness::~ModelHarness()
{
    m_model.reset();
}

SpamModel &ModelHarness::model()
{
    if (!m_model)
        m_model = std::make_unique<SpamModel>(m_engine, m_browser, m_account.get(), m_store.get(), m_settings.get());
    return *m_model;
}

QJsonObject ModelHarness::stored() const
{
    QFile file(m_settings->filePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

Comment ModelHarness::comment(const QString &id, const QString &text, const QString &state, qint64 order)
{
    Comment c;
    c.id = id;
    c.text = text;
    c.authorName = QStringLiteral("author-") + id;
    c.state = state;
    c.order = order;
    c.checked = state == QLatin1String("spam");
    return c;
}
