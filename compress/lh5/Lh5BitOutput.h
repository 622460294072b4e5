#pragma once
// The -lh5- encoder's bit sink: bits are written most significant first, whole bytes at a time.
#include <cstdint>

#include "compress/CompThreadSafety.h"

class TLh5BitOutput {
public:
    explicit TLh5BitOutput(TCompThreadSafety& state) : state_(state) {}

    // Writes the low n bits of value, n from 0 to 16.
    void PutBits(int n, unsigned value)
    {
        pending_ = (pending_ << n) | (value & ((1u << n) - 1));
        count_ += n;
        while (count_ >= 8) {
            count_ -= 8;
            state_.PutOutputByte(static_cast<unsigned char>(pending_ >> count_));
        }
    }

    // Writes the top n bits of a code kept left-aligned in 16 bits.
    void PutCode(int n, std::uint16_t code) { PutBits(n, static_cast<unsigned>(code) >> (16 - n)); }

    // Seven zero bits complete a partly filled byte and write nothing after a full one.
    void Finish() { PutBits(7, 0); }

private:
    TCompThreadSafety& state_;
    std::uint32_t pending_ = 0;
    int count_ = 0;
};
