#pragma once
// Test helper: writes hand-made bit streams, most significant bit first, for decoder cases that no
// encoder would produce.
#include <cstdint>
#include <vector>

class TBitWriter {
public:
    TBitWriter& Put(int count, std::uint32_t value)
    {
        for (int i = count - 1; i >= 0; --i) {
            if (used_ % 8 == 0) bytes_.push_back(0);
            if (((value >> i) & 1u) != 0)
                bytes_.back() = static_cast<unsigned char>(bytes_.back() | (0x80u >> (used_ % 8)));
            ++used_;
        }
        return *this;
    }

    const std::vector<unsigned char>& Bytes() const { return bytes_; }

private:
    std::vector<unsigned char> bytes_;
    unsigned used_ = 0;
};
