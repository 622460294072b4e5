#pragma once
// The blocks of a segmented set: the ID header of every segment file and the headers of the logical
// stream. Little-endian, packed; the bytes the reader does not interpret are kept as they came.
#include <array>
#include <cstddef>
#include <cstdint>

namespace segfmt {
// Every copy goes through one buffer of this size; names and records must leave it a closing zero.
constexpr std::size_t kCopyBufferSize = 8192;
constexpr std::int32_t kMaxNameLength = 8191;
constexpr std::int32_t kMaxRecordLength = 8191;
constexpr std::uint32_t kMaxSegmentNumber = 65535;
}  // namespace segfmt

using TBlockId = std::array<char, 4>;

// At offset 0 of every segment file.
struct TSegIdHeader {
    static constexpr std::size_t kSize = 8;
    static constexpr TBlockId kId = {'S', 'S', 'e', 'g'};

    TBlockId Id = kId;
    std::uint16_t Reserved4 = 0;
    std::uint16_t SegNumber = 0;

    std::array<unsigned char, kSize> Encode() const;
    static TSegIdHeader Decode(const unsigned char* bytes);
};

// The start of the logical stream.
struct TSegHeader {
    static constexpr std::size_t kSize = 21;
    static constexpr TBlockId kId = {'S', 'H', 'd', 'r'};

    TBlockId Id = kId;
    std::uint16_t Reserved4 = 0;
    std::uint16_t ArchiveCount = 0;
    std::uint8_t Flags = 0;
    std::array<unsigned char, 12> Reserved9{};

    std::array<unsigned char, kSize> Encode() const;
    static TSegHeader Decode(const unsigned char* bytes);
};

// One per archive, ahead of its template name and file-list data.
struct TScanHeader {
    static constexpr std::size_t kSize = 17;
    static constexpr TBlockId kId = {'S', 'c', 'a', 'n'};

    TBlockId Id = kId;
    std::uint16_t Reserved4 = 0;
    std::uint16_t NameLength = 0;
    std::uint8_t ScanByte = 0;
    std::int32_t RecordLength = 0;
    std::int32_t ListSize = 0;

    std::array<unsigned char, kSize> Encode() const;
    static TScanHeader Decode(const unsigned char* bytes);
};

// One per archive, ahead of its data.
struct TSegArcHeader {
    static constexpr std::size_t kSize = 16;
    static constexpr TBlockId kId = {'S', 'A', 'r', 'c'};

    TBlockId Id = kId;
    std::uint16_t Reserved4 = 0;
    std::uint16_t Sequence = 0;
    std::uint32_t Reserved8 = 0;
    std::int32_t DataSize = 0;

    std::array<unsigned char, kSize> Encode() const;
    static TSegArcHeader Decode(const unsigned char* bytes);
};
