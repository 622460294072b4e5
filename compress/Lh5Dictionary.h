#pragma once
// The -lh5- encoder's match finder: a suffix trie over the last 8,192 positions of the text, with
// children found by hashing and positions percolated lazily up to the inner nodes, so that each
// insertion finds the longest earlier match (up to MAXMATCH bytes) in time proportional to its length.
#include <array>

#include "compress/IndexedArray.h"
#include "compress/Lh5.h"

class TLh5Dictionary {
public:
    static constexpr int kTextSize = 2 * lh5::DICSIZ + lh5::MAXMATCH;

    TLh5Dictionary();

    // Adds the string at pos; sets matchLength and matchPosition to its longest earlier match.
    void Insert();
    // Removes the string that left the window at pos.
    void Delete();

    // Window and look-ahead; positions DICSIZ to 2 × DICSIZ - 1 are the trie's leaves.
    TIndexedArray<unsigned char, kTextSize> text;
    int pos = 0;
    int matchLength = 0;
    int matchPosition = 0;

private:
    static constexpr int kNil = 0;
    static constexpr int kPercFlag = 0x8000;
    // 65,536 chains: with fewer, the longer walks cost more than the larger table saves.
    static constexpr int kHashBits = 16;
    static constexpr int kMaxHashValue = 2 * lh5::DICSIZ + (1 << kHashBits) - 1;
    static constexpr int kRoots = 256;

    static int Hash(int node, unsigned char c);
    int FindChild(int node, unsigned char c);
    void MakeChild(int node, unsigned char c, int child);
    void Split(int old);
    void Unlink(int node);
    void ReplaceInChain(int old, int replacement);
    void ClimbToMatchStart(int& node, int& parentNode);
    void PercolateOnInsert(int node);
    void PercolateOnDelete(int node, int firstPosition);

    // Inner nodes 1 to DICSIZ - 1 and the roots DICSIZ + first byte.
    TIndexedArray<int, lh5::DICSIZ + kRoots> level_;
    TIndexedArray<int, lh5::DICSIZ + kRoots> childCount_;
    TIndexedArray<int, lh5::DICSIZ + kRoots> position_;
    // Inner nodes and leaves; a hash slot's successor chain starts in next_ at its hash value.
    TIndexedArray<int, 2 * lh5::DICSIZ> parent_;
    TIndexedArray<int, 2 * lh5::DICSIZ> prev_;
    TIndexedArray<int, kMaxHashValue + 1> next_;
    int freeNode_ = 1;
};
