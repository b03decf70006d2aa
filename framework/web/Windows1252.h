// The one crossing between the program's Windows-1252 bytes and the page's
// Unicode (as UTF-8).
#pragma once

#include <string>
#include <string_view>

namespace framework::web {

// Every byte maps to one character; the five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same
// value, as Windows itself does.
std::string FromWindows1252(std::string_view bytes);

// Characters that Windows-1252 cannot hold (and malformed UTF-8) become
// `unrepresentable`.
std::string ToWindows1252(std::string_view utf8, char unrepresentable = '?');

// The code point of a UTF-8 text that holds exactly one, well formed; 0
// otherwise.
char32_t SingleCodePoint(std::string_view utf8);

}  // namespace framework::web
