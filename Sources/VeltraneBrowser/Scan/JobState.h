#pragma once
// The one running job and what Stop asked of it. A queue of posts or a discovery of posts runs
// its scans and deletions as its step; a scan or a deletion started on its own is the job itself.
// Views read the flags (scanning, busy, ...) and listen to changed(); the parts that run a job
// start and end it here.

#include "Scan/StopRequest.h"

#include <QObject>
#include <QCoro/QCoroTask>

class JobState : public QObject {
    Q_OBJECT

public:
    // `deletion` deletes stored records over several posts: its scans and deletions are its
    // steps, and views show it as a run over posts (touring) as they show a queue.
    enum class Job { idle, scan, removal, queue, discovery, deletion };
    // What a scan is doing that the views show apart: waiting to start on an opened post, or
    // its AI pass.
    enum class Phase { none, preparing, ai };

    explicit JobState(QObject *parent = nullptr)
        : QObject(parent)
    {
    }

    Job job() const { return m_job; }
    Job step() const { return m_step; }
    Phase phase() const { return m_phase; }

    // Starts a job: a scan or a deletion under a running queue, discovery or deletion of stored
    // records becomes its step; one of those started over a running scan or deletion takes it as
    // its step.
    void start(Job job);
    // Ends a job or step of that kind; a queue or discovery that ends leaves its step running.
    void end(Job job);
    // start() or end() as `on` says.
    void set(Job job, bool on) { on ? start(job) : end(job); }
    void setPhase(Phase phase);
    // Leaves `phase` when it is the current one.
    void leavePhase(Phase phase);

    bool scanning() const { return m_job == Job::scan || m_step == Job::scan; }
    bool busy() const { return m_job == Job::removal || m_step == Job::removal; }
    bool touring() const { return m_job == Job::queue || m_job == Job::deletion; }
    bool findingPosts() const { return m_job == Job::discovery; }
    bool working() const { return m_job != Job::idle; }
    bool preparing() const { return m_phase == Phase::preparing; }
    bool aiChecking() const { return m_phase == Phase::ai; }

    // What the owner's Stop asked of the running work.
    StopRequest &stop() { return m_stop; }
    const StopRequest &stop() const { return m_stop; }

    // Something the running scan or AI pass waits for has arrived (or should be given up).
    void land() { emit landed(); }
    // Resumes from the event loop after the next landed().
    QCoro::Task<void> nextLanding();
    // Lets the event loop run once before going on.
    QCoro::Task<void> nextTurn();

signals:
    // The job, its step or its phase changed.
    void changed();
    void landed();

private:
    void moveTo(Job job, Job step, Phase phase);

    Job m_job = Job::idle;
    Job m_step = Job::idle;
    Phase m_phase = Phase::none;
    StopRequest m_stop;
};
