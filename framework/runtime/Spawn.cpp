#include "framework/runtime/Spawn.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What the helper processes tell the caller through the report pipe. Each
// record is written with one write() far below PIPE_BUF, so records never
// interleave even though two processes write to the same pipe.
struct Report {
    int kind;   // kStarted or kFailed
    int value;  // the program's process id, or the errno of the failure
};
constexpr int kStarted = 1;
constexpr int kFailed = 2;

// Whether a name names a place rather than a program to look up on PATH.
// A backslash counts as on Windows, where it is the directory separator.
bool HasDirectoryPart(const char* name) {
    return std::strchr(name, '/') != nullptr || std::strchr(name, '\\') != nullptr;
}

// The file names to try, in order: the name as given, then (for a bare name)
// one per PATH entry. Built before any fork, because the processes made by
// fork in a program that may have threads must not allocate memory.
std::vector<std::string> CandidatePaths(const char* cmdname) {
    std::vector<std::string> paths{cmdname};
    const char* path = std::getenv("PATH");
    if (HasDirectoryPart(cmdname) || path == nullptr || *path == '\0') {
        return paths;
    }
    const std::string entries{path};
    std::string::size_type start = 0;
    for (;;) {
        const auto end = entries.find(':', start);
        const std::string_view directory =
            std::string_view(entries).substr(start, end == std::string::npos ? end : end - start);
        std::string candidate{directory.empty() ? std::string_view(".") : directory};
        candidate += '/';
        candidate += cmdname;
        paths.push_back(std::move(candidate));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return paths;
}

// Writes one record; async-signal-safe. A failing write leaves the caller to
// see no record, which it reports as a failure of its own.
void SendReport(int fd, int kind, int value) {
    const Report report{kind, value};
    while (write(fd, &report, sizeof report) < 0 && errno == EINTR) {
    }
}

// Runs in the grandchild: gives it a clean signal state and turns it into the
// program, or reports why none of the candidates could be run. Only
// async-signal-safe calls from here on.
[[noreturn]] void BecomeProgram(const std::vector<std::string>& paths, char* const* argv,
                                int reportFd) {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    for (int signal = 1; signal < NSIG; ++signal) {
        // Fails harmlessly for SIGKILL, SIGSTOP and the C library's own.
        sigaction(signal, &byDefault, nullptr);
    }

    execv(paths[0].c_str(), argv);
    int error = errno;
    if (error == ENOENT && paths.size() > 1) {
        int remembered = 0;
        for (std::size_t i = 1; i < paths.size(); ++i) {
            execv(paths[i].c_str(), argv);
            const int attempt = errno;
            if (remembered == 0 && attempt != ENOENT && attempt != ENOTDIR) {
                remembered = attempt;
            }
        }
        error = remembered != 0 ? remembered : ENOENT;
    }
    SendReport(reportFd, kFailed, error);
    _exit(127);
}

}  // namespace

// Double fork: the intermediate child starts the program and exits at once,
// so the program is adopted by init (or the nearest subreaper) and the caller
// only ever waits for the short-lived intermediate. The report pipe is
// close-on-exec: once every writer has exited or exec'd successfully, the
// caller reads end of file and knows the outcome without any timeout.
namespace {

std::function<void(const framework::runtime::SpawnRecord&)>& observer() {
    static std::function<void(const framework::runtime::SpawnRecord&)> o;
    return o;
}

std::intptr_t Start(const char* cmdname, std::vector<char*>& argv);

}  // namespace

std::intptr_t _spawnlp(int mode, const char* cmdname, const char* arg0, ...) {
    std::vector<char*> argv;
    if (arg0 != nullptr) {
        argv.push_back(const_cast<char*>(arg0));
        va_list arguments;
        va_start(arguments, arg0);
        while (const char* argument = va_arg(arguments, const char*)) {
            argv.push_back(const_cast<char*>(argument));
        }
        va_end(arguments);
    }
    std::intptr_t result = -1;
    if (mode != _P_NOWAIT || cmdname == nullptr || arg0 == nullptr || *arg0 == '\0') {
        errno = EINVAL;
    } else {
        argv.push_back(nullptr);
        result = Start(cmdname, argv);
        argv.pop_back();
    }
    const int error = result == -1 ? errno : 0;
    if (observer()) {
        framework::runtime::SpawnRecord record{
            cmdname != nullptr ? cmdname : "", {}, result, error};
        for (char* argument : argv) {
            record.arguments.emplace_back(argument);
        }
        observer()(record);
    }
    errno = error != 0 ? error : errno;
    return result;
}

void framework::runtime::SetSpawnObserver(std::function<void(const SpawnRecord&)> o) {
    observer() = std::move(o);
}

namespace {

std::intptr_t Start(const char* cmdname, std::vector<char*>& argv) {
    const std::vector<std::string> paths = CandidatePaths(cmdname);

    std::array<int, 2> pipeFds{};
    if (pipe2(pipeFds.data(), O_CLOEXEC) != 0) {
        return -1;
    }
    const pid_t intermediate = fork();
    if (intermediate < 0) {
        const int error = errno;
        close(pipeFds[0]);
        close(pipeFds[1]);
        errno = error;
        return -1;
    }
    if (intermediate == 0) {
        close(pipeFds[0]);
        const pid_t program = fork();
        if (program == 0) {
            BecomeProgram(paths, argv.data(), pipeFds[1]);
        }
        if (program < 0) {
            SendReport(pipeFds[1], kFailed, errno);
            _exit(1);
        }
        SendReport(pipeFds[1], kStarted, program);
        _exit(0);
    }

    close(pipeFds[1]);
    // ECHILD here only means someone else reaped it (or SIGCHLD is ignored).
    while (waitpid(intermediate, nullptr, 0) < 0 && errno == EINTR) {
    }
    std::array<Report, 4> reports{};
    std::size_t received = 0;
    const auto capacity = sizeof reports;
    for (;;) {
        const ssize_t count = read(pipeFds[0], reinterpret_cast<char*>(reports.data()) + received,
                                   capacity - received);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        received += static_cast<std::size_t>(count);
        if (received == capacity) {
            break;
        }
    }
    close(pipeFds[0]);

    std::intptr_t started = -1;
    for (std::size_t i = 0; i < received / sizeof(Report); ++i) {
        if (reports[i].kind == kFailed) {
            errno = reports[i].value;
            return -1;
        }
        if (reports[i].kind == kStarted) {
            started = reports[i].value;
        }
    }
    if (started <= 0) {
        // The intermediate child died before it could say anything.
        errno = EAGAIN;
        return -1;
    }
    return started;
}

}  // namespace
