#include "game/Moves.h"

#include <cstring>

namespace {

// The 32 ASCII characters that are neither letters nor digits.
bool isPunctuation(unsigned char c) {
    return (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
           (c >= 0x7B && c <= 0x7E);
}

bool isLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == 0xE4 || c == 0xF6 ||
           c == 0xFC || c == 0xC4 || c == 0xD6 || c == 0xDC || c == 0xDF;
}

}  // namespace

MoveKind ClassifyMove(unsigned char c) {
    if (isPunctuation(c)) {
        return MoveKind::Hint;
    }
    return isLetter(c) ? MoveKind::Letter : MoveKind::NotALetter;
}

bool PlayLetter(CWordList& words, char* fragment, std::size_t capacity, char letter) {
    const std::size_t length = std::strlen(fragment);
    if (length + 1 < capacity) {
        fragment[length] = letter;
        fragment[length + 1] = '\0';
        words.Search(fragment);
        if (words.Count() == 0 && words.IsBeginnerListCurrent()) {
            words.SelectProList();
            words.Search(fragment);
            if (words.Count() == 0) {
                words.SelectBeginnerList();
                words.Search(fragment);
            }
        }
        if (words.Count() != 0) {
            return true;
        }
    }
    fragment[length] = '\0';
    words.Search(fragment);
    return false;
}

bool IsCompleteWord(const CWordList& words, const char* fragment) {
    return words.Count() == 1 && std::strcmp(words.Entry(words.First()), fragment) == 0;
}
