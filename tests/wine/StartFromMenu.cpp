// The installed game, started as a player starts it.
//
//     start_from_menu.exe SHORTCUT.lnk
//
// First as the Start-menu entry SHORTCUT.lnk starts it: its target in its
// working directory. The game's main window must come up there, "&Hilfe"
// must start the HTML Help viewer as `hh.exe Lexodrom.chm` in that
// directory, and "&Beenden" must end the game with 0. Then as Explorer
// starts the program from its own folder, where Lexodrom.chm lies beside it:
// "&Hilfe" must bring up the viewer's window with the help.
//
// Exits 0 when all of that held; says on stderr what did not.
#include <shlobj.h>
#include <tlhelp32.h>
#include <windows.h>
#include <winternl.h>

#include <cstddef>
#include <cstdio>
#include <string>
#include <utility>

#include "tests/wine/RunningGame.h"

namespace {

using namespace lexodrom::wine;

constexpr DWORD kViewerWaitMilliseconds = 20000;
constexpr DWORD kPollMilliseconds = 100;
// The viewer ends soon when it finds no help file: its start is read at once.
constexpr DWORD kChildPollMilliseconds = 5;

bool failed = false;

void fail(const std::wstring& what) {
    std::fwprintf(stderr, L"start_from_menu: %ls\n", what.c_str());
    failed = true;
}

struct Shortcut {
    std::wstring target;
    std::wstring directory;
};

bool readShortcut(const wchar_t* path, Shortcut& shortcut) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return false;
    }
    IPersistFile* file = nullptr;
    wchar_t target[MAX_PATH] = {};
    wchar_t directory[MAX_PATH] = {};
    const bool read =
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(path, STGM_READ)) &&
        SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0)) &&
        SUCCEEDED(link->GetWorkingDirectory(directory, MAX_PATH));
    if (file != nullptr) {
        file->Release();
    }
    link->Release();
    shortcut = {target, directory};
    return read;
}

// The command line and working directory a process was started with, as
// Windows keeps them in the process's parameter block.
struct ProcessStart {
    std::wstring commandLine;
    std::wstring directory;
};

// The head of RTL_USER_PROCESS_PARAMETERS, whose public declaration hides
// the working directory among reserved fields.
struct ParameterBlock {
    BYTE head[0x38];
    UNICODE_STRING currentDirectory;
    HANDLE currentDirectoryHandle;
    UNICODE_STRING dllPath;
    UNICODE_STRING imagePathName;
    UNICODE_STRING commandLine;
};
static_assert(offsetof(ParameterBlock, imagePathName) ==
              offsetof(RTL_USER_PROCESS_PARAMETERS, ImagePathName));
static_assert(offsetof(ParameterBlock, commandLine) ==
              offsetof(RTL_USER_PROCESS_PARAMETERS, CommandLine));

template <typename T>
bool readFrom(HANDLE process, const void* address, T& value) {
    return ReadProcessMemory(process, address, &value, sizeof value, nullptr) != FALSE;
}

bool readText(HANDLE process, const UNICODE_STRING& text, std::wstring& value) {
    value.assign(text.Length / sizeof(wchar_t), L'\0');
    return ReadProcessMemory(process, text.Buffer, value.data(), text.Length, nullptr) != FALSE;
}

bool readProcessStart(HANDLE process, ProcessStart& start) {
    PROCESS_BASIC_INFORMATION basic{};
    PEB peb{};
    ParameterBlock parameters{};
    return NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                     nullptr) == 0 &&
           readFrom(process, basic.PebBaseAddress, peb) &&
           readFrom(process, peb.ProcessParameters, parameters) &&
           readText(process, parameters.commandLine, start.commandLine) &&
           readText(process, parameters.currentDirectory, start.directory);
}

// Paths compared as Windows compares them: without case, and a trailing
// backslash naming the same directory.
bool sameDirectory(std::wstring a, std::wstring b) {
    for (std::wstring* path : {&a, &b}) {
        if (path->size() > 3 && path->back() == L'\\') {
            path->pop_back();
        }
    }
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The game's error box, if it shows one: its message is reported, and the
// box closed.
bool errorBoxShown(DWORD game) {
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, L"#32770", L"Lexodrom Fehler")) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(box, &owner);
        if (owner == game) {
            std::wstring message;
            for (HWND item = GetWindow(box, GW_CHILD); item != nullptr;
                 item = GetWindow(item, GW_HWNDNEXT)) {
                message += textOf(item) + L" ";
            }
            fail(L"the game says: " + message);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return true;
        }
    }
    return false;
}

// The process `name` that `parent` started, waited for; 0 if none came.
DWORD waitForChild(DWORD parent, const wchar_t* name) {
    for (DWORD waited = 0; waited < kViewerWaitMilliseconds; waited += kChildPollMilliseconds) {
        if (errorBoxShown(parent)) {
            return 0;
        }
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        DWORD found = 0;
        for (BOOL more = Process32FirstW(snapshot, &entry); more != FALSE && found == 0;
             more = Process32NextW(snapshot, &entry)) {
            if (entry.th32ParentProcessID == parent &&
                CompareStringOrdinal(entry.szExeFile, -1, name, -1, TRUE) == CSTR_EQUAL) {
                found = entry.th32ProcessID;
            }
        }
        CloseHandle(snapshot);
        if (found != 0) {
            return found;
        }
        Sleep(kChildPollMilliseconds);
    }
    return 0;
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK takeVisibleWindowOf(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) != FALSE) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The first visible top-level window of `process`; null when the process
// ends or shows none in time.
HWND waitForTopLevelWindow(HANDLE process) {
    for (DWORD waited = 0; waited < kViewerWaitMilliseconds; waited += kPollMilliseconds) {
        WindowSearch search{GetProcessId(process), nullptr};
        EnumWindows(takeVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        if (WaitForSingleObject(process, kPollMilliseconds) == WAIT_OBJECT_0) {
            return nullptr;
        }
    }
    return nullptr;
}

// The game's main window with the controls of its template that a player
// needs here, as Windows reports them.
void checkMainWindow(HWND main) {
    const std::pair<int, const wchar_t*> buttons[] = {
        {kQuitButton, L"&Beenden"}, {kEnterButton, L"&Enter"}, {kHelpButton, L"&Hilfe"}};
    for (const auto& [id, text] : buttons) {
        HWND button = GetDlgItem(main, id);
        wchar_t className[32] = {};
        GetClassNameW(button, className, 32);
        if (button == nullptr || std::wstring(className) != L"Button" || textOf(button) != text) {
            fail(std::wstring(L"no button ") + text + L" in the main window");
        }
    }
    for (int id : {kLetterBox, kTranscript}) {
        wchar_t className[32] = {};
        GetClassNameW(GetDlgItem(main, id), className, 32);
        if (std::wstring(className) != L"Edit") {
            fail(L"no edit box " + std::to_wstring(id) + L" in the main window");
        }
    }
}

// What "&Hilfe" started: whether a viewer came, its command line and working
// directory, and the title of the window it showed, which is closed again.
struct HelpViewer {
    bool started = false;
    ProcessStart start;
    std::wstring windowTitle;
    bool window = false;
};

HelpViewer pressHelp(const RunningGame& game, HWND main) {
    HelpViewer viewer;
    // Posted: should the game answer with a message box, its loop would hold
    // a sent click until the box is closed.
    PostMessageW(GetDlgItem(main, kHelpButton), BM_CLICK, 0, 0);
    const DWORD viewerId = waitForChild(game.processId(), L"hh.exe");
    HANDLE process = viewerId == 0 ? nullptr
                                   : OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ |
                                                     PROCESS_TERMINATE | SYNCHRONIZE,
                                                 FALSE, viewerId);
    if (process == nullptr) {
        return viewer;
    }
    viewer.started = readProcessStart(process, viewer.start);
    if (HWND window = waitForTopLevelWindow(process)) {
        viewer.window = true;
        viewer.windowTitle = textOf(window);
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process, kViewerWaitMilliseconds) != WAIT_OBJECT_0) {
        TerminateProcess(process, 2);
        fail(L"hh.exe did not close");
    }
    CloseHandle(process);
    return viewer;
}

void quit(const RunningGame& game, HWND main) {
    DWORD exitCode = 1;
    if (!game.quit(main, exitCode)) {
        fail(L"lexodrom.exe did not end after Beenden");
    } else if (exitCode != 0) {
        fail(L"lexodrom.exe ended with " + std::to_wstring(exitCode));
    }
}

void startFromMenu(const Shortcut& shortcut) {
    RunningGame game(shortcut.target, L"\"" + shortcut.target + L"\"", shortcut.directory.c_str());
    HWND main = game.started() ? game.waitForMainWindow() : nullptr;
    if (main == nullptr) {
        fail(L"no main window of " + shortcut.target);
        return;
    }
    checkMainWindow(main);
    ProcessStart gameStart;
    if (!readProcessStart(game.process(), gameStart) ||
        !sameDirectory(gameStart.directory, shortcut.directory)) {
        fail(L"the game runs in " + gameStart.directory);
    }
    // Whether the viewer finds the help file from here is the viewer's own
    // affair: Windows's HTML Help looks it up in the registry entry the
    // installer makes, Wine's only in the working directory and C:\windows\help.
    const HelpViewer viewer = pressHelp(game, main);
    if (!viewer.started) {
        fail(L"Hilfe started no hh.exe");
    } else {
        std::wprintf(L"Hilfe started \"%ls\" in %ls; %ls\n", viewer.start.commandLine.c_str(),
                     viewer.start.directory.c_str(),
                     viewer.window ? (L"its window: " + viewer.windowTitle).c_str()
                                   : L"it showed no window");
        if (viewer.start.commandLine != L"hh.exe Lexodrom.chm") {
            fail(L"hh.exe was started as " + viewer.start.commandLine);
        }
        if (!sameDirectory(viewer.start.directory, shortcut.directory)) {
            fail(L"hh.exe was started in " + viewer.start.directory);
        }
    }
    quit(game, main);
}

void startInItsFolder(const std::wstring& program) {
    const std::wstring folder = program.substr(0, program.rfind(L'\\'));
    RunningGame game(program, L"\"" + program + L"\"", folder.c_str());
    HWND main = game.started() ? game.waitForMainWindow() : nullptr;
    if (main == nullptr) {
        fail(L"no main window of " + program + L" in its folder");
        return;
    }
    const HelpViewer viewer = pressHelp(game, main);
    if (!viewer.window) {
        fail(L"hh.exe showed no window with Lexodrom.chm beside the game");
    } else {
        std::wprintf(L"in %ls, Hilfe brought up \"%ls\"\n", folder.c_str(),
                     viewer.windowTitle.c_str());
        if (viewer.windowTitle != L"Lexodrom-Hilfe") {
            fail(L"the help window is titled " + viewer.windowTitle);
        }
    }
    quit(game, main);
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count != 2) {
        fail(L"usage: start_from_menu.exe SHORTCUT.lnk");
        return 1;
    }
    // Wine's runtime searches the PATH for hh.exe with a fault: a directory
    // that begins the one before it in the list (C:\windows after
    // C:\windows\system32) is not searched. Its hh.exe is in C:\windows,
    // which therefore comes first here; Windows searches the PATH as it is.
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    wchar_t path[4096] = {};
    GetEnvironmentVariableW(L"PATH", path, 4096);
    SetEnvironmentVariableW(L"PATH", (std::wstring(windows) + L";" + path).c_str());
    CoInitialize(nullptr);
    Shortcut shortcut;
    if (!readShortcut(arguments[1], shortcut)) {
        fail(std::wstring(L"cannot read ") + arguments[1]);
        return 1;
    }
    std::wprintf(L"the Start-menu entry starts %ls in %ls\n", shortcut.target.c_str(),
                 shortcut.directory.c_str());
    startFromMenu(shortcut);
    startInItsFolder(shortcut.target);
    CoUninitialize();
    LocalFree(arguments);
    return failed ? 1 : 0;
}
