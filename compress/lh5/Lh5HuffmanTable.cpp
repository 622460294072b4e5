#include "compress/lh5/Lh5HuffmanTable.h"

#include <algorithm>

#include "compress/CompressExceptions.h"

namespace lh5 {
namespace {

constexpr std::size_t kMaxCodeLength = 16;
using TCodeStarts = std::array<std::uint32_t, kMaxCodeLength + 2>;

// The first left-aligned 16-bit code of each length, in canonical order. Raises ELZHBadDecodeTable
// unless the lengths fill the code space exactly: a gap would leave table slots (and tree nodes)
// that name nothing, an overlap would give one code to two symbols.
TCodeStarts CodeStarts(std::span<const unsigned char> lengths)
{
    std::array<std::uint32_t, kMaxCodeLength + 1> count{};
    for (const unsigned char length : lengths) {
        if (length > kMaxCodeLength) throw ELZHBadDecodeTable();
        ++count[length];
    }
    TCodeStarts start{};
    for (std::size_t i = 1; i <= kMaxCodeLength; ++i) start[i + 1] = start[i] + (count[i] << (kMaxCodeLength - i));
    if (start[kMaxCodeLength + 1] != 1u << kMaxCodeLength) throw ELZHBadDecodeTable();
    return start;
}

// Hangs a code longer than the table below the slot of its first tableBits bits, making the inner
// nodes it passes through as needed.
void PlaceLongCode(std::uint16_t symbol, std::uint32_t code, std::size_t length, std::size_t tableBits,
                   std::span<std::uint16_t> table, TOverflowTree& tree, std::uint16_t& avail)
{
    std::uint16_t* slot = &table[code >> (kMaxCodeLength - tableBits)];
    for (std::size_t step = tableBits; step < length; ++step) {
        if (*slot == 0) {
            tree.left[avail] = tree.right[avail] = 0;
            *slot = avail++;
        }
        const bool one = ((code >> (kMaxCodeLength - 1 - step)) & 1u) != 0;
        slot = one ? &tree.right[*slot] : &tree.left[*slot];
    }
    *slot = symbol;
}

}  // namespace

void MakeTable(std::span<const unsigned char> lengths, int tableBits, std::span<std::uint16_t> table,
               TOverflowTree& tree)
{
    TCodeStarts start = CodeStarts(lengths);
    const auto bits = static_cast<std::size_t>(tableBits);
    const std::size_t jutBits = kMaxCodeLength - bits;
    // Slots past the short codes are roots of the overflow tree; they start empty.
    const std::size_t shortEnd = start[bits + 1] >> jutBits;
    std::ranges::fill(table.subspan(shortEnd), std::uint16_t{0});

    auto avail = static_cast<std::uint16_t>(lengths.size());
    for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
        const std::size_t length = lengths[symbol];
        if (length == 0) continue;
        const std::uint32_t code = start[length];
        start[length] += 1u << (kMaxCodeLength - length);
        const auto value = static_cast<std::uint16_t>(symbol);
        if (length <= bits) {
            std::ranges::fill(table.subspan(code >> jutBits, (start[length] - code) >> jutBits), value);
        } else {
            PlaceLongCode(value, code, length, bits, table, tree, avail);
        }
    }
}

}  // namespace lh5
