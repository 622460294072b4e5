#pragma once
// The fixed prefix code of the upper six bits of an LZHUF match distance (the lower six bits follow as
// they are): 64 values with codes of 3 to 8 bits, assigned canonically and left-aligned in a byte.
#include <array>
#include <cstdint>

namespace lzhuf {

struct TPositionCodes {
    std::array<std::uint8_t, 64> codeLength{};     // PositionCodeLength
    std::array<std::uint8_t, 64> code{};           // PositionCode, left-aligned in 8 bits
    std::array<std::uint8_t, 256> decodeValue{};   // PositionDecodeValue: the value whose code prefixes a byte
    std::array<std::uint8_t, 256> decodeLength{};  // PositionDecodeLength: that code's length
};

constexpr TPositionCodes MakePositionCodes()
{
    TPositionCodes t;
    // How many values have each code length from 3 to 8.
    constexpr std::array<int, 6> valuesOfLength{1, 3, 8, 12, 24, 16};
    int value = 0;
    unsigned next = 0;  // the next free code, left-aligned in 8 bits
    for (std::size_t i = 0; i < valuesOfLength.size(); ++i) {
        const unsigned length = static_cast<unsigned>(i) + 3;
        for (int n = 0; n < valuesOfLength[i]; ++n, ++value) {
            const auto v = static_cast<std::size_t>(value);
            t.codeLength[v] = static_cast<std::uint8_t>(length);
            t.code[v] = static_cast<std::uint8_t>(next);
            const unsigned span = 1u << (8 - length);
            for (unsigned b = next; b < next + span; ++b) {
                t.decodeValue[b] = static_cast<std::uint8_t>(value);
                t.decodeLength[b] = static_cast<std::uint8_t>(length);
            }
            next += span;
        }
    }
    return t;
}

inline constexpr TPositionCodes kPositionCodes = MakePositionCodes();

static_assert(kPositionCodes.code[1] == 0x20 && kPositionCodes.code[4] == 0x50 && kPositionCodes.code[11] == 0x88);
static_assert(kPositionCodes.code[12] == 0x90 && kPositionCodes.code[24] == 0xC0 && kPositionCodes.code[47] == 0xEE);
static_assert(kPositionCodes.code[48] == 0xF0 && kPositionCodes.code[63] == 0xFF);
static_assert(kPositionCodes.decodeValue[0x1F] == 0 && kPositionCodes.decodeLength[0xFF] == 8);

}  // namespace lzhuf
