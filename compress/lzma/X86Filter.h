#pragma once
// The x86 branch filter of the solid LZMA method: the 32-bit operand of every call (E8) and jump (E9) whose
// top byte is 0x00 or 0xFF becomes absolute on the way to the coder and relative again on the way out. Calls
// to one function then read alike wherever they stand, and the coder finds them as repeats.
//
// The change is a 25-bit sum (or difference) with the operand's stream position, sign-extended again, so the
// top byte stays 0x00 or 0xFF; a branch passed over for its top byte shields the next three bytes, so no later
// change reaches a byte a choice was made by. Both directions then choose the same operands, and any bytes
// come back unchanged.
#include <cstddef>
#include <cstdint>

class TX86Filter {
public:
    enum class Direction { Forward, Back };

    explicit TX86Filter(Direction direction) : direction_(direction) {}

    // Changes the operands in data[0, size), which follow the bytes of the earlier calls in the stream.
    // Returns how many leading bytes are final; the rest (at most four, the start of an instruction whose
    // operand the data cut) must come again at the front of the next call's data. With last, all are final.
    std::size_t Convert(unsigned char* data, std::size_t size, bool last);

private:
    const Direction direction_;
    std::uint32_t position_ = 0;  // the stream position of the next call's first byte
};
