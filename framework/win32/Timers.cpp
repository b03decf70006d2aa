#include "framework/win32/Timers.h"

#include <algorithm>

#include "framework/win32/WindowImpl.h"

namespace framework::win32 {
namespace {

struct Timer {
    WindowImpl* window;
    UINT_PTR id;
};

bool g_manual = false;

std::vector<Timer>& timers() {
    static std::vector<Timer> running;
    return running;
}

std::vector<Timer>::iterator find(WindowImpl* window, UINT_PTR id) {
    return std::find_if(timers().begin(), timers().end(),
                        [&](const Timer& t) { return t.window == window && t.id == id; });
}

}  // namespace

UINT_PTR setTimer(WindowImpl* window, UINT_PTR id, UINT milliseconds) {
    if (window == nullptr || window->hwnd == nullptr) {
        return 0;
    }
    if (!g_manual && ::SetTimer(window->hwnd, id, milliseconds, nullptr) == 0) {
        return 0;
    }
    if (find(window, id) == timers().end()) {
        timers().push_back({window, id});
    }
    return id;
}

bool killTimer(WindowImpl* window, UINT_PTR id) {
    const auto found = find(window, id);
    if (found == timers().end()) {
        return false;
    }
    timers().erase(found);
    if (!g_manual && window->hwnd != nullptr) {
        ::KillTimer(window->hwnd, id);
    }
    return true;
}

void forgetTimersOf(WindowImpl* window) {
    auto& all = timers();
    all.erase(std::remove_if(all.begin(), all.end(),
                             [window](const Timer& t) { return t.window == window; }),
              all.end());
}

bool anyTimerRunning() {
    return !timers().empty();
}

void setManualTimers(bool manual) {
    g_manual = manual;
}

void tickTimers(int ticks) {
    for (int tick = 0; tick < ticks; ++tick) {
        const std::vector<Timer> now = timers();
        for (const Timer& t : now) {
            if (find(t.window, t.id) != timers().end()) {
                ::SendMessageW(t.window->hwnd, WM_TIMER, t.id, 0);
            }
        }
    }
}

}  // namespace framework::win32
