#include "framework/qt/Windows1252.h"

#include <QList>

#include <array>
#include <optional>

namespace framework::qt {
namespace {

// 0x80 to 0x9F are the only bytes that differ from Latin-1.
constexpr std::array<char16_t, 32> kHighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80-0x87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88-0x8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90-0x97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98-0x9F
};

char16_t toUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControlBlock[byte - 0x80u];
    }
    return byte;
}

std::optional<char> toByte(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return static_cast<char>(unit);
    }
    for (std::size_t i = 0; i < kHighControlBlock.size(); ++i) {
        if (kHighControlBlock[i] == unit) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

}  // namespace

QString fromWindows1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char byte : bytes) {
        text.append(QChar(toUnicode(static_cast<unsigned char>(byte))));
    }
    return text;
}

std::string toWindows1252(const QString& text, char unrepresentable) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    // Walk by code point so that a character outside the Basic Multilingual
    // Plane becomes one replacement byte, not two.
    for (const uint codePoint : text.toUcs4()) {
        std::optional<char> byte =
            codePoint <= 0xFFFF ? toByte(static_cast<char16_t>(codePoint)) : std::nullopt;
        bytes.push_back(byte.value_or(unrepresentable));
    }
    return bytes;
}

bool isWindows1252(const QString& text) {
    for (const uint codePoint : text.toUcs4()) {
        if (codePoint > 0xFFFF || !toByte(static_cast<char16_t>(codePoint))) {
            return false;
        }
    }
    return true;
}

}  // namespace framework::qt
