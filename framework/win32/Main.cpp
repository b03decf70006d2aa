// The program's entry point belongs to the framework, as WinMain belongs to
// MFC: the static objects exist by now, and the application object takes over.
#include "framework/CWinApp.h"

int main(int argc, char** argv) {
    return framework::RunApplication(argc, argv);
}
