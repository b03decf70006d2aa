// Encoder and decoder must stay in step over long texts, through many
// halvings of the model's counts and copies from every distance range.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "dictionary/DictionaryBlob.h"
#include "dictionary/sixpackDecode.h"
#include "tools/sixpackEncode/SixpackEncoder.h"

namespace {

std::vector<std::uint8_t> decode(const std::vector<std::uint8_t>& blob, std::size_t capacity) {
    std::vector<std::uint8_t> out(capacity);
    out.resize(
        sixpackDecode(blob.data(), blob.size(), out.data(), static_cast<std::uint32_t>(capacity)));
    return out;
}

// Words from a small alphabet with skewed letter frequencies, repeated at
// every distance up to well beyond the window.
std::vector<std::uint8_t> randomText(std::uint32_t seed, std::size_t size) {
    std::mt19937 random(seed);
    std::discrete_distribution<int> letter({40, 30, 20, 15, 10, 8, 6, 4, 3, 2, 1, 1});
    std::vector<std::uint8_t> text;
    std::vector<std::vector<std::uint8_t>> words;
    while (text.size() < size) {
        if (!words.empty() && random() % 3 == 0) {
            const auto& w = words[random() % words.size()];
            text.insert(text.end(), w.begin(), w.end());
        } else {
            std::vector<std::uint8_t> w(4 + random() % 20);
            for (auto& c : w) {
                c = static_cast<std::uint8_t>(random() % 9 == 0
                                                  ? random() % 256
                                                  : static_cast<unsigned>('a' + letter(random)));
            }
            text.insert(text.end(), w.begin(), w.end());
            words.push_back(std::move(w));
        }
        text.push_back(0);
    }
    return text;
}

TEST(RoundTrip, RandomTextsSurviveEveryParsing) {
    for (std::uint32_t seed : {1u, 2u}) {
        const std::vector<std::uint8_t> text = randomText(seed, 120000);
        for (auto parsing : {sixpack::Parsing::Greedy, sixpack::Parsing::Lazy,
                             sixpack::Parsing::CostLazy, sixpack::Parsing::Optimal}) {
            const std::vector<std::uint8_t> blob = sixpack::encode(text, parsing);
            EXPECT_EQ(decode(blob, text.size()), text) << "seed " << seed;
        }
    }
}

TEST(RoundTrip, LongRunsAndUniformBytes) {
    std::vector<std::uint8_t> text(70000, 'z');
    std::mt19937 random(99);
    for (int i = 0; i < 70000; ++i) {
        text.push_back(static_cast<std::uint8_t>(random()));
    }
    EXPECT_EQ(decode(sixpack::encode(text), text.size()), text);
}

// The blob compiled into the program decodes to the dictionary text that the
// build made from the word list, and ends as the text layout requires.
TEST(RoundTrip, BuiltInBlobMatchesTheWordList) {
    std::ifstream in(LEXODROM_DICTIONARY_TEXT, std::ios::binary);
    ASSERT_TRUE(in) << LEXODROM_DICTIONARY_TEXT;
    const std::vector<std::uint8_t> text((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
    ASSERT_EQ(text.size(), kDictionaryTextSize);

    const std::vector<std::uint8_t> blob(kDictionaryBlob, kDictionaryBlob + kDictionaryBlobSize);
    const std::vector<std::uint8_t> decoded = decode(blob, kDictionaryTextSize);
    ASSERT_EQ(decoded.size(), kDictionaryTextSize);
    EXPECT_TRUE(decoded == text);
    EXPECT_EQ(decoded[decoded.size() - 3], 0);
    EXPECT_EQ(decoded[decoded.size() - 2], '.');
    EXPECT_EQ(decoded[decoded.size() - 1], 0);
}

}  // namespace
