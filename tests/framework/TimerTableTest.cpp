// The record of running timers that every back end keeps: the order ticks
// arrive in, and what a handler that kills or starts a timer does to the
// tick being delivered.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/TimerTable.h"

namespace {

using framework::TimerTable;
using framework::WindowImpl;

// Only the addresses matter: the table never looks into a window.
int g_windows[2];
WindowImpl* const kMain = reinterpret_cast<WindowImpl*>(&g_windows[0]);
WindowImpl* const kBox = reinterpret_cast<WindowImpl*>(&g_windows[1]);

TEST(TimerTable, HandlersThatKillOrStartTimersChangeOnlyLaterDeliveries) {
    TimerTable<int> table;
    table.add({kMain, 1, 1000, 10});
    table.add({kBox, 7, 500, 11});
    table.add({kMain, 2, 1000, 12});
    std::vector<std::pair<WindowImpl*, UINT_PTR>> delivered;
    table.tick(2, [&](WindowImpl* window, UINT_PTR id) {
        delivered.emplace_back(window, id);
        if (window == kMain && id == 1 && delivered.size() == 1) {
            EXPECT_EQ(table.take(kMain, 2)->handle, 12);  // not ticked in this round
            table.add({kMain, 3, 250, 13});               // first ticked in the next
        }
    });
    const std::vector<std::pair<WindowImpl*, UINT_PTR>> expected = {
        {kMain, 1}, {kBox, 7}, {kMain, 1}, {kBox, 7}, {kMain, 3}};
    EXPECT_EQ(delivered, expected);
}

TEST(TimerTable, AWindowThatGoesAwayTakesOnlyItsOwnTimers) {
    TimerTable<std::string> table;
    table.add({kMain, 1, 1000, "a"});
    table.add({kBox, 1, 500, "b"});
    table.add({kMain, 2, 1000, "c"});
    EXPECT_FALSE(table.take(kBox, 2));
    const auto taken = table.takeAllOf(kMain);
    ASSERT_EQ(taken.size(), 2U);
    EXPECT_EQ(taken[0].handle, "a");
    EXPECT_EQ(taken[1].handle, "c");
    ASSERT_EQ(table.all().size(), 1U);
    EXPECT_EQ(table.all()[0].handle, "b");
    EXPECT_TRUE(table.contains(kBox, 1));
    EXPECT_FALSE(table.contains(kMain, 1));
}

}  // namespace
