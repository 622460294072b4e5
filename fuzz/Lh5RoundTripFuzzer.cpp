// Encoding then decoding with -lh5- gives the input back, with and without a key.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "compress/CompThreadSafety.h"
#include "compress/lh5/Lh5.h"
#include "port/MemoryStream.h"

namespace {

std::vector<unsigned char> Run(const std::vector<unsigned char>& input, bool encode, std::int32_t key,
                               std::int32_t expandedSize)
{
    MemoryStream in(input);
    MemoryStream out;
    TCompThreadSafety state;
    state.Begin({&in,
                 &out,
                 static_cast<std::int32_t>(input.size()),
                 0x7FFFFFFF,
                 !encode && key != 0,
                 encode && key != 0,
                 key,
                 {}});
    if (encode) {
        EncodeLZH5(state);
    } else {
        DecodeLZH5(state, expandedSize);
    }
    state.Flush();
    return out.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<unsigned char> plain(data, data + size);
    const std::int32_t key = size % 2 == 0 ? 0 : 0x2468ACE1;
    const auto coded = Run(plain, true, key, 0);
    if (Run(coded, false, key, static_cast<std::int32_t>(size)) != plain) __builtin_trap();
    return 0;
}
