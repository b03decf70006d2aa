// The built-in dictionary's properties, on which the prefix search and the
// game rely: sorted lists, beginner words inside the pro list, and words of
// the allowed letters and lengths only.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "dictionary/CWordList.h"

namespace {

bool isUpper(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || c == 0xC4 || c == 0xD6 || c == 0xDC;
}
bool isLower(unsigned char c) {
    return (c >= 'a' && c <= 'z') || c == 0xDF || c == 0xE4 || c == 0xF6 || c == 0xFC;
}

class BuiltinDictionary : public testing::Test {
protected:
    static void SetUpTestSuite() { list_ = new CWordList(); }
    static void TearDownTestSuite() {
        delete list_;
        list_ = nullptr;
    }
    static CWordList* list_;
};

CWordList* BuiltinDictionary::list_ = nullptr;

TEST_F(BuiltinDictionary, CountsAreWithinTheLevels) {
    EXPECT_GE(list_->ProCount(), 25000);
    EXPECT_LE(list_->ProCount(), 32000);
    EXPECT_GE(list_->BeginnerCount(), 7500);
    EXPECT_LE(list_->BeginnerCount(), 8500);
    EXPECT_TRUE(list_->IsBeginnerListCurrent());
    EXPECT_EQ(list_->Count(), list_->BeginnerCount());
    EXPECT_EQ(list_->First(), 0);
    EXPECT_EQ(list_->Last(), list_->BeginnerCount() - 1);
}

TEST_F(BuiltinDictionary, ListsAreStrictlyAscendingInByteOrder) {
    auto ascending = [](const char* a, const char* b) {
        return std::strcmp(a, b) < 0;  // strcmp compares as unsigned char
    };
    for (int i = 1; i < list_->ProCount(); ++i) {
        ASSERT_TRUE(ascending(list_->ProEntry(i - 1), list_->ProEntry(i)))
            << list_->ProEntry(i - 1) << " / " << list_->ProEntry(i);
    }
    for (int i = 1; i < list_->BeginnerCount(); ++i) {
        ASSERT_TRUE(ascending(list_->BeginnerEntry(i - 1), list_->BeginnerEntry(i)));
    }
}

TEST_F(BuiltinDictionary, EveryBeginnerWordIsAProWord) {
    std::set<std::string> pro;
    for (int i = 0; i < list_->ProCount(); ++i) {
        pro.insert(list_->ProEntry(i));
    }
    for (int i = 0; i < list_->BeginnerCount(); ++i) {
        ASSERT_TRUE(pro.count(list_->BeginnerEntry(i))) << list_->BeginnerEntry(i);
    }
}

TEST_F(BuiltinDictionary, WordsHaveAllowedLettersAndLengths) {
    for (int i = 0; i < list_->ProCount(); ++i) {
        const auto* word = reinterpret_cast<const unsigned char*>(list_->ProEntry(i));
        const std::size_t length = std::strlen(list_->ProEntry(i));
        ASSERT_GE(length, 4u) << word;
        ASSERT_LE(length, 23u) << word;
        ASSERT_TRUE(isUpper(word[0]) || (isLower(word[0]) && word[0] != 0xDF)) << word;
        for (std::size_t k = 1; k < length; ++k) {
            ASSERT_TRUE(isLower(word[k])) << "a capital only as the first letter: " << word;
        }
    }
}

// Words that begin longer words make the game's "whole word" ending reachable
// in mid-fragment; a list without them would never test it.
TEST_F(BuiltinDictionary, SomeWordsArePrefixesOfLongerWords) {
    int prefixes = 0;
    for (int i = 1; i < list_->ProCount(); ++i) {
        const char* shorter = list_->ProEntry(i - 1);
        if (std::strncmp(shorter, list_->ProEntry(i), std::strlen(shorter)) == 0) {
            ++prefixes;
        }
    }
    EXPECT_GT(prefixes, 100);
}

TEST_F(BuiltinDictionary, SearchFindsWordsOfBothCases) {
    CWordList& list = *list_;
    list.SelectProList();
    list.Search("a");
    ASSERT_GT(list.Count(), 0);
    EXPECT_EQ(list.Entry(list.First())[0], 'a');
    EXPECT_EQ(list.Entry(list.Last())[0], 'a');
    EXPECT_NE(list.Entry(list.First() - 1)[0], 'a');
    list.Search("A");
    EXPECT_EQ(list.First(), 0);
    list.SelectBeginnerList();
    list.ResetRange();
}

}  // namespace
