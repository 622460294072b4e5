#include "compress/lh5/Lh5BlockSender.h"

#include <algorithm>
#include <span>

using namespace lh5;

void TLh5BlockSender::Send(TLh5Block& block)
{
    const unsigned root = tree_.Make(block.charFreq, charLength_, charCode_);
    const unsigned items = block.charFreq[root];
    bits_.PutBits(16, items);
    if (root >= NC) {
        WriteCodeLengthCode();
        WriteCharLengths();
    } else {
        bits_.PutBits(TBIT, 0);
        bits_.PutBits(TBIT, 0);
        bits_.PutBits(CBIT, 0);
        bits_.PutBits(CBIT, root);
    }
    const unsigned ptRoot = tree_.Make(block.posFreq, std::span(ptLength_).first(NP), std::span(ptCode_).first(NP));
    if (ptRoot >= NP) {
        WritePtLengths(NP, PBIT, -1);
    } else {
        bits_.PutBits(PBIT, 0);
        bits_.PutBits(PBIT, ptRoot);
    }
    WriteItems(block, items);
}

void TLh5BlockSender::WriteCodeLengthCode()
{
    CountCodeLengthSymbols();
    const unsigned root = tree_.Make(lenFreq_, ptLength_, ptCode_);
    if (root >= NT) {
        WritePtLengths(NT, TBIT, 3);
    } else {
        bits_.PutBits(TBIT, 0);
        bits_.PutBits(TBIT, root);
    }
}

int TLh5BlockSender::UsedCharLengths() const
{
    int n = NC;
    while (n > 0 && charLength_[static_cast<std::size_t>(n - 1)] == 0) --n;
    return n;
}

// Symbol k + 2 is the length k; 0, 1 and 2 are runs of zero lengths (see WriteZeroRun).
void TLh5BlockSender::CountCodeLengthSymbols()
{
    std::fill(lenFreq_.begin(), lenFreq_.end(), std::uint16_t{0});
    const auto n = static_cast<std::size_t>(UsedCharLengths());
    for (std::size_t i = 0; i < n;) {
        const unsigned length = charLength_[i++];
        if (length != 0) {
            ++lenFreq_[length + 2];
            continue;
        }
        std::uint16_t zeros = 1;
        while (i < n && charLength_[i] == 0) ++i, ++zeros;
        if (zeros <= 2) {
            lenFreq_[0] = static_cast<std::uint16_t>(lenFreq_[0] + zeros);
        } else if (zeros <= 18) {
            ++lenFreq_[1];
        } else if (zeros == 19) {
            ++lenFreq_[0];
            ++lenFreq_[1];
        } else {
            ++lenFreq_[2];
        }
    }
}

// Lengths up to 6 take three bits; a longer length k is k - 4 one bits and a zero after the 111.
void TLh5BlockSender::WritePtLengths(int n, int countBits, int special)
{
    while (n > 0 && ptLength_[static_cast<std::size_t>(n - 1)] == 0) --n;
    bits_.PutBits(countBits, static_cast<unsigned>(n));
    int i = 0;
    while (i < n) {
        const int length = ptLength_[static_cast<std::size_t>(i++)];
        if (length <= 6) {
            bits_.PutBits(3, static_cast<unsigned>(length));
        } else {
            bits_.PutBits(length - 3, (1u << (length - 3)) - 2);
        }
        if (i == special) {
            const int runStart = i;
            while (i < 6 && ptLength_[static_cast<std::size_t>(i)] == 0) ++i;
            bits_.PutBits(2, static_cast<unsigned>(i - runStart));
        }
    }
}

void TLh5BlockSender::WriteCharLengths()
{
    const auto n = static_cast<std::size_t>(UsedCharLengths());
    bits_.PutBits(CBIT, static_cast<unsigned>(n));
    for (std::size_t i = 0; i < n;) {
        const unsigned length = charLength_[i++];
        if (length != 0) {
            WritePt(length + 2);
            continue;
        }
        int zeros = 1;
        while (i < n && charLength_[i] == 0) ++i, ++zeros;
        WriteZeroRun(zeros);
    }
}

// One or two zeros one by one; 3 to 18 as symbol 1 with 4 bits; 19 as one zero and a run of 18;
// 20 or more as symbol 2 with 9 bits.
void TLh5BlockSender::WriteZeroRun(int zeros)
{
    if (zeros <= 2) {
        for (int k = 0; k < zeros; ++k) WritePt(0);
    } else if (zeros <= 18) {
        WritePt(1);
        bits_.PutBits(4, static_cast<unsigned>(zeros - 3));
    } else if (zeros == 19) {
        WritePt(0);
        WritePt(1);
        bits_.PutBits(4, 15);
    } else {
        WritePt(2);
        bits_.PutBits(CBIT, static_cast<unsigned>(zeros - 20));
    }
}

void TLh5BlockSender::WriteDistance(unsigned distanceCode)
{
    const unsigned bitCount = DistanceClass(distanceCode);
    WritePt(bitCount);
    if (bitCount > 1) bits_.PutBits(static_cast<int>(bitCount) - 1, distanceCode);
}

// Replays the buffer: a flag byte before every eight items says which of them are matches.
void TLh5BlockSender::WriteItems(const TLh5Block& block, unsigned items)
{
    const auto& buffer = block.buffer;
    std::size_t pos = 0;
    unsigned flags = 0;
    for (unsigned i = 0; i < items; ++i) {
        flags = i % 8 == 0 ? buffer[pos++] : flags << 1;
        if ((flags & 0x80) != 0) {
            WriteSymbol(buffer[pos] + 0x100u);
            WriteDistance((static_cast<unsigned>(buffer[pos + 1]) << 8) | buffer[pos + 2]);
            pos += 3;
        } else {
            WriteSymbol(buffer[pos++]);
        }
    }
}
