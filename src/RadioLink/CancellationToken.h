#pragma once

#include <functional>
#include <memory>

// The cancellation flag of one operation, shared by all copies. Whoever runs the operation checks
// it at the points where stopping is allowed; cancel() sets it once and tells the waits that
// listen. Main thread only.
class CancellationToken {
    struct State;

public:
    // Keeps a listener registered for as long as it lives.
    class Subscription {
    public:
        Subscription(std::shared_ptr<State> state, int id);
        Subscription(const Subscription &) = delete;
        Subscription &operator=(const Subscription &) = delete;
        ~Subscription();

    private:
        std::shared_ptr<State> m_state;
        int m_id;
    };

    CancellationToken();

    void cancel();
    bool isCancelled() const;
    // Throws CancellationError when cancelled.
    void throwIfCancelled() const;

    // Runs `onCancel` once when the token is cancelled (at once when it already is), unless the
    // returned subscription has ended before.
    [[nodiscard]] Subscription subscribe(std::function<void()> onCancel) const;

private:
    std::shared_ptr<State> m_state;
};
