// Whatever the bytes, coding them with LZHUF and decoding the result gives them back.
#include <cstdint>
#include <cstdlib>

#include "compress/lzhuf/Lzhuf.h"
#include "testsupport/compress/CodecRun.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Bytes input(data, data + size);
    const Bytes coded = Compress(EncodeLZH, input);
    if (Expand(DecodeLZH, coded, static_cast<std::int32_t>(size)) != input) std::abort();
    return 0;
}
