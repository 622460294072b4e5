#include "compress/lzhuf/LzhufTree.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using namespace lzhuf;

// The sibling property that both coders rely on: weights never fall with position, an inner node weighs
// what its two children weigh, parent and child links agree, and every symbol has exactly one leaf.
void ExpectSiblingProperty(const TAdaptiveTree& tree, const std::string& when)
{
    std::vector<int> leaves(N_CHAR, 0);
    for (int node = 0; node < T; ++node) {
        if (node + 1 < T) {
            ASSERT_LE(tree.Frequency(node), tree.Frequency(node + 1)) << when << ", node " << node;
        }
        const int c = tree.Child(node);
        if (c >= T) {
            ASSERT_EQ(tree.Parent(c), node) << when;
            ++leaves[static_cast<std::size_t>(c - T)];
            continue;
        }
        ASSERT_EQ(c % 2, 0) << when;
        ASSERT_EQ(tree.Frequency(node), tree.Frequency(c) + tree.Frequency(c + 1)) << when << ", node " << node;
        ASSERT_EQ(tree.Parent(c), node) << when;
        ASSERT_EQ(tree.Parent(c + 1), node) << when;
    }
    for (int s = 0; s < N_CHAR; ++s) ASSERT_EQ(leaves[static_cast<std::size_t>(s)], 1) << when << ", symbol " << s;
    ASSERT_LE(tree.Frequency(R), MAX_FREQ) << when;
}

TEST(LzhufTree, KeepsTheSiblingPropertyThroughUpdatesAndRebuilds)
{
    TAdaptiveTree tree;
    ExpectSiblingProperty(tree, "initial");
    std::mt19937 random(11);
    std::geometric_distribution<int> skewed(0.05);
    int rebuilds = 0;
    for (int i = 1; i <= 200000; ++i) {
        const std::uint32_t before = tree.Frequency(R);
        tree.Update(skewed(random) % N_CHAR);
        if (tree.Frequency(R) < before) ++rebuilds;
        if (i % 9973 == 0) ExpectSiblingProperty(tree, "after " + std::to_string(i) + " updates");
    }
    EXPECT_GE(rebuilds, 5);
}

}  // namespace
