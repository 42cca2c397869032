#pragma once

#include "Model/RadioError.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QCoro/QCoroTask>
#include <QTimer>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <type_traits>
#include <variant>

// A coroutine's end under test: its value or its error (QCoro::waitFor() hangs when it throws).
template <typename T> struct TaskResult {
    using Value = std::conditional_t<std::is_void_v<T>, std::monostate, T>;

    bool finished = false;
    std::optional<Value> result;
    std::exception_ptr error;

    bool succeeded() const { return finished && !error; }

    // The task's value; rethrows its error.
    Value value() const {
        if (error)
            std::rethrow_exception(error);
        if (!result)
            throw std::runtime_error("task did not finish");
        return *result;
    }

    std::optional<RadioError> radioError() const { return errorOf<RadioError>(); }

    template <typename Error> std::optional<Error> errorOf() const {
        try {
            if (error)
                std::rethrow_exception(error);
        } catch (const Error &caught) {
            return caught;
        } catch (...) {
        }
        return std::nullopt;
    }
};

template <typename T> QCoro::Task<> captureTask(QCoro::Task<T> task, std::shared_ptr<TaskResult<T>> outcome) {
    try {
        if constexpr (std::is_void_v<T>) {
            co_await task;
            outcome->result.emplace();
        } else {
            outcome->result = co_await task;
        }
    } catch (...) {
        outcome->error = std::current_exception();
    }
    outcome->finished = true;
    // Qt's own dispatcher (QT_NO_GLIB) goes on to wait for more after the event that got here.
    QCoreApplication::eventDispatcher()->wakeUp();
}

// Starts the task and leaves it running; the returned result fills in when it ends.
template <typename T> std::shared_ptr<TaskResult<T>> startTask(QCoro::Task<T> task) {
    auto outcome = std::make_shared<TaskResult<T>>();
    captureTask(std::move(task), outcome);
    return outcome;
}

// Runs the event loop until the task has ended, for at most `limitMilliseconds`.
template <typename T> TaskResult<T> runTask(QCoro::Task<T> task, int limitMilliseconds = 20000) {
    const auto outcome = startTask(std::move(task));
    QTimer limit; // wakes the loop at the end of the time allowed
    limit.setSingleShot(true);
    limit.start(limitMilliseconds);
    while (!outcome->finished && limit.isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return *outcome;
}
