// CWnd and the control classes: a window of the program, a dialog or one of
// its controls, with the Win32 window services the game uses.
#pragma once

#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "framework/Win32Types.h"

class CMenu;

namespace framework {
class WindowImpl;  // the back end's window, defined by the back end
}

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    void SetWindowText(LPCSTR text);
    void GetWindowText(CString& text) const;

    // Returns whether the window was disabled before, as Win32 does.
    BOOL EnableWindow(BOOL enable = TRUE);

    // Gives the window the keyboard focus and returns the window that had it.
    CWnd* SetFocus();
    static CWnd* GetFocus();

    DWORD GetStyle() const;
    // Removes, then adds style bits. A push button redraws itself as default
    // button or plain button when BS_DEFPUSHBUTTON changes; the dialog's
    // default id, which the Enter key uses, stays the template's.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);

    // The control messages of the game: EM_SETSEL, EM_SCROLLCARET,
    // EM_LIMITTEXT, BM_GETCHECK, BM_SETCHECK, BM_SETSTYLE, LB_ADDSTRING,
    // LB_GETCOUNT, LB_GETTEXT, WM_SETICON and WM_ICONERASEBKGND. Anything else
    // returns 0.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    HWND GetSafeHwnd() const { return reinterpret_cast<HWND>(m_impl); }

    // A one-shot-free repeating timer that posts WM_TIMER to this window.
    // Returns `id` (never 0 for a live window); 0 when the window does not
    // exist. Setting a running id again restarts it with the new interval.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, void (*callback)(HWND, UINT, UINT_PTR, DWORD));
    BOOL KillTimer(UINT_PTR id);

    CMenu* GetSystemMenu(BOOL revert);
    HICON SetIcon(HICON icon, BOOL bigIcon);
    BOOL IsIconic() const;
    void GetClientRect(RECT* rect) const;

    // Runs the message through the window's message map, then, if no entry
    // took it, through the default processing.
    LRESULT DispatchMessage(UINT message, WPARAM wParam, LPARAM lParam);

    framework::WindowImpl* Impl() const { return m_impl; }
    void AttachImpl(framework::WindowImpl* impl) { m_impl = impl; }

protected:
    // The window's own default processing: minimise, restore and close for
    // WM_SYSCOMMAND; nothing for the others.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Hands the message being handled to the default processing.
    LRESULT Default();

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint() {}
    void OnTimer(UINT_PTR) {}

    static const framework::MessageMap* GetThisMessageMap();
    virtual const framework::MessageMap* GetMessageMap() const;

    framework::WindowImpl* m_impl = nullptr;  // null while no window exists

private:
    UINT m_currentMessage = 0;  // for Default()
    WPARAM m_currentWParam = 0;
    LPARAM m_currentLParam = 0;
};

// The window's system menu: the standard entries and what the program
// appends. Choosing an entry sends WM_SYSCOMMAND with its id.
class CMenu {
public:
    virtual ~CMenu() = default;
    // A back end whose windows have a menu of their own changes it too.
    virtual BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCSTR text = nullptr);
    virtual UINT EnableMenuItem(UINT id, UINT enable);

    struct Item {
        UINT id;  // 0 for a separator
        CString text;
        bool enabled;
    };
    const Item* items() const;
    int itemCount() const;

private:
    friend class framework::WindowImpl;
    static constexpr int kMaxItems = 16;
    Item m_items[kMaxItems];
    int m_count = 0;
};

#ifdef _WIN32
// The game's beeps go through the framework on Windows as well, which counts
// them before the system rings them.
#define MessageBeep LexodromMessageBeep
#endif
// The sound of a message box: counted, and rung on the desktop.
BOOL MessageBeep(UINT type);
