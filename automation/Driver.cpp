// lexodrom-driver: the real program, headless, driven by commands on
// standard input. Commands run in whatever event loop is running when they
// arrive, so that they reach modal boxes too.
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>

#include "automation/Automation.h"
#include "framework/CWinApp.h"
#include "framework/Resources.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace automation {
namespace {

std::deque<std::string> g_lines;  // read, not yet executed
std::string g_partial;            // the start of a line still being read
bool g_endOfInput = false;
bool g_draining = false;

bool parseId(const std::string& word, int& id) {
    if (framework::ControlIdOf(word.c_str(), id)) {
        return true;
    }
    char* end = nullptr;
    const long value = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0') {
        return false;
    }
    id = static_cast<int>(value);
    return true;
}

void complain(const std::string& line) {
    std::fprintf(stderr, "lexodrom-driver: cannot do \"%s\"\n", line.c_str());
    std::fflush(stderr);
}

void execute(const std::string& line) {
    const std::size_t space = line.find(' ');
    const std::string command = line.substr(0, space);
    const std::string rest = space == std::string::npos ? std::string() : line.substr(space + 1);
    bool ok = true;
    int id = 0;
    if (command.empty()) {
        return;
    } else if (command == "state") {
        std::printf("%s\n", StateJson().c_str());
        std::fflush(stdout);
    } else if (command == "set") {
        const std::size_t idEnd = rest.find(' ');
        const std::string text =
            idEnd == std::string::npos ? std::string() : rest.substr(idEnd + 1);
        ok = parseId(rest.substr(0, idEnd), id) && SetText(id, text);
    } else if (command == "click") {
        ok = parseId(rest, id) && Click(id);
    } else if (command == "key") {
        ok = PressKey(rest);
    } else if (command == "tick") {
        ok = parseId(rest, id) && id >= 0;
        if (ok) {
            Tick(id);
        }
    } else if (command == "sys") {
        ok = parseId(rest, id) && SystemCommand(static_cast<UINT>(id));
    } else if (command == "menu") {
        ok = ChooseMenuEntry(rest);
    } else if (command == "shot") {
        ok = !rest.empty() && SaveScreenshot(rest);
    } else {
        ok = false;
    }
    if (!ok) {
        complain(line);
    }
}

// Runs the waiting commands in order. A command that opens a modal loop
// returns only when the loop ends; the loop's start drains the next commands
// from inside it.
void drain() {
    while (!g_lines.empty()) {
        // A command that closed the window whose loop runs this drain lets
        // the program go on first; the next loop to run takes the rest.
        if (backend::InnermostModalEnding()) {
            return;
        }
        const std::string line = g_lines.front();
        g_lines.pop_front();
        execute(line);
    }
    if (g_endOfInput && !g_draining) {
        // End of input ends the program as Escape would, one window at a time.
        g_draining = true;
        Post([] {
            g_draining = false;
            PressKey("Escape");
            drain();
        });
    }
}

// Splits what arrived into lines (LF or CR LF; a last line without an end
// counts once the input has ended) and runs them.
void receive(std::string_view bytes, bool endOfInput) {
    g_partial.append(bytes);
    if (endOfInput) {
        g_endOfInput = true;
    }
    std::size_t newline;
    while ((newline = g_partial.find('\n')) != std::string::npos) {
        std::string line = g_partial.substr(0, newline);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        g_lines.push_back(line);
        g_partial.erase(0, newline + 1);
    }
    if (g_endOfInput && !g_partial.empty()) {
        g_lines.push_back(g_partial);
        g_partial.clear();
    }
    drain();
}

void reportExit(int status, void*) {
    std::printf("{\"exit\": %d}\n", status);
    std::fflush(stdout);
}

#ifdef _WIN32
// The Windows runtime tells exit handlers no status. The program ends either
// by returning from the driver's main, which sets the status first, or by its
// fatal exit, whose code is 1.
int g_exitStatus = 1;

void reportExitStatus() {
    reportExit(g_exitStatus, nullptr);
}

void reportExitOnEveryEnd() {
    std::atexit(reportExitStatus);
}
#elif defined(__EMSCRIPTEN__)
// The page calls lexodromAtExit (below) when the program calls exit().
void reportExitOnEveryEnd() {}
#else
void reportExitOnEveryEnd() {
    on_exit(reportExit, nullptr);
}
#endif

}  // namespace

#ifdef __EMSCRIPTEN__
// A page runs no exit handlers: its back end calls this one by name when the
// program calls exit(), e.g. after a fatal error's message box.
extern "C" EMSCRIPTEN_KEEPALIVE void lexodromAtExit(int status) {
    reportExit(status, nullptr);
}
#endif

int RunDriver(int argc, char** argv, const std::function<void(std::uint32_t)>& seed) {
    bool seeded = false;
    std::uint32_t seedValue = 0;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--seed") {
            seedValue = static_cast<std::uint32_t>(std::strtoul(argv[i + 1], nullptr, 10));
            seeded = true;
        }
    }
    reportExitOnEveryEnd();
    StartHeadless();
    OnUnexpectedModal(drain);
    AfterModalEnds(drain);
    backend::WatchStandardInput(receive);
    // The first action of the program's own loop: after start-up has seeded
    // the generator with the time, and before any command.
    Post([seeded, seedValue, seed] {
        if (seeded && seed) {
            seed(seedValue);
        }
        backend::PollStandardInput();
    });
    const int status = framework::RunApplication(argc, argv);
#ifdef _WIN32
    g_exitStatus = status;
#elif defined(__EMSCRIPTEN__)
    // A page's program has no exit handlers to run: it ends when its last
    // dialog does.
    reportExit(status, nullptr);
#endif
    return status;
}

}  // namespace automation
