// Window timers: each posts WM_TIMER to its window through the event loop,
// the nested loops of modal dialogs included.
#pragma once

#include <vector>

#include "framework/Win32Types.h"

namespace framework {
class WindowImpl;
}

namespace framework::qt {

UINT_PTR setTimer(WindowImpl* window, UINT_PTR id, UINT milliseconds);
bool killTimer(WindowImpl* window, UINT_PTR id);
void killTimersOf(WindowImpl* window);

struct TimerInfo {
    WindowImpl* window;
    UINT_PTR id;
    UINT milliseconds;
};
// The running timers, oldest first.
std::vector<TimerInfo> runningTimers();

// With manual timers (the test harness and the driver), timers only tick
// through tickTimers, so that a scripted game does not depend on how fast
// the machine runs it.
void setManualTimers(bool manual);

// Delivers `ticks` ticks of every running timer at once, tick by tick, each
// tick to the timers in the order they were started. A timer killed by a
// handler gets no further ticks.
void tickTimers(int ticks);

}  // namespace framework::qt
