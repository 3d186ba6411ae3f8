// The model's side of the post list: taking the browser for a job over several posts, and the
// parts that keep the list, its queue and the automatic scans.
#include "Scan/SpamModel.h"

#include "Scan/PostCatalog.h"

void SpamModel::takeOverBrowser()
{
    m_openPage.dropRefresh();   // the page refresh in wait (and its scan on open) is not the job's
    m_jobs.stop().queue = false;
    m_openPage.setAutoScan(std::nullopt);
    m_jobs.leavePhase(JobState::Phase::preparing);
}

PostCatalog &SpamModel::catalog() const
{
    return *m_catalog;
}
PostQueue &SpamModel::queue() const
{
    return *m_queue;
}
AutoScanSchedule &SpamModel::autoScans() const
{
    return *m_autoScans;
}
