// The Qt side of a CWnd: which widget stands for the window, what kind of
// Win32 control it plays, and its style bits.
#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>

#include "framework/CWnd.h"
#include "framework/Resources.h"

namespace framework {

namespace qt {
class DialogWindow;
}

class WindowImpl {
public:
    WindowImpl(ControlKind kind_, int id_, DWORD style_, DWORD exStyle_, QWidget* widget_,
               CWnd* wnd_, qt::DialogWindow* dialog_)
        : kind(kind_),
          id(id_),
          style(style_),
          exStyle(exStyle_),
          widget(widget_),
          wnd(wnd_),
          dialog(dialog_) {}

    ControlKind kind;
    int id;
    DWORD style;
    DWORD exStyle;
    QPointer<QWidget> widget;  // owned by its Qt parent
    CWnd* wnd;                 // the program's object for this window
    qt::DialogWindow* dialog;  // the dialog the window belongs to (itself for a dialog)
    ForeignCharacters foreign = ForeignCharacters::Refuse;
    int limit = 0;     // characters an edit box takes from the player; 0 for no limit
    CMenu systemMenu;  // dialogs only

    bool isPushButton() const { return kind == ControlKind::PushButton; }

    // The text as the screen shows it: an edit box's content, a dialog's
    // caption, a button's or label's text with its '&' mnemonic.
    QString screenText() const;

    // The window of a widget, or nullptr when the widget is none of ours.
    static WindowImpl* of(const QWidget* widget);
    void tag();

    // Used by CMenu's friend access.
    static CMenu::Item* menuItems(CMenu& menu) { return menu.m_items; }
    static int& menuCount(CMenu& menu) { return menu.m_count; }
};

}  // namespace framework
