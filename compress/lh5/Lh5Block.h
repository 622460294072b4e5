#pragma once
// One -lh5- block as it is gathered: its items in a 16,384-byte buffer (a flag byte before every
// eight, then a literal byte, or a length byte and the distance code high byte first) and the counts
// of their symbols and distance classes.
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "compress/lh5/Lh5.h"

// The distance class: the number of significant bits of the distance code (0 for 0).
inline unsigned DistanceClass(unsigned distanceCode)
{
    return static_cast<unsigned>(std::bit_width(distanceCode));
}

struct TLh5Block {
    static constexpr std::size_t kBufferSize = 16384;

    std::array<unsigned char, kBufferSize> buffer{};
    std::size_t outputPos = 0;
    std::size_t flagPos = 0;
    std::array<std::uint16_t, 2 * lh5::NC - 1> charFreq{};
    std::array<std::uint16_t, 2 * lh5::NP - 1> posFreq{};

    void Clear()
    {
        outputPos = flagPos = 0;
        std::fill_n(charFreq.begin(), lh5::NC, std::uint16_t{0});
        std::fill_n(posFreq.begin(), lh5::NP, std::uint16_t{0});
    }
};
