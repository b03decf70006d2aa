// The high-score table: the twenty best rounds, kept in the text file hs.dat
// of the current directory in the layout that score files already on
// players' disks have, so that those stay valid.
#pragma once

#include <string>
#include <vector>

// The file's name, relative on purpose: the table belongs to the directory
// the game is started in.
inline constexpr char kHighScoreFile[] = "hs.dat";
// The table always has this many places, in the file and in memory.
inline constexpr int kHighScoreLines = 20;
// The text of an empty place: score 0 and no date.
inline constexpr char kDefaultScoreLine[] = "     0  Unbekannt";

// Reads the first lines of the file at `path` the way the Windows runtime's
// fgets reads a text-mode stream, 199 characters a read, each read cut at its
// first line feed (and, as C strings are, at a NUL byte). So a line longer
// than 198 characters takes several places, and a read error or the end of
// the file simply ends the list. Appends at most kHighScoreLines lines to
// `lines`. Returns false, appending nothing, when the file does not open; a
// directory does not open, as on Windows.
bool ReadHighScoreLines(const char* path, std::vector<std::string>& lines);

// The number at the start of `line`, read as atoi reads it: leading white
// space, an optional sign, decimal digits; no digits give 0. Unlike atoi, a
// number beyond the range of int is clamped to INT_MIN or INT_MAX, because a
// hand-edited file must not make the comparison undefined.
int LeadingScore(const std::string& line);

// The table order: bytes compared as unsigned values, the greater byte
// first; when one line is the beginning of the other, the longer one first.
// Only identical lines are equivalent, so sorting by it gives one result
// whatever the sorting algorithm does with ties.
bool ComesBeforeInTable(const std::string& a, const std::string& b);

// A score line as the game writes it: "%6d  %-23s  %s" of the score, the
// name and the time stamp, limited as the 200-byte buffer of the file
// format limits it.
std::string FormatScoreLine(int score, const char* name, const char* timeStamp);

// The present local time as "%d.%m.%Y  %H:%M:%S", with the time-zone settings
// read afresh so that a change of TZ while the game runs is honoured. Empty
// if the local time cannot be had.
std::string CurrentTimeStamp();

// The table of one round end: the file's lines in file order, missing places
// filled with default lines.
class CHighScoreTable {
public:
    // Reads the table from `path`; a missing or unreadable file gives 20
    // default lines, a short one is filled up with them.
    void Load(const char* path);

    // Whether `score` earns a place: it must reach the number of the
    // twentieth line in file order (which, for a hand-edited file, need not
    // be the lowest). Equal is enough.
    bool Qualifies(int score) const;

    // Puts `line` in place of the twentieth line in file order, which leaves
    // the table even when its score equals the new one, then sorts the table.
    void ReplaceLast(const std::string& line);

    // Writes the 20 lines, each ending in CR LF, to `path` through
    // ReplaceFile: a link named hs.dat leads to the file rewritten, a file
    // the player may not write is not written, its owner and mode stay, and
    // a failure at any step leaves the old file as it was. Returns whether
    // the new table is in place.
    bool Save(const char* path) const;

    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;  // kHighScoreLines once loaded
};
