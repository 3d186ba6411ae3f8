#pragma once
// Counts the changes of one flag of the running job (scanning, touring, ...) as a view that
// listens to JobState::changed and keeps the flag's last value sees them. `onChange` runs at
// each change, after the count.

#include "Scan/JobState.h"

#include <QObject>

#include <functional>
#include <memory>

class JobFlagSpy {
public:
    using Flag = bool (JobState::*)() const;

    JobFlagSpy(const JobState &jobs, Flag flag, std::function<void()> onChange = {})
        : m_state(std::make_shared<State>(State{(jobs.*flag)(), 0, std::move(onChange)}))
    {
        m_connection = QObject::connect(&jobs, &JobState::changed, &jobs, [&jobs, flag, state = m_state] {
            const bool now = (jobs.*flag)();
            if (now == state->last)
                return;
            state->last = now;
            ++state->count;
            if (state->onChange)
                state->onChange();
        });
    }
    ~JobFlagSpy() { QObject::disconnect(m_connection); }
    JobFlagSpy(const JobFlagSpy &) = delete;
    JobFlagSpy &operator=(const JobFlagSpy &) = delete;

    int count() const { return m_state->count; }

private:
    struct State {
        bool last = false;
        int count = 0;
        std::function<void()> onChange;
    };
    std::shared_ptr<State> m_state;
    QMetaObject::Connection m_connection;
};
