#include "dictionary/sixpackDecode.h"

#include <memory>
#include <new>
#include <optional>

#include "dictionary/SixpackFormat.h"

namespace {

using sixpack::HuffmanModel;

// Reads the stream bit by bit, most significant bit of each byte first, and
// reports the end of the input instead of reading past it.
class BitReader {
public:
    BitReader(const std::uint8_t* input, std::size_t size) : input_(input), size_(size) {}

    std::optional<int> bit() {
        if (bitsLeft_ == 0) {
            if (position_ == size_) {
                return std::nullopt;
            }
            buffer_ = input_[position_++];
            bitsLeft_ = 8;
        }
        const int value = (buffer_ >> 7) & 1;
        buffer_ = static_cast<std::uint8_t>(buffer_ << 1);
        --bitsLeft_;
        return value;
    }

private:
    const std::uint8_t* input_;  // first byte of the stream
    std::size_t size_;           // bytes in the stream
    std::size_t position_ = 0;   // next byte to load
    std::uint8_t buffer_ = 0;    // unread bits, aligned to bit 7
    int bitsLeft_ = 0;           // unread bits in buffer_, 0 to 8
};

// The whole state of one decoding run.
struct Decoder {
    BitReader reader;
    HuffmanModel model;
    std::unique_ptr<std::uint8_t[]> window;  // the last kWindowSize bytes written
    int windowPosition = 0;                  // where the next byte goes in window
    std::uint8_t* output;                    // caller's buffer
    std::uint32_t capacity;                  // room in output
    std::uint32_t written = 0;               // bytes written to output

    // Walks from the root to a leaf, one bit an edge.
    std::optional<int> readSymbol() {
        int node = HuffmanModel::kRoot;
        while (!HuffmanModel::isLeaf(node)) {
            const std::optional<int> b = reader.bit();
            if (!b) {
                return std::nullopt;
            }
            node = *b != 0 ? model.right(node) : model.left(node);
        }
        return HuffmanModel::symbolOf(node);
    }

    // The range's extra bits, least significant first.
    std::optional<int> readOffset(int bits) {
        int offset = 0;
        for (int i = 0; i < bits; ++i) {
            const std::optional<int> b = reader.bit();
            if (!b) {
                return std::nullopt;
            }
            offset |= *b << i;
        }
        return offset;
    }

    static int wrap(int position) {
        return position >= sixpack::kWindowSize ? position - sixpack::kWindowSize : position;
    }

    void emit(std::uint8_t byte, int windowSlot) {
        output[written++] = byte;
        window[static_cast<std::size_t>(windowSlot)] = byte;
    }

    // Copies `length` bytes that end `gap` bytes before the write position.
    void copy(int gap, int length) {
        int source = windowPosition - (gap + length);
        if (source < 0) {
            source += sixpack::kWindowSize;
        }
        int destination = windowPosition;
        for (int i = 0; i < length && written < capacity; ++i) {
            emit(window[static_cast<std::size_t>(source)], destination);
            source = wrap(source + 1);
            destination = wrap(destination + 1);
        }
        windowPosition = wrap(windowPosition + length);
    }

    std::uint32_t run() {
        for (;;) {
            const std::optional<int> symbol = readSymbol();
            if (!symbol) {
                return written;  // the stream was cut short
            }
            model.update(*symbol);
            if (*symbol == sixpack::kEndCode) {
                return written;
            }
            if (*symbol < sixpack::kEndCode) {
                if (written >= capacity) {
                    return written;
                }
                emit(static_cast<std::uint8_t>(*symbol), windowPosition);
                windowPosition = wrap(windowPosition + 1);
                continue;
            }
            const int code = *symbol - sixpack::kFirstCopyCode;
            const int range = code / sixpack::kCopyCodesPerRange;
            const int length = code - sixpack::kCopyCodesPerRange * range + sixpack::kMinCopy;
            const sixpack::GapRange& gapRange =
                sixpack::kGapRanges[static_cast<std::size_t>(range)];
            const std::optional<int> offset = readOffset(gapRange.bits);
            if (!offset) {
                return written;
            }
            copy(*offset + gapRange.smallest, length);
        }
    }
};

}  // namespace

std::uint32_t sixpackDecode(const std::uint8_t* input, std::size_t inputSize, std::uint8_t* output,
                            std::uint32_t capacity) {
    // The window starts zeroed, so that a damaged stream that copies from
    // bytes never written still produces defined output.
    std::unique_ptr<std::uint8_t[]> window(new (std::nothrow) std::uint8_t[sixpack::kWindowSize]());
    if (!window) {
        return 0;
    }
    Decoder decoder{
        BitReader(input, inputSize), HuffmanModel(), std::move(window), 0, output, capacity};
    return decoder.run();
}
