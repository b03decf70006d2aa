// The Win32 back end's part of an automated session: hand-driven timers, the
// modal hooks, actions run through the message loop that runs, and standard
// input read by a thread of its own and handed to the loop as messages.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "automation/Backend.h"
#include "framework/ModalHooks.h"
#include "framework/win32/Timers.h"
#include "framework/win32/automation/ActiveWindows.h"

namespace automation {
namespace {

constexpr UINT kRunAction = WM_APP;
constexpr UINT kInput = WM_APP + 1;

HWND g_window = nullptr;
std::function<void(std::string_view, bool)> g_inputReceiver;
bool g_readerStarted = false;

// Posted messages reach this window from any loop: the dialog manager's,
// a message box's and the menu's all dispatch what is not theirs.
LRESULT CALLBACK actionWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunAction) {
        std::unique_ptr<std::function<void()>> action(
            reinterpret_cast<std::function<void()>*>(lParam));
        (*action)();
        return 0;
    }
    if (message == kInput) {
        std::unique_ptr<std::string> bytes(reinterpret_cast<std::string*>(lParam));
        if (g_inputReceiver) {
            g_inputReceiver(*bytes, wParam != 0);
        }
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void makeActionWindow() {
    if (g_window != nullptr) {
        return;
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = actionWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"LexodromAutomation";
    RegisterClassW(&windowClass);
    g_window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                               nullptr, windowClass.hInstance, nullptr);
}

// Blocks on standard input and posts what arrives, in order, ending with the
// end of input.
void readStandardInput(HWND window) {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char buffer[4096];
    for (;;) {
        DWORD read = 0;
        const BOOL ok = ReadFile(input, buffer, sizeof buffer, &read, nullptr);
        if (ok == FALSE || read == 0) {
            PostMessageW(window, kInput, 1, reinterpret_cast<LPARAM>(new std::string()));
            return;
        }
        PostMessageW(window, kInput, 0, reinterpret_cast<LPARAM>(new std::string(buffer, read)));
    }
}

}  // namespace

void Post(std::function<void()> action) {
    makeActionWindow();
    PostMessageW(g_window, kRunAction, 0,
                 reinterpret_cast<LPARAM>(new std::function<void()>(std::move(action))));
}

namespace backend {

void StartHeadless() {
    // The protocol's lines end in LF alone, as on every other back end.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    framework::setManualTimers(true);
    makeActionWindow();
}

void SetModalHooks(std::function<void()> started, std::function<void()> ended) {
    framework::setModalHooks(std::move(started), std::move(ended));
}

bool InnermostModalEnding() {
    return framework::innermostModalFinished();
}

void WatchStandardInput(std::function<void(std::string_view, bool)> received) {
    g_inputReceiver = std::move(received);
}

// The reader starts here, at the first poll, so that nothing typed arrives
// before the program's own first action (the seed).
void PollStandardInput() {
    if (g_readerStarted) {
        return;
    }
    g_readerStarted = true;
    makeActionWindow();
    std::thread(readStandardInput, g_window).detach();
}

}  // namespace backend
}  // namespace automation
