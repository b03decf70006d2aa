// Icons of the resource table: a handle names an icon resource, and the page
// draws its XPM images.
#pragma once

#include "framework/Win32Types.h"

namespace framework::web {

// The handle of icon `id`; valid until the process ends. nullptr when unknown.
HICON loadIcon(UINT id);
// The XPM image of an icon closest to `size` pixels, or nullptr.
const char* const* iconImage(HICON icon, int size);

}  // namespace framework::web
