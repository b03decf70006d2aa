#include "tests/sixpack/ReferenceDecoder.h"

#include <algorithm>
#include <optional>

namespace test {
namespace {

using Node = std::size_t;

constexpr Node kRoot = 1;
constexpr Node kLastInternalNode = 628;
constexpr Node kFirstLeaf = 629;
constexpr Node kLastNode = 1257;
constexpr std::size_t kEndCode = 256;
constexpr std::size_t kFirstCopyCode = 257;
constexpr std::size_t kLengthsPerRange = 62;
constexpr std::size_t kShortestCopy = 3;
constexpr std::int16_t kRootLimit = 2000;
// Extra bits after a copy code, by distance range; each range holds
// 2^bits gaps and starts one above the largest gap of the range before.
constexpr std::array<std::size_t, 6> kExtraBits{4, 6, 8, 10, 12, 14};

// Bits of the stream in order, most significant bit of each byte first.
class BitReader {
public:
    explicit BitReader(std::span<const std::uint8_t> stream) : m_stream(stream) {}

    std::optional<unsigned> next() {
        if (m_position / 8 >= m_stream.size()) {
            return std::nullopt;
        }
        const unsigned byte = m_stream[m_position / 8];
        const unsigned bit = (byte >> (7 - m_position % 8)) & 1u;
        ++m_position;
        return bit;
    }

private:
    std::span<const std::uint8_t> m_stream;
    std::size_t m_position = 0;  // in bits
};

// The adaptive Huffman tree: internal nodes 1 to 628, the leaf of symbol s is
// node s + 629. Counts are signed 16-bit, so sums wrap as the format has them.
class Model {
public:
    explicit Model(ReferenceDecoding& decoding) : m_decoding(decoding) {
        for (Node node = kRoot; node <= kLastInternalNode; ++node) {
            m_left[node] = 2 * node;
            m_right[node] = 2 * node + 1;
        }
        for (Node node = 2; node <= kLastNode; ++node) {
            m_up[node] = node / 2;
        }
        m_freq.fill(1);
    }

    Node child(Node node, unsigned bit) const { return bit != 0 ? m_right[node] : m_left[node]; }

    // Counts the leaf, then walks up from it: a node whose count has grown
    // above that of its parent's sibling trades places with that sibling.
    void update(Node leaf) {
        m_freq[leaf] = static_cast<std::int16_t>(m_freq[leaf] + 1);
        Node a = leaf;
        Node ua = m_up[a];
        if (ua == kRoot) {
            return;
        }
        updateCounts(a, otherChild(ua, a));
        while (ua != kRoot) {
            const Node uua = m_up[ua];
            const Node b = otherChild(uua, ua);
            if (m_freq[a] > m_freq[b]) {
                const Node c = otherChild(ua, a);
                replaceChild(uua, b, a);
                replaceChild(ua, a, b);
                m_up[b] = ua;
                m_up[a] = uua;
                updateCounts(b, c);
            }
            a = ua;
            ua = uua;
        }
    }

private:
    Node otherChild(Node parent, Node node) const {
        return m_left[parent] == node ? m_right[parent] : m_left[parent];
    }

    void replaceChild(Node parent, Node from, Node to) {
        (m_left[parent] == from ? m_left[parent] : m_right[parent]) = to;
    }

    // Sums the counts from `a` and its sibling `b` up to the root, then
    // halves every count when the root's has become the limit exactly.
    void updateCounts(Node a, Node b) {
        const std::int16_t rootBefore = m_freq[kRoot];
        for (;;) {
            m_freq[m_up[a]] = static_cast<std::int16_t>(m_freq[a] + m_freq[b]);
            a = m_up[a];
            if (a == kRoot) {
                break;
            }
            b = otherChild(m_up[a], a);
        }
        if (m_freq[kRoot] == kRootLimit) {
            for (Node node = kRoot; node <= kLastNode; ++node) {
                m_freq[node] = static_cast<std::int16_t>(m_freq[node] >> 1);
            }
            ++m_decoding.halvings;
        } else if (rootBefore < kRootLimit && m_freq[kRoot] > kRootLimit) {
            ++m_decoding.limitsPassedOver;
        }
    }

    ReferenceDecoding& m_decoding;
    std::array<Node, kLastInternalNode + 1> m_left{};
    std::array<Node, kLastInternalNode + 1> m_right{};
    std::array<Node, kLastNode + 1> m_up{};
    std::array<std::int16_t, kLastNode + 1> m_freq{};
};

unsigned reversed(unsigned value, std::size_t bits) {
    unsigned result = 0;
    for (std::size_t i = 0; i < bits; ++i) {
        result = (result << 1) | ((value >> i) & 1u);
    }
    return result;
}

}  // namespace

ReferenceDecoding referenceDecode(std::span<const std::uint8_t> stream, std::size_t longestText) {
    std::array<std::size_t, kExtraBits.size()> smallestGap{};
    for (std::size_t range = 1; range < kExtraBits.size(); ++range) {
        smallestGap[range] = smallestGap[range - 1] + (std::size_t{1} << kExtraBits[range - 1]);
    }

    ReferenceDecoding decoding;
    Model model(decoding);
    BitReader bits(stream);
    std::vector<std::uint8_t>& text = decoding.text;
    while (text.size() <= longestText) {
        Node node = kRoot;
        while (node <= kLastInternalNode) {
            const std::optional<unsigned> bit = bits.next();
            if (!bit) {
                return decoding;
            }
            node = model.child(node, *bit);
        }
        model.update(node);
        const std::size_t symbol = node - kFirstLeaf;
        if (symbol == kEndCode) {
            decoding.ended = true;
            return decoding;
        }
        if (symbol < kEndCode) {
            text.push_back(static_cast<std::uint8_t>(symbol));
            continue;
        }

        const std::size_t range = (symbol - kFirstCopyCode) / kLengthsPerRange;
        const std::size_t length =
            symbol - kFirstCopyCode - kLengthsPerRange * range + kShortestCopy;
        // The offset within the range comes least significant bit first.
        unsigned offset = 0;
        for (std::size_t i = 0; i < kExtraBits[range]; ++i) {
            const std::optional<unsigned> bit = bits.next();
            if (!bit) {
                return decoding;
            }
            offset |= *bit << i;
        }
        ++decoding.copies[range];
        if (reversed(offset, kExtraBits[range]) != offset) {
            ++decoding.lopsidedOffsets[range];
        }
        // The gap is the number of bytes between the end of the source and
        // the current position, so source and destination never overlap and
        // the text written so far serves as the window.
        const std::size_t gap = smallestGap[range] + offset;
        decoding.largestGap = std::max(decoding.largestGap, gap);
        const std::size_t distance = gap + length;
        if (distance > text.size()) {
            return decoding;
        }
        for (std::size_t i = 0; i < length; ++i) {
            text.push_back(text[text.size() - distance]);
        }
    }
    return decoding;
}

}  // namespace test
