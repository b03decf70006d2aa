// The Qt window of a CDialog: its controls built from the template, the
// dialog keyboard (Enter, Escape, mnemonics, Alt+Space), the system menu and
// the modal loop.
#pragma once

#include <QEventLoop>
#include <QWidget>

#include <memory>
#include <vector>

#include "framework/CDialog.h"
#include "framework/qt/WindowImpl.h"

namespace framework::qt {

class DialogWindow : public QWidget {
public:
    DialogWindow(CDialog& dialog, const DialogTemplate& dialogTemplate, QWidget* owner);
    ~DialogWindow() override;

    CDialog& dialog() const { return dialog_; }
    const DialogTemplate& dialogTemplate() const { return template_; }
    WindowImpl* self() const { return self_.get(); }
    WindowImpl* control(int id) const;
    const std::vector<std::unique_ptr<WindowImpl>>& controls() const { return controls_; }
    int defaultId() const { return defaultId_; }

    // Focuses the first enabled, visible tab stop, as a dialog does when its
    // initialisation leaves the focus to the framework.
    void focusFirstTabStop();

    // Shows the window and runs the nested loop until endModal.
    int runModal();
    void endModal(int result);
    bool ended() const { return ended_; }

    // Clicks a push button or radio button as the Enter key, a mnemonic or
    // the mouse does: a radio button is checked first, then BN_CLICKED goes
    // to the dialog.
    void clickControl(WindowImpl& control);

    void openSystemMenu(const QPoint& globalPosition);
    // Sets the system menu's entries that follow the window's state.
    void refreshSystemMenu();

    // The system menu's Move: the window follows the arrow keys and the
    // mouse until Enter, a click or Escape. False where the window system
    // does not let a program move its window.
    bool beginMove();
    bool moving() const { return moving_; }

    // Open dialogs, in the order they were opened.
    static const std::vector<DialogWindow*>& openDialogs();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildControls();
    void nameControlsForAssistiveTechnology();
    void handleEnter();
    bool handleMnemonic(QChar key);
    bool handleMoveInput(QEvent* event);
    void endMove(bool keep);
    void dispatchCommand(int id, UINT code);

    CDialog& dialog_;
    const DialogTemplate& template_;
    std::unique_ptr<WindowImpl> self_;
    std::vector<std::unique_ptr<WindowImpl>> controls_;  // template order
    std::vector<std::unique_ptr<CWnd>> controlObjects_;  // the CWnd of each control
    int defaultId_ = 0;
    QEventLoop* loop_ = nullptr;
    int result_ = -1;
    bool ended_ = false;
    bool moving_ = false;
    QPoint moveOrigin_;
    QPoint pointerAnchor_;
    bool pointerAnchored_ = false;
    bool trackedMouse_ = false;
};

// Focuses the control as Windows' SetFocus does: not while its window is
// minimised, when no control of it has the keyboard focus.
void giveFocus(QWidget* control, Qt::FocusReason reason);

}  // namespace framework::qt
