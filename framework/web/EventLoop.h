// The one user-interface thread in a page: the events the page queues
// (clicks, keys, timer ticks, commands) and the actions the program posts
// run one at a time, in the order they came, inside whatever modal loop is
// running. A loop with nothing to do gives the browser back through
// Asyncify until the next event, so the game code keeps its blocking
// DoModal and MessageBoxA.
#pragma once

#include <functional>
#include <string>

namespace framework::web {

struct Event {
    enum Type {
        None = 0,
        Posted = 1,       // the next action of post()
        Click = 2,        // target: a control the mouse clicked
        Key = 3,          // text: the key's name as the driver names it
        Focus = 4,        // target: a control the player focused
        SysCommand = 5,   // target: a dialog; a: the command of its caption's button
        ContextMenu = 6,  // target: a dialog; a, b: the pointer in the page
        MenuChoose = 7,   // target: a menu; a: the entry's index
        MenuDismiss = 8,  // target: a menu closed without a choice
        Timer = 9,        // a: the timer's key
        Input = 10,       // text: bytes of standard input; a: 1 at its end
        BoxOk = 11,       // target: a message box whose OK was clicked
    };
    Type type = None;
    int target = 0;
    int a = 0;
    int b = 0;
    std::string text;
};

// Runs `action` after the events and actions already queued.
void post(std::function<void()> action);

// Handles events until `done` holds; waits for the page whenever none is
// queued. `done` is checked before every event.
void runUntil(const std::function<bool()>& done);

// Who handles the page's events; set by the back end at start-up.
void setEventHandler(std::function<void(const Event&)> handler);

// Whether the program's main has started: before it, nothing can wait.
bool running();
void setRunning(bool running);

// The page: whether the clock ticks only by command (?driver=1), and
// telling it the program has ended.
bool driverMode();
void programEnded(int code);
// Standard input's stand-in: commands from window.lexodrom.command.
void attachDriver();

}  // namespace framework::web
