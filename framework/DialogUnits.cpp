#include "framework/DialogUnits.h"

#include <cstring>

namespace framework {

int mulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

PixelRect toPixels(const BaseUnits& units, short x, short y, short cx, short cy) {
    return {mulDiv(x, units.x, 4), mulDiv(y, units.y, 8), mulDiv(cx, units.x, 4),
            mulDiv(cy, units.y, 8)};
}

StandInFont standInFont(const DialogTemplate& dialog) {
    const char* name = dialog.fontName != nullptr ? dialog.fontName : "";
    const bool courier = std::strncmp(name, "Courier", 7) == 0;
    const char* family = "Liberation Sans";
    if (courier) {
        family = "Liberation Mono";
    } else if (std::strcmp(name, "Times New Roman") == 0) {
        family = "Liberation Serif";
    }
    // Windows asks for a character height of -MulDiv(points, 96, 72) pixels.
    return {family, mulDiv(dialog.pointSize, 96, 72), dialog.weight >= 700, dialog.italic, courier};
}

}  // namespace framework
