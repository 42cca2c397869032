#include "RadioLink/Sleep.h"

#include "RadioLink/CancellationError.h"
#include "RadioLink/LinkTiming.h"
#include "RadioLink/OneShot.h"

#include <QTimer>

namespace {

void startTimer(QTimer &timer, double seconds, OneShot<> done) {
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    timer.callOnTimeout([done]() mutable { done.succeed(); });
    timer.start(LinkTiming::duration(seconds));
}

} // namespace

QCoro::Task<> sleepFor(double seconds) {
    OneShot<> done;
    QTimer timer;
    startTimer(timer, seconds, done);
    co_await done;
}

QCoro::Task<> sleepFor(double seconds, CancellationToken cancellation) {
    cancellation.throwIfCancelled();
    OneShot<> done;
    QTimer timer;
    startTimer(timer, seconds, done);
    const auto subscription = cancellation.subscribe([done]() mutable { done.fail(CancellationError()); });
    co_await done;
}
