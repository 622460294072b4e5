#pragma once
// The on-disk records of an archive: the 21-byte archive header, the 25-byte entry header, the method
// identifiers, the byte-sum checksum, and the directory record of one entry. Little-endian, packed.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "compress/MethodTable.h"
#include "port/Stream.h"

// The identifiers of the five ordinals, in ordinal order; compared exactly.
inline constexpr std::array<const char*, coLZH5 + 1> kMethodIds = [] {
    constexpr auto ids = MethodColumn(&TMethodRow::Id);
    std::array<const char*, coLZH5 + 1> ordinals{};
    for (std::size_t i = 0; i < ordinals.size(); ++i) ordinals[i] = ids[i];
    return ordinals;
}();

enum TArchiveType : std::uint8_t { caMulti = 1 };

struct TArchiveHeader {
    static constexpr std::size_t kSize = 21;
    static constexpr std::array<unsigned char, 5> kSignature = {'C', 'M', 'P', 'R', 0x1A};

    std::array<unsigned char, 5> Signature = kSignature;
    std::string MethodId = "   ";  // three characters
    std::int32_t TotalSize = 0;
    std::uint8_t ArchiveType = caMulti;
    std::int32_t LockType = 0;

    std::array<unsigned char, kSize> Encode() const;
    static TArchiveHeader Decode(const std::array<unsigned char, kSize>& bytes);
};

struct TEntryHeader {
    static constexpr std::size_t kSize = 25;

    std::int16_t NameLength = 0;
    std::int32_t FileDate = 0;
    std::int16_t Attributes = 0;
    std::int32_t ExpandedSize = 0;
    std::int32_t CompressedSize = 0;
    std::uint8_t Method = coNone;
    std::int32_t Checksum = 0;
    std::int32_t LockType = 0;

    std::array<unsigned char, kSize> Encode() const;
    static TEntryHeader Decode(const std::array<unsigned char, kSize>& bytes);
};

struct TEntry {
    TEntryHeader Header;
    std::string Name;
    std::int64_t HeaderOffset = 0;  // stream position of the entry header's first byte
    std::int64_t DataOffset = 0;    // stream position of the first coded byte
};

// Reads the next entry header and its name; nothing (the end of the archive) when either is cut
// short, or when the header's sizes are impossible (negative), so that no reader can loop on it.
std::optional<TEntry> ReadEntryHeader(Stream& stream);

// Sum modulo 2^32 of the unsigned byte values.
std::uint32_t ByteSum(const unsigned char* data, std::size_t size);

struct TCompressedFileInfo {
    std::int32_t FileDate = 0;
    std::uint16_t Attributes = 0;
    std::int32_t ExpandedSize = 0;
    std::int32_t CompressedSize = 0;
    std::uint8_t Method = coNone;
    std::int32_t Checksum = 0;
    std::int32_t HeaderOffset = 0;
    bool Locked = false;

    static TCompressedFileInfo From(const TEntry& entry);
};
