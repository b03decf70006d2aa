// The page's part of a headless session: hand-driven timers when the page
// asks for them (?driver=1), the modal hooks, the event loop, and the page's
// commands as standard input.
#include "automation/Backend.h"
#include "framework/ModalHooks.h"
#include "framework/web/EventLoop.h"
#include "framework/web/Events.h"
#include "framework/web/Timers.h"

namespace automation {

void Post(std::function<void()> action) {
    framework::web::post(std::move(action));
}

namespace backend {

void StartHeadless() {
    framework::setManualTimers(framework::web::driverMode());
}

void SetModalHooks(std::function<void()> started, std::function<void()> ended) {
    framework::setModalHooks(std::move(started), std::move(ended));
}

bool InnermostModalEnding() {
    return framework::innermostModalFinished();
}

void WatchStandardInput(std::function<void(std::string_view, bool)> received) {
    framework::web::setInputReceiver(std::move(received));
    framework::web::attachDriver();
}

// The page hands each command over as it comes; nothing waits unread.
void PollStandardInput() {}

}  // namespace backend
}  // namespace automation
