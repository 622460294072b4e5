#pragma once
// The payload a single-file setup.exe carries after its image: install.cfg, finstall.cfg, the bare
// setup.exe (as its difference from the image, CarriedProgram.h) and the segments, each a range of the file. Its header
// sits at the first 16-byte boundary past the image, found from the image's headers; a signature may follow the
// payload. docs/ARCHITECTURE.md gives the layout.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "port/Stream.h"

namespace payloadfmt {
constexpr char kMagic[8] = {'S', 'E', 'T', 'U', 'P', 'P', 'L', '1'};
constexpr std::uint32_t kVersion = 2;  // 1 carried setup.exe whole
constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kEntrySize = 32;
constexpr std::size_t kNameSize = 16;
constexpr std::int64_t kAlignment = 16;
constexpr std::uint32_t kMaxEntries = 65536 + 3;  // every segment of a set, the configuration and setup.exe
}  // namespace payloadfmt

struct TPayloadEntry {
    std::string Name;         // a bare file name, lowercase
    std::int64_t Offset = 0;  // in the file
    std::int64_t Size = 0;
};

struct TPayload {
    std::int64_t Start = 0;  // of the header, in the file
    std::int64_t Size = 0;   // header, table and data
    std::uint32_t Crc = 0;   // of everything after the header
    std::vector<TPayloadEntry> Entries;

    const TPayloadEntry* Find(const std::string& name) const;
};

// The payload of a program file; none when nothing follows the image. Raises EPayloadError naming fileName
// when a payload is there but cut short or pointing outside itself, or the image's headers are damaged.
std::optional<TPayload> LocatePayload(Stream& file, const std::string& fileName);
// Reads the whole payload and raises EPayloadError naming fileName when its CRC-32 differs from the header's.
void CheckPayloadCrc(Stream& file, const TPayload& payload, const std::string& fileName);
