// The adaptive model must match between encoder and decoder bit for bit; these
// cases pin the rules where an off-by-one would still round-trip but break
// every stream made by another encoder.
#include <gtest/gtest.h>

#include <random>

#include "dictionary/SixpackFormat.h"

namespace {

using sixpack::HuffmanModel;

int depthOf(const HuffmanModel& model, int symbol) {
    int depth = 0;
    for (int node = HuffmanModel::leafOf(symbol); node != HuffmanModel::kRoot;
         node = model.parent(node)) {
        ++depth;
    }
    return depth;
}

TEST(HuffmanModel, InitialTreeGivesNineAndTenBitCodes) {
    const HuffmanModel model;
    EXPECT_EQ(depthOf(model, 0), 9);
    EXPECT_EQ(depthOf(model, 394), 9);
    EXPECT_EQ(depthOf(model, 395), 10);
    EXPECT_EQ(depthOf(model, 628), 10);
}

TEST(HuffmanModel, RepeatedSymbolClimbsToTheRootAndThenOnlyCountsItself) {
    HuffmanModel model;
    int updates = 0;
    while (model.parent(HuffmanModel::leafOf('e')) != HuffmanModel::kRoot) {
        model.update('e');
        ASSERT_LT(++updates, 100000) << "the leaf never reached the root";
    }
    // A leaf under the root: its own count rises, nothing else changes.
    const HuffmanModel before = model;
    model.update('e');
    const int leaf = HuffmanModel::leafOf('e');
    EXPECT_EQ(model.count(leaf), static_cast<std::int16_t>(before.count(leaf) + 1));
    EXPECT_EQ(model.count(HuffmanModel::kRoot), before.count(HuffmanModel::kRoot));
    for (int node = 2; node <= HuffmanModel::kLastNode; ++node) {
        if (node != leaf) {
            ASSERT_EQ(model.count(node), before.count(node)) << node;
        }
    }
}

// Halving happens exactly when a count update leaves the root at 2000, and
// halves every count, the root's included, rounding down.
TEST(HuffmanModel, CountsHalveWhenTheRootReachesExactly2000) {
    HuffmanModel model;
    std::mt19937 pick(7);
    std::discrete_distribution<int> letters({30, 20, 12, 9, 7, 5, 4, 3, 3, 2, 2, 1, 1, 1});
    int halvingsSeen = 0;
    for (int i = 0; i < 200000; ++i) {
        const int symbol = 'a' + letters(pick);
        const int before = model.halvings();
        model.update(symbol);
        const std::int16_t root = model.count(HuffmanModel::kRoot);
        ASSERT_NE(root, HuffmanModel::kRootLimit) << "update " << i << " did not halve";
        if (model.halvings() != before) {
            ++halvingsSeen;
            ASSERT_EQ(model.halvings(), before + 1);
            // The path counts are summed again after a halving in mid-update,
            // so two halved odd children give 999.
            ASSERT_TRUE(root == 1000 || root == 999) << "root " << root << " at update " << i;
        }
    }
    EXPECT_GT(halvingsSeen, 50);
}

TEST(HuffmanModel, FrequentSymbolsGetShorterCodes) {
    HuffmanModel model;
    for (int i = 0; i < 500; ++i) {
        model.update('n');
        if (i % 10 == 0) {
            model.update('q');
        }
    }
    EXPECT_LT(depthOf(model, 'n'), depthOf(model, 'q'));
    EXPECT_LT(depthOf(model, 'q'), depthOf(model, 'z'));
}

}  // namespace
