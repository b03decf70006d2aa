// Lets the test harness and the driver act inside a modal loop the moment it
// starts, and know when the loop they act in is about to end.
#pragma once

#include <cstddef>
#include <functional>

namespace framework::qt {

// Called at the start and at the end of every modal loop: dialogs, message
// boxes and the system menu.
void setModalHooks(std::function<void()> started, std::function<void()> ended);

// `finished` tells whether the loop has been asked to end.
void notifyModalStarted(std::function<bool()> finished);
void notifyModalEnded();

// Modal loops running now, and whether the innermost one is ending.
std::size_t modalDepth();
bool innermostModalFinished();

}  // namespace framework::qt
