#pragma once

#include "Model/RadioError.h"
#include "RadioLink/CancellationError.h"
#include "RadioLink/Sleep.h"

#include <QCoro/QCoroTask>
#include <QString>
#include <exception>
#include <optional>
#include <type_traits>
#include <variant>

// What the operation tasks of the application model share: they start on a later turn of the
// event loop and never let an exception out, since nobody awaits them.

// Resumes on the next turn of the event loop, so an operation started and cancelled in the same
// turn sends nothing.
inline QCoro::Task<> nextEventLoopTurn() {
    co_await sleepFor(0.0);
}

// How one awaited radio call ended: with its value, with a failure text for the log and the
// alert (and whether the device went away, whether any of the command it ended had gone out or
// none of it, and whether a write it ended reached the radio in part), or cancelled while it waited.
template <typename T> struct RadioCallOutcome {
    using Value = std::conditional_t<std::is_void_v<T>, std::monostate, T>;

    std::optional<Value> value;
    std::optional<QString> failure;
    bool connectionLost = false;
    bool commandWentOut = false;
    bool commandUnsent = false;
    bool writtenInPart = false;
    bool cancelled = false;
};

template <typename T> QCoro::Task<RadioCallOutcome<T>> outcomeOf(QCoro::Task<T> call) {
    RadioCallOutcome<T> outcome;
    try {
        if constexpr (std::is_void_v<T>) {
            co_await std::move(call);
            outcome.value.emplace();
        } else {
            outcome.value = co_await std::move(call);
        }
    } catch (const CancellationError &) {
        outcome.cancelled = true;
    } catch (const std::exception &error) {
        outcome.failure = QString::fromUtf8(error.what());
        const auto *radioError = dynamic_cast<const RadioError *>(&error);
        outcome.connectionLost = radioError && radioError->kind() == RadioError::Kind::connectionLost;
        outcome.commandWentOut = radioError && radioError->commandWentOut();
        outcome.commandUnsent = radioError && radioError->commandUnsent();
        outcome.writtenInPart = radioError && radioError->hasPartialWrite();
    } catch (...) {
        outcome.failure = QStringLiteral("Unknown error");
    }
    co_return outcome;
}
