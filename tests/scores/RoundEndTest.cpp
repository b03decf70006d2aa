// The end of a round and the high-score dialogs, run through the real main
// window on the offscreen platform: what the player is asked, what hs.dat
// holds afterwards, byte for byte, and what the score dialog lists.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include <unistd.h>

#include "framework/CWinApp.h"
#include "res/resource.h"
#include "tests/harness/DialogHarness.h"
#include "tests/scores/ScoreFiles.h"
#include "tests/support/FaultInjection.h"
#include "ui/CWordGameDlg.h"
#include "ui/RememberedName.h"

namespace {

namespace ui = automation;
namespace fs = std::filesystem;
using scores_test::InTemporaryDirectory;
using scores_test::WithCrLf;

CWinApp g_app;  // the icon is loaded through the application object

const std::string kWords = std::string(":Abend") + '\0' + "Bahn" + '\0' + ".";
const std::string kDefault = "     0  Unbekannt";
const std::string kSummaryHead = "\r\nDie Spielrunde mit 20 W\xF6rtern ist beendet.\r\n";

std::vector<std::string> Defaults(std::size_t count) {
    return std::vector<std::string>(count, kDefault);
}

// Twenty lines as the game would have written them, scores 100 down to 5.
std::vector<std::string> TwentyLines() {
    std::vector<std::string> lines;
    for (int score = 100; score >= 5; score -= 5) {
        char line[40];
        std::snprintf(line, sizeof line, "%6d  Spieler%d", score, score);
        lines.push_back(line);
    }
    return lines;
}

// Splits a file into its lines, failing the test unless every line,
// the last one included, ends in CR LF and no other CR or LF occurs.
std::vector<std::string> CrLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "the last line has no CR LF";
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << lines.back();
        start = end + 2;
    }
    return lines;
}

// A new score line: `head` (score, name field and the two spaces after it),
// then the local time stamp "dd.mm.yyyy  hh:mm:ss".
void ExpectScoreLine(const std::string& line, const std::string& head) {
    static const std::regex stamp(
        "(0[1-9]|[12][0-9]|3[01])\\.(0[1-9]|1[0-2])\\.[0-9]{4}  "
        "([01][0-9]|2[0-3]):[0-5][0-9]:[0-6][0-9]");
    ASSERT_EQ(line.size(), head.size() + 20) << line;
    EXPECT_EQ(line.substr(0, head.size()), head);
    EXPECT_TRUE(std::regex_match(line.substr(head.size()), stamp)) << line;
}

// What the player saw during one round end.
struct Seen {
    bool nameDialog = false;
    std::string offeredName;  // Windows-1252
    bool offeredSelected = false;
    bool nameFocused = false;
    std::string scoreBoxDuringName;
    std::string transcriptDuringName;
    bool scoreDialog = false;
    std::vector<std::string> listed;  // UTF-8
    bool okFocused = false;
    bool fixedPitch = false;
    std::string scoreBoxDuringScores;
    std::string transcript;
    std::string scoreBox;
    int score = -1;
};

std::function<void()> Confirm(const std::string& typedUtf8) {
    return [typedUtf8] {
        EXPECT_TRUE(ui::SetText(IDC_NAME, typedUtf8));
        ui::Click(IDOK);
    };
}

class RoundEnd : public InTemporaryDirectory {
protected:
    void SetUp() override {
        InTemporaryDirectory::SetUp();
        ui::StartHeadless();
        g_rememberedName = "";
    }

    // Ends a round of 20 words with `score` in a fresh main window. With
    // `answerName` the name dialog must open and is answered by it, then
    // the error box if `box` is given, then the score dialog, which is
    // recorded and closed; without it no dialog may open at all.
    Seen EndRoundWith(int score, const std::function<void()>& answerName,
                      harness::SeenBox* box = nullptr) {
        Seen seen;
        CWordGameDlg dialog(words_);
        harness::Run(dialog, [&] {
            dialog.m_score = score;
            dialog.ShowScore();
            dialog.m_wordCount = 20;
            if (answerName) {
                harness::ExpectDialog(IDD_NAME, [&] {
                    seen.nameDialog = true;
                    seen.offeredName = ui::Text(IDC_NAME);
                    seen.offeredSelected = ui::HasSelectedAll(IDC_NAME);
                    seen.nameFocused = ui::HasFocus(IDC_NAME);
                    seen.scoreBoxDuringName = ui::Text(IDC_SCORE);
                    seen.transcriptDuringName = ui::Text(IDC_TRANSCRIPT);
                    answerName();
                });
                if (box != nullptr) {
                    harness::ExpectMessageBox(*box);
                }
                harness::ExpectDialog(IDD_SCORES, [&] {
                    seen.scoreDialog = true;
                    seen.listed = ui::ListLines(IDC_SCORE_LIST);
                    seen.okFocused = ui::HasFocus(IDOK);
                    seen.fixedPitch = ui::FontIsFixedPitch(IDC_SCORE_LIST);
                    seen.scoreBoxDuringScores = ui::Text(IDC_SCORE);
                    ui::Click(IDOK);
                });
            }
            dialog.EndRound();
            seen.transcript = ui::Text(IDC_TRANSCRIPT);
            seen.scoreBox = ui::Text(IDC_SCORE);
            seen.score = dialog.m_score;
            ui::Click(IDOK);
        });
        return seen;
    }

    CWordList words_{std::span<const char>(kWords.data(), kWords.size())};
};

TEST_F(RoundEnd, WithoutAFileTheFirstRoundMakesTwentyLines) {
    const struct {
        int score;
        std::size_t position;  // of the new line in the table
        const char* head;
    } cases[] = {
        {5, 0, "     5  Anna                     "},
        // A 0 line is ordered by its name against "Unbekannt".
        {0, 19, "     0  Anna                     "},
        {1234567, 0, "1234567  Anna                     "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.score);
        fs::remove("hs.dat");
        g_rememberedName = "";
        const Seen seen = EndRoundWith(c.score, Confirm("Anna"));
        EXPECT_TRUE(seen.nameDialog);
        EXPECT_EQ(seen.offeredName, "");
        EXPECT_TRUE(seen.nameFocused);
        // The summary is there and the score still stands while the player types.
        EXPECT_EQ(seen.scoreBoxDuringName, std::to_string(c.score));
        EXPECT_EQ(seen.transcriptDuringName,
                  kSummaryHead + "Punkte: " + std::to_string(c.score) + "\r\n");
        EXPECT_EQ(seen.scoreBoxDuringScores, std::to_string(c.score));

        std::vector<std::string> lines = CrLfLines(ReadBytes("hs.dat"));
        ASSERT_EQ(lines.size(), 20u);
        ExpectScoreLine(lines[c.position], c.head);
        EXPECT_EQ(seen.listed, lines) << "the score dialog shows the new file";
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(c.position));
        EXPECT_EQ(lines, Defaults(19));

        EXPECT_TRUE(seen.okFocused);
        EXPECT_TRUE(seen.fixedPitch);
        EXPECT_EQ(seen.transcript, seen.transcriptDuringName);
        EXPECT_EQ(seen.score, 0);
        EXPECT_EQ(seen.scoreBox, "0");
        EXPECT_EQ(Entries(), std::vector<std::string>{"hs.dat"}) << "no temporary file is left";
    }
}

// A round below the twentieth line shows neither dialog and leaves the file
// (or its absence) alone; the score is reset all the same.
TEST_F(RoundEnd, ARoundBelowTheTwentiethLineShowsNoDialog) {
    const struct {
        const char* why;
        bool fileExists;
        std::string bytes;
        int score;
    } cases[] = {
        {"below the lowest entry", true, WithCrLf(TwentyLines()), 4},
        {"negative against a missing file", false, "", -1},
        {"negative against a short file", true, "    50  Anna\r\n", -1},
        {"below a twentieth line too large for an int", true,
         WithCrLf(std::vector<std::string>(19, "   100  A")) + "99999999999999999999999  X\r\n",
         INT_MAX - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        fs::remove("hs.dat");
        if (c.fileExists) {
            WriteBytes("hs.dat", c.bytes);
        }
        const Seen seen = EndRoundWith(c.score, nullptr);
        EXPECT_FALSE(seen.nameDialog);
        EXPECT_FALSE(seen.scoreDialog);
        EXPECT_EQ(fs::exists("hs.dat"), c.fileExists);
        if (c.fileExists) {
            EXPECT_EQ(ReadBytes("hs.dat"), c.bytes);
        }
        EXPECT_EQ(seen.transcript, kSummaryHead + "Punkte: " + std::to_string(c.score) + "\r\n");
        EXPECT_EQ(seen.score, 0);
        EXPECT_EQ(seen.scoreBox, "0");
    }
}

// The twentieth line's number is read as atoi reads it, clamped to the int
// range; reaching it is enough.
TEST_F(RoundEnd, ReachingTheTwentiethNumberQualifies) {
    const struct {
        std::string twentieth;
        int score;
    } cases[] = {
        {"99999999999999999999999  X", INT_MAX},
        {"-99999999999999999999999  X", INT_MIN},
        {"  -7 hand-edited", -7},
        {"Unbekannt", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.twentieth);
        const std::string bytes =
            WithCrLf(std::vector<std::string>(19, "   100  A")) + c.twentieth + "\r\n";
        WriteBytes("hs.dat", bytes);
        const Seen seen = EndRoundWith(c.score, [] { ui::Click(IDCANCEL); });
        EXPECT_TRUE(seen.nameDialog);
        EXPECT_TRUE(seen.scoreDialog);
        EXPECT_EQ(ReadBytes("hs.dat"), bytes);
        EXPECT_EQ(seen.score, 0);
    }
}

TEST_F(RoundEnd, EqualToTheTwentiethEntryQualifiesAndDropsIt) {
    std::vector<std::string> old = TwentyLines();
    old.back() = "     5  Zora";  // would stay above the new line if it were kept
    WriteBytes("hs.dat", WithCrLf(old));
    const Seen seen = EndRoundWith(5, Confirm("Anna"));
    std::vector<std::string> lines = CrLfLines(ReadBytes("hs.dat"));
    ASSERT_EQ(lines.size(), 20u);
    ExpectScoreLine(lines[19], "     5  Anna                     ");
    lines.pop_back();
    old.pop_back();
    EXPECT_EQ(lines, old);
    EXPECT_EQ(seen.score, 0);
}

// A short file is filled with default lines before the test, and the new
// table holds all twenty places.
TEST_F(RoundEnd, AShortFileIsFilledUp) {
    WriteBytes("hs.dat", "    50  Anna\r\n    -2  Carl\n    40  Bert\r\n");
    EndRoundWith(0, Confirm("Dora"));
    std::vector<std::string> lines = CrLfLines(ReadBytes("hs.dat"));
    ASSERT_EQ(lines.size(), 20u);
    std::vector<std::string> expected = {"    50  Anna", "    40  Bert", "    -2  Carl"};
    const std::vector<std::string> defaults = Defaults(16);
    expected.insert(expected.end(), defaults.begin(), defaults.end());
    ExpectScoreLine(lines.back(), "     0  Dora                     ");
    lines.pop_back();
    EXPECT_EQ(lines, expected);
}

// In a hand-edited file the twentieth line in file order is the one that
// counts and goes, even when it is the best; the result is sorted.
TEST_F(RoundEnd, TheTwentiethLineInFileOrderIsComparedAndReplaced) {
    std::vector<std::string> ascending;
    for (int score = 1; score <= 20; ++score) {
        char line[20];
        std::snprintf(line, sizeof line, "%6d  N", score);
        ascending.push_back(line);
    }
    WriteBytes("hs.dat", WithCrLf(ascending));
    const Seen low = EndRoundWith(15, nullptr);
    EXPECT_FALSE(low.nameDialog);
    EXPECT_EQ(ReadBytes("hs.dat"), WithCrLf(ascending));

    EndRoundWith(25, Confirm("Eva"));
    std::vector<std::string> lines = CrLfLines(ReadBytes("hs.dat"));
    ASSERT_EQ(lines.size(), 20u);
    ExpectScoreLine(lines.front(), "    25  Eva                      ");
    lines.erase(lines.begin());
    std::vector<std::string> expected(ascending.rbegin() + 1, ascending.rend());  // 19 .. 1
    EXPECT_EQ(lines, expected);
}

// Pieces of an over-long line take places of their own and are written back
// as lines of their own.
TEST_F(RoundEnd, LongLinesTakeSeveralPlaces) {
    const std::string long199 = "   900  " + std::string(191, 'L');
    std::vector<std::string> file = {long199};
    for (int i = 0; i < 19; ++i) {
        file.push_back("    50  Anna");
    }
    WriteBytes("hs.dat", WithCrLf(file));
    // Places: the long line, its line end alone, then 18 of the 19 short lines.
    const Seen seen = EndRoundWith(50, Confirm("Bert"));
    EXPECT_TRUE(seen.nameDialog) << "the twentieth place is a 50 line";
    std::vector<std::string> lines = CrLfLines(ReadBytes("hs.dat"));
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], long199);
    ExpectScoreLine(lines[1], "    50  Bert                     ");
    for (std::size_t i = 2; i < 19; ++i) {
        EXPECT_EQ(lines[i], "    50  Anna") << i;
    }
    EXPECT_EQ(lines[19], "") << "the empty place sorts last";
}

// The name is entered trimmed, in Windows-1252 and filled to 23 characters;
// the remembered name keeps it as typed.
TEST_F(RoundEnd, TheNameIsTrimmedAndFillsItsField) {
    const struct {
        std::string typedUtf8;
        std::string field;       // Windows-1252
        std::string remembered;  // Windows-1252
    } cases[] = {
        {"  Jörg Müß  ", "J\xF6rg M\xFC\xDF" + std::string(15, ' '), "  J\xF6rg M\xFC\xDF  "},
        {"", std::string(23, ' '), ""},
        {"   ", std::string(23, ' '), "   "},
        {"ABCDEFGHIJKLMNOPQRSTUVW", "ABCDEFGHIJKLMNOPQRSTUVW", "ABCDEFGHIJKLMNOPQRSTUVW"},
        // The box refuses a 24th character.
        {"ABCDEFGHIJKLMNOPQRSTUVWX", "ABCDEFGHIJKLMNOPQRSTUVW", "ABCDEFGHIJKLMNOPQRSTUVW"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typedUtf8);
        fs::remove("hs.dat");
        EndRoundWith(7, Confirm(c.typedUtf8));
        const std::vector<std::string> lines = CrLfLines(ReadBytes("hs.dat"));
        ASSERT_EQ(lines.size(), 20u);
        ExpectScoreLine(lines[0], "     7  " + c.field + "  ");
        EXPECT_EQ(g_rememberedName.bytes(), c.remembered);
    }
}

// Within one run the name dialog offers the name confirmed last, exactly as
// typed and wholly selected; a cancelled dialog does not change it.
TEST_F(RoundEnd, TheNextNameDialogOffersTheRememberedName) {
    const Seen first = EndRoundWith(10, Confirm("  Jörg  "));
    EXPECT_EQ(first.offeredName, "");
    const Seen second = EndRoundWith(20, [] { ui::Click(IDCANCEL); });
    EXPECT_EQ(second.offeredName, "  J\xF6rg  ");
    EXPECT_TRUE(second.offeredSelected);
    EXPECT_TRUE(second.nameFocused);
    const Seen third = EndRoundWith(30, Confirm("Eva"));
    EXPECT_EQ(third.offeredName, "  J\xF6rg  ") << "Cancel kept the name";
    EXPECT_TRUE(third.offeredSelected);
    const Seen fourth = EndRoundWith(40, [] { ui::PressKey("Escape"); });
    EXPECT_EQ(fourth.offeredName, "Eva");
}

// However the name dialog is left without OK, the file stays as it was, the
// table is still shown and the score is reset.
TEST_F(RoundEnd, CancellingTheNameLeavesTheFileAlone) {
    const std::function<void()> ways[] = {
        [] { ui::Click(IDCANCEL); },
        [] { ui::PressKey("Escape"); },
        [] { ui::CloseWindow(); },
        [] {
            ui::SetText(IDC_NAME, "Neu");
            ui::Click(IDCANCEL);
        },
    };
    const std::string old = WithCrLf(TwentyLines());
    WriteBytes("hs.dat", old);
    std::vector<std::string> oldLines = TwentyLines();
    int way = 0;
    for (const auto& cancel : ways) {
        SCOPED_TRACE(way++);
        g_rememberedName = "Vorher";
        const Seen seen = EndRoundWith(50, cancel);
        EXPECT_EQ(seen.offeredName, "Vorher");
        EXPECT_EQ(ReadBytes("hs.dat"), old);
        EXPECT_TRUE(seen.scoreDialog);
        EXPECT_EQ(seen.listed, oldLines);
        EXPECT_EQ(seen.score, 0);
        EXPECT_EQ(seen.scoreBox, "0");
        EXPECT_EQ(g_rememberedName.bytes(), "Vorher");
    }
}

// When the new table cannot be written, the player is told, the old file
// stays whole and no temporary file is left; the table on disk is shown.
class FailedSave : public RoundEnd {
protected:
    void ExpectErrorBoxAndOldTable(const std::vector<std::string>& shown) {
        harness::SeenBox box;
        const Seen seen = EndRoundWith(60, Confirm("Anna"), &box);
        test::ClearFileWriteLimit();
        EXPECT_TRUE(box.shown);
        EXPECT_EQ(box.title, "Lexodrom Fehler");
        EXPECT_EQ(box.text, "Der Punktestand kann nicht gespeichert werden.");
        EXPECT_EQ(box.icon, MB_ICONERROR);
        EXPECT_EQ(Entries(), std::vector<std::string>{"hs.dat"});
        EXPECT_EQ(seen.listed, shown);
        EXPECT_EQ(seen.score, 0);
        EXPECT_EQ(seen.scoreBox, "0");
    }

    const std::string old_ = WithCrLf(TwentyLines());
};

TEST_F(FailedSave, TheDiskFillsUpHalfway) {
    WriteBytes("hs.dat", old_);
    test::SetFileWriteLimit(100);
    ExpectErrorBoxAndOldTable(TwentyLines());
    EXPECT_EQ(ReadBytes("hs.dat"), old_);
}

TEST_F(FailedSave, HsDatIsADirectory) {
    fs::create_directory("hs.dat");
    ExpectErrorBoxAndOldTable(Defaults(20));
    EXPECT_TRUE(fs::is_empty("hs.dat"));
}

// A file the player made read-only is not written (root meets an immutable
// one, since it may write a read-only file).
TEST_F(FailedSave, HsDatIsReadOnly) {
    WriteBytes("hs.dat", old_);
    if (!m_scratch.MakeFileUnwritable("hs.dat")) {
        GTEST_SKIP() << "this file system cannot make a file unwritable for root";
    }
    ExpectErrorBoxAndOldTable(TwentyLines());
    m_scratch.MakeFileWritable("hs.dat");
    EXPECT_EQ(ReadBytes("hs.dat"), old_);
}

class ScoreDialog : public RoundEnd {};

// The score dialog shows the file as it is: no sorting, no filling; only a
// missing file shows as 20 default lines. Looking changes nothing.
TEST_F(ScoreDialog, ListsExactlyTheFilesLines) {
    std::string lines25;
    std::vector<std::string> first20;
    for (int i = 0; i < 25; ++i) {
        lines25 += "    " + std::to_string(10 + i) + "  N\r\n";
        if (i < 20) {
            first20.push_back("    " + std::to_string(10 + i) + "  N");
        }
    }
    const struct {
        const char* why;
        bool fileExists;
        std::string bytes;
        std::vector<std::string> listed;  // UTF-8
    } cases[] = {
        {"missing", false, "", Defaults(20)},
        {"short and unsorted",
         true,
         "     1  A\r\n    -3  B\n   100  C\r\n",
         {"     1  A", "    -3  B", "   100  C"}},
        {"empty", true, "", {}},
        {"longer than 20 lines", true, lines25, first20},
        {"Windows-1252", true, "     5  J\xF6rg M\xFC\xDF\r\n", {"     5  Jörg Müß"}},
        {"a 199-character line",
         true,
         std::string(199, 'x') + "\r\nB\r\n",
         {std::string(199, 'x'), "", "B"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        fs::remove("hs.dat");
        if (c.fileExists) {
            WriteBytes("hs.dat", c.bytes);
        }
        CWordGameDlg dialog(words_);
        harness::Run(dialog, [&] {
            harness::ExpectDialog(IDD_SCORES, [&] {
                EXPECT_EQ(ui::Active().title, "Lexodrom Punkte");
                EXPECT_EQ(ui::ListLines(IDC_SCORE_LIST), c.listed);
                EXPECT_TRUE(ui::FontIsFixedPitch(IDC_SCORE_LIST));
                EXPECT_TRUE(ui::HasFocus(IDOK));
                ui::PressKey("Enter");
            });
            EXPECT_TRUE(ui::Click(IDC_SHOW_SCORES));
            EXPECT_EQ(ui::Active().templateId, IDD_MAIN);
            ui::Click(IDOK);
        });
        EXPECT_EQ(fs::exists("hs.dat"), c.fileExists);
        if (c.fileExists) {
            EXPECT_EQ(ReadBytes("hs.dat"), c.bytes);
        }
    }
}

// "Punkte" in the middle of a word shows the table and leaves the game as it
// was, its clock running on.
TEST_F(ScoreDialog, PunkteDuringAWordLeavesTheGameAlone) {
    WriteBytes("hs.dat", WithCrLf(TwentyLines()));
    CWordGameDlg dialog(words_);
    harness::Run(dialog, [&] {
        dialog.m_score = 17;
        dialog.ShowScore();
        dialog.m_wordCount = 4;
        dialog.ShowWordNumber();
        dialog.m_timerId = dialog.SetTimer(1, 1000, nullptr);
        ASSERT_TRUE(ui::ClockRunning());
        bool shown = false;
        harness::ExpectDialog(IDD_SCORES, [&] {
            shown = true;
            EXPECT_EQ(ui::ListLines(IDC_SCORE_LIST), TwentyLines());
            EXPECT_TRUE(ui::ClockRunning());
            ui::PressKey("Escape");
        });
        ui::Click(IDC_SHOW_SCORES);
        EXPECT_TRUE(shown);
        EXPECT_EQ(dialog.m_score, 17);
        EXPECT_EQ(dialog.m_wordCount, 4);
        EXPECT_EQ(ui::Text(IDC_SCORE), "17");
        EXPECT_EQ(ui::Text(IDC_WORD_NUMBER), "5");
        EXPECT_TRUE(ui::ClockRunning());
        ui::Click(IDOK);
    });
}

}  // namespace
