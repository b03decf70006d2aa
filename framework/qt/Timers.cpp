#include "framework/qt/Timers.h"

#include <QTimer>

#include <memory>

#include "framework/TimerTable.h"
#include "framework/qt/WindowImpl.h"

namespace framework {
namespace {

bool g_manual = false;

TimerTable<std::unique_ptr<QTimer>>& timers() {
    static TimerTable<std::unique_ptr<QTimer>> running;
    return running;
}

void deliver(WindowImpl* window, UINT_PTR id) {
    window->wnd->DispatchMessage(WM_TIMER, id, 0);
}

// A handler may kill the timer that is calling it: Qt deletes it later.
void stop(std::unique_ptr<QTimer> timer) {
    timer->stop();
    timer.release()->deleteLater();
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
    timers().add({window, id, milliseconds, std::move(timer)});
    return id;
}

bool killTimer(WindowImpl* window, UINT_PTR id) {
    auto timer = timers().take(window, id);
    if (!timer) {
        return false;
    }
    stop(std::move(timer->handle));
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

void qt::killTimersOf(WindowImpl* window) {
    for (auto& timer : timers().takeAllOf(window)) {
        stop(std::move(timer.handle));
    }
}

}  // namespace framework
