// The program defines its static objects in app/, which tests do not link.
#include "scores/RememberedName.h"

CString g_rememberedName;
