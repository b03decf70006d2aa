// Window timers: each posts WM_TIMER to its window through whatever message
// loop runs, the nested loops of modal dialogs included. The back end that
// is linked defines these; framework/TimerTable.h is the record they share.
#pragma once

#include "framework/Win32Types.h"

namespace framework {

class WindowImpl;

// Returns `id`, or 0 when the window does not exist (or the system refuses).
// Setting a running id again restarts it with the new interval.
UINT_PTR setTimer(WindowImpl* window, UINT_PTR id, UINT milliseconds);
bool killTimer(WindowImpl* window, UINT_PTR id);
bool anyTimerRunning();

// With manual timers (the test harness and the driver) the clock does not
// tick them: only tickTimers does, so that a scripted game does not depend
// on how fast the machine runs it.
void setManualTimers(bool manual);

// Delivers `ticks` ticks of every running timer at once, tick by tick, each
// tick to the timers in the order they were started. A timer killed by a
// handler gets no further ticks.
void tickTimers(int ticks);

}  // namespace framework
