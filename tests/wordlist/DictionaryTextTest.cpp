// The build turns the reviewed UTF-8 word list into the Windows-1252 text the
// program decodes; a slip here would put wrong bytes into every game.
#include <gtest/gtest.h>

#include <string>

#include "tools/dictionaryText/DictionaryText.h"

namespace {

using dictionary_text::fromWordList;

std::string bytes(std::initializer_list<std::string> parts) {
    std::string out;
    for (const auto& p : parts) {
        out += p;
        out.push_back('\0');
    }
    return out;
}

TEST(DictionaryText, ConvertsUmlautsAndKeepsMarks) {
    const auto result = fromWordList("Bußtag\n:Bären\nabarbeiten\r\nÖl\n:übrig\nüppig\n");
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.text, bytes({"Bu\xDFtag", ":B\xE4ren", "abarbeiten", "\xD6l",
                                  ":\xFC"
                                  "brig",
                                  "\xFCppig", "."}));
}

TEST(DictionaryText, RefusesWhatTheDictionaryMustNotHold) {
    const struct {
        const char* lines;
        const char* error;
    } cases[] = {
        {"Abend\nAbend\n", "line 2: out of order or repeated: Abend"},
        {"Abend\n:Abend\n", "line 2: out of order or repeated: Abend"},
        {"abend\nAbend\n", "line 2: out of order or repeated: Abend"},
        {"\xC3\xA4pfel\nzahm\n", "line 2: out of order or repeated: zahm"},  // ä after z
        {"Abend\n\nBahn\n", "line 2: empty word"},
        {":\n", "line 1: empty word"},
        {"Caf\xC3\xA9\n", "line 1: not a word of letters: Caf\xC3\xA9"},
        {"Auto-Bahn\n", "line 1: not a word of letters: Auto-Bahn"},
        {"Abend \n", "line 1: not a word of letters: Abend "},
        {"", "no words"},
    };
    for (const auto& c : cases) {
        const auto result = fromWordList(c.lines);
        EXPECT_EQ(result.error, c.error) << c.lines;
        EXPECT_EQ(result.text, "");
    }
}

// A word the game's fragment cannot hold with its end would let a letter be
// written past it; the longest that fits is taken.
TEST(DictionaryText, RefusesWordsLongerThanTheGameHolds) {
    const std::string fits(499, 'a');
    EXPECT_EQ(fromWordList(":Abend\n" + fits + "\n").error, "");
    const auto result = fromWordList(":Abend\n" + fits + "a\n");
    EXPECT_EQ(result.error, "line 2: 500 letters, more than the game holds (499)");
    EXPECT_EQ(result.text, "");
    // Counted in letters, not in the bytes of UTF-8.
    std::string umlauts;
    for (int i = 0; i < 499; ++i) {
        umlauts += "\xC3\xA4";
    }
    EXPECT_EQ(fromWordList(umlauts + "\n").error, "");
}

}  // namespace
