// The Qt back end's part of a headless session: the offscreen platform,
// hand-driven timers, the modal hooks, the event loop and standard input.
#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "automation/Backend.h"
#include "framework/ModalHooks.h"
#include "framework/qt/Application.h"
#include "framework/qt/FontConfiguration.h"
#include "framework/qt/Timers.h"

namespace automation {
namespace {

// The offscreen platform reports what it cannot do (raise a window, grab
// the keyboard) at every dialog; that is expected here and only noise.
QtMessageHandler g_standardHandler = nullptr;

void quietHeadlessNoise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support")) ||
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) {
        return;
    }
    if (g_standardHandler != nullptr) {
        g_standardHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
}

std::function<void(std::string_view, bool)> g_inputReceiver;
bool g_inputEnded = false;

// Reads all that standard input holds now, without waiting, and hands it on.
void readStandardInput() {
    std::string bytes;
    bool endOfInput = false;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n == 0) {
            endOfInput = true;
            g_inputEnded = true;
        }
        break;  // would block, or end of input
    }
    if (g_inputReceiver) {
        g_inputReceiver(bytes, endOfInput);
    }
}

}  // namespace

void Post(std::function<void()> action) {
    QTimer::singleShot(0, qApp, std::move(action));
}

namespace backend {

void StartHeadless() {
    // The font configuration is read with the environment; let it end before
    // the environment changes.
    framework::qt::awaitFontConfiguration();
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    if (g_standardHandler == nullptr) {
        g_standardHandler = qInstallMessageHandler(quietHeadlessNoise);
    }
    framework::setManualTimers(true);
    framework::qt::ensureApplication();
}

void SetModalHooks(std::function<void()> started, std::function<void()> ended) {
    framework::setModalHooks(std::move(started), std::move(ended));
}

bool InnermostModalEnding() {
    return framework::innermostModalFinished();
}

void WatchStandardInput(std::function<void(std::string_view, bool)> received) {
    g_inputReceiver = std::move(received);
    ::fcntl(STDIN_FILENO, F_SETFL, ::fcntl(STDIN_FILENO, F_GETFL) | O_NONBLOCK);
    auto* notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, [notifier] {
        readStandardInput();
        // Handing the input on may have run modal loops that read the end.
        if (g_inputEnded) {
            notifier->setEnabled(false);
        }
    });
}

void PollStandardInput() {
    readStandardInput();
}

}  // namespace backend
}  // namespace automation
