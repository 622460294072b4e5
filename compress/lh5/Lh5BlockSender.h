#pragma once
// Sends a gathered -lh5- block: its Huffman codes (built from the block's counts), then its items.
#include <array>
#include <cstdint>

#include "compress/lh5/Lh5.h"
#include "compress/lh5/Lh5BitOutput.h"
#include "compress/lh5/Lh5Block.h"
#include "compress/lh5/Lh5HuffmanTree.h"

class TLh5BlockSender {
public:
    explicit TLh5BlockSender(TCompThreadSafety& state) : bits_(state) {}

    // Writes the block; the tree building uses the block's counts as its work space.
    void Send(TLh5Block& block);
    // Completes the last byte after the last block.
    void Finish() { bits_.Finish(); }

private:
    void WriteCodeLengthCode();
    void CountCodeLengthSymbols();
    void WritePtLengths(int n, int countBits, int special);
    void WriteCharLengths();
    void WriteZeroRun(int zeros);
    void WriteItems(const TLh5Block& block, unsigned items);
    void WriteSymbol(unsigned symbol) { bits_.PutCode(charLength_[symbol], charCode_[symbol]); }
    void WritePt(unsigned symbol) { bits_.PutCode(ptLength_[symbol], ptCode_[symbol]); }
    void WriteDistance(unsigned distanceCode);
    int UsedCharLengths() const;

    TLh5BitOutput bits_;
    TLh5HuffmanTree tree_;
    std::array<std::uint16_t, 2 * lh5::NT - 1> lenFreq_{};
    std::array<unsigned char, lh5::NC> charLength_{};
    std::array<std::uint16_t, lh5::NC> charCode_{};
    std::array<unsigned char, lh5::NT> ptLength_{};
    std::array<std::uint16_t, lh5::NT> ptCode_{};
};
