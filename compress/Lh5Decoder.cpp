// DecodeLZH5: -lh5- blocks (code tables, then literals and matches) into the 8,192-byte window.
#include <algorithm>
#include <array>
#include <memory>

#include "compress/CompressExceptions.h"
#include "compress/Lh5.h"
#include "compress/Lh5BitInput.h"
#include "compress/Lh5HuffmanTable.h"

namespace {

using namespace lh5;

constexpr int kCharTableBits = 12;
constexpr int kPtTableBits = 8;
constexpr unsigned kWindowMask = DICSIZ - 1;

// Everything one run of the decoder works in; allocated per run.
struct TLh5DecoderArrays {
    std::array<unsigned char, DICSIZ> window;
    std::array<unsigned char, NC> charLength;
    std::array<std::uint16_t, 1 << kCharTableBits> charTable;
    std::array<unsigned char, NT> ptLength;
    std::array<std::uint16_t, 1 << kPtTableBits> ptTable;
    TOverflowTree tree;
};

class TLh5Decoder {
public:
    TLh5Decoder(TCompThreadSafety& state, TLh5DecoderArrays& a) : state_(state), bits_(state), a_(a)
    {
        a_.window.fill(' ');
    }

    void Decode(std::int32_t expandedSize);

private:
    unsigned DecodeSymbol();
    unsigned DecodeDistance();
    void ReadBlockHeader();
    void ReadPtLengths(int count, int countBits, int special);
    void ReadCharLengths();
    unsigned DecodeCodeLengthSymbol();
    unsigned SingleSymbol(int valueBits, unsigned alphabetSize);
    void CopyMatch(unsigned length, unsigned distance, std::int32_t& left);

    TCompThreadSafety& state_;
    TLh5BitInput bits_;
    TLh5DecoderArrays& a_;
    std::uint16_t blockRemaining_ = 0;
    unsigned r_ = 0;
};

void TLh5Decoder::Decode(std::int32_t expandedSize)
{
    std::int32_t left = expandedSize;
    while (left > 0) {
        if (blockRemaining_ == 0) ReadBlockHeader();
        --blockRemaining_;  // a size of 0 is a block of 65,536 symbols
        const unsigned symbol = DecodeSymbol();
        if (symbol <= 0xFF) {
            const auto byte = static_cast<unsigned char>(symbol);
            a_.window[r_] = byte;
            r_ = (r_ + 1) & kWindowMask;
            state_.PutOutputByte(byte);
            --left;
        } else {
            CopyMatch(symbol - (0x100 - THRESHOLD), DecodeDistance(), left);
        }
    }
}

// A match that runs past the expanded size stops there: the caller asked for exactly that many bytes.
void TLh5Decoder::CopyMatch(unsigned length, unsigned distance, std::int32_t& left)
{
    const auto n = static_cast<unsigned>(std::min<std::int32_t>(static_cast<std::int32_t>(length), left));
    unsigned from = (r_ - distance - 1) & kWindowMask;
    unsigned to = r_;
    for (unsigned k = 0; k < n; ++k) {
        const unsigned char byte = a_.window[from];
        a_.window[to] = byte;
        state_.PutOutputByte(byte);
        from = (from + 1) & kWindowMask;
        to = (to + 1) & kWindowMask;
    }
    r_ = to;
    left -= static_cast<std::int32_t>(n);
}

unsigned TLh5Decoder::DecodeSymbol()
{
    unsigned symbol = a_.charTable[bits_.Peek16() >> (16 - kCharTableBits)];
    if (symbol >= NC) symbol = WalkOverflowTree(symbol, bits_.Peek32() << kCharTableBits, NC, a_.tree);
    bits_.Skip(a_.charLength[symbol]);
    return symbol;
}

unsigned TLh5Decoder::DecodeDistance()
{
    unsigned bitCount = a_.ptTable[bits_.Peek16() >> (16 - kPtTableBits)];
    if (bitCount >= NP) bitCount = WalkOverflowTree(bitCount, bits_.Peek32() << kPtTableBits, NP, a_.tree);
    bits_.Skip(a_.ptLength[bitCount]);
    if (bitCount <= 1) return bitCount;
    const int extra = static_cast<int>(bitCount) - 1;
    return (1u << extra) + bits_.Get(extra);
}

void TLh5Decoder::ReadBlockHeader()
{
    blockRemaining_ = static_cast<std::uint16_t>(bits_.Get(16));
    ReadPtLengths(NT, TBIT, 3);
    ReadCharLengths();
    ReadPtLengths(NP, PBIT, -1);
}

// An alphabet of one symbol is sent as its value alone and costs no bits per symbol. A value outside
// the alphabet would send the decoder into tree nodes that this block never made.
unsigned TLh5Decoder::SingleSymbol(int valueBits, unsigned alphabetSize)
{
    const unsigned value = bits_.Get(valueBits);
    if (value >= alphabetSize) throw ELZHBadDecodeTable();
    return value;
}

void TLh5Decoder::ReadPtLengths(int count, int countBits, int special)
{
    const auto lengths = std::span(a_.ptLength).first(static_cast<std::size_t>(count));
    const int n = static_cast<int>(bits_.Get(countBits));
    if (n == 0) {
        const auto value = static_cast<std::uint16_t>(SingleSymbol(countBits, static_cast<unsigned>(count)));
        std::fill(lengths.begin(), lengths.end(), std::uint8_t{0});
        a_.ptTable.fill(value);
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
    MakeTable(lengths, kPtTableBits, a_.ptTable, a_.tree);
}

unsigned TLh5Decoder::DecodeCodeLengthSymbol()
{
    unsigned symbol = a_.ptTable[bits_.Peek16() >> (16 - kPtTableBits)];
    if (symbol >= NT) symbol = WalkOverflowTree(symbol, bits_.Peek32() << kPtTableBits, NT, a_.tree);
    bits_.Skip(a_.ptLength[symbol]);
    return symbol;
}

void TLh5Decoder::ReadCharLengths()
{
    const int n = static_cast<int>(bits_.Get(CBIT));
    if (n == 0) {
        const auto value = static_cast<std::uint16_t>(SingleSymbol(CBIT, NC));
        a_.charLength.fill(0);
        a_.charTable.fill(value);
        return;
    }
    if (n > NC) throw ELZHBadDecodeTable();
    int i = 0;
    while (i < n) {
        const unsigned symbol = DecodeCodeLengthSymbol();
        if (symbol > 2) {
            a_.charLength[static_cast<std::size_t>(i++)] = static_cast<unsigned char>(symbol - 2);
            continue;
        }
        // Symbols 0 to 2 are runs of zero lengths: one, 3 to 18, or 20 to 530.
        const int zeros = symbol == 0 ? 1 : symbol == 1 ? static_cast<int>(bits_.Get(4)) + 3
                                                          : static_cast<int>(bits_.Get(CBIT)) + 20;
        if (zeros > NC - i) throw ELZHBadDecodeTable();
        std::fill_n(a_.charLength.begin() + i, zeros, std::uint8_t{0});
        i += zeros;
    }
    std::fill(a_.charLength.begin() + i, a_.charLength.end(), std::uint8_t{0});
    MakeTable(a_.charLength, kCharTableBits, a_.charTable, a_.tree);
}

}  // namespace

void DecodeLZH5(TCompThreadSafety& state, std::int32_t expandedSize)
{
    if (expandedSize <= 0) return;
    const auto arrays = std::make_unique<TLh5DecoderArrays>();
    TLh5Decoder(state, *arrays).Decode(expandedSize);
}
