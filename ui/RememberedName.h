// The name last confirmed in the name dialog, kept for the rest of the run
// and never stored on disk.
#pragma once

#include "framework/CString.h"

extern CString g_rememberedName;
