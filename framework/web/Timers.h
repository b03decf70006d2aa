// Window timers: each posts WM_TIMER to its window through the event loop,
// the nested loops of modal dialogs included. The page's setInterval wakes
// the loop; with hand-driven timers (the driver) only tickTimers does.
#pragma once

#include <vector>

#include "framework/Win32Types.h"

namespace framework {
class WindowImpl;
}

namespace framework::web {

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

void setManualTimers(bool manual);

// Delivers `ticks` ticks of every running timer at once, tick by tick, each
// tick to the timers in the order they were started. A timer killed by a
// handler gets no further ticks.
void tickTimers(int ticks);

// A tick of the page's timer `key` has arrived.
void timerElapsed(int key);

}  // namespace framework::web
