// Lets the test harness and the driver act inside a modal loop the moment it
// starts, and know when the loop they act in is about to end: the dialog
// manager's loops, the message boxes' and the system menu's.
#pragma once

#include <cstddef>
#include <functional>

namespace framework::win32 {

void setModalHooks(std::function<void()> started, std::function<void()> ended);

// `finished` tells whether the loop has been asked to end.
void notifyModalStarted(std::function<bool()> finished);
// A loop that has started but cannot take input yet (the menu's, until its
// popup shows): `finished` keeps automation waiting meanwhile, and
// announceModalStarted tells the hooks once it can.
void notifyModalStarting(std::function<bool()> finished);
void announceModalStarted();
void notifyModalEnded();

bool innermostModalFinished();

}  // namespace framework::win32
