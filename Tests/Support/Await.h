#pragma once
// Drives a QCoro task to completion from a test. QCoro::waitFor hangs when the
// coroutine throws; this rethrows the task's exception, and a task that does not end in time
// fails the calling check (not the whole test program).

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTest>
#include <QCoro/QCoroTask>

#include <exception>
#include <memory>
#include <optional>
#include <source_location>
#include <stdexcept>
#include <string>

namespace vt::test {

namespace detail {

template <typename T>
struct Outcome {
    std::conditional_t<std::is_void_v<T>, bool, std::optional<T>> value{};
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

}   // namespace detail

// Runs the event loop until the task ends and gives its value; rethrows its exception. A task
// still running after timeoutMs fails the check at the caller's line and gives a default value:
// the test goes on, its next checks see what the task left. The default is above the service
// client's own one-minute request limit.
template <typename T>
T await(QCoro::Task<T> task, int timeoutMs = 120000, std::source_location where = std::source_location::current())
{
    auto out = std::make_shared<detail::Outcome<T>>();
    // Kept alive on the heap: on a timeout the driver may still be suspended.
    auto *driver = new QCoro::Task<void>(detail::drive<T>(std::move(task), out));
    QDeadlineTimer deadline(timeoutMs);
    while (!out->done && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    if (!out->done) {
        const std::string message = "task did not finish within " + std::to_string(timeoutMs) + " ms";
        QTest::qFail(message.c_str(), where.file_name(), int(where.line()));
        if constexpr (!std::is_void_v<T>)
            return T{};
        else
            return;
    }
    delete driver;
    if (out->error)
        std::rethrow_exception(out->error);
    if constexpr (!std::is_void_v<T>)
        return std::move(*out->value);
}

}   // namespace vt::test
