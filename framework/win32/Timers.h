// Window timers: real SetTimer timers that post WM_TIMER through whatever
// message loop runs, with a record of the running ones. With manual timers
// (the driver) Windows is not asked for them and they tick only through
// tickTimers, so that a scripted game does not depend on the machine's speed.
#pragma once

#include <vector>

#include "framework/Win32Types.h"

namespace framework {
class WindowImpl;
}

namespace framework::win32 {

UINT_PTR setTimer(WindowImpl* window, UINT_PTR id, UINT milliseconds);
bool killTimer(WindowImpl* window, UINT_PTR id);
void forgetTimersOf(WindowImpl* window);
bool anyTimerRunning();

void setManualTimers(bool manual);
// Sends `ticks` WM_TIMER messages to every running timer's window, tick by
// tick, oldest timer first; a timer killed by a handler gets no more.
void tickTimers(int ticks);

}  // namespace framework::win32
