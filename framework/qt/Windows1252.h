// The one crossing between the program's Windows-1252 bytes and Unicode.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace framework::qt {

// Every byte maps to one character; the five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same
// value, as Windows itself does.
QString fromWindows1252(std::string_view bytes);

// Characters that Windows-1252 cannot hold become `unrepresentable`.
std::string toWindows1252(const QString& text, char unrepresentable);

// True when every character of `text` has a Windows-1252 byte.
bool isWindows1252(const QString& text);

}  // namespace framework::qt
