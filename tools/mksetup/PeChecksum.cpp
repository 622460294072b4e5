#include "tools/mksetup/PeChecksum.h"

#include "payload/LittleEndian.h"

namespace {

constexpr std::size_t kPeOffsetAt = 0x3C;
constexpr std::size_t kOptionalHeaderAt = 24;    // after "PE\0\0" and the file header
constexpr std::size_t kChecksumInOptional = 64;  // the same in 32-bit and 64-bit optional headers

std::uint64_t Le(const std::string& bytes, std::size_t at, std::size_t size)
{
    return GetLe(reinterpret_cast<const unsigned char*>(bytes.data()) + at, size);
}

}  // namespace

std::optional<std::size_t> PeChecksumOffset(const std::string& program)
{
    if (program.size() < kPeOffsetAt + 4 || program.compare(0, 2, "MZ") != 0) return std::nullopt;
    const std::uint64_t pe = Le(program, kPeOffsetAt, 4);
    const std::uint64_t fieldAt = pe + kOptionalHeaderAt + kChecksumInOptional;
    if (fieldAt + 4 > program.size() ||
        program.compare(static_cast<std::size_t>(pe), 4, std::string("PE\0\0", 4)) != 0 ||
        Le(program, static_cast<std::size_t>(pe) + 20, 2) < kChecksumInOptional + 4)
        return std::nullopt;
    return static_cast<std::size_t>(fieldAt);
}

std::uint32_t PeChecksum(const std::string& program, std::size_t fieldAt)
{
    const auto byteAt = [&](std::size_t i) -> std::uint32_t {
        return i < program.size() && (i < fieldAt || i >= fieldAt + 4) ? static_cast<unsigned char>(program[i]) : 0;
    };
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < program.size(); i += 2) {
        sum += byteAt(i) | byteAt(i + 1) << 8;
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    return sum + static_cast<std::uint32_t>(program.size());
}

void RefreshPeChecksum(std::string& program)
{
    const std::optional<std::size_t> fieldAt = PeChecksumOffset(program);
    if (!fieldAt || Le(program, *fieldAt, 4) == 0) return;
    PutLe(reinterpret_cast<unsigned char*>(&program[*fieldAt]), PeChecksum(program, *fieldAt), 4);
}
