#pragma once

#include "RadioLink/LinkTiming.h"

// Waits of the radio link for tests against the fake radio. A wait that must pass (a set's window
// that ends in silence, a pause) is short; a wait the radio must beat (a query's time-out) is
// long and ends as soon as the reply comes. So a busy machine never decides a test. A test that
// expects a time-out shortens that one wait; one that expects a rejection lengthens that window.
namespace TestWaits {

inline constexpr double shortWait = 0.02;
inline constexpr double longWait = 10.0;

inline LinkTiming::Waits waits() {
    LinkTiming::Waits waits;
    waits.rejectionWindow = shortWait;
    waits.ft991aSelectWindow = shortWait;
    waits.ft991aSetWindow = shortWait;
    waits.settingsRejectionWindow = shortWait;
    waits.ft991aSelectPause = shortWait;
    waits.ft991aTagReadPause = shortWait;
    waits.queryTimeout = longWait;
    waits.ft710TagReadTimeout = longWait;
    waits.ft991aMemoryReadTimeout = longWait;
    waits.ft991aTagReadTimeout = longWait;
    waits.ft991aToneReadTimeout = longWait;
    waits.settingsQueryTimeout = longWait;
    return waits;
}

// Applies waits() with one change, e.g. use([](auto &w) { w.queryTimeout = shortWait; }).
template <typename Change> void use(Change change) {
    LinkTiming::Waits changed = waits();
    change(changed);
    LinkTiming::setWaits(changed);
}

inline void use() {
    LinkTiming::setWaits(waits());
}

} // namespace TestWaits
