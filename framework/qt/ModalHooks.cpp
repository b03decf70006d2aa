#include "framework/qt/ModalHooks.h"

namespace framework::qt {
namespace {

std::function<void()>& hook() {
    static std::function<void()> h;
    return h;
}

}  // namespace

void setModalStartedHook(std::function<void()> h) { hook() = std::move(h); }

void notifyModalStarted() {
    if (hook()) {
        hook()();
    }
}

}  // namespace framework::qt
