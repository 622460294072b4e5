#pragma once
// Reading LZHUF symbols: literals and match lengths through the adaptive tree, match distances through
// the fixed position code.
#include "compress/lzhuf/LzhufBitReader.h"
#include "compress/lzhuf/LzhufPositionCodes.h"
#include "compress/lzhuf/LzhufTree.h"

namespace lzhuf {

// A literal (0 to 255) or a match length + 253 (256 to 313). The walk stays inside the tree whatever the
// bits: an inner node's children are at positions below R, and a leaf ends the walk.
inline int DecodeChar(TAdaptiveTree& tree, TBitReader& bits)
{
    int node = tree.Child(R);
    while (node < T) node = tree.Child(node + static_cast<int>(bits.GetBit()));
    const int symbol = node - T;
    tree.Update(symbol);
    return symbol;
}

// A distance code (distance - 1), 0 to 4,095: the upper six bits by the position code, then the lower six.
inline int DecodePosition(TBitReader& bits)
{
    unsigned i = bits.GetByte();
    const unsigned upper = kPositionCodes.decodeValue[i];
    for (int extra = kPositionCodes.decodeLength[i] - 2; extra > 0; --extra) i = (i << 1) | bits.GetBit();
    return static_cast<int>((upper << 6) | (i & 0x3F));
}

}  // namespace lzhuf
