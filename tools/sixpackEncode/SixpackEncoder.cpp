#include "tools/sixpackEncode/SixpackEncoder.h"

#include <algorithm>
#include <array>

#include "dictionary/SixpackFormat.h"

namespace sixpack {
namespace {

// Packs bits into bytes from bit 7 down to bit 0.
class BitWriter {
public:
    void put(int bit) {
        current_ = static_cast<std::uint8_t>(current_ | (bit << (7 - used_)));
        if (++used_ == 8) {
            bytes_.push_back(current_);
            current_ = 0;
            used_ = 0;
        }
    }

    std::vector<std::uint8_t> finish() {
        if (used_ > 0) {
            bytes_.push_back(current_);
        }
        return std::move(bytes_);
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint8_t current_ = 0;
    int used_ = 0;
};

struct Match {
    int length = 0;  // 0 when no copy of at least kMinCopy bytes exists
    int gap = 0;     // bytes between the source's end and the current position
};

// Finds earlier occurrences through chains of positions that share the hash
// of their first three bytes, nearest first.
class MatchFinder {
public:
    static constexpr int kMaxChain = 8192;

    explicit MatchFinder(std::span<const std::uint8_t> text)
        : text_(text), previous_(text.size(), -1), head_(kHashSize, -1) {}

    // Makes every position below `position` searchable.
    void advanceTo(std::size_t position) {
        for (; inserted_ < position; ++inserted_) {
            if (inserted_ + kMinCopy <= text_.size()) {
                const std::size_t h = hash(inserted_);
                previous_[inserted_] = head_[h];
                head_[h] = static_cast<int>(inserted_);
            }
        }
    }

    // The longest copy for `position` whose source lies wholly before it and
    // within reach of the largest gap. The chain runs nearest first, so among
    // equally long copies the one with the smallest gap is kept.
    Match longest(std::size_t position) {
        advanceTo(position);
        Match best;
        if (position + kMinCopy > text_.size()) {
            return best;
        }
        const int remaining = static_cast<int>(text_.size() - position);
        int candidate = head_[hash(position)];
        for (int steps = 0; candidate >= 0 && steps < kMaxChain; ++steps) {
            const int distance = static_cast<int>(position) - candidate;
            if (distance > kWindowSize) {
                break;
            }
            const int limit = std::min({kMaxCopy, remaining, distance});
            if (limit > best.length) {
                int length = 0;
                while (length < limit && text_[static_cast<std::size_t>(candidate + length)] ==
                                             text_[position + static_cast<std::size_t>(length)]) {
                    ++length;
                }
                if (length >= kMinCopy && length > best.length && distance - length <= kLargestGap) {
                    best = {length, distance - length};
                    if (length == kMaxCopy) {
                        break;
                    }
                }
            }
            candidate = previous_[static_cast<std::size_t>(candidate)];
        }
        return best;
    }

private:
    static constexpr std::size_t kHashSize = 1u << 16;

    std::size_t hash(std::size_t p) const {
        const std::uint32_t v = (static_cast<std::uint32_t>(text_[p]) << 16) |
                                (static_cast<std::uint32_t>(text_[p + 1]) << 8) | text_[p + 2];
        return (v * 2654435761u) >> 16;
    }

    std::span<const std::uint8_t> text_;
    std::vector<int> previous_;  // previous position with the same hash, or -1
    std::vector<int> head_;      // latest position of each hash, or -1
    std::size_t inserted_ = 0;   // positions below this are in the chains
};

int rangeOf(int gap) {
    int r = 0;
    while (gap > kGapRanges[static_cast<std::size_t>(r)].largest) {
        ++r;
    }
    return r;
}

// Sends symbols through the adaptive model, exactly as the decoder reads them.
class SymbolWriter {
public:
    void symbol(int s) {
        std::array<int, 64> path{};
        int depth = 0;
        for (int node = HuffmanModel::leafOf(s); node != HuffmanModel::kRoot;
             node = model_.parent(node)) {
            path[static_cast<std::size_t>(depth++)] = model_.right(model_.parent(node)) == node;
        }
        while (depth > 0) {
            bits_.put(path[static_cast<std::size_t>(--depth)]);
        }
        model_.update(s);
    }

    void literal(std::uint8_t byte) { symbol(byte); }

    void copy(const Match& m) {
        const int r = rangeOf(m.gap);
        const GapRange& range = kGapRanges[static_cast<std::size_t>(r)];
        symbol(copyCode(r, m.length));
        const int offset = m.gap - range.smallest;
        for (int i = 0; i < range.bits; ++i) {
            bits_.put((offset >> i) & 1);
        }
    }

    // Bits the symbol would take right now.
    int codeLength(int s) const {
        int depth = 0;
        for (int node = HuffmanModel::leafOf(s); node != HuffmanModel::kRoot;
             node = model_.parent(node)) {
            ++depth;
        }
        return depth;
    }

    int copyCost(const Match& m) const {
        const int r = rangeOf(m.gap);
        return codeLength(copyCode(r, m.length)) + kGapRanges[static_cast<std::size_t>(r)].bits;
    }

    std::vector<std::uint8_t> finish() {
        symbol(kEndCode);
        return bits_.finish();
    }

private:
    HuffmanModel model_;
    BitWriter bits_;
};

// Whether to send a literal now because the next position promises more.
bool deferCopy(Parsing parsing, const SymbolWriter& writer, std::uint8_t byte, const Match& here,
               const Match& next) {
    if (next.length <= here.length) {
        return false;
    }
    if (parsing == Parsing::Lazy) {
        return true;
    }
    // Compare bits per byte covered: the copy here against a literal followed
    // by the copy at the next position.
    const long costHere = writer.copyCost(here);
    const long costDeferred = writer.codeLength(byte) + writer.copyCost(next);
    return costDeferred * here.length < costHere * (next.length + 1);
}

}  // namespace

std::vector<std::uint8_t> encode(std::span<const std::uint8_t> text, Parsing parsing) {
    MatchFinder finder(text);
    SymbolWriter writer;
    std::size_t position = 0;
    Match pending = finder.longest(0);
    while (position < text.size()) {
        Match here = pending;
        if (here.length >= kMinCopy && parsing != Parsing::Greedy &&
            position + 1 < text.size()) {
            const Match next = finder.longest(position + 1);
            if (deferCopy(parsing, writer, text[position], here, next)) {
                writer.literal(text[position]);
                ++position;
                pending = next;
                continue;
            }
        }
        if (here.length >= kMinCopy) {
            writer.copy(here);
            position += static_cast<std::size_t>(here.length);
        } else {
            writer.literal(text[position]);
            ++position;
        }
        pending = position < text.size() ? finder.longest(position) : Match{};
    }
    return writer.finish();
}

std::vector<std::uint8_t> encode(std::span<const std::uint8_t> text) {
    std::vector<std::uint8_t> best = encode(text, Parsing::Greedy);
    for (Parsing parsing : {Parsing::Lazy, Parsing::CostLazy}) {
        std::vector<std::uint8_t> candidate = encode(text, parsing);
        if (candidate.size() < best.size()) {
            best = std::move(candidate);
        }
    }
    return best;
}

}  // namespace sixpack
