// What each event of a word is worth, and the rhythm of the game clock and
// the round. The score is a signed number that may go below zero.
#pragma once

inline constexpr int kPointsLetterKept = 2;             // the player's letter keeps the word alive
inline constexpr int kPointsPlayerCompletesWord = 1;    // the player's own letter ends the word
inline constexpr int kPointsComputerCompletesWord = 3;  // the computer's letter ends the word
inline constexpr int kPointsLetterRefused = -1;         // no word continues the letter
inline constexpr int kPointsHint = -3;                  // every hint, by button or as a move
inline constexpr int kPointsClockMinute = -1;           // every full minute of the clock

// The clock's count never restarts while the program runs; a point falls
// each time it reaches a multiple of this.
inline constexpr int kSecondsPerClockPoint = 60;

// Whether the tick that has just raised the clock's count to `seconds`
// costs a point.
constexpr bool TickCostsPoint(int seconds) {
    return seconds != 0 && seconds % kSecondsPerClockPoint == 0;
}

// Finished words that make a round.
inline constexpr int kWordsPerRound = 20;
