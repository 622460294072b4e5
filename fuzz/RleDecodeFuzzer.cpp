// Arbitrary bytes through the run-length codec: decoding them as a coded stream stays within what
// runs can make of them (at most 254 bytes for every two read), and coding them then decoding the
// result gives them back.
#include <cstdint>
#include <cstdlib>

#include "compress/SimpleCodecs.h"
#include "compress/tests/CodecRun.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Bytes input(data, data + size);
    if (RunCodec(DecodeRLE, input, false).output.size() > size * 128 + 1) std::abort();
    if (RunCodec(DecodeRLE, RunCodec(EncodeRLE, input, true).output, false).output != input) std::abort();
    return 0;
}
