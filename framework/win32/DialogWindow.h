// The real window of a CDialog: created by Windows from the in-memory
// template, run by the dialog manager's own modal loop, with the program's
// objects for the dialog and its controls and its real system menu.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/CDialog.h"
#include "framework/win32/WindowImpl.h"

namespace framework::win32 {

// The system menu as the program changes it: the bookkeeping of CMenu and,
// with it, the window's real menu.
class SystemMenu : public CMenu {
public:
    void attach(HMENU menu) { menu_ = menu; }
    HMENU handle() const { return menu_; }
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCSTR text = nullptr) override;
    UINT EnableMenuItem(UINT id, UINT enable) override;

private:
    HMENU menu_ = nullptr;
};

class DialogWindow {
public:
    DialogWindow(CDialog& dialog, const DialogTemplate& dialogTemplate);
    ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Runs the dialog modally with DialogBoxIndirectParamW; returns the
    // value given to EndDialog, or -1 when Windows could not create it.
    INT_PTR runModal(HWND owner);
    void endModal(int result);

    CDialog& dialog() const { return dialog_; }
    const DialogTemplate& dialogTemplate() const { return template_; }
    HWND hwnd() const { return self_ != nullptr ? self_->hwnd : nullptr; }
    WindowImpl* self() const { return self_.get(); }
    WindowImpl* control(int id) const;
    const std::vector<std::unique_ptr<WindowImpl>>& controls() const { return controls_; }
    bool ended() const { return ended_; }
    SystemMenu& systemMenu() { return menu_; }

    // The control that has the focus within this dialog, whether or not the
    // dialog is active now: the one of its controls that took it last.
    HWND focusWithin() const;
    void focusTaken(HWND control) { lastFocus_ = control; }

    // The next call of the dialog procedure belongs to the default
    // processing (DefDlgProcW calls it first) and is passed on.
    void passNextToDefault() { passNext_ = true; }
    bool takePassNext() {
        const bool pass = passNext_;
        passNext_ = false;
        return pass;
    }

    // The system menu while its loop runs: its entries, and whether it has
    // been told to close.
    static HMENU openMenu();
    static void menuClosing();
    // Closes the menu with its entry `id` chosen: the command goes to the
    // menu's window once the menu's loop has ended, as Windows sends it.
    static void chooseMenuEntry(UINT id);

    // Open dialogs, in the order they were opened.
    static const std::vector<DialogWindow*>& openDialogs();
    static DialogWindow* of(HWND hwnd);

    // Called from the dialog procedure.
    BOOL initialise(HWND hwnd);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void attachControls();
    void centre();

    CDialog& dialog_;
    const DialogTemplate& template_;
    std::unique_ptr<WindowImpl> self_;
    std::vector<std::unique_ptr<WindowImpl>> controls_;  // template order
    std::vector<std::unique_ptr<CWnd>> controlObjects_;  // the CWnd of each control
    SystemMenu menu_;
    HWND lastFocus_ = nullptr;  // the control that took the focus last
    bool ended_ = false;
    bool modalStarted_ = false;
    bool passNext_ = false;
};

}  // namespace framework::win32
