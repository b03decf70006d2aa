// Lets the test harness and the driver act inside a modal loop the moment it
// starts, before the handler that opened it gets control back.
#pragma once

#include <functional>

namespace framework::qt {

// Called at the start of every modal loop: dialogs and message boxes.
void setModalStartedHook(std::function<void()> hook);
void notifyModalStarted();

}  // namespace framework::qt
