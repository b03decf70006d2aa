// What a back end gives automation: input as a player gives it, plain
// snapshots of what the windows show, and its event loop. Each back end
// implements these calls in a library of its own; everything built on them
// (the driver's commands, the state JSON, the harness's read-back) is
// written once, in this folder.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/Resources.h"
#include "framework/Win32Types.h"

namespace automation {

// The window that takes the player's input now.
struct ActiveWindow {
    enum Kind { None, Dialog, MessageBox, Menu } kind = None;
    UINT templateId = 0;             // Dialog
    std::string title;               // MessageBox, Dialog: UTF-8
    std::string text;                // MessageBox: UTF-8
    UINT icon = 0;                   // MessageBox: the MB_ICON bits
    std::vector<std::string> items;  // Menu: the entries, UTF-8, separators as "-"
};
ActiveWindow Active();

// Pixels: a control within its dialog, a dialog's client area on the screen.
struct Geometry {
    int x, y, width, height;
};

// One control of an open dialog as it is now.
struct ControlSnapshot {
    int id = 0;
    framework::ControlKind kind = framework::ControlKind::Static;
    std::string text;  // as the screen shows it, UTF-8; a button keeps its '&' mnemonic
    bool enabled = false;
    bool visible = false;  // not hidden itself
    bool checked = false;
    bool isDefault = false;  // a push button with BS_DEFPUSHBUTTON
    bool focus = false;
    std::vector<std::string> lines;  // ListBox: its lines, UTF-8
    Geometry geometry{0, 0, 0, 0};
    int textWidth = 0;  // Static: the pixels its text needs on one line
};

struct DialogSnapshot {
    UINT templateId = 0;
    std::string title;                      // UTF-8
    std::vector<ControlSnapshot> controls;  // template order
};

// Every open dialog, outermost first.
std::vector<DialogSnapshot> OpenDialogs();

// Runs `action` inside the event loop that is running then (or the next one
// to run), after the events already queued.
void Post(std::function<void()> action);

// Input, to the active window. Each returns false when the target does not
// exist or cannot take the input (disabled, hidden, read-only), and then
// does nothing.
bool Click(int id);                           // as the mouse would; IDOK also on a message box
bool SetText(int id, std::string_view utf8);  // as a player typing the text into the box
// Enter, Escape, Tab, Space, Left, Right, Up, Down, Alt+Space, Alt+F4,
// Alt+LETTER or a LETTER alone.
bool PressKey(std::string_view name);
void Tick(int ticks);              // every running timer, at once
bool SystemCommand(UINT id);       // WM_SYSCOMMAND to the main window
bool CloseWindow();                // the caption's close button of the active dialog
bool RightClickEmptyArea();        // a right click on the active dialog's own surface
bool MovePointer(int dx, int dy);  // the mouse moved by (dx, dy), no button down
bool ChooseMenuEntry(std::string_view utf8Text);  // in an open system menu

// Read back what no snapshot holds, from the innermost open dialog that has
// the control.
std::string Text(int id);            // as the program reads it: Windows-1252
bool HasSelectedAll(int id);         // an edit box whose whole content is selected
std::string AccessibleName(int id);  // UTF-8

// The main window's system menu entries (UTF-8, separators as "-"),
// whether enabled, as it would open now.
std::vector<std::pair<std::string, bool>> SystemMenuEntries();

bool ClockRunning();
int Beeps();

Geometry ControlGeometry(int id);
Geometry DialogGeometry();  // of the innermost open dialog

// A list box: whether its vertical scroll bar shows, and whether line
// `index` is drawn whole inside the list, no character cut off.
bool VerticalScrollBarShown(int id);
bool ListLineShownWhole(int id, int index);
std::string FontFamily(int id);
bool FontIsFixedPitch(int id);

bool SaveScreenshot(const std::string& path);  // a PNG of the active window

// The back end's part of the session, for automation's own use.
namespace backend {

// Runs the window system headless (unless a platform was chosen already)
// and makes the application object. From then on window timers tick only
// through Tick, so that a scripted game is the same however fast it runs.
void StartHeadless();

// Called at the start and at the end of every modal loop: dialogs, message
// boxes and the system menu.
void SetModalHooks(std::function<void()> started, std::function<void()> ended);
// Whether the innermost modal loop has been asked to end (its dialog or box
// is closing); false when none runs.
bool InnermostModalEnding();

// From now on `received` gets what arrives on standard input, from inside
// the event loop then running, whenever the input has something (with
// `endOfInput` once it has ended). PollStandardInput reads what is waiting
// now and hands it over the same way.
void WatchStandardInput(std::function<void(std::string_view bytes, bool endOfInput)> received);
void PollStandardInput();

}  // namespace backend

}  // namespace automation
