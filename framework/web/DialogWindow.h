// The page's window of a CDialog: its controls built from the template as
// absolutely placed elements, the dialog keyboard (Enter, Escape, Tab,
// mnemonics, Alt+Space), the system menu and the modal loop.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "framework/CDialog.h"
#include "framework/web/EventLoop.h"
#include "framework/web/WindowImpl.h"

namespace framework::web {

class DialogWindow {
public:
    DialogWindow(CDialog& dialog, const DialogTemplate& dialogTemplate, DialogWindow* owner);
    ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    CDialog& dialog() const { return dialog_; }
    const DialogTemplate& dialogTemplate() const { return template_; }
    WindowImpl* self() const { return self_.get(); }
    WindowImpl* control(int id) const;
    WindowImpl* controlOfElement(int element) const;
    const std::vector<std::unique_ptr<WindowImpl>>& controls() const { return controls_; }
    int element() const { return self_->element; }
    int defaultId() const { return defaultId_; }
    int baseX() const { return units_.x; }
    int baseY() const { return units_.y; }

    // The control that has the focus within this window, or nullptr.
    WindowImpl* focus() const { return focus_; }
    void setFocus(WindowImpl* control);
    void focusFirstTabStop();
    // A control was disabled or hidden: the focus leaves it.
    void controlDisabled(WindowImpl& control);

    // Shows the window and runs the nested loop until endModal.
    int runModal();
    void endModal(int result);
    bool ended() const { return ended_; }
    bool shown() const { return shown_; }
    bool minimized() const { return minimized_; }
    void setMinimized(bool minimized);

    // Clicks a push button or radio button as the Enter key, a mnemonic or
    // the mouse does: a radio button is checked first, then BN_CLICKED goes
    // to the dialog. Nothing happens for a disabled or hidden control.
    void clickControl(WindowImpl& control);
    // A key of the driver's names (checked by the caller), pressed while
    // this window is active.
    bool pressKey(std::string_view name);

    void openSystemMenu(int x, int y);
    // Sets the system menu's entries that follow the window's state.
    void refreshSystemMenu();
    bool beginMove();
    void dispatchCommand(int id, UINT code);

    // Open dialogs, in the order they were opened.
    static const std::vector<DialogWindow*>& openDialogs();
    // The dialog of an element's handle (the dialog's own or a control's).
    static DialogWindow* ofElement(int element);

private:
    void buildControls();
    void nameControlsForAssistiveTechnology();
    void handleEnter();
    bool handleMnemonic(char32_t key);
    void focusNextTabStop(bool backwards);
    bool handleMoveKey(std::string_view name);

    CDialog& dialog_;
    const DialogTemplate& template_;
    DialogWindow* owner_;
    std::unique_ptr<WindowImpl> self_;
    std::vector<std::unique_ptr<WindowImpl>> controls_;  // template order
    std::vector<std::unique_ptr<CWnd>> controlObjects_;  // the CWnd of each control
    struct {
        int x = 0, y = 0;
    } units_;
    int defaultId_ = 0;
    WindowImpl* focus_ = nullptr;
    int result_ = -1;
    bool ended_ = false;
    bool shown_ = false;
    bool minimized_ = false;
    bool moving_ = false;
    int movedX_ = 0, movedY_ = 0;
};

// The system menu open now, for automation: its entries and choosing one.
struct OpenMenu {
    DialogWindow* dialog = nullptr;
    int element = 0;
    std::vector<const CMenu::Item*> items;  // as shown, separators included
    UINT chosen = 0;
    bool closed = false;
};
OpenMenu* openMenu();

}  // namespace framework::web
