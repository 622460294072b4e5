#pragma once
// The LZMA method: the coder of the LZMA SDK (Debian's lzma-dev), carried as coCustom with the identifier
// "LZM". An entry's data are the coder's 5-byte header (literal context, literal position and position
// bits in one byte, then the dictionary size, 32 bits little-endian) and the coded stream without an end
// mark: the entry's ExpandedSize says where it ends.
#include <cstdint>

#include "compress/CompThreadSafety.h"

namespace lzma {
constexpr std::uint32_t kHeaderSize = 5;
// The largest dictionary a header may ask for: expansion needs at most this much memory for it (and never
// more than the file's size), however large the file.
constexpr std::uint32_t kMaxDictionary = 8u << 20;
// The most literal context and position bits together (the encoder writes 3): their tables take
// 1,536 << bits bytes, so a header cannot make the decoder ask for megabytes.
constexpr unsigned kMaxLiteralBits = 4;
}  // namespace lzma

// Decodes the run's input until expandedSize bytes have been written. Raises ELzmaData for a header the
// decoder refuses, for data that end before the file does and for data the coder finds damaged; writes
// nothing past expandedSize.
void DecodeLZMA(TCompThreadSafety& state, std::int32_t expandedSize);
// Codes every input byte of the run, with a dictionary of at most lzma::kMaxDictionary bytes (smaller for a
// smaller input); EUnableToCompress from the sink may end it.
void EncodeLZMA(TCompThreadSafety& state, std::int32_t expandedSize);
// EncodeLZMA with a dictionary of at most dictionary bytes (at least 4,096).
void EncodeLZMAWithin(TCompThreadSafety& state, std::uint32_t dictionary);
