#include "framework/win32/Timers.h"

#include "framework/TimerTable.h"
#include "framework/win32/WindowImpl.h"

namespace framework {
namespace {

bool g_manual = false;

TimerTable<NoTimerHandle>& timers() {
    static TimerTable<NoTimerHandle> running;
    return running;
}

}  // namespace

// Windows restarts a running timer in its place, and so does the record.
UINT_PTR setTimer(WindowImpl* window, UINT_PTR id, UINT milliseconds) {
    if (window == nullptr || window->hwnd == nullptr) {
        return 0;
    }
    if (!g_manual && ::SetTimer(window->hwnd, id, milliseconds, nullptr) == 0) {
        return 0;
    }
    if (!timers().contains(window, id)) {
        timers().add({window, id, milliseconds, {}});
    }
    return id;
}

bool killTimer(WindowImpl* window, UINT_PTR id) {
    if (!timers().take(window, id)) {
        return false;
    }
    if (!g_manual && window->hwnd != nullptr) {
        ::KillTimer(window->hwnd, id);
    }
    return true;
}

bool anyTimerRunning() {
    return !timers().empty();
}

void setManualTimers(bool manual) {
    g_manual = manual;
}

void tickTimers(int ticks) {
    timers().tick(ticks, [](WindowImpl* window, UINT_PTR id) {
        ::SendMessageW(window->hwnd, WM_TIMER, id, 0);
    });
}

void win32::forgetTimersOf(WindowImpl* window) {
    timers().takeAllOf(window);
}

}  // namespace framework
