// Window timers on Windows: real SetTimer timers that post WM_TIMER through
// whatever message loop runs, with a record of the running ones. Manual
// timers are not asked of Windows at all.
#pragma once

#include "framework/Timers.h"

namespace framework::win32 {

// Forgets the timers of a window Windows has destroyed, and its timers with it.
void forgetTimersOf(WindowImpl* window);

}  // namespace framework::win32
