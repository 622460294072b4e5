#pragma once
// The -lh5- encoder's match finder: a suffix trie over the last 8,192 positions of the text, with
// children found by hashing and positions percolated lazily up to the inner nodes, so that each
// insertion finds the longest earlier match (up to MAXMATCH bytes) in time proportional to its length.
#include <array>

#include "compress/IndexedArray.h"
#include "compress/lh5/Lh5.h"

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
    // 131,072 chains for the children of inner nodes: with fewer, the longer walks cost more than the
    // larger table saves.
    static constexpr int kHashBits = 17;
    static constexpr int kRoots = 256;
    // The children of the roots have a chain each, found without hashing: one per first two bytes.
    static constexpr int kRootSlots = 2 * lh5::DICSIZ + (1 << kHashBits);
    static constexpr int kMaxHashValue = kRootSlots + kRoots * 256 - 1;

    static int Hash(int node, unsigned char c);
    static int RootSlot(int root, unsigned char c) { return kRootSlots + ((root - lh5::DICSIZ) << 8 | c); }
    int FindChild(int node, unsigned char c);
    void MakeChild(int node, unsigned char c, int child);
    void LinkFirst(int slot, int child);
    void Split(int old);
    void Unlink(int node);
    void ReplaceInChain(int old, int replacement);
    void ClimbToMatchStart(int length, int& node, int& parentNode);
    void PercolateOnInsert(int node, int at);
    void PercolateOnDelete(int node, int firstPosition, int at);

    // Inner nodes 1 to DICSIZ - 1 and the roots DICSIZ + first byte.
    TIndexedArray<int, lh5::DICSIZ + kRoots> level_;
    TIndexedArray<int, lh5::DICSIZ + kRoots> childCount_;
    TIndexedArray<int, lh5::DICSIZ + kRoots> position_;
    // Inner nodes and leaves; a chain starts in next_ at its hash value or root slot.
    TIndexedArray<int, 2 * lh5::DICSIZ> parent_;
    TIndexedArray<int, 2 * lh5::DICSIZ> prev_;
    TIndexedArray<int, kMaxHashValue + 1> next_;
    int freeNode_ = 1;
};
