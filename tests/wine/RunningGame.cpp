#include "tests/wine/RunningGame.h"

namespace lexodrom::wine {

namespace {

constexpr DWORD kPollMilliseconds = 100;
constexpr DWORD kWindowWaitMilliseconds = 30000;

}  // namespace

RunningGame::RunningGame(const std::wstring& program, std::wstring commandLine,
                         const wchar_t* directory) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                              nullptr, directory, &startup, &process_) != FALSE;
}

RunningGame::~RunningGame() {
    if (!started_) {
        return;
    }
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 2);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND RunningGame::waitForMainWindow() const {
    for (DWORD waited = 0; waited < kWindowWaitMilliseconds; waited += kPollMilliseconds) {
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, L"#32770", L"Lexodrom")) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process_.dwProcessId && IsWindowVisible(window) != FALSE) {
                return window;
            }
        }
        Sleep(kPollMilliseconds);
    }
    return nullptr;
}

bool RunningGame::quit(HWND main, DWORD& exitCode) const {
    SendMessageW(GetDlgItem(main, kQuitButton), BM_CLICK, 0, 0);
    if (WaitForSingleObject(process_.hProcess, kWindowWaitMilliseconds) != WAIT_OBJECT_0) {
        return false;
    }
    return GetExitCodeProcess(process_.hProcess, &exitCode) != FALSE;
}

std::wstring textOf(HWND window) {
    wchar_t text[4096] = {};
    SendMessageW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace lexodrom::wine
