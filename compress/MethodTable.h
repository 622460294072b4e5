#pragma once
// Every coding method, written down once: the entry's method byte, the identifier an archive header carries,
// the maker's name for it and its two coders. A method beyond the five ordinals travels as coCustom with an
// identifier of its own, so no stored archive changes meaning.
//
// The table exists only while compiling (MethodTable is consteval). Each user copies the columns it needs
// into a table of its own (MethodColumn), so an object file that chooses decoders refers to no encoder, and
// a program that only expands (setup.exe) links none.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "compress/Codecs.h"
#include "compress/lh5/Lh5.h"
#include "compress/lzhuf/Lzhuf.h"
#include "compress/lzma/Lzma.h"
#include "compress/lzma/LzmaSolid.h"
#include "compress/simple/SimpleCodecs.h"

enum TCompressionMethod : std::uint8_t { coNone = 0, coRLE = 1, coLZH = 2, coCustom = 3, coLZH5 = 4 };

struct TMethodRow {
    std::uint8_t Method;  // the entry's method byte
    const char* Id;       // three characters: the archive header's identifier
    const char* Name;     // the maker's --method
    TCodec Decoder;       // none for coCustom left to the application's handlers
    TCodec Encoder;
    // The entries of an archive form chains (LzmaSolid.h): each goes on from the one before it.
    bool Solid = false;
};

inline constexpr std::size_t kMethodCount = 7;

consteval std::array<TMethodRow, kMethodCount> MethodTable()
{
    constexpr TCodec copy = [](TCompThreadSafety& coder, std::int32_t) { CopyBytes(coder); };
    return {{
        {coNone, "NON", "none", copy, copy},
        {coRLE, "RLE", "rle", DecodeRLE, [](TCompThreadSafety& coder, std::int32_t) { EncodeRLE(coder); }},
        {coLZH, "LZH", "lzh", DecodeLZH, [](TCompThreadSafety& coder, std::int32_t) { EncodeLZH(coder); }},
        {coCustom, "CUS", "custom", nullptr, nullptr},
        {coLZH5, "LH5", "lh5", DecodeLZH5, [](TCompThreadSafety& coder, std::int32_t) { EncodeLZH5(coder); }},
        {coCustom, "LZM", "lzma", DecodeLZMA, EncodeLZMA},
        {coCustom, "LZS", "lzma-solid", DecodeLZMASolid, EncodeLZMASolid, true},
    }};
}

// One column of the table, as a table of the caller's own: MethodColumn(&TMethodRow::Decoder).
template <typename T>
consteval std::array<T, kMethodCount> MethodColumn(T TMethodRow::*field)
{
    std::array<T, kMethodCount> column{};
    const auto table = MethodTable();
    for (std::size_t i = 0; i < kMethodCount; ++i) column[i] = table[i].*field;
    return column;
}

// The row of a method as an entry and its archive header name it: the ordinal alone for the five
// ordinals, the identifier too for coCustom; kMethodCount when no row has it.
constexpr std::size_t MethodRowOf(std::uint8_t method, std::string_view id)
{
    constexpr auto methods = MethodColumn(&TMethodRow::Method);
    constexpr auto ids = MethodColumn(&TMethodRow::Id);
    for (std::size_t i = 0; i < kMethodCount; ++i)
        if (methods[i] == method && (method != coCustom || ids[i] == id)) return i;
    return kMethodCount;
}

// Whether the method an entry and its archive header name is a solid one: its entries go on from each other.
constexpr bool IsSolidMethod(std::uint8_t method, std::string_view id)
{
    constexpr auto solid = MethodColumn(&TMethodRow::Solid);
    const std::size_t row = MethodRowOf(method, id);
    return row < kMethodCount && solid[row];
}

// The five ordinals come first, in order: their identifiers are the format's method table.
static_assert([] {
    const auto table = MethodTable();
    for (std::uint8_t i = 0; i <= coLZH5; ++i)
        if (table[i].Method != i) return false;
    return true;
}());
