// The message box for test programs of the rules, which link no window
// system: the box's caption, text and type go to standard error as
// "[caption|text|type]", the Windows-1252 text as UTF-8, so that a death
// test can read what the program would have shown.
#include <cstdio>
#include <string>

#include "framework/MessageBox.h"

namespace {

// Windows-1252 and Latin-1 agree on the letters the program's texts use.
std::string utf8(const char* text) {
    std::string out;
    for (const char* p = text; *p != '\0'; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    std::fprintf(stderr, "[%s|%s|0x%X]\n", utf8(caption).c_str(), utf8(text).c_str(), type);
    std::fflush(stderr);
    return IDOK;
}
