// Runs a check with the rights of an ordinary user, so that permission bits
// count as they do for a player. Tests run as root on the build machines,
// and root may write a read-only file.
#pragma once

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>

namespace test {

// The user a check gives root up for: "nobody" on Debian.
inline constexpr uid_t kOrdinaryUser = 65534;
inline constexpr gid_t kOrdinaryGroup = 65534;

// Gives `path` (a file or a directory) to the user that AsOrdinaryUser runs
// as, so that it is that user's own; nothing to do when the tests do not run
// as root. False if the owner cannot be changed.
inline bool GiveToOrdinaryUser(const std::filesystem::path& path) {
    return geteuid() != 0 || chown(path.c_str(), kOrdinaryUser, kOrdinaryGroup) == 0;
}

// Runs `check` and returns its result (0 to 254): directly when the tests
// already run as an ordinary user, else in a child process that has given
// up root for kOrdinaryUser. Returns -1 when root cannot be given up here.
// Nothing `check` changes in memory reaches the caller, and it must not use
// gtest's assertions: it reports through its result only.
inline int AsOrdinaryUser(const std::function<int()>& check) {
    if (geteuid() != 0) {
        return check();
    }
    const pid_t child = fork();
    if (child < 0) {
        return -1;
    }
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(kOrdinaryGroup) != 0 ||
            setuid(kOrdinaryUser) != 0) {
            _exit(255);
        }
        _exit(check() & 0xFF);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 255) {
        return -1;
    }
    return WEXITSTATUS(status);
}

}  // namespace test
