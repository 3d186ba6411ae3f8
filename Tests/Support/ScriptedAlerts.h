#pragma once
// Questions to the owner answered by the test: a chosen button, optionally once something has
// happened. Every question is kept, so a test can check what the owner was asked.
//
//   ScriptedAlerts alerts;
//   alerts.answer = 1;                  // the second button
//   model.setAlerts(&alerts);           // or Alerts::setShared(&alerts)

#include "Base/Alerts.h"

#include <QCoro/QCoroTimer>
#include <QElapsedTimer>

#include <chrono>
#include <functional>

namespace vt::test {

class ScriptedAlerts : public Alerts {
public:
    bool active = true;
    int answer = 0;
    int asked = 0;
    Question last;
    QList<Question> questions;
    std::function<bool()> answerWhen;   // waits (bounded) until this holds before answering

    bool canAsk() const override { return active; }
    QCoro::Task<int> ask(Question question) override
    {
        using namespace std::chrono_literals;
        ++asked;
        last = question;
        questions.append(question);
        QElapsedTimer clock;
        clock.start();
        while (answerWhen && !answerWhen() && clock.elapsed() < 60000)
            co_await QCoro::sleepFor(20ms);
        co_return answer;
    }
};

} // namespace vt::test
