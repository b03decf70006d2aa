// The page's events routed to the window that takes them: the open menu, the
// innermost message box or the active dialog, as the window system routes a
// player's input.
#pragma once

#include <functional>
#include <string_view>

#include "framework/web/EventLoop.h"

namespace framework::web {

class DialogWindow;

// The dialog that takes input now: the last one opened, unless a message box
// or a menu lies over it.
DialogWindow* activeDialog();

// A key of the driver's names pressed in the active window. False when no
// window is active or no key has the name.
bool pressKeyInActiveWindow(std::string_view name);

void handleEvent(const Event& event);

// Who gets standard input's stand-in (the page's commands).
void setInputReceiver(std::function<void(std::string_view bytes, bool endOfInput)> receiver);

}  // namespace framework::web
