// What the dispatcher reads and asks of the spam model. Every member refuses with
// modelPendingMessage() once the model is gone.
#include "Agent/AgentController.h"

#include "Browser/BrowserError.h"
#include "Scan/SpamModel.h"
#include "Wire/SiteInfo.h"

namespace {

[[noreturn]] void pending()
{
    throw BrowserError(AgentController::modelPendingMessage());
}

}   // namespace

bool AgentController::modelWorking() const
{
    if (!m_model)
        pending();
    return m_model->jobs().working();
}

std::optional<SiteInfo> AgentController::modelInfo() const
{
    if (!m_model)
        pending();
    return m_model->openPage().info();
}

void AgentController::modelFillPageState(AgentReplies::PageState &state) const
{
    if (!m_model)
        pending();
    state.items = m_model->review().comments();
    state.status = m_model->statusLine().text();
    state.busy = m_model->jobs().working();
    state.hasScanned = m_model->openPage().hasScanned();
    state.recentOnly = m_model->openPage().recentOnly();
    const QHash<QString, bool> &facts = m_model->scanReport().lastFacts();
    state.lastScan.clear();
    for (auto it = facts.cbegin(); it != facts.cend(); ++it)
        state.lastScan.insert(it.key(), it.value());
}

// Stored like the owner's own changes; the arguments were all checked before.
void AgentController::modelApply(const ScanArguments &arguments)
{
    if (!m_model)
        pending();
    if (arguments.limit)
        m_model->ownerSettings().set(OwnerSettings::Key::limit, *arguments.limit);
    if (arguments.sort)
        m_model->ownerSettings().set(OwnerSettings::Key::sort, *arguments.sort);
    if (arguments.noLikesOnly)
        m_model->ownerSettings().set(OwnerSettings::Key::noLikesOnly, *arguments.noLikesOnly);
}

// model.scan(full: true, record: true), then hasScanned and status
QCoro::Task<std::optional<QString>> AgentController::modelScan()
{
    if (!m_model)
        pending();
    QPointer<SpamModel> model = m_model;
    co_await model->scan(true, true);
    if (!model)
        pending();
    if (model->openPage().hasScanned())
        co_return std::nullopt;
    const QString status = model->statusLine().text();
    co_return status.isEmpty() ? QStringLiteral("검사를 완료하지 못했습니다.") : status;
}

bool AgentController::modelScanRecorded(QString *why) const
{
    if (!m_model)
        pending();
    *why = m_model->scanReport().unsaved();
    return m_model->scanReport().recorded();
}

bool AgentController::modelRemovalRecorded(QString *why) const
{
    if (!m_model)
        pending();
    *why = m_model->removalJob().lastUnrecorded();
    return m_model->removalJob().lastRecorded();
}

QJsonObject AgentController::modelRemovalReplies() const
{
    if (!m_model)
        pending();
    const RemovalJob::Replies &replies = m_model->removalJob().lastReplies();
    return QJsonObject{{QStringLiteral("replies"), replies.count},
                       {QStringLiteral("unflagged"), replies.unflagged},
                       {QStringLiteral("owner"), replies.owner}};
}

bool AgentController::modelCanRemove() const
{
    if (!m_model)
        pending();
    return m_model->removalJob().canRemove();
}

// Its own refusal passes through.
void AgentController::modelSelect(const QStringList &ids)
{
    if (!m_model)
        pending();
    m_model->review().selectReviewed(ids);
}

QStringList AgentController::modelSelectedIds() const
{
    if (!m_model)
        pending();
    return m_model->removalJob().selectedIds();
}

// No confirmation of its own: the model asks the owner in the window. The count is the model's
// own, so a declined or refused deletion reads 0.
QCoro::Task<int> AgentController::modelRemoveSelected()
{
    if (!m_model)
        pending();
    QPointer<SpamModel> model = m_model;
    co_await model->removalJob().removeSelected({}, RemovalJob::Asker::agent);
    if (!model)
        pending();
    co_return model->removalJob().lastCount();
}

// model.stopScan()
void AgentController::modelStopScan()
{
    if (!m_model)
        pending();
    m_model->stopScan();
}

bool AgentController::modelHasComment(const QString &id) const
{
    if (!m_model)
        pending();
    for (const Comment &c : m_model->review().comments()) {
        if (c.id == id)
            return true;
    }
    return false;
}

void AgentController::modelReveal(const QString &id)
{
    if (!m_model)
        pending();
    m_model->reveal(id);
}
