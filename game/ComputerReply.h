// The computer's letter: chosen from the words that continue the fragment so
// that, where it can, the computer leaves the player to finish the word.
#pragma once

#include <cstddef>
#include <span>

#include "dictionary/CWordList.h"

// The number of entries of the candidate range of `words`, which the
// computer's choice works on.
std::size_t CandidateCount(const CWordList& words);

// Copies the candidate range of `words` into `candidates` (which must hold
// exactly CandidateCount(words) entries) and shuffles it, one RandomInt draw
// an entry from the last down to the first. The first word of odd length,
// longer than `fragment`, whose next letter does not make the fragment equal
// to one of the candidates, gives the letter: with odd-length words the
// player is the one to finish. When no word qualifies, one more draw picks a
// candidate. Returns the chosen word's letter after the fragment, or '\0'
// when that word is no longer than the fragment.
char ChooseReplyLetter(const CWordList& words, const char* fragment,
                       std::span<const char*> candidates);

// The computer's move on `fragment`, whose candidate range `words` holds:
// the letter ChooseReplyLetter gives is appended and the longer fragment
// searched. Returns the letter. Precondition (not checked): the fragment's
// buffer has room for one more letter and its NUL. A buffer of
// kFragmentBufferSize bytes always has: the fragment is a proper beginning
// of a listed word here, and no listed word is longer than kMaxWordLength
// (dictionary/WordLength.h).
char PlayReply(CWordList& words, char* fragment, std::span<const char*> candidates);
