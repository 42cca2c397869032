#pragma once

#include "RadioLink/MainThread.h"

#include <coroutine>
#include <exception>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <variant>

// The result of one pending operation, awaited by exactly one coroutine. It is settled once, with
// a value or an error; later attempts are ignored and say so. A waiting coroutine is resumed on a
// later turn of the event loop, never inside the code that settles it, so no caller code runs
// while the settling side still holds its lock. Copies share the same result.
template <typename T = void> class OneShot {
public:
    using Value = std::conditional_t<std::is_void_v<T>, std::monostate, T>;

    bool succeed(Value value = {}) {
        if (m_state->settled)
            return false;
        m_state->value = std::move(value);
        settle();
        return true;
    }

    template <typename Error> bool fail(Error error) {
        if (m_state->settled)
            return false;
        m_state->error = std::make_exception_ptr(std::move(error));
        settle();
        return true;
    }

    auto operator co_await() const {
        struct Awaiter {
            std::shared_ptr<State> state;
            bool await_ready() const noexcept { return state->settled; }
            void await_suspend(std::coroutine_handle<> waiter) noexcept { state->waiter = waiter; }
            T await_resume() const {
                if (state->error)
                    std::rethrow_exception(state->error);
                if constexpr (!std::is_void_v<T>)
                    return std::move(*state->value);
            }
        };
        return Awaiter{m_state};
    }

private:
    struct State {
        bool settled = false;
        std::optional<Value> value;
        std::exception_ptr error;
        std::coroutine_handle<> waiter;
    };

    void settle() {
        m_state->settled = true;
        if (auto waiter = std::exchange(m_state->waiter, nullptr))
            postToMainThread([waiter] { waiter.resume(); });
    }

    std::shared_ptr<State> m_state = std::make_shared<State>();
};
