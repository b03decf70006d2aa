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

#include "tests/wine/RunningGame.h"

namespace {

using namespace lexodrom::wine;

int fail(const char* what) {
    std::fprintf(stderr, "play_a_letter: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return fail("usage: play_a_letter.exe lexodrom.exe");
    }
    // The path as the A functions would read it, in the system's code page.
    wchar_t program[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, argv[1], -1, program, MAX_PATH);
    RunningGame game(program, std::wstring(L"\"") + program + L"\"", nullptr);
    if (!game.started()) {
        return fail("lexodrom.exe did not start");
    }
    HWND main = game.waitForMainWindow();
    if (main == nullptr) {
        return fail("no main window within 30 seconds");
    }
    // The letter box takes a typed 'B'; "&Enter" plays it.
    SendMessageW(GetDlgItem(main, kLetterBox), WM_CHAR, L'B', 1);
    SendMessageW(GetDlgItem(main, kEnterButton), BM_CLICK, 0, 0);
    const std::wstring transcript = textOf(GetDlgItem(main, kTranscript));
    const bool answered = transcript.find(L"Bisher: 'B") != std::wstring::npos;
    DWORD exitCode = 1;
    if (!game.quit(main, exitCode)) {
        return fail("lexodrom.exe did not end after Beenden");
    }
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
