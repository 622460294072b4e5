#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "compress/lzhuf/LzhufMatchTree.h"
#include "testsupport/TestBytes.h"

namespace {

using lzhuf::F;
using lzhuf::N;
using lzhuf::TMatchTree;

// -1, 0 or 1 as the string at a is below, equal to or above the string at b.
int Compare(const TMatchTree& tree, int a, int b)
{
    for (int i = 0; i < F; ++i)
        if (tree.Byte(a + i) != tree.Byte(b + i)) return tree.Byte(a + i) < tree.Byte(b + i) ? -1 : 1;
    return 0;
}

// Every node hangs under the root of its first bytes, is linked both ways, lies on the right side of its
// parent, and its Same is exactly what it shares with its parent.
void ExpectSound(const TMatchTree& tree, const std::string& when)
{
    for (int p = 0; p < N; ++p) {
        const int dad = tree.Dad(p);
        if (dad == TMatchTree::NIL) continue;
        if (TMatchTree::IsRoot(dad)) {
            ASSERT_EQ(dad, tree.RootOf(p)) << when << ", position " << p;
            ASSERT_EQ(tree.RightSon(dad), p) << when;
            ASSERT_EQ(tree.Same(p), 1) << when;
            continue;
        }
        ASSERT_EQ(tree.RootOf(p), tree.RootOf(dad)) << when << ", position " << p;
        const bool right = tree.RightSon(dad) == p;
        ASSERT_TRUE(right || tree.LeftSon(dad) == p) << when << ", position " << p;
        ASSERT_EQ(Compare(tree, p, dad), right ? 1 : -1) << when << ", position " << p;
        ASSERT_EQ(tree.Same(p), tree.CommonLength(p, dad, 0)) << when << ", position " << p;
    }
}

// The longest string in the tree that the one at r (not yet inserted) shares its start with, by looking
// at all of them.
int LongestByHand(const TMatchTree& tree, int r)
{
    int longest = 0;
    for (int p = 0; p < N; ++p)
        if (tree.Dad(p) != TMatchTree::NIL) longest = std::max(longest, tree.CommonLength(r, p, 0));
    return longest > lzhuf::THRESHOLD ? longest : 0;
}

// Slides the data through the tree as the encoder does, one position at a time, checking as it goes.
void SlideAndCheck(const std::vector<unsigned char>& data, const std::string& what)
{
    auto tree = std::make_unique<TMatchTree>();
    int s = 0;
    int r = N - F;
    for (int i = 0; i < F; ++i) tree->Store(r + i, data[static_cast<std::size_t>(i)]);
    for (int i = 1; i <= F; ++i) tree->Insert(r - i);
    tree->Insert(r);
    for (std::size_t next = F; next < data.size(); ++next) {
        tree->Delete(s);
        tree->Store(s, data[next]);
        s = (s + 1) & (N - 1);
        r = (r + 1) & (N - 1);
        const int longest = LongestByHand(*tree, r);
        tree->Insert(r);
        const int length = tree->MatchLength();
        ASSERT_EQ(length, longest) << what << ", byte " << next;
        if (length > 0) {
            const int p = (r - tree->MatchPosition() - 1) & (N - 1);
            ASSERT_EQ(tree->CommonLength(r, p, 0), length) << what << ", byte " << next;
            if (length == F) {
                ASSERT_EQ(tree->Dad(p), TMatchTree::NIL) << "an equal string is replaced";
            }
        }
        if (next % 997 == 0) ExpectSound(*tree, what + ", byte " + std::to_string(next));
    }
    ExpectSound(*tree, what + " at the end");
}

TEST(LzhufMatchTree, FindsTheLongestMatchAndKeepsSameExactWhileSliding)
{
    const unsigned char values[] = {'a', 'a', 'b', ' '};
    std::vector<unsigned char> runs;
    for (std::size_t i = 0; runs.size() < 12000; ++i) runs.insert(runs.end(), i % 97 + 1, values[i % 4]);
    SlideAndCheck(TextBytes(12000, 1), "text");
    SlideAndCheck(RandomBytes(9000, 2), "noise");
    SlideAndCheck(runs, "runs");
}

}  // namespace
