#include "Scan/JobState.h"

#include <coroutine>
#include <memory>

namespace {

bool isStep(JobState::Job job)
{
    return job == JobState::Job::scan || job == JobState::Job::removal;
}

}   // namespace

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

QCoro::Task<void> JobState::nextLanding()
{
    // Signals are awaited through a direct one-shot connection: several landings before the
    // waiter runs must not resume it more than once.
    struct Awaiter {
        JobState *jobs;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> waiter)
        {
            auto connection = std::make_shared<QMetaObject::Connection>();
            *connection = QObject::connect(jobs, &JobState::landed, jobs, [connection, waiter, j = jobs] {
                QObject::disconnect(*connection);
                QMetaObject::invokeMethod(
                    j, [waiter] { waiter.resume(); }, Qt::QueuedConnection);
            });
        }
        void await_resume() const noexcept { }
    };
    co_await Awaiter{this};
}

QCoro::Task<void> JobState::nextTurn()
{
    struct Awaiter {
        JobState *jobs;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> waiter)
        {
            QMetaObject::invokeMethod(
                jobs, [waiter] { waiter.resume(); }, Qt::QueuedConnection);
        }
        void await_resume() const noexcept { }
    };
    co_await Awaiter{this};
}
