// The candidate range after each search decides which words the computer may
// play and when a word is complete; the cases follow the range table, on
// sorted and unsorted lists.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "dictionary/CWordList.h"
#include "random/Random.h"
#include "tests/wordlist/WordListText.h"

namespace {

struct Range {
    int first;
    int last;
    int count;
    bool operator==(const Range&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Range& r) {
    return out << '{' << r.first << ", " << r.last << ", " << r.count << '}';
}

Range rangeOf(const CWordList& list) {
    return {list.First(), list.Last(), list.Count()};
}

// Pro list (index: word): 0 Aasgeier, 1 Abbild, 2 Abbildung, 3 Akku,
// 4 Akkusativ, 5 abarbeiten, 6 acht, 7 acht (again), 8 achten, 9 Äpfelchen.
const std::string kSorted =
    test::dictionaryText({"Aasgeier", ":Abbild", ":Abbildung", "Akku", ":Akkusativ", ":abarbeiten",
                          ":acht", "acht", "achten", "\xC4pfelchen"});

TEST(Search, SortedListGivesTheRangeOfEachKindOfFragment) {
    CWordList list(test::span(kSorted));
    list.SelectProList();
    const struct {
        const char* fragment;
        Range range;
    } cases[] = {
        {"", {0, 9, 10}},            // empty fragment: the whole list
        {"A", {0, 4, 5}},            // capital A only
        {"a", {5, 8, 4}},            // lower-case a only
        {"Abbild", {1, 1, 1}},       // a whole word that also begins a longer one
        {"Abbildu", {2, 2, 1}},      // begins exactly one word, not a word itself
        {"Aasgei", {0, 0, 1}},       // the first entry alone
        {"Ak", {3, 4, 2}},           //
        {"acht", {6, 6, 1}},         // a word standing twice: its first entry
        {"ach", {6, 8, 3}},          // both entries of the twice-standing word count
        {"\xC4", {9, 9, 1}},         // Ä is its own letter, after the lower case
        {"\xE4", {0, 9, 0}},         // ä is not Ä
        {"Q", {0, 9, 0}},            // nothing begins with it
        {"Abbildungen", {0, 9, 0}},  // longer than every word
    };
    for (const auto& c : cases) {
        list.Search(c.fragment);
        EXPECT_EQ(rangeOf(list), c.range) << '"' << c.fragment << '"';
    }
}

TEST(Search, BeginnerListHoldsOnlyMarkedWords) {
    CWordList list(test::span(kSorted));
    ASSERT_TRUE(list.IsBeginnerListCurrent());
    EXPECT_EQ(list.CurrentCount(), 5);
    EXPECT_EQ(rangeOf(list), (Range{0, 4, 5}));
    list.Search("Ak");
    EXPECT_EQ(rangeOf(list), (Range{2, 2, 1}));
    EXPECT_STREQ(list.Entry(2), "Akkusativ");
    list.Search("acht");
    EXPECT_EQ(rangeOf(list), (Range{4, 4, 1}));
}

// On an unsorted list the range runs from the first to the last entry that
// begins with the fragment, strangers in between included, and a whole word
// further down still wins.
TEST(Search, UnsortedListSpansFromFirstToLastMatch) {
    const std::string text =
        test::dictionaryText({":Haus", ":Baum", ":Hauswand", ":Tisch", ":Hausflur", ":Hau"});
    CWordList list(test::span(text));
    const struct {
        const char* fragment;
        Range range;
    } cases[] = {
        {"Haus", {0, 0, 1}},   // equal to the first entry
        {"Hausw", {2, 2, 1}},  // one match in the middle
        {"Hausf", {4, 4, 1}},  //
        {"Ha", {0, 5, 6}},     // Baum and Tisch lie inside the range
        {"Hau", {5, 5, 1}},    // the whole word at the end beats the earlier prefixes
        {"T", {3, 3, 1}},
    };
    for (const auto& c : cases) {
        list.Search(c.fragment);
        EXPECT_EQ(rangeOf(list), c.range) << '"' << c.fragment << '"';
    }
}

TEST(Search, SelectingAListKeepsTheRangeUntilTheNextSearchOrReset) {
    CWordList list(test::span(kSorted));
    list.Search("Ak");
    const Range beginnerRange = rangeOf(list);
    list.SelectProList();
    EXPECT_FALSE(list.IsBeginnerListCurrent());
    EXPECT_EQ(list.CurrentCount(), 10);
    EXPECT_EQ(rangeOf(list), beginnerRange);
    list.ResetRange();
    EXPECT_EQ(rangeOf(list), (Range{0, 9, 10}));
    list.SelectBeginnerList();
    EXPECT_TRUE(list.IsBeginnerListCurrent());
    list.ResetRange();
    EXPECT_EQ(rangeOf(list), (Range{0, 4, 5}));
}

TEST(RandomWord, DrawsOnceFromTheCandidateRange) {
    CWordList list(test::span(kSorted));
    list.SelectProList();

    list.Search("ach");
    SeedRandom(42);
    const char* word = list.RandomWord();
    SeedRandom(42);
    EXPECT_EQ(word, list.Entry(RandomInt(6, 8))) << "one draw of RandomInt(first, last)";

    // A word that stands twice is drawn with twice the weight.
    std::map<std::string, int> seen;
    for (int i = 0; i < 3000; ++i) {
        seen[list.RandomWord()]++;
    }
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_GT(seen["acht"], seen["achten"] * 3 / 2);

    // After a reset, first and last entries are reachable too.
    list.ResetRange();
    std::map<std::string, int> all;
    for (int i = 0; i < 2000; ++i) {
        all[list.RandomWord()]++;
    }
    EXPECT_EQ(all.size(), 9u);  // ten entries, "acht" twice
    EXPECT_TRUE(all.count("Aasgeier") && all.count("\xC4pfelchen"));

    // A failed search leaves the whole list as the range to draw from.
    list.Search("Q");
    ASSERT_EQ(list.Count(), 0);
    SeedRandom(5);
    const char* fallback = list.RandomWord();
    SeedRandom(5);
    EXPECT_EQ(fallback, list.Entry(RandomInt(0, 9)));
}

}  // namespace
