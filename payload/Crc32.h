#pragma once
// The CRC-32 of zip and PNG (polynomial 0xEDB88320, reflected), carried on over several calls.
#include <cstddef>
#include <cstdint>

// The CRC of crc's data followed by count bytes at data; start with 0.
std::uint32_t Crc32(std::uint32_t crc, const void* data, std::size_t count);
