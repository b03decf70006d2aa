// The running window timers, oldest first, as every back end keeps them:
// which window set which id, and whatever the back end holds to make it tick
// (a Qt timer, a page's interval). The clock is the back end's; the table
// also delivers the ticks that the test harness and the driver give by hand,
// so that a scripted game does not depend on how fast the machine runs it.
#pragma once

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "framework/Win32Types.h"

namespace framework {

class WindowImpl;

// For a back end whose system keeps the timers itself.
struct NoTimerHandle {};

template <class Handle>
class TimerTable {
public:
    struct Timer {
        WindowImpl* window;
        UINT_PTR id;
        UINT milliseconds;
        Handle handle;
    };

    bool contains(WindowImpl* window, UINT_PTR id) const {
        return std::any_of(m_timers.begin(), m_timers.end(),
                           [&](const Timer& t) { return t.window == window && t.id == id; });
    }

    // The new timer is the youngest.
    void add(Timer timer) { m_timers.push_back(std::move(timer)); }

    // Removes the timer and hands it back for the back end to stop.
    std::optional<Timer> take(WindowImpl* window, UINT_PTR id) {
        const auto found = std::find_if(m_timers.begin(), m_timers.end(), [&](const Timer& t) {
            return t.window == window && t.id == id;
        });
        if (found == m_timers.end()) {
            return std::nullopt;
        }
        Timer timer = std::move(*found);
        m_timers.erase(found);
        return timer;
    }

    // Removes the timers of a window that goes away, oldest first.
    std::vector<Timer> takeAllOf(WindowImpl* window) {
        std::vector<Timer> taken;
        std::vector<Timer> kept;
        for (Timer& t : m_timers) {
            (t.window == window ? taken : kept).push_back(std::move(t));
        }
        m_timers = std::move(kept);
        return taken;
    }

    const std::vector<Timer>& all() const { return m_timers; }
    bool empty() const { return m_timers.empty(); }

    // Calls deliver(window, id) `ticks` times for every running timer, tick
    // by tick, each tick to the timers in the order they were started. A
    // timer killed by a handler gets no further ticks; one a handler starts
    // waits for the next tick.
    template <class Deliver>
    void tick(int ticks, Deliver deliver) {
        for (int tick = 0; tick < ticks; ++tick) {
            std::vector<std::pair<WindowImpl*, UINT_PTR>> now;
            now.reserve(m_timers.size());
            for (const Timer& t : m_timers) {
                now.emplace_back(t.window, t.id);
            }
            for (const auto& [window, id] : now) {
                if (contains(window, id)) {
                    deliver(window, id);
                }
            }
        }
    }

private:
    std::vector<Timer> m_timers;
};

}  // namespace framework
