// The size-balanced child set against std::set: ranks, selection, removal and balance.
#include "runtime/child_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <random>
#include <set>
#include <vector>

namespace {

// The set only compares addresses, so keys need no objects behind them.
CONTROL* key(uintptr_t n) {
    return reinterpret_cast<CONTROL*>((n + 1) * 16);
}

// Every rank, every selection and a few absent keys agree with the reference.
void expectSameAs(const ChildSet& set, const std::set<CONTROL*>& reference) {
    ASSERT_EQ(set.size(), static_cast<int>(reference.size()));
    int rank = 0;
    for (CONTROL* child : reference) {
        ASSERT_EQ(set.rank(child), rank);
        ASSERT_EQ(set.select(rank), child);
        ++rank;
    }
    EXPECT_EQ(set.select(-1), nullptr);
    EXPECT_EQ(set.select(set.size()), nullptr);
    EXPECT_EQ(set.rank(key(100000)), -1);
}

TEST(ChildSet, RandomInsertsAndDeletesMatchAnOrderedSet) {
    std::mt19937 random(916);
    ChildSet set;
    std::set<CONTROL*> reference;
    for (int step = 0; step < 3000; ++step) {
        if (reference.empty() || random() % 3 != 0) {
            CONTROL* child = key(random() % 500);
            EXPECT_EQ(set.insert(child), reference.insert(child).second);
        } else {
            const int rank = static_cast<int>(random() % reference.size());
            EXPECT_TRUE(set.eraseAt(rank));
            reference.erase(std::next(reference.begin(), rank));
        }
        if (step % 100 == 0)
            expectSameAs(set, reference);
    }
    expectSameAs(set, reference);
}

TEST(ChildSet, InsertionsKeepTheSizeBalance) {
    // Ascending, descending and shuffled keys each push the rotations a different way.
    std::vector<uintptr_t> keys(600);
    for (size_t i = 0; i < keys.size(); ++i)
        keys[i] = i;
    std::vector<std::vector<uintptr_t>> orders{keys, {keys.rbegin(), keys.rend()}, keys};
    std::shuffle(orders[2].begin(), orders[2].end(), std::mt19937(7));
    for (const auto& order : orders) {
        ChildSet set;
        std::set<CONTROL*> reference;
        for (uintptr_t n : order) {
            set.insert(key(n));
            reference.insert(key(n));
            ASSERT_TRUE(set.sizeBalanced()) << "after inserting " << n;
        }
        expectSameAs(set, reference);
    }
}

TEST(ChildSet, DeletesEveryRankPosition) {
    constexpr int kCount = 40;
    for (int victim = 0; victim < kCount; ++victim) {
        ChildSet set;
        std::set<CONTROL*> reference;
        for (int n = 0; n < kCount; ++n) {
            set.insert(key(n * 7 % kCount));
            reference.insert(key(n));
        }
        ASSERT_TRUE(set.eraseAt(victim));
        reference.erase(key(victim));
        expectSameAs(set, reference);
    }
}

}  // namespace
