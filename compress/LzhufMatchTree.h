#pragma once
// The LZHUF encoder's dictionary: the window and a binary search tree of the 60-byte strings that start
// at its positions, under 4,096 roots chosen by the first byte and a hash of the next two. Every node
// also knows how many leading bytes it shares with its parent (`Same`), so that a search compares only
// the bytes beyond what the path already proves equal.
#include <cstdint>

#include "compress/Lzhuf.h"

namespace lzhuf {

class TMatchTree {
public:
    static constexpr int NIL = N;         // no node
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
    int Dad(int p) const { return dad_[p]; }
    int LeftSon(int p) const { return leftSon_[p]; }
    int RightSon(int p) const { return rightSon_[p]; }
    int Same(int p) const { return same_[p]; }
    static bool IsRoot(int node) { return node >= kFirstRoot; }
    int RootOf(int r) const;
    // The number of leading bytes, from `from` on, that the strings at a and b share (F at most).
    int CommonLength(int a, int b, int from) const;

private:
    void ReplaceNode(int p, int r);
    int SameAfterMove(int y, int z, int sameYX, int sameXZ) const;
    void RecordMatch(int r, int p, int length);

    unsigned char window_[N + F - 1]{};
    int leftSon_[N + 1]{};
    int rightSon_[N + 1 + kRoots]{};
    int dad_[N + 1]{};
    std::uint8_t same_[N]{};
    int matchPosition_ = 0;
    int matchLength_ = 0;
};

}  // namespace lzhuf
