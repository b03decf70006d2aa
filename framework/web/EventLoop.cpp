#include "framework/web/EventLoop.h"

#include <emscripten.h>

#include <cstdlib>
#include <deque>

namespace framework::web {
namespace {

std::deque<std::function<void()>>& posted() {
    static std::deque<std::function<void()>> actions;
    return actions;
}

std::function<void(const Event&)>& handler() {
    static std::function<void(const Event&)> h;
    return h;
}

bool g_running = false;

}  // namespace
}  // namespace framework::web

// The page's queue lives in the script, so that the browser's handlers can
// add to it while the program waits.
EM_JS(void, lexodromQueuePosted, (), { LexodromPage.push({type : 1}); });
EM_ASYNC_JS(void, lexodromWaitForEvent, (), { await LexodromPage.waitForEvent(); });
EM_JS(int, lexodromTakeEvent, (int* fields), { return LexodromPage.takeEvent(fields); });
EM_JS(char*, lexodromEventText, (), { return LexodromPage.eventText(); });
EM_JS(int, lexodromDriverMode, (), { return LexodromPage.driverMode ? 1 : 0; });
EM_JS(void, lexodromProgramEnded, (int code), { LexodromPage.programEnded(code); });
EM_JS(void, lexodromAttachDriver, (), { LexodromPage.driverAttached = true; });

namespace framework::web {

void post(std::function<void()> action) {
    posted().push_back(std::move(action));
    lexodromQueuePosted();
}

namespace {

bool takeEvent(Event& event) {
    int fields[4] = {0, 0, 0, 0};
    if (lexodromTakeEvent(fields) == 0) {
        return false;
    }
    event.type = static_cast<Event::Type>(fields[0]);
    event.target = fields[1];
    event.a = fields[2];
    event.b = fields[3];
    char* text = lexodromEventText();
    event.text = text != nullptr ? text : "";
    std::free(text);
    return true;
}

}  // namespace

void runUntil(const std::function<bool()>& done) {
    while (!done()) {
        Event event;
        if (!takeEvent(event)) {
            lexodromWaitForEvent();
            continue;
        }
        if (event.type == Event::Posted) {
            if (!posted().empty()) {
                std::function<void()> action = std::move(posted().front());
                posted().pop_front();
                action();
            }
        } else if (handler()) {
            handler()(event);
        }
    }
}

void setEventHandler(std::function<void(const Event&)> h) {
    handler() = std::move(h);
}

bool running() {
    return g_running;
}

void setRunning(bool r) {
    g_running = r;
}

bool driverMode() {
    return lexodromDriverMode() != 0;
}

void programEnded(int code) {
    lexodromProgramEnded(code);
}

void attachDriver() {
    lexodromAttachDriver();
}

}  // namespace framework::web
