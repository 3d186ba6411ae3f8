#include "Scan/HistoryState.h"

#include <QUuid>

template <typename T>
bool HistoryState::update(T &field, const T &value, void (HistoryState::*changed)())
{
    if (field == value)
        return false;
    field = value;
    emit(this->*changed)();
    return true;
}

void HistoryState::setStats(const ScanStore::Stats &stats)
{
    check();
    update(m_stats, stats, &HistoryState::statsChanged);
}

void HistoryState::raiseRunsVersion()
{
    ++m_runsVersion;
    emit runsVersionChanged();
}

void HistoryState::raiseDeletionsVersion()
{
    ++m_deletionsVersion;
    emit deletionsVersionChanged();
}

void HistoryState::check()
{
    if (!update(m_notice, m_store->openError(), &HistoryState::noticeChanged))
        return;
    // Said once in the status line; the notice itself stays where the owner looks for it.
    if (!m_notice.isEmpty() && !m_noticeShown) {
        m_noticeShown = true;
        m_status.set(m_notice, StatusKind::warn);
    }
}

QString HistoryState::writeError() const
{
    const QString reason = m_store->lastError();
    return reason.isEmpty() ? tr("The history file could not be written.") : reason;
}

void HistoryState::syncPost(const QString &url)
{
    const ScanStore::Counts counts = m_store->syncCounts(url);
    emit postCounted(url, counts);
    setStats(m_store->stats());
}

ScanStore::Run HistoryState::inSession(const ScanStore::Run &run) const
{
    ScanStore::Run stored = run;
    // A run outside a multi-post job is a session of its own.
    stored.session = m_runSession ? *m_runSession : QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    stored.automatic = m_sessionAuto;
    return stored;
}

void HistoryState::runLogged()
{
    m_loggedRun = true;
    check();
    raiseRunsVersion();
}

bool HistoryState::logRun(const ScanStore::Run &run, const QList<ScanStore::Item> &items)
{
    const bool logged = m_store->log(inSession(run), items) != 0;
    runLogged();
    return logged;
}

namespace {

std::optional<ScanStore::Run> failedRun(const QString &url, ScanStore::Run::Kind kind, const QString &note)
{
    const std::optional<ScanStore::PostKey> key = ScanStore::canonical(url);
    if (!key)
        return std::nullopt;
    ScanStore::Run run;
    run.kind = kind;
    run.site = key->site;
    run.post = key->url;
    run.at = QDateTime::currentDateTime();
    run.failed = true;
    run.note = note;
    return run;
}

}   // namespace

bool HistoryState::logFailedScan(const QString &url, const QString &note)
{
    const std::optional<ScanStore::Run> run = failedRun(url, ScanStore::Run::Kind::Scan, note);
    return !run || logRun(*run, {});
}

bool HistoryState::logFailedRemoval(const QString &url, int count, const QString &note)
{
    std::optional<ScanStore::Run> run = failedRun(url, ScanStore::Run::Kind::Delete, note);
    if (!run)
        return true;
    run->total = count;
    return logRun(*run, {});
}
