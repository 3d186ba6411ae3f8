// The model's side of deletion: whether the open page allows it, what is ticked, and the
// questions to the owner; the deletions themselves run in RemovalJob.

#include "Scan/SpamModel.h"

#include "Browser/AccountSession.h"
#include "Scan/RemovalJob.h"

bool SpamModel::canRemove() const
{
    if (m_browser && m_browser->accounts()->isAuthenticating())
        return false;
    const std::optional<SiteInfo> &info = m_openPage.info();
    if (!info || !info->supported)
        return false;
    return info->canRemove;
}

QStringList SpamModel::selectedIds() const
{
    QStringList ids;
    for (const Comment &c : comments()) {
        if (c.state == QLatin1String("spam") && c.checked)
            ids.append(c.id);
    }
    return ids;
}

Alerts::Question SpamModel::removalQuestion(int count, RemovalJob::Replies replies)
{
    return RemovalJob::question(count, replies);
}

QCoro::Task<int> SpamModel::present(Alerts::Question question)
{
    co_return co_await alerts()->ask(std::move(question));
}

RemovalJob &SpamModel::removalJob() const
{
    return *m_removalJob;
}

QCoro::Task<void> SpamModel::removeSelected(Confirm confirm, RemovalJob::Asker asker)
{
    return m_removalJob->removeSelected(std::move(confirm), asker);
}

QCoro::Task<int> SpamModel::removeStored(QList<ScanStore::Record> records, Confirm confirm, bool dryRun)
{
    return m_removalJob->removeStored(std::move(records), std::move(confirm), dryRun);
}

bool SpamModel::lastRemovalBlocked() const
{
    return m_removalJob->lastBlocked();
}

void SpamModel::noteDeleted(const QStringList &ids, const std::optional<ScanStore::PostKey> &page)
{
    m_removalJob->noteDeleted(ids, page);
}
