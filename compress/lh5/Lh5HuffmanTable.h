#pragma once
// Decoding tables for the canonical Huffman codes of -lh5- blocks: a direct lookup on the next
// tableBits bits, and an overflow tree for the codes that are longer.
#include <array>
#include <cstdint>
#include <span>

#include "compress/lh5/Lh5.h"

namespace lh5 {

// Children of the overflow tree's inner nodes, numbered from the alphabet size upward; shared by
// the tables of one block, as each alphabet numbers its nodes from its own size.
struct TOverflowTree {
    std::array<std::uint16_t, 2 * NC - 1> left{};
    std::array<std::uint16_t, 2 * NC - 1> right{};
};

// Fills table (2^tableBits entries) for the code lengths given, one per symbol. Lengths that do not
// fill the code space exactly, or that exceed 16, raise ELZHBadDecodeTable.
void MakeTable(std::span<const unsigned char> lengths, int tableBits, std::span<std::uint16_t> table,
               TOverflowTree& tree);

// The symbol of a code longer than the table: follows the tree from the node the table gave, taking
// the bits below the table's part from bitsAfterTable (most significant first).
inline unsigned WalkOverflowTree(unsigned node, std::uint32_t bitsAfterTable, unsigned alphabetSize,
                                 const TOverflowTree& tree)
{
    std::uint32_t mask = 0x80000000u;
    while (node >= alphabetSize) {
        node = (bitsAfterTable & mask) != 0 ? tree.right[node] : tree.left[node];
        mask >>= 1;
    }
    return node;
}

}  // namespace lh5
