// Icons of the resource table as Qt pixmaps and icons.
#pragma once

#include <QIcon>
#include <QPixmap>

#include "framework/Win32Types.h"

namespace framework::qt {

// The image of icon `id` closest to `size` pixels; a null pixmap for an
// unknown id.
QPixmap iconPixmap(UINT id, int size);

// The icon with all its images; the handle stays valid until the process ends.
HICON loadIcon(UINT id);
const QIcon* iconOf(HICON icon);

}  // namespace framework::qt
