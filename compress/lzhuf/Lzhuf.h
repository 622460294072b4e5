#pragma once
// The LZHUF method (coLZH): LZSS with a 4,096-byte window and adaptive Huffman coding.
#include <cstdint>

#include "compress/CompThreadSafety.h"

namespace lzhuf {
constexpr int N = 4096;       // window
constexpr int F = 60;         // longest match
constexpr int THRESHOLD = 2;  // matches of this length or shorter go as literals
constexpr int N_CHAR = 256 - THRESHOLD + F;
constexpr int T = 2 * N_CHAR - 1;  // tree nodes
constexpr int R = T - 1;           // root
constexpr unsigned MAX_FREQ = 0x8000;
}  // namespace lzhuf

// Decodes the run's input until expandedSize bytes have been written.
void DecodeLZH(TCompThreadSafety& state, std::int32_t expandedSize);
// Codes every input byte of the run; EUnableToCompress from the sink may end it.
void EncodeLZH(TCompThreadSafety& state);
