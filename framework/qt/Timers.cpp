#include "framework/qt/Timers.h"

#include <QTimer>

#include <algorithm>
#include <memory>

#include "framework/qt/WindowImpl.h"

namespace framework::qt {
namespace {

struct Timer {
    WindowImpl* window;
    UINT_PTR id;
    UINT milliseconds;
    std::unique_ptr<QTimer> timer;
};

bool g_manual = false;

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
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(static_cast<int>(milliseconds));
    QObject::connect(timer.get(), &QTimer::timeout, [window, id] { deliver(window, id); });
    if (!g_manual) {
        timer->start();
    }
    timers().push_back({window, id, milliseconds, std::move(timer)});
    return id;
}

bool killTimer(WindowImpl* window, UINT_PTR id) {
    auto& all = timers();
    const auto found = std::find_if(
        all.begin(), all.end(), [&](const Timer& t) { return t.window == window && t.id == id; });
    if (found == all.end()) {
        return false;
    }
    // A handler may kill the timer that is calling it: let Qt delete it later.
    found->timer->stop();
    found->timer.release()->deleteLater();
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

}  // namespace framework::qt
