// The player's move on the rules alone: what a byte asks for, and a letter
// played against the two lists.
#include "game/Moves.h"

#include <gtest/gtest.h>

#include <cctype>
#include <clocale>
#include <cstring>
#include <string>

#include "tests/game/RulesFixture.h"

namespace rules_test {
namespace {

// Every byte value against the classes as the C locale draws them: ASCII
// punctuation asks for a hint, ASCII letters and Windows-1252's ä ö ü Ä Ö Ü ß
// are letters, everything else (digits, space, controls, other accented
// letters, the byte a foreign character arrives as) is refused.
TEST(Moves, EveryByteValueHasItsClass) {
    ASSERT_NE(std::setlocale(LC_CTYPE, "C"), nullptr);
    const std::string germanLetters = "\xE4\xF6\xFC\xC4\xD6\xDC\xDF";
    for (int c = 0; c < 256; ++c) {
        MoveKind expected = MoveKind::NotALetter;
        if (c < 0x80 && std::ispunct(c) != 0) {
            expected = MoveKind::Hint;
        } else if ((c < 0x80 && std::isalpha(c) != 0) ||
                   (c != 0 && germanLetters.find(static_cast<char>(c)) != std::string::npos)) {
            expected = MoveKind::Letter;
        }
        EXPECT_EQ(ClassifyMove(static_cast<unsigned char>(c)), expected) << "byte " << c;
    }
}

// Umlauts and ß continue words in mid-word, case-sensitively.
TEST(Moves, GermanLettersContinueWordsInMidWord) {
    TestWords words = {":B\xE4r",
                       ":Gr\xF6\xDF"
                       "e",
                       ":M\xFC"
                       "ll"};
    char fragment[500] = "B";
    words.list().Search(fragment);
    EXPECT_TRUE(PlayLetter(words.list(), fragment, sizeof fragment, '\xE4'));
    EXPECT_STREQ(fragment, "B\xE4");
    std::strcpy(fragment, "Gr");
    EXPECT_FALSE(PlayLetter(words.list(), fragment, sizeof fragment, '\xD6'));
    EXPECT_TRUE(PlayLetter(words.list(), fragment, sizeof fragment, '\xF6'));
    EXPECT_TRUE(PlayLetter(words.list(), fragment, sizeof fragment, '\xDF'));
    EXPECT_STREQ(fragment, "Gr\xF6\xDF");
}

// At the beginner level a letter only pro words continue is taken and the
// pro list stays current; a letter no list continues is taken back, with the
// beginner list current again and the range that of the old fragment.
TEST(Moves, BeginnerLevelFallsBackToTheProList) {
    TestWords words = {":Apfel", ":Axt", "Xylophon"};
    CWordList& list = words.list();
    char fragment[500] = "";
    list.ResetRange();
    ASSERT_TRUE(list.IsBeginnerListCurrent());
    EXPECT_TRUE(PlayLetter(list, fragment, sizeof fragment, 'X'));
    EXPECT_FALSE(list.IsBeginnerListCurrent());
    EXPECT_EQ(list.Count(), 1);

    list.SelectBeginnerList();
    std::strcpy(fragment, "A");
    list.Search(fragment);
    EXPECT_FALSE(PlayLetter(list, fragment, sizeof fragment, 'q'));
    EXPECT_STREQ(fragment, "A");
    EXPECT_TRUE(list.IsBeginnerListCurrent());
    EXPECT_EQ(list.Count(), 2);
    EXPECT_STREQ(list.Entry(list.First()), "Apfel");
}

// A letter is never written past the fragment's buffer.
TEST(Moves, FragmentThatFillsItsBufferTakesNoLetter) {
    TestWords words = {":Aaa"};
    char fragment[4] = "Aa";
    EXPECT_TRUE(PlayLetter(words.list(), fragment, 4, 'a'));
    EXPECT_FALSE(PlayLetter(words.list(), fragment, 4, 'a'));
    EXPECT_STREQ(fragment, "Aaa");
}

// A whole word that begins longer words is complete all the same: the search
// settles on the one entry equal to the fragment.
TEST(Moves, WordThatBeginsLongerWordsIsComplete) {
    TestWords words = {":Rast", ":Rasten", ":Rastlos"};
    char fragment[500] = "Ras";
    words.list().Search(fragment);
    EXPECT_FALSE(IsCompleteWord(words.list(), fragment));
    ASSERT_TRUE(PlayLetter(words.list(), fragment, sizeof fragment, 't'));
    EXPECT_TRUE(IsCompleteWord(words.list(), fragment));
}

}  // namespace
}  // namespace rules_test
