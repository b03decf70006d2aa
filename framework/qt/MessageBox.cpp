#include "framework/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/CWnd.h"
#include "framework/ModalHooks.h"
#include "framework/qt/Application.h"
#include "framework/qt/MessageBoxes.h"
#include "framework/qt/Windows1252.h"

namespace {

std::vector<framework::qt::OpenMessageBox> g_openBoxes;
int g_beeps = 0;

QMessageBox::Icon iconFor(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONERROR:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// Windows draws "\r\n" as one line break; Qt would show the carriage return.
QString displayText(LPCSTR text) {
    QString shown = framework::qt::fromWindows1252(text != nullptr ? text : "");
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

bool isHeadlessPlatform(const char* platform) {
    return platform != nullptr && (std::strncmp(platform, "offscreen", 9) == 0 ||
                                   std::strncmp(platform, "minimal", 7) == 0);
}

// A box can be seen when Qt would open its windows on a real display.
bool displayAvailable() {
    if (isHeadlessPlatform(std::getenv("QT_QPA_PLATFORM"))) {
        return false;
    }
    return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}

}  // namespace

namespace framework::qt {

const std::vector<OpenMessageBox>& openMessageBoxes() {
    return g_openBoxes;
}

int beepCount() {
    return g_beeps;
}

}  // namespace framework::qt

// Before the application exists (the word list's start-up errors) a box is
// shown only where someone can see it; otherwise its text goes to standard
// error. Once the application runs, boxes are real windows, also on the
// offscreen platform, where the test harness and the driver answer them.
int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    if (QApplication::instance() == nullptr && !displayAvailable()) {
        QByteArray line =
            (displayText(caption) + QStringLiteral(": ") + displayText(text)).toUtf8();
        std::fprintf(stderr, "%s\n", line.constData());
        std::fflush(stderr);
        return IDOK;
    }
    framework::qt::ensureApplication();
    QWidget* owner = QApplication::activeModalWidget();
    QMessageBox box(iconFor(type), displayText(caption), displayText(text), QMessageBox::Ok, owner);
    box.setWindowModality(Qt::ApplicationModal);
    g_openBoxes.push_back(
        {&box, caption != nullptr ? caption : "", text != nullptr ? text : "", type});
    framework::notifyModalStarted([&box] { return !box.isVisible(); });
    box.exec();
    g_openBoxes.pop_back();
    framework::notifyModalEnded();
    return IDOK;
}

BOOL MessageBeep(UINT) {
    ++g_beeps;
    if (QApplication::instance() != nullptr) {
        QApplication::beep();
    }
    return TRUE;
}
