#include "payload/Payload.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <vector>

#include "payload/Crc32.h"
#include "payload/LittleEndian.h"
#include "payload/PayloadError.h"
#include "payload/PeLayout.h"

using namespace payloadfmt;

namespace {

std::int64_t Aligned(std::int64_t at)
{
    return (at + kAlignment - 1) / kAlignment * kAlignment;
}

[[noreturn]] void Damaged(const std::string& fileName, const std::string& why)
{
    throw EPayloadError(fileName + " is damaged: " + why);
}

// A bare file name of printable characters, as mksetup writes them.
std::string EntryName(const unsigned char* field)
{
    std::string name;
    for (std::size_t i = 0; i < kNameSize && field[i] != 0; ++i) {
        const char c = static_cast<char>(field[i]);
        if (field[i] < 0x21 || field[i] > 0x7E || std::strchr("\\/:*?\"<>|", c) != nullptr) return {};
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name == "." || name == ".." ? std::string() : name;
}

std::vector<TPayloadEntry> ReadEntries(Stream& file, const TPayload& payload, std::uint32_t count,
                                       const std::string& fileName)
{
    const std::int64_t tableEnd = static_cast<std::int64_t>(kHeaderSize) +
                                  static_cast<std::int64_t>(count) * static_cast<std::int64_t>(kEntrySize);
    if (count > kMaxEntries || tableEnd > payload.Size) Damaged(fileName, "its payload's table leads outside it");
    std::vector<unsigned char> table(static_cast<std::size_t>(count) * kEntrySize);
    file.Seek(payload.Start + static_cast<std::int64_t>(kHeaderSize), SeekOrigin::Begin);
    file.ReadBuffer(table.data(), table.size());
    std::vector<TPayloadEntry> entries;
    for (std::uint32_t e = 0; e < count; ++e) {
        const unsigned char* at = &table[e * kEntrySize];
        const std::uint64_t offset = GetLe(at + kNameSize, 8);
        const std::uint64_t size = GetLe(at + kNameSize + 8, 8);
        TPayloadEntry entry{EntryName(at), 0, 0};
        if (entry.Name.empty()) Damaged(fileName, "its payload names a member that is no bare file name");
        if (offset < static_cast<std::uint64_t>(tableEnd) || offset > static_cast<std::uint64_t>(payload.Size) ||
            size > static_cast<std::uint64_t>(payload.Size) - offset)
            Damaged(fileName, "its payload's member " + entry.Name + " leads outside it");
        entry.Offset = payload.Start + static_cast<std::int64_t>(offset);
        entry.Size = static_cast<std::int64_t>(size);
        entries.push_back(entry);
    }
    return entries;
}

}  // namespace

const TPayloadEntry* TPayload::Find(const std::string& name) const
{
    const auto found =
        std::find_if(Entries.begin(), Entries.end(), [&](const TPayloadEntry& e) { return e.Name == name; });
    return found == Entries.end() ? nullptr : &*found;
}

std::optional<TPayload> LocatePayload(Stream& file, const std::string& fileName)
{
    const TPeLayout layout = ReadPeLayout(file, fileName);
    const std::int64_t end = layout.SignatureOffset != 0 ? layout.SignatureOffset : file.Size();
    TPayload payload;
    payload.Start = Aligned(layout.ImageEnd);
    const std::int64_t available = std::max<std::int64_t>(0, end - payload.Start);
    std::array<unsigned char, kHeaderSize> header{};
    file.Seek(payload.Start, SeekOrigin::Begin);
    const std::size_t got =
        available > 0
            ? file.Read(header.data(), static_cast<std::size_t>(std::min<std::int64_t>(available, kHeaderSize)))
            : 0;
    if (got == 0 || std::memcmp(header.data(), kMagic, std::min(got, sizeof kMagic)) != 0) return std::nullopt;
    if (got < kHeaderSize) Damaged(fileName, "its payload is cut short");
    if (GetLe(&header[8], 4) != kVersion || GetLe(&header[12], 4) != kHeaderSize)
        Damaged(fileName, "its payload has a layout this setup program does not know");
    payload.Crc = static_cast<std::uint32_t>(GetLe(&header[20], 4));
    const std::uint64_t size = GetLe(&header[24], 8);
    if (size < kHeaderSize || size > static_cast<std::uint64_t>(available))
        Damaged(fileName, "its payload is cut short");
    payload.Size = static_cast<std::int64_t>(size);
    payload.Entries = ReadEntries(file, payload, static_cast<std::uint32_t>(GetLe(&header[16], 4)), fileName);
    return payload;
}

void CheckPayloadCrc(Stream& file, const TPayload& payload, const std::string& fileName)
{
    std::vector<unsigned char> buffer(1 << 16);
    std::uint32_t crc = 0;
    file.Seek(payload.Start + static_cast<std::int64_t>(kHeaderSize), SeekOrigin::Begin);
    for (std::int64_t left = payload.Size - static_cast<std::int64_t>(kHeaderSize); left > 0;) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(left, static_cast<std::int64_t>(buffer.size())));
        file.ReadBuffer(buffer.data(), n);
        crc = Crc32(crc, buffer.data(), n);
        left -= static_cast<std::int64_t>(n);
    }
    if (crc != payload.Crc) Damaged(fileName, "its payload fails its CRC-32 check");
}
