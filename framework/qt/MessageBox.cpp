#include "framework/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/qt/Windows1252.h"

namespace {

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
    return platform != nullptr &&
           (std::strncmp(platform, "offscreen", 9) == 0 || std::strncmp(platform, "minimal", 7) == 0);
}

// A box can be seen when Qt would open its windows on a real display.
bool displayAvailable() {
    if (isHeadlessPlatform(std::getenv("QT_QPA_PLATFORM"))) {
        return false;
    }
    return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}

// The word list reports its fatal errors from static initialisation, before
// the framework has made the application object; make one for the box.
void ensureApplication() {
    if (QApplication::instance() != nullptr) {
        return;
    }
    static int argc = 1;
    static char name[] = "lexodrom";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives until the process ends
}

}  // namespace

int MessageBoxA(HWND /*owner*/, LPCSTR text, LPCSTR caption, UINT type) {
    if (QApplication::instance() == nullptr && !displayAvailable()) {
        QByteArray line = (displayText(caption) + QStringLiteral(": ") + displayText(text)).toUtf8();
        std::fprintf(stderr, "%s\n", line.constData());
        std::fflush(stderr);
        return IDOK;
    }
    ensureApplication();
    QMessageBox box(iconFor(type), displayText(caption), displayText(text), QMessageBox::Ok);
    box.exec();
    return IDOK;
}
