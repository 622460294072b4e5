#include "compress/lzma/X86Filter.h"

namespace {

constexpr std::size_t kInstructionSize = 5;  // the opcode and its 32-bit operand

// The operand's top byte: a branch within 16 MB either way.
bool HasNearOperand(const unsigned char* branch)
{
    return branch[4] == 0x00 || branch[4] == 0xFF;
}

std::uint32_t ReadOperand(const unsigned char* at)
{
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void WriteOperand(unsigned char* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

// The low 25 bits, with bit 24 copied into the top byte.
std::uint32_t SignExtended25(std::uint32_t value)
{
    value &= 0x01FFFFFFu;
    return (value & 0x01000000u) != 0 ? value | 0xFE000000u : value;
}

}  // namespace

std::size_t TX86Filter::Convert(unsigned char* data, std::size_t size, bool last)
{
    std::size_t i = 0;
    while (i + kInstructionSize <= size) {
        if (data[i] != 0xE8 && data[i] != 0xE9) {
            ++i;
            continue;
        }
        // A branch passed over keeps the three bytes after it from being taken as branches: changing their
        // operands would change the byte this one was judged by, and the other direction would judge otherwise.
        if (!HasNearOperand(data + i)) {
            i += kInstructionSize - 1;
            continue;
        }
        const std::uint32_t next = position_ + static_cast<std::uint32_t>(i + kInstructionSize);
        const std::uint32_t operand = ReadOperand(data + i + 1);
        WriteOperand(data + i + 1, SignExtended25(direction_ == Direction::Forward ? operand + next : operand - next));
        i += kInstructionSize;
    }
    if (last) i = size;
    position_ += static_cast<std::uint32_t>(i);
    return i;
}
