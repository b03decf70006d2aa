// Starts the real lexodrom.exe as a player would, finds its main window,
// types a letter and presses "&Enter" through the window's own controls,
// checks that the transcript answers, and ends the game with "&Beenden".
//
//     play_a_letter.exe PATH\TO\lexodrom.exe
//
// Exits 0 when the game started, answered the letter and ended with code 0.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kLetterBox = 1000;    // IDC_LETTER
constexpr int kEnterButton = 1002;  // IDC_ENTER
constexpr int kTranscript = 1007;   // IDC_TRANSCRIPT

int fail(const char* what) {
    std::fprintf(stderr, "play_a_letter: %s\n", what);
    return 1;
}

HWND waitForMainWindow(DWORD processId) {
    for (int tries = 0; tries < 300; ++tries) {
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, L"#32770", L"Lexodrom")) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == processId && IsWindowVisible(window) != FALSE) {
                return window;
            }
        }
        Sleep(100);
    }
    return nullptr;
}

std::wstring textOf(HWND control) {
    wchar_t text[4096] = {};
    SendMessageW(control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return fail("usage: play_a_letter.exe lexodrom.exe");
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = std::string("\"") + argv[1] + "\"";
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process) == FALSE) {
        return fail("lexodrom.exe did not start");
    }
    HWND main = waitForMainWindow(process.dwProcessId);
    if (main == nullptr) {
        TerminateProcess(process.hProcess, 2);
        return fail("no main window within 30 seconds");
    }
    // The letter box takes a typed 'B'; "&Enter" plays it.
    SendMessageW(GetDlgItem(main, kLetterBox), WM_CHAR, L'B', 1);
    SendMessageW(GetDlgItem(main, kEnterButton), BM_CLICK, 0, 0);
    const std::wstring transcript = textOf(GetDlgItem(main, kTranscript));
    const bool answered = transcript.find(L"Bisher: 'B") != std::wstring::npos;
    // "&Beenden" ends the program.
    SendMessageW(GetDlgItem(main, IDOK), BM_CLICK, 0, 0);
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 2);
        return fail("lexodrom.exe did not end after Beenden");
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!answered) {
        std::fwprintf(stderr, L"transcript: %ls\n", transcript.c_str());
        return fail("the transcript does not show the letter played");
    }
    if (exitCode != 0) {
        return fail("lexodrom.exe ended with a code other than 0");
    }
    std::printf("lexodrom.exe started, played 'B', answered, ended with 0\n");
    return 0;
}
