// Windows-1252, the code page of all the program's text, character by
// character: the table for back ends whose window system has no such code
// page of its own.
#pragma once

#include <optional>

namespace framework {

// Every byte maps to one character; the five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same
// value, as Windows itself does.
char32_t unicodeOfWindows1252(unsigned char byte);

// The byte of a Unicode character, or nothing when Windows-1252 lacks it.
std::optional<char> windows1252Of(char32_t character);

}  // namespace framework
