// Lets the test harness and the driver act inside a modal loop the moment it
// starts, and know when the loop they act in is about to end: the loops of
// dialogs, message boxes and the system menu, whichever back end runs them.
#pragma once

#include <functional>

namespace framework {

// Called at the start and at the end of every modal loop.
void setModalHooks(std::function<void()> started, std::function<void()> ended);

// `finished` tells whether the loop has been asked to end.
void notifyModalStarted(std::function<bool()> finished);
// A loop that has started but cannot take input yet (a menu whose popup is
// not shown yet): `finished` keeps automation waiting meanwhile, and
// announceModalStarted tells the hooks once it can.
void notifyModalStarting(std::function<bool()> finished);
void announceModalStarted();
void notifyModalEnded();

// Whether the innermost loop running now is ending.
bool innermostModalFinished();

}  // namespace framework
