#include "tools/dictionaryText/DictionaryText.h"

#include <array>
#include <optional>
#include <utility>

#include "dictionary/WordLength.h"

namespace dictionary_text {
namespace {

// The seven letters beyond ASCII, as UTF-8 and as Windows-1252.
constexpr std::array<std::pair<std::string_view, char>, 7> kUmlauts = {{
    {"\xC3\x84", '\xC4'},  // Ä
    {"\xC3\x96", '\xD6'},  // Ö
    {"\xC3\x9C", '\xDC'},  // Ü
    {"\xC3\x9F", '\xDF'},  // ß
    {"\xC3\xA4", '\xE4'},  // ä
    {"\xC3\xB6", '\xF6'},  // ö
    {"\xC3\xBC", '\xFC'},  // ü
}};

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The word in Windows-1252, or nothing when a character is not a letter.
std::optional<std::string> toWindows1252(std::string_view word) {
    std::string bytes;
    while (!word.empty()) {
        if (isAsciiLetter(word.front())) {
            bytes.push_back(word.front());
            word.remove_prefix(1);
            continue;
        }
        bool found = false;
        for (const auto& [utf8, byte] : kUmlauts) {
            if (word.starts_with(utf8)) {
                bytes.push_back(byte);
                word.remove_prefix(utf8.size());
                found = true;
                break;
            }
        }
        if (!found) {
            return std::nullopt;
        }
    }
    return bytes;
}

// Unsigned byte order, a prefix before the longer word.
bool lessBytes(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) {
            return x < y;
        }
    }
    return a.size() < b.size();
}

}  // namespace

Result fromWordList(std::string_view utf8Lines) {
    Result result;
    std::string previous;
    int lineNumber = 0;
    auto fail = [&](const std::string& what) {
        return Result{{}, "line " + std::to_string(lineNumber) + ": " + what};
    };
    while (!utf8Lines.empty()) {
        ++lineNumber;
        const std::size_t end = utf8Lines.find('\n');
        std::string_view line = utf8Lines.substr(0, end);
        utf8Lines.remove_prefix(end == std::string_view::npos ? utf8Lines.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const bool beginner = line.starts_with(':');
        if (beginner) {
            line.remove_prefix(1);
        }
        if (line.empty()) {
            return fail("empty word");
        }
        const std::optional<std::string> word = toWindows1252(line);
        if (!word) {
            return fail("not a word of letters: " + std::string(line));
        }
        if (word->size() > kMaxWordLength) {
            return fail(std::to_string(word->size()) + " letters, more than the game holds (" +
                        std::to_string(kMaxWordLength) + ")");
        }
        if (lineNumber > 1 && !lessBytes(previous, *word)) {
            return fail("out of order or repeated: " + std::string(line));
        }
        if (beginner) {
            result.text.push_back(':');
        }
        result.text += *word;
        result.text.push_back('\0');
        previous = *word;
    }
    if (lineNumber == 0) {
        return Result{{}, "no words"};
    }
    result.text += ".";
    result.text.push_back('\0');
    return result;
}

}  // namespace dictionary_text
