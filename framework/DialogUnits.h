// Dialog units to pixels by the Windows rule, and the fonts that stand in
// for the Windows fonts the templates name: the same arithmetic for every
// back end that lays out a template itself. The base units come from the
// window system, which measures the font.
#pragma once

#include "framework/Resources.h"

namespace framework {

// MulDiv: a * b / c rounded half away from zero.
int mulDiv(int a, int b, int c);

// The dialog base units of a font: the average width of "A"-"Z" and "a"-"z"
// (rounded as Windows rounds it) and the character height.
struct BaseUnits {
    int x;
    int y;
};

struct PixelRect {
    int left, top, width, height;
};

// x scales by base x / 4 and y by base y / 8, each rounded as MulDiv rounds.
PixelRect toPixels(const BaseUnits& units, short x, short y, short cx, short cy);

struct StandInFont {
    const char* family;  // a Liberation family
    int pixels;
    bool bold;
    bool italic;
    bool fixedPitch;
};

// The template's font at the size Windows gives it on a 96 dpi screen, as a
// metric-compatible Debian font: Arial and MS Sans Serif become Liberation
// Sans, Courier and Courier New Liberation Mono (fixed pitch), Times New
// Roman Liberation Serif.
StandInFont standInFont(const DialogTemplate& dialog);

}  // namespace framework
