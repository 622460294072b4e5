// Arbitrary bytes as an LZHUF stream: the decoder must stay inside its arrays and write at most the
// expanded size it is given (taken from the first two bytes, so that runs stay short).
#include <cstdint>
#include <cstdlib>

#include "compress/lzhuf/Lzhuf.h"
#include "testsupport/compress/CodecRun.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    const std::int32_t expandedSize = data[0] | data[1] << 8;
    const Bytes stream(data + 2, data + size);
    if (Expand(DecodeLZH, stream, expandedSize).size() > static_cast<std::size_t>(expandedSize)) std::abort();
    return 0;
}
