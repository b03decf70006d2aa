#include "tests/support/FaultInjection.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <new>

namespace {

std::atomic<int> g_allocationsUntilFailure{0};  // 0: none is to fail

// The C library's write is replaced on Linux only: a Windows program has no
// file write limit yet, and a test that asks for one does not link.
#ifndef _WIN32
std::atomic<std::int64_t> g_writeBudget{-1};  // -1: no limit

bool isRegularFile(int fd) {
    struct stat status {};
    return fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

ssize_t systemWrite(int fd, const void* data, std::size_t size) {
    return syscall(SYS_write, fd, data, size);
}
#endif

}  // namespace

namespace test {

void FailNothrowArrayAllocation(int nth) {
    g_allocationsUntilFailure.store(nth);
}

#ifndef _WIN32
void SetFileWriteLimit(std::size_t bytes) {
    g_writeBudget.store(static_cast<std::int64_t>(bytes));
}

void ClearFileWriteLimit() {
    g_writeBudget.store(-1);
}
#endif

}  // namespace test

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (g_allocationsUntilFailure.load() > 0 && g_allocationsUntilFailure.fetch_sub(1) == 1) {
        return nullptr;
    }
    try {
        return ::operator new[](size);  // pairs with the ordinary delete[]
    } catch (...) {
        return nullptr;
    }
}

#ifndef _WIN32
extern "C" ssize_t write(int fd, const void* data, std::size_t size) {
    const std::int64_t budget = g_writeBudget.load();
    if (budget < 0 || !isRegularFile(fd)) {
        return systemWrite(fd, data, size);
    }
    if (budget == 0 && size > 0) {
        errno = ENOSPC;
        return -1;
    }
    const std::size_t allowed =
        size < static_cast<std::size_t>(budget) ? size : static_cast<std::size_t>(budget);
    const ssize_t written = systemWrite(fd, data, allowed);
    if (written > 0) {
        g_writeBudget.store(budget - written);
    }
    return written;
}
#endif
