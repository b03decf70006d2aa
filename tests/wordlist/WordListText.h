// Builds a decoded dictionary text from words, for word lists made in a test.
#pragma once

#include <initializer_list>
#include <span>
#include <string>

namespace test {

// Words as they stand in the text, a leading ':' marking a beginner word;
// each is ended by a NUL and the text by ".", NUL.
inline std::string dictionaryText(std::initializer_list<std::string> words) {
    std::string text;
    for (const std::string& word : words) {
        text += word;
        text.push_back('\0');
    }
    text += '.';
    text.push_back('\0');
    return text;
}

inline std::span<const char> span(const std::string& text) {
    return {text.data(), text.size()};
}

}  // namespace test
