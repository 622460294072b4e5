#include <algorithm>
#include <cstdint>

#include "payload/CarriedProgram.h"
#include "payload/Crc32.h"
#include "payload/LittleEndian.h"
#include "payload/PeLayout.h"
#include "port/FileStream.h"
#include "port/MemoryStream.h"

using namespace carriedfmt;

namespace {

// Equal bytes between two changes are taken into one piece while they cost less than a piece's header.
constexpr std::size_t kJoinGap = kPieceHeaderSize;

std::vector<unsigned char> ReadWhole(const std::string& path)
{
    FileStream file(path, FileMode::OpenRead);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(file.Size()));
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

void PutPiece(std::vector<unsigned char>& out, const std::vector<unsigned char>& program, std::size_t begin,
              std::size_t end)
{
    const std::size_t at = out.size();
    out.resize(at + kPieceHeaderSize);
    PutLe(&out[at], begin, 8);
    PutLe(&out[at + 8], end - begin, 4);
    out.insert(out.end(), program.begin() + static_cast<std::ptrdiff_t>(begin),
               program.begin() + static_cast<std::ptrdiff_t>(end));
}

}  // namespace

std::vector<unsigned char> ProgramDifference(const std::string& stub, const std::string& program)
{
    const std::vector<unsigned char> base = ReadWhole(stub);
    MemoryStream image(base);
    const TPeLayout layout = ReadPeLayout(image, stub);
    const std::vector<unsigned char> carried = ReadWhole(program);
    const std::size_t common = std::min({static_cast<std::size_t>(layout.ImageEnd), base.size(), carried.size()});
    // The fields signing writes always travel: the carrier may be signed after the difference is taken.
    const auto within = [](std::size_t i, std::int64_t at, std::int64_t size) {
        return static_cast<std::int64_t>(i) >= at && static_cast<std::int64_t>(i) < at + size;
    };
    const auto differs = [&](std::size_t i) {
        return base[i] != carried[i] || within(i, layout.CheckSumAt, 4) || within(i, layout.SecurityDirectoryAt, 8);
    };
    std::vector<unsigned char> out(kHeaderSize);
    std::uint32_t count = 0;
    for (std::size_t i = 0; i < common;) {
        if (!differs(i)) {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        for (std::size_t equal = 0; end < common && equal <= kJoinGap; ++end) equal = differs(end) ? 0 : equal + 1;
        while (!differs(end - 1)) --end;
        PutPiece(out, carried, i, end);
        ++count;
        i = end;
    }
    if (carried.size() > common) {
        PutPiece(out, carried, common, carried.size());
        ++count;
    }
    PutLe(&out[0], carried.size(), 8);
    PutLe(&out[8], Crc32(0, carried.data(), carried.size()), 4);
    PutLe(&out[12], count, 4);
    return out;
}
