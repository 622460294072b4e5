#pragma once
// The LZHUF encoder's bit output, most significant bit first, a byte at a time.
#include <cstdint>

#include "compress/CompThreadSafety.h"

namespace lzhuf {

class TBitWriter {
public:
    explicit TBitWriter(TCompThreadSafety& state) : state_(state) {}

    // Appends the low `length` bits of code (1 to 16). At most 7 bits stay pending between calls, so
    // they and the code always fit the 32-bit accumulator.
    void PutCode(int length, std::uint32_t code)
    {
        buffer_ |= code << (32 - count_ - length);
        count_ += length;
        while (count_ >= 8) {
            state_.PutOutputByte(static_cast<unsigned char>(buffer_ >> 24));
            buffer_ <<= 8;
            count_ -= 8;
        }
    }

    // Writes the last partial byte, zero-padded.
    void Flush()
    {
        if (count_ > 0) state_.PutOutputByte(static_cast<unsigned char>(buffer_ >> 24));
        buffer_ = 0;
        count_ = 0;
    }

private:
    TCompThreadSafety& state_;
    std::uint32_t buffer_ = 0;  // pending bits, left-aligned
    int count_ = 0;
};

}  // namespace lzhuf
