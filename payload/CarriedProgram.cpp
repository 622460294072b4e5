#include "payload/CarriedProgram.h"

#include <algorithm>
#include <cstdint>

#include "payload/Crc32.h"
#include "payload/LittleEndian.h"
#include "payload/PayloadError.h"
#include "payload/PeLayout.h"

using namespace carriedfmt;

namespace {

// A setup program is about a megabyte; a difference larger than this is no setup program's.
constexpr std::int64_t kMaxDifference = 64 << 20;

[[noreturn]] void Damaged(const std::string& fileName)
{
    throw EPayloadError(fileName + " is damaged: the setup program it carries cannot be rebuilt");
}

std::vector<unsigned char> ReadRange(Stream& file, std::int64_t offset, std::int64_t size)
{
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    file.Seek(offset, SeekOrigin::Begin);
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

}  // namespace

std::vector<unsigned char> RebuildCarriedProgram(Stream& carrier, const TPayloadEntry& difference,
                                                 const std::string& fileName)
{
    if (difference.Size < static_cast<std::int64_t>(kHeaderSize) || difference.Size > kMaxDifference) Damaged(fileName);
    const std::int64_t imageEnd = ReadPeLayout(carrier, fileName).ImageEnd;
    const std::vector<unsigned char> pieces = ReadRange(carrier, difference.Offset, difference.Size);
    const std::uint64_t size = GetLe(&pieces[0], 8);
    // Every byte past the image comes from a piece: a size beyond that is damage, not a larger program.
    if (size > static_cast<std::uint64_t>(imageEnd + difference.Size)) Damaged(fileName);
    std::vector<unsigned char> program = ReadRange(carrier, 0, std::min(imageEnd, static_cast<std::int64_t>(size)));
    program.resize(static_cast<std::size_t>(size));
    std::size_t at = kHeaderSize;
    for (std::uint64_t count = GetLe(&pieces[12], 4); count > 0; --count) {
        if (pieces.size() - at < kPieceHeaderSize) Damaged(fileName);
        const std::uint64_t offset = GetLe(&pieces[at], 8);
        const std::uint64_t length = GetLe(&pieces[at + 8], 4);
        at += kPieceHeaderSize;
        if (length > pieces.size() - at || offset > size || length > size - offset) Damaged(fileName);
        std::copy_n(pieces.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::size_t>(length),
                    program.begin() + static_cast<std::ptrdiff_t>(offset));
        at += static_cast<std::size_t>(length);
    }
    if (at != pieces.size() || Crc32(0, program.data(), program.size()) != GetLe(&pieces[8], 4)) Damaged(fileName);
    return program;
}
