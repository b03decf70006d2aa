// The one crossing between the program's Windows-1252 bytes and the UTF-16
// of the W functions. It always names code page 1252, so the program's text
// is the same whatever ANSI code page the system has.
#pragma once

#include <string>
#include <string_view>

namespace framework::win32 {

// Every byte maps to one UTF-16 unit, as Windows maps code page 1252.
std::wstring fromWindows1252(std::string_view bytes);

// Characters that 1252 cannot hold (a surrogate pair counts as one) become
// `unrepresentable`.
std::string toWindows1252(std::wstring_view text, char unrepresentable);

// Whether code page 1252 has a byte for the UTF-16 unit.
bool isWindows1252(wchar_t unit);

// UTF-16 to UTF-8 and back, for automation's UTF-8 protocol.
std::string toUtf8(std::wstring_view text);
std::wstring fromUtf8(std::string_view text);

}  // namespace framework::win32
