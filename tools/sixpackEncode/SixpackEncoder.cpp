#include "tools/sixpackEncode/SixpackEncoder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

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
                if (length >= kMinCopy && length > best.length &&
                    distance - length <= kLargestGap) {
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

    // For every copy length, the nearest source that gives it (0 for none),
    // so that the gap, and with it the range's extra bits, is the smallest
    // possible for that length.
    void nearestPerLength(std::size_t position, std::array<int, kMaxCopy + 1>& nearest) {
        nearest.fill(0);
        advanceTo(position);
        if (position + kMinCopy > text_.size()) {
            return;
        }
        const int remaining = static_cast<int>(text_.size() - position);
        int covered = kMinCopy - 1;  // lengths up to this have their nearest source
        int candidate = head_[hash(position)];
        for (int steps = 0; candidate >= 0 && steps < kMaxChain && covered < kMaxCopy; ++steps) {
            const int distance = static_cast<int>(position) - candidate;
            if (distance > kWindowSize) {
                break;
            }
            const int limit = std::min({kMaxCopy, remaining, distance});
            if (limit > covered) {
                int length = 0;
                while (length < limit && text_[static_cast<std::size_t>(candidate + length)] ==
                                             text_[position + static_cast<std::size_t>(length)]) {
                    ++length;
                }
                // A longer copy from here is a shorter gap; the largest gap
                // bounds how short a copy from a far source may be.
                for (int l = std::max(covered + 1, distance - kLargestGap); l <= length; ++l) {
                    nearest[static_cast<std::size_t>(l)] = distance;
                }
                covered = std::max(covered, length);
            }
            candidate = previous_[static_cast<std::size_t>(candidate)];
        }
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

// One step of a parse: a literal (length 0) or a copy.
struct Step {
    int length;
    int gap;
};

std::vector<Step> greedySteps(std::span<const std::uint8_t> text) {
    MatchFinder finder(text);
    std::vector<Step> steps;
    for (std::size_t position = 0; position < text.size();) {
        const Match m = finder.longest(position);
        if (m.length >= kMinCopy) {
            steps.push_back({m.length, m.gap});
            position += static_cast<std::size_t>(m.length);
        } else {
            steps.push_back({0, 0});
            ++position;
        }
    }
    return steps;
}

using SymbolCosts = std::array<double, kSymbolCount>;

// Bits per symbol as a static code for the parse's own symbol counts would
// spend them; the adaptive model comes close to that over a long text.
SymbolCosts estimateCosts(std::span<const std::uint8_t> text, const std::vector<Step>& steps) {
    std::array<double, kSymbolCount> counts{};
    std::size_t position = 0;
    for (const Step& step : steps) {
        if (step.length == 0) {
            counts[text[position++]] += 1;
        } else {
            counts[static_cast<std::size_t>(copyCode(rangeOf(step.gap), step.length))] += 1;
            position += static_cast<std::size_t>(step.length);
        }
    }
    counts[kEndCode] += 1;
    double total = 0;
    for (double& count : counts) {
        count += 0.5;  // a symbol never seen is still possible
        total += count;
    }
    SymbolCosts costs{};
    for (std::size_t s = 0; s < counts.size(); ++s) {
        costs[s] = std::log2(total / counts[s]);
    }
    return costs;
}

// The cheapest way through the text under `costs`: a shortest path over the
// positions, with a literal and every copy length as the edges.
std::vector<Step> cheapestSteps(std::span<const std::uint8_t> text, const SymbolCosts& costs) {
    const std::size_t n = text.size();
    std::vector<double> best(n + 1, std::numeric_limits<double>::infinity());
    std::vector<Step> via(n + 1, Step{0, 0});
    best[0] = 0;
    MatchFinder finder(text);
    std::array<int, kMaxCopy + 1> nearest{};
    for (std::size_t p = 0; p < n; ++p) {
        const double literal = best[p] + costs[text[p]];
        if (literal < best[p + 1]) {
            best[p + 1] = literal;
            via[p + 1] = {0, 0};
        }
        finder.nearestPerLength(p, nearest);
        const int longest = static_cast<int>(std::min<std::size_t>(kMaxCopy, n - p));
        for (int length = kMinCopy; length <= longest; ++length) {
            const int distance = nearest[static_cast<std::size_t>(length)];
            if (distance == 0) {
                continue;
            }
            const int gap = distance - length;
            const int r = rangeOf(gap);
            const double cost = best[p] + costs[static_cast<std::size_t>(copyCode(r, length))] +
                                kGapRanges[static_cast<std::size_t>(r)].bits;
            const std::size_t end = p + static_cast<std::size_t>(length);
            if (cost < best[end]) {
                best[end] = cost;
                via[end] = {length, gap};
            }
        }
    }
    std::vector<Step> steps;
    for (std::size_t p = n; p > 0;) {
        const Step step = via[p];
        steps.push_back(step);
        p -= step.length == 0 ? 1 : static_cast<std::size_t>(step.length);
    }
    std::reverse(steps.begin(), steps.end());
    return steps;
}

std::vector<std::uint8_t> emit(std::span<const std::uint8_t> text, const std::vector<Step>& steps) {
    SymbolWriter writer;
    std::size_t position = 0;
    for (const Step& step : steps) {
        if (step.length == 0) {
            writer.literal(text[position++]);
        } else {
            writer.copy({step.length, step.gap});
            position += static_cast<std::size_t>(step.length);
        }
    }
    return writer.finish();
}

std::vector<std::uint8_t> encodeOptimal(std::span<const std::uint8_t> text) {
    constexpr int kRounds = 8;
    std::vector<Step> steps = greedySteps(text);
    std::vector<std::uint8_t> best;
    for (int round = 0; round < kRounds; ++round) {
        steps = cheapestSteps(text, estimateCosts(text, steps));
        std::vector<std::uint8_t> stream = emit(text, steps);
        if (best.empty() || stream.size() < best.size()) {
            best = std::move(stream);
        }
    }
    return best;
}

}  // namespace

std::vector<std::uint8_t> encode(std::span<const std::uint8_t> text, Parsing parsing) {
    if (parsing == Parsing::Optimal) {
        return encodeOptimal(text);
    }
    MatchFinder finder(text);
    SymbolWriter writer;
    std::size_t position = 0;
    Match pending = finder.longest(0);
    while (position < text.size()) {
        Match here = pending;
        if (here.length >= kMinCopy && parsing != Parsing::Greedy && position + 1 < text.size()) {
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
    for (Parsing parsing : {Parsing::Lazy, Parsing::CostLazy, Parsing::Optimal}) {
        std::vector<std::uint8_t> candidate = encode(text, parsing);
        if (candidate.size() < best.size()) {
            best = std::move(candidate);
        }
    }
    return best;
}

}  // namespace sixpack
