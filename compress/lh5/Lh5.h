#pragma once
// The -lh5- method (coLZH5): LZSS with an 8,192-byte window and static Huffman codes per block.
#include <cstdint>

#include "compress/CompThreadSafety.h"

namespace lh5 {
constexpr int DICBIT = 13;
constexpr int DICSIZ = 1 << DICBIT;  // window
constexpr int MAXMATCH = 256;
constexpr int THRESHOLD = 3;
constexpr int NC = 255 + MAXMATCH + 2 - THRESHOLD;  // literals and lengths
constexpr int NP = DICBIT + 1;                      // position classes
constexpr int NT = 19;                              // code-length alphabet
constexpr int CBIT = 9;
constexpr int PBIT = 4;
constexpr int TBIT = 5;
}  // namespace lh5

// Decodes the run's input until expandedSize bytes have been written; inconsistent code lengths
// raise ELZHBadDecodeTable.
void DecodeLZH5(TCompThreadSafety& state, std::int32_t expandedSize);
// Codes every input byte of the run as -lh5- blocks; EUnableToCompress from the sink may end it.
void EncodeLZH5(TCompThreadSafety& state);
