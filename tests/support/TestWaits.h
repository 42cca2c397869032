#pragma once

#include "RadioLink/LinkTiming.h"

// The link's waits for tests: a wait that must pass (a window that ends in silence, a pause) is
// short, one the radio must beat (a query's time-out) long, so a busy machine never decides a test.
namespace TestWaits {

inline constexpr double shortWait = 0.02;
inline constexpr double longWait = 10.0;

// Applies these waits with one change, e.g. use([](auto &w) { w.queryTimeout = shortWait; }).
template <typename Change> void use(Change change) {
    LinkTiming::Waits waits;
    waits.rejectionWindow = waits.ft991aSelectWindow = waits.ft991aSetWindow = waits.settingsRejectionWindow =
        waits.ft991aSelectPause = waits.ft991aTagReadPause = waits.unansweredFenceSettle = shortWait;
    waits.queryTimeout = waits.ft710TagReadTimeout = waits.ft991aMemoryReadTimeout =
        waits.ft991aTagReadTimeout = waits.ft991aToneReadTimeout = waits.settingsQueryTimeout = longWait;
    change(waits);
    LinkTiming::setWaits(waits);
}

inline void use() {
    use([](LinkTiming::Waits &) {});
}

} // namespace TestWaits
