// lexodrom.exe started by a test as a player starts it, reached through the
// windows it shows, as a player reaches it. Shared by the Wine tests that
// start the real game.
#pragma once

#include <windows.h>

#include <string>

namespace lexodrom::wine {

// The game's control ids the tests press and read (the main dialog's).
inline constexpr int kLetterBox = 1000;    // IDC_LETTER
inline constexpr int kEnterButton = 1002;  // IDC_ENTER
inline constexpr int kHelpButton = 1005;   // IDC_HELP_BUTTON
inline constexpr int kTranscript = 1007;   // IDC_TRANSCRIPT
inline constexpr int kQuitButton = IDOK;   // "&Beenden"

// A started program; ends it on destruction if a test leaves it running.
class RunningGame {
public:
    // Starts `program` with `commandLine` in `directory` (null: the test's
    // own working directory).
    RunningGame(const std::wstring& program, std::wstring commandLine, const wchar_t* directory);
    ~RunningGame();
    RunningGame(const RunningGame&) = delete;
    RunningGame& operator=(const RunningGame&) = delete;

    bool started() const { return started_; }
    DWORD processId() const { return process_.dwProcessId; }
    HANDLE process() const { return process_.hProcess; }

    // The process's visible main dialog "Lexodrom", waited for up to 30 s.
    HWND waitForMainWindow() const;

    // Presses "&Beenden" in `main`; true when the program ends within 30 s,
    // its exit code in `exitCode`.
    bool quit(HWND main, DWORD& exitCode) const;

private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

// A window's text as Windows reports it.
std::wstring textOf(HWND window);

}  // namespace lexodrom::wine
