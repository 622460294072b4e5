// Arbitrary bytes into DecodeLZMA: the first three bytes give the expanded size (below 128 KB), the rest is
// the coded stream with its 5-byte header. A result of at most that size or ELzmaData is fine; anything
// else (a crash, a write past the size, a header that makes the decoder ask for more than the cap) is a
// finding.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "compress/CompThreadSafety.h"
#include "compress/CompressExceptions.h"
#include "compress/Lzma.h"
#include "port/MemoryStream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) return 0;
    const auto expandedSize = static_cast<std::int32_t>(data[0] | (data[1] << 8) | ((data[2] & 0x01) << 16));
    MemoryStream in(std::vector<unsigned char>(data + 3, data + size));
    MemoryStream out;
    TCompThreadSafety state;
    state.Begin({&in, &out, static_cast<std::int32_t>(size - 3), 0x7FFFFFFF, false, false, 0, {}});
    try {
        DecodeLZMA(state, expandedSize);
    } catch (const ELzmaData&) {
        state.Release();
        return 0;
    }
    state.Flush();
    if (out.Bytes().size() > static_cast<std::size_t>(expandedSize)) __builtin_trap();
    return 0;
}
