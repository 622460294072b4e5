#pragma once
// Reading and writing little-endian integers of the file formats, whatever the host's byte order.
#include <cstddef>
#include <cstdint>

inline std::uint64_t GetLe(const unsigned char* at, std::size_t bytes)
{
    std::uint64_t value = 0;
    for (std::size_t i = bytes; i > 0; --i) value = (value << 8) | at[i - 1];
    return value;
}

inline void PutLe(unsigned char* at, std::uint64_t value, std::size_t bytes)
{
    for (std::size_t i = 0; i < bytes; ++i, value >>= 8) at[i] = static_cast<unsigned char>(value & 0xFFU);
}
