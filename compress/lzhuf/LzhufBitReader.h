#pragma once
// The LZHUF decoder's bit input, most significant bit first. Input that has ended reads as zero bits.
#include <cstdint>

#include "compress/CompThreadSafety.h"

namespace lzhuf {

class TBitReader {
public:
    explicit TBitReader(TCompThreadSafety& state) : state_(state) {}

    unsigned GetBit()
    {
        if (count_ <= 8) Refill();
        const unsigned bit = buffer_ >> 31;
        buffer_ <<= 1;
        --count_;
        return bit;
    }

    unsigned GetByte()
    {
        if (count_ <= 8) Refill();
        const unsigned byte = buffer_ >> 24;
        buffer_ <<= 8;
        count_ -= 8;
        return byte;
    }

private:
    // A byte is taken only when at most 8 bits are pending: the stream is read no further ahead than a
    // 16-bit accumulator would read it, so a run consumes exactly the bytes of its stream.
    void Refill()
    {
        buffer_ |= static_cast<std::uint32_t>(state_.NextInputByte()) << (24 - count_);
        count_ += 8;
    }

    TCompThreadSafety& state_;
    std::uint32_t buffer_ = 0;  // pending bits, left-aligned
    int count_ = 0;
};

}  // namespace lzhuf
