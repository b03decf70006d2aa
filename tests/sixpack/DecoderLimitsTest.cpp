// The decoder's limits: it never writes past the capacity and never reads past
// the end of its input, whatever the stream holds.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "dictionary/SixpackFormat.h"
#include "dictionary/sixpackDecode.h"
#include "tools/sixpackEncode/SixpackEncoder.h"

namespace {

constexpr std::uint8_t kGuard = 0xA5;

// A text with many copies of every length, so that capacities fall inside
// copies as often as on literals.
std::vector<std::uint8_t> textWithCopies() {
    std::string text;
    for (int i = 0; i < 40; ++i) {
        text += "Abbildung";
        text.push_back('\0');
        text += std::string(static_cast<std::size_t>(i % 7 + 1), 'x');
        text += "Abbild";
        text.push_back('\0');
    }
    text += ".";
    text.push_back('\0');
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

TEST(DecoderCapacity, StopsAtEveryCapacityWithTheLeadingBytes) {
    const std::vector<std::uint8_t> text = textWithCopies();
    const std::vector<std::uint8_t> blob = sixpack::encode(text);
    for (std::uint32_t capacity = 0; capacity <= text.size() + 2; ++capacity) {
        std::vector<std::uint8_t> out(text.size() + 8, kGuard);
        const std::uint32_t n = sixpackDecode(blob.data(), blob.size(), out.data(), capacity);
        const std::uint32_t expected =
            std::min<std::uint32_t>(capacity, static_cast<std::uint32_t>(text.size()));
        ASSERT_EQ(n, expected) << "capacity " << capacity;
        EXPECT_TRUE(std::equal(text.begin(), text.begin() + n, out.begin())) << capacity;
        for (std::size_t i = n; i < out.size(); ++i) {
            ASSERT_EQ(out[i], kGuard) << "byte " << i << " written at capacity " << capacity;
        }
    }
}

TEST(DecoderCapacity, ZeroCapacityWritesNothing) {
    const std::uint8_t abcabc[] = {0x6B, 0x46, 0xC2, 0xEC, 0x08, 0x20};
    std::uint8_t out[8];
    std::fill(std::begin(out), std::end(out), kGuard);
    EXPECT_EQ(sixpackDecode(abcabc, sizeof abcabc, out, 0), 0u);
    EXPECT_EQ(out[0], kGuard);
}

// Every prefix of a valid stream: the bytes decoded before the cut are the
// text's leading bytes, and the decoder reads only the bytes it was given
// (the sanitizer build turns a read past the heap block into a failure).
TEST(DecoderInput, TruncatedStreamsEndWithWhatWasDecoded) {
    const std::vector<std::uint8_t> text = textWithCopies();
    const std::vector<std::uint8_t> blob = sixpack::encode(text);
    std::uint32_t previous = 0;
    for (std::size_t cut = 0; cut < blob.size(); ++cut) {
        std::vector<std::uint8_t> truncated(blob.begin(), blob.begin() + static_cast<long>(cut));
        std::vector<std::uint8_t> out(text.size(), kGuard);
        const std::uint32_t n = sixpackDecode(truncated.data(), truncated.size(), out.data(),
                                              static_cast<std::uint32_t>(out.size()));
        ASSERT_LE(n, text.size()) << cut;
        ASSERT_GE(n, previous) << "more input never decodes less, cut " << cut;
        EXPECT_TRUE(std::equal(out.begin(), out.begin() + n, text.begin())) << cut;
        previous = n;
    }
    EXPECT_LT(
        sixpackDecode(blob.data(), blob.size() / 2, std::vector<std::uint8_t>(text.size()).data(),
                      static_cast<std::uint32_t>(text.size())),
        text.size());
}

// Sends symbols through the model as the encoder does, so that a test can
// make streams that the encoder never makes.
class StreamBuilder {
public:
    StreamBuilder& symbol(int s) {
        std::vector<int> path;
        for (int node = sixpack::HuffmanModel::leafOf(s); node != sixpack::HuffmanModel::kRoot;
             node = model_.parent(node)) {
            path.push_back(model_.right(model_.parent(node)) == node ? 1 : 0);
        }
        for (auto b = path.rbegin(); b != path.rend(); ++b) {
            put(*b);
        }
        model_.update(s);
        return *this;
    }

    // A copy code and its gap's offset in the range's extra bits.
    StreamBuilder& copy(int range, int length, int offset) {
        symbol(sixpack::copyCode(range, length));
        for (int i = 0; i < sixpack::kGapRanges[static_cast<std::size_t>(range)].bits; ++i) {
            put((offset >> i) & 1);
        }
        return *this;
    }

    std::vector<std::uint8_t> bytes() const { return bytes_; }

private:
    void put(int bit) {
        if (used_ % 8 == 0) {
            bytes_.push_back(0);
        }
        bytes_.back() = static_cast<std::uint8_t>(bytes_.back() | bit << (7 - used_ % 8));
        ++used_;
    }

    sixpack::HuffmanModel model_;
    std::vector<std::uint8_t> bytes_;
    int used_ = 0;
};

// The encoder never copies from before the first byte, but a damaged stream
// can: those bytes were never written and read as 0, and the copy goes on
// into the bytes that were.
TEST(DecoderInput, CopyFromBeforeTheFirstByteReadsZeros) {
    // Gap 0 and length 3 after two bytes: the source starts one byte early.
    const std::vector<std::uint8_t> stream =
        StreamBuilder().symbol('a').symbol('b').copy(0, 3, 0).symbol(sixpack::kEndCode).bytes();
    std::vector<std::uint8_t> out(8, kGuard);
    ASSERT_EQ(sixpackDecode(stream.data(), stream.size(), out.data(), 8), 5u);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{'a', 'b', 0, 'a', 'b', kGuard, kGuard, kGuard}));
}

TEST(DecoderInput, RandomStreamsStayInBounds) {
    std::mt19937 bytes(20261207);
    for (int round = 0; round < 400; ++round) {
        std::vector<std::uint8_t> stream(static_cast<std::size_t>(bytes() % 3000));
        for (auto& b : stream) {
            b = static_cast<std::uint8_t>(bytes());
        }
        const auto capacity = static_cast<std::uint32_t>(bytes() % 5000);
        std::vector<std::uint8_t> out(capacity + 4, kGuard);
        const std::uint32_t n = sixpackDecode(stream.data(), stream.size(), out.data(), capacity);
        ASSERT_LE(n, capacity);
        for (std::size_t i = capacity; i < out.size(); ++i) {
            ASSERT_EQ(out[i], kGuard);
        }
    }
}

}  // namespace
