// What one move costs, on the rules alone: the player's letter played
// against the word lists and, when the word goes on, the computer's reply.
// The range a move works on is what makes it slow or fast, so two cases are
// measured: the first letter that the most pro words begin with (the longest
// range there is), and the slowest of all moves that lead to a fragment of one
// to three letters on either list, found by trying each once.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "dictionary/CWordList.h"
#include "game/ComputerReply.h"
#include "game/Moves.h"
#include "random/Random.h"

namespace {

struct Move {
    bool beginner;         // the level the word is played on
    std::string fragment;  // before the player's letter
    char letter;
};

CWordList& builtInWords() {
    static CWordList words;
    return words;
}

// The state before the move: the level's list, searched for the fragment.
void prepareMove(CWordList& words, const Move& move, char (&fragment)[500]) {
    std::strcpy(fragment, move.fragment.c_str());
    if (move.beginner) {
        words.SelectBeginnerList();
    } else {
        words.SelectProList();
    }
    words.Search(fragment);
}

// The player's letter and the computer's answer, as the main dialog plays
// them, without the display.
void playMove(CWordList& words, const Move& move, char (&fragment)[500],
              std::vector<const char*>& candidates) {
    if (!PlayLetter(words, fragment, sizeof fragment, move.letter) ||
        IsCompleteWord(words, fragment)) {
        return;
    }
    candidates.resize(CandidateCount(words));
    benchmark::DoNotOptimize(PlayReply(words, fragment, candidates));
}

Move longestRangeMove(CWordList& words) {
    std::vector<int> counts(256);
    for (int i = 0; i < words.ProCount(); ++i) {
        counts[static_cast<unsigned char>(words.ProEntry(i)[0])]++;
    }
    int best = 0;
    for (int c = 1; c < 256; ++c) {
        best =
            counts[static_cast<std::size_t>(c)] > counts[static_cast<std::size_t>(best)] ? c : best;
    }
    return {false, "", static_cast<char>(best)};
}

std::vector<Move> shortFragmentMoves(CWordList& words) {
    std::vector<Move> moves;
    for (const bool beginner : {true, false}) {
        const int count = beginner ? words.BeginnerCount() : words.ProCount();
        std::set<std::string> prefixes;
        for (int i = 0; i < count; ++i) {
            const std::string word = beginner ? words.BeginnerEntry(i) : words.ProEntry(i);
            for (std::size_t length = 1; length <= 3 && length <= word.size(); ++length) {
                prefixes.insert(word.substr(0, length));
            }
        }
        for (const std::string& prefix : prefixes) {
            moves.push_back({beginner, prefix.substr(0, prefix.size() - 1), prefix.back()});
        }
    }
    return moves;
}

// The least time of `runs` plays of `move`: the least is the one that other
// work on the machine disturbed least.
std::chrono::nanoseconds leastTime(CWordList& words, const Move& move, int runs,
                                   std::vector<const char*>& candidates) {
    auto least = std::chrono::nanoseconds::max();
    char fragment[500];
    for (int run = 0; run < runs; ++run) {
        prepareMove(words, move, fragment);
        const auto start = std::chrono::steady_clock::now();
        playMove(words, move, fragment, candidates);
        least = std::min(least, std::chrono::duration_cast<std::chrono::nanoseconds>(
                                    std::chrono::steady_clock::now() - start));
    }
    return least;
}

// Every move is timed once; the slowest few are timed again, many times, so
// that a move that was merely interrupted does not pass for the slowest.
Move slowestShortFragmentMove(CWordList& words, std::size_t& tried) {
    const std::vector<Move> moves = shortFragmentMoves(words);
    tried = moves.size();
    std::vector<const char*> candidates;
    std::vector<std::pair<std::chrono::nanoseconds, std::size_t>> times;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        times.emplace_back(leastTime(words, moves[i], 1, candidates), i);
    }
    const std::size_t finalists = std::min<std::size_t>(50, times.size());
    std::partial_sort(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(finalists),
                      times.end(), std::greater<>());
    std::size_t slowest = times.front().second;
    auto slowestTime = std::chrono::nanoseconds::zero();
    for (std::size_t k = 0; k < finalists; ++k) {
        const std::size_t i = times[k].second;
        const auto time = leastTime(words, moves[i], 20, candidates);
        if (time > slowestTime) {
            slowestTime = time;
            slowest = i;
        }
    }
    return moves[slowest];
}

void measure(benchmark::State& state, const Move& move) {
    CWordList& words = builtInWords();
    std::vector<const char*> candidates;
    char fragment[500];
    SeedRandom(1);
    for (auto _ : state) {
        state.PauseTiming();
        prepareMove(words, move, fragment);
        state.ResumeTiming();
        playMove(words, move, fragment, candidates);
    }
    state.SetLabel((move.beginner ? "Anf\xC3\xA4nger '" : "Profi '") + move.fragment + move.letter +
                   "'");
    state.counters["candidates"] = static_cast<double>(candidates.size());
}

void MoveOnLongestRange(benchmark::State& state) {
    measure(state, longestRangeMove(builtInWords()));
}
BENCHMARK(MoveOnLongestRange)->Unit(benchmark::kMicrosecond);

void SlowestMoveToThreeLetters(benchmark::State& state) {
    std::size_t tried = 0;
    static const Move slowest = slowestShortFragmentMove(builtInWords(), tried);
    measure(state, slowest);
    if (tried != 0) {
        state.counters["moves tried"] = static_cast<double>(tried);
    }
}
BENCHMARK(SlowestMoveToThreeLetters)->Unit(benchmark::kMicrosecond);

// The computer's choice alone on a range of n words of which none qualifies,
// the case that costs the most: "Aba" and words "Aba????" of odd length,
// whose letter after "Ab" completes "Aba". Every word is looked at, each one
// asks whether its letter completes a candidate, and the fallback draw
// follows. Its cost must grow with n, not n².
void ReplyWhereNoWordQualifies(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    std::string text = ":Aba";
    text.push_back('\0');
    for (std::size_t i = 1; i < n; ++i) {
        std::string word = ":Aba";
        for (std::size_t rest = i, digit = 0; digit < 4; ++digit, rest /= 26) {
            word.push_back(static_cast<char>('a' + rest % 26));
        }
        text += word;
        text.push_back('\0');
    }
    text += '.';
    text.push_back('\0');
    CWordList words(std::span<const char>(text.data(), text.size()));
    words.Search("Ab");
    std::vector<const char*> candidates(CandidateCount(words));
    SeedRandom(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ChooseReplyLetter(words, "Ab", candidates));
    }
    state.SetComplexityN(static_cast<benchmark::IterationCount>(n));
}
BENCHMARK(ReplyWhereNoWordQualifies)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 16)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();

}  // namespace

BENCHMARK_MAIN();
