#pragma once
// Writing LZHUF symbols: the mirror of LzhufSymbolReader.h.
#include <cstdint>

#include "compress/lzhuf/LzhufBitWriter.h"
#include "compress/lzhuf/LzhufPositionCodes.h"
#include "compress/lzhuf/LzhufTree.h"

namespace lzhuf {

// The code of a symbol is its path from the root; it is collected from the leaf upwards, one bit per
// node (an odd position is the second child). The tree is a Huffman tree of weights that sum to at most
// MAX_FREQ, so no path is longer than about 22 nodes and the code fits 32 bits; codes longer than 16
// bits go out whole, in two pieces.
inline void EncodeChar(TAdaptiveTree& tree, TBitWriter& bits, int symbol)
{
    std::uint32_t code = 0;
    int length = 0;
    for (int node = tree.Parent(symbol + T); node != R; node = tree.Parent(node)) {
        code |= static_cast<std::uint32_t>(node & 1) << length;
        ++length;
    }
    if (length > 16) {
        bits.PutCode(length - 16, code >> 16);
        bits.PutCode(16, code & 0xFFFF);
    } else {
        bits.PutCode(length, code);
    }
    tree.Update(symbol);
}

inline void EncodePosition(TBitWriter& bits, int position)
{
    const auto upper = static_cast<std::size_t>(position >> 6);
    const int length = kPositionCodes.codeLength[upper];
    bits.PutCode(length, static_cast<std::uint32_t>(kPositionCodes.code[upper]) >> (8 - length));
    bits.PutCode(6, static_cast<std::uint32_t>(position & 0x3F));
}

}  // namespace lzhuf
