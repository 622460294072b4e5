#pragma once
// The LZHUF encoder's dictionary: the window and a binary search tree of the 60-byte strings that start
// at its positions, under 4,096 roots chosen by the first byte and a hash of the next two. Every node
// also knows how many leading bytes it shares with its parent (`Same`), so that a search compares only
// the bytes beyond what the path already proves equal.
#include <cstdint>

#include "compress/lzhuf/Lzhuf.h"

namespace lzhuf {

class TMatchTree {
public:
    static constexpr int NIL = N;  // no node
    static constexpr int kFirstRoot = N + 1;
    static constexpr int kRoots = 4096;

    // The window starts with spaces before position N - F; the mirror of its first F - 1 bytes follows it.
    TMatchTree();

    unsigned char Byte(int position) const { return window_[position]; }
    // Stores a byte at a window position, keeping the mirror behind the window in step.
    void Store(int position, unsigned char b)
    {
        window_[position] = b;
        if (position < F - 1) window_[position + N] = b;
    }

    // Adds the string at r; afterwards MatchLength() and MatchPosition() give the longest earlier string
    // that shares at least THRESHOLD + 1 leading bytes with it (0 when none does) and, of those as long,
    // the nearest. A string equal in all F bytes replaces the older one.
    void Insert(int r);
    // Removes the string at p, if it is in the tree.
    void Delete(int p);

    int MatchLength() const { return matchLength_; }
    int MatchPosition() const { return matchPosition_; }  // distance - 1

    // The tree itself, for checking its invariants.
    int Dad(int p) const { return nodes_[p].dad; }
    int LeftSon(int p) const { return nodes_[p].left; }
    int RightSon(int node) const { return IsRoot(node) ? roots_[node - kFirstRoot] : nodes_[node].right; }
    int Same(int p) const { return nodes_[p].same; }
    static bool IsRoot(int node) { return node >= kFirstRoot; }
    int RootOf(int r) const;
    // The number of leading bytes, from `from` on, that the strings at a and b share (F at most).
    int CommonLength(int a, int b, int from) const;

private:
    // One window position's place in the tree, packed so that a step of a search touches one cache line.
    struct TNode {
        std::int16_t left;
        std::int16_t right;
        std::int16_t dad;   // a position, a root (kFirstRoot on), or NIL when not in the tree
        std::uint8_t same;  // leading bytes shared with dad, 1 to F; 1 under a root
    };

    std::int16_t& LinkFromDad(int p);
    void ReplaceNode(int p, int r);
    int SameAfterMove(int y, int z, int sameYX, int sameXZ) const;
    void RecordMatch(int r, int p, int length);

    // N + F - 1 bytes and room for CommonLength to read a whole word at the last offset it compares.
    unsigned char window_[N + F - 1 + 7]{};
    TNode nodes_[N + 1]{};          // nodes_[NIL] takes the writes meant for an absent child
    std::int16_t roots_[kRoots]{};  // the one (right) subtree of each root
    int matchPosition_ = 0;
    int matchLength_ = 0;
};

}  // namespace lzhuf
