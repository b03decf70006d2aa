#include "framework/web/Timers.h"

#include <emscripten.h>

#include "framework/TimerTable.h"
#include "framework/web/WindowImpl.h"

EM_JS(void, lexodromStartInterval, (int key, int milliseconds),
      { LexodromPage.startInterval(key, milliseconds); });
EM_JS(void, lexodromStopInterval, (int key), { LexodromPage.stopInterval(key); });

namespace framework {
namespace {

bool g_manual = false;
int g_nextKey = 1;

// Each timer holds the key of the page's interval.
TimerTable<int>& timers() {
    static TimerTable<int> running;
    return running;
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
    timers().add({window, id, milliseconds, key});
    return id;
}

bool killTimer(WindowImpl* window, UINT_PTR id) {
    const auto timer = timers().take(window, id);
    if (!timer) {
        return false;
    }
    lexodromStopInterval(timer->handle);
    return true;
}

void setManualTimers(bool manual) {
    g_manual = manual;
}

bool anyTimerRunning() {
    return !timers().empty();
}

void tickTimers(int ticks) {
    timers().tick(ticks, deliver);
}

void web::killTimersOf(WindowImpl* window) {
    for (const auto& timer : timers().takeAllOf(window)) {
        lexodromStopInterval(timer.handle);
    }
}

void web::timerElapsed(int key) {
    for (const auto& timer : timers().all()) {
        if (timer.handle == key) {
            deliver(timer.window, timer.id);
            return;
        }
    }
}

}  // namespace framework
