// Driving the real program's windows from code: the test harness and the
// command-line driver act through these calls exactly as a player would, and
// read back what every control shows. Nothing here is a stand-in: the calls
// reach the same widgets, keyboard rules and message maps as the player does.
// Never linked into the game itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "automation/Backend.h"
#include "framework/runtime/Spawn.h"

namespace automation {

// Starts the back end headless (see backend::StartHeadless) and begins
// recording process starts and running modal actions.
void StartHeadless();

// Actions to run, one each, at the start of the next modal loops (dialogs
// and message boxes), inside them. A modal loop that starts with no action
// queued runs `unexpected` if set (the harness fails the test and closes it).
void WhenModal(std::function<void()> action);
void OnUnexpectedModal(std::function<void()> unexpected);
std::size_t PendingModalActions();
// An action posted to the event loop each time a modal loop has ended.
void AfterModalEnds(std::function<void()> action);
void ClearModalActions();

// Read back, from the innermost open dialog that has the control.
std::string TextUtf8(int id);  // as the screen shows it
bool IsEnabled(int id);
bool IsChecked(int id);
bool IsDefault(int id);  // the control has BS_DEFPUSHBUTTON
bool HasFocus(int id);
std::vector<std::string> ListLines(int id);  // UTF-8

// Every process start attempted since StartHeadless, in order.
const std::vector<framework::runtime::SpawnRecord>& ProcessStarts();

// The whole state as one line of JSON (docs/driver.md).
std::string StateJson();

// Runs the program headless and reads commands from standard input, one a
// line, in whatever event loop runs at that moment; answers go to standard
// output. With "--seed N" `seed` is called with N before the first command,
// after the program's own start-up. Returns the program's exit code.
int RunDriver(int argc, char** argv, const std::function<void(std::uint32_t)>& seed);

}  // namespace automation
