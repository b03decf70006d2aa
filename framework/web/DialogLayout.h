// Dialog units to pixels by the Windows rule, and the web fonts that stand
// in for the Windows fonts the templates name.
#pragma once

#include "framework/Resources.h"
#include "framework/web/Dom.h"

namespace framework::web {

struct FontSpec {
    const char* family;  // a Liberation family the page serves
    int pixels;
    bool bold;
    bool italic;
};

// The template's font at the size Windows gives it on a 96 dpi screen: Arial
// and MS Sans Serif become Liberation Sans, Courier and Courier New
// Liberation Mono, Times New Roman Liberation Serif.
FontSpec dialogFont(const DialogTemplate& dialog);

struct Rect {
    int left, top, width, height;
};

// MulDiv: a * b / c rounded half away from zero.
int mulDiv(int a, int b, int c);

// x scales by base x / 4 and y by base y / 8, each rounded as MulDiv rounds.
Rect toPixels(const dom::BaseUnits& units, short x, short y, short cx, short cy);

}  // namespace framework::web
