#pragma once
// The solid LZMA method, carried as coCustom with the identifier "LZS": an archive's entries form a chain, one
// LZMA stream whose dictionary and state run on from one entry into the next, so that what the files share
// is coded once. An entry's data are a byte of flags, the coder's 5-byte header when the entry starts a
// chain, and the coder's output for the entry's bytes, flushed, so that each entry's data end with it. An
// empty entry has no data and leaves the chain as it is.
//
// An entry that goes on with a chain can only be expanded after the entries before it in its chain, in order;
// the archive's reader and writer keep the chain (CodingChain.h). An archive is one chain for its reader, but
// its writer may code it in parts on several threads: a part's first entry starts the coder's state afresh,
// while the dictionary goes on, and that part's coder has taken in what the dictionary holds by then.
#include <cstdint>

#include "compress/CompThreadSafety.h"

namespace lzma::solid {
// The flags: the entry starts a chain (a header follows); its bytes went through the x86 branch filter
// (X86Filter.h) before the coder; it starts a part coded apart (the coder's state starts afresh). No other
// bit is set.
constexpr unsigned char kStartsChain = 0x01;
constexpr unsigned char kX86 = 0x02;
constexpr unsigned char kStartsPart = 0x04;
// The largest dictionary a chain's header may ask for, eight times the plain method's: a solid archive's files
// share more than one file does with itself (on 69 MB of Wine's libraries 64 MB codes 1.9 % smaller than 8 MB).
// The writer never asks for more than the archive's size; expansion holds the dictionary for the whole chain.
constexpr std::uint32_t kMaxDictionary = 64u << 20;
// How far back into the files before it a part's coder looks: it takes in this much of them before its own,
// so that the parts cost about as much work each, and a part still finds what the files just before it share.
constexpr std::uint32_t kPartReach = 8u << 20;
}  // namespace lzma::solid

// Decodes the run's entry, going on with the run's chain (or starting one); ELzmaData for data the decoder
// refuses, for an entry that goes on with a chain the reader does not hold, and for unknown flags. A failed
// or cancelled entry ends the chain. Writes nothing past expandedSize.
void DecodeLZMASolid(TCompThreadSafety& state, std::int32_t expandedSize);
// Codes the run's input as the next entry of the run's chain (the first when the chain holds no coder, or the
// first of a part when the chain names files before it), with a dictionary of at most lzma::solid::kMaxDictionary
// bytes and no larger than the chain's planned bytes. EReadError when a file before the chain is shorter
// than the chain says.
void EncodeLZMASolid(TCompThreadSafety& state, std::int32_t expandedSize);
