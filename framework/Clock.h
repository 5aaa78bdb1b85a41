// The program's clock: every sleep and long wait goes through here, so that the
// simulation can scale time and tests can run long waits in an instant.
#pragma once

#include <cstdint>
#include <functional>

namespace Clock {

// Sleeps for the given milliseconds (scaled by the current time scale).
void Sleep(unsigned milliseconds);
// Milliseconds since an arbitrary start, running at the scaled rate.
uint64_t Now();
// Time scale: 1.0 is real time; 0.01 makes a 20-second wait last 200 ms.
void SetScale(double scale);
double Scale();

// Test hook: when set, Sleep calls it instead of sleeping and Now() advances by
// the requested time, so a test sees every wait without spending it.
void SetSleepHook(std::function<void(unsigned)> hook);

}  // namespace Clock
