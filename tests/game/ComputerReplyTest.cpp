// The computer's choice on small lists made in the test: the parity rule,
// the check against the candidates, the fallback draw and what each costs in
// draws of the generator.
#include "game/ComputerReply.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "dictionary/WordLength.h"
#include "game/Moves.h"
#include "tests/game/RulesFixture.h"

namespace rules_test {
namespace {

// The computer's letter for `fragment` on `words`, from `seed`, and the
// generator's next value after it.
struct Reply {
    char letter;
    std::uint32_t nextValue;
};

Reply replyFor(CWordList& words, const char* fragment, std::uint32_t seed) {
    words.Search(fragment);
    std::vector<const char*> candidates(CandidateCount(words));
    SeedRandom(seed);
    const char letter = ChooseReplyLetter(words, fragment, candidates);
    return {letter, NextRandom()};
}

// "Bad" is odd and one letter longer than the fragment, so its own letter
// completes it; "Bauer" is the only safe word, whatever the shuffle puts
// first. "Rastlos" is odd, but its letter completes the candidate "Rast".
TEST(ComputerReply, NeverPlaysALetterThatCompletesACandidateWhileASafeOneExists) {
    TestWords own = {":Bad", ":Bauer"};
    TestWords other = {":Rasen", ":Rast", ":Rastlos"};
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        EXPECT_EQ(replyFor(own.list(), "Ba", seed).letter, 'u') << "seed " << seed;
        EXPECT_EQ(replyFor(other.list(), "Ras", seed).letter, 'e') << "seed " << seed;
    }
}

// When every candidate qualifies, the first word of the shuffled range gives
// the letter: RandomInt(0, i) for i from n - 1 down to 0, the range in list
// order, computed here with the standard generator, and nothing more is
// drawn.
TEST(ComputerReply, ShuffleOrderDecidesAmongQualifyingWords) {
    const std::vector<std::string> order = {"Abend", "Adler", "Affen", "Ahorn", "Asche"};
    TestWords words = {":Abend", ":Adler", ":Affen", ":Ahorn", ":Asche"};
    std::set<char> played;
    for (std::uint32_t seed = 100; seed < 130; ++seed) {
        std::mt19937 generator(seed);
        std::vector<std::string> shuffled = order;
        for (int i = static_cast<int>(shuffled.size()) - 1; i >= 0; --i) {
            const auto j =
                static_cast<std::size_t>(static_cast<double>(generator()) / 4294967296.0 * (i + 1));
            std::swap(shuffled[static_cast<std::size_t>(i)], shuffled[j]);
        }
        const Reply reply = replyFor(words.list(), "A", seed);
        EXPECT_EQ(reply.letter, shuffled.front()[1]) << "seed " << seed;
        EXPECT_EQ(reply.nextValue, generator()) << "seed " << seed;
        played.insert(reply.letter);
    }
    EXPECT_GT(played.size(), 2u) << "the shuffle spreads the choice";
}

// With only even words, or odd ones whose letter completes a candidate, no
// word qualifies: one more draw picks among all of them, so both letters
// come up across seeds and every reply costs n + 1 draws.
TEST(ComputerReply, FallbackDrawCostsOneMoreDrawThanTheShuffle) {
    TestWords words = {":Abbild", ":Abbildung", ":Bahn", ":Band"};
    std::set<char> played;
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        const Reply even = replyFor(words.list(), "Ba", seed);
        EXPECT_EQ(even.nextValue, valueAfterDraws(seed, 2 + 1)) << "seed " << seed;
        played.insert(even.letter);
        const Reply completing = replyFor(words.list(), "Abbil", seed);
        EXPECT_EQ(completing.letter, 'd') << "seed " << seed;
        EXPECT_EQ(completing.nextValue, valueAfterDraws(seed, 2 + 1)) << "seed " << seed;
    }
    EXPECT_EQ(played, (std::set<char>{'h', 'n'}));
}

// The reply is appended and searched for, so the caller sees whether it
// completed a word.
TEST(ComputerReply, PlayReplyAppendsTheLetterAndSearches) {
    TestWords words = {":Abbild", ":Abbildung"};
    char fragment[500] = "Abbil";
    words.list().Search(fragment);
    std::vector<const char*> candidates(CandidateCount(words.list()));
    SeedRandom(3);
    EXPECT_EQ(PlayReply(words.list(), fragment, candidates), 'd');
    EXPECT_STREQ(fragment, "Abbild");
    EXPECT_EQ(words.list().Count(), 1);
}

// The fragment lives in a 500-byte buffer and the computer's letter is
// written with a NUL after it. A word of 499 letters plays to its end inside
// the buffer; a longer one is not in the list, so the player's 499th letter
// leads to no word and the computer never answers at the last byte, which
// would put the NUL one byte past the buffer.
TEST(ComputerReply, NoLetterIsWrittenPastTheFragmentBuffer) {
    const std::string fits(kMaxWordLength, 'a');
    const std::string tooLong(kMaxWordLength + 1, 'b');
    TestWords words = {":Abend", fits, tooLong};
    words.list().SelectProList();
    char buffer[kFragmentBufferSize + 1];
    buffer[kFragmentBufferSize] = '#';
    const auto play = [&](const std::string& word, std::size_t length) {
        std::memcpy(buffer, word.data(), length);
        buffer[length] = '\0';
        words.list().Search(buffer);
        if (!PlayLetter(words.list(), buffer, kFragmentBufferSize, word[length])) {
            return '\0';
        }
        std::vector<const char*> candidates(CandidateCount(words.list()));
        SeedRandom(1);
        return PlayReply(words.list(), buffer, candidates);
    };

    EXPECT_EQ(play(fits, kMaxWordLength - 2), 'a');
    EXPECT_TRUE(IsCompleteWord(words.list(), buffer));
    EXPECT_EQ(play(tooLong, kMaxWordLength - 1), '\0');
    EXPECT_EQ(std::strlen(buffer), kMaxWordLength - 1);
    EXPECT_EQ(buffer[kFragmentBufferSize], '#');
}

}  // namespace
}  // namespace rules_test
