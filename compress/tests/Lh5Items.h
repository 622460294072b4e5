#pragma once
// Test helper: the literals and matches of a -lh5- stream, as the decoder reads them.
#include <memory>
#include <vector>

#include "compress/lh5/Lh5SymbolReader.h"
#include "compress/tests/Lh5Run.h"

struct TLh5Item {
    unsigned symbol;    // literal byte, or 256 + match length - 3
    unsigned distance;  // distance code of a match
    bool operator==(const TLh5Item&) const = default;
};

inline TLh5Item Literal(char c)
{
    return {static_cast<unsigned char>(c), 0};
}
inline TLh5Item Match(unsigned length, unsigned distanceCode)
{
    return {length + 253, distanceCode};
}

inline std::vector<TLh5Item> ReadItems(const TBytes& coded, std::size_t expandedSize)
{
    MemoryStream in(coded);
    MemoryStream out;
    TCompThreadSafety state;
    state.Begin({&in, &out, static_cast<std::int32_t>(coded.size()), 0, false, false, 0, {}});
    auto tables = std::make_unique<TLh5SymbolReader::TTables>();
    TLh5SymbolReader reader(state, *tables);
    std::vector<TLh5Item> items;
    for (std::size_t produced = 0; produced < expandedSize;) {
        const unsigned symbol = reader.NextSymbol();
        const unsigned distance = symbol >= 256 ? reader.NextDistance() : 0;
        items.push_back({symbol, distance});
        produced += symbol >= 256 ? symbol - 253 : 1;
    }
    state.Release();
    return items;
}
