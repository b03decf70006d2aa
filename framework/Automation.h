// Driving the real program's windows from code: the test harness and the
// command-line driver act through these calls exactly as a player would, and
// read back what every control shows. Nothing here is a stand-in: the calls
// reach the same widgets, keyboard rules and message maps as the player does.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Win32Types.h"

namespace framework::automation {

// Runs Qt on its offscreen platform unless a platform was chosen already,
// and makes the application object. From then on window timers tick only
// through Tick, so that a scripted game is the same however fast it runs.
void StartHeadless();

// Runs `action` inside the event loop that is running then (or the next one
// to run), after the events already queued.
void Post(std::function<void()> action);

// Actions to run, one each, at the start of the next modal loops (dialogs
// and message boxes), inside them. A modal loop that starts with no action
// queued runs `unexpected` if set (the harness fails the test and closes it).
void WhenModal(std::function<void()> action);
void OnUnexpectedModal(std::function<void()> unexpected);
std::size_t PendingModalActions();
// An action posted to the event loop each time a modal loop has ended.
void AfterModalEnds(std::function<void()> action);
// Whether the innermost modal loop has been asked to end (its dialog or box
// is closing); false when none runs.
bool InnermostModalEnding();
void ClearModalActions();

// The window that takes the player's input now.
struct ActiveWindow {
    enum Kind { None, Dialog, MessageBox, Menu } kind = None;
    UINT templateId = 0;             // Dialog
    std::string title;               // MessageBox, Dialog: UTF-8
    std::string text;                // MessageBox: UTF-8
    UINT icon = 0;                   // MessageBox: the MB_ICON bits
    std::vector<std::string> items;  // Menu: the entries, UTF-8
};
ActiveWindow Active();

// Input, to the active window. Each returns false when the target does not
// exist or cannot take the input (disabled, hidden, read-only), and then
// does nothing.
bool Click(int id);                           // as the mouse would; IDOK also on a message box
bool SetText(int id, std::string_view utf8);  // as a player typing the text into the box
bool PressKey(std::string_view name);         // Enter, Escape, Tab, Space or Alt+LETTER
void Tick(int ticks);                         // every running timer, at once
bool SystemCommand(UINT id);                  // WM_SYSCOMMAND to the main window
bool CloseWindow();                           // the caption's close button of the active dialog
bool RightClickEmptyArea();                   // a right click on the active dialog's own surface
bool ChooseMenuEntry(std::string_view utf8Text);  // in an open system menu

// Read back, from the innermost open dialog that has the control.
bool HasControl(int id);
std::string Text(int id);      // as the program reads it: Windows-1252
std::string TextUtf8(int id);  // as the screen shows it
bool IsEnabled(int id);
bool IsVisible(int id);
bool IsChecked(int id);
bool IsDefault(int id);  // the control has BS_DEFPUSHBUTTON
bool HasFocus(int id);
bool HasSelectedAll(int id);                 // an edit box whose whole content is selected
std::vector<std::string> ListLines(int id);  // UTF-8
std::string AccessibleName(int id);          // UTF-8

// The main window's system menu entries (UTF-8, separators as "-"),
// whether enabled, as it would open now.
std::vector<std::pair<std::string, bool>> SystemMenuEntries();

bool ClockRunning();
int Beeps();
std::vector<UINT> OpenDialogTemplates();  // outermost first

// Pixel geometry of a control within its dialog, and of the dialog's client area.
struct Geometry {
    int x, y, width, height;
};
Geometry ControlGeometry(int id);
Geometry DialogGeometry();
std::string FontFamily(int id);
bool FontIsFixedPitch(int id);

// The whole state as one line of JSON.
std::string StateJson();
bool SaveScreenshot(const std::string& path);

// Runs the program headless and reads commands from standard input, one a
// line, in whatever event loop runs at that moment; answers go to standard
// output. With "--seed N" `seed` is called with N before the first command,
// after the program's own start-up. Returns the program's exit code.
int RunDriver(int argc, char** argv, const std::function<void(std::uint32_t)>& seed);

}  // namespace framework::automation
