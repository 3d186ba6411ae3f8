#pragma once

#include <QThreadPool>

#include <utility>

// Lets a worker free what a long read held: the window would wait for 100,000 records to go.
template <typename... T>
void freeAside(T &&...held)
{
    QThreadPool::globalInstance()->start([... held = std::forward<T>(held)] {});
}
