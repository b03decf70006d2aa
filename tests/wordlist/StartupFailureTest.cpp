// A dictionary that cannot be built ends the program with a task-modal
// exclamation box titled "Wortliste Fehler" and exit code 1, before any
// window exists. The box of these test programs writes what it would show to
// standard error.
#include <gtest/gtest.h>

#include <string>

#include "dictionary/CWordList.h"
#include "tests/support/FaultInjection.h"
#include "tests/wordlist/WordListText.h"

namespace {

const std::string kSixWordsTwoMarked =
    test::dictionaryText({"Aal", ":Abend", "Acker", ":Bahn", "Berg", "Dach"});

// Fails the allocation numbered `which` (1 = beginner array, 2 = pro array).
void buildWithFailingAllocation(int which) {
    test::FailNothrowArrayAllocation(which);
    CWordList list(test::span(kSixWordsTwoMarked));
}

TEST(StartupFailureDeathTest, NoBeginnerWordEndsWithCodeOne) {
    const std::string text = test::dictionaryText({"Aal", "Abend", "Acker"});
    EXPECT_EXIT(CWordList list(test::span(text)), testing::ExitedWithCode(1),
                "\\[Wortliste Fehler\\|Die Anfänger-Wortliste ist leer\\.\r\n\r\nLexodrom muss "
                "jetzt leider beendet werden!\\|0x2030\\]");
}

TEST(StartupFailureDeathTest, EmptyTextHasNoBeginnerWord) {
    const std::string nothing;
    EXPECT_EXIT(CWordList list(test::span(nothing)), testing::ExitedWithCode(1),
                "Die Anfänger-Wortliste ist leer");
}

TEST(StartupFailureDeathTest, BeginnerArrayOutOfMemoryReportsItsSize) {
    const std::string expected = "\\[Wortliste Fehler\\|Nicht genug Speicher für Wortliste \\(" +
                                 std::to_string(2 * sizeof(CWordList::WordReference)) +
                                 " bytes\\)\\.\r\n\r\nLexodrom muss jetzt leider beendet "
                                 "werden!\\|0x2030\\]";
    EXPECT_EXIT(buildWithFailingAllocation(1), testing::ExitedWithCode(1), expected);
}

TEST(StartupFailureDeathTest, ProArrayOutOfMemoryReportsItsSize) {
    const std::string expected = "Nicht genug Speicher für Wortliste \\(" +
                                 std::to_string(6 * sizeof(CWordList::WordReference)) + " bytes\\)";
    EXPECT_EXIT(buildWithFailingAllocation(2), testing::ExitedWithCode(1), expected);
}

// The passes stop at the last byte they were given when a short decode lost
// the end mark; a word without its NUL is not indexed.
TEST(StartupIndexing, TextWithoutEndMarkStopsAtItsLastByte) {
    std::string text = ":Abend";
    text.push_back('\0');
    text += "Acker";
    text.push_back('\0');
    text += ":Bah";  // cut off in mid-word
    CWordList list(test::span(text));
    EXPECT_EQ(list.BeginnerCount(), 1);
    EXPECT_EQ(list.ProCount(), 2);
    EXPECT_STREQ(list.ProEntry(1), "Acker");
}

TEST(StartupIndexing, TextAfterTheEndMarkIsIgnored) {
    std::string text = test::dictionaryText({":Abend", "Acker"});
    text += ":Bahn";
    text.push_back('\0');
    CWordList list(test::span(text));
    EXPECT_EQ(list.BeginnerCount(), 1);
    EXPECT_EQ(list.ProCount(), 2);
}

// A ':' inside a word is no mark: it only makes the sizing pass reserve one
// entry too many, and the word is a pro word with the ':' in it.
TEST(StartupIndexing, ColonInsideAWordIsNoMark) {
    const std::string text = test::dictionaryText({":Abend", "Ac:ker"});
    CWordList list(test::span(text));
    EXPECT_EQ(list.BeginnerCount(), 1);
    EXPECT_EQ(list.ProCount(), 2);
    EXPECT_STREQ(list.ProEntry(1), "Ac:ker");
}

}  // namespace
