// The player's move: what a typed byte asks for, and a letter played against
// the word lists.
#pragma once

#include <cstddef>

#include "dictionary/CWordList.h"

enum class MoveKind {
    Hint,        // an ASCII punctuation character
    NotALetter,  // refused with a request for a letter
    Letter,      // A-Z, a-z and the seven German letters of Windows-1252
};

// What the byte `c`, typed as a move, asks for.
MoveKind ClassifyMove(unsigned char c);

// Appends `letter` to the zero-terminated `fragment` (a buffer of `capacity`
// bytes) and searches the current list for it. At the beginner level a
// fragment that no beginner word continues is searched in the pro list,
// which stays the current list when it continues the fragment. Returns true
// when some word continues the longer fragment; otherwise the letter is taken
// back, the beginner list is current again if it was before, the candidate
// range is that of the old fragment, and false is returned. A fragment that
// fills its buffer already takes no letter.
bool PlayLetter(CWordList& words, char* fragment, std::size_t capacity, char letter);

// Whether the search for `fragment` has found it as a whole word of the
// current list: exactly one entry, and that entry is the fragment itself.
bool IsCompleteWord(const CWordList& words, const char* fragment);
