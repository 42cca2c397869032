#pragma once

#include <chrono>

// Every wait of the radio link, in seconds, as the radios need them. Tests shrink all of them at
// once with setScale(); the program always runs at scale 1.
namespace LinkTiming {

// CAT connection defaults.
inline constexpr double queryTimeout = 1.2;
inline constexpr double rejectionWindow = 0.35;

// FT-710 memory service.
inline constexpr double ft710TagReadTimeout = 0.8;

// FT-991A memory service.
inline constexpr double ft991aSetWindow = 0.8;
inline constexpr double ft991aMemoryReadTimeout = 2.8;
inline constexpr double ft991aTagReadTimeout = 1.5;
inline constexpr double ft991aToneReadTimeout = 1.2;
inline constexpr double ft991aSelectPause = 0.150;
inline constexpr double ft991aTagReadPause = 0.060;

// Menu-settings runs ("EX").
inline constexpr double settingsQueryTimeout = 1.8;
inline constexpr double settingsRejectionWindow = 0.8;

// Multiplies every wait that goes through duration(); 1 unless a test changes it.
void setScale(double factor);
double scale();

// The scaled wait as a timer interval, rounded to whole milliseconds.
std::chrono::milliseconds duration(double seconds);

} // namespace LinkTiming
