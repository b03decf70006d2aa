#include "framework/qt/DialogLayout.h"

#include <QFontMetrics>

#include <cstring>

namespace framework::qt {
namespace {

// MulDiv: a * b / c rounded half away from zero.
int mulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

QString substituteFamily(const char* windowsName) {
    const char* name = windowsName != nullptr ? windowsName : "";
    if (std::strcmp(name, "Courier") == 0 || std::strcmp(name, "Courier New") == 0) {
        return QStringLiteral("Liberation Mono");
    }
    if (std::strcmp(name, "Times New Roman") == 0) {
        return QStringLiteral("Liberation Serif");
    }
    return QStringLiteral("Liberation Sans");
}

QFont dialogFont(const DialogTemplate& dialog) {
    QFont font(substituteFamily(dialog.fontName));
    // Windows asks for a character height of -MulDiv(points, 96, 72) pixels.
    font.setPixelSize(mulDiv(dialog.pointSize, 96, 72));
    font.setWeight(dialog.weight >= 700 ? QFont::Bold : QFont::Normal);
    font.setItalic(dialog.italic);
    font.setStyleHint(std::strncmp(dialog.fontName, "Courier", 7) == 0 ? QFont::TypeWriter
                                                                       : QFont::SansSerif);
    font.setFixedPitch(std::strncmp(dialog.fontName, "Courier", 7) == 0);
    // Hinting only the heights keeps each letter as wide as the font's design
    // has it, the widths Liberation shares with the Windows font it stands in
    // for. Full hinting rounds every letter up to whole pixels and makes the
    // main window's label longer than the room its template gives it.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

BaseUnits baseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(width / 26 + 1) / 2, metrics.height()};
}

QRect toPixels(const BaseUnits& units, short x, short y, short cx, short cy) {
    return QRect(mulDiv(x, units.x, 4), mulDiv(y, units.y, 8), mulDiv(cx, units.x, 4),
                 mulDiv(cy, units.y, 8));
}

}  // namespace framework::qt
