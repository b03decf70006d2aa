// The stream format checked by a decoder of its own: the program's encoder and
// decoder share one model, so a fault in it survives their round trips.
#include "tests/sixpack/ReferenceDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "dictionary/DictionaryBlob.h"
#include "dictionary/sixpackDecode.h"
#include "tools/sixpackEncode/SixpackEncoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const char* text) {
    return Bytes(text, text + std::char_traits<char>::length(text));
}

Bytes programDecode(const Bytes& stream, std::size_t capacity) {
    Bytes text(capacity);
    const std::uint32_t written = sixpackDecode(stream.data(), stream.size(), text.data(),
                                                static_cast<std::uint32_t>(capacity));
    text.resize(std::min<std::size_t>(written, capacity));
    return text;
}

// The smallest and largest gap of each distance range.
constexpr std::array<std::array<std::size_t, 2>, 6> kGapRanges{
    {{0, 15}, {16, 79}, {80, 335}, {336, 1359}, {1360, 5455}, {5456, 21839}}};

// A text whose greedy encoding copies from the smallest, the next and the
// largest gap of every range: each probe is a block of fresh random bytes
// followed by its own first 64 bytes, whose only source then lies exactly
// `gap` bytes back. Runs of one byte, broken by single random bytes, follow:
// their copy code grows so frequent that its leaf hangs from the root and is
// counted there alone, so the root's count jumps past the limit at times.
Bytes coverageText() {
    std::mt19937 random(20261207);
    Bytes text;
    const auto appendRandom = [&](std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            text.push_back(static_cast<std::uint8_t>(random() >> 24));
        }
    };
    for (const auto& [smallest, largest] : kGapRanges) {
        for (const std::size_t gap : {smallest, smallest + 1, largest}) {
            const std::size_t start = text.size();
            appendRandom(gap + 64);
            const Bytes head(text.begin() + static_cast<std::ptrdiff_t>(start),
                             text.begin() + static_cast<std::ptrdiff_t>(start + 64));
            text.insert(text.end(), head.begin(), head.end());
        }
    }
    for (int run = 0; run < 100; ++run) {
        text.insert(text.end(), 2000, 'a');
        appendRandom(1);
    }
    return text;
}

// The reference decoder itself checked against streams known by heart: the
// first symbol read with the initial tree, a copy with gap 0, the end code.
TEST(ReferenceDecoder, DecodesTheWorkedStreams) {
    const struct {
        Bytes stream;
        const char* text;
    } cases[] = {
        {{0x6B, 0x46, 0xC2, 0xEA}, "abc"},
        {{0x6B, 0x46, 0xC2, 0xEC, 0x08, 0x20}, "abcabc"},
        {{0x6B, 0x19, 0x2B, 0xB0, 0x50, 0x08}, "aaaaaaaa"},
    };
    for (const auto& [stream, text] : cases) {
        const test::ReferenceDecoding decoding = test::referenceDecode(stream, 100);
        EXPECT_TRUE(decoding.ended) << text;
        EXPECT_EQ(decoding.text, bytesOf(text));
    }
}

TEST(ReferenceDecoder, BuiltinBlobGivesTheDictionaryText) {
    std::ifstream file(LEXODROM_DICTIONARY_TEXT, std::ios::binary);
    ASSERT_TRUE(file) << LEXODROM_DICTIONARY_TEXT;
    const Bytes dictionaryText{std::istreambuf_iterator<char>(file), {}};
    ASSERT_EQ(dictionaryText.size(), kDictionaryTextSize);
    const Bytes blob(kDictionaryBlob, kDictionaryBlob + kDictionaryBlobSize);

    const test::ReferenceDecoding reference = test::referenceDecode(blob, kDictionaryTextSize);
    EXPECT_TRUE(reference.ended);
    EXPECT_TRUE(reference.text == dictionaryText) << "the reference decoder disagrees";
    EXPECT_TRUE(programDecode(blob, kDictionaryTextSize) == dictionaryText)
        << "sixpackDecode disagrees";
}

TEST(ReferenceDecoder, EncoderStreamsCopyFromEveryRangeAndHalveOften) {
    const Bytes text = coverageText();
    const Bytes stream = sixpack::encode(text, sixpack::Parsing::Greedy);

    const test::ReferenceDecoding reference = test::referenceDecode(stream, text.size());
    EXPECT_TRUE(reference.ended);
    EXPECT_TRUE(reference.text == text) << "the reference decoder disagrees";
    EXPECT_TRUE(programDecode(stream, text.size()) == text) << "sixpackDecode disagrees";

    // The text must keep reaching what it was made for. Where the root passes
    // over the limit, a halving at or above it would run and the streams part.
    for (std::size_t range = 0; range < kGapRanges.size(); ++range) {
        EXPECT_GE(reference.copies[range], 3u) << "range " << range;
        EXPECT_GE(reference.lopsidedOffsets[range], 1u) << "range " << range;
    }
    EXPECT_EQ(reference.largestGap, kGapRanges.back()[1]);
    EXPECT_GE(reference.halvings, 20u);
    EXPECT_GE(reference.limitsPassedOver, 1u);
}

}  // namespace
