#pragma once
// The adaptive Huffman tree of the LZHUF method, kept identical by the decoder and the encoder: both
// start from the same tree and update it with every symbol, so no code table is ever sent.
#include <cstdint>

#include "compress/lzhuf/Lzhuf.h"

namespace lzhuf {

class TAdaptiveTree {
public:
    // The initial tree: every symbol with weight 1, leaves paired from the lowest position upwards.
    TAdaptiveTree();

    // For an inner node, its first child (the second is the next position); T or more names the leaf
    // of symbol value - T. Child pairs always start at an even position, so a position's parity is its bit.
    int Child(int node) const { return child_[node]; }
    // The parent of a node; Parent(T + s) is the position of the leaf of symbol s; the root's parent is 0.
    int Parent(int node) const { return parent_[node]; }
    std::uint32_t Frequency(int node) const { return frequency_[node]; }

    // Counts one more occurrence of symbol and restores the sibling order (weights never decrease with
    // position), halving every weight first when the root has reached MAX_FREQ.
    void Update(int symbol);

private:
    void Reconstruct();
    void SwapSubtrees(int node, int other);

    // Element T is a sentinel above any weight, so the upward scan in Update needs no bound test.
    std::uint32_t frequency_[T + 1]{};
    int child_[T]{};
    int parent_[T + N_CHAR]{};
};

}  // namespace lzhuf
