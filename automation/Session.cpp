// The headless session every automated run shares: the back end started
// without a screen, the actions waiting for the next modal loops, and the
// record of the processes the program tried to start.
#include <deque>
#include <utility>

#include "automation/Automation.h"

namespace automation {
namespace {

std::vector<framework::runtime::SpawnRecord>& processStarts() {
    static std::vector<framework::runtime::SpawnRecord> starts;
    return starts;
}

std::deque<std::function<void()>>& modalActions() {
    static std::deque<std::function<void()>> actions;
    return actions;
}

std::function<void()>& modalEndedAction() {
    static std::function<void()> action;
    return action;
}

std::function<void()>& unexpectedModal() {
    static std::function<void()> action;
    return action;
}

void onModalStarted() {
    auto& actions = modalActions();
    if (!actions.empty()) {
        std::function<void()> action = std::move(actions.front());
        actions.pop_front();
        Post(std::move(action));
    } else if (unexpectedModal()) {
        Post(unexpectedModal());
    }
}

void onModalEnded() {
    if (modalEndedAction()) {
        Post(modalEndedAction());
    }
}

}  // namespace

void StartHeadless() {
    framework::runtime::SetSpawnObserver(
        [](const framework::runtime::SpawnRecord& record) { processStarts().push_back(record); });
    backend::StartHeadless();
    backend::SetModalHooks(onModalStarted, onModalEnded);
}

void WhenModal(std::function<void()> action) {
    modalActions().push_back(std::move(action));
}

void OnUnexpectedModal(std::function<void()> unexpected) {
    unexpectedModal() = std::move(unexpected);
}

void AfterModalEnds(std::function<void()> action) {
    modalEndedAction() = std::move(action);
}

std::size_t PendingModalActions() {
    return modalActions().size();
}

void ClearModalActions() {
    modalActions().clear();
}

const std::vector<framework::runtime::SpawnRecord>& ProcessStarts() {
    return processStarts();
}

}  // namespace automation
