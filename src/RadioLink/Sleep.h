#pragma once

#include "RadioLink/CancellationToken.h"

#include <QCoro/QCoroTask>

// Waits `seconds` (scaled by LinkTiming) on a precise single-shot timer.
QCoro::Task<> sleepFor(double seconds);

// The same, but ends early with CancellationError when the token is cancelled during the wait,
// and at once when it is cancelled already.
QCoro::Task<> sleepFor(double seconds, CancellationToken cancellation);
