#pragma once
// The -lh5- decoder's bit source: the input read most significant bit first, with at least 16 bits
// always available to look at. Bits past the end of the input read as zero.
#include <cstdint>

#include "compress/CompThreadSafety.h"

class TLh5BitInput {
public:
    explicit TLh5BitInput(TCompThreadSafety& state) : state_(state) { Refill(); }

    // The next 16 bits, without consuming them.
    std::uint32_t Peek16() const { return static_cast<std::uint32_t>(bits_ >> 48); }
    // The next 32 bits, for codes that continue past a lookup table's width.
    std::uint32_t Peek32() const { return static_cast<std::uint32_t>(bits_ >> 32); }

    // Consumes n bits, 0 to 32.
    void Skip(int n)
    {
        bits_ <<= n;
        count_ -= n;
        if (count_ < 32) Refill();
    }

    // Consumes and returns the next n bits, 0 to 16.
    std::uint32_t Get(int n)
    {
        const std::uint32_t value = Peek16() >> (16 - n);
        Skip(n);
        return value;
    }

private:
    // Reading ahead by whole bytes keeps the byte source's per-byte work out of the symbol loop.
    void Refill()
    {
        while (count_ <= 56) {
            bits_ |= static_cast<std::uint64_t>(state_.NextInputByte()) << (56 - count_);
            count_ += 8;
        }
    }

    TCompThreadSafety& state_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
};
