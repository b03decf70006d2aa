// Window timers on Qt: a QTimer each, whose timeouts arrive through the
// event loop, the nested loops of modal dialogs included.
#pragma once

#include "framework/Timers.h"

namespace framework::qt {

// Stops the timers of a window that goes away.
void killTimersOf(WindowImpl* window);

}  // namespace framework::qt
