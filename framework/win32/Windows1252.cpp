#include "framework/win32/Windows1252.h"

#include <windows.h>

namespace framework::win32 {
namespace {

constexpr UINT kWindows1252 = 1252;

bool isHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(wchar_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::wstring fromWindows1252(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    std::wstring text(bytes.size(), L'\0');
    const int length =
        MultiByteToWideChar(kWindows1252, 0, bytes.data(), static_cast<int>(bytes.size()),
                            text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

bool isWindows1252(wchar_t unit) {
    if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
        return false;
    }
    char byte = 0;
    BOOL usedDefault = FALSE;
    // No best fit: "ő" must not quietly become "o".
    const int length = WideCharToMultiByte(kWindows1252, WC_NO_BEST_FIT_CHARS, &unit, 1, &byte, 1,
                                           nullptr, &usedDefault);
    return length == 1 && usedDefault == FALSE;
}

std::string toWindows1252(std::wstring_view text, char unrepresentable) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t unit = text[i];
        if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            ++i;  // one character, one byte
            bytes.push_back(unrepresentable);
            continue;
        }
        if (!isWindows1252(unit)) {
            bytes.push_back(unrepresentable);
            continue;
        }
        char byte = 0;
        WideCharToMultiByte(kWindows1252, WC_NO_BEST_FIT_CHARS, &unit, 1, &byte, 1, nullptr,
                            nullptr);
        bytes.push_back(byte);
    }
    return bytes;
}

std::string toUtf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

std::wstring fromUtf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

}  // namespace framework::win32
