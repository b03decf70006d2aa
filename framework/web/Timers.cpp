#include "framework/web/Timers.h"

#include <emscripten.h>

#include <algorithm>

#include "framework/web/WindowImpl.h"

EM_JS(void, lexodromStartInterval, (int key, int milliseconds),
      { LexodromPage.startInterval(key, milliseconds); });
EM_JS(void, lexodromStopInterval, (int key), { LexodromPage.stopInterval(key); });

namespace framework::web {
namespace {

struct Timer {
    WindowImpl* window;
    UINT_PTR id;
    UINT milliseconds;
    int key;  // the page's interval
};

bool g_manual = false;
int g_nextKey = 1;

std::vector<Timer>& timers() {
    static std::vector<Timer> running;
    return running;
}

bool isRunning(WindowImpl* window, UINT_PTR id) {
    const auto& all = timers();
    return std::any_of(all.begin(), all.end(),
                       [&](const Timer& t) { return t.window == window && t.id == id; });
}

void deliver(WindowImpl* window, UINT_PTR id) {
    window->wnd->DispatchMessage(WM_TIMER, id, 0);
}

}  // namespace

UINT_PTR setTimer(WindowImpl* window, UINT_PTR id, UINT milliseconds) {
    if (window == nullptr) {
        return 0;
    }
    killTimer(window, id);
    const int key = g_nextKey++;
    if (!g_manual) {
        lexodromStartInterval(key, static_cast<int>(milliseconds));
    }
    timers().push_back({window, id, milliseconds, key});
    return id;
}

bool killTimer(WindowImpl* window, UINT_PTR id) {
    auto& all = timers();
    const auto found = std::find_if(
        all.begin(), all.end(), [&](const Timer& t) { return t.window == window && t.id == id; });
    if (found == all.end()) {
        return false;
    }
    lexodromStopInterval(found->key);
    all.erase(found);
    return true;
}

void killTimersOf(WindowImpl* window) {
    while (true) {
        const auto& all = timers();
        const auto found = std::find_if(all.begin(), all.end(),
                                        [&](const Timer& t) { return t.window == window; });
        if (found == all.end()) {
            return;
        }
        killTimer(window, found->id);
    }
}

void setManualTimers(bool manual) {
    g_manual = manual;
}

std::vector<TimerInfo> runningTimers() {
    std::vector<TimerInfo> result;
    for (const Timer& t : timers()) {
        result.push_back({t.window, t.id, t.milliseconds});
    }
    return result;
}

void tickTimers(int ticks) {
    for (int tick = 0; tick < ticks; ++tick) {
        for (const TimerInfo& t : runningTimers()) {
            if (isRunning(t.window, t.id)) {
                deliver(t.window, t.id);
            }
        }
    }
}

void timerElapsed(int key) {
    for (const Timer& t : timers()) {
        if (t.key == key) {
            deliver(t.window, t.id);
            return;
        }
    }
}

}  // namespace framework::web
