// The page's side of a CWnd: which element stands for the window, what kind
// of Win32 control it plays, its style bits and what the program set.
#pragma once

#include <string>
#include <vector>

#include "framework/CWnd.h"
#include "framework/Resources.h"

namespace framework {

namespace web {
class DialogWindow;
}

class WindowImpl {
public:
    WindowImpl(ControlKind kind_, int id_, DWORD style_, DWORD exStyle_, int element_, CWnd* wnd_,
               web::DialogWindow* dialog_)
        : kind(kind_),
          id(id_),
          style(style_),
          exStyle(exStyle_),
          element(element_),
          wnd(wnd_),
          dialog(dialog_) {}

    ControlKind kind;
    int id;
    DWORD style;
    DWORD exStyle;
    int element;                // the page's handle
    CWnd* wnd;                  // the program's object for this window
    web::DialogWindow* dialog;  // the dialog the window belongs to (itself for a dialog)
    ForeignCharacters foreign = ForeignCharacters::Refuse;
    int limit = 0;                   // characters an edit box takes; 0 for no limit
    std::string text;                // Windows-1252: what the program set (not an edit box's)
    std::vector<std::string> lines;  // a list box's lines, Windows-1252
    bool enabled = true;
    bool visible = true;
    int index = 0;                                 // place in the template
    int left = 0, top = 0, width = 0, height = 0;  // pixels in the dialog's client area
    std::string accessibleName;                    // Windows-1252
    CMenu systemMenu;                              // dialogs only

    bool isPushButton() const { return kind == ControlKind::PushButton; }
    bool takesFocus() const {
        return kind != ControlKind::Static && kind != ControlKind::Icon &&
               kind != ControlKind::GroupBox;
    }

    // The text as the screen shows it, Windows-1252: an edit box's content, a
    // dialog's caption, a button's or label's text with its '&' mnemonic.
    std::string screenText() const;

    static CMenu::Item* menuItems(CMenu& menu) { return menu.m_items; }
    static int& menuCount(CMenu& menu) { return menu.m_count; }
};

}  // namespace framework
