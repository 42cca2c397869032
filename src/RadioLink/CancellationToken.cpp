#include "RadioLink/CancellationToken.h"

#include "RadioLink/CancellationError.h"

#include <map>
#include <utility>

struct CancellationToken::State {
    bool cancelled = false;
    int nextId = 0;
    std::map<int, std::function<void()>> listeners;
};

CancellationToken::Subscription::Subscription(std::shared_ptr<State> state, int id)
    : m_state(std::move(state))
    , m_id(id) {
}

CancellationToken::Subscription::~Subscription() {
    m_state->listeners.erase(m_id);
}

CancellationToken::CancellationToken()
    : m_state(std::make_shared<State>()) {
}

void CancellationToken::cancel() {
    if (m_state->cancelled)
        return;
    m_state->cancelled = true;
    auto listeners = std::exchange(m_state->listeners, {});
    for (auto &[id, onCancel] : listeners)
        onCancel();
}

bool CancellationToken::isCancelled() const {
    return m_state->cancelled;
}

void CancellationToken::throwIfCancelled() const {
    if (m_state->cancelled)
        throw CancellationError();
}

CancellationToken::Subscription CancellationToken::subscribe(std::function<void()> onCancel) const {
    const int id = m_state->nextId++;
    if (m_state->cancelled)
        onCancel();
    else
        m_state->listeners.emplace(id, std::move(onCancel));
    return Subscription(m_state, id);
}
