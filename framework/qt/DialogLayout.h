// Dialog units to pixels by the Windows rule, and the fonts that stand in for
// the Windows fonts the templates name.
#pragma once

#include <QFont>
#include <QRect>

#include "framework/Resources.h"

namespace framework::qt {

// A metric-compatible Debian font for a Windows font name: Arial and
// MS Sans Serif become Liberation Sans, Courier and Courier New become
// Liberation Mono (fixed pitch), Times New Roman becomes Liberation Serif.
QString substituteFamily(const char* windowsName);

// The template's font at the size Windows gives it on a 96 dpi screen.
QFont dialogFont(const DialogTemplate& dialog);

// The dialog base units of a font: the average width of "A"-"Z" and "a"-"z"
// (rounded as Windows rounds it) and the character height.
struct BaseUnits {
    int x;
    int y;
};
BaseUnits baseUnits(const QFont& font);

// x scales by base x / 4 and y by base y / 8, each rounded as MulDiv rounds.
QRect toPixels(const BaseUnits& units, short x, short y, short cx, short cy);

}  // namespace framework::qt
