#include "framework/qt/FontConfiguration.h"

#include <QCoreApplication>

#include <fontconfig/fontconfig.h>

#include <malloc.h>

#include <future>
#include <system_error>

namespace framework::qt {
namespace {

// Made on first use, so that it exists whichever static object asks first;
// destroyed at exit after waiting for the reading to end.
std::future<void>& reading() {
    static std::future<void> pending;
    return pending;
}

}  // namespace

void startReadingFontConfiguration() {
    std::future<void>& pending = reading();
    if (pending.valid() || QCoreApplication::instance() != nullptr) {
        return;
    }
    // Qt's own FcInit later finds the configuration loaded and returns. The
    // reading thread allocates from the one heap the game uses: a heap of its
    // own would keep pages of its own, partly empty, for the process's life.
    mallopt(M_ARENA_MAX, 1);
    try {
        pending = std::async(std::launch::async, [] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to spare: Qt reads the configuration when it needs it.
    }
}

void awaitFontConfiguration() {
    std::future<void>& pending = reading();
    if (pending.valid()) {
        pending.wait();
        // Give back what the reading freed, so that reading ahead costs no
        // memory.
        malloc_trim(0);
    }
}

}  // namespace framework::qt
