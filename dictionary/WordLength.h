// The longest word the game can hold. The main dialog keeps the fragment in a
// 500-byte buffer, and the fragment grows up to a whole word, the computer's
// last letter and the terminating NUL included; a longer word would let a
// letter be written past the buffer's end.
#pragma once

#include <cstddef>

inline constexpr std::size_t kFragmentBufferSize = 500;
inline constexpr std::size_t kMaxWordLength = kFragmentBufferSize - 1;
