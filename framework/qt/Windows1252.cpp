#include "framework/qt/Windows1252.h"

#include <QList>

#include "framework/Windows1252.h"

namespace framework::qt {

QString fromWindows1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char byte : bytes) {
        // Every character of the code page lies in the Basic Multilingual Plane.
        text.append(
            QChar(static_cast<char16_t>(unicodeOfWindows1252(static_cast<unsigned char>(byte)))));
    }
    return text;
}

std::string toWindows1252(const QString& text, char unrepresentable) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    // Walk by code point so that a character outside the Basic Multilingual
    // Plane becomes one replacement byte, not two.
    for (const uint codePoint : text.toUcs4()) {
        bytes.push_back(windows1252Of(codePoint).value_or(unrepresentable));
    }
    return bytes;
}

bool isWindows1252(const QString& text) {
    for (const uint codePoint : text.toUcs4()) {
        if (!windows1252Of(codePoint)) {
            return false;
        }
    }
    return true;
}

}  // namespace framework::qt
