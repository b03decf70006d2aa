// The table logic on its own: the order the file is sorted in, the number a
// line is compared by, and how the file's lines are read.
#include "scores/HighScoreTable.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "tests/scores/ScoreFiles.h"

namespace {

namespace fs = std::filesystem;
using scores_test::InTemporaryDirectory;

struct OrderCase {
    const char* why;
    std::string first;
    std::string second;
};

// Each pair is in table order; the reverse pair must not be.
TEST(TableOrder, PutsTheGreaterByteFirst) {
    const OrderCase cases[] = {
        {"descending scores", "   100  Anna", "    99  Zora"},
        {"descending scores", "    12  Anna", "     7  Anna"},
        {"equal scores: name bytes descending", "     5  Zed", "     5  Anna"},
        {"umlauts before ASCII", "     5  \xC4rger", "     5  Zed"},
        {"sharp s before ASCII", "     5  \xDF", "     5  z"},
        {"lower case before upper case", "     5  anna", "     5  Anna"},
        {"negative between space and digits", "    -5  X", "     7  X"},
        {"negative between space and digits", "    12  X", "    -5  X"},
        {"a real 0 line named above Unbekannt", "     0  Zora", "     0  Unbekannt"},
        {"a real 0 line named below Unbekannt", "     0  Unbekannt", "     0  Anna"},
        {"the longer line when one begins the other", "     5  Anna  x", "     5  Anna"},
        {"the longer line when one begins the other", "     0  Unbekannt ", "     0  Unbekannt"},
        {"time stamp decides last, as text", "     5  A  02.01.2020  00:00:00",
         "     5  A  01.12.2024  23:59:59"},
        {"an empty line goes last", " ", ""},
    };
    for (const OrderCase& c : cases) {
        EXPECT_TRUE(ComesBeforeInTable(c.first, c.second)) << c.why << ": " << c.first;
        EXPECT_FALSE(ComesBeforeInTable(c.second, c.first)) << c.why << ": " << c.first;
    }
    for (const std::string& same : {std::string(""), std::string("     0  Unbekannt")}) {
        EXPECT_FALSE(ComesBeforeInTable(same, same)) << same;
    }
}

TEST(LeadingScore, ReadsTheNumberAsAtoiDoesButClampsIt) {
    const struct {
        std::string line;
        int value;
    } cases[] = {
        {"     5  Anna", 5},
        {"   -17  Anna", -17},
        {"+8", 8},
        {" \t\n\v\f\r3", 3},
        {"     0  Unbekannt", 0},
        {"Unbekannt", 0},
        {"", 0},
        {"-", 0},
        {"- 5", 0},
        {"+-5", 0},
        {"12abc", 12},
        {"0x10", 0},
        {"\xA0"
         "5",
         0},  // no byte above 0x7F is white space
        {"007", 7},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999999999  Hacker", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"   -99999999999999999999999999", INT_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LeadingScore(c.line), c.value) << '"' << c.line << '"';
    }
}

class ReadingLines : public InTemporaryDirectory {};

TEST_F(ReadingLines, ReadsAsTheWindowsRuntimeDoes) {
    const std::string x198(198, 'x');
    const std::string x199(199, 'x');
    const std::string x450(450, 'y');
    std::string lines25;
    std::vector<std::string> first20;
    for (int i = 0; i < 25; ++i) {
        lines25 += std::to_string(i) + "\r\n";
        if (i < 20) {
            first20.push_back(std::to_string(i));
        }
    }
    const struct {
        const char* why;
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"CR LF and LF end a line, the last needs none", "A\r\nB\nC", {"A", "B", "C"}},
        {"a CR without LF stays in the line", "A\rB\r\n\r", {"A\rB", "\r"}},
        {"empty lines are places", "\r\n\n", {"", ""}},
        {"198 characters are one line", x198 + "\r\nB\r\n", {x198, "B"}},
        {"199 characters leave the line end for a place of its own",
         x199 + "\r\nB\r\n",
         {x199, "", "B"}},
        {"a longer line is cut into pieces of 199",
         x450 + "\r\n",
         {x450.substr(0, 199), x450.substr(199, 199), x450.substr(398)}},
        {"only the first 20 lines count", lines25, first20},
        {"a NUL byte ends the line as in a C string", std::string("A\0B\r\nC", 6), {"A", "C"}},
        {"an empty file opens and has no lines", "", {}},
    };
    for (const auto& c : cases) {
        WriteBytes("hs.dat", c.bytes);
        std::vector<std::string> lines;
        EXPECT_TRUE(ReadHighScoreLines("hs.dat", lines)) << c.why;
        EXPECT_EQ(lines, c.lines) << c.why;
    }
}

TEST_F(ReadingLines, AMissingFileOrADirectoryDoesNotOpen) {
    std::vector<std::string> lines;
    EXPECT_FALSE(ReadHighScoreLines("hs.dat", lines));
    fs::create_directory("hs.dat");
    EXPECT_FALSE(ReadHighScoreLines("hs.dat", lines));
    EXPECT_TRUE(lines.empty());
}

class SavingTable : public InTemporaryDirectory {};

// The bytes a qualifying round leaves in a new hs.dat: the same from the
// Linux and the Windows build, so that a player's file moves between them.
TEST_F(SavingTable, WritesTwentyCrLfLinesInTableOrder) {
    CHighScoreTable table;
    table.Load("hs.dat");
    ASSERT_TRUE(table.Qualifies(42));
    table.ReplaceLast(FormatScoreLine(42, "J\xF6rg", "07.12.2026  15:00:00"));
    ASSERT_TRUE(table.Save("hs.dat"));

    std::string expected =
        "    42  J\xF6rg" + std::string(19 + 2, ' ') + "07.12.2026  15:00:00\r\n";
    for (int i = 1; i < kHighScoreLines; ++i) {
        expected += "     0  Unbekannt\r\n";
    }
    EXPECT_EQ(ReadBytes("hs.dat"), expected);
    EXPECT_EQ(Entries(), std::vector<std::string>{"hs.dat"});
}

}  // namespace
