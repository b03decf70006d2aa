// A second decoder of the dictionary's compressed stream, written apart from
// the program's decoder and encoder and sharing none of their code or tables.
// The program's encoder and decoder use one adaptive model, so a fault in that
// model survives every round trip; a decoder of its own exposes it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace test {

// What a stream decoded to, and which parts of the format it went through.
struct ReferenceDecoding {
    std::vector<std::uint8_t> text;
    // The end code was met; false when the input ran out, a copy reached back
    // before the first byte, or the text outgrew the limit given.
    bool ended = false;
    // Copies per distance range.
    std::array<std::size_t, 6> copies{};
    // Copies per range whose offset reads differently when its extra bits are
    // taken most significant first, so that the bit order matters.
    std::array<std::size_t, 6> lopsidedOffsets{};
    std::size_t largestGap = 0;
    // Times the counts were halved because the root's count became the limit.
    std::size_t halvings = 0;
    // Count updates that took the root's count from below the limit to above
    // it without meeting it, where the counts are not halved.
    std::size_t limitsPassedOver = 0;
};

// Decodes `stream` until its end code. Stops early once the text has grown
// beyond `longestText` bytes, so that a stream meaning something else to this
// decoder cannot make it run on.
ReferenceDecoding referenceDecode(std::span<const std::uint8_t> stream, std::size_t longestText);

}  // namespace test
