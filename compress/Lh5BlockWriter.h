#pragma once
// The -lh5- encoder's block stage: gathers literals and matches in a 16,384-byte buffer with their
// counts, and when it is full sends them as one block: the block's Huffman codes, then the items.
#include <array>
#include <cstdint>

#include "compress/Lh5.h"
#include "compress/Lh5BitOutput.h"
#include "compress/Lh5HuffmanTree.h"

class TLh5BlockWriter {
public:
    explicit TLh5BlockWriter(TCompThreadSafety& state) : bits_(state) {}

    // A literal (symbol below 256) or a match (symbol 256 + length - 3 with its distance code).
    void Output(unsigned symbol, unsigned distanceCode);
    // Sends the last block and completes the last byte.
    void Finish();

private:
    static constexpr std::size_t kBufferSize = 16384;

    void SendBlock();
    void WriteCodeLengthCode();
    void CountCodeLengthSymbols();
    void WritePtLengths(int n, int countBits, int special);
    void WriteCharLengths();
    void WriteZeroRun(int zeros);
    void WriteItems(unsigned items);
    void WriteSymbol(unsigned symbol) { bits_.PutCode(charLength_[symbol], charCode_[symbol]); }
    void WritePt(unsigned symbol) { bits_.PutCode(ptLength_[symbol], ptCode_[symbol]); }
    void WriteDistance(unsigned distanceCode);
    int UsedCharLengths() const;

    TLh5BitOutput bits_;
    TLh5HuffmanTree tree_;
    std::array<unsigned char, kBufferSize> buffer_{};
    std::size_t outputPos_ = 0;
    std::size_t flagPos_ = 0;
    unsigned outputMask_ = 0;
    std::array<std::uint16_t, 2 * lh5::NC - 1> charFreq_{};
    std::array<std::uint16_t, 2 * lh5::NP - 1> posFreq_{};
    std::array<std::uint16_t, 2 * lh5::NT - 1> lenFreq_{};
    std::array<unsigned char, lh5::NC> charLength_{};
    std::array<std::uint16_t, lh5::NC> charCode_{};
    std::array<unsigned char, lh5::NT> ptLength_{};
    std::array<std::uint16_t, lh5::NT> ptCode_{};
};
