// The framework's dialog layout (framework/DialogUnits.h) on Qt: the stand-in
// font as a QFont, its base units as Qt measures them, its rectangles as QRect.
#pragma once

#include <QFont>
#include <QRect>

#include "framework/DialogUnits.h"

namespace framework::qt {

QFont dialogFont(const DialogTemplate& dialog);

BaseUnits baseUnits(const QFont& font);

QRect toQRect(const PixelRect& rect);

}  // namespace framework::qt
