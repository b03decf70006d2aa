#include "framework/MessageBox.h"

#include <cstdio>

#include "framework/CWnd.h"
#include "framework/ModalHooks.h"
#include "framework/win32/MessageBoxes.h"
#include "framework/win32/Windows1252.h"

namespace {

std::vector<framework::win32::OpenMessageBox> g_openBoxes;
int g_beeps = 0;
HHOOK g_hook = nullptr;

// Notes the box's window as Windows activates it, so that automation finds
// the box among the thread's windows.
LRESULT CALLBACK noteBoxWindow(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && !g_openBoxes.empty() && g_openBoxes.back().hwnd == nullptr) {
        g_openBoxes.back().hwnd = reinterpret_cast<HWND>(wParam);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

}  // namespace

namespace framework::win32 {

const std::vector<OpenMessageBox>& openMessageBoxes() {
    return g_openBoxes;
}

int beepCount() {
    return g_beeps;
}

}  // namespace framework::win32

// The box is MessageBoxW's, with the texts converted from Windows-1252
// explicitly, so that every system shows them alike.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    const std::wstring wideText = framework::win32::fromWindows1252(text != nullptr ? text : "");
    const std::wstring wideCaption =
        framework::win32::fromWindows1252(caption != nullptr ? caption : "");
    g_openBoxes.push_back(
        {caption != nullptr ? caption : "", text != nullptr ? text : "", type, nullptr});
    HHOOK hook = SetWindowsHookExW(WH_CBT, noteBoxWindow, nullptr, GetCurrentThreadId());
    HHOOK outer = g_hook;
    g_hook = hook;
    // EndDialog hides the box at once; its loop ends when it next looks.
    framework::notifyModalStarted([] {
        return !g_openBoxes.empty() && g_openBoxes.back().hwnd != nullptr &&
               IsWindowVisible(g_openBoxes.back().hwnd) == FALSE;
    });
    const int result = MessageBoxW(owner, wideText.c_str(), wideCaption.c_str(), type);
    if (hook != nullptr) {
        UnhookWindowsHookEx(hook);
    }
    g_hook = outer;
    g_openBoxes.pop_back();
    framework::notifyModalEnded();
    return result;
}

#undef MessageBeep
BOOL LexodromMessageBeep(UINT type) {
    ++g_beeps;
    return MessageBeep(type);
}
