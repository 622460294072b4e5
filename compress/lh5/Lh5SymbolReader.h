#pragma once
// Reads the symbols of a -lh5- stream: block headers with their code tables, then literal/length
// symbols and distance codes. Headers that would lead outside the tables raise ELZHBadDecodeTable.
#include <array>
#include <cstdint>

#include "compress/lh5/Lh5.h"
#include "compress/lh5/Lh5BitInput.h"
#include "compress/lh5/Lh5HuffmanTable.h"

class TLh5SymbolReader {
public:
    static constexpr int kCharTableBits = 12;
    static constexpr int kPtTableBits = 8;

    // The code tables of the current block.
    struct TTables {
        std::array<unsigned char, lh5::NC> charLength;
        std::array<std::uint16_t, 1 << kCharTableBits> charTable;
        std::array<unsigned char, lh5::NT> ptLength;
        std::array<std::uint16_t, 1 << kPtTableBits> ptTable;
        lh5::TOverflowTree tree;
    };

    TLh5SymbolReader(TCompThreadSafety& state, TTables& tables) : bits_(state), t_(tables) {}

    // The next literal (below 256) or match length symbol (256 + length - 3), starting a block when
    // the current one is used up.
    unsigned NextSymbol()
    {
        if (blockRemaining_ == 0) ReadBlockHeader();
        --blockRemaining_;  // a size of 0 is a block of 65,536 symbols
        unsigned symbol = t_.charTable[bits_.Peek16() >> (16 - kCharTableBits)];
        if (symbol >= lh5::NC) symbol = WalkOverflowTree(symbol, bits_.Peek32() << kCharTableBits, lh5::NC, t_.tree);
        bits_.Skip(t_.charLength[symbol]);
        return symbol;
    }

    // The distance code (0 to 8,191) of the match whose length was just read.
    unsigned NextDistance()
    {
        unsigned bitCount = t_.ptTable[bits_.Peek16() >> (16 - kPtTableBits)];
        if (bitCount >= lh5::NP)
            bitCount = WalkOverflowTree(bitCount, bits_.Peek32() << kPtTableBits, lh5::NP, t_.tree);
        bits_.Skip(t_.ptLength[bitCount]);
        if (bitCount <= 1) return bitCount;
        const int extra = static_cast<int>(bitCount) - 1;
        return (1u << extra) + bits_.Get(extra);
    }

private:
    void ReadBlockHeader();
    void ReadPtLengths(int count, int countBits, int special);
    void ReadCharLengths();
    unsigned NextCodeLengthSymbol();
    unsigned SingleSymbol(int valueBits, unsigned alphabetSize);

    TLh5BitInput bits_;
    TTables& t_;
    std::uint16_t blockRemaining_ = 0;
};
