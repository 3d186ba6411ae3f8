// The model's side of deletion: the deletion job made over the model's parts.

#include "Scan/SpamModel.h"

#include "Scan/RemovalJob.h"

void SpamModel::makeRemovalJob()
{
    m_removalJob = new RemovalJob({m_store, m_engine, m_browser.data(), m_review, m_openPage, *m_catalog, m_jobs,
                                   m_statusLine, m_history, m_scanReport, [this] { return alerts(); },
                                   [this](bool full, bool record) { return scan(full, record); },
                                   [this] { takeOverBrowser(); }},
                                  this);
}

RemovalJob &SpamModel::removalJob() const
{
    return *m_removalJob;
}
