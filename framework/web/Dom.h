// The page's side of the back end: the calls into the script that keeps the
// DOM elements of the windows (page.js). Elements are named by small integer
// handles; every text crosses as Windows-1252 bytes with its length, and the
// script converts it at the DOM.
#pragma once

#include <string>
#include <string_view>

namespace framework::web::dom {

// What an element plays; the script builds a different element for each.
enum class Element { Button = 1, Radio, Group, Edit, Transcript, Static, Icon, List };

// Flags of a control element.
enum : int {
    kNoPrefix = 1,    // a label shows '&' as it is
    kRight = 2,       // right-aligned text
    kReadOnly = 4,    // an edit box the player cannot type into
    kTabStop = 8,     // reached with Tab
    kDefault = 16,    // drawn as the default push button
    kBorder = 32,     // a sunken frame
    kSingleLine = 64  // a label of one line: its text runs on past the box instead of wrapping
};

// The states the script keeps of a control.
enum class State { Enabled = 1, Visible, Checked, Default, Limit, RefuseForeign };

struct BaseUnits {
    int x;
    int y;
};
// The base units of a font as the page measures them, once its web font has
// loaded.
BaseUnits Measure(std::string_view family, int pixels, bool bold, bool italic);

int CreateDialog(unsigned templateId, std::string_view caption, int width, int height,
                 BaseUnits units, std::string_view family, int pixels, bool bold, bool sysMenu,
                 bool minimizeBox);
int CreateControl(int dialog, Element kind, int index, int id, std::string_view text, int x, int y,
                  int width, int height, int flags, int radioGroup);
void SetText(int element, std::string_view text);
// An edit box's text as the program reads it: characters that Windows-1252
// cannot hold become `unrepresentable`.
std::string Value(int element, char unrepresentable);
// An edit box's text as the screen shows it, UTF-8.
std::string ScreenValue(int element);
void SetState(int element, State state, int value);
bool Checked(int element);
void Focus(int element);
void Select(int element, int start, int end);  // end -1: to the end
bool SelectedAll(int element);
// Types UTF-8 text into an edit box as a player would, character by
// character, each taken only where the box's rules let it in; an empty text
// deletes the selection.
void Type(int element, std::string_view utf8);
void AddLine(int element, std::string_view text);
void SetAccessibleName(int element, std::string_view text);
// An XPM image, drawn into the element (an icon control or a dialog caption).
void SetIcon(int element, const char* const* xpm);
void Show(int dialog, int owner);
void Remove(int dialog);
void SetMinimized(int dialog, bool minimized);
void MoveBy(int dialog, int dx, int dy);
int CreateMessageBox(std::string_view caption, std::string_view text, unsigned iconBits);
int CreateMenu(int dialog, int x, int y);
void AddMenuItem(int menu, int index, std::string_view text, bool enabled);
std::string Utf8(std::string_view windows1252);
void Beep();
// Opens the help pages in a new tab; false when the browser gives none.
bool OpenHelp();

}  // namespace framework::web::dom
