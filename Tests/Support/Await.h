#pragma once
// Drives a QCoro task to completion from a test. QCoro::waitFor hangs when the
// coroutine throws; this rethrows the task's exception and gives up after a timeout.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QCoro/QCoroTask>

#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace vt::test {

namespace detail {

template <typename T>
struct Outcome {
    std::conditional_t<std::is_void_v<T>, bool, std::optional<T>> value {};
    std::exception_ptr error;
    bool done = false;
};

template <typename T>
QCoro::Task<void> drive(QCoro::Task<T> task, std::shared_ptr<Outcome<T>> out)
{
    try {
        if constexpr (std::is_void_v<T>) {
            co_await std::move(task);
            out->value = true;
        } else {
            out->value.emplace(co_await std::move(task));
        }
    } catch (...) {
        out->error = std::current_exception();
    }
    out->done = true;
}

} // namespace detail

// Runs the event loop until the task ends; rethrows its exception; throws on timeout.
template <typename T>
T await(QCoro::Task<T> task, int timeoutMs = 30000)
{
    auto out = std::make_shared<detail::Outcome<T>>();
    // Kept alive on the heap: on a timeout the driver may still be suspended.
    auto *driver = new QCoro::Task<void>(detail::drive<T>(std::move(task), out));
    QDeadlineTimer deadline(timeoutMs);
    while (!out->done && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    if (!out->done)
        throw std::runtime_error("task did not finish within " + std::to_string(timeoutMs) + " ms");
    delete driver;
    if (out->error)
        std::rethrow_exception(out->error);
    if constexpr (!std::is_void_v<T>)
        return std::move(*out->value);
}

} // namespace vt::test
