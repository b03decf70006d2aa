// Compresses a text into the stream that sixpackDecode expands.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace sixpack {

// How the encoder chooses between a literal and a copy at each position.
enum class Parsing {
    // Always the longest copy found, the nearest one among equally long ones.
    Greedy,
    // As Greedy, but a literal goes first when the next position starts a
    // longer copy.
    Lazy,
    // As Lazy, but the choice compares the code lengths that the adaptive
    // model gives at that moment, per byte covered.
    CostLazy,
    // The cheapest path through the text by estimated code lengths: every
    // literal and every copy length from the nearest source is weighed, with
    // costs taken from the symbol counts of the previous parse, repeated a
    // few times; the smallest stream of the rounds is kept.
    Optimal,
};

// The stream for `text` made with one parsing strategy, ended by the end code
// and padded with 0 bits to a whole byte.
std::vector<std::uint8_t> encode(std::span<const std::uint8_t> text, Parsing parsing);

// The smallest stream of all strategies; Greedy wins a tie.
std::vector<std::uint8_t> encode(std::span<const std::uint8_t> text);

}  // namespace sixpack
