#pragma once
// One decoder fed arbitrary bytes: the first three give the expanded size (below 128 KB: many window wraps,
// yet fast runs), the rest is the coded stream. A result of at most that size, or the decoder's own refusal
// (an exception of type Refusal), is fine; anything else is a finding.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "compress/CompThreadSafety.h"
#include "port/MemoryStream.h"

template <typename Refusal, typename Decode>
int FuzzDecoder(const std::uint8_t* data, std::size_t size, Decode decode)
{
    if (size < 3) return 0;
    const auto expandedSize = static_cast<std::int32_t>(data[0] | (data[1] << 8) | ((data[2] & 0x01) << 16));
    MemoryStream in(std::vector<unsigned char>(data + 3, data + size));
    MemoryStream out;
    TCompThreadSafety state;
    state.Begin({&in, &out, static_cast<std::int32_t>(size - 3), 0x7FFFFFFF, false, false, 0, {}});
    try {
        decode(state, expandedSize);
    } catch (const Refusal&) {
        state.Release();
        return 0;
    }
    state.Flush();
    if (out.Bytes().size() > static_cast<std::size_t>(expandedSize)) __builtin_trap();
    return 0;
}
