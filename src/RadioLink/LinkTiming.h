#pragma once

#include <chrono>

// Every wait of the radio link, in seconds, as the radios need them. The program always runs with
// these defaults; tests may change single waits with setWaits() (a wait that must pass quickly
// and one the radio must beat are then set apart) or shrink all of them with setScale().
namespace LinkTiming {

struct Waits {
    // CAT connection defaults.
    double queryTimeout = 1.2;
    double rejectionWindow = 0.35;

    // After a query timed out, the next command waits until the line has been quiet this long
    // (a late answer restarts the wait), at most the limit.
    double lateReplySettle = 0.3;
    double lateReplySettleLimit = 1.0;
    // After a fence whose identity query went unanswered, the next fence waits until the line has
    // been quiet this long, at most the limit: a radio answers each command within a query's
    // time-out, so the answers still due to the earlier fence are in by then.
    double unansweredFenceSettle = 1.2;
    double unansweredFenceSettleLimit = 3.6;

    // Serial port: how long the device may take to accept a command's bytes.
    double portWriteDeadline = 3.0;
    // Serial port: input dropped as an overlong line ends once the line has been quiet this long
    // (longer than a USB adapter's pause between the packets of one stream).
    double overlongLineQuiet = 0.05;

    // FT-710 memory service.
    double ft710TagReadTimeout = 0.8;

    // FT-991A memory service: the channel select, then the memory, tag and tone-number writes.
    double ft991aSelectWindow = 0.8;
    double ft991aSetWindow = 0.8;
    double ft991aMemoryReadTimeout = 2.8;
    double ft991aTagReadTimeout = 1.5;
    double ft991aToneReadTimeout = 1.2;
    double ft991aSelectPause = 0.150;
    double ft991aTagReadPause = 0.060;

    // Menu-settings runs ("EX").
    double settingsQueryTimeout = 1.8;
    double settingsRejectionWindow = 0.8;
};

const Waits &waits();
void setWaits(const Waits &waits);

// Multiplies every wait that goes through duration(); 1 unless a test changes it.
void setScale(double factor);

// The scaled wait as a timer interval, rounded to whole milliseconds.
std::chrono::milliseconds duration(double seconds);

} // namespace LinkTiming
