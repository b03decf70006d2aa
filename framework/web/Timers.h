// Window timers on the page: the page's setInterval wakes the event loop;
// with hand-driven timers (the driver) only tickTimers does.
#pragma once

#include "framework/Timers.h"

namespace framework::web {

// Stops the timers of a window that goes away.
void killTimersOf(WindowImpl* window);

// A tick of the page's timer `key` has arrived.
void timerElapsed(int key);

}  // namespace framework::web
