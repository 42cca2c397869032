#include "RadioLink/LinkTiming.h"

namespace LinkTiming {

namespace {
Waits currentWaits;
double currentScale = 1.0;
} // namespace

const Waits &waits() {
    return currentWaits;
}

void setWaits(const Waits &waits) {
    currentWaits = waits;
}

void setScale(double factor) {
    currentScale = factor;
}

std::chrono::milliseconds duration(double seconds) {
    return std::chrono::round<std::chrono::milliseconds>(
        std::chrono::duration<double>(seconds * currentScale));
}

} // namespace LinkTiming
