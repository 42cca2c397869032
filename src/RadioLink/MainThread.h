#pragma once

#include <functional>

// Runs `work` on a later turn of the main thread's event loop, never inside the caller. Safe to
// call from any thread.
void postToMainThread(std::function<void()> work);
