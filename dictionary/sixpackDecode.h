// Expands the compressed dictionary.
#pragma once

#include <cstddef>
#include <cstdint>

// Decodes the stream of `inputSize` bytes at `input` into `output`, which has
// room for `capacity` bytes, and returns the number of bytes written.
//
// Decoding ends at the stream's end code. It also ends, with what was written
// so far, when the input runs out before an end code, so a stream cut short
// or damaged never makes the decoder read past `input + inputSize`. No byte
// is written beyond `capacity`: a literal met at the capacity ends decoding,
// the bytes of a copy beyond it are dropped and decoding goes on to the next
// literal or end code. A copy that reaches back before the first byte of
// the output reads zeros there. The decoder allocates nothing: the output
// buffer itself holds every byte a copy may reach.
std::uint32_t sixpackDecode(const std::uint8_t* input, std::size_t inputSize, std::uint8_t* output,
                            std::uint32_t capacity);
