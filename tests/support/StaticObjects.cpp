// The program defines its static objects in app/, which tests do not link:
// the remembered name, and an application object through which the main
// dialog loads its icon.
#include "framework/CWinApp.h"
#include "ui/RememberedName.h"

CString g_rememberedName;
CWinApp g_testApp;
