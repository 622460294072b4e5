// Arbitrary bytes into DecodeLZMA (see DecoderFuzzing.h), the coded stream with its 5-byte header; ELzmaData is
// its refusal. A header that makes the decoder ask for more than the cap is a finding too.
#include "DecoderFuzzing.h"
#include "compress/CompressExceptions.h"
#include "compress/lzma/Lzma.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return FuzzDecoder<ELzmaData>(data, size, DecodeLZMA);
}
