// Turns the reviewed word list (UTF-8, one word a line, ':' before a beginner
// word) into the dictionary text the program decodes: Windows-1252 words,
// each ended by a NUL, the beginner mark kept in front, and ".", NUL at the
// end.
#pragma once

#include <string>
#include <string_view>

namespace dictionary_text {

struct Result {
    std::string text;   // the dictionary text, empty on error
    std::string error;  // "line N: what is wrong", empty on success
};

// Accepts only words of the letters A-Z, a-z, Ä, Ö, Ü, ß, ä, ö and ü, one a
// line (LF or CR LF), in strictly ascending Windows-1252 byte order with the
// mark not counted, so that the decoded text needs no sorting at start-up,
// and none longer than kMaxWordLength letters, which the game cannot hold.
Result fromWordList(std::string_view utf8Lines);

}  // namespace dictionary_text
