#include "framework/qt/DialogLayout.h"

#include <QFontMetrics>

namespace framework::qt {

QFont dialogFont(const DialogTemplate& dialog) {
    const StandInFont standIn = standInFont(dialog);
    QFont font(QString::fromLatin1(standIn.family));
    font.setPixelSize(standIn.pixels);
    font.setWeight(standIn.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(standIn.italic);
    font.setStyleHint(standIn.fixedPitch ? QFont::TypeWriter : QFont::SansSerif);
    font.setFixedPitch(standIn.fixedPitch);
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

QRect toQRect(const PixelRect& rect) {
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

}  // namespace framework::qt
