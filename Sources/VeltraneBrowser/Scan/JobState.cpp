#include "Scan/JobState.h"

namespace {

bool isStep(JobState::Job job)
{
    return job == JobState::Job::scan || job == JobState::Job::removal;
}

} // namespace

void JobState::start(Job job)
{
    if (job == Job::idle)
        return;
    if (isStep(job)) {
        if (m_job == Job::queue || m_job == Job::discovery || m_job == Job::deletion)
            moveTo(m_job, job, m_phase);
        else
            moveTo(job, Job::idle, m_phase);
    } else {
        moveTo(job, isStep(m_job) ? m_job : m_step, m_phase);
    }
}

void JobState::end(Job job)
{
    if (job == Job::idle)
        return;
    if (m_step == job)
        moveTo(m_job, Job::idle, m_phase);
    else if (m_job == job)
        moveTo(isStep(job) ? Job::idle : m_step, Job::idle, m_phase);
}

void JobState::setPhase(Phase phase)
{
    moveTo(m_job, m_step, phase);
}

void JobState::leavePhase(Phase phase)
{
    if (m_phase == phase)
        moveTo(m_job, m_step, Phase::none);
}

void JobState::moveTo(Job job, Job step, Phase phase)
{
    if (job == m_job && step == m_step && phase == m_phase)
        return;
    m_job = job;
    m_step = step;
    m_phase = phase;
    emit changed();
}
