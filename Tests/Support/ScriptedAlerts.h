#pragma once
// Questions to the owner answered by a test instead of a window.
//
//   ScriptedAlerts alerts;
//   alerts.answer = 1;                    // the second button
//   model.setAlerts(&alerts);

#include "Base/Alerts.h"

#include <QCoro/QCoroTimer>
#include <QElapsedTimer>

#include <chrono>
#include <functional>

namespace vt::test {

// Questions answered by the test: a chosen button, optionally after something happened.
class ScriptedAlerts : public Alerts {
public:
    bool active = true;
    int answer = 0;
    int asked = 0;
    Question last;
    std::function<bool()> answerWhen;   // waits (bounded) until this holds before answering

    bool canAsk() const override { return active; }
    QCoro::Task<int> ask(Question question) override
    {
        using namespace std::chrono_literals;
        ++asked;
        last = question;
        QElapsedTimer clock;
        clock.start();
        while (answerWhen && !answerWhen() && clock.elapsed() < 60000)
            co_await QCoro::sleepFor(20ms);
        co_return answer;
    }
};

}   // namespace vt::test
