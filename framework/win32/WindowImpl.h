// The Windows side of a CWnd: its real window, what kind of control it plays
// and the dialog it belongs to.
#pragma once

#include <string>

#include "framework/CWnd.h"
#include "framework/Resources.h"

namespace framework {

namespace win32 {
class DialogWindow;
}

class WindowImpl {
public:
    WindowImpl(ControlKind kind_, int id_, HWND hwnd_, CWnd* wnd_, win32::DialogWindow* dialog_)
        : kind(kind_), id(id_), hwnd(hwnd_), wnd(wnd_), dialog(dialog_) {}

    ControlKind kind;
    int id;  // the template's id (-1 for the labels)
    HWND hwnd;
    CWnd* wnd;                    // the program's object for this window
    win32::DialogWindow* dialog;  // the dialog the window belongs to (itself for a dialog)
    ForeignCharacters foreign = ForeignCharacters::Refuse;
    WNDPROC originalProc = nullptr;  // an edit box's own procedure, under ours
    // The name screen readers read (Windows-1252, framework/AccessibleNames),
    // whether it was handed to the accessibility property service because
    // Windows would name the control otherwise, and the service's answer.
    std::string accessibleName;
    bool accessibleNameHandedOver = false;
    long accessibleNameResult = 0;

    bool isButtonClass() const {
        return kind == ControlKind::PushButton || kind == ControlKind::RadioButton ||
               kind == ControlKind::GroupBox;
    }

    // The window's text as the screen shows it, UTF-16.
    std::wstring screenText() const;

    // The window of one of the program's dialogs or controls, or nullptr.
    static WindowImpl* of(HWND hwnd);
    void tag();
    void untag();
};

}  // namespace framework
