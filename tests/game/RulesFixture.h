// Word lists made in a test for the rules, which run without any window.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "dictionary/CWordList.h"
#include "random/Random.h"
#include "tests/wordlist/WordListText.h"

namespace rules_test {

// A word list over `words` (a leading ':' marks a beginner word) that keeps
// its text alive.
class TestWords {
public:
    TestWords(std::initializer_list<std::string> words)
        : m_text(test::dictionaryText(words)), m_list(test::span(m_text)) {}
    CWordList& list() { return m_list; }

private:
    std::string m_text;
    CWordList m_list;
};

// The value the generator gives after `draws` draws from `seed`.
inline std::uint32_t valueAfterDraws(std::uint32_t seed, int draws) {
    SeedRandom(seed);
    for (int i = 0; i < draws; ++i) {
        NextRandom();
    }
    return NextRandom();
}

}  // namespace rules_test
