#include "framework/web/Windows1252.h"

#include "framework/Windows1252.h"

namespace framework::web {
namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The next code point of `text` at `i`, or U+FFFD for a malformed sequence.
char32_t nextCodePoint(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    int extra = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        c = lead & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return 0xFFFD;
        }
        c = (c << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    return c;
}

}  // namespace

std::string FromWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char byte : bytes) {
        appendUtf8(out, unicodeOfWindows1252(static_cast<unsigned char>(byte)));
    }
    return out;
}

std::string ToWindows1252(std::string_view utf8, char unrepresentable) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        out += windows1252Of(nextCodePoint(utf8, i)).value_or(unrepresentable);
    }
    return out;
}

char32_t SingleCodePoint(std::string_view utf8) {
    if (utf8.empty()) {
        return 0;
    }
    std::size_t i = 0;
    const char32_t c = nextCodePoint(utf8, i);
    return i == utf8.size() && c != 0xFFFD ? c : 0;
}

}  // namespace framework::web
