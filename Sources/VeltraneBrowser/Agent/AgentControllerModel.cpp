// What the dispatcher reads and asks of the spam model. Each member refuses with
// modelPendingMessage() until the model offers the part it stands for.
#include "Agent/AgentController.h"

#include "Browser/BrowserError.h"
#include "Wire/SiteInfo.h"

namespace {

[[noreturn]] void pending()
{
    throw BrowserError(AgentController::modelPendingMessage());
}

} // namespace

// model.working
bool AgentController::modelWorking() const
{
    pending();
}

// model.info
std::optional<SiteInfo> AgentController::modelInfo() const
{
    pending();
}

// model.comments, status, working, hasScanned, recentOnly, lastScanFacts
void AgentController::modelFillPageState(AgentReplies::PageState &) const
{
    pending();
}

// model.limit, sort, noLikesOnly (stored like the owner's own changes)
void AgentController::modelApply(const ScanArguments &)
{
    pending();
}

// model.scan(full: true, record: true), then hasScanned and status
QCoro::Task<std::optional<QString>> AgentController::modelScan()
{
    pending();
    co_return std::nullopt;
}

// model.canRemove
bool AgentController::modelCanRemove() const
{
    pending();
}

// model.selectReviewed(ids); its own refusal passes through
void AgentController::modelSelect(const QStringList &)
{
    pending();
}

// model.selectedIds
QStringList AgentController::modelSelectedIds() const
{
    pending();
}

// model.removeSelected(confirm: none): the owner confirms in the window; the count deleted
QCoro::Task<int> AgentController::modelRemoveSelected()
{
    pending();
    co_return 0;
}

// model.stopScan()
void AgentController::modelStopScan()
{
    pending();
}

// whether model.comments holds this id
bool AgentController::modelHasComment(const QString &) const
{
    pending();
}

// model.reveal(id)
void AgentController::modelReveal(const QString &)
{
    pending();
}
