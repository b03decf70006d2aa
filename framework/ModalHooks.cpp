#include "framework/ModalHooks.h"

#include <utility>
#include <vector>

namespace framework {
namespace {

struct Hooks {
    std::function<void()> started;
    std::function<void()> ended;
    std::vector<std::function<bool()>> loops;  // innermost last
};

Hooks& hooks() {
    static Hooks h;
    return h;
}

}  // namespace

void setModalHooks(std::function<void()> started, std::function<void()> ended) {
    hooks().started = std::move(started);
    hooks().ended = std::move(ended);
}

void notifyModalStarted(std::function<bool()> finished) {
    notifyModalStarting(std::move(finished));
    announceModalStarted();
}

void notifyModalStarting(std::function<bool()> finished) {
    hooks().loops.push_back(std::move(finished));
}

void announceModalStarted() {
    if (hooks().started) {
        hooks().started();
    }
}

void notifyModalEnded() {
    if (!hooks().loops.empty()) {
        hooks().loops.pop_back();
    }
    if (hooks().ended) {
        hooks().ended();
    }
}

bool innermostModalFinished() {
    return !hooks().loops.empty() && hooks().loops.back()();
}

}  // namespace framework
