// The page's dialog layout: the framework's rule (framework/DialogUnits.h)
// with the base units the page measures.
#pragma once

#include "framework/DialogUnits.h"
#include "framework/web/Dom.h"

namespace framework::web {

inline PixelRect toPixels(const dom::BaseUnits& units, short x, short y, short cx, short cy) {
    return framework::toPixels(BaseUnits{units.x, units.y}, x, y, cx, cy);
}

}  // namespace framework::web
