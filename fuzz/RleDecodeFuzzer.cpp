// Arbitrary bytes through the run-length codec. The first two bytes are an expanded size: decoding
// the rest as a coded stream never writes more than that, however its runs add up. Coding the rest
// and decoding the result with its own size gives it back.
#include <cstdint>
#include <cstdlib>

#include "compress/simple/SimpleCodecs.h"
#include "testsupport/compress/CodecRun.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    const std::int32_t expandedSize = data[0] | data[1] << 8;
    const Bytes input(data + 2, data + size);
    const auto decode = [](const Bytes& coded, std::int32_t limit) {
        return RunCodec([limit](TCompThreadSafety& s) { DecodeRLE(s, limit); }, coded, false).output;
    };
    if (decode(input, expandedSize).size() > static_cast<std::size_t>(expandedSize)) std::abort();
    if (decode(RunCodec(EncodeRLE, input, true).output, static_cast<std::int32_t>(input.size())) != input) std::abort();
    return 0;
}
