// Starting words, hints, the clock, and the controls' states through a word.
#include "tests/game/GameFixture.h"

#include <set>
#include <string>

namespace game_test {
namespace {

class WordStart : public Game {};

struct Controls {
    bool letterEnabled;
    bool enterEnabled;
    bool enterDefault;
    bool computerStartsEnabled;
    bool newDefault;
    int focus;
};

void expectControls(const Controls& c, const char* moment) {
    SCOPED_TRACE(moment);
    EXPECT_EQ(ui::IsEnabled(IDC_LETTER), c.letterEnabled);
    EXPECT_EQ(ui::IsEnabled(IDC_ENTER), c.enterEnabled);
    EXPECT_EQ(ui::IsDefault(IDC_ENTER), c.enterDefault);
    EXPECT_EQ(ui::IsEnabled(IDC_COMPUTER_STARTS), c.computerStartsEnabled);
    EXPECT_EQ(ui::IsDefault(IDC_NEW), c.newDefault);
    EXPECT_TRUE(ui::HasFocus(c.focus));
}

TEST_F(WordStart, ControlsFollowTheWordFromStartToEnd) {
    Play({":Baum"}, 1, [](CWordGameDlg&, CWordList&) {
        expectControls({true, true, true, true, false, IDC_LETTER}, "opened");
        ui::Click(IDC_COMPUTER_STARTS);
        expectControls({true, true, true, false, false, IDC_LETTER}, "computer started");
        Move("a");
        Move("m");  // "Baum": the player completes it
        expectControls({false, false, false, false, true, IDC_NEW}, "word ended");
        EXPECT_EQ(ui::Text(IDC_LETTER), "");
        EXPECT_FALSE(ui::ClockRunning());

        // Enter now presses Neu, which has the focus.
        ui::PressKey("Enter");
        expectControls({true, true, true, true, true, IDC_LETTER}, "after Neu");
        EXPECT_EQ(Transcript(), "");
        Move("B");
        expectControls({true, true, true, false, true, IDC_LETTER}, "first letter");
        // With the focus in the letter box, Enter presses the Enter button.
        ui::SetText(IDC_LETTER, "u");
        ui::PressKey("Enter");
        EXPECT_NE(Transcript().find("Bisher: 'Baum'"), std::string::npos);
    });
}

TEST_F(WordStart, NeuAbandonsTheWordWithoutCountingOrScoring) {
    Play({":Baum", ":Bahn"}, 1, [](CWordGameDlg& dialog, CWordList& words) {
        Move("B");
        const int score = dialog.m_score;
        ui::Click(IDC_NEW);
        EXPECT_EQ(dialog.m_score, score);
        EXPECT_EQ(dialog.m_wordCount, 0);
        EXPECT_EQ(dialog.m_fragment[0], '\0');
        EXPECT_EQ(words.Count(), words.CurrentCount());
        EXPECT_TRUE(ui::ClockRunning()) << "the clock runs on";
        EXPECT_EQ(ui::Text(IDC_WORD_NUMBER), "1") << "the box is left alone";
    });
}

TEST_F(WordStart, LevelButtonsChooseTheListAndStartAWord) {
    Play({":Baum", "Zwerg"}, 1, [](CWordGameDlg& dialog, CWordList& words) {
        ui::Click(IDC_PRO);
        EXPECT_FALSE(words.IsBeginnerListCurrent());
        EXPECT_EQ(words.Count(), 2);
        Move("Z");
        EXPECT_EQ(dialog.m_score, 2);
        ui::Click(IDC_PRO);  // the checked button again starts a new word too
        EXPECT_EQ(dialog.m_fragment[0], '\0');
        EXPECT_TRUE(ui::IsEnabled(IDC_COMPUTER_STARTS));
        ui::Click(IDC_BEGINNER);
        EXPECT_TRUE(words.IsBeginnerListCurrent());
        EXPECT_EQ(words.Count(), 1);
    });
}

TEST_F(WordStart, ComputerStartsWithOneDrawAndTheClock) {
    Play({":Baum", ":Dach", "Zwerg"}, 1, [](CWordGameDlg& dialog, CWordList& words) {
        const std::uint32_t seed = 77;
        SeedRandom(seed);
        ui::Click(IDC_COMPUTER_STARTS);
        const std::uint32_t next = NextRandom();
        EXPECT_EQ(next, valueAfterDraws(seed, 1));
        SeedRandom(seed);
        const char first = words.Entry(0 + RandomInt(0, 1))[0];  // beginner list: Baum, Dach
        EXPECT_EQ(dialog.m_fragment[0], first);
        EXPECT_EQ(dialog.m_fragment[1], '\0');
        EXPECT_EQ(Transcript(), std::string("Mein Buchstabe ist '") + first + "'.\r\nBisher: '" +
                                    first + "'\r\n");
        EXPECT_EQ(words.Count(), 1);
        EXPECT_EQ(dialog.m_score, 0);
        EXPECT_TRUE(ui::ClockRunning());
        EXPECT_EQ(ui::Text(IDC_WORD_NUMBER), "1");
        EXPECT_FALSE(ui::Click(IDC_COMPUTER_STARTS)) << "once per word";
    });
}

// A hint draws from the whole current list before the first letter and
// again after a completed word, whose candidate range was that word alone;
// the list has a second word so that a range left on it would show.
TEST_F(WordStart, HintsDrawFromTheWholeListBeforeAndAfterAWord) {
    Play({":Baum", ":Zelt"}, 1, [](CWordGameDlg& dialog, CWordList& words) {
        // The words hints show in `count` presses, each costing 3 points
        // and changing no control.
        const auto hinted = [&dialog](int count) {
            std::set<std::string> seen;
            for (int i = 0; i < count; ++i) {
                const int score = dialog.m_score;
                ui::Click(IDC_HINT);
                const std::string text = Transcript();
                const std::string head = "Ein m\xF6gliches Wort ist\r\n";
                const std::string tail = "\r\nBisher: ''\r\n";
                EXPECT_TRUE(text.starts_with(head) && text.ends_with(tail)) << text;
                seen.insert(text.substr(head.size(), text.size() - head.size() - tail.size()));
                EXPECT_EQ(dialog.m_score, score - 3);
            }
            return seen;
        };
        const std::set<std::string> both = {"Baum", "Zelt"};
        EXPECT_EQ(hinted(16), both);
        EXPECT_FALSE(ui::ClockRunning()) << "a hint does not start the clock";
        EXPECT_TRUE(ui::IsEnabled(IDC_COMPUTER_STARTS));
        Move("B");
        Move("u");  // the computer completes "Baum"
        ASSERT_EQ(dialog.m_wordCount, 1);
        EXPECT_EQ(words.First(), 0);
        EXPECT_EQ(words.Last(), 1);
        EXPECT_EQ(words.Count(), 2);
        EXPECT_EQ(hinted(16), both);
        EXPECT_FALSE(ui::IsEnabled(IDC_LETTER)) << "a hint changes no control";
    });
}

TEST_F(WordStart, ClockCostsAPointAtEveryFullMinute) {
    Play({":Baum"}, 1, [](CWordGameDlg& dialog, CWordList&) {
        ui::Click(IDC_COMPUTER_STARTS);
        ui::Tick(59);
        EXPECT_EQ(dialog.m_score, 0);
        ui::Tick(1);
        EXPECT_EQ(dialog.m_score, -1);
        EXPECT_EQ(ui::Text(IDC_SCORE), "-1");
        ui::Tick(60);
        EXPECT_EQ(dialog.m_score, -2);
        EXPECT_EQ(dialog.m_seconds, 120);
    });
}

// The count is never reset: a new word's first penalty comes when the
// accumulated count reaches the next minute.
TEST_F(WordStart, ClockCountRunsOnAcrossWords) {
    Play({":Baum"}, 1, [](CWordGameDlg& dialog, CWordList&) {
        Move("B");
        ui::Tick(50);
        Move("u");  // the word ends, the clock stops
        EXPECT_FALSE(ui::ClockRunning());
        ui::Tick(100);
        EXPECT_EQ(dialog.m_seconds, 50) << "no clock, no ticks";
        ui::Click(IDC_NEW);
        Move("B");
        const int score = dialog.m_score;
        ui::Tick(10);
        EXPECT_EQ(dialog.m_score, score - 1);
    });
}

TEST_F(WordStart, ClockTicksOnInsideAModalBox) {
    Play({":Baum"}, 1, [](CWordGameDlg& dialog, CWordList&) {
        Move("B");
        harness::ExpectDialog(IDD_ABOUTBOX, [] {
            ui::Tick(60);
            ui::Click(IDOK);
        });
        ui::Click(IDC_ABOUT);
        EXPECT_EQ(dialog.m_score, 2 - 1);
        EXPECT_TRUE(ui::ClockRunning());
    });
}

}  // namespace
}  // namespace game_test
