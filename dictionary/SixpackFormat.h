// The parts of the compressed dictionary format that the decoder and the
// encoder share: the symbol alphabet, the copy distance ranges and the
// adaptive Huffman model that both sides update after every symbol.
#pragma once

#include <array>
#include <cstdint>

namespace sixpack {

// Symbols 0-255 are literal bytes, 256 ends the stream, and 257-628 are copy
// codes: 257 + 62 * range + (length - 3).
constexpr int kEndCode = 256;
constexpr int kFirstCopyCode = 257;
constexpr int kMinCopy = 3;
constexpr int kMaxCopy = 64;
constexpr int kCopyCodesPerRange = kMaxCopy - kMinCopy + 1;  // 62
constexpr int kRangeCount = 6;
constexpr int kSymbolCount = kFirstCopyCode + kRangeCount * kCopyCodesPerRange;  // 629

// Extra bits sent after a copy code, by range; each range covers 2^bits gaps
// and starts one above the largest gap of the range before it.
constexpr std::array<std::int16_t, kRangeCount> kRangeBits = {4, 6, 8, 10, 12, 14};

struct GapRange {
    int bits;
    int smallest;
    int largest;
};

constexpr std::array<GapRange, kRangeCount> makeGapRanges() {
    std::array<GapRange, kRangeCount> ranges{};
    int smallest = 0;
    for (int r = 0; r < kRangeCount; ++r) {
        const int bits = kRangeBits[static_cast<std::size_t>(r)];
        ranges[static_cast<std::size_t>(r)] = {bits, smallest, smallest + (1 << bits) - 1};
        smallest += 1 << bits;
    }
    return ranges;
}

// Ranges 0-5: gaps 0-15, 16-79, 80-335, 336-1359, 1360-5455, 5456-21839.
constexpr std::array<GapRange, kRangeCount> kGapRanges = makeGapRanges();
constexpr int kLargestGap = kGapRanges[kRangeCount - 1].largest;  // 21839
constexpr int kWindowSize = kLargestGap + kMaxCopy;               // 21903

constexpr int copyCode(int range, int length) {
    return kFirstCopyCode + kCopyCodesPerRange * range + (length - kMinCopy);
}

// Adaptive Huffman model over the 629 symbols. Nodes 1-628 are internal (1 is
// the root), nodes 629-1257 are the leaves, the leaf of symbol s being
// s + 629. Counts are 16-bit and signed: sums wrap modulo 2^16, and every
// count is halved when the root's count reaches exactly 2000, so both sides
// must do the same arithmetic to stay in step.
class HuffmanModel {
public:
    static constexpr int kRoot = 1;
    static constexpr int kLastInternal = kSymbolCount - 1;  // 628
    static constexpr int kLastNode = 2 * kSymbolCount - 1;  // 1257
    static constexpr std::int16_t kRootLimit = 2000;

    // The nodes from the root down to one leaf. The decoder notes them as it
    // walks down, so that the update after the symbol need not climb back up.
    struct Path {
        // At most every internal node and then the leaf.
        std::array<std::uint16_t, kLastInternal + 1> nodes{};
        int length = 0;

        int operator[](int i) const { return nodes[static_cast<std::size_t>(i)]; }
    };

    HuffmanModel() { reset(); }

    // The complete binary tree in heap order, every count 1.
    void reset();

    // Counts one more occurrence of `symbol` and restores the sibling order.
    void update(int symbol);

    // The same for the symbol whose leaf `path` ends in; `path` must be the
    // current path from the root to that leaf.
    void update(const Path& path);

    static constexpr int leafOf(int symbol) { return symbol + kSymbolCount; }
    static constexpr int symbolOf(int leaf) { return leaf - kSymbolCount; }
    static constexpr bool isLeaf(int node) { return node > kLastInternal; }

    // The child that bit 0 (left) or bit 1 (right) leads to from an internal
    // node. Node numbers are unsigned here because the decoder's walk down the
    // tree is a chain of these lookups, and widening them costs nothing.
    std::size_t child(std::size_t node, std::size_t bit) const { return children_[node][bit]; }
    int left(int node) const { return static_cast<int>(child(static_cast<std::size_t>(node), 0)); }
    int right(int node) const { return static_cast<int>(child(static_cast<std::size_t>(node), 1)); }
    int parent(int node) const { return up_[static_cast<std::size_t>(node)]; }
    std::int16_t count(int node) const { return freq_[static_cast<std::size_t>(node)]; }

    // How many times the counts were halved since the last reset.
    int halvings() const { return halvings_; }

private:
    using Children = std::array<std::uint16_t, 2>;

    int otherChild(int node, int oneChild) const;
    void updateCounts(int node);
    bool halveIfRootAtLimit();
    bool sumCountsUpThePath(const Path& path);
    void swapUpThePath(const Path& path);

    // Left and right child side by side, nodes 1-628, so that one step of the
    // decoder's walk down the tree is one load indexed by the bit.
    std::array<Children, kLastInternal + 1> children_{};
    std::array<std::uint16_t, kLastNode + 1> up_{};   // parent, nodes 2-1257
    std::array<std::int16_t, kLastNode + 1> freq_{};  // count, nodes 1-1257
    int halvings_ = 0;
};

}  // namespace sixpack
