#include "dictionary/sixpackDecode.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>

#include "dictionary/SixpackFormat.h"

namespace {

using sixpack::HuffmanModel;

// Reads the stream most significant bit of each byte first, through a 64-bit
// buffer filled a word at a time, and reports the end of the input instead of
// reading past it.
class BitReader {
public:
    BitReader(const std::uint8_t* input, std::size_t size) : input_(input), size_(size) {}

    // One bit, or nothing when the input has run out.
    std::optional<int> bit() {
        if (count_ == 0 && !refill()) {
            return std::nullopt;
        }
        const int value = static_cast<int>(buffer_ >> 63);
        buffer_ <<= 1;
        --count_;
        return value;
    }

    // The next `n` bits (1 to 16), the first of them as the least significant
    // bit, or nothing when the input runs out before them.
    std::optional<int> bitsLeastFirst(int n) {
        if (count_ < n && (refill(), count_ < n)) {
            return std::nullopt;
        }
        const auto firstMost = static_cast<unsigned>(buffer_ >> (64 - n));
        buffer_ <<= n;
        count_ -= n;
        return static_cast<int>(reversed16(firstMost) >> (16 - n));
    }

private:
    static constexpr std::array<std::uint8_t, 256> kReversedBytes = [] {
        std::array<std::uint8_t, 256> table{};
        for (unsigned byte = 0; byte < 256; ++byte) {
            unsigned reversed = 0;
            for (unsigned bit = 0; bit < 8; ++bit) {
                reversed |= (byte >> bit & 1u) << (7 - bit);
            }
            table[byte] = static_cast<std::uint8_t>(reversed);
        }
        return table;
    }();

    // The low 16 bits of `value` in reverse order.
    static unsigned reversed16(unsigned value) {
        return unsigned{kReversedBytes[value & 0xFFu]} << 8 | kReversedBytes[value >> 8 & 0xFFu];
    }

    static std::uint64_t bigEndianWord(const std::uint8_t* bytes) {
        std::uint64_t word;
        std::memcpy(&word, bytes, sizeof word);
        if constexpr (std::endian::native == std::endian::little) {
            word = __builtin_bswap64(word);
        }
        return word;
    }

    // Tops the buffer up to at least 57 bits, or with all the input that is
    // left. False when the buffer stays empty.
    bool refill() {
        const int room = (63 - count_) / 8;  // whole bytes that fit, at least 1
        if (size_ - position_ >= sizeof(std::uint64_t)) {
            const std::uint64_t bytes = bigEndianWord(input_ + position_) & ~(~0ull >> (8 * room));
            buffer_ |= bytes >> count_;
            position_ += static_cast<std::size_t>(room);
            count_ += 8 * room;
        } else {
            for (int i = 0; i < room && position_ < size_; ++i) {
                buffer_ |= std::uint64_t{input_[position_++]} << (56 - count_);
                count_ += 8;
            }
        }
        return count_ > 0;
    }

    const std::uint8_t* input_;  // first byte of the stream
    std::size_t size_;           // bytes in the stream
    std::size_t position_ = 0;   // next byte to load
    std::uint64_t buffer_ = 0;   // unread bits from bit 63 down; the bits below them are 0
    int count_ = 0;              // unread bits in buffer_, 0 to 63
};

// The whole state of one decoding run. The output buffer itself serves as the
// sliding window: every byte a copy may reach is still there.
struct Decoder {
    BitReader reader;           // the stream
    HuffmanModel model;         // the adaptive code, updated after every symbol
    HuffmanModel::Path path;    // the nodes from the root to the last symbol's leaf
    std::uint8_t* output;       // caller's buffer
    std::uint32_t capacity;     // room in output
    std::uint32_t written = 0;  // bytes written to output, never above capacity

    // Walks from the root to a leaf, one bit an edge, noting the path. The
    // reader and the depth are worked on in local copies, which the compiler
    // keeps in registers: the members are in memory that the model's update
    // may reach.
    std::optional<int> readSymbol() {
        BitReader bits = reader;
        std::size_t node = HuffmanModel::kRoot;
        int depth = 0;
        std::optional<int> b;
        do {
            path.nodes[static_cast<std::size_t>(depth++)] = static_cast<std::uint16_t>(node);
            b = bits.bit();
            if (!b) {
                break;
            }
            node = model.child(node, static_cast<std::size_t>(*b));
        } while (!HuffmanModel::isLeaf(static_cast<int>(node)));
        reader = bits;
        if (!b) {
            return std::nullopt;
        }
        path.nodes[static_cast<std::size_t>(depth++)] = static_cast<std::uint16_t>(node);
        path.length = depth;
        return HuffmanModel::symbolOf(static_cast<int>(node));
    }

    // Copies `length` bytes that begin `distance` bytes before the write
    // position, or as many of them as there is room for. The source ends a
    // gap of 0 or more bytes before the write position, so the two never
    // overlap. A damaged stream may reach back before the first byte
    // written: that part of the window was never filled and reads as 0.
    void copy(std::uint32_t distance, std::uint32_t length) {
        const std::uint32_t count = std::min(length, capacity - written);
        std::uint8_t* destination = output + written;
        if (distance <= written) {
            std::memcpy(destination, destination - distance, count);
        } else {
            for (std::uint32_t at = written; at < written + count; ++at) {
                output[at] = at >= distance ? output[at - distance] : 0;
            }
        }
        written += count;
    }

    std::uint32_t run() {
        for (;;) {
            const std::optional<int> symbol = readSymbol();
            if (!symbol) {
                return written;  // the stream was cut short
            }
            model.update(path);
            if (*symbol == sixpack::kEndCode) {
                return written;
            }
            if (*symbol < sixpack::kEndCode) {
                if (written >= capacity) {
                    return written;
                }
                output[written++] = static_cast<std::uint8_t>(*symbol);
                continue;
            }
            const int code = *symbol - sixpack::kFirstCopyCode;
            const int range = code / sixpack::kCopyCodesPerRange;
            const int length = code - sixpack::kCopyCodesPerRange * range + sixpack::kMinCopy;
            const sixpack::GapRange& gapRange =
                sixpack::kGapRanges[static_cast<std::size_t>(range)];
            const std::optional<int> offset = reader.bitsLeastFirst(gapRange.bits);
            if (!offset) {
                return written;
            }
            copy(static_cast<std::uint32_t>(*offset + gapRange.smallest + length),
                 static_cast<std::uint32_t>(length));
        }
    }
};

}  // namespace

std::uint32_t sixpackDecode(const std::uint8_t* input, std::size_t inputSize, std::uint8_t* output,
                            std::uint32_t capacity) {
    Decoder decoder{BitReader(input, inputSize), HuffmanModel(), {}, output, capacity};
    return decoder.run();
}
