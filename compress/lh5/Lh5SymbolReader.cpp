#include "compress/lh5/Lh5SymbolReader.h"

#include <algorithm>

#include "compress/CompressExceptions.h"

using namespace lh5;

void TLh5SymbolReader::ReadBlockHeader()
{
    blockRemaining_ = static_cast<std::uint16_t>(bits_.Get(16));
    ReadPtLengths(NT, TBIT, 3);
    ReadCharLengths();
    ReadPtLengths(NP, PBIT, -1);
}

// An alphabet of one symbol is sent as its value alone and costs no bits per symbol. A value outside
// the alphabet would send the decoder into tree nodes that this block never made.
unsigned TLh5SymbolReader::SingleSymbol(int valueBits, unsigned alphabetSize)
{
    const unsigned value = bits_.Get(valueBits);
    if (value >= alphabetSize) throw ELZHBadDecodeTable();
    return value;
}

void TLh5SymbolReader::ReadPtLengths(int count, int countBits, int special)
{
    const auto lengths = std::span(t_.ptLength).first(static_cast<std::size_t>(count));
    const int n = static_cast<int>(bits_.Get(countBits));
    if (n == 0) {
        const auto value = static_cast<std::uint16_t>(SingleSymbol(countBits, static_cast<unsigned>(count)));
        std::fill(lengths.begin(), lengths.end(), std::uint8_t{0});
        t_.ptTable.fill(value);
        return;
    }
    if (n > count) throw ELZHBadDecodeTable();
    int i = 0;
    while (i < n) {
        // Lengths up to 6 take three bits; longer ones continue in unary (a 1 bit per extra step).
        unsigned length = bits_.Peek16() >> 13;
        if (length == 7) {
            for (std::uint32_t mask = 1u << 12; (bits_.Peek16() & mask) != 0; mask >>= 1) ++length;
        }
        bits_.Skip(length < 7 ? 3 : static_cast<int>(length) - 3);
        lengths[static_cast<std::size_t>(i++)] = static_cast<unsigned char>(length);
        if (i == special) {
            for (auto zeros = bits_.Get(2); zeros > 0; --zeros) lengths[static_cast<std::size_t>(i++)] = 0;
        }
    }
    std::fill(lengths.begin() + i, lengths.end(), std::uint8_t{0});
    MakeTable(lengths, kPtTableBits, t_.ptTable, t_.tree);
}

unsigned TLh5SymbolReader::NextCodeLengthSymbol()
{
    unsigned symbol = t_.ptTable[bits_.Peek16() >> (16 - kPtTableBits)];
    if (symbol >= NT) symbol = WalkOverflowTree(symbol, bits_.Peek32() << kPtTableBits, NT, t_.tree);
    bits_.Skip(t_.ptLength[symbol]);
    return symbol;
}

void TLh5SymbolReader::ReadCharLengths()
{
    const int n = static_cast<int>(bits_.Get(CBIT));
    if (n == 0) {
        const auto value = static_cast<std::uint16_t>(SingleSymbol(CBIT, NC));
        t_.charLength.fill(0);
        t_.charTable.fill(value);
        return;
    }
    if (n > NC) throw ELZHBadDecodeTable();
    int i = 0;
    while (i < n) {
        const unsigned symbol = NextCodeLengthSymbol();
        if (symbol > 2) {
            t_.charLength[static_cast<std::size_t>(i++)] = static_cast<unsigned char>(symbol - 2);
            continue;
        }
        // Symbols 0 to 2 are runs of zero lengths: one, 3 to 18, or 20 to 530.
        const int zeros = symbol == 0   ? 1
                          : symbol == 1 ? static_cast<int>(bits_.Get(4)) + 3
                                        : static_cast<int>(bits_.Get(CBIT)) + 20;
        if (zeros > NC - i) throw ELZHBadDecodeTable();
        std::fill_n(t_.charLength.begin() + i, zeros, std::uint8_t{0});
        i += zeros;
    }
    std::fill(t_.charLength.begin() + i, t_.charLength.end(), std::uint8_t{0});
    MakeTable(t_.charLength, kCharTableBits, t_.charTable, t_.tree);
}
