#pragma once
// Window timers: a target receives kTimerMessage (wParam = timer id) on its own thread
// every interval until the timer is killed. The original system tick is 55 ms; services
// that need only that accuracy use kSystemTickMs.

#include <cstdint>

#include "platform/messages.h"

namespace zel::platform {

inline constexpr unsigned kSystemTickMs = 55;

// Starting a timer that runs already restarts it with the new interval. False for an
// unknown target or an interval of 0.
bool SetTimer(TargetId target, std::uintptr_t timerId, unsigned intervalMs);
bool KillTimer(TargetId target, std::uintptr_t timerId);

}  // namespace zel::platform
