// Arbitrary bytes into DecodeLZH5 (see DecoderFuzzing.h); ELZHBadDecodeTable is its refusal.
#include "DecoderFuzzing.h"
#include "compress/CompressExceptions.h"
#include "compress/lh5/Lh5.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return FuzzDecoder<ELZHBadDecodeTable>(data, size, DecodeLZH5);
}
