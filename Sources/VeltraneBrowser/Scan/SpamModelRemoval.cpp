// Deletion: of the ticked comments on the open post, and of picked stored records post by post.
// Nothing is deleted without the owner's confirmation, and only ids that were asked for and that
// the page reports gone are recorded.

#include "Scan/SpamModel.h"

#include "Base/Lang.h"
#include "Browser/AccountSession.h"
#include "Page/SpamEngine.h"

bool SpamModel::canRemove() const
{
    if (m_browser && m_browser->accounts()->isAuthenticating())
        return false;
    if (!m_info || !m_info->supported)
        return false;
    return m_info->canRemove;
}

QStringList SpamModel::selectedIds() const
{
    QStringList ids;
    for (const Comment &c : std::as_const(m_comments)) {
        if (c.state == QLatin1String("spam") && c.checked)
            ids.append(c.id);
    }
    return ids;
}

Alerts::Question SpamModel::removalQuestion(int count, bool korean)
{
    const QString n = QString::number(count);
    if (korean) {
        return {QStringLiteral("댓글 ") + n + QStringLiteral("개를 삭제합니다"),
                QStringLiteral("선택한 댓글만 삭제합니다. 삭제한 댓글은 복구할 수 없습니다."),
                {QStringLiteral("취소"), n + QStringLiteral("개 삭제")}, 1};
    }
    return {QStringLiteral("Delete ") + n + QStringLiteral(" comments"),
            QStringLiteral("Only the selected comments are deleted. Deleted comments can't be restored."),
            {QStringLiteral("Cancel"), QStringLiteral("Delete ") + n}, 1};
}

QCoro::Task<int> SpamModel::present(Alerts::Question question)
{
    co_return co_await alerts()->ask(std::move(question));
}

QCoro::Task<void> SpamModel::removeSelected(Confirm confirm)
{
    Q_UNUSED(confirm);
    co_return;
}

QCoro::Task<int> SpamModel::removeStored(QList<ScanStore::Record> records, Confirm confirm, bool dryRun)
{
    Q_UNUSED(records);
    Q_UNUSED(confirm);
    Q_UNUSED(dryRun);
    co_return 0;
}

void SpamModel::noteDeleted(const QStringList &ids, const std::optional<ScanStore::PostKey> &page)
{
    // Still the bookkeeping only; the history records them with the deletion pipeline.
    Q_UNUSED(page);
    for (const QString &id : ids)
        m_deletedNow.insert(id);
}
