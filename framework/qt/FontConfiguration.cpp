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
    // Qt's own FcInit later finds the configuration loaded and returns.
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
        // The thread's own heap keeps what the reading freed; give that back,
        // so that reading ahead costs no memory.
        malloc_trim(0);
    }
}

}  // namespace framework::qt
