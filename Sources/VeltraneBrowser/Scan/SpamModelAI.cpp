// Where the owner's questions go, and the AI pass of a scan (its steps are AIPass's).
#include "Scan/SpamModel.h"

#include "Scan/AIPass.h"

Alerts *SpamModel::alerts() const
{
    return m_alerts ? m_alerts : Alerts::shared();
}

QCoro::Task<QString> SpamModel::aiPass(QUuid pageID, std::optional<ScanStore::PostKey> page,
                                       QHash<QString, ScanStore::Known> known, Reuse before,
                                       QList<ScanStore::AIAnswer> *answers)
{
    AIPass pass({m_review, m_openPage, m_scanReport, *m_owner, m_jobs, m_statusLine, m_account, m_store}, pageID,
                std::move(page), answers);
    const QString sentence = co_await pass.run(std::move(known), before);
    co_return sentence;
}
