// The published example streams pin the bit order, the initial tree, the model
// update and the copy coding together: a fault in any of them changes bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary/sixpackDecode.h"
#include "tools/sixpackEncode/SixpackEncoder.h"

namespace {

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

struct WorkedStream {
    std::string text;
    std::vector<std::uint8_t> blob;
};

const WorkedStream kWorkedStreams[] = {
    {"abc", {0x6B, 0x46, 0xC2, 0xEA}},
    {"abcabc", {0x6B, 0x46, 0xC2, 0xEC, 0x08, 0x20}},
    {"aaaaaaaa", {0x6B, 0x19, 0x2B, 0xB0, 0x50, 0x08}},
};

TEST(WorkedStreams, EncoderSendsTheKnownBytes) {
    for (const WorkedStream& w : kWorkedStreams) {
        EXPECT_EQ(sixpack::encode(bytesOf(w.text)), w.blob) << w.text;
        EXPECT_EQ(sixpack::encode(bytesOf(w.text), sixpack::Parsing::Greedy), w.blob) << w.text;
    }
}

TEST(WorkedStreams, DecoderGivesBackTheText) {
    for (const WorkedStream& w : kWorkedStreams) {
        std::vector<std::uint8_t> out(w.text.size());
        const std::uint32_t n = sixpackDecode(w.blob.data(), w.blob.size(), out.data(),
                                              static_cast<std::uint32_t>(out.size()));
        EXPECT_EQ(n, w.text.size()) << w.text;
        EXPECT_EQ(std::string(out.begin(), out.end()), w.text);
    }
}

// "A" is leaf 694 = 1010110110 in the initial tree: its path from the root is
// 010110110. Followed only by zero padding, the stream ends before a second
// symbol is complete.
TEST(WorkedStreams, FirstSymbolIsReadWithTheInitialTree) {
    const std::uint8_t stream[] = {0b01011011, 0b00000000};
    std::uint8_t out[4] = {0, 0, 0, 0};
    EXPECT_EQ(sixpackDecode(stream, sizeof stream, out, sizeof out), 1u);
    EXPECT_EQ(out[0], 'A');
    EXPECT_EQ(out[1], 0);

    const std::vector<std::uint8_t> encoded = sixpack::encode(bytesOf("A"));
    ASSERT_GE(encoded.size(), 2u);
    EXPECT_EQ(encoded[0], 0b01011011);
    EXPECT_EQ(encoded[1] & 0x80, 0);
}

// The end code (leaf 885 = 1101110101) is the whole stream of an empty text.
TEST(WorkedStreams, EmptyTextIsTheEndCodeAlone) {
    const std::vector<std::uint8_t> encoded = sixpack::encode({});
    EXPECT_EQ(encoded, (std::vector<std::uint8_t>{0b10111010, 0b10000000}));
    std::uint8_t out[1] = {0x55};
    EXPECT_EQ(sixpackDecode(encoded.data(), encoded.size(), out, sizeof out), 0u);
    EXPECT_EQ(out[0], 0x55);
}

}  // namespace
