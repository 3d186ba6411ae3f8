#include "Base/Alerts.h"

namespace {

// Without a window nobody can answer: never asks.
class Unattended final : public Alerts {
public:
    bool canAsk() const override { return false; }
    QCoro::Task<int> ask(Question) override { co_return -1; }
};

Alerts *&installed()
{
    static Alerts *alerts = nullptr;
    return alerts;
}

}   // namespace

Alerts *Alerts::shared()
{
    static Unattended fallback;
    return installed() ? installed() : &fallback;
}

void Alerts::setShared(Alerts *alerts)
{
    installed() = alerts;
}
