#include "framework/qt/Application.h"

#include <QApplication>

#include <vector>

#include "framework/CWinApp.h"
#include "framework/qt/FontConfiguration.h"
#include "framework/qt/Icons.h"

namespace {

int g_argc = 1;
char g_defaultName[] = "lexodrom";
char* g_defaultArgv[] = {g_defaultName, nullptr};
char** g_argv = g_defaultArgv;

}  // namespace

namespace framework::qt {

void ensureApplication() {
    if (QApplication::instance() != nullptr) {
        return;
    }
    awaitFontConfiguration();
    // Lives until the process ends, as the Windows message machinery does.
    auto* application = new QApplication(g_argc, g_argv);
    application->setApplicationName(QStringLiteral("Lexodrom"));
    application->setDesktopFileName(QStringLiteral("lexodrom"));
}

}  // namespace framework::qt

HICON CWinApp::LoadIcon(UINT id) const {
    return framework::qt::loadIcon(id);
}

namespace framework {

void PrepareWindowSystem() {
    qt::startReadingFontConfiguration();
}

int RunApplication(int argc, char** argv) {
    // Qt keeps the count by reference and the vector by address for the
    // application's life: an application made before (for a start-up box,
    // or by the driver) keeps the arguments it was made with.
    if (QApplication::instance() == nullptr) {
        g_argc = argc;
        g_argv = argv;
    }
    qt::ensureApplication();
    if (AfxGetApp() == nullptr) {
        return 1;
    }
    if (AfxGetApp()->InitInstance() == FALSE) {
        return 0;  // a dialog-based program ends when its dialog ends
    }
    return QApplication::exec();
}

}  // namespace framework
