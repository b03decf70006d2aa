// Each outcome of a move, with its exact transcript and score change, the
// beginner fallback, the computer's parity rule and the generator draws a
// move costs.
#include <set>

#include "tests/game/GameFixture.h"

namespace game_test {
namespace {

class MoveCycle : public Game {};

TEST_F(MoveCycle, InputsThatAreNoLetterChangeNothingButTheTranscript) {
    Play({":Baum", ":Bahn"}, 1, [](CWordGameDlg& dialog, CWordList&) {
        // An empty box: the clock starts, the computer may still begin.
        Move("");
        EXPECT_EQ(Transcript(), "Bitte schreibe einen Buchstaben.\r\nBisher: ''\r\n");
        EXPECT_TRUE(ui::ClockRunning());
        EXPECT_TRUE(ui::IsEnabled(IDC_COMPUTER_STARTS));
        EXPECT_EQ(ui::Text(IDC_WORD_NUMBER), "1");

        // A longer text than the box takes from the player is no move either.
        dialog.GetDlgItem(IDC_LETTER)->SetWindowText("ab");
        ui::Click(IDC_ENTER);
        EXPECT_EQ(Transcript(), "Bitte schreibe einen Buchstaben.\r\nBisher: ''\r\n");
        EXPECT_TRUE(ui::IsEnabled(IDC_COMPUTER_STARTS));

        // One character that is no letter: refused, and the computer can no
        // longer begin the word.
        for (const char* typed : {"5", " ", "ж", "é", "€"}) {
            Move(typed);
            EXPECT_EQ(Transcript(), "Bitte schreibe einen Buchstaben.\r\nBisher: ''\r\n") << typed;
        }
        EXPECT_FALSE(ui::IsEnabled(IDC_COMPUTER_STARTS));
        EXPECT_EQ(dialog.m_score, 0);
        EXPECT_EQ(ui::Text(IDC_SCORE), "0");
        EXPECT_EQ(dialog.m_fragment[0], '\0');
    });
}

TEST_F(MoveCycle, PunctuationBuysAHintForThreePoints) {
    Play({":Baum", ":Bahn", ":Dach"}, 7, [](CWordGameDlg& dialog, CWordList& words) {
        Move("B");
        const std::string fragment = dialog.m_fragment;
        const std::uint32_t seed = 99;
        SeedRandom(seed);
        Move("?");
        const std::uint32_t next = NextRandom();
        EXPECT_EQ(next, valueAfterDraws(seed, 1)) << "a hint costs one draw";
        // The draw picks from the range the fragment left.
        SeedRandom(seed);
        const std::string expected = words.Entry(RandomInt(words.First(), words.Last()));
        EXPECT_EQ(expected.substr(0, fragment.size()), fragment);
        EXPECT_EQ(Transcript(), "Ein m\xF6gliches Wort ist\r\n" + expected + "\r\nBisher: '" +
                                    fragment + "'\r\n");
        EXPECT_STREQ(dialog.m_fragment, fragment.c_str());
        EXPECT_EQ(dialog.m_score, 2 - 3);
        EXPECT_EQ(ui::Text(IDC_SCORE), "-1");
    });
}

TEST_F(MoveCycle, LetterThatNoWordContinuesIsTakenBack) {
    Play({":Baum", ":Bahn"}, 1, [](CWordGameDlg& dialog, CWordList& words) {
        Move("x");
        EXPECT_EQ(Transcript(),
                  "Dieser Buchstabe f\xFChrt nicht zu einem Wort.\r\n"
                  "Bitte schreibe einen Buchstaben, der zu einem Wort f\xFChrt.\r\n"
                  "Bisher: ''\r\n");
        EXPECT_EQ(dialog.m_score, -1);
        EXPECT_EQ(dialog.m_fragment[0], '\0');
        EXPECT_EQ(words.Count(), 2) << "the range is the whole list again";
        EXPECT_TRUE(words.IsBeginnerListCurrent());
        // Case counts: "b" is not "B".
        Move("b");
        EXPECT_EQ(dialog.m_score, -2);
    });
}

// Words of even length only: the computer finds no word of odd length, its
// fallback draw decides, and its last letter completes the word.
TEST_F(MoveCycle, ComputerCompletingAWordGivesThePlayerFivePointsAndABeep) {
    Play({":Baum"}, 3, [](CWordGameDlg& dialog, CWordList&) {
        const int beeps = ui::Beeps();
        Move("B");
        EXPECT_EQ(Transcript(), "Mein Buchstabe ist 'a'.\r\nBisher: 'Ba'\r\n");
        EXPECT_EQ(dialog.m_score, 2);
        Move("u");
        EXPECT_EQ(Transcript(),
                  "Mein Buchstabe ist 'm'.\r\nBisher: 'Baum'\r\nBaum\r\nist ein Wort.  Du hast "
                  "gewonnen!\r\n");
        EXPECT_EQ(dialog.m_score, 2 + 2 + 3);
        EXPECT_EQ(ui::Text(IDC_SCORE), "7");
        EXPECT_EQ(ui::Beeps(), beeps + 1);
        EXPECT_EQ(dialog.m_fragment[0], '\0');
        EXPECT_EQ(dialog.m_wordCount, 1);
        EXPECT_EQ(ui::Text(IDC_WORD_NUMBER), "1") << "EndWord keeps the finished word's number";
    });
}

TEST_F(MoveCycle, PlayerCompletingAWordGainsOnePointAfterTheComputersMove) {
    Play({":Baum", ":Baumhaus"}, 5, [](CWordGameDlg& dialog, CWordList&) {
        ui::Click(IDC_COMPUTER_STARTS);
        EXPECT_EQ(Transcript(), "Mein Buchstabe ist 'B'.\r\nBisher: 'B'\r\n");
        Move("a");
        EXPECT_EQ(Transcript(), "Mein Buchstabe ist 'u'.\r\nBisher: 'Bau'\r\n");
        Move("m");  // a whole word that also begins a longer one ends the word
        EXPECT_EQ(Transcript(),
                  "Mein Buchstabe ist 'u'.\r\nBisher: 'Bau'\r\nBaum\r\nist ein Wort.  Ich habe "
                  "gewonnen!\r\n");
        EXPECT_EQ(dialog.m_score, 2 + 1);
        EXPECT_EQ(dialog.m_wordCount, 1);
    });
}

// At the beginner level a letter that only pro words continue is taken; the
// pro list then stays for the rest of the word, and the next word returns to
// the level's list.
TEST_F(MoveCycle, BeginnerFallsBackToTheProListForTheRestOfTheWord) {
    Play({":Apfel", "Xylophon"}, 9, [](CWordGameDlg& dialog, CWordList& words) {
        ASSERT_TRUE(words.IsBeginnerListCurrent());
        Move("X");
        EXPECT_EQ(dialog.m_score, 2);
        EXPECT_STREQ(dialog.m_fragment, "Xy");
        EXPECT_FALSE(words.IsBeginnerListCurrent());
        Move("l");
        EXPECT_FALSE(words.IsBeginnerListCurrent());
        ui::Click(IDC_NEW);
        EXPECT_TRUE(words.IsBeginnerListCurrent());
        // A letter no list continues leaves the beginner list current.
        Move("Q");
        EXPECT_TRUE(words.IsBeginnerListCurrent());
        EXPECT_EQ(dialog.m_score, 2 + 2 - 1);
    });
}

}  // namespace
}  // namespace game_test
